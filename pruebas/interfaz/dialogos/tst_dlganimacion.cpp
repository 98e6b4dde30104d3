// The animation timing dialog: its controls, how it closes, and that it
// keeps what was typed across a cancel.
#include "controles.h"
#include "dAnimacion.h"

#include <QPushButton>
#include <QTimer>

#include <functional>

class TPruebaDlgAnimacion : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> Ventana;
  TDlgAnimacion* Dlg = nullptr;

  // Runs the dialog modally; `accion` runs inside the modal loop and must
  // close it. Should it not, the dialog is rejected so the test never hangs.
  int Ejecutar(std::function<void()> accion) {
    QTimer::singleShot(0, Dlg, [this, accion] {
      accion();
      if (Dlg->isVisible()) {
        QWARN("the action did not close the dialog");
        Dlg->done(-1);
      }
    });
    return Dlg->exec();
  }

  static void Teclear(QWidget* w, const QString& texto) {
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w))
      e->selectAll();
    else if (auto* s = qobject_cast<QSpinBox*>(w))
      s->selectAll();
    QTest::keyClicks(w, texto);
  }

private Q_SLOTS:
  void init() {
    Ventana = std::make_unique<QWidget>();
    Ventana->setGeometry(100, 80, 800, 600);
    Ventana->show();
    Dlg = new TDlgAnimacion(Ventana.get());
  }
  void cleanup() {
    Ventana.reset();
    Dlg = nullptr;
  }

  void ventana() {
    QCOMPARE(Dlg->windowTitle(), QStringLiteral("Opciones de animación"));
    QVERIFY(Dlg->isModal());
    QCOMPARE(Dlg->minimumSize(), Dlg->maximumSize());
    QVERIFY(Dlg->BitBtn1->isDefault());
  }

  void textos_data() {
    FilasDeTextos({{"GroupBox2", " Intervalos de tiempo "}, {"Label8", "Animación:"},
                   {"Label9", "mseg."}, {"Label10", "Entre etapas:"}, {"Label11", "mseg."},
                   {"Label1", "Pasos de animación:"}, {"edtPausaAnim", "1000"},
                   {"edtPausaPres", "300"}, {"udNumEtapas", "10"}, {"BitBtn1", "Aceptar"},
                   {"BitBtn2", "Cancelar"}});
  }
  void textos() { ComprobarTexto(Dlg); }

  // The steps stay within 2 to 50 whatever the user or the settings do.
  void pasosLimitados_data() {
    QTest::addColumn<int>("inicial");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("esperado");
    QTest::newRow("bajo 2") << 2 << int(Qt::Key_Down) << QString() << 2;
    QTest::newRow("pagina sobre 50") << 45 << int(Qt::Key_PageUp) << QString() << 50;
    QTest::newRow("1 tecleado") << 10 << 0 << QStringLiteral("1") << 10;
    // "9" is taken, the second digit refused.
    QTest::newRow("99 tecleado") << 10 << 0 << QStringLiteral("99") << 9;
    QTest::newRow("ajuste 1") << 1 << 0 << QString() << 2;
    QTest::newRow("ajuste 51") << 51 << 0 << QString() << 50;
  }
  void pasosLimitados() {
    QFETCH(int, inicial);
    QFETCH(int, tecla);
    QFETCH(QString, texto);
    QFETCH(int, esperado);
    Dlg->PonerValores(1000, 300, inicial);
    if (tecla)
      QTest::keyClick(Dlg->udNumEtapas, static_cast<Qt::Key>(tecla));
    else if (!texto.isEmpty())
      Teclear(Dlg->udNumEtapas, texto);
    QCOMPARE(Dlg->udNumEtapas->value(), esperado);
  }

  void cierre_data() {
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("resultado");
    QTest::newRow("Aceptar") << 0 << int(QDialog::Accepted);
    QTest::newRow("Cancelar") << 1 << int(QDialog::Rejected);
    QTest::newRow("Esc") << 2 << int(QDialog::Rejected);
    QTest::newRow("Intro en una edicion") << 3 << int(QDialog::Accepted);
    QTest::newRow("cuadro de cierre") << 4 << int(QDialog::Rejected);
  }
  void cierre() {
    QFETCH(int, modo);
    QFETCH(int, resultado);
    const int r = Ejecutar([this, modo] {
      switch (modo) {
        case 0: QTest::mouseClick(Dlg->BitBtn1, Qt::LeftButton); break;
        case 1: QTest::mouseClick(Dlg->BitBtn2, Qt::LeftButton); break;
        case 2: QTest::keyClick(Dlg->edtPausaPres, Qt::Key_Escape); break;
        case 3: QTest::keyClick(Dlg->edtPausaAnim, Qt::Key_Return); break;
        case 4: Dlg->windowHandle()->close(); break;
      }
    });
    QCOMPARE(r, resultado);
    QVERIFY(!Dlg->isVisible());
  }

  // The texts are never refreshed: after a cancel the dialog opens again
  // with what was typed, and a confirmation hands that over.
  void cancelarConservaLoTecleado() {
    Dlg->PonerValores(1000, 300, 10);
    const int r1 = Ejecutar([this] {
      Teclear(Dlg->edtPausaAnim, QStringLiteral("25x"));
      Teclear(Dlg->edtPausaPres, QStringLiteral("4000"));
      Teclear(Dlg->udNumEtapas, QStringLiteral("33"));
      QTest::mouseClick(Dlg->BitBtn2, Qt::LeftButton);
    });
    QCOMPARE(r1, int(QDialog::Rejected));
    QCOMPARE(Dlg->edtPausaAnim->text(), QStringLiteral("25x"));
    QCOMPARE(Dlg->edtPausaPres->text(), QStringLiteral("4000"));
    QCOMPARE(Dlg->udNumEtapas->value(), 33);

    QString visto;
    int pasos = 0;
    const int r2 = Ejecutar([&] {
      visto = Dlg->edtPausaAnim->text();
      pasos = Dlg->udNumEtapas->value();
      QTest::mouseClick(Dlg->BitBtn1, Qt::LeftButton);
    });
    QCOMPARE(r2, int(QDialog::Accepted));
    QCOMPARE(visto, QStringLiteral("25x"));
    QCOMPARE(pasos, 33);
  }
};

QTEST_MAIN(TPruebaDlgAnimacion)
#include "tst_dlganimacion.moc"
