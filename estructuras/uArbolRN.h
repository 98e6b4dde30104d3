// Red-black tree: the binary search tree's insertion followed by the
// double-red check (recolouring and rotations up the tree) and the black-path
// check. Deletion is the binary search tree's and restores nothing; with the
// textbook variant it ends with the double-black repair, and both operations
// leave the root black.
#pragma once

#include <vector>

#include "uArbolBST.h"

class TNodoRN : public TNodoBin {
public:
    using TNodoBin::TNodoBin;
    // Black nodes on every path from here (this node not counted) down to an
    // empty link, which counts as one; written only by the black-path check.
    std::int32_t AlturaNegra = 0;
    std::uint8_t Color = 0;  // 0 red, 1 black; other stored bytes are kept and are not black
    // The subtree passed the last black-path check and nothing in it changed
    // since but this node's own colour: its black heights would come out the
    // same.
    bool CaminoVerificado = false;

    bool EsNegro() const { return Color == 1; }
    void GuardarRegistro(TEscritorFlujo& Flujo) const override;
    void CargarRegistro(TLectorFlujo& Flujo, bool& HayIzq, bool& HayDer) override;
    void CopiarCampos(const TNodoBin& Origen) override {
        TNodoBin::CopiarCampos(Origen);
        const auto& o = static_cast<const TNodoRN&>(Origen);
        AlturaNegra = o.AlturaNegra;
        Color = o.Color;
        CaminoVerificado = o.CaminoVerificado;
    }
};

template <>
inline constexpr bool NodoSinDestructor<TNodoRN> = true;

class TArbolRN : public TArbolBST {
public:
    TArbolRN() : TArbolBST(sizeof(TNodoRN)) {}

    TNodoBin* CrearNodo(std::int32_t Valor, TNodoBin* Padre, TNodoBin* Izq, TNodoBin* Der) override;
    void SuprimirNodo() override;
    std::string NombreTipo() const override { return "Arbol Rojo-Negro"; }
    std::string NombreTipos() const override { return "Arboles Rojo-Negro"; }
    TClaseArbol Clase() const override { return &CrearArbol<TArbolRN>; }
    bool Insertar(std::int32_t Valor) override;

    // Computes the black heights below Nodo, children before parents, and
    // raises "Fallo camino negro!" at the first node whose paths disagree
    // (nodes checked before it keep their new values). Subtrees that passed
    // the last check untouched are not walked again.
    void ComprobarCaminoNegro(TNodoBin* Nodo);
    // Walks every node on every check (the reference the shortcut must match).
    bool ComprobacionCompleta = false;

protected:
    std::string_view ListadoInsercion() const override {
        return Variante == TVariante::Libro ? "rn-insercion-libro" : "rn-insercion";
    }
    std::string_view ListadoBorrado() const override {
        return Variante == TVariante::Libro ? "rn-borrado-libro" : "rn-borrado";
    }
    void CopiarEstadoDeTipo(const TArbolBin& Origen) override {
        ComprobacionCompleta = static_cast<const TArbolRN&>(Origen).ComprobacionCompleta;
    }

private:
    struct TPaso {
        TNodoBin* Nodo;
        bool HijosVistos;
    };
    std::vector<TPaso> Pila_;  // the black-path check's stack, kept between checks
    // Set while an insertion into a fully verified tree runs without reports
    // (nothing can leave it half-way): a change clears only the changed
    // node's flag, and the check afterwards walks only the changed subtree.
    bool Local_ = false;
    // Runs the double-red check from NodoSel and returns the top of the
    // subtree it changed (every change of the insertion lies below it).
    TNodoBin* ChequeoDobleRojo();
    // Nodo's subtree changed: it and its ancestors must be checked again
    // (only Nodo itself while Local_ is set).
    void Invalidar(TNodoBin* Nodo);
    // Nodo and all its ancestors, whatever their flags.
    static void InvalidarHastaLaRaiz(TNodoBin* Nodo);
    // The check after a local insertion: Tope's subtree, then Tope's parent.
    void ComprobarCambio(TNodoBin* Tope);
    // Paints a red root black, with its report under Titulo.
    void RaizNegra(std::string_view Titulo);
    // The textbook deletion's repair once a black node left the place of X
    // (possibly nil), the child of P on the left side when Izq: the path
    // through X is one black short. Ends with every black height right.
    void RepararDobleNegro(TNodoBin* X, TNodoBin* P, bool Izq);
};
