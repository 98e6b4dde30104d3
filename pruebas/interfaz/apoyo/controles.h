#pragma once
// A window's controls found by object name, as the tests drive them like a
// user; and their texts, for tests that check them control by control: a
// _data() table of object names and texts, and the check.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

#include <initializer_list>
#include <optional>
#include <utility>

// Null when the window has no such control.
template <class T = QWidget>
T* Control(const QWidget* ventana, const char* nombre) {
  return ventana->findChild<T*>(QString::fromLatin1(nombre));
}

// nullopt for a control kind without a text of its own.
inline std::optional<QString> TextoControl(const QWidget* w) {
  if (auto* l = qobject_cast<const QLabel*>(w))
    return l->text();
  if (auto* b = qobject_cast<const QAbstractButton*>(w))
    return b->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w))
    return g->title();
  if (auto* e = qobject_cast<const QLineEdit*>(w))
    return e->text();
  if (auto* s = qobject_cast<const QSpinBox*>(w))
    return s->text();
  if (auto* p = qobject_cast<const QPlainTextEdit*>(w))
    return p->toPlainText();
  return std::nullopt;
}

// One row per control: its object name and the text it must show.
inline void FilasDeTextos(std::initializer_list<std::pair<const char*, const char*>> filas) {
  QTest::addColumn<QString>("nombre");
  QTest::addColumn<QString>("texto");
  for (const auto& [nombre, texto] : filas)
    QTest::newRow(nombre) << QString::fromLatin1(nombre) << QString::fromUtf8(texto);
}

// The text of a window's control; empty when it has none.
inline QString Texto(const QWidget* ventana, const char* nombre) {
  const QWidget* w = Control(ventana, nombre);
  return w ? TextoControl(w).value_or(QString()) : QString();
}

// The check for the current row of a FilasDeTextos table.
inline void ComprobarTexto(const QWidget* ventana) {
  QFETCH(QString, nombre);
  QFETCH(QString, texto);
  auto* w = ventana->findChild<QWidget*>(nombre);
  QVERIFY2(w, qPrintable(nombre));
  const auto mostrado = TextoControl(w);
  QVERIFY2(mostrado, "unexpected control kind");
  QCOMPARE(*mostrado, texto);
}
