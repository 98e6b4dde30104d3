#include "uConductor.h"

#include "dPaso.h"
#include "uArbolBin.h"
#include "uGrabacion.h"
#include "uHistoria.h"
#include "uLamina.h"
#include "uLienzo.h"
#include "uReproductor.h"
#include "uTipos.h"
#include "uTrabajo.h"

#include <QScopeGuard>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

TConductor::TConductor(TLienzo& lienzo, TReproductor& reproductor, std::unique_ptr<TArbolBin>& arbol,
                       THistoria& historia, QObject* padre)
    : QObject(padre), Lienzo_(lienzo), Reproductor_(reproductor), Arbol_(arbol), Historia_(historia) {
  connect(&Reproductor_, &TReproductor::EtapaMostrada, this,
          [this](int k, const QString& t, const QString& d, bool efectuar, bool hayAnterior, bool,
                 const QString& listado, int linea) {
            EtapaMostrada(k, t, d, efectuar, hayAnterior, listado, linea);
          });
  connect(&Reproductor_, &TReproductor::Terminada, this, &TConductor::ReproduccionTerminada);
  Continuar_.setSingleShot(true);
  connect(&Continuar_, &QTimer::timeout, this, &TConductor::SiguienteClave);
  connect(&Lienzo_, &TLienzo::MovimientoAcabado, this, [this] {
    if (ClavesPendientes() > 0 && !Reproductor_.Activo())
      Continuar_.start(0);
  });
}

void TConductor::PonerPaso(TDlgPaso* paso) {
  Paso_ = paso;
  if (!paso)
    return;
  connect(paso, &TDlgPaso::Seguir, &Reproductor_, &TReproductor::Siguiente);
  connect(paso, &TDlgPaso::Anterior, &Reproductor_, &TReproductor::Anterior);
  connect(paso, &TDlgPaso::Primera, &Reproductor_, &TReproductor::Primera);
  connect(paso, &TDlgPaso::Ultima, &Reproductor_, &TReproductor::Ultima);
  connect(paso, &TDlgPaso::Saltar, &Reproductor_, &TReproductor::Saltar);
  connect(paso, &TDlgPaso::ReproducirPausar, &Reproductor_, &TReproductor::ReproducirPausar);
  connect(paso, &TDlgPaso::VelocidadCambiada, this, [this] { Reproductor_.PonerPausa(PausaEtapa()); });
  connect(&Reproductor_, &TReproductor::Iniciada, paso, &TDlgPaso::PonerEtapas);
  connect(&Reproductor_, &TReproductor::ReproduccionCambiada, paso, &TDlgPaso::PonerReproduciendo);
}

// ------------------------------------------------------------ stage mode

void TConductor::AsignarEtapas() {
  Etapas_ = Presentacion().Etapas;
  if (Etapas_ == TEtapas::Ninguna)
    SoltarClaves();
  if (!Reproductor_.Activo())
    return;
  if (Etapas_ == TEtapas::Ninguna)
    TerminarReproduccion();
  else
    Reproductor_.PonerReproduciendo(Etapas_ == TEtapas::Pausadas);
}

void TConductor::TerminarReproduccion() {
  SoltarClaves();
  if (Reproductor_.Activo())
    Reproductor_.Terminar();
  // The glide at a playback's end runs on the structure without the lock.
  if (!(Bloqueado_ && Bloqueado_()) && Lienzo_.EnMovimiento())
    Lienzo_.AcabarMovimiento();
}

// ------------------------------------------------------------ operations

