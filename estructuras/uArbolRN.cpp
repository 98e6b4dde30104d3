#include "uArbolRN.h"

#include <vector>

namespace {

TNodoRN* RN(TNodoBin* n) { return static_cast<TNodoRN*>(n); }
bool Negro(TNodoBin* n) { return RN(n)->EsNegro(); }

constexpr const char* Titulo = "Inserción - Chequeo Doble-Rojo";
constexpr const char* TituloReparacion = "Borrado - Reparación Doble-Negro";
bool Rojo(TNodoBin* n) { return n != nullptr && !Negro(n); }

}  // namespace

void TNodoRN::GuardarRegistro(TEscritorFlujo& Flujo) const {
    Flujo.EscribirEntero(Valor);
    Flujo.EscribirByte(Color);
    Flujo.EscribirByte(Izq != nullptr ? 1 : 0);
    Flujo.EscribirByte(Der != nullptr ? 1 : 0);
}

void TNodoRN::CargarRegistro(TLectorFlujo& Flujo, bool& HayIzq, bool& HayDer) {
    Valor = Flujo.LeerEntero();
    Color = Flujo.LeerByte();
    HayIzq = Flujo.LeerByte() != 0;
    HayDer = Flujo.LeerByte() != 0;
}

TNodoBin* TArbolRN::CrearNodo(std::int32_t Valor, TNodoBin* Padre, TNodoBin* Izq, TNodoBin* Der) {
    TNodoBin* n = NuevoNodo<TNodoRN>(Valor, Padre, Izq, Der);  // red
    // The node is linked under Padre next, before the leaf's report (where
    // a handler may leave the insertion): Padre's subtree changes now.
    Invalidar(Padre);
    return n;
}

void TArbolRN::Invalidar(TNodoBin* Nodo) {
    if (Local_) {
        if (Nodo != nullptr) RN(Nodo)->CaminoVerificado = false;
        return;
    }
    // Unverified nodes have unverified ancestors, so the climb stops at the first.
    for (; Nodo != nullptr && RN(Nodo)->CaminoVerificado; Nodo = Nodo->Padre) RN(Nodo)->CaminoVerificado = false;
}

void TArbolRN::InvalidarHastaLaRaiz(TNodoBin* Nodo) {
    for (; Nodo != nullptr; Nodo = Nodo->Padre) RN(Nodo)->CaminoVerificado = false;
}

void TArbolRN::SuprimirNodo() {
    TNodoBin* n = NodoSel;
    if (n != nullptr) Invalidar(n->Padre);
    if (Variante != TVariante::Libro || n == nullptr || (n->Izq != nullptr && n->Der != nullptr)) {
        TArbolBST::SuprimirNodo();
        return;
    }
    // The textbooks' deletion: the removal, then whatever the removed node's
    // colour leaves to mend, a black root, and the black heights checked
    // again (only along the changed paths).
    TNodoBin* pa = n->Padre;
    TNodoBin* k = n->Izq != nullptr ? n->Izq : n->Der;
    const bool negro = Negro(n);
    const bool izq = pa != nullptr && pa->Izq == n;
    TArbolBST::SuprimirNodo();
    if (!negro) {
        Etapa(TituloReparacion, "El nodo borrado era rojo: los caminos negros no cambian y no hay nada que reparar.", 0,
              "era-rojo");
    } else if (Rojo(k)) {
        // K's own black height does not count its colour; its parent, if
        // any, is unverified already.
        RN(k)->Color = 1;
        TMarcas marca{k};
        Etapa(TituloReparacion, "El nodo borrado era negro y su sustituto es rojo: el sustituto se pinta de negro.", 1,
              "sustituto-rojo");
    } else if (pa != nullptr) {
        Etapa(TituloReparacion, "El nodo borrado era negro: su lugar queda doble-negro y comienza la reparación.", 0,
              "doble-negro");
        RepararDobleNegro(k, pa, izq);
    }
    RaizNegra("Borrado - Raiz negra");
    NodoSel = pa;
    ComprobarCaminoNegro(Raiz);
}

void TArbolRN::RaizNegra(std::string_view TituloEtapa) {
    if (Raiz == nullptr || Negro(Raiz)) return;
    RN(Raiz)->Color = 1;  // no black height counts the root's own colour
    TMarcas marca{Raiz};
    Etapa(TituloEtapa, "La raiz es roja: se pinta de negro y todos los caminos ganan un nodo negro.", 1, "raiz-negra");
}

