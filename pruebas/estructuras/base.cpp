// The tree base (statistics, selection, search, replay, order check, the node pool), marks, history, descriptors.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>

#include "comprobacion.h"
#include "uHistoria.h"
#include "uTipos.h"

namespace {

// Height, mean search cost, order check (parent and child only: 60 passes), whole order (equal keys fail).
TEST(Base, EstadisticasYOrden) {
    const char* const casos[][2] = {{"", "0 0.00 1 1"}, {"10(,20(,30))", "3 2.00 1 1"}, {"50(30(20,60),70)", "3 2.20 1 0"},
                                    {"50(30(20(10,),),70(,80(,90)))", "4 2.71 1 1"}, {"50(60,70)", "2 1.67 0 0"},
                                    {"50(30,40)", "2 1.67 0 0"}, {"50(50,70)", "2 1.67 0 0"}, {"50(,50)", "2 1.50 0 0"}};
    for (const auto& c : casos) {
        TArbolBST a;
        Construir(a, c[0]);
        char s[64];
        std::snprintf(s, sizeof s, "%d %.2f %d %d", a.Altura(), a.OpPromedio(), a.EstaOrdenado(), ClavesEnOrden(a));
        EXPECT_STREQ(s, c[1]) << c[0];
    }
}

// A position out of range leaves the selection; Marcar decides whether a search changes it.
TEST(Base, SeleccionarPosicionYValor) {
    TArbolBST a;
    Construir(a, "50(30(20,40(,45)),70(60,))");  // after 45 the walk climbs two levels
    for (std::int32_t k : {0, 1, 2, 3, 4, 5, 6, -1, 7, Max32, Min32}) {
        a.NodoSel = Nodo(a, 40);
        a.SeleccionarPosicion(k);
        EXPECT_EQ(a.NodoSel->Valor, k >= 0 && k < 7 ? EnOrden(a)[static_cast<std::size_t>(k)] : 40) << k;
    }
    TArbolBST b;  // a freed right subtree leaves its sibling linked
    Construir(b, "50(30(20,40),70)");
    b.LiberarNodos(Nodo(b, 70));
    EXPECT_EQ(Forma(b) + std::to_string(b.NumNodos), "50(30(20,40),)4");
    EXPECT_TRUE(a.Seleccionar(70, false) && !a.Seleccionar(65, false) && a.NodoSel == Nodo(a, 40));
    EXPECT_TRUE(a.Seleccionar(70, true) && a.NodoSel == Nodo(a, 70));
    EXPECT_TRUE(!a.Seleccionar(65, true) && a.NodoSel == nullptr);
    // The search tree descends by the order: a value misplaced by hand is found only by the base search.
    Construir(a, "50(30(20,60),70)");
    EXPECT_EQ(a.BuscarNodo(a.Raiz, 60), nullptr);
    EXPECT_EQ(a.TArbolBin::BuscarNodo(a.Raiz, 60), Nodo(a, 60));
}

// A kind that keeps no order, as the heap: the base search is the first match in pre-order, within the subtree.
TEST(Base, BusquedaPreordenPrimeraCoincidencia) {
    struct TSinOrden : TArbolBST {
        TNodoBin* BuscarNodo(TNodoBin* N, std::int32_t V) const override { return TArbolBin::BuscarNodo(N, V); }
    };
    TSinOrden a;
    Construir(a, "3(1(7,),7)");  // first in pre-order, not breadth-first
    EXPECT_EQ(a.BuscarNodo(a.Raiz, 7), a.Raiz->Izq->Izq);
    EXPECT_EQ(a.BuscarNodo(a.Raiz->Der, 7), a.Raiz->Der);
    EXPECT_EQ(a.BuscarNodo(a.Raiz, 4), nullptr);
    EXPECT_EQ(a.BuscarNodo(nullptr, 7), nullptr);
    Construir(a, "3(7(7,),8)");  // nor in order
    EXPECT_EQ(a.BuscarNodo(a.Raiz, 7), a.Raiz->Izq);
}

// Replay: no report, the handler kept; the least entry deletes the least key (its negation wraps); entries beyond N
// are ignored. A heap's negative entry deletes the minimum whatever its key.
TEST(Base, Reconstruir) {
    struct TEspia : TArbolBST {
        bool Seleccionar(std::int32_t Valor, bool Marcar) override {
            Vistas.push_back(Valor);
            return TArbolBST::Seleccionar(Valor, Marcar);
        }
        std::vector<std::int32_t> Vistas;
    } a;
    Construir(a, "1(,2)");
    TGrabadora g(a);
    const std::int32_t e[] = {0, 5, 5, 8, Min32, -5, -7, -8, 9};
    a.Reconstruir(e, 8);
    EXPECT_EQ(Forma(a), "0");
    EXPECT_EQ(a.Vistas, (std::vector<std::int32_t>{Min32, 5, 7, 8}));
    EXPECT_TRUE(g.Etapas.empty() && a.MostrarEtapas());
    a.Reconstruir(std::span<const std::int32_t>{});
    EXPECT_EQ(Forma(a), "");

    TMonticulo m;
    m.Cargar(FlujoVector({9, 9, 9, 9, 9}));
    const std::int32_t em[] = {5, 3, 8, -100, 0, -7, 4, Min32};
    m.Reconstruir(em);
    EXPECT_EQ(Vivos(m), (std::vector<std::int32_t>{5, 8}));
    EXPECT_EQ(Grises(m), (std::vector<std::int32_t>{4}));
}

// Emptying frees the pool at once, or node by node when a removed node is still shown or nodes have destructors.
TEST(Base, VaciarReutilizaElPool) {
    auto llenar = [](TArbolBin& a) { for (std::int32_t k = 1; k <= 3000; ++k) a.Insertar(k * 7919 % 3001); };
    TArbolBST a;
    llenar(a);
    const std::size_t bytes = a.BytesNodos();
    TNodoBin* mostrado = a.CrearNodo(-5, nullptr, nullptr, nullptr);
    a.NodoBorrado = mostrado;
    a.Vaciar();
    EXPECT_EQ(std::make_pair(a.Raiz, a.NumNodos), std::make_pair(static_cast<TNodoBin*>(nullptr), 0));
    llenar(a), a.Insertar(-7);  // one node more than before: a reset pool would hand out the shown node's slot
    EXPECT_TRUE(mostrado->Valor == -5 && Nodo(a, -5) == nullptr);
    a.NodoBorrado = nullptr;
    a.DestruirNodo(mostrado);
    for (int vez = 0; vez < 2; ++vez) a.Vaciar(), llenar(a);
    EXPECT_EQ(Invariante(a), "");
    EXPECT_EQ(a.BytesNodos(), bytes);

    TContado<TArbolBST, TNodoBin> contado;
    llenar(contado);
    contado.Vaciar();
    EXPECT_EQ(TNodoContado<TNodoBin>::Vivos, 0);
}

// Nested sets list every node still marked (twice if twice); each clears its marks when it ends; a fifth is refused.
TEST(Base, Marcas) {
    TArbolBST a;
    Construir(a, "1(,2(,3(,4(,5))))");
    using TConjunto = std::multiset<std::int32_t>;
    auto marcados = [] {
        TConjunto s;
        TMarcas::ParaCadaMarcado([&](const TNodoBin* n) { s.insert(n->Valor); });
        return s;
    };
    {
        TMarcas m{Nodo(a, 1), Nodo(a, 2)};
        {
            TMarcas n{Nodo(a, 2), Nodo(a, 3)};
            Nodo(a, 1)->Marcado = false;
            EXPECT_EQ(marcados(), (TConjunto{2, 2, 3}));
        }
        m.Marcar(Nodo(a, 4)), m.Marcar(Nodo(a, 5));
        EXPECT_THROW(m.Marcar(Nodo(a, 3)), std::logic_error);
        EXPECT_EQ(marcados(), (TConjunto{4, 5}));
    }
    EXPECT_EQ(RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { return n->Marcado; }), nullptr);
}

