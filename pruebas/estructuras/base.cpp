// Operations of the tree base: statistics, selection, the pre-order search,
// replay of an operation list, the drawing traversal and the order check.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "comprobacion.h"

namespace {

constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

// Height and the mean search cost (printed with two decimals, as shown).
TEST(Estadisticas, AlturaYOperacionesPromedio) {
    struct {
        const char* Arbol;
        std::int32_t Altura;
        const char* OpPromedio;
    } const casos[] = {{"", 0, "0.00"}, {"7", 1, "1.00"}, {"10(,20(,30))", 3, "2.00"},
                       {"50(30(20,40),70)", 3, "2.20"}, {"50(30(20(10,),),70(,80(,90)))", 4, "2.71"}};
    for (const auto& c : casos) {
        TArbolBST a;
        Construir(a, c.Arbol);
        char s[32];
        std::snprintf(s, sizeof s, "%.2f", a.OpPromedio());
        EXPECT_EQ(a.Altura(), c.Altura) << c.Arbol;
        EXPECT_EQ(std::string(s), c.OpPromedio) << c.Arbol;
    }
}

// In symmetric order the tree 50(30(20,40),70(60,)) is 20 30 40 50 60 70;
// a position out of range leaves the selection as it was.
TEST(SeleccionarPosicion, CadaPosicionYFueraDeRango) {
    TArbolBST a;
    Construir(a, "50(30(20,40),70(60,))");
    const std::int32_t orden[] = {20, 30, 40, 50, 60, 70};
    for (std::int32_t k = 0; k < 6; ++k) {
        a.SeleccionarPosicion(k);
        EXPECT_EQ(ValorSel(a), orden[k]) << k;
    }
    for (std::int32_t k : {-1, 6, Max32, Min32}) {
        a.NodoSel = Nodo(a, 40);
        a.SeleccionarPosicion(k);
        EXPECT_EQ(a.NodoSel, Nodo(a, 40)) << k;
    }
    TArbolBST v;
    v.SeleccionarPosicion(0);
    EXPECT_EQ(v.NodoSel, nullptr);
}

TEST(Seleccionar, MarcarDecideSiCambiaLaSeleccion) {
    TArbolBST a;
    Construir(a, "50(30,70)");
    TNodoBin* n30 = Nodo(a, 30);
    a.NodoSel = n30;
    EXPECT_TRUE(a.Seleccionar(70, false));
    EXPECT_EQ(a.NodoSel, n30);
    EXPECT_FALSE(a.Seleccionar(60, false));
    EXPECT_EQ(a.NodoSel, n30);
    EXPECT_TRUE(a.Seleccionar(70, true));
    EXPECT_EQ(a.NodoSel, Nodo(a, 70));
    EXPECT_FALSE(a.Seleccionar(60, true));
    EXPECT_EQ(a.NodoSel, nullptr);
}

// A kind that keeps no search order, as the heap: it relies on the base
// search.
class TArbolSinOrden : public TArbolBin {
public:
    void SuprimirNodo() override {}
    std::string NombreTipo() const override { return "sin orden"; }
    std::string NombreTipos() const override { return "sin orden"; }
    TClaseArbol Clase() const override { return &CrearArbol<TArbolSinOrden>; }
    bool Buscar(std::int32_t) override { return false; }
    bool Insertar(std::int32_t) override { return false; }
    void Borrar() override {}
};

// Path from the root to a node, 'I' left and 'D' right.
std::string Camino(const TNodoBin* n) {
    std::string s;
    for (; n != nullptr && n->Padre != nullptr; n = n->Padre) s.insert(s.begin(), n->Padre->Izq == n ? 'I' : 'D');
    return s;
}

// The first match in pre-order, and Seleccionar goes through the kind's search.
TEST(BusquedaPreorden, PrimeraCoincidencia) {
    struct {
        const char* Arbol;
        std::int32_t Valor;
        const char* Camino;  // nullptr: not found
    } const casos[] = {
        {"", 1, nullptr},
        {"5(1,9)", 4, nullptr},
        {"5(1(2,3),9(4,))", 4, "DI"},  // only in the root's right subtree
        {"3(1(7,),7)", 7, "II"},       // deeper but earlier in pre-order
        {"3(7(7,),8)", 7, "I"},        // a node before its left subtree
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.Arbol);
        TArbolSinOrden a;
        Construir(a, c.Arbol);
        const TNodoBin* n = a.BuscarNodo(a.Raiz, c.Valor);
        EXPECT_EQ(n == nullptr ? "-" : Camino(n), c.Camino == nullptr ? "-" : c.Camino);
        EXPECT_EQ(a.Seleccionar(c.Valor, true), c.Camino != nullptr);
        EXPECT_EQ(a.NodoSel, n);
    }
    // Only within the subtree given.
    TArbolSinOrden a;
    Construir(a, "5(1(2,3),9(4,))");
    EXPECT_EQ(a.BuscarNodo(a.Raiz->Izq, 4), nullptr);
    EXPECT_EQ(a.BuscarNodo(a.Raiz->Der, 4), a.Raiz->Der->Izq);
    EXPECT_EQ(a.BuscarNodo(nullptr, 4), nullptr);
}

