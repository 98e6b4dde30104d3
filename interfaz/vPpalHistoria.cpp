// History and files: new structures of each kind with the replay of the
// history, emptying, undo and redo, opening and saving structures and operation
// lists, and the demonstration builders.
#include "vPpal.h"

#include "uConductor.h"
#include "uConversion.h"
#include "uLamina.h"
#include "uListaOper.h"
#include "uArbolAVL.h"
#include "uMonticulo.h"
#include "uTipos.h"
#include "uTrabajo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScopeGuard>
#include <QtEndian>

#include <algorithm>
#include <unordered_map>

namespace {

// The file carries no mark of its kind: what suggests that a structure read
// under the kind of tipo is of another one (its extension, or contents out
// of the kind's order). Empty when nothing does.
QStringList Sospechas(const QString& ruta, const TTipoEstructura& tipo, const TArbolBin& a) {
  QStringList r;
  const QString ext = QFileInfo(ruta).suffix().toLower();
  const auto esDe = [&](const TTipoEstructura& t) {
    return std::any_of(t.Extensiones.begin(), t.Extensiones.end(),
                       [&](std::string_view e) { return QString::fromUtf8(e) == ext; });
  };
  const auto tipos = TiposEstructura();
  if (std::any_of(tipos.begin(), tipos.end(), esDe) && !esDe(tipo))
    r << QStringLiteral("la extensión \".%1\" es la de otro tipo de estructura").arg(ext);
  if (tipo.Sospechas)
    for (const std::string& s : tipo.Sospechas(a))
      r << QString::fromStdString(s);
  return r;
}

// Above this many nodes a change of the history point is redrawn at once.
constexpr std::int32_t kMaxDeslizar = 1 << 16;

// Files larger than this are refused before they are read.
constexpr qint64 kMaxFichero = qint64{256} << 20;

QString Nombre(const QString& ruta) { return QFileInfo(ruta).fileName(); }

// A file's contents as the engines read them.
std::span<const std::uint8_t> Bytes(const QByteArray& datos) {
  return {reinterpret_cast<const std::uint8_t*>(datos.constData()), static_cast<std::size_t>(datos.size())};
}

QString Describir(TOperacion op) {
  return (op.Tipo == TOperacion::Borrado ? QStringLiteral("el borrado de %1")
                                         : QStringLiteral("la inserción de %1"))
      .arg(op.Clave);
}

// Nodes of a that b also holds (by key, the first of equal keys) take a's
// drawn places, so a change of the history glides from what is on screen.
void PosicionesDe(const TArbolBin& a, TArbolBin& b) {
  if (!a.Raiz || !b.Raiz)
    return;
  std::unordered_map<std::int32_t, std::pair<std::int32_t, std::int32_t>> lugares;
  lugares.reserve(static_cast<std::size_t>(std::max(a.NumNodos, 0)));
  RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { lugares.try_emplace(n->Valor, n->X, n->Y); });
  RecorrerPreorden(b.Raiz, [&](TNodoBin* n, std::int32_t) {
    if (const auto i = lugares.find(n->Valor); i != lugares.end()) {
      n->X = i->second.first;
      n->Y = i->second.second;
    }
  });
}

}  // namespace

// --- Reading and writing files ---------------------------------------------

std::optional<QByteArray> TVentPpal::LeerFichero(const QString& ruta, TTrabajo* trabajo) {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) {
    Mensaje(QStringLiteral("No se ha podido abrir el fichero \"%1\".").arg(Nombre(ruta)));
    return std::nullopt;
  }
  // The reported size only refuses early: a device or a pipe reports none,
  // so what is read is bounded as it comes.
  const auto demasiadoGrande = [&] {
    Mensaje(QStringLiteral("El fichero \"%1\" es demasiado grande.").arg(Nombre(ruta)));
    return std::nullopt;
  };
  if (f.size() > kMaxFichero)
    return demasiadoGrande();
  if (trabajo)
    trabajo->Fase(QStringLiteral("bytes"), f.size());
  QByteArray datos;
  char bloque[64 * 1024];
  for (qint64 n; (n = f.read(bloque, sizeof bloque)) != 0;) {
    if (n < 0) {
      Mensaje(QStringLiteral("No se ha podido leer el fichero \"%1\".").arg(Nombre(ruta)));
      return std::nullopt;
    }
    if (datos.size() + n > kMaxFichero)
      return demasiadoGrande();
    datos.append(bloque, n);
    if (trabajo)
      trabajo->Avance(datos.size());
  }
  return datos;
}

