// A recording's rebuilt pictures against a live run laid out at every type 1 and 2 report; failures; the budget.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "comprobacion.h"
#include "uGrabacion.h"

namespace {

// What a picture shows: bytes, each node's drawn and motion fields and mark, selection, removed node, heap row.
std::vector<std::int32_t> Ver(const TArbolBin& A) {
    std::vector<std::int32_t> v;
    for (std::uint8_t b : A.Guardar()) v.push_back(b);
    auto anadir = [&](const TNodoBin* n) {
        v.insert(v.end(), {n->Valor, n->X, n->Y, n->Marcado, n->XIni, n->YIni, n->XFin, n->YFin});
    };
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) { anadir(n); });
    v.push_back(A.NodoSel ? A.NodoSel->Valor : -999);
    if (A.NodoBorrado != nullptr) anadir(A.NodoBorrado);
    if (const auto* m = dynamic_cast<const TMonticulo*>(&A)) {
        v.insert(v.end(), m->VectorValores.begin(), m->VectorValores.end());
        v.push_back(m->MaxNodos);
        for (std::int32_t i = 0; i < m->NumNodos; ++i) v.push_back(m->Vector[i]->Indice);
    }
    return v;
}

void Distribuir(TArbolBin& A) { A.DistribuirSeparada(15, 2, 5); }

struct TCaso {
    const char* Nombre;
    TClaseArbol Clase;
    std::vector<std::int32_t> Previas;  // none: an unordered heap of 7
    TOperacionArbol Operacion;
};

std::unique_ptr<TArbolBin> Preparar(const TCaso& C) {
    std::unique_ptr<TArbolBin> a = C.Clase();
    TAleatorio g;
    if (C.Previas.empty()) static_cast<TMonticulo&>(*a).CrearDesordenado(7, g);
    for (std::int32_t v : C.Previas) a->Insertar(v);
    Distribuir(*a);
    return a;
}

void PrintTo(const TCaso& C, std::ostream* os) { *os << C.Nombre; }

class Grabacion : public ::testing::TestWithParam<TCaso> {};

TEST_P(Grabacion, CadaFotoEsLoQueSeVioEnVivo) {
    const TCaso& c = GetParam();
    // The live presentation: pictures at each report, a layout at types 1, 2.
    std::unique_ptr<TArbolBin> vivo = Preparar(c);
    std::vector<std::vector<std::int32_t>> antes, despues;
    TGrabadora etapas(*vivo);
    etapas.Ademas = [&] { antes.push_back(Ver(*vivo)); };
    vivo->OnEtapa = [&, grabar = vivo->OnEtapa](const std::string& T, const std::string& D, int Tipo) {
        grabar(T, D, Tipo);
        despues.emplace_back();
        if (Tipo == 0) return;
        vivo->GuardarInicio(), Distribuir(*vivo), vivo->GuardarDestino();
        despues.back() = Ver(*vivo);
    };
    c.Operacion(*vivo);
    vivo->OnEtapa = nullptr;

    std::unique_ptr<TArbolBin> a = Preparar(c);
    TGrabacion g;
    g.Grabar(*a, c.Operacion, Distribuir);
    EXPECT_EQ(Ver(*a), Ver(*vivo)) << "the live structure after recording";
    EXPECT_FALSE(a->MostrarEtapas());
    ASSERT_EQ(g.NumEtapas(), etapas.Etapas.size());
    ASSERT_TRUE(g.Completa());
    for (std::size_t i = 0; i < 2 * g.NumEtapas(); ++i) {  // forward, then backward
        const std::size_t k = i < g.NumEtapas() ? i : 2 * g.NumEtapas() - 1 - i;
        const TGrabacion::TEtapa e = g.Etapa(k);
        EXPECT_EQ(Linea(e.Titulo, e.Descripcion, e.Tipo, e.Marcados, e.Sel, e.Borrado), etapas.Etapas[k]);
        const TGrabacion::TFoto f = g.Foto(k);
        EXPECT_EQ(Ver(*f.Antes), antes[k]) << k;
        EXPECT_EQ(f.Despues ? Ver(*f.Despues) : std::vector<std::int32_t>{}, despues[k]) << k;
    }
    EXPECT_EQ(Ver(*g.Inicial()), Ver(*Preparar(c)));
}

TOperacionArbol Ins(std::int32_t V) { return [V](TArbolBin& A) { A.Insertar(V); }; }
TOperacionArbol Bor(std::int32_t V) { return [V](TArbolBin& A) { A.BorrarEntrada(V); }; }

