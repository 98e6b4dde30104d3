#include "dAnimacion.h"

#include "uControles.h"
#include "uOpciones.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <optional>

namespace {

QLineEdit* Edicion(const char* nombre, const QString& texto, QWidget* padre) {
  auto* e = Nombrado<QLineEdit>(nombre, texto, padre);
  e->setFixedWidth(56);
  return e;
}

}  // namespace

TDlgAnimacion::TDlgAnimacion(QWidget* padre) : QDialog(padre) {
  setObjectName(QStringLiteral("DlgAnimacion"));
  setWindowTitle(QStringLiteral("Opciones de animación"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  auto* marco = new QGroupBox(QStringLiteral(" Intervalos de tiempo "), this);
  marco->setObjectName(QStringLiteral("GroupBox2"));
  edtPausaAnim = Edicion("edtPausaAnim", QStringLiteral("1000"), marco);
  edtPausaPres = Edicion("edtPausaPres", QStringLiteral("300"), marco);
  auto* rejilla = new QGridLayout(marco);
  rejilla->setVerticalSpacing(4);
  rejilla->addWidget(Etiqueta("Label8", QStringLiteral("Animación:"), marco), 0, 0);
  rejilla->addWidget(edtPausaAnim, 0, 1);
  rejilla->addWidget(Etiqueta("Label9", QStringLiteral("mseg."), marco), 0, 2);
  rejilla->addWidget(Etiqueta("Label10", QStringLiteral("Entre etapas:"), marco), 1, 0);
  rejilla->addWidget(edtPausaPres, 1, 1);
  rejilla->addWidget(Etiqueta("Label11", QStringLiteral("mseg."), marco), 1, 2);
  rejilla->setColumnStretch(3, 1);

  udNumEtapas = new QSpinBox(this);
  udNumEtapas->setObjectName(QStringLiteral("udNumEtapas"));
  udNumEtapas->setRange(2, 50);
  udNumEtapas->setValue(10);
  auto* filaPasos = new QHBoxLayout;
  filaPasos->addWidget(Etiqueta("Label1", QStringLiteral("Pasos de animación:"), this));
  filaPasos->addWidget(udNumEtapas);
  filaPasos->addStretch(1);

  auto* izquierda = new QVBoxLayout;
  izquierda->addWidget(marco);
  izquierda->addStretch(1);
  izquierda->addLayout(filaPasos);

  auto* linea = new QFrame(this);
  linea->setObjectName(QStringLiteral("Bevel1"));
  linea->setFrameShape(QFrame::VLine);
  linea->setFrameShadow(QFrame::Sunken);

  BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn1->setMinimumWidth(80);
  BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setAutoDefault(false);
  BitBtn2->setMinimumWidth(80);
  auto* botones = new QVBoxLayout;
  botones->addWidget(BitBtn1);
  botones->addSpacing(8);
  botones->addWidget(BitBtn2);
  botones->addStretch(1);

  auto* principal = new QHBoxLayout(this);
  principal->setContentsMargins(6, 7, 10, 8);
  principal->setSpacing(8);
  principal->addLayout(izquierda, 1);
  principal->addWidget(linea);
  principal->addLayout(botones);

  setFixedSize(sizeHint().expandedTo(QSize(305, 132)));

  // Esc and the close box reject through QDialog already.
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgAnimacion::PonerAjustes(const TAjustesAnimacion& a) {
  edtPausaAnim->setText(QString::number(a.PausaAnim));
  edtPausaPres->setText(QString::number(a.PausaPres));
  udNumEtapas->setValue(a.NumEtapas);  // QSpinBox clamps into its range
}

TDlgAnimacion::TLectura TDlgAnimacion::Leer(const TAjustesAnimacion& vigentes) const {
  TLectura l{vigentes, {}};
  // A whole number from 0 to maximo, blanks around it allowed.
  const auto leer = [](const QLineEdit* e, int maximo) -> std::optional<int> {
    bool ok = false;
    const int n = e->text().trimmed().toInt(&ok);
    return ok && n >= 0 && n <= maximo ? std::optional(n) : std::nullopt;
  };
  const auto anim = leer(edtPausaAnim, Rangos::PausaAnimMax);
  if (!anim) {
    l.Error = QStringLiteral("Intervalo temporal de animación erroneo!");
    return l;
  }
  l.Ajustes.PausaAnim = *anim;
  const auto pres = leer(edtPausaPres, Rangos::PausaPresMax);
  if (!pres) {
    l.Error = QStringLiteral("Intervalo temporal de pausa de presentación erroneo!");
    return l;
  }
  l.Ajustes.PausaPres = *pres;
  l.Ajustes.NumEtapas = udNumEtapas->value();
  return l;
}
