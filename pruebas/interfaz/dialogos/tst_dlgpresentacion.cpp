// The presentation dialog: its controls, the live change notification and
// the values it keeps as the drawing settings.
#include "controles.h"
#include "dPresentacion.h"
#include "plataforma_falsa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <functional>
#include <tuple>

namespace {

using TValores = std::tuple<int, int, int, int, int, int, bool, TColor, TColor, QString, int, TColor>;

TValores Valores(const TDlgPres& d) {
  return {d.TipoGraf(), d.TipoDist(), d.TipoDisp(), d.NodoRad(), d.NodoSx(), d.NodoSy(),
          d.Sombras(),  d.ColFon(),   d.ColNod(),   d.Fuente().Nombre, d.Fuente().Tam,
          d.Fuente().Color};
}

QStringList Elementos(const QComboBox* c) {
  QStringList r;
  for (int i = 0; i < c->count(); ++i)
    r << c->itemText(i);
  return r;
}

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

  // Selects all of a spin box's text and types over it, as a user would.
  static void Teclear(QSpinBox* giro, const QString& texto) {
    QTest::keyClick(giro, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(giro, texto);
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
  void cleanup() { Ventana.reset(); }

  // Modeless, so that changes show live on the canvas, and centred on the
  // main window.
  void ventana() {
    QCOMPARE(Dlg->windowTitle(), QStringLiteral("Opciones de Presentación"));
    QVERIFY(!Dlg->isModal());
    QVERIFY(Dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(Dlg->minimumSize(), Dlg->maximumSize());
    QVERIFY(Dlg->btnAceptar->isDefault());
    QCOMPARE(Elementos(Dlg->lisTipoGraf),
             (QStringList{"Dibujos y texto", "Dibujos sin texto", "Imágenes"}));
    QCOMPARE(Elementos(Dlg->lisDistribucion), (QStringList{"Separada", "Comprimida", "Completa"}));
    QCOMPARE(Elementos(Dlg->lisDisposicion), (QStringList{"Arbol centrado", "Raiz fijada"}));
    Mostrar();
    const QPoint desvio = Dlg->frameGeometry().center() - Ventana->frameGeometry().center();
    QVERIFY2(desvio.manhattanLength() < 40, qPrintable(QString::number(desvio.manhattanLength())));
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

  // Typing never hands out a value outside the spin ranges: a refused text
  // keeps the last value and notifies nothing.
  void tecleoFueraDeRango() {
    Mostrar();
    Teclear(Dlg->udNodoRad, QStringLiteral("0"));
    Teclear(Dlg->udNodoSx, QStringLiteral("-"));
    QCOMPARE((QList<int>{Dlg->NodoRad(), Dlg->NodoSx(), Avisos}), (QList<int>{20, 10, 0}));
  }

  // Every kind of user change notifies exactly once, and changes a value.
  void cadaCambioAvisaUnaVez() {
    const std::pair<const char*, std::function<void()>> cambios[] = {
        {"lista graficos", [this] { QTest::keyClick(Dlg->lisTipoGraf, Qt::Key_Down); }},
        {"lista distribucion", [this] { QTest::keyClick(Dlg->lisDistribucion, Qt::Key_Down); }},
        {"lista disposicion", [this] { QTest::keyClick(Dlg->lisDisposicion, Qt::Key_Down); }},
        {"paso radio", [this] { QTest::keyClick(Dlg->udNodoRad, Qt::Key_Up); }},
        {"paso horizontal", [this] { QTest::keyClick(Dlg->udNodoSx, Qt::Key_Down); }},
        {"paso vertical", [this] { QTest::keyClick(Dlg->udNodoSy, Qt::Key_PageUp); }},
        {"radio tecleado", [this] { Teclear(Dlg->udNodoRad, QStringLiteral("7")); }},
        {"casilla sombras", [this] { QTest::mouseClick(Dlg->chkSombras, Qt::LeftButton); }},
    };
    Mostrar();
    for (const auto& [nombre, cambiar] : cambios) {
      Avisos = 0;
      const TValores antes = Valores(*Dlg);
      cambiar();
      QVERIFY2(Avisos == 1 && Valores(*Dlg) != antes, nombre);
    }
    QVERIFY(Dlg->isVisible());
  }

  // Neither changes before the first showing (there is nobody to notify yet)
  // nor the values the program puts in place notify.
  void sinAvisoFueraDelUsuario() {
    const TValores antes = Valores(*Dlg);
    QTest::keyClick(Dlg->lisDistribucion, Qt::Key_Down);
    QTest::mouseClick(Dlg->chkSombras, Qt::LeftButton);
    QVERIFY(Valores(*Dlg) != antes);
    Mostrar();
    Dlg->PonerValores(2, 2, 1, TFuente{}, 1, 2, 30, 7, 9);
    Dlg->PonerDistribucion(0);
    Dlg->PonerNodoSx(4);
    QCOMPARE(Avisos, 0);
    QCOMPARE((QList<int>{Dlg->TipoGraf(), Dlg->TipoDist(), Dlg->NodoRad(), Dlg->NodoSx()}),
             (QList<int>{2, 0, 30, 4}));
  }

  // Values from an edited settings store: list indexes outside the list give
  // the first item, the geometry is clamped. Each case starts from other
  // values, so that ignoring a bad value cannot pass for handling it.
  void ponerValoresFueraDeRango() {
    const auto poner = [this](const QList<int>& v) {  // lists, radius, horizontal, vertical
      Dlg->PonerValores(v[0], v[1], v[2], TFuente{}, 0, 0, v[3], v[4], v[5]);
      return QList<int>{Dlg->TipoGraf(), Dlg->TipoDist(), Dlg->TipoDisp(),
                        Dlg->NodoRad(),  Dlg->NodoSx(),   Dlg->NodoSy()};
    };
    const QList<int> bordes{2, 2, 1, 1, 0, 100};
    QCOMPARE(poner(bordes), bordes);
    QCOMPARE(poner({-1, -1, -1, 0, -5, -1}), (QList<int>{0, 0, 0, 1, 0, 0}));
    poner(bordes);
    QCOMPARE(poner({3, 3, 2, 101, 1000, 101}), (QList<int>{0, 0, 0, 100, 100, 100}));
    Dlg->PonerDistribucion(2);
    Dlg->PonerDistribucion(7);
    QCOMPARE(Dlg->TipoDist(), 0);
    Dlg->PonerNodoSx(-3);
    QCOMPARE(Dlg->NodoSx(), 0);
  }

  // The three choosers, each confirmed and then cancelled: each starts from
  // the value in force; a confirmed choice is kept and notified, a cancelled
  // one changes nothing. Only a confirmed background sets FondoCambiado.
  void selectores() {
    const TFuente f0{QStringLiteral("Arial"), 10, 0x00000080, true, false};
    const TFuente f1{QStringLiteral("Times"), 14, 0x00FF0000, false, true};
    Dlg->PonerValores(0, 0, 0, f0, 0x00111111, 0x00222222, 15, 2, 5);
    Sel->Colores = {0x00BBBBBB, std::nullopt, std::nullopt, 0x00AAAAAA};
    Sel->Fuentes = {f1, std::nullopt};
    Mostrar();
    for (QPushButton* b : {Dlg->btnColNodo, Dlg->btnColNodo, Dlg->btnFuente, Dlg->btnFuente,
                           Dlg->btnFondo})
      QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(Avisos, 2);
    QVERIFY(!Dlg->FondoCambiado);
    QTest::mouseClick(Dlg->btnFondo, Qt::LeftButton);
    QCOMPARE(Avisos, 3);
    QVERIFY(Dlg->FondoCambiado);
    QCOMPARE(Sel->ColoresIniciales,
             (std::vector<TColor>{0x00222222, 0x00BBBBBB, 0x00111111, 0x00111111}));
    QVERIFY(Sel->FuentesIniciales == (std::vector<TFuente>{f0, f1}));
    QCOMPARE(Dlg->ColFon(), TColor{0x00AAAAAA});
    QCOMPARE(Dlg->ColNod(), TColor{0x00BBBBBB});
    QCOMPARE(Dlg->Fuente(), f1);
  }

  // Opening again while visible forgets FondoCambiado and replaces the
  // notification; "Aceptar" only hides, and values and notification stay.
  void volverAMostrarYAceptar() {
    Sel->Colores.push_back(0x00000000);
    Mostrar();
    QTest::mouseClick(Dlg->btnFondo, Qt::LeftButton);
    QVERIFY(Dlg->FondoCambiado);
    int otros = 0;
    Dlg->MostrarOpciones([&otros] { ++otros; });
    QVERIFY(Dlg->isVisible());
    QVERIFY(!Dlg->FondoCambiado);
    Teclear(Dlg->udNodoRad, QStringLiteral("7"));
    QCOMPARE(Avisos, 1);
    QCOMPARE(otros, 1);
    const TValores antes = Valores(*Dlg);
    QTest::mouseClick(Dlg->btnAceptar, Qt::LeftButton);
    QVERIFY(!Dlg->isVisible());
    QCOMPARE(Valores(*Dlg), antes);
    QCOMPARE(Dlg->ColFon(), TColor{0});
    QTest::keyClick(Dlg->udNodoSy, Qt::Key_PageUp);
    QCOMPARE(otros, 2);
  }
};

QTEST_MAIN(TPruebaDlgPres)
#include "tst_dlgpresentacion.moc"
