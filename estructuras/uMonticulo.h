// Binary min-heap, held twice over: as a vector (children of position i at
// 2i+1 and 2i+2) and as the linked tree of its nodes that the canvas draws.
// Values travel, nodes stay: the vector index of a node never changes.
#pragma once

#include <vector>

#include "uAleatorio.h"
#include "uArbolBin.h"

class TNodoMon : public TNodoBin {
public:
    using TNodoBin::TNodoBin;
    std::int32_t Indice = 0;  // 0-based position in the vector

    void GuardarRegistro(TEscritorFlujo& Flujo) const override;
    void CargarRegistro(TLectorFlujo& Flujo, bool& HayIzq, bool& HayDer) override;
    void CopiarCampos(const TNodoBin& Origen) override {
        TNodoBin::CopiarCampos(Origen);
        Indice = static_cast<const TNodoMon&>(Origen).Indice;
    }
};

template <>
inline constexpr bool NodoSinDestructor<TNodoMon> = true;

class TMonticulo : public TArbolBin {
public:
    TMonticulo();

    TNodoBin* CrearNodo(std::int32_t Valor, TNodoBin* Padre, TNodoBin* Izq, TNodoBin* Der) override;
    void SuprimirNodo() override {}
    std::string NombreTipo() const override { return "Montículo"; }
    std::string NombreTipos() const override { return "Montículos"; }
    TClaseArbol Clase() const override { return &CrearArbol<TMonticulo>; }
    using TArbolBin::Cargar;
    // Rejects (EFlujoInvalido, content untouched) a stream whose indices are
    // not exactly 0..NumNodos-1 where the tree shape puts them.
    void Cargar(TLectorFlujo& Flujo) override;
    void Vaciar() override;
    bool Buscar(std::int32_t Valor) override;  // access to the minimum; the value plays no part
    bool Insertar(std::int32_t Valor) override;
    void Borrar() override;  // deletes the minimum
    // Borrar deletes the minimum whatever is selected: no search first.
    void BorrarEntrada(std::int32_t) override { Borrar(); }

    // n nodes holding a random permutation of 1..n in complete-tree shape,
    // drawn from Generador (the program's by default); no reports. n < 0
    // raises EArbol.
    void CrearDesordenado(std::int32_t N);
    void CrearDesordenado(std::int32_t N, TAleatorio& Generador);
    // Bottom-up heap construction of the present vector, with reports.
    void CrearMonticulo();

    // Length of the vector (its cells, live or stale): 1000 at first, grown
    // by 100 by an insertion that finds it full.
    std::int32_t Capacidad() const { return static_cast<std::int32_t>(Vector.size()); }
    // Number of vector cells shown: the greatest NumNodos since construction,
    // Vaciar or the unordered builder.
    std::int32_t MaxNodos = 0;
    // Position i < NumNodos: the node there. Later positions are stale.
    std::vector<TNodoMon*> Vector;
    // Position i < NumNodos: the value of Vector[i]; later positions keep the
    // value last placed there (the removed minima after deletions).
    std::vector<std::int32_t> VectorValores;

protected:
    // The same vector length, values (greyed cells included) and MaxNodos;
    // each live cell holds the copy of the original's node, found by its
    // index.
    void CopiarEstadoDeTipo(const TArbolBin& Origen) override;

private:
    void ReestructurarAscendente(std::int32_t I);
    void ReestructurarDescendente(std::int32_t I);
    // The restructurings without reports, also used to finish one that a
    // report abandoned (the hook threw), so the heap order holds again. Each
    // returns where the value stopped. They leave every node, cell and drawn
    // position as the exchanges of the reported walks would, but move the
    // values along the path through a hole: each passed value shifts one
    // level and the moving one is written once, where it stops.
    std::int32_t Subir(std::int32_t I);
    std::int32_t Bajar(std::int32_t I);
    // Sinks Valor, drawn at (X, Y), from the hole at position I: the cell's
    // own value and position play no part. Returns where it stopped.
    std::int32_t Hundir(std::int32_t I, std::int32_t Valor, std::int32_t X, std::int32_t Y);
    // Exchanges the values of two positions and the nodes' drawn positions.
    void Intercambiar(std::int32_t I, std::int32_t J);
    // Both arrays to that length; the storage grows geometrically.
    void Redimensionar(std::size_t Longitud);
    void DestruirPendiente();
    // The first n cells of VectorValores made nodes, linked in complete-tree
    // shape (the unordered builder's second half).
    void Enlazar(std::uint32_t n);
};
