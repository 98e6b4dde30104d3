// libFuzzer target: Cargar of an arbitrary stream into a structure of any of the five kinds that already
// holds nodes, then a layout, the hit test, node motion, Guardar and a few operations with the step reports
// on. The engine's invariant checker runs at every report and after every operation; a violation aborts.
// A loaded structure may be anything the format holds (unordered, unbalanced, a count that disagrees with
// its records, colour bytes other than 0 and 1): then only what no input excuses must hold (links, marks,
// counts, a heap's vector); what a sound structure promises is checked while it still has it. A red-black
// tree runs twice, the second time with the plain full black-path check. The bytes after the header are
// also replayed as an operation list.
// Input: a 6-byte header (missing bytes count as 0), then the stream.
//   byte 0 the kind modulo 5 (bst, avl, rn, splay, mon); byte 1 the layout modulo 3 (separated,
//   compressed, complete); bytes 2-4 R, Sx, Sy as signed bytes; byte 5 t of Interpolar in 64ths,
//   254 is -0.25, 255 NaN. Records: value, flags (bst, avl, splay); value, colour, flags (rn);
//   value, index, flags (mon).


#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <tuple>
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

const TTipoEstructura& Descriptor(TTipo T) { return TiposEstructura()[static_cast<std::size_t>(T)]; }

void Exigir(bool Cond, const char* Que) {
    if (Cond) return;
    std::fprintf(stderr, "fuzz_flujo: %s\n", Que);
    std::abort();
}

const TNodoRN* RN(const TNodoBin* n) { return static_cast<const TNodoRN*>(n); }

// The linked nodes level by level, following the child links only.
using TNiveles = std::vector<std::vector<const TNodoBin*>>;
TNiveles Niveles(const TArbolBin& A) {
    TNiveles v;
    for (std::vector<const TNodoBin*> nivel{A.Raiz}; A.Raiz != nullptr && !nivel.empty();) {
        v.push_back(std::move(nivel));
        nivel.clear();
        for (const TNodoBin* n : v.back())
            for (const TNodoBin* h : {n->Izq, n->Der})
                if (h != nullptr) nivel.push_back(h);
    }
    return v;
}

enum class TAlcance { Etapa, Comun, Todo };

// The engine's checker. A loaded stream may declare any count: the count is set to the linked nodes
// (NumNodos + Desfase) for the check only. Comun leaves out the kind's own promises.
std::string Revisar(TArbolBin& A, std::int64_t Desfase, TAlcance Alcance) {
    const std::int32_t num = A.NumNodos;
    A.NumNodos = static_cast<std::int32_t>(num + Desfase);
    std::string r = InvarianteEnEtapa(A);
    if (r.empty() && Alcance != TAlcance::Etapa) r = Invariante(A);
    if (Alcance == TAlcance::Comun && !r.empty() && r == TipoDe(A)->Invariante(A)) r.clear();
    A.NumNodos = num;
    return r;
}

// What an operation or a failed load could change: the stream, each node's figure (factor, black
// height, index) and selection, a heap's vector and MaxNodos.
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

std::vector<std::int32_t> ValoresOrdenados(const TArbolBin& A) {
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
    const TNiveles v = Niveles(A);
    for (auto nivel = v.rbegin(); nivel != v.rend(); ++nivel)
        for (const TNodoBin* n : *nivel) {
            sano &= RN(n)->Color <= 1 && aporte(n->Izq) == aporte(n->Der) && !(rojo(n) && (rojo(n->Izq) || rojo(n->Der)));
            negras[n] = aporte(n->Izq);
        }
    return sano;
}

std::int32_t Entero(std::span<const std::uint8_t> b) {
    return static_cast<std::int32_t>(b[0] | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) |
                                     (std::uint32_t{b[3]} << 24));
}

// One structure under test, made by its kind's descriptor; its report hook records and checks every report.
struct TSujeto {
    std::unique_ptr<TArbolBin> A;
    std::int64_t Desfase = 0;  // linked nodes minus NumNodos, as loaded
    std::vector<std::tuple<std::string, std::string, int>> Etapas;

    TSujeto(TTipo T, bool ComprobacionCompleta) : A(Descriptor(T).Clase()) {
        Exigir(TipoDe(*A) == &Descriptor(T), "a descriptor's structure leads to another descriptor");
        if (T == TTipo::RN) static_cast<TArbolRN&>(*A).ComprobacionCompleta = ComprobacionCompleta;
        for (std::int32_t v : {50, 30, 70, 60, 80}) A->Insertar(v);
    }

