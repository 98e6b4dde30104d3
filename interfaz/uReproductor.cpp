#include "uReproductor.h"

#include "uGrabacion.h"
#include "uLienzo.h"

#include <QKeyEvent>

#include <utility>

namespace {

// Calls f on the nodes of a and b that stand at the same place in their
// shapes, in pre-order; false, with nothing called, when the shapes differ.
template <class F>
bool ParaCadaPar(const TArbolBin& a, const TArbolBin& b, F&& f) {
  std::vector<std::pair<TNodoBin*, TNodoBin*>> pila, pares;
  pila.emplace_back(a.Raiz, b.Raiz);
  while (!pila.empty()) {
    const auto [x, y] = pila.back();
    pila.pop_back();
    if (!x || !y) {
      if (x != y)
        return false;
      continue;
    }
    pares.emplace_back(x, y);
    pila.emplace_back(x->Der, y->Der);
    pila.emplace_back(x->Izq, y->Izq);
  }
  for (const auto& [x, y] : pares)
    f(*x, *y);
  return true;
}

QString Texto(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }

}  // namespace

TReproductor::TReproductor(TLienzo& lienzo, const std::unique_ptr<TArbolBin>* arbol, QObject* padre)
    : QObject(padre), Lienzo_(&lienzo), Arbol_(arbol) {
  Reloj_.setSingleShot(true);
  connect(&Reloj_, &QTimer::timeout, this, &TReproductor::Siguiente);
  connect(&lienzo, &TLienzo::MovimientoAcabado, this, &TReproductor::FinDeslizamiento);
  lienzo.installEventFilter(this);
}

TReproductor::~TReproductor() {
  // The canvas may outlive the player: it must not keep our picture.
  if (Lienzo_)
    Lienzo_->PonerVista(nullptr);
}

int TReproductor::Etapa() const { return Activo() ? static_cast<int>(Estados_[Pos_].Etapa) : -1; }
bool TReproductor::Despues() const { return Activo() && Estados_[Pos_].Despues; }
int TReproductor::NumEtapas() const { return Grabacion_ ? static_cast<int>(Grabacion_->NumEtapas()) : 0; }

void TReproductor::Reproducir(std::shared_ptr<const TGrabacion> grabacion, bool reproduciendo) {
  Terminar();
  if (!grabacion || grabacion->NumEtapas() == 0) {
    Acabar(false);
    return;
  }
  Grabacion_ = std::move(grabacion);
  Estados_.clear();
  QStringList titulos;
  for (std::size_t k = 0; k < Grabacion_->NumEtapas(); ++k) {
    const TGrabacion::TEtapa e = Grabacion_->Etapa(k);
    titulos << Texto(e.Titulo);
    Estados_.push_back({k, false});
    if (e.Tipo == 1 || e.Tipo == 2)
      Estados_.push_back({k, true});
  }
  Reproduciendo_ = reproduciendo;
  // The keys reach the canvas once it is clicked.
  Lienzo_->setFocusPolicy(Qt::ClickFocus);
  Q_EMIT Iniciada(titulos);
  Q_EMIT ReproduccionCambiada(Reproduciendo_);
  // The first stop, as forward reaches it from the structure before.
  Mostrar(Parada(0), Estados_[Parada(0)].Despues);
}

void TReproductor::Terminar() {
  if (Activo())
    Acabar(false);
}

std::size_t TReproductor::Parada(std::size_t etapa) const {
  std::size_t i = 0;
  while (i < Estados_.size() && Estados_[i].Etapa < etapa)
    ++i;
  // A type 1 stage is passed through going forward: it stops "after".
  if (i + 1 < Estados_.size() && Estados_[i + 1].Etapa == etapa &&
      Grabacion_->Etapa(etapa).Tipo == 1)
    ++i;
  return i;
}

void TReproductor::Siguiente() {
  if (!Activo())
    return;
  if (Pos_ + 1 >= Estados_.size()) {
    Acabar(Animar_);
    return;
  }
  std::size_t i = Pos_ + 1;
  if (!Estados_[i].Despues && i + 1 < Estados_.size() && Estados_[i + 1].Despues &&
      Grabacion_->Etapa(Estados_[i].Etapa).Tipo == 1)
    ++i;
  // Forward into "after" the nodes glide from "before".
  Mostrar(i, Estados_[i].Despues);
}

void TReproductor::Anterior() {
  if (!Activo() || Pos_ == 0)
    return;
  // Back out of "after" the nodes glide to "before".
  Mostrar(Pos_ - 1, Estados_[Pos_].Despues);
}

void TReproductor::Primera() { Saltar(0); }

void TReproductor::Ultima() { Saltar(NumEtapas() - 1); }

void TReproductor::Saltar(int k) {
  if (!Activo() || k < 0 || k >= NumEtapas())
    return;
  Mostrar(Parada(static_cast<std::size_t>(k)), false);
}

