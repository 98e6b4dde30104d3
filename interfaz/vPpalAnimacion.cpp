// Node-motion animation: the frames between two layouts, driven by Timer1,
// and the command that sets its timing.
#include "vPpal.h"

#include "dAnimacion.h"

#include <QLineEdit>
#include <QSpinBox>

void TVentPpal::IniciarAnimacion() { Refrescar(); }
void TVentPpal::Timer1Timer() {}

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
