// libFuzzer target: Cargar of an arbitrary stream into a structure of any kind that holds nodes, a layout,
// node motion, Guardar and a few operations with their step reports, the engine's invariant checker at every
// report and after every operation. A loaded structure may be unordered, unbalanced, of a count unlike its
// records, with colours other than 0 and 1: then links, marks, counts and a heap's vector must still hold,
// and what a sound structure promises only while it has it. A red-black tree runs twice, the second time
// with the plain full black-path check. Input: a 6-byte header (missing bytes are 0): the kind modulo 5
// (bst, avl, rn, splay, mon), the layout modulo 3 (separated, compressed, complete), R, Sx, Sy as signed
// bytes, t of Interpolar in 64ths (254 is -0.25, 255 NaN); then the stream, also read as an operation list.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "uArbolAVL.h"
#include "uArbolRN.h"
#include "uInvariantes.h"
#include "uListaOper.h"
#include "uMonticulo.h"
#include "uTipos.h"

namespace {

enum class TTipo { BST, AVL, RN, Splay, Mon };  // in the order of the descriptors
enum class TAlcance { Etapa, Comun, Todo };
enum class TOp { Buscar, Insertar, Borrar };

const TTipoEstructura& Descriptor(TTipo T) { return TiposEstructura()[static_cast<std::size_t>(T)]; }
const TNodoRN* RN(const TNodoBin* n) { return static_cast<const TNodoRN*>(n); }
void Exigir(bool Cond, const char* Que) {
    if (!Cond) std::fprintf(stderr, "fuzz_flujo: %s\n", Que), std::abort();
}

// The linked nodes level by level, left to right.
using TNiveles = std::vector<std::vector<const TNodoBin*>>;
TNiveles Niveles(const TArbolBin& A) {
    TNiveles v;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t d) {
        v.resize(std::max<std::size_t>(v.size(), d + 1));
        v[d].push_back(n);
    });
    return v;
}

// The engine's checker, the count set to the linked nodes (NumNodos + Desfase: a stream may declare any
// count) for the check only. Comun leaves out the kind's own promises.
std::string Revisar(TArbolBin& A, std::int64_t Desfase, TAlcance Alcance) {
    const std::int32_t num = A.NumNodos;
    A.NumNodos = static_cast<std::int32_t>(num + Desfase);
    std::string r = InvarianteEnEtapa(A);
    if (r.empty() && Alcance != TAlcance::Etapa) r = Invariante(A);
    if (Alcance == TAlcance::Comun && !r.empty() && r == TipoDe(A)->Invariante(A)) r.clear();
    A.NumNodos = num;
    return r;
}

// What an operation or a failed load could change: the stream, each node's figure (factor, black height,
// index) and selection, a heap's vector and MaxNodos.
std::vector<std::int64_t> Huella(const TArbolBin& A) {
    const std::vector<std::uint8_t> g = A.Guardar();
    std::vector<std::int64_t> h(g.begin(), g.end());
    const TTipoEstructura& t = *TipoDe(A);
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        h.insert(h.end(), {t.Cifra.Valor != nullptr ? t.Cifra.Valor(*n) : 0, n == A.NodoSel});
    });
    if (const TMonticulo* m = t.FilaVector != nullptr ? t.FilaVector(A) : nullptr) {
        h.insert(h.end(), m->VectorValores.begin(), m->VectorValores.end());
        h.push_back(m->MaxNodos);
    }
    return h;
}

std::vector<std::int32_t> Valores(const TArbolBin& A) {  // sorted
    std::vector<std::int32_t> v;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) { v.push_back(n->Valor); });
    std::sort(v.begin(), v.end());
    return v;
}