void TConductor::Buscar(std::int32_t v, const QString& nombre) {
  if (!Arbol_)
    return;
  IniciarOperacion(0, QStringLiteral("Busqueda en ") + nombre);
  // A search that restructures the tree is a step of the history.
  const TTipoEstructura* tipo = TipoDe(*Arbol_);
  const auto paso = tipo && tipo->BuscarCambia ? std::optional<TPaso>({TPaso::Busqueda, v}) : std::nullopt;
  std::unique_ptr<TGrabacion> grabacion;
  if (!Operar(
          [v](TArbolBin& a) {
            a.Deseleccionar();
            if (!a.Buscar(v))
              a.Deseleccionar();
          },
          grabacion, paso))
    return;
  // The key found stays selected.
  Presentar(std::move(grabacion), {TPaso::Busqueda, v});
}

void TConductor::Insertar(std::int32_t v, const QString& nombre) {
  if (!Arbol_)
    return;
  IniciarOperacion(1, QStringLiteral("Insercion en ") + nombre);
  std::unique_ptr<TGrabacion> grabacion;
  if (!Operar(
          [v](TArbolBin& a) {
            a.Deseleccionar();
            a.Insertar(v);
          },
          grabacion, TPaso{TPaso::Insercion, v}))
    return;
  Arbol_->Deseleccionar();
  Presentar(std::move(grabacion), {TPaso::Insercion, v});
  Comprobar();
}

void TConductor::Borrar(std::int32_t v, const QString& nombre) {
  if (!Arbol_)
    return;
  IniciarOperacion(2, QStringLiteral("Borrado en ") + nombre);
  // A heap removes its minimum whatever the key: it is not searched.
  const TTipoEstructura* tipo = TipoDe(*Arbol_);
  if (!(tipo && tipo->BorraMinimo) && !Arbol_->Seleccionar(v, true))
    return;
  // Without stages the node to go is shown selected while it goes.
  if (Etapas_ == TEtapas::Ninguna && !Lote_)
    Lienzo_.Redibujar();
  std::unique_ptr<TGrabacion> grabacion;
  if (!Operar([](TArbolBin& a) { a.Borrar(); }, grabacion, TPaso{TPaso::Borrado, v}))
    return;
  Arbol_->Deseleccionar();
  Presentar(std::move(grabacion), {TPaso::Borrado, v});
  Comprobar();
}

void TConductor::CrearMonticulo(const TTipoEstructura& tipo) {
  if (!Arbol_ || !tipo.Monticulo)
    return;
  IniciarOperacion(-1, QStringLiteral("Creación de Montículo"));
  std::unique_ptr<TGrabacion> grabacion;
  if (!Operar(
          [&tipo](TArbolBin& a) {
            a.Deseleccionar();
            tipo.Monticulo(a, 0);
          },
          grabacion, TPaso{TPaso::Monticulo, 0}))
    return;
  Arbol_->Deseleccionar();
  Presentar(std::move(grabacion), {TPaso::Monticulo, 0});
}

// ------------------------------------------------------------ lists of keys

void TConductor::OperarLista(int indice, std::vector<std::int32_t> claves, const QString& nombre) {
  TerminarReproduccion();
  if (!Arbol_ || claves.empty())
    return;
  if (Presentacion().Etapas == TEtapas::Ninguna) {
    OperarLote(indice, claves, nombre);
    return;
  }
  Lista_ = {indice, nombre, std::move(claves), 0};
  SiguienteClave();
}

void TConductor::SoltarClaves() {
  if (ClavesPendientes() == 0)
    return;
  Lista_ = {};
  Continuar_.stop();
  // Between two keys the step window still shows the one before.
  if (!Reproductor_.Activo())
    OcultarPaso();
}

void TConductor::Operacion(int indice, std::int32_t v, const QString& nombre) {
  switch (indice) {
  case 0:
    Buscar(v, nombre);
    break;
  case 1:
    Insertar(v, nombre);
    break;
  default:
    Borrar(v, nombre);
    break;
  }
}