bool TVentPpal::EscribirFichero(const QString& ruta, const char* datos, qint64 tam) {
  // The old file is replaced only once the new one is completely written.
  // commit() flushes the last buffered bytes without looking at the
  // outcome: a full disk there would leave a truncated file saved.
  QSaveFile f(ruta);
  if (f.open(QIODevice::WriteOnly) && f.write(datos, tam) == tam && f.flush() && f.commit())
    return true;
  Mensaje(QStringLiteral("No se ha podido guardar el fichero \"%1\".").arg(Nombre(ruta)));
  return false;
}

// --- Changing the structure -------------------------------------------------

void TVentPpal::PonerArbol(std::unique_ptr<TArbolBin> nuevo) {
  Arbol_ = std::move(nuevo);
  AplicarVariante();
  Lienzo_->OlvidarDistribucion();
  NombreArbol_ = QString::fromStdString(Arbol_->NombreTipo());
  Paneles_[5]->setText(QLatin1Char(' ') + QString::fromStdString(Arbol_->NombreTipos()));
  MarcarTipo();
}

void TVentPpal::MarcarTipo() {
  const auto tipos = TiposEstructura();
  for (std::size_t i = 0; i < tipos.size() && i < OpcArb_.size(); ++i)
    if (&tipos[i] == TipoDe(*Arbol_))
      OpcArb_[i]->setChecked(true);
}

std::unique_ptr<TArbolBin> TVentPpal::Reconstruir(THistoria& h, std::size_t k, const QString& titulo,
                                                  std::optional<QString>& error) {
  std::unique_ptr<TArbolBin> r;
  std::string texto;
  TTrabajo trabajo(this, titulo);
  trabajo.Fase(QStringLiteral("operaciones"), static_cast<std::int64_t>(k));
  // The replay keeps what it built before the structure refused a step; the
  // error handler shows the text and the structure as it stands.
  if (!trabajo.Ejecutar([&] { r = h.IrA(k, trabajo.Gancho(), &texto); }))
    return nullptr;
  if (!texto.empty())
    error = QString::fromStdString(texto);
  return r;
}

void TVentPpal::MostrarReconstruida(const std::optional<QString>& error) {
  Lienzo_->MostrarNueva();
  if (error)
    MostrarError(*error);
  else
    ActualizarEstado();
}

void TVentPpal::CambiarArbol(TClaseArbol clase) {
  // The menu checked its item before asking: a change that does not happen
  // gives the check back to the present kind.
  const auto marcar = qScopeGuard([this] {
    if (Arbol_)
      MarcarTipo();
  });
  if (!EstructuraLibre())
    return;
  Ejecutar([&] {
    // The same steps from an empty structure of the new kind (a heap build
    // only where the kind has one), the undone ones kept undone; replayed
    // aside and put in place once done: a cancel changes nothing.
    const std::unique_ptr<TArbolBin> vacio = clase();
    const TTipoEstructura* tipo = TipoDe(*vacio);
    std::vector<TPaso> pasos;
    std::size_t actual = 0;
    for (std::size_t i = 0; i < Historia_.NumPasos(); ++i) {
      const TPaso p = Historia_.Pasos()[i];
      if ((p.Tipo == TPaso::Monticulo && !(tipo && tipo->Monticulo)) ||
          (p.Tipo == TPaso::Busqueda && !(tipo && tipo->BuscarCambia)))
        continue;
      pasos.push_back(p);
      if (i < Historia_.Actual())
        actual = pasos.size();
    }
    THistoria h;
    h.Reiniciar(*vacio, std::move(pasos), actual);
    std::optional<QString> error;
    std::unique_ptr<TArbolBin> nuevo = Reconstruir(h, actual, QStringLiteral("Cambio de estructura"), error);
    if (!nuevo)
      return;
    Historia_ = std::move(h);
    PonerArbol(std::move(nuevo));
    Conductor_->AsignarEtapas();
    MostrarReconstruida(error);
  });
}

void TVentPpal::ActNuevo1Execute() { CambiarArbol(TiposEstructura()[0].Clase); }
void TVentPpal::ActNuevo2Execute() { CambiarArbol(TiposEstructura()[1].Clase); }
void TVentPpal::ActNuevo3Execute() { CambiarArbol(TiposEstructura()[2].Clase); }
void TVentPpal::ActNuevo4Execute() { CambiarArbol(TiposEstructura()[3].Clase); }
void TVentPpal::ActNuevo5Execute() { CambiarArbol(TiposEstructura()[4].Clase); }

void TVentPpal::ActLimpiarExecute() {
  if (!EstructuraLibre())
    return;
  Ejecutar([&] {
    Arbol_->Vaciar();
    Historia_.Anotar({TPaso::Vaciado, 0}, *Arbol_);
    Refrescar();
    ActualizarEstado();
  });
}

