#pragma once
// The main window: owner of the current structure, the canvas, the tool bar,
// the status bar, the command table with its shortcuts and the settings.
// Its code is split by concern: vPpal.cpp (composition, start-up and close),
// vPpalComandos.cpp (the command table and the key routing), vPpalOpciones.cpp
// (the settings store), vPpalDibujo.cpp (the canvas's settings and signals,
// statistics), vPpalAnimacion.cpp (node motion's lock and timing),
// vPpalOperaciones.cpp (the keys and clicks that start an operation, the
// presentation buttons, errors), vPpalHistoria.cpp (new structures, undo,
// files, demonstration builders). The operations themselves run in the
// driver (TConductor).
// Its state is its own: the rest of the program and the tests read it
// through const methods and change it through the commands (Accion), the
// controls, AplicarOpciones and PonerEstructura.

#include "uArbolBin.h"
#include "uConductor.h"
#include "uHistoria.h"
#include "uImagenes.h"
#include "uLienzo.h"
#include "uOpciones.h"
#include "uPlataforma.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;
class TDlgAnimacion;
class TPanelHistoria;
class TDlgPaso;
class TDlgPres;
class TReproductor;
class TTrabajo;

class TVentPpal final : public QMainWindow {
  Q_OBJECT
public:
  // Runs the start-up steps: operation list, display test, first structure,
  // image set, undo buffer, status texts.
  explicit TVentPpal(TPlataforma plataforma, QWidget* padre = nullptr);
  ~TVentPpal() override;

  // The three dialogs, created after the window and living as long.
  void AsignarDialogos(TDlgPres* pres, TDlgPaso* paso, TDlgAnimacion* animacion);

  // The command table, in its order.
  enum TComando {
    cOperacion, cBorrar, cNuevo1, cInsertar, cBuscar, cNuevo2, cNuevo3, cNuevo4,
    cConfiguracion, cRango, cAbrir, cGuardar, cDeshacer, cConfAnim, cNuevo5,
    cAnim1, cAnim2, cAnim3, cDesbloqueo, cInsSig, cComprimir, cLimpiar, cGuardarOper,
    cAcercar, cAlejar, cAjustarZoom, cTamanoReal, cRehacer, cHistorial, cExportarEtapas,
    cAcercaDe, NumComandos
  };
  QAction* Accion(TComando c) const { return Acciones_[c]; }

  // The settings as the window holds them now (dialogs and fields), and the
  // same value put back in place, as reading the store does.
  TOpciones OpcionesActuales() const;
  void AplicarOpciones(const TOpciones& o);
  void LeerOpciones();
  bool GuardarOpciones();

  // The controls the tests press and read, named as the rest of the program
  // refers to them.
  QToolBar* ToolBar1() const { return ToolBar1_; }
  QToolButton* ToolButton3() const { return ToolButton3_; }  // structure menu
  QToolButton* ToolButton9() const { return ToolButton9_; }  // mouse-mode menu
  QAction* btnAnimar() const { return btnAnimar_; }
  QAction* btnPaso2() const { return btnPaso2_; }
  QAction* btnPaso() const { return btnPaso_; }
  QAction* ToolButton17() const { return ToolButton17_; }  // Fibonacci AVL tree
  QAction* ToolButton20() const { return ToolButton20_; }  // unordered heap
  QAction* ToolButton21() const { return ToolButton21_; }  // build a heap
  QComboBox* lisOperacion() const { return lisOperacion_; }
  QLineEdit* edtValor() const { return edtValor_; }
  QMenu* PopupMenu1() const { return PopupMenu1_; }
  const std::array<QAction*, 5>& OpcArb() const { return OpcArb_; }  // OpcArb1..OpcArb5
  QMenu* PopupMenu2() const { return PopupMenu2_; }
  QAction* OpcRatSel() const { return OpcRatSel_; }
  QAction* OpcRatBus() const { return OpcRatBus_; }
  QAction* OpcRatDel() const { return OpcRatDel_; }
  QToolButton* ToolButtonZoom() const { return ToolButtonZoom_; }  // zoom menu
  QLabel* PanelZoom() const { return PanelZoom_; }  // the zoom, beside the six panels
  // The textbooks' algorithms named before the zoom; hidden for the program's own.
  QLabel* PanelVariante() const { return PanelVariante_; }
  const std::array<QLabel*, 6>& Paneles() const { return Paneles_; }  // the status bar's six panels

