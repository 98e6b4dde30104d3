// Random operation sequences run against the heap and against
// std::priority_queue, with the invariant checker after every step; then a
// million insertions, deletions and a million-node heap through the builders
// and the stream.
#include <gtest/gtest.h>

#include <functional>
#include <queue>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "comprobacion_monticulo.h"

namespace {

using TValores = std::vector<std::int32_t>;
using TCola = std::priority_queue<std::int32_t, std::vector<std::int32_t>, std::greater<>>;

class DiferencialMonticulo : public ::testing::TestWithParam<std::uint32_t> {};

// Insertions, deletions of the minimum, access to the minimum and now and
// then a save and load. The nodes stay in their cells (values travel), the
// removed minimum stays in the cell just past the end, MaxNodos is the
// greatest count since the last load.
TEST_P(DiferencialMonticulo, ContraPriorityQueue) {
    std::mt19937 gen(GetParam());
    TMonticulo m;
    TCola q;
    std::int32_t maximo = 0;
    for (int paso = 0; paso < 20000; ++paso) {
        SCOPED_TRACE("step " + std::to_string(paso));
        const int op = std::uniform_int_distribution<int>(0, 99)(gen);
        const std::vector<TNodoMon*> antes(m.Vector.begin(), m.Vector.begin() + m.NumNodos);
        m.Deseleccionar();
        if (op < 52) {
            const std::int32_t v = std::uniform_int_distribution<std::int32_t>(-200, 200)(gen);
            ASSERT_TRUE(m.Insertar(v));
            q.push(v);
            maximo = std::max(maximo, static_cast<std::int32_t>(q.size()));
        } else if (op < 90) {
            m.Borrar();
            if (!q.empty()) {
                EXPECT_EQ(m.VectorValores[m.NumNodos], q.top());
                q.pop();
            }
        } else if (op < 97) {
            EXPECT_EQ(m.Buscar(op), !q.empty());
            EXPECT_EQ(m.NodoSel, m.Raiz);
        } else {
            m.Cargar(m.Guardar());
            maximo = static_cast<std::int32_t>(q.size());
        }
        ASSERT_EQ(ComprobarMonticulo(m), "");
        ASSERT_EQ(m.NumNodos, static_cast<std::int32_t>(q.size()));
        ASSERT_EQ(m.MaxNodos, maximo);
        if (!q.empty()) {
            ASSERT_EQ(m.Raiz->Valor, q.top());
        }
        for (std::size_t i = 0; op < 97 && i < antes.size() && i < static_cast<std::size_t>(m.NumNodos); ++i) {
            ASSERT_EQ(m.Vector[i], antes[i]) << "cell " << i;
        }
    }
    EXPECT_GT(q.size(), 200u);
    // Emptied one minimum at a time, both give the same sequence.
    while (!q.empty()) {
        ASSERT_EQ(m.Raiz->Valor, q.top());
        m.Borrar();
        q.pop();
    }
    EXPECT_EQ(m.Raiz, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Semillas, DiferencialMonticulo, ::testing::Values(1u, 2u, 3u));

// With reports on: every report sees the vector, links and values in
// agreement (and may lay the heap out); the selection follows the value that
// moves; the removed node is NodoBorrado at the descent's first report only.
TEST(DiferencialMonticuloConInformes, SecuenciasCoherentes) {
    std::mt19937 gen(17);
    TMonticuloContado m;
    TCola q;
    TGrabadora g(m);
    g.Vigilar([&] {
        m.DistribuirCompleta(15, 2, 5);
        return ComprobarMonticuloEnEtapa(m);
    });
    for (int paso = 0; paso < 3000; ++paso) {
        SCOPED_TRACE("step " + std::to_string(paso));
        g.Etapas.clear();
        m.Deseleccionar();
        if (std::uniform_int_distribution<int>(0, 2)(gen) < 2) {
            const std::int32_t v = std::uniform_int_distribution<std::int32_t>(-100, 100)(gen);
            m.Insertar(v);
            q.push(v);
            for (std::size_t j = 1; j < g.Etapas.size(); ++j) EXPECT_EQ(g.Etapas[j].Sel, v);
        } else if (!q.empty()) {
            const std::int32_t minimo = q.top(), ultimo = m.VectorValores[m.NumNodos - 1];
            m.Borrar();
            q.pop();
            ASSERT_EQ(g.Etapas.size() == 1, q.empty());
            ASSERT_GE(g.Etapas.size(), q.empty() ? 1u : 3u);
            for (std::size_t j = 0; j < g.Etapas.size() && !q.empty(); ++j) {
                EXPECT_EQ(g.Etapas[j].Sel, j < 2 ? minimo : ultimo);
                EXPECT_EQ(g.Etapas[j].Borrado, j == 2 ? Opt(minimo) : nil);
            }
        }
        ASSERT_EQ(ComprobarMonticulo(m), "");
        ASSERT_EQ(TNodoMonContado::Vivos, m.NumNodos);
        ASSERT_EQ(m.NumNodos, static_cast<std::int32_t>(q.size()));
    }
}

// The walks without reports must leave exactly what the reported walks
// leave. Two heaps take the same operations, one with reports off and one
// with an empty handler; before each operation every node gets the same
// fresh drawn positions in both, so that each exchanged position shows.
// Ties are frequent, and now and then the content is an unordered heap,
// which the operations must handle alike too.
TEST(DiferencialMonticuloConInformes, SinInformesComoConInformes) {
    std::mt19937 gen(29);
    TMonticulo m, r;
    r.OnEtapa = [](const std::string&, const std::string&, int) {};
    auto igualar = [&] {
        for (std::int32_t i = 0; i < m.NumNodos; ++i) {
            TNodoBin *a = m.Vector[i], *b = r.Vector[i];
            a->X = b->X = static_cast<std::int32_t>(gen());
            a->Y = b->Y = static_cast<std::int32_t>(gen());
            a->XIni = b->XIni = static_cast<std::int32_t>(gen() % 100);
            a->YFin = b->YFin = static_cast<std::int32_t>(gen() % 100);
        }
    };
    auto indiceSel = [](const TMonticulo& h) {
        return h.NodoSel == nullptr ? -1 : static_cast<TNodoMon*>(h.NodoSel)->Indice;
    };
    for (int paso = 0; paso < 6000; ++paso) {
        SCOPED_TRACE("step " + std::to_string(paso));
        igualar();
        const int op = std::uniform_int_distribution<int>(0, 99)(gen);
        const auto v = std::uniform_int_distribution<std::int32_t>(-20, 20)(gen);
        const auto semilla = static_cast<std::uint32_t>(gen());
        for (TMonticulo* h : {&m, &r}) {
            if (op < 50) {
                h->Insertar(v);
            } else if (op < 92) {
                h->Borrar();
            } else if (op < 96) {
                h->CrearMonticulo();
            } else if (op < 98) {
                h->Buscar(0);
            } else {
                TAleatorio a;
                a.Semilla = semilla;
                h->CrearDesordenado(static_cast<std::int32_t>(semilla % 301), a);
            }
        }
        ASSERT_EQ(ComprobarMonticulo(m, false), "");
        ASSERT_EQ(std::tie(m.NumNodos, m.MaxNodos), std::tie(r.NumNodos, r.MaxNodos));
        ASSERT_EQ(m.Capacidad(), r.Capacidad());
        ASSERT_EQ(indiceSel(m), indiceSel(r));
        ASSERT_EQ(m.NodoBorrado, nullptr);
        for (std::int32_t i = 0; i < m.MaxNodos; ++i)
            ASSERT_EQ(m.VectorValores[i], r.VectorValores[i]) << "cell " << i;
        for (std::int32_t i = 0; i < m.NumNodos; ++i) {
            const TNodoBin *a = m.Vector[i], *b = r.Vector[i];
            ASSERT_EQ(std::tie(a->Valor, a->X, a->Y, a->XIni, a->YIni, a->XFin, a->YFin),
                      std::tie(b->Valor, b->X, b->Y, b->XIni, b->YIni, b->XFin, b->YFin))
                << "cell " << i;
        }
    }
}

constexpr std::int32_t Millon = 1'000'000;

// Each value climbs to the root. The visible length steps by 100 up to the
// count, but the storage moves only a logarithmic number of times. Emptied
// again, the stale cells hold the values sorted, the smallest last.
TEST(MillonMonticulo, InsercionesYBorrados) {
    TMonticulo m;
    int movimientos = 0;
    const TNodoMon* const* datos = m.Vector.data();
    for (std::int32_t v = Millon; v >= 1; --v) {
        m.Insertar(v);
        if (m.Vector.data() != datos) ++movimientos;
        datos = m.Vector.data();
    }
    EXPECT_LE(movimientos, 20);
    EXPECT_EQ(m.Capacidad(), Millon);
    EXPECT_EQ(ComprobarMonticulo(m), "");
    m.Insertar(0);
    EXPECT_EQ(m.Capacidad(), Millon + 100);
    for (std::int32_t i = 0; i <= Millon; ++i) m.Borrar();
    EXPECT_EQ(m.NumNodos, 0);
    EXPECT_EQ(m.MaxNodos, Millon + 1);
    for (std::int32_t i = 0; i <= Millon; ++i) ASSERT_EQ(m.VectorValores[i], Millon - i) << i;
}

// A million-node unordered heap made a heap, saved and loaded back.
TEST(MillonMonticulo, DesordenadoCrearGuardarCargar) {
    TMonticulo m;
    TAleatorio r;
    m.CrearDesordenado(Millon, r);
    EXPECT_EQ(m.Capacidad(), Millon);
    m.CrearMonticulo();
    EXPECT_EQ(ComprobarMonticulo(m), "");
    EXPECT_EQ(m.Raiz->Valor, 1);
    const TBytes datos = m.Guardar();
    EXPECT_EQ(datos.size(), 4 + 10 * static_cast<std::size_t>(Millon));
    TMonticulo b;
    b.Cargar(datos);
    EXPECT_EQ(b.Capacidad(), Millon + 100);
    EXPECT_EQ(b.Guardar(), datos);
}

}  // namespace
