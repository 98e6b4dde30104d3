#pragma once
// Platform services for tests: nothing blocks, every question gets the answer
// queued beforehand, and what the program showed is recorded.

#include "uAlmacenQSettings.h"
#include "uPlataforma.h"

#include <QStringList>

#include <deque>

// The next queued answer; an empty queue or an empty answer is a cancel.
template <class T> std::optional<T> Siguiente(std::deque<std::optional<T>>& cola) {
  if (cola.empty() || !cola.front()) {
    if (!cola.empty())
      cola.pop_front();
    return std::nullopt;
  }
  T valor = *cola.front();
  cola.pop_front();
  return valor;
}

class TPantallaFalsa final : public IProfundidadColor {
public:
  explicit TPantallaFalsa(int colores = -1) : Colores(colores) {}
  int ColoresPaleta() const override { return Colores; }
  int Colores;
};

class TMensajesFalsos final : public IMensajes {
public:
  void Mostrar(QWidget*, const QString& texto) override { Textos << texto; }
  bool Preguntar(QWidget*, const QString& texto, const QString&, const QString&) override {
    Preguntas << texto;
    const bool r = !Respuestas.empty() && Respuestas.front();
    if (!Respuestas.empty())
      Respuestas.pop_front();
    return r;
  }
  QStringList Textos;
  QStringList Preguntas;
  std::deque<bool> Respuestas;  // empty: the second answer
};

class TFicherosFalsos final : public ISelectorFicheros {
public:
  std::optional<TFicheroElegido> ElegirAbrir(QWidget*, const TDialogoFichero& d) override {
    Mostrados.push_back(d);
    return Siguiente(Respuestas);
  }
  std::optional<TFicheroElegido> ElegirGuardar(QWidget*, const TDialogoFichero& d) override {
    Mostrados.push_back(d);
    return Siguiente(Respuestas);
  }
  std::deque<std::optional<TFicheroElegido>> Respuestas;  // empty: cancel
  std::vector<TDialogoFichero> Mostrados;
};

class TEntradaFalsa final : public IEntradaTexto {
public:
  std::optional<QString> Pedir(QWidget*, const QString& titulo, const QString& etiqueta,
                               const QString& valor) override {
    Preguntas << titulo + QLatin1Char('|') + etiqueta + QLatin1Char('|') + valor;
    return Siguiente(Respuestas);
  }
  std::deque<std::optional<QString>> Respuestas;  // empty: cancel
  QStringList Preguntas;                           // "title|label|value"
};

class TSelectoresFalsos final : public ISelectores {
public:
  std::optional<TColor> ElegirColor(QWidget*, TColor inicial) override {
    ColoresIniciales.push_back(inicial);
    return Siguiente(Colores);
  }
  std::optional<TFuente> ElegirFuente(QWidget*, const TFuente& inicial) override {
    FuentesIniciales.push_back(inicial);
    return Siguiente(Fuentes);
  }
  std::deque<std::optional<TColor>> Colores;   // empty: cancel
  std::deque<std::optional<TFuente>> Fuentes;  // empty: cancel
  std::vector<TColor> ColoresIniciales;
  std::vector<TFuente> FuentesIniciales;
};

// Every service replaced; the settings live in the INI file given.
struct TPlataformaPrueba {
  explicit TPlataformaPrueba(const QString& ficheroOpciones, int colores = -1)
      : Pantalla(std::make_shared<TPantallaFalsa>(colores)),
        Mensajes(std::make_shared<TMensajesFalsos>()), Ficheros(std::make_shared<TFicherosFalsos>()),
        Entrada(std::make_shared<TEntradaFalsa>()), Selectores(std::make_shared<TSelectoresFalsos>()) {
    Plataforma.Pantalla = Pantalla;
    Plataforma.Mensajes = Mensajes;
    Plataforma.Ficheros = Ficheros;
    Plataforma.Entrada = Entrada;
    Plataforma.Selectores = Selectores;
    Plataforma.Almacen = std::make_shared<TAlmacenQSettings>(ficheroOpciones);
  }
  TPlataforma Plataforma;
  std::shared_ptr<TPantallaFalsa> Pantalla;
  std::shared_ptr<TMensajesFalsos> Mensajes;
  std::shared_ptr<TFicherosFalsos> Ficheros;
  std::shared_ptr<TEntradaFalsa> Entrada;
  std::shared_ptr<TSelectoresFalsos> Selectores;
};
