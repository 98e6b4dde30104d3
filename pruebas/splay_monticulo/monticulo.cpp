// The heap: the reports of insertion, deletion of the minimum, access to the
// minimum and the bottom-up construction as data; the vector's growth, the
// stale cells and their drawing; the unordered builder and the program's
// pseudo-random generator; a handler that throws.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "comprobacion_monticulo.h"

namespace {

using TValores = std::vector<std::int32_t>;

// clang-format off
const std::string Insercion = "Inserción de elemento", Ascendente = "Reestructuración ascendente",
                  Descendente = "Reestructuración descendente", BorradoMinimo = "Borrado del mínimo";
TEtapaVista Minimo(Opt sel) {
    return {"Acceso al mínimo", "El elemento menor es la raiz (primer elemento del vector).", 0, {}, sel, nil};
}
TEtapaVista InsertaRaiz(Opt sel) { return {Insercion, "El elemento pasa a ser la raiz.", 1, {}, sel, nil}; }
TEtapaVista InsertaAlFinal(std::int32_t x) {
    return {Insercion, "Se inserta al final del vector. Se realiza una reestructuración ascendente.", 2, {}, x, nil};
}
// A report of the walk of x; marks in pre-order (the upper cell first).
TEtapaVista Paso(const std::string& T, const char* D, int Tipo, TValores M, std::int32_t x, Opt borrado = nil) {
    return {T, D, Tipo, std::move(M), x, borrado};
}
// The ascent of x; p is the value in its parent's cell.
TEtapaVista ComparaPadre(std::int32_t p, std::int32_t x) {
    return Paso(Ascendente, "Se compara el nodo seleccionado con su padre.", 0, {p, x}, x);
}
TEtapaVista MayorQuePadre(std::int32_t p, std::int32_t x) {
    return Paso(Ascendente, "El nodo seleccionado es mayor que el padre. Se termina la reestructuración.", 0, {p, x},
                x);
}
// After the exchange: x in the upper cell, p below it.
TEtapaVista MenorQuePadre(std::int32_t x, std::int32_t p) {
    return Paso(Ascendente, "El nodo seleccionado es menor que el padre. Se intercambia con él y continúa la "
                "reestructuración.", 2, {x, p}, x);
}
TEtapaVista AscRaiz(std::int32_t x) {
    return Paso(Ascendente, "El nodo seleccionado ha llegado a la raiz. Se termina la reestructuración.", 0, {}, x);
}
// The descent of x; c is the value of its smaller child.
TEtapaVista EsHoja(std::int32_t x, Opt borrado = nil) {
    return Paso(Descendente, "El nodo seleccionado es una hoja. Se termina la reestructuración.", 0, {}, x, borrado);
}
TEtapaVista ComparaHijo(std::int32_t x, std::int32_t c, Opt borrado = nil) {
    return Paso(Descendente, "Se compara el nodo seleccionado con su hijo menor.", 2, {x, c}, x, borrado);
}
TEtapaVista MenorQueHijo(std::int32_t x, std::int32_t c) {
    return Paso(Descendente, "El nodo seleccionado es menor que el hijo menor. Se termina la reestructuración.", 0,
                {x, c}, x);
}
// After the exchange: c in the upper cell, x below it.
TEtapaVista MayorQueHijo(std::int32_t c, std::int32_t x) {
    return Paso(Descendente, "El nodo seleccionado es mayor que el hijo menor. Se intercambia con él y continúa la "
                "reestructuración.", 2, {c, x}, x);
}
TEtapaVista QuedaVacio(std::int32_t x) { return Paso(BorradoMinimo, "El montículo pasa a estar vacío.", 0, {}, x); }
// The last value u and the minimum m, before and after their exchange.
TEtapaVista IntercambiaConUltimo(std::int32_t u, std::int32_t m) {
    return Paso(BorradoMinimo, "Se intercambia la raiz con el último elemento del vector.", 0, {u}, m);
}
TEtapaVista EliminaUltimo(std::int32_t u, std::int32_t m) {
    return Paso(BorradoMinimo, "Se elimina el último elemento y se realiza una reestructuración descendente desde "
                "la raiz.", 1, {u}, m);
}
// clang-format on

enum TOpMon { MonInsertar, MonBorrar, MonBuscar, MonCrear };

struct TCaso {
    const char* Nombre;
    TValores Inicial;  // loaded, so MaxNodos starts at its length
    TOpMon Op;
    std::int32_t Valor;
    std::optional<bool> Resultado;  // none for a deletion or a construction
    TValores Final;
    TValores Grises;
    Opt SelFinal;
    TEtapas Etapas;
};

void PrintTo(const TCaso& c, std::ostream* os) {
    *os << c.Nombre;
}

std::optional<bool> Ejecutar(TMonticulo& m, TOpMon Op, std::int32_t Valor) {
    m.Deseleccionar();
    if (Op == MonInsertar) return m.Insertar(Valor);
    if (Op == MonBuscar) return m.Buscar(Valor);
    Op == MonBorrar ? m.Borrar() : m.CrearMonticulo();
    return std::nullopt;
}

constexpr std::nullopt_t Nada = std::nullopt;

// clang-format off
const TCaso Casos[] = {
    // Ascents to the root, stopped below it, and not begun on an equal parent.
    {"InsertarEnVacio", {}, MonInsertar, 5, true, {5}, {}, nil, {InsertaRaiz(nil)}},
    {"InsertarSubeHastaLaRaiz", {3, 5, 8}, MonInsertar, 1, true, {1, 3, 8, 5}, {}, 1,
     {InsertaAlFinal(1), ComparaPadre(5, 1), MenorQuePadre(1, 5), ComparaPadre(3, 1), MenorQuePadre(1, 3),
      AscRaiz(1)}},
    {"InsertarSubeYSeDetiene", {1, 5, 3}, MonInsertar, 4, true, {1, 4, 3, 5}, {}, 4,
     {InsertaAlFinal(4), ComparaPadre(5, 4), MenorQuePadre(4, 5), ComparaPadre(1, 4), MayorQuePadre(1, 4)}},
    {"InsertarIgualAlPadreNoSube", {2}, MonInsertar, 2, true, {2, 2}, {}, 2,
     {InsertaAlFinal(2), ComparaPadre(2, 2), MayorQuePadre(2, 2)}},
    // Deletion of the minimum: the removed node is NodoBorrado at the first
    // report of the descent only; its value stays in the cell past the end.
    {"BorrarEnVacio", {}, MonBorrar, 0, Nada, {}, {}, nil, {}},
    {"BorrarElUnico", {7}, MonBorrar, 0, Nada, {}, {7}, nil, {QuedaVacio(7)}},
    {"BorrarDeDos", {1, 2}, MonBorrar, 0, Nada, {2}, {1}, 2,
     {IntercambiaConUltimo(2, 1), EliminaUltimo(2, 1), EsHoja(2, 1)}},
    {"BorrarHijosIgualesEligeElIzquierdo", {1, 4, 4, 9}, MonBorrar, 0, Nada, {4, 9, 4}, {1}, 9,
     {IntercambiaConUltimo(9, 1), EliminaUltimo(9, 1), ComparaHijo(9, 4, 1), MayorQueHijo(4, 9), EsHoja(9)}},
    {"BorrarEligeElDerecho", {1, 3, 2, 4, 5, 6}, MonBorrar, 0, Nada, {2, 3, 6, 4, 5}, {1}, 6,
     {IntercambiaConUltimo(6, 1), EliminaUltimo(6, 1), ComparaHijo(6, 2, 1), MayorQueHijo(2, 6), EsHoja(6)}},
    {"BorrarSeDetieneAntesDeLasHojas", {1, 2, 3, 9, 9, 4, 5}, MonBorrar, 0, Nada, {2, 5, 3, 9, 9, 4}, {1}, 5,
     {IntercambiaConUltimo(5, 1), EliminaUltimo(5, 1), ComparaHijo(5, 2, 1), MayorQueHijo(2, 5), ComparaHijo(5, 9),
      MenorQueHijo(5, 9)}},
    // Access to the minimum: the value given plays no part.
    {"BuscarEnVacio", {}, MonBuscar, 5, false, {}, {}, nil, {Minimo(nil)}},
    {"BuscarDaLaRaiz", {2, 7, 4}, MonBuscar, 99, true, {2, 7, 4}, {}, 2, {Minimo(2)}},
    // The bottom-up construction starts at (n-1) div 2: a leaf for odd n.
    {"CrearDeCinco", {5, 4, 3, 2, 1}, MonCrear, 0, Nada, {1, 2, 3, 5, 4}, {}, 5,
     {EsHoja(3),
      ComparaHijo(4, 1), MayorQueHijo(1, 4), EsHoja(4),
      ComparaHijo(5, 1), MayorQueHijo(1, 5), ComparaHijo(5, 2), MayorQueHijo(2, 5), EsHoja(5)}},
    {"CrearDeUno", {7}, MonCrear, 0, Nada, {7}, {}, nil, {}},
    {"CrearVacio", {}, MonCrear, 0, Nada, {}, {}, nil, {}},
};
// clang-format on

class EtapasMonticulo : public ::testing::TestWithParam<TCaso> {};

// With reports on (the vector, the links and the values in agreement at
// every one) and off, the same result; every removed node destroyed once.
TEST_P(EtapasMonticulo, SecuenciaYResultado) {
    const TCaso& c = GetParam();
    for (bool informes : {true, false}) {
        SCOPED_TRACE(informes ? "reports on" : "reports off");
        {
            TMonticuloContado m;
            CargarVector(m, c.Inicial);
            std::optional<TGrabadora> g;
            if (informes) g.emplace(m).Vigilar([&] { return ComprobarMonticuloEnEtapa(m); });
            EXPECT_EQ(Ejecutar(m, c.Op, c.Valor), c.Resultado);
            if (g) {
                EXPECT_EQ(g->Etapas, c.Etapas);
            }
            EXPECT_EQ(Vivos(m), c.Final);
            EXPECT_EQ(Grises(m), c.Grises);
            EXPECT_EQ(ValorSel(m), c.SelFinal);
            EXPECT_EQ(ComprobarMonticulo(m), "");
            EXPECT_EQ(TNodoMonContado::Vivos, m.NumNodos);
        }
        EXPECT_EQ(TNodoMonContado::Vivos, 0);
    }
}

// A handler that throws out of any report (a window closed while a step was
// shown) leaves a sound heap: no mark, the removed node destroyed once, the
// vector and the links in agreement and, where it held before, the heap
// order. A deletion abandoned before its last node leaves the tree leaves
// the heap as it was; later, the removal has happened.
TEST_P(EtapasMonticulo, ManejadorQueLanzaDejaMonticuloSano) {
    const TCaso& c = GetParam();
    const bool ordenado = std::is_sorted(c.Inicial.begin(), c.Inicial.end()) || c.Op != MonCrear;
    for (std::size_t k = 0; k < c.Etapas.size(); ++k) {
        SCOPED_TRACE("thrown from report " + std::to_string(k));
        {
            TMonticuloContado m;
            CargarVector(m, c.Inicial);
            TGrabadora g(m);
            g.InterrumpirEn(k);
            EXPECT_THROW(Ejecutar(m, c.Op, c.Valor), TInterrupcion);
            EXPECT_EQ(g.Etapas.size(), k + 1);
            EXPECT_EQ(ComprobarMonticulo(m, ordenado), "") << ::testing::PrintToString(Vivos(m));
            EXPECT_EQ(TNodoMonContado::Vivos, m.NumNodos);
            TValores vivos = Vivos(m), esperados = c.Op == MonBorrar && k < 2 ? c.Inicial : c.Final;
            if (c.Op != MonBorrar || k >= 2) {
                std::sort(vivos.begin(), vivos.end());
                std::sort(esperados.begin(), esperados.end());
            }
            EXPECT_EQ(vivos, esperados);
            m.OnEtapa = nullptr;  // the heap stays usable
            m.Insertar(-1);
            m.Borrar();
            EXPECT_EQ(ComprobarMonticulo(m, ordenado), "");
        }
        EXPECT_EQ(TNodoMonContado::Vivos, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Monticulo, EtapasMonticulo, ::testing::ValuesIn(Casos),
                         [](const ::testing::TestParamInfo<TCaso>& i) { return std::string(i.param.Nombre); });

// Values travel, nodes stay; with the values the nodes exchange their drawn
// positions. A new node is first drawn at its parent's place; the removed
// minimum leaves from the root's place.
TEST(PosicionesMonticulo, InsercionYBorrado) {
    TMonticulo m;
    CargarVector(m, {3, 5, 8});
    m.DistribuirCompleta(20, 10, 10);
    const std::vector<TNodoMon*> nodos(m.Vector.begin(), m.Vector.begin() + 3);
    auto pos = [](const TNodoBin* n) { return std::make_pair(n->X, n->Y); };
    const auto p1 = pos(m.Vector[1]);
    TGrabadora g(m);
    g.Ademas = [&](const TEtapaVista& e) {
        if (e.Descripcion.starts_with("Se inserta al final")) {
            EXPECT_EQ(pos(m.NodoSel), p1);
        }
    };
    m.Insertar(1);
    ASSERT_EQ(Vivos(m), (TValores{1, 3, 8, 5}));
    EXPECT_TRUE(std::equal(nodos.begin(), nodos.end(), m.Vector.begin()));

    m.DistribuirCompleta(20, 10, 10);
    const auto p0 = pos(m.Vector[0]), p3 = pos(m.Vector[3]);
    TNodoMon* ultimo = m.Vector[3];
    int vistos = 0;
    g.Ademas = [&](const TEtapaVista& e) {
        if (e.Descripcion.starts_with("Se elimina")) {
            // Still linked, now holding the minimum, where the root was drawn.
            ++vistos;
            EXPECT_EQ(m.NumNodos, 4);
            EXPECT_EQ(m.Raiz->Izq->Izq, ultimo);
            EXPECT_EQ(ultimo->Valor, 1);
            EXPECT_EQ(pos(ultimo), p0);
            EXPECT_EQ(pos(m.Raiz), p3);
        }
        if (e.Borrado) {
            ++vistos;
            EXPECT_EQ(m.NodoBorrado, ultimo);
            EXPECT_EQ(m.Raiz->Izq->Izq, nullptr);
            EXPECT_EQ(pos(ultimo), p0);
        }
    };
    m.Borrar();
    EXPECT_EQ(vistos, 2);
    EXPECT_EQ(m.Vector[0], nodos[0]);
}

// Repeated deletions lay the removed minima out in the stale cells, the
// smallest last; the drawing of the vector row sees them greyed, after the
// tree's four passes.
TEST(VectorMonticulo, BorradosSucesivos) {
    TMonticulo m;
    for (std::int32_t v : {5, 3, 8, 1}) m.Insertar(v);
    // The vector row: the first NumNodos cells hold the nodes' values, the
    // later ones keep the values deleted from them.
    auto celdas = [&] {
        std::vector<std::int32_t> c(m.VectorValores.begin(), m.VectorValores.begin() + m.MaxNodos);
        for (std::int32_t i = 0; i < m.NumNodos; ++i) EXPECT_EQ(m.Vector[i]->Valor, c[i]);
        return c;
    };
    m.Deseleccionar();
    m.Borrar();
    EXPECT_EQ(celdas(), (std::vector<std::int32_t>{3, 5, 8, 1}));
    EXPECT_EQ(m.NumNodos, 3);

    for (int i = 0; i < 3; ++i) m.Borrar();
    EXPECT_EQ(m.Raiz, nullptr);
    EXPECT_EQ(celdas(), (std::vector<std::int32_t>{8, 5, 3, 1}));
    EXPECT_EQ(ComprobarMonticulo(m), "");

    m.Vaciar();
    EXPECT_EQ(m.MaxNodos, 0);
}

// A replayed entry -v removes the minimum whatever v is (even a v that is
// absent, or the least 32-bit key); 0 inserts 0. Nothing is reported.
TEST(VectorMonticulo, ReconstruirBorraSiempreElMinimo) {
    TMonticulo m;
    CargarVector(m, {9, 9, 9, 9, 9});
    TGrabadora g(m);
    const std::int32_t e[] = {5, 3, 8, -100, 0, -7, 4, std::numeric_limits<std::int32_t>::min()};
    m.Reconstruir(e);
    EXPECT_TRUE(g.Etapas.empty());
    EXPECT_TRUE(m.MostrarEtapas());
    EXPECT_EQ(Vivos(m), (TValores{5, 8}));
    EXPECT_EQ(Grises(m), (TValores{4}));
    EXPECT_EQ(ComprobarMonticulo(m), "");
}

// Each draw first advances the seed (seed x 134775813 + 1, modulo 2^32),
// then takes the high 32 bits of n x seed (the permutations below pin the
// ordinary draws).
TEST(Aleatorio, ValoresConocidos) {
    TAleatorio r;
    EXPECT_EQ(r.Extraer(100), 0u);  // seed 1; 100 * 1 >> 32 = 0
    EXPECT_EQ(r.Extraer(100), 3u);  // seed 134775814; 13477581400 / 2^32 = 3.14
    // n = 2^32 - 1 gives seed - 1; n = 0 gives 0 and still advances.
    EXPECT_EQ(r.Extraer(0xFFFFFFFFu), 3698175007u - 1u);
    EXPECT_EQ(r.Extraer(0), 0u);
    EXPECT_EQ(r.Semilla, 870078620u);
    // Wraps at 2^32: 0xFFFFFFFF * 134775813 + 1 = -134775812 mod 2^32.
    r.Semilla = 0xFFFFFFFFu;
    r.Extraer(1);
    EXPECT_EQ(r.Semilla, 4160191484u);
}

// The permutation follows from the generator's state alone: 2n exchanges of
// a position a and a position b drawn in that order. Without a generator,
// the program's own one is used and advanced.
TEST(Desordenado, DeterministaConElGenerador) {
    TMonticulo m;
    TAleatorio r;
    m.CrearDesordenado(5, r);
    EXPECT_EQ(Vivos(m), (TValores{3, 5, 4, 1, 2}));
    EXPECT_EQ(r.Semilla, 1408429452u);  // 20 draws
    r.Semilla = 12345;
    m.CrearDesordenado(7, r);
    EXPECT_EQ(Vivos(m), (TValores{6, 4, 5, 3, 1, 7, 2}));

    TAleatorio copia = GeneradorPrograma();
    m.CrearDesordenado(300);
    TMonticulo otro;
    otro.CrearDesordenado(300, copia);
    EXPECT_EQ(Vivos(m), Vivos(otro));
    EXPECT_EQ(GeneradorPrograma().Semilla, copia.Semilla);
}

// A permutation of 1..n in complete-tree shape replacing the content; the
// vector is exactly n long once n outgrows it. The bottom-up construction
// makes it a heap; an insertion then grows the vector by 100, and emptying
// keeps the length. A negative count raises and touches nothing.
TEST(Desordenado, PermutacionEnFormaCompleta) {
    TMonticuloContado m;
    for (std::int32_t v : {4, 2, 7}) m.Insertar(v);
    m.NodoSel = m.Raiz;
    TAleatorio r;
    for (std::int32_t n : {0, 1, 7, 1500}) {
        SCOPED_TRACE(n);
        m.CrearDesordenado(n, r);
        EXPECT_EQ(m.MaxNodos, n);
        EXPECT_EQ(m.NodoSel, nullptr);
        EXPECT_EQ(m.Capacidad(), std::max(n, 1000));
        EXPECT_EQ(ComprobarMonticulo(m, false), "");
        EXPECT_EQ(TNodoMonContado::Vivos, n);
        TValores v = Vivos(m);
        std::sort(v.begin(), v.end());
        for (std::int32_t i = 0; i < n; ++i) ASSERT_EQ(v[i], i + 1);
    }
    m.CrearMonticulo();
    EXPECT_EQ(ComprobarMonticulo(m), "");
    m.Insertar(0);
    EXPECT_EQ(m.Capacidad(), 1600);
    EXPECT_EQ(m.MaxNodos, 1501);
    m.Vaciar();
    EXPECT_EQ(m.Capacidad(), 1600);
    EXPECT_EQ(m.MaxNodos, 0);

    CargarVector(m, {1, 2, 3});
    m.Borrar();
    const TBytes antes = m.Guardar();
    const TValores valores = m.VectorValores;
    for (std::int32_t n : {-1, std::numeric_limits<std::int32_t>::min()}) EXPECT_THROW(m.CrearDesordenado(n), EArbol);
    EXPECT_EQ(m.Guardar(), antes);
    EXPECT_EQ(m.VectorValores, valores);
    EXPECT_EQ(m.MaxNodos, 3);
}

}  // namespace
