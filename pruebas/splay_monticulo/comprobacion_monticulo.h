// Helpers shared by the heap tests: heaps written as their vector, the
// heap's invariant checker and a heap whose nodes count themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "comprobacion.h"
#include "uMonticulo.h"

using TBytes = std::vector<std::uint8_t>;

// The stream of the heap whose vector holds Valores (complete-tree shape,
// every index where the shape puts it).
TBytes FlujoVector(const std::vector<std::int32_t>& Valores);
void CargarVector(TMonticulo& M, const std::vector<std::int32_t>& Valores);

// The values of the live cells, and of the stale cells still shown
// (NumNodos..MaxNodos-1).
std::vector<std::int32_t> Vivos(const TMonticulo& M);
std::vector<std::int32_t> Grises(const TMonticulo& M);

// Empty when the heap is sound between two operations, else the first fault:
// both arrays alike in length, NumNodos <= MaxNodos <= length, Raiz =
// Vector[0], every live cell's node at its index with the links and value the
// vector gives, NodoSel nil or live, nothing marked, NodoBorrado nil; and
// with Orden, the heap order. At a step report: the same agreement,
// NodoBorrado outside the vector and at most two nodes marked.
std::string ComprobarMonticulo(const TMonticulo& M, bool Orden = true);
std::string ComprobarMonticuloEnEtapa(const TMonticulo& M);

// A heap whose nodes count themselves.
using TNodoMonContado = TNodoContado<TNodoMon>;
static_assert(sizeof(TNodoMonContado) == sizeof(TNodoMon), "must fit the heap's node slots");

class TMonticuloContado : public TMonticulo {
public:
    TNodoBin* CrearNodo(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) override {
        return NuevoNodo<TNodoMonContado>(V, P, I, D);
    }
};
