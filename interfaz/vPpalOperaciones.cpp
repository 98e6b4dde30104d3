// The operation drivers: keys from every source, the undo snapshot, the
// operation run (recorded when its stages are to be shown), the history and
// the checks; and the step window's side of the player.
//
// Nothing waits: an operation runs to its end at once, and its stages are
// then played from the recording while the structure already holds the
// result. A command that changes the structure ends the playback first.
#include "vPpal.h"

#include "dPaso.h"
#include "uAleatorio.h"
#include "uAplicacion.h"
#include "uConversion.h"
#include "uGrabacion.h"
#include "uReproductor.h"
#include "uTipos.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

enum : int { kSinEtapas = 0, kConDescripcion = 1, kConPausa = 2 };

}  // namespace

bool TVentPpal::EstructuraLibre() {
  TerminarReproduccion();
  return !Bloqueado && Arbol;
}

void TVentPpal::TerminarReproduccion() {
  const bool reproducia = Reproductor && Reproductor->Activo();
  if (reproducia)
    Reproductor->Terminar();
  // The glide at a playback's end runs on the structure without the lock.
  if (!Bloqueado && Lienzo->EnMovimiento())
    Lienzo->AcabarMovimiento();
}

void TVentPpal::Ejecutar(const std::function<void()>& orden) {
  try {
    orden();
  } catch (const std::exception& error) {
    MostrarError(QString::fromUtf8(error.what()));
  }
}

