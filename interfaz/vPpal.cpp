// The main window's composition, start-up and close.
#include "vPpal.h"

#include "uReproductor.h"

#include "dAnimacion.h"
#include "dPaso.h"
#include "dPresentacion.h"
#include "uAleatorio.h"
#include "uArbolBST.h"
#include "uIconos.h"
#include "uPanelHistoria.h"
#include "uTipos.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusTipEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TVentPpal::TVentPpal(TPlataforma plataforma, QWidget* padre)
    : QMainWindow(padre), Plataforma_(std::move(plataforma)) {
  if (Plataforma_.Ficheros) {
    Ficheros_ = std::make_shared<TSelectorConCarpeta>(Plataforma_.Ficheros);
    Plataforma_.Ficheros = Ficheros_;
  }
  setObjectName(QStringLiteral("VentPpal"));
  setWindowTitle(QStringLiteral("Quelvar - Estructuras de datos"));
  setWindowIcon(IconoPrograma());
  resize(741, 480);
  // Filter 1 is the operation list, then one per kind in the kinds' order.
  QString filtroAbrir = QStringLiteral("Lista operaciones (*.sec)|*.sec");
  for (const TTipoEstructura& t : TiposEstructura())
    filtroAbrir += QLatin1Char('|') + QString::fromUtf8(t.FiltroAbrir);
  OpenDialog1_ = {QStringLiteral("Abrir arbol"), filtroAbrir, QStringLiteral("ARB")};
  SaveDialog1_ = {QStringLiteral("Guardar arbol"), QStringLiteral("Arbol (*.arb)|*.arb"),
                 QStringLiteral("ARB")};
  SaveDialog2_ = {QStringLiteral("Guardar lista operaciones"),
                 QStringLiteral("Lista operaciones (*.sec)|*.sec"), QStringLiteral("SEC")};
  // Filter 1 a PDF, filter 2 a folder of pictures.
  DialogoEtapas_ = {QStringLiteral("Exportar etapas"),
                    QStringLiteral("Documento PDF (*.pdf)|*.pdf|Carpeta de imágenes PNG|*"), QString()};
  CrearComandos();
  CrearControles();
  FormCreate();
  ConectarOperaciones();
}

TVentPpal::~TVentPpal() {
  // The driver hands recordings to the player, and the player shows its
  // pictures on the canvas: they go first, in that order.
  delete Conductor_;
  Conductor_ = nullptr;
  delete Reproductor_;
  Reproductor_ = nullptr;
  // The canvas outlives this window's fields (it goes with the children):
  // it must not ask for them any more.
  disconnect(Lienzo_, nullptr, this, nullptr);
  Lienzo_->PonerFuenteAjustes({});
  Lienzo_->PonerEnCambio({});
  Lienzo_->PonerEstructura(nullptr);
}

void TVentPpal::AsignarDialogos(TDlgPres* pres, TDlgPaso* paso, TDlgAnimacion* animacion) {
  DlgPres_ = pres;
  DlgPaso_ = paso;
  DlgAnimacion_ = animacion;
  // Every change the user makes in the presentation dialog shows at once.
  if (pres) {
    connect(pres, &TDlgPres::Cambiado, this, &TVentPpal::Refrescar);
    connect(pres, &TDlgPres::Cambiado, this, &TVentPpal::AplicarVariante);
  }
  // The step window drives the playback and shows where it stands.
  Conductor_->PonerPaso(paso);
}

TDlgPres* TVentPpal::DlgPres() const { return DlgPres_; }
TDlgPaso* TVentPpal::DlgPaso() const { return DlgPaso_; }
TDlgAnimacion* TVentPpal::DlgAnimacion() const { return DlgAnimacion_; }

void TVentPpal::CrearControles() {
  CrearBarraHerramientas();

  auto* panPpal = new QWidget(this);
  panPpal->setObjectName(QStringLiteral("panPpal"));
  auto* marco = new QVBoxLayout(panPpal);
  marco->setContentsMargins(3, 3, 3, 3);
  Lienzo_ = new TLienzo(panPpal);
  Lienzo_->setObjectName(QStringLiteral("Lienzo"));
  marco->addWidget(Lienzo_);
  setCentralWidget(panPpal);
  ConectarLienzo();
  PanelHistoria_ = new TPanelHistoria(Historia_, this);
  addDockWidget(Qt::RightDockWidgetArea, PanelHistoria_);
  PanelHistoria_->hide();
  connect(PanelHistoria_, &QDockWidget::visibilityChanged, this,
          [this] { Accion(cHistorial)->setChecked(!PanelHistoria_->isHidden()); });
  connect(PanelHistoria_, &TPanelHistoria::Elegido, this, [this](std::size_t k) {
    if (k != Historia_.Actual() && EstructuraLibre())
      Ejecutar([&] { IrAPaso(k); });
  });

  CrearBarraEstado();
  ConectarConductor();

  // The key first goes to the value box, then to the operation list.
  setTabOrder(edtValor_, lisOperacion_);
  edtValor_->setFocus();
}

