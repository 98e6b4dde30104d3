#include "dPaso.h"

#include "uColor.h"
#include "uPseudocodigo.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QFont Titular(int pixeles) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixeles);
  f.setBold(true);
  return f;
}

// Lines of the description box. The longest reports of the engines take
// three at the box's width; one more leaves room for a longer word wrap.
constexpr int kLineasDescripcion = 4;
// Characters of an average line of the description box.
constexpr int kCaracteresLinea = 46;
// Rows of the stage list and characters of a line of the description at the
// default size: wider than the minimum, to be read from the back of a room.
constexpr int kFilasLista = 6;
constexpr int kCaracteresAncho = 62;
// The listing's pane: its letters, and the characters and lines it shows
// at the default size (a longer line wraps, a longer listing scrolls to the
// lit line).
constexpr int kPixelesListado = 13;
constexpr int kCaracteresListado = 61;
constexpr int kLineasListado = 9;
// The gap kept between the window and the edges of the available area.
constexpr int kMargen = 5;

QPushButton* Boton(const char* nombre, QWidget* padre) {
  auto* b = new QPushButton(padre);
  b->setObjectName(QLatin1String(nombre));
  // The keys belong to the window, so Space plays and pauses wherever the
  // mouse clicked last.
  b->setFocusPolicy(Qt::NoFocus);
  b->setAutoDefault(false);
  return b;
}

// The gap between two rectangles; zero when they touch or overlap.
double Distancia(const QRect& a, const QRect& b) {
  const int dx = std::max({0, a.left() - b.right(), b.left() - a.right()});
  const int dy = std::max({0, a.top() - b.bottom(), b.top() - a.bottom()});
  return std::hypot(double(dx), double(dy));
}

long long Area(const QRect& r) { return r.isEmpty() ? 0 : 1LL * r.width() * r.height(); }

}  // namespace

