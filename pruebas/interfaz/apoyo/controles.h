#pragma once
// The texts of a window's controls, for tests that check them control by
// control: a _data() table of object names and texts, and the check.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <initializer_list>
#include <optional>
#include <utility>

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
  return std::nullopt;
}

// One row per control: its object name and the text it must show.
inline void FilasDeTextos(std::initializer_list<std::pair<const char*, const char*>> filas) {
  QTest::addColumn<QString>("nombre");
  QTest::addColumn<QString>("texto");
  for (const auto& [nombre, texto] : filas)
    QTest::newRow(nombre) << QString::fromLatin1(nombre) << QString::fromUtf8(texto);
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
