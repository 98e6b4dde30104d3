// The algorithms' listings: short pseudocode in Spanish that follows this
// program's own routines, one plain text per listing
// (estructuras/pseudocodigo/NOMBRE.txt, built into the library), and the
// line each step report belongs to.
//
// A listing's first line is its heading ("insertar(v):" ...); its lines are
// numbered from 1 as they stand in the file. A line may end with one or more
// tags in braces, "  {comparar}", that name it for the report sites; the tags
// are not part of the text shown. Each report site of an engine passes a tag,
// and the line is looked up in the listing of the routine running then
// (TArbolBin::TEnListado), so one site shared by two operations (the search
// inside an insertion) lands on each operation's own line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TListado {
    std::string Nombre;                  // the file's name without ".txt": "avl-insercion"
    std::vector<std::string> Lineas;     // as shown, tags removed, from line 1
    std::vector<std::string> Etiquetas;  // per line, its tags separated by blanks
};

// Every listing, by name.
const std::vector<TListado>& Listados();
// The listing of that name; nil when none.
const TListado* BuscarListado(std::string_view Nombre);
// The line (from 1) of the listing that carries the tag; 0 when the listing
// or the tag is unknown.
int LineaDe(std::string_view Listado, std::string_view Etiqueta);

// A listing's file as it is read: the lines, and the tags at their ends.
TListado LeerListado(std::string Nombre, std::string_view Texto);

// The files as the build writes them into the library (listados.cpp).
struct TFuenteListado {
    const char* Nombre;
    const char* Texto;
};
extern const TFuenteListado kFuentesListados[];
extern const std::size_t kNumFuentesListados;
