// History and files: new structures of each kind with the replay of the
// operation list, emptying, undo, opening and saving structures and operation
// lists, and the demonstration builders.
#include "vPpal.h"

#include "dPaso.h"
#include "uConversion.h"
#include "uListaOper.h"
#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>

#include <algorithm>

namespace {

// The kinds in the order of their commands and of the open dialog's filters
// 2 to 6.
struct TTipoEstructura {
  TClaseArbol Clase;
  TVentPpal::TComando Comando;
};
const TTipoEstructura kTipos[] = {
    {&CrearArbol<TArbolBST>, TVentPpal::cNuevo1},  {&CrearArbol<TArbolAVL>, TVentPpal::cNuevo2},
    {&CrearArbol<TArbolRN>, TVentPpal::cNuevo3},   {&CrearArbol<TSplayTree>, TVentPpal::cNuevo4},
    {&CrearArbol<TMonticulo>, TVentPpal::cNuevo5}};

// The extensions each kind's files are saved under: the same index as
// kTipos. Splay trees are saved as ".arb", AVL trees as ".arb" or ".avl".
const QStringList kExtensiones[] = {{QStringLiteral("arb")},
                                    {QStringLiteral("arb"), QStringLiteral("avl")},
                                    {QStringLiteral("arn")},
                                    {QStringLiteral("arb")},
                                    {QStringLiteral("mon")}};

// Whether every key is greater than every key before it in order (a walk
// with its own stack: a loaded chain may be a million levels deep).
bool EnOrdenDeBusqueda(const TArbolBin& a) {
  std::vector<const TNodoBin*> pila;
  const TNodoBin* anterior = nullptr;
  for (const TNodoBin* n = a.Raiz; n != nullptr || !pila.empty();) {
    for (; n != nullptr; n = n->Izq)
      pila.push_back(n);
    n = pila.back();
    pila.pop_back();
    if (anterior != nullptr && !(anterior->Valor < n->Valor))
      return false;
    anterior = n;
    n = n->Der;
  }
  return true;
}

// The file carries no mark of its kind: what suggests that a structure read
// under the kind of tipo is of another one (its extension, or contents out
// of the kind's order). Empty when nothing does.
QStringList Sospechas(const QString& ruta, std::size_t tipo, const TArbolBin& a) {
  QStringList r;
  const QString ext = QFileInfo(ruta).suffix().toLower();
  const bool conocida = std::any_of(std::begin(kExtensiones), std::end(kExtensiones),
                                    [&](const QStringList& e) { return e.contains(ext); });
  if (conocida && !kExtensiones[tipo].contains(ext))
    r << QStringLiteral("la extensión \".%1\" es la de otro tipo de estructura").arg(ext);
  // A heap's loader checks its shape itself, and a heap out of heap order is
  // what "Montículo desordenado" saves for a later "Crear montículo".
  if (dynamic_cast<const TMonticulo*>(&a) == nullptr && !EnOrdenDeBusqueda(a))
    r << QStringLiteral("las claves no están ordenadas");
  // Loading works the factors out from the shape: a tree that was not
  // balanced shows a factor beyond one.
  if (dynamic_cast<const TArbolAVL*>(&a) != nullptr) {
    const bool desequilibrado = RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) {
                                  const std::int32_t fe = static_cast<TNodoAVL*>(n)->FactorEquilibrio;
                                  return fe < -1 || fe > 1;
                                }) != nullptr;
    if (desequilibrado)
      r << QStringLiteral("hay nodos desequilibrados (factor de equilibrio fuera de -1 a 1)");
  }
  return r;
}

// Files larger than this are refused before they are read.
constexpr qint64 kMaxFichero = qint64{256} << 20;

QString Nombre(const QString& ruta) { return QFileInfo(ruta).fileName(); }

QString Describir(TOperacion op) {
  return (op.Tipo == TOperacion::Borrado ? QStringLiteral("el borrado de %1")
                                         : QStringLiteral("la inserción de %1"))
      .arg(op.Clave);
}

}  // namespace

// --- Reading and writing files ---------------------------------------------

std::optional<QByteArray> TVentPpal::LeerFichero(const QString& ruta) {
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
  }
  return datos;
}

bool TVentPpal::EscribirFichero(const QString& ruta, const char* datos, qint64 tam) {
  // The old file is replaced only once the new one is completely written.
  QSaveFile f(ruta);
  if (f.open(QIODevice::WriteOnly) && f.write(datos, tam) == tam && f.commit())
    return true;
  Mensaje(QStringLiteral("No se ha podido guardar el fichero \"%1\".").arg(Nombre(ruta)));
  return false;
}

