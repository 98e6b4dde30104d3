// The black-path check skips subtrees that passed the last check untouched.
// Random operation sequences (insertions, deletions, loads of saved and of
// altered streams, replays) run on a tree that walks every node on every
// check and on one that takes the shortcut; after every operation the two
// must agree on everything a user can see: the error raised, the shape, the
// colours and every black height, also the heights written before a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "auxiliares.h"

namespace {

using TAlturas = std::map<const TNodoBin*, std::int32_t>;

TAlturas AlturasPorNodo(const TArbolBin& a) {
    TAlturas m;
    RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { m[n] = static_cast<TNodoRN*>(n)->AlturaNegra; });
    return m;
}

// A plain black-path check written apart from the engine's: children before
// parents, stopping at the first node whose paths disagree. Writes into M
// the heights it computes; false on failure.
bool CaminoNegro(const TNodoBin* n, TAlturas& m) {
    if (n == nullptr) return true;
    if (!CaminoNegro(n->Izq, m) || !CaminoNegro(n->Der, m)) return false;
    auto negro = [](const TNodoBin* h) { return static_cast<const TNodoRN*>(h)->Color == 1 ? 1 : 0; };
    const TNodoBin *l = n->Izq, *d = n->Der;
    if (l == nullptr || d == nullptr) {
        const TNodoBin* h = l != nullptr ? l : d;
        if (h != nullptr && (negro(h) || m.at(h) != 1)) return false;
        m[n] = 1;
        return true;
    }
    const std::int32_t al = m.at(l) + negro(l);
    if (al != m.at(d) + negro(d)) return false;
    m[n] = al;
    return true;
}

// What an operation left in a tree, as far as a user can tell: the error,
// shape, colours, black heights, count and selection.
using TEstado = std::tuple<std::string, std::string, std::string, std::vector<std::int32_t>, std::int32_t, Opt>;

TEstado Estado(const TArbolRN& a, std::string Error) {
    return {std::move(Error), Forma(a), Colores(a), Alturas(a), a.NumNodos, ValorSel(a)};
}

// The error F raised, and what a report handler threw made into nothing.
std::string Probar(const std::function<void()>& f) {
    try {
        f();
    } catch (const EArbol& e) {
        return e.what();
    } catch (const TInterrupcion&) {
    }
    return {};
}

// Two trees fed the same operations: Completo walks every node on every
// check, Incremental skips what passed before.
struct TPareja {
    TPareja() { Completo.ComprobacionCompleta = true; }
    // Runs Op on both trees, compares what they show and returns the error.
    std::string Ambos(const std::function<void(TArbolRN&)>& Op) {
        const std::string e = Probar([&] { Op(Completo); });
        EXPECT_EQ(Estado(Completo, e), Estado(Incremental, Probar([&] { Op(Incremental); })));
        EXPECT_EQ(Comprobar(Completo), "");
        EXPECT_EQ(Comprobar(Incremental), "");
        return e;
    }
    TArbolRN Completo, Incremental;
};

class TSecuencia {
public:
    explicit TSecuencia(std::uint32_t Semilla) : Gen_(Semilla) {}

    std::int32_t Uno(std::int32_t N) { return std::uniform_int_distribution<std::int32_t>(0, N - 1)(Gen_); }

    void Insertar(std::int32_t k) {
        TArbolRN& a = P_.Incremental;
        const TAlturas antes = AlturasPorNodo(a);
        const bool habiaRaiz = a.Raiz != nullptr;
        const std::int32_t n = a.NumNodos;
        const std::string error = P_.Ambos([k](TArbolRN& t) {
            t.Deseleccionar();
            t.Insertar(k);
        });
        Historia_.push_back(k);
        if (!error.empty()) ++Fallos;
        if (!habiaRaiz || a.NumNodos == n) return;  // no check was made
        // Against the plain check: a node keeps its height unless the
        // check reached it before stopping; the new node starts at 0.
        TAlturas calculadas;
        const bool bien = CaminoNegro(a.Raiz, calculadas);
        EXPECT_EQ(bien, error.empty());
        for (auto [nodo, h] : AlturasPorNodo(a)) {
            const auto c = calculadas.find(nodo);
            const auto v = antes.find(nodo);
            EXPECT_EQ(h, c != calculadas.end() ? c->second : v != antes.end() ? v->second : 0) << nodo->Valor;
        }
        if (bien && BorradosDesdeCarga_ > 0) ++PasadasTrasBorrado;
        if (!bien && calculadas.size() < antes.size()) ++FallosAMedias;
    }

