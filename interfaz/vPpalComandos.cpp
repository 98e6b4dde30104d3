// The command table of the main window: captions, hints, shortcuts, images,
// and the handlers behind them.
#include "vPpal.h"

#include "uIconos.h"
#include "uPanelHistoria.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QTransform>

namespace {

struct TFilaComando {
  TVentPpal::TComando Comando;
  const char* Nombre;
  const char* Caption;
  const char* Hint;  // empty: none
  const char* Atajo;  // empty: none
  int Imagen;         // -1: none
  void (TVentPpal::*Handler)();
};

// In table order: a key combination runs the first command that has it.
const TFilaComando kComandos[] = {
    {TVentPpal::cOperacion, "ActOperacion", "Operacion", "Realizar operación", "", 14, &TVentPpal::ActOperacionExecute},
    {TVentPpal::cBorrar, "ActBorrar", "Borrar elemento", "Borrar un elemento al azar", "Shift+Del", 9, &TVentPpal::ActBorrarExecute},
    {TVentPpal::cNuevo1, "ActNuevo1", "Arbol binario de búsqueda", "", "Ctrl+B", -1, &TVentPpal::ActNuevo1Execute},
    {TVentPpal::cInsertar, "ActInsertar", "Insertar elemento", "Insertar un elemento al azar", "Ins", 11, &TVentPpal::ActInsertarExecute},
    {TVentPpal::cBuscar, "ActBuscar", "Buscar elemento", "Buscar un elemento al azar", "F10", 7, &TVentPpal::ActBuscarExecute},
    {TVentPpal::cNuevo2, "ActNuevo2", "Arbol AVL", "", "Ctrl+A", -1, &TVentPpal::ActNuevo2Execute},
    {TVentPpal::cNuevo3, "ActNuevo3", "Arbol Rojo-Negro", "", "Ctrl+R", -1, &TVentPpal::ActNuevo3Execute},
    {TVentPpal::cNuevo4, "ActNuevo4", "Arbol Splay", "", "Ctrl+S", -1, &TVentPpal::ActNuevo4Execute},
    {TVentPpal::cConfiguracion, "ActConfiguracion", "Opciones de presentación", "Opciones de presentación", "Ctrl+P", 4, &TVentPpal::ActConfiguracionExecute},
    {TVentPpal::cRango, "ActRango", "Establecer rango", "Establece el rango de los valores generados al azar", "", 17, &TVentPpal::ActRangoExecute},
    {TVentPpal::cAbrir, "ActAbrir", "Abrir fichero", "Abrir fichero de arbol", "Ctrl+A", 3, &TVentPpal::ActAbrirExecute},
    {TVentPpal::cGuardar, "ActGuardar", "Guardar fichero", "Guardar arbol en fichero", "Ctrl+G", 5, &TVentPpal::ActGuardarExecute},
    {TVentPpal::cDeshacer, "ActDeshacer", "Deshacer", "Deshacer la última operación", "Ctrl+Z", 18, &TVentPpal::ActDeshacerExecute},
    {TVentPpal::cConfAnim, "ActConfAnim", "Configurar animación", "Opciones de animación", "", 21, &TVentPpal::ActConfAnimExecute},
    {TVentPpal::cNuevo5, "ActNuevo5", "Montículo", "", "Ctrl+M", -1, &TVentPpal::ActNuevo5Execute},
    {TVentPpal::cAnim1, "ActAnim1", "Sin animación", "", "F2", -1, &TVentPpal::ActAnim1Execute},
    {TVentPpal::cAnim2, "ActAnim2", "Animado, sin texto", "", "F3", -1, &TVentPpal::ActAnim2Execute},
    {TVentPpal::cAnim3, "ActAnim3", "Animación completa", "", "F4", -1, &TVentPpal::ActAnim3Execute},
    {TVentPpal::cDesbloqueo, "ActDesbloqueo", "Desbloquear", "", "F8", -1, &TVentPpal::ActDesbloqueoExecute},
    {TVentPpal::cInsSig, "ActInsSig", "Insertar siguiente", "", "Shift+Ins", -1, &TVentPpal::ActInsSigExecute},
    {TVentPpal::cComprimir, "ActComprimir", "Comprimir/Expandir árbol", "", "F5", -1, &TVentPpal::ActComprimirExecute},
    {TVentPpal::cLimpiar, "ActLimpiar", "ActLimpiar", "Borrar el árbol", "", 1, &TVentPpal::ActLimpiarExecute},
    {TVentPpal::cGuardarOper, "ActGuardarOper", "ActGuardarOper", "Guardar lista operaciones", "", 22, &TVentPpal::ActGuardarOperExecute},
    {TVentPpal::cAcercar, "ActAcercar", "Acercar", "Ampliar el dibujo", "Ctrl++", -1, &TVentPpal::ActAcercarExecute},
    {TVentPpal::cAlejar, "ActAlejar", "Alejar", "Reducir el dibujo", "Ctrl+-", -1, &TVentPpal::ActAlejarExecute},
    {TVentPpal::cAjustarZoom, "ActAjustarZoom", "Ajustar a la ventana", "Ver la estructura entera", "Ctrl+0", -1, &TVentPpal::ActAjustarZoomExecute},
    {TVentPpal::cTamanoReal, "ActTamanoReal", "Tamaño real", "Dibujar al 100 %", "Ctrl+1", -1, &TVentPpal::ActTamanoRealExecute},
    {TVentPpal::cRehacer, "ActRehacer", "Rehacer", "Rehacer la operación deshecha", "Ctrl+Y", -1, &TVentPpal::ActRehacerExecute},
    {TVentPpal::cHistorial, "ActHistorial", "Historial", "Mostrar u ocultar el historial", "F9", -1, &TVentPpal::ActHistorialExecute},
    {TVentPpal::cExportarEtapas, "ActExportarEtapas", "Exportar etapas...", "Exportar las etapas de la última operación como PDF o imágenes", "", 26, &TVentPpal::ActExportarEtapasExecute},
    {TVentPpal::cAcercaDe, "ActAcercaDe", "Acerca de...", "Nombre y versión del programa", "", -1, &TVentPpal::ActAcercaDeExecute},
};
static_assert(std::size(kComandos) == TVentPpal::NumComandos);

QKeySequence TeclaDe(const QKeyEvent* e) {
  return QKeySequence(QKeyCombination(e->modifiers() & ~Qt::KeypadModifier, Qt::Key(e->key())));
}

}  // namespace

