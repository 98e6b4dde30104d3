#include "uArbolAVL.h"

#include <algorithm>
#include <limits>

namespace {

constexpr const char* TxtActualiza = "Se actualiza el factor de equilibrio del nodo. Se comprueba la situación.";
constexpr const char* TxtSubeAlPadre =
    "No se necesita reequilibrar el subarbol, pero su altura ha cambiado. Se pasa a actualizar el nodo padre.";
constexpr const char* TxtSinCambio =
    "No se necesita reequilibrar el subarbol, ni ha cambiado su altura. Se termina la comprobación.";

std::int32_t& FE(TNodoBin* n) { return static_cast<TNodoAVL*>(n)->FactorEquilibrio; }

// A factor no rotation case matches: that of a missing child.
constexpr std::int32_t SinHijo = std::numeric_limits<std::int32_t>::min();
std::int32_t FactorDe(TNodoBin* n) { return n != nullptr ? FE(n) : SinHijo; }

// Heights of every subtree, children before parents, without recursion:
// in a pre-order listing a node's left child follows it at once and its
// right child follows the left subtree. F receives each node with the
// heights of its left and right subtrees and returns false to stop.
template <class F>
bool AlturasPostorden(TNodoBin* Raiz, F&& f) {
    struct TPre {
        TNodoBin* Nodo;
        std::int32_t Tam, Alt;
    };
    std::vector<TPre> e;
    RecorrerPreorden(Raiz, [&](TNodoBin* n, std::int32_t) { e.push_back({n, 1, 0}); });
    for (auto i = static_cast<std::int64_t>(e.size()) - 1; i >= 0; --i) {
        TNodoBin* n = e[i].Nodo;
        const std::int64_t l = n->Izq != nullptr ? i + 1 : -1;
        const std::int64_t d = n->Der != nullptr ? i + 1 + (l >= 0 ? e[l].Tam : 0) : -1;
        const std::int32_t hl = l >= 0 ? e[l].Alt : 0, hd = d >= 0 ? e[d].Alt : 0;
        e[i].Tam = 1 + (l >= 0 ? e[l].Tam : 0) + (d >= 0 ? e[d].Tam : 0);
        e[i].Alt = std::max(hl, hd) + 1;
        if (!f(n, hl, hd)) return false;
    }
    return true;
}

}  // namespace

TNodoBin* TArbolAVL::CrearNodo(std::int32_t Valor, TNodoBin* Padre, TNodoBin* Izq, TNodoBin* Der) {
    return NuevoNodo<TNodoAVL>(Valor, Padre, Izq, Der);
}

void TArbolAVL::Cargar(TLectorFlujo& Flujo) {
    TArbolBST::Cargar(Flujo);
    CalcularFactores();
}

void TArbolAVL::CalcularFactores() {
    AlturasPostorden(Raiz, [](TNodoBin* n, std::int32_t hl, std::int32_t hd) {
        FE(n) = hd - hl;
        return true;
    });
}

bool TArbolAVL::Consistente() const {
    return AlturasPostorden(Raiz, [](TNodoBin* n, std::int32_t hl, std::int32_t hd) { return FE(n) == hd - hl; });
}

// ---------------------------------------------------------------- insertion

bool TArbolAVL::Insertar(std::int32_t Valor) {
    const TEnListado listado(*this, ListadoInsercion(), true);
    if (!TArbolBST::Insertar(Valor)) return false;
    TNodoBin* nuevo = NodoSel;
    FE(nuevo) = 0;
    if (nuevo == Raiz) return true;
    Etapa(Titulo,
          "Se recorre el arbol hacia la raiz actualizando los factores de equilibrio. Se comienza por el padre del "
          "nodo insertado.",
          0, "equilibrar");
    NodoSel = nuevo->Padre;
    EquilibrarInsercion(nuevo->Padre->Izq == nuevo);
    NodoSel = nuevo;
    return true;
}

