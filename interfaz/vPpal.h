#pragma once
// The main window: owner of the current structure, the canvas, the tool bar,
// the status bar, the command table with its shortcuts and the settings.
// Its code is split by concern: vPpal.cpp (composition, start-up and close),
// vPpalComandos.cpp (the command table and the key routing), vPpalOpciones.cpp
// (the settings store), vPpalDibujo.cpp (layout, drawing, statistics),
// vPpalAnimacion.cpp (node motion), vPpalOperaciones.cpp (the operation
// drivers and the step presentation), vPpalHistoria.cpp (new structures,
// undo, files, demonstration builders).

#include "uArbolBin.h"
#include "uImagenes.h"
#include "uOpciones.h"
#include "uPlataforma.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QKeyEvent;
class QMouseEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class QToolBar;
class QToolButton;
class TDlgAnimacion;
class TDlgPaso;
class TDlgPres;

// The passive canvas: it shows what the window gives it and reports clicks.
class TLienzo final : public QWidget {
  Q_OBJECT
public:
  explicit TLienzo(QWidget* padre);

Q_SIGNALS:
  void Pintar(QPainter& pintor);
  void RatonPulsado(QMouseEvent* evento);

protected:
  void paintEvent(QPaintEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
};

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
    NumComandos
  };
  QAction* Accion(TComando c) const { return Acciones_[c]; }

  // The settings as the window holds them now (dialogs and fields).
  TOpciones OpcionesActuales() const;
  void LeerOpciones();
  bool GuardarOpciones();

  // Controls, named as the rest of the program refers to them.
  QToolBar* ToolBar1 = nullptr;
  QToolButton* ToolButton3 = nullptr;  // structure menu
  QToolButton* ToolButton9 = nullptr;  // mouse-mode menu
  QAction* btnAnimar = nullptr;
  QAction* btnPaso2 = nullptr;
  QAction* btnPaso = nullptr;
  QAction* ToolButton17 = nullptr;  // Fibonacci AVL tree
  QAction* ToolButton20 = nullptr;  // unordered heap
  QAction* ToolButton21 = nullptr;  // build a heap
  QComboBox* lisOperacion = nullptr;
  QLineEdit* edtValor = nullptr;
  QMenu* PopupMenu1 = nullptr;
  std::array<QAction*, 5> OpcArb{};  // OpcArb1..OpcArb5
  QMenu* PopupMenu2 = nullptr;
  QAction* OpcRatSel = nullptr;
  QAction* OpcRatBus = nullptr;
  QAction* OpcRatDel = nullptr;
  TLienzo* Lienzo = nullptr;
  QScrollBar* sbHoriz = nullptr;
  QScrollBar* sbVert = nullptr;
  std::array<QLabel*, 6> Paneles{};  // the status bar's six panels
  QTimer* Timer1 = nullptr;

  // File choosers' settings.
  TDialogoFichero OpenDialog1;
  TDialogoFichero SaveDialog1;
  TDialogoFichero SaveDialog2;

  // Shared state.
  std::unique_ptr<TArbolBin> Arbol;
  QString NombreArbol;
  std::vector<std::int32_t> ListaOper;
  std::int32_t NumOper = 0;
  std::vector<std::uint8_t> FlujoDeshacer;
  bool Bloqueado = false;
  int ModoRaton = 0;
  int ValMax = 99;
  int PausaAnim = 1000, PausaPres = 300, PausaNumEtap = 10;
  int PasoAnim = 0;
  int NodRad = 15, NodSx = 2, NodSy = 5;
  TColor ColNod = 0x00FFFFC0;
  int DesplX = 0, DesplY = 0;
  QImage BufferLienzo;
  bool Modo8Bits = false;
  bool HayImagenes = false;
  bool OpcionesLeidas = false;
  TImagenesNodos Imagenes;

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

  void btnPasoClick();
  void btnPaso2Click();
  void ToolButton17Click();
  void ToolButton20Click();
  void ToolButton21Click();
  void OpcRatClick();

  // --- Drawing (vPpalDibujo.cpp) ---
  // Re-layout: node positions for the dialog's settings, scroll bars, offsets.
  void Distribuir();
  // The whole picture into BufferLienzo.
  void Dibujar();
  // BufferLienzo onto the canvas (a new canvas size lays out and draws first).
  void LienzoPaint();
  // Distribuir, Dibujar, LienzoPaint.
  void Refrescar();
  // The statistics panels 0 to 3.
  void ActualizarEstado();
  void sbHorizChange(int posicion);
  void sbVertChange(int posicion);

  // --- Node motion (vPpalAnimacion.cpp) ---
  void IniciarAnimacion();
  void Timer1Timer();

  // --- Operations (vPpalOperaciones.cpp) ---
  void RealizarBusqueda(std::int32_t v);
  void RealizarInsercion(std::int32_t v);
  void RealizarBorrado(std::int32_t v);
  void GuardarDeshacer();
  void AnotarOperacion(std::int32_t e);
  void AsignarEtapas();
  void LienzoMouseDown(QMouseEvent* evento);

protected:
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
  bool EsAtajo(const QKeySequence& tecla) const;

  TPlataforma Plataforma_;
  std::array<QAction*, NumComandos> Acciones_{};
  QActionGroup* GrupoPaso_ = nullptr;
  QPointer<TDlgPres> DlgPres_;
  QPointer<TDlgPaso> DlgPaso_;
  QPointer<TDlgAnimacion> DlgAnimacion_;
};