TDlgPaso::TDlgPaso(QWidget* padre) : QDialog(padre) {
  setObjectName(QStringLiteral("DlgPaso"));
  // A thin caption without text and without any system button; the frame
  // still lets the user move and resize it.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint);
  setWindowTitle(QString());
  setModal(false);
  setFocusPolicy(Qt::StrongFocus);

  etqTitulo = new QLabel(this);
  etqTitulo->setObjectName(QStringLiteral("etqTitulo"));
  etqTitulo->setFont(Titular(16));
  etqTitulo->setAlignment(Qt::AlignCenter);
  etqTitulo->setAutoFillBackground(true);
  etqTitulo->setMinimumHeight(27);
  etqTitulo->setContentsMargins(6, 2, 6, 2);
  QPalette gris = etqTitulo->palette();
  gris.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
  gris.setColor(QPalette::WindowText, Qt::white);
  etqTitulo->setPalette(gris);

  etqEtapa = new QLabel(this);
  etqEtapa->setObjectName(QStringLiteral("etqEtapa"));
  etqEtapa->setFont(Titular(13));
  etqEtapa->setMinimumWidth(1);  // a long title is cut, never widens the window

  etqNumero = new QLabel(this);
  etqNumero->setObjectName(QStringLiteral("etqNumero"));
  etqNumero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Room for any count, so the stage title does not jump from one to the next.
  etqNumero->setMinimumWidth(etqNumero->fontMetrics().horizontalAdvance(QStringLiteral("9999 de 9999")));
  etqNumero->hide();

  edtDescripcion = new QPlainTextEdit(this);
  edtDescripcion->setObjectName(QStringLiteral("edtDescripcion"));
  edtDescripcion->setReadOnly(true);
  edtDescripcion->setFocusPolicy(Qt::NoFocus);
  edtDescripcion->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  {
    // Never smaller than what the longest reports need, so the window's
    // minimum size keeps them whole.
    const QFontMetrics fm(edtDescripcion->font());
    const int margenes = 2 * edtDescripcion->frameWidth() +
                         2 * int(std::ceil(edtDescripcion->document()->documentMargin()));
    edtDescripcion->setMinimumSize(fm.averageCharWidth() * kCaracteresLinea + margenes,
                                   fm.lineSpacing() * kLineasDescripcion + margenes + 2);
  }

  lstEtapas = new QListWidget(this);
  lstEtapas->setObjectName(QStringLiteral("lstEtapas"));
  lstEtapas->setFocusPolicy(Qt::NoFocus);
  lstEtapas->setSelectionMode(QAbstractItemView::SingleSelection);
  lstEtapas->setUniformItemSizes(true);
  lstEtapas->setMinimumHeight(3 * lstEtapas->fontMetrics().height() + 2 * lstEtapas->frameWidth() + 6);
  lstEtapas->hide();
  connect(lstEtapas, &QListWidget::clicked, this, [this](const QModelIndex& i) {
    if (i.isValid())
      Q_EMIT Saltar(i.row());
  });

  edtPseudocodigo = new QPlainTextEdit(this);
  edtPseudocodigo->setObjectName(QStringLiteral("edtPseudocodigo"));
  edtPseudocodigo->setReadOnly(true);
  edtPseudocodigo->setFocusPolicy(Qt::NoFocus);
  edtPseudocodigo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  edtPseudocodigo->setToolTip(QStringLiteral("El algoritmo, con la línea de la etapa resaltada"));
  {
    // Fixed-width letters keep the listing's indentation; large enough for
    // the back of a room.
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(kPixelesListado);
    edtPseudocodigo->setFont(f);
    const QFontMetrics fm(f);
    const int margenes = 2 * edtPseudocodigo->frameWidth() +
                         2 * int(std::ceil(edtPseudocodigo->document()->documentMargin()));
    edtPseudocodigo->setMinimumHeight(4 * fm.lineSpacing() + margenes);
  }

  btnPrimera = Boton("btnPrimera", this);
  btnPrimera->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
  btnPrimera->setToolTip(QStringLiteral("Primera etapa (Inicio)"));
  btnAnterior = Boton("btnAnterior", this);
  btnAnterior->setText(QStringLiteral("<< &Anterior"));
  btnAnterior->setToolTip(QStringLiteral("Etapa anterior (Flecha izquierda)"));
  btnReproducir = Boton("btnReproducir", this);
  btnSeguir = Boton("btnSeguir", this);
  btnSeguir->setDefault(true);
  btnSeguir->setToolTip(QStringLiteral("Etapa siguiente (Flecha derecha)"));
  btnUltima = Boton("btnUltima", this);
  btnUltima->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
  btnUltima->setToolTip(QStringLiteral("Última etapa (Fin)"));
  PonerEfectuar(false);
  PonerReproduciendo(false);
  // Wide enough for the longer caption it takes before a change of shape.
  const int ancho = std::max({btnSeguir->sizeHint().width(), btnAnterior->sizeHint().width(),
                              btnSeguir->fontMetrics().horizontalAdvance(QStringLiteral("Efectuar!")) + 24});
  btnSeguir->setMinimumWidth(ancho);
  btnAnterior->setMinimumWidth(ancho);

  btnPseudocodigo = Boton("btnPseudocodigo", this);
  btnPseudocodigo->setText(QStringLiteral("&Pseudocódigo"));
  btnPseudocodigo->setCheckable(true);
  btnPseudocodigo->setChecked(true);
  btnPseudocodigo->setToolTip(QStringLiteral("Mostrar u ocultar el algoritmo junto a la etapa"));
  connect(btnPseudocodigo, &QPushButton::toggled, edtPseudocodigo, &QWidget::setVisible);

  sldVelocidad = new QSlider(Qt::Horizontal, this);
  sldVelocidad->setObjectName(QStringLiteral("sldVelocidad"));
  sldVelocidad->setRange(VelocidadMin, VelocidadMax);
  sldVelocidad->setPageStep(1);
  sldVelocidad->setTickPosition(QSlider::TicksBelow);
  sldVelocidad->setFocusPolicy(Qt::NoFocus);
  sldVelocidad->setValue((VelocidadMin + VelocidadMax) / 2);
  sldVelocidad->setToolTip(QStringLiteral("Velocidad de la reproducción y del movimiento de los nodos"));
  connect(sldVelocidad, &QSlider::valueChanged, this, &TDlgPaso::VelocidadCambiada);

  connect(btnSeguir, &QPushButton::clicked, this, &TDlgPaso::Seguir);
  connect(btnAnterior, &QPushButton::clicked, this, &TDlgPaso::Anterior);
  connect(btnPrimera, &QPushButton::clicked, this, &TDlgPaso::Primera);
  connect(btnUltima, &QPushButton::clicked, this, &TDlgPaso::Ultima);
  connect(btnReproducir, &QPushButton::clicked, this, &TDlgPaso::ReproducirPausar);

  auto* filaEtapa = new QHBoxLayout;
  filaEtapa->addWidget(etqEtapa, 1);
  filaEtapa->addWidget(etqNumero);

  auto* botones = new QHBoxLayout;
  botones->setSpacing(4);
  botones->addWidget(btnPrimera);
  botones->addWidget(btnAnterior, 1);
  botones->addWidget(btnReproducir);
  botones->addWidget(btnSeguir, 1);
  botones->addWidget(btnUltima);

  auto* velocidad = new QHBoxLayout;
  auto* etqVelocidad = new QLabel(QStringLiteral("Velocidad:"), this);
  velocidad->addWidget(etqVelocidad);
  velocidad->addSpacing(6);
  velocidad->addWidget(new QLabel(QStringLiteral("lenta"), this));
  velocidad->addWidget(sldVelocidad, 1);
  velocidad->addWidget(new QLabel(QStringLiteral("rápida"), this));
  velocidad->addSpacing(10);
  velocidad->addWidget(btnPseudocodigo);

  auto* cuerpo = new QVBoxLayout(this);
  cuerpo->setContentsMargins(6, 6, 6, 6);
  cuerpo->setSpacing(5);
  cuerpo->addWidget(etqTitulo);
  cuerpo->addLayout(filaEtapa);
  cuerpo->addWidget(edtDescripcion, 1);
  cuerpo->addWidget(lstEtapas, 3);
  cuerpo->addWidget(edtPseudocodigo, 5);
  cuerpo->addLayout(botones);
  cuerpo->addLayout(velocidad);

  PonerLimites(false, true);
  // The default size leaves the list a few rows beyond its minimum, and the
  // listing's pane room for most listings whole.
  const QSize minimo = minimumSizeHint();
  const int fila = lstEtapas->sizeHintForRow(0) > 0 ? lstEtapas->sizeHintForRow(0)
                                                     : lstEtapas->fontMetrics().height() + 2;
  const QFontMetricsF letra(edtPseudocodigo->font());
  const QMargins m = cuerpo->contentsMargins();
  const int anchoListado = int(std::ceil(letra.horizontalAdvance(QLatin1Char('M')) * kCaracteresListado)) +
                           2 * edtPseudocodigo->frameWidth() +
                           2 * int(std::ceil(edtPseudocodigo->document()->documentMargin())) + m.left() + m.right();
  resize(std::max({minimo.width(), fontMetrics().averageCharWidth() * kCaracteresAncho, anchoListado}),
         minimo.height() + lstEtapas->minimumHeight() + (kFilasLista - 3) * fila +
             int(std::ceil((kLineasListado - 4) * letra.lineSpacing())));
}

