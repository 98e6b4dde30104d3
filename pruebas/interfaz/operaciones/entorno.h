#pragma once
// The whole program with the fake platform, for the operation suites, and a
// helper that answers the step window from inside its waits.

#include "dPaso.h"
#include "plataforma_falsa.h"
#include "uAleatorio.h"
#include "uPrograma.h"
#include "vPpal.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <initializer_list>

struct TEntorno {
  // Shown (so the settings are read), with short timings.
  explicit TEntorno(const QString& fichero) : Plataforma(fichero), Programa(Plataforma.Plataforma) {
    V().show();
    V().PausaAnim = 20;
    V().PausaNumEtap = 4;
    V().PausaPres = 5;
  }
  TVentPpal& V() { return *Programa.VentPpal(); }
  TDlgPaso* Paso() { return Programa.DlgPaso(); }
  QStringList& Mensajes() { return Plataforma.Mensajes->Textos; }
  // Keys inserted straight into the structure, without reports, then shown.
  void Llenar(std::initializer_list<std::int32_t> claves) {
    for (std::int32_t c : claves)
      V().Arbol->Insertar(c);
    V().Refrescar();
  }
  bool Contiene(std::int32_t clave) { return V().Arbol->Seleccionar(clave, false); }

  TPlataformaPrueba Plataforma;
  TPrograma Programa;
};

// The program's generator is shared by the whole process: a test that sets
// its seed puts the old one back.
struct TSemillaGuardada {
  explicit TSemillaGuardada(std::uint32_t nueva) { GeneradorPrograma().Semilla = nueva; }
  ~TSemillaGuardada() { GeneradorPrograma().Semilla = Antes; }
  std::uint32_t Antes = GeneradorPrograma().Semilla;
};

// Looks at the step window every millisecond; once per stage wait (window
// shown, button not yet pressed) it records "stage|description|button" and
// runs its action, by default a press on the button. Timers only fire inside
// the waits' event loops, so every look falls inside a wait.
class TPulsador {
public:
  using TAccion = std::function<void(TPulsador&)>;
  explicit TPulsador(TDlgPaso* paso, TAccion accion = {}) : Paso_(paso), Accion_(std::move(accion)) {
    QObject::connect(&Reloj_, &QTimer::timeout, [this] { Mirar(); });
    Reloj_.start(1);
  }
  void Pulsar() {
    Visto_ = false;
    if (Paso_)
      Paso_->btnSeguir->click();
  }
  QStringList Vistos;

private:
  void Mirar() {
    if (Dentro_ || Visto_ || !Paso_ || !Paso_->isVisible() || Paso_->Pulsado)
      return;
    Dentro_ = Visto_ = true;
    Vistos << Paso_->etqEtapa->text() + QLatin1Char('|') + Paso_->edtDescripcion->toPlainText() +
                  QLatin1Char('|') + Paso_->btnSeguir->text();
    if (Accion_)
      Accion_(*this);
    // A check that failed inside the action must not leave the wait hanging.
    if (!Accion_ || QTest::currentTestFailed())
      Pulsar();
    Dentro_ = false;
  }
  QPointer<TDlgPaso> Paso_;
  TAccion Accion_;
  QTimer Reloj_;
  bool Dentro_ = false;
  bool Visto_ = false;  // this wait has had its look
};
