// The main window's drawing services: layout with scroll bars and offsets,
// drawing into the off-screen picture, copying it to the canvas, and the
// statistics in the status bar.
#include "vPpal.h"

#include "dPresentacion.h"
#include "uDibujo.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// printf's "%.<decimales>f" with the decimal separator of the user's locale
// (digits and grouping stay as printf writes them).
QString Decimal(double v, int decimales) {
  return QString::number(v, 'f', decimales).replace(QLatin1Char('.'), QLocale().decimalPoint());
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

void TVentPpal::ConectarLienzo() {
  // The vertical bar's resting position; the first layout sets both bars
  // and starts from offsets 0, whatever the bars show.
  sbVert->setValue(90);
  connect(Lienzo, &TLienzo::Pintar, this, &TVentPpal::PintarLienzo);
  connect(sbHoriz, &QScrollBar::valueChanged, this, &TVentPpal::sbHorizChange);
  connect(sbVert, &QScrollBar::valueChanged, this, &TVentPpal::sbVertChange);
}

void TVentPpal::PintarLienzo(QPainter& pintor) {
  if (BufferLienzo.size() != Lienzo->size()) {
    // Always a 32-bit picture: in 8-bit mode the node pictures are stamped
    // as 32-bit copies (see uDibujo.h).
    BufferLienzo = QImage(Lienzo->size(), QImage::Format_RGB32);
    PintandoLienzo_ = true;
    Distribuir();
    Dibujar();
    PintandoLienzo_ = false;
  }
  pintor.drawImage(0, 0, BufferLienzo);
}

void TVentPpal::Distribuir() {
  if (DlgPres_) {
    NodRad = DlgPres_->NodoRad();
    NodSx = DlgPres_->NodoSx();
    NodSy = DlgPres_->NodoSy();
  }
  if (!Arbol)
    return;
  const int W = BufferLienzo.width(), H = BufferLienzo.height();
  const int tipoDist = DlgPres_ ? DlgPres_->TipoDist() : 0;
  const bool raizFijada = DlgPres_ && DlgPres_->TipoDisp() == 1;

  TDistribucion d;
  try {
    d = tipoDist == 0   ? Arbol->DistribuirSeparada(NodRad, NodSx, NodSy)
        : tipoDist == 1 ? Arbol->DistribuirComprimida(NodRad, NodSx, NodSy)
                        : Arbol->DistribuirCompleta(NodRad, NodSx, NodSy);
  } catch (const EArbol& e) {
    // A failed layout wrote no position: the structure stays where it was
    // drawn. The same failure is reported once, not at every repaint, resize
    // or change in the presentation dialog, until a layout succeeds again.
    DistribucionVigente_ = -1;
    const QString texto = QString::fromUtf8(e.what());
    if (texto != ErrorDistribucion_) {
      ErrorDistribucion_ = texto;
      if (PintandoLienzo_)
        QTimer::singleShot(0, this, [this, texto] { Mensaje(texto); });  // no modal box inside a paint
      else
        Mensaje(texto);
    }
    return;
  }
  ErrorDistribucion_.clear();
  // A heap's vector row scrolls with the tree: the bar must reach its last cell.
  d.Ancho = std::max(d.Ancho, AnchoFilaVector(*Arbol, NodRad, DlgPres_ ? DlgPres_->Fuente() : TFuente()));
  // Stages may go on changing the tree after this layout; at the end of an
  // operation without stages, or outside any operation, it is the last word.
  DistribucionVigente_ = OperacionEnCurso() && Arbol->MostrarEtapas() ? -1 : tipoDist;

  // The bars take their new state without reporting it back: the offsets
  // are already decided here.
  const QSignalBlocker bloqueoH(sbHoriz);
  const QSignalBlocker bloqueoV(sbVert);
  // A new structure's root in the middle of the view; then the limits.
  const TNodoBin* raiz = CentrarEnRaiz_ ? Arbol->Raiz : nullptr;
  if (W < d.Ancho) {
    if (raiz)
      DesplX = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{raiz->X} - W / 2, INT_MIN, INT_MAX));
    DesplX = std::max(0, std::min(DesplX, d.Ancho - W - 1));
    PonerBarra(sbHoriz, d.Ancho, W, DesplX);
  } else {
    sbHoriz->setEnabled(false);
    if (raizFijada) {
      std::int64_t x = d.Ancho - d.XRaiz > W / 2 ? std::int64_t{d.Ancho} - W - d.XRaiz / 2
                                                : (std::int64_t{d.XRaiz} - W) / 2;
      // The picture fits the canvas, and no bar can bring back what would
      // lie beyond its edges: it stays whole inside them.
      x = std::clamp<std::int64_t>(x, std::int64_t{d.Ancho} - W, 0);
      DesplX = static_cast<int>(x);
    } else {
      DesplX = static_cast<int>((std::int64_t{d.Ancho} - W) / 2);
    }
  }
  if (H < d.Alto) {
    if (raiz)
      DesplY = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{raiz->Y} - H / 2, INT_MIN, INT_MAX));
    DesplY = std::max(0, std::min(DesplY, d.Alto - H - 1));
    PonerBarra(sbVert, d.Alto, H, DesplY);
  } else {
    sbVert->setEnabled(false);
    DesplY = raizFijada ? 0 : static_cast<int>((std::int64_t{d.Alto} - H) / 2);
  }
}

