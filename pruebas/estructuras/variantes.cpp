// The textbook variant against small models of the textbooks' algorithms:
// red-black insertion and deletion with their repairs, bottom-up splaying.
#include <gtest/gtest.h>

#include <random>

#include "comprobacion.h"

namespace {

// Nodes by index, none ever freed; small recursive walks are fine here.
struct TModelo {
    struct N { int k, l = -1, r = -1, p = -1; bool rojo = true; };
    std::vector<N> n;
    int raiz = -1;
    bool Rojo(int x) const { return x >= 0 && n[x].rojo; }
    int& Hijo(int p, bool izq) { return izq ? n[p].l : n[p].r; }
    bool EsIzq(int x) const { return n[n[x].p].l == x; }
    void Enlazar(int p, bool izq, int x) { (p < 0 ? raiz : Hijo(p, izq)) = x, x >= 0 ? void(n[x].p = p) : void(); }
    void Subir(int x) {  // x rotates above its parent
        const int p = n[x].p, g = n[p].p;
        const bool izq = EsIzq(x), gizq = g >= 0 && EsIzq(p);
        Enlazar(p, izq, Hijo(x, !izq)), Enlazar(x, !izq, p), Enlazar(g, gizq, x);
    }
    int Ultimo(int k) const {  // the node holding k, or the last node visited
        int x = raiz;
        for (int s; x >= 0 && n[x].k != k && (s = k < n[x].k ? n[x].l : n[x].r) >= 0;) x = s;
        return x;
    }
    int Poner(int k) {  // the node holding k, or the new leaf (then a red one at the back)
        const int u = Ultimo(k);
        if (u >= 0 && n[u].k == k) return u;
        n.push_back({k});
        Enlazar(u, u >= 0 && k < n[u].k, int(n.size()) - 1);
        return int(n.size()) - 1;
    }
    void Splay(int x) {
        for (; x >= 0 && n[x].p >= 0; Subir(x))
            if (n[n[x].p].p >= 0) Subir(EsIzq(x) == EsIzq(n[x].p) ? n[x].p : x);
    }
    void InsertarRN(int k) {
        const std::size_t antes = n.size();
        for (int x = Poner(k), p; n.size() > antes && Rojo(p = n[x].p) && n[p].p >= 0;) {
            const int g = n[p].p, t = Hijo(g, !EsIzq(p));
            n[g].rojo = true;
            if (Rojo(t)) {
                n[p].rojo = n[t].rojo = false, x = g;
                continue;
            }
            if (EsIzq(x) != EsIzq(p)) Subir(x), std::swap(x, p);
            Subir(p), n[p].rojo = false;
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
            n[z].k = n[y].k, z = y;
        }
        int x = n[z].l >= 0 ? n[z].l : n[z].r, p = n[z].p;
        bool izq = p >= 0 && EsIzq(z);
        Enlazar(p, izq, x);
        for (int w; Rn && !n[z].rojo && x != raiz && !Rojo(x);) {
            if (Rojo(w = Hijo(p, !izq))) {
                n[w].rojo = false, n[p].rojo = true, Subir(w);
                continue;
            }
            int cerca = Hijo(w, izq), lejos = Hijo(w, !izq);
            if (!Rojo(cerca) && !Rojo(lejos)) {
                n[w].rojo = true, x = p, p = n[x].p, izq = p >= 0 && EsIzq(x);
                continue;
            }
            if (!Rojo(lejos)) n[cerca].rojo = false, n[w].rojo = true, Subir(cerca), lejos = w, w = cerca;
            n[w].rojo = n[p].rojo, n[p].rojo = n[lejos].rojo = false, Subir(w), x = raiz;
        }
        if (Rn && x >= 0) n[x].rojo = false;
    }
    std::string Texto(int x, bool Colores) const {
        return x < 0 ? "" : std::to_string(n[x].k) + (Colores && n[x].rojo ? "r(" : "(") + Texto(n[x].l, Colores) +
                                "," + Texto(n[x].r, Colores) + ")";
    }
};

bool RojoRN(const TNodoBin* x) { return x != nullptr && !static_cast<const TNodoRN*>(x)->EsNegro(); }
std::string Texto(const TNodoBin* x, bool Colores) {
    return x == nullptr ? "" : std::to_string(x->Valor) + (Colores && RojoRN(x) ? "r(" : "(") + Texto(x->Izq, Colores) +
                                   "," + Texto(x->Der, Colores) + ")";
}

}  // namespace

// Random operations on keys in a small range, with and without reports: the
// red-black tree is the model's node for node and colour for colour, with
// its black heights kept; the splay tree has the shape of a bottom-up splay
// of the node found, inserted or (on a miss) last visited.
TEST(Variantes, ComoLosModelos) {
    std::mt19937 azar(5);
    for (int ronda = 0; ronda < 36; ++ronda) {
        const bool rn = ronda % 3 != 0;
        std::unique_ptr<TArbolBin> a = (rn ? &CrearArbol<TArbolRN> : &CrearArbol<TSplayTree>)();
        a->Variante = TVariante::Libro;
        if (ronda % 2 == 1)
            a->OnEtapa = [&](const std::string&, const std::string&, int) { ASSERT_EQ(InvarianteEnEtapa(*a), ""); };
        TModelo m;
        for (int i = 0; i < 250; ++i) {
            const int k = int(azar() % 40), op = int(azar() % 5);
            if (op < 2)
                a->BorrarEntrada(k), m.Borrar(k, rn);
            else if (op == 2 && !rn)
                a->Buscar(k), m.Splay(m.Ultimo(k));
            else
                a->Insertar(k), rn ? m.InsertarRN(k) : m.Splay(m.Poner(k));
            ASSERT_EQ(Texto(a->Raiz, rn), m.Texto(m.raiz, rn)) << ronda << "/" << i;
            ASSERT_EQ(Invariante(*a), "");
            if (!rn || a->Raiz == nullptr) continue;
            // Verified from the root: every black height checked and right.
            ASSERT_TRUE(!RojoRN(a->Raiz) && static_cast<TNodoRN*>(a->Raiz)->CaminoVerificado);
            auto rojoRojo = [](TNodoBin* n, int) { return RojoRN(n) && (RojoRN(n->Izq) || RojoRN(n->Der)); };
            ASSERT_EQ(RecorrerPreorden(a->Raiz, rojoRojo), nullptr);
        }
    }
}

// A chain of black nodes, which the program's own deletion can leave, deleted
// from with the textbooks': the repair climbs it without recursion, and the
// check after it reports the fault with the deletion done and the structure
// sound.
TEST(Variantes, CadenaQueNoEsRojoNegro) {
    TArbolRN a;
    a.Variante = TVariante::Libro;
    a.Cargar(FlujoCadena(1'000'000, true, 1));
    a.Seleccionar(1'000'000, true);
    EXPECT_THROW(a.Borrar(), EArbol);
    EXPECT_EQ(a.NumNodos, 999'999);
    EXPECT_EQ(a.NodoSel, Nodo(a, 999'999));
    EXPECT_EQ(Invariante(a), "");
}