void TVentPpal::MostrarError(const QString& texto) {
  Mensaje(texto);
  if (Reproductor)
    Reproductor->Terminar();
  if (DlgPaso_) {
    DlgPaso_->hide();
    DlgPaso_->PonerEfectuar(false);
  }
  if (!Lienzo->EnMovimiento()) {
    Bloqueado = false;
    Paneles[4]->clear();
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

// ------------------------------------------------------------ presentation buttons

void TVentPpal::AsignarEtapas() {
  ModoEtapas_ = btnPaso->isChecked() ? kConDescripcion : btnPaso2->isChecked() ? kConPausa : kSinEtapas;
  // A playback in course follows: F2 ends it, F3 plays it, F4 pauses it.
  if (!Reproductor || !Reproductor->Activo())
    return;
  if (ModoEtapas_ == kSinEtapas)
    TerminarReproduccion();
  else
    Reproductor->PonerReproduciendo(ModoEtapas_ == kConPausa);
}

void TVentPpal::btnPasoClick() { AsignarEtapas(); }
void TVentPpal::btnPaso2Click() { AsignarEtapas(); }

void TVentPpal::ActAnim1Execute() {
  btnAnimar->setChecked(false);
  btnPaso->setChecked(false);
  btnPaso2->setChecked(false);
  AsignarEtapas();
}

void TVentPpal::ActAnim2Execute() {
  btnAnimar->setChecked(true);
  btnPaso->setChecked(false);
  btnPaso2->setChecked(true);
  AsignarEtapas();
}

void TVentPpal::ActAnim3Execute() {
  btnAnimar->setChecked(true);
  btnPaso2->setChecked(false);
  btnPaso->setChecked(true);
  AsignarEtapas();
}

void TVentPpal::ActDesbloqueoExecute() {
  Bloqueado = false;
  TerminarReproduccion();
}

void TVentPpal::OpcRatClick() {
  ModoRaton = OpcRatBus->isChecked() ? 1 : OpcRatDel->isChecked() ? 2 : 0;
}

// ------------------------------------------------------------ keys

void TVentPpal::OperarConTexto(bool& convertido) {
  convertido = false;
  if (!EstructuraLibre() || edtValor->text().isEmpty())
    return;
  const auto v = ConvertirEntero(edtValor->text());
  if (!v) {
    Mensaje(QStringLiteral("Valor erroneo!"));
    return;
  }
  convertido = true;
  switch (lisOperacion->currentIndex()) {
  case 0:
    RealizarBusqueda(*v);
    break;
  case 1:
    RealizarInsercion(*v);
    break;
  default:
    RealizarBorrado(*v);
    break;
  }
  edtValor->clear();
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
  if (!EstructuraLibre() || Arbol->NumNodos <= 0)
    return;
  // Cleared first, so that a position past the real nodes (a count read
  // from a stream that disagrees with its records) selects nothing.
  Arbol->Deseleccionar();
  const auto k = GeneradorPrograma().Extraer(static_cast<std::uint32_t>(Arbol->NumNodos));
  Arbol->SeleccionarPosicion(static_cast<std::int32_t>(k));
  if (!Arbol->NodoSel)
    return;
  const std::int32_t v = Arbol->NodoSel->Valor;
  edtValor->setText(QString::number(v));
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
    const auto n = static_cast<std::uint32_t>(std::max(ValMax, 0));
    for (int intento = 0; intento < 1000; ++intento) {
      const auto v = static_cast<std::int32_t>(GeneradorPrograma().Extraer(n) + 1u);
      if (!Arbol->Seleccionar(v, false)) {
        edtValor->setText(QString::number(v));
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
    if (!EstructuraLibre() || edtValor->text().isEmpty())
      return;
    const auto actual = ConvertirEntero(edtValor->text());
    // The greatest key has no next one.
    if (!actual || *actual == std::numeric_limits<std::int32_t>::max())
      return;
    const std::int32_t v = *actual + 1;
    edtValor->setText(QString::number(v));
    if (Arbol->Seleccionar(v, true)) {
      Dibujar();
      LienzoPaint();
    } else {
      RealizarInsercion(v);
    }
  });
}

void TVentPpal::LienzoMouseDown(std::int32_t x, std::int32_t y) {
  Ejecutar([this, x, y] {
    // The point is on a stage's picture, not on the structure: during a
    // playback a click only gives the canvas the keys (Left, Right...).
    if (Reproductor->Activo())
      return;
    if (!EstructuraLibre() || !Arbol->Raiz)
      return;
    if (!Arbol->SeleccionarPunto(x, y, Lienzo->Ajustes().Radio))
      return;
    const std::int32_t v = Arbol->NodoSel->Valor;
    switch (ModoRaton) {
    case 1:
      RealizarBusqueda(v);
      break;
    case 2:
      RealizarBorrado(v);
      break;
    default:
      Dibujar();
      LienzoPaint();
      break;
    }
  });
}

void TVentPpal::ActRangoExecute() {
  Ejecutar([this] {
    if (Bloqueado || !Plataforma_.Entrada)
      return;
    const auto texto = Plataforma_.Entrada->Pedir(this, QStringLiteral("Rango de elementos"),
                                                  QStringLiteral("Valor máximo = "), QString::number(ValMax));
    if (texto)
      ValMax = ExigirEntero(*texto);  // a text that does not convert leaves ValMax alone
  });
}

// ------------------------------------------------------------ history

void TVentPpal::GuardarDeshacer() {
  if (Arbol)
    Historia.GuardarDeshacer(*Arbol);
}

// ------------------------------------------------------------ drivers

void TVentPpal::IniciarOperacion(int indice, const QString& titulo) {
  TerminarReproduccion();
  GuardarDeshacer();
  if (indice >= 0)
    lisOperacion->setCurrentIndex(indice);
  AsignarEtapas();
  if (DlgPaso_) {
    DlgPaso_->PonerTitulo(titulo);
    DlgPaso_->PonerEfectuar(false);
  }
}

std::unique_ptr<TGrabacion> TVentPpal::Operar(const std::function<void(TArbolBin&)>& operacion) {
  if (ModoEtapas_ == kSinEtapas) {
    operacion(*Arbol);
    return nullptr;
  }
  auto grabacion = std::make_unique<TGrabacion>();
  grabacion->Grabar(*Arbol, operacion, [this](TArbolBin& a) { Lienzo->DistribuirOtro(a); });
  return grabacion;
}

void TVentPpal::Presentar(std::unique_ptr<TGrabacion> grabacion) {
  ActualizarEstado();
  if (!grabacion) {
    MostrarCambio();
    Dibujar();
    LienzoPaint();
    return;
  }
  if (DlgPaso_ && !DlgPaso_->isVisible()) {
    DlgPaso_->show();
    ColocarPaso();
  }
  if (DlgPaso_)
    DlgPaso_->activateWindow();
  // Past the recording's memory budget the later stages were only counted:
  // the playback shows the first ones and then the result.
  if (!grabacion->Completa())
    Paneles[5]->setText(QStringLiteral(" Se muestran las primeras %1 etapas de %2.")
                            .arg(grabacion->NumEtapas())
                            .arg(grabacion->NumEtapas() + grabacion->EtapasOmitidas()));
  Reproductor->PonerAnimar(btnAnimar->isChecked());
  Reproductor->PonerPausa(PausaEtapa());
  Reproductor->Reproducir(std::move(grabacion), ModoEtapas_ == kConPausa);
}

void TVentPpal::ConectarReproductor() {
  Reproductor = new TReproductor(*Lienzo, &Arbol, this);
  connect(Reproductor, &TReproductor::EtapaMostrada, this,
          [this](int k, const QString& t, const QString& d, bool efectuar, bool hayAnterior, bool) {
            EtapaMostrada(k, t, d, efectuar, hayAnterior);
          });
  connect(Reproductor, &TReproductor::Terminada, this, &TVentPpal::ReproduccionTerminada);
}

void TVentPpal::EtapaMostrada(int k, const QString& titulo, const QString& descripcion, bool efectuar,
                              bool hayAnterior) {
  if (!DlgPaso_)
    return;
  DlgPaso_->MostrarEtapa(k, titulo, descripcion);
  DlgPaso_->PonerEfectuar(efectuar);
  // Forward is always there: past the last stage it ends the playback.
  DlgPaso_->PonerLimites(hayAnterior, true);
}

double TVentPpal::EscalaVelocidad() const {
  // Speed 5 keeps the times set in the animation dialog; each step of the
  // slider multiplies or divides them by the square root of 2.
  const int v = DlgPaso_ ? DlgPaso_->Velocidad() : 5;
  return std::pow(2.0, (5 - v) / 2.0);
}

int TVentPpal::PausaEtapa() const {
  return static_cast<int>(std::lround(PausaPres * EscalaVelocidad()));
}

void TVentPpal::ColocarPaso() {
  // The nodes as they stand on the screen; the step window goes where it
  // covers the fewest of them, inside the window's screen.
  QRect ocupado;
  if (Arbol && Arbol->Raiz) {
    std::int64_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
    RecorrerPreorden(Arbol->Raiz, [&](TNodoBin* n, std::int32_t) {
      x0 = std::min<std::int64_t>(x0, n->X);
      y0 = std::min<std::int64_t>(y0, n->Y);
      x1 = std::max<std::int64_t>(x1, n->X);
      y1 = std::max<std::int64_t>(y1, n->Y);
    });
    const std::int64_t r = Lienzo->Ajustes().Radio;
    const auto a32 = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, -1000000, 1000000)); };
    const QRect enArea(QPoint(a32(x0 - r - Lienzo->DesplX()), a32(y0 - r - Lienzo->DesplY())),
                       QPoint(a32(x1 + r - Lienzo->DesplX()), a32(y1 + r - Lienzo->DesplY())));
    ocupado = enArea.intersected(Lienzo->Area()->rect());
    ocupado.moveTopLeft(Lienzo->Area()->mapToGlobal(ocupado.topLeft()));
  }
  QRect disponible = frameGeometry();
  if (const QScreen* pantalla = screen())
    disponible = disponible.intersected(pantalla->availableGeometry());
  DlgPaso_->ColocarLibre(ocupado, disponible);
}

