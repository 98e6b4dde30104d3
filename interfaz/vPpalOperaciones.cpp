// The window's side of the operations: the keys from every source (the
// value box, the random commands, a click on the canvas) read and handed to
// the driver, the presentation buttons, and the errors.
//
// A command that changes the structure ends the playback first.
#include "vPpal.h"

#include "dPaso.h"
#include "uAleatorio.h"
#include "uAplicacion.h"
#include "uConversion.h"
#include "uReproductor.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

bool TVentPpal::EstructuraLibre() {
  TerminarReproduccion();
  return !Bloqueado_ && Arbol_;
}

void TVentPpal::TerminarReproduccion() { Conductor_->TerminarReproduccion(); }

void TVentPpal::Ejecutar(const std::function<void()>& orden) {
  try {
    orden();
  } catch (const std::exception& error) {
    MostrarError(QString::fromUtf8(error.what()));
  }
}

void TVentPpal::MostrarError(const QString& texto) {
  Mensaje(texto);
  // The keys of a list still pending are not run after an error.
  if (Conductor_)
    Conductor_->SoltarClaves();
  if (Reproductor_)
    Reproductor_->Terminar();
  if (DlgPaso_) {
    DlgPaso_->hide();
    DlgPaso_->PonerEfectuar(false);
  }
  if (!Lienzo_->EnMovimiento()) {
    Bloqueado_ = false;
    Paneles_[4]->clear();
  }
  try {
    Refrescar();
    ActualizarEstado();
  } catch (const std::exception&) {
    // A display that fails again has nothing new to say: its error text is
    // the one just shown, and the window stays usable without the redraw.
  }
}

void TVentPpal::ConectarOperaciones() {
  PonerManejadorErrores([ventana = QPointer<TVentPpal>(this)](const QString& texto) {
    if (!ventana)
      return false;
    ventana->MostrarError(texto);
    return true;
  });
}

// ------------------------------------------------------------ the driver

void TVentPpal::ConectarConductor() {
  Reproductor_ = new TReproductor(*Lienzo_, &Arbol_, this);
  Conductor_ = new TConductor(*Lienzo_, *Reproductor_, Arbol_, Historia_, this);
  Conductor_->PonerFuentePresentacion([this] { return Presentacion(); });
  Conductor_->PonerBloqueo([this] { return Bloqueado_; });
  connect(Conductor_, &TConductor::OperacionIniciada, lisOperacion_, &QComboBox::setCurrentIndex);
  connect(Conductor_, &TConductor::Aviso, this, &TVentPpal::Mensaje);
  connect(Conductor_, &TConductor::EstadoCambiado, this, &TVentPpal::ActualizarEstado);
  connect(Conductor_, &TConductor::TextoEstado, Paneles_[5], &QLabel::setText);
  connect(Conductor_, &TConductor::MovimientoPedido, this, &TVentPpal::IniciarAnimacion);
}

TConductor::TPresentacion TVentPpal::Presentacion() const {
  using E = TConductor::TEtapas;
  return {btnAnimar_->isChecked(),
          btnPaso_->isChecked() ? E::Descritas : btnPaso2_->isChecked() ? E::Pausadas : E::Ninguna, PausaPres_};
}

// ------------------------------------------------------------ presentation buttons

// A playback in course follows: F2 ends it, F3 plays it, F4 pauses it.
void TVentPpal::btnPasoClick() { Conductor_->AsignarEtapas(); }
void TVentPpal::btnPaso2Click() { Conductor_->AsignarEtapas(); }

void TVentPpal::ActAnim1Execute() {
  btnAnimar_->setChecked(false);
  btnPaso_->setChecked(false);
  btnPaso2_->setChecked(false);
  Conductor_->AsignarEtapas();
}

void TVentPpal::ActAnim2Execute() {
  btnAnimar_->setChecked(true);
  btnPaso_->setChecked(false);
  btnPaso2_->setChecked(true);
  Conductor_->AsignarEtapas();
}

void TVentPpal::ActAnim3Execute() {
  btnAnimar_->setChecked(true);
  btnPaso2_->setChecked(false);
  btnPaso_->setChecked(true);
  Conductor_->AsignarEtapas();
}

void TVentPpal::ActDesbloqueoExecute() {
  Bloqueado_ = false;
  TerminarReproduccion();
}

void TVentPpal::OpcRatClick() {
  ModoRaton_ = OpcRatBus_->isChecked() ? 1 : OpcRatDel_->isChecked() ? 2 : 0;
}

// ------------------------------------------------------------ keys

void TVentPpal::OperarConTexto(bool& convertido) {
  convertido = false;
  const QString texto = edtValor_->text();
  if (!EstructuraLibre() || texto.isEmpty())
    return;
  // One key, or a list whose keys all convert: nothing runs otherwise.
  const QList<QStringView> elementos = ElementosLista(texto);
  std::vector<std::int32_t> claves;
  if (elementos.size() > 1) {
    try {
      claves = ExigirClaves(elementos);
    } catch (const EConversion& error) {
      Mensaje(QString::fromUtf8(error.what()));
      return;
    }
  } else if (const auto v = ConvertirEntero(texto)) {
    claves.push_back(*v);
  } else {
    Mensaje(QStringLiteral("Valor erroneo!"));
    return;
  }
  convertido = true;
  if (claves.size() > 1) {
    Conductor_->OperarLista(lisOperacion_->currentIndex(), std::move(claves), NombreArbol_);
  } else {
    switch (lisOperacion_->currentIndex()) {
    case 0:
      RealizarBusqueda(claves[0]);
      break;
    case 1:
      RealizarInsercion(claves[0]);
      break;
    default:
      RealizarBorrado(claves[0]);
      break;
    }
  }
  edtValor_->clear();
}

