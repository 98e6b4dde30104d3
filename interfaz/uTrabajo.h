#pragma once
// A long piece of work (a replay, a load, a builder, a recording) run on the
// GUI thread in steps: the engines call its progress hook every so often,
// and the hook lets the event loop run, so the window keeps repainting and
// the work can be cancelled.
//
// While the work runs, the user's input to the window (mouse, keys, wheel,
// shortcuts, its menus) is swallowed, so no other command starts in the
// middle; the progress dialog and modal boxes still get theirs. The dialog
// appears only once the work has lasted RetrasoMs, with the count done and a
// "Cancelar" button. A cancel (the button, Escape in the dialog or the
// window, closing the dialog or the window) makes the next hook call throw ECancelado; Ejecutar takes it and
// answers false, and the caller leaves everything as it was. A close of the
// window becomes a cancel, and the window closes once the work has unwound.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <cstdint>
#include <functional>

class TTrabajo final : public QObject {
  Q_OBJECT
public:
  // ventana: the window whose input is held and whose close is a cancel;
  // titulo: the dialog's title.
  TTrabajo(QWidget* ventana, QString titulo);
  ~TTrabajo() override;
  TTrabajo(const TTrabajo&) = delete;
  TTrabajo& operator=(const TTrabajo&) = delete;

  // What is counted from now on ("operaciones") and out of how many (0:
  // unknown, the dialog then shows only the count).
  void Fase(QString unidad, std::int64_t total);
  // Runs orden: true when it ran to its end, false when it was cancelled.
  // Any other exception goes on to the caller once the dialog is gone.
  bool Ejecutar(const std::function<void()>& orden);
  // The progress hook: the count done. Lets events in at most every
  // IntervaloMs; throws ECancelado once a cancel was asked for.
  void Avance(std::int64_t hecho);
  // The hook as the engines hold it (TArbolBin::Avance).
  std::function<void(std::int64_t)> Gancho() {
    return [this](std::int64_t hecho) { Avance(hecho); };
  }
  // Asks the work to stop at its next hook call.
  void Cancelar();
  bool Cancelado() const { return Cancelado_; }

  // The work running now (the innermost one), nil when none.
  static TTrabajo* Activo() { return Activo_; }
  // The dialog, nil until it has been shown.
  QProgressDialog* Dialogo() const { return Dialogo_; }
  // The dialog's text for a count: "12.345 de 100.000 operaciones".
  QString Texto(std::int64_t hecho) const;

  // Timings, settable by tests: how often events are let in, and how long
  // the work runs before the dialog appears.
  static inline int IntervaloMs = 25;
  static inline int RetrasoMs = 500;

protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
  // Whether input sent to objeto is to be swallowed.
  bool Retenido(QObject* objeto) const;
  void MostrarDialogo();
  void Terminar();

  QPointer<QWidget> Ventana_;
  QString Titulo_;
  QString Unidad_;
  std::int64_t Total_ = 0;
  std::int64_t Hecho_ = 0;
  QElapsedTimer Reloj_;
  qint64 UltimaBomba_ = 0;
  bool Cancelado_ = false;
  bool CerrarAlAcabar_ = false;
  bool EnCurso_ = false;
  TTrabajo* Anterior_ = nullptr;
  QPointer<QProgressDialog> Dialogo_;
  static inline TTrabajo* Activo_ = nullptr;
};
