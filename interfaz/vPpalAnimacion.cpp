// Node-motion animation: the frames between two layouts, driven by Timer1,
// and the command that sets its timing.
#include "vPpal.h"

#include "dAnimacion.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <cmath>

// Whole milliseconds between frames; never 0, so that the timer ticks and
// the motion reaches its end however short the animation time.
int TVentPpal::IntervaloMovimiento() const {
  return std::max(1, PausaAnim / std::max(1, PausaNumEtap));
}

void TVentPpal::IniciarAnimacion() {
  if (!Arbol)
    return;
  Bloqueado = true;
  Paneles[4]->setText(QStringLiteral("*"));
  // The start is what is on screen now, also in the middle of a motion.
  Arbol->GuardarInicio();
  Distribuir();
  Arbol->GuardarDestino();
  DistribucionDestino_ = DistribucionVigente_;
  DistribucionVigente_ = -1;
  // Until the first frame the nodes stay where they are drawn, so a click
  // meanwhile hits what the user sees.
  Arbol->Interpolar(0.0);
  PasoAnim = 0;
  Timer1->setInterval(IntervaloMovimiento());
  Timer1->start();
}

void TVentPpal::Timer1Timer() {
  Ejecutar([this] {
    // A step count below 1 (only from an edited store) counts as 1.
    const int pasos = std::max(1, PausaNumEtap);
    if (PasoAnim < pasos) {
      // Fast at first, slowing down on arrival.
      if (Arbol)
        Arbol->Interpolar(std::sqrt(static_cast<double>(PasoAnim) / pasos));
      ++PasoAnim;
    } else {
      AcabarMovimiento();
    }
    Dibujar();
    LienzoPaint();
  });
}

void TVentPpal::AcabarMovimiento() {
  Timer1->stop();
  if (Arbol)
    Arbol->Interpolar(1.0);
  DistribucionVigente_ = DistribucionDestino_;
  DetenerMovimiento();
}

void TVentPpal::DetenerMovimiento() {
  Timer1->stop();
  // Fewer steps set during the motion must not leave the drawing a frame
  // number past the last one.
  PasoAnim = std::min(PasoAnim, std::max(1, PausaNumEtap));
  // A stage wait in progress keeps the workspace until the user goes on.
  if (EsperasEtapa_ == 0)
    Bloqueado = false;
  Paneles[4]->clear();
  DespertarEsperas();
}

void TVentPpal::ActConfAnimExecute() {
  if (Bloqueado || !DlgAnimacion_)
    return;
  if (DlgAnimacion_->exec() != QDialog::Accepted || !DlgAnimacion_)
    return;
  const auto lectura = DlgAnimacion_->Leer({PausaAnim, PausaPres, PausaNumEtap});
  PausaAnim = lectura.Ajustes.PausaAnim;
  PausaPres = lectura.Ajustes.PausaPres;
  PausaNumEtap = lectura.Ajustes.NumEtapas;
  if (!lectura.Error.isEmpty())
    Mensaje(lectura.Error);
}