// --- Changing the structure -------------------------------------------------

void TVentPpal::PonerArbol(std::unique_ptr<TArbolBin> nuevo) {
  Arbol = std::move(nuevo);
  Lienzo->OlvidarDistribucion();
  NombreArbol = QString::fromStdString(Arbol->NombreTipo());
  Paneles[5]->setText(QLatin1Char(' ') + QString::fromStdString(Arbol->NombreTipos()));
  const TClaseArbol clase = Arbol->Clase();
  for (std::size_t i = 0; i < std::size(kTipos); ++i)
    if (kTipos[i].Clase == clase)
      OpcArb[i]->setChecked(true);
}

void TVentPpal::Reconstruir() {
  try {
    Arbol->Reconstruir(Historia.Operaciones());
  } catch (const EArbol& e) {
    // The replay keeps what it built before the structure refused an entry;
    // the error handler shows the text and the structure as it stands.
    MostrarEstructuraNueva();
    MostrarError(QString::fromUtf8(e.what()));
    return;
  }
  MostrarEstructuraNueva();
  ActualizarEstado();
}

void TVentPpal::CambiarArbol(TClaseArbol clase) {
  if (!EstructuraLibre())
    return;
  Ejecutar([&] {
    PonerArbol(clase());
    AsignarEtapas();
    Reconstruir();
  });
}

void TVentPpal::ActNuevo1Execute() { CambiarArbol(kTipos[0].Clase); }
void TVentPpal::ActNuevo2Execute() { CambiarArbol(kTipos[1].Clase); }
void TVentPpal::ActNuevo3Execute() { CambiarArbol(kTipos[2].Clase); }
void TVentPpal::ActNuevo4Execute() { CambiarArbol(kTipos[3].Clase); }
void TVentPpal::ActNuevo5Execute() { CambiarArbol(kTipos[4].Clase); }

void TVentPpal::ActLimpiarExecute() {
  if (!EstructuraLibre())
    return;
  Ejecutar([&] {
    GuardarDeshacer();
    Arbol->Vaciar();
    Historia.Vaciar();
    Refrescar();
    ActualizarEstado();
  });
}

void TVentPpal::ActDeshacerExecute() {
  if (!EstructuraLibre())
    return;
  Ejecutar([&] {
    // One level; a snapshot written by another kind is never read.
    if (!Historia.Deshacer(*Arbol))
      return;
    IniciarAnimacion();
    ActualizarEstado();
  });
}

// --- Files ------------------------------------------------------------------

void TVentPpal::ActAbrirExecute() {
  if (!EstructuraLibre() || !Plataforma_.Ficheros)
    return;
  const auto elegido = Plataforma_.Ficheros->ElegirAbrir(this, OpenDialog1);
  if (!elegido || !EstructuraLibre())
    return;
  Ejecutar([&] {
    if (elegido->IndiceFiltro <= 1)
      AbrirOperaciones(elegido->Ruta);
    else if (elegido->IndiceFiltro <= 1 + static_cast<int>(std::size(kTipos)))
      AbrirEstructura(elegido->Ruta, kTipos[elegido->IndiceFiltro - 2].Clase);
  });
}

void TVentPpal::AbrirEstructura(const QString& ruta, TClaseArbol clase) {
  const auto datos = LeerFichero(ruta);
  if (!datos)
    return;
  // Read into a new structure: the current work stays until the file loaded.
  auto nuevo = clase();
  try {
    nuevo->Cargar(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(datos->constData()),
        static_cast<std::size_t>(datos->size())));
  } catch (const EArbol& e) {
    Mensaje(QStringLiteral("No se ha podido abrir el fichero \"%1\": %2")
                .arg(Nombre(ruta), QString::fromStdString(e.what())));
    return;
  }
  // Read under the kind the user chose, as always; what looks like another
  // kind is shown, and the teacher keeps it or leaves the work as it was.
  const auto tipo = std::find_if(std::begin(kTipos), std::end(kTipos),
                                 [&](const TTipoEstructura& t) { return t.Clase == clase; });
  if (tipo != std::end(kTipos) && Plataforma_.Mensajes) {
    const QStringList sospechas =
        Sospechas(ruta, static_cast<std::size_t>(tipo - std::begin(kTipos)), *nuevo);
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
  Historia.Vaciar();
  PonerArbol(std::move(nuevo));
  MostrarEstructuraNueva();
  ActualizarEstado();
}

