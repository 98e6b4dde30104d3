#pragma once
// The canvas: the structure drawn into an off-screen picture, seen through a
// drawing area with two scroll bars, and the node motion between two
// layouts. It owns its picture, its offsets, its bars, its motion timer and
// the layout; it knows nothing of the tool bar, the commands or the dialogs.
// Its owner gives it the structure, a source of presentation settings and a
// word on whether the structure is in the middle of a change, and listens
// to its signals (a click, the end of a motion, a layout error).

#include "uColor.h"
#include "uPlataforma.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QScrollBar;
class QTimer;
class TArbolBin;
class TCapasDibujo;
class TImagenesNodos;

// What the canvas needs to lay out, draw and move the nodes.
struct TAjustesLienzo {
  int Radio = 15, SepX = 2, SepY = 5;
  int TipoDist = 0;  // 0 "Separada", 1 "Comprimida", 2 "Completa"
  int TipoDisp = 0;  // 0 centred in the view, 1 the root fixed at the top
  int TipoGraf = 0;  // 0 drawings with text, 1 without text, 2 node pictures
  bool Sombras = true;
  TColor ColFon = ColorRGB(0xFF, 0xFF, 0xFF);
  TFuente Fuente;
  const TImagenesNodos* Imagenes = nullptr;  // the node pictures, if any
  int PausaAnim = 1000;  // milliseconds of a motion
  int Pasos = 10;        // frames of a motion (below 1 counts as 1)
};

class TLienzo final : public QWidget {
  Q_OBJECT
public:
  explicit TLienzo(QWidget* padre);
  ~TLienzo() override;

  // The structure shown is whatever the owner's pointer holds at the time
  // (none with a null owner).
  void PonerEstructura(const std::unique_ptr<TArbolBin>* arbol);
  // Another structure shown in its place while set (nil: the owner's
  // again), owned by the caller: a stage of a recorded operation. Its nodes
  // stand where it says; the layouts only frame it (bars and offsets for
  // where its shape would be laid out) and never move them. Nothing drawn.
  void PonerVista(TArbolBin* vista);
  TArbolBin* Vista() const { return Vista_; }
  // The owner's layout applied to any structure (the recording's layouts):
  // positions and sizes for the settings as they stand, nothing framed or
  // drawn. A failed layout writes nothing and is reported as by Distribuir.
  void DistribuirOtro(TArbolBin& arbol);
  // Asked at every layout, drawing and frame: the settings as they stand.
  // Without a source the last settings given stay.
  void PonerFuenteAjustes(std::function<TAjustesLienzo()> leer);
  void PonerAjustes(const TAjustesLienzo& ajustes) { Ajustes_ = ajustes; }
  // The settings of the last layout (radius and separations) and drawing.
  const TAjustesLienzo& Ajustes() const { return Ajustes_; }
  // True while the structure is in the middle of a change (an operation
  // runs, or the workspace is locked): its positions are then no layout's.
  void PonerEnCambio(std::function<bool()> enCambio) { EnCambio_ = std::move(enCambio); }

  // A structure that replaced the one shown: any motion stopped, laid out
  // and drawn at once, with the view centred on the root as far as the
  // scroll bars reach.
  void MostrarNueva();
  // Lays out, draws and shows.
  void Refrescar();
  // Draws and shows, the nodes where they stand.
  void Redibujar();
  // Node positions for the settings, scroll bars and offsets.
  void Distribuir();
  // The whole picture, not yet shown.
  void Dibujar();
  // The positions are no layout's until the next one (the structure is
  // about to change, or was replaced).
  void OlvidarDistribucion() { DistribucionVigente_ = -1; }

  // The nodes glide from where they are drawn to the new layout.
  void IniciarMovimiento();
  // The nodes glide along the motion their structure holds (XIni, YIni to
  // XFin, YFin), framed for its shape: a stage's recorded change.
  void Deslizar();
  // The motion's last frame (every node at its destination), then
  // DetenerMovimiento.
  void AcabarMovimiento();
  // Ends a motion where it stands; MovimientoAcabado follows.
  void DetenerMovimiento();
  bool EnMovimiento() const;

  // A view of w x h for the next layout and drawing, as a resize of the
  // drawing area gives it (nothing laid out).
  void PonerTamano(QSize tam);
  const QImage& Imagen() const { return Imagen_; }
  int DesplX() const { return DesplX_; }
  int DesplY() const { return DesplY_; }
  QWidget* Area() const { return Area_; }
  QScrollBar* sbHoriz() const { return sbHoriz_; }
  QScrollBar* sbVert() const { return sbVert_; }
  QTimer* Timer1() const { return Timer1_; }

Q_SIGNALS:
  // A click on the drawing area, at this layout point.
  void Pulsado(std::int32_t x, std::int32_t y);
  // A motion ended or was stopped.
  void MovimientoAcabado();
  // A layout failed with this text; the same failure is reported once,
  // until a layout succeeds again.
  void ErrorDistribucion(const QString& texto);

private:
  friend class TAreaLienzo;
  void Pintar(QPainter& pintor);
  void Redimensionar(QSize tam);
  void Pulsar(QPoint p);
  void Fotograma();
  // The frames from the nodes' start fields to their destination fields.
  void ArrancarMovimiento(TArbolBin& arbol);
  void LeerAjustes(bool paraDistribuir);
  int IntervaloMovimiento() const;
  TArbolBin* Arbol() const;

  void NotificarError(const QString& texto, bool diferido);

  const std::unique_ptr<TArbolBin>* Arbol_ = nullptr;
  TArbolBin* Vista_ = nullptr;
  std::function<TAjustesLienzo()> LeerAjustes_;
  std::function<bool()> EnCambio_;
  TAjustesLienzo Ajustes_;
  QWidget* Area_ = nullptr;
  QScrollBar* sbHoriz_ = nullptr;
  QScrollBar* sbVert_ = nullptr;
  QTimer* Timer1_ = nullptr;
  // Always a 32-bit picture: in 8-bit mode the node pictures are stamped
  // as 32-bit copies (see uDibujo.h).
  QImage Imagen_;
  int DesplX_ = 0, DesplY_ = 0;
  int PasoAnim_ = 0;
  std::unique_ptr<TCapasDibujo> Capas_;
  QString UltimoError_;
  // The distribution whose layout of the current tree the nodes stand at
  // (-1: none known: a tree changed by the stages of an operation, a motion
  // under way, a failed layout, a structure just replaced). The drawing may
  // skip subtrees off the picture only on such positions.
  int DistribucionVigente_ = -1;
  int DistribucionDestino_ = -1;  // the same for the end of a running motion
  bool Redimensionando_ = false;
  // The next layout puts the root in the middle of the view (within the
  // scroll range) instead of keeping the offsets.
  bool CentrarEnRaiz_ = false;
};
