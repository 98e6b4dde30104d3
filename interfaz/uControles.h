#pragma once
// Controls created with the name the rest of the program and the tests find
// them by.

#include <QLabel>
#include <QString>

#include <utility>

// A new W built from the arguments, named.
template <class W, class... A>
W* Nombrado(const char* nombre, A&&... argumentos) {
  auto* w = new W(std::forward<A>(argumentos)...);
  w->setObjectName(QString::fromLatin1(nombre));
  return w;
}

inline QLabel* Etiqueta(const char* nombre, const QString& texto, QWidget* padre) {
  return Nombrado<QLabel>(nombre, texto, padre);
}
