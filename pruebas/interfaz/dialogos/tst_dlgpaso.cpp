// The step window: a stay-on-top tool window the user cannot close or send
// away; its buttons, keys and list report what the user asks for, its
// description box holds the longest reports whole, and it places itself
// where it covers no node.
#include "controles.h"
#include "dPaso.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QWindow>

class TPruebaDlgPaso : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> Ventana;
  TDlgPaso* Dlg = nullptr;

  // Which signals fired, in order, as "Seguir", "Saltar 3" and the like.
  QStringList Emitidas;
  void Escuchar() {
    const auto anotar = [this](const char* n) { return [this, n] { Emitidas << QLatin1String(n); }; };
    connect(Dlg, &TDlgPaso::Seguir, this, anotar("Seguir"));
    connect(Dlg, &TDlgPaso::Anterior, this, anotar("Anterior"));
    connect(Dlg, &TDlgPaso::Primera, this, anotar("Primera"));
    connect(Dlg, &TDlgPaso::Ultima, this, anotar("Ultima"));
    connect(Dlg, &TDlgPaso::ReproducirPausar, this, anotar("ReproducirPausar"));
    connect(Dlg, &TDlgPaso::Saltar, this, [this](int k) { Emitidas << QStringLiteral("Saltar %1").arg(k); });
    connect(Dlg, &TDlgPaso::VelocidadCambiada, this,
            [this](int v) { Emitidas << QStringLiteral("Velocidad %1").arg(v); });
  }

