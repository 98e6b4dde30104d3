// Random operations on small key ranges against std::set / std::multiset, the invariant after every operation and
// inside every report, a save/load round trip now and then; the red-black shortcut check against the full one.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "comprobacion.h"

namespace {

std::string Operar(TArbolBin& A, int Op, std::int32_t V, bool& Resultado) {
    A.Deseleccionar();
    try {
        if (Op == 0) Resultado = A.Buscar(V);
        if (Op == 1) Resultado = A.Insertar(V);
        if (Op == 2) A.BorrarEntrada(V);
    } catch (const EArbol& e) {
        return e.what();
    }
    return {};
}

class Aleatorias : public ::testing::TestWithParam<std::tuple<std::string, int>> {};

TEST_P(Aleatorias, ContraLaBibliotecaEstandar) {
    const auto& [clave, rango] = GetParam();
    const TTipoEstructura& t = *BuscarTipo(clave);
    auto a = t.Clase(), ref = t.Clase();
    if (clave == "rn") static_cast<TArbolRN&>(*ref).ComprobacionCompleta = true;
    std::mt19937 g(12345u + static_cast<unsigned>(rango));
    std::set<std::int32_t> conjunto;
    std::multiset<std::int32_t> monton;
    for (int i = 0; i < 4000; ++i) {
        const int op = static_cast<int>(g() % 3);
        const std::int32_t v = static_cast<std::int32_t>(g() % static_cast<unsigned>(rango)) - rango / 4;
        SCOPED_TRACE("operation " + std::to_string(i) + ": " + std::to_string(op) + " " + std::to_string(v));
        std::string etapa;
        a->OnEtapa = i % 2 != 0 ? TEventoEtapa{} : [&](const std::string&, const std::string&, int) {
            if (etapa.empty()) etapa = InvarianteEnEtapa(*a);
        };
        bool r = false, rr = false;
        const std::string err = Operar(*a, op, v, r);
        ASSERT_EQ(etapa, "");
        ASSERT_EQ(Invariante(*a), "") << Forma(*a);
        if (clave == "rn") {  // the full check finds the same, leaves the same
            ASSERT_EQ(Operar(*ref, op, v, rr), err);
            ASSERT_EQ(ref->Guardar(), a->Guardar());
            ASSERT_EQ(Invariante(*ref), "");
        } else {
            ASSERT_EQ(err, "");
        }
        if (t.BorraMinimo) {
            ASSERT_TRUE(op != 0 || r == !monton.empty());
            if (op == 1) monton.insert(v);
            if (op == 2 && !monton.empty()) monton.erase(monton.begin());
            ASSERT_EQ(a->NumNodos, static_cast<std::int32_t>(monton.size()));
            ASSERT_TRUE(monton.empty() || a->Raiz->Valor == *monton.begin());
            auto vivos = Vivos(static_cast<TMonticulo&>(*a));
            std::sort(vivos.begin(), vivos.end());
            ASSERT_TRUE(std::equal(vivos.begin(), vivos.end(), monton.begin(), monton.end()));
        } else {
            ASSERT_TRUE(op != 0 || r == conjunto.contains(v));
            const bool nuevo = op == 1 && conjunto.insert(v).second;
            ASSERT_TRUE(op != 1 || !err.empty() || r == nuevo);
            if (op == 2) conjunto.erase(v);
            ASSERT_TRUE(std::ranges::equal(EnOrden(*a), conjunto));
            // The node found or inserted is selected; a splay tree brings it up.
            ASSERT_TRUE(op == 2 || !r || clave == "rn" || a->NodoSel->Valor == v);
            ASSERT_TRUE(op == 2 || !r || clave != "splay" || a->Raiz->Valor == v);
            ASSERT_TRUE(clave != "avl" || a->Altura() <= 1.4405 * std::log2(a->NumNodos + 2.0));
        }
        if (i % 97 == 0) {  // saved and loaded back: the same bytes and shape
            auto b = t.Clase();
            b->Cargar(a->Guardar());
            ASSERT_EQ(b->Guardar(), a->Guardar());
            ASSERT_EQ(Forma(*b), Forma(*a));
            ASSERT_EQ(Invariante(*b), "");
            ASSERT_TRUE(clave != "avl" || Factores(*b) == Factores(*a));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tipos, Aleatorias,
                         ::testing::Combine(::testing::Values("bst", "avl", "rn", "splay", "mon"),
                                            ::testing::Values(12, 60)),
                         [](const auto& i) { return std::get<0>(i.param) + std::to_string(std::get<1>(i.param)); });

}  // namespace