    void Escuchar() {
        A->OnEtapa = [this](const std::string& Titulo, const std::string& Descripcion, int TipoEtapa) {
            Exigir(!Titulo.empty() && TipoEtapa >= 0 && TipoEtapa <= 2, "a malformed step report");
            Etapas.emplace_back(Titulo, Descripcion, TipoEtapa);
            const TNodoBin* b = A->NodoBorrado;
            Exigir(b == nullptr || (b->Padre == nullptr && b->Izq == nullptr && b->Der == nullptr),
                   "NodoBorrado is still linked during its report");
            Exigir(Revisar(*A, Desfase, TAlcance::Etapa).empty(), "a report shows a broken structure");
        };
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
    const std::int32_t R = static_cast<std::int8_t>(cab[2]), Sx = static_cast<std::int8_t>(cab[3]),
                       Sy = static_cast<std::int8_t>(cab[4]);
    const double t = cab[5] == 255 ? std::nan("") : cab[5] == 254 ? -0.25 : cab[5] / 64.0;
    const bool busqueda = tipo != TTipo::Mon;

    // ---- The bytes as an operation list, replayed: a sound structure, unless a red-black tree stops
    // (its deletions restore nothing, and the next insertion's check says so).
    {
        std::vector<std::int32_t> entradas = LeerListaOper(flujo);
        const std::vector<std::uint8_t> escrito = EscribirListaOper(entradas);
        Exigir(escrito.size() == flujo.size() / 4 * 4 && std::equal(escrito.begin(), escrito.end(), flujo.begin()),
               "an operation list does not write back as it was read");
        entradas.resize(std::min<std::size_t>(entradas.size(), 2048));
        TSujeto lista(tipo, false);
        bool fallo = false;
        try {
            lista.A->Reconstruir(entradas);
        } catch (const EArbol& e) {
            fallo = true;
            Exigir(tipo == TTipo::RN && std::string(e.what()) == "Fallo camino negro!", "a replay raised an error");
        }
        Exigir(Revisar(*lista.A, 0, fallo ? TAlcance::Comun : TAlcance::Todo).empty() &&
                   (!busqueda || ClavesEnOrden(*lista.A)), "a replay built an unsound structure");
    }

    // ---- Cargar over a structure holding nodes and a selection: it takes the records read, flags
    // written back as 0 or 1, or changes nothing.
    TSujeto sujeto(tipo, false);
    TArbolBin& arbol = *sujeto.A;
    arbol.Seleccionar(30, true);
    const std::vector<std::int64_t> antes = Huella(arbol);
    TLectorFlujo lector(flujo);
    bool cargado = true;
    try {
        arbol.Cargar(lector);
    } catch (const EFlujoInvalido&) {
        cargado = false;
    }
    Exigir(lector.Posicion() <= flujo.size(), "Cargar read past the data");
    const std::size_t tamRegistro = tipo == TTipo::RN ? 7 : tipo == TTipo::Mon ? 10 : 6;
    std::vector<std::uint8_t> esperado = arbol.Guardar();
    if (cargado) {
        esperado.assign(flujo.begin(), flujo.begin() + static_cast<std::ptrdiff_t>(lector.Posicion()));
        Exigir(esperado.size() >= 4 && (esperado.size() - 4) % tamRegistro == 0, "Cargar stopped inside a record");
        for (std::size_t k = 2 + tamRegistro; k < esperado.size(); k += tamRegistro)
            esperado[k] = esperado[k] != 0, esperado[k + 1] = esperado[k + 1] != 0;
        Exigir(arbol.NumNodos == Entero(flujo) && arbol.NodoSel == nullptr, "a load kept the old count or selection");
        Exigir(tipo != TTipo::AVL || static_cast<TArbolAVL&>(arbol).Consistente(), "a load left wrong factors");
        if (tipo == TTipo::RN)
            RecorrerPreorden(arbol.Raiz, [](TNodoBin* n, std::int32_t) {
                Exigir(RN(n)->AlturaNegra == 0, "a loaded node has a black height");
            });
        Exigir(busqueda || static_cast<TMonticulo&>(arbol).MaxNodos == arbol.NumNodos, "a load did not set MaxNodos");
    } else {
        Exigir(Huella(arbol) == antes, "a failed load changed the structure");
    }
    const TNiveles niveles = Niveles(arbol);
    std::int64_t nodos = 0, profundidades = 0;
    for (std::size_t d = 0; d < niveles.size(); ++d) {
        nodos += std::int64_t(niveles[d].size());
        profundidades += std::int64_t(d + 1) * std::int64_t(niveles[d].size());
    }
    sujeto.Desfase = nodos - arbol.NumNodos;
    Exigir(!cargado || std::size_t(nodos) == (esperado.size() - 4) / tamRegistro, "the nodes are not the records read");
    // Only a heap stream whose indices are exactly the positions of the shape loads.
    Exigir(busqueda || sujeto.Desfase == 0, "a heap loaded with a wrong count");
    Exigir(Revisar(arbol, sujeto.Desfase, TAlcance::Comun).empty(), "a load left a broken structure");
    Exigir(arbol.Altura() == std::int32_t(niveles.size()), "Altura is not the height");
    Exigir(nodos == 0 || arbol.OpPromedio() == double(profundidades) / arbol.NumNodos, "OpPromedio is not the mean depth");

    // ---- One layout, framed as the animation frames it.
    arbol.GuardarInicio();
    auto coordenadas = [&] {
        std::vector<std::int32_t> c;
        RecorrerPreorden(arbol.Raiz, [&](TNodoBin* n, std::int32_t) { c.insert(c.end(), {n->X, n->Y, n->XIni, n->YIni}); });
        return c;
    };
    const std::vector<std::int32_t> previas = coordenadas();
    bool distribuido = true;
    TDistribucion dist;
    try {
        dist = distribucion == 0   ? arbol.DistribuirSeparada(R, Sx, Sy)
               : distribucion == 1 ? arbol.DistribuirComprimida(R, Sx, Sy)
                                   : arbol.DistribuirCompleta(R, Sx, Sy);
    } catch (const EArbol& e) {
        distribuido = false;
        // With a few hundred nodes and sizes under 128 nothing overflows; only a count that disagrees
        // with the nodes stops a layout, and only the compressed one.
        Exigir(std::string(e.what()) == "Numero de elementos erroneo!" ? distribucion == 1 && sujeto.Desfase != 0
                                                                      : R < 0 || Sx < 0 || Sy < 0,
               "a layout failed with a right count or small sizes");
        Exigir(coordenadas() == previas, "a failed layout wrote coordinates");
    }
    Exigir(arbol.Radio == R && arbol.SepX == Sx && arbol.SepY == Sy, "the layout did not keep R, Sx, Sy");
    Exigir(distribucion != 1 || sujeto.Desfase == 0 || !distribuido, "the compressed layout accepted a wrong count");
    Exigir(!distribuido || arbol.Raiz != nullptr || dist == TDistribucion{}, "an empty structure has an area");
    if (distribuido && arbol.Raiz != nullptr) {
        Exigir(dist.XRaiz == arbol.Raiz->X, "XRaiz is not the root's x");
        // With the dialog's sizes: each level on its row (y = R + d(2R + Sy)), every centre inside the
        // area, neighbours on a row left to right at least 2R + 2Sx apart. (With R = 0 a leaf's height
        // is 0, which the separated layout takes for "no subtree".)
        const std::int64_t bajada = 2 * R + Sy;
        for (std::size_t d = 0; R >= 1 && Sx >= 0 && Sy >= 0 && d < niveles.size(); ++d)
            for (std::size_t k = 0; k < niveles[d].size(); ++k) {
                const TNodoBin* n = niveles[d][k];
                Exigir(n->Y == R + bajada * std::int64_t(d) && n->X >= R && n->X <= dist.Ancho - R &&
                           (k == 0 || std::int64_t{n->X} - niveles[d][k - 1]->X >= 2 * R + 2 * Sx),
                       "a node off its row, outside the area or too close to its neighbour");
                Exigir(dist.Alto == 2 * R + bajada * (std::int64_t(niveles.size()) - 1), "Alto is not as the height");
            }
        // The hit test: the root's centre hits it, a point exactly R away does not.
        TNodoBin* raiz = arbol.Raiz;
        if (R > 0 && std::int64_t{raiz->X} + R <= INT32_MAX) {
            Exigir(arbol.SeleccionarPunto(raiz->X, raiz->Y, R) && arbol.NodoSel == raiz, "the root's centre missed it");
            arbol.SeleccionarPunto(raiz->X + R, raiz->Y, R);
            Exigir(arbol.NodoSel != raiz, "a point R away hit the root");
        }
    }
    arbol.GuardarDestino();
    arbol.Deseleccionar();

    // ---- Node motion: every node between its start and its end, on its end from 1.0.
    for (const double s : {t, 1.0}) {
        arbol.Interpolar(s);
        RecorrerPreorden(arbol.Raiz, [&](TNodoBin* n, std::int32_t) {
            auto entre = [&](std::int32_t v, std::int32_t a, std::int32_t b) {
                return !(s > 0.0) ? v == a : s >= 1.0 ? v == b : v >= std::min(a, b) && v <= std::max(a, b);
            };
            Exigir(entre(n->X, n->XIni, n->XFin) && entre(n->Y, n->YIni, n->YFin), "Interpolar put a node off its path");
        });
    }
    Exigir(arbol.Guardar() == esperado, "Guardar does not give back the stream read");

    // ---- Operations with the step reports on, on keys from the data: the root's value (present) and
    // the input's last eight bytes. A red-black twin runs them with the full black-path check.
    const std::int32_t k1 = arbol.Raiz != nullptr ? arbol.Raiz->Valor : 0;
    const std::int32_t k2 = Tam >= 4 ? Entero(entrada.subspan(Tam - 4)) : static_cast<std::int32_t>(Tam);
    const std::int32_t k3 = Tam >= 8 ? Entero(entrada.subspan(Tam - 8)) : k2 ^ 1;
    sujeto.Escuchar();
    std::unique_ptr<TSujeto> gemelo;
    if (tipo == TTipo::RN) {
        gemelo = std::make_unique<TSujeto>(tipo, true);
        try {
            gemelo->A->Cargar(flujo);
        } catch (const EFlujoInvalido&) {
        }
        gemelo->Desfase = sujeto.Desfase;
        gemelo->Escuchar();
        Exigir(gemelo->A->Guardar() == esperado, "the red-black twin loaded something else");
    }

    enum class TOp { Buscar, Insertar, Borrar };
    auto ejecutar = [](TSujeto& S, TOp Op, std::int32_t K) {  // the result and the error message
        std::pair<bool, std::string> r{false, ""};
        S.A->Deseleccionar();
        S.Etapas.clear();
        try {
            if (Op == TOp::Buscar) r.first = S.A->Buscar(K);
            if (Op == TOp::Insertar) r.first = S.A->Insertar(K);
            if (Op == TOp::Borrar) r.first = S.A->Seleccionar(K, true), S.A->Borrar();
        } catch (const EFlujoInvalido&) {
            throw;
        } catch (const EArbol& e) {
            r.second = e.what();
        }
        Exigir(Revisar(*S.A, S.Desfase, TAlcance::Comun).empty(), "an operation left a broken structure");
        return r;
    };

    auto operar = [&](TOp Op, std::int32_t K) {
        // The promises of a sound structure, taken before the operation.
        const std::int32_t num = arbol.NumNodos;
        const bool presente = arbol.BuscarNodo(arbol.Raiz, K) != nullptr;
        const bool sano = Revisar(arbol, sujeto.Desfase, TAlcance::Todo).empty();
        const bool ordenado = busqueda && ClavesEnOrden(arbol);
        const bool rnEstricto = tipo == TTipo::RN && RNEstricto(arbol);
        const std::vector<std::int32_t> valores = ValoresOrdenados(arbol);
        TMonticulo* m = busqueda ? nullptr : &static_cast<TMonticulo&>(arbol);
        const std::int32_t maxNodos = m != nullptr ? m->MaxNodos : 0;
        const std::int32_t minimo = arbol.Raiz != nullptr ? arbol.Raiz->Valor : 0;

        const auto [valor, error] = ejecutar(sujeto, Op, K);

        // Errors only where the engine may raise them. A count at the 32-bit limit cannot grow; after a
        // failed check the node stays linked.
        bool agregado = Op == TOp::Insertar && valor;
        if (!error.empty()) {
            Exigir(Op == TOp::Insertar, "an operation other than Insertar raised an error");
            Exigir(error == "Numero de elementos erroneo!" ? num == INT32_MAX
                   : error == "Inserción en AVL: Caso imposible!" ? tipo == TTipo::AVL && !sano
                                                                   : error == "Fallo camino negro!" && tipo == TTipo::RN && !rnEstricto,
                   "Insertar raised an unexpected error, or in a sound tree");
            agregado = error != "Numero de elementos erroneo!";
        }
        std::int32_t delta = agregado ? 1 : 0;
        if (Op == TOp::Borrar && (busqueda ? valor : num > 0)) delta = -1;
        Exigir(std::int64_t{arbol.NumNodos} == std::int64_t{num} + delta, "NumNodos does not follow the operation");
        Exigir(!sano || Revisar(arbol, sujeto.Desfase, TAlcance::Todo).empty(), "an operation broke a sound structure");

        if (busqueda) {
            Exigir(!ordenado || ClavesEnOrden(arbol), "an operation broke the order");
            // A red-black insertion leaves NodoSel where its check ended.
            Exigir(Op != TOp::Insertar || !error.empty() ||
                       (valor == !presente && (tipo == TTipo::RN || (arbol.NodoSel && arbol.NodoSel->Valor == K))),
                   "Insertar's result disagrees with the search, or it left the wrong selection");
            Exigir(Op != TOp::Buscar || (valor == presente && (valor ? arbol.NodoSel && arbol.NodoSel->Valor == K
                                                                     : !arbol.NodoSel == !arbol.Raiz)),
                   "Buscar disagrees with BuscarNodo or left the wrong selection");
            Exigir(Op != TOp::Borrar || valor == presente, "Seleccionar and BuscarNodo disagree");
            // The window's checks after an operation find nothing in a sound tree.
            Exigir(!sano || Descriptor(tipo).Comprobar(arbol).empty(), "the checks after an operation complain");
            Exigir(!sano || Op != TOp::Buscar || valor == std::binary_search(valores.begin(), valores.end(), K),
                   "Buscar missed a key of an ordered tree");
        }
        if (tipo == TTipo::Splay && error.empty() && (Op == TOp::Insertar || (Op == TOp::Buscar && valor)))
            Exigir(arbol.NodoSel == arbol.Raiz && arbol.Raiz->Valor == K, "the splay did not bring the key to the root");
        if (tipo == TTipo::RN) {
            Exigir(!rnEstricto || Op != TOp::Insertar || RNEstricto(arbol), "an insertion broke a red-black tree");
            // After a whole check every black height is the one the rule gives.
            Exigir(!agregado || !error.empty() || !ordenado || InvariantesTipo::RN(arbol).empty(),
                   "the black-path check left wrong black heights");
            const auto rg = ejecutar(*gemelo, Op, K);
            Exigir(rg == std::make_pair(valor, error) && gemelo->Etapas == sujeto.Etapas &&
                       Huella(*gemelo->A) == Huella(arbol), "the full black-path check gives another result or tree");
        }
        if (m != nullptr) {
            std::vector<std::int32_t> cambiados = valores;
            if (Op == TOp::Insertar) {
                Exigir(valor && m->MaxNodos == std::max(maxNodos, m->NumNodos), "a heap insertion refused, or MaxNodos");
                cambiados.insert(std::upper_bound(cambiados.begin(), cambiados.end(), K), K);
                Exigir(num == 0 || (arbol.NodoSel && arbol.NodoSel->Valor == K), "the sift-up lost the key");
            } else if (Op == TOp::Borrar && num > 0) {
                // The root's value goes, and stays shown just past the end.
                cambiados.erase(std::lower_bound(cambiados.begin(), cambiados.end(), minimo));
                Exigir(m->VectorValores[m->NumNodos] == minimo && m->MaxNodos == maxNodos,
                       "the removed minimum is not past the end, or MaxNodos changed");
            } else if (Op == TOp::Buscar) {
                Exigir(arbol.NodoSel == arbol.Raiz && valor == (arbol.Raiz != nullptr), "the minimum was not selected");
            }
            Exigir(ValoresOrdenados(arbol) == cambiados, "a heap operation changed the wrong values");
        }
    };

    for (const auto& [op, k] : {std::pair{TOp::Buscar, k2}, {TOp::Insertar, k2}, {TOp::Insertar, k1},
                                {TOp::Borrar, k1}, {TOp::Borrar, k2}, {TOp::Borrar, k1},
                                // Insertions after deletions: a red-black check sees what they left.
                                {TOp::Insertar, k3}, {TOp::Insertar, k2}, {TOp::Buscar, k3}})
        operar(op, k);
    return 0;
}
