// The step trace: runs a sequence of OPs on a structure with its step reports
// on and writes, as JSON Lines, every report, the outcome of every OP and
// the final laid-out structure.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>

#include "uArbolBin.h"
#include "uEscritorJson.h"
#include "uOpTraza.h"
#include "uTipoTraza.h"

enum class TDistribucionTraza { Separada, Comprimida, Completa };

// The layout run once after the last OP.
struct TMedidasTraza {
    TDistribucionTraza Distribucion = TDistribucionTraza::Separada;
    std::int32_t Radio = 15;
    std::int32_t SepX = 2;
    std::int32_t SepY = 5;
};

// Runs the OPs, each of which the kind admits, on Arbol (a structure of
// that kind, possibly loaded already), then lays it out and writes the final
// object. An EArbol raised by an OP becomes that OP's error line; the run
// goes on.
void EjecutarTraza(TArbolBin& Arbol, const TTipoTraza& Tipo, std::span<const TOpTraza> Ops,
                   const TMedidasTraza& Medidas, TEscritorJson& Salida);

// The whole tool on a command line. Like the desktop program's start-up, it
// first advances the program's pseudo-random generator once, so a process
// runs it once. Returns the exit status: 0 after a
// complete run, 2 for bad usage (nothing is run), 1 when a file cannot be
// read or holds no valid data (nothing is run) or when the output could not
// be written. Every failure is one line on Errores.
int ProgramaTraza(int argc, const char* const* argv, std::FILE* Salida, std::FILE* Errores);
