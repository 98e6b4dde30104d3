// The main window as first met (state, keys, hints, settings read at show and stored at close); the settings store.
#include "entorno.h"
#include "uOpciones.h"

class PruebasVentana : public QObject {
  Q_OBJECT
  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }
  TOpciones Leer(const QByteArray& contenido, const QByteArray& cabecera = "[General]\n") {
    EscribirFichero(Fichero(), cabecera + contenido);
    TAlmacenQSettings almacen(Fichero());
    return LeerOpciones(almacen);
  }

private Q_SLOTS:
  void init() { QVERIFY(Dir.isValid() && (!QFile::exists(Fichero()) || QFile::remove(Fichero()))); }
  void ArranqueDejaElEstadoInicial() {
    TEntorno e(Fichero(), TEntorno::Oculto), e8(Fichero(), TEntorno::Oculto, 256);
    TVentPpal& v = e.V();
    QStringList paneles;
    for (QLabel* p : v.Paneles()) paneles << p->text();
    QCOMPARE(paneles.join('|') + e8.V().Paneles()[5]->text(),
             QStringLiteral("n = 0|lg(n) = 0|h = 0|c. int. = 0||Modo 32 bits Modo 8 bits"));
    QCOMPARE(v.lisOperacion()->currentText() + v.edtValor()->text() + v.NombreArbol(), "Insertar1Arbol BST");
    QVERIFY(!v.Bloqueado() && !v.Modo8Bits() && !v.OpcionesLeidas() && !v.HayImagenes());
    QVERIFY(v.OpcArb()[0]->isChecked() && v.OpcRatSel()->isChecked() && e.Mensajes().isEmpty());
    v.Accion(TVentPpal::cAcercaDe)->trigger();
    QVERIFY(e.Mensajes().size() == 1 && e.Mensajes()[0].contains(QStringLiteral("Quelvar — TALMERA Programa de Docencia\nVersión " QUELVAR_VERSION)));
    // The open chooser's entries in order: the entry chosen maps back to its kind.
    QCOMPARE(FiltrosQt(v.OpenDialog1().Filtro),
             (QStringList{"Lista operaciones (*.sec)", "Arbol BST (*.arb)", "Arbol AVL (*.arb *.avl)",
                          "Arbol Rojo-Negro (*.arn)", "Splay Tree (*.arb)", "Montículo (*.mon)"}));
    // The two stage buttons are exclusive, yet both may be up.
    for (QAction* b : {v.btnPaso(), v.btnPaso2(), v.btnPaso2()}) b->trigger();
    QVERIFY(!v.btnPaso2()->isChecked() && !v.btnPaso()->isChecked());
  }
  // Each key runs its command and no other, also from the controls that claim some keys; F8 frees the window.
  void AtajosLleganAlComandoDesdeCualquierFoco() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    QApplication::setActiveWindow(&v);
    QVERIFY(QTest::qWaitForWindowActive(&v));
    e.Bloquear();  // keeps the handlers from opening anything
    QStringList disparados;
    for (int c = 0; c < TVentPpal::NumComandos; ++c) {
      QAction* a = v.Accion(TVentPpal::TComando(c));
      connect(a, &QAction::triggered, &v, [&disparados, a] { disparados << a->objectName(); });
    }
    const int C = Qt::ControlModifier, S = Qt::ShiftModifier;
    const struct { int Tecla, Mod; const char* Comando; } kAtajos[] = {
        {Qt::Key_A, C, "ActNuevo2"}, {Qt::Key_B, C, "ActNuevo1"}, {Qt::Key_R, C, "ActNuevo3"},
        {Qt::Key_S, C, "ActNuevo4"}, {Qt::Key_M, C, "ActNuevo5"}, {Qt::Key_G, C, "ActGuardar"},
        {Qt::Key_P, C, "ActConfiguracion"}, {Qt::Key_Z, C, "ActDeshacer"}, {Qt::Key_Delete, S, "ActBorrar"},
        {Qt::Key_Insert, 0, "ActInsertar"}, {Qt::Key_Insert, S, "ActInsSig"}, {Qt::Key_F10, 0, "ActBuscar"},
        {Qt::Key_F2, 0, "ActAnim1"}, {Qt::Key_F3, 0, "ActAnim2"}, {Qt::Key_F4, 0, "ActAnim3"},
        {Qt::Key_F5, 0, "ActComprimir"}, {Qt::Key_Plus, C, "ActAcercar"}, {Qt::Key_Equal, C, "ActAcercar"},
        {Qt::Key_Plus, C | Qt::KeypadModifier, "ActAcercar"}, {Qt::Key_Minus, C, "ActAlejar"}, {Qt::Key_0, C, "ActAjustarZoom"},
        {Qt::Key_1, C, "ActTamanoReal"}, {Qt::Key_F8, 0, "ActDesbloqueo"}};  // F8 last
    for (const auto& k : kAtajos)
      for (QWidget* destino : {static_cast<QWidget*>(v.lisOperacion()), static_cast<QWidget*>(v.edtValor())}) {
        disparados.clear();
        destino->setFocus();
        QTest::keyClick(destino, Qt::Key(k.Tecla), Qt::KeyboardModifiers(k.Mod));
        QCOMPARE(disparados, QStringList{QString::fromLatin1(k.Comando)});
        QCOMPARE(v.edtValor()->text(), QStringLiteral("1"));  // the edit did not take the key
      }
  }
  // Animation settings: taken up to their ends, the first refused one reported after what came before was taken;
  // a cancel takes nothing and keeps the typed texts; no dialog opens while locked.
  void ConfigurarAnimacion() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    TDlgAnimacion* d = e.Programa.DlgAnimacion();
    bool abierto = false;
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
      const TOpciones o = v.OpcionesActuales();
      return QStringLiteral("%1 %2 %3|").arg(o.PausaAnim).arg(o.PausaPres).arg(o.PausaNumEtap) + e.Mensajes().join('/');
    };
    const QString malAnim = QStringLiteral("Intervalo temporal de animación erroneo!");
    QCOMPARE(configurar("0", "5000", 50, true), QStringLiteral("0 5000 50|"));
    QCOMPARE(configurar("10000", "0", 2, true), QStringLiteral("10000 0 2|"));
    QCOMPARE(configurar("10001", "200", 20, true), "10000 0 2|" + malAnim);
    QCOMPARE(configurar("700", "5001", 20, true), "700 0 2|Intervalo temporal de pausa de presentación erroneo!");
    QCOMPARE(configurar("5", "1", 3, false), QStringLiteral("700 0 2|"));
    QVERIFY(abierto && Texto(d, "edtPausaAnim") + Texto(d, "udNumEtapas") == "53");
    e.Bloquear();
    configurar("1", "1", 3, false);
    v.Accion(TVentPpal::cConfiguracion)->trigger();
    QTest::qWait(10);  // lets the queued answer run: it must find no dialog
    QVERIFY(!abierto && !e.Pres().isVisible());
  }
  // The settings are read at the first showing and reach window and dialogs; at close they are stored (or reported).
  void OpcionesSeLeenAlMostrarseYSeGuardanAlCerrar() {
    EscribirFichero(Fichero(), "[General]\nNodRad=30\nNodSx=7\nNodSy=9\nTipoDist=2\nPausaAnim=1500\nPausaNumEtap=0\n"
                               "PasoX=10\nPasoY=20\nPasoAncho=400\nPasoAlto=300\nPasoVelocidad=3\nVerPseudocodigo=0\n"
                               "Algoritmos=1\n");
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TDlgPres* pres = &e.Pres();
    QCOMPARE(v.Lienzo().Ajustes().Radio, 15);
    v.show();
    QVERIFY(v.OpcionesLeidas() && v.Estructura().Radio == 30);  // laid out with them as soon as shown
    const TAjustesLienzo a = v.Lienzo().Ajustes();
    QCOMPARE((QList<int>{a.Radio, a.SepX, a.SepY, v.OpcionesActuales().PausaNumEtap, pres->NodoRad(), pres->TipoDist(),
                         e.Paso()->Velocidad(), v.OpcionesActuales().LugarPaso.x()}),
             (QList<int>{30, 7, 9, 2, 30, 2, 3, 10}));
    QCOMPARE(e.Programa.DlgAnimacion()->Leer({}).Ajustes, (TAjustesAnimacion{1500, 300, 2}));
    e.Paso()->PonerVelocidad(7);
    e.Paso()->show();  // the listing's pane hidden as stored, until its button is pressed
    QVERIFY(!Control(e.Paso(), "edtPseudocodigo")->isVisible());
    Control<QPushButton>(e.Paso(), "btnPseudocodigo")->click();
    QVERIFY(Control(e.Paso(), "edtPseudocodigo")->isVisible());
    v.Accion(TVentPpal::cConfiguracion)->trigger();
    Control<QSpinBox>(pres, "udNodoRad")->stepUp();
    QVERIFY(pres->isVisible() && v.Lienzo().Ajustes().Radio == 31);
    // The algorithms: the stored choice runs and is named in the status bar until the program's own are chosen.
    QVERIFY(v.Estructura().Variante == TVariante::Libro && v.PanelVariante()->isVisible());
    Control<QComboBox>(pres, "lisAlgoritmos")->setCurrentIndex(0);
    QVERIFY(v.Estructura().Variante == TVariante::Original && !v.PanelVariante()->isVisible());
    QVERIFY(v.close() && !pres->isVisible() && e.Mensajes().isEmpty());
    QSettings s(Fichero(), QSettings::IniFormat);
    QStringList guardados;
    for (const char* n :
         {"NodRad", "TipoDist", "PausaNumEtap", "PausaAnim", "PasoVelocidad", "VerPseudocodigo", "Algoritmos"})
      guardados << s.value(n).toString();
    QCOMPARE(guardados.join(' '), QStringLiteral("31 2 2 1500 7 1 0"));
    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("bloqueado.conf")));
    TEntorno b(Dir.filePath(QStringLiteral("bloqueado.conf")));
    QVERIFY(b.V().close() && !b.V().isVisible());
    QCOMPARE(b.Mensajes(), QStringList{"No se han podido guardar las opciones de presentación."});
  }
  // An empty, unreadable or damaged store reads as the defaults; what is stored (integers as such) reads back.
  void AlmacenGuardaYLee() {
    TAlmacenQSettings almacen(Fichero());
    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("carpeta.conf")));
    TAlmacenQSettings ilegible(Dir.filePath(QStringLiteral("carpeta.conf")));
    QVERIFY(LeerOpciones(almacen) == TOpciones{} && LeerOpciones(ilegible) == TOpciones{});
    QVERIFY(!GuardarOpciones(ilegible, TOpciones{}) && Leer("NodRad=30\n", "[General\n") == TOpciones{});
    TOpciones o;
    o.Fuente = {QStringLiteral("DejaVu Sans"), 11, 0x00123456, false, true};
    o.TipoGraf = 2, o.ColFon = 0x00FF0000, o.NodRad = 30, o.NodSy = 40, o.PausaNumEtap = 50;
    o.CarpetaFicheros = QStringLiteral("/home/ana/clase 3, árboles");
    o.VerHistoria = true, o.VerPseudocodigo = false, o.Algoritmos = 1;
    QVERIFY(GuardarOpciones(almacen, o));
    QSettings s(Fichero(), QSettings::IniFormat);
    QStringList claves = s.allKeys();
    claves.sort();
    QCOMPARE(claves.join(' '), QStringLiteral("Algoritmos BoldFnt CarpetaFicheros ColFnt ColFon ColNod CursFnt "
                                              "NodRad NodSx NodSy NomFnt PasoVelocidad PausaAnim PausaNumEtap "
                                              "PausaPres TamFnt TipoDisp TipoDist TipoGraf ValMax VerHistorial "
                                              "VerPseudocodigo"));
    const QRegularExpression num(QStringLiteral("^-?\\d+$"));
    for (const QString& n : claves)  // all integers but the font name and the folder
      QVERIFY2((n == "NomFnt" || n == "CarpetaFicheros") != num.match(s.value(n).toString()).hasMatch(), qPrintable(n));
    QVERIFY(s.value("BoldFnt").toString() + s.value("CursFnt").toString() == "01" && LeerOpciones(almacen) == o);
    o.LugarPaso = QRect(-20, 30, 500, 400);
    o.VelocidadPaso = 8;
    QVERIFY(GuardarOpciones(almacen, o) && LeerOpciones(almacen) == o);
    QCOMPARE(QSettings(Fichero(), QSettings::IniFormat).allKeys().size(), 26);
  }
  // Values are read in order; a missing one is skipped, the first of another type ends the reading; all kept in range.
  void LecturaParaEnElPrimerValorMaloYAcota() {
    const auto fila = [this](const char* contenido, auto cambio) {
      TOpciones o;
      cambio(o);
      QVERIFY2(Leer(contenido) == o, contenido);
    };
    const auto nada = [](TOpciones&) {};
    fila("NodRad=30\nCarpetaFicheros=/tmp/x\n", [](TOpciones& o) { o.NodRad = 30, o.CarpetaFicheros = "/tmp/x"; });
    fila("PausaNumEtap=x\nCarpetaFicheros=/tmp/x\n", nada);
    fila("TipoGraf=1\nTipoDist=2\nTipoDisp=1\nNomFnt=Courier\nTamFnt=grande\nColFnt=255\nNodRad=40\n",
         [](TOpciones& o) { o.TipoGraf = o.TipoDisp = 1, o.TipoDist = 2, o.Fuente.Nombre = "Courier"; });
    fila("PasoX=10\nPasoY=20\nPasoAlto=30\nPasoVelocidad=2\n", [](TOpciones& o) { o.VelocidadPaso = 2; });
    fila("VerHistorial=x\nVerPseudocodigo=0\n", nada);
    fila("VerPseudocodigo=x\nAlgoritmos=1\n", nada);
    fila("Algoritmos=2\n", nada);
    fila("ValMax=7\nPausaAnim=99999999999\nPausaPres=100\n", [](TOpciones& o) { o.ValMax = 7; });
    fila("TipoGraf=2\nNomFnt=a, b\nTamFnt=20\n", [](TOpciones& o) { o.TipoGraf = 2; });
    TOpciones o = Leer("TipoGraf=7\nTipoDist=3\nTipoDisp=-1\nNomFnt=\" \"\nTamFnt=0\nColFnt=-1\nColFon=-16777216\n"
                       "ColNod=-1\nNodRad=0\nNodSx=-3\nNodSy=101\nPausaAnim=2147483647\nPausaPres=-1\n"
                       "PausaNumEtap=-2147483648\n");
    QCOMPARE((QList<int>{o.TipoGraf, o.TipoDist, o.TipoDisp, o.NodRad, o.NodSx, o.NodSy, o.PausaAnim,
                         o.PausaPres, o.PausaNumEtap, int(o.ColFon), int(o.ColNod)}),
             (QList<int>{0, 0, 0, 1, 0, 100, 10000, 0, 2, 0, 0x00FFFFFF}));
    QCOMPARE(o.Fuente, (TFuente{QStringLiteral("Arial"), 1, 0x00FFFFFF, true, false}));
    o = Leer("NodRad=100000\nPausaNumEtap=1000\nTamFnt=999\n");
    QCOMPARE((QList<int>{o.NodRad, o.PausaNumEtap, o.Fuente.Tam}), (QList<int>{100, 50, 200}));
    o = Leer("PasoX=-2147483648\nPasoY=99999\nPasoAncho=0\nPasoAlto=2147483647\nPasoVelocidad=-5\n");
    QCOMPARE(o.LugarPaso, QRect(-Rangos::CoordenadaMax, Rangos::CoordenadaMax, 1, Rangos::TamPasoMax));
    QCOMPARE(o.VelocidadPaso, Rangos::VelocidadMin);
  }
  // The dialogs' settings map field to field (the shadows, not stored, are the dialog's).
  void AjustesDeLosDialogos() {
    const TAjustesPresentacion a{2, 1, 1, 31, 7, 9, false, 0x00111111, 0x00222222,
                                 TFuente{QStringLiteral("Courier"), 12, 0x00000042, false, true}};
    TOpciones o;
    o.PonerPresentacion(a);
    QCOMPARE((QList<int>{o.TipoGraf, o.TipoDist, o.TipoDisp, o.NodRad, o.NodSx, o.NodSy, int(o.ColFon), int(o.ColNod)}),
             (QList<int>{2, 1, 1, 31, 7, 9, 0x00111111, 0x00222222}));
    QVERIFY(o.Fuente == a.Fuente && o.Presentacion(a) == a && o.Presentacion().Sombras);
  }
};

QTEST_MAIN(PruebasVentana)
#include "tst_ventana.moc"
