#pragma once
// The drawing of a structure onto a picture: background, shadows, edges,
// nodes, texts and a heap's vector row, in the structure's drawing order.
// It knows nothing of windows, so the canvas and any tool that exports a
// picture draw the same thing.
//
// Pixel conventions (painting is aliased, 1 px pens):
// - A node is the circle whose bounds run from (cx - R, cy - R) to
//   (cx + R, cy + R), the right and bottom bounds excluded: it covers the
//   2R columns cx - R .. cx + R - 1 and the 2R rows cy - R .. cy + R - 1.
//   Qt's outline of an ellipse covers its rectangle's right and bottom edge
//   too, so the rectangle handed to Qt is (cx - R, cy - R, 2R - 1, 2R - 1).
// - A vector cell is the rectangle from (left, top) to (left + w + 1,
//   top + h + 1), the far bounds excluded. Qt's 1 px outline of a rectangle
//   covers its right and bottom edge, so Qt gets (left, top, w, h). A marked
//   cell's 2 px outline is that outline plus the one just inside it, so it
//   never spills onto the neighbouring cells. Cell i's left is i w - DesplX
//   (the row scrolls with the tree) and its top H - h - 20 (it stays at the
//   bottom whatever DesplY); w and h are 2R, or more when the widest value in
//   the row, or the widest position over it, needs more room.
// - Texts are placed by their cell: "top" is the top of the line (baseline at
//   top + ascent), widths are advances and heights ascent + descent.
// - Labels: a key is centred on its node in the largest size, from the
//   font's down to 7 points, that fits across the circle; longer still, it
//   sits over a box of the node's fill and outline. A balance factor or a
//   black height touches the circle at its upper right, a heap position
//   sits just below the circle, each over a patch of background, in the
//   font's size less one point but not under 8 (nor above the font's). In
//   image mode the circle is the node picture's, whatever R.
//
// Pictures: the destination is a 32-bit picture (Format_RGB32; any other
// picture is replaced by one of its size). In 8-bit display mode the node
// image set holds palette pictures, which Qt cannot paint into; TCapasDibujo
// gives the drawing 32-bit copies of them instead, made once through the
// palette, so that AND and OR on whole pixels show what the palette picture
// would show (see TCapasDibujo).

#include "uColor.h"
#include "uPlataforma.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <cstdint>
#include <vector>

class TArbolBin;
class TImagenesNodos;
class TNodoBin;

// The node image set as 32-bit pictures ready to stamp with CombinarBits.
//
// A 32-bit set is shared as it is (no pixel is copied). An 8-bit set is
// converted: a node, shadow or frame picture becomes its palette colour
// where its hole is black (inside the figure) and black elsewhere, so OR
// keeps the destination there; a hole becomes 0xFF000000 where its index is
// 0x00 and 0xFFFFFFFF where it is 0xFF, so AND clears the figure and keeps
// the rest. Stamping hole then picture thus shows, inside the figure, the
// palette colour of the picture's index, and leaves every other pixel, as
// the same stamps do on a palette picture.
//
// Actualizar may run before every drawing: a picture is taken again only
// when its source changed (after re-tinting or reloading).
class TCapasDibujo {
public:
  void Actualizar(const TImagenesNodos& imagenes);

  bool Hay() const { return Hay_; }
  int TamImg() const { return Tam_; }
  int RadImg() const { return Tam_ / 2; }
  // Layer k (0 node, 1 shadow, 2 node hole, 3 shadow hole) of kind t in
  // state s; a null picture out of range (stamping it changes nothing).
  const QImage& Capa(int tipo, int estado, int capa) const;
  int NumFrames() const { return static_cast<int>(Frames_.size()); }
  const QImage& ImgSecuencia(int f) const;
  const QImage& MascSecuencia(int f) const;
  // The set with every picture resized by tam / TamImg() (the nearest
  // pixel, so that holes keep their two values): itself at its own size.
  // The last few sizes are kept until the set changes.
  const TCapasDibujo& Escaladas(int tam) const;

private:
  // One converted picture and the cache keys of the sources it came from.
  struct TCapa {
    QImage Imagen;
    qint64 Clave = 0, ClaveHueco = 0;
  };
  // Whether the picture was taken again.
  bool Tomar(TCapa& destino, const QImage& fuente, const QImage& hueco, bool esHueco);

  bool Hay_ = false;
  int Tam_ = 0;
  std::array<TCapa, 36> Capas_{};  // [t][s][k] in that order
  std::vector<TCapa> Frames_, Mascaras_;
  mutable std::vector<std::pair<int, std::unique_ptr<TCapasDibujo>>> Escaladas_;
};

// What the drawing keeps of a structure's positions between pictures of
// the same positions seen at other zooms or offsets (the frames of a zoom or
// a pan), so that such a frame costs what is visible, not the whole
// structure. Whoever moves, adds or removes nodes calls Olvidar before the
// next picture; a summary that is not forgotten when it should be draws the
// old positions.
class TResumenVista {
public:
  TResumenVista();
  ~TResumenVista();
  TResumenVista(const TResumenVista&) = delete;
  TResumenVista& operator=(const TResumenVista&) = delete;
  void Olvidar();

  struct TDatos;
  TDatos& Datos() { return *Datos_; }

private:
  std::unique_ptr<TDatos> Datos_;
};

