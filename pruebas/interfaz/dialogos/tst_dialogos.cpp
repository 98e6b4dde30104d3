// The dialogs on their own: step window, presentation and animation dialogs, the font chooser with its colour button.
#include "entorno.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <tuple>

std::shared_ptr<ISelectores> SelectoresQt();
namespace {
void Sobrescribir(QWidget* w, const QString& texto) {
  QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(w, texto);
}
void Pulsar(QWidget* d, const char* boton) { QTest::mouseClick(Control<QAbstractButton>(d, boton), Qt::LeftButton); }

// Runs `accion` once the modal window is up, then closes any modal window still open.
void EnElDialogo(std::function<void(QWidget*)> accion) {
  QTimer::singleShot(0, [accion] {
    accion(QApplication::activeModalWidget());
    while (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget())) w->done(-1);
  });
}
}  // namespace

class PruebasDialogos : public QObject {
  Q_OBJECT
  std::unique_ptr<QWidget> Ventana;
  TDlgPaso* Paso = nullptr;
  QStringList Emitidas;  // the step window's signals, in order: "Seguir", "Saltar 3"...
  std::shared_ptr<TSelectoresFalsos> Sel;
  TDlgPres* Pres = nullptr;
  std::unique_ptr<QSignalSpy> Avisos;
  QSpinBox* Giro(const char* nombre) const { return Control<QSpinBox>(Pres, nombre); }