void TVentPpal::ActOperacionExecute() {
  Ejecutar([this] {
    bool convertido = false;
    OperarConTexto(convertido);
  });
}

bool TVentPpal::edtValorKeyPress(QKeyEvent* evento) {
  if (evento->key() != Qt::Key_Return && evento->key() != Qt::Key_Enter)
    return false;
  bool convertido = false;
  Ejecutar([&] { OperarConTexto(convertido); });
  return convertido;
}

void TVentPpal::OperarAlAzar(bool borrar) {
  if (!EstructuraLibre() || Arbol_->NumNodos <= 0)
    return;
  // Cleared first, so that a position past the real nodes (a count read
  // from a stream that disagrees with its records) selects nothing.
  Arbol_->Deseleccionar();
  const auto k = GeneradorPrograma().Extraer(static_cast<std::uint32_t>(Arbol_->NumNodos));
  Arbol_->SeleccionarPosicion(static_cast<std::int32_t>(k));
  if (!Arbol_->NodoSel)
    return;
  const std::int32_t v = Arbol_->NodoSel->Valor;
  edtValor_->setText(QString::number(v));
  if (borrar)
    RealizarBorrado(v);
  else
    RealizarBusqueda(v);
}

void TVentPpal::ActBuscarExecute() {
  Ejecutar([this] { OperarAlAzar(false); });
}

void TVentPpal::ActBorrarExecute() {
  Ejecutar([this] { OperarAlAzar(true); });
}

void TVentPpal::ActInsertarExecute() {
  Ejecutar([this] {
    if (!EstructuraLibre())
      return;
    // Keys 1..ValMax; a range of 0 or below draws from 0 and so gives 1.
    const auto n = static_cast<std::uint32_t>(std::max(ValMax_, 0));
    for (int intento = 0; intento < 1000; ++intento) {
      const auto v = static_cast<std::int32_t>(GeneradorPrograma().Extraer(n) + 1u);
      if (!Arbol_->Seleccionar(v, false)) {
        edtValor_->setText(QString::number(v));
        RealizarInsercion(v);
        return;
      }
    }
    Mensaje(QStringLiteral("Lo siento, pero tras 1000 intentos no he encontrado un valor aleatorio "
                           "que no pertenezca al arbol!"));
  });
}

void TVentPpal::ActInsSigExecute() {
  Ejecutar([this] {
    if (!EstructuraLibre() || edtValor_->text().isEmpty())
      return;
    const auto actual = ConvertirEntero(edtValor_->text());
    // The greatest key has no next one.
    if (!actual || *actual == std::numeric_limits<std::int32_t>::max())
      return;
    const std::int32_t v = *actual + 1;
    edtValor_->setText(QString::number(v));
    if (Arbol_->Seleccionar(v, true)) {
      Lienzo_->Redibujar();
    } else {
      RealizarInsercion(v);
    }
  });
}

void TVentPpal::LienzoMouseDown(std::int32_t x, std::int32_t y) {
  Ejecutar([this, x, y] {
    // The point is on a stage's picture, not on the structure: during a
    // playback a click only gives the canvas the keys (Left, Right...).
    if (Reproductor_->Activo())
      return;
    if (!EstructuraLibre() || !Arbol_->Raiz)
      return;
    if (!Arbol_->SeleccionarPunto(x, y, Lienzo_->Ajustes().Radio))
      return;
    const std::int32_t v = Arbol_->NodoSel->Valor;
    switch (ModoRaton_) {
    case 1:
      RealizarBusqueda(v);
      break;
    case 2:
      RealizarBorrado(v);
      break;
    default:
      Lienzo_->Redibujar();
      break;
    }
  });
}

void TVentPpal::ActRangoExecute() {
  Ejecutar([this] {
    if (Bloqueado_ || !Plataforma_.Entrada)
      return;
    const auto texto = Plataforma_.Entrada->Pedir(this, QStringLiteral("Rango de elementos"),
                                                  QStringLiteral("Valor máximo = "), QString::number(ValMax_));
    if (texto)
      ValMax_ = ExigirEntero(*texto);  // a text that does not convert leaves ValMax_ alone
  });
}

// ------------------------------------------------------------ operations

void TVentPpal::RealizarBusqueda(std::int32_t v) { Conductor_->Buscar(v, NombreArbol_); }
void TVentPpal::RealizarInsercion(std::int32_t v) { Conductor_->Insertar(v, NombreArbol_); }
void TVentPpal::RealizarBorrado(std::int32_t v) { Conductor_->Borrar(v, NombreArbol_); }