// How a structure is drawn.
struct TAjustesDibujo {
  int TipoGraf = 0;  // 0 drawings with text, 1 drawings without text, 2 images
  bool Sombras = true;
  TColor ColFon = ColorRGB(0xFF, 0xFF, 0xFF);
  TFuente Fuente;
  int R = 15;  // node radius of the drawings
  // A layout point (x, y) is drawn at (x - DesplX, y - DesplY).
  int DesplX = 0, DesplY = 0;
  // The removal frame of NodoBorrado in image mode: (frames - 1) x PasoAnim
  // div PausaNumEtap (at least 1), kept within the frames. Without frames
  // the removed node shows only its number, as in the drawings.
  int PasoAnim = 0, PausaNumEtap = 10;
  // The node pictures; image mode needs TipoGraf 2 and a set that Hay().
  // Without them mode 2 draws as mode 0.
  const TCapasDibujo* Imagenes = nullptr;
  // Skip whatever lies wholly outside the destination. The picture is the
  // same either way; switching it off serves only to check that.
  bool Recortar = true;
  // What the node positions are known to satisfy, give or take 1 px (the
  // rounding of Interpolar). Each lets the walk leave out whole subtrees
  // that cannot reach the destination; set one only when it holds, or
  // nodes go missing. Every layout gives YCreceHaciaAbajo (with R and Sy at
  // least 0); the separated and the complete ones (R and Sx at least 0)
  // give XEnOrdenSimetrico too, the compressed one does not. A blend of
  // two layouts of the same tree keeps what both give. Positions set any
  // other way (a structure loaded, or changed since its last layout) have
  // neither.
  bool YCreceHaciaAbajo = false;   // no node lies above its parent
  bool XEnOrdenSimetrico = false;  // x never decreases in symmetric order
  // The zoom. A layout point (x, y) is drawn at (x EscalaX - DesplX,
  // y EscalaY - DesplY), rounded; the radius, the fonts, the node pictures
  // and the vector row are drawn at EscalaX. EscalaY is never below
  // EscalaX: a layout far wider than tall keeps its levels apart. At 1 and
  // 1 the layout is drawn as it stands, pixel for pixel.
  double EscalaX = 1.0, EscalaY = 1.0;
  // Kept by the owner between pictures (may be nil); see TResumenVista.
  TResumenVista* Resumen = nullptr;
};

// The whole picture: fill with ColFon, the removed node (NodoBorrado), then
// the structure with its nodes in pre-order, each layer over the one before:
// all shadows, all edges, all nodes, all texts, and a heap's vector cells.
// Only what falls inside the destination is drawn. With the position facts of
// TAjustesDibujo the walk also stays out of subtrees that cannot reach it,
// so its cost follows what is visible (plus the paths down to it).
//
// Zoomed (EscalaX, EscalaY other than 1 and 1), the same picture is drawn
// scaled: radius round(R EscalaX) (at least 1), fonts, node pictures (their
// nearest-pixel copies) and the vector row (cell i from floor(i w EscalaX) -
// DesplX, a text only where it fits its cell). Zoomed out until the drawn
// radius is under 6 px, the overview takes over (uVistaGeneral.h): discs
// without text, and under 1.5 px the edges alone; the vector row becomes a
// band of cells. It walks the Resumen (a summary of its own when nil) and
// holds on any positions, position facts or not.
void DibujarEstructura(QImage& destino, const TArbolBin& arbol, const TAjustesDibujo& ajustes);

// The node drawn under pixel (x, y) of a picture drawn with these settings,
// nil for none: in pre-order, the first whose drawn circle holds the pixel,
// a circle never taken as less than a few pixels across, so that a node
// drawn as a dot can still be clicked. The circle is the one drawn at the
// zoom: the drawings', the node picture's, or the overview's disc. With a
// Resumen it skips the subtrees whose box lies away from the pixel.
const TNodoBin* NodoEnPunto(const TArbolBin& arbol, const TAjustesDibujo& ajustes, int x, int y);

// The width of a heap's vector row from layout x 0, drawn with radius R and
// this font (0 for any other structure): a layout at least this wide lets
// the horizontal scroll bar bring every cell into view.
std::int32_t AnchoFilaVector(const TArbolBin& arbol, int R, const TFuente& fuente);

// The offsets at which a view of `vista` shows a drawing `ancho` x `alto`
// pixels large (the root's column drawn at xRaiz), as the canvas frames it.
// Along an axis where the view is larger, the drawing is centred, or with
// the root fixed, its root's column towards the middle (the drawing whole
// inside the view) and its top row at the top. Where the view is smaller,
// `centro` (a drawn point, when given) goes to the middle, else the offset
// stays at `actual`; either within the scroll range 0 .. extent - view - 1.
QPoint EncuadreVista(std::int32_t ancho, std::int32_t alto, std::int32_t xRaiz, QSize vista, bool raizFijada,
                     std::optional<std::array<double, 2>> centro, QPoint actual);

struct TDistribucion;
// The picture the canvas shows at zoom 1 in a view of `vista` when it
// shows a structure whose nodes stand where it says (a recorded stage, or
// a structure just laid out) as new: a copy laid out by `distribuir` gives
// the extent (a heap's vector row included) and the root to centre on; the
// structure itself is drawn with `ajustes` (R the layout's radius; the
// offsets are set here). An EArbol from the layout passes through.
QImage DibujarVista(const TArbolBin& arbol, const std::function<TDistribucion(TArbolBin&)>& distribuir,
                    TAjustesDibujo ajustes, QSize vista, bool raizFijada);
