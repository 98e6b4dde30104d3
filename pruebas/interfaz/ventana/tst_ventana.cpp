// The main window as a user first meets it: start-up state, tool bar, command
// table, shortcuts (also while typing), menus, settings at show and close, and
// the animation settings command with its messages.
#include "dAnimacion.h"
#include "dPresentacion.h"
#include "entorno.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

namespace {

// A tool bar entry as "name|hint", "|" for a separator. The name is that of
// the control it shows, or of its action for a plain button.
QString Entrada(QToolBar* barra, QAction* a) {
  if (a->isSeparator())
    return QStringLiteral("|");
  QWidget* w = barra->widgetForAction(a);
  auto* b = qobject_cast<QToolButton*>(w);
  const QString nombre = w && (!b || b->menu()) ? w->objectName() : a->objectName();
  return nombre + QLatin1Char('|') + (w && !w->toolTip().isEmpty() ? w->toolTip() : a->toolTip());
}

}  // namespace

class PruebasVentana : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }

  void ArranqueDejaElEstadoInicial() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    QStringList paneles;
    for (QLabel* p : v.Paneles())
      paneles << p->text();
    QCOMPARE(paneles, (QStringList{"n = 0", "lg(n) = 0", "h = 0", "c. int. = 0", "", "Modo 32 bits"}));
    QCOMPARE(v.lisOperacion()->currentText(), QStringLiteral("Insertar"));
    QCOMPARE(v.lisOperacion()->count(), 3);
    QCOMPARE(v.edtValor()->text(), QStringLiteral("1"));
    QCOMPARE(v.NombreArbol(), QStringLiteral("Arbol BST"));
    QCOMPARE(v.Estructura().NumNodos, 0);
    QVERIFY(!v.Bloqueado() && !v.Modo8Bits() && !v.OpcionesLeidas());
    QVERIFY(!v.HayImagenes());  // no pictures in the test's folder
    QCOMPARE(e.Mensajes(), QStringList{});

    TEntorno e8(Fichero(), TEntorno::Oculto, 256);
    QVERIFY(e8.V().Modo8Bits());
    QCOMPARE(e8.V().Paneles()[5]->text(), QStringLiteral(" Modo 8 bits"));
  }

  void BarraDeHerramientasEnSuOrden() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    QToolBar* barra = e.V().ToolBar1();
    QStringList vistos;
    for (QAction* a : barra->actions()) {
      vistos << Entrada(barra, a);
      if (auto* b = qobject_cast<QToolButton*>(barra->widgetForAction(a)))
        QVERIFY2(!b->icon().isNull(), qPrintable(vistos.last()));  // every button has its picture
    }
    QCOMPARE(vistos, (QStringList{
        "ToolButton3|Nuevo arbol", "ActAbrir|Abrir fichero de arbol",
        "ActGuardar|Guardar arbol en fichero", "ActGuardarOper|Guardar lista operaciones", "|",
        "btnAnimar|Animar movimiento nodos",
        "btnPaso2|Mostrar etapas con pausas (sin descripción)",
        "btnPaso|Mostrar etapas con descripción", "|", "ActConfAnim|Opciones de animación",
        "ActConfiguracion|Opciones de presentación", "ToolButton9|Pulsación de ratón",
        "ActRango|Establece el rango de los valores generados al azar", "|",
        "ActLimpiar|Borrar el árbol", "ActBuscar|Buscar un elemento al azar",
        "ActInsertar|Insertar un elemento al azar", "ActBorrar|Borrar un elemento al azar",
        "ActDeshacer|Deshacer la última operación", "|", "lisOperacion|Tipo de operación",
        "Label1|", "edtValor|Pulse intro para buscar/insertar/borrar el valor",
        "ActOperacion|Realizar operación", "|", "ToolButton17|AVL Fibonacci",
        "ToolButton20|Montículo desordenado", "ToolButton21|Crear montículo"}));
  }

  // Names and captions in the command table's order. Hints and icons are
  // checked on the tool bar, the keys by the shortcut test below; Ctrl+A
  // belongs to "Arbol AVL", so "Abrir fichero" only shows it.
  // A hint of the tool bar shows in the last panel while the mouse is over
  // its button; the statistics stay in sight, and the panel gets its text
  // back when the hint goes, unless something wrote it meanwhile.
  void PistasEnElUltimoPanelSinTaparLasEstadisticas() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    v.RealizarInsercion(7);
    QWidget* boton = v.ToolBar1()->widgetForAction(v.Accion(TVentPpal::cAbrir));
    QVERIFY(boton);
    const auto pista = [&](const QString& texto) {
      QStatusTipEvent evento(texto);
      QApplication::sendEvent(boton, &evento);  // climbs to the window, as a hover's does
    };
    const QString tipo = v.Paneles()[5]->text();
    pista(QStringLiteral("Abrir fichero de arbol"));
    QCOMPARE(v.Paneles()[5]->text(), QStringLiteral("Abrir fichero de arbol"));
    QVERIFY(v.Paneles()[0]->isVisible() && v.statusBar()->currentMessage().isEmpty());
    QCOMPARE(v.Paneles()[0]->text(), QStringLiteral("n = 1"));
    pista(QString());
    QCOMPARE(v.Paneles()[5]->text(), tipo);
    pista(QStringLiteral("Deshacer"));
    v.Paneles()[5]->setText(QStringLiteral(" Montículos"));
    pista(QString());
    QCOMPARE(v.Paneles()[5]->text(), QStringLiteral(" Montículos"));
  }

  void TablaDeComandos() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    QStringList vistos;
    for (int c = 0; c < TVentPpal::NumComandos; ++c) {
      QAction* a = e.V().Accion(TVentPpal::TComando(c));
      QVERIFY(a->isEnabled());
      vistos << a->objectName() + QLatin1Char('|') + a->text();
    }
    QCOMPARE(vistos, (QStringList{
        "ActOperacion|Operacion", "ActBorrar|Borrar elemento", "ActNuevo1|Arbol binario de búsqueda",
        "ActInsertar|Insertar elemento", "ActBuscar|Buscar elemento", "ActNuevo2|Arbol AVL",
        "ActNuevo3|Arbol Rojo-Negro", "ActNuevo4|Arbol Splay",
        "ActConfiguracion|Opciones de presentación", "ActRango|Establecer rango",
        "ActAbrir|Abrir fichero", "ActGuardar|Guardar fichero", "ActDeshacer|Deshacer",
        "ActConfAnim|Configurar animación", "ActNuevo5|Montículo", "ActAnim1|Sin animación",
        "ActAnim2|Animado, sin texto", "ActAnim3|Animación completa", "ActDesbloqueo|Desbloquear",
        "ActInsSig|Insertar siguiente", "ActComprimir|Comprimir/Expandir árbol",
        "ActLimpiar|ActLimpiar", "ActGuardarOper|ActGuardarOper"}));
    QCOMPARE(e.V().Accion(TVentPpal::cAbrir)->property("AtajoMostrado").value<QKeySequence>(),
             QKeySequence(QStringLiteral("Ctrl+A")));
  }

  // Each key runs its command and no other, also from the controls that
  // claim some keys for themselves (Ctrl+A, Ctrl+Z, Shift+Ins, Shift+Del).
  void AtajosLleganAlComandoDesdeCualquierFoco_data() {
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<QString>("foco");
    QTest::addColumn<QString>("comando");
    const auto C = Qt::ControlModifier, S = Qt::ShiftModifier, N = Qt::NoModifier;
    const struct { int Tecla; Qt::KeyboardModifiers Mod; const char* Comando; } kAtajos[] = {
        {Qt::Key_A, C, "ActNuevo2"}, {Qt::Key_B, C, "ActNuevo1"}, {Qt::Key_R, C, "ActNuevo3"},
        {Qt::Key_S, C, "ActNuevo4"}, {Qt::Key_M, C, "ActNuevo5"}, {Qt::Key_G, C, "ActGuardar"},
        {Qt::Key_P, C, "ActConfiguracion"}, {Qt::Key_Z, C, "ActDeshacer"},
        {Qt::Key_Delete, S, "ActBorrar"}, {Qt::Key_Insert, N, "ActInsertar"},
        {Qt::Key_Insert, S, "ActInsSig"}, {Qt::Key_F10, N, "ActBuscar"},
        {Qt::Key_F2, N, "ActAnim1"}, {Qt::Key_F3, N, "ActAnim2"}, {Qt::Key_F4, N, "ActAnim3"},
        {Qt::Key_F5, N, "ActComprimir"}, {Qt::Key_F8, N, "ActDesbloqueo"},
    };
    for (const char* foco : {"edtValor", "lisOperacion"})
      for (const auto& k : kAtajos)
        QTest::addRow("%s en %s", k.Comando, foco)
            << k.Tecla << int(k.Mod) << QString::fromLatin1(foco) << QString::fromLatin1(k.Comando);
  }
  void AtajosLleganAlComandoDesdeCualquierFoco() {
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
    QFETCH(QString, foco);
    QFETCH(QString, comando);
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    v.show();
    QApplication::setActiveWindow(&v);
    QVERIFY(QTest::qWaitForWindowActive(&v));
    e.Bloquear();  // keeps the handlers from opening anything
    QWidget* destino = foco == QStringLiteral("edtValor") ? static_cast<QWidget*>(v.edtValor())
                                                          : v.lisOperacion();
    destino->setFocus();
    QStringList disparados;
    for (int c = 0; c < TVentPpal::NumComandos; ++c) {
      QAction* a = v.Accion(TVentPpal::TComando(c));
      connect(a, &QAction::triggered, &v, [&disparados, a] { disparados << a->objectName(); });
    }
    QTest::keyClick(destino, Qt::Key(tecla), Qt::KeyboardModifiers(modificadores));
    QCOMPARE(disparados, QStringList{comando});
    QCOMPARE(v.edtValor()->text(), QStringLiteral("1"));  // the edit did not take the key
  }

  void MenusDeLaBarra() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    QCOMPARE(v.ToolButton3()->menu(), v.PopupMenu1());
    QCOMPARE(v.ToolButton9()->menu(), v.PopupMenu2());
    QStringList textos;
    for (QAction* a : v.PopupMenu1()->actions())
      textos << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(textos, (QStringList{"Arbol binario de búsqueda\tCtrl+B", "Arbol AVL\tCtrl+A",
                                  "Arbol Rojo-Negro\tCtrl+R", "Splay trees\tCtrl+S", "-",
                                  "Montículo\tCtrl+M"}));
    for (std::size_t i = 0; i < 5; ++i)
      QCOMPARE(v.OpcArb()[i]->isChecked(), i == 0);
    QSignalSpy avl(v.Accion(TVentPpal::cNuevo2), &QAction::triggered);
    v.OpcArb()[1]->trigger();
    QCOMPARE(avl.count(), 1);

    // The mouse menu; what each mode does with a click is tried with the
    // operations on the canvas.
    QStringList raton;
    for (QAction* a : {v.OpcRatSel(), v.OpcRatBus(), v.OpcRatDel()})
      raton << a->text();
    QCOMPARE(raton, (QStringList{"Seleccionar nodo", "Buscar el nodo", "Borrar el nodo"}));
    QVERIFY(v.OpcRatSel()->isChecked());
    QVERIFY(v.OpcRatSel()->isChecked());
  }

  // The two stage buttons are exclusive, yet both may be up.
  void BotonesDeEtapasAgrupadosYAmbosPuedenQuedarArriba() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    v.btnPaso()->trigger();
    QVERIFY(v.btnPaso()->isChecked() && !v.btnPaso2()->isChecked());
    v.btnPaso2()->trigger();
    QVERIFY(v.btnPaso2()->isChecked() && !v.btnPaso()->isChecked());
    v.btnPaso2()->trigger();
    QVERIFY(!v.btnPaso2()->isChecked() && !v.btnPaso()->isChecked());
  }

  // Nothing is read before the first showing; then the stored values (an
  // absurd one brought into range) reach the window and both dialogs, and at
  // close what the user changed live is what gets stored.
  void OpcionesSeLeenAlMostrarseYSeGuardanAlCerrar() {
    {
      QSettings s(Fichero(), QSettings::IniFormat);
      s.setValue("NodRad", 30);
      s.setValue("TipoDist", 2);
      s.setValue("PausaNumEtap", 0);
      s.setValue("PausaAnim", 1500);
      s.setValue("PasoVelocidad", 3);
    }
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TDlgPres* pres = e.Programa.DlgPres();
    TDlgAnimacion* anim = e.Programa.DlgAnimacion();
    QCOMPARE(v.Lienzo().Ajustes().Radio, 15);
    v.show();
    QVERIFY(v.OpcionesLeidas());
    QCOMPARE(v.Estructura().Radio, 30);  // laid out with them as soon as shown
    QCOMPARE((QList<int>{v.Lienzo().Ajustes().Radio, v.OpcionesActuales().PausaNumEtap, pres->NodoRad(), pres->TipoDist()}),
             (QList<int>{30, 2, 30, 2}));
    QCOMPARE(anim->Leer({}).Ajustes, (TAjustesAnimacion{1500, 300, 2}));
    QCOMPARE(e.Programa.DlgPaso()->Velocidad(), 3);
    e.Programa.DlgPaso()->PonerVelocidad(7);

    v.Accion(TVentPpal::cConfiguracion)->trigger();
    QVERIFY(pres->isVisible());
    Control<QSpinBox>(pres, "udNodoRad")->stepUp();
    QCOMPARE(v.Lienzo().Ajustes().Radio, 31);
    QVERIFY(v.close());
    QVERIFY(!pres->isVisible());
    QSettings s(Fichero(), QSettings::IniFormat);
    QCOMPARE((QList<int>{s.value("NodRad").toInt(), s.value("TipoDist").toInt(),
                         s.value("PausaNumEtap").toInt(), s.value("PausaAnim").toInt(),
                         s.value("PasoVelocidad").toInt()}),
             (QList<int>{31, 2, 2, 1500, 7}));
    QCOMPARE(e.Mensajes(), QStringList{});
  }

  void CierreQueNoPuedeGuardarAvisaYCierra() {
    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("bloqueado.conf")));
    TEntorno e(Dir.filePath(QStringLiteral("bloqueado.conf")), TEntorno::Oculto);
    e.V().show();
    QVERIFY(e.V().close());
    QVERIFY(!e.V().isVisible());
    QCOMPARE(e.Mensajes(),
             QStringList{QStringLiteral("No se han podido guardar las opciones de presentación.")});
  }

  void DialogosDeFicheros() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    const TVentPpal& v = e.V();
    QCOMPARE(v.OpenDialog1().Titulo, QStringLiteral("Abrir arbol"));
    QCOMPARE(v.OpenDialog1().ExtDefecto, QStringLiteral("ARB"));
    QCOMPARE(v.SaveDialog1().Titulo, QStringLiteral("Guardar arbol"));
    QCOMPARE(v.SaveDialog1().Filtro, QStringLiteral("Arbol (*.arb)|*.arb"));
    QCOMPARE(v.SaveDialog2().Titulo, QStringLiteral("Guardar lista operaciones"));
    QCOMPARE(v.SaveDialog2().ExtDefecto, QStringLiteral("SEC"));
    // Six entries, in order, so the entry chosen maps back to its number.
    QCOMPARE(FiltrosQt(v.OpenDialog1().Filtro),
             (QStringList{"Lista operaciones (*.sec)", "Arbol BST (*.arb)",
                          "Arbol AVL (*.arb *.avl)", "Arbol Rojo-Negro (*.arn)",
                          "Splay Tree (*.arb)", "Montículo (*.mon)"}));
    QCOMPARE(FiltrosQt(v.SaveDialog2().Filtro), QStringList{"Lista operaciones (*.sec)"});
    QCOMPARE(FiltrosQt(QStringLiteral("Sin patron|*.x;*.y|incompleto")),
             QStringList{"Sin patron (*.x *.y)"});
  }

  // The animation settings command on one window, as a user would run it
  // again and again: values are taken up to their ends; the first refused
  // value ends the command with its message, after what came before it was
  // taken; a cancel takes nothing and leaves the texts for the next opening;
  // while the workspace is locked no options dialog opens.
  void ConfigurarAnimacion() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    v.show();
    TDlgAnimacion* d = e.Programa.DlgAnimacion();
    bool abierto = false;
    // "PausaAnim PausaPres PausaNumEtap|messages" after the command.
    const auto configurar = [&](const QString& anim, const QString& pres, int pasos, bool acepta) {
      e.Mensajes().clear();
      abierto = false;
      QTimer::singleShot(0, d, [=, &abierto] {
        abierto = d->isVisible();
        Control<QLineEdit>(d, "edtPausaAnim")->setText(anim);
        Control<QLineEdit>(d, "edtPausaPres")->setText(pres);
        Control<QSpinBox>(d, "udNumEtapas")->setValue(pasos);
        acepta ? d->accept() : d->reject();
      });
      v.Accion(TVentPpal::cConfAnim)->trigger();
      return QStringLiteral("%1 %2 %3|").arg(v.OpcionesActuales().PausaAnim).arg(v.OpcionesActuales().PausaPres).arg(v.OpcionesActuales().PausaNumEtap) +
             e.Mensajes().join(QLatin1Char('/'));
    };
    const QString malAnim = QStringLiteral("Intervalo temporal de animación erroneo!");
    QCOMPARE(configurar("0", "5000", 50, true), QStringLiteral("0 5000 50|"));
    QCOMPARE(configurar("10000", "0", 2, true), QStringLiteral("10000 0 2|"));
    QCOMPARE(configurar("mil", "200", 20, true), "10000 0 2|" + malAnim);
    QCOMPARE(configurar("10001", "200", 20, true), "10000 0 2|" + malAnim);
    QCOMPARE(configurar("700", "5001", 20, true),
             QStringLiteral("700 0 2|Intervalo temporal de pausa de presentación erroneo!"));
    QCOMPARE(configurar("5", "1", 3, false), QStringLiteral("700 0 2|"));
    QVERIFY(abierto);
    QCOMPARE(Texto(d, "edtPausaAnim"), QStringLiteral("5"));

    e.Bloquear();
    QTimer::singleShot(0, d, [&] {
      abierto = d->isVisible();
      d->reject();
    });
    v.Accion(TVentPpal::cConfAnim)->trigger();
    v.Accion(TVentPpal::cConfiguracion)->trigger();
    QTest::qWait(10);
    QVERIFY(!abierto);
    QVERIFY(!e.Programa.DlgPres()->isVisible());
  }
};

QTEST_MAIN(PruebasVentana)
#include "tst_ventana.moc"