void TArbolAVL::EquilibrarInsercion(bool DesdeIzq) {
    // The inserted side grew by one level; the walk climbs while the height
    // of the subtree below it changed, and rotates at most once.
    const TEnListado listado(*this, "avl-equilibrio-insercion");
    for (TNodoBin* n = NodoSel; n != nullptr; n = NodoSel) {
        FE(n) += DesdeIzq ? -1 : 1;
        Etapa(Titulo, TxtActualiza, 0, "actualizar");
        const std::int32_t f = FE(n);
        if (f == -2 || f == 2) {
            TNodoBin* hijo = f == -2 ? n->Izq : n->Der;
            const std::int32_t fh = FactorDe(hijo);
            if (fh == f / 2) {
                f == -2 ? RotacionSimpleIzquierda() : RotacionSimpleDerecha();
            } else if (fh == -f / 2) {
                // The grandchild on the inner side moves up; without it no case applies.
                if ((f == -2 ? hijo->Der : hijo->Izq) != nullptr)
                    f == -2 ? RotacionDobleIzquierda() : RotacionDobleDerecha();
            } else if (fh == 0) {
                throw EArbol("Inserción en AVL: Caso imposible!");
            }
            Etapa(Titulo, "Tras la rotación el subarbol recupera su altura antes de la inserción. Se termina la comprobación.",
                  0, "recupera");
            return;
        }
        if (f == -1 || f == 1) {
            TNodoBin* p = n->Padre;
            if (p == nullptr) {
                Etapa(Titulo,
                      "No se necesita reequilibrar el subarbol. Su altura ha cambiado, pero como es la raiz se termina "
                      "la comprobación.",
                      0, "raiz");
                return;
            }
            Etapa(Titulo, TxtSubeAlPadre, 0, "subir");
            NodoSel = p;
            DesdeIzq = p->Izq == n;
            continue;
        }
        if (f == 0) Etapa(Titulo, TxtSinCambio, 0, "sin-cambio");
        return;
    }
}

// ---------------------------------------------------------------- removal

void TArbolAVL::SuprimirNodo() {
    TNodoBin* d = NodoSel;
    if (d == nullptr || (d->Izq != nullptr && d->Der != nullptr)) return;
    // A root counts as coming from the left.
    const bool desdeIzq = !(d->Padre != nullptr && d->Padre->Der == d);
    TArbolBST::SuprimirNodo();
    Etapa(Titulo,
          "Se recorre el arbol hacia la raiz actualizando los factores de equilibrio. Se comienza por el padre del "
          "nodo borrado.",
          0, "equilibrar");
    EquilibrarBorrado(desdeIzq);
}

void TArbolAVL::EquilibrarBorrado(bool DesdeIzq) {
    // The side the removal came from shrank by one level; the walk climbs
    // while the subtree's height changed, and may rotate at every level.
    const TEnListado listado(*this, "avl-equilibrio-borrado");
    for (TNodoBin* n = NodoSel; n != nullptr; n = NodoSel) {
        FE(n) += DesdeIzq ? 1 : -1;
        Etapa(Titulo, TxtActualiza, 0, "actualizar");
        const std::int32_t f = FE(n);
        bool sigue = true;
        if (f == -2 || f == 2) {
            TNodoBin* hijo = f == -2 ? n->Izq : n->Der;
            const std::int32_t fh = FactorDe(hijo);
            if (fh == f / 2 || fh == 0) {
                f == -2 ? RotacionSimpleIzquierda() : RotacionSimpleDerecha();
                if (fh == 0) sigue = false;  // the subtree keeps its height
            } else if (fh == -f / 2 && (f == -2 ? hijo->Der : hijo->Izq) != nullptr) {
                f == -2 ? RotacionDobleIzquierda() : RotacionDobleDerecha();
            }
            if (!sigue)
                Etapa(Titulo, "Tras la rotación el subarbol recupera su altura antes del borrado. Se termina la comprobación.",
                      0, "recupera");
            else if (NodoSel->Padre != nullptr)
                Etapa(Titulo,
                      "Tras la rotación el subarbol se equilibra pero no recupera su altura original. Continúa la "
                      "comprobación.",
                      0, "continua");
            else
                Etapa(Titulo, "Tras la rotación el subarbol se equilibra. Como es la raiz termina la comprobación.", 0,
                      "raiz");
        } else if (f == -1 || f == 1) {
            sigue = false;
            Etapa(Titulo, TxtSinCambio, 0, "sin-cambio");
        } else if (f == 0) {
            Etapa(Titulo, TxtSubeAlPadre, 0, "baja");
        }
        TNodoBin* actual = NodoSel;
        if (!sigue || actual->Padre == nullptr) return;
        NodoSel = actual->Padre;
        DesdeIzq = actual->Padre->Izq == actual;
    }
}

