// The step trace: runs a sequence of OPs on a structure with its step reports
// on and writes, as JSON Lines, every report, the outcome of every OP and
// the final laid-out structure.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
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
// goes on. Pseudocodigo: each stage also names its listing and line
// ("listado", "linea"; null for a stage without one).
void EjecutarTraza(TArbolBin& Arbol, const TTipoTraza& Tipo, std::span<const TOpTraza> Ops,
                   const TMedidasTraza& Medidas, TEscritorJson& Salida, bool Pseudocodigo = false);

// One OP on the structure: the result of Buscar or Insertar; nothing for a
// deletion or a builder. Raises EArbol as the engine does.
std::optional<bool> AplicarOp(TArbolBin& Arbol, const TTipoTraza& Tipo, const TOpTraza& Op);
// The layout of the measures given; raises EArbol for a structure too large.
TDistribucion DistribuirMedidas(TArbolBin& Arbol, const TMedidasTraza& M);

namespace CLI {
class App;
}

// A refusal of the command line or its files: the exit status and one line.
struct TFalloTraza {
    int Codigo;
    std::string Mensaje;
};

// What a command line asks for: the structure (loaded already), the OPs (the
// list file's first) and the layout measures.
struct TEntradaTraza {
    const TTipoTraza* Tipo = nullptr;
    std::vector<TOpTraza> Ops;
    TMedidasTraza Medidas;
    std::unique_ptr<TArbolBin> Arbol;  // with --variante's algorithms set
};

// Reads the command line of a tool that takes the trace's kind, OPs and
// options, plus those Opciones adds (may be empty). nullopt after printing
// the help or "Nombre VERSION" (--version) on Salida; raises TFalloTraza for every refusal, before any OP
// runs.
std::optional<TEntradaTraza> LeerEntradaTraza(int argc, const char* const* argv, const char* Nombre,
                                              const char* Descripcion,
                                              const std::function<void(CLI::App&)>& Opciones, std::FILE* Salida);
// One failure line, "Nombre: Mensaje", on one line.
void EscribirFalloTraza(std::FILE* Errores, const char* Nombre, std::string Mensaje);

// The whole tool on a command line. Like the desktop program's start-up, it
// first advances the program's pseudo-random generator once, so a process
// runs it once. Returns the exit status: 0 after a
// complete run, 2 for bad usage (nothing is run), 1 when a file cannot be
// read or holds no valid data (nothing is run) or when the output could not
// be written. Every failure is one line on Errores.
int ProgramaTraza(int argc, const char* const* argv, std::FILE* Salida, std::FILE* Errores);