void TVentPpal::CrearComandos() {
  for (const TFilaComando& f : kComandos) {
    auto* a = new QAction(QString::fromUtf8(f.Caption), this);
    a->setObjectName(QString::fromLatin1(f.Nombre));
    a->setToolTip(*f.Hint ? QString::fromUtf8(f.Hint) : QString());
    a->setStatusTip(a->toolTip());
    if (f.Imagen >= 0)
      a->setIcon(IconoHerramienta(f.Imagen));
    const QKeySequence atajo(QString::fromLatin1(f.Atajo));
    // Two commands with one key would make the toolkit run neither: the
    // later command keeps its key only as a label, and the first one runs.
    a->setProperty("AtajoMostrado", atajo);
    if (!atajo.isEmpty() && !EsAtajo(atajo)) {
      // "+" also where it shares its key with "=".
      if (f.Comando == cAcercar)
        a->setShortcuts({atajo, QKeySequence(QStringLiteral("Ctrl+="))});
      else if (f.Comando == cRehacer)
        a->setShortcuts({atajo, QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
      else
        a->setShortcut(atajo);
      a->setShortcutContext(Qt::WindowShortcut);
    }
    connect(a, &QAction::triggered, this, f.Handler);
    addAction(a);  // reachable by its key without a button or menu item
    Acciones_[f.Comando] = a;
  }
  // Redo: the undo arrow turned the other way.
  const QPixmap deshacer = IconoHerramienta(Acciones_[cDeshacer] ? 18 : -1).pixmap(16, 16);
  if (!deshacer.isNull())
    Acciones_[cRehacer]->setIcon(QIcon(deshacer.transformed(QTransform().scale(-1, 1))));
  Acciones_[cHistorial]->setCheckable(true);
}

void TVentPpal::HistoriaCambiada() {
  Acciones_[cExportarEtapas]->setEnabled(Conductor_ && Conductor_->Ultima().Grabacion);
  Acciones_[cDeshacer]->setEnabled(Historia_.PuedeDeshacer());
  Acciones_[cRehacer]->setEnabled(Historia_.PuedeRehacer());
  if (PanelHistoria_) {
    PanelHistoria_->Actualizar();
    Acciones_[cHistorial]->setChecked(!PanelHistoria_->isHidden());
  }
}

void TVentPpal::ActAcercaDeExecute() {
  // Only a text: it changes nothing, so it is shown also while locked.
  Mensaje(QStringLiteral("Quelvar — TALMERA Programa de Docencia\n"
                         "Versión " QUELVAR_VERSION "\n\n"
                         "Árboles binarios de búsqueda, AVL, rojo-negro y splay, y montículos: "
                         "cada etapa de sus algoritmos explicada y animada, para el aula."));
}

void TVentPpal::ActHistorialExecute() {
  if (PanelHistoria_)
    PanelHistoria_->setVisible(PanelHistoria_->isHidden());
  HistoriaCambiada();
}

bool TVentPpal::EsAtajo(const QKeySequence& tecla) const {
  for (const QAction* a : Acciones_)
    if (a)
      for (const QKeySequence& atajo : a->shortcuts())
        if (atajo.matches(tecla) == QKeySequence::ExactMatch)
          return true;
  return false;
}

bool TVentPpal::eventFilter(QObject* objeto, QEvent* evento) {
  // An edit box claims keys such as Ctrl+A, Ctrl+Z or Shift+Ins for itself;
  // the window's commands come first.
  if (evento->type() == QEvent::ShortcutOverride &&
      EsAtajo(TeclaDe(static_cast<QKeyEvent*>(evento)))) {
    evento->ignore();
    return true;
  }
  if (objeto == edtValor_ && evento->type() == QEvent::KeyPress &&
      edtValorKeyPress(static_cast<QKeyEvent*>(evento)))
    return true;
  return QMainWindow::eventFilter(objeto, evento);
}