void TConductor::OperarLote(int indice, const std::vector<std::int32_t>& claves, const QString& nombre) {
  Lote_ = true;
  const auto fin = qScopeGuard([this] { Lote_ = false; });
  TTrabajo trabajo(Lienzo_.window(), QStringLiteral("Operaciones de la lista"));
  trabajo.Fase(QStringLiteral("claves"), static_cast<std::int64_t>(claves.size()));
  trabajo.Ejecutar([&] {
    for (std::size_t k = 0; k < claves.size(); ++k) {
      trabajo.Avance(static_cast<std::int64_t>(k));  // a cancel stops here, between two keys
      Operacion(indice, claves[k], nombre);
    }
  });
  Lote_ = false;
  Presentar(nullptr);
  if (indice != 0)
    Comprobar();
}

void TConductor::SiguienteClave() {
  // The last glide of the playback before settles first; its end comes back here.
  if (Reproductor_.Activo() || Lienzo_.EnMovimiento())
    return;
  while (ClavesPendientes() > 0 && Arbol_) {
    // The operation's start ends any playback and so drops the keys
    // pending: they are held aside meanwhile.
    TLista lista = std::exchange(Lista_, {});
    const std::size_t k = lista.Siguiente++;
    const std::int32_t v = lista.Claves[k];
    const TTipoEstructura* tipo = TipoDe(*Arbol_);
    const bool ausente =
        lista.Indice == 2 && !(tipo && tipo->BorraMinimo) && !Arbol_->BuscarNodo(Arbol_->Raiz, v);
    Presentado_ = false;
    Operacion(lista.Indice, v, QStringLiteral("%1 (%2 de %3)").arg(lista.Nombre).arg(k + 1).arg(lista.Claves.size()));
    // Only an absent key's deletion ends without being shown, and a
    // cancelled recording, which drops the rest.
    if (!Presentado_ && !ausente)
      break;
    Lista_ = std::move(lista);
    if (Reproductor_.Activo())
      return;
  }
  if (!Reproductor_.Activo())
    OcultarPaso();
}

void TConductor::IniciarOperacion(int indice, const QString& titulo) {
  TerminarReproduccion();
  SelAntes_ = Arbol_->NodoSel;
  if (indice >= 0)
    Q_EMIT OperacionIniciada(indice);
  AsignarEtapas();
  if (Paso_) {
    Paso_->PonerTitulo(titulo);
    Paso_->PonerEfectuar(false);
  }
}

void TConductor::Rehacer(TPaso paso, const QString& nombre) {
  const TTipoEstructura* tipo = Arbol_ ? TipoDe(*Arbol_) : nullptr;
  if (!tipo || !Historia_.PuedeRehacer())
    return;
  Rehaciendo_ = true;
  // Run with the algorithms of its first run; the next operations keep the
  // ones chosen now, whether the step succeeds or not.
  const TVariante elegida = Arbol_->Variante;
  Arbol_->Variante = paso.Variante;
  const auto fin = qScopeGuard([this, elegida] {
    Rehaciendo_ = false;
    if (Arbol_)
      Arbol_->Variante = elegida;
  });
  switch (paso.Tipo) {
  case TPaso::Insercion: Insertar(paso.Clave, nombre); break;
  case TPaso::Borrado: Borrar(paso.Clave, nombre); break;
  case TPaso::Busqueda: Buscar(paso.Clave, nombre); break;
  case TPaso::Monticulo: CrearMonticulo(*tipo); break;
  case TPaso::Vaciado: break;
  }
}

void TConductor::Anotar(const std::optional<TPaso>& paso) {
  if (!paso)
    return;
  // A redo runs the next step again; the engines are deterministic, so the
  // structure ends as the history says it did.
  if (Rehaciendo_)
    Historia_.Avanzar(*Arbol_);
  else
    Historia_.Anotar(*paso, *Arbol_);
}

