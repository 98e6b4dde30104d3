// The recording of an operation: every stage's rebuilt picture against what
// a live run, laid out at every type 1 and 2 report as the canvas does, showed
// at that report; clones; failures inside a recorded operation.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "comprobacion.h"
#include "uArbolAVL.h"
#include "uArbolRN.h"
#include "uGrabacion.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

namespace {

// What a picture shows: the stored bytes, every node's drawn and motion
// fields and mark (pre-order, then the removed node), the selection, and a
// heap's vector row.
struct TVista {
    std::vector<std::uint8_t> Flujo;
    std::vector<std::int32_t> Nodos;
    Opt Sel, Borrado;
    std::vector<std::int32_t> Vector;
    bool operator==(const TVista&) const = default;
};

void PrintTo(const TVista& V, std::ostream* os) {
    *os << "{nodos:";
    for (std::int32_t n : V.Nodos) *os << ' ' << n;
    *os << "; sel " << (V.Sel ? std::to_string(*V.Sel) : "-") << "; vector:";
    for (std::int32_t n : V.Vector) *os << ' ' << n;
    *os << "; " << V.Flujo.size() << " bytes}";
}

void Anadir(std::vector<std::int32_t>& V, const TNodoBin* n) {
    V.insert(V.end(), {n->Valor, n->X, n->Y, n->Marcado ? 1 : 0, n->XIni, n->YIni, n->XFin, n->YFin});
}

TVista Ver(const TArbolBin& A) {
    TVista v{A.Guardar(), {}, ValorSel(A), nil, {}};
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) { Anadir(v.Nodos, n); });
    if (A.NodoBorrado != nullptr) {
        v.Borrado = A.NodoBorrado->Valor;
        Anadir(v.Nodos, A.NodoBorrado);
    }
    if (const auto* m = dynamic_cast<const TMonticulo*>(&A)) {
        v.Vector = m->VectorValores;
        v.Vector.push_back(m->MaxNodos);
        for (std::int32_t i = 0; i < m->NumNodos; ++i) v.Vector.push_back(m->Vector[i]->Indice);
    }
    return v;
}

void Distribuir(TArbolBin& A) { A.DistribuirSeparada(15, 2, 5); }

struct TCaso {
    const char* Nombre;
    TClaseArbol Clase;
    std::vector<std::int32_t> Previas;  // insertions before, without reports
    TOperacionArbol Operacion;
    const char* Contiene;  // a text some stage must show
};

void PrintTo(const TCaso& C, std::ostream* os) { *os << C.Nombre; }

std::unique_ptr<TArbolBin> Preparar(const TCaso& C) {
    std::unique_ptr<TArbolBin> a = C.Clase();
    if (C.Previas.empty()) {
        TAleatorio g;
        g.Semilla = 7;
        static_cast<TMonticulo&>(*a).CrearDesordenado(7, g);
    }
    for (std::int32_t v : C.Previas) a->Insertar(v);
    Distribuir(*a);
    return a;
}

class Grabacion : public ::testing::TestWithParam<TCaso> {};

TEST_P(Grabacion, CadaFotoEsLoQueSeVioEnVivo) {
    const TCaso& c = GetParam();
    // The live presentation: pictures at each report, a layout at types 1, 2.
    std::unique_ptr<TArbolBin> vivo = Preparar(c);
    std::vector<std::pair<TVista, std::optional<TVista>>> vistas;
    TEtapas etapas;
    vivo->OnEtapa = [&](const std::string& T, const std::string& D, int Tipo) {
        TEtapaVista e{T, D, Tipo, {}, ValorSel(*vivo), vivo->NodoBorrado ? Opt(vivo->NodoBorrado->Valor) : nil};
        RecorrerPreorden(vivo->Raiz, [&](TNodoBin* n, std::int32_t) {
            if (n->Marcado) e.Marcados.push_back(n->Valor);
        });
        etapas.push_back(e);
        vistas.emplace_back(Ver(*vivo), std::nullopt);
        if (Tipo == 0) return;
        vivo->GuardarInicio();
        Distribuir(*vivo);
        vivo->GuardarDestino();
        vistas.back().second = Ver(*vivo);
    };
    c.Operacion(*vivo);
    vivo->OnEtapa = nullptr;

    std::unique_ptr<TArbolBin> a = Preparar(c);
    TGrabacion g;
    g.Grabar(*a, c.Operacion, Distribuir);
    EXPECT_EQ(Ver(*a), Ver(*vivo)) << "the live structure after recording";
    EXPECT_FALSE(a->MostrarEtapas());
    ASSERT_EQ(g.NumEtapas(), etapas.size());
    ASSERT_TRUE(g.Completa());
    bool contiene = false;
    for (std::size_t k = 0; k < etapas.size(); ++k) {
        const TGrabacion::TEtapa e = g.Etapa(k);
        EXPECT_EQ((TEtapaVista{std::string(e.Titulo), std::string(e.Descripcion), e.Tipo, e.Marcados, e.Sel,
                               e.Borrado}),
                  etapas[k]);
        contiene = contiene || e.Descripcion.find(c.Contiene) != std::string_view::npos;
    }
    EXPECT_TRUE(contiene) << c.Contiene;

    std::vector<std::size_t> orden(etapas.size());
    for (std::size_t k = 0; k < orden.size(); ++k) orden[k] = k;
    std::vector<std::vector<std::size_t>> ordenes{orden, {orden.rbegin(), orden.rend()}, orden};
    std::shuffle(ordenes[2].begin(), ordenes[2].end(), std::mt19937(5));
    for (const auto& o : ordenes)
        for (std::size_t k : o) {
            SCOPED_TRACE(k);
            const TGrabacion::TFoto f = g.Foto(k);
            EXPECT_EQ(Ver(*f.Antes), vistas[k].first);
            ASSERT_EQ(f.Despues != nullptr, vistas[k].second.has_value());
            if (f.Despues) {
                EXPECT_EQ(Ver(*f.Despues), *vistas[k].second);
            }
        }
    EXPECT_EQ(Ver(*g.Inicial()), Ver(*Preparar(c)));
}