void TVentPpal::AbrirOperaciones(const QString& ruta) {
  const auto datos = LeerFichero(ruta);
  if (!datos)
    return;
  const std::vector<std::int32_t> entradas = LeerListaOper(std::span<const std::uint8_t>(
      reinterpret_cast<const std::uint8_t*>(datos->constData()),
      static_cast<std::size_t>(datos->size())));
  std::vector<TOperacion> ops;
  ops.reserve(entradas.size());
  for (std::int32_t e : entradas)
    ops.push_back(OperacionDe(e));
  Historia.Reemplazar(std::move(ops));
  Reconstruir();
}

void TVentPpal::ActGuardarExecute() {
  if (!EstructuraLibre() || !Plataforma_.Ficheros)
    return;
  TDialogoFichero d = SaveDialog1;
  if (dynamic_cast<const TMonticulo*>(Arbol.get())) {
    d.Filtro = QStringLiteral("Montículos (*.mon)|*.mon");
    d.ExtDefecto = QStringLiteral("MON");
  } else if (dynamic_cast<const TArbolRN*>(Arbol.get())) {
    d.Filtro = QStringLiteral("Arboles Rojo-Negro (*.arn)|*.arn");
    d.ExtDefecto = QStringLiteral("ARN");
  } else if (dynamic_cast<const TArbolAVL*>(Arbol.get())) {
    d.Filtro = QStringLiteral("Arboles binarios (*.arb)|*.arb|Arboles AVL (*.avl)|*.avl");
    d.ExtDefecto = QStringLiteral("AVL");
  } else {
    d.Filtro = QStringLiteral("Arboles binarios (*.arb)|*.arb");
    d.ExtDefecto = QStringLiteral("ARB");
  }
  SaveDialog1 = d;
  const auto elegido = Plataforma_.Ficheros->ElegirGuardar(this, d);
  if (!elegido || !Arbol)
    return;
  const std::vector<std::uint8_t> datos = Arbol->Guardar();
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
  const auto elegido = Plataforma_.Ficheros->ElegirGuardar(this, SaveDialog2);
  if (!elegido)
    return;
  const std::vector<std::uint8_t> datos = EscribirListaOper(Historia.Entradas());
  EscribirFichero(elegido->Ruta, reinterpret_cast<const char*>(datos.data()),
                  static_cast<qint64>(datos.size()));
}

bool TVentPpal::PreguntarGuardarOperaciones() {
  const auto ops = Historia.Operaciones();
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
  const auto n = ConvertirEntero(edtValor->text());
  if (!n) {
    Mensaje(QStringLiteral("'%1' no es un valor entero válido.").arg(edtValor->text()));
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
    const std::function<std::unique_ptr<TArbolBin>(std::int32_t)>& construir) {
  if (!EstructuraLibre())
    return;
  const auto n = ValorConstructor(maximo, mensajeRango);
  if (!n)
    return;
  // The list is kept (a later change of kind replays it); no snapshot.
  Ejecutar([&] {
    PonerArbol(construir(*n));
    MostrarEstructuraNueva();
    ActualizarEstado();
  });
}

void TVentPpal::ToolButton17Click() {
  ConstruirDemostracion(kMaxOrdenFibonacci,
                        QStringLiteral("El orden del arbol de Fibonacci debe estar entre 0 y %1.")
                            .arg(kMaxOrdenFibonacci),
                        [](std::int32_t n) {
                          auto avl = std::make_unique<TArbolAVL>();
                          avl->CrearFibonacci(n);
                          return std::unique_ptr<TArbolBin>(std::move(avl));
                        });
}

void TVentPpal::ToolButton20Click() {
  ConstruirDemostracion(kMaxValoresMonticulo,
                        QStringLiteral("El numero de valores del montículo debe estar entre 0 y %1.")
                            .arg(kMaxValoresMonticulo),
                        [](std::int32_t n) {
                          auto monticulo = std::make_unique<TMonticulo>();
                          monticulo->CrearDesordenado(n);
                          return std::unique_ptr<TArbolBin>(std::move(monticulo));
                        });
}

void TVentPpal::ToolButton21Click() {
  auto* monticulo = dynamic_cast<TMonticulo*>(Arbol.get());
  if (!monticulo || !EstructuraLibre())
    return;
  Ejecutar([&] {
    // Built like an operation: snapshot, stages as the buttons ask, no entry
    // in the operation list and no check afterwards.
    TOperacionEnCurso operacion(*this);
    GuardarDeshacer();
    AsignarEtapas();
    if (DlgPaso_) {
      DlgPaso_->etqTitulo->setText(QStringLiteral("Creación de Montículo"));
      DlgPaso_->btnSeguir->setText(QStringLiteral("&Seguir >>"));
    }
    Arbol->Deseleccionar();
    monticulo->CrearMonticulo();
    MostrarCambioYTerminar();
  });
}