void TVentPpal::Dibujar() {
  TAjustesDibujo a;
  if (DlgPres_) {
    if (DlgPres_->FondoCambiado) {
      DlgPres_->FondoCambiado = false;
      Imagenes.TintarSombras(DlgPres_->ColFon());
    }
    ColNod = DlgPres_->ColNod();
    a.TipoGraf = DlgPres_->TipoGraf();
    a.Sombras = DlgPres_->Sombras();
    a.ColFon = DlgPres_->ColFon();
    a.Fuente = DlgPres_->Fuente();
  }
  if (!Arbol)
    return;
  if (HayImagenes) {
    if (!CapasDibujo_)
      CapasDibujo_ = std::make_shared<TCapasDibujo>();
    CapasDibujo_->Actualizar(Imagenes);
    a.Imagenes = CapasDibujo_.get();
  }
  a.R = NodRad;
  a.DesplX = DesplX;
  a.DesplY = DesplY;
  a.PasoAnim = PasoAnim;
  a.PausaNumEtap = PausaNumEtap;
  // Between operations and motions the nodes stand where the last layout
  // put them (a failed layout leaves its error text). During an operation
  // the stages show a changed tree at its old places, and a motion starts
  // from those places: no position fact holds then.
  if (DistribucionVigente_ >= 0 && !OperacionEnCurso() && !Bloqueado && !Timer1->isActive() &&
      Arbol->Radio >= 0 && Arbol->SepX >= 0 && Arbol->SepY >= 0) {
    a.YCreceHaciaAbajo = true;
    a.XEnOrdenSimetrico = DistribucionVigente_ != 1;
  }
  DibujarEstructura(BufferLienzo, *Arbol, a);
}

void TVentPpal::LienzoPaint() { Lienzo->update(); }

void TVentPpal::Refrescar() {
  Distribuir();
  Dibujar();
  LienzoPaint();
}

void TVentPpal::MostrarEstructuraNueva() {
  // The positions of a motion under way belong to the structure replaced.
  if (Timer1->isActive())
    DetenerMovimiento();
  // A canvas that changed size since the last paint is taken now, so that
  // the centring is for the view the user will see.
  if (Lienzo->isVisible() && BufferLienzo.size() != Lienzo->size())
    BufferLienzo = QImage(Lienzo->size(), QImage::Format_RGB32);
  {
    CentrarEnRaiz_ = true;
    const auto fin = qScopeGuard([this] { CentrarEnRaiz_ = false; });
    Distribuir();
  }
  Dibujar();
  LienzoPaint();
}

void TVentPpal::ActualizarEstado() {
  const std::int32_t n = Arbol ? Arbol->NumNodos : 0;
  Paneles[0]->setText(QStringLiteral("n = ") + QString::number(n));
  Paneles[1]->setText(n <= 0 ? QStringLiteral("lg(n) = 0")
                             : QStringLiteral("lg(n) = ") + Decimal(std::log2(static_cast<double>(n)), 3));
  Paneles[2]->setText(QStringLiteral("h = ") + QString::number(Arbol ? Arbol->Altura() : 0));
  Paneles[3]->setText(QStringLiteral("op. prom. = ") + Decimal(Arbol ? Arbol->OpPromedio() : 0.0, 2));
}

void TVentPpal::sbHorizChange(int posicion) {
  DesplX = posicion;
  Dibujar();
  LienzoPaint();
}

void TVentPpal::sbVertChange(int posicion) {
  DesplY = posicion;
  Dibujar();
  LienzoPaint();
}

void TVentPpal::ActConfiguracionExecute() {
  if (Bloqueado || !DlgPres_)
    return;
  DlgPres_->MostrarOpciones();
}

// F5 works while an operation is under way too: it only changes how the
// structure is laid out.
void TVentPpal::ActComprimirExecute() {
  if (!DlgPres_)
    return;
  if (DlgPres_->TipoDist() == 0) {
    DlgPres_->PonerDistribucion(1);
    DlgPres_->PonerNodoSx(7);
  } else {
    DlgPres_->PonerDistribucion(0);
    DlgPres_->PonerNodoSx(4);
  }
  Refrescar();
}
