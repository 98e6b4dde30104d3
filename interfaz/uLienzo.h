#pragma once
// The canvas: the structure drawn into an off-screen picture, seen through a
// drawing area with two scroll bars at a zoom, and the node motion between
// two layouts. It owns its picture, its zoom, its offsets, its bars, its
// motion timer and the layout; it knows nothing of the tool bar, the
// commands or the dialogs.
//
// Zoom: a layout point (x, y) is drawn at (round(x EscalaX()) - DesplX(),
// round(y EscalaY()) - DesplY()); offsets, bars and extents count zoomed
// pixels. At zoom 1 everything is the layout's own pixels.
// Its owner gives it the structure, a source of presentation settings and a
// word on whether the structure is in the middle of a change, and listens
// to its signals (a click, the end of a motion, a layout error).

#include "uColor.h"
#include "uDibujo.h"
#include "uPlataforma.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QScrollBar;
class QTimer;
class QWheelEvent;
class QMouseEvent;
class TArbolBin;
class TImagenesNodos;
class TNodoBin;

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
  void OlvidarDistribucion() {
    DistribucionVigente_ = -1;
    Resumen_.Olvidar();
  }

  // The zoom (1: 100 %). It is kept across layouts, motions, stages and
  // new structures, within ZoomMinimo() to ZoomMaximo() for the last layout
  // and the view: from min(fit, 1) to 4, less where the zoomed extents
  // would come near the int range.
  double Zoom() const { return Zoom_; }
  double ZoomMinimo() const;
  double ZoomMaximo() const;
  // The largest zoom up to 4 that shows the whole last layout (a heap's
  // vector row included) in the view.
  double ZoomAjuste() const;
  bool ZoomAjustado() const;
  // The zoom z (within its range); the layout point under the area pixel
  // "ancla" stays under it as far as the scroll range allows. Without an
  // anchor, the view's centre.
  void PonerZoom(double z, QPointF ancla);
  void PonerZoom(double z);
  // One step (x1.25) in or out around the view's centre; a step that
  // crosses 100 % stops there.
  void Acercar();
  void Alejar();
  void AjustarZoom() { PonerZoom(ZoomAjuste()); }
  double EscalaX() const { return EscalaX_; }
  double EscalaY() const { return EscalaY_; }
  // The area pixel where a layout point is drawn.
  QPoint PuntoEnArea(std::int64_t x, std::int64_t y) const;

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
  // The picture this canvas shows, with its settings at zoom 1 in a view
  // of `vista` (its own size: Imagen().size()), of a structure whose nodes
  // stand where it says when shown as new (see DibujarVista): a recorded
  // stage, or a structure laid out. An EArbol from the layout passes through.
  QImage ImagenVista(const TArbolBin& arbol, QSize vista);
  int DesplX() const { return DesplX_; }
  int DesplY() const { return DesplY_; }
  QWidget* Area() const { return Area_; }
  QScrollBar* sbHoriz() const { return sbHoriz_; }
  QScrollBar* sbVert() const { return sbVert_; }
  QTimer* Timer1() const { return Timer1_; }

Q_SIGNALS:
  // A left click on the drawing area, at this layout point. At zoom 1 the
  // point clicked; at any other zoom only a click on a drawn node, at that
  // node's centre.
  void Pulsado(std::int32_t x, std::int32_t y);
  // The zoom changed (also to or from the fit).
  void ZoomCambiado(double zoom);
  // A motion ended or was stopped.
  void MovimientoAcabado();
  // A layout failed with this text; the same failure is reported once,
  // until a layout succeeds again.
  void ErrorDistribucion(const QString& texto);

private:
  friend class TAreaLienzo;
  void Pintar(QPainter& pintor);
  void Redimensionar(QSize tam);
  void Pulsar(QMouseEvent* evento);
  void Mover(QMouseEvent* evento);
  void Soltar(QMouseEvent* evento);
  void Rueda(QWheelEvent* evento);
  void Fotograma();
  // The drawing settings of the picture as it stands.
  TAjustesDibujo AjustesDibujo();
  // Scales, zoomed extents, bars and offsets for the zoom and the last
  // layout; the root in the middle of the view when given.
  void Encuadrar(const TNodoBin* raiz);
  // The picture redrawn for a new zoom or offset: the positions are the same.
  void RedibujarVista();
  void AvisarZoom();
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
  double Zoom_ = 1.0, EscalaX_ = 1.0, EscalaY_ = 1.0;
  double ZoomAvisado_ = 1.0;
  bool AjusteAvisado_ = false;
  // The last layout's extents and root abscissa, in layout units.
  std::int32_t AnchoDist_ = 0, AltoDist_ = 0, XRaizDist_ = 0;
  // A drag that moves the view: where it started, and the offsets then.
  bool Arrastrando_ = false;
  QPoint InicioArrastre_;
  int DesplXArrastre_ = 0, DesplYArrastre_ = 0;
  // What the drawing keeps between pictures of the same positions.
  TResumenVista Resumen_;
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
