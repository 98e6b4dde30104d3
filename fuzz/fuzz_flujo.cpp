// libFuzzer target: Cargar of an arbitrary stream into a structure of any of
// the five kinds that already holds nodes, then a layout, the hit test, node
// motion, Guardar and a few operations of that kind, with the step reports
// on, on whatever was loaded. Every property that is cheap to check is
// checked, at every report as well as after each operation, and a violation
// aborts so that the fuzzer keeps the input. Only the engine's own exceptions
// are caught, and only where the engine may raise them; anything else escapes
// and crashes the run.
//
// A loaded structure may be anything the format can hold: unordered, badly
// balanced, with a count that disagrees with its records, with colour bytes
// other than 0 and 1. What must hold then is only what no input can excuse
// (links, marks, counts, the vector of a heap). What a sound structure
// promises (order, balance, black paths, heap order) is checked only while
// the structure still has it.
//
// A red-black tree runs twice, the second time with the plain full
// black-path check: every result, report, black height and error must be
// the same.
//
// The bytes after the header are also read as an operation list and
// replayed into a fresh structure of the kind.
//
// Input: a 6-byte header, then the stream. Missing header bytes count as 0.
//   byte 0     the kind, modulo 5: 0 bst, 1 avl, 2 rn, 3 splay, 4 mon
//   byte 1     the layout, modulo 3: 0 separated, 1 compressed, 2 complete
//   bytes 2-4  R, Sx, Sy as signed bytes
//   byte 5     t of Interpolar in 64ths (0 to 3.98); 254 is -0.25, 255 NaN
// Stream records: bst, avl, splay: value, left flag, right flag (6 bytes);
// rn: value, colour, flags (7); mon: value, index, flags (10).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uListaOper.h"
#include "uMonticulo.h"
#include "uSplayTree.h"
#include "uTipos.h"

namespace {

// The kinds in the order of their descriptors.
enum class TTipo { BST, AVL, RN, Splay, Mon };

constexpr std::size_t TamCabecera = 6;
constexpr std::size_t TamCuenta = 4;

// Record size and offset of the left child flag (the right one follows it).
std::size_t TamRegistro(TTipo T) { return T == TTipo::RN ? 7 : T == TTipo::Mon ? 10 : 6; }
std::size_t PosBanderas(TTipo T) { return T == TTipo::RN ? 5 : T == TTipo::Mon ? 8 : 4; }
bool EsDeBusqueda(TTipo T) { return T != TTipo::Mon; }

const TTipoEstructura& Descriptor(TTipo T) { return TiposEstructura()[static_cast<std::size_t>(T)]; }

[[noreturn]] void Fallo(const char* Que) {
    std::fprintf(stderr, "fuzz_flujo: %s\n", Que);
    std::abort();
}

void Exigir(bool Cond, const char* Que) {
    if (!Cond) Fallo(Que);
}

// A structure of the kind, made by its descriptor, which it must lead back to.
std::unique_ptr<TArbolBin> Crear(TTipo T) {
    std::unique_ptr<TArbolBin> a = Descriptor(T).Clase();
    Exigir(TipoDe(*a) == &Descriptor(T), "a descriptor's structure leads to another descriptor");
    return a;
}

const TNodoAVL* AVL(const TNodoBin* n) { return static_cast<const TNodoAVL*>(n); }
const TNodoRN* RN(const TNodoBin* n) { return static_cast<const TNodoRN*>(n); }

struct TForma {
    std::int64_t Nodos = 0;
    std::int32_t Altura = 0;
    std::int64_t SumaProfundidades = 0;  // the root at depth 1
};

// Measures the linked nodes with a walk of its own (an explicit stack, not the
// engine's parent-link walk) and checks the links on the way: the root has no
// parent, every child's Padre is the node linking to it. Between operations
// no node may be marked.
TForma Forma(const TArbolBin& A, bool SinMarcas = true) {
    TForma f;
    if (A.Raiz == nullptr) return f;
    Exigir(A.Raiz->Padre == nullptr, "the root has a parent");
    std::vector<std::pair<const TNodoBin*, std::int32_t>> pila{{A.Raiz, 1}};
    while (!pila.empty()) {
        const auto [n, prof] = pila.back();
        pila.pop_back();
        ++f.Nodos;
        f.Altura = std::max(f.Altura, prof);
        f.SumaProfundidades += prof;
        if (SinMarcas) Exigir(!n->Marcado, "a node was left marked");
        for (const TNodoBin* h : {n->Der, n->Izq}) {
            if (h == nullptr) continue;
            Exigir(h->Padre == n, "a child's Padre is not the node linking to it");
            pila.push_back({h, prof + 1});
        }
    }
    return f;
}

// The linked nodes in pre-order, from the engine's walk.
std::vector<const TNodoBin*> Preorden(const TArbolBin& A) {
    std::vector<const TNodoBin*> v;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) { v.push_back(n); });
    return v;
}

