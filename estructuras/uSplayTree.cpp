#include "uSplayTree.h"

namespace {

constexpr const char* Titulo = "Splay sobre nodo seleccionado";
constexpr const char* TxtRaiz = "El nodo ha llegado a la raiz. Se termina la operación.";

// Asks for a node's cache line ahead of a write to it.
inline void Anticipar(const TNodoBin* N) {
#if defined(__GNUC__)
    if (N != nullptr) __builtin_prefetch(N, 1);
#else
    (void)N;
#endif
}

}  // namespace

bool TSplayTree::BuscarSinSplay(std::int32_t Valor) {
    if (MostrarEtapas()) return TArbolBST::Buscar(Valor);
    // The search of the plain tree without reports. The splay that follows
    // rewrites the parent link of every subtree hanging off the path, so
    // those nodes are fetched while the walk goes down.
    TNodoBin* n = Raiz;
    TNodoBin* ultimo = nullptr;
    while (n != nullptr && n->Valor != Valor) {
        ultimo = n;
        if (Valor < n->Valor) {
            Anticipar(n->Der);
            n = n->Izq;
        } else {
            Anticipar(n->Izq);
            n = n->Der;
        }
    }
    if (n != nullptr) {
        Anticipar(n->Izq);
        Anticipar(n->Der);
    }
    NodoSel = n != nullptr ? n : ultimo;
    return n != nullptr;
}

bool TSplayTree::Buscar(std::int32_t Valor) {
    // The textbooks splay the last node visited on a miss as well.
    const bool libro = Variante == TVariante::Libro;
    const TEnListado listado(*this, libro ? "splay-busqueda-libro" : "splay-busqueda");
    const bool hallado = BuscarSinSplay(Valor);
    if (hallado || libro) Splay();
    return hallado;
}

bool TSplayTree::Insertar(std::int32_t Valor) {
    const TEnListado listado(*this, ListadoInsercion());
    const bool insertado = InsertarTrasBusqueda(Valor, BuscarSinSplay(Valor));
    Splay();  // the new node, or the one that already held the value
    return insertado;
}

void TSplayTree::Rotar(TNodoBin* X) {
    TNodoBin* p = X->Padre;
    const bool xIzq = p->Izq == X;
    TNodoBin* g = p->Padre;
    if (g == nullptr) {  // zig, or zag: X becomes the root
        xIzq ? RotarDerecha(p) : RotarIzquierda(p);
    } else if ((g->Izq == p) == xIzq) {  // zig-zig, or zag-zag: G's rotation first, then P's
        xIzq ? RotarDerecha(g) : RotarIzquierda(g);
        xIzq ? RotarDerecha(p) : RotarIzquierda(p);
    } else {  // zig-zag, or zag-zig: P's rotation, then G's
        xIzq ? RotarDerecha(p) : RotarIzquierda(p);
        xIzq ? RotarIzquierda(g) : RotarDerecha(g);
    }
}

void TSplayTree::Splay() {
    TNodoBin* x = NodoSel;
    if (x == nullptr) return;
    if (!MostrarEtapas()) {
        while (x->Padre != nullptr) Rotar(x);
        return;
    }
    // One single or double rotation per round; each round lifts X one or
    // two levels.
    const TEnListado listado(*this, "splay-splay");
    for (;;) {
        TMarcas marcas;
        marcas.Marcar(x);
        TNodoBin* p = x->Padre;
        if (p == nullptr) {
            Etapa(Titulo, TxtRaiz, 0, "raiz");
            return;
        }
        marcas.Marcar(p);
        if (p->Padre == nullptr) {
            Etapa(Titulo, p->Izq == x ? "Caso 1a: Padre del nodo es la raiz: Rotación Zig."
                                      : "Caso 1b: Padre del nodo es la raiz: Rotación Zag.",
                  0, p->Izq == x ? "zig" : "zag");
            Rotar(x);
            marcas.Limpiar();
            Etapa(Titulo, TxtRaiz, 1, "raiz");
            return;
        }
        TNodoBin* g = p->Padre;
        marcas.Marcar(g);
        const bool pIzq = g->Izq == p, xIzq = p->Izq == x;
        if (pIzq && xIzq)
            Etapa(Titulo, "Caso 2a: Existe abuelo, todos hijos izquierdos: Rotación Zig-Zig.", 0, "zig-zig");
        else if (pIzq)
            Etapa(Titulo, "Caso 3a: Existe abuelo, nodo derecho y padre izquierdo: Rotación Zig-Zag.", 0, "zig-zag");
        else if (xIzq)
            Etapa(Titulo, "Caso 3b: Existe abuelo, nodo izquierdo y padre derecho: Rotación Zag-Zig.", 0, "zag-zig");
        else
            Etapa(Titulo, "Caso 2b: Existe abuelo, todos hijos derechos: Rotación Zag-Zag.", 0, "zag-zag");
        Rotar(x);
        marcas.Limpiar();
        if (x->Padre == nullptr) {
            Etapa(Titulo, TxtRaiz, 1, "raiz");
            return;
        }
        Etapa(Titulo, "Se sigue aplicando Splay sobre el nodo seleccionado.", 1, "seguir");
    }
}
