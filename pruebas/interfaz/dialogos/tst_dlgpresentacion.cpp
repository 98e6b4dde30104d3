// The presentation dialog: its controls, the live change notification and
// the values it keeps as the drawing settings.
#include "controles.h"
#include "dPresentacion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <deque>
#include <tuple>

namespace {

// Choosers that answer from a queue and remember what they were shown.
class TSelectoresFalsos final : public ISelectores {
public:
  std::deque<std::optional<TColor>> Colores;
  std::deque<std::optional<TFuente>> Fuentes;
  std::optional<TColor> ColorInicial;
  std::optional<TFuente> FuenteInicial;
  int Llamadas = 0;

  std::optional<TColor> ElegirColor(QWidget*, TColor inicial) override {
    ++Llamadas;
    ColorInicial = inicial;
    if (Colores.empty())
      return std::nullopt;
    const auto r = Colores.front();
    Colores.pop_front();
    return r;
  }
  std::optional<TFuente> ElegirFuente(QWidget*, const TFuente& inicial) override {
    ++Llamadas;
    FuenteInicial = inicial;
    if (Fuentes.empty())
      return std::nullopt;
    const auto r = Fuentes.front();
    Fuentes.pop_front();
    return r;
  }
};

using TValores = std::tuple<int, int, int, int, int, int, bool, TColor, TColor, QString, int, TColor>;

TValores Valores(const TDlgPres& d) {
  return {d.TipoGraf(), d.TipoDist(), d.TipoDisp(), d.NodoRad(), d.NodoSx(), d.NodoSy(),
          d.Sombras(),  d.ColFon(),   d.ColNod(),   d.Fuente().Nombre, d.Fuente().Tam,
          d.Fuente().Color};
}

enum TCambio { ListaGraf, ListaDist, ListaDisp, PasoRad, PasoSx, PasoSy, TextoRad, TextoSy, Casilla };

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
      case TextoSy: Teclear(Dlg->udNodoSy, QStringLiteral("9")); break;
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
    QVERIFY(!Dlg->isModal());
    QVERIFY(Dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(Dlg->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!Dlg->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(Dlg->minimumSize(), Dlg->maximumSize());
    QVERIFY(Dlg->width() >= 245 && Dlg->width() < 330);
    QVERIFY(Dlg->height() >= 336 && Dlg->height() < 420);
    QVERIFY(!Dlg->isVisible());
    QVERIFY(!Dlg->OnCambio);
    QVERIFY(!Dlg->FondoCambiado);
  }

  void textos_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("texto");
    QTest::newRow("Label5") << "Label5" << QStringLiteral("Gráficos:");
    QTest::newRow("GroupBox1") << "GroupBox1" << QStringLiteral(" Geometría de nodos ");
    QTest::newRow("Label2") << "Label2" << QStringLiteral("Radio:");
    QTest::newRow("Label3") << "Label3" << QStringLiteral("Separación:");
    QTest::newRow("Label4") << "Label4" << QStringLiteral("Horiz.:");
    QTest::newRow("Label1") << "Label1" << QStringLiteral("Vert:");
    QTest::newRow("Label6") << "Label6" << QStringLiteral("Distribución de nodos:");
    QTest::newRow("Label7") << "Label7" << QStringLiteral("Disposición del arbol:");
    QTest::newRow("chkSombras") << "chkSombras" << QStringLiteral("Sombreado de nodos");
    QTest::newRow("btnFuente") << "btnFuente" << QStringLiteral("&Fuente..");
    QTest::newRow("btnFondo") << "btnFondo" << QStringLiteral("Color de fondo..");
    QTest::newRow("btnColNodo") << "btnColNodo" << QStringLiteral("Color de nodos..");
    QTest::newRow("btnAceptar") << "btnAceptar" << QStringLiteral("Aceptar");
  }
  void textos() {
    QFETCH(QString, nombre);
    QFETCH(QString, texto);
    auto* w = Dlg->findChild<QWidget*>(nombre);
    QVERIFY2(w, qPrintable(nombre));
    const auto mostrado = TextoControl(w);
    QVERIFY2(mostrado, "unexpected control kind");
    QCOMPARE(*mostrado, texto);
  }

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