  // The parts the window owns, as the rest of the program and the tests see
  // them: the canvas (the structure drawn, scrolled and moved), the player
  // (the stages of the last operation) and the driver (runs the operations).
  TLienzo& Lienzo() const { return *Lienzo_; }
  TReproductor& Reproductor() const { return *Reproductor_; }
  TConductor& Conductor() const { return *Conductor_; }
  // The structure drawn and operated on, read-only.
  const TArbolBin& Estructura() const { return *Arbol_; }
  // A prepared structure replaces the current one as opening a file does:
  // the history started again from it, the structure laid out and shown at once,
  // centred on its root, and its statistics. Nothing happens while a motion
  // holds the lock.
  void PonerEstructura(std::unique_ptr<TArbolBin> nuevo);
  // Whether a node motion holds the workspace locked.
  bool Bloqueado() const { return Bloqueado_; }
  // The history (steps, the current point); the structure's kind name.
  const THistoria& Historia() const { return Historia_; }
  const QString& NombreArbol() const { return NombreArbol_; }
  // The history panel beside the canvas (hidden or shown by "Historial").
  TPanelHistoria& PanelHistoria() const { return *PanelHistoria_; }
  // The structure brought to the state after k steps of the history (a
  // click on the panel, undo), as long work; false when cancelled or
  // impossible, with nothing changed.
  bool IrAPaso(std::size_t k);
  // The node pictures read at start-up, whether there were any, whether the
  // display is a palette one, and whether the settings were read at the
  // first showing.
  const TImagenesNodos& Imagenes() const { return Imagenes_; }
  bool HayImagenes() const { return HayImagenes_; }
  bool Modo8Bits() const { return Modo8Bits_; }
  bool OpcionesLeidas() const { return OpcionesLeidas_; }
  // The file choosers' settings: open, save a structure, save the list.
  const TDialogoFichero& OpenDialog1() const { return OpenDialog1_; }
  const TDialogoFichero& SaveDialog1() const { return SaveDialog1_; }
  const TDialogoFichero& SaveDialog2() const { return SaveDialog2_; }
  const TDialogoFichero& DialogoEtapas() const { return DialogoEtapas_; }

  const TPlataforma& Plataforma() const { return Plataforma_; }
  TDlgPres* DlgPres() const;
  TDlgPaso* DlgPaso() const;
  TDlgAnimacion* DlgAnimacion() const;

public Q_SLOTS:
  // Command handlers (the table's commands followed by Execute).
  void ActOperacionExecute();
  void ActBorrarExecute();
  void ActNuevo1Execute();
  void ActInsertarExecute();
  void ActBuscarExecute();
  void ActNuevo2Execute();
  void ActNuevo3Execute();
  void ActNuevo4Execute();
  void ActConfiguracionExecute();
  void ActRangoExecute();
  void ActAbrirExecute();
  void ActGuardarExecute();
  void ActDeshacerExecute();
  void ActRehacerExecute();
  void ActHistorialExecute();
  void ActConfAnimExecute();
  void ActNuevo5Execute();
  void ActAnim1Execute();
  void ActAnim2Execute();
  void ActAnim3Execute();
  void ActDesbloqueoExecute();
  void ActInsSigExecute();
  void ActComprimirExecute();
  void ActLimpiarExecute();
  void ActGuardarOperExecute();
  void ActExportarEtapasExecute();
  void ActAcercarExecute();
  void ActAlejarExecute();
  void ActAjustarZoomExecute();
  void ActTamanoRealExecute();
  void ActAcercaDeExecute();

  void btnPasoClick();
  void btnPaso2Click();
  void ToolButton17Click();
  void ToolButton20Click();
  void ToolButton21Click();
  void OpcRatClick();

