// The splay tree: the reports of every rotation case as data, the tree at
// each report, a handler that throws, random runs against std::set and a
// million-node chain splayed from its deep end.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "comprobacion.h"
#include "uSplayTree.h"

namespace {

// clang-format off
using namespace EtapasBST;

const std::string Splay = "Splay sobre nodo seleccionado",
                  EnLaRaiz = "El nodo ha llegado a la raiz. Se termina la operación.",
                  SigueTexto = "Se sigue aplicando Splay sobre el nodo seleccionado.";
TEtapaVista YaEnRaiz(std::int32_t x) { return {Splay, EnLaRaiz, 0, {x}, x, nil}; }
TEtapaVista Llega(std::int32_t x) { return {Splay, EnLaRaiz, 1, {}, x, nil}; }
TEtapaVista Sigue(std::int32_t x) { return {Splay, SigueTexto, 1, {}, x, nil}; }
// A rotation case of X (the last mark; marks in pre-order: G, P, X).
TEtapaVista Rot(const char* Caso, std::vector<std::int32_t> M) {
    const std::int32_t x = M.back();
    return {Splay, Caso, 0, std::move(M), x, nil};
}
const char *const Zig = "Caso 1a: Padre del nodo es la raiz: Rotación Zig.",
           *const Zag = "Caso 1b: Padre del nodo es la raiz: Rotación Zag.",
           *const ZigZig = "Caso 2a: Existe abuelo, todos hijos izquierdos: Rotación Zig-Zig.",
           *const ZagZag = "Caso 2b: Existe abuelo, todos hijos derechos: Rotación Zag-Zag.",
           *const ZigZag = "Caso 3a: Existe abuelo, nodo derecho y padre izquierdo: Rotación Zig-Zag.",
           *const ZagZig = "Caso 3b: Existe abuelo, nodo izquierdo y padre derecho: Rotación Zag-Zig.";

const TCasoBST Casos[] = {
    // The single rotations, with the parent at the root.
    {"ZigEnLaRaiz", "50(30(20,40),70)", OpBuscar, 30, true, "30(20,50(40,70))", 30,
     Unir({Hallado(30, {50, 30}), {Rot(Zig, {50, 30}), Llega(30)}})},
    {"ZagEnLaRaiz", "50(30,70(60,80))", OpBuscar, 70, true, "70(50(30,60),80)", 70,
     Unir({Hallado(70, {50, 70}), {Rot(Zag, {50, 70}), Llega(70)}})},
    // The double rotations, each re-attaching two subtrees.
    {"ZigZig", "60(40(20(10,30),50),70)", OpBuscar, 20, true, "20(10,40(30,60(50,70)))", 20,
     Unir({Hallado(20, {60, 40, 20}), {Rot(ZigZig, {60, 40, 20}), Llega(20)}})},
    {"ZagZag", "10(5,30(20,50(40,60)))", OpBuscar, 50, true, "50(30(10(5,20),40),60)", 50,
     Unir({Hallado(50, {10, 30, 50}), {Rot(ZagZag, {10, 30, 50}), Llega(50)}})},
    {"ZigZag", "60(20(10,40(30,50)),70)", OpBuscar, 40, true, "40(20(10,30),60(50,70))", 40,
     Unir({Hallado(40, {60, 20, 40}), {Rot(ZigZag, {60, 20, 40}), Llega(40)}})},
    {"ZagZig", "20(10,60(40(30,50),70))", OpBuscar, 40, true, "40(20(10,30),60(50,70))", 40,
     Unir({Hallado(40, {20, 60, 40}), {Rot(ZagZig, {20, 60, 40}), Llega(40)}})},
    // Below a great-grandparent: X takes G's place on G's side and goes on.
    {"ZigZigYZig", "80(60(40(20,50),70),90)", OpBuscar, 20, true, "20(,80(40(,60(50,70)),90))", 20,
     Unir({Hallado(20, {80, 60, 40, 20}), {Rot(ZigZig, {60, 40, 20}), Sigue(20), Rot(Zig, {80, 20}), Llega(20)}})},
    {"ZagZagYZigZag", "100(50(40,60(,70(,80))),110)", OpBuscar, 80, true, "80(50(40,70(60,)),100(,110))", 80,
     Unir({Hallado(80, {100, 50, 60, 70, 80}),
           {Rot(ZagZag, {60, 70, 80}), Sigue(80), Rot(ZigZag, {100, 50, 80}), Llega(80)}})},
    {"BuscarValorDeRaiz", "50(30,70)", OpBuscar, 50, true, "50(30,70)", 50, Unir({Hallado(50, {}), {YaEnRaiz(50)}})},
    // An insertion splays the new node from where it was placed; its search
    // does not splay, also when the value was there.
    {"InsertarEnVacio", "", OpInsertar, 1, true, "1", 1, {NoEncontrado(nil), InsercionEnVacio(1), YaEnRaiz(1)}},
    {"InsertarHojaZagZig", "50(30,70)", OpInsertar, 60, true, "60(50(30,),70)", 60,
     {Comparacion(60, 50), Comparacion(60, 70), NoEncontrado(70), InsercionHoja(60), Rot(ZagZig, {50, 70, 60}),
      Llega(60)}},
    {"InsertarPresente", "50(30(20,40),70)", OpInsertar, 40, false, "40(30(20,),50(,70))", 40,
     Unir({Hallado(40, {50, 30, 40}), {InsercionFallida(40), Rot(ZigZag, {50, 30, 40}), Llega(40)}})},
    // A failed search leaves the shape alone; deletion is the search tree's.
    {"BuscarAusente", "50(30,70(60,))", OpBuscar, 65, false, "50(30,70(60,))", 60,
     {Comparacion(65, 50), Comparacion(65, 70), Comparacion(65, 60), NoEncontrado(60)}},
    {"BuscarEnVacio", "", OpBuscar, 5, false, "", nil, {NoEncontrado(nil)}},
    {"BorrarDosHijosSinSplay", "50(30(20,40),70)", OpBorrar, 50, std::nullopt, "40(30(20,),70)", 30,
     {HijoIzquierdo(30, 50), HijoDerecho(40, 50), Predecesor(40, 50), Hoja(30, 50)}},
};
// clang-format on

// What must hold at every report: the tree linked (the handler may lay it
// out and draw it) and in order, except while a two-children deletion shows
// its exchanged values.
std::string Enlazado(const TSplayTree& a, const TEtapaVista& e) {
    const std::string f = ComprobarEnlaces(a);
    const std::vector<std::int32_t> v = EnOrden(a);
    if (f.empty() && e.Titulo != DosHijos && std::adjacent_find(v.begin(), v.end(), std::greater_equal<>()) != v.end())
        return "order broken: " + Forma(a);
    return f;
}

class EtapasSplay : public ::testing::TestWithParam<TCasoBST> {};

TEST_P(EtapasSplay, SecuenciaYResultado) {
    const TCasoBST& c = GetParam();
    for (bool informes : {true, false}) {
        SCOPED_TRACE(informes ? "reports on" : "reports off");
        TSplayTree a;
        Construir(a, c.Inicial);
        std::optional<TGrabadora> g;
        if (informes) g.emplace(a).Vigilar([&] { return Enlazado(a, g->Etapas.back()); });
        EXPECT_EQ(Ejecutar(a, c.Op, c.Valor), c.Resultado);
        if (g) {
            EXPECT_EQ(g->Etapas, c.Etapas);
        }
        EXPECT_EQ(Forma(a), c.Final);
        EXPECT_EQ(ValorSel(a), c.SelFinal);
        EXPECT_EQ(Comprobar(a), "");
    }
}

// A handler that throws out of any report leaves an ordered, linked tree
// with no marks: the next insertion splays again.
TEST_P(EtapasSplay, ManejadorQueLanzaDejaArbolSano) {
    const TCasoBST& c = GetParam();
    for (std::size_t k = 0; k < c.Etapas.size(); ++k) {
        SCOPED_TRACE("thrown from report " + std::to_string(k));
        TSplayTree a;
        Construir(a, c.Inicial);
        TGrabadora g(a);
        g.InterrumpirEn(k);
        EXPECT_THROW(Ejecutar(a, c.Op, c.Valor), TInterrupcion);
        EXPECT_EQ(g.Etapas.size(), k + 1);
        EXPECT_EQ(Comprobar(a), "") << Forma(a);
        a.OnEtapa = nullptr;
        EXPECT_TRUE(a.Insertar(1000));
        EXPECT_EQ(a.Raiz->Valor, 1000);
        EXPECT_EQ(Comprobar(a), "") << Forma(a);
    }
}

INSTANTIATE_TEST_SUITE_P(Splay, EtapasSplay, ::testing::ValuesIn(Casos),
                         [](const ::testing::TestParamInfo<TCasoBST>& i) { return std::string(i.param.Nombre); });

// A rotation's case is reported on the former shape; the report that
// follows it shows the shape after the relinking.
TEST(EtapasSplayForma, CasoAntesYContinuacionDespuesDelReenlace) {
    TSplayTree a;
    Construir(a, "100(50(40,60(,70(,80))),110)");
    TGrabadora g(a);
    std::vector<std::string> formas;
    g.Ademas = [&](const TEtapaVista& e) {
        if (e.Titulo == Splay) formas.push_back(Forma(a));
    };
    a.Buscar(80);
    EXPECT_EQ(formas, (std::vector<std::string>{"100(50(40,60(,70(,80))),110)", "100(50(40,80(70(60,),)),110)",
                                                "100(50(40,80(70(60,),)),110)", "80(50(40,70(60,)),100(,110))"}));
}

// The depth of the node that holds k, or of the leaf an insertion of k would
// add (root: 0).
std::int32_t Profundidad(const TSplayTree& a, std::int32_t k) {
    std::int32_t d = 0;
    for (const TNodoBin* n = a.Raiz; n != nullptr && n->Valor != k; n = k < n->Valor ? n->Izq : n->Der) ++d;
    return a.Raiz == nullptr ? 0 : d;
}

// Random steps against std::set. A search that finds its value and every
// insertion leave the value's node at the root and selected; a failed search
// and a deletion change the tree exactly as the plain search tree does.
class DiferencialSplay : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(DiferencialSplay, ContraStdSet) {
    std::mt19937 gen(GetParam());
    auto uno = [&](std::int32_t a, std::int32_t b) { return std::uniform_int_distribution<std::int32_t>(a, b)(gen); };
    TSplayTree a;
    std::set<std::int32_t> s;
    for (int i = 0; i < 4000; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        const std::int32_t op = uno(0, 99);
        std::int32_t k = uno(-400, 400);
        if (op >= 50 && op < 80 && !s.empty()) k = Enesimo(s, uno(0, static_cast<std::int32_t>(s.size()) - 1));
        TArbolBST referencia;
        referencia.Cargar(a.Guardar());
        a.Deseleccionar();
        if (op < 50 || (op >= 80 && s.count(k) == 1)) {
            ASSERT_EQ(op < 50 ? a.Insertar(k) : a.Buscar(k), op >= 50 || s.insert(k).second);
            ASSERT_EQ(a.NodoSel, a.Raiz);
            ASSERT_EQ(a.Raiz->Valor, k);
        } else {
            if (op < 80) {
                ASSERT_EQ(a.Seleccionar(k, true), s.erase(k) == 1);
                a.Borrar();
            } else {
                ASSERT_FALSE(a.Buscar(k));
            }
            Ejecutar(referencia, op < 80 ? OpBorrar : OpBuscar, k);
            ASSERT_EQ(a.Guardar(), referencia.Guardar());
            ASSERT_EQ(ValorSel(a), ValorSel(referencia));
        }
        ASSERT_EQ(Comprobar(a), "");
        ASSERT_EQ(EnOrden(a), std::vector<std::int32_t>(s.begin(), s.end()));
    }
    EXPECT_GT(s.size(), 100u);
}

INSTANTIATE_TEST_SUITE_P(Semillas, DiferencialSplay, ::testing::Values(1u, 2u, 3u));

// With reports on: every report sees a linked, ordered tree, and a splay of
// a node at depth d makes one rotation report per round of one or two
// levels, each followed by "goes on" or, at the last, "at the root". The
// same steps without reports (a walk and a splay of their own) leave the
// same tree and selection.
TEST(DiferencialSplayConInformes, SecuenciasCoherentes) {
    std::mt19937 gen(9);
    TSplayTree a, sinInformes;
    std::set<std::int32_t> s;
    TGrabadora g(a);
    g.Vigilar([&] { return Enlazado(a, g.Etapas.back()); });
    for (int i = 0; i < 1500; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        const bool inserta = std::uniform_int_distribution<int>(0, 2)(gen) > 0;
        const std::int32_t k = std::uniform_int_distribution<std::int32_t>(-150, 150)(gen);
        const std::int32_t d = Profundidad(a, k);
        const bool splay = inserta || s.count(k) == 1;
        g.Etapas.clear();
        for (TSplayTree* t : {&a, &sinInformes}) Ejecutar(*t, inserta ? OpInsertar : OpBuscar, k);
        if (inserta) s.insert(k);
        ASSERT_EQ(sinInformes.Guardar(), a.Guardar());
        EXPECT_EQ(ValorSel(sinInformes), ValorSel(a));
        ASSERT_EQ(Comprobar(a), "");
        std::vector<const TEtapaVista*> rotaciones, otros;
        for (const TEtapaVista& e : g.Etapas)
            if (e.Titulo == Splay) (e.Tipo == 0 && e.Descripcion != EnLaRaiz ? rotaciones : otros).push_back(&e);
        if (!splay) {
            EXPECT_TRUE(rotaciones.empty() && otros.empty());
            continue;
        }
        ASSERT_EQ(rotaciones.size(), static_cast<std::size_t>((d + 1) / 2));
        ASSERT_EQ(otros.size(), std::max<std::size_t>(rotaciones.size(), 1));
        if (d == 0) {
            EXPECT_EQ(*otros[0], YaEnRaiz(k));
        }
        for (std::size_t j = 0; j < rotaciones.size(); ++j) {
            // The single rotation, if any, is the last: only the root's child
            // turns alone.
            const bool ultima = j + 1 == rotaciones.size();
            EXPECT_EQ(rotaciones[j]->Marcados.size(), d % 2 == 1 && ultima ? 2u : 3u);
            EXPECT_EQ(rotaciones[j]->Marcados.back(), k);
            EXPECT_EQ(rotaciones[j]->Sel, k);
            EXPECT_EQ(*otros[j], ultima ? Llega(k) : Sigue(k));
        }
        EXPECT_EQ(g.Etapas.back().Descripcion, EnLaRaiz);
    }
}

// Splaying the deep end of a chain halves its height: every double rotation
// folds two levels of the path into one. No step of it may recurse.
class CadenaSplay : public ::testing::TestWithParam<bool> {};

TEST_P(CadenaSplay, BuscarElFondoLoSubeALaRaiz) {
    constexpr std::int32_t n = 1'000'000;
    const bool derecha = GetParam();
    TSplayTree a;
    a.Cargar(FlujoCadena(n, derecha));
    ASSERT_TRUE(a.Buscar(derecha ? n : 1));
    EXPECT_EQ(a.NodoSel, a.Raiz);
    EXPECT_EQ(a.Raiz->Valor, derecha ? n : 1);
    EXPECT_EQ(a.Altura(), n / 2 + 2);
    EXPECT_EQ(Comprobar(a), "");
    // Once more from the new deep end, and an insertion past the old one.
    ASSERT_TRUE(a.Buscar(derecha ? 1 : n));
    EXPECT_EQ(a.Raiz->Valor, derecha ? 1 : n);
    EXPECT_TRUE(a.Insertar(derecha ? n + 1 : 0));
    EXPECT_EQ(a.NumNodos, n + 1);
    EXPECT_EQ(Comprobar(a), "");
}

INSTANTIATE_TEST_SUITE_P(Millon, CadenaSplay, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Derecha" : "Izquierda"; });

}  // namespace
