#include "uLienzo.h"

#include "uArbolBin.h"
#include "uDibujo.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

std::int32_t A32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}
std::int32_t A32d(double v) { return A32(static_cast<std::int64_t>(std::clamp(v, -4e9, 4e9))); }

constexpr double kZoomMaximo = 4.0;
constexpr double kPasoZoom = 1.25;
// No zoomed extent beyond this many pixels: offsets, bar ranges and drawn
// coordinates stay far inside int.
constexpr double kExtensionMaxima = 1 << 30;

// A layout extent at a scale, in whole pixels; exact at scale 1.
std::int32_t Extension(std::int32_t largo, double escala) {
  return A32d(std::ceil(std::max(largo, 0) * escala - 1e-9));
}

// A scroll bar over a picture of "largo" pixels seen through "vista" pixels,
// at "posicion". The range is 0 to largo - 1 with a page of vista - 1; Qt's
// range holds the positions the thumb can take, which end where the page
// reaches the last pixel: largo - 1 - (vista - 1) + 1.
void PonerBarra(QScrollBar* barra, std::int32_t largo, int vista, int posicion) {
  const std::int64_t ultimo = std::int64_t{largo} - vista + 1;
  barra->setRange(0, static_cast<int>(std::clamp<std::int64_t>(ultimo, 0, INT_MAX)));
  barra->setPageStep(std::max(vista - 1, 1));
  barra->setValue(posicion);
  barra->setEnabled(true);
}

}  // namespace

// The drawing area: its paint only copies the picture; a new size lays out.
class TAreaLienzo final : public QWidget {
public:
  explicit TAreaLienzo(TLienzo& lienzo) : QWidget(&lienzo), Lienzo_(lienzo) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter pintor(this);
    Lienzo_.Pintar(pintor);
  }
  void resizeEvent(QResizeEvent*) override { Lienzo_.Redimensionar(size()); }
  void mousePressEvent(QMouseEvent* evento) override { Lienzo_.Pulsar(evento); }
  void mouseMoveEvent(QMouseEvent* evento) override { Lienzo_.Mover(evento); }
  void mouseReleaseEvent(QMouseEvent* evento) override { Lienzo_.Soltar(evento); }
  void wheelEvent(QWheelEvent* evento) override {
    if (evento->modifiers() & Qt::ControlModifier)
      Lienzo_.Rueda(evento);
    else
      evento->ignore();
  }

private:
  TLienzo& Lienzo_;
};

TLienzo::TLienzo(QWidget* padre) : QWidget(padre) {
  auto* rejilla = new QGridLayout(this);
  rejilla->setContentsMargins(0, 0, 0, 0);
  rejilla->setSpacing(0);
  Area_ = new TAreaLienzo(*this);
  Area_->setObjectName(QStringLiteral("Area"));
  sbHoriz_ = new QScrollBar(Qt::Horizontal, this);
  sbHoriz_->setObjectName(QStringLiteral("sbHoriz"));
  sbHoriz_->setEnabled(false);
  sbHoriz_->setPageStep(10);
  sbHoriz_->setFocusPolicy(Qt::NoFocus);
  sbVert_ = new QScrollBar(Qt::Vertical, this);
  sbVert_->setObjectName(QStringLiteral("sbVert"));
  sbVert_->setPageStep(10);
  sbVert_->setFocusPolicy(Qt::NoFocus);
  // The vertical bar's resting position; the first layout sets both bars
  // and starts from offsets 0, whatever the bars show.
  sbVert_->setValue(90);
  auto* esquina = new QWidget(this);
  esquina->setFixedSize(17, 17);
  rejilla->addWidget(Area_, 0, 0);
  rejilla->addWidget(sbVert_, 0, 1);
  rejilla->addWidget(sbHoriz_, 1, 0);
  rejilla->addWidget(esquina, 1, 1);
  setFocusPolicy(Qt::NoFocus);

  Timer1_ = new QTimer(this);
  Timer1_->setObjectName(QStringLiteral("Timer1"));
  Timer1_->setInterval(50);
  connect(Timer1_, &QTimer::timeout, this, &TLienzo::Fotograma);
  // Scrolling moves the picture, not the nodes.
  connect(sbHoriz_, &QScrollBar::valueChanged, this, [this](int posicion) {
    DesplX_ = posicion;
    RedibujarVista();
  });
  connect(sbVert_, &QScrollBar::valueChanged, this, [this](int posicion) {
    DesplY_ = posicion;
    RedibujarVista();
  });
}

