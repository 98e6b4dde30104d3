// A degenerate chain of a million nodes, leaning right or left, as every tree kind, and a million-node heap: every
// operation at the deep end; a recursive walk anywhere would overflow the stack.
#include <gtest/gtest.h>

#include "comprobacion.h"

namespace {

constexpr std::int32_t N = 1'000'000, R = 15, Sx = 2, Sy = 5;

class Cadena : public ::testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(Cadena, TodasLasOperaciones) {
    const auto& [clave, der] = GetParam();
    // The red-black chain is red leaning right (it passes the black-path check), black leaning left (it fails).
    const TBytes datos = FlujoCadena(N, der, clave == "rn" ? std::optional<std::uint8_t>(!der) : std::nullopt);
    const std::int32_t fondo = der ? N : 1, masAlla = der ? N + 1 : 0;
    auto a = BuscarTipo(clave)->Clase();
    // Cut short before its last byte: the partly read nodes are freed and the structure keeps what it held.
    a->Cargar(datos);
    EXPECT_THROW(a->Cargar(std::span(datos).first(datos.size() - 1)), EFlujoInvalido);
    ASSERT_EQ(a->NumNodos, N);
    EXPECT_EQ(a->Guardar(), datos);
    EXPECT_EQ(std::make_pair(a->Altura(), a->OpPromedio()), std::make_pair(N, (N + 1) / 2.0));
    EXPECT_EQ(InvarianteEnEtapa(*a) + (ClavesEnOrden(*a) ? "" : "unordered"), "");
    TNodoBin* hoja = a->Raiz;
    while (TNodoBin* h = der ? hoja->Der : hoja->Izq) hoja = h;
    a->NodoSel = hoja;
    auto c = a->Clonar();
    EXPECT_TRUE(c->Guardar() == datos && c->NodoSel->Valor == fondo);
    c->LiberarNodos(c->NodoSel->Padre);
    EXPECT_TRUE(c->NumNodos == N - 2 && a->Guardar() == datos);  // the clone is independent

    // The complete layout is far too deep: the separated one instead.
    const std::int32_t yFondo = R + (2 * R + Sy) * (N - 1), xSep = der ? R + Sx + (R + 2 * Sx) * (N - 1) : R + Sx;
    EXPECT_EQ(a->DistribuirComprimida(R, Sx, Sy).Ancho, R * (N + 1));
    a->GuardarInicio();
    EXPECT_EQ(a->DistribuirCompleta(R, Sx, Sy), a->DistribuirSeparada(R, Sx, Sy));
    a->GuardarDestino();
    EXPECT_TRUE(a->SeleccionarPunto(xSep + 3, yFondo - 4, R) && a->NodoSel == hoja);
    a->Interpolar(0.5);
    EXPECT_EQ(std::make_pair(hoja->X, hoja->Y), std::make_pair(((der ? R * N : R) + xSep) / 2, yFondo));

    ASSERT_TRUE(a->Buscar(fondo) && a->NodoSel == hoja);
    if (clave == "splay") {  // every double rotation folds two levels into one
        EXPECT_EQ(a->Altura(), N / 2 + 2);
        ASSERT_TRUE(a->Buscar(der ? 1 : N));
        EXPECT_EQ(a->Raiz->Valor, der ? 1 : N);
    }
    EXPECT_TRUE(clave != "avl" || static_cast<TArbolAVL&>(*a).Consistente());
    if (clave == "rn") {
        auto& rn = static_cast<TArbolRN&>(*a);
        if (der)
            rn.ComprobarCaminoNegro(rn.Raiz);  // a throw fails the test
        else
            EXPECT_THROW(rn.ComprobarCaminoNegro(rn.Raiz), EArbol);
        EXPECT_EQ(static_cast<TNodoRN*>(der ? rn.Raiz : hoja)->AlturaNegra, 1);
    }
    a->Deseleccionar();
    try {
        EXPECT_TRUE(a->Insertar(masAlla));
        EXPECT_NE(clave, "rn");
    } catch (const EArbol& e) {  // the red-black check fails where a black node hangs alone
        EXPECT_EQ(clave + e.what(), "rnFallo camino negro!");
    }
    EXPECT_TRUE(a->Seleccionar(masAlla, false));
    if (clave == "avl") {  // the node above the last one rotated
        EXPECT_EQ(a->BuscarNodo(a->Raiz, fondo)->Padre->Valor, der ? N - 2 : 3);
    }
    for (std::int32_t k : {N / 2, masAlla, fondo}) a->BorrarEntrada(k);
    EXPECT_EQ(a->NumNodos, N - 2);
    EXPECT_EQ(InvarianteEnEtapa(*a) + (ClavesEnOrden(*a) ? "" : "unordered"), "");
    auto b = BuscarTipo(clave)->Clase();
    b->Cargar(a->Guardar());
    EXPECT_EQ(b->Guardar().size(), datos.size() - 2 * (datos.size() - 4) / N);
    a->Vaciar();  // b and c are left for the destructor
    EXPECT_EQ(a->Raiz, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Millon, Cadena,
                         ::testing::Combine(::testing::Values("bst", "avl", "rn", "splay"), ::testing::Bool()),
                         [](const auto& i) { return std::get<0>(i.param) + (std::get<1>(i.param) ? "Der" : "Izq"); });

// Each value climbs to the root; the length steps by 100, the storage moves a logarithmic number of times; emptied,
// the stale cells hold the values sorted. Then an unordered heap made a heap, saved, loaded and cloned.
TEST(Millon, Monticulo) {
    TMonticulo m;
    int movimientos = 0;
    for (std::int32_t v = N; v >= 1; --v) {
        const auto* datos = m.Vector.data();
        m.Insertar(v);
        movimientos += m.Vector.data() != datos;
    }
    EXPECT_LE(movimientos, 20);
    m.Insertar(0);
    EXPECT_EQ(m.Capacidad(), N + 100);
    for (std::int32_t i = 0; i <= N; ++i) m.Borrar();
    for (std::int32_t i = 0; i <= N; ++i) ASSERT_EQ(m.VectorValores[i], N - i) << i;
    TAleatorio r;
    m.CrearDesordenado(N, r);
    m.CrearMonticulo();
    EXPECT_EQ(Invariante(m), "");
    TMonticulo b;
    b.Cargar(m.Guardar());
    EXPECT_EQ(b.Capacidad(), N + 100);
    EXPECT_EQ(Vivos(static_cast<TMonticulo&>(*b.Clonar())), Vivos(m));
}

}  // namespace
