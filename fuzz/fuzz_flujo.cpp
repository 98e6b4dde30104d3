// libFuzzer target: Cargar of an arbitrary stream into a search tree that
// already holds nodes, then a layout, the hit test, node motion, Guardar and a
// few search-tree operations on whatever was loaded. Every property that is
// cheap to check is checked, and a violation aborts so that the fuzzer keeps
// the input. Only the engine's own exceptions are caught, and only where the
// engine may raise them; anything else escapes and crashes the run.
//
// Input: a 5-byte header, then the stream. Missing header bytes count as 0.
//   byte 0     the layout, modulo 3: 0 separated, 1 compressed, 2 complete
//   bytes 1-3  R, Sx, Sy as signed bytes
//   byte 4     t of Interpolar in 64ths (0 to 3.98); 254 is -0.25, 255 NaN

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "uArbolBST.h"

namespace {

constexpr std::size_t TamCabecera = 5;
constexpr std::size_t TamCuenta = 4;
constexpr std::size_t TamRegistro = 6;  // Valor, left flag, right flag

[[noreturn]] void Fallo(const char* Que) {
    std::fprintf(stderr, "fuzz_flujo: %s\n", Que);
    std::abort();
}

void Exigir(bool Cond, const char* Que) {
    if (!Cond) Fallo(Que);
}

struct TForma {
    std::int64_t Nodos = 0;
    std::int32_t Altura = 0;
    std::int64_t SumaProfundidades = 0;  // the root at depth 1
};

// Measures the linked nodes with a walk of its own (an explicit stack, not the
// engine's parent-link walk) and checks the links on the way: the root has no
// parent, every child's Padre is the node linking to it, no node is marked.
TForma Forma(const TArbolBin& A) {
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
        Exigir(!n->Marcado, "a node was left marked");
        for (const TNodoBin* h : {n->Der, n->Izq}) {
            if (h == nullptr) continue;
            Exigir(h->Padre == n, "a child's Padre is not the node linking to it");
            pila.push_back({h, prof + 1});
        }
    }
    return f;
}

struct TCoordenadas {
    std::int32_t X, Y, XIni, YIni, XFin, YFin;
    bool operator==(const TCoordenadas&) const = default;
};