void TVentPpal::ReproduccionTerminada() {
  if (Arbol)
    Paneles[5]->setText(QLatin1Char(' ') + QString::fromStdString(Arbol->NombreTipos()));
  if (DlgPaso_) {
    DlgPaso_->hide();
    DlgPaso_->PonerEfectuar(false);
  }
  ActualizarEstado();
}

void TVentPpal::MostrarCambio() {
  if (btnAnimar->isChecked())
    IniciarAnimacion();
  else
    Refrescar();
}

void TVentPpal::Comprobar() {
  const TTipoEstructura* tipo = Arbol ? TipoDe(*Arbol) : nullptr;
  if (!tipo || !tipo->Comprobar)
    return;
  for (const std::string& m : tipo->Comprobar(*Arbol))
    Mensaje(QString::fromStdString(m));
}

void TVentPpal::RealizarBusqueda(std::int32_t v) {
  if (!Arbol)
    return;
  IniciarOperacion(0, QStringLiteral("Busqueda en ") + NombreArbol);
  auto grabacion = Operar([v](TArbolBin& a) {
    a.Deseleccionar();
    if (!a.Buscar(v))
      a.Deseleccionar();
  });
  // The key found stays selected.
  Presentar(std::move(grabacion));
}

void TVentPpal::RealizarInsercion(std::int32_t v) {
  if (!Arbol)
    return;
  IniciarOperacion(1, QStringLiteral("Insercion en ") + NombreArbol);
  auto grabacion = Operar([v](TArbolBin& a) {
    a.Deseleccionar();
    a.Insertar(v);
  });
  Historia.Anotar({TOperacion::Insercion, v});
  Arbol->Deseleccionar();
  Presentar(std::move(grabacion));
  Comprobar();
}

void TVentPpal::RealizarBorrado(std::int32_t v) {
  if (!Arbol)
    return;
  IniciarOperacion(2, QStringLiteral("Borrado en ") + NombreArbol);
  // A heap removes its minimum whatever the key: it is not searched.
  const TTipoEstructura* tipo = TipoDe(*Arbol);
  if (!(tipo && tipo->BorraMinimo) && !Arbol->Seleccionar(v, true))
    return;
  if (ModoEtapas_ == kSinEtapas) {
    Dibujar();
    LienzoPaint();
  }
  auto grabacion = Operar([](TArbolBin& a) { a.Borrar(); });
  Historia.Anotar({TOperacion::Borrado, v});
  Arbol->Deseleccionar();
  Presentar(std::move(grabacion));
  Comprobar();
}
