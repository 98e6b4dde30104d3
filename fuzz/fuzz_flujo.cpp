// libFuzzer target: Cargar of an arbitrary stream into a structure of any kind, a layout, node motion, Guardar and
// a few operations with their step reports. A loaded structure may be unordered, unbalanced, of a count unlike its
// records, with colours other than 0 and 1: nothing may crash or overflow, the engine's checker holds at every step
// report and after every operation, and the red-black full black-path check agrees with its shortcut. Input: 6 bytes
// (missing ones are 0): kind % 5 (bst, avl, rn, splay, mon) and the textbooks' algorithms when kind / 5 is odd,
// layout % 3 (separated, compressed, complete), R, Sx, Sy
// as signed bytes, t of Interpolar in 64ths (254 is -0.25, 255 NaN); then the stream, also read as operation list.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
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

void Exigir(bool Cond, const char* Que) {
    if (!Cond) std::fprintf(stderr, "fuzz_flujo: %s\n", Que), std::abort();
}

// The engine's checker, the count set to the linked nodes (NumNodos + Desfase: a stream may declare any
// count) for the check only. Comun leaves out the kind's own promises (order, balance, colours).
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

// A structure of the kind holding 50 30 70 60 80, its step reports checked and kept.
struct TSujeto {
    std::unique_ptr<TArbolBin> A;
    std::int64_t Desfase = 0;  // linked nodes minus NumNodos, as loaded
    std::vector<std::string> Etapas;  // title, description and kind

    TSujeto(TTipo T, bool ComprobacionCompleta, TVariante V)
        : A(TiposEstructura()[static_cast<std::size_t>(T)].Clase()) {
        A->Variante = V;
        if (T == TTipo::RN) static_cast<TArbolRN&>(*A).ComprobacionCompleta = ComprobacionCompleta;
        A->OnEtapa = [this](const std::string& Titulo, const std::string& Descripcion, int TipoEtapa) {
            Exigir(!Titulo.empty() && TipoEtapa >= 0 && TipoEtapa <= 2, "a malformed step report");
            Etapas.push_back(Titulo + "\n" + Descripcion + "\n" + std::to_string(TipoEtapa));
            Exigir(Revisar(*A, Desfase, TAlcance::Etapa).empty(), "a report shows a broken structure");
        };
        for (std::int32_t v : {50, 30, 70, 60, 80}) A->Insertar(v);
    }

