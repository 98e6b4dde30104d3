// The operation drivers: keys from every source, the undo snapshot, the step
// presentation with its waits, the workspace lock and the operation list.
//
// A stage wait is a nested event loop inside the structure's operation. The
// loop sleeps until something that may end the wait happens (the button, the
// pause's timer, the end of a motion, the window closing) and wakes it; the
// wait then looks at its condition again.
#include "vPpal.h"

#include "dPaso.h"
#include "uAleatorio.h"
#include "uAplicacion.h"
#include "uConversion.h"
#include "uTipos.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

const QString kBloqueo = QStringLiteral(" [Bloqueado] - F8 para recuperar.");
const QString kOcupado = QStringLiteral(" Hay una operación en curso: termínela primero.");

// A loop woken by DespertarEsperas ends with this code; any other code means
// the application is leaving its loops.
constexpr int kDespertada = 1;

enum : int { kSinEtapas = 0, kConDescripcion = 1, kConPausa = 2 };

}  // namespace

// ------------------------------------------------------------ guards

TVentPpal::TOperacionEnCurso::TOperacionEnCurso(TVentPpal& ventana) : Ventana_(ventana) {
  if (Ventana_.OperacionesEnCurso_++ == 0)
    Ventana_.Abandonar_ = false;
  // The tree is about to change: its positions are no layout's until the
  // next one.
  Ventana_.Lienzo->OlvidarDistribucion();
}

TVentPpal::TOperacionEnCurso::~TOperacionEnCurso() {
  if (--Ventana_.OperacionesEnCurso_ > 0)
    return;
  Ventana_.Abandonar_ = false;
  // The handler is no longer running: a button pressed during a stage can
  // now reach the structure.
  if (Ventana_.EtapasPendientes_)
    Ventana_.AsignarEtapas();
}

// A stage wait: holds the lock and shows it in the last panel. Its end
// releases the lock even while a motion still runs.
class TVentPpal::TEsperaEtapa {
public:
  explicit TEsperaEtapa(TVentPpal& v) : V_(v) {
    ++V_.EsperasEtapa_;
    V_.Bloqueado = true;
    V_.Paneles[5]->setText(kBloqueo);
  }
  ~TEsperaEtapa() {
    --V_.EsperasEtapa_;
    V_.Bloqueado = false;
    V_.Paneles[5]->clear();
  }
  TEsperaEtapa(const TEsperaEtapa&) = delete;
  TEsperaEtapa& operator=(const TEsperaEtapa&) = delete;

private:
  TVentPpal& V_;
};

bool TVentPpal::EstructuraLibre() {
  if (OperacionEnCurso()) {
    Paneles[5]->setText(kOcupado);
    return false;
  }
  return !Bloqueado && Arbol;
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
  // An error raised while a stage waits (a redraw asked for from outside,
  // for instance) leaves that wait and its operation alone.
  if (OperacionEnCurso())
    return;
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
  // OnEtapa is never reassigned from inside the handler it holds: the stage
  // in course reads ModoEtapas_, and the operation's end assigns it.
  if (EtapasEnCurso_ > 0) {
    EtapasPendientes_ = true;
    return;
  }
  EtapasPendientes_ = false;
  if (!Arbol)
    return;
  if (ModoEtapas_ == kSinEtapas)
    Arbol->OnEtapa = nullptr;
  else
    Arbol->OnEtapa = [this](const std::string& t, const std::string& d, int k) { Etapa(t, d, k); };
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

void TVentPpal::ActDesbloqueoExecute() { Bloqueado = false; }

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
  GuardarDeshacer();
  lisOperacion->setCurrentIndex(indice);
  AsignarEtapas();
  if (DlgPaso_) {
    DlgPaso_->PonerTitulo(titulo + NombreArbol);
    DlgPaso_->PonerEfectuar(false);
  }
}

void TVentPpal::MostrarResultado() {
  // With a handler at work the stages have already shown every change.
  if (Abandonar_ || (Arbol->MostrarEtapas() && ModoEtapas_ != kSinEtapas))
    return;
  MostrarCambio();
}

void TVentPpal::MostrarCambioYTerminar() {
  MostrarResultado();
  Arbol->Deseleccionar();
  if (!Abandonar_) {
    Dibujar();
    LienzoPaint();
  }
  TerminarOperacion();
}

void TVentPpal::TerminarOperacion() {
  if (DlgPaso_)
    DlgPaso_->hide();
  ActualizarEstado();
}

void TVentPpal::Comprobar() {
  if (Abandonar_)
    return;
  const TTipoEstructura* tipo = Arbol ? TipoDe(*Arbol) : nullptr;
  if (!tipo || !tipo->Comprobar)
    return;
  for (const std::string& m : tipo->Comprobar(*Arbol))
    Mensaje(QString::fromStdString(m));
}

void TVentPpal::RealizarBusqueda(std::int32_t v) {
  if (!Arbol || OperacionEnCurso())
    return;
  TOperacionEnCurso operacion(*this);
  IniciarOperacion(0, QStringLiteral("Busqueda en "));
  Arbol->Deseleccionar();
  if (!Arbol->Buscar(v))
    Arbol->Deseleccionar();
  MostrarResultado();
  TerminarOperacion();
}

void TVentPpal::RealizarInsercion(std::int32_t v) {
  if (!Arbol || OperacionEnCurso())
    return;
  TOperacionEnCurso operacion(*this);
  IniciarOperacion(1, QStringLiteral("Insercion en "));
  Arbol->Deseleccionar();
  Arbol->Insertar(v);
  Historia.Anotar({TOperacion::Insercion, v});
  MostrarCambioYTerminar();
  Comprobar();
}