// Position of NodoSel in pre-order; -1 for nil. Aborts when NodoSel is not
// linked to the structure.
std::int64_t PosicionSel(const TArbolBin& A) {
    if (A.NodoSel == nullptr) return -1;
    const auto v = Preorden(A);
    const auto i = std::find(v.begin(), v.end(), A.NodoSel);
    Exigir(i != v.end(), "NodoSel is not a node of the structure");
    return i - v.begin();
}

// The values in order, by a walk of its own.
std::vector<std::int32_t> EnOrden(const TArbolBin& A) {
    std::vector<std::int32_t> v;
    std::vector<const TNodoBin*> pila;
    for (const TNodoBin* n = A.Raiz; n != nullptr || !pila.empty();) {
        if (n != nullptr) {
            pila.push_back(n);
            n = n->Izq;
        } else {
            n = pila.back();
            pila.pop_back();
            v.push_back(n->Valor);
            n = n->Der;
        }
    }
    return v;
}

bool Ordenado(const TArbolBin& A) {
    const auto v = EnOrden(A);
    return std::adjacent_find(v.begin(), v.end(), [](std::int32_t a, std::int32_t b) { return a >= b; }) == v.end();
}

// Children before parents: the pre-order listing read backwards.
template <class F>
void DeAbajoArriba(const TArbolBin& A, F&& f) {
    const auto v = Preorden(A);
    for (auto i = v.rbegin(); i != v.rend(); ++i) f(*i);
}

// An AVL tree in the strict sense: every stored factor right and within -1..+1.
bool AVLSano(const TArbolAVL& A) {
    if (!A.Consistente()) return false;
    bool sano = true;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        sano &= AVL(n)->FactorEquilibrio >= -1 && AVL(n)->FactorEquilibrio <= 1;
    });
    return sano;
}

std::vector<std::int32_t> Factores(const TArbolBin& A) {
    std::vector<std::int32_t> v;
    for (const TNodoBin* n : Preorden(A)) v.push_back(AVL(n)->FactorEquilibrio);
    return v;
}

// The black height of every node as the black-path check defines it (an
// empty link counts as one black node), or nothing when two paths below some
// node disagree.
bool AlturasNegrasReales(const TArbolBin& A, std::unordered_map<const TNodoBin*, std::int32_t>& Alturas) {
    bool iguales = true;
    DeAbajoArriba(A, [&](const TNodoBin* n) {
        auto aporte = [&](const TNodoBin* h) { return h == nullptr ? 1 : Alturas[h] + (RN(h)->EsNegro() ? 1 : 0); };
        const std::int32_t l = aporte(n->Izq), d = aporte(n->Der);
        iguales &= l == d;
        Alturas[n] = l;
    });
    return iguales;
}

// A red-black tree in the strict sense: colours 0 or 1, no red node with a red
// child, the same number of black nodes on every path. The root may be red.
bool RNSano(const TArbolBin& A) {
    bool sano = true;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        sano &= RN(n)->Color <= 1;
        if (!RN(n)->EsNegro())
            for (const TNodoBin* h : {n->Izq, n->Der}) sano &= h == nullptr || RN(h)->EsNegro();
    });
    std::unordered_map<const TNodoBin*, std::int32_t> alturas;
    return sano && AlturasNegrasReales(A, alturas);
}

// Values, colours and shape in pre-order: what the red-black stream holds,
// without Guardar, whose buffer is sized by the count (which may be wrong).
std::vector<std::int64_t> ValoresYColores(const TArbolBin& A) {
    std::vector<std::int64_t> v;
    for (const TNodoBin* n : Preorden(A))
        v.push_back(std::int64_t{n->Valor} * 1024 + RN(n)->Color * 4 + (n->Izq != nullptr ? 2 : 0) +
                    (n->Der != nullptr ? 1 : 0));
    return v;
}

std::vector<std::int32_t> AlturasNegras(const TArbolBin& A) {
    std::vector<std::int32_t> v;
    for (const TNodoBin* n : Preorden(A)) v.push_back(RN(n)->AlturaNegra);
    return v;
}