TOperacion Ins(std::int32_t k) { return {TOperacion::Insercion, k}; }
TOperacion Bor(std::int32_t k) { return {TOperacion::Borrado, k}; }

// Only operations whose stored entry reads back the same are representable; a replay takes any key.
TEST(Historia, EntradasYReconstruccion) {
    const std::tuple<TOperacion, std::int32_t, bool> casos[] = {{Ins(0), 0, true}, {Ins(-5), -5, false},
        {Bor(5), -5, true}, {Bor(Min32), Min32, true}, {Bor(0), 0, false}, {Bor(-5), 5, false}};
    for (const auto& [op, entrada, representable] : casos) {
        EXPECT_EQ(EntradaDe(op), entrada) << op.Tipo << " " << op.Clave;
        EXPECT_EQ(Representable(op), representable) << op.Tipo << " " << op.Clave;
    }
    const TOperacion ops[] = {Ins(Min32), Ins(-5), Ins(0), Ins(Max32), Bor(-5), Bor(0), Bor(Min32), Ins(7)};
    TArbolBST a;
    a.Reconstruir(ops);
    EXPECT_EQ(Forma(a) + (a.NodoSel ? " selected" : ""), "2147483647(7,)");
    THistoria h;
    h.Reiniciar(a);
    for (const TOperacion& op : ops) h.Anotar({TPaso::TTipo(op.Tipo), op.Clave}, a);
    EXPECT_EQ(h.Entradas(), (std::vector<std::int32_t>{Min32, -5, 0, Max32, 5, 0, Min32, 7}));
}

