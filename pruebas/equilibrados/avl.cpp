// AVL tree: Fibonacci trees, the consistency check, factors after loading,
// and random operation sequences against std::set with the invariant
// checker after every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "auxiliares.h"

namespace {

// ---------------------------------------------------------------- Fibonacci trees

struct TFibonacci {
    std::int32_t Orden;
    const char* Forma;
};

class Fibonacci : public ::testing::TestWithParam<TFibonacci> {};

TEST_P(Fibonacci, FormaYFactores) {
    const TFibonacci& f = GetParam();
    TArbolAVL a;
    a.CrearFibonacci(f.Orden);
    EXPECT_EQ(Forma(a), f.Forma);
    EXPECT_TRUE(a.Consistente());
    // Every node with a child leans right by one, every leaf is level.
    RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) {
        const bool hoja = n->Izq == nullptr && n->Der == nullptr;
        EXPECT_EQ(static_cast<TNodoAVL*>(n)->FactorEquilibrio, hoja ? 0 : 1) << n->Valor;
    });
}

INSTANTIATE_TEST_SUITE_P(
    Ordenes, Fibonacci,
    ::testing::Values(TFibonacci{0, ""}, TFibonacci{1, "1"}, TFibonacci{2, "1(,2)"},
                      TFibonacci{4, "3(1(,2),5(4,6(,7)))"},
                      TFibonacci{6, "8(3(1(,2),5(4,6(,7))),13(10(9,11(,12)),16(14(,15),18(17,19(,20)))))"}),
    [](const ::testing::TestParamInfo<TFibonacci>& i) { return "Orden" + std::to_string(i.param.Orden); });

// F(k+2) - 1 nodes, height k, keys 1..n in order, for orders well beyond
// what a drawing shows.
TEST(FibonacciGrande, CuentaAlturaYClaves) {
    TArbolAVL a;
    std::int64_t f1 = 1, f2 = 1;  // F(k+1), F(k+2) for k = 0
    for (std::int32_t k = 0; k <= 26; ++k) {
        SCOPED_TRACE("order " + std::to_string(k));
        a.CrearFibonacci(k);
        EXPECT_EQ(a.NumNodos, f2 - 1);
        EXPECT_EQ(a.Altura(), k);
        EXPECT_EQ(a.NodoSel, nullptr);
        if (k == 26) {
            const std::vector<std::int32_t> v = EnOrden(a);
            for (std::size_t i = 0; i < v.size(); ++i) ASSERT_EQ(v[i], static_cast<std::int32_t>(i + 1));
            EXPECT_EQ(ComprobarAVL(a), "");
        }
        const std::int64_t f3 = f1 + f2;
        f1 = f2;
        f2 = f3;
    }
}

// A negative order (and one whose node count does not fit in 32 bits)
// raises an error and leaves the tree as it was.
TEST(FibonacciGrande, OrdenFueraDeRangoNoTocaElArbol) {
    TArbolAVL a;
    Construir(a, "2(1,3)");
    a.NodoSel = a.Raiz;
    EXPECT_THROW(a.CrearFibonacci(-1), EArbol);
    EXPECT_THROW(a.CrearFibonacci(-2147483647 - 1), EArbol);
    EXPECT_THROW(a.CrearFibonacci(45), EArbol);
    EXPECT_EQ(Forma(a), "2(1,3)");
    EXPECT_EQ(a.NodoSel, a.Raiz);
    a.CrearFibonacci(2);  // replaces the content
    EXPECT_EQ(Forma(a), "1(,2)");
    EXPECT_EQ(a.NodoSel, nullptr);
}

// ---------------------------------------------------------------- Consistente and loading

