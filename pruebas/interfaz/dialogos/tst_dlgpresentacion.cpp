// The presentation dialog: its controls, the live change notification and
// the settings it keeps for the drawing.
#include "controles.h"
#include "dPresentacion.h"
#include "plataforma_falsa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

#include <functional>
#include <tuple>

namespace {

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
  std::unique_ptr<QSignalSpy> Avisos;

  QSpinBox* Giro(const char* nombre) const { return Control<QSpinBox>(Dlg, nombre); }
  QComboBox* Lista(const char* nombre) const { return Control<QComboBox>(Dlg, nombre); }
  void Pulsar(const char* boton) { QTest::mouseClick(Control<QPushButton>(Dlg, boton), Qt::LeftButton); }

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
    Avisos = std::make_unique<QSignalSpy>(Dlg, &TDlgPres::Cambiado);
  }
  void cleanup() {
    Avisos.reset();
    Ventana.reset();
  }

  // Modeless, so that changes show live on the canvas, and centred on the
  // main window.
  void ventana() {
    QCOMPARE(Dlg->windowTitle(), QStringLiteral("Opciones de Presentación"));
    QVERIFY(!Dlg->isModal());
    QVERIFY(Dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(Dlg->minimumSize(), Dlg->maximumSize());
    QVERIFY(Control<QPushButton>(Dlg, "btnAceptar")->isDefault());
    QCOMPARE(Elementos(Lista("lisTipoGraf")),
             (QStringList{"Dibujos y texto", "Dibujos sin texto", "Imágenes"}));
    QCOMPARE(Elementos(Lista("lisDistribucion")), (QStringList{"Separada", "Comprimida", "Completa"}));
    QCOMPARE(Elementos(Lista("lisDisposicion")), (QStringList{"Arbol centrado", "Raiz fijada"}));
    Dlg->MostrarOpciones();
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
    Dlg->MostrarOpciones();
    const TAjustesPresentacion antes = Dlg->Ajustes();
    Teclear(Giro("udNodoRad"), QStringLiteral("0"));
    Teclear(Giro("udNodoSx"), QStringLiteral("-"));
    QCOMPARE(Dlg->Ajustes(), antes);
    QCOMPARE(Avisos->count(), 0);
  }

  // Every kind of user change notifies exactly once, and changes a value.
  void cadaCambioAvisaUnaVez() {
    const std::pair<const char*, std::function<void()>> cambios[] = {
        {"lista graficos", [this] { QTest::keyClick(Lista("lisTipoGraf"), Qt::Key_Down); }},
        {"lista distribucion", [this] { QTest::keyClick(Lista("lisDistribucion"), Qt::Key_Down); }},
        {"lista disposicion", [this] { QTest::keyClick(Lista("lisDisposicion"), Qt::Key_Down); }},
        {"paso radio", [this] { QTest::keyClick(Giro("udNodoRad"), Qt::Key_Up); }},
        {"paso horizontal", [this] { QTest::keyClick(Giro("udNodoSx"), Qt::Key_Down); }},
        {"paso vertical", [this] { QTest::keyClick(Giro("udNodoSy"), Qt::Key_PageUp); }},
        {"radio tecleado", [this] { Teclear(Giro("udNodoRad"), QStringLiteral("7")); }},
        {"casilla sombras",
         [this] { QTest::mouseClick(Control<QCheckBox>(Dlg, "chkSombras"), Qt::LeftButton); }},
    };
    Dlg->MostrarOpciones();
    for (const auto& [nombre, cambiar] : cambios) {
      Avisos->clear();
      const TAjustesPresentacion antes = Dlg->Ajustes();
      cambiar();
      QVERIFY2(Avisos->count() == 1 && !(Dlg->Ajustes() == antes), nombre);
    }
    QVERIFY(Dlg->isVisible());
  }

  // What the program puts in place is what the dialog then hands out, and it
  // notifies nobody.
  void ajustesDelPrograma() {
    TAjustesPresentacion a{2, 2, 1, 30, 7, 9, false, 0x00010203, 0x00040506,
                           TFuente{QStringLiteral("Times"), 14, 0x00FF0000, false, true}};
    Dlg->MostrarOpciones();
    Dlg->PonerAjustes(a);
    QCOMPARE(Dlg->Ajustes(), a);
    Dlg->PonerDistribucion(0);
    Dlg->PonerNodoSx(4);
    a.TipoDist = 0;
    a.NodoSx = 4;
    QCOMPARE(Dlg->Ajustes(), a);
    QCOMPARE(Avisos->count(), 0);
  }

  // Values from an edited settings store: list indexes outside the list give
  // the first item, the geometry is clamped. Each case starts from other
  // values, so that ignoring a bad value cannot pass for handling it.
  void ponerAjustesFueraDeRango() {
    const auto poner = [this](const QList<int>& v) {  // lists, radius, horizontal, vertical
      TAjustesPresentacion a;
      std::tie(a.TipoGraf, a.TipoDist, a.TipoDisp, a.NodoRad, a.NodoSx, a.NodoSy) =
          std::tie(v[0], v[1], v[2], v[3], v[4], v[5]);
      Dlg->PonerAjustes(a);
      a = Dlg->Ajustes();
      return QList<int>{a.TipoGraf, a.TipoDist, a.TipoDisp, a.NodoRad, a.NodoSx, a.NodoSy};
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
    TAjustesPresentacion a;
    a.ColFon = 0x00111111;
    a.ColNod = 0x00222222;
    a.Fuente = f0;
    Dlg->PonerAjustes(a);
    Sel->Colores = {0x00BBBBBB, std::nullopt, std::nullopt, 0x00AAAAAA};
    Sel->Fuentes = {f1, std::nullopt};
    Dlg->MostrarOpciones();
    for (const char* b : {"btnColNodo", "btnColNodo", "btnFuente", "btnFuente", "btnFondo"})
      Pulsar(b);
    QCOMPARE(Avisos->count(), 2);
    QVERIFY(!Dlg->FondoCambiado);
    Pulsar("btnFondo");
    QCOMPARE(Avisos->count(), 3);
    QVERIFY(Dlg->FondoCambiado);
    QCOMPARE(Sel->ColoresIniciales,
             (std::vector<TColor>{0x00222222, 0x00BBBBBB, 0x00111111, 0x00111111}));
    QVERIFY(Sel->FuentesIniciales == (std::vector<TFuente>{f0, f1}));
    a.ColFon = 0x00AAAAAA;
    a.ColNod = 0x00BBBBBB;
    a.Fuente = f1;
    QCOMPARE(Dlg->Ajustes(), a);
  }

  // Opening again while visible forgets FondoCambiado; "Aceptar" only hides,
  // and the values and the notification stay.
  void volverAMostrarYAceptar() {
    Sel->Colores.push_back(0x00000000);
    Dlg->MostrarOpciones();
    Pulsar("btnFondo");
    QVERIFY(Dlg->FondoCambiado);
    Dlg->MostrarOpciones();
    QVERIFY(Dlg->isVisible());
    QVERIFY(!Dlg->FondoCambiado);
    Teclear(Giro("udNodoRad"), QStringLiteral("7"));
    QCOMPARE(Avisos->count(), 2);
    const TAjustesPresentacion antes = Dlg->Ajustes();
    Pulsar("btnAceptar");
    QVERIFY(!Dlg->isVisible());
    QCOMPARE(Dlg->Ajustes(), antes);
    QCOMPARE(Dlg->ColFon(), TColor{0});
    QTest::keyClick(Giro("udNodoSy"), Qt::Key_PageUp);
    QCOMPARE(Avisos->count(), 3);
  }
};

QTEST_MAIN(TPruebaDlgPres)
#include "tst_dlgpresentacion.moc"
