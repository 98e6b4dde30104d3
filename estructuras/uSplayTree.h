// Splay tree: a binary search tree that moves the node found by a search, or
// the node of an insertion, to the root by zig and zag rotations; with the
// textbook variant a search that fails moves the last node it visited.
#pragma once

#include "uArbolBST.h"

class TSplayTree : public TArbolBST {
public:
    TSplayTree() = default;

    std::string NombreTipo() const override { return "Splay Tree"; }
    std::string NombreTipos() const override { return "Splay trees"; }
    TClaseArbol Clase() const override { return &CrearArbol<TSplayTree>; }
    bool Buscar(std::int32_t Valor) override;
    bool Insertar(std::int32_t Valor) override;

protected:
    // The insertion ends with a splay, which reports on its own listing; the
    // deletion is the plain tree's, without one.
    std::string_view ListadoInsercion() const override { return "splay-insercion"; }
    std::string_view ListadoBorrado() const override { return "splay-borrado"; }

private:
    // The plain tree's search (the same reports), leaving NodoSel where it
    // stopped; the splay comes after it.
    bool BuscarSinSplay(std::int32_t Valor);
    // Moves NodoSel to the root; NodoSel stays on the same node.
    void Splay();
    // One round: X (which has a parent) goes up one level by a single
    // rotation when its parent is the root, else two by a double rotation.
    void Rotar(TNodoBin* X);
};