TEST(Consistente, FactorAlteradoEnCualquierLugar) {
    TArbolAVL a;
    EXPECT_TRUE(a.Consistente());
    Construir(a, "50(30(20(10,),40),70(,80))");
    ASSERT_TRUE(a.Consistente());
    for (std::int32_t v : {10, 20, 30, 40, 50, 70, 80}) {
        SCOPED_TRACE(v);
        Factor(a, v) += 1;
        EXPECT_FALSE(a.Consistente());
        Factor(a, v) -= 2;
        EXPECT_FALSE(a.Consistente());
        Factor(a, v) += 1;
        EXPECT_TRUE(a.Consistente());
    }
}

// Loading takes any search-tree shape: factors are the real height
// differences, whatever their size.
TEST(CargaAVL, FormasCualesquieraDeUnArbolBST) {
    std::mt19937 gen(11);
    for (int t = 0; t < 200; ++t) {
        TArbolBST b;
        const int cuantos = std::uniform_int_distribution<int>(0, 60)(gen);
        for (int i = 0; i < cuantos; ++i) b.Insertar(std::uniform_int_distribution<std::int32_t>(-100, 100)(gen));
        const std::vector<std::uint8_t> datos = b.Guardar();
        TArbolAVL a;
        a.Insertar(1000);  // replaced by the load
        a.Cargar(datos);
        ASSERT_EQ(Forma(a), Forma(b));
        EXPECT_TRUE(a.Consistente());
        // Each factor against the heights measured on the plain tree.
        RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) {
            const TNodoBin* m = Nodo(b, n->Valor);
            auto altura = [](TNodoBin* r) {
                std::int32_t h = 0;
                RecorrerPreorden(r, [&](TNodoBin*, std::int32_t p) { h = std::max(h, p + 1); });
                return h;
            };
            EXPECT_EQ(static_cast<TNodoAVL*>(n)->FactorEquilibrio, altura(m->Der) - altura(m->Izq)) << n->Valor;
        });
        // An AVL tree saves exactly like the search tree it was read from.
        EXPECT_EQ(a.Guardar(), datos);
    }
}

// A stream cut short leaves the tree and its factors as they were.
TEST(CargaAVL, FlujoCortadoNoTocaLosFactores) {
    TArbolAVL a, b;
    for (std::int32_t v = 1; v <= 100; ++v) a.Insertar(v * 7 % 101);
    Construir(b, "1(,2(,3))");
    std::vector<std::uint8_t> corto = a.Guardar();
    corto.pop_back();
    EXPECT_THROW(b.Cargar(corto), EFlujoInvalido);
    EXPECT_EQ(Factores(b), "1:2 2:1 3:0");
}

// ---------------------------------------------------------------- random sequences

class DiferencialAVL : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(DiferencialAVL, ContraStdSet) {
    std::mt19937 gen(GetParam());
    auto uno = [&](std::int32_t n) { return std::uniform_int_distribution<std::int32_t>(0, n - 1)(gen); };
    TArbolAVL a;
    std::set<std::int32_t> s;
    std::size_t mayor = 0, vacios = 0;
    for (int i = 0; i < 20000; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        // Runs of growth and of shrinking, so the tree also empties now and then.
        const bool crece = (i / 1000) % 4 != 3;
        const std::int32_t op = uno(100);
        std::int32_t k = uno(2000) - 1000;
        a.Deseleccionar();
        if (op < (crece ? 55 : 5)) {
            ASSERT_EQ(a.Insertar(k), s.insert(k).second);
            ASSERT_EQ(a.NodoSel->Valor, k);
        } else if (op < 85) {
            if (!s.empty() && op < 80) k = Enesimo(s, uno(static_cast<std::int32_t>(s.size())));
            ASSERT_EQ(a.Seleccionar(k, true), s.erase(k) == 1);
            a.Borrar();
        } else {
            ASSERT_EQ(a.Buscar(k), s.count(k) == 1);
        }
        ASSERT_EQ(ComprobarAVL(a), "");
        ASSERT_EQ(EnOrden(a), std::vector<std::int32_t>(s.begin(), s.end()));
        mayor = std::max(mayor, s.size());
        if (s.empty()) ++vacios;
    }
    EXPECT_GT(mayor, 500u);  // the runs reached trees of some size ...
    EXPECT_GT(vacios, 0u);   // ... and emptied them
}