void TReproductor::ReproducirPausar() { PonerReproduciendo(!Reproduciendo_); }

void TReproductor::PonerReproduciendo(bool reproduciendo) {
  if (!Activo() || reproduciendo == Reproduciendo_)
    return;
  Reproduciendo_ = reproduciendo;
  Q_EMIT ReproduccionCambiada(Reproduciendo_);
  if (!Reproduciendo_)
    Reloj_.stop();
  else if (!Deslizando_)
    Programar();
}

void TReproductor::Mostrar(std::size_t i, bool deslizar) {
  Reloj_.stop();
  Deslizando_ = false;
  const TEstado estado = Estados_[i];
  const bool atras = i < Pos_;
  Pos_ = i;
  if (EtapaFoto_ != estado.Etapa) {
    TGrabacion::TFoto foto = Grabacion_->Foto(estado.Etapa);
    Antes_ = std::move(foto.Antes);
    Despues_ = std::move(foto.Despues);
    EtapaFoto_ = estado.Etapa;
  }
  const TArbolBin& origen = estado.Despues && Despues_ ? *Despues_ : *Antes_;
  std::unique_ptr<TArbolBin> vista = origen.Clonar();
  deslizar = deslizar && Animar_ && Despues_;
  if (deslizar && atras) {
    // The recorded glide the other way: from the layout back to the report.
    ParaCadaPar(*vista, *Despues_, [](TNodoBin& a, const TNodoBin& d) {
      a.XIni = d.X;
      a.YIni = d.Y;
      a.XFin = a.X;
      a.YFin = a.Y;
    });
  }
  Lienzo_->PonerVista(vista.get());
  Vista_ = std::move(vista);
  const TGrabacion::TEtapa e = Grabacion_->Etapa(estado.Etapa);
  Q_EMIT EtapaMostrada(static_cast<int>(estado.Etapa), Texto(e.Titulo), Texto(e.Descripcion),
                       e.Tipo == 2 && !estado.Despues, Pos_ > 0, Pos_ + 1 < Estados_.size(), Texto(e.Listado),
                       e.Linea);
  if (deslizar) {
    Deslizando_ = true;
    Lienzo_->Deslizar();
  } else {
    Lienzo_->Refrescar();
    Programar();
  }
}

void TReproductor::Programar() {
  if (!Reproduciendo_ || !Activo())
    return;
  const TEstado estado = Estados_[Pos_];
  const int tipo = Grabacion_->Etapa(estado.Etapa).Tipo;
  // A change goes on at once (its glide is its time); a stage that changes
  // nothing stays for the pause.
  const bool cambio = (tipo == 1 || tipo == 2);
  Reloj_.start(cambio ? 0 : Pausa_);
}

void TReproductor::FinDeslizamiento() {
  if (!Deslizando_)
    return;
  Deslizando_ = false;
  if (Reproduciendo_)
    Reloj_.start(0);
}

void TReproductor::Acabar(bool deslizar) {
  Reloj_.stop();
  Deslizando_ = false;
  TArbolBin* vivo = Arbol_ ? Arbol_->get() : nullptr;
  // From where the last state stands, when it has the live shape.
  if (deslizar && vivo && Vista_)
    ParaCadaPar(*vivo, *Vista_, [](TNodoBin& v, const TNodoBin& f) {
      v.X = f.X;
      v.Y = f.Y;
    });
  Lienzo_->PonerVista(nullptr);
  Lienzo_->setFocusPolicy(Qt::NoFocus);
  Vista_.reset();
  Antes_.reset();
  Despues_.reset();
  EtapaFoto_ = static_cast<std::size_t>(-1);
  Estados_.clear();
  Pos_ = 0;
  Grabacion_.reset();
  const bool reproducia = Reproduciendo_;
  Reproduciendo_ = false;
  if (reproducia)
    Q_EMIT ReproduccionCambiada(false);
  if (deslizar && vivo)
    Lienzo_->IniciarMovimiento();
  else
    Lienzo_->Refrescar();
  Q_EMIT Terminada();
}

bool TReproductor::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() != QEvent::KeyPress || !Activo())
    return QObject::eventFilter(objeto, evento);
  const auto* tecla = static_cast<QKeyEvent*>(evento);
  if (tecla->modifiers() & ~Qt::KeypadModifier)
    return false;
  switch (tecla->key()) {
  case Qt::Key_Right:
    Siguiente();
    return true;
  case Qt::Key_Left:
    Anterior();
    return true;
  case Qt::Key_Home:
    Primera();
    return true;
  case Qt::Key_End:
    Ultima();
    return true;
  case Qt::Key_Space:
    ReproducirPausar();
    return true;
  default:
    return false;
  }
}