bool TVentPpal::IrAPaso(std::size_t k) {
  if (k > Historia_.NumPasos())
    return false;
  std::unique_ptr<TArbolBin> nuevo;
  TTrabajo trabajo(this, QStringLiteral("Historial"));
  trabajo.Fase(QStringLiteral("operaciones"), 0);
  if (!trabajo.Ejecutar([&] { nuevo = Historia_.IrA(k, trabajo.Gancho()); }) || !nuevo)
    return false;
  // The nodes still there glide from where they are drawn. A large
  // structure is redrawn at once instead: finding every node's place and
  // a motion of all of them would hold the window for seconds.
  const bool deslizar = std::max(Arbol_->NumNodos, nuevo->NumNodos) <= kMaxDeslizar;
  if (deslizar)
    PosicionesDe(*Arbol_, *nuevo);
  Arbol_ = std::move(nuevo);
  AplicarVariante();
  Lienzo_->OlvidarDistribucion();
  if (deslizar)
    IniciarAnimacion();
  else
    Refrescar();
  ActualizarEstado();
  return true;
}

void TVentPpal::ActDeshacerExecute() {
  if (!Historia_.PuedeDeshacer() || !EstructuraLibre())
    return;
  Ejecutar([&] { IrAPaso(Historia_.Actual() - 1); });
}

void TVentPpal::ActRehacerExecute() {
  if (!Historia_.PuedeRehacer() || !EstructuraLibre())
    return;
  Ejecutar([&] {
    const TPaso paso = Historia_.Pasos()[Historia_.Actual()];
    if (paso.Tipo != TPaso::Vaciado) {
      // Run again as it ran the first time, stages and all.
      Conductor_->Rehacer(paso, NombreArbol_);
      return;
    }
    Arbol_->Vaciar();
    Historia_.Avanzar(*Arbol_);
    Refrescar();
    ActualizarEstado();
  });
}

// --- Files ------------------------------------------------------------------

void TVentPpal::ActAbrirExecute() {
  if (!EstructuraLibre() || !Plataforma_.Ficheros)
    return;
  const auto elegido = Plataforma_.Ficheros->ElegirAbrir(this, OpenDialog1_);
  if (!elegido || !EstructuraLibre())
    return;
  Ejecutar([&] {
    if (elegido->IndiceFiltro <= 1)
      AbrirOperaciones(elegido->Ruta);
    else if (const auto k = static_cast<std::size_t>(elegido->IndiceFiltro - 2); k < TiposEstructura().size())
      AbrirEstructura(elegido->Ruta, TiposEstructura()[k].Clase);
  });
}

void TVentPpal::AbrirEstructura(const QString& ruta, TClaseArbol clase) {
  // Read into a new structure: the current work stays until the file loaded.
  std::unique_ptr<TArbolBin> nuevo;
  TTrabajo trabajo(this, QStringLiteral("Apertura de \"%1\"").arg(Nombre(ruta)));
  const bool hecho = trabajo.Ejecutar([&] {
    const auto datos = LeerFichero(ruta, &trabajo);
    if (!datos)
      return;
    const auto bytes = Bytes(*datos);
    // The count the file announces; the nodes read are counted against it.
    trabajo.Fase(QStringLiteral("nodos"), bytes.size() >= 4 ? qFromLittleEndian<qint32>(bytes.data()) : 0);
    std::unique_ptr<TArbolBin> a = clase();
    a->Avance = trabajo.Gancho();
    try {
      a->Cargar(bytes);
    } catch (const EArbol& e) {
      Mensaje(QStringLiteral("No se ha podido abrir el fichero \"%1\": %2")
                  .arg(Nombre(ruta), QString::fromStdString(e.what())));
      return;
    }
    a->Avance = nullptr;
    nuevo = std::move(a);
  });
  if (!hecho || !nuevo)
    return;
  // Read under the kind the user chose, as always; what looks like another
  // kind is shown, and the teacher keeps it or leaves the work as it was.
  const TTipoEstructura* tipo = TipoDe(*nuevo);
  if (tipo && Plataforma_.Mensajes) {
    const QStringList sospechas = Sospechas(ruta, *tipo, *nuevo);
    if (!sospechas.isEmpty() &&
        !Plataforma_.Mensajes->Preguntar(
            this,
            QStringLiteral("El fichero no parece un arbol de este tipo (%1): %2.\n\n"
                           "¿Conservar lo leído de \"%3\" o descartarlo?")
                .arg(QString::fromStdString(nuevo->NombreTipo()),
                     sospechas.join(QStringLiteral("; ")), Nombre(ruta)),
            QStringLiteral("Conservar"), QStringLiteral("Descartar")))
      return;
  }
  PonerEstructura(std::move(nuevo));
}

