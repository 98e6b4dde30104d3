// Step reports of the binary search tree's search, insertion and deletion,
// checked as data: texts, kind, marks, selection and removed node.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "comprobacion.h"

namespace {

using namespace EtapasBST;  // the reports, one builder each

const char* const T1 = "50(30,70)";
constexpr std::nullopt_t Nada = std::nullopt;

// clang-format off
const TCasoBST Casos[] = {
    {"BuscarValorDeRaiz", T1, OpBuscar, 50, true, T1, 50, {Encontrado(50)}},
    {"InsertarEnVacio", "", OpInsertar, 5, true, "5", 5, {NoEncontrado(nil), InsercionEnVacio(5)}},
    {"InsertarComoHoja", T1, OpInsertar, 60, true, "50(30,70(60,))", 60,
     {Comparacion(60, 50), Comparacion(60, 70), NoEncontrado(70), InsercionHoja(60)}},
    {"InsertarPresente", T1, OpInsertar, 70, false, T1, 70,
     {Comparacion(70, 50), Comparacion(70, 70), Encontrado(70), InsercionFallida(70)}},
    // The root takes the predecessor's value; the predecessor's old node,
    // now holding 50, is the removed one.
    {"BorrarDosHijosSinHijosDerechos", "50(30(20,),70)", OpBorrar, 50, Nada, "30(20,70)", 30,
     {HijoIzquierdo(30, 50), Predecesor(30, 50), UnHijo(30, 50)}},
    {"BorrarDosHijosVariosPasos", "50(20(,30(,40)),70)", OpBorrar, 50, Nada, "40(20(,30),70)", 30,
     {HijoIzquierdo(20, 50), HijoDerecho(30, 50), HijoDerecho(40, 50), Predecesor(40, 50), Hoja(30, 50)}},
    {"BorrarDosHijosPredecesorConHijo", "50(20(,40(30,)),70)", OpBorrar, 50, Nada, "40(20(,30),70)", 20,
     {HijoIzquierdo(20, 50), HijoDerecho(40, 50), Predecesor(40, 50), UnHijo(20, 50)}},
    {"BorrarRaizConHijoDerecho", "50(,70(60,80))", OpBorrar, 50, Nada, "70(60,80)", nil, {UnHijo(nil, 50)}},
    {"BorrarRaizSola", "50", OpBorrar, 50, Nada, "", nil, {Hoja(nil, 50)}},
    {"BorrarAusente", T1, OpBorrar, 99, Nada, T1, nil, {}},
};
// clang-format on

class Etapas : public ::testing::TestWithParam<TCasoBST> {};

// With reports on (the tree fully linked at every one: the handler may lay
// it out) and off, the same result.
TEST_P(Etapas, SecuenciaYResultado) {
    const TCasoBST& c = GetParam();
    for (bool informes : {true, false}) {
        SCOPED_TRACE(informes ? "reports on" : "reports off");
        TArbolBST a;
        Construir(a, c.Inicial);
        std::optional<TGrabadora> g;
        if (informes) g.emplace(a).Vigilar([&] { return ComprobarEnlaces(a); });
        EXPECT_EQ(Ejecutar(a, c.Op, c.Valor), c.Resultado);
        if (informes) {
            EXPECT_EQ(g->Etapas, c.Etapas);
        }
        EXPECT_EQ(Forma(a), c.Final);
        EXPECT_EQ(ValorSel(a), c.SelFinal);
        EXPECT_EQ(Comprobar(a), "");
    }
}

// Its nodes count themselves: a removed node must be destroyed exactly once.
using TNodoBinContado = TNodoContado<TNodoBin>;
class TArbolContado : public TArbolBST {
public:
    TArbolContado() : TArbolBST(sizeof(TNodoBinContado)) {}
    TNodoBin* CrearNodo(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) override {
        return NuevoNodo<TNodoBinContado>(V, P, I, D);
    }
};

// A handler that throws out of any report (a window closed while a step was
// shown) must leave a sound tree: no mark, the removed node destroyed,
// order, links and count intact.
TEST_P(Etapas, ManejadorQueLanzaDejaArbolSano) {
    const TCasoBST& c = GetParam();
    for (std::size_t k = 0; k < c.Etapas.size(); ++k) {
        SCOPED_TRACE("thrown from report " + std::to_string(k));
        {
            TArbolContado a;
            Construir(a, c.Inicial);
            TGrabadora g(a);
            g.InterrumpirEn(k);
            EXPECT_THROW(Ejecutar(a, c.Op, c.Valor), TInterrupcion);
            EXPECT_EQ(g.Etapas, TEtapas(c.Etapas.begin(), c.Etapas.begin() + static_cast<std::ptrdiff_t>(k) + 1));
            EXPECT_EQ(Comprobar(a), "") << Forma(a);
            EXPECT_EQ(TNodoBinContado::Vivos, a.NumNodos);
            a.OnEtapa = nullptr;  // and the tree stays usable
            a.Insertar(1000);
            EXPECT_EQ(Comprobar(a), "") << Forma(a);
        }
        EXPECT_EQ(TNodoBinContado::Vivos, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Arbol, Etapas, ::testing::ValuesIn(Casos),
                         [](const ::testing::TestParamInfo<TCasoBST>& i) { return std::string(i.param.Nombre); });

// The selection is left alone during the comparisons: it is only set when
// the search ends.
TEST(EtapasTextos, ComparacionesConservanLaSeleccionPrevia) {
    TArbolBST a;
    Construir(a, T1);
    a.NodoSel = Nodo(a, 30);
    TGrabadora g(a);
    a.Buscar(60);
    EXPECT_EQ(g.Etapas, (TEtapas{Comparacion(60, 50, 30), Comparacion(60, 70, 30), NoEncontrado(70)}));
}

// Where the animation starts from: a new leaf at its parent's place, the
// two nodes whose values a deletion exchanged at each other's place.
TEST(EtapasPosiciones, HojaNuevaNaceEnSuPadre) {
    TArbolBST a;
    Construir(a, T1);
    a.DistribuirSeparada(20, 10, 10);
    ASSERT_TRUE(a.Insertar(60));
    EXPECT_EQ(a.NodoSel, Nodo(a, 70)->Izq);
    EXPECT_EQ(std::make_pair(a.NodoSel->X, a.NodoSel->Y), std::make_pair(110, 70));
    TArbolBST v;
    v.Insertar(5);
    EXPECT_EQ(std::make_pair(v.Raiz->X, v.Raiz->Y), std::make_pair(0, 0));
}

TEST(EtapasPosiciones, BorradoIntercambiaPosicionesYNoMueveNodoBorrado) {
    TArbolBST a;
    Construir(a, "50(30(20,40),70)");
    a.DistribuirSeparada(20, 10, 10);
    const TNodoBin* raiz = a.Raiz;
    const std::pair<int, int> p50{raiz->X, raiz->Y}, p40{Nodo(a, 40)->X, Nodo(a, 40)->Y};
    TGrabadora g(a);
    int informes = 0;
    g.Ademas = [&](const TEtapaVista& e) {
        if (e.Tipo == 2 && e.Titulo == DosHijos) {  // the root now shows 40 where 40 was drawn
            ++informes;
            EXPECT_EQ(std::make_pair(raiz->X, raiz->Y), p40);
        }
        if (e.Borrado) {
            ++informes;
            ASSERT_NE(a.NodoBorrado, nullptr);
            EXPECT_EQ(std::make_pair(a.NodoBorrado->X, a.NodoBorrado->Y), p50);
            // A layout during the report neither fails nor moves the removed node.
            EXPECT_NO_THROW(a.DistribuirComprimida(20, 10, 10));
            EXPECT_EQ(std::make_pair(a.NodoBorrado->X, a.NodoBorrado->Y), p50);
        }
    };
    a.Seleccionar(50, true);
    a.Borrar();
    EXPECT_EQ(informes, 2);
    EXPECT_EQ(a.Raiz, raiz);
    EXPECT_EQ(a.NodoBorrado, nullptr);
}

}  // namespace