void TVentPpal::CrearBarraEstado() {
  static constexpr int kAnchos[6] = {60, 100, 60, 100, 20, 50};
  static const char* const kTextos[6] = {"n = 0", "lg(n) = 0", "h = 0", "c. int. = 0", "", ""};
  auto* barra = statusBar();
  barra->setObjectName(QStringLiteral("StatusBar1"));
  barra->setSizeGripEnabled(true);
  for (int i = 0; i < 6; ++i) {
    auto* panel = new QLabel(QString::fromUtf8(kTextos[i]), barra);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(i == 5 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    // The design widths are minimums: the statistics grow with their text.
    panel->setMinimumWidth(kAnchos[i]);
    barra->addWidget(panel, i == 5 ? 1 : 0);
    Paneles_[static_cast<std::size_t>(i)] = panel;
  }
  PanelVariante_ = new QLabel(QStringLiteral(" Algoritmos de los libros "), barra);
  PanelVariante_->setObjectName(QStringLiteral("PanelVariante"));
  PanelVariante_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  barra->addPermanentWidget(PanelVariante_);
  PanelVariante_->hide();
  PanelZoom_ = new QLabel(barra);
  PanelZoom_->setObjectName(QStringLiteral("PanelZoom"));
  PanelZoom_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PanelZoom_->setAlignment(Qt::AlignCenter);
  PanelZoom_->setMinimumWidth(90);
  barra->addPermanentWidget(PanelZoom_);
  MostrarZoom();
}

void TVentPpal::CrearBarraHerramientas() {
  ToolBar1_ = addToolBar(QStringLiteral("ToolBar1"));
  ToolBar1_->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1_->setMovable(false);
  ToolBar1_->setFloatable(false);
  ToolBar1_->setIconSize(QSize(16, 16));
  ToolBar1_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  ToolBar1_->setContextMenuPolicy(Qt::PreventContextMenu);

  const auto botonMenu = [this](const char* nombre, QMenu* menu, int imagen, const QString& hint) {
    auto* b = new QToolButton(ToolBar1_);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIcon(IconoHerramienta(imagen));
    b->setToolTip(hint);
    b->setMenu(menu);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setAutoRaise(true);
    ToolBar1_->addWidget(b);
    return b;
  };
  const auto boton = [this](const char* nombre, int imagen, const QString& hint, bool marcable) {
    auto* a = new QAction(IconoHerramienta(imagen), hint, this);
    a->setObjectName(QString::fromLatin1(nombre));
    a->setToolTip(hint);
    a->setCheckable(marcable);
    ToolBar1_->addAction(a);
    return a;
  };

  // 1-4: new structure, open, save, save the operation list.
  PopupMenu1_ = new QMenu(this);
  PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
  auto* grupoArb = new QActionGroup(this);
  static const char* const kOpcArb[5][3] = {
      {"OpcArb1", "Arbol binario de búsqueda", "Ctrl+B"},
      {"OpcArb2", "Arbol AVL", "Ctrl+A"},
      {"OpcArb3", "Arbol Rojo-Negro", "Ctrl+R"},
      {"OpcArb4", "Splay trees", "Ctrl+S"},
      {"OpcArb5", "Montículo", "Ctrl+M"}};
  static constexpr TComando kNuevo[5] = {cNuevo1, cNuevo2, cNuevo3, cNuevo4, cNuevo5};
  for (std::size_t i = 0; i < 5; ++i) {
    if (i == 4)
      PopupMenu1_->addSeparator()->setObjectName(QStringLiteral("N1"));
    // The shortcut is only shown here: the command carries the real one.
    auto* item = new QAction(QString::fromUtf8(kOpcArb[i][1]) + QLatin1Char('\t') +
                                 QString::fromLatin1(kOpcArb[i][2]),
                             grupoArb);
    item->setObjectName(QString::fromLatin1(kOpcArb[i][0]));
    item->setCheckable(true);
    item->setChecked(i == 0);
    connect(item, &QAction::triggered, Accion(kNuevo[i]), &QAction::trigger);
    PopupMenu1_->addAction(item);
    OpcArb_[i] = item;
  }
  ToolButton3_ = botonMenu("ToolButton3", PopupMenu1_, 8, QStringLiteral("Nuevo arbol"));
  ToolBar1_->addAction(Accion(cAbrir));
  ToolBar1_->addAction(Accion(cGuardar));
  ToolBar1_->addAction(Accion(cGuardarOper));
  ToolBar1_->addAction(Accion(cExportarEtapas));
  ToolBar1_->addSeparator();

  // 6-8: the presentation buttons; the two stage buttons allow at most one
  // down, and both may be up.
  btnAnimar_ = boton("btnAnimar", 15, QStringLiteral("Animar movimiento nodos"), true);
  btnPaso2_ = boton("btnPaso2", 20, QStringLiteral("Mostrar etapas con pausas (sin descripción)"), true);
  btnPaso_ = boton("btnPaso", 16, QStringLiteral("Mostrar etapas con descripción"), true);
  GrupoPaso_ = new QActionGroup(this);
  GrupoPaso_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  GrupoPaso_->addAction(btnPaso2_);
  GrupoPaso_->addAction(btnPaso_);
  connect(btnPaso2_, &QAction::triggered, this, &TVentPpal::btnPaso2Click);
  connect(btnPaso_, &QAction::triggered, this, &TVentPpal::btnPasoClick);
  ToolBar1_->addSeparator();

  // 10-13: settings and the mouse mode.
  ToolBar1_->addAction(Accion(cConfAnim));
  ToolBar1_->addAction(Accion(cConfiguracion));
  PopupMenu2_ = new QMenu(this);
  PopupMenu2_->setObjectName(QStringLiteral("PopupMenu2"));
  auto* grupoRat = new QActionGroup(this);
  const auto itemRaton = [&](const char* nombre, const char* texto) {
    auto* a = new QAction(QString::fromUtf8(texto), grupoRat);
    a->setObjectName(QString::fromLatin1(nombre));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, &TVentPpal::OpcRatClick);
    PopupMenu2_->addAction(a);
    return a;
  };
  OpcRatSel_ = itemRaton("OpcRatSel", "Seleccionar nodo");
  OpcRatBus_ = itemRaton("OpcRatBus", "Buscar el nodo");
  OpcRatDel_ = itemRaton("OpcRatDel", "Borrar el nodo");
  OpcRatSel_->setChecked(true);
  ToolButton9_ = botonMenu("ToolButton9", PopupMenu2_, 12, QStringLiteral("Pulsación de ratón"));
  ToolBar1_->addAction(Accion(cRango));
  // The zoom commands, also reachable by their keys.
  auto* menuZoom = new QMenu(this);
  menuZoom->setObjectName(QStringLiteral("PopupMenuZoom"));
  for (TComando c : {cAcercar, cAlejar, cAjustarZoom, cTamanoReal}) {
    // The shortcut is only shown here: the command carries the real one.
    auto* item = menuZoom->addAction(Accion(c)->text() + QLatin1Char('\t') +
                                     Accion(c)->property("AtajoMostrado").value<QKeySequence>().toString(QKeySequence::PortableText));
    connect(item, &QAction::triggered, Accion(c), &QAction::trigger);
  }
  // A button of text that opens its menu at once.
  const auto botonTexto = [this](const QString& nombre, const QString& texto, const QString& ayuda, QMenu* menu) {
    auto* b = new QToolButton(ToolBar1_);
    b->setObjectName(nombre);
    b->setText(texto);
    b->setToolTip(ayuda);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMenu(menu);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setAutoRaise(true);
    ToolBar1_->addWidget(b);
    return b;
  };
  ToolButtonZoom_ = botonTexto(QStringLiteral("ToolButtonZoom"), QStringLiteral("Zoom"), QStringLiteral("Zoom"), menuZoom);
  ToolBar1_->addSeparator();

  // 15-19: the operations.
  ToolBar1_->addAction(Accion(cLimpiar));
  ToolBar1_->addAction(Accion(cBuscar));
  ToolBar1_->addAction(Accion(cInsertar));
  ToolBar1_->addAction(Accion(cBorrar));
  ToolBar1_->addAction(Accion(cDeshacer));
  ToolBar1_->addAction(Accion(cRehacer));
  ToolBar1_->addSeparator();

  // 21-24: the chosen operation on a typed value.
  lisOperacion_ = new QComboBox(ToolBar1_);
  lisOperacion_->setObjectName(QStringLiteral("lisOperacion"));
  lisOperacion_->addItems({QStringLiteral("Buscar"), QStringLiteral("Insertar"),
                          QStringLiteral("Borrar")});
  lisOperacion_->setFixedWidth(103);
  lisOperacion_->setToolTip(QStringLiteral("Tipo de operación"));
  ToolBar1_->addWidget(lisOperacion_);
  auto* Label1 = new QLabel(QStringLiteral(" = "), ToolBar1_);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFixedWidth(12);
  Label1->setAlignment(Qt::AlignCenter);
  ToolBar1_->addWidget(Label1);
  edtValor_ = new QLineEdit(QStringLiteral("1"), ToolBar1_);
  edtValor_->setObjectName(QStringLiteral("edtValor"));
  edtValor_->setFixedWidth(58);
  // Room for a pasted list of some 10^5 keys (the line edit keeps 32767
  // characters otherwise, and would cut a list in the middle of a key).
  edtValor_->setMaxLength(1 << 20);
  edtValor_->setToolTip(QStringLiteral("Pulse intro para buscar/insertar/borrar el valor"));
  ToolBar1_->addWidget(edtValor_);
  ToolBar1_->addAction(Accion(cOperacion));
  ToolBar1_->addSeparator();

  // 26-28: the demonstration builders.
  ToolButton17_ = boton("ToolButton17", 10, QStringLiteral("AVL Fibonacci"), false);
  ToolButton20_ = boton("ToolButton20", 24, QStringLiteral("Montículo desordenado"), false);
  ToolButton21_ = boton("ToolButton21", 25, QStringLiteral("Crear montículo"), false);
  connect(ToolButton17_, &QAction::triggered, this, &TVentPpal::ToolButton17Click);
  connect(ToolButton20_, &QAction::triggered, this, &TVentPpal::ToolButton20Click);
  connect(ToolButton21_, &QAction::triggered, this, &TVentPpal::ToolButton21Click);
  ToolBar1_->addSeparator();

  // Help, a menu like the zoom's.
  auto* menuAyuda = new QMenu(this);
  menuAyuda->setObjectName(QStringLiteral("PopupMenuAyuda"));
  menuAyuda->addAction(Accion(cAcercaDe));
  botonTexto(QStringLiteral("ToolButtonAyuda"), QStringLiteral("?"), QStringLiteral("Ayuda"), menuAyuda);

  // Shortcuts act window-wide, also while typing in the value box.
  edtValor_->installEventFilter(this);
  lisOperacion_->installEventFilter(this);
}

