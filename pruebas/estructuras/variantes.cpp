// The textbook variant against small models of the textbooks' algorithms:
// red-black insertion and deletion with their repairs, bottom-up splaying.
#include <gtest/gtest.h>

#include <random>

#include "comprobacion.h"

namespace {

// Nodes by index, none ever freed; small recursive walks are fine here.
struct TModelo {
    struct N {
        int k, l = -1, r = -1, p = -1;
        bool rojo = true;
    };
    std::vector<N> n;
    int raiz = -1;
    bool Rojo(int x) const { return x >= 0 && n[x].rojo; }
    int& Hijo(int p, bool izq) { return izq ? n[p].l : n[p].r; }
    bool EsIzq(int x) const { return n[n[x].p].l == x; }
    void Enlazar(int p, bool izq, int x) {
        (p < 0 ? raiz : Hijo(p, izq)) = x;
        if (x >= 0) n[x].p = p;
    }
    void Subir(int x) {  // x rotates above its parent
        const int p = n[x].p, g = n[p].p;
        const bool izq = EsIzq(x), gizq = g >= 0 && EsIzq(p);
        Enlazar(p, izq, Hijo(x, !izq));
        Enlazar(x, !izq, p);
        Enlazar(g, gizq, x);
    }
    // The node holding k, or the new leaf; Nuevo says which.
    int Poner(int k, bool& Nuevo) {
        int x = raiz, u = -1;
        for (; x >= 0 && n[x].k != k; x = k < n[x].k ? n[x].l : n[x].r) u = x;
        if ((Nuevo = x < 0) == false) return x;
        n.push_back({k});
        Enlazar(u, u >= 0 && k < n[u].k, x = int(n.size()) - 1);
        return x;
    }
    int Ultimo(int k) {  // the node holding k, or the last node visited
        int x = raiz;
        for (int s; x >= 0 && n[x].k != k && (s = k < n[x].k ? n[x].l : n[x].r) >= 0;) x = s;
        return x;
    }
    void Splay(int x) {
        for (; x >= 0 && n[x].p >= 0; Subir(x))
            if (n[n[x].p].p >= 0) Subir(EsIzq(x) == EsIzq(n[x].p) ? n[x].p : x);
    }
    void InsertarRN(int k) {
        bool nuevo;
        int x = Poner(k, nuevo);
        if (!nuevo) return;
        for (int p; Rojo(p = n[x].p) && n[p].p >= 0;) {
            const int g = n[p].p, t = Hijo(g, !EsIzq(p));
            n[g].rojo = true;
            if (Rojo(t)) {
                n[p].rojo = n[t].rojo = false;
                x = g;
                continue;
            }
            if (EsIzq(x) != EsIzq(p)) Subir(x), std::swap(x, p);
            Subir(p);
            n[p].rojo = false;
            break;
        }
        n[raiz].rojo = false;
    }
    void Borrar(int k, bool Rn) {
        int z = Ultimo(k);
        if (z < 0 || n[z].k != k) return;
        if (n[z].l >= 0 && n[z].r >= 0) {
            int y = n[z].l;
            while (n[y].r >= 0) y = n[y].r;
            n[z].k = n[y].k;
            z = y;
        }
        int x = n[z].l >= 0 ? n[z].l : n[z].r, p = n[z].p;
        bool izq = p >= 0 && EsIzq(z);
        Enlazar(p, izq, x);
        if (!Rn || n[z].rojo) return;
        while (x != raiz && !Rojo(x)) {
            int w = Hijo(p, !izq);
            if (Rojo(w)) {
                n[w].rojo = false, n[p].rojo = true, Subir(w);
                continue;
            }
            int cerca = Hijo(w, izq), lejos = Hijo(w, !izq);
            if (!Rojo(cerca) && !Rojo(lejos)) {
                n[w].rojo = true, x = p, p = n[x].p;
                if (p >= 0) izq = EsIzq(x);
                continue;
            }
            if (!Rojo(lejos)) n[cerca].rojo = false, n[w].rojo = true, Subir(cerca), lejos = w, w = cerca;
            n[w].rojo = n[p].rojo, n[p].rojo = n[lejos].rojo = false, Subir(w), x = raiz;
        }
        if (x >= 0) n[x].rojo = false;
    }
    std::string Texto(int x, bool Colores) const {
        if (x < 0) return "";
        return std::to_string(n[x].k) + (Colores && n[x].rojo ? "r(" : "(") + Texto(n[x].l, Colores) + "," +
               Texto(n[x].r, Colores) + ")";
    }
};

bool RojoRN(const TNodoBin* x) { return x != nullptr && !static_cast<const TNodoRN*>(x)->EsNegro(); }
std::string TextoDe(const TNodoBin* x, bool Colores) {
    if (x == nullptr) return "";
    return std::to_string(x->Valor) + (Colores && RojoRN(x) ? "r(" : "(") + TextoDe(x->Izq, Colores) + "," +
           TextoDe(x->Der, Colores) + ")";
}
// Black nodes on every path down to an empty link; -1 when they differ or a red node has a red child.
int AlturaNegra(const TNodoBin* x) {
    if (x == nullptr) return 1;
    const int a = AlturaNegra(x->Izq), b = AlturaNegra(x->Der);
    if (a < 0 || a != b || (RojoRN(x) && (RojoRN(x->Izq) || RojoRN(x->Der)))) return -1;
    return a + (RojoRN(x) ? 0 : 1);
}

}  // namespace