  void valoresIniciales() {
    QCOMPARE(Dlg->udNodoRad->minimum(), 1);
    QCOMPARE(Dlg->udNodoRad->maximum(), 100);
    QCOMPARE(Dlg->udNodoSx->minimum(), 0);
    QCOMPARE(Dlg->udNodoSx->maximum(), 100);
    QCOMPARE(Dlg->udNodoSy->minimum(), 0);
    QCOMPARE(Dlg->udNodoSy->maximum(), 100);
    QCOMPARE(Dlg->NodoRad(), 20);
    QCOMPARE(Dlg->NodoSx(), 10);
    QCOMPARE(Dlg->NodoSy(), 10);
    QVERIFY(Dlg->Sombras());
    QCOMPARE(Dlg->ColFon(), TColor{0x00FFFFFF});
    QCOMPARE(Dlg->ColNod(), TColor{0x00FFFFC0});
    QCOMPARE(Dlg->Fuente(), TFuente{});
    QVERIFY(Dlg->btnAceptar->isDefault());
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
    QTest::newRow("sx bajo 0") << "udNodoSx" << 0 << int(Qt::Key_Down) << QString() << 0 << 0;
    QTest::newRow("radio 0 tecleado") << "udNodoRad" << 15 << 0 << QStringLiteral("0") << 15 << 0;
    // "1", then "15"; the third digit is refused.
    QTest::newRow("radio 150 tecleado") << "udNodoRad" << 15 << 0 << QStringLiteral("150") << 15 << 2;
    QTest::newRow("radio no numerico") << "udNodoRad" << 15 << 0 << QStringLiteral("ab") << 15 << 0;
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
    QTest::newRow("vertical tecleado") << int(TextoSy);
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
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("rad");
    QTest::addColumn<int>("sx");
    QTest::addColumn<int>("sy");
    QTest::addColumn<int>("tipoEsperado");
    QTest::addColumn<int>("radEsperado");
    QTest::addColumn<int>("sxEsperado");
    QTest::addColumn<int>("syEsperado");
    QTest::newRow("por debajo") << -1 << 0 << -5 << -1 << 0 << 1 << 0 << 0;
    QTest::newRow("por encima") << 3 << 101 << 1000 << 101 << 0 << 100 << 100 << 100;
    QTest::newRow("en los bordes") << 2 << 1 << 0 << 100 << 2 << 1 << 0 << 100;
  }
  void ponerValoresFueraDeRango() {
    QFETCH(int, tipo);
    QFETCH(int, rad);
    QFETCH(int, sx);
    QFETCH(int, sy);
    QFETCH(int, tipoEsperado);
    QFETCH(int, radEsperado);
    QFETCH(int, sxEsperado);
    QFETCH(int, syEsperado);
    Dlg->PonerValores(tipo, tipo, tipo, TFuente{}, 0, 0, rad, sx, sy);
    QCOMPARE(Dlg->TipoGraf(), tipoEsperado);
    QCOMPARE(Dlg->TipoDist(), tipoEsperado);
    QCOMPARE(Dlg->TipoDisp(), tipoEsperado < 2 ? tipoEsperado : 0);
    QCOMPARE(Dlg->NodoRad(), radEsperado);
    QCOMPARE(Dlg->NodoSx(), sxEsperado);
    QCOMPARE(Dlg->NodoSy(), syEsperado);
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
    QCOMPARE(Sel->Llamadas, 1);
    QCOMPARE(Avisos, confirma ? 1 : 0);
    QCOMPARE(Dlg->FondoCambiado, confirma && boton == QLatin1String("btnFondo"));
    if (boton == QLatin1String("btnFondo")) {
      QCOMPARE(Sel->ColorInicial, std::optional<TColor>(0x00111111));
      QCOMPARE(Dlg->ColFon(), confirma ? nuevo : TColor{0x00111111});
      QCOMPARE(Dlg->ColNod(), TColor{0x00222222});
    } else if (boton == QLatin1String("btnColNodo")) {
      QCOMPARE(Sel->ColorInicial, std::optional<TColor>(0x00222222));
      QCOMPARE(Dlg->ColNod(), confirma ? nuevo : TColor{0x00222222});
      QCOMPARE(Dlg->ColFon(), TColor{0x00111111});
    } else {
      QVERIFY(Sel->FuenteInicial.has_value());
      QCOMPARE(*Sel->FuenteInicial, f0);
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
