// The presentation dialog: its controls, the live change notification and
// the values it keeps as the drawing settings.
#include "controles.h"
#include "dPresentacion.h"
#include "plataforma_falsa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <tuple>

namespace {

using TValores = std::tuple<int, int, int, int, int, int, bool, TColor, TColor, QString, int, TColor>;

TValores Valores(const TDlgPres& d) {
  return {d.TipoGraf(), d.TipoDist(), d.TipoDisp(), d.NodoRad(), d.NodoSx(), d.NodoSy(),
          d.Sombras(),  d.ColFon(),   d.ColNod(),   d.Fuente().Nombre, d.Fuente().Tam,
          d.Fuente().Color};
}

enum TCambio { ListaGraf, ListaDist, ListaDisp, PasoRad, PasoSx, PasoSy, TextoRad, Casilla };

}  // namespace

class TPruebaDlgPres : public QObject {
  Q_OBJECT

  std::shared_ptr<TSelectoresFalsos> Sel;
  std::unique_ptr<QWidget> Ventana;
  TDlgPres* Dlg = nullptr;
  int Avisos = 0;

  void Mostrar() {
    Dlg->MostrarOpciones([this] { ++Avisos; });
  }

  // Selects everything in a spin box's text and types over it.
  static void Teclear(QSpinBox* giro, const QString& texto) {
    giro->setFocus();
    giro->selectAll();
    QTest::keyClicks(giro, texto);
  }

  void Cambiar(TCambio c) {
    switch (c) {
      case ListaGraf: QTest::keyClick(Dlg->lisTipoGraf, Qt::Key_Down); break;
      case ListaDist: QTest::keyClick(Dlg->lisDistribucion, Qt::Key_Down); break;
      case ListaDisp: QTest::keyClick(Dlg->lisDisposicion, Qt::Key_Down); break;
      case PasoRad: QTest::keyClick(Dlg->udNodoRad, Qt::Key_Up); break;
      case PasoSx: QTest::keyClick(Dlg->udNodoSx, Qt::Key_Down); break;
      case PasoSy: QTest::keyClick(Dlg->udNodoSy, Qt::Key_PageUp); break;
      case TextoRad: Teclear(Dlg->udNodoRad, QStringLiteral("7")); break;
      case Casilla: QTest::mouseClick(Dlg->chkSombras, Qt::LeftButton); break;
    }
  }

private Q_SLOTS:
  void init() {
    Sel = std::make_shared<TSelectoresFalsos>();
    Ventana = std::make_unique<QWidget>();
    Ventana->setGeometry(100, 80, 800, 600);
    Ventana->show();
    Dlg = new TDlgPres(Ventana.get(), Sel);
    Avisos = 0;
  }
  void cleanup() {
    Ventana.reset();
    Dlg = nullptr;
  }