// A step as the window runs it; false when it is none (a deletion of an absent key, what the kind lacks). An engine
// error (the red-black tree's black-path check) keeps what it changed, and the step.
bool Hacer(TArbolBin& a, const TTipoEstructura& t, TPaso p) try {
    a.Deseleccionar();
    switch (p.Tipo) {
    case TPaso::Insercion: a.Insertar(p.Clave); break;
    case TPaso::Borrado:
        if (!t.BorraMinimo && !a.Seleccionar(p.Clave, true)) return false;
        a.Borrar();
        break;
    case TPaso::Vaciado: a.Vaciar(); break;
    case TPaso::Monticulo:
        if (!t.Monticulo) return false;
        t.Monticulo(a, 0);
        break;
    case TPaso::Busqueda:
        if (!t.BuscarCambia) return false;
        a.Buscar(p.Clave);
        break;
    }
    a.Deseleccionar();
    return true;
} catch (const EArbol&) {
    a.Deseleccionar();
    return true;
}

// Every kind, random steps: any point reached by a jump, by undoing or by redoing gives the structure saved on the
// way and the insertions and deletions since the last emptying, also when the budget keeps no snapshot.
TEST(Historia, SaltosYPasosDanLoGrabado) {
    for (const TTipoEstructura& t : TiposEstructura())
        for (const std::size_t presupuesto : {THistoria::kPresupuesto, std::size_t{100}}) {
            std::mt19937 g(7);
            std::unique_ptr<TArbolBin> a = t.Clase();
            for (std::int32_t k : {5, 3, 8}) a->Insertar(k);
            THistoria h(presupuesto);
            h.Reiniciar(*a);
            std::vector<std::vector<std::uint8_t>> vistos{a->Guardar()};
            std::vector<std::vector<TOperacion>> listas{{}};
            while (h.NumPasos() < 300) {
                const auto r = g() % 100;
                const TPaso p{r < 55 ? TPaso::Insercion : r < 85 ? TPaso::Borrado : r < 88 ? TPaso::Vaciado
                                                          : r < 92 ? TPaso::Monticulo : TPaso::Busqueda,
                              static_cast<std::int32_t>(g() % 60) - 10};
                if (!Hacer(*a, t, p)) continue;
                h.Anotar(p, *a);
                vistos.push_back(a->Guardar());
                listas.push_back(p.Tipo == TPaso::Vaciado ? std::vector<TOperacion>{} : listas.back());
                if (p.Tipo <= TPaso::Borrado) listas.back().push_back({TOperacion::TTipo(p.Tipo), p.Clave});
            }
            // Small structures within the budget keep a snapshot at most steps; a tiny budget keeps few.
            EXPECT_TRUE(presupuesto == 100 ? h.NumInstantaneas() < 10 : h.NumInstantaneas() > 50) << t.Clave;
            const auto comprobar = [&](const TArbolBin& b, const char* como) {
                ASSERT_EQ(b.Guardar(), vistos[h.Actual()]) << t.Clave << " " << como << " " << h.Actual();
                ASSERT_EQ(h.Operaciones(), listas[h.Actual()]) << t.Clave << " " << como;
                EXPECT_LE(h.BytesInstantaneas(), vistos[0].size() + presupuesto);
            };
            for (int i = 0; i < 30; ++i) {
                const std::size_t k = g() % (h.NumPasos() + 1);
                comprobar(*h.IrA(k), "salto");
                EXPECT_EQ(h.Actual(), k);
            }
            while (h.PuedeDeshacer()) comprobar(*(a = h.IrA(h.Actual() - 1)), "deshacer");
            while (h.PuedeRehacer()) {
                Hacer(*a, t, h.Pasos()[h.Actual()]);
                h.Avanzar(*a);
                comprobar(*a, "rehacer");
            }
            // Stopping at the engine's first refusal (a change of kind): the point after the failing step.
            std::unique_ptr<TArbolBin> base = t.Clase();
            base->Cargar(vistos[0]);
            THistoria desde;
            desde.Reiniciar(*base, {h.Pasos().begin(), h.Pasos().end()}, 0);
            std::string error;
            base = desde.IrA(h.NumPasos(), {}, &error);
            EXPECT_EQ(base->Guardar(), vistos[desde.Actual()]) << t.Clave;
            EXPECT_EQ(error.empty(), desde.Actual() == h.NumPasos()) << t.Clave << error;
            // A new step after undos drops the undone ones.
            a = h.IrA(100);
            h.Anotar({TPaso::Vaciado, 0}, *a);
            EXPECT_TRUE(h.NumPasos() == 101 && !h.PuedeRehacer() && h.Operaciones().empty() && !h.IrA(102));
        }
    EXPECT_EQ((TPaso{TPaso::Borrado, -7}.Texto() + TPaso{TPaso::Monticulo, 0}.Texto()), "Borrar -7Crear montículo");
}