    std::pair<bool, std::string> Ejecutar(TOp Op, std::int32_t K) {  // the result, the error
        std::pair<bool, std::string> r;
        const bool sano = Revisar(*A, Desfase, TAlcance::Todo).empty();  // then it must stay so
        A->Deseleccionar();
        Etapas.clear();
        try {
            r.first = Op == TOp::Buscar ? A->Buscar(K) : Op == TOp::Insertar ? A->Insertar(K) : A->Seleccionar(K, true);
            if (Op == TOp::Borrar) A->Borrar();
        } catch (const EArbol& e) {
            r.second = e.what();
        }
        Exigir(Revisar(*A, Desfase, sano ? TAlcance::Todo : TAlcance::Comun).empty(), "broken by an operation");
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
    const TVariante variante = cab[0] / 5 % 2 != 0 ? TVariante::Libro : TVariante::Original;
    const int distribucion = cab[1] % 3;
    const std::int32_t R = std::int8_t(cab[2]), Sx = std::int8_t(cab[3]), Sy = std::int8_t(cab[4]);
    const double t = cab[5] == 255 ? std::nan("") : cab[5] == 254 ? -0.25 : cab[5] / 64.0;
    const bool busqueda = tipo != TTipo::Mon;

    // ---- The bytes as an operation list (whole entries) write back as they were read.
    const std::vector<std::uint8_t> enteras(flujo.begin(), flujo.end() - flujo.size() % 4);
    Exigir(EscribirListaOper(LeerListaOper(flujo)) == enteras, "an operation list does not write back as read");

    // ---- Cargar over nodes and a selection: the records read (flags as 0 or 1), or nothing changed.
    TSujeto sujeto(tipo, false, variante);
    TArbolBin& arbol = *sujeto.A;
    arbol.Seleccionar(30, true);
    const std::vector<std::int64_t> antes = Huella(arbol);
    TLectorFlujo lector(flujo);
    bool cargado = true;
    try { arbol.Cargar(lector); } catch (const EFlujoInvalido&) { cargado = false; }
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
    std::int64_t nodos = 0, altura = 0;
    RecorrerPreorden(arbol.Raiz, [&](TNodoBin*, std::int32_t d) {
        ++nodos;
        altura = std::max<std::int64_t>(altura, d + 1);
    });
    sujeto.Desfase = nodos - arbol.NumNodos;
    Exigir(!cargado || std::size_t(nodos) == (esperado.size() - 4) / tamRegistro, "the nodes are not the records");
    Exigir(busqueda || sujeto.Desfase == 0, "a heap loaded with a count other than its nodes");
    Exigir(Revisar(arbol, sujeto.Desfase, TAlcance::Comun).empty(), "a load left a broken structure");

    // ---- One layout, framed as the animation frames it. With sizes under 128 nothing overflows: only a
    // compressed layout of a wrong count fails, or one with negative sizes.
    arbol.GuardarInicio();
    constexpr TDistribucion (TArbolBin::*Distribuir[])(std::int32_t, std::int32_t, std::int32_t) = {
        &TArbolBin::DistribuirSeparada, &TArbolBin::DistribuirComprimida, &TArbolBin::DistribuirCompleta};
    TDistribucion dist;
    std::string fallo;
    try { dist = (arbol.*Distribuir[distribucion])(R, Sx, Sy); } catch (const EArbol& e) { fallo = e.what(); }
    const bool distribuido = fallo.empty(), cuentaMala = distribucion == 1 && sujeto.Desfase != 0;
    Exigir(distribuido ? !cuentaMala : fallo == "Numero de elementos erroneo!" ? cuentaMala : R < 0 || Sx < 0 || Sy < 0,
           "a layout failed with a right count and small sizes, or succeeded with a wrong count");
    if (distribuido && arbol.Raiz != nullptr && R >= 1 && Sx >= 0 && Sy >= 0) {  // the dialog's sizes
        const std::int64_t bajada = 2 * R + Sy;
        Exigir(dist.XRaiz == arbol.Raiz->X && dist.Alto == 2 * R + bajada * (altura - 1),
               "XRaiz is not the root's x, or Alto is not 2R + (2R + Sy)(height - 1)");
        RecorrerPreorden(arbol.Raiz, [&](TNodoBin* n, std::int32_t d) {
            Exigir(n->Y == R + bajada * d && n->X >= R && n->X <= dist.Ancho - R, "a node off its row or its area");
        });
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

    // ---- Operations on keys from the data: the root's value (present) and the input's last eight bytes, with
    // insertions after deletions (a red-black check sees what they left). A red-black twin with the full
    // black-path check loads the same stream and must give the same results, reports and structures. Only an
    // insertion may fail, with its count or its kind's impossible case; with the textbooks' algorithms a red-black
    // deletion too, on a tree that was no red-black tree.
    const std::int32_t k1 = arbol.Raiz != nullptr ? arbol.Raiz->Valor : 0;
    const std::int32_t k2 = Tam >= 4 ? TLectorFlujo(entrada.subspan(Tam - 4)).LeerEntero() : std::int32_t(Tam);
    const std::int32_t k3 = Tam >= 8 ? TLectorFlujo(entrada.subspan(Tam - 8)).LeerEntero() : k2 ^ 1;
    std::unique_ptr<TSujeto> gemelo = tipo == TTipo::RN ? std::make_unique<TSujeto>(tipo, true, variante) : nullptr;
    if (gemelo != nullptr && cargado) gemelo->A->Cargar(flujo);
    if (gemelo != nullptr) gemelo->Desfase = sujeto.Desfase;
    const std::string imposible = tipo == TTipo::AVL ? "Inserción en AVL: Caso imposible!"
                                  : tipo == TTipo::RN ? "Fallo camino negro!" : "";
    for (const auto& [Op, K] : {std::pair{TOp::Buscar, k2}, {TOp::Insertar, k2}, {TOp::Insertar, k1},
                                {TOp::Borrar, k1}, {TOp::Borrar, k2}, {TOp::Borrar, k1},
                                {TOp::Insertar, k3}, {TOp::Insertar, k2}, {TOp::Buscar, k3}}) {
        const bool ordenado = busqueda && ClavesEnOrden(arbol);
        const auto [valor, error] = sujeto.Ejecutar(Op, K);
        Exigir(error.empty() ||
                   (Op == TOp::Insertar && (error == imposible || error == "Numero de elementos erroneo!")) ||
                   (Op == TOp::Borrar && variante == TVariante::Libro && error == imposible),
               "an unexpected error");
        Exigir(!ordenado || ClavesEnOrden(arbol), "an operation broke the order");
        if (gemelo != nullptr)
            Exigir(gemelo->Ejecutar(Op, K) == std::make_pair(valor, error) && gemelo->Etapas == sujeto.Etapas &&
                       Huella(*gemelo->A) == Huella(arbol), "the full black-path check gives another result or tree");
    }
    return 0;
}
