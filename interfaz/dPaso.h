#pragma once
// The step window: a stay-on-top tool window, the panel of the stage player.
// It shows the operation's title, the stage in progress with its description,
// the list of the operation's stages, the algorithm's listing with the
// stage's line lit (a pane the user can hide), the buttons to walk them
// (first, back, play or pause, forward, last) and the speed. It only reports what the user
// asks for; which stage comes next is decided by whoever listens. Only the
// program shows and hides it: the user can neither close it nor send it away
// with Esc, but can move and resize it.

#include <QDialog>
#include <QRect>
#include <QStringList>

#include "uOpciones.h"

#include <optional>

class QCloseEvent;
class QShowEvent;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSlider;

class TDlgPaso : public QDialog {
  Q_OBJECT

public:
  static constexpr int VelocidadMin = Rangos::VelocidadMin, VelocidadMax = Rangos::VelocidadMax;

  explicit TDlgPaso(QWidget* padre);

  // The operation's title, white on grey at the top.
  void PonerTitulo(const QString& titulo);
  // The operation's stages, listed as "k. title" from 1; an empty list hides
  // the list and the stage counter.
  void PonerEtapas(const QStringList& titulos);
  // The stage in progress: its title and what it does. With a number, that
  // row of the list is highlighted and scrolled into view.
  void MostrarEtapa(const QString& titulo, const QString& descripcion);
  void MostrarEtapa(int etapa, const QString& titulo, const QString& descripcion);
  // The listing the stage belongs to, with its line (from 1) lit and
  // scrolled into view; an unknown listing or line 0 leaves the pane empty.
  void MostrarListado(const QString& listado, int linea);
  // Whether the listing's pane is shown (the "Pseudocódigo" button).
  void PonerVerPseudocodigo(bool ver);
  bool VerPseudocodigo() const;
  // The forward button reads "Efectuar!" while the stage waits to change the
  // shape, "&Seguir >>" otherwise.
  void PonerEfectuar(bool efectuar);
  // Whether there is a stage before and after the one shown: the buttons
  // back and to the first stage need one before; to the last stage and play
  // need one after. The forward button is never disabled: at the last stage
  // it is what ends the operation.
  void PonerLimites(bool hayAnterior, bool haySiguiente);
  // The play button shows pause while the stages play.
  void PonerReproduciendo(bool reproduciendo);
  bool Reproduciendo() const { return Reproduciendo_; }
  // From VelocidadMin (slow) to VelocidadMax; brought into range. Setting it
  // does not emit VelocidadCambiada.
  void PonerVelocidad(int velocidad);
  int Velocidad() const;

  // Moves the window (when the user has not placed it) to the corner or side
  // of `disponible` farthest from `ocupado`, among those that do not overlap
  // it; with no such place, to the one that overlaps it least.
  void ColocarLibre(const QRect& ocupado, const QRect& disponible);
  // True once the user moved the window away from where the program put it,
  // or when its place came from the stored settings.
  bool LugarDelUsuario() const;
  // The place (frame's top-left) and size as stored; null until the window
  // has been shown or placed.
  QRect Lugar() const;
  // A stored place and size: the size is brought to at least the minimum, and
  // the place is ignored when the window would lie off every screen. A null
  // rectangle changes nothing.
  void PonerLugar(const QRect& lugar);

Q_SIGNALS:
  void Seguir();     // one stage forward (Right)
  void Anterior();   // one stage back (Left)
  void Primera();    // to the first stage (Home)
  void Ultima();     // to the last stage (End)
  void ReproducirPausar();  // Space
  void Saltar(int etapa);   // a click on a row of the list, from 0
  void VelocidadCambiada(int velocidad);

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

private:
  void MoverPorPrograma(const QPoint& p);

  QLabel* etqTitulo;
  QLabel* etqEtapa;
  QLabel* etqNumero;
  QPlainTextEdit* edtDescripcion;
  QListWidget* lstEtapas;
  QPlainTextEdit* edtPseudocodigo;
  QString Listado_;  // the listing the pane holds
  QPushButton* btnPrimera;
  QPushButton* btnAnterior;
  QPushButton* btnReproducir;
  QPushButton* btnSeguir;
  QPushButton* btnUltima;
  QPushButton* btnPseudocodigo;
  QSlider* sldVelocidad;
  bool Reproduciendo_ = false;
  bool Mostrada_ = false;
  bool LugarGuardado_ = false;
  // Where the program last put the window; elsewhere means the user moved it.
  std::optional<QPoint> LugarPuesto_;
};