// ---------------------------------------------------------------- rotations

// The factors are written before the links change; a double rotation is
// the child's single rotation followed by the node's.

void TArbolAVL::RotacionSimpleDerecha() {
    TNodoBin* n = NodoSel;
    TNodoBin* r = n->Der;
    InformarRotacion({n, r}, "Rotación simple derecha", "rotacion-simple", [&] {
        FE(r) -= 1;
        FE(n) = -FE(r);
        RotarIzquierda(n);
    }, r);
}

void TArbolAVL::RotacionSimpleIzquierda() {
    TNodoBin* n = NodoSel;
    TNodoBin* l = n->Izq;
    InformarRotacion({n, l}, "Rotación simple izquierda", "rotacion-simple", [&] {
        FE(l) += 1;
        FE(n) = -FE(l);
        RotarDerecha(n);
    }, l);
}

void TArbolAVL::RotacionDobleDerecha() {
    TNodoBin* n = NodoSel;
    TNodoBin* r = n->Der;
    TNodoBin* g = r->Izq;
    InformarRotacion({n, r, g}, "Rotación doble derecha", "rotacion-doble", [&] {
        // A grandchild factor outside -1..1 (a loaded tree) leaves N and R as they were.
        switch (FE(g)) {
            case -1: FE(n) = 0; FE(r) = 1; break;
            case 0: FE(n) = 0; FE(r) = 0; break;
            case 1: FE(n) = -1; FE(r) = 0; break;
            default: break;
        }
        FE(g) = 0;
        RotarDerecha(r);
        RotarIzquierda(n);
    }, g);
}

void TArbolAVL::RotacionDobleIzquierda() {
    TNodoBin* n = NodoSel;
    TNodoBin* l = n->Izq;
    TNodoBin* g = l->Der;
    InformarRotacion({n, l, g}, "Rotación doble izquierda", "rotacion-doble", [&] {
        switch (FE(g)) {
            case -1: FE(n) = 1; FE(l) = 0; break;
            case 0: FE(n) = 0; FE(l) = 0; break;
            case 1: FE(n) = 0; FE(l) = -1; break;
            default: break;
        }
        FE(g) = 0;
        RotarIzquierda(l);
        RotarDerecha(n);
    }, g);
}

// ---------------------------------------------------------------- Fibonacci trees

void TArbolAVL::CrearFibonacci(std::int32_t Orden) {
    if (Orden < 0) throw EArbol("Orden de arbol de Fibonacci negativo!");
    // F(k+2) - 1 nodes must be countable in 32 bits (orders up to 44).
    if (Orden > 44) throw EArbol("Orden de arbol de Fibonacci demasiado grande!");
    Vaciar();
    // Order k: the left subtree of order k-2, the root with the next key,
    // the right subtree of order k-1. An explicit stack replaces recursion;
    // a node is made when its frame opens and keyed after its left subtree.
    struct TMarco {
        std::int32_t Orden;
        TNodoBin* Padre;
        bool EsIzq;
        TNodoBin* Nodo = nullptr;
        int Etapa = 0;
    };
    std::vector<TMarco> pila{{Orden, nullptr, false}};
    std::int32_t clave = 1;
    // Abandoned half-way (its progress hook threw), the tree is emptied: its
    // keys and factors are not yet what an AVL tree needs.
    try {
        while (!pila.empty()) {
            TMarco& m = pila.back();
            if (m.Orden == 0) {
                pila.pop_back();
                continue;
            }
            if (m.Etapa == 0) {
                m.Nodo = CrearNodo(0, m.Padre, nullptr, nullptr);
                ++NumNodos;
                if (m.Padre == nullptr)
                    Raiz = m.Nodo;
                else
                    (m.EsIzq ? m.Padre->Izq : m.Padre->Der) = m.Nodo;
                Avanzar(NumNodos);
                if (m.Orden == 1) {
                    m.Nodo->Valor = clave++;
                    pila.pop_back();
                    continue;
                }
                m.Etapa = 1;
                pila.push_back({m.Orden - 2, m.Nodo, true});
            } else if (m.Etapa == 1) {
                m.Nodo->Valor = clave++;
                m.Etapa = 2;
                pila.push_back({m.Orden - 1, m.Nodo, false});
            } else {
                pila.pop_back();
            }
        }
    } catch (...) {
        Vaciar();
        throw;
    }
    CalcularFactores();
}
