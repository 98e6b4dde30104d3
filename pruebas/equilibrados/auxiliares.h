// Helpers of the AVL and red-black tests: the AVL invariant checker, factor
// and colour listings, and an operation run with its error caught.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "comprobacion.h"
#include "uArbolAVL.h"
#include "uArbolRN.h"

// Empty when A is a sound AVL tree between two operations: everything
// Comprobar asks, every stored factor equal to height(right) - height(left),
// and every factor within -1..+1. Otherwise the first fault found. Recurses
// to the tree's height (balanced trees in the tests).
std::string ComprobarAVL(const TArbolAVL& A);
// "value:factor" of every node in pre-order, separated by spaces.
std::string Factores(const TArbolBin& A);
std::int32_t& Factor(const TArbolBin& A, std::int32_t Valor);

// Colours in pre-order as FlujoRN takes them.
std::string Colores(const TArbolBin& A);
// Every node's AlturaNegra, in pre-order.
std::vector<std::int32_t> Alturas(const TArbolBin& A);

// Ejecutar for an insertion or deletion, checking an insertion's result.
// Returns the text of the error raised, empty when none.
std::string EjecutarOperacion(TArbolBST& A, TOp Op, std::int32_t Valor, bool Resultado);

using EtapasBST::HijoIzquierdo;
using EtapasBST::Hoja;
using EtapasBST::InsercionNueva;
using EtapasBST::InsercionRepetida;
using EtapasBST::Predecesor;
using EtapasBST::UnHijo;
