#pragma once
// The operation driver: runs a search, an insertion, a deletion or a heap
// build on the live structure from end to end. In order: any playback
// ended, the operation run (recorded when its stages are to be shown),
// the history's step, then the stages handed to the player or
// the change shown (glide or layout), and last the kind's checks.
//
// It also drives the step window while a recording plays: the stage shown,
// the speed, where the window stands. It knows nothing of the tool bar: its
// owner says what presentation is asked for through a source read at each
// operation, and listens to its signals (a message, the statistics, the
// text of the last status panel, the operation's name, a glide to start).
//
// Nothing waits: an operation runs to its end at once, and its stages are
// then played from the recording while the structure already holds the
// result.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "uHistoria.h"

class TArbolBin;
class TNodoBin;
class TDlgPaso;
class TGrabacion;
class TLienzo;
class TReproductor;
struct TTipoEstructura;

class TConductor final : public QObject {
  Q_OBJECT
public:
  enum class TEtapas { Ninguna, Descritas, Pausadas };
  // What the owner asks for, read when an operation starts, when it is shown
  // and when the step window's speed changes.
  struct TPresentacion {
    bool Animar = false;     // nodes glide to a new layout
    TEtapas Etapas = TEtapas::Ninguna;
    int PausaPres = 300;     // ms a stage stays while playing, at the middle speed
  };

  // arbol and historia are the owner's; the player plays on lienzo.
  TConductor(TLienzo& lienzo, TReproductor& reproductor, std::unique_ptr<TArbolBin>& arbol,
             THistoria& historia, QObject* padre);

  void PonerFuentePresentacion(std::function<TPresentacion()> fuente) { Fuente_ = std::move(fuente); }
  // Whether a node motion holds the owner's lock; a glide without it (the
  // one at a playback's end) is ended with the playback.
  void PonerBloqueo(std::function<bool()> bloqueado) { Bloqueado_ = std::move(bloqueado); }
  // The step window: it drives the player and shows where it stands.
  void PonerPaso(TDlgPaso* paso);

  // nombre: the structure's name, for the step window's title.
  void Buscar(std::int32_t v, const QString& nombre);
  void Insertar(std::int32_t v, const QString& nombre);
  // Removes v (a heap, its minimum whatever v is); an absent key changes
  // nothing.
  void Borrar(std::int32_t v, const QString& nombre);
  // tipo's bottom-up construction, like an operation without checks.
  void CrearMonticulo(const TTipoEstructura& tipo);
  // A list of keys: the operation indice (0 search, 1 insertion, 2
  // deletion) run for each key in order, each its own operation, as if the
  // key had been typed alone.
  // Without stages they all run at once, as long work: a cancel stops
  // before the next key and the keys done stay done; the result is shown
  // and checked once, at the end.
  // With stages they run one after another: the next key's operation
  // starts once the playback of the one before has ended and its last
  // glide has settled, its step window titled "... (2 de 5)". The keys
  // still pending are dropped by whatever ends a playback from outside: a
  // new command, a change of kind, closing the window (TerminarReproduccion),
  // F2 (AsignarEtapas), an error (SoltarClaves), and by a cancelled
  // recording.
  void OperarLista(int indice, std::vector<std::int32_t> claves, const QString& nombre);
  void SoltarClaves();
  std::size_t ClavesPendientes() const { return Lista_.Claves.size() - Lista_.Siguiente; }
  // Runs the history's next undone step again (paso), with its stages as
  // the presentation asks; the history's cursor then moves past it. An
  // emptying is the owner's.
  void Rehacer(TPaso paso, const QString& nombre);

  // The stage mode read again; a playback in course follows it: none ends
  // it, with pauses plays it, with descriptions pauses it.
  void AsignarEtapas();
  // A playback in course ends at its end (the structure already holds the
  // result), and so does the glide that follows it.
  void TerminarReproduccion();
  // The step window's speed as a factor on the pauses and the motion (1 at
  // the middle of the slider).
  double EscalaVelocidad() const;

