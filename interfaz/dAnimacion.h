#pragma once
// The animation timing dialog, shown modally. It offers the values; after
// "Aceptar" the caller asks it for them, checked. Its texts are never reset,
// so after a cancel it shows what was typed.

#include "uAjustes.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QSpinBox;

class TDlgAnimacion : public QDialog {
  Q_OBJECT

public:
  explicit TDlgAnimacion(QWidget* padre);

  // The values in force, as the start-up puts them; the steps are clamped
  // into the spin range 2 to 50.
  void PonerAjustes(const TAjustesAnimacion& a);

  // What was typed, taken over `vigentes` in the dialog's order (animation
  // time, pause, steps). The first value out of range stops the reading: the
  // ones before it are taken, it and the rest keep their values in force,
  // and Error holds its message.
  struct TLectura {
    TAjustesAnimacion Ajustes;
    QString Error;  // empty when every value was taken
  };
  TLectura Leer(const TAjustesAnimacion& vigentes) const;

private:
  QLineEdit* edtPausaAnim;
  QLineEdit* edtPausaPres;
  QSpinBox* udNumEtapas;
  QPushButton* BitBtn1;  // "Aceptar"
  QPushButton* BitBtn2;  // "Cancelar"
};
