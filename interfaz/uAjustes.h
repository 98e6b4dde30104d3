#pragma once
// The settings the option dialogs edit, as plain values: what the window
// draws with and how it times the stages. The dialogs hand them out and take
// them in whole; the settings store keeps them between sessions.

#include "uColor.h"
#include "uPlataforma.h"

struct TAjustesPresentacion {
  int TipoGraf = 0;  // 0 drawings and text, 1 drawings, 2 pictures
  int TipoDist = 0;  // 0 separated, 1 compressed, 2 complete
  int TipoDisp = 0;  // 0 centred tree, 1 fixed root
  int NodoRad = 20;
  int NodoSx = 10;
  int NodoSy = 10;
  bool Sombras = true;
  TColor ColFon = ColorRGB(0xFF, 0xFF, 0xFF);
  TColor ColNod = ColorRGB(0xC0, 0xFF, 0xFF);
  TFuente Fuente;
  friend bool operator==(const TAjustesPresentacion&, const TAjustesPresentacion&) = default;
};

struct TAjustesAnimacion {
  int PausaAnim = 1000;  // ms the node motion lasts
  int PausaPres = 300;   // ms each stage pauses for
  int NumEtapas = 10;    // frames of the node motion
  friend bool operator==(const TAjustesAnimacion&, const TAjustesAnimacion&) = default;
};
