// Step reports of the AVL insertion and removal walks and of the four
// rotations, checked as data: texts, kind, marks, selection, removed node.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "auxiliares.h"

namespace {

// clang-format off
const std::string Tit = "Comprobación del arbol";
// A plain report of the walk, nothing marked.
struct TPaso {
    const char* Descripcion;
    TEtapaVista operator()(Opt Sel) const { return {Tit, Descripcion, 0, {}, Sel, nil}; }
};
const TPaso Recorre{"Se recorre el arbol hacia la raiz actualizando los factores de equilibrio. Se comienza por el "
                    "padre del nodo insertado."},
    RecorreBorrado{"Se recorre el arbol hacia la raiz actualizando los factores de equilibrio. Se comienza por el "
                   "padre del nodo borrado."},
    Actualiza{"Se actualiza el factor de equilibrio del nodo. Se comprueba la situación."},
    Sube{"No se necesita reequilibrar el subarbol, pero su altura ha cambiado. Se pasa a actualizar el nodo padre."},
    Termina{"No se necesita reequilibrar el subarbol, ni ha cambiado su altura. Se termina la comprobación."},
    RaizCrece{"No se necesita reequilibrar el subarbol. Su altura ha cambiado, pero como es la raiz se termina la "
              "comprobación."},
    TrasInsercion{"Tras la rotación el subarbol recupera su altura antes de la inserción. Se termina la comprobación."},
    TrasBorradoRecupera{"Tras la rotación el subarbol recupera su altura antes del borrado. Se termina la "
                        "comprobación."},
    TrasBorradoSigue{"Tras la rotación el subarbol se equilibra pero no recupera su altura original. Continúa la "
                     "comprobación."},
    TrasBorradoRaiz{"Tras la rotación el subarbol se equilibra. Como es la raiz termina la comprobación."};
// Both reports of a rotation at N: the nodes it moves are marked (listed in
// pre-order before and after the relinking) and N is still selected.
TEtapas Rotacion(const char* Nombre, std::vector<std::int32_t> Antes, std::vector<std::int32_t> Despues,
                 std::int32_t N) {
    return {{Tit, "El nodo esta desequilibrado. Se efectua una rotación para corregirlo.", 0, std::move(Antes), N, nil},
            {Tit, Nombre, 2, std::move(Despues), N, nil}};
}
const char *const SD = "Rotación simple derecha", *const SI = "Rotación simple izquierda",
           *const DD = "Rotación doble derecha", *const DI = "Rotación doble izquierda";
// clang-format on

struct TCaso {
    const char* Nombre;
    const char* Inicial;
    TOp Op;
    std::int32_t Valor;
    const char* Final;
    Opt SelFinal;
    TEtapas Etapas;
    // Factors written over the loaded ones (as earlier walks over an
    // unbalanced tree may leave them), the factors expected when the result
    // is not a sound AVL tree, and entries (negated: deletions) replayed
    // without reports after loading.
    std::vector<std::pair<std::int32_t, std::int32_t>> Ajustes = {};
    const char* FactoresFinales = nullptr;
    const char* Error = nullptr;
    bool Resultado = true;  // of an insertion that raises nothing
    std::vector<std::int32_t> Previas = {};
};

void PrintTo(const TCaso& c, std::ostream* os) {
    *os << c.Nombre;
}

// clang-format off
const TCaso Casos[] = {
    // ---- insertion walks
    {"InsercionEnVacio", "", OpInsertar, 5, "5", 5, InsercionNueva(5, {})},
    {"InsercionDuplicada", "2(1,3)", OpInsertar, 3, "2(1,3)", 3, InsercionRepetida(3, {2, 3}), {}, nullptr, nullptr,
     false},
    {"SegundaInsercionCreceLaRaiz", "1", OpInsertar, 2, "1(,2)", 2,
     Unir({InsercionNueva(2, {1}), {Recorre(2), Actualiza(1), RaizCrece(1)}})},
    {"InsercionEquilibraElPadre", "2(1,)", OpInsertar, 3, "2(1,3)", 3,
     Unir({InsercionNueva(3, {2}), {Recorre(3), Actualiza(2), Termina(2)}})},

    // ---- the four rotations in an insertion
    {"InsercionSimpleDerechaEnLaRaiz", "1(,2)", OpInsertar, 3, "2(1,3)", 3,
     Unir({InsercionNueva(3, {1, 2}), {Recorre(3), Actualiza(2), Sube(2), Actualiza(1)},
           Rotacion(SD, {1, 2}, {2, 1}, 1), {TrasInsercion(2)}})},
    {"InsercionSimpleIzquierdaEnLaRaiz", "3(2,)", OpInsertar, 1, "2(1,3)", 1,
     Unir({InsercionNueva(1, {3, 2}), {Recorre(1), Actualiza(2), Sube(2), Actualiza(3)},
           Rotacion(SI, {3, 2}, {2, 3}, 3), {TrasInsercion(2)}})},
    {"InsercionDobleIzquierdaNietoNuevo", "3(1,)", OpInsertar, 2, "2(1,3)", 2,
     Unir({InsercionNueva(2, {3, 1}), {Recorre(2), Actualiza(1), Sube(1), Actualiza(3)},
           Rotacion(DI, {3, 1, 2}, {2, 1, 3}, 3), {TrasInsercion(2)}})},
    {"InsercionDobleDerechaNietoNuevo", "1(,3)", OpInsertar, 2, "2(1,3)", 2,
     Unir({InsercionNueva(2, {1, 3}), {Recorre(2), Actualiza(3), Sube(3), Actualiza(1)},
           Rotacion(DD, {1, 3, 2}, {2, 1, 3}, 1), {TrasInsercion(2)}})},
    // Below the root, with a subtree that changes parent (25) and is not marked.
    {"InsercionSimpleIzquierdaBajoLaRaiz", "50(30(20(10,25),40),60(,70))", OpInsertar, 5,
     "50(20(10(5,),30(25,40)),60(,70))", 5,
     Unir({InsercionNueva(5, {50, 30, 20, 10}),
           {Recorre(5), Actualiza(10), Sube(10), Actualiza(20), Sube(20), Actualiza(30)},
           Rotacion(SI, {30, 20}, {20, 30}, 30), {TrasInsercion(20)}})},
    // Double rotations below the root, the grandchild leaning toward N in one
    // and away from it in the other: its two subtrees go to different parents.
    {"InsercionDobleDerechaNietoIzquierdo", "30(20(10,),40(35,60(50,70)))", OpInsertar, 45,
     "30(20(10,),50(40(35,45),60(,70)))", 45,
     Unir({InsercionNueva(45, {30, 40, 60, 50}),
           {Recorre(45), Actualiza(50), Sube(50), Actualiza(60), Sube(60), Actualiza(40)},
           Rotacion(DD, {40, 60, 50}, {50, 40, 60}, 40), {TrasInsercion(50)}})},
    {"InsercionDobleIzquierdaNietoIzquierdo", "70(60(40(30,50),65),80(,90))", OpInsertar, 45,
     "70(50(40(30,45),60(,65)),80(,90))", 45,
     Unir({InsercionNueva(45, {70, 60, 40, 50}),
           {Recorre(45), Actualiza(50), Sube(50), Actualiza(40), Sube(40), Actualiza(60)},
           Rotacion(DI, {60, 40, 50}, {50, 40, 60}, 60), {TrasInsercion(50)}})},

    // ---- removal walks
    {"BorradoDelUnicoNodo", "50", OpBorrar, 50, "", nil, {Hoja(nil, 50), RecorreBorrado(nil)}},
    {"BorradoSubeHastaLaRaiz", "50(30(20,),70)", OpBorrar, 20, "50(30,70)", 50,
     {Hoja(30, 20), RecorreBorrado(30), Actualiza(30), Sube(30), Actualiza(50), Sube(50)}},
    // The predecessor's node (left child of the root) is the one removed.
    {"BorradoConDosHijos", "2(1,3)", OpBorrar, 2, "1(,3)", 1,
     {HijoIzquierdo(1, 2), Predecesor(1, 2), Hoja(1, 2), RecorreBorrado(1), Actualiza(1), Termina(1)}},

    // ---- rotations in a removal
    {"BorradoSimpleDerechaHastaLaRaiz", "2(1,3(,4))", OpBorrar, 1, "3(2,4)", 3,
     Unir({{Hoja(2, 1), RecorreBorrado(2), Actualiza(2)}, Rotacion(SD, {2, 3}, {3, 2}, 2), {TrasBorradoRaiz(3)}})},
    // A balanced heavy-side child: the subtree keeps its height.
    {"BorradoSimpleDerechaHijoEquilibrado", "2(1,4(3,5))", OpBorrar, 1, "4(2(,3),5)", 4,
     Unir({{Hoja(2, 1), RecorreBorrado(2), Actualiza(2)}, Rotacion(SD, {2, 4}, {4, 2}, 2),
           {TrasBorradoRecupera(4)}})},
    // Two rotations in one removal: a single one below the root, then a
    // double one at the root.
    {"BorradoSimpleIzquierdaYDobleIzquierda", "50(30(20(10,),40(35(33,),45)),70(60(55,),80))", OpBorrar, 80,
     "40(30(20(10,),35(33,)),50(45,60(55,70)))", 40,
     Unir({{Hoja(70, 80), RecorreBorrado(70), Actualiza(70)}, Rotacion(SI, {70, 60}, {60, 70}, 70),
           {TrasBorradoSigue(60), Actualiza(50)}, Rotacion(DI, {50, 30, 40}, {40, 30, 50}, 50),
           {TrasBorradoRaiz(40)}})},
    {"BorradoDobleIzquierdaNietoEquilibrado", "50(30(20,40(35,45)),70(,80))", OpBorrar, 80,
     "40(30(20,35),50(45,70))", 40,
     Unir({{Hoja(70, 80), RecorreBorrado(70), Actualiza(70), Sube(70), Actualiza(50)},
           Rotacion(DI, {50, 30, 40}, {40, 30, 50}, 50), {TrasBorradoRaiz(40)}})},

    // ---- trees loaded from files that are not height-balanced
    // The insertion brings 10 from -3 to -2 with a balanced left child.
    {"InsercionCasoImposible", "10(5(3(2,4),7(6,8)),)", OpInsertar, 11, "10(5(3(2,4),7(6,8)),11)", 10,
     Unir({InsercionNueva(11, {10}), {Recorre(11), Actualiza(10)}}), {},
     "10:-2 5:0 3:0 2:0 4:0 7:0 6:0 8:0 11:0", "Inserción en AVL: Caso imposible!"},
    // A heavy-side child leaning by two is no rotation case.
    {"InsercionHijoFueraDeRango", "1(,2(,3(,4)))", OpInsertar, 0, "1(0,2(,3(,4)))", 0,
     Unir({InsercionNueva(0, {1}), {Recorre(0), Actualiza(1), TrasInsercion(1)}}), {},
     "1:2 0:0 2:2 3:1 4:0"},
    // A factor beyond 2 ends the insertion walk without a word.
    {"InsercionFactorFueraDeRango", "1(,2(,3(,4(,5))))", OpInsertar, 0, "1(0,2(,3(,4(,5))))", 0,
     Unir({InsercionNueva(0, {1}), {Recorre(0), Actualiza(1)}}), {}, "1:3 0:0 2:3 3:2 4:1 5:0"},
    // ... and lets the removal walk go on to the parent.
    {"BorradoFactorFueraDeRangoSigue", "60(10(5,20(,30(,40(,50)))),70)", OpBorrar, 5, "60(10(,20(,30(,40(,50)))),70)",
     60, {Hoja(10, 5), RecorreBorrado(10), Actualiza(10), Actualiza(60)}, {},
     "60:-3 10:4 20:3 30:2 40:1 50:0 70:0"},
    // Stored factors that name a missing child or grandchild: no rotation,
    // the closing report is still given and no nil link is followed.
    {"InsercionSinHijoPesado", "10(5,)", OpInsertar, 3, "10(5(3,),)", 3,
     Unir({InsercionNueva(3, {10, 5}), {Recorre(3), Actualiza(5), Sube(5), Actualiza(10), TrasInsercion(10)}}),
     {{10, 3}}, "10:2 5:-1 3:0"},
    {"InsercionSinNieto", "10(5,20)", OpInsertar, 3, "10(5(3,),20)", 3,
     Unir({InsercionNueva(3, {10, 5}), {Recorre(3), Actualiza(5), Sube(5), Actualiza(10), TrasInsercion(10)}}),
     {{10, 3}, {20, -1}}, "10:2 5:-1 3:0 20:-1"},
    // Earlier walks over a loaded unbalanced tree left 2 at +1 with no right
    // child (a double rotation at 7 with a grandchild at +2 kept it).
    {"BorradoSinHijoPesadoSigue", "7(2(1(0,),3(,6(4,))),)", OpBorrar, 1, "3(2(0,),7(6(4,),9(,11)))", 3,
     {UnHijo(2, 1), RecorreBorrado(2), Actualiza(2), TrasBorradoSigue(2), Actualiza(3), Termina(3)}, {},
     "3:1 2:2 0:0 7:-2 6:-1 4:0 9:1 11:0", nullptr, true, {9, 11}},
    {"BorradoSinNieto", "30(10,40(,50))", OpBorrar, 10, "30(,40(,50))", 30,
     {Hoja(30, 10), RecorreBorrado(30), Actualiza(30), TrasBorradoRaiz(30)}, {{40, -1}}, "30:2 40:-1 50:0"},
    // The grandchild that moves up leans by two: N and the child keep their
    // factors, the grandchild gets 0.
    {"BorradoDobleConNietoFueraDeRango", "10(5(3(2,),7),30(20(15(12,),),40(,45)))", OpBorrar, 2,
     "20(10(5(3,7),15(12,)),30(,40(,45)))", 20,
     Unir({{Hoja(3, 2), RecorreBorrado(3), Actualiza(3), Sube(3), Actualiza(5), Sube(5), Actualiza(10)},
           Rotacion(DD, {10, 30, 20}, {20, 10, 30}, 10), {TrasBorradoRaiz(20)}}),
     {}, "20:0 10:2 5:0 3:0 7:0 15:-1 12:0 30:-1 40:1 45:0"},
};
// clang-format on

void Preparar(TArbolAVL& a, const TCaso& c) {
    Construir(a, c.Inicial);
    for (auto [v, f] : c.Ajustes) Factor(a, v) = f;
    for (std::int32_t e : c.Previas) EjecutarOperacion(a, e >= 0 ? OpInsertar : OpBorrar, e >= 0 ? e : -e);
}

class EtapasAVL : public ::testing::TestWithParam<TCaso> {};

// With reports on (links consistent at every one: the handler may lay the
// tree out) and off, the same result.
TEST_P(EtapasAVL, SecuenciaYResultado) {
    const TCaso& c = GetParam();
    for (bool informes : {true, false}) {
        SCOPED_TRACE(informes ? "reports on" : "reports off");
        TArbolAVL a;
        Preparar(a, c);
        std::optional<TGrabadora> g;
        if (informes) g.emplace(a).Vigilar([&] { return ComprobarEnlaces(a); });
        EXPECT_EQ(EjecutarOperacion(a, c.Op, c.Valor, c.Resultado), c.Error ? c.Error : "");
        if (g) {
            EXPECT_EQ(g->Etapas, c.Etapas);
        }
        EXPECT_EQ(Forma(a), c.Final);
        EXPECT_EQ(ValorSel(a), c.SelFinal);
        EXPECT_EQ(Comprobar(a), "");
        if (c.FactoresFinales)
            EXPECT_EQ(Factores(a), c.FactoresFinales);
        else
            EXPECT_EQ(ComprobarAVL(a), "") << Factores(a);
    }
}

// A handler may leave the operation at any report (the window closes while a
// step is shown): the tree stays linked, ordered and unmarked, the removed
// node is destroyed, and the tree takes further operations.
TEST_P(EtapasAVL, ManejadorQueLanzaDejaEnlacesSanos) {
    const TCaso& c = GetParam();
    for (std::size_t k = 0; k < c.Etapas.size(); ++k) {
        SCOPED_TRACE("thrown from report " + std::to_string(k));
        TArbolAVL a;
        Preparar(a, c);
        TGrabadora g(a);
        g.InterrumpirEn(k);
        EXPECT_THROW(EjecutarOperacion(a, c.Op, c.Valor, c.Resultado), TInterrupcion);
        EXPECT_EQ(Comprobar(a), "") << Forma(a);
        a.OnEtapa = nullptr;
        for (std::int32_t v : {-7, 1000, c.Valor}) {
            EjecutarOperacion(a, OpInsertar, v, Nodo(a, v) == nullptr);  // an unbalanced tree may raise
            EjecutarOperacion(a, OpBorrar, v);
            EXPECT_EQ(Comprobar(a), "") << Forma(a);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, EtapasAVL, ::testing::ValuesIn(Casos),
                         [](const ::testing::TestParamInfo<TCaso>& i) { return std::string(i.param.Nombre); });

}  // namespace
