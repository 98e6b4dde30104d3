#pragma once
// The player of a recorded operation: walks its stages forward, back or by
// jumps, showing each on the canvas as the live presentation drew it, while
// the live structure already holds the operation's result.
//
// The states: stage k "before" (the structure at its report: marks,
// selection, removed node), and for a stage that changes the layout (type 1
// or 2) also "after" (laid out anew). Forward into an "after" state the nodes
// glide to it; back out of one they glide the other way; any other move
// shows its state at once. A state is drawn from the recording alone, so it
// looks the same however it was reached. A type 1 stage glides at once going
// forward: its "before" state is a stop only going back. Past the last
// state the playback ends: the canvas shows the live structure again, laid
// out, gliding from the last state when the shapes agree.
//
// Playing (timed) moves forward by itself: a pause of Pausa ms on a stage
// that changes nothing, the glide on one that does. Paused, only the slots
// move it. Nothing here waits: every move returns at once.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <vector>

#include "uLienzo.h"

class TArbolBin;
class TGrabacion;

class TReproductor final : public QObject {
  Q_OBJECT
public:
  // arbol: the owner's pointer to the live structure, shown at the end.
  TReproductor(TLienzo& lienzo, const std::unique_ptr<TArbolBin>* arbol, QObject* padre);
  ~TReproductor() override;

  // Plays a recording of an operation the live structure has completed,
  // from its first stage; playing or paused. A recording without stages
  // shows the live structure at once. Any playback in course ends first.
  void Reproducir(std::shared_ptr<const TGrabacion> grabacion, bool reproduciendo);
  // Ends a playback in course at once, no glide: the live structure laid out.
  void Terminar();

  bool Activo() const { return static_cast<bool>(Grabacion_); }
  bool Reproduciendo() const { return Reproduciendo_; }
  // The state shown (Activo() only).
  int Etapa() const;
  bool Despues() const;
  int NumEtapas() const;
  const TGrabacion* Grabacion() const { return Grabacion_.get(); }

  // Glides drawn frame by frame, or reached at once.
  void PonerAnimar(bool animar) { Animar_ = animar; }
  // Milliseconds a playing stage that changes nothing stays.
  void PonerPausa(int ms) { Pausa_ = ms; }

public Q_SLOTS:
  void Siguiente();
  void Anterior();
  void Primera();
  void Ultima();
  // The stop of stage k: "before", or "after" for a type 1 stage.
  void Saltar(int k);
  void ReproducirPausar();
  void PonerReproduciendo(bool reproduciendo);

Q_SIGNALS:
  // A playback started: the stages' titles, in order.
  void Iniciada(const QStringList& etapas);
  // A state is shown. efectuar: the stage is about to change the shape
  // (its "before" state of type 2). hayAnterior: Anterior moves;
  // haySiguiente: a later state exists (Siguiente at the last one ends).
  // listado, linea: the algorithm's line the stage belongs to (0: none).
  void EtapaMostrada(int k, const QString& titulo, const QString& descripcion, bool efectuar,
                     bool hayAnterior, bool haySiguiente, const QString& listado, int linea);
  void ReproduccionCambiada(bool reproduciendo);
  // The playback ended; the canvas shows the live structure.
  void Terminada();

protected:
  // Left and Right one state, Home and End the first and last stage, Space
  // play or pause, on the widgets watched while a playback is in course.
  bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
  struct TEstado {
    std::size_t Etapa;
    bool Despues;
  };
  // Shows state i; deslizar: gliding into it from the state next to it.
  void Mostrar(std::size_t i, bool deslizar);
  void Acabar(bool deslizar);
  void Programar();
  void FinDeslizamiento();
  std::size_t Parada(std::size_t etapa) const;

  QPointer<TLienzo> Lienzo_;
  const std::unique_ptr<TArbolBin>* Arbol_;
  std::shared_ptr<const TGrabacion> Grabacion_;
  std::vector<TEstado> Estados_;
  std::size_t Pos_ = 0;
  // The pictures of the stage shown, and the structure on the canvas.
  std::size_t EtapaFoto_ = static_cast<std::size_t>(-1);
  std::unique_ptr<TArbolBin> Antes_, Despues_;
  std::unique_ptr<TArbolBin> Vista_;
  bool Reproduciendo_ = false;
  bool Animar_ = true;
  bool Deslizando_ = false;  // a glide of ours runs on the canvas
  int Pausa_ = 300;
  QTimer Reloj_;
};