bool TConductor::Operar(const std::function<void(TArbolBin&)>& operacion,
                        std::unique_ptr<TGrabacion>& grabacion, const std::optional<TPaso>& paso) {
  if (Etapas_ == TEtapas::Ninguna) {
    try {
      operacion(*Arbol_);
    } catch (const EArbol&) {
      // What the engine changed before it gave up stays, and so does the step.
      Anotar(paso);
      throw;
    }
    Anotar(paso);
    return true;
  }
  // Recorded on a copy, put in place once complete: the recording lets
  // events in (repaints, a resize), and the canvas must not lay out or draw
  // a structure half-way through a change. A cancel only drops the copy.
  std::unique_ptr<TArbolBin> copia = Arbol_->Clonar();
  grabacion = std::make_unique<TGrabacion>();
  TTrabajo trabajo(Lienzo_.window(), QStringLiteral("Grabación de las etapas"));
  trabajo.Fase(QStringLiteral("etapas"), 0);
  copia->Avance = trabajo.Gancho();
  bool hecho = false;
  try {
    hecho = trabajo.Ejecutar(
        [&] { grabacion->Grabar(*copia, operacion, [this](TArbolBin& a) { Lienzo_.DistribuirOtro(a); }); });
  } catch (const std::exception& e) {
    // A failure leaves the structure as it stands at it, as a recording on
    // the structure itself would; an engine's refusal is still a step.
    copia->Avance = nullptr;
    Arbol_.swap(copia);
    if (dynamic_cast<const EArbol*>(&e))
      Anotar(paso);
    throw;
  }
  copia->Avance = nullptr;
  if (!hecho) {
    grabacion.reset();
    Arbol_->NodoSel = SelAntes_;
    return false;
  }
  Arbol_.swap(copia);
  Anotar(paso);
  return true;
}

void TConductor::Presentar(std::unique_ptr<TGrabacion> grabacion, const TPaso& operacion) {
  Presentado_ = true;
  // Kept as the last recording, for an export of its stages.
  const std::shared_ptr<const TGrabacion> g = std::move(grabacion);
  if (g && Arbol_)
    Ultima_ = {g, NombreOperacion(operacion, *Arbol_), Arbol_->Clonar()};
  if (Lote_)
    return;
  Q_EMIT EstadoCambiado();
  const TPresentacion p = Presentacion();
  if (!g) {
    if (p.Animar)
      Q_EMIT MovimientoPedido();
    else
      Lienzo_.Refrescar();
    Lienzo_.Redibujar();
    return;
  }
  if (Paso_ && !Paso_->isVisible()) {
    Paso_->show();
    ColocarPaso();
  }
  if (Paso_)
    Paso_->activateWindow();
  // Past the recording's memory budget the later stages were only counted:
  // the playback shows the first ones and then the result.
  if (!g->Completa())
    Q_EMIT TextoEstado(QStringLiteral(" Se muestran las primeras %1 etapas de %2.")
                           .arg(g->NumEtapas())
                           .arg(g->NumEtapas() + g->EtapasOmitidas()));
  Reproductor_.PonerAnimar(p.Animar);
  Reproductor_.PonerPausa(PausaEtapa());
  Reproductor_.Reproducir(g, Etapas_ == TEtapas::Pausadas);
}

bool TConductor::ExportarEtapas(const QString& ruta) {
  const TUltima ultima = Ultima_;
  if (!ultima.Grabacion)
    return false;
  const QSize vista = Lienzo_.Imagen().size();
  // The listings go along as the step window shows them.
  const bool listados = !Paso_ || Paso_->VerPseudocodigo();
  TTrabajo trabajo(Lienzo_.window(), QStringLiteral("Exportación de las etapas"));
  trabajo.Fase(QStringLiteral("etapas"), static_cast<std::int64_t>(ultima.Grabacion->NumEtapas()));
  return trabajo.Ejecutar([&] {
    TLamina lamina(ruta, vista, QStringLiteral("Quelvar"));
    std::unique_ptr<TArbolBin> resultado = ultima.Resultado->Clonar();
    Lienzo_.DistribuirOtro(*resultado);
    std::int64_t hechas = 0;
    PaginasGrabacion(
        lamina, *ultima.Grabacion, ultima.Operacion, *resultado,
        [&](const TArbolBin& a) {
          trabajo.Avance(hechas++);
          return Lienzo_.ImagenVista(a, vista);
        },
        {}, listados);
    lamina.Terminar();
  });
}