TLienzo::~TLienzo() = default;

void TLienzo::PonerEstructura(const std::unique_ptr<TArbolBin>* arbol) {
  Arbol_ = arbol;
  OlvidarDistribucion();
}

void TLienzo::PonerFuenteAjustes(std::function<TAjustesLienzo()> leer) { LeerAjustes_ = std::move(leer); }

void TLienzo::PonerVista(TArbolBin* vista) {
  if (EnMovimiento())
    Timer1_->stop();
  Vista_ = vista;
  OlvidarDistribucion();
}

TArbolBin* TLienzo::Arbol() const {
  if (Vista_)
    return Vista_;
  return Arbol_ ? Arbol_->get() : nullptr;
}

void TLienzo::NotificarError(const QString& texto, bool diferido) {
  // The same failure is reported once, not at every resize or change of
  // the settings, until a layout succeeds again.
  if (texto == UltimoError_)
    return;
  UltimoError_ = texto;
  if (diferido)  // no modal box inside a resize or an operation
    QTimer::singleShot(0, this, [this, texto] { Q_EMIT ErrorDistribucion(texto); });
  else
    Q_EMIT ErrorDistribucion(texto);
}

namespace {

TDistribucion DistribuirCon(TArbolBin& arbol, const TAjustesLienzo& a) {
  return a.TipoDist == 0   ? arbol.DistribuirSeparada(a.Radio, a.SepX, a.SepY)
         : a.TipoDist == 1 ? arbol.DistribuirComprimida(a.Radio, a.SepX, a.SepY)
                           : arbol.DistribuirCompleta(a.Radio, a.SepX, a.SepY);
}

}  // namespace

void TLienzo::DistribuirOtro(TArbolBin& arbol) {
  LeerAjustes(true);
  Resumen_.Olvidar();
  try {
    DistribuirCon(arbol, Ajustes_);
  } catch (const EArbol& e) {
    NotificarError(QString::fromUtf8(e.what()), true);
  }
}

void TLienzo::LeerAjustes(bool paraDistribuir) {
  if (!LeerAjustes_)
    return;
  const TAjustesLienzo medidas = Ajustes_;
  Ajustes_ = LeerAjustes_();
  if (paraDistribuir)
    return;
  // Between layouts the measures stay the last layout's: the picture
  // matches the positions.
  Ajustes_.Radio = medidas.Radio;
  Ajustes_.SepX = medidas.SepX;
  Ajustes_.SepY = medidas.SepY;
  Ajustes_.TipoDist = medidas.TipoDist;
  Ajustes_.TipoDisp = medidas.TipoDisp;
}

bool TLienzo::EnMovimiento() const { return Timer1_->isActive(); }

void TLienzo::PonerTamano(QSize tam) { Imagen_ = QImage(tam, QImage::Format_RGB32); }

void TLienzo::Redimensionar(QSize tam) {
  if (Imagen_.size() == tam)
    return;
  PonerTamano(tam);
  Resumen_.Olvidar();
  Redimensionando_ = true;
  const auto fin = qScopeGuard([this] { Redimensionando_ = false; });
  Distribuir();
  Dibujar();
}

void TLienzo::Pintar(QPainter& pintor) { pintor.drawImage(0, 0, Imagen_); }