INSTANTIATE_TEST_SUITE_P(
    Tipos, Grabacion,
    ::testing::Values(TCaso{"AVLRotacionDoble", &CrearArbol<TArbolAVL>, {50, 20, 80, 10, 30}, Ins(25)},
                      TCaso{"BSTBorradoConDosHijos", &CrearArbol<TArbolBST>, {50, 20, 80, 10, 30, 25}, Bor(20)},
                      TCaso{"RNRecoloreoYRotacion", &CrearArbol<TArbolRN>, {10, 20, 30, 40, 50, 60, 70}, Ins(80)},
                      TCaso{"SplayZigZig", &CrearArbol<TSplayTree>, {1, 2, 3, 4, 5, 6},
                            [](TArbolBin& a) { a.Buscar(1); }},
                      TCaso{"MonticuloBorradoMinimo", &CrearArbol<TMonticulo>, {1, 2, 3, 4, 5, 6, 7}, Bor(1)},
                      TCaso{"CrearMonticulo", &CrearArbol<TMonticulo>, {},
                            [](TArbolBin& a) { static_cast<TMonticulo&>(a).CrearMonticulo(); }}),
    [](const auto& I) { return std::string(I.param.Nombre); });

// Deletions leave the black paths stale: the next insertion's check fails; the handler comes back, the stages stay.
TEST(Grabacion, FalloDelMotorDevuelveElManejadorYConservaLasEtapas) {
    TArbolRN a;
    for (std::int32_t v : {10, 20, 30, 40, 50, 60, 70, 80}) a.Insertar(v);
    a.BorrarEntrada(10);
    Distribuir(a);
    int propias = 0;
    a.OnEtapa = [&](const std::string&, const std::string&, int) { ++propias; };
    TGrabacion g;
    EXPECT_THROW(g.Grabar(a, Ins(5), Distribuir), EArbol);
    ASSERT_TRUE(a.MostrarEtapas() && g.NumEtapas() > 0);
    a.OnEtapa("", "", 0);
    EXPECT_EQ(propias, 1);
    EXPECT_EQ(g.Foto(g.NumEtapas() - 1).Antes->NumNodos, 8);
    EXPECT_THROW(g.Foto(g.NumEtapas()), std::out_of_range);
}

// Past the budget the operation still runs to its end; later stages are only counted.
TEST(Grabacion, PasadoElPresupuestoSoloCuenta) {
    TArbolAVL a, b;
    for (std::int32_t v = 1; v < 64; ++v) a.Insertar(v), b.Insertar(v);
    TGrabacion g(0);
    g.Grabar(a, Ins(64), Distribuir);
    b.Insertar(64);
    EXPECT_EQ(a.Guardar(), b.Guardar());
    EXPECT_TRUE(g.NumEtapas() == 1 && g.EtapasOmitidas() > 0 && !g.Completa());
    EXPECT_NO_THROW(g.Foto(0));
    EXPECT_THROW(g.Foto(1), std::out_of_range);
}

// The memory held covers every distinct text and, per stage, at least its marked values, selection and removed node.
TEST(Grabacion, MemoriaRetenidaCubreTextosYEtapas) {
    TArbolBST s;  // many stages repeating few texts: the walk down a long right spine to the predecessor
    for (std::int32_t v : {1000, 2000}) s.Insertar(v);
    for (std::int32_t v = 0; v <= 60; ++v) s.Insertar(v);
    TArbolAVL v;  // few stages with many texts
    for (std::int32_t k : {50, 20, 80, 10, 30}) v.Insertar(k);
    for (auto [a, op] : {std::pair<TArbolBin*, TOperacionArbol>{&s, Bor(1000)},
                         {&v, Ins(25)}}) {
        TGrabacion g;
        g.Grabar(*a, op, Distribuir);
        std::set<std::string_view> textos;
        std::size_t minimo = 0;
        for (std::size_t k = 0; k < g.NumEtapas(); ++k) {
            const TGrabacion::TEtapa e = g.Etapa(k);
            textos.insert(e.Titulo), textos.insert(e.Descripcion);
            minimo += 4 * e.Marcados.size() + 8;
        }
        for (std::string_view t : textos) minimo += t.size();
        EXPECT_GE(g.BytesRetenidos() - g.Inicial()->BytesNodos(), minimo) << g.NumEtapas();
    }
}

}  // namespace
