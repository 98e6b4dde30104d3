#pragma once
// What a control shows as its text, whatever its kind: for tests that check
// the texts of a window control by control.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <optional>

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