void TLienzo::Pulsar(QMouseEvent* evento) {
  const QPoint p = evento->position().toPoint();
  const bool izquierdo = evento->button() == Qt::LeftButton;
  if (!izquierdo && evento->button() != Qt::MiddleButton)
    return;
  const TArbolBin* arbol = Arbol();
  const TNodoBin* nodo = izquierdo && arbol ? NodoEnPunto(*arbol, AjustesDibujo(), p.x(), p.y()) : nullptr;
  // The middle button, or the left one off every node, drags the view.
  if (!nodo && !Arrastrando_) {
    Arrastrando_ = true;
    InicioArrastre_ = p;
    DesplXArrastre_ = DesplX_;
    DesplYArrastre_ = DesplY_;
    Area_->setCursor(Qt::ClosedHandCursor);
  }
  if (!izquierdo)
    return;
  // At 100 % the engine's own hit test sees what is drawn; at any other
  // zoom its radius is not the drawn one, so it gets the centre of the
  // node drawn under the cursor, or nothing.
  if (Zoom_ == 1.0)
    Q_EMIT Pulsado(A32(std::int64_t{p.x()} + DesplX_), A32(std::int64_t{p.y()} + DesplY_));
  else if (nodo)
    Q_EMIT Pulsado(nodo->X, nodo->Y);
}

void TLienzo::Mover(QMouseEvent* evento) {
  if (!Arrastrando_)
    return;
  const QPoint d = evento->position().toPoint() - InicioArrastre_;
  const auto mover = [](QScrollBar* barra, int inicio, int delta) {
    if (barra->isEnabled())
      barra->setValue(static_cast<int>(std::clamp<std::int64_t>(std::int64_t{inicio} - delta, barra->minimum(), barra->maximum())));
  };
  {
    // Both bars, then one picture.
    const QSignalBlocker bloqueoH(sbHoriz_);
    const QSignalBlocker bloqueoV(sbVert_);
    mover(sbHoriz_, DesplXArrastre_, d.x());
    mover(sbVert_, DesplYArrastre_, d.y());
  }
  const int x = sbHoriz_->isEnabled() ? sbHoriz_->value() : DesplX_;
  const int y = sbVert_->isEnabled() ? sbVert_->value() : DesplY_;
  if (x == DesplX_ && y == DesplY_)
    return;
  DesplX_ = x;
  DesplY_ = y;
  RedibujarVista();
}

void TLienzo::Soltar(QMouseEvent* evento) {
  if (!Arrastrando_ || (evento->buttons() & (Qt::LeftButton | Qt::MiddleButton)))
    return;
  Arrastrando_ = false;
  Area_->unsetCursor();
}

void TLienzo::Rueda(QWheelEvent* evento) {
  // 120 eighths of a degree are one notch; a device that reports pixels
  // only counts 120 of them as one too.
  int delta = evento->angleDelta().y();
  if (delta == 0)
    delta = evento->pixelDelta().y();
  evento->accept();
  if (delta == 0)
    return;
  const double factor = std::pow(kPasoZoom, delta / 120.0);
  double z = Zoom_ * factor;
  if ((Zoom_ < 1.0 && z > 1.0) || (Zoom_ > 1.0 && z < 1.0))
    z = 1.0;
  PonerZoom(z, evento->position());
}

// ---------------------------------------------------------------- zoom

double TLienzo::ZoomAjuste() const {
  const int W = Imagen_.width(), H = Imagen_.height();
  double z = kZoomMaximo;
  if (W > 0 && AnchoDist_ > 0)
    z = std::min(z, double(W) / AnchoDist_);
  if (H > 0 && AltoDist_ > 0)
    z = std::min(z, double(H) / AltoDist_);
  return std::min(z, ZoomMaximo());
}

double TLienzo::ZoomMaximo() const {
  const std::int32_t largo = std::max(AnchoDist_, AltoDist_);
  return largo > 0 ? std::min(kZoomMaximo, kExtensionMaxima / largo) : kZoomMaximo;
}

