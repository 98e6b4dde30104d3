// Red-black insertion: the double-red check's cases and reports as data,
// the black heights the black-path check leaves, its failure, deletion,
// and the stream with its colour byte.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "auxiliares.h"

namespace {

// clang-format off
const std::string Tit = "Inserción - Chequeo Doble-Rojo";
TEtapaVista Nuevo(std::int32_t Sel) {
    return {"Inserción de un nodo", "El nuevo nodo toma color rojo y comienza el chequeo doble-rojo.", 0, {}, Sel, nil};
}
TEtapaVista Chequeo(const char* Descripcion, int Tipo, std::vector<std::int32_t> Marcados, std::int32_t Sel) {
    return {Tit, Descripcion, Tipo, std::move(Marcados), Sel, nil};
}
TEtapaVista PadreNegro(std::vector<std::int32_t> M, std::int32_t Sel) {
    return Chequeo("El padre es negro: Se termina la comprobación.", 0, std::move(M), Sel);
}
TEtapaVista PadreRaiz(std::vector<std::int32_t> M, std::int32_t Sel) {
    return Chequeo("El padre es la raiz: Se cambia su color y termina la comprobación.", 2, std::move(M), Sel);
}
// Both reports of a case; marks listed in pre-order before and after it.
TEtapas Caso(const char* Primero, const char* Segundo, std::vector<std::int32_t> Antes,
             std::vector<std::int32_t> Despues, std::int32_t Sel) {
    return {Chequeo(Primero, 0, std::move(Antes), Sel), Chequeo(Segundo, 1, std::move(Despues), Sel)};
}
TEtapas Caso1(std::vector<std::int32_t> M, std::int32_t Sel) {
    return Caso("Caso 1: Padre rojo, tio rojo. Se cambian colores.",
                "Caso 1: Continúa la comprobación sobre el abuelo.", M, M, Sel);
}
TEtapas Caso2b(std::vector<std::int32_t> Antes, std::vector<std::int32_t> Despues, std::int32_t Sel) {
    return Caso("Caso 2b: Padre rojo, tio negro o no existe. Rotación doble.", "Caso 2b: Se termina la comprobación.",
                std::move(Antes), std::move(Despues), Sel);
}
TEtapas Caso2a(std::vector<std::int32_t> Antes, std::vector<std::int32_t> Despues, std::int32_t Sel) {
    return Caso("Caso 2a: Padre rojo, tio negro o no existe. Rotación nodo-padre.",
                "Caso 2a: La rotación transforma el subarbol en el caso 2b.", std::move(Antes), std::move(Despues),
                Sel);
}
// clang-format on

const char* const Fallo = "Fallo camino negro!";

struct TCaso {
    const char* Nombre;
    const char* Inicial;  // tree text; its colours in pre-order
    const char* ColoresIniciales;
    TOp Op;
    std::int32_t Valor;
    const char* Final;
    const char* ColoresFinales;
    std::vector<std::int32_t> Alturas;  // AlturaNegra in pre-order
    Opt SelFinal;
    TEtapas Etapas;
    const char* Error = nullptr;
    // Entries replayed (without reports) to build the tree instead of loading it.
    std::vector<std::int32_t> Previas = {};
    bool Resultado = true;
};

void PrintTo(const TCaso& c, std::ostream* os) {
    *os << c.Nombre;
}

// clang-format off
const TCaso Casos[] = {
    // A new root stays red: no check, no black height.
    {"RaizNueva", "", "", OpInsertar, 10, "10", "r", {0}, 10, InsercionNueva(10, {})},
    {"PadreRaizRoja", "10", "r", OpInsertar, 5, "10(5,)", "nr", {1, 1}, 5,
     Unir({InsercionNueva(5, {10}), {Nuevo(5), PadreRaiz({10}, 5)}})},
    {"PadreNegro", "10(5,)", "nr", OpInsertar, 15, "10(5,15)", "nrr", {1, 1, 1}, 15,
     Unir({InsercionNueva(15, {10}), {Nuevo(15), PadreNegro({10}, 15)}})},
    {"Duplicado", "10(5,15)", "nrr", OpInsertar, 5, "10(5,15)", "nrr", {0, 0, 0}, 5, InsercionRepetida(5, {10, 5}),
     nullptr, {}, false},
    // Case 1 at the root's children: the root is left red.
    {"Caso1TerminaEnLaRaiz", "10(5,15)", "nrr", OpInsertar, 1, "10(5(1,),15)", "rnrn", {2, 1, 1, 1}, 10,
     Unir({InsercionNueva(1, {10, 5}), {Nuevo(1)}, Caso1({10, 5, 15}, 1)})},
    // Case 1 goes on at the grandparent, whose parent is a red root.
    {"Caso1SiguePadreRaizRoja", "20(10(5,15),30)", "rnrrn", OpInsertar, 1, "20(10(5(1,),15),30)", "nrnrnn",
     {2, 2, 1, 1, 1, 1}, 10,
     Unir({InsercionNueva(1, {20, 10, 5}), {Nuevo(1)}, Caso1({10, 5, 15}, 1), {PadreRaiz({20}, 10)}})},
    {"Caso2bIzquierda", "10(5,)", "nr", OpInsertar, 1, "5(1,10)", "nrr", {1, 1, 1}, 1,
     Unir({InsercionNueva(1, {10, 5}), {Nuevo(1)}, Caso2b({10, 5}, {5, 10}, 1)})},
    {"Caso2bDerecha", "10(,15)", "nr", OpInsertar, 20, "15(10,20)", "nrr", {1, 1, 1}, 20,
     Unir({InsercionNueva(20, {10, 15}), {Nuevo(20)}, Caso2b({10, 15}, {15, 10}, 20)})},
    {"Caso2aIzquierda", "10(5,)", "nr", OpInsertar, 7, "7(5,10)", "nrr", {1, 1, 1}, 5,
     Unir({InsercionNueva(7, {10, 5}), {Nuevo(7)}, Caso2a({10, 5}, {10, 5}, 7), Caso2b({10, 7}, {7, 10}, 5)})},
    {"Caso2aDerecha", "10(,15)", "nr", OpInsertar, 12, "12(10,15)", "nrr", {1, 1, 1}, 15,
     Unir({InsercionNueva(12, {10, 15}), {Nuevo(12)}, Caso2a({10, 15}, {10, 15}, 12), Caso2b({10, 12}, {12, 10}, 15)})},
    // Case 1 below, then case 2b with a black uncle at the root; the child
    // that changes parent (30) is not marked.
    {"Caso1YCaso2bIzquierda", "40(20(10(5,15),30),50)", "nrnrrnn", OpInsertar, 1, "20(10(5(1,),15),40(30,50))",
     "nrnrnrnn", {2, 2, 1, 1, 1, 2, 1, 1}, 10,
     Unir({InsercionNueva(1, {40, 20, 10, 5}), {Nuevo(1)}, Caso1({10, 5, 15}, 1),
           Caso2b({40, 20, 50}, {20, 40, 50}, 10)})},
    // Case 1, then 2a and 2b with a black uncle; X's subtrees change parents.
    {"Caso1Caso2aYCaso2b", "40(20(10,30(25,35)),50)", "nrnnrrn", OpInsertar, 33, "30(20(10,25),40(35(33,),50))",
     "nrnnrnrn", {2, 2, 1, 1, 2, 1, 1, 1}, 20,
     Unir({InsercionNueva(33, {40, 20, 30, 35}), {Nuevo(33)}, Caso1({30, 25, 35}, 33),
           Caso2a({40, 20, 50}, {40, 20, 50}, 30), Caso2b({40, 30, 50}, {30, 40, 50}, 20)})},

    // Colour bytes other than 0 and 1 are not black anywhere.
    {"ColorDesconocidoComoTio", "10(5,15)", "n[7]r", OpInsertar, 12, "10(5,15(12,))", "rnnr", {2, 1, 1, 1}, 10,
     Unir({InsercionNueva(12, {10, 15}), {Nuevo(12)}, Caso1({10, 5, 15}, 12)})},
    {"ColorDesconocidoSeConserva", "10(5,15)", "[2]nn", OpInsertar, 1, "10(5(1,),15)", "[2]nrn", {2, 1, 1, 1}, 1,
     Unir({InsercionNueva(1, {10, 5}), {Nuevo(1), PadreNegro({5}, 1)}})},
    // 7 counted as black would make both sides 2; the root keeps the 0 it
    // was loaded with.
    {"ColorDesconocidoEnElCaminoNegro", "10(5,15)", "n[7]n", OpInsertar, 20, "10(5,15(,20))", "n[7]nr", {0, 1, 1, 1},
     20, Unir({InsercionNueva(20, {10, 15}), {Nuevo(20), PadreNegro({15}, 20)}}), Fallo},

    // Deletion is the search tree's: colours stay with the node objects.
    {"BorradoNoCambiaColores", "10(5(1,),15)", "rnrn", OpBorrar, 5, "10(1,15)", "rrn", {0, 0, 0}, 10,
     {UnHijo(10, 5)}},
    {"BorradoConDosHijos", "10(5,15)", "nrr", OpBorrar, 10, "5(,15)", "nr", {0, 0}, 5,
     {HijoIzquierdo(5, 10), Predecesor(5, 10), Hoja(5, 10)}},
    // After 10, 5, 15, 1 and the deletion of 15, the left side counts two
    // black nodes and the right one: the insertion keeps its node and the
    // recolouring, and 10 keeps the height of the last check.
    {"FalloCaminoNegroTrasBorrado", "", "", OpInsertar, 20, "10(5(1,),20)", "nnrr", {2, 1, 1, 1}, 20,
     Unir({InsercionNueva(20, {10}), {Nuevo(20), PadreRaiz({10}, 20)}}), Fallo, {10, 5, 15, 1, -15}},
};
// clang-format on

void Preparar(TArbolRN& a, const TCaso& c, bool Completa) {
    a.ComprobacionCompleta = Completa;
    if (!c.Previas.empty())
        a.Reconstruir(c.Previas);
    else
        a.Cargar(FlujoRN(c.Inicial, c.ColoresIniciales));
}

// Both ways of checking black paths give the same results, with reports on
// (links consistent at every one) and off.
class EtapasRN : public ::testing::TestWithParam<std::tuple<TCaso, bool>> {};

TEST_P(EtapasRN, SecuenciaYResultado) {
    const auto& [c, completa] = GetParam();
    for (bool informes : {true, false}) {
        SCOPED_TRACE(informes ? "reports on" : "reports off");
        TArbolRN a;
        Preparar(a, c, completa);
        std::optional<TGrabadora> g;
        if (informes) g.emplace(a).Vigilar([&] { return ComprobarEnlaces(a); });
        EXPECT_EQ(EjecutarOperacion(a, c.Op, c.Valor, c.Resultado), c.Error ? c.Error : "");
        if (g) {
            EXPECT_EQ(g->Etapas, c.Etapas);
        }
        EXPECT_EQ(Forma(a), c.Final);
        EXPECT_EQ(Colores(a), c.ColoresFinales);
        EXPECT_EQ(Alturas(a), c.Alturas);
        EXPECT_EQ(ValorSel(a), c.SelFinal);
        EXPECT_EQ(Comprobar(a), "");
    }
}

// A handler may leave the insertion at any report: links, order and count
// stay sound and no mark is left.
TEST_P(EtapasRN, ManejadorQueLanzaDejaEnlacesSanos) {
    const auto& [c, completa] = GetParam();
    for (std::size_t k = 0; k < c.Etapas.size(); ++k) {
        TArbolRN a;
        Preparar(a, c, completa);
        TGrabadora g(a);
        g.InterrumpirEn(k);
        EXPECT_THROW(EjecutarOperacion(a, c.Op, c.Valor, c.Resultado), TInterrupcion) << k;
        EXPECT_EQ(Comprobar(a), "") << "thrown from report " << k << ": " << Forma(a);
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, EtapasRN, ::testing::Combine(::testing::ValuesIn(Casos), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<TCaso, bool>>& i) {
                             return std::string(std::get<0>(i.param).Nombre) +
                                    (std::get<1>(i.param) ? "_Completa" : "_Incremental");
                         });

// 10 black with two children, then two red leaves: value, colour, flags.
TEST(FlujoRN, RegistroDeSieteBytes) {
    TArbolRN a;
    for (std::int32_t v : {10, 5, 15}) a.Insertar(v);
    EXPECT_EQ(a.Guardar(), (std::vector<std::uint8_t>{3, 0, 0, 0, 10, 0, 0, 0, 1, 1, 1, 5, 0, 0, 0, 0, 0, 0,
                                                       15, 0, 0, 0, 0, 0, 0}));
}

// Colours come back exactly as stored; black heights read 0 until an
// insertion checks them, and a deletion does not refresh them.
TEST(FlujoRN, CargaConservaColoresYAlturasCero) {
    std::vector<std::uint8_t> datos = FlujoRN("10(5(1,),15)", "[200]nrn");
    TArbolRN b;
    b.Cargar(datos);
    EXPECT_EQ(Colores(b), "[200]nrn");
    EXPECT_EQ(Alturas(b), (std::vector<std::int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(b.Guardar(), datos);
    b.Seleccionar(1, true);
    b.Borrar();
    EXPECT_EQ(Alturas(b), (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_TRUE(b.Insertar(20));
    EXPECT_EQ(Colores(b), "[200]nnr");
    EXPECT_EQ(Alturas(b), (std::vector<std::int32_t>{2, 1, 1, 1}));
}

TEST(FlujoRN, RegistroCortadoNoTocaElArbol) {
    TArbolRN a;
    a.Insertar(7);
    const std::vector<std::uint8_t> datos = FlujoRN("10(5,15)", "nrr");
    for (std::size_t n = 0; n < datos.size(); ++n) {
        EXPECT_THROW(a.Cargar(std::vector<std::uint8_t>(datos.begin(), datos.begin() + static_cast<std::ptrdiff_t>(n))),
                     EFlujoInvalido)
            << n;
        EXPECT_EQ(Forma(a), "7");
    }
}

}  // namespace