std::vector<TCoordenadas> Coordenadas(const TArbolBin& A) {
    std::vector<TCoordenadas> c;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        c.push_back({n->X, n->Y, n->XIni, n->YIni, n->XFin, n->YFin});
    });
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Datos, std::size_t Tam) {
    const std::span<const std::uint8_t> entrada(Datos, Tam);
    std::uint8_t cab[TamCabecera] = {};
    const std::size_t nCab = std::min(Tam, TamCabecera);
    std::copy_n(entrada.begin(), nCab, cab);
    const std::span<const std::uint8_t> flujo = entrada.subspan(nCab);

    const int tipo = cab[0] % 3;
    const std::int32_t R = static_cast<std::int8_t>(cab[1]);
    const std::int32_t Sx = static_cast<std::int8_t>(cab[2]);
    const std::int32_t Sy = static_cast<std::int8_t>(cab[3]);
    double t = cab[4] / 64.0;
    if (cab[4] == 254) t = -0.25;
    if (cab[4] == 255) t = std::nan("");
    const bool tamanosNoNegativos = R >= 0 && Sx >= 0 && Sy >= 0;
    // The sizes the option dialog allows. With R = 0 a leaf's height is 0,
    // which the separated layout takes for "no subtree".
    const bool tamanosDelDialogo = R >= 1 && Sx >= 0 && Sy >= 0;

    // ---- Cargar over a structure that holds nodes and a selection.
    TArbolBST arbol;
    for (std::int32_t v : {50, 30, 70, 60, 80}) arbol.Insertar(v);
    arbol.Seleccionar(30, true);
    const TNodoBin* selAntes = arbol.NodoSel;
    const std::vector<std::uint8_t> antes = arbol.Guardar();

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
    std::vector<std::uint8_t> esperado;
    if (cargado) {
        esperado.assign(flujo.begin(), flujo.begin() + static_cast<std::ptrdiff_t>(lector.Posicion()));
        Exigir(esperado.size() >= TamCuenta && (esperado.size() - TamCuenta) % TamRegistro == 0,
               "Cargar stopped inside a record");
        for (std::size_t k = TamCuenta; k < esperado.size(); k += TamRegistro) {
            esperado[k + 4] = esperado[k + 4] != 0 ? 1 : 0;
            esperado[k + 5] = esperado[k + 5] != 0 ? 1 : 0;
        }
        Exigir(arbol.NumNodos == Entero(flujo), "NumNodos is not the count read");
        Exigir(arbol.NodoSel == nullptr, "a load kept the old selection");
    } else {
        esperado = antes;
        Exigir(arbol.Guardar() == antes, "a failed load changed the structure");
        Exigir(arbol.NodoSel == selAntes, "a failed load changed the selection");
    }
    const TForma forma = Forma(arbol);
    if (cargado)
        Exigir(static_cast<std::size_t>(forma.Nodos) == (esperado.size() - TamCuenta) / TamRegistro,
               "the nodes linked are not the records read");
    const bool cuentaCorrecta = forma.Nodos == arbol.NumNodos;
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
        switch (tipo) {
            case 0: dist = arbol.DistribuirSeparada(R, Sx, Sy); break;
            case 1: dist = arbol.DistribuirComprimida(R, Sx, Sy); break;
            default: dist = arbol.DistribuirCompleta(R, Sx, Sy); break;
        }
    } catch (const EArbol& e) {
        distribuido = false;
        // With at most a few hundred nodes and sizes under 128 no result can
        // overflow; only a count that disagrees with the nodes stops a layout.
        if (std::string(e.what()) == "Numero de elementos erroneo!")
            Exigir(tipo == 1 && !cuentaCorrecta, "\"Numero de elementos erroneo!\" with a right count");
        else
            Exigir(!tamanosNoNegativos, "a layout failed with small sizes");
        Exigir(Coordenadas(arbol) == previas, "a failed layout wrote coordinates");
    }
    Exigir(arbol.Radio == R && arbol.SepX == Sx && arbol.SepY == Sy, "the layout did not keep R, Sx, Sy");
    if (tipo == 1 && !cuentaCorrecta) Exigir(!distribuido, "the compressed layout accepted a wrong count");
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

    // ---- A few operations, with the step reports on, on keys from the data:
    // the root's value (present) and the input's last four bytes.
    const std::int32_t k1 = arbol.Raiz != nullptr ? arbol.Raiz->Valor : 0;
    const std::int32_t k2 = Tam >= 4 ? Entero(entrada.subspan(Tam - 4)) : static_cast<std::int32_t>(Tam);
    arbol.OnEtapa = [&](const std::string& Titulo, const std::string&, int TipoEtapa) {
        Exigir(!Titulo.empty() && TipoEtapa >= 0 && TipoEtapa <= 2, "a malformed step report");
        const TNodoBin* b = arbol.NodoBorrado;
        if (b != nullptr)
            Exigir(b != arbol.Raiz && b->Padre == nullptr && b->Izq == nullptr && b->Der == nullptr,
                   "NodoBorrado is still linked during its report");
    };
    auto cambio = [&](std::int64_t Nodos, std::int64_t Num, std::int64_t Delta) {
        Exigir(Forma(arbol).Nodos == Nodos + Delta, "an operation linked or unlinked the wrong number of nodes");
        Exigir(std::int64_t{arbol.NumNodos} == Num + Delta, "NumNodos does not follow the operation");
        Exigir(arbol.NodoBorrado == nullptr, "NodoBorrado outlived its report");
    };

    std::int64_t nodos = Forma(arbol).Nodos, num = arbol.NumNodos;
    arbol.Deseleccionar();
    const bool hallado = arbol.Buscar(k2);
    Exigir(hallado == (arbol.BuscarNodo(arbol.Raiz, k2) != nullptr), "Buscar and BuscarNodo disagree");
    Exigir(hallado ? arbol.NodoSel != nullptr && arbol.NodoSel->Valor == k2
                   : (arbol.NodoSel == nullptr) == (arbol.Raiz == nullptr),
           "Buscar left the wrong selection");
    cambio(nodos, num, 0);

    for (std::int32_t k : {k2, k1}) {
        nodos = Forma(arbol).Nodos;
        num = arbol.NumNodos;
        arbol.Deseleccionar();
        const bool presente = arbol.BuscarNodo(arbol.Raiz, k) != nullptr;
        bool insertado = false;
        try {
            insertado = arbol.Insertar(k);
        } catch (const EArbol&) {
            // A stream may declare any count; one at the 32-bit limit cannot
            // grow, and refusing the insertion is the one sound way out.
            Exigir(num == INT32_MAX, "Insertar raised an error");
            cambio(nodos, num, 0);
            continue;
        }
        Exigir(insertado == !presente, "Insertar's result disagrees with the search");
        Exigir(arbol.NodoSel != nullptr && arbol.NodoSel->Valor == k, "Insertar left the wrong selection");
        cambio(nodos, num, insertado ? 1 : 0);
    }
    for (std::int32_t k : {k1, k2, k1}) {
        nodos = Forma(arbol).Nodos;
        num = arbol.NumNodos;
        arbol.Deseleccionar();
        const bool seleccionado = arbol.Seleccionar(k, true);
        arbol.Borrar();
        cambio(nodos, num, seleccionado ? -1 : 0);
    }
    return 0;
}