void TVentPpal::PonerEstructura(std::unique_ptr<TArbolBin> nuevo) {
  if (!nuevo || !EstructuraLibre())
    return;
  Historia_.Reiniciar(*nuevo);
  PonerArbol(std::move(nuevo));
  Lienzo_->MostrarNueva();
  ActualizarEstado();
}

void TVentPpal::AbrirOperaciones(const QString& ruta) {
  // Read and replayed aside; the history and the structure are replaced
  // only once both are done. The history starts from an empty structure of
  // the current kind, every step of the file done.
  std::vector<TPaso> pasos;
  std::optional<QByteArray> datos;
  {
    TTrabajo trabajo(this, QStringLiteral("Apertura de \"%1\"").arg(Nombre(ruta)));
    if (!trabajo.Ejecutar([&] { datos = LeerFichero(ruta, &trabajo); }) || !datos)
      return;
  }
  for (std::int32_t e : LeerListaOper(Bytes(*datos))) {
    const TOperacion op = OperacionDe(e);
    // A list file holds keys only: its steps run with the chosen variant.
    pasos.push_back({op.Tipo == TOperacion::Borrado ? TPaso::Borrado : TPaso::Insercion, op.Clave,
                     VarianteElegida()});
  }
  datos.reset();
  THistoria h;
  const std::size_t n = pasos.size();
  h.Reiniciar(*Arbol_->Clase()(), std::move(pasos), n);
  std::optional<QString> error;
  std::unique_ptr<TArbolBin> nuevo =
      Reconstruir(h, n, QStringLiteral("Apertura de \"%1\"").arg(Nombre(ruta)), error);
  if (!nuevo)
    return;
  Historia_ = std::move(h);
  Arbol_ = std::move(nuevo);
  AplicarVariante();
  Lienzo_->OlvidarDistribucion();
  MostrarReconstruida(error);
}

void TVentPpal::ActGuardarExecute() {
  if (!EstructuraLibre() || !Plataforma_.Ficheros)
    return;
  TDialogoFichero d = SaveDialog1_;
  if (const TTipoEstructura* tipo = TipoDe(*Arbol_)) {
    d.Filtro = QString::fromUtf8(tipo->FiltroGuardar);
    d.ExtDefecto = QString::fromUtf8(tipo->ExtDefecto);
  }
  SaveDialog1_ = d;
  const auto elegido = Plataforma_.Ficheros->ElegirGuardar(this, d);
  if (!elegido || !Arbol_)
    return;
  const std::vector<std::uint8_t> datos = Arbol_->Guardar();
  EscribirFichero(elegido->Ruta, reinterpret_cast<const char*>(datos.data()),
                  static_cast<qint64>(datos.size()));
}

void TVentPpal::ActGuardarOperExecute() {
  if (!EstructuraLibre() || !Plataforma_.Ficheros)
    return;
  // The file holds a key for an insertion and the negated key for a
  // deletion: some operations would read back as others.
  if (!PreguntarGuardarOperaciones())
    return;
  const auto elegido = Plataforma_.Ficheros->ElegirGuardar(this, SaveDialog2_);
  if (!elegido)
    return;
  const std::vector<std::uint8_t> datos = EscribirListaOper(Historia_.Entradas());
  EscribirFichero(elegido->Ruta, reinterpret_cast<const char*>(datos.data()),
                  static_cast<qint64>(datos.size()));
}

