#pragma once
// The overview of a structure seen too small for its numbers to be read,
// and the summary of its positions that the overview and the hit test walk.
// Part of the drawing (uDibujo.cpp); nothing else calls it.
//
// The overview writes straight into the picture's scanlines: each node a
// small disc of its fill inside its outline, no text, over 1 px edges; with
// discs under about 1.5 px, the edges alone (a dot at each node). A subtree
// whose nodes all fall in one pixel column is drawn as one vertical line,
// a subtree wholly outside the picture is skipped: a frame costs what is
// visible, however large the structure. Every coordinate is worked out in
// 64 bits and clipped before a pixel is written, so any zoom of any
// positions at any offset stays inside the picture.

#include "uDibujo.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

class TMonticulo;
struct TTipoEstructura;

// A layout point's place in the picture: (round(x Sx) - Dx, round(y Sy) - Dy).
struct TEscala {
  double Sx = 1, Sy = 1;
  std::int64_t Dx = 0, Dy = 0;
  std::int64_t X(std::int32_t x) const { return Redondear(x * Sx) - Dx; }
  std::int64_t Y(std::int32_t y) const { return Redondear(y * Sy) - Dy; }
  // As llround, halves away from zero, without the library call (a frame
  // rounds thousands of points); |v| stays far below 2^62 here.
  static std::int64_t Redondear(double v) {
    auto r = static_cast<std::int64_t>(v);
    if (v >= 0 ? v - static_cast<double>(r) >= 0.5 : static_cast<double>(r) - v >= 0.5)
      r += v >= 0 ? 1 : -1;
    return r;
  }
};
// The settings' zoom and offsets; a zoom that is not a finite positive
// number counts as 1, and one beyond [2^-30, 64] is brought within it, so no
// product of it overflows.
TEscala EscalaDe(const TAjustesDibujo& a);

// The colours a node is drawn in, by kind, selection and mark.
TColor RellenoNodo(const TTipoEstructura* tipo, const TNodoBin& n, bool esSel);
TColor ContornoNodo(const TNodoBin& n);

// The structure in pre-order, each node with its centre and the box of the
// centres of its subtree (the subtree runs from its index up to Fin,
// excluded). Built on the first picture after Olvidar, or when the structure
// in front of it is plainly another one (another tree, root or count).
struct TResumenVista::TDatos {
  struct TEntrada {
    std::int32_t X, Y, XMin, XMax, YMin, YMax;
    std::int32_t Fin, Padre;  // Padre -1 at the root
    const TNodoBin* Nodo;
  };
  void Preparar(const TArbolBin& arbol);

  bool Hecho = false;
  const TArbolBin* Arbol = nullptr;
  const TNodoBin* Raiz = nullptr;
  std::int64_t NumNodos = -1;
  std::vector<TEntrada> Nodos;
  // A frame's discs and its collapsed subtrees' columns (x, top, bottom),
  // kept to spare allocations.
  std::vector<std::int32_t> Visibles;
  std::vector<std::array<std::int32_t, 3>> Columnas;
};

// The tree (and the removed node) in the overview: discs of radius rad in
// pixels, or edges only when rad is 0. The picture holds the background.
void DibujarVistaGeneral(QImage& destino, const TArbolBin& arbol, const TAjustesDibujo& a, TResumenVista::TDatos& datos,
                         int rad);

// A heap's vector row as a band of cells, no text: cell i spans from
// floor(i ancho) - dx to floor((i + 1) ancho) - dx (ancho in picture pixels),
// between rows arriba and arriba + alto. A column takes the colour of the
// most telling cell in it: selected, marked, in use, dead; cells 3 px wide
// or more keep their outlines.
void DibujarBandaVector(QImage& destino, const TMonticulo& m, const TNodoBin* sel, double ancho, std::int64_t dx,
                        std::int64_t arriba, std::int64_t alto);

// The first node in pre-order within rad pixels of (x, y) (the drawn circle's
// test), found by skipping the subtrees whose box lies further away.
const TNodoBin* NodoEnResumen(const TResumenVista::TDatos& datos, const TEscala& t, std::int64_t rad, std::int64_t x,
                              std::int64_t y);
