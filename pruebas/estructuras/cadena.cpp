// A degenerate chain of a million nodes, leaning right or left, through
// every operation: a recursive walk anywhere would overflow the stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comprobacion.h"

namespace {

using TBytes = std::vector<std::uint8_t>;
constexpr std::int32_t N = 1'000'000;
constexpr std::int32_t R = 15, Sx = 2, Sy = 5;

// Built once per process; each test loads its own tree from it.
const TBytes& FlujoDeCadena(bool Derecha) {
    static const TBytes derecha = FlujoCadena(N, true), izquierda = FlujoCadena(N, false);
    return Derecha ? derecha : izquierda;
}

class Cadena : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { A.Cargar(Datos()); }
    bool Derecha() const { return GetParam(); }
    const TBytes& Datos() const { return FlujoDeCadena(Derecha()); }
    // The key at the deep end, and the keys just beyond either end.
    std::int32_t ClaveFondo() const { return Derecha() ? N : 1; }
    std::int32_t ClaveMasAlla() const { return Derecha() ? N + 1 : 0; }
    TNodoBin* Fondo() const {
        TNodoBin* n = A.Raiz;
        while (TNodoBin* h = Derecha() ? n->Der : n->Izq) n = h;
        return n;
    }
    TArbolBST A;  // its destructor frees the chain at the end of every test
};

TEST_P(Cadena, CargarGuardarYEstadisticas) {
    EXPECT_EQ(A.NumNodos, N);
    EXPECT_EQ(A.Guardar(), Datos());
    EXPECT_EQ(A.Altura(), N);
    EXPECT_DOUBLE_EQ(A.OpPromedio(), (N + 1) / 2.0);
    EXPECT_TRUE(A.EstaOrdenado());
    EXPECT_EQ(Comprobar(A), "");
    // Loading over a loaded chain, reading exactly up to the end of the data.
    const TDatosAlBorde borde(Datos());
    A.Cargar(borde.Datos());
    EXPECT_EQ(A.NumNodos, N);
    // A chain cut short before its last byte: the partly read nodes are freed
    // and the structure keeps what it held.
    TArbolBST b;
    b.Insertar(5);
    const TDatosAlBorde corto{std::span<const std::uint8_t>(Datos()).first(Datos().size() - 1)};
    EXPECT_THROW(b.Cargar(corto.Datos()), EFlujoInvalido);
    EXPECT_EQ(Forma(b), "5");
}

// Each level holds one node, each a step of 2R + Sy lower; the separated
// layout moves each node R + 2Sx sideways from its parent, the compressed
// one R.
TEST_P(Cadena, Distribuciones) {
    const std::int32_t alto = 2 * R + (2 * R + Sy) * (N - 1), yFondo = R + (2 * R + Sy) * (N - 1);
    const std::int32_t ancho = 2 * R + 2 * Sx + (R + 2 * Sx) * (N - 1);
    const TDistribucion s = A.DistribuirSeparada(R, Sx, Sy);
    const std::int32_t xSep = Derecha() ? R + Sx + (R + 2 * Sx) * (N - 1) : R + Sx;
    EXPECT_EQ(s, (TDistribucion{ancho, alto, Derecha() ? R + Sx : ancho - R - Sx}));
    EXPECT_EQ(std::make_pair(Fondo()->X, Fondo()->Y), std::make_pair(xSep, yFondo));

    // Far too deep for the complete tree's area: the separated layout.
    Fondo()->X = 0;
    EXPECT_EQ(A.DistribuirCompleta(R, Sx, Sy), s);
    EXPECT_EQ(std::make_pair(Fondo()->X, Fondo()->Y), std::make_pair(xSep, yFondo));

    const TDistribucion c = A.DistribuirComprimida(R, Sx, Sy);
    EXPECT_EQ(c, (TDistribucion{R * (N + 1), alto, Derecha() ? R : R * N}));
    EXPECT_EQ(std::make_pair(Fondo()->X, Fondo()->Y), std::make_pair(Derecha() ? R * N : R, yFondo));
}

TEST_P(Cadena, SeleccionarPuntoEInterpolar) {
    // Loaded nodes start at (0, 0).
    A.GuardarInicio();
    A.DistribuirSeparada(R, Sx, Sy);
    A.GuardarDestino();
    TNodoBin* fondo = Fondo();
    const std::int32_t x = fondo->X, y = fondo->Y;
    EXPECT_TRUE(A.SeleccionarPunto(x + 3, y - 4, R));
    EXPECT_EQ(A.NodoSel, fondo);
    EXPECT_FALSE(A.SeleccionarPunto(-R, -R, R));
    EXPECT_EQ(A.NodoSel, nullptr);
    A.Interpolar(0.5);
    EXPECT_EQ(std::make_pair(fondo->X, fondo->Y), std::make_pair(x / 2, y / 2));
    // Halves go to the even neighbour: 8.5 gives 8, 7.5 gives 8.
    EXPECT_EQ(std::make_pair(A.Raiz->X, A.Raiz->Y), std::make_pair(Derecha() ? 8 : 9499999, 8));
    A.Interpolar(1.0);
    EXPECT_EQ(std::make_pair(fondo->X, fondo->Y), std::make_pair(x, y));
}

TEST_P(Cadena, OperacionesEnElFondo) {
    EXPECT_TRUE(A.Buscar(ClaveFondo()));
    EXPECT_EQ(A.NodoSel, Fondo());
    EXPECT_FALSE(A.Buscar(ClaveMasAlla()));
    EXPECT_EQ(A.NodoSel, Fondo());
    A.SeleccionarPosicion(Derecha() ? N - 1 : 0);
    EXPECT_EQ(A.NodoSel, Fondo());

    EXPECT_TRUE(A.Insertar(ClaveMasAlla()));
    EXPECT_EQ(A.NumNodos, N + 1);
    EXPECT_EQ(A.Altura(), N + 1);
    EXPECT_FALSE(A.Insertar(ClaveMasAlla()));

    // A leaf at the deep end, then a node with one child half-way down.
    for (std::int32_t k : {ClaveMasAlla(), ClaveFondo(), N / 2}) {
        ASSERT_TRUE(A.Seleccionar(k, true)) << k;
        A.Borrar();
        EXPECT_FALSE(A.Seleccionar(k, false)) << k;
    }
    EXPECT_EQ(A.NumNodos, N - 2);
    EXPECT_EQ(A.Altura(), N - 2);
    EXPECT_EQ(Comprobar(A), "");
}

TEST_P(Cadena, VaciarLiberarYReconstruir) {
    A.LiberarNodos(Derecha() ? A.Raiz->Der : A.Raiz->Izq);
    EXPECT_EQ(A.NumNodos, 1);
    EXPECT_EQ(Forma(A), Derecha() ? "1" : std::to_string(N));
    A.Cargar(Datos());
    A.Vaciar();
    EXPECT_EQ(A.Raiz, nullptr);
    EXPECT_EQ(A.NumNodos, 0);
    A.Cargar(Datos());
    const std::int32_t e[] = {2, 1};
    A.Reconstruir(e);
    EXPECT_EQ(Forma(A), "2(1,)");
    A.Cargar(Datos());  // left for the destructor
}

INSTANTIATE_TEST_SUITE_P(Millon, Cadena, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Derecha" : "Izquierda"; });

}  // namespace
