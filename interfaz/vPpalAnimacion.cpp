// Node motion as the window sees it: the lock a motion holds, its mark in
// the status bar, and the command that sets its timing. The frames are the
// canvas's.
#include "vPpal.h"

#include "dAnimacion.h"

#include <QLabel>

void TVentPpal::IniciarAnimacion() {
  if (!Arbol_)
    return;
  Lienzo_->IniciarMovimiento();
  Bloqueado_ = true;
  Paneles_[4]->setText(QStringLiteral("*"));
}

void TVentPpal::MovimientoAcabado() {
  Bloqueado_ = false;
  Paneles_[4]->clear();
}

void TVentPpal::ActConfAnimExecute() {
  if (Bloqueado_ || !DlgAnimacion_)
    return;
  if (DlgAnimacion_->exec() != QDialog::Accepted || !DlgAnimacion_)
    return;
  const auto lectura = DlgAnimacion_->Leer({PausaAnim_, PausaPres_, PausaNumEtap_});
  PausaAnim_ = lectura.Ajustes.PausaAnim;
  PausaPres_ = lectura.Ajustes.PausaPres;
  PausaNumEtap_ = lectura.Ajustes.NumEtapas;
  if (!lectura.Error.isEmpty())
    Mensaje(lectura.Error);
}
