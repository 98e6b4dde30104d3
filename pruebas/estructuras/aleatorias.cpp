// Random operation sequences run against the search tree and against
// std::set, with the invariant checker after every step.
#include <gtest/gtest.h>

#include <iterator>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "comprobacion.h"

namespace {

constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

class TSecuencia {
public:
    TSecuencia(std::uint32_t Semilla, std::int32_t Rango) : Gen_(Semilla), Clave_(-Rango, Rango) {}

    // Mostly keys of a small range, so that insertions collide and deletions
    // find their key; now and then one of the extremes.
    std::int32_t Clave() {
        const std::int32_t extremos[] = {Min32, Min32 + 1, Max32, Max32 - 1};
        if (Uno(50) == 0) return extremos[Uno(4)];
        return Clave_(Gen_);
    }
    std::int32_t Uno(std::int32_t N) { return std::uniform_int_distribution<std::int32_t>(0, N - 1)(Gen_); }

private:
    std::mt19937 Gen_;
    std::uniform_int_distribution<std::int32_t> Clave_;
};

// One random step on both structures; checks the results and what the
// operation leaves in NodoSel.
void Paso(TArbolBST& a, std::set<std::int32_t>& s, TSecuencia& r) {
    const std::int32_t op = r.Uno(100);
    std::int32_t k = r.Clave();
    a.Deseleccionar();
    if (op < 45) {
        SCOPED_TRACE("Insertar " + std::to_string(k));
        EXPECT_EQ(a.Insertar(k), s.insert(k).second);
        EXPECT_EQ(ValorSel(a), k);
    } else if (op < 80) {
        // A deletion picks an existing key most of the time, through the
        // selection by position (the random pick of the window).
        if (op < 72 && !s.empty()) {
            const std::int32_t i = r.Uno(static_cast<std::int32_t>(s.size()));
            a.SeleccionarPosicion(i);
            k = Enesimo(s, i);
            EXPECT_EQ(ValorSel(a), k);
        }
        SCOPED_TRACE("Borrar " + std::to_string(k));
        EXPECT_EQ(a.Seleccionar(k, true), s.erase(k) == 1);
        a.Borrar();
    } else {
        SCOPED_TRACE("Buscar " + std::to_string(k));
        const bool esta = s.count(k) == 1;
        EXPECT_EQ(a.Buscar(k), esta);
        if (esta || s.empty()) {
            EXPECT_EQ(ValorSel(a), esta ? Opt(k) : nil);
        } else {
            // The would-be parent: a neighbour of k with a free place for it.
            ASSERT_NE(a.NodoSel, nullptr);
            const TNodoBin* p = a.NodoSel;
            EXPECT_EQ(k < p->Valor ? p->Izq : p->Der, nullptr);
            const auto sig = s.upper_bound(k);
            EXPECT_TRUE((sig != s.end() && *sig == p->Valor) || (sig != s.begin() && *std::prev(sig) == p->Valor));
        }
    }
}

class Diferencial : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(Diferencial, ContraStdSet) {
    TSecuencia r(GetParam(), 1000);
    TArbolBST a;
    std::set<std::int32_t> s;
    for (int i = 0; i < 10000; ++i) {
        ASSERT_NO_FATAL_FAILURE(Paso(a, s, r)) << "step " << i;
        ASSERT_EQ(Comprobar(a), "") << "step " << i;
        ASSERT_EQ(EnOrden(a), std::vector<std::int32_t>(s.begin(), s.end())) << "step " << i;
    }
    EXPECT_GT(s.size(), 100u);  // the run did reach a tree of some size
}

INSTANTIATE_TEST_SUITE_P(Semillas, Diferencial, ::testing::Values(1u, 2u, 3u, 4u));

// The values a search of k compares, by an ordered descent from the root:
// nothing when the root holds k.
std::vector<std::int32_t> Recorrido(const TArbolBST& a, std::int32_t k) {
    std::vector<std::int32_t> v;
    for (const TNodoBin* n = a.Raiz; n != nullptr && a.Raiz->Valor != k; n = k < n->Valor ? n->Izq : n->Der) {
        v.push_back(n->Valor);
        if (n->Valor == k) break;
    }
    return v;
}

// The same kind of run with reports on: each report is checked while it is
// shown (links, count, a layout can run, at most one node marked), and each
// operation's sequence of reports against the set (the exact texts are
// checked by the case tables).
TEST(DiferencialConInformes, SecuenciasCoherentes) {
    TSecuencia r(7, 60);
    TArbolBST a;
    std::set<std::int32_t> s;
    TGrabadora g(a);
    g.Ademas = [&](const TEtapaVista& e) {
        const std::string f = ComprobarEnlaces(a);
        if (!f.empty()) ADD_FAILURE() << e.Titulo << ": " << f;
        EXPECT_LE(e.Marcados.size(), 1u);
        EXPECT_NO_THROW(a.DistribuirComprimida(15, 2, 5));
    };
    for (int i = 0; i < 2500; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        a.Deseleccionar();
        g.Etapas.clear();
        const std::int32_t op = r.Uno(3);
        std::int32_t k = r.Clave();
        if (op == 2 && !s.empty()) k = Enesimo(s, r.Uno(static_cast<std::int32_t>(s.size())));
        const bool esta = s.count(k) == 1;
        if (op < 2) {
            // One comparison per node on the path, the outcome, then an
            // insertion's own report.
            const std::vector<std::int32_t> camino = Recorrido(a, k);
            const bool inserta = op == 1;
            EXPECT_EQ(inserta ? a.Insertar(k) : a.Buscar(k), inserta ? !esta : esta);
            if (inserta) s.insert(k);
            ASSERT_EQ(g.Etapas.size(), camino.size() + (inserta ? 2 : 1));
            for (std::size_t j = 0; j < camino.size(); ++j)
                EXPECT_EQ(g.Etapas[j].Marcados, std::vector<std::int32_t>{camino[j]});
            EXPECT_EQ(g.Etapas[camino.size()].Descripcion.rfind(esta ? "Se encontro" : "No se encontro", 0), 0u);
            if (inserta) {
                EXPECT_EQ(g.Etapas.back().Titulo, esta ? "Inserción fallida" : "Inserción como hoja");
            }
        } else {
            const auto it = s.find(k);
            const std::int32_t anterior = it != s.end() && it != s.begin() ? *std::prev(it) : 0;
            a.Seleccionar(k, true);
            a.Borrar();
            // Only the last report shows the removed node, and it holds the
            // deleted key; with two children the report before it marks the
            // predecessor brought in.
            EXPECT_EQ(g.Etapas.empty(), !esta);
            for (const TEtapaVista& e : g.Etapas)
                EXPECT_EQ(e.Borrado, &e == &g.Etapas.back() ? Opt(k) : nil);
            if (g.Etapas.size() > 1) {
                const TEtapaVista& e = g.Etapas[g.Etapas.size() - 2];
                EXPECT_EQ(e.Tipo, 2);
                EXPECT_EQ(e.Marcados, std::vector<std::int32_t>{anterior});
                EXPECT_EQ(e.Sel, k);
            }
            s.erase(k);
        }
        ASSERT_EQ(Comprobar(a), "");
        ASSERT_EQ(EnOrden(a), std::vector<std::int32_t>(s.begin(), s.end()));
    }
}

}  // namespace
