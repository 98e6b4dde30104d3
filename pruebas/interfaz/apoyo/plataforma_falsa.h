#pragma once
// Platform services for tests: nothing blocks, every question gets the answer
// queued beforehand, and what the program showed is recorded.

#include "uPlataforma.h"

#include <QStringList>

#include <deque>

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
    if (Respuestas.empty())
      return false;
    const bool r = Respuestas.front();
    Respuestas.pop_front();
    return r;
  }
  QStringList Textos;
  QStringList Preguntas;
  std::deque<bool> Respuestas;  // empty: the second answer
};

class TFicherosFalsos final : public ISelectorFicheros {
public:
  std::optional<TFicheroElegido> ElegirAbrir(QWidget*, const TDialogoFichero& d) override;
  std::optional<TFicheroElegido> ElegirGuardar(QWidget*, const TDialogoFichero& d) override;
  std::deque<std::optional<TFicheroElegido>> Respuestas;  // empty: cancel
  std::vector<TDialogoFichero> Mostrados;
};

class TEntradaFalsa final : public IEntradaTexto {
public:
  std::optional<QString> Pedir(QWidget*, const QString& titulo, const QString& etiqueta,
                               const QString& valor) override;
  std::deque<std::optional<QString>> Respuestas;  // empty: cancel
  QStringList Preguntas;  // "title|label|value"
};

class TSelectoresFalsos final : public ISelectores {
public:
  std::optional<TColor> ElegirColor(QWidget*, TColor inicial) override;
  std::optional<TFuente> ElegirFuente(QWidget*, const TFuente& inicial) override;
  std::deque<std::optional<TColor>> Colores;   // empty: cancel
  std::deque<std::optional<TFuente>> Fuentes;  // empty: cancel
  std::vector<TColor> ColoresIniciales;
  std::vector<TFuente> FuentesIniciales;
};

// Every service replaced; the settings live in the INI file given.
struct TPlataformaPrueba {
  explicit TPlataformaPrueba(const QString& ficheroOpciones, int colores = -1);
  TPlataforma Plataforma;
  std::shared_ptr<TPantallaFalsa> Pantalla;
  std::shared_ptr<TMensajesFalsos> Mensajes;
  std::shared_ptr<TFicherosFalsos> Ficheros;
  std::shared_ptr<TEntradaFalsa> Entrada;
  std::shared_ptr<TSelectoresFalsos> Selectores;
};
