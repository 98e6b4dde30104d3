// The main window's side of the canvas: the settings it reads, its signals,
// the redraws the drivers ask for, the statistics and the zoom in the status
// bar, the zoom commands, F5 and the presentation command.
#include "vPpal.h"

#include "dPresentacion.h"

#include <QLabel>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// printf's "%.<decimales>f" with the decimal separator of the user's locale
// (digits and grouping stay as printf writes them).
QString Decimal(double v, int decimales) {
  return QString::number(v, 'f', decimales).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

}  // namespace

void TVentPpal::ConectarLienzo() {
  Lienzo_->PonerEstructura(&Arbol_);
  Lienzo_->PonerFuenteAjustes([this] { return AjustesLienzo(); });
  Lienzo_->PonerEnCambio([this] { return Bloqueado_; });
  connect(Lienzo_, &TLienzo::Pulsado, this, &TVentPpal::LienzoMouseDown);
  connect(Lienzo_, &TLienzo::MovimientoAcabado, this, &TVentPpal::MovimientoAcabado);
  connect(Lienzo_, &TLienzo::ErrorDistribucion, this, &TVentPpal::Mensaje);
  connect(Lienzo_, &TLienzo::ZoomCambiado, this, &TVentPpal::MostrarZoom);
}

TAjustesLienzo TVentPpal::AjustesLienzo() {
  TAjustesLienzo a = Lienzo_->Ajustes();
  if (DlgPres_) {
    const TAjustesPresentacion p = DlgPres_->Ajustes();
    a.Radio = p.NodoRad;
    a.SepX = p.NodoSx;
    a.SepY = p.NodoSy;
    a.TipoDist = p.TipoDist;
    a.TipoDisp = p.TipoDisp;
    a.TipoGraf = p.TipoGraf;
    a.Sombras = p.Sombras;
    a.ColFon = p.ColFon;
    a.Fuente = p.Fuente;
    if (DlgPres_->FondoCambiado) {
      DlgPres_->FondoCambiado = false;
      Imagenes_.TintarSombras(a.ColFon);
    }
  }
  a.Imagenes = HayImagenes_ ? &Imagenes_ : nullptr;
  a.PausaAnim = static_cast<int>(std::lround(PausaAnim_ * (Conductor_ ? Conductor_->EscalaVelocidad() : 1.0)));
  a.Pasos = PausaNumEtap_;
  return a;
}

void TVentPpal::Refrescar() { Lienzo_->Refrescar(); }


void TVentPpal::ActualizarEstado() {
  const std::int32_t n = Arbol_ ? Arbol_->NumNodos : 0;
  Paneles_[0]->setText(QStringLiteral("n = ") + QString::number(n));
  Paneles_[1]->setText(n <= 0 ? QStringLiteral("lg(n) = 0")
                             : QStringLiteral("lg(n) = ") + Decimal(std::log2(static_cast<double>(n)), 3));
  Paneles_[2]->setText(QStringLiteral("h = ") + QString::number(Arbol_ ? Arbol_->Altura() : 0));
  Paneles_[3]->setText(QStringLiteral("op. prom. = ") + Decimal(Arbol_ ? Arbol_->OpPromedio() : 0.0, 2));
  HistoriaCambiada();
}

TVariante TVentPpal::VarianteElegida() const {
  return DlgPres_ && DlgPres_->Algoritmos() == 1 ? TVariante::Libro : TVariante::Original;
}

// Run whenever a structure is put in place and when the choice changes; a
// redo runs with its step's variant and the driver puts the chosen one back.
void TVentPpal::AplicarVariante() {
  const TVariante v = VarianteElegida();
  if (Arbol_)
    Arbol_->Variante = v;
  if (PanelVariante_)
    PanelVariante_->setVisible(v != TVariante::Original);
}

void TVentPpal::MostrarZoom() {
  if (!PanelZoom_)
    return;
  // Whole percents, or two significant digits below 10 %.
  const double p = Lienzo_->Zoom() * 100.0;
  const int decimales = p >= 10.0 ? 0 : std::clamp(1 - static_cast<int>(std::floor(std::log10(p))), 1, 6);
  PanelZoom_->setText(QStringLiteral("Zoom: ") + Decimal(p, decimales) + QStringLiteral(" %") +
                      (Lienzo_->ZoomAjustado() ? QStringLiteral(" (ajustado)") : QString()));
}

// The zoom is a view of the structure: it works during operations, motions
// and playbacks too.
void TVentPpal::ActAcercarExecute() { Lienzo_->Acercar(); }
void TVentPpal::ActAlejarExecute() { Lienzo_->Alejar(); }
void TVentPpal::ActAjustarZoomExecute() { Lienzo_->AjustarZoom(); }
void TVentPpal::ActTamanoRealExecute() { Lienzo_->PonerZoom(1.0); }

void TVentPpal::ActConfiguracionExecute() {
  if (Bloqueado_ || !DlgPres_)
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
