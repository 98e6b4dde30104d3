// AVL tree: Fibonacci trees, the consistency check, factors after loading,
// and random operation sequences against std::set.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "auxiliares.h"

namespace {

std::int32_t Uno(std::mt19937& gen, std::int32_t n) {
    return std::uniform_int_distribution<std::int32_t>(0, n - 1)(gen);
}

struct TFibonacci {
    std::int32_t Orden;
    const char* Forma;
};

class Fibonacci : public ::testing::TestWithParam<TFibonacci> {};

// Every node with a child leans right by one, every leaf is level.
TEST_P(Fibonacci, FormaYFactores) {
    TArbolAVL a;
    a.CrearFibonacci(GetParam().Orden);
    EXPECT_EQ(Forma(a), GetParam().Forma);
    EXPECT_TRUE(a.Consistente());
    RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) {
        const bool hoja = n->Izq == nullptr && n->Der == nullptr;
        EXPECT_EQ(static_cast<TNodoAVL*>(n)->FactorEquilibrio, hoja ? 0 : 1) << n->Valor;
    });
}

INSTANTIATE_TEST_SUITE_P(
    Ordenes, Fibonacci,
    ::testing::Values(TFibonacci{0, ""}, TFibonacci{1, "1"}, TFibonacci{2, "1(,2)"},
                      TFibonacci{6, "8(3(1(,2),5(4,6(,7))),13(10(9,11(,12)),16(14(,15),18(17,19(,20)))))"}),
    [](const ::testing::TestParamInfo<TFibonacci>& i) { return "Orden" + std::to_string(i.param.Orden); });

// F(k+2) - 1 nodes, height k, keys 1..n in order, well beyond what a drawing
// shows; an order out of range (negative, or a count beyond 32 bits) raises
// and leaves the tree as it was.
TEST(FibonacciGrande, CuentaAlturaClavesYRango) {
    TArbolAVL a;
    std::int64_t f1 = 1, f2 = 1;  // F(k+1), F(k+2)
    for (std::int32_t k = 0; k <= 26; ++k) {
        a.CrearFibonacci(k);
        EXPECT_EQ(a.NumNodos, f2 - 1) << k;
        EXPECT_EQ(a.Altura(), k) << k;
        f2 = std::exchange(f1, f2) + f2;
    }
    const std::vector<std::int32_t> v = EnOrden(a);
    for (std::size_t i = 0; i < v.size(); ++i) ASSERT_EQ(v[i], static_cast<std::int32_t>(i + 1));
    EXPECT_EQ(ComprobarAVL(a), "");

    Construir(a, "2(1,3)");
    a.NodoSel = a.Raiz;
    for (std::int32_t k : {-1, -2147483647 - 1, 45}) EXPECT_THROW(a.CrearFibonacci(k), EArbol) << k;
    EXPECT_EQ(Forma(a), "2(1,3)");
    EXPECT_EQ(a.NodoSel, a.Raiz);
    a.CrearFibonacci(2);
    EXPECT_EQ(a.NodoSel, nullptr);
}

TEST(Consistente, FactorAlteradoEnCualquierLugar) {
    TArbolAVL a;
    EXPECT_TRUE(a.Consistente());
    Construir(a, "50(30(20(10,),40),70(,80))");
    for (std::int32_t v : {10, 20, 30, 40, 50, 70, 80}) {
        for (std::int32_t d : {1, -2}) {
            Factor(a, v) += d;
            EXPECT_FALSE(a.Consistente()) << v << " " << d;
        }
        Factor(a, v) += 1;
        EXPECT_TRUE(a.Consistente()) << v;
    }
}

std::int32_t AlturaDe(TNodoBin* r) {
    std::int32_t h = 0;
    RecorrerPreorden(r, [&](TNodoBin*, std::int32_t p) { h = std::max(h, p + 1); });
    return h;
}

// Loading takes any search-tree shape: factors are the real height
// differences, whatever their size, and the tree saves as it was read.
TEST(CargaAVL, FormasCualesquieraDeUnArbolBST) {
    std::mt19937 gen(11);
    for (int t = 0; t < 200; ++t) {
        TArbolBST b;
        for (int i = Uno(gen, 61); i > 0; --i) b.Insertar(Uno(gen, 201) - 100);
        const std::vector<std::uint8_t> datos = b.Guardar();
        TArbolAVL a;
        a.Insertar(1000);  // replaced by the load
        a.Cargar(datos);
        ASSERT_EQ(Forma(a), Forma(b));
        EXPECT_TRUE(a.Consistente());
        RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) {
            const TNodoBin* m = Nodo(b, n->Valor);
            EXPECT_EQ(Factor(a, n->Valor), AlturaDe(m->Der) - AlturaDe(m->Izq)) << n->Valor;
        });
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