void TDlgPaso::MostrarListado(const QString& listado, int linea) {
  const TListado* l = linea > 0 ? BuscarListado(listado.toStdString()) : nullptr;
  if (!l || static_cast<std::size_t>(linea) > l->Lineas.size()) {
    Listado_.clear();
    edtPseudocodigo->clear();
    edtPseudocodigo->setExtraSelections({});
    return;
  }
  if (Listado_ != listado) {
    QStringList lineas;
    for (const std::string& t : l->Lineas)
      lineas << QString::fromStdString(t);
    edtPseudocodigo->setPlainText(lineas.join(QLatin1Char('\n')));
    Listado_ = listado;
  }
  QTextEdit::ExtraSelection lit;
  lit.cursor = QTextCursor(edtPseudocodigo->document()->findBlockByNumber(linea - 1));
  lit.format.setBackground(ColorQt(ColorLineaActual));
  lit.format.setForeground(Qt::black);
  lit.format.setFontWeight(QFont::Bold);
  lit.format.setProperty(QTextFormat::FullWidthSelection, true);
  edtPseudocodigo->setExtraSelections({lit});
  edtPseudocodigo->setTextCursor(lit.cursor);
  edtPseudocodigo->ensureCursorVisible();
}

void TDlgPaso::PonerVerPseudocodigo(bool ver) { btnPseudocodigo->setChecked(ver); }

