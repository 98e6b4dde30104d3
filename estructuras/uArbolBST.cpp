#include "uArbolBST.h"

#include <utility>

TNodoBin* TArbolBST::BuscarNodo(TNodoBin* Nodo, std::int32_t Valor) const {
    while (Nodo != nullptr && Nodo->Valor != Valor) Nodo = Nodo->Valor > Valor ? Nodo->Izq : Nodo->Der;
    return Nodo;
}

bool TArbolBST::Buscar(std::int32_t Valor) {
    const TEnListado listado(*this, "bst-busqueda", true);
    const bool informar = MostrarEtapas();
    TNodoBin* comparado = Raiz;
    TNodoBin* cursor = Raiz;
    // The loop compares against the last node compared before it moves on, so
    // a value found at the root reports no comparison.
    while (cursor != nullptr && Valor != comparado->Valor) {
        comparado = cursor;
        if (comparado->Valor > Valor)
            cursor = comparado->Izq;
        else if (comparado->Valor < Valor)
            cursor = comparado->Der;
        if (informar) {
            TMarcas marca{comparado};
            Etapa("Búsqueda del valor " + Texto(Valor), "Comparando con elemento " + Texto(comparado->Valor), 0,
                  "comparar");
        }
    }
    NodoSel = cursor != nullptr ? cursor : comparado;
    if (MostrarEtapas()) {
        if (cursor != nullptr)
            Etapa("Busqueda finalizada", "Se encontro un nodo con el valor " + Texto(Valor), 0, "encontrado");
        else
            Etapa("Busqueda finalizada",
                  "No se encontro un nodo con ese valor. Si se inserta ese valor, será un hijo del nodo seleccionado.",
                  0, "no-encontrado");
    }
    return cursor != nullptr;
}

bool TArbolBST::Insertar(std::int32_t Valor) {
    // This tree's own search: a kind whose search also reorganises (the
    // splay tree) does that after the insertion.
    const TEnListado listado(*this, ListadoInsercion(), true);
    return InsertarTrasBusqueda(Valor, TArbolBST::Buscar(Valor));
}

bool TArbolBST::InsertarTrasBusqueda(std::int32_t Valor, bool Hallado) {
    if (Hallado) {
        Etapa("Inserción fallida", "Existe un nodo con el valor que se quería insertar.", 2, "existe");
        return false;
    }
    ComprobarCabida();
    if (Raiz == nullptr) {
        TNodoBin* n = CrearNodo(Valor, nullptr, nullptr, nullptr);
        n->X = 0;
        n->Y = 0;
        Raiz = n;
        NodoSel = n;
        ++NumNodos;
        Etapa("Inserción como hoja", "El nodo pasa a ser la raiz.", 2, "raiz");
        return true;
    }
    // The new leaf starts where its parent is drawn, so the next layout
    // shows it coming out of the parent.
    TNodoBin* p = NodoSel;
    TNodoBin* n = CrearNodo(Valor, p, nullptr, nullptr);
    n->X = p->X;
    n->Y = p->Y;
    if (Valor < p->Valor)
        p->Izq = n;
    else
        p->Der = n;
    NodoSel = n;
    ++NumNodos;
    Etapa("Inserción como hoja", "El nodo se inserta como hijo del nodo encontrado en la búsqueda.", 2, "hoja");
    return true;
}

void TArbolBST::Borrar() {
    if (NodoSel == nullptr) return;
    const TEnListado listado(*this, ListadoBorrado(), true);
    TNodoBin* d = NodoSel;
    if (d->Izq != nullptr && d->Der != nullptr) {
        const char* titulo = "Borrado de nodo con dos hijos:";
        TNodoBin* p = d->Izq;
        if (MostrarEtapas()) {
            TMarcas marca{p};
            Etapa(titulo, "Nos situamos en el hijo izquierdo.", 0, "hijo-izquierdo");
        }
        while (p->Der != nullptr) {
            p = p->Der;
            if (MostrarEtapas()) {
                TMarcas marca{p};
                Etapa(titulo, "Se recorren los hijos derechos.", 0, "hijos-derechos");
            }
        }
        // p is the in-order predecessor. Values and drawn positions are
        // exchanged, the shape stays: the next layout animates the two values
        // into each other's place.
        auto intercambiar = [d, p] {
            std::swap(d->Valor, p->Valor);
            std::swap(d->X, p->X);
            std::swap(d->Y, p->Y);
        };
        intercambiar();
        NodoSel = p;
        if (MostrarEtapas()) {
            TMarcas marca{d};
            try {
                Etapa(titulo,
                      "Se ha encontrado el mayor hijo del subarbol izquierdo, el cual se borrará tras copiar su valor "
                      "al nodo seleccionado.",
                      2, "copiar");
            } catch (...) {
                // An abandoned deletion leaves the tree in order, as it was.
                intercambiar();
                NodoSel = d;
                throw;
            }
        }
    }
    SuprimirNodo();
}

void TArbolBST::SuprimirNodo() {
    TNodoBin* n = NodoSel;
    if (n == nullptr || (n->Izq != nullptr && n->Der != nullptr)) return;
    TNodoBin* pa = n->Padre;
    TNodoBin* k = n->Izq != nullptr ? n->Izq : n->Der;  // nil for a leaf
    Reemplazar(n, k);
    n->Padre = n->Izq = n->Der = nullptr;
    // The removed node stays visible as NodoBorrado during its report and is
    // destroyed however the report ends.
    NodoBorrado = n;
    struct TDestruir {
        TArbolBin& A;
        ~TDestruir() {
            A.DestruirNodo(A.NodoBorrado);
            A.NodoBorrado = nullptr;
        }
    } destruir{*this};
    --NumNodos;
    NodoSel = pa;
    if (k == nullptr)
        Etapa("Clasificación del nodo seleccionado:",
              "El nodo es una hoja: Se borra directamente y se selecciona el padre del nodo borrado.", 2,
              "hoja-borrada");
    else
        Etapa("Clasificación del nodo seleccionado:",
              "El nodo tiene sólo un hijo: Se sustituye por él y se selecciona el padre del nodo borrado.", 2,
              "un-hijo");
}

bool TArbolBST::EstaOrdenado() const {
    return RecorrerPreorden(Raiz, [](TNodoBin* n, std::int32_t) {
               return (n->Izq != nullptr && !(n->Izq->Valor < n->Valor)) ||
                      (n->Der != nullptr && !(n->Der->Valor > n->Valor));
           }) == nullptr;
}
