#include "dPresentacion.h"

#include "uControles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace {

QComboBox* Lista(const char* nombre, const QStringList& elementos, QWidget* padre) {
  auto* c = Nombrado<QComboBox>(nombre, padre);
  c->addItems(elementos);
  c->setCurrentIndex(0);
  return c;
}

QSpinBox* Giro(const char* nombre, int minimo, int maximo, int valor, QWidget* padre) {
  auto* s = Nombrado<QSpinBox>(nombre, padre);
  s->setRange(minimo, maximo);
  s->setValue(valor);
  return s;
}

QPushButton* Boton(const char* nombre, const QString& texto, QWidget* padre) {
  auto* b = Nombrado<QPushButton>(nombre, texto, padre);
  b->setAutoDefault(false);
  return b;
}

// A list index that is not an item of the list selects the first one.
void PonerIndice(QComboBox* lista, int indice) {
  const QSignalBlocker bloqueo(lista);
  lista->setCurrentIndex(indice >= 0 && indice < lista->count() ? indice : 0);
}

void PonerGiro(QSpinBox* giro, int valor) {
  const QSignalBlocker bloqueo(giro);
  giro->setValue(valor);  // QSpinBox clamps into its range
}

}  // namespace

TDlgPres::TDlgPres(QWidget* padre, std::shared_ptr<ISelectores> selectores)
    : QDialog(padre), FSelectores(std::move(selectores)) {
  setObjectName(QStringLiteral("DlgPres"));
  setWindowTitle(QStringLiteral("Opciones de Presentación"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(false);

  // Everything but the bottom strip sits in one bordered panel.
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Raised);

  lisTipoGraf = Lista("lisTipoGraf",
                      {QStringLiteral("Dibujos y texto"), QStringLiteral("Dibujos sin texto"),
                       QStringLiteral("Imágenes")},
                      panel);
  auto* filaGraf = new QHBoxLayout;
  filaGraf->addWidget(Etiqueta("Label5", QStringLiteral("Gráficos:"), panel));
  filaGraf->addWidget(lisTipoGraf, 1);

  auto* marco = new QGroupBox(QStringLiteral(" Geometría de nodos "), panel);
  marco->setObjectName(QStringLiteral("GroupBox1"));
  udNodoRad = Giro("udNodoRad", 1, 100, 20, marco);
  udNodoSx = Giro("udNodoSx", 0, 100, 10, marco);
  udNodoSy = Giro("udNodoSy", 0, 100, 10, marco);
  auto* rejilla = new QGridLayout(marco);
  rejilla->setHorizontalSpacing(8);
  rejilla->setVerticalSpacing(2);
  rejilla->addWidget(Etiqueta("Label2", QStringLiteral("Radio:"), marco), 0, 0);
  rejilla->addWidget(udNodoRad, 0, 1);
  rejilla->setRowMinimumHeight(1, 6);
  rejilla->addWidget(Etiqueta("Label4", QStringLiteral("Horiz.:"), marco), 2, 1);
  rejilla->addWidget(Etiqueta("Label1", QStringLiteral("Vert:"), marco), 2, 2);
  rejilla->addWidget(Etiqueta("Label3", QStringLiteral("Separación:"), marco), 3, 0);
  rejilla->addWidget(udNodoSx, 3, 1);
  rejilla->addWidget(udNodoSy, 3, 2);
  rejilla->setColumnStretch(3, 1);

  lisDistribucion = Lista("lisDistribucion",
                          {QStringLiteral("Separada"), QStringLiteral("Comprimida"),
                           QStringLiteral("Completa")},
                          panel);
  lisDisposicion = Lista("lisDisposicion",
                         {QStringLiteral("Arbol centrado"), QStringLiteral("Raiz fijada")}, panel);
  auto* listas = new QGridLayout;
  listas->addWidget(Etiqueta("Label6", QStringLiteral("Distribución de nodos:"), panel), 0, 0);
  listas->addWidget(lisDistribucion, 0, 1);
  listas->addWidget(Etiqueta("Label7", QStringLiteral("Disposición del arbol:"), panel), 1, 0);
  listas->addWidget(lisDisposicion, 1, 1);
  lisAlgoritmos = Lista("lisAlgoritmos",
                        {QStringLiteral("Como el programa original"), QStringLiteral("Como los libros de texto")},
                        panel);
  lisAlgoritmos->setToolTip(QStringLiteral(
      "Los libros de texto reparan el Rojo-Negro al borrar y dejan su raíz negra, y el Splay "
      "también sube el último nodo visitado cuando una búsqueda falla. Cambia las operaciones siguientes."));
  listas->addWidget(Etiqueta("Label8", QStringLiteral("Algoritmos:"), panel), 2, 0);
  listas->addWidget(lisAlgoritmos, 2, 1);
  listas->setColumnStretch(1, 1);

  chkSombras = new QCheckBox(QStringLiteral("Sombreado de nodos"), panel);
  chkSombras->setObjectName(QStringLiteral("chkSombras"));
  chkSombras->setChecked(true);
  btnFuente = Boton("btnFuente", QStringLiteral("&Fuente.."), panel);
  auto* filaSombras = new QHBoxLayout;
  filaSombras->addWidget(chkSombras);
  filaSombras->addStretch(1);
  filaSombras->addWidget(btnFuente);

  btnFondo = Boton("btnFondo", QStringLiteral("Color de fondo.."), panel);
  btnColNodo = Boton("btnColNodo", QStringLiteral("Color de nodos.."), panel);
  auto* filaColores = new QHBoxLayout;
  filaColores->addWidget(btnFondo);
  filaColores->addWidget(btnColNodo);

  auto* contenido = new QVBoxLayout(panel);
  contenido->setContentsMargins(8, 8, 8, 8);
  contenido->addLayout(filaGraf);
  contenido->addWidget(marco);
  contenido->addSpacing(4);
  contenido->addLayout(listas);
  contenido->addStretch(1);
  contenido->addLayout(filaSombras);
  contenido->addSpacing(4);
  contenido->addLayout(filaColores);

  btnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
  btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
  btnAceptar->setDefault(true);
  btnAceptar->setMinimumWidth(80);
  auto* tira = new QHBoxLayout;
  tira->addStretch(1);
  tira->addWidget(btnAceptar);
  tira->addStretch(1);

  auto* principal = new QVBoxLayout(this);
  principal->setContentsMargins(4, 4, 4, 5);
  principal->setSpacing(5);
  principal->addWidget(panel, 1);
  principal->addLayout(tira);

  // As close to the design size as the platform's fonts allow.
  setFixedSize(sizeHint().expandedTo(QSize(245, 336)));

  for (QComboBox* lista : {lisTipoGraf, lisDistribucion, lisDisposicion, lisAlgoritmos})
    connect(lista, &QComboBox::currentIndexChanged, this, &TDlgPres::edtChange);
  // A spin box takes only numbers inside its range, so text that is not a
  // number never changes the value: the last one stays.
  for (QSpinBox* giro : {udNodoRad, udNodoSx, udNodoSy})
    connect(giro, &QSpinBox::valueChanged, this, &TDlgPres::edtChange);
  connect(chkSombras, &QCheckBox::toggled, this, &TDlgPres::edtChange);
  connect(btnFuente, &QPushButton::clicked, this, &TDlgPres::btnFuenteClick);
  connect(btnFondo, &QPushButton::clicked, this, &TDlgPres::btnFondoClick);
  connect(btnColNodo, &QPushButton::clicked, this, &TDlgPres::btnColNodoClick);
  connect(btnAceptar, &QPushButton::clicked, this, &TDlgPres::btnAceptarClick);
}

int TDlgPres::TipoGraf() const { return lisTipoGraf->currentIndex(); }
int TDlgPres::TipoDist() const { return lisDistribucion->currentIndex(); }
int TDlgPres::TipoDisp() const { return lisDisposicion->currentIndex(); }
int TDlgPres::NodoRad() const { return udNodoRad->value(); }
int TDlgPres::NodoSx() const { return udNodoSx->value(); }
int TDlgPres::NodoSy() const { return udNodoSy->value(); }
bool TDlgPres::Sombras() const { return chkSombras->isChecked(); }
int TDlgPres::Algoritmos() const { return lisAlgoritmos->currentIndex(); }
void TDlgPres::PonerAlgoritmos(int algoritmos) { PonerIndice(lisAlgoritmos, algoritmos); }

TAjustesPresentacion TDlgPres::Ajustes() const {
  return {TipoGraf(), TipoDist(), TipoDisp(), NodoRad(), NodoSx(), NodoSy(),
          Sombras(),  FColFon,    FColNod,    FFuente};
}

void TDlgPres::PonerAjustes(const TAjustesPresentacion& a) {
  PonerIndice(lisTipoGraf, a.TipoGraf);
  PonerIndice(lisDistribucion, a.TipoDist);
  PonerIndice(lisDisposicion, a.TipoDisp);
  PonerGiro(udNodoRad, a.NodoRad);
  PonerGiro(udNodoSx, a.NodoSx);
  PonerGiro(udNodoSy, a.NodoSy);
  {
    const QSignalBlocker bloqueo(chkSombras);
    chkSombras->setChecked(a.Sombras);
  }
  FColFon = a.ColFon;
  FColNod = a.ColNod;
  FFuente = a.Fuente;
}

void TDlgPres::PonerDistribucion(int tipoDist) { PonerIndice(lisDistribucion, tipoDist); }
void TDlgPres::PonerNodoSx(int nodSx) { PonerGiro(udNodoSx, nodSx); }

void TDlgPres::MostrarOpciones() {
  FondoCambiado = false;
  show();
  raise();
  activateWindow();
}

void TDlgPres::edtChange() { Q_EMIT Cambiado(); }

void TDlgPres::btnFuenteClick() {
  if (const auto f = FSelectores->ElegirFuente(this, FFuente)) {
    FFuente = *f;
    edtChange();
  }
}

void TDlgPres::btnFondoClick() {
  if (const auto c = FSelectores->ElegirColor(this, FColFon)) {
    FColFon = *c;
    FondoCambiado = true;
    edtChange();
  }
}

void TDlgPres::btnColNodoClick() {
  if (const auto c = FSelectores->ElegirColor(this, FColNod)) {
    FColNod = *c;
    edtChange();
  }
}

void TDlgPres::btnAceptarClick() { hide(); }
