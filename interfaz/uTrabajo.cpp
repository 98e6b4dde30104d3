#include "uTrabajo.h"

#include "uArbolBin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QWidget>

#include <algorithm>
#include <climits>

namespace {

// Decimal with a point every three digits, as Spanish texts write counts.
QString Miles(std::int64_t v) {
  QString s = QString::number(v < 0 ? -v : v);
  for (qsizetype i = s.size() - 3; i > 0; i -= 3)
    s.insert(i, QLatin1Char('.'));
  return v < 0 ? QLatin1Char('-') + s : s;
}

int Acotado(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, INT_MAX)); }

}  // namespace

TTrabajo::TTrabajo(QWidget* ventana, QString titulo) : Ventana_(ventana), Titulo_(std::move(titulo)) {}

TTrabajo::~TTrabajo() {
  if (EnCurso_)
    Terminar();
}

void TTrabajo::Fase(QString unidad, std::int64_t total) {
  Unidad_ = std::move(unidad);
  Total_ = std::max<std::int64_t>(total, 0);
  Hecho_ = 0;
  if (Dialogo_) {
    Dialogo_->setRange(0, Acotado(Total_));
    Dialogo_->setValue(0);
    Dialogo_->setLabelText(Texto(0));
  }
}

QString TTrabajo::Texto(std::int64_t hecho) const {
  return Total_ > 0 ? QStringLiteral("%1 de %2 %3").arg(Miles(hecho), Miles(Total_), Unidad_)
                    : QStringLiteral("%1 %2").arg(Miles(hecho), Unidad_);
}

bool TTrabajo::Ejecutar(const std::function<void()>& orden) {
  Anterior_ = std::exchange(Activo_, this);
  EnCurso_ = true;
  Cancelado_ = false;
  qApp->installEventFilter(this);
  Reloj_.start();
  UltimaBomba_ = 0;
  // However the work ends, the dialog goes and the input comes back.
  struct TFin {
    TTrabajo& T;
    ~TFin() { T.Terminar(); }
  } fin{*this};
  try {
    orden();
  } catch (const ECancelado&) {
    return false;
  }
  return true;
}

void TTrabajo::Terminar() {
  EnCurso_ = false;
  qApp->removeEventFilter(this);
  if (Activo_ == this)
    Activo_ = Anterior_;
  delete Dialogo_.data();
  // The close that arrived during the work, now that it has unwound.
  if (CerrarAlAcabar_ && Ventana_)
    QMetaObject::invokeMethod(Ventana_.data(), &QWidget::close, Qt::QueuedConnection);
  CerrarAlAcabar_ = false;
}

void TTrabajo::Avance(std::int64_t hecho) {
  Hecho_ = hecho;
  if (!Cancelado_) {
    const qint64 t = Reloj_.elapsed();
    if (t - UltimaBomba_ < IntervaloMs)
      return;
    UltimaBomba_ = t;
    if (!Dialogo_ && t >= RetrasoMs)
      MostrarDialogo();
    if (Dialogo_) {
      Dialogo_->setValue(Total_ > 0 ? Acotado(std::min(hecho, Total_)) : 0);
      Dialogo_->setLabelText(Texto(hecho));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  if (Cancelado_)
    throw ECancelado{};
}

void TTrabajo::Cancelar() { Cancelado_ = true; }

void TTrabajo::MostrarDialogo() {
  auto* d = new QProgressDialog(Ventana_);
  d->setWindowTitle(Titulo_);
  d->setCancelButtonText(QStringLiteral("Cancelar"));
  d->setAutoClose(false);
  d->setAutoReset(false);
  d->setMinimumDuration(0);
  d->setRange(0, Acotado(Total_));
  d->setLabelText(Texto(Hecho_));
  d->setMinimumWidth(320);
  connect(d, &QProgressDialog::canceled, this, &TTrabajo::Cancelar);
  Dialogo_ = d;
  d->show();
  d->activateWindow();
}

bool TTrabajo::Retenido(QObject* objeto) const {
  // The first widget up the chain: a control, a menu, the window; an action
  // (a shortcut) has the window or one of its menus above it.
  for (QObject* o = objeto; o != nullptr; o = o->parent())
    if (auto* w = qobject_cast<QWidget*>(o)) {
      const QWidget* marco = w->window();
      return marco != Dialogo_ && !marco->isModal();
    }
  return false;
}

bool TTrabajo::eventFilter(QObject* objeto, QEvent* evento) {
  switch (evento->type()) {
  case QEvent::Close:
    if (objeto == Ventana_) {
      evento->ignore();
      CerrarAlAcabar_ = true;
      Cancelar();
      return true;
    }
    break;
  case QEvent::KeyPress:
    // Escape cancels wherever it is pressed, the held window included.
    if (static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape && Retenido(objeto))
      Cancelar();
    return Retenido(objeto);
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
  case QEvent::Wheel:
  case QEvent::KeyRelease:
  case QEvent::Shortcut:
  case QEvent::ShortcutOverride:
  case QEvent::ContextMenu:
  case QEvent::TouchBegin:
  case QEvent::TouchUpdate:
  case QEvent::TouchEnd:
  case QEvent::Drop:
    return Retenido(objeto);
  default:
    break;
  }
  return QObject::eventFilter(objeto, evento);
}