  // --- Drawing (vPpalDibujo.cpp) ---
  // The canvas laid out and drawn for the settings as they stand.
  void Refrescar();
  // The statistics panels 0 to 3, and the variant of the algorithms.
  void ActualizarEstado();
  // The algorithms chosen in the presentation options (the program's own
  // without the dialog), set on the structure, so the operations from now on
  // run them, and shown in the status bar.
  TVariante VarianteElegida() const;
  void AplicarVariante();
  // The canvas's zoom in the status bar.
  void MostrarZoom();

  // --- Node motion (vPpalAnimacion.cpp) ---
  // The nodes glide to the new layout; the workspace stays locked, with
  // "*" in panel 4, until the motion ends.
  void IniciarAnimacion();

  // --- Operations (vPpalOperaciones.cpp) ---
  // The driver's operations on the current structure.
  void RealizarBusqueda(std::int32_t v);
  void RealizarInsercion(std::int32_t v);
  void RealizarBorrado(std::int32_t v);
  // A click on the canvas at this layout point, as the mouse mode says.
  void LienzoMouseDown(std::int32_t x, std::int32_t y);
  // A playback in course ends at its end, and so does the glide that
  // follows it: the window is closing, or a command is about to change the
  // structure.
  void TerminarReproduccion();

public:
  // Whether the structure may be operated on, replaced, emptied or reloaded
  // now: false while a node motion holds the lock (Bloqueado). A playback in
  // course ends first. Every command that touches the structure asks first.
  bool EstructuraLibre();
  // Runs a command's body; an error it raises goes to MostrarError.
  void Ejecutar(const std::function<void()>& orden);
  // The application-wide error handler: the text in a message box, then the
  // window made usable again (playback, lock, step window, display).
  void MostrarError(const QString& texto);

private:
  // --- Operations (vPpalOperaciones.cpp) ---
  void ConectarOperaciones();
  // The player and the driver, with what the driver reads and says.
  void ConectarConductor();
  // The stage mode, the glide and the pause the tool bar and the settings ask for.
  TConductor::TPresentacion Presentacion() const;
  // The typed key, or list of keys, through the operation of lisOperacion;
  // convertido tells whether the text converted, every key of a list (Enter
  // is then consumed, even if the operation fails).
  void OperarConTexto(bool& convertido);
  void OperarAlAzar(bool borrar);

  // --- History (vPpalHistoria.cpp) ---
  // Bounds of the demonstration builders: larger structures would not fit
  // in memory (a Fibonacci tree of order n has F(n+2)-1 nodes).
  static constexpr std::int32_t kMaxOrdenFibonacci = 30;
  static constexpr std::int32_t kMaxValoresMonticulo = 1000000;
  void PonerArbol(std::unique_ptr<TArbolBin> nuevo);
  // The kind menu's item of the present structure checked.
  void MarcarTipo();
  void CambiarArbol(TClaseArbol clase);
  // The structure of h after its first k steps, replayed from h's base as
  // long work (stopping at an engine error, whose text goes to error); nil
  // when cancelled.
  std::unique_ptr<TArbolBin> Reconstruir(THistoria& h, std::size_t k, const QString& titulo,
                                         std::optional<QString>& error);
  // The panel and the undo and redo commands follow the history.
  void HistoriaCambiada();
  // A replayed structure, in place, shown at once with its statistics, or
  // the error its replay met.
  void MostrarReconstruida(const std::optional<QString>& error);
  void AbrirEstructura(const QString& ruta, TClaseArbol clase);
  void AbrirOperaciones(const QString& ruta);
  // Asks before a list with operations the file cannot hold is saved;
  // true when it may be written.
  bool PreguntarGuardarOperaciones();
  // The whole file, counting its bytes in trabajo when given.
  std::optional<QByteArray> LeerFichero(const QString& ruta, TTrabajo* trabajo = nullptr);
  bool EscribirFichero(const QString& ruta, const char* datos, qint64 tam);
  std::optional<std::int32_t> ValorConstructor(std::int32_t maximo, const QString& mensajeRango);
  // "AVL Fibonacci" and "Montículo desordenado": n from the value box, then
  // the structure built (as long work, with progress) replaces the current
  // one, shown laid out at once; a cancel changes nothing.
  void ConstruirDemostracion(std::int32_t maximo, const QString& mensajeRango,
                             const std::function<std::unique_ptr<TArbolBin>(std::int32_t, TTrabajo&)>& construir);

