// Degenerate chains of a million nodes as AVL and red-black trees, leaning
// right or left: loading, factor computation and checks, search, insertion
// at the deep end, deletion, saving and destruction all run without
// recursion.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "comprobacion.h"
#include "uArbolAVL.h"
#include "uArbolRN.h"
#include "uInvariantes.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

std::int32_t& Factor(const TArbolBin& A, std::int32_t V) { return static_cast<TNodoAVL*>(Nodo(A, V))->FactorEquilibrio; }
constexpr std::int32_t N = 1'000'000;

// The key at the deep end and the key just beyond it.
struct TExtremos {
    explicit TExtremos(bool Der) : Fondo(Der ? N : 1), MasAlla(Der ? N + 1 : 0) {}
    std::int32_t Fondo, MasAlla;
};

// Deletes each key, then checks the tree and that it saves and loads back
// as records of Tam bytes.
template <class TArbol>
void BorrarYGuardar(TArbol& a, std::initializer_list<std::int32_t> Claves, std::size_t Tam) {
    for (std::int32_t k : Claves) {
        ASSERT_TRUE(a.Seleccionar(k, true)) << k;
        a.Borrar();
        EXPECT_FALSE(a.Seleccionar(k, false)) << k;
    }
    // A loaded chain is no balanced tree: links, count and order only.
    EXPECT_EQ(InvarianteEnEtapa(a), "");
    EXPECT_TRUE(ClavesEnOrden(a));
    const TBytes guardado = a.Guardar();
    EXPECT_EQ(guardado.size(), 4 + Tam * static_cast<std::size_t>(a.NumNodos));
    TArbol b;
    b.Cargar(guardado);
    EXPECT_EQ(b.Guardar(), guardado);
}

class CadenaAVL : public ::testing::TestWithParam<bool> {};

TEST_P(CadenaAVL, Operaciones) {
    const bool der = GetParam();
    const TExtremos x(der);
    TArbolAVL a;
    a.Cargar(FlujoCadena(N, der));
    ASSERT_EQ(a.NumNodos, N);
    // The top leans by the whole chain below it.
    EXPECT_EQ(Factor(a, a.Raiz->Valor), der ? N - 1 : -(N - 1));
    EXPECT_EQ(Factor(a, x.Fondo), 0);
    EXPECT_TRUE(a.Consistente());
    a.CalcularFactores();
    EXPECT_TRUE(a.Consistente());

    EXPECT_TRUE(a.Buscar(x.Fondo));
    EXPECT_EQ(a.NodoSel->Valor, x.Fondo);
    // A leaf beyond the deep end: the node above the last one rotates.
    a.Deseleccionar();
    ASSERT_TRUE(a.Insertar(x.MasAlla));
    EXPECT_EQ(a.BuscarNodo(a.Raiz, x.Fondo)->Padre->Valor, der ? N - 2 : 3);
    EXPECT_EQ(Factor(a, x.Fondo), 0);
    EXPECT_EQ(Factor(a, der ? N - 1 : 2), 0);
    EXPECT_TRUE(a.Consistente());

    // A node half-way down: the walk climbs every level above it.
    BorrarYGuardar(a, {N / 2, x.MasAlla}, 6);
    EXPECT_EQ(a.NumNodos, N - 1);
    EXPECT_EQ(Factor(a, a.Raiz->Valor), der ? N - 2 : -(N - 2));
    EXPECT_TRUE(a.Consistente());
}

INSTANTIATE_TEST_SUITE_P(Millon, CadenaAVL, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Derecha" : "Izquierda"; });

class CadenaRN : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(CadenaRN, Operaciones) {
    const auto [der, negra] = GetParam();
    const TExtremos x(der);
    const TBytes datos = FlujoCadena(N, der, std::uint8_t{negra});
    TArbolRN a;
    a.Cargar(datos);
    ASSERT_EQ(a.NumNodos, N);
    EXPECT_EQ(a.Guardar(), datos);
    auto* raiz = static_cast<TNodoRN*>(a.Raiz);
    auto* fondo = static_cast<TNodoRN*>(a.BuscarNodo(a.Raiz, x.Fondo));
    EXPECT_EQ(raiz->AlturaNegra, 0);

    // A red chain passes (each node has one red child of height 1); a black
    // one fails just above its leaf.
    if (negra) {
        EXPECT_THROW(a.ComprobarCaminoNegro(a.Raiz), EArbol);
        EXPECT_EQ(fondo->AlturaNegra, 1);
        EXPECT_EQ(static_cast<TNodoRN*>(fondo->Padre)->AlturaNegra, 0);
        EXPECT_EQ(raiz->AlturaNegra, 0);
    } else {
        EXPECT_NO_THROW(a.ComprobarCaminoNegro(a.Raiz));
        EXPECT_EQ(raiz->AlturaNegra, 1);
        EXPECT_NO_THROW(a.ComprobarCaminoNegro(a.Raiz));  // nothing changed since
    }

    EXPECT_TRUE(a.Buscar(x.Fondo));
    EXPECT_EQ(a.NodoSel, fondo);
    // At the deep end: below a black leaf the check stops at once; below a
    // red one case 2b rotates and the check fails where a black node hangs
    // alone. Either way the node stays.
    a.Deseleccionar();
    try {
        a.Insertar(x.MasAlla);
        ADD_FAILURE() << "no error";
    } catch (const EArbol& e) {
        EXPECT_STREQ(e.what(), "Fallo camino negro!");
    }
    EXPECT_EQ(a.NumNodos, N + 1);
    EXPECT_TRUE(a.Seleccionar(x.MasAlla, false));
    BorrarYGuardar(a, {N / 2, x.MasAlla, x.Fondo}, 7);
    EXPECT_EQ(a.NumNodos, N - 2);
}

INSTANTIATE_TEST_SUITE_P(Millon, CadenaRN, ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<bool, bool>>& i) {
                             return std::string(std::get<0>(i.param) ? "Derecha" : "Izquierda") +
                                    (std::get<1>(i.param) ? "Negra" : "Roja");
                         });

}  // namespace