private Q_SLOTS:
  void init() {
    Ventana = std::make_unique<QWidget>();
    Ventana->setGeometry(100, 80, 800, 600);
    Ventana->show();
    Dlg = new TDlgPaso(Ventana.get());
    Emitidas.clear();
    Escuchar();
  }
  void cleanup() { Ventana.reset(); }

  // A resizable tool window with no title bar buttons, whose controls all lie
  // inside it at the default size, and its title white on grey.
  void ventana() {
    const Qt::WindowFlags f = Dlg->windowFlags();
    QCOMPARE(f & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!f.testFlag(Qt::WindowCloseButtonHint) && !f.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!Dlg->isModal());
    QVERIFY(Dlg->minimumSize() != Dlg->maximumSize());
    QVERIFY(Control<QPlainTextEdit>(Dlg, "edtDescripcion")->isReadOnly());
    Dlg->PonerEtapas({QStringLiteral("Una")});
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg));
    for (const char* nombre : {"etqTitulo", "etqEtapa", "edtDescripcion", "lstEtapas", "btnPrimera",
                               "btnAnterior", "btnReproducir", "btnSeguir", "btnUltima", "sldVelocidad"}) {
      QWidget* w = Control(Dlg, nombre);
      QVERIFY2(w->isVisible() && Dlg->rect().contains(QRect(w->mapTo(Dlg, QPoint()), w->size())), nombre);
    }
    // The longer caption fits too.
    auto* boton = Control<QPushButton>(Dlg, "btnSeguir");
    Dlg->PonerEfectuar(true);
    QCOMPARE(boton->text(), QStringLiteral("Efectuar!"));
    QVERIFY(boton->width() >= boton->sizeHint().width());

    Dlg->PonerTitulo(QStringLiteral("Insercion en Arbol AVL"));
    const QImage img = Control(Dlg, "etqTitulo")->grab().toImage();
    QCOMPARE(QColor(img.pixel(2, 2)), QColor(0x80, 0x80, 0x80));
    bool blanco = false;
    for (int y = 0; y < img.height() && !blanco; ++y)
      for (int x = 0; x < img.width() && !blanco; ++x)
        blanco = QColor(img.pixel(x, y)) == QColor(Qt::white);
    QVERIFY(blanco);
  }

  // Neither Esc nor a close request from the window system (Alt+F4 and the
  // like) hides the window or walks the stages: only the program hides it.
  void soloElProgramaLaOculta() {
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg));
    QTest::keyClick(Dlg, Qt::Key_Escape);
    QTest::keyClick(Control(Dlg, "btnSeguir"), Qt::Key_Escape);
    QVERIFY(!Dlg->windowHandle()->close());
    QVERIFY(Dlg->isVisible());
    QCOMPARE(Emitidas, QStringList{});
    Dlg->hide();
    QVERIFY(!Dlg->isVisible());
  }

  // Each button and its key emit their own signal once, and nothing else;
  // the speed slider reports its value, but a value set by the program
  // (brought into range) does not echo back.
  void BotonesYTeclas_data() {
    QTest::addColumn<QString>("boton");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("senal");
    QTest::newRow("seguir") << "btnSeguir" << int(Qt::Key_Right) << "Seguir";
    QTest::newRow("anterior") << "btnAnterior" << int(Qt::Key_Left) << "Anterior";
    QTest::newRow("primera") << "btnPrimera" << int(Qt::Key_Home) << "Primera";
    QTest::newRow("ultima") << "btnUltima" << int(Qt::Key_End) << "Ultima";
    QTest::newRow("reproducir") << "btnReproducir" << int(Qt::Key_Space) << "ReproducirPausar";
  }
  void BotonesYTeclas() {
    QFETCH(QString, boton);
    QFETCH(int, tecla);
    QFETCH(QString, senal);
    Dlg->PonerLimites(true, true);
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg));
    QTest::mouseClick(Control<QPushButton>(Dlg, qPrintable(boton)), Qt::LeftButton);
    QTest::keyClick(Dlg, Qt::Key(tecla));
    QCOMPARE(Emitidas, (QStringList{senal, senal}));

    Emitidas.clear();
    auto* velocidad = Control<QSlider>(Dlg, "sldVelocidad");
    Dlg->PonerVelocidad(99);
    QCOMPARE(Dlg->Velocidad(), TDlgPaso::VelocidadMax);
    velocidad->setValue(TDlgPaso::VelocidadMin);
    QCOMPARE(Emitidas, QStringList{QStringLiteral("Velocidad %1").arg(TDlgPaso::VelocidadMin)});
  }

  // At the first stage nothing goes back; at the last nothing goes on but
  // the forward button, which then ends the operation.
  void Limites() {
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg));
    const auto activos = [this] {
      QString s;
      for (const char* n : {"btnPrimera", "btnAnterior", "btnReproducir", "btnSeguir", "btnUltima"})
        s += Control(Dlg, n)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
      return s;
    };
    QCOMPARE(activos(), QStringLiteral("00111"));  // as it starts
    for (int t : {Qt::Key_Left, Qt::Key_Home})
      QTest::keyClick(Dlg, Qt::Key(t));
    Dlg->PonerLimites(true, false);
    QCOMPARE(activos(), QStringLiteral("11010"));
    for (int t : {Qt::Key_End, Qt::Key_Space, Qt::Key_Right})
      QTest::keyClick(Dlg, Qt::Key(t));
    QCOMPARE(Emitidas, QStringList{QStringLiteral("Seguir")});
  }

  // Rows read "k. title" from 1; the stage shown is the current row, scrolled
  // into view, and a click on a row asks to jump there.
  void ListaDeEtapas() {
    QStringList titulos;
    for (int k = 0; k < 30; ++k)
      titulos << QStringLiteral("Etapa %1").arg(k);
    Dlg->PonerEtapas(titulos);
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg));
    auto* lista = Control<QListWidget>(Dlg, "lstEtapas");
    QCOMPARE(lista->item(2)->text(), QStringLiteral("3. Etapa 2"));
    Dlg->MostrarEtapa(25, QStringLiteral("Etapa 25"), QStringLiteral("Descripción"));
    QCOMPARE(lista->currentRow(), 25);
    QVERIFY(lista->viewport()->rect().contains(lista->visualItemRect(lista->item(25))));
    QCOMPARE(Texto(Dlg, "etqNumero"), QStringLiteral("26 de 30"));
    QCOMPARE(Texto(Dlg, "etqEtapa"), QStringLiteral("Etapa 25"));
    const QRect fila = lista->visualItemRect(lista->item(lista->count() - 1));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, fila.center());
    QCOMPARE(Emitidas, QStringList{QStringLiteral("Saltar 29")});

    Dlg->PonerEtapas({});
    QVERIFY(!lista->isVisible());
  }

  // The longest report of each kind shows whole at the default size, with
  // the list of stages taking its share of the window.
  void DescripcionesMasLargas_data() {
    QTest::addColumn<QString>("texto");
    QTest::newRow("AVL") << QStringLiteral("Se recorre el arbol hacia la raiz actualizando los factores de "
                                           "equilibrio. Se comienza por el padre del nodo insertado.");
    QTest::newRow("BST") << QStringLiteral("Se ha encontrado el mayor hijo del subarbol izquierdo, el cual se "
                                           "borrará tras copiar su valor al nodo seleccionado.");
    QTest::newRow("Montículo") << QStringLiteral("El nodo seleccionado es mayor que el hijo menor. Se "
                                                 "intercambia con él y continúa la reestructuración.");
    QTest::newRow("Splay") << QStringLiteral("Caso 3b: Existe abuelo, nodo izquierdo y padre derecho: "
                                             "Rotación Zag-Zig.");
    QTest::newRow("Rojo-Negro") << QStringLiteral("El padre es la raiz: Se cambia su color y termina la "
                                                  "comprobación.");
  }
  void DescripcionesMasLargas() {
    QFETCH(QString, texto);
    Dlg->PonerEtapas(QStringList(40, QStringLiteral("Rotación simple a la derecha")));
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg));
    // The smallest the user can make it keeps them whole too.
    for (const QSize& t : {Dlg->size(), Dlg->minimumSize()}) {
      Dlg->resize(t);
      Dlg->MostrarEtapa(3, QStringLiteral("Etapa"), texto);
      QApplication::processEvents();
      auto* caja = Control<QPlainTextEdit>(Dlg, "edtDescripcion");
      QCOMPARE(caja->toPlainText(), texto);
      QCOMPARE(caja->verticalScrollBar()->maximum(), 0);
      QVERIFY(!caja->horizontalScrollBar()->isVisible());
    }
  }

  // Placed in the free corner or side farthest from the nodes; once the user
  // moved it, it stays. A stored place off every screen is ignored.
  void ColocarLibre_data() {
    QTest::addColumn<QRect>("ocupado");
    QTest::newRow("nada") << QRect();
    QTest::newRow("mitad izquierda") << QRect(0, 0, 640, 800);
    QTest::newRow("esquina inferior derecha") << QRect(700, 400, 580, 400);
    QTest::newRow("franja superior") << QRect(0, 0, 1280, 300);
    QTest::newRow("centro") << QRect(400, 200, 480, 400);
  }
  void ColocarLibre() {
    QFETCH(QRect, ocupado);
    const QRect disponible(0, 0, 1280, 800);
    Dlg->ColocarLibre(ocupado, disponible);
    const QRect lugar = Dlg->frameGeometry();
    QVERIFY(disponible.contains(lugar));
    QVERIFY(!lugar.intersects(ocupado));
    QVERIFY(!Dlg->LugarDelUsuario());

    Dlg->move(lugar.topLeft() + QPoint(7, 9));
    Dlg->ColocarLibre(lugar, disponible);
    QCOMPARE(Dlg->pos(), lugar.topLeft() + QPoint(7, 9));
  }

  void LugarGuardado() {
    const QRect pantalla = QGuiApplication::primaryScreen()->availableGeometry();
    TDlgPaso otro(Ventana.get());
    QCOMPARE(otro.Lugar(), QRect());  // not known until shown or placed
    otro.PonerLugar(QRect(pantalla.right() + 500, pantalla.top(), 1, 1));
    QVERIFY(!otro.LugarDelUsuario());
    QCOMPARE(otro.size(), otro.minimumSizeHint());

    const QRect guardado(pantalla.topLeft() + QPoint(20, 30), Dlg->size() + QSize(40, 50));
    Dlg->PonerLugar(guardado);
    QCOMPARE(Dlg->Lugar(), guardado);
    Dlg->ColocarLibre(QRect(), pantalla);
    QCOMPARE(Dlg->Lugar(), guardado);
  }
};

QTEST_MAIN(TPruebaDlgPaso)
#include "tst_dlgpaso.moc"
