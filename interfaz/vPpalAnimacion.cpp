// Node motion as the window sees it: the lock a motion holds, its mark in
// the status bar, and the command that sets its timing. The frames are the
// canvas's.
#include "vPpal.h"

#include "dAnimacion.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

void TVentPpal::IniciarAnimacion() {
  if (!Arbol)
    return;
  Lienzo->IniciarMovimiento();
  Bloqueado = true;
  Paneles[4]->setText(QStringLiteral("*"));
}

void TVentPpal::MovimientoAcabado() {
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
  bool ok = false;
  const int anim = DlgAnimacion_->edtPausaAnim->text().trimmed().toInt(&ok);
  if (!ok || anim < 0 || anim > Rangos::PausaAnimMax) {
    Mensaje(QStringLiteral("Intervalo temporal de animación erroneo!"));
    return;
  }
  PausaAnim = anim;
  const int pres = DlgAnimacion_->edtPausaPres->text().trimmed().toInt(&ok);
  if (!ok || pres < 0 || pres > Rangos::PausaPresMax) {
    Mensaje(QStringLiteral("Intervalo temporal de pausa de presentación erroneo!"));
    return;
  }
  PausaPres = pres;
  PausaNumEtap = DlgAnimacion_->udNumEtapas->value();
}
