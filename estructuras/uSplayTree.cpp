#include "uSplayTree.h"

namespace {

constexpr const char* Titulo = "Splay sobre nodo seleccionado";
constexpr const char* TxtRaiz = "El nodo ha llegado a la raiz. Se termina la operación.";

}  // namespace

bool TSplayTree::Buscar(std::int32_t Valor) {
    const bool hallado = TArbolBST::Buscar(Valor);
    if (hallado && !Insertando) Splay();
    return hallado;
}

bool TSplayTree::Insertar(std::int32_t Valor) {
    bool insertado;
    {
        struct TBandera {
            bool& B;
            ~TBandera() { B = false; }
        } bandera{Insertando};
        Insertando = true;
        insertado = TArbolBST::Insertar(Valor);
    }
    Splay();  // the new node, or the one that already held the value
    return insertado;
}

void TSplayTree::Splay() {
    TNodoBin* x = NodoSel;
    if (x == nullptr) return;
    // One single or double rotation per round; each round lifts X one or
    // two levels.
    for (;;) {
        TMarcas marcas;
        marcas.Marcar(x);
        TNodoBin* p = x->Padre;
        if (p == nullptr) {
            Etapa(Titulo, TxtRaiz, 0);
            return;
        }
        marcas.Marcar(p);
        if (p->Padre == nullptr) {
            TNodoBin* b;
            if (p->Izq == x) {
                Etapa(Titulo, "Caso 1a: Padre del nodo es la raiz: Rotación Zig.", 0);
                b = x->Der;
                p->Izq = b;
                x->Der = p;
            } else {
                Etapa(Titulo, "Caso 1b: Padre del nodo es la raiz: Rotación Zag.", 0);
                b = x->Izq;
                p->Der = b;
                x->Izq = p;
            }
            x->Padre = nullptr;
            Raiz = x;
            p->Padre = x;
            Colgar(b, p);
            marcas.Limpiar();
            Etapa(Titulo, TxtRaiz, 1);
            return;
        }
        TNodoBin* g = p->Padre;
        marcas.Marcar(g);
        const bool pIzq = g->Izq == p, xIzq = p->Izq == x;
        if (pIzq && xIzq)
            Etapa(Titulo, "Caso 2a: Existe abuelo, todos hijos izquierdos: Rotación Zig-Zig.", 0);
        else if (pIzq)
            Etapa(Titulo, "Caso 3a: Existe abuelo, nodo derecho y padre izquierdo: Rotación Zig-Zag.", 0);
        else if (xIzq)
            Etapa(Titulo, "Caso 3b: Existe abuelo, nodo izquierdo y padre derecho: Rotación Zag-Zig.", 0);
        else
            Etapa(Titulo, "Caso 2b: Existe abuelo, todos hijos derechos: Rotación Zag-Zag.", 0);
        Reemplazar(g, x);  // X takes G's place
        if (pIzq && xIzq) {  // zig-zig
            TNodoBin* a = x->Der;
            TNodoBin* b = p->Der;
            x->Der = p;
            p->Izq = a;
            p->Der = g;
            g->Izq = b;
            p->Padre = x;
            g->Padre = p;
            Colgar(a, p);
            Colgar(b, g);
        } else if (pIzq) {  // zig-zag
            TNodoBin* a = x->Izq;
            TNodoBin* b = x->Der;
            x->Izq = p;
            x->Der = g;
            p->Der = a;
            g->Izq = b;
            p->Padre = x;
            g->Padre = x;
            Colgar(a, p);
            Colgar(b, g);
        } else if (xIzq) {  // zag-zig
            TNodoBin* a = x->Izq;
            TNodoBin* b = x->Der;
            x->Izq = g;
            x->Der = p;
            g->Der = a;
            p->Izq = b;
            g->Padre = x;
            p->Padre = x;
            Colgar(a, g);
            Colgar(b, p);
        } else {  // zag-zag
            TNodoBin* a = p->Izq;
            TNodoBin* b = x->Izq;
            x->Izq = p;
            p->Izq = g;
            p->Der = b;
            g->Der = a;
            p->Padre = x;
            g->Padre = p;
            Colgar(a, g);
            Colgar(b, p);
        }
        marcas.Limpiar();
        if (x->Padre == nullptr) {
            Etapa(Titulo, TxtRaiz, 1);
            return;
        }
        Etapa(Titulo, "Se sigue aplicando Splay sobre el nodo seleccionado.", 1);
    }
}
