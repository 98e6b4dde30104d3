#pragma once
// The animation timing dialog, shown modally. It only offers the values: the
// caller reads the two edits and the spin box after "Aceptar" and checks them.
// Its texts are never reset, so after a cancel it shows what was typed.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSpinBox;

class TDlgAnimacion : public QDialog {
  Q_OBJECT

public:
  explicit TDlgAnimacion(QWidget* padre);

  // The values in force, as the start-up puts them; the steps are clamped
  // into the spin range 2 to 50.
  void PonerValores(int pausaAnim, int pausaPres, int numEtapas);

  QLineEdit* edtPausaAnim;
  QLineEdit* edtPausaPres;
  QSpinBox* udNumEtapas;
  QPushButton* BitBtn1;  // "Aceptar"
  QPushButton* BitBtn2;  // "Cancelar"
};
