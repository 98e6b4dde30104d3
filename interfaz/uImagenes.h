#pragma once
// The node image set of the mode "Imágenes": node pictures cut into ready-made
// layers once, at start-up, so that putting a node on the off-screen picture
// costs two block combinations and no pixel work.
//
// Pictures. In 32-bit mode every picture of the set is a QImage of
// Format_RGB32: one pixel is one 32-bit word with blue in its low byte, then
// green, then red, and a fourth byte that carries nothing. Qt requires that
// byte to be 0xFF in an RGB32 picture (QPainter may copy it straight into a
// window's backing store), so every picture of the set keeps it at 0xFF and
// CombinarBits writes it as 0xFF into any 32-bit destination; the colour bytes
// combine bitwise. A picture produced that way can be shown as it stands.
//
// In 8-bit mode every picture is Format_Indexed8 and the combinations act on
// the palette indices. The node pictures keep their palette; the red and black
// pictures and "Secuencia.bmp" are mapped onto the palette of "Nodos256.bmp"
// (the one the off-screen picture carries) when theirs differs. The masks,
// whatever their file format, become indices 0x00 (black) and 0xFF (white), so
// AND with a hole clears a node's square to index 0 and OR then lays the
// picture's indices into it, as in 32-bit mode. Colour tables are padded to 256
// entries so that every index a combination can produce is a valid one.
//
// In both modes a mask pixel counts as white when its grey level (Qt's
// qGray) is at least 128, and as black otherwise, so a mask saved with
// smoothed edges still gives clean holes.

#include "uColor.h"

#include <QDir>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// How CombinarBits combines a source with the destination pixels it covers.
enum class TCombinacion {
  Copiar,    // destination := source
  Y,         // destination := destination AND source
  O,         // destination := destination OR source
  Invertir,  // destination := NOT destination (the source only gives the size)
};

// Combines the source with the square of the destination whose top-left
// corner is (x, y), bitwise on whole pixels: 32-bit words when both pictures
// are 32 bits deep, palette indices when both are 8 bits deep. Clipped to the
// destination: pixels of the square outside it are skipped, a square wholly
// outside changes nothing. Pictures of different depth, or any other depth,
// are left alone.
void CombinarBits(QImage& destino, int x, int y, const QImage& fuente, TCombinacion modo);

// The picture file "nombre" of the folder, or a null picture when it is
// missing, unreadable or fails the header checks (a truncated pixel array,
// an impossible size). Never reads past the file's bytes.
QImage LeerBmp(const QDir& carpeta, const QString& nombre);

// The palette of "Nodos256.bmp" in the folder, padded to 256 entries, for the
// off-screen picture in 8-bit mode; nullopt when the file is missing,
// unreadable or not a palette picture. The program goes on without it.
std::optional<QList<QRgb>> PaletaNodos256(const QDir& carpeta = QDir::current());

// The folders that may hold the node pictures, in the order they are tried:
// the working folder (a set of one's own wins), the executable's folder (a
// build draws its set beside the program), the data folder of an
// installation moved elsewhere ("<executable's folder>/../share/quelvar")
// and the data folder the program was built to be installed with. Each
// folder once, cleaned; empty arguments are left out.
QStringList CarpetasImagenes(const QString& trabajo, const QString& ejecutable, const QString& datos);
// Those of this process; the executable's folder only once an application
// object exists.
QStringList CarpetasImagenes();

class TImagenesNodos {
public:
  static constexpr int NumTipos = 3;    // plain, red, black
  static constexpr int NumEstados = 3;  // selected, highlighted, normal
  static constexpr int NumCapas = 4;    // node, shadow, node hole, shadow hole

  // Loads the six files of the display mode from the folder and builds every
  // layer and frame. True when the set is complete; on any failure the set is
  // left empty (HayImagenes false).
  bool CargarImagenes(bool Modo8Bits, const QDir& carpeta = QDir::current());
  // Loads the set of the first folder that holds a complete one and gives
  // that folder; nullopt, with the set left empty, when none does.
  std::optional<QString> CargarDeCarpetas(bool Modo8Bits, const QStringList& carpetas);

  // Rebuilds the nine shadow layers from the kept sources and multiplies each
  // channel by the colour's (c div 256, so white lowers a channel by up to
  // one step). Does nothing in 8-bit mode or without images.
  void TintarSombras(TColor color);

  bool HayImagenes() const { return Hay; }
  bool Modo8Bits() const { return Ocho; }
  int TamImg() const { return Tam; }
  int RadImg() const { return Tam / 2; }

  // Layer k of kind t in state s; a null picture for indices out of range or
  // without images (CombinarBits then does nothing).
  const QImage& Capa(int tipo, int estado, int capa) const;

  // The removal frames; F may be 0. Out-of-range frames are null pictures.
  int NumFrames() const { return static_cast<int>(Secuencia.size()); }
  const QImage& ImgSecuencia(int f) const;
  const QImage& MascSecuencia(int f) const;

private:
  void Vaciar();
  QImage Celda(const QImage& fuente, int c) const;
  QImage CapaSombra(int tipo, int estado) const;

  bool Hay = false;
  bool Ocho = false;
  int Tam = 0;
  std::array<QImage, NumTipos> FuenteNodos;  // as loaded, kept for re-tinting
  QImage MascaraSombra;                      // as loaded (made binary)
  std::array<std::array<std::array<QImage, NumCapas>, NumEstados>, NumTipos> ImgNodos;
  std::vector<QImage> Secuencia;
  std::vector<QImage> MascarasSecuencia;
};
