// Step reports of the binary search tree's search, insertion and deletion,
// checked as data: texts, kind, marks, selection and removed node.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "comprobacion.h"

namespace {

using Opt = std::optional<std::int32_t>;
constexpr Opt nil = std::nullopt;

using namespace EtapasBST;  // the reports, one builder each

enum TOp { OpBuscar, OpInsertar, OpBorrar };

struct TCaso {
    const char* Nombre;
    const char* Inicial;
    TOp Op;
    std::int32_t Valor;
    std::optional<bool> Resultado;  // none for a deletion
    const char* Final;
    Opt SelFinal;
    std::vector<TEtapaVista> Etapas;
};

void PrintTo(const TCaso& c, std::ostream* os) {
    *os << c.Nombre;
}

// Runs the operation as the driver does: selection cleared first, and a
// deletion selects its node with Seleccionar (which makes no report).
std::optional<bool> Ejecutar(TArbolBST& a, const TCaso& c) {
    a.Deseleccionar();
    switch (c.Op) {
        case OpBuscar:
            return a.Buscar(c.Valor);
        case OpInsertar:
            return a.Insertar(c.Valor);
        case OpBorrar:
            a.Seleccionar(c.Valor, true);
            a.Borrar();
            return std::nullopt;
    }
    return std::nullopt;
}

Opt ValorSel(const TArbolBin& a) {
    return a.NodoSel ? Opt(a.NodoSel->Valor) : nil;
}

const char* const T1 = "50(30,70)";
const char* const T2 = "50(30(20,40),70)";

constexpr std::nullopt_t Nada = std::nullopt;

// clang-format off
const TCaso Casos[] = {
    {"BuscarEnVacio", "", OpBuscar, 5, false, "", nil, {NoEncontrado(nil)}},
    {"BuscarValorDeRaiz", T1, OpBuscar, 50, true, T1, 50, {Encontrado(50)}},
    {"BuscarHojaDerecha", T1, OpBuscar, 70, true, T1, 70,
     {Comparacion(70, 50), Comparacion(70, 70), Encontrado(70)}},
    {"BuscarAusenteBajoHoja", T1, OpBuscar, 60, false, T1, 70,
     {Comparacion(60, 50), Comparacion(60, 70), NoEncontrado(70)}},
    {"BuscarAusenteNegativo", "0(-10,10)", OpBuscar, -5, false, "0(-10,10)", -10,
     {Comparacion(-5, 0), Comparacion(-5, -10), NoEncontrado(-10)}},
    {"InsertarEnVacio", "", OpInsertar, 5, true, "5", 5, {NoEncontrado(nil), InsercionEnVacio(5)}},
    {"InsertarComoHoja", T1, OpInsertar, 60, true, "50(30,70(60,))", 60,
     {Comparacion(60, 50), Comparacion(60, 70), NoEncontrado(70), InsercionHoja(60)}},
    {"InsertarPresente", T1, OpInsertar, 70, false, T1, 70,
     {Comparacion(70, 50), Comparacion(70, 70), Encontrado(70), InsercionFallida(70)}},
    {"InsertarValorDeRaiz", T1, OpInsertar, 50, false, T1, 50, {Encontrado(50), InsercionFallida(50)}},
    // The root takes the predecessor's value; the predecessor's old node,
    // now holding 50, is the leaf removed.
    {"BorrarDosHijos", T2, OpBorrar, 50, Nada, "40(30(20,),70)", 30,
     {HijoIzquierdo(30, 50), HijoDerecho(40, 50), Predecesor(40, 50), Hoja(30, 50)}},
    {"BorrarDosHijosSinHijosDerechos", "50(30(20,),70)", OpBorrar, 50, Nada, "30(20,70)", 30,
     {HijoIzquierdo(30, 50), Predecesor(30, 50), UnHijo(30, 50)}},
    {"BorrarDosHijosVariosPasos", "50(20(,30(,40)),70)", OpBorrar, 50, Nada, "40(20(,30),70)", 30,
     {HijoIzquierdo(20, 50), HijoDerecho(30, 50), HijoDerecho(40, 50), Predecesor(40, 50), Hoja(30, 50)}},
    {"BorrarDosHijosPredecesorConHijo", "50(20(,40(30,)),70)", OpBorrar, 50, Nada, "40(20(,30),70)", 20,
     {HijoIzquierdo(20, 50), HijoDerecho(40, 50), Predecesor(40, 50), UnHijo(20, 50)}},
    {"BorrarHoja", "50(30(20,),70)", OpBorrar, 20, Nada, "50(30,70)", 30, {Hoja(30, 20)}},
    {"BorrarConUnHijo", "50(30(20,),70)", OpBorrar, 30, Nada, "50(20,70)", 50, {UnHijo(50, 30)}},
    {"BorrarRaizConHijoDerecho", "50(,70(60,80))", OpBorrar, 50, Nada, "70(60,80)", nil, {UnHijo(nil, 50)}},
    {"BorrarRaizConHijoIzquierdo", "50(30,)", OpBorrar, 50, Nada, "30", nil, {UnHijo(nil, 50)}},
    {"BorrarRaizSola", "50", OpBorrar, 50, Nada, "", nil, {Hoja(nil, 50)}},
    {"BorrarAusente", T1, OpBorrar, 99, Nada, T1, nil, {}},
};
// clang-format on

class Etapas : public ::testing::TestWithParam<TCaso> {};

TEST_P(Etapas, SecuenciaYResultado) {
    const TCaso& c = GetParam();
    TArbolBST a;
    Construir(a, c.Inicial);
    TGrabadora g(a);
    // At every report the tree is fully linked (the handler may lay it out).
    g.Ademas = [&](const TEtapaVista&) {
        const std::string f = ComprobarEnlaces(a);
        if (!f.empty()) ADD_FAILURE() << "during report " << g.Etapas.size() << ": " << f;
    };
    EXPECT_EQ(Ejecutar(a, c), c.Resultado);
    EXPECT_EQ(g.Etapas, c.Etapas);
    EXPECT_EQ(Forma(a), c.Final);
    EXPECT_EQ(ValorSel(a), c.SelFinal);
    EXPECT_EQ(Comprobar(a), "");
}

TEST_P(Etapas, SinManejadorMismoResultado) {
    const TCaso& c = GetParam();
    TArbolBST a;
    Construir(a, c.Inicial);
    EXPECT_EQ(Ejecutar(a, c), c.Resultado);
    EXPECT_EQ(Forma(a), c.Final);
    EXPECT_EQ(ValorSel(a), c.SelFinal);
    EXPECT_EQ(Comprobar(a), "");
}

struct TInterrupcion {};

// Nodes that count themselves, to see that a removed node is destroyed once.
struct TNodoContado : TNodoBin {
    TNodoContado(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) : TNodoBin(V, P, I, D) { ++Vivos; }
    ~TNodoContado() override { --Vivos; }
    static inline int Vivos = 0;
};

class TArbolContado : public TArbolBST {
public:
    TArbolContado() : TArbolBST(sizeof(TNodoContado)) {}
    TNodoBin* CrearNodo(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) override {
        return NuevoNodo<TNodoContado>(V, P, I, D);
    }
};

// A handler that throws out of any report (a window closed while a step was
// shown) must leave a sound tree: no mark, the removed node destroyed,
// order, links and count intact.
TEST_P(Etapas, ManejadorQueLanzaDejaArbolSano) {
    const TCaso& c = GetParam();
    for (std::size_t k = 0; k < c.Etapas.size(); ++k) {
        SCOPED_TRACE("thrown from report " + std::to_string(k));
        {
            TArbolContado a;
            Construir(a, c.Inicial);
            TGrabadora g(a);
            g.Ademas = [&](const TEtapaVista&) {
                if (g.Etapas.size() == k + 1) throw TInterrupcion{};
            };
            EXPECT_THROW(Ejecutar(a, c), TInterrupcion);
            EXPECT_EQ(g.Etapas, std::vector<TEtapaVista>(c.Etapas.begin(), c.Etapas.begin() + k + 1));
            EXPECT_EQ(Comprobar(a), "") << Forma(a);
            EXPECT_EQ(TNodoContado::Vivos, a.NumNodos);
            // The tree stays usable.
            a.OnEtapa = nullptr;
            a.Insertar(1000);
            EXPECT_EQ(Comprobar(a), "") << Forma(a);
        }
        EXPECT_EQ(TNodoContado::Vivos, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Arbol, Etapas, ::testing::ValuesIn(Casos),
                         [](const ::testing::TestParamInfo<TCaso>& i) { return std::string(i.param.Nombre); });

TEST(EtapasTextos, NumerosEnDecimalConSigno) {
    TArbolBST a;
    TGrabadora g(a);
    a.Insertar(-2147483647 - 1);
    a.Deseleccionar();
    a.Buscar(0);
    ASSERT_EQ(g.Etapas.size(), 4u);
    EXPECT_EQ(g.Etapas[2].Titulo, "Búsqueda del valor 0");
    EXPECT_EQ(g.Etapas[2].Descripcion, "Comparando con elemento -2147483648");
    a.Deseleccionar();
    a.Buscar(-2147483647 - 1);
    EXPECT_EQ(g.Etapas.back().Descripcion, "Se encontro un nodo con el valor -2147483648");
}

// The selection is left alone during the comparisons: it is only set when
// the search ends.
TEST(EtapasTextos, ComparacionesConservanLaSeleccionPrevia) {
    TArbolBST a;
    Construir(a, T1);
    a.NodoSel = Nodo(a, 30);
    TGrabadora g(a);
    a.Buscar(60);
    EXPECT_EQ(g.Etapas, (std::vector<TEtapaVista>{Comparacion(60, 50, 30), Comparacion(60, 70, 30), NoEncontrado(70)}));
}

// Where the animation starts from: a new leaf at its parent's place, the
// two nodes whose values a deletion exchanged at each other's place.
TEST(EtapasPosiciones, HojaNuevaNaceEnSuPadre) {
    TArbolBST a;
    Construir(a, T1);
    a.DistribuirSeparada(20, 10, 10);
    const TNodoBin* n70 = Nodo(a, 70);
    ASSERT_TRUE(a.Insertar(60));
    EXPECT_EQ(a.NodoSel->Padre, n70);
    EXPECT_EQ(a.NodoSel, n70->Izq);
    EXPECT_EQ(a.NodoSel->X, 110);
    EXPECT_EQ(a.NodoSel->Y, 70);

    TArbolBST v;
    v.Insertar(5);
    EXPECT_EQ(v.Raiz->X, 0);
    EXPECT_EQ(v.Raiz->Y, 0);
}

TEST(EtapasPosiciones, BorradoIntercambiaPosicionesYNoMueveNodoBorrado) {
    TArbolBST a;
    Construir(a, T2);
    a.DistribuirSeparada(20, 10, 10);
    const TNodoBin* raiz = a.Raiz;
    const std::pair<int, int> p50{raiz->X, raiz->Y}, p40{Nodo(a, 40)->X, Nodo(a, 40)->Y};
    TGrabadora g(a);
    int informes = 0;
    g.Ademas = [&](const TEtapaVista& e) {
        if (e.Tipo == 2 && e.Titulo == DosHijos) {
            // The root now shows 40 where 40 was drawn.
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