  void ventana() {
    QCOMPARE(Dlg->windowTitle(), QStringLiteral("Opciones de Presentación"));
    QVERIFY(!Dlg->isModal());  // changes show live on the canvas
    QVERIFY(Dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(Dlg->minimumSize(), Dlg->maximumSize());
    QVERIFY(Dlg->btnAceptar->isDefault());
  }

  void textos_data() {
    FilasDeTextos({{"Label5", "Gráficos:"}, {"GroupBox1", " Geometría de nodos "},
                   {"Label2", "Radio:"}, {"Label3", "Separación:"}, {"Label4", "Horiz.:"},
                   {"Label1", "Vert:"}, {"Label6", "Distribución de nodos:"},
                   {"Label7", "Disposición del arbol:"}, {"chkSombras", "Sombreado de nodos"},
                   {"btnFuente", "&Fuente.."}, {"btnFondo", "Color de fondo.."},
                   {"btnColNodo", "Color de nodos.."}, {"btnAceptar", "Aceptar"}});
  }
  void textos() { ComprobarTexto(Dlg); }

  void listas_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QStringList>("elementos");
    QTest::newRow("lisTipoGraf") << "lisTipoGraf"
                                 << QStringList{QStringLiteral("Dibujos y texto"),
                                                QStringLiteral("Dibujos sin texto"),
                                                QStringLiteral("Imágenes")};
    QTest::newRow("lisDistribucion") << "lisDistribucion"
                                     << QStringList{QStringLiteral("Separada"),
                                                    QStringLiteral("Comprimida"),
                                                    QStringLiteral("Completa")};
    QTest::newRow("lisDisposicion") << "lisDisposicion"
                                    << QStringList{QStringLiteral("Arbol centrado"),
                                                   QStringLiteral("Raiz fijada")};
  }
  void listas() {
    QFETCH(QString, nombre);
    QFETCH(QStringList, elementos);
    auto* c = Dlg->findChild<QComboBox*>(nombre);
    QVERIFY(c);
    QStringList vistos;
    for (int i = 0; i < c->count(); ++i)
      vistos << c->itemText(i);
    QCOMPARE(vistos, elementos);
    QCOMPARE(c->currentIndex(), 0);
    QVERIFY(!c->isEditable());
  }

