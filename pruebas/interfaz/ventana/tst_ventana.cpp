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
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

namespace {

// The name under which a tool bar entry is known: "|" for a separator.
QString NombreEntrada(QToolBar* barra, QAction* a) {
  if (a->isSeparator())
    return QStringLiteral("|");
  if (QWidget* w = barra->widgetForAction(a); w && !qobject_cast<QToolButton*>(w))
    return w->objectName();
  if (auto* b = qobject_cast<QToolButton*>(barra->widgetForAction(a)); b && b->menu())
    return b->objectName();
  return a->objectName();
}

QString Pista(QToolBar* barra, QAction* a) {
  if (QWidget* w = barra->widgetForAction(a); w && !w->toolTip().isEmpty())
    return w->toolTip();
  return a->toolTip();
}

}  // namespace

class PruebasVentana : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }

  static void Activar(TVentPpal& v) {
    v.show();
    QApplication::setActiveWindow(&v);
    QVERIFY(QTest::qWaitForWindowActive(&v));
  }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }

  void ArranqueDejaElEstadoInicial() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    QStringList paneles;
    for (QLabel* p : v.Paneles)
      paneles << p->text();
    QCOMPARE(paneles, (QStringList{"n = 0", "lg(n) = 0", "h = 0", "c. int. = 0", "", "Modo 32 bits"}));
    QCOMPARE(v.lisOperacion->currentText(), QStringLiteral("Insertar"));
    QCOMPARE(v.lisOperacion->count(), 3);
    QCOMPARE(v.edtValor->text(), QStringLiteral("1"));
    QCOMPARE(v.NombreArbol, QStringLiteral("Arbol BST"));
    QVERIFY(v.Arbol && v.Arbol->NumNodos == 0);
    QVERIFY(!v.Bloqueado && !v.Modo8Bits && !v.OpcionesLeidas);
    QVERIFY(!v.HayImagenes);  // no pictures in the test's folder
    QCOMPARE(e.Mensajes(), QStringList{});

    TEntorno e8(Fichero(), TEntorno::Oculto, 256);
    QVERIFY(e8.V().Modo8Bits);
    QVERIFY(!e8.V().HayImagenes);
    QCOMPARE(e8.V().Paneles[5]->text(), QStringLiteral(" Modo 8 bits"));
  }

  void BarraDeHerramientasEnSuOrden() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    QToolBar* barra = e.V().ToolBar1;
    QStringList nombres, pistas;
    for (QAction* a : barra->actions()) {
      nombres << NombreEntrada(barra, a);
      pistas << (a->isSeparator() ? QString() : Pista(barra, a));
    }
    const QStringList esperados = {
        "ToolButton3", "ActAbrir", "ActGuardar", "ActGuardarOper", "|", "btnAnimar", "btnPaso2",
        "btnPaso", "|", "ActConfAnim", "ActConfiguracion", "ToolButton9", "ActRango", "|",
        "ActLimpiar", "ActBuscar", "ActInsertar", "ActBorrar", "ActDeshacer", "|", "lisOperacion",
        "Label1", "edtValor", "ActOperacion", "|", "ToolButton17", "ToolButton20", "ToolButton21"};
    QCOMPARE(nombres, esperados);
    const QStringList pistasEsperadas = {
        "Nuevo arbol", "Abrir fichero de arbol", "Guardar arbol en fichero",
        "Guardar lista operaciones", "", "Animar movimiento nodos",
        "Mostrar etapas con pausas (sin descripción)", "Mostrar etapas con descripción", "",
        "Opciones de animación", "Opciones de presentación", "Pulsación de ratón",
        "Establece el rango de los valores generados al azar", "", "Borrar el árbol",
        "Buscar un elemento al azar", "Insertar un elemento al azar", "Borrar un elemento al azar",
        "Deshacer la última operación", "", "Tipo de operación", "",
        "Pulse intro para buscar/insertar/borrar el valor", "Realizar operación", "",
        "AVL Fibonacci", "Montículo desordenado", "Crear montículo"};
    QCOMPARE(pistas, pistasEsperadas);
    for (QAction* a : barra->actions())  // every button has its picture
      if (auto* b = qobject_cast<QToolButton*>(barra->widgetForAction(a)))
        QVERIFY2(!b->icon().isNull(), qPrintable(NombreEntrada(barra, a)));
  }

  // Names and captions in the command table's order. Hints and icons are
  // checked on the tool bar, the keys by the shortcut test below.
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
  }

  void CtrlAMuestraSuAtajoEnAbrirPeroNoLoEjecuta() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    QCOMPARE(e.V().Accion(TVentPpal::cAbrir)->property("AtajoMostrado").value<QKeySequence>(),
             QKeySequence(QStringLiteral("Ctrl+A")));
  }

  void AtajosLleganAlComandoDesdeCualquierFoco_data() {
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<QString>("foco");
    QTest::addColumn<QString>("comando");
    const struct { int Tecla; Qt::KeyboardModifiers Mod; const char* Comando; } kAtajos[] = {
        {Qt::Key_A, Qt::ControlModifier, "ActNuevo2"},
        {Qt::Key_B, Qt::ControlModifier, "ActNuevo1"},
        {Qt::Key_R, Qt::ControlModifier, "ActNuevo3"},
        {Qt::Key_S, Qt::ControlModifier, "ActNuevo4"},
        {Qt::Key_M, Qt::ControlModifier, "ActNuevo5"},
        {Qt::Key_P, Qt::ControlModifier, "ActConfiguracion"},
        {Qt::Key_G, Qt::ControlModifier, "ActGuardar"},
        {Qt::Key_Z, Qt::ControlModifier, "ActDeshacer"},
        {Qt::Key_Delete, Qt::ShiftModifier, "ActBorrar"},
        {Qt::Key_Insert, Qt::NoModifier, "ActInsertar"},
        {Qt::Key_Insert, Qt::ShiftModifier, "ActInsSig"},
        {Qt::Key_F10, Qt::NoModifier, "ActBuscar"},
        {Qt::Key_F2, Qt::NoModifier, "ActAnim1"},
        {Qt::Key_F3, Qt::NoModifier, "ActAnim2"},
        {Qt::Key_F4, Qt::NoModifier, "ActAnim3"},
        {Qt::Key_F5, Qt::NoModifier, "ActComprimir"},
        {Qt::Key_F8, Qt::NoModifier, "ActDesbloqueo"},
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
    v.Bloqueado = true;  // keeps the handlers from opening anything
    Activar(v);
    QWidget* destino = foco == QStringLiteral("edtValor") ? static_cast<QWidget*>(v.edtValor)
                                                          : v.lisOperacion;
    destino->setFocus();
    std::vector<std::unique_ptr<QSignalSpy>> espias;
    for (int c = 0; c < TVentPpal::NumComandos; ++c)
      espias.push_back(std::make_unique<QSignalSpy>(v.Accion(TVentPpal::TComando(c)),
                                                    &QAction::triggered));
    QTest::keyClick(destino, Qt::Key(tecla), Qt::KeyboardModifiers(modificadores));
    for (int c = 0; c < TVentPpal::NumComandos; ++c) {
      const QString n = v.Accion(TVentPpal::TComando(c))->objectName();
      QVERIFY2(espias[c]->count() == (n == comando ? 1 : 0), qPrintable(n));
    }
    QCOMPARE(v.edtValor->text(), QStringLiteral("1"));  // the edit did not take the key
  }

  void MenuDeEstructuras() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    QStringList textos;
    for (QAction* a : v.PopupMenu1->actions())
      textos << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(textos, (QStringList{"Arbol binario de búsqueda\tCtrl+B", "Arbol AVL\tCtrl+A",
                                  "Arbol Rojo-Negro\tCtrl+R", "Splay trees\tCtrl+S", "-",
                                  "Montículo\tCtrl+M"}));
    QVERIFY(v.OpcArb[0]->isChecked());
    for (std::size_t i = 1; i < 5; ++i)
      QVERIFY(!v.OpcArb[i]->isChecked());
    QSignalSpy avl(v.Accion(TVentPpal::cNuevo2), &QAction::triggered);
    v.OpcArb[1]->trigger();
    QCOMPARE(avl.count(), 1);
    QCOMPARE(v.ToolButton3->menu(), v.PopupMenu1);
    QCOMPARE(v.ToolButton9->menu(), v.PopupMenu2);
  }

  void MenuDelRatonFijaElModo() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    QCOMPARE(v.OpcRatSel->text(), QStringLiteral("Seleccionar nodo"));
    QCOMPARE(v.OpcRatBus->text(), QStringLiteral("Buscar el nodo"));
    QCOMPARE(v.OpcRatDel->text(), QStringLiteral("Borrar el nodo"));
    QVERIFY(v.OpcRatSel->isChecked());
    QCOMPARE(v.ModoRaton, 0);
    v.OpcRatDel->trigger();
    QCOMPARE(v.ModoRaton, 2);
    QVERIFY(!v.OpcRatSel->isChecked());
    v.OpcRatBus->trigger();
    QCOMPARE(v.ModoRaton, 1);
    v.OpcRatSel->trigger();
    QCOMPARE(v.ModoRaton, 0);
  }

  void BotonesDeEtapasAgrupadosYAmbosPuedenQuedarArriba() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    QVERIFY(!v.btnPaso->isChecked() && !v.btnPaso2->isChecked() && !v.btnAnimar->isChecked());
    v.btnPaso->trigger();
    QVERIFY(v.btnPaso->isChecked());
    v.btnPaso2->trigger();
    QVERIFY(v.btnPaso2->isChecked() && !v.btnPaso->isChecked());
    v.btnPaso2->trigger();
    QVERIFY(!v.btnPaso2->isChecked() && !v.btnPaso->isChecked());
    v.btnAnimar->trigger();
    QVERIFY(v.btnAnimar->isChecked());
  }

  void OpcionesSeLeenAlMostrarseYSeGuardanAlCerrar() {
    {
      QSettings s(Fichero(), QSettings::IniFormat);
      s.setValue("NodRad", 30);
      s.setValue("TipoDist", 2);
      s.setValue("PausaNumEtap", 0);  // absurd: brought to 2
      s.setValue("PausaAnim", 1500);
    }
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    QCOMPARE(v.NodRad, 15);  // nothing is read before the first showing
    v.show();
    QVERIFY(v.OpcionesLeidas);
    QCOMPARE(v.NodRad, 30);
    QCOMPARE(v.PausaNumEtap, 2);
    QCOMPARE(e.Programa.DlgPres()->udNodoRad->value(), 30);
    QCOMPARE(e.Programa.DlgPres()->TipoDist(), 2);
    QCOMPARE(e.Programa.DlgAnimacion()->edtPausaAnim->text(), QStringLiteral("1500"));
    QCOMPARE(e.Programa.DlgAnimacion()->udNumEtapas->value(), 2);

    // A change in the presentation dialog is live and is what gets stored.
    v.Accion(TVentPpal::cConfiguracion)->trigger();
    QVERIFY(e.Programa.DlgPres()->isVisible());
    e.Programa.DlgPres()->udNodoRad->stepUp();
    QCOMPARE(v.NodRad, 31);
    QVERIFY(v.close());
    QVERIFY(!e.Programa.DlgPres()->isVisible());
    QSettings s(Fichero(), QSettings::IniFormat);
    QCOMPARE(s.allKeys().size(), 17);
    QCOMPARE(s.value("NodRad").toInt(), 31);
    QCOMPARE(s.value("TipoDist").toInt(), 2);
    QCOMPARE(s.value("PausaNumEtap").toInt(), 2);
    QCOMPARE(s.value("PausaAnim").toInt(), 1500);
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
    QCOMPARE(v.OpenDialog1.Titulo, QStringLiteral("Abrir arbol"));
    QCOMPARE(v.OpenDialog1.ExtDefecto, QStringLiteral("ARB"));
    QCOMPARE(v.SaveDialog1.Titulo, QStringLiteral("Guardar arbol"));
    QCOMPARE(v.SaveDialog1.Filtro, QStringLiteral("Arbol (*.arb)|*.arb"));
    QCOMPARE(v.SaveDialog2.Titulo, QStringLiteral("Guardar lista operaciones"));
    QCOMPARE(v.SaveDialog2.ExtDefecto, QStringLiteral("SEC"));
    // Six entries, in order, so the entry chosen maps back to its number.
    QCOMPARE(FiltrosQt(v.OpenDialog1.Filtro),
             (QStringList{"Lista operaciones (*.sec)", "Arbol BST (*.arb)",
                          "Arbol AVL (*.arb *.avl)", "Arbol Rojo-Negro (*.arn)",
                          "Splay Tree (*.arb)", "Montículo (*.mon)"}));
    QCOMPARE(FiltrosQt(v.SaveDialog2.Filtro), QStringList{"Lista operaciones (*.sec)"});
    QCOMPARE(FiltrosQt(QStringLiteral("Sin patron|*.x;*.y|incompleto")),
             QStringList{"Sin patron (*.x *.y)"});
  }

  void ConfigurarAnimacion_data() {
    QTest::addColumn<QString>("anim");
    QTest::addColumn<QString>("pres");
    QTest::addColumn<int>("pasos");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QList<int>>("esperado");  // PausaAnim, PausaPres, PausaNumEtap
    QTest::newRow("todo valido") << "0" << "5000" << 50 << "" << QList<int>{0, 5000, 50};
    QTest::newRow("limites") << "10000" << "0" << 2 << "" << QList<int>{10000, 0, 2};
    QTest::newRow("anim no numerica") << "mil" << "200" << 20
                                      << "Intervalo temporal de animación erroneo!"
                                      << QList<int>{1000, 300, 10};
    QTest::newRow("anim fuera de rango") << "10001" << "200" << 20
                                         << "Intervalo temporal de animación erroneo!"
                                         << QList<int>{1000, 300, 10};
    // The animation time is already stored when the pause is refused.
    QTest::newRow("pausa fuera de rango")
        << "700" << "5001" << 20 << "Intervalo temporal de pausa de presentación erroneo!"
        << QList<int>{700, 300, 10};
  }
  void ConfigurarAnimacion() {
    QFETCH(QString, anim);
    QFETCH(QString, pres);
    QFETCH(int, pasos);
    QFETCH(QString, mensaje);
    QFETCH(QList<int>, esperado);
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    v.show();
    TDlgAnimacion* d = e.Programa.DlgAnimacion();
    QTimer::singleShot(0, d, [&] {
      d->edtPausaAnim->setText(anim);
      d->edtPausaPres->setText(pres);
      d->udNumEtapas->setValue(pasos);
      d->accept();
    });
    v.Accion(TVentPpal::cConfAnim)->trigger();
    QCOMPARE(e.Mensajes(),
             mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
    QCOMPARE((QList<int>{v.PausaAnim, v.PausaPres, v.PausaNumEtap}), esperado);
  }

  void ConfigurarAnimacionCanceladaOBloqueada() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    v.show();
    TDlgAnimacion* d = e.Programa.DlgAnimacion();
    QTimer::singleShot(0, d, [&] {
      d->edtPausaAnim->setText(QStringLiteral("5"));
      d->reject();
    });
    v.Accion(TVentPpal::cConfAnim)->trigger();
    QCOMPARE(v.PausaAnim, 1000);
    QCOMPARE(d->edtPausaAnim->text(), QStringLiteral("5"));  // kept for the next opening

    v.Bloqueado = true;
    bool abierto = false;
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