// Every stage of the last operation recorded with stages, drawn as the
// canvas draws now, as a PDF or as a folder of pictures.
void TVentPpal::ActExportarEtapasExecute() {
  if (!Conductor_ || !Conductor_->Ultima().Grabacion || !Ficheros_)
    return;
  const auto elegido = Ficheros_->ElegirGuardar(this, DialogoEtapas_);
  if (!elegido)
    return;
  QString ruta = elegido->Ruta;
  if (elegido->IndiceFiltro == 1 && !ruta.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
    ruta += QStringLiteral(".pdf");
  try {
    if (Conductor_->ExportarEtapas(ruta))
      Paneles_[5]->setText(QStringLiteral(" Etapas exportadas en ") + QDir::toNativeSeparators(ruta));
  } catch (const ELamina& e) {
    Mensaje(QString::fromUtf8(e.what()));
  } catch (const EArbol& e) {  // a stage too large to lay out
    Mensaje(QString::fromUtf8(e.what()));
  }
}

bool TVentPpal::PreguntarGuardarOperaciones() {
  const auto ops = Historia_.Operaciones();
  const auto primera = std::find_if(ops.begin(), ops.end(), [](TOperacion op) { return !Representable(op); });
  if (primera == ops.end())
    return true;
  const auto cuantas = std::count_if(ops.begin(), ops.end(), [](TOperacion op) { return !Representable(op); });
  const QString texto =
      QStringLiteral("El fichero de operaciones anota una inserción con la clave y un borrado con la "
                     "clave cambiada de signo, y %1 así: %2 (la operación número %3) se leería como "
                     "%4.\n\n¿Guardar la lista de todos modos?")
          .arg(cuantas == 1 ? QStringLiteral("una operación de la lista no se puede guardar")
                            : QStringLiteral("%1 operaciones de la lista no se pueden guardar").arg(cuantas))
          .arg(Describir(*primera))
          .arg(primera - ops.begin() + 1)
          .arg(Describir(OperacionDe(EntradaDe(*primera))));
  // Without a message box the teacher cannot be asked: nothing is written.
  return Plataforma_.Mensajes &&
         Plataforma_.Mensajes->Preguntar(this, texto, QStringLiteral("Guardar de todos modos"),
                                         QStringLiteral("Cancelar"));
}

// --- Demonstration builders -------------------------------------------------

std::optional<std::int32_t> TVentPpal::ValorConstructor(std::int32_t maximo,
                                                       const QString& mensajeRango) {
  const auto n = ConvertirEntero(edtValor_->text());
  if (!n) {
    Mensaje(QStringLiteral("'%1' no es un valor entero válido.").arg(edtValor_->text()));
    return std::nullopt;
  }
  if (*n < 0 || *n > maximo) {
    Mensaje(mensajeRango);
    return std::nullopt;
  }
  return n;
}

void TVentPpal::ConstruirDemostracion(
    std::int32_t maximo, const QString& mensajeRango,
    const std::function<std::unique_ptr<TArbolBin>(std::int32_t, TTrabajo&)>& construir) {
  if (!EstructuraLibre())
    return;
  const auto n = ValorConstructor(maximo, mensajeRango);
  if (!n)
    return;
  // The built structure is where the history starts again.
  Ejecutar([&] {
    std::unique_ptr<TArbolBin> nuevo;
    TTrabajo trabajo(this, QStringLiteral("Construcción de la estructura"));
    if (!trabajo.Ejecutar([&] { nuevo = construir(*n, trabajo); }))
      return;
    Historia_.Reiniciar(*nuevo);
    PonerArbol(std::move(nuevo));
    Lienzo_->MostrarNueva();
    ActualizarEstado();
  });
}

void TVentPpal::ToolButton17Click() {
  ConstruirDemostracion(kMaxOrdenFibonacci,
                        QStringLiteral("El orden del arbol de Fibonacci debe estar entre 0 y %1.")
                            .arg(kMaxOrdenFibonacci),
                        [](std::int32_t n, TTrabajo& trabajo) {
                          // Order n has F(n+2) - 1 nodes.
                          std::int64_t f = 0, g = 1;
                          for (std::int32_t k = 0; k < n + 2; ++k)
                            f = std::exchange(g, f + g);
                          trabajo.Fase(QStringLiteral("nodos"), f - 1);
                          auto avl = std::make_unique<TArbolAVL>();
                          avl->Avance = trabajo.Gancho();
                          avl->CrearFibonacci(n);
                          avl->Avance = nullptr;
                          return std::unique_ptr<TArbolBin>(std::move(avl));
                        });
}

void TVentPpal::ToolButton20Click() {
  ConstruirDemostracion(kMaxValoresMonticulo,
                        QStringLiteral("El numero de valores del montículo debe estar entre 0 y %1.")
                            .arg(kMaxValoresMonticulo),
                        [](std::int32_t n, TTrabajo& trabajo) {
                          trabajo.Fase(QStringLiteral("valores"), n);
                          auto monticulo = std::make_unique<TMonticulo>();
                          monticulo->Avance = trabajo.Gancho();
                          monticulo->CrearDesordenado(n);
                          monticulo->Avance = nullptr;
                          return std::unique_ptr<TArbolBin>(std::move(monticulo));
                        });
}

void TVentPpal::ToolButton21Click() {
  const TTipoEstructura* tipo = Arbol_ ? TipoDe(*Arbol_) : nullptr;
  if (!tipo || !tipo->Monticulo || !EstructuraLibre())
    return;
  // Built like an operation: stages as the buttons ask, a step of the
  // history, no check afterwards.
  Ejecutar([&] { Conductor_->CrearMonticulo(*tipo); });
}