// The vector and the links of a heap agree: position i holds the node whose
// Indice is i and whose value VectorValores[i] repeats, linked below the node
// of position (i-1)/2 on the side the parity of i gives.
void ComprobarVector(const TMonticulo& M) {
    Exigir(M.Vector.size() == M.VectorValores.size(), "the heap's arrays differ in length");
    Exigir(M.NumNodos >= 0 && static_cast<std::size_t>(M.NumNodos) <= M.Vector.size(),
           "the heap's vector is shorter than its count");
    Exigir(M.MaxNodos >= M.NumNodos && static_cast<std::size_t>(M.MaxNodos) <= M.Vector.size(),
           "MaxNodos is not between NumNodos and the vector's length");
    Exigir(M.NumNodos == 0 ? M.Raiz == nullptr : M.Raiz == M.Vector[0], "Raiz is not the node of position 0");
    for (std::int32_t i = 0; i < M.NumNodos; ++i) {
        const TNodoMon* n = M.Vector[i];
        Exigir(n != nullptr && n->Indice == i, "a vector position holds a node with another Indice");
        Exigir(M.VectorValores[i] == n->Valor, "VectorValores disagrees with the node");
        if (i == 0) continue;
        const TNodoMon* p = M.Vector[(i - 1) / 2];
        Exigir(n->Padre == p && (i % 2 == 1 ? p->Izq : p->Der) == n, "a heap node is not linked where its index says");
    }
}

bool OrdenMonticulo(const TMonticulo& M) {
    for (std::int32_t i = 1; i < M.NumNodos; ++i)
        if (M.VectorValores[i] < M.VectorValores[(i - 1) / 2]) return false;
    return true;
}

std::vector<std::int32_t> ValoresOrdenados(const TArbolBin& A) {
    std::vector<std::int32_t> v;
    for (const TNodoBin* n : Preorden(A)) v.push_back(n->Valor);
    std::sort(v.begin(), v.end());
    return v;
}

struct TCoordenadas {
    std::int32_t X, Y, XIni, YIni, XFin, YFin;
    bool operator==(const TCoordenadas&) const = default;
};

std::vector<TCoordenadas> Coordenadas(const TArbolBin& A) {
    std::vector<TCoordenadas> c;
    for (const TNodoBin* n : Preorden(A)) c.push_back({n->X, n->Y, n->XIni, n->YIni, n->XFin, n->YFin});
    return c;
}

// The geometry every layout gives with the sizes the option dialog allows: each level on its
// row (y = R + d(2R + Sy)), every centre inside the reported area, and
// neighbours on a row, left to right, at least 2R + 2Sx apart.
void ComprobarGeometria(const TArbolBin& A, TDistribucion D, std::int64_t R, std::int64_t Sx, std::int64_t Sy,
                        const TForma& F) {
    const std::int64_t bajada = 2 * R + Sy;
    Exigir(D.Alto == 2 * R + bajada * (F.Altura - 1), "Alto is not 2R + (2R + Sy)(height - 1)");
    std::vector<const TNodoBin*> nivel{A.Raiz}, siguiente;
    for (std::int64_t d = 0; !nivel.empty(); ++d) {
        siguiente.clear();
        for (std::size_t k = 0; k < nivel.size(); ++k) {
            const TNodoBin* n = nivel[k];
            Exigir(n->Y == R + bajada * d, "a node off its level's row");
            Exigir(n->X >= R && n->X <= D.Ancho - R, "a node outside the reported area");
            if (k > 0)
                Exigir(std::int64_t{n->X} - nivel[k - 1]->X >= 2 * R + 2 * Sx,
                       "neighbours on a row closer than 2R + 2Sx, or out of order");
            if (n->Izq != nullptr) siguiente.push_back(n->Izq);
            if (n->Der != nullptr) siguiente.push_back(n->Der);
        }
        nivel.swap(siguiente);
    }
}

std::int32_t Entero(std::span<const std::uint8_t> b) {
    const std::uint32_t u = std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) |
                            (std::uint32_t{b[3]} << 24);
    return static_cast<std::int32_t>(u);
}

struct TEtapa {
    std::string Titulo, Descripcion;
    int Tipo;
    bool operator==(const TEtapa&) const = default;
};

