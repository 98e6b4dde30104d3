// What every structure keeps true, checked without recursion (a degenerate
// chain of a million nodes is checked like any other tree). The kind's own
// part is reached through its descriptor (TTipoEstructura::Invariante).
#pragma once

#include <string>

#include "uArbolBin.h"

// Empty when the structure is sound between two operations; else the first fault found, in words.
//
// Every kind: parent links, Raiz->Padre nil, NumNodos equal to the reachable
// nodes, no node marked, NodoBorrado nil, NodoSel nil or reachable. Search
// trees: the whole in-order sequence strictly ascending. AVL: every stored
// factor equal to height(right) - height(left) and within -1..+1. Red-black:
// the black-path bookkeeping (see uInvariantes.cpp). Heap: both arrays, the
// counts, every live cell and heap order.
//
// A structure loaded from a file the kind would not have made (keys out of
// order, an unbalanced AVL tree, a heap out of heap order such as the
// unordered builder makes) is reported: such a structure is what the kind's
// operations never produce, and the report says where.
std::string Invariante(const TArbolBin& A);

// What holds at every step report as well, for any kind: links, count,
// selection nil or reachable, the removed node detached and unreachable; heap:
// vector agreement.
std::string InvarianteEnEtapa(const TArbolBin& A);

// Whether every key is greater than every key before it in order.
bool ClavesEnOrden(const TArbolBin& A);
// The first node in pre-order of an AVL tree whose stored factor lies outside -1..+1; nil when none does.
const TNodoBin* NodoDesequilibrado(const TArbolBin& A);

// The kinds' own parts, for the descriptor table (Invariante runs the common
// part first).
namespace InvariantesTipo {
std::string Busqueda(const TArbolBin& A);
std::string AVL(const TArbolBin& A);
std::string RN(const TArbolBin& A);
std::string Monticulo(const TArbolBin& A);
}  // namespace InvariantesTipo
