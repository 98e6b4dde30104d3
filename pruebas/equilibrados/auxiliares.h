// Helpers of the AVL and red-black tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "comprobacion.h"
#include "uArbolAVL.h"
#include "uArbolRN.h"

// Empty when A passes Comprobar and every stored factor is
// height(right) - height(left) within -1..+1; else the first fault.
std::string ComprobarAVL(const TArbolAVL& A);
// "value:factor" of every node in pre-order, separated by spaces.
std::string Factores(const TArbolBin& A);
std::int32_t& Factor(const TArbolBin& A, std::int32_t Valor);
// Colours in pre-order as FlujoRN takes them, and every AlturaNegra.
std::string Colores(const TArbolBin& A);
std::vector<std::int32_t> Alturas(const TArbolBin& A);
// Ejecutar checking an insertion's result; the text of the error raised.
std::string EjecutarOperacion(TArbolBST& A, TOp Op, std::int32_t Valor, bool Resultado = true);

using EtapasBST::HijoIzquierdo;
using EtapasBST::Hoja;
using EtapasBST::InsercionNueva;
using EtapasBST::InsercionRepetida;
using EtapasBST::Predecesor;
using EtapasBST::UnHijo;