bool TDlgPaso::VerPseudocodigo() const { return btnPseudocodigo->isChecked(); }

void TDlgPaso::PonerTitulo(const QString& titulo) { etqTitulo->setText(titulo); }

void TDlgPaso::PonerEtapas(const QStringList& titulos) {
  lstEtapas->clear();
  for (qsizetype k = 0; k < titulos.size(); ++k)
    lstEtapas->addItem(QStringLiteral("%1. %2").arg(k + 1).arg(titulos[k]));
  lstEtapas->setVisible(!titulos.isEmpty());
  etqNumero->setVisible(!titulos.isEmpty());
  etqNumero->clear();
}

void TDlgPaso::MostrarEtapa(const QString& titulo, const QString& descripcion) {
  etqEtapa->setText(titulo);
  edtDescripcion->setPlainText(descripcion);
}

void TDlgPaso::MostrarEtapa(int etapa, const QString& titulo, const QString& descripcion) {
  MostrarEtapa(titulo, descripcion);
  if (etapa < 0 || etapa >= lstEtapas->count()) {
    lstEtapas->setCurrentRow(-1);
    etqNumero->clear();
    return;
  }
  lstEtapas->setCurrentRow(etapa);
  lstEtapas->scrollToItem(lstEtapas->item(etapa));
  etqNumero->setText(QStringLiteral("%1 de %2").arg(etapa + 1).arg(lstEtapas->count()));
}

void TDlgPaso::PonerEfectuar(bool efectuar) {
  btnSeguir->setText(efectuar ? QStringLiteral("Efectuar!") : QStringLiteral("&Seguir >>"));
}

void TDlgPaso::PonerLimites(bool hayAnterior, bool haySiguiente) {
  btnPrimera->setEnabled(hayAnterior);
  btnAnterior->setEnabled(hayAnterior);
  btnUltima->setEnabled(haySiguiente);
  btnReproducir->setEnabled(haySiguiente || Reproduciendo_);
}

