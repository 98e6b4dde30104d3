#include "dPaso.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace {

QFont Titular(int pixeles) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixeles);
  f.setBold(true);
  return f;
}

}  // namespace

TDlgPaso::TDlgPaso(QWidget* padre) : QDialog(padre) {
  setObjectName(QStringLiteral("DlgPaso"));
  // A thin caption without text and without any system button.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint);
  setWindowTitle(QString());
  setModal(false);
  setFixedSize(249, 140);

  etqTitulo = new QLabel(this);
  etqTitulo->setObjectName(QStringLiteral("etqTitulo"));
  etqTitulo->setGeometry(4, 7, 235, 27);
  etqTitulo->setFont(Titular(16));
  etqTitulo->setAlignment(Qt::AlignCenter);
  etqTitulo->setAutoFillBackground(true);
  QPalette gris = etqTitulo->palette();
  gris.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
  gris.setColor(QPalette::WindowText, Qt::white);
  etqTitulo->setPalette(gris);

  etqEtapa = new QLabel(this);
  etqEtapa->setObjectName(QStringLiteral("etqEtapa"));
  etqEtapa->setGeometry(4, 39, 238, 19);
  etqEtapa->setFont(Titular(13));

  edtDescripcion = new QPlainTextEdit(this);
  edtDescripcion->setObjectName(QStringLiteral("edtDescripcion"));
  edtDescripcion->setGeometry(4, 60, 241, 49);
  edtDescripcion->setReadOnly(true);
  edtDescripcion->setFocusPolicy(Qt::NoFocus);

  btnSeguir = new QPushButton(this);
  btnSeguir->setObjectName(QStringLiteral("btnSeguir"));
  btnSeguir->setDefault(true);
  PonerEfectuar(false);
  // Wide enough for the longer caption it takes before a change of shape.
  const int ancho = std::max({59, btnSeguir->sizeHint().width(),
                              btnSeguir->fontMetrics().horizontalAdvance(QStringLiteral("Efectuar!")) + 16});
  btnSeguir->setGeometry(246 - ancho, 113, ancho, 25);

  connect(btnSeguir, &QPushButton::clicked, this, &TDlgPaso::Seguir);
}

void TDlgPaso::PonerTitulo(const QString& titulo) { etqTitulo->setText(titulo); }

void TDlgPaso::MostrarEtapa(const QString& titulo, const QString& descripcion) {
  etqEtapa->setText(titulo);
  edtDescripcion->setPlainText(descripcion);
}

void TDlgPaso::PonerEfectuar(bool efectuar) {
  btnSeguir->setText(efectuar ? QStringLiteral("Efectuar!") : QStringLiteral("&Seguir >>"));
}

void TDlgPaso::keyPressEvent(QKeyEvent* e) {
  // QDialog would reject, and so hide the window, on Esc.
  if (e->matches(QKeySequence::Cancel) || e->key() == Qt::Key_Escape) {
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TDlgPaso::closeEvent(QCloseEvent* e) {
  // Qt does not tell the window system's close requests from close() calls,
  // so every close is refused; the program hides the window with hide().
  e->ignore();
}