  // The last operation recorded with its stages: the recording, the
  // operation's name ("Inserción de 25 en Arbol AVL") and the structure it
  // left. Kept until the next recording; none before the first.
  struct TUltima {
    std::shared_ptr<const TGrabacion> Grabacion;
    QString Operacion;
    std::shared_ptr<const TArbolBin> Resultado;
  };
  const TUltima& Ultima() const { return Ultima_; }
  // Every stage of the last recorded operation as pages (TLamina: ruta a
  // PDF or a folder of PNG pictures), drawn as the canvas draws now: its
  // size and settings, at zoom 1. Long work: false when cancelled, with
  // nothing written; ELamina when the output cannot be written.
  bool ExportarEtapas(const QString& ruta);

Q_SIGNALS:
  // The operation about to run: 0 search, 1 insertion, 2 deletion.
  void OperacionIniciada(int indice);
  void Aviso(const QString& texto);
  void EstadoCambiado();
  void TextoEstado(const QString& texto);
  // The change is to be shown gliding: the owner starts the motion and
  // holds its lock until it ends.
  void MovimientoPedido();

private:
  // The start of every operation: any playback ended, the operation's name
  // given out, the stage mode read, the step window's title.
  void IniciarOperacion(int indice, const QString& titulo);
  // Runs an operation on the structure: recorded when the stages are to be
  // shown (the recording is handed back, for Presentar), straight otherwise.
  // A recording is long work that can be cancelled: false then, with the
  // structure, its selection and the history as before the command.
  // paso: the history's step once the operation ran (also when the engine
  // refused it part of the way); none for a search that reshapes nothing.
  bool Operar(const std::function<void(TArbolBin&)>& operacion, std::unique_ptr<TGrabacion>& grabacion,
              const std::optional<TPaso>& paso = std::nullopt);
  // The step done, or, during a redo, the history's cursor moved on.
  void Anotar(const std::optional<TPaso>& paso);
  // After the history's step: the stages played, or without them the change
  // shown (glide or layout) and drawn.
  // operacion: what ran, for the name of a recording kept as the last.
  void Presentar(std::unique_ptr<TGrabacion> grabacion, const TPaso& operacion = {});
  // The kind's checks, one message each.
  void Comprobar();
  void EtapaMostrada(int k, const QString& titulo, const QString& descripcion, bool efectuar,
                     bool hayAnterior, const QString& listado, int linea);
  void ReproduccionTerminada();
  int PausaEtapa() const;
  // The step window placed where it covers the fewest nodes on the screen,
  // unless the user has placed it.
  void ColocarPaso();
  TPresentacion Presentacion() const { return Fuente_ ? Fuente_() : TPresentacion{}; }
  // One key's operation, as Buscar, Insertar or Borrar.
  void Operacion(int indice, std::int32_t v, const QString& nombre);
  void OperarLote(int indice, const std::vector<std::int32_t>& claves, const QString& nombre);
  // The pending keys of a list with stages, from the next one, until one
  // leaves a playback in course; never from inside another key's operation.
  void SiguienteClave();
  void OcultarPaso();

  TLienzo& Lienzo_;
  TReproductor& Reproductor_;
  std::unique_ptr<TArbolBin>& Arbol_;
  THistoria& Historia_;
  QPointer<TDlgPaso> Paso_;
  std::function<TPresentacion()> Fuente_;
  std::function<bool()> Bloqueado_;
  TEtapas Etapas_ = TEtapas::Ninguna;
  // What a cancelled recording gives back: the selection from before.
  TNodoBin* SelAntes_ = nullptr;
  // A list run with stages: its keys from Siguiente on are pending.
  struct TLista {
    int Indice = 0;
    QString Nombre;
    std::vector<std::int32_t> Claves;
    std::size_t Siguiente = 0;
  };
  TLista Lista_;
  // Set by each presentation: an operation that ran to its end shows it.
  bool Presentado_ = false;
  // A list runs without stages: its keys are neither shown nor checked
  // one by one.
  bool Lote_ = false;
  // Starts the next pending key from the event loop.
  QTimer Continuar_;
  // A redo is under way: the step run moves the history's point on.
  bool Rehaciendo_ = false;
  TUltima Ultima_;
};
