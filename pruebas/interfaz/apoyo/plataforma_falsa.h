#pragma once
// Platform services for tests: nothing blocks, every question gets the answer queued beforehand (an empty
// queue or an empty answer is a cancel), and what the program showed or asked is recorded.
#include "uAlmacenQSettings.h"
#include "uPlataforma.h"

#include <QDir>
#include <QStringList>

#include <deque>

template <class T> std::optional<T> Siguiente(std::deque<std::optional<T>>& cola) {
  std::optional<T> r = cola.empty() ? std::nullopt : cola.front();
  if (!cola.empty()) cola.pop_front();
  return r;
}

struct TPantallaFalsa final : IProfundidadColor {
  explicit TPantallaFalsa(int colores) : Colores(colores) {}
  int ColoresPaleta() const override { return Colores; }
  int Colores;
};

struct TMensajesFalsos final : IMensajes {
  void Mostrar(QWidget*, const QString& texto) override { Textos << texto; }
  bool Preguntar(QWidget*, const QString& texto, const QString&, const QString&) override {
    Preguntas << texto;
    return Siguiente(Respuestas).value_or(false);
  }
  QStringList Textos, Preguntas;
  std::deque<std::optional<bool>> Respuestas;  // empty: the second answer
};

struct TFicherosFalsos final : ISelectorFicheros {
  std::optional<TFicheroElegido> ElegirAbrir(QWidget* w, const TDialogoFichero& d) override {
    return ElegirGuardar(w, d);
  }
  std::optional<TFicheroElegido> ElegirGuardar(QWidget*, const TDialogoFichero& d) override {
    Mostrados.push_back(d);
    return Siguiente(Respuestas);
  }
  std::deque<std::optional<TFicheroElegido>> Respuestas;
  std::vector<TDialogoFichero> Mostrados;
};

struct TEntradaFalsa final : IEntradaTexto {
  std::optional<QString> Pedir(QWidget*, const QString& titulo, const QString& etiqueta, const QString& v) override {
    Preguntas << titulo + QLatin1Char('|') + etiqueta + QLatin1Char('|') + v;
    return Siguiente(Respuestas);
  }
  std::deque<std::optional<QString>> Respuestas;
  QStringList Preguntas;  // "title|label|value"
};

struct TSelectoresFalsos final : ISelectores {
  std::optional<TColor> ElegirColor(QWidget*, TColor inicial) override {
    ColoresIniciales.push_back(inicial);
    return Siguiente(Colores);
  }
  std::optional<TFuente> ElegirFuente(QWidget*, const TFuente& inicial) override {
    FuentesIniciales.push_back(inicial);
    return Siguiente(Fuentes);
  }
  std::deque<std::optional<TColor>> Colores;
  std::deque<std::optional<TFuente>> Fuentes;
  std::vector<TColor> ColoresIniciales;
  std::vector<TFuente> FuentesIniciales;
};

// Every service replaced; the settings live in the INI file given, the node pictures are the working folder's.
struct TPlataformaPrueba {
  explicit TPlataformaPrueba(const QString& ficheroOpciones, int colores = -1)
      : Pantalla(std::make_shared<TPantallaFalsa>(colores)),
        Plataforma{Pantalla, Mensajes, Ficheros, Entrada, Selectores,
                   std::make_shared<TAlmacenQSettings>(ficheroOpciones), {QDir::currentPath()}} {}
  std::shared_ptr<TPantallaFalsa> Pantalla;
  std::shared_ptr<TMensajesFalsos> Mensajes = std::make_shared<TMensajesFalsos>();
  std::shared_ptr<TFicherosFalsos> Ficheros = std::make_shared<TFicherosFalsos>();
  std::shared_ptr<TEntradaFalsa> Entrada = std::make_shared<TEntradaFalsa>();
  std::shared_ptr<TSelectoresFalsos> Selectores = std::make_shared<TSelectoresFalsos>();
  TPlataforma Plataforma;
};