// Each descriptor leads back from its structures and key, offers its extensions (the default among them) on opening
// and saving, and its checks name what is wrong.
TEST(Tipos, DescriptoresYComprobaciones) {
    for (const TTipoEstructura& t : TiposEstructura()) {
        EXPECT_TRUE(TipoDe(*t.Clase()) == &t && BuscarTipo(t.Clave) == &t) << t.Clave;
        std::string ext;
        for (std::string_view e : t.Extensiones) ext += "*." + std::string(e) + ";";
        EXPECT_TRUE(std::string(t.FiltroAbrir).ends_with("|" + ext.substr(0, ext.size() - 1))) << t.Clave;
        EXPECT_TRUE(std::string(t.FiltroGuardar).ends_with("|*." + std::string(t.Extensiones.back()))) << t.Clave;
        std::string d(t.ExtDefecto);
        for (char& ch : d) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_NE(ext.find("*." + d + ";"), std::string::npos) << t.Clave;
    }
    struct TOtro : TArbolBST { TClaseArbol Clase() const override { return &CrearArbol<TOtro>; } };
    EXPECT_TRUE(TipoDe(TOtro()) == nullptr && BuscarTipo("BST") == nullptr);

    using TMensajes = std::vector<std::string>;
    TArbolBST b;
    Construir(b, "50(60,70)");
    const TTipoEstructura& bst = *BuscarTipo("bst");
    EXPECT_EQ(bst.Comprobar(b), TMensajes{"Arbol no ordenado!"});
    EXPECT_EQ(bst.Sospechas(b), TMensajes{"las claves no están ordenadas"});
    // An unbalanced AVL tree loads consistent but suspect; a factor altered anywhere makes it inconsistent.
    const TTipoEstructura& avl = *BuscarTipo("avl");
    TArbolAVL a;
    Construir(a, "50(30(20(10,),40),70(,80(,90)))");
    EXPECT_EQ(avl.Comprobar(a), TMensajes{});
    EXPECT_EQ(avl.Sospechas(a), TMensajes{"hay nodos desequilibrados (factor de equilibrio fuera de -1 a 1)"});
    EXPECT_EQ(avl.Cifra.Valor(*Nodo(a, 70)), 2);
    for (std::int32_t v : EnOrden(a)) {
        std::int32_t& fe = static_cast<TNodoAVL*>(Nodo(a, v))->FactorEquilibrio;
        for (std::int32_t d : {1, -2}) {
            fe += d;
            EXPECT_EQ(avl.Comprobar(a), TMensajes{"Arbol AVL inconsistente!"}) << v << " " << d;
        }
        fe += 1;
    }
    EXPECT_TRUE(a.Consistente());
    Construir(a, "2(1,3)");
    EXPECT_EQ(avl.Sospechas(a), TMensajes{});
}

}  // namespace