void TArbolRN::RepararDobleNegro(TNodoBin* X, TNodoBin* P, bool Izq) {
    // P and its ancestors are unverified (the removal's parent and above);
    // the sibling W and its children are invalidated before any of them is
    // recoloured or rotated. A tree that was no red-black tree before (one
    // built with the program's own deletion) may lack a sibling: the repair
    // then just climbs, and the black-path check afterwards reports it.
    const TEnListado listado(*this, "rn-reparacion");
    for (;;) {
        NodoSel = X != nullptr ? X : P;
        TNodoBin* w = Izq ? P->Der : P->Izq;
        TMarcas marcas;
        marcas.Marcar(P);
        if (w != nullptr) {
            marcas.Marcar(w);
            Invalidar(w);
            Invalidar(w->Izq);
            Invalidar(w->Der);
        }
        if (Rojo(w)) {
            Etapa(TituloReparacion, "Caso 1: Hermano rojo. Se cambian colores y se rota sobre el padre.", 0, "caso-1");
            RN(w)->Color = 1;
            RN(P)->Color = 0;
            Izq ? RotarIzquierda(P) : RotarDerecha(P);
            Etapa(TituloReparacion, "Caso 1: El hermano es ahora negro. Continúa la reparación con el nuevo hermano.", 1,
                  "caso-1-fin");
            continue;
        }
        TNodoBin* cerca = w == nullptr ? nullptr : Izq ? w->Izq : w->Der;
        TNodoBin* lejos = w == nullptr ? nullptr : Izq ? w->Der : w->Izq;
        if (!Rojo(cerca) && !Rojo(lejos)) {
            Etapa(TituloReparacion,
                  "Caso 2: Hermano negro con hijos negros. El hermano pasa a rojo y el doble-negro sube al padre.", 0,
                  "caso-2");
            if (w != nullptr) RN(w)->Color = 0;
            X = P;
            NodoSel = X;
            if (!Negro(X)) {
                RN(X)->Color = 1;
                Etapa(TituloReparacion, "Caso 2: El padre es rojo: se pinta de negro y termina la reparación.", 1,
                      "fin-rojo");
                return;
            }
            if (X->Padre == nullptr) {
                Etapa(TituloReparacion, "Caso 2: El doble-negro ha llegado a la raiz: termina la reparación.", 1,
                      "fin-raiz");
                return;
            }
            P = X->Padre;
            Izq = P->Izq == X;
            Etapa(TituloReparacion, "Caso 2: Continúa la reparación sobre el padre.", 1, "caso-2-sube");
            continue;
        }
        if (!Rojo(lejos)) {
            marcas.Marcar(cerca);
            Etapa(TituloReparacion,
                  "Caso 3: Hermano negro con el hijo cercano rojo. Se cambian colores y se rota sobre el hermano.", 0,
                  "caso-3");
            RN(cerca)->Color = 1;
            RN(w)->Color = 0;
            Izq ? RotarDerecha(w) : RotarIzquierda(w);
            Etapa(TituloReparacion, "Caso 3: La rotación transforma el subarbol en el caso 4.", 1, "caso-3-fin");
            lejos = w;
            w = cerca;
        } else {
            marcas.Marcar(lejos);
        }
        Etapa(TituloReparacion,
              "Caso 4: Hermano negro con el hijo lejano rojo. Se cambian colores y se rota sobre el padre.", 0, "caso-4");
        RN(w)->Color = RN(P)->Color;
        RN(P)->Color = 1;
        RN(lejos)->Color = 1;
        Izq ? RotarIzquierda(P) : RotarDerecha(P);
        Etapa(TituloReparacion, "Caso 4: Se termina la reparación.", 1, "caso-4-fin");
        return;
    }
}

bool TArbolRN::Insertar(std::int32_t Valor) {
    // A verified root means a verified tree (unverified nodes have unverified
    // ancestors). Without reports the insertion runs to its end, so the
    // changes can be kept local and the path above them left alone.
    Local_ = !ComprobacionCompleta && !MostrarEtapas() && Raiz != nullptr && RN(Raiz)->CaminoVerificado;
    struct TFin {
        bool& Local;
        ~TFin() { Local = false; }
    } fin{Local_};
    const TEnListado listado(*this, ListadoInsercion(), true);
    if (!TArbolBST::Insertar(Valor)) return false;
    TNodoBin* x = NodoSel;
    RN(x)->Color = 0;
    if (x == Raiz) {  // a red root, with no check but the textbooks' black root
        if (Variante == TVariante::Libro) {
            RaizNegra("Inserción - Raiz negra");
            ComprobarCaminoNegro(Raiz);
        }
        return true;
    }
    Etapa("Inserción de un nodo", "El nuevo nodo toma color rojo y comienza el chequeo doble-rojo.", 0, "rojo");
    TNodoBin* tope = ChequeoDobleRojo();
    if (Variante == TVariante::Libro) RaizNegra("Inserción - Raiz negra");
    if (Local_) {
        Local_ = false;
        ComprobarCambio(tope);
    } else {
        ComprobarCaminoNegro(Raiz);
    }
    return true;
}

void TArbolRN::ComprobarCambio(TNodoBin* Tope) {
    // Every node outside Tope's subtree passed the last check and kept its
    // colour, its black height and its children, but for one: Tope took the
    // place of a child of its parent Q (or of an empty link, for a new leaf).
    // Each child of Q added Q's black height at that check, and the other one
    // still does, so Q passes exactly when Tope adds the same: then Q and
    // every ancestor keep their heights. Otherwise the check stops at Q, and
    // Q and its ancestors are left to check again.
    TNodoBin* q = Tope->Padre;
    try {
        ComprobarCaminoNegro(Tope);
    } catch (...) {
        InvalidarHastaLaRaiz(q);
        throw;
    }
    if (q == nullptr) return;
    const TNodoRN* t = RN(Tope);
    if (t->AlturaNegra + (t->EsNegro() ? 1 : 0) != RN(q)->AlturaNegra) {
        InvalidarHastaLaRaiz(q);
        throw EArbol("Fallo camino negro!");
    }
    RN(q)->CaminoVerificado = true;
}