double TLienzo::ZoomMinimo() const {
  // Without a view there is nothing to fit: no zoom is taken away.
  if (Imagen_.width() <= 0 || Imagen_.height() <= 0)
    return std::min(Zoom_, 1.0);
  return std::min(ZoomAjuste(), 1.0);
}

bool TLienzo::ZoomAjustado() const { return std::abs(Zoom_ - ZoomAjuste()) <= 1e-9 * Zoom_; }

void TLienzo::PonerZoom(double z) { PonerZoom(z, QPointF(Imagen_.width() / 2.0, Imagen_.height() / 2.0)); }

void TLienzo::PonerZoom(double z, QPointF ancla) {
  if (!std::isfinite(z))
    return;
  z = std::clamp(z, ZoomMinimo(), std::max(ZoomMinimo(), ZoomMaximo()));
  if (z == Zoom_)
    return;
  // The layout point under the anchor, before and after.
  const double x = (ancla.x() + DesplX_) / EscalaX_, y = (ancla.y() + DesplY_) / EscalaY_;
  Zoom_ = z;
  Encuadrar(nullptr);
  const QSignalBlocker bloqueoH(sbHoriz_);
  const QSignalBlocker bloqueoV(sbVert_);
  if (sbHoriz_->isEnabled()) {
    DesplX_ = std::clamp(A32d(x * EscalaX_ - ancla.x()), sbHoriz_->minimum(), sbHoriz_->maximum());
    sbHoriz_->setValue(DesplX_);
  }
  if (sbVert_->isEnabled()) {
    DesplY_ = std::clamp(A32d(y * EscalaY_ - ancla.y()), sbVert_->minimum(), sbVert_->maximum());
    sbVert_->setValue(DesplY_);
  }
  RedibujarVista();
  AvisarZoom();
}

void TLienzo::Acercar() {
  PonerZoom(Zoom_ < 1.0 && Zoom_ * kPasoZoom > 1.0 ? 1.0 : Zoom_ * kPasoZoom);
}

void TLienzo::Alejar() {
  PonerZoom(Zoom_ > 1.0 && Zoom_ / kPasoZoom < 1.0 ? 1.0 : Zoom_ / kPasoZoom);
}

void TLienzo::AvisarZoom() {
  const bool ajustado = ZoomAjustado();
  if (Zoom_ == ZoomAvisado_ && ajustado == AjusteAvisado_)
    return;
  ZoomAvisado_ = Zoom_;
  AjusteAvisado_ = ajustado;
  Q_EMIT ZoomCambiado(Zoom_);
}

QPoint TLienzo::PuntoEnArea(std::int64_t x, std::int64_t y) const {
  return {A32d(std::round(double(x) * EscalaX_) - DesplX_), A32d(std::round(double(y) * EscalaY_) - DesplY_)};
}

void TLienzo::Distribuir() {
  LeerAjustes(true);
  TArbolBin* arbol = Arbol();
  if (!arbol)
    return;
  const TAjustesLienzo& a = Ajustes_;
  // A view keeps its positions: a copy of it is laid out, for the frame.
  std::unique_ptr<TArbolBin> copia = Vista_ ? Vista_->Clonar() : nullptr;
  if (copia)
    arbol = copia.get();
  Resumen_.Olvidar();

  TDistribucion d;
  try {
    d = DistribuirCon(*arbol, a);
  } catch (const EArbol& e) {
    // A failed layout wrote no position: the structure stays where it was
    // drawn.
    DistribucionVigente_ = -1;
    NotificarError(QString::fromUtf8(e.what()), Redimensionando_);
    return;
  }
  UltimoError_.clear();
  // A heap's vector row scrolls with the tree: the bar must reach its last cell.
  d.Ancho = std::max(d.Ancho, AnchoFilaVector(*arbol, a.Radio, a.Fuente));
  // Stages may go on changing the tree after this layout; outside such a
  // change it is the last word.
  DistribucionVigente_ = Vista_ || (EnCambio_ && EnCambio_() && arbol->MostrarEtapas()) ? -1 : a.TipoDist;

  AnchoDist_ = d.Ancho;
  AltoDist_ = d.Alto;
  XRaizDist_ = d.XRaiz;
  // The zoom kept, within what this layout and view allow.
  Zoom_ = std::clamp(Zoom_, ZoomMinimo(), std::max(ZoomMinimo(), ZoomMaximo()));
  // A new structure's root in the middle of the view; then the limits.
  Encuadrar(CentrarEnRaiz_ ? arbol->Raiz : nullptr);
  AvisarZoom();
}

