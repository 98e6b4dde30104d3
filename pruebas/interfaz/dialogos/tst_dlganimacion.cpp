// The animation timing dialog: its controls, how it closes, and that it
// keeps what was typed across a cancel.
#include "controles.h"
#include "dAnimacion.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>

class TPruebaDlgAnimacion : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> Ventana;
  TDlgAnimacion* Dlg = nullptr;
  QPushButton* Aceptar = nullptr;
  QPushButton* Cancelar = nullptr;

  // Runs the dialog modally; `accion` runs inside the modal loop and must
  // close it. Should it not, the dialog ends with -1 so the test never hangs.
  int Ejecutar(std::function<void()> accion) {
    QTimer::singleShot(0, Dlg, [this, accion] {
      accion();
      if (Dlg->isVisible())
        Dlg->done(-1);
    });
    return Dlg->exec();
  }

  // Selects all of a control's text and types over it, as a user would.
  static void Teclear(QWidget* w, const QString& texto) {
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, texto);
  }

private Q_SLOTS:
  void init() {
    Ventana = std::make_unique<QWidget>();
    Ventana->setGeometry(100, 80, 800, 600);
    Ventana->show();
    Dlg = new TDlgAnimacion(Ventana.get());
    Aceptar = Control<QPushButton>(Dlg, "BitBtn1");
    Cancelar = Control<QPushButton>(Dlg, "BitBtn2");
  }
  void cleanup() { Ventana.reset(); }

  void ventana() {
    QCOMPARE(Dlg->windowTitle(), QStringLiteral("Opciones de animación"));
    QVERIFY(Dlg->isModal());
    QCOMPARE(Dlg->minimumSize(), Dlg->maximumSize());
    QVERIFY(Aceptar->isDefault());
  }

  void textos_data() {
    FilasDeTextos({{"GroupBox2", " Intervalos de tiempo "}, {"Label8", "Animación:"},
                   {"Label9", "mseg."}, {"Label10", "Entre etapas:"}, {"Label11", "mseg."},
                   {"Label1", "Pasos de animación:"}, {"edtPausaAnim", "1000"},
                   {"edtPausaPres", "300"}, {"udNumEtapas", "10"}, {"BitBtn1", "Aceptar"},
                   {"BitBtn2", "Cancelar"}});
  }
  void textos() { ComprobarTexto(Dlg); }

  // Steps from the settings are brought into 2 to 50; the ends stay.
  void pasosLimitados() {
    for (const auto& [puesto, esperado] : {std::pair{1, 2}, {2, 2}, {50, 50}, {51, 50}}) {
      Dlg->PonerAjustes({1000, 300, puesto});
      QCOMPARE(Dlg->Leer({}).Ajustes.NumEtapas, esperado);
    }
  }

  // Every way out, one after another on the same dialog as the program
  // uses it: "Aceptar" and Enter in an edit accept, the rest reject.
  void cierre() {
    const std::pair<std::function<void()>, int> casos[] = {
        {[this] { QTest::mouseClick(Aceptar, Qt::LeftButton); }, QDialog::Accepted},
        {[this] { QTest::mouseClick(Cancelar, Qt::LeftButton); }, QDialog::Rejected},
        {[this] { QTest::keyClick(Control(Dlg, "edtPausaPres"), Qt::Key_Escape); }, QDialog::Rejected},
        {[this] { QTest::keyClick(Control(Dlg, "edtPausaAnim"), Qt::Key_Return); }, QDialog::Accepted},
        {[this] { Dlg->windowHandle()->close(); }, QDialog::Rejected},  // the close box
    };
    for (const auto& [accion, resultado] : casos) {
      QCOMPARE(Ejecutar(accion), resultado);
      QVERIFY(!Dlg->isVisible());
    }
  }

  // The texts are never refreshed: after a cancel the dialog opens again
  // with what was typed.
  void cancelarConservaLoTecleado() {
    Dlg->PonerAjustes({});
    QCOMPARE(Ejecutar([this] {
               Teclear(Control(Dlg, "edtPausaAnim"), QStringLiteral("25x"));
               Teclear(Control(Dlg, "udNumEtapas"), QStringLiteral("33"));
               QTest::mouseClick(Cancelar, Qt::LeftButton);
             }),
             int(QDialog::Rejected));
    QString visto;
    QCOMPARE(Ejecutar([&] {
               visto = Texto(Dlg, "edtPausaAnim") + QLatin1Char('|') + Texto(Dlg, "udNumEtapas");
               QTest::mouseClick(Aceptar, Qt::LeftButton);
             }),
             int(QDialog::Accepted));
    QCOMPARE(visto, QStringLiteral("25x|33"));
  }
};

QTEST_MAIN(TPruebaDlgAnimacion)
#include "tst_dlganimacion.moc"