void Buscar(std::int32_t V, TArbolBin& A) { A.Buscar(V); }

INSTANTIATE_TEST_SUITE_P(
    Tipos, Grabacion,
    ::testing::Values(
        TCaso{"AVLRotacionDoble", &CrearArbol<TArbolAVL>, {50, 20, 80, 10, 30}, [](TArbolBin& a) { a.Insertar(25); },
              "doble"},
        TCaso{"BSTBorradoConDosHijos", &CrearArbol<TArbolBST>, {50, 20, 80, 10, 30, 25},
              [](TArbolBin& a) {
                  a.Seleccionar(20, true);
                  a.Borrar();
              },
              "hijo"},
        TCaso{"RNRecoloreoYRotacion", &CrearArbol<TArbolRN>, {10, 20, 30, 40, 50, 60, 70},
              [](TArbolBin& a) { a.Insertar(80); }, "Caso 2"},
        TCaso{"SplayZigZig", &CrearArbol<TSplayTree>, {1, 2, 3, 4, 5, 6}, [](TArbolBin& a) { Buscar(1, a); },
              "Zig-Zig"},
        TCaso{"MonticuloBorradoMinimo", &CrearArbol<TMonticulo>, {1, 2, 3, 4, 5, 6, 7}, [](TArbolBin& a) { a.Borrar(); },
              "hijo menor"},
        TCaso{"CrearMonticulo", &CrearArbol<TMonticulo>, {},
              [](TArbolBin& a) { static_cast<TMonticulo&>(a).CrearMonticulo(); }, "intercambia"}),
    [](const auto& I) { return std::string(I.param.Nombre); });

TEST(Clonar, CadenaDeUnMillonIndependiente) {
    TArbolBST a;
    a.Cargar(FlujoCadena(1'000'000, true));
    a.SeleccionarPosicion(999'999);
    std::unique_ptr<TArbolBin> c = a.Clonar();
    const std::vector<std::uint8_t> flujo = a.Guardar();
    EXPECT_EQ(c->Guardar(), flujo);
    ASSERT_NE(c->NodoSel, a.NodoSel);
    EXPECT_EQ(ValorSel(*c), 1'000'000);
    EXPECT_EQ(c->Altura(), 1'000'000);
    c->Insertar(0);
    c.reset();
    EXPECT_EQ(a.Guardar(), flujo);
}

TEST(Grabacion, FalloDelMotorDevuelveElManejadorYConservaLasEtapas) {
    // Deletions do not restore the black paths: the next insertion's check
    // fails.
    TArbolRN a;
    for (std::int32_t v : {10, 20, 30, 40, 50, 60, 70, 80}) a.Insertar(v);
    a.Seleccionar(10, true);
    a.Borrar();
    Distribuir(a);
    int propias = 0;
    a.OnEtapa = [&](const std::string&, const std::string&, int) { ++propias; };
    TGrabacion g;
    EXPECT_THROW(g.Grabar(a, [](TArbolBin& b) { b.Insertar(5); }, Distribuir), EArbol);
    ASSERT_TRUE(a.MostrarEtapas());
    a.OnEtapa("", "", 0);
    EXPECT_EQ(propias, 1);
    ASSERT_GT(g.NumEtapas(), 0u);
    const TGrabacion::TFoto f = g.Foto(g.NumEtapas() - 1);
    EXPECT_EQ(f.Antes->NumNodos, 8);
    EXPECT_THROW(g.Foto(g.NumEtapas()), std::out_of_range);
}

TEST(Grabacion, PasadoElPresupuestoSoloCuenta) {
    TArbolAVL a, b;
    for (TArbolAVL* x : {&a, &b})
        for (std::int32_t v = 1; v < 64; ++v) x->Insertar(v);
    TGrabacion g(0);
    g.Grabar(a, [](TArbolBin& x) { x.Insertar(64); }, Distribuir);
    b.Insertar(64);
    EXPECT_EQ(a.Guardar(), b.Guardar());
    EXPECT_EQ(g.NumEtapas(), 1u);
    EXPECT_GT(g.EtapasOmitidas(), 0u);
    EXPECT_NO_THROW(g.Foto(0));
    EXPECT_THROW(g.Foto(1), std::out_of_range);
}

}  // namespace
