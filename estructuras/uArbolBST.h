// Binary search tree: ordered find, the reporting search, insertion as a
// leaf, deletion by the in-order predecessor, and the physical removal of a
// node with at most one child. The balanced kinds build on these.
#pragma once

#include "uArbolBin.h"

class TArbolBST : public TArbolBin {
public:
    using TArbolBin::TArbolBin;

    TNodoBin* BuscarNodo(TNodoBin* Nodo, std::int32_t Valor) const override;
    void SuprimirNodo() override;
    std::string NombreTipo() const override { return "Arbol BST"; }
    std::string NombreTipos() const override { return "Arboles binarios de búsqueda"; }
    TClaseArbol Clase() const override { return &CrearArbol<TArbolBST>; }
    bool Buscar(std::int32_t Valor) override;
    bool Insertar(std::int32_t Valor) override;
    void Borrar() override;

    // True when every parent-child pair is in order (a deeper value on the
    // wrong side of an ancestor is not detected).
    bool EstaOrdenado() const;

protected:
    // The listings (uPseudocodigo.h) of this kind's insertion and deletion:
    // the reports of the shared steps (the search, the leaf, the predecessor,
    // the removal) land on their lines there, so a kind whose insertion or
    // deletion goes on with a walk of its own names its own listings.
    virtual std::string_view ListadoInsercion() const { return "bst-insercion"; }
    virtual std::string_view ListadoBorrado() const { return "bst-borrado"; }

    // The insertion once the search of Valor has run: Hallado is its result
    // and NodoSel the node where it stopped.
    bool InsertarTrasBusqueda(std::int32_t Valor, bool Hallado);

    // The single rotations every balancing kind builds on; each keeps the
    // in-order sequence and leaves marks, reports and the kinds' own fields
    // to its caller. Inline: the splay tree makes one or two per level.
    //
    // X's right child R takes X's place; X becomes R's left child and takes
    // R's former left subtree. Returns R.
    TNodoBin* RotarIzquierda(TNodoBin* X) {
        TNodoBin* r = X->Der;
        Reemplazar(X, r);
        X->Der = r->Izq;
        Colgar(X->Der, X);
        r->Izq = X;
        X->Padre = r;
        return r;
    }
    // The mirror image: X's left child L takes X's place. Returns L.
    TNodoBin* RotarDerecha(TNodoBin* X) {
        TNodoBin* l = X->Izq;
        Reemplazar(X, l);
        X->Izq = l->Der;
        Colgar(X->Izq, X);
        l->Der = X;
        X->Padre = l;
        return l;
    }
};
