// AVL tree: the binary search tree's search, leaf insertion and deletion
// front, followed by upward walks that update the balance factors and rotate
// where a node leans by two.
#pragma once

#include "uArbolBST.h"

class TNodoAVL : public TNodoBin {
public:
    using TNodoBin::TNodoBin;
    // Height of the right subtree minus height of the left one; +-2 only
    // during a walk, until its rotation (or in a loaded unbalanced tree).
    std::int32_t FactorEquilibrio = 0;

    void CopiarCampos(const TNodoBin& Origen) override {
        TNodoBin::CopiarCampos(Origen);
        FactorEquilibrio = static_cast<const TNodoAVL&>(Origen).FactorEquilibrio;
    }
};

template <>
inline constexpr bool NodoSinDestructor<TNodoAVL> = true;

class TArbolAVL : public TArbolBST {
public:
    TArbolAVL() : TArbolBST(sizeof(TNodoAVL)) {}

    TNodoBin* CrearNodo(std::int32_t Valor, TNodoBin* Padre, TNodoBin* Izq, TNodoBin* Der) override;
    void SuprimirNodo() override;
    std::string NombreTipo() const override { return "Arbol AVL"; }
    std::string NombreTipos() const override { return "Arboles AVL"; }
    TClaseArbol Clase() const override { return &CrearArbol<TArbolAVL>; }
    using TArbolBin::Cargar;
    void Cargar(TLectorFlujo& Flujo) override;
    bool Insertar(std::int32_t Valor) override;

    // Every factor from the real subtree heights.
    void CalcularFactores();
    // True when every stored factor equals the real height difference.
    bool Consistente() const;
    // Replaces the content by the Fibonacci AVL tree of that order (keys 1..n
    // in order, every inner node leaning right). Orden < 0 raises EArbol.
    void CrearFibonacci(std::int32_t Orden);

protected:
    std::string_view ListadoInsercion() const override { return "avl-insercion"; }
    std::string_view ListadoBorrado() const override { return "avl-borrado"; }

private:
    static constexpr const char* Titulo = "Comprobación del arbol";  // every report's
    void EquilibrarInsercion(bool DesdeIzq);
    void EquilibrarBorrado(bool DesdeIzq);
    // Each names the heavy side of NodoSel; each leaves the node that moved
    // up as NodoSel.
    void RotacionSimpleDerecha();
    void RotacionSimpleIzquierda();
    void RotacionDobleDerecha();
    void RotacionDobleIzquierda();
    // Both reports of a rotation around Reenlazar (factors, then links),
    // with the moved nodes marked; Arriba becomes NodoSel. Etiqueta: the
    // line of the rotation in the walk that calls it.
    template <class F>
    void InformarRotacion(std::initializer_list<TNodoBin*> Movidos, const char* Nombre, const char* Etiqueta,
                          F&& Reenlazar, TNodoBin* Arriba) {
        TMarcas marcas(Movidos);
        Etapa(Titulo, "El nodo esta desequilibrado. Se efectua una rotación para corregirlo.", 0, "desequilibrado");
        Reenlazar();
        Etapa(Titulo, Nombre, 2, Etiqueta);
        NodoSel = Arriba;
    }
};