// The search tree's own search descends by order: a value misplaced by
// hand is not found by it, while the base search still finds it.
TEST(BusquedaOrdenada, DesciendePorElOrden) {
    TArbolBST a;
    Construir(a, "50(30(20,60),70)");
    EXPECT_EQ(a.BuscarNodo(a.Raiz, 60), nullptr);
    EXPECT_EQ(a.TArbolBin::BuscarNodo(a.Raiz, 60), Nodo(a, 60));
    EXPECT_EQ(a.BuscarNodo(a.Raiz, 20), Nodo(a, 20));
    EXPECT_FALSE(a.Seleccionar(60, true));
}

// Records the keys a replay selects, so a deletion's key can be observed
// even when it is absent.
class TArbolEspia : public TArbolBST {
public:
    bool Seleccionar(std::int32_t Valor, bool Marcar) override {
        Selecciones.push_back(Valor);
        return TArbolBST::Seleccionar(Valor, Marcar);
    }
    std::vector<std::int32_t> Selecciones;
};

TEST(Reconstruir, SinInformesYConElManejadorDevuelto) {
    TArbolBST a;
    Construir(a, "1(,2)");
    int llamadas = 0;
    a.OnEtapa = [&](const std::string&, const std::string&, int) { ++llamadas; };
    const std::int32_t e[] = {5, 3, 8, -3};
    a.Reconstruir(e);
    EXPECT_EQ(llamadas, 0);
    EXPECT_EQ(Forma(a), "5(,8)");
    EXPECT_EQ(Comprobar(a), "");
    ASSERT_TRUE(a.MostrarEtapas());
    a.Buscar(5);
    EXPECT_EQ(llamadas, 1);
}

TEST(Reconstruir, EntradasLimite) {
    TArbolEspia a;
    const std::int32_t e[] = {0, 5, 5, Min32, -5, -7, 9};
    a.Reconstruir(e, 6);  // the 9 is beyond N
    EXPECT_EQ(Forma(a), "0");
    EXPECT_EQ(a.NumNodos, 1);
    // The least entry deletes the least key (its negation wraps), an
    // absent key leaves nothing selected and nothing is deleted.
    EXPECT_EQ(a.Selecciones, (std::vector<std::int32_t>{Min32, 5, 7}));
    a.Reconstruir(std::span<const std::int32_t>{});
    EXPECT_EQ(Forma(a), "");
}

// Only parent-child pairs are compared.
TEST(EstaOrdenado, ComparaPadresEHijos) {
    struct {
        const char* Arbol;
        bool Ordenado;
    } const casos[] = {
        {"", true},
        {"50(30(20,60),70)", true},  // 60 left of 50, but only its parent 30 is compared
        {"50(60,70)", false},
        {"50(30,40)", false},
        {"50(50,70)", false},  // equal keys are out of order
        {"50(30(20,40),70(60,80(,75)))", false},
    };
    for (const auto& c : casos) {
        TArbolBST a;
        Construir(a, c.Arbol);
        EXPECT_EQ(a.EstaOrdenado(), c.Ordenado) << c.Arbol;
    }
}

// Emptying gives every slot back at once, or one node at a time when a
// removed node is still shown or the nodes have destructors; either way the
// refilled tree is sound and the shown node keeps its memory.
TEST(Vaciar, ReutilizaLaMemoriaSinTocarNodosVivosFueraDelArbol) {
    auto llenar = [](TArbolBin& a) {
        for (std::int32_t k = 1; k <= 3000; ++k) a.Insertar(k * 7919 % 3001);
    };
    TArbolBST a;
    llenar(a);
    TNodoBin* mostrado = a.CrearNodo(-5, nullptr, nullptr, nullptr);
    a.NodoBorrado = mostrado;
    a.Vaciar();
    EXPECT_EQ(a.Raiz, nullptr);
    EXPECT_EQ(a.NodoSel, nullptr);
    EXPECT_EQ(a.NumNodos, 0);
    llenar(a);
    EXPECT_EQ(mostrado->Valor, -5);
    EXPECT_EQ(RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { return n == mostrado; }), nullptr);
    a.NodoBorrado = nullptr;
    EXPECT_EQ(Comprobar(a), "");
    a.DestruirNodo(mostrado);
    for (int vez = 0; vez < 2; ++vez) {
        a.Vaciar();
        llenar(a);
        EXPECT_EQ(a.NumNodos, 3000);
        EXPECT_EQ(Comprobar(a), "");
    }

    class TArbolContado : public TArbolBST {
    public:
        TArbolContado() : TArbolBST(sizeof(TNodoContado<TNodoBin>)) {}
        TNodoBin* CrearNodo(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) override {
            return NuevoNodo<TNodoContado<TNodoBin>>(V, P, I, D);
        }
    } contado;
    llenar(contado);
    EXPECT_EQ(TNodoContado<TNodoBin>::Vivos, 3000);
    contado.Vaciar();
    EXPECT_EQ(TNodoContado<TNodoBin>::Vivos, 0);
}

}  // namespace