TNodoBin* TArbolRN::ChequeoDobleRojo() {
    // X (NodoSel) is red and has a parent; X itself is never marked.
    const TEnListado listado(*this, "rn-doble-rojo");
    for (;;) {
        TNodoBin* x = NodoSel;
        TNodoBin* p = x->Padre;
        TMarcas marcas;
        marcas.Marcar(p);
        if (Negro(p)) {
            Etapa(Titulo, "El padre es negro: Se termina la comprobación.", 0, "padre-negro");
            return x;
        }
        if (p->Padre == nullptr) {
            RN(p)->Color = 1;
            Invalidar(p);
            Etapa(Titulo, "El padre es la raiz: Se cambia su color y termina la comprobación.", 2, "padre-raiz");
            return p;
        }
        TNodoBin* g = p->Padre;
        marcas.Marcar(g);
        TNodoBin* u = g->Izq == p ? g->Der : g->Izq;
        if (u != nullptr && !Negro(u)) {
            marcas.Marcar(u);
            Etapa(Titulo, "Caso 1: Padre rojo, tio rojo. Se cambian colores.", 0, "caso-1");
            RN(p)->Color = 1;
            RN(u)->Color = 1;
            RN(g)->Color = 0;
            // U's own black height does not count its colour and its subtree
            // is as it was: only G, above it, must be checked again.
            Invalidar(p);
            Invalidar(g);
            Etapa(Titulo, "Caso 1: Continúa la comprobación sobre el abuelo.", 1, "caso-1-sube");
            marcas.Limpiar();
            NodoSel = g;
            if (g->Padre == nullptr) return g;  // the root stays red
            continue;
        }
        if (u != nullptr) marcas.Marcar(u);
        // The rotations below relink only g's subtree (p is already
        // unverified unless the changes are kept local).
        Invalidar(p);
        Invalidar(g);
        const bool xIzq = p->Izq == x;
        if (xIzq == (g->Izq == p)) {
            Etapa(Titulo, "Caso 2b: Padre rojo, tio negro o no existe. Rotación doble.", 0, "caso-2b");
            // P takes G's place; G goes down on the side away from X and takes
            // P's child from that side.
            xIzq ? RotarDerecha(g) : RotarIzquierda(g);
            RN(p)->Color = 1;
            RN(g)->Color = 0;
            Etapa(Titulo, "Caso 2b: Se termina la comprobación.", 1, "caso-2b-fin");
            return p;  // NodoSel stays X
        }
        Etapa(Titulo, "Caso 2a: Padre rojo, tio negro o no existe. Rotación nodo-padre.", 0, "caso-2a");
        // X goes up over P inside G; P goes down on the side X came from.
        xIzq ? RotarDerecha(p) : RotarIzquierda(p);
        Etapa(Titulo, "Caso 2a: La rotación transforma el subarbol en el caso 2b.", 1, "caso-2a-fin");
        marcas.Limpiar();
        NodoSel = p;  // now below X on the same side: case 2b follows at G
    }
}

void TArbolRN::ComprobarCaminoNegro(TNodoBin* Nodo) {
    auto pendiente = [this](TNodoBin* n) { return n != nullptr && (ComprobacionCompleta || !RN(n)->CaminoVerificado); };
    if (!pendiente(Nodo)) return;
    // Post-order with an explicit stack: left subtree, right subtree, node.
    // A verified subtree keeps the heights it had and cannot fail.
    std::vector<TPaso>& pila = Pila_;
    pila.clear();
    pila.push_back({Nodo, false});
    while (!pila.empty()) {
        TPaso& t = pila.back();
        TNodoBin* n = t.Nodo;
        if (!t.HijosVistos) {
            t.HijosVistos = true;
            if (pendiente(n->Der)) pila.push_back({n->Der, false});
            if (pendiente(n->Izq)) pila.push_back({n->Izq, false});
            continue;
        }
        pila.pop_back();
        TNodoRN* r = RN(n);
        TNodoBin* l = n->Izq;
        TNodoBin* d = n->Der;
        if (l == nullptr && d == nullptr) {
            r->AlturaNegra = 1;
        } else if (l == nullptr || d == nullptr) {
            TNodoRN* h = RN(l != nullptr ? l : d);
            if (h->EsNegro() || h->AlturaNegra != 1) throw EArbol("Fallo camino negro!");
            r->AlturaNegra = 1;
        } else {
            const std::int32_t al = RN(l)->AlturaNegra + (Negro(l) ? 1 : 0);
            const std::int32_t ad = RN(d)->AlturaNegra + (Negro(d) ? 1 : 0);
            if (al != ad) throw EArbol("Fallo camino negro!");
            r->AlturaNegra = al;
        }
        r->CaminoVerificado = true;
    }
}