void TDlgPaso::PonerReproduciendo(bool reproduciendo) {
  Reproduciendo_ = reproduciendo;
  btnReproducir->setIcon(style()->standardIcon(reproduciendo ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
  btnReproducir->setToolTip(reproduciendo ? QStringLiteral("Pausa (Espacio)")
                                          : QStringLiteral("Reproducir (Espacio)"));
  if (reproduciendo)
    btnReproducir->setEnabled(true);
}

void TDlgPaso::PonerVelocidad(int velocidad) {
  const QSignalBlocker bloqueo(sldVelocidad);
  sldVelocidad->setValue(std::clamp(velocidad, VelocidadMin, VelocidadMax));
}

int TDlgPaso::Velocidad() const { return sldVelocidad->value(); }

void TDlgPaso::ColocarLibre(const QRect& ocupado, const QRect& disponible) {
  if (LugarDelUsuario() || disponible.isEmpty())
    return;
  const QSize t = frameGeometry().size();
  const int libreX = std::max(0, disponible.width() - t.width() - 2 * kMargen);
  const int libreY = std::max(0, disponible.height() - t.height() - 2 * kMargen);
  // The corners and the middles of the sides; the bottom-right corner first,
  // so it wins a tie.
  QPoint mejor;
  long long mejorSolape = -1;
  double mejorDistancia = -1;
  for (int fy : {2, 0, 1})
    for (int fx : {2, 0, 1}) {
      if (fx == 1 && fy == 1)
        continue;
      const QPoint p(disponible.left() + kMargen + libreX * fx / 2, disponible.top() + kMargen + libreY * fy / 2);
      const QRect r(p, t);
      const long long solape = ocupado.isEmpty() ? 0 : Area(r & ocupado);
      const double distancia = ocupado.isEmpty() ? 0 : Distancia(r, ocupado);
      if (mejorSolape < 0 || solape < mejorSolape || (solape == mejorSolape && distancia > mejorDistancia)) {
        mejor = p;
        mejorSolape = solape;
        mejorDistancia = distancia;
      }
    }
  MoverPorPrograma(mejor);
}

bool TDlgPaso::LugarDelUsuario() const {
  return LugarGuardado_ || (LugarPuesto_ && pos() != *LugarPuesto_);
}

QRect TDlgPaso::Lugar() const {
  if (!Mostrada_ && !LugarPuesto_ && !LugarGuardado_)
    return {};
  return {pos(), size()};
}

void TDlgPaso::PonerLugar(const QRect& lugar) {
  if (lugar.isNull())
    return;
  const QSize t = lugar.size().expandedTo(minimumSizeHint()).boundedTo(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  resize(t);
  const QRect r(lugar.topLeft(), t);
  const auto pantallas = QGuiApplication::screens();
  // Its caption must be on a screen, with enough of the window around it to
  // be grabbed.
  const bool visible = std::any_of(pantallas.begin(), pantallas.end(), [&](const QScreen* s) {
    const QRect g = s->availableGeometry();
    const QRect comun = r & g;
    return comun.width() >= 48 && comun.height() >= 24 && r.top() >= g.top() && r.top() <= g.bottom();
  });
  if (!visible)
    return;
  move(r.topLeft());
  LugarGuardado_ = true;
}

void TDlgPaso::MoverPorPrograma(const QPoint& p) {
  move(p);
  LugarPuesto_ = pos();
}

void TDlgPaso::keyPressEvent(QKeyEvent* e) {
  // QDialog would reject, and so hide the window, on Esc.
  if (e->matches(QKeySequence::Cancel) || e->key() == Qt::Key_Escape) {
    e->accept();
    return;
  }
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  if (mods == Qt::NoModifier) {
    switch (e->key()) {
      case Qt::Key_Right: Q_EMIT Seguir(); return;
      case Qt::Key_Left:
        if (btnAnterior->isEnabled())
          Q_EMIT Anterior();
        return;
      case Qt::Key_Home:
        if (btnPrimera->isEnabled())
          Q_EMIT Primera();
        return;
      case Qt::Key_End:
        if (btnUltima->isEnabled())
          Q_EMIT Ultima();
        return;
      case Qt::Key_Space:
        if (btnReproducir->isEnabled())
          Q_EMIT ReproducirPausar();
        return;
      default: break;
    }
  }
  QDialog::keyPressEvent(e);
}

void TDlgPaso::showEvent(QShowEvent* e) {
  Mostrada_ = true;
  QDialog::showEvent(e);
}

void TDlgPaso::closeEvent(QCloseEvent* e) {
  // Qt does not tell the window system's close requests from close() calls,
  // so every close is refused; the program hides the window with hide().
  e->ignore();
}
