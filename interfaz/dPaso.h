#pragma once
// The step window: a small tool window that stays on top and shows the
// title, the stage and the description of the operation in progress. Only
// the program shows and hides it; the user can neither close it nor send it
// away with Esc. Its button emits Seguir.

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

  // The operation's title, white on grey at the top.
  void PonerTitulo(const QString& titulo);
  // The stage in progress: its title and what it does.
  void MostrarEtapa(const QString& titulo, const QString& descripcion);
  // The button reads "Efectuar!" while the stage waits to change the shape,
  // "&Seguir >>" otherwise.
  void PonerEfectuar(bool efectuar);

Q_SIGNALS:
  // The user pressed the button to go on.
  void Seguir();

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  QLabel* etqTitulo;
  QLabel* etqEtapa;
  QPlainTextEdit* edtDescripcion;
  QPushButton* btnSeguir;
};