void TConductor::Comprobar() {
  if (Lote_)
    return;
  const TTipoEstructura* tipo = Arbol_ ? TipoDe(*Arbol_) : nullptr;
  if (!tipo || !tipo->Comprobar)
    return;
  for (const std::string& m : tipo->Comprobar(*Arbol_))
    Q_EMIT Aviso(QString::fromStdString(m));
}

// ------------------------------------------------------------ the step window

void TConductor::EtapaMostrada(int k, const QString& titulo, const QString& descripcion, bool efectuar,
                               bool hayAnterior, const QString& listado, int linea) {
  if (!Paso_)
    return;
  Paso_->MostrarEtapa(k, titulo, descripcion);
  Paso_->MostrarListado(listado, linea);
  Paso_->PonerEfectuar(efectuar);
  // Forward is always there: past the last stage it ends the playback.
  Paso_->PonerLimites(hayAnterior, true);
}

void TConductor::ReproduccionTerminada() {
  if (Arbol_)
    Q_EMIT TextoEstado(QLatin1Char(' ') + QString::fromStdString(Arbol_->NombreTipos()));
  // Between two keys of a list the step window stays for the next one.
  if (ClavesPendientes() > 0)
    Continuar_.start(0);
  else
    OcultarPaso();
  Q_EMIT EstadoCambiado();
}

void TConductor::OcultarPaso() {
  if (Paso_) {
    Paso_->hide();
    Paso_->PonerEfectuar(false);
  }
}

double TConductor::EscalaVelocidad() const {
  // Speed 5 keeps the times set in the animation dialog; each step of the
  // slider multiplies or divides them by the square root of 2.
  const int v = Paso_ ? Paso_->Velocidad() : 5;
  return std::pow(2.0, (5 - v) / 2.0);
}

int TConductor::PausaEtapa() const {
  return static_cast<int>(std::lround(Presentacion().PausaPres * EscalaVelocidad()));
}

void TConductor::ColocarPaso() {
  // The nodes as they stand on the screen; the step window goes where it
  // covers the fewest of them, inside the main window's screen.
  QRect ocupado;
  if (Arbol_ && Arbol_->Raiz) {
    std::int64_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
    RecorrerPreorden(Arbol_->Raiz, [&](TNodoBin* n, std::int32_t) {
      x0 = std::min<std::int64_t>(x0, n->X);
      y0 = std::min<std::int64_t>(y0, n->Y);
      x1 = std::max<std::int64_t>(x1, n->X);
      y1 = std::max<std::int64_t>(y1, n->Y);
    });
    // The box of the centres as drawn at the zoom, widened by the drawn radius.
    const int r = static_cast<int>(std::ceil(Lienzo_.Ajustes().Radio * Lienzo_.EscalaX()));
    const auto acotado = [](QPoint p) {
      return QPoint(std::clamp(p.x(), -1000000, 1000000), std::clamp(p.y(), -1000000, 1000000));
    };
    const QRect enArea = QRect(acotado(Lienzo_.PuntoEnArea(x0, y0)), acotado(Lienzo_.PuntoEnArea(x1, y1)))
                             .adjusted(-r, -r, r, r);
    ocupado = enArea.intersected(Lienzo_.Area()->rect());
    ocupado.moveTopLeft(Lienzo_.Area()->mapToGlobal(ocupado.topLeft()));
  }
  const QWidget* ventana = Lienzo_.window();
  QRect disponible = ventana->frameGeometry();
  if (const QScreen* pantalla = ventana->screen())
    disponible = disponible.intersected(pantalla->availableGeometry());
  Paso_->ColocarLibre(ocupado, disponible);
}