// A red-black tree in the strict sense, which the engine's checker leaves out (deletions break it):
// colours 0 or 1, no red node with a red child, the same number of black nodes on every path.
bool RNEstricto(const TArbolBin& A) {
    std::unordered_map<const TNodoBin*, std::int32_t> negras;  // below the node, nil counting one
    auto aporte = [&](const TNodoBin* h) { return h == nullptr ? 1 : negras[h] + (RN(h)->EsNegro() ? 1 : 0); };
    auto rojo = [](const TNodoBin* h) { return h != nullptr && !RN(h)->EsNegro(); };
    bool sano = true;
    RecorrerPostorden(A.Raiz, [&](TNodoBin* n) {
        sano &= RN(n)->Color <= 1 && aporte(n->Izq) == aporte(n->Der) && !(rojo(n) && (rojo(n->Izq) || rojo(n->Der)));
        negras[n] = aporte(n->Izq);
    });
    return sano;
}

// A structure made by its kind's descriptor, holding 50 30 70 60 80; its reports are kept and checked.
struct TSujeto {
    std::unique_ptr<TArbolBin> A;
    std::int64_t Desfase = 0;  // linked nodes minus NumNodos, as loaded
    std::vector<std::string> Etapas;  // title, description and kind

    TSujeto(TTipo T, bool ComprobacionCompleta) : A(Descriptor(T).Clase()) {
        Exigir(TipoDe(*A) == &Descriptor(T), "a descriptor's structure leads to another descriptor");
        if (T == TTipo::RN) static_cast<TArbolRN&>(*A).ComprobacionCompleta = ComprobacionCompleta;
        A->OnEtapa = [this](const std::string& Titulo, const std::string& Descripcion, int TipoEtapa) {
            Exigir(!Titulo.empty() && TipoEtapa >= 0 && TipoEtapa <= 2, "a malformed step report");
            Etapas.push_back(Titulo + "\n" + Descripcion + "\n" + std::to_string(TipoEtapa));
            const TNodoBin* b = A->NodoBorrado;
            Exigir(!b || (!b->Padre && !b->Izq && !b->Der), "NodoBorrado is still linked during its report");
            Exigir(Revisar(*A, Desfase, TAlcance::Etapa).empty(), "a report shows a broken structure");
        };
        for (std::int32_t v : {50, 30, 70, 60, 80}) A->Insertar(v);
    }