    void Paso() {
        TArbolRN& a = P_.Incremental;
        const std::int32_t op = Uno(100);
        if (op < 55) {
            Insertar(1 + Uno(Rango));
        } else if (op < 75) {
            if (a.NumNodos == 0) return;
            const std::int32_t i = Uno(a.NumNodos);
            Historia_.push_back(-EnOrden(a)[i]);
            P_.Ambos([i](TArbolRN& t) {
                t.SeleccionarPosicion(i);
                t.Borrar();
            });
            ++BorradosDesdeCarga_;
        } else if (op < 85) {
            // Saved and loaded again (colours kept, black heights back to 0),
            // half the time with colour bytes altered, some to values that
            // are neither red nor black.
            std::vector<std::uint8_t> datos = P_.Completo.Guardar();
            EXPECT_EQ(a.Guardar(), datos);
            for (std::size_t r = 0; op >= 80 && r < (datos.size() - 4) / 7; ++r) {
                const std::int32_t x = Uno(10);
                if (x <= 2) datos[4 + 7 * r + 4] = static_cast<std::uint8_t>(x < 2 ? x : Uno(256));
            }
            Cargar(datos);
        } else if (op < 89) {
            TArbolRN otro;  // a sound red-black tree built elsewhere
            for (std::int32_t i = Uno(Rango); i > 0; --i) otro.Insertar(1 + Uno(Rango));
            Cargar(otro.Guardar());
        } else if (op < 95) {
            std::vector<std::int32_t> e = Historia_;
            if (op >= 92) {
                e.clear();
                for (std::int32_t i = Uno(2 * Rango); i > 0; --i)
                    e.push_back((Uno(4) == 0 ? -1 : 1) * (1 + Uno(Rango)));
            }
            if (!P_.Ambos([&](TArbolRN& t) { t.Reconstruir(e); }).empty()) ++Fallos;
            BorradosDesdeCarga_ = std::any_of(e.begin(), e.end(), [](std::int32_t x) { return x < 0; });
            Historia_ = std::move(e);
        } else {
            // The check called by hand, at the root or at any node.
            const bool raiz = a.NumNodos == 0 || Uno(2) == 0;
            const std::int32_t v = raiz ? 0 : EnOrden(a)[Uno(a.NumNodos)];
            if (!P_.Ambos([&](TArbolRN& t) { t.ComprobarCaminoNegro(raiz ? t.Raiz : Nodo(t, v)); }).empty()) ++Fallos;
        }
    }

    // A tree that passes the check but has red nodes under red nodes: a
    // sound tree recoloured by moves that keep every black height (a red
    // node with two black children trades colours with them, and back; the
    // root takes any colour; red bytes other than 0). Loaded and checked by
    // hand, so the insertions that follow start from a verified tree.
    void CargarConRojosSeguidos() {
        TArbolRN otro;
        for (std::int32_t i = 50 + Uno(Rango); i > 0; --i) otro.Insertar(1 + Uno(Rango));
        std::vector<TNodoRN*> nodos;
        RecorrerPreorden(otro.Raiz, [&](TNodoBin* n, std::int32_t) { nodos.push_back(static_cast<TNodoRN*>(n)); });
        auto rojo = [this] { return static_cast<std::uint8_t>(Uno(3) == 0 ? 2 + Uno(254) : 0); };
        for (std::int32_t i = Uno(3 * static_cast<std::int32_t>(nodos.size())); i > 0; --i) {
            TNodoRN* n = nodos[Uno(static_cast<std::int32_t>(nodos.size()))];
            auto* l = static_cast<TNodoRN*>(n->Izq);
            auto* d = static_cast<TNodoRN*>(n->Der);
            if (n == otro.Raiz && Uno(4) == 0) n->Color = Uno(2) == 0 ? 1 : rojo();
            if (l == nullptr || d == nullptr || l->EsNegro() != d->EsNegro() || l->EsNegro() == n->EsNegro()) continue;
            const bool hijosNegros = l->EsNegro();
            n->Color = hijosNegros ? 1 : rojo();
            l->Color = hijosNegros ? rojo() : 1;
            d->Color = hijosNegros ? rojo() : 1;
        }
        Cargar(otro.Guardar());
        EXPECT_EQ(P_.Ambos([](TArbolRN& t) { t.ComprobarCaminoNegro(t.Raiz); }), "");
    }