INSTANTIATE_TEST_SUITE_P(Semillas, DiferencialAVL, ::testing::Values(1u, 2u, 3u));

// Sorted runs: the worst case of a plain search tree stays logarithmic.
TEST(DiferencialAVLOrdenado, AlturaLogaritmica) {
    TArbolAVL a;
    for (std::int32_t v = 0; v < 100000; ++v) ASSERT_TRUE(a.Insertar(v));
    EXPECT_EQ(ComprobarAVL(a), "");
    EXPECT_EQ(a.Altura(), 17);  // a perfect tree of 2^17 - 1 nodes has 17 levels
    for (std::int32_t v = 99999; v >= 0; v -= 2) {
        ASSERT_TRUE(a.Seleccionar(v, true));
        a.Borrar();
    }
    EXPECT_EQ(a.NumNodos, 50000);
    EXPECT_EQ(ComprobarAVL(a), "");
}

// With reports on: at every report the links hold and at most the three
// nodes of a rotation are marked; a rotation's two reports come together
// and mark the same nodes; no mark is left after an operation.
TEST(DiferencialAVLConInformes, InformesCoherentes) {
    std::mt19937 gen(5);
    auto uno = [&](std::int32_t n) { return std::uniform_int_distribution<std::int32_t>(0, n - 1)(gen); };
    TArbolAVL a;
    std::set<std::int32_t> s;
    TGrabadora g(a);
    g.Ademas = [&](const TEtapaVista& e) {
        const std::string f = ComprobarEnlaces(a);
        if (!f.empty()) ADD_FAILURE() << e.Titulo << ": " << f;
        EXPECT_LE(e.Marcados.size(), 3u);
    };
    std::int32_t rotaciones = 0;
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        a.Deseleccionar();
        g.Etapas.clear();
        std::int32_t k = uno(120);
        const bool inserta = uno(5) < 3 || s.empty();
        if (inserta) {
            ASSERT_EQ(a.Insertar(k), s.insert(k).second);
        } else {
            k = Enesimo(s, uno(static_cast<std::int32_t>(s.size())));
            a.Seleccionar(k, true);
            a.Borrar();
            s.erase(k);
        }
        std::int32_t rotacionesAqui = 0;
        for (std::size_t j = 0; j < g.Etapas.size(); ++j) {
            const TEtapaVista& e = g.Etapas[j];
            if (e.Descripcion != "El nodo esta desequilibrado. Se efectua una rotación para corregirlo.") continue;
            ++rotacionesAqui;
            ASSERT_LT(j + 2, g.Etapas.size());
            const TEtapaVista& nombre = g.Etapas[j + 1];
            EXPECT_EQ(nombre.Descripcion.rfind("Rotación ", 0), 0u);
            EXPECT_EQ(nombre.Tipo, 2);
            EXPECT_EQ(nombre.Sel, e.Sel);
            const std::size_t marcas = nombre.Descripcion.find("doble") != std::string::npos ? 3 : 2;
            EXPECT_EQ(e.Marcados.size(), marcas);
            EXPECT_EQ(std::set<std::int32_t>(e.Marcados.begin(), e.Marcados.end()),
                      std::set<std::int32_t>(nombre.Marcados.begin(), nombre.Marcados.end()));
            EXPECT_TRUE(g.Etapas[j + 2].Marcados.empty());
            EXPECT_EQ(g.Etapas[j + 2].Descripcion.rfind("Tras la rotación", 0), 0u);
        }
        if (inserta) {
            EXPECT_LE(rotacionesAqui, 1);
        }
        rotaciones += rotacionesAqui;
        ASSERT_EQ(ComprobarAVL(a), "");
        ASSERT_EQ(EnOrden(a), std::vector<std::int32_t>(s.begin(), s.end()));
    }
    EXPECT_GT(rotaciones, 200);
}

}  // namespace