    std::pair<bool, std::string> Ejecutar(TOp Op, std::int32_t K) {  // the result, the error
        std::pair<bool, std::string> r;
        A->Deseleccionar();
        Etapas.clear();
        try {
            r.first = Op == TOp::Buscar ? A->Buscar(K) : Op == TOp::Insertar ? A->Insertar(K) : A->Seleccionar(K, true);
            if (Op == TOp::Borrar) A->Borrar();
        } catch (const EArbol& e) {
            r.second = e.what();
        }
        Exigir(Revisar(*A, Desfase, TAlcance::Comun).empty(), "an operation left a broken structure");
        return r;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Datos, std::size_t Tam) {
    const std::span<const std::uint8_t> entrada(Datos, Tam);
    std::uint8_t cab[6] = {};
    std::copy_n(entrada.begin(), std::min<std::size_t>(Tam, 6), cab);
    const std::span<const std::uint8_t> flujo = entrada.subspan(std::min<std::size_t>(Tam, 6));
    const auto tipo = static_cast<TTipo>(cab[0] % 5);
    const int distribucion = cab[1] % 3;
    const std::int32_t R = std::int8_t(cab[2]), Sx = std::int8_t(cab[3]), Sy = std::int8_t(cab[4]);
    const double t = cab[5] == 255 ? std::nan("") : cab[5] == 254 ? -0.25 : cab[5] / 64.0;
    const bool busqueda = tipo != TTipo::Mon;

    // ---- The bytes as an operation list (whole entries) write back as they were read.
    const std::vector<std::uint8_t> enteras(flujo.begin(), flujo.end() - flujo.size() % 4);
    Exigir(EscribirListaOper(LeerListaOper(flujo)) == enteras, "an operation list does not write back as read");

    // ---- Cargar over nodes and a selection: the records read (flags as 0 or 1), or nothing changed.
    TSujeto sujeto(tipo, false);
    TArbolBin& arbol = *sujeto.A;
    arbol.Seleccionar(30, true);
    const std::vector<std::int64_t> antes = Huella(arbol);
    TLectorFlujo lector(flujo);
    bool cargado = true;
    try { arbol.Cargar(lector); } catch (const EFlujoInvalido&) { cargado = false; }
    Exigir(lector.Posicion() <= flujo.size(), "Cargar read past the data");
    const std::size_t tamRegistro = tipo == TTipo::RN ? 7 : busqueda ? 6 : 10;
    std::vector<std::uint8_t> esperado = arbol.Guardar();
    if (cargado) {
        esperado.assign(flujo.begin(), flujo.begin() + static_cast<std::ptrdiff_t>(lector.Posicion()));
        Exigir(esperado.size() >= 4 && (esperado.size() - 4) % tamRegistro == 0, "Cargar stopped inside a record");
        for (std::size_t k = 2 + tamRegistro; k < esperado.size(); k += tamRegistro)
            esperado[k] = esperado[k] != 0, esperado[k + 1] = esperado[k + 1] != 0;
        Exigir(arbol.NumNodos == TLectorFlujo(flujo).LeerEntero() && arbol.NodoSel == nullptr,
               "a load kept the old count or selection");
        Exigir(tipo != TTipo::AVL || static_cast<TArbolAVL&>(arbol).Consistente(), "a load left wrong factors");
        Exigir(busqueda || static_cast<TMonticulo&>(arbol).MaxNodos == arbol.NumNodos, "a load did not set MaxNodos");
    } else {
        Exigir(Huella(arbol) == antes, "a failed load changed the structure");
    }
    const TNiveles niveles = Niveles(arbol);
    std::int64_t nodos = 0, profundidades = 0;
    for (std::size_t d = 0; d < niveles.size(); ++d)
        nodos += std::int64_t(niveles[d].size()), profundidades += std::int64_t((d + 1) * niveles[d].size());
    sujeto.Desfase = nodos - arbol.NumNodos;
    Exigir(!cargado || std::size_t(nodos) == (esperado.size() - 4) / tamRegistro, "the nodes are not the records");
    Exigir(busqueda || sujeto.Desfase == 0, "a heap loaded with a count other than its nodes");
    Exigir(Revisar(arbol, sujeto.Desfase, TAlcance::Comun).empty(), "a load left a broken structure");
    Exigir(arbol.Altura() == std::int32_t(niveles.size()), "Altura is not the height");
    Exigir(!nodos || arbol.OpPromedio() == double(profundidades) / arbol.NumNodos, "OpPromedio is not the mean depth");

    // ---- One layout, framed as the animation frames it. With sizes under 128 nothing overflows: only a
    // compressed layout of a wrong count fails, or one with negative sizes, and writes no coordinates.
    arbol.GuardarInicio();
    auto coordenadas = [&] {
        std::vector<std::int32_t> c;
        RecorrerPreorden(arbol.Raiz, [&](TNodoBin* n, std::int32_t) { c.insert(c.end(), {n->X, n->Y, n->XIni}); });
        return c;
    };
    const std::vector<std::int32_t> previas = coordenadas();
    TDistribucion (TArbolBin::*distribuir)(std::int32_t, std::int32_t, std::int32_t) =
        distribucion == 0 ? &TArbolBin::DistribuirSeparada
        : distribucion == 1 ? &TArbolBin::DistribuirComprimida : &TArbolBin::DistribuirCompleta;
    TDistribucion dist;
    std::string fallo;
    try { dist = (arbol.*distribuir)(R, Sx, Sy); } catch (const EArbol& e) { fallo = e.what(); }
    const bool distribuido = fallo.empty();
    Exigir(distribuido || (fallo == "Numero de elementos erroneo!" ? distribucion == 1 && sujeto.Desfase != 0
                                                                  : R < 0 || Sx < 0 || Sy < 0),
           "a layout failed with a right count or small sizes");
    Exigir(distribuido || coordenadas() == previas, "a failed layout wrote coordinates");
    Exigir(arbol.Radio == R && arbol.SepX == Sx && arbol.SepY == Sy, "the layout did not keep R, Sx, Sy");
    Exigir(distribucion != 1 || sujeto.Desfase == 0 || !distribuido, "the compressed layout accepted a wrong count");
    Exigir(!distribuido || arbol.Raiz != nullptr || dist == TDistribucion{}, "an empty structure has an area");
    if (distribuido && arbol.Raiz != nullptr) {
        Exigir(dist.XRaiz == arbol.Raiz->X, "XRaiz is not the root's x");
        // With the dialog's sizes (R >= 1): each level on its row, every centre inside the area,
        // neighbours on a row left to right at least 2R + 2Sx apart.
        const bool dialogo = R >= 1 && Sx >= 0 && Sy >= 0;
        const std::int64_t bajada = 2 * R + Sy, alto = 2 * R + bajada * (std::int64_t(niveles.size()) - 1);
        Exigir(!dialogo || dist.Alto == alto, "Alto is not 2R + (2R + Sy)(height - 1)");
        for (std::size_t d = 0; dialogo && d < niveles.size(); ++d)
            for (std::size_t k = 0; k < niveles[d].size(); ++k) {
                const TNodoBin* n = niveles[d][k];
                Exigir(n->Y == R + bajada * std::int64_t(d) && n->X >= R && n->X <= dist.Ancho - R &&
                           (k == 0 || std::int64_t{n->X} - niveles[d][k - 1]->X >= 2 * R + 2 * Sx),
                       "a node off its row, outside the area or too close to its neighbour");
            }
    }
    arbol.GuardarDestino();
    // ---- Node motion: every node between its start and its end, on its end from 1.0.
    for (const double s : {t, 1.0}) {
        arbol.Interpolar(s);
        RecorrerPreorden(arbol.Raiz, [&](TNodoBin* n, std::int32_t) {
            auto entre = [&](std::int32_t v, std::int32_t a, std::int32_t b) {
                return !(s > 0.0) ? v == a : s >= 1.0 ? v == b : v >= std::min(a, b) && v <= std::max(a, b);
            };
            Exigir(entre(n->X, n->XIni, n->XFin) && entre(n->Y, n->YIni, n->YFin), "a node off its path");
        });
    }
    Exigir(arbol.Guardar() == esperado, "Guardar does not give back the stream read");

    // ---- Operations on keys from the data: the root's value (present) and the input's last eight bytes.
    // A red-black twin runs them with the full black-path check.
    const std::int32_t k1 = arbol.Raiz != nullptr ? arbol.Raiz->Valor : 0;
    const std::int32_t k2 = Tam >= 4 ? TLectorFlujo(entrada.subspan(Tam - 4)).LeerEntero() : std::int32_t(Tam);
    const std::int32_t k3 = Tam >= 8 ? TLectorFlujo(entrada.subspan(Tam - 8)).LeerEntero() : k2 ^ 1;
    std::unique_ptr<TSujeto> gemelo = tipo == TTipo::RN ? std::make_unique<TSujeto>(tipo, true) : nullptr;
    if (gemelo != nullptr) {
        try { gemelo->A->Cargar(flujo); } catch (const EFlujoInvalido&) {}
        gemelo->Desfase = sujeto.Desfase;
        Exigir(gemelo->A->Guardar() == esperado, "the red-black twin loaded something else");
    }

    TMonticulo* m = busqueda ? nullptr : &static_cast<TMonticulo&>(arbol);
    for (const auto& [Op, K] : {std::pair{TOp::Buscar, k2}, {TOp::Insertar, k2}, {TOp::Insertar, k1},
                                {TOp::Borrar, k1}, {TOp::Borrar, k2}, {TOp::Borrar, k1},
                                // Insertions after deletions: a red-black check sees what they left.
                                {TOp::Insertar, k3}, {TOp::Insertar, k2}, {TOp::Buscar, k3}}) {
        // The promises of a sound structure, taken before the operation.
        const std::int32_t num = arbol.NumNodos, maxNodos = m ? m->MaxNodos : 0;
        const std::int32_t minimo = arbol.Raiz ? arbol.Raiz->Valor : 0;  // a heap's
        const bool presente = arbol.BuscarNodo(arbol.Raiz, K) != nullptr;
        const bool sano = Revisar(arbol, sujeto.Desfase, TAlcance::Todo).empty();
        const bool ordenado = busqueda && ClavesEnOrden(arbol);
        const bool rnEstricto = tipo == TTipo::RN && RNEstricto(arbol);
        std::vector<std::int32_t> valores = Valores(arbol);
        const auto [valor, error] = sujeto.Ejecutar(Op, K);
        // Errors only where the engine may raise them; after a failed check the node stays linked.
        Exigir(error.empty() || (Op == TOp::Insertar && (error == "Numero de elementos erroneo!" ? num == INT32_MAX
                                 : error == "Inserción en AVL: Caso imposible!" ? tipo == TTipo::AVL && !sano
                                 : error == "Fallo camino negro!" && tipo == TTipo::RN && !rnEstricto)),
               "an unexpected error, or in a sound structure");
        const bool agregado = Op == TOp::Insertar && (error.empty() ? valor : error != "Numero de elementos erroneo!");
        const bool quitado = Op == TOp::Borrar && (busqueda ? valor : num > 0);
        Exigir(arbol.NumNodos == std::int64_t{num} + (quitado ? -1 : agregado), "NumNodos does not follow");
        Exigir(!sano || Revisar(arbol, sujeto.Desfase, TAlcance::Todo).empty(), "an operation broke a sound structure");
        Exigir(!ordenado || ClavesEnOrden(arbol), "an operation broke the order");
        // An insertion adds its key, a deletion takes its key (a heap's: its minimum).
        if (agregado) valores.insert(std::upper_bound(valores.begin(), valores.end(), K), K);
        if (quitado) valores.erase(std::lower_bound(valores.begin(), valores.end(), busqueda ? K : minimo));
        Exigir(Valores(arbol) == valores, "an operation changed the wrong values");
        // The selection: the key inserted (a red-black insertion's: where its check ended) or found, else
        // where the search stopped; a heap's minimum. A heap shows its removed minimum just past the end.
        const bool selK = arbol.NodoSel != nullptr && arbol.NodoSel->Valor == K;
        Exigir(Op != TOp::Insertar || !error.empty() ||
                   (busqueda ? valor == !presente && (tipo == TTipo::RN || selK)
                             : valor && (num == 0 || selK) && m->MaxNodos == std::max(maxNodos, m->NumNodos)),
               "Insertar's result disagrees with the search, or it left the wrong selection");
        Exigir(Op != TOp::Buscar ||
                   (busqueda ? valor == presente && (valor ? selK : !arbol.NodoSel == !arbol.Raiz) &&
                                   (!sano || valor == std::binary_search(valores.begin(), valores.end(), K))
                             : arbol.NodoSel == arbol.Raiz && valor == (arbol.Raiz != nullptr)),
               "Buscar disagrees with the keys, or left the wrong selection");
        Exigir(Op != TOp::Borrar || (busqueda ? valor == presente : num == 0 || (m->MaxNodos == maxNodos &&
                                                                             m->VectorValores[m->NumNodos] == minimo)),
               "Seleccionar disagrees with BuscarNodo, or the heap's removed minimum is not past the end");
        Exigir(tipo != TTipo::Splay || !error.empty() || Op == TOp::Borrar || (Op == TOp::Buscar && !valor) ||
                   (arbol.NodoSel == arbol.Raiz && selK), "the splay did not bring the key to the root");
        // The window's checks after an operation find nothing in a sound tree.
        Exigir(!sano || !busqueda || Descriptor(tipo).Comprobar(arbol).empty(), "the window's checks complain");
        if (tipo == TTipo::RN) {
            Exigir(!rnEstricto || Op != TOp::Insertar || RNEstricto(arbol), "an insertion broke a red-black tree");
            Exigir(gemelo->Ejecutar(Op, K) == std::make_pair(valor, error) && gemelo->Etapas == sujeto.Etapas &&
                       Huella(*gemelo->A) == Huella(arbol), "the full black-path check gives another result or tree");
        }
    }
    return 0;
}