// One structure under test with its report hook: every report is recorded
// and checked (links consistent, the same surplus of linked nodes over
// NumNodos as at the load, NodoSel linked or nil, NodoBorrado unlinked, a
// heap's vector in agreement with its links).
struct TSujeto {
    TTipo Tipo;
    std::unique_ptr<TArbolBin> A;
    std::int64_t Desfase = 0;  // linked nodes minus NumNodos
    std::vector<TEtapa> Etapas;

    TSujeto(TTipo T, bool ComprobacionCompleta) : Tipo(T), A(Crear(T)) {
        if (Tipo == TTipo::RN) static_cast<TArbolRN&>(*A).ComprobacionCompleta = ComprobacionCompleta;
    }

    TMonticulo& Mon() const { return static_cast<TMonticulo&>(*A); }

    void Escuchar() {
        A->OnEtapa = [this](const std::string& Titulo, const std::string& Descripcion, int TipoEtapa) {
            Exigir(!Titulo.empty() && TipoEtapa >= 0 && TipoEtapa <= 2, "a malformed step report");
            Etapas.push_back({Titulo, Descripcion, TipoEtapa});
            const TNodoBin* b = A->NodoBorrado;
            if (b != nullptr)
                Exigir(b != A->Raiz && b->Padre == nullptr && b->Izq == nullptr && b->Der == nullptr,
                       "NodoBorrado is still linked during its report");
            Exigir(Forma(*A, false).Nodos - A->NumNodos == Desfase, "the count disagrees with the links at a report");
            PosicionSel(*A);
            if (Tipo == TTipo::Mon) ComprobarVector(Mon());
        };
    }

    // What must hold after every operation.
    void Comprobar() const {
        Exigir(Forma(*A).Nodos - A->NumNodos == Desfase, "an operation linked or unlinked the wrong number of nodes");
        Exigir(A->NodoBorrado == nullptr, "NodoBorrado outlived its report");
        PosicionSel(*A);
        if (Tipo == TTipo::Mon) ComprobarVector(Mon());
    }
};

