// The structure kinds a trace can run on, as the run sees them: how to make
// the structure, which builder OPs it takes, and what it adds to every node
// and to the final object. The tool's kinds come from the structure
// descriptors (uTipos.h): a new kind there is a new kind here.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "uArbolBin.h"
#include "uEscritorJson.h"
#include "uOpTraza.h"
#include "uTipos.h"

// The three callbacks below receive a structure, or nodes, of the entry's
// own kind.
// Runs a builder OP (fib:N, des:N, crear; crear ignores N).
using TConstructorTraza = TConstructorTipo;
// Writes the kind's own keys of one node, each preceded by a comma
// (",\"factor\":-1").
using TExtrasNodo = std::function<void(const TNodoBin& Nodo, TEscritorJson& Salida)>;
// Writes the kind's own keys of the final object after "nodos", each
// preceded by a comma (",\"vector\":[...]").
using TExtrasFinal = std::function<void(const TArbolBin& Arbol, TEscritorJson& Salida)>;

struct TTipoTraza {
    std::string_view Nombre;       // TIPO on the command line
    TClaseArbol Clase = nullptr;   // nil while the kind is not built
    TExtrasNodo ExtrasNodo{};    // empty: the node has only the common keys
    TExtrasFinal ExtrasFinal{};
    TConstructorTraza Fibonacci = nullptr;    // fib:N
    TConstructorTraza Desordenado = nullptr;  // des:N
    TConstructorTraza Monticulo = nullptr;    // crear

    bool Disponible() const { return Clase != nullptr; }
    // The builder that runs an OP of that class; nil for the entry and the
    // search, which every kind takes, and for a builder the kind lacks.
    TConstructorTraza Constructor(TClaseOp Op) const;
    bool Admite(TClaseOp Op) const;
};

std::span<const TTipoTraza> TiposTraza();
// nil for a name that is no kind.
const TTipoTraza* BuscarTipoTraza(std::string_view Nombre);