void TVentPpal::FormCreate() {
  Historia_ = THistoria();
  Modo8Bits_ = Plataforma_.Pantalla && Plataforma_.Pantalla->ColoresPaleta() > -1;
  GeneradorPrograma().Extraer(0);
  lisOperacion_->setCurrentIndex(1);
  Arbol_ = std::make_unique<TArbolBST>();
  AplicarVariante();
  Historia_.Reiniciar(*Arbol_);
  NombreArbol_ = QStringLiteral("Arbol BST");
  HayImagenes_ = Imagenes_.CargarDeCarpetas(Modo8Bits_, Plataforma_.CarpetasImagenes).has_value();
  OpcionesLeidas_ = false;
  ModoRaton_ = 0;
  Bloqueado_ = false;
  Paneles_[5]->setText(Modo8Bits_ ? QStringLiteral(" Modo 8 bits") : QStringLiteral("Modo 32 bits"));
}

void TVentPpal::showEvent(QShowEvent* evento) {
  QMainWindow::showEvent(evento);
  if (!OpcionesLeidas_) {
    LeerOpciones();
    OpcionesLeidas_ = true;
    // The canvas took its size before the settings were read.
    Refrescar();
  }
}

void TVentPpal::closeEvent(QCloseEvent* evento) {
  // Closes at once: a playback and any motion jump to their ends.
  TerminarReproduccion();
  if (Lienzo_->EnMovimiento())
    Lienzo_->AcabarMovimiento();
  if (!GuardarOpciones())
    Mensaje(QStringLiteral("No se han podido guardar las opciones de presentación."));
  for (QWidget* dialogo : {static_cast<QWidget*>(DlgPres_.data()),
                           static_cast<QWidget*>(DlgPaso_.data()),
                           static_cast<QWidget*>(DlgAnimacion_.data())})
    if (dialogo)
      dialogo->hide();
  evento->accept();
}

bool TVentPpal::event(QEvent* evento) {
  // QMainWindow would show the tip as the status bar's temporary message,
  // which hides every panel while the mouse is over the tool bar.
  if (evento->type() == QEvent::StatusTip) {
    MostrarPista(static_cast<QStatusTipEvent*>(evento)->tip());
    return true;
  }
  return QMainWindow::event(evento);
}

void TVentPpal::MostrarPista(const QString& pista) {
  QLabel* panel = Paneles_[5];
  if (!panel)
    return;
  if (pista.isEmpty()) {
    if (TextoBajoPista_ && panel->text() == Pista_)
      panel->setText(*TextoBajoPista_);
    TextoBajoPista_.reset();
    return;
  }
  if (!TextoBajoPista_ || panel->text() != Pista_)
    TextoBajoPista_ = panel->text();
  Pista_ = pista;
  panel->setText(pista);
}

void TVentPpal::Mensaje(const QString& texto) {
  if (Plataforma_.Mensajes)
    Plataforma_.Mensajes->Mostrar(this, texto);
}
