#include "uLienzo.h"

#include "uArbolBin.h"
#include "uDibujo.h"

#include <QGridLayout>
#include <QMouseEvent>
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
  void mousePressEvent(QMouseEvent* evento) override { Lienzo_.Pulsar(evento->position().toPoint()); }

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
    Redibujar();
  });
  connect(sbVert_, &QScrollBar::valueChanged, this, [this](int posicion) {
    DesplY_ = posicion;
    Redibujar();
  });
}

TLienzo::~TLienzo() = default;

void TLienzo::PonerEstructura(const std::unique_ptr<TArbolBin>* arbol) {
  Arbol_ = arbol;
  DistribucionVigente_ = -1;
}

void TLienzo::PonerFuenteAjustes(std::function<TAjustesLienzo()> leer) { LeerAjustes_ = std::move(leer); }

void TLienzo::PonerVista(TArbolBin* vista) {
  if (EnMovimiento())
    Timer1_->stop();
  Vista_ = vista;
  DistribucionVigente_ = -1;
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
  Redimensionando_ = true;
  const auto fin = qScopeGuard([this] { Redimensionando_ = false; });
  Distribuir();
  Dibujar();
}

void TLienzo::Pintar(QPainter& pintor) { pintor.drawImage(0, 0, Imagen_); }

void TLienzo::Pulsar(QPoint p) {
  Q_EMIT Pulsado(A32(std::int64_t{p.x()} + DesplX_), A32(std::int64_t{p.y()} + DesplY_));
}

void TLienzo::Distribuir() {
  LeerAjustes(true);
  TArbolBin* arbol = Arbol();
  if (!arbol)
    return;
  const TAjustesLienzo& a = Ajustes_;
  const int W = Imagen_.width(), H = Imagen_.height();
  const bool raizFijada = a.TipoDisp == 1;
  // A view keeps its positions: a copy of it is laid out, for the frame.
  std::unique_ptr<TArbolBin> copia = Vista_ ? Vista_->Clonar() : nullptr;
  if (copia)
    arbol = copia.get();

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

  // The bars take their new state without reporting it back: the offsets
  // are already decided here.
  const QSignalBlocker bloqueoH(sbHoriz_);
  const QSignalBlocker bloqueoV(sbVert_);
  // A new structure's root in the middle of the view; then the limits.
  const TNodoBin* raiz = CentrarEnRaiz_ ? arbol->Raiz : nullptr;
  if (W < d.Ancho) {
    if (raiz)
      DesplX_ = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{raiz->X} - W / 2, INT_MIN, INT_MAX));
    DesplX_ = std::max(0, std::min(DesplX_, d.Ancho - W - 1));
    PonerBarra(sbHoriz_, d.Ancho, W, DesplX_);
  } else {
    sbHoriz_->setEnabled(false);
    if (raizFijada) {
      std::int64_t x = d.Ancho - d.XRaiz > W / 2 ? std::int64_t{d.Ancho} - W - d.XRaiz / 2
                                                : (std::int64_t{d.XRaiz} - W) / 2;
      // The picture fits the view, and no bar can bring back what would
      // lie beyond its edges: it stays whole inside them.
      x = std::clamp<std::int64_t>(x, std::int64_t{d.Ancho} - W, 0);
      DesplX_ = static_cast<int>(x);
    } else {
      DesplX_ = static_cast<int>((std::int64_t{d.Ancho} - W) / 2);
    }
  }
  if (H < d.Alto) {
    if (raiz)
      DesplY_ = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{raiz->Y} - H / 2, INT_MIN, INT_MAX));
    DesplY_ = std::max(0, std::min(DesplY_, d.Alto - H - 1));
    PonerBarra(sbVert_, d.Alto, H, DesplY_);
  } else {
    sbVert_->setEnabled(false);
    DesplY_ = raizFijada ? 0 : static_cast<int>((std::int64_t{d.Alto} - H) / 2);
  }
}

void TLienzo::Dibujar() {
  LeerAjustes(false);
  const TAjustesLienzo& aj = Ajustes_;
  TArbolBin* arbol = Arbol();
  if (!arbol)
    return;
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
  // Between changes and motions the nodes stand where the last layout put
  // them (a failed layout leaves its error text). During a change the
  // stages show a changed tree at its old places, and a motion starts from
  // those places: no position fact holds then.
  if (DistribucionVigente_ >= 0 && !(EnCambio_ && EnCambio_()) && !EnMovimiento() && arbol->Radio >= 0 &&
      arbol->SepX >= 0 && arbol->SepY >= 0) {
    a.YCreceHaciaAbajo = true;
    a.XEnOrdenSimetrico = DistribucionVigente_ != 1;
  }
  DibujarEstructura(Imagen_, *arbol, a);
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
