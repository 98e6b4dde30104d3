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
};