  QTranslator Traduccion;  // Qt's texts in Spanish, style names among them, as the program shows them

private Q_SLOTS:
  void initTestCase() {
    if (Traduccion.load(QLocale(QLocale::Spanish), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QApplication::installTranslator(&Traduccion);
  }
  void init() {
    Ventana = std::make_unique<QWidget>();
    Ventana->setGeometry(100, 80, 800, 600);
    Ventana->show();
    Paso = new TDlgPaso(Ventana.get());
    Emitidas.clear();
    for (auto [senal, nombre] : {std::pair{&TDlgPaso::Seguir, "Seguir"}, {&TDlgPaso::Anterior, "Anterior"},
                                 {&TDlgPaso::Primera, "Primera"}, {&TDlgPaso::Ultima, "Ultima"},
                                 {&TDlgPaso::ReproducirPausar, "ReproducirPausar"}})
      connect(Paso, senal, this, [this, n = nombre] { Emitidas << QLatin1String(n); });
    connect(Paso, &TDlgPaso::Saltar, this, [this](int k) { Emitidas << QStringLiteral("Saltar %1").arg(k); });
    connect(Paso, &TDlgPaso::VelocidadCambiada, this, [this](int v) { Emitidas << QString::number(v); });
    Sel = std::make_shared<TSelectoresFalsos>();
    Pres = new TDlgPres(Ventana.get(), Sel);
    Avisos = std::make_unique<QSignalSpy>(Pres, &TDlgPres::Cambiado);
    Paso->show();
    QVERIFY(QTest::qWaitForWindowExposed(Paso));
  }
  void cleanup() { Avisos.reset(), Ventana.reset(); }
  // Only the program hides the step window; buttons and keys emit within the limits; only the user's speed is told.
  void PasoBotonesTeclasYLimites() {
    QTest::keyClick(Paso, Qt::Key_Escape);
    QTest::keyClick(Control(Paso, "btnSeguir"), Qt::Key_Escape);
    QVERIFY(!Paso->windowHandle()->close() && Paso->isVisible() && Emitidas.isEmpty());
    const auto activos = [this] {
      QString s;
      for (const char* n : {"btnPrimera", "btnAnterior", "btnReproducir", "btnSeguir", "btnUltima"})
        s += QString::number(Control(Paso, n)->isEnabled());
      return s;
    };
    QCOMPARE(activos(), QStringLiteral("00111"));
    for (int t : {Qt::Key_Left, Qt::Key_Home}) QTest::keyClick(Paso, Qt::Key(t));
    Paso->PonerLimites(true, false);
    QCOMPARE(activos(), QStringLiteral("11010"));
    for (int t : {Qt::Key_End, Qt::Key_Space, Qt::Key_Right}) QTest::keyClick(Paso, Qt::Key(t));
    QCOMPARE(Emitidas, QStringList{QStringLiteral("Seguir")});
    Paso->PonerLimites(true, true);
    for (const auto& [boton, tecla, senal] :
         {std::tuple{"btnSeguir", Qt::Key_Right, "Seguir"}, {"btnAnterior", Qt::Key_Left, "Anterior"},
          {"btnPrimera", Qt::Key_Home, "Primera"}, {"btnUltima", Qt::Key_End, "Ultima"},
          {"btnReproducir", Qt::Key_Space, "ReproducirPausar"}}) {
      Emitidas.clear();
      Pulsar(Paso, boton);
      QTest::keyClick(Paso, tecla);
      QCOMPARE(Emitidas, QStringList(2, QLatin1String(senal)));
    }
    Emitidas.clear();
    Control<QSlider>(Paso, "sldVelocidad")->setValue(4);
    QVERIFY(Emitidas == QStringList{"4"} && Paso->Velocidad() == 4);
    Paso->PonerVelocidad(99);
    const int maximo = Paso->Velocidad();
    Paso->PonerVelocidad(-3);
    QVERIFY(Emitidas.size() == 1 && maximo == TDlgPaso::VelocidadMax && Paso->Velocidad() == TDlgPaso::VelocidadMin);
  }
  // The stage shown is the current row, in view; a click jumps; the longest reports show whole, at any size.
  void PasoListaYDescripciones() {
    QStringList titulos;
    for (int k = 0; k < 40; ++k) titulos << QStringLiteral("Rotación simple a la derecha %1").arg(k);
    Paso->PonerEtapas(titulos);
    auto* lista = Control<QListWidget>(Paso, "lstEtapas");
    QCOMPARE(lista->item(2)->text(), QStringLiteral("3. Rotación simple a la derecha 2"));
    Paso->MostrarEtapa(25, QStringLiteral("Etapa 25"), QStringLiteral("Descripción"));
    QVERIFY(lista->currentRow() == 25 && lista->viewport()->rect().contains(lista->visualItemRect(lista->item(25))));
    QCOMPARE(Texto(Paso, "etqNumero") + '|' + Texto(Paso, "etqEtapa"), QStringLiteral("26 de 40|Etapa 25"));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(29)).center());
    QCOMPARE(Emitidas, QStringList{QStringLiteral("Saltar 29")});
    auto* boton = Control<QPushButton>(Paso, "btnSeguir");
    Paso->PonerEfectuar(true);
    QVERIFY(boton->text() == QStringLiteral("Efectuar!") && boton->width() >= boton->sizeHint().width());
    auto* caja = Control<QPlainTextEdit>(Paso, "edtDescripcion");
    for (const char* texto :
         {"Se recorre el arbol hacia la raiz actualizando los factores de equilibrio. Se comienza por el padre del "
          "nodo insertado.",
          "Se ha encontrado el mayor hijo del subarbol izquierdo, el cual se borrará tras copiar su valor al nodo "
          "seleccionado.",
          "Cuatro\nlineas\nde\ndescripcion"})
      for (const QSize& t : {Paso->size(), Paso->minimumSize()}) {
        Paso->resize(t);
        Paso->MostrarEtapa(3, QStringLiteral("Etapa"), QString::fromUtf8(texto));
        QApplication::processEvents();
        QVERIFY2(caja->toPlainText() == QString::fromUtf8(texto) && caja->verticalScrollBar()->maximum() == 0 &&
                     !caja->horizontalScrollBar()->isVisible(),
                 texto);
      }
    Paso->PonerEtapas({});
    QVERIFY(!lista->isVisible());
  }
  // Placed where it covers no node until the user moves it; a stored place is kept if on screen.
  void PasoColocarLibreYLugarGuardado() {
    const QRect disponible(0, 0, 1920, 1080);
    for (const QRect& ocupado : {QRect(), QRect(0, 0, 960, 1080), QRect(1050, 540, 870, 540), QRect(0, 0, 1920, 450),
                                 QRect(600, 300, 720, 480)}) {
      TDlgPaso d(Ventana.get());
      d.ColocarLibre(ocupado, disponible);
      const QRect lugar = d.frameGeometry();
      QVERIFY(disponible.contains(lugar) && !lugar.intersects(ocupado) && !d.LugarDelUsuario());
      d.move(lugar.topLeft() + QPoint(7, 9));
      d.ColocarLibre(lugar, disponible);
      QCOMPARE(d.pos(), lugar.topLeft() + QPoint(7, 9));
    }
    const QRect pantalla = QGuiApplication::primaryScreen()->availableGeometry();
    TDlgPaso d(Ventana.get());
    QCOMPARE(d.Lugar(), QRect());  // not known until shown or placed
    d.PonerLugar(QRect(pantalla.right() + 500, pantalla.top(), 1, 1));
    QVERIFY(!d.LugarDelUsuario() && d.size() == d.minimumSizeHint());
    const QRect guardado(pantalla.topLeft() + QPoint(20, 30), d.size() + QSize(40, 50));
    d.PonerLugar(guardado);
    d.ColocarLibre(QRect(), pantalla);
    QCOMPARE(d.Lugar(), guardado);
  }
  // Each user change notifies once, typing stays in range; the program's values notify nobody; the dialog is centred.
  void PresentacionCambiosYAjustes() {
    Pres->MostrarOpciones();
    const QPoint desvio = Pres->frameGeometry().center() - Ventana->frameGeometry().center();
    QVERIFY2(desvio.manhattanLength() < 40, qPrintable(QString::number(desvio.manhattanLength())));
    const std::pair<const char*, std::function<void()>> cambios[] = {
        {"graficos", [this] { QTest::keyClick(Control(Pres, "lisTipoGraf"), Qt::Key_Down); }},
        {"distribucion", [this] { QTest::keyClick(Control(Pres, "lisDistribucion"), Qt::Key_Down); }},
        {"disposicion", [this] { QTest::keyClick(Control(Pres, "lisDisposicion"), Qt::Key_Down); }},
        {"radio", [this] { QTest::keyClick(Giro("udNodoRad"), Qt::Key_Up); }},
        {"horizontal", [this] { QTest::keyClick(Giro("udNodoSx"), Qt::Key_Down); }},
        {"vertical", [this] { QTest::keyClick(Giro("udNodoSy"), Qt::Key_PageUp); }},
        {"radio tecleado", [this] { Sobrescribir(Giro("udNodoRad"), QStringLiteral("7")); }},
        {"sombras", [this] { Pulsar(Pres, "chkSombras"); }},
        {"fuera de rango", [this] { Sobrescribir(Giro("udNodoRad"), "0"), Sobrescribir(Giro("udNodoSx"), "-"); }}};
    for (const auto& [nombre, cambiar] : cambios) {
      Avisos->clear();
      const TAjustesPresentacion antes = Pres->Ajustes();
      cambiar();
      const bool cambia = qstrcmp(nombre, "fuera de rango");
      QVERIFY2(Avisos->count() == int(cambia) && (Pres->Ajustes() == antes) != cambia, nombre);
    }
    Avisos->clear();
    TAjustesPresentacion a{2, 2, 1, 30, 7, 9, false, 0x00010203, 0x00040506,
                           TFuente{QStringLiteral("Times"), 14, 0x00FF0000, false, true}};
    Pres->PonerAjustes(a);
    QCOMPARE(Pres->Ajustes(), a);
    Pres->PonerDistribucion(0);
    Pres->PonerNodoSx(4);
    a.TipoDist = 0, a.NodoSx = 4;
    QVERIFY(Pres->Ajustes() == a && Avisos->count() == 0);
    Pres->PonerDistribucion(2);  // out of range: the default
    Pres->PonerDistribucion(7);
    Pres->PonerNodoSx(-3);
    QCOMPARE(Pres->TipoDist() * 1000 + Pres->NodoSx(), 0);
  }
  // Choosers start from the value in force; only a confirmed choice counts (and marks the background, until shown).
  void PresentacionSelectores() {
    const TFuente f0{QStringLiteral("Arial"), 10, 0x00000080, true, false};
    const TFuente f1{QStringLiteral("Times"), 14, 0x00FF0000, false, true};
    TAjustesPresentacion a;
    a.ColFon = 0x00111111, a.ColNod = 0x00222222, a.Fuente = f0;
    Pres->PonerAjustes(a);
    Sel->Colores = {0x00BBBBBB, std::nullopt, std::nullopt, 0x00AAAAAA};
    Sel->Fuentes = {f1, std::nullopt};
    Pres->MostrarOpciones();
    for (const char* b : {"btnColNodo", "btnColNodo", "btnFuente", "btnFuente", "btnFondo"}) Pulsar(Pres, b);
    QVERIFY(Avisos->count() == 2 && !Pres->FondoCambiado);
    Pulsar(Pres, "btnFondo");
    QVERIFY(Avisos->count() == 3 && Pres->FondoCambiado);
    QCOMPARE(Sel->ColoresIniciales, (std::vector<TColor>{0x00222222, 0x00BBBBBB, 0x00111111, 0x00111111}));
    QVERIFY(Sel->FuentesIniciales == (std::vector<TFuente>{f0, f1}));
    a.ColFon = 0x00AAAAAA, a.ColNod = 0x00BBBBBB, a.Fuente = f1;
    QCOMPARE(Pres->Ajustes(), a);
    Pres->MostrarOpciones();
    QVERIFY(Pres->isVisible() && !Pres->FondoCambiado);
  }
  // A font comes back as given; a new size keeps every other attribute; the colour from the added button comes back.
  void SelectorDeFuente() {
    const TFuente inicial{QStringLiteral("DejaVu Sans"), 11, 0x00336699, true, false};
    const auto boton = [](QWidget* w) { return w ? w->findChild<QPushButton*>("btnColorFuente") : nullptr; };
    EnElDialogo([](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
    QVERIFY(SelectoresQt()->ElegirFuente(nullptr, inicial) == inicial);  // its own style found again
    for (const TFuente& f : {TFuente{QStringLiteral("Arial"), 8, 0x00102030, true, false},  // shown by a substitute
                             TFuente{QStringLiteral("DejaVu Sans"), 11, 0x00336699, false, true},
                             TFuente{QStringLiteral("Liberation Serif"), 9, 0, true, true}}) {
      QFont vista;
      EnElDialogo([&vista](QWidget* w) {
        auto* dlg = qobject_cast<QFontDialog*>(w);
        vista = dlg->currentFont();
        for (auto* edit : dlg->findChildren<QLineEdit*>())
          if (!edit->isReadOnly()) edit->setText(QStringLiteral("20"));  // the size box
        dlg->accept();
      });
      TFuente esperada = f;
      esperada.Tam = 20;
      QVERIFY2(SelectoresQt()->ElegirFuente(nullptr, f) == esperada, qPrintable(f.Nombre));
      QVERIFY(vista.bold() == f.Negrita && vista.italic() == f.Cursiva);
    }
    for (bool confirma : {true, false}) {
      QColor inicialVisto;
      EnElDialogo([&](QWidget* w) {
        QTimer::singleShot(0, [&] {
          auto* c = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
          inicialVisto = c->currentColor();
          c->setCurrentColor(QColor(0x12, 0x34, 0x56));
          confirma ? c->accept() : c->reject();
        });
        boton(w)->click();
        qobject_cast<QDialog*>(w)->accept();
      });
      const auto f = SelectoresQt()->ElegirFuente(nullptr, inicial);
      QVERIFY(f && inicialVisto == ColorQt(inicial.Color) && f->Nombre == inicial.Nombre);
      QCOMPARE(f->Color, confirma ? ColorRGB(0x12, 0x34, 0x56) : inicial.Color);
    }
  }
};

QTEST_MAIN(PruebasDialogos)
#include "tst_dialogos.moc"
