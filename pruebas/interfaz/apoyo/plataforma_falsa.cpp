#include "plataforma_falsa.h"

#include "uAlmacenQSettings.h"

namespace {
template <class T>
std::optional<T> Siguiente(std::deque<std::optional<T>>& cola) {
  if (cola.empty() || !cola.front()) {
    if (!cola.empty())
      cola.pop_front();
    return std::nullopt;
  }
  T valor = *cola.front();
  cola.pop_front();
  return valor;
}
}  // namespace

std::optional<TFicheroElegido> TFicherosFalsos::ElegirAbrir(QWidget*, const TDialogoFichero& d) {
  Mostrados.push_back(d);
  return Siguiente(Respuestas);
}

std::optional<TFicheroElegido> TFicherosFalsos::ElegirGuardar(QWidget*, const TDialogoFichero& d) {
  Mostrados.push_back(d);
  return Siguiente(Respuestas);
}

std::optional<QString> TEntradaFalsa::Pedir(QWidget*, const QString& titulo,
                                            const QString& etiqueta, const QString& valor) {
  Preguntas << titulo + QLatin1Char('|') + etiqueta + QLatin1Char('|') + valor;
  return Siguiente(Respuestas);
}

std::optional<TColor> TSelectoresFalsos::ElegirColor(QWidget*, TColor inicial) {
  ColoresIniciales.push_back(inicial);
  return Siguiente(Colores);
}

std::optional<TFuente> TSelectoresFalsos::ElegirFuente(QWidget*, const TFuente& inicial) {
  FuentesIniciales.push_back(inicial);
  return Siguiente(Fuentes);
}

TPlataformaPrueba::TPlataformaPrueba(const QString& ficheroOpciones, int colores)
    : Pantalla(std::make_shared<TPantallaFalsa>(colores)),
      Mensajes(std::make_shared<TMensajesFalsos>()),
      Ficheros(std::make_shared<TFicherosFalsos>()),
      Entrada(std::make_shared<TEntradaFalsa>()),
      Selectores(std::make_shared<TSelectoresFalsos>()) {
  Plataforma.Pantalla = Pantalla;
  Plataforma.Mensajes = Mensajes;
  Plataforma.Ficheros = Ficheros;
  Plataforma.Entrada = Entrada;
  Plataforma.Selectores = Selectores;
  Plataforma.Almacen = std::make_shared<TAlmacenQSettings>(ficheroOpciones);
}
