// The structure kinds a trace can run on. Each kind is one entry of a table:
// how to make the structure, which builder OPs it takes, and what it adds to
// every node and to the final object. A new kind or builder is a new entry
// or a filled-in field, not new code in the run.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "uArbolBin.h"
#include "uEscritorJson.h"
#include "uOpTraza.h"

// The three callbacks below receive a structure, or nodes, of the entry's
// own kind.
// Runs a builder OP (fib:N, des:N, crear; crear ignores N).
using TConstructorTraza = void (*)(TArbolBin& Arbol, std::int32_t N);
// Writes the kind's own keys of one node, each preceded by a comma
// (",\"factor\":-1").
using TExtrasNodo = void (*)(const TNodoBin& Nodo, TEscritorJson& Salida);
// Writes the kind's own keys of the final object after "nodos", each
// preceded by a comma (",\"vector\":[...]").
using TExtrasFinal = void (*)(const TArbolBin& Arbol, TEscritorJson& Salida);

struct TTipoTraza {
    std::string_view Nombre;       // TIPO on the command line
    TClaseArbol Clase = nullptr;   // nil while the kind is not built
    TExtrasNodo ExtrasNodo = nullptr;
    TExtrasFinal ExtrasFinal = nullptr;
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