  // The spin boxes never hand out a value outside their range, however the
  // user steps or types.
  void limitesGeometria_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("inicial");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("esperado");
    QTest::addColumn<int>("avisos");
    QTest::newRow("radio bajo 1") << "udNodoRad" << 1 << int(Qt::Key_Down) << QString() << 1 << 0;
    QTest::newRow("radio sobre 100") << "udNodoRad" << 100 << int(Qt::Key_PageUp) << QString() << 100 << 0;
    QTest::newRow("radio 0 tecleado") << "udNodoRad" << 15 << 0 << QStringLiteral("0") << 15 << 0;
    // "1", then "15"; the third digit is refused.
    QTest::newRow("radio 150 tecleado") << "udNodoRad" << 15 << 0 << QStringLiteral("150") << 15 << 2;
    // The sign is refused, the digit taken.
    QTest::newRow("sx negativo") << "udNodoSx" << 4 << 0 << QStringLiteral("-2") << 2 << 1;
  }
  void limitesGeometria() {
    QFETCH(QString, nombre);
    QFETCH(int, inicial);
    QFETCH(int, tecla);
    QFETCH(QString, texto);
    QFETCH(int, esperado);
    QFETCH(int, avisos);
    auto* giro = Dlg->findChild<QSpinBox*>(nombre);
    QVERIFY(giro);
    Dlg->PonerValores(0, 0, 0, TFuente{}, 0, 0, inicial, inicial, inicial);
    Mostrar();
    if (tecla)
      QTest::keyClick(giro, static_cast<Qt::Key>(tecla));
    else
      Teclear(giro, texto);
    QCOMPARE(giro->value(), esperado);
    QCOMPARE(Avisos, avisos);
  }

  // Every kind of user change notifies exactly once, and changes one value.
  void cadaCambioAvisaUnaVez_data() {
    QTest::addColumn<int>("cambio");
    QTest::newRow("lista graficos") << int(ListaGraf);
    QTest::newRow("lista distribucion") << int(ListaDist);
    QTest::newRow("lista disposicion") << int(ListaDisp);
    QTest::newRow("paso radio") << int(PasoRad);
    QTest::newRow("paso horizontal") << int(PasoSx);
    QTest::newRow("paso vertical") << int(PasoSy);
    QTest::newRow("radio tecleado") << int(TextoRad);
    QTest::newRow("casilla sombras") << int(Casilla);
  }
  void cadaCambioAvisaUnaVez() {
    QFETCH(int, cambio);
    Mostrar();
    const TValores antes = Valores(*Dlg);
    Cambiar(static_cast<TCambio>(cambio));
    QCOMPARE(Avisos, 1);
    QVERIFY(Valores(*Dlg) != antes);
    QVERIFY(Dlg->isVisible());
  }

  void sinAvisoAntesDeMostrar() {
    Cambiar(ListaDist);
    Cambiar(PasoRad);
    Cambiar(Casilla);
    QCOMPARE(Dlg->TipoDist(), 1);
    QCOMPARE(Dlg->NodoRad(), 21);
    QVERIFY(!Dlg->Sombras());
    Mostrar();
    QCOMPARE(Avisos, 0);
    Cambiar(ListaDist);
    QCOMPARE(Avisos, 1);
  }

  void ponerValoresNoAvisa() {
    Mostrar();
    const TFuente f{QStringLiteral("Courier"), 12, 0x000000FF, false, true};
    Dlg->PonerValores(2, 1, 1, f, 0x00102030, 0x00405060, 30, 7, 9);
    Dlg->PonerDistribucion(2);
    Dlg->PonerNodoSx(4);
    QCOMPARE(Avisos, 0);
    QCOMPARE(Valores(*Dlg), (TValores{2, 2, 1, 30, 4, 9, true, 0x00102030, 0x00405060,
                                      QStringLiteral("Courier"), 12, 0x000000FF}));
    QCOMPARE(Dlg->Fuente(), f);
    QCOMPARE(Dlg->lisTipoGraf->currentText(), QStringLiteral("Imágenes"));
    QCOMPARE(Dlg->udNodoRad->text(), QStringLiteral("30"));
  }

  // Values from an edited settings store: list indexes outside the list give
  // the first item, the geometry is clamped.
  void ponerValoresFueraDeRango_data() {
    QTest::addColumn<QList<int>>("puestos");  // list index, radius, horizontal, vertical
    QTest::addColumn<QList<int>>("esperados");
    QTest::newRow("por debajo") << QList<int>{-1, 0, -5, -1} << QList<int>{0, 1, 0, 0};
    QTest::newRow("por encima") << QList<int>{3, 101, 1000, 101} << QList<int>{0, 100, 100, 100};
    QTest::newRow("en los bordes") << QList<int>{2, 1, 0, 100} << QList<int>{2, 1, 0, 100};
  }
  void ponerValoresFueraDeRango() {
    QFETCH(QList<int>, puestos);
    QFETCH(QList<int>, esperados);
    const int tipo = puestos[0];
    Dlg->PonerValores(tipo, tipo, tipo, TFuente{}, 0, 0, puestos[1], puestos[2], puestos[3]);
    const int disp = esperados[0] < 2 ? esperados[0] : 0;  // two arrangements only
    QCOMPARE((QList<int>{Dlg->TipoGraf(), Dlg->TipoDist(), Dlg->TipoDisp(), Dlg->NodoRad(),
                         Dlg->NodoSx(), Dlg->NodoSy()}),
             (QList<int>{esperados[0], esperados[0], disp, esperados[1], esperados[2], esperados[3]}));
    Dlg->PonerDistribucion(7);
    QCOMPARE(Dlg->TipoDist(), 0);
    Dlg->PonerNodoSx(-3);
    QCOMPARE(Dlg->NodoSx(), 0);
  }

  // The three choosers: each starts from the value in force; a confirmed
  // choice is kept and notified, a cancelled one changes nothing.
  void selectores_data() {
    QTest::addColumn<QString>("boton");
    QTest::addColumn<bool>("confirma");
    QTest::newRow("fondo confirmado") << "btnFondo" << true;
    QTest::newRow("fondo cancelado") << "btnFondo" << false;
    QTest::newRow("nodos confirmado") << "btnColNodo" << true;
    QTest::newRow("nodos cancelado") << "btnColNodo" << false;
    QTest::newRow("fuente confirmada") << "btnFuente" << true;
    QTest::newRow("fuente cancelada") << "btnFuente" << false;
  }
  void selectores() {
    QFETCH(QString, boton);
    QFETCH(bool, confirma);
    const TFuente f0{QStringLiteral("Arial"), 10, 0x00000080, true, false};
    Dlg->PonerValores(0, 0, 0, f0, 0x00111111, 0x00222222, 15, 2, 5);
    const TColor nuevo = 0x00ABCDEF;
    const TFuente f1{QStringLiteral("Times"), 14, 0x00FF0000, false, true};
    if (confirma) {
      Sel->Colores.push_back(nuevo);
      Sel->Fuentes.push_back(f1);
    }
    Mostrar();
    const TValores antes = Valores(*Dlg);
    QTest::mouseClick(Dlg->findChild<QPushButton*>(boton), Qt::LeftButton);
    QCOMPARE(Sel->ColoresIniciales.size() + Sel->FuentesIniciales.size(), std::size_t{1});
    QCOMPARE(Avisos, confirma ? 1 : 0);
    QCOMPARE(Dlg->FondoCambiado, confirma && boton == QLatin1String("btnFondo"));
    if (boton == QLatin1String("btnFondo")) {
      QCOMPARE(Sel->ColoresIniciales, std::vector<TColor>{0x00111111});
      QCOMPARE(Dlg->ColFon(), confirma ? nuevo : TColor{0x00111111});
      QCOMPARE(Dlg->ColNod(), TColor{0x00222222});
    } else if (boton == QLatin1String("btnColNodo")) {
      QCOMPARE(Sel->ColoresIniciales, std::vector<TColor>{0x00222222});
      QCOMPARE(Dlg->ColNod(), confirma ? nuevo : TColor{0x00222222});
      QCOMPARE(Dlg->ColFon(), TColor{0x00111111});
    } else {
      QVERIFY(Sel->FuentesIniciales == std::vector<TFuente>{f0});
      QCOMPARE(Dlg->Fuente(), confirma ? f1 : f0);
    }
    if (!confirma)
      QVERIFY(Valores(*Dlg) == antes);
  }

  void mostrarOpcionesBorraFondoCambiado() {
    Sel->Colores.push_back(0x00000000);
    Mostrar();
    QTest::mouseClick(Dlg->btnFondo, Qt::LeftButton);
    QVERIFY(Dlg->FondoCambiado);
    // Opened again while visible: stays visible, forgets the flag, and the
    // new notification replaces the old one.
    int otros = 0;
    Dlg->MostrarOpciones([&otros] { ++otros; });
    QVERIFY(Dlg->isVisible());
    QVERIFY(!Dlg->FondoCambiado);
    QCOMPARE(Dlg->ColFon(), TColor{0});
    Cambiar(PasoRad);
    QCOMPARE(Avisos, 1);
    QCOMPARE(otros, 1);
  }

  void aceptarSoloOculta() {
    Mostrar();
    Cambiar(ListaDist);
    Cambiar(TextoRad);
    Cambiar(Casilla);
    const TValores antes = Valores(*Dlg);
    QTest::mouseClick(Dlg->btnAceptar, Qt::LeftButton);
    QVERIFY(!Dlg->isVisible());
    QCOMPARE(Valores(*Dlg), antes);
    // The notification stays registered while hidden, and opening again
    // shows the controls as they were left.
    Dlg->PonerNodoSx(3);
    Cambiar(PasoSy);
    QCOMPARE(Avisos, 4);
    Mostrar();
    QCOMPARE(Dlg->TipoDist(), 1);
    QCOMPARE(Dlg->NodoRad(), 7);
    QVERIFY(!Dlg->Sombras());
  }

  void centradoSobreLaVentana() {
    Mostrar();
    const QPoint centro = Dlg->frameGeometry().center();
    const QPoint esperado = Ventana->frameGeometry().center();
    QVERIFY2((centro - esperado).manhattanLength() < 40,
             qPrintable(QStringLiteral("%1,%2").arg(centro.x()).arg(centro.y())));
  }
};

QTEST_MAIN(TPruebaDlgPres)
#include "tst_dlgpresentacion.moc"