// The result of one operation, as far as two runs of it can be compared.
struct TResultado {
    bool Valor = false;
    std::string Error;
    bool operator==(const TResultado&) const = default;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Datos, std::size_t Tam) {
    const std::span<const std::uint8_t> entrada(Datos, Tam);
    std::uint8_t cab[TamCabecera] = {};
    const std::size_t nCab = std::min(Tam, TamCabecera);
    std::copy_n(entrada.begin(), nCab, cab);
    const std::span<const std::uint8_t> flujo = entrada.subspan(nCab);

    const auto tipo = static_cast<TTipo>(cab[0] % 5);
    const int distribucion = cab[1] % 3;
    const std::int32_t R = static_cast<std::int8_t>(cab[2]);
    const std::int32_t Sx = static_cast<std::int8_t>(cab[3]);
    const std::int32_t Sy = static_cast<std::int8_t>(cab[4]);
    double t = cab[5] / 64.0;
    if (cab[5] == 254) t = -0.25;
    if (cab[5] == 255) t = std::nan("");
    const bool tamanosNoNegativos = R >= 0 && Sx >= 0 && Sy >= 0;
    // The sizes the option dialog allows. With R = 0 a leaf's height is 0,
    // which the separated layout takes for "no subtree".
    const bool tamanosDelDialogo = R >= 1 && Sx >= 0 && Sy >= 0;

    // ---- The same bytes as an operation list (a ".sec" file), replayed into
    // a fresh structure of the kind: the replay builds a sound structure, and
    // only a red-black tree may stop it (its deletions restore nothing, and
    // the next insertion's check reports that).
    {
        std::vector<std::int32_t> entradas = LeerListaOper(flujo);
        const std::vector<std::uint8_t> escrito = EscribirListaOper(entradas);
        Exigir(escrito.size() == flujo.size() / 4 * 4 && std::equal(escrito.begin(), escrito.end(), flujo.begin()),
               "an operation list does not write back as it was read");
        if (entradas.size() > 2048) entradas.resize(2048);
        TSujeto lista(tipo, false);
        try {
            lista.A->Reconstruir(entradas);
        } catch (const EArbol& e) {
            Exigir(tipo == TTipo::RN && std::string(e.what()) == "Fallo camino negro!",
                   "a replay raised an unexpected error");
        }
        lista.Comprobar();
        if (EsDeBusqueda(tipo)) Exigir(Ordenado(*lista.A), "a replay built an unordered tree");
        if (tipo == TTipo::AVL) Exigir(AVLSano(static_cast<TArbolAVL&>(*lista.A)), "a replay built an unbalanced AVL tree");
        if (tipo == TTipo::Mon) Exigir(OrdenMonticulo(lista.Mon()), "a replay broke the heap order");
    }

    // ---- Cargar over a structure that holds nodes and a selection.
    TSujeto sujeto(tipo, false);
    TArbolBin& arbol = *sujeto.A;
    for (std::int32_t v : {50, 30, 70, 60, 80}) arbol.Insertar(v);
    arbol.Seleccionar(30, true);
    const TNodoBin* selAntes = arbol.NodoSel;
    const std::vector<std::uint8_t> antes = arbol.Guardar();
    std::vector<std::int32_t> extraAntes, valoresAntes;
    std::int32_t maxAntes = 0;
    if (tipo == TTipo::AVL) extraAntes = Factores(arbol);
    if (tipo == TTipo::RN) extraAntes = AlturasNegras(arbol);
    if (tipo == TTipo::Mon) {
        valoresAntes = sujeto.Mon().VectorValores;
        maxAntes = sujeto.Mon().MaxNodos;
    }

    TLectorFlujo lector(flujo);
    bool cargado = true;
    try {
        arbol.Cargar(lector);
    } catch (const EFlujoInvalido&) {
        cargado = false;
    }
    Exigir(lector.Posicion() <= flujo.size(), "Cargar read past the data");

    // What Guardar must write from here on: the structure as it was, or the
    // bytes just read with the flags written as 0 or 1.
    const std::size_t tamRegistro = TamRegistro(tipo), banderas = PosBanderas(tipo);
    std::vector<std::uint8_t> esperado;
    if (cargado) {
        esperado.assign(flujo.begin(), flujo.begin() + static_cast<std::ptrdiff_t>(lector.Posicion()));
        Exigir(esperado.size() >= TamCuenta && (esperado.size() - TamCuenta) % tamRegistro == 0,
               "Cargar stopped inside a record");
        for (std::size_t k = TamCuenta; k < esperado.size(); k += tamRegistro) {
            esperado[k + banderas] = esperado[k + banderas] != 0 ? 1 : 0;
            esperado[k + banderas + 1] = esperado[k + banderas + 1] != 0 ? 1 : 0;
        }
        Exigir(arbol.NumNodos == Entero(flujo), "NumNodos is not the count read");
        Exigir(arbol.NodoSel == nullptr, "a load kept the old selection");
        if (tipo == TTipo::AVL) Exigir(static_cast<TArbolAVL&>(arbol).Consistente(), "a load left wrong factors");
        if (tipo == TTipo::RN)
            for (std::int32_t h : AlturasNegras(arbol)) Exigir(h == 0, "a loaded node has a black height");
        if (tipo == TTipo::Mon) Exigir(sujeto.Mon().MaxNodos == arbol.NumNodos, "a load did not set MaxNodos");
    } else {
        esperado = antes;
        Exigir(arbol.Guardar() == antes, "a failed load changed the structure");
        Exigir(arbol.NodoSel == selAntes, "a failed load changed the selection");
        if (tipo == TTipo::AVL) Exigir(Factores(arbol) == extraAntes, "a failed load changed the factors");
        if (tipo == TTipo::RN) Exigir(AlturasNegras(arbol) == extraAntes, "a failed load changed the black heights");
        if (tipo == TTipo::Mon)
            Exigir(sujeto.Mon().VectorValores == valoresAntes && sujeto.Mon().MaxNodos == maxAntes,
                   "a failed load changed the heap's vector");
    }
    const TForma forma = Forma(arbol);
    if (cargado)
        Exigir(static_cast<std::size_t>(forma.Nodos) == (esperado.size() - TamCuenta) / tamRegistro,
               "the nodes linked are not the records read");
    if (tipo == TTipo::Mon) {
        // Only a stream whose indices are exactly the positions of the shape loads.
        Exigir(forma.Nodos == arbol.NumNodos, "a heap loaded with a wrong count");
        ComprobarVector(sujeto.Mon());
    }
    sujeto.Desfase = forma.Nodos - arbol.NumNodos;
    const bool cuentaCorrecta = sujeto.Desfase == 0;
    Exigir(arbol.Altura() == forma.Altura, "Altura is not the height");
    if (arbol.Raiz != nullptr)
        Exigir(arbol.OpPromedio() == static_cast<double>(forma.SumaProfundidades) / arbol.NumNodos,
               "OpPromedio is not the mean depth");

    // ---- One layout, framed as the animation frames it.
    arbol.GuardarInicio();
    const std::vector<TCoordenadas> previas = Coordenadas(arbol);
    bool distribuido = true;
    TDistribucion dist;
    try {
        switch (distribucion) {
            case 0: dist = arbol.DistribuirSeparada(R, Sx, Sy); break;
            case 1: dist = arbol.DistribuirComprimida(R, Sx, Sy); break;
            default: dist = arbol.DistribuirCompleta(R, Sx, Sy); break;
        }
    } catch (const EArbol& e) {
        distribuido = false;
        // With at most a few hundred nodes and sizes under 128 no result can
        // overflow; only a count that disagrees with the nodes stops a layout.
        if (std::string(e.what()) == "Numero de elementos erroneo!")
            Exigir(distribucion == 1 && !cuentaCorrecta, "\"Numero de elementos erroneo!\" with a right count");
        else
            Exigir(!tamanosNoNegativos, "a layout failed with small sizes");
        Exigir(Coordenadas(arbol) == previas, "a failed layout wrote coordinates");
    }
    Exigir(arbol.Radio == R && arbol.SepX == Sx && arbol.SepY == Sy, "the layout did not keep R, Sx, Sy");
    if (distribucion == 1 && !cuentaCorrecta) Exigir(!distribuido, "the compressed layout accepted a wrong count");
    if (distribuido) {
        if (arbol.Raiz == nullptr) {
            Exigir(dist == TDistribucion{}, "an empty structure has an area");
        } else {
            Exigir(dist.XRaiz == arbol.Raiz->X, "XRaiz is not the root's x");
            if (tamanosDelDialogo) ComprobarGeometria(arbol, dist, R, Sx, Sy, forma);
        }
    }
    arbol.GuardarDestino();

    // ---- Hit test on the laid-out nodes: the root's centre hits the root
    // (the first node in pre-order); a point exactly R away does not.
    if (distribuido && arbol.Raiz != nullptr && R > 0) {
        TNodoBin* raiz = arbol.Raiz;
        Exigir(arbol.SeleccionarPunto(raiz->X, raiz->Y, R) && arbol.NodoSel == raiz, "the root's centre missed it");
        if (std::int64_t{raiz->X} + R <= INT32_MAX) {
            arbol.SeleccionarPunto(raiz->X + R, raiz->Y, R);
            Exigir(arbol.NodoSel != raiz, "a point R away hit the root");
        }
    }
    arbol.Deseleccionar();

    // ---- Node motion: every node between its start and its end; 1.0 puts
    // every node exactly on its end.
    arbol.Interpolar(t);
    RecorrerPreorden(arbol.Raiz, [&](TNodoBin* n, std::int32_t) {
        if (!(t > 0.0)) {
            Exigir(n->X == n->XIni && n->Y == n->YIni, "Interpolar(t <= 0) moved a node");
        } else if (t >= 1.0) {
            Exigir(n->X == n->XFin && n->Y == n->YFin, "Interpolar(t >= 1) left a node short of its end");
        } else {
            Exigir(n->X >= std::min(n->XIni, n->XFin) && n->X <= std::max(n->XIni, n->XFin) &&
                       n->Y >= std::min(n->YIni, n->YFin) && n->Y <= std::max(n->YIni, n->YFin),
                   "Interpolar put a node outside its path");
        }
    });
    arbol.Interpolar(1.0);
    RecorrerPreorden(arbol.Raiz, [&](TNodoBin* n, std::int32_t) {
        Exigir(n->X == n->XFin && n->Y == n->YFin, "Interpolar(1.0) left a node short of its end");
    });

    // ---- Guardar: layout and motion touched no link and no value.
    Exigir(arbol.Guardar() == esperado, "Guardar does not give back the stream read");

    // ---- Operations with the step reports on, on keys from the data: the
    // root's value (present) and the input's last eight bytes.
    const std::int32_t k1 = arbol.Raiz != nullptr ? arbol.Raiz->Valor : 0;
    const std::int32_t k2 = Tam >= 4 ? Entero(entrada.subspan(Tam - 4)) : static_cast<std::int32_t>(Tam);
    const std::int32_t k3 = Tam >= 8 ? Entero(entrada.subspan(Tam - 8)) : k2 ^ 1;
    sujeto.Escuchar();

    // The red-black twin: the same structure and operations with the plain
    // full black-path check.
    std::unique_ptr<TSujeto> gemelo;
    if (tipo == TTipo::RN) {
        gemelo = std::make_unique<TSujeto>(tipo, true);
        for (std::int32_t v : {50, 30, 70, 60, 80}) gemelo->A->Insertar(v);
        try {
            gemelo->A->Cargar(flujo);
        } catch (const EFlujoInvalido&) {
        }
        // A failed load leaves the prefilled tree, the same one.
        gemelo->Desfase = sujeto.Desfase;
        gemelo->Escuchar();
        Exigir(gemelo->A->Guardar() == esperado, "the red-black twin loaded something else");
    }

    enum class TOp { Buscar, Insertar, Borrar };
    auto ejecutar = [](TSujeto& S, TOp Op, std::int32_t K) {
        TResultado r;
        TArbolBin& a = *S.A;
        a.Deseleccionar();
        S.Etapas.clear();
        try {
            switch (Op) {
                case TOp::Buscar: r.Valor = a.Buscar(K); break;
                case TOp::Insertar: r.Valor = a.Insertar(K); break;
                case TOp::Borrar:
                    r.Valor = a.Seleccionar(K, true);
                    a.Borrar();
                    break;
            }
        } catch (const EFlujoInvalido&) {
            throw;
        } catch (const EArbol& e) {
            r.Error = e.what();
        }
        S.Comprobar();
        return r;
    };

    auto operar = [&](TOp Op, std::int32_t K) {
        // The promises of a sound structure, taken before the operation.
        const std::int64_t nodos = Forma(arbol).Nodos;
        const std::int32_t num = arbol.NumNodos;
        const bool presente = arbol.BuscarNodo(arbol.Raiz, K) != nullptr;
        const bool ordenado = EsDeBusqueda(tipo) && Ordenado(arbol);
        const std::vector<std::int32_t> valores = ValoresOrdenados(arbol);
        const bool avlSano = tipo == TTipo::AVL && AVLSano(static_cast<TArbolAVL&>(arbol));
        const bool rnSano = tipo == TTipo::RN && RNSano(arbol);
        const bool monOrdenado = tipo == TTipo::Mon && OrdenMonticulo(sujeto.Mon());
        const std::int32_t maxNodos = tipo == TTipo::Mon ? sujeto.Mon().MaxNodos : 0;
        const std::int32_t minimo = arbol.Raiz != nullptr ? arbol.Raiz->Valor : 0;

        const TResultado r = ejecutar(sujeto, Op, K);

        // Errors only where the engine may raise them.
        bool agregado = Op == TOp::Insertar && r.Valor;
        if (!r.Error.empty()) {
            Exigir(Op == TOp::Insertar, "an operation other than Insertar raised an error");
            if (r.Error == "Numero de elementos erroneo!") {
                // A stream may declare any count; one at the 32-bit limit
                // cannot grow, and refusing the insertion is the one sound way out.
                Exigir(num == INT32_MAX, "Insertar refused a count that can grow");
            } else if (r.Error == "Inserción en AVL: Caso imposible!") {
                Exigir(tipo == TTipo::AVL && !avlSano, "\"Caso imposible\" in a sound AVL tree");
                agregado = true;  // the node stays linked
            } else if (r.Error == "Fallo camino negro!") {
                Exigir(tipo == TTipo::RN && !rnSano, "\"Fallo camino negro!\" after an insertion into a sound tree");
                agregado = true;
            } else {
                Fallo("Insertar raised an unexpected error");
            }
        }
        std::int64_t delta = agregado ? 1 : 0;
        const bool sinBusqueda = Descriptor(tipo).BorraMinimo;
        if (sinBusqueda && Op == TOp::Borrar && num > 0) delta = -1;
        if (!sinBusqueda && Op == TOp::Borrar && r.Valor) delta = -1;
        Exigir(Forma(arbol).Nodos == nodos + delta, "an operation linked or unlinked the wrong number of nodes");
        Exigir(std::int64_t{arbol.NumNodos} == num + delta, "NumNodos does not follow the operation");

        if (EsDeBusqueda(tipo)) {
            if (Op == TOp::Insertar && r.Error.empty()) {
                Exigir(r.Valor == !presente, "Insertar's result disagrees with the search");
                if (tipo != TTipo::RN)  // a red-black insertion leaves NodoSel where its check ended
                    Exigir(arbol.NodoSel != nullptr && arbol.NodoSel->Valor == K, "Insertar left the wrong selection");
            }
            if (Op == TOp::Buscar) {
                Exigir(r.Valor == presente, "Buscar and BuscarNodo disagree");
                Exigir(r.Valor ? arbol.NodoSel != nullptr && arbol.NodoSel->Valor == K
                               : (arbol.NodoSel == nullptr) == (arbol.Raiz == nullptr),
                       "Buscar left the wrong selection");
            }
            if (Op == TOp::Borrar) Exigir(r.Valor == presente, "Seleccionar and BuscarNodo disagree");
            if (ordenado) {
                Exigir(Ordenado(arbol), "an operation broke the order");
                // The window's checks after an operation find nothing in a sound tree.
                if (tipo != TTipo::AVL || avlSano)
                    Exigir(Descriptor(tipo).Comprobar(arbol).empty(),
                           "the checks after an operation complain of a sound tree");
                if (Op == TOp::Buscar)
                    Exigir(r.Valor == std::binary_search(valores.begin(), valores.end(), K),
                           "Buscar missed a key of an ordered tree");
            }
        }
        if (tipo == TTipo::Splay && r.Error.empty() && (Op == TOp::Insertar || (Op == TOp::Buscar && r.Valor)))
            Exigir(arbol.NodoSel == arbol.Raiz && arbol.Raiz->Valor == K,
                   "the splay did not bring the key to the root");
        if (tipo == TTipo::AVL && avlSano)
            Exigir(AVLSano(static_cast<TArbolAVL&>(arbol)), "an AVL operation unbalanced the tree");
        if (tipo == TTipo::RN) {
            if (rnSano && Op == TOp::Insertar)
                Exigir(RNSano(arbol), "an insertion into a sound red-black tree broke it");
            // After a whole check every black height is the real one.
            if (agregado && r.Error.empty() && nodos > 0) {
                std::unordered_map<const TNodoBin*, std::int32_t> alturas;
                Exigir(AlturasNegrasReales(arbol, alturas), "the black-path check passed unequal paths");
                for (const TNodoBin* n : Preorden(arbol))
                    Exigir(RN(n)->AlturaNegra == alturas[n], "a black height is not the real one after a check");
            }
            const TResultado rg = ejecutar(*gemelo, Op, K);
            Exigir(rg == r, "the full black-path check gives another result or error");
            Exigir(gemelo->Etapas == sujeto.Etapas, "the full black-path check gives other reports");
            Exigir(ValoresYColores(*gemelo->A) == ValoresYColores(arbol),
                   "the full black-path check gives another tree");
            Exigir(AlturasNegras(*gemelo->A) == AlturasNegras(arbol),
                   "the full black-path check gives other black heights");
            Exigir(PosicionSel(*gemelo->A) == PosicionSel(arbol), "the full black-path check leaves another selection");
        }
        if (tipo == TTipo::Mon) {
            TMonticulo& m = sujeto.Mon();
            std::vector<std::int32_t> despues = ValoresOrdenados(arbol), cambiados = valores;
            if (Op == TOp::Insertar) {
                Exigir(r.Valor, "a heap refused an insertion");
                cambiados.insert(std::upper_bound(cambiados.begin(), cambiados.end(), K), K);
                Exigir(m.MaxNodos == std::max(maxNodos, m.NumNodos), "MaxNodos does not follow an insertion");
                if (num > 0) Exigir(arbol.NodoSel != nullptr && arbol.NodoSel->Valor == K, "the sift-up lost the key");
            } else if (Op == TOp::Borrar && num > 0) {
                // The root's value goes, and stays shown just past the end.
                cambiados.erase(std::lower_bound(cambiados.begin(), cambiados.end(), minimo));
                Exigir(m.VectorValores[m.NumNodos] == minimo, "the removed minimum is not past the end");
                Exigir(m.MaxNodos == maxNodos, "a deletion changed MaxNodos");
            } else if (Op == TOp::Buscar) {
                Exigir(arbol.NodoSel == arbol.Raiz && r.Valor == (arbol.Raiz != nullptr),
                       "the minimum was not selected");
            }
            Exigir(despues == cambiados, "a heap operation changed the wrong values");
            if (monOrdenado) Exigir(OrdenMonticulo(m), "a heap operation broke the heap order");
        }
    };

    operar(TOp::Buscar, k2);
    operar(TOp::Insertar, k2);
    operar(TOp::Insertar, k1);
    operar(TOp::Borrar, k1);
    operar(TOp::Borrar, k2);
    operar(TOp::Borrar, k1);
    // Insertions after deletions: a red-black tree's check sees what the
    // deletions left.
    operar(TOp::Insertar, k3);
    operar(TOp::Insertar, k2);
    operar(TOp::Buscar, k3);
    return 0;
}