void TLienzo::Encuadrar(const TNodoBin* raiz) {
  const int W = Imagen_.width(), H = Imagen_.height();
  EscalaX_ = Zoom_;
  // Below 100 % a layout far wider than tall keeps its levels apart, as far
  // as the view's height allows.
  EscalaY_ = Zoom_ >= 1.0 || AltoDist_ <= 0 ? Zoom_ : std::max(Zoom_, std::min(1.0, double(H) / AltoDist_));
  const std::int32_t ancho = Extension(AnchoDist_, EscalaX_), alto = Extension(AltoDist_, EscalaY_);
  std::optional<std::array<double, 2>> centro;
  if (raiz)
    centro = std::array<double, 2>{std::round(raiz->X * EscalaX_), std::round(raiz->Y * EscalaY_)};
  const QPoint d = EncuadreVista(ancho, alto, Extension(XRaizDist_, EscalaX_), {W, H}, Ajustes_.TipoDisp == 1,
                                 centro, {DesplX_, DesplY_});
  DesplX_ = d.x();
  DesplY_ = d.y();
  // The bars take their new state without reporting it back: the offsets
  // are already decided.
  const QSignalBlocker bloqueoH(sbHoriz_);
  const QSignalBlocker bloqueoV(sbVert_);
  if (W < ancho)
    PonerBarra(sbHoriz_, ancho, W, DesplX_);
  else
    sbHoriz_->setEnabled(false);
  if (H < alto)
    PonerBarra(sbVert_, alto, H, DesplY_);
  else
    sbVert_->setEnabled(false);
}

TAjustesDibujo TLienzo::AjustesDibujo() {
  const TAjustesLienzo& aj = Ajustes_;
  const TArbolBin* arbol = Arbol();
  TAjustesDibujo a;
  a.TipoGraf = aj.TipoGraf;
  a.Sombras = aj.Sombras;
  a.ColFon = aj.ColFon;
  a.Fuente = aj.Fuente;
  if (aj.Imagenes) {
    if (!Capas_)
      Capas_ = std::make_unique<TCapasDibujo>();
    Capas_->Actualizar(*aj.Imagenes);
    a.Imagenes = Capas_.get();
  }
  a.R = aj.Radio;
  a.DesplX = DesplX_;
  a.DesplY = DesplY_;
  a.PasoAnim = PasoAnim_;
  a.PausaNumEtap = aj.Pasos;
  a.EscalaX = EscalaX_;
  a.EscalaY = EscalaY_;
  a.Resumen = &Resumen_;
  // Between changes and motions the nodes stand where the last layout put
  // them (a failed layout leaves its error text). During a change the
  // stages show a changed tree at its old places, and a motion starts from
  // those places: no position fact holds then.
  if (arbol && DistribucionVigente_ >= 0 && !(EnCambio_ && EnCambio_()) && !EnMovimiento() && arbol->Radio >= 0 &&
      arbol->SepX >= 0 && arbol->SepY >= 0) {
    a.YCreceHaciaAbajo = true;
    a.XEnOrdenSimetrico = DistribucionVigente_ != 1;
  }
  return a;
}

