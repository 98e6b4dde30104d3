#pragma once
// A window's controls found by object name, as the tests drive them like a user.

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

// Null when the window has no such control.
template <class T = QWidget>
T* Control(const QWidget* ventana, const char* nombre) {
  return ventana->findChild<T*>(QString::fromLatin1(nombre));
}

// The text a control shows; empty when it has none.
inline QString Texto(const QWidget* ventana, const char* nombre) {
  const QWidget* w = Control(ventana, nombre);
  if (auto* l = qobject_cast<const QLabel*>(w))
    return l->text();
  if (auto* b = qobject_cast<const QAbstractButton*>(w))
    return b->text();
  if (auto* e = qobject_cast<const QLineEdit*>(w))
    return e->text();
  if (auto* s = qobject_cast<const QSpinBox*>(w))
    return s->text();
  if (auto* p = qobject_cast<const QPlainTextEdit*>(w))
    return p->toPlainText();
  return {};
}