  // --- Node motion (vPpalAnimacion.cpp) ---
  // A motion ended or stopped: the lock it took released, panel 4 emptied.
  void MovimientoAcabado();

  // --- Drawing (vPpalDibujo.cpp) ---
  // What the canvas reads at each layout and drawing.
  TAjustesLienzo AjustesLienzo();

protected:
  // Status tips (the hints of the tool bar and the menus) go to the last
  // status panel, so the statistics stay in sight.
  bool event(QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
  void ConectarLienzo();
  // Enter in the value box; true when the key was consumed.
  bool edtValorKeyPress(QKeyEvent* evento);
  void CrearControles();
  void CrearComandos();
  void CrearBarraHerramientas();
  void CrearBarraEstado();
  void FormCreate();
  void Mensaje(const QString& texto);
  // A hint in the last status panel; an empty one gives the panel its text
  // back, unless something wrote the panel meanwhile.
  void MostrarPista(const QString& pista);
  QString Pista_;
  std::optional<QString> TextoBajoPista_;
  bool EsAtajo(const QKeySequence& tecla) const;

  TPlataforma Plataforma_;
  // The file choosers as the window uses them, starting in the last folder.
  std::shared_ptr<TSelectorConCarpeta> Ficheros_;
  std::array<QAction*, NumComandos> Acciones_{};
  QActionGroup* GrupoPaso_ = nullptr;
  QPointer<TDlgPres> DlgPres_;
  QPointer<TDlgPaso> DlgPaso_;
  QPointer<TDlgAnimacion> DlgAnimacion_;

  QToolBar* ToolBar1_ = nullptr;
  QToolButton* ToolButton3_ = nullptr;
  QToolButton* ToolButton9_ = nullptr;
  QAction* btnAnimar_ = nullptr;
  QAction* btnPaso2_ = nullptr;
  QAction* btnPaso_ = nullptr;
  QAction* ToolButton17_ = nullptr;
  QAction* ToolButton20_ = nullptr;
  QAction* ToolButton21_ = nullptr;
  QComboBox* lisOperacion_ = nullptr;
  QLineEdit* edtValor_ = nullptr;
  QMenu* PopupMenu1_ = nullptr;
  std::array<QAction*, 5> OpcArb_{};
  QMenu* PopupMenu2_ = nullptr;
  QAction* OpcRatSel_ = nullptr;
  QAction* OpcRatBus_ = nullptr;
  QAction* OpcRatDel_ = nullptr;
  std::array<QLabel*, 6> Paneles_{};
  QLabel* PanelZoom_ = nullptr;
  QLabel* PanelVariante_ = nullptr;
  QToolButton* ToolButtonZoom_ = nullptr;

  std::unique_ptr<TArbolBin> Arbol_;
  bool Bloqueado_ = false;
  TLienzo* Lienzo_ = nullptr;
  TReproductor* Reproductor_ = nullptr;
  TConductor* Conductor_ = nullptr;
  TPanelHistoria* PanelHistoria_ = nullptr;
  TDialogoFichero OpenDialog1_;
  TDialogoFichero SaveDialog1_;
  TDialogoFichero SaveDialog2_;
  TDialogoFichero DialogoEtapas_;
  QString NombreArbol_;
  THistoria Historia_;
  int ModoRaton_ = 0;  // 0 select, 1 search, 2 delete
  // The settings kept by the window; the rest live in the dialogs and the
  // canvas.
  int ValMax_ = 99;
  int PausaAnim_ = 1000, PausaPres_ = 300, PausaNumEtap_ = 10;
  bool Modo8Bits_ = false;
  bool HayImagenes_ = false;
  bool OpcionesLeidas_ = false;
  TImagenesNodos Imagenes_;
};
