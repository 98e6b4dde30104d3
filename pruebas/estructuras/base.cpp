// The tree base (statistics, selection, search, replay, order check, the node pool), marks, history, descriptors.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "comprobacion.h"
#include "uHistoria.h"

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
    for (const TOperacion& op : ops) h.Anotar(op);
    EXPECT_EQ(h.Entradas(), (std::vector<std::int32_t>{Min32, -5, 0, Max32, 5, 0, Min32, 7}));
}

// Each command that changes the list: undo gives back the structure and list before it; another kind never reads it.
TEST(Historia, DeshacerUnNivel) {
    TArbolBST a;
    THistoria h;
    EXPECT_FALSE(h.Deshacer(a));
    for (std::int32_t k : {5, 3}) a.Insertar(k), h.Anotar(Ins(k));
    const std::vector<TOperacion> antes{Ins(5), Ins(3)};
    for (int orden = 0; orden < 4; ++orden) {
        const auto arbol = a.Guardar();
        h.GuardarDeshacer(a);
        if (orden == 0) h.Vaciar();
        if (orden == 1) h.Reemplazar({Bor(1)});
        if (orden >= 2) h.Anotar(Bor(3));
        if (orden == 3) h.Vaciar();  // what was appended since goes too
        a.Vaciar();
        ASSERT_TRUE(h.Deshacer(a) && h.Deshacer(a));
        EXPECT_EQ(std::vector<TOperacion>(h.Operaciones().begin(), h.Operaciones().end()), antes) << orden;
        EXPECT_EQ(a.Guardar(), arbol);
    }
    TArbolAVL avl;
    h.Anotar(Ins(9));
    EXPECT_FALSE(h.Deshacer(avl));
    EXPECT_EQ(h.NumOper(), 3);
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