    static constexpr std::int32_t Rango = 300;
    std::int32_t Fallos = 0, FallosAMedias = 0, PasadasTrasBorrado = 0;

private:
    void Cargar(const std::vector<std::uint8_t>& Datos) {
        P_.Ambos([&](TArbolRN& t) { t.Cargar(Datos); });
        BorradosDesdeCarga_ = 0;
    }

    std::mt19937 Gen_;
    TPareja P_;
    std::vector<std::int32_t> Historia_;
    std::int32_t BorradosDesdeCarga_ = 0;
};

// Each instance runs a block of seeds; together they reach checks that
// fail half-way (after deletions and altered colours) and checks that pass
// after deletions.
class Equivalencia : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(Equivalencia, ComprobacionIncrementalIgualAComprobacionCompleta) {
    std::int32_t fallos = 0, aMedias = 0, pasadas = 0;
    for (std::uint32_t semilla = GetParam() * 100; semilla < GetParam() * 100 + 25; ++semilla) {
        TSecuencia s(semilla);
        for (int i = 0; i < 600; ++i) {
            s.Paso();
            if (::testing::Test::HasFailure()) FAIL() << "seed " << semilla << ", step " << i;
        }
        fallos += s.Fallos;
        aMedias += s.FallosAMedias;
        pasadas += s.PasadasTrasBorrado;
    }
    EXPECT_GT(fallos, 2000);
    EXPECT_GT(aMedias, 2000);
    EXPECT_GT(pasadas, 200);
}

INSTANTIATE_TEST_SUITE_P(Semillas, Equivalencia, ::testing::Values(1u, 2u, 3u, 4u));

// Insertions into a verified tree with red nodes under red nodes: the
// recolouring and rotations shift black heights, and the check fails
// inside the changed subtree or just above it. After a failure every later
// check fails too, so each round loads a new tree.
TEST(EquivalenciaRojosSeguidos, InsercionesEnArbolVerificado) {
    std::int32_t fallos = 0;
    for (std::uint32_t semilla = 0; semilla < 200; ++semilla) {
        TSecuencia s(semilla);
        for (int ronda = 0; ronda < 5; ++ronda) {
            s.CargarConRojosSeguidos();
            for (int i = 0; i < 30; ++i) s.Insertar(1 + s.Uno(TSecuencia::Rango));
        }
        if (::testing::Test::HasFailure()) FAIL() << "seed " << semilla;
        fallos += s.Fallos;
    }
    EXPECT_GT(fallos, 300);
}

// A report handler may leave an insertion at any of its reports (the window
// closes while a step is shown). What the insertion did up to there stays;
// the next checks must still agree.
TEST(EquivalenciaInterrumpida, ManejadorQueLanzaEnCualquierInforme) {
    std::mt19937 gen(17);
    auto uno = [&](std::int32_t n) { return std::uniform_int_distribution<std::int32_t>(1, n)(gen); };
    for (int t = 0; t < 300; ++t) {
        SCOPED_TRACE("run " + std::to_string(t));
        TPareja p;
        TArbolRN base;
        for (std::int32_t i = 29 + uno(30); i > 0; --i) base.Insertar(uno(200));
        p.Ambos([&](TArbolRN& a) { a.Cargar(base.Guardar()); });
        const std::int32_t primera = uno(200), k = uno(200);
        p.Ambos([&](TArbolRN& a) { a.Insertar(primera); });  // verifies the whole tree
        // The report at which the handler leaves, counted on a copy.
        TArbolRN copia;
        copia.Cargar(p.Incremental.Guardar());
        TGrabadora g(copia);
        copia.Insertar(k);
        const std::size_t corte = uno(static_cast<std::int32_t>(g.Etapas.size()) + 1) - 1;
        p.Ambos([&](TArbolRN& a) {
            a.OnEtapa = [corte, vistos = std::size_t{0}](const std::string&, const std::string&, int) mutable {
                if (vistos++ == corte) throw TInterrupcion{};
            };
            a.Insertar(k);
        });
        for (TArbolRN* a : {&p.Completo, &p.Incremental}) a->OnEtapa = nullptr;
        for (int i = 0; i < 20; ++i) {
            const std::int32_t v = uno(200);
            p.Ambos([&](TArbolRN& a) {
                a.Deseleccionar();
                a.Insertar(v);
            });
        }
        if (::testing::Test::HasFailure()) return;
    }
}

}  // namespace
