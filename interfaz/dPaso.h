#pragma once
// The step window: a small tool window that stays on top and shows the
// title, the stage and the description of the operation in progress. Only
// the program shows and hides it; the user can neither close it nor send it
// away with Esc. "&Seguir >>" sets Pulsado, which the stage wait watches.

#include <QDialog>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TDlgPaso : public QDialog {
  Q_OBJECT

public:
  explicit TDlgPaso(QWidget* padre);

  void btnSeguirClick();

  QLabel* etqTitulo;
  QLabel* etqEtapa;
  QPlainTextEdit* edtDescripcion;
  QPushButton* btnSeguir;
  bool Pulsado = false;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
};
