#pragma once
// The seventeen presentation settings, their defaults, and their reading from
// and writing to the per-user settings store.

#include "uAjustes.h"
#include "uPlataforma.h"

#include <QRect>

struct TOpciones {
  int TipoGraf = 0;  // 0 drawings and text, 1 drawings, 2 pictures
  int TipoDist = 0;  // 0 separated, 1 compressed, 2 complete
  int TipoDisp = 0;  // 0 centred tree, 1 fixed root
  TFuente Fuente;    // NomFnt, TamFnt, ColFnt, BoldFnt, CursFnt
  TColor ColFon = 0x00FFFFFF;
  TColor ColNod = 0x00FFFFC0;
  int NodRad = 15;
  int NodSx = 2;
  int NodSy = 5;
  int ValMax = 99;
  int PausaAnim = 1000;
  int PausaPres = 300;
  int PausaNumEtap = 10;
  // The folder of the last file opened or saved, where the file choosers
  // start; empty until a file has been chosen. Stored after the seventeen
  // values, and only once known, so older stores read as before.
  QString CarpetaFicheros;
  // The step window's place (its frame's top-left) and size, null until the
  // window has been shown, and the speed of its player. Stored after the
  // folder.
  QRect LugarPaso;
  int VelocidadPaso = 5;
  // Whether the history panel is shown. Stored after the speed; a store
  // without it reads as hidden, so the canvas keeps its width.
  bool VerHistoria = false;
  // Whether the step window shows the algorithm's listing. Stored after the
  // history panel's state; a store without it reads as shown.
  bool VerPseudocodigo = true;
  // The algorithms the operations run: 0 the program's own, 1 the
  // textbooks'. Stored after the listing pane's state; a store without it
  // reads as the program's own.
  int Algoritmos = 0;

  // The stored part of the dialogs' settings. The shadows are not stored:
  // they come from `base`.
  TAjustesPresentacion Presentacion(TAjustesPresentacion base = {}) const;
  void PonerPresentacion(const TAjustesPresentacion& a);
  TAjustesAnimacion Animacion() const { return {PausaAnim, PausaPres, PausaNumEtap}; }

  friend bool operator==(const TOpciones&, const TOpciones&) = default;
};

// The ranges the program accepts; a value outside is brought to the nearest
// end, so a store edited by hand can never reach a division by zero.
namespace Rangos {
inline constexpr int RadioMin = 1, RadioMax = 100;
inline constexpr int SepMin = 0, SepMax = 100;
inline constexpr int EtapasMin = 2, EtapasMax = 50;
inline constexpr int PausaAnimMax = 10000;
inline constexpr int PausaPresMax = 5000;
inline constexpr int TamFntMin = 1, TamFntMax = 200;
inline constexpr int VelocidadMin = 1, VelocidadMax = 10;
inline constexpr int CoordenadaMax = 16000;  // either way from the origin
inline constexpr int TamPasoMin = 1, TamPasoMax = 8000;
}  // namespace Rangos

TOpciones Acotar(TOpciones o);

// Reads over the defaults, value by value in the stored order; the first value
// of an unexpected type (or a refused read) ends the reading, and what was read
// before it stays. A store that cannot be opened gives every default. The
// result is already clamped.
TOpciones LeerOpciones(IAlmacenOpciones& almacen);

// Writes all seventeen values, then the folder when there is one, the step
// window's place when known, the speed, the history panel's state, the
// listing pane's and the algorithms; false when the store could not keep them.
bool GuardarOpciones(IAlmacenOpciones& almacen, const TOpciones& o);