// Random insertions and deletions of keys in a small range, with and without
// reports: the tree is the model's, node for node and colour for colour,
// and a red-black tree with its black heights kept after every operation.
TEST(Variantes, RojoNegroComoLosLibros) {
    std::mt19937 azar(5);
    for (int ronda = 0; ronda < 24; ++ronda) {
        TArbolRN a;
        a.Variante = TVariante::Libro;
        if (ronda % 2 == 1) a.OnEtapa = [&](const std::string&, const std::string&, int) { ASSERT_EQ(InvarianteEnEtapa(a), ""); };
        TModelo m;
        for (int i = 0; i < 250; ++i) {
            const int k = int(azar() % 40);
            if (azar() % 5 < 2) {
                a.BorrarEntrada(k);
                m.Borrar(k, true);
            } else {
                a.Insertar(k);
                m.InsertarRN(k);
            }
            ASSERT_EQ(TextoDe(a.Raiz, true), m.Texto(m.raiz, true)) << ronda << "/" << i;
            ASSERT_EQ(Invariante(a), "");
            ASSERT_TRUE(!RojoRN(a.Raiz) && AlturaNegra(a.Raiz) > 0);
            ASSERT_TRUE(a.Raiz == nullptr || static_cast<TNodoRN*>(a.Raiz)->CaminoVerificado);
        }
    }
}

// Searches that hit and miss, insertions and deletions: the shapes of a
// bottom-up splay of the node found or the last one visited.
TEST(Variantes, SplayComoLosLibros) {
    std::mt19937 azar(9);
    for (int ronda = 0; ronda < 12; ++ronda) {
        TSplayTree a;
        a.Variante = TVariante::Libro;
        if (ronda % 2 == 1) a.OnEtapa = [](const std::string&, const std::string&, int) {};
        TModelo m;
        for (int i = 0; i < 250; ++i) {
            const int k = int(azar() % 40), op = int(azar() % 3);
            bool nuevo;
            if (op == 0) a.Insertar(k), m.Splay(m.Poner(k, nuevo));
            if (op == 1) a.Buscar(k), m.Splay(m.Ultimo(k));
            if (op == 2) a.BorrarEntrada(k), m.Borrar(k, false);
            ASSERT_EQ(TextoDe(a.Raiz, false), m.Texto(m.raiz, false)) << ronda << "/" << i;
            ASSERT_EQ(Invariante(a), "");
        }
    }
}

// Each way a deletion ends, the repair's cases and their mirror images (the
// keys reflected): the tags of the last operation's reports, in order.
TEST(Variantes, CasosDeLaReparacion) {
    const std::pair<std::vector<int>, std::string> casos[] = {
        {{3, 5, -5}, "hoja-borrada era-rojo"},
        {{2, 9, -2}, "un-hijo sustituto-rojo"},
        {{7, 6, 9, 1, -9}, "hoja-borrada doble-negro caso-4 caso-4-fin"},
        {{8, 7, 3, 4, -8}, "hoja-borrada doble-negro caso-3 caso-3-fin caso-4 caso-4-fin"},
        {{19, 5, 3, 8, 30, 9, -3}, "hoja-borrada doble-negro caso-1 caso-1-fin caso-4 caso-4-fin"},
        {{26, 2, 1, 7, 6, 23, -1}, "hoja-borrada doble-negro caso-1 caso-1-fin caso-2 fin-rojo"},
        {{10, 5, 15, 20, -20, -5}, "hoja-borrada doble-negro caso-2 fin-raiz"},
        {{1, 4, 2, 28, 3, 9, 8, 29, 20, 22, -1}, "hoja-borrada doble-negro caso-2 caso-2-sube caso-4 caso-4-fin"},
    };
    for (const auto& [claves, esperadas] : casos)
        for (const int espejo : {0, 31}) {
            TArbolRN a;
            a.Variante = TVariante::Libro;
            std::string vistas;
            for (const int c : claves) {
                vistas.clear();
                a.OnEtapa = [&](const std::string&, const std::string&, int) {
                    vistas += (vistas.empty() ? "" : " ") + std::string(a.Sitio().Etiqueta);
                };
                const int k = espejo != 0 ? espejo - std::abs(c) : std::abs(c);
                c < 0 ? a.BorrarEntrada(k) : void(a.Insertar(k));
            }
            EXPECT_EQ(vistas, esperadas) << claves.back() << " espejo " << espejo;
        }
    // One whole deletion as the step window shows it.
    TArbolRN a;
    a.Variante = TVariante::Libro;
    for (const int c : {7, 6, 9, 1}) a.Insertar(c);
    a.Seleccionar(9, true);
    TGrabadora g(a);
    a.Borrar();
    const std::string t = "Borrado - Reparación Doble-Negro | ";
    EXPECT_EQ(g.Etapas, (std::vector<std::string>{
                            "Clasificación del nodo seleccionado: | El nodo es una hoja: Se borra directamente y se "
                            "selecciona el padre del nodo borrado. | 2 | - | 7 | 9",
                            t + "El nodo borrado era negro: su lugar queda doble-negro y comienza la reparación. | 0 | - | 7 | -",
                            t + "Caso 4: Hermano negro con el hijo lejano rojo. Se cambian colores y se rota sobre el "
                                "padre. | 0 | 7,6,1 | 7 | -",
                            t + "Caso 4: Se termina la reparación. | 1 | 6,1,7 | 7 | -"}));
}
