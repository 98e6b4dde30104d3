// Helpers of the AVL and red-black tests: the AVL invariant checker, factor
// and colour listings, red-black streams, and the step reports as data.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "comprobacion.h"
#include "uArbolAVL.h"
#include "uArbolRN.h"

using Opt = std::optional<std::int32_t>;
inline constexpr Opt nil = std::nullopt;
using TEtapas = std::vector<TEtapaVista>;

// ---------------------------------------------------------------- AVL

// Empty when A is a sound AVL tree between two operations: everything
// Comprobar asks, every stored factor equal to height(right) - height(left),
// and every factor within -1..+1. Otherwise the first fault found. Recurses
// to the tree's height (balanced trees in the tests).
std::string ComprobarAVL(const TArbolAVL& A);
// "value:factor" of every node in pre-order, separated by spaces.
std::string Factores(const TArbolBin& A);
std::int32_t& Factor(const TArbolBin& A, std::int32_t Valor);

// ---------------------------------------------------------------- red-black

// A red-black stream from the tree text of FlujoDe and one colour byte per
// node in pre-order.
std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::vector<std::uint8_t>& Colores);
// Colours in pre-order written as "n" (1, black), "r" (0, red) or "[b]" for
// any other byte b: the text Colores gives back.
std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::string& Colores);
std::string Colores(const TArbolBin& A);
// Every node's AlturaNegra, in pre-order.
std::vector<std::int32_t> Alturas(const TArbolBin& A);
// A chain of N nodes as 7-byte records, keys in search order, one colour.
std::vector<std::uint8_t> FlujoCadenaRN(std::int32_t N, bool Derecha, std::uint8_t Color);

// ---------------------------------------------------------------- reports

TEtapas Unir(std::initializer_list<TEtapas> Partes);

// Runs an insertion, or the deletion of a selected value, as the driver does
// (selection cleared first; the deletion's selection makes no report).
// Returns the text of the error raised, empty when none.
std::string EjecutarOperacion(TArbolBST& A, bool Insertar, std::int32_t Valor, std::optional<bool> Resultado);

// The search tree's part of an insertion of an absent V: one comparison per
// node of Camino (the driver cleared the selection), "not found", and the
// leaf (or new root) report.
TEtapas InsercionBST(std::int32_t V, std::initializer_list<std::int32_t> Camino);
// An insertion of a present V, found after comparing Camino (empty: at the root).
TEtapas InsercionFallida(std::int32_t V, std::initializer_list<std::int32_t> Camino);
using EtapasBST::HijoIzquierdo;
using EtapasBST::Hoja;
using EtapasBST::Predecesor;
using EtapasBST::UnHijo;