void TVentPpal::RealizarBorrado(std::int32_t v) {
  if (!Arbol || OperacionEnCurso())
    return;
  TOperacionEnCurso operacion(*this);
  IniciarOperacion(2, QStringLiteral("Borrado en "));
  // A heap removes its minimum whatever the key: it is not searched.
  const TTipoEstructura* tipo = TipoDe(*Arbol);
  if (!(tipo && tipo->BorraMinimo) && !Arbol->Seleccionar(v, true))
    return;
  Dibujar();
  LienzoPaint();
  Arbol->Borrar();
  Historia.Anotar({TOperacion::Borrado, v});
  MostrarCambioYTerminar();
  Comprobar();
}

// ------------------------------------------------------------ stages

void TVentPpal::Etapa(const std::string& Titulo, const std::string& Descripcion, int TipoEtapa) {
  if (Abandonar_)
    return;
  struct TContador {
    int& N;
    explicit TContador(int& n) : N(++n) {}
    ~TContador() { --N; }
  } enCurso(EtapasEnCurso_);
  if (ModoEtapas_ == kConDescripcion)
    EtapaConDescripcion(QString::fromStdString(Titulo), QString::fromStdString(Descripcion), TipoEtapa);
  else if (ModoEtapas_ == kConPausa)
    EtapaConPausa(QString::fromStdString(Titulo), QString::fromStdString(Descripcion), TipoEtapa);
}

void TVentPpal::MostrarCambio() {
  if (btnAnimar->isChecked())
    IniciarAnimacion();
  else
    Refrescar();
}

void TVentPpal::EtapaConDescripcion(const QString& Titulo, const QString& Descripcion, int TipoEtapa) {
  if (Abandonar_)
    return;
  if (!DlgPaso_) {
    // Without a step window the stages can only be drawn.
    if (TipoEtapa == 1 || TipoEtapa == 2)
      MostrarCambio();
    return;
  }
  if (!DlgPaso_->isVisible()) {
    DlgPaso_->show();
    const QRect v = frameGeometry();
    const QSize p = DlgPaso_->frameGeometry().size();
    DlgPaso_->move(v.left() + v.width() - p.width() - 5, v.top() + v.height() - p.height() - 5);
  }
  DlgPaso_->MostrarEtapa(Titulo, Descripcion);
  switch (TipoEtapa) {
  case 0:
    Dibujar();
    LienzoPaint();
    break;
  case 1:
    MostrarCambio();
    break;
  case 2: {
    DlgPaso_->PonerEfectuar(true);
    EsperarBoton();
    if (!Abandonar_)
      MostrarCambio();
    if (DlgPaso_)
      DlgPaso_->PonerEfectuar(false);
    break;
  }
  default:
    break;
  }
  EsperarBoton();
}

void TVentPpal::EsperarBoton() {
  QPointer<TDlgPaso> paso = DlgPaso_;
  if (Abandonar_ || !paso)
    return;
  TEsperaEtapa espera(*this);
  EsperandoSeguir_ = true;
  const auto seguir = connect(paso, &TDlgPaso::Seguir, this, [this] {
    EsperandoSeguir_ = false;
    DespertarEsperas();
  });
  const auto destruido = connect(paso, &QObject::destroyed, this, &TVentPpal::DespertarEsperas);
  EsperarHasta([this, &paso] { return !paso || !EsperandoSeguir_; });
  EsperandoSeguir_ = false;
  if (paso) {
    disconnect(seguir);
    disconnect(destruido);
  }
}

void TVentPpal::EtapaConPausa(const QString&, const QString&, int TipoEtapa) {
  if (Abandonar_)
    return;
  if (TipoEtapa == 0) {
    Dibujar();
    LienzoPaint();
    TEsperaEtapa espera(*this);
    QElapsedTimer reloj;
    reloj.start();
    QTimer despertador;
    despertador.setSingleShot(true);
    despertador.setTimerType(Qt::PreciseTimer);
    connect(&despertador, &QTimer::timeout, this, &TVentPpal::DespertarEsperas);
    EsperarHasta([&] {
      const qint64 resta = PausaPres - reloj.elapsed();
      if (resta <= 0)
        return true;
      despertador.start(static_cast<int>(resta));
      return false;
    });
    return;
  }
  MostrarCambio();
  EsperarHasta([this] { return !Lienzo->EnMovimiento(); });
}

void TVentPpal::EsperarHasta(const std::function<bool()>& listo) {
  while (!Abandonar_ && !listo()) {
    QEventLoop bucle;
    Bucles_.push_back(&bucle);
    struct TSacar {
      std::vector<QEventLoop*>& B;
      ~TSacar() { B.pop_back(); }
    } sacar{Bucles_};
    if (bucle.exec() != kDespertada) {
      // The application is leaving its loops (its last window closed): no
      // nested loop can run any more, so the operation goes on unshown.
      Abandonar_ = true;
    }
  }
}

void TVentPpal::DespertarEsperas() {
  for (QEventLoop* bucle : Bucles_)
    bucle->exit(kDespertada);
}

void TVentPpal::TerminarEsperas() {
  if (OperacionEnCurso() || !Bucles_.empty())
    Abandonar_ = true;
  if (Lienzo->EnMovimiento())
    Lienzo->AcabarMovimiento();
  DespertarEsperas();
}