// Runs of growth and of shrinking, so the tree also empties now and then.
class DiferencialAVL : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(DiferencialAVL, ContraStdSet) {
    std::mt19937 gen(GetParam());
    TArbolAVL a;
    std::set<std::int32_t> s;
    std::size_t mayor = 0, vacios = 0;
    for (int i = 0; i < 20000; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        const std::int32_t op = Uno(gen, 100);
        std::int32_t k = Uno(gen, 2000) - 1000;
        a.Deseleccionar();
        if (op < ((i / 1000) % 4 != 3 ? 55 : 5)) {
            ASSERT_EQ(a.Insertar(k), s.insert(k).second);
            ASSERT_EQ(a.NodoSel->Valor, k);
        } else if (op < 85) {
            if (!s.empty() && op < 80) k = Enesimo(s, Uno(gen, static_cast<std::int32_t>(s.size())));
            ASSERT_EQ(a.Seleccionar(k, true), s.erase(k) == 1);
            a.Borrar();
        } else {
            ASSERT_EQ(a.Buscar(k), s.count(k) == 1);
        }
        ASSERT_EQ(ComprobarAVL(a), "");
        ASSERT_EQ(EnOrden(a), std::vector<std::int32_t>(s.begin(), s.end()));
        mayor = std::max(mayor, s.size());
        vacios += s.empty();
    }
    EXPECT_GT(mayor, 500u);
    EXPECT_GT(vacios, 0u);
}

INSTANTIATE_TEST_SUITE_P(Semillas, DiferencialAVL, ::testing::Values(1u, 2u, 3u));

// With reports on: links hold at every report; a rotation's two reports come
// together and mark the same two (single) or three (double) nodes, then one
// unmarked report follows; an insertion rotates at most once.
TEST(DiferencialAVLConInformes, InformesCoherentes) {
    std::mt19937 gen(5);
    TArbolAVL a;
    std::set<std::int32_t> s;
    TGrabadora g(a);
    g.Vigilar([&] { return ComprobarEnlaces(a); });
    std::int32_t rotaciones = 0;
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        g.Etapas.clear();
        const bool inserta = Uno(gen, 5) < 3 || s.empty();
        const std::int32_t k = inserta ? Uno(gen, 120) : Enesimo(s, Uno(gen, static_cast<std::int32_t>(s.size())));
        Ejecutar(a, inserta ? OpInsertar : OpBorrar, k);
        if (inserta)
            s.insert(k);
        else
            s.erase(k);
        std::int32_t aqui = 0;
        for (std::size_t j = 0; j < g.Etapas.size(); ++j) {
            const TEtapaVista& e = g.Etapas[j];
            if (e.Descripcion != "El nodo esta desequilibrado. Se efectua una rotación para corregirlo.") continue;
            ++aqui;
            ASSERT_LT(j + 2, g.Etapas.size());
            const TEtapaVista &nombre = g.Etapas[j + 1], &tras = g.Etapas[j + 2];
            EXPECT_TRUE(nombre.Descripcion.starts_with("Rotación ") && nombre.Tipo == 2 && nombre.Sel == e.Sel);
            EXPECT_EQ(e.Marcados.size(), nombre.Descripcion.find("doble") != std::string::npos ? 3u : 2u);
            EXPECT_EQ(std::set<std::int32_t>(e.Marcados.begin(), e.Marcados.end()),
                      std::set<std::int32_t>(nombre.Marcados.begin(), nombre.Marcados.end()));
            EXPECT_TRUE(tras.Marcados.empty() && tras.Descripcion.starts_with("Tras la rotación"));
        }
        if (inserta) {
            EXPECT_LE(aqui, 1);
        }
        rotaciones += aqui;
        ASSERT_EQ(ComprobarAVL(a), "");
        ASSERT_EQ(EnOrden(a), std::vector<std::int32_t>(s.begin(), s.end()));
    }
    EXPECT_GT(rotaciones, 200);
}

}  // namespace