QImage TLienzo::ImagenVista(const TArbolBin& arbol, QSize vista) {
  LeerAjustes(false);
  TAjustesDibujo a = AjustesDibujo();
  a.YCreceHaciaAbajo = a.XEnOrdenSimetrico = false;
  const TAjustesLienzo medidas = Ajustes_;
  return DibujarVista(
      arbol, [&medidas](TArbolBin& copia) { return DistribuirCon(copia, medidas); }, a, vista,
      medidas.TipoDisp == 1);
}

void TLienzo::Dibujar() {
  // The owner asks for a picture when the positions may have changed.
  Resumen_.Olvidar();
  LeerAjustes(false);
  if (const TArbolBin* arbol = Arbol())
    DibujarEstructura(Imagen_, *arbol, AjustesDibujo());
}

void TLienzo::RedibujarVista() {
  LeerAjustes(false);
  if (const TArbolBin* arbol = Arbol())
    DibujarEstructura(Imagen_, *arbol, AjustesDibujo());
  Area_->update();
}

void TLienzo::Redibujar() {
  Dibujar();
  Area_->update();
}

void TLienzo::Refrescar() {
  Distribuir();
  Redibujar();
}

void TLienzo::MostrarNueva() {
  // The positions of a motion under way belong to the structure replaced.
  if (EnMovimiento())
    DetenerMovimiento();
  {
    CentrarEnRaiz_ = true;
    const auto fin = qScopeGuard([this] { CentrarEnRaiz_ = false; });
    Distribuir();
  }
  Redibujar();
}

// Whole milliseconds between frames; never 0, so that the timer ticks and
// the motion reaches its end however short the motion's time.
int TLienzo::IntervaloMovimiento() const {
  return std::max(1, Ajustes_.PausaAnim / std::max(1, Ajustes_.Pasos));
}

void TLienzo::IniciarMovimiento() {
  TArbolBin* arbol = Arbol();
  if (!arbol)
    return;
  // The start is what is on screen now, also in the middle of a motion.
  arbol->GuardarInicio();
  Distribuir();
  arbol->GuardarDestino();
  DistribucionDestino_ = DistribucionVigente_;
  DistribucionVigente_ = -1;
  ArrancarMovimiento(*arbol);
}

void TLienzo::ArrancarMovimiento(TArbolBin& arbol) {
  // Until the first frame the nodes stay where they are drawn, so a click
  // meanwhile hits what the user sees.
  arbol.Interpolar(0.0);
  Resumen_.Olvidar();
  PasoAnim_ = 0;
  Timer1_->setInterval(IntervaloMovimiento());
  Timer1_->start();
}

void TLienzo::Deslizar() {
  TArbolBin* arbol = Arbol();
  if (!arbol)
    return;
  Timer1_->stop();
  Distribuir();
  DistribucionDestino_ = -1;
  DistribucionVigente_ = -1;
  ArrancarMovimiento(*arbol);
}

void TLienzo::Fotograma() {
  LeerAjustes(false);
  Resumen_.Olvidar();
  const int pasos = std::max(1, Ajustes_.Pasos);
  if (PasoAnim_ < pasos) {
    // Fast at first, slowing down on arrival.
    if (TArbolBin* arbol = Arbol())
      arbol->Interpolar(std::sqrt(static_cast<double>(PasoAnim_) / pasos));
    ++PasoAnim_;
  } else {
    AcabarMovimiento();
  }
  Redibujar();
}

void TLienzo::AcabarMovimiento() {
  Timer1_->stop();
  if (TArbolBin* arbol = Arbol())
    arbol->Interpolar(1.0);
  Resumen_.Olvidar();
  DistribucionVigente_ = DistribucionDestino_;
  DetenerMovimiento();
}

void TLienzo::DetenerMovimiento() {
  Timer1_->stop();
  LeerAjustes(false);
  // Fewer steps set during the motion must not leave the drawing a frame
  // number past the last one.
  PasoAnim_ = std::min(PasoAnim_, std::max(1, Ajustes_.Pasos));
  Q_EMIT MovimientoAcabado();
}
