// What differs by structure kind, in one descriptor per kind: its key, its
// files, the figure beside a node, the checks after an operation, how a
// deletion finds its node, the vector row and the builders. The window, the
// drawing and quelvar-traza look a structure's descriptor up instead of
// asking for its class. A new kind is a new entry of the table in uTipos.cpp.
// The kind's names are the engine's own (NombreTipo, NombreTipos).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "uArbolBin.h"

class TMonticulo;

// Runs a builder on a structure of the descriptor's own kind (fib:N, des:N,
// crear; crear ignores N).
using TConstructorTipo = void (*)(TArbolBin& Arbol, std::int32_t N);

// The number written beside each node: a balance factor, a black height, a
// heap index.
struct TCifraNodo {
    std::int64_t (*Valor)(const TNodoBin& Nodo) = nullptr;  // nil: the kind shows none
    std::string_view Nombre{};  // its key in quelvar-traza's output
    // A position in the vector: drawn below the node and counted from one, as
    // the vector row's positions are. Otherwise drawn at its upper right as it is.
    bool EsPosicion = false;
};

struct TTipoEstructura {
    std::string_view Clave{};  // as quelvar-traza spells it: bst, avl, rn, splay, mon
    TClaseArbol Clase = nullptr;

    // Files. The open dialog's entry, the save dialog's filter and default
    // extension, and every extension the kind's files may carry (lower case,
    // no dot): one structure file may suit several kinds.
    std::string_view FiltroAbrir{};
    std::string_view FiltroGuardar{};
    std::string_view ExtDefecto{};
    std::span<const std::string_view> Extensiones{};

    TCifraNodo Cifra{};
    // The node's colour byte as stored (0 red, 1 black, others kept and not
    // black); nil for a kind without colours.
    std::int32_t (*Color)(const TNodoBin& Nodo) = nullptr;
    // The heap whose vector row is drawn under the tree; nil for a kind
    // without one.
    const TMonticulo* (*FilaVector)(const TArbolBin& Arbol) = nullptr;

    // What is wrong with the structure after an operation, one message each;
    // nil for a kind without checks.
    std::vector<std::string> (*Comprobar)(const TArbolBin& Arbol) = nullptr;
    // The kind's own part of Invariante (uInvariantes.h): empty when sound.
    std::string (*Invariante)(const TArbolBin& Arbol) = nullptr;
    // What suggests that a structure read from a file is not of this kind
    // (contents out of the kind's order or balance); nil when nothing can.
    std::vector<std::string> (*Sospechas)(const TArbolBin& Arbol) = nullptr;
    // Borrar removes the minimum whatever is selected: the key of a deletion
    // is not searched.
    bool BorraMinimo = false;
    // A search restructures the tree: it is a step of the history.
    bool BuscarCambia = false;

    TConstructorTipo Fibonacci = nullptr;    // the Fibonacci tree of order N
    TConstructorTipo Desordenado = nullptr;  // 1..N shuffled, out of order
    TConstructorTipo Monticulo = nullptr;    // the bottom-up heap construction
};

// Every kind, in the order of the window's commands and of the open dialog's
// structure filters.
std::span<const TTipoEstructura> TiposEstructura();
// nil for a key that is no kind.
const TTipoEstructura* BuscarTipo(std::string_view Clave);
// The descriptor of the structure's kind; nil for a class no entry makes.
const TTipoEstructura* TipoDe(const TArbolBin& Arbol);
