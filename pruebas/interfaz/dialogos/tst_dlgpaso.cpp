// The step window: a stay-on-top tool window the user cannot close or send
// away, whose button sets Pulsado.
#include "dPaso.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

class TPruebaDlgPaso : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> Ventana;
  TDlgPaso* Dlg = nullptr;

private Q_SLOTS:
  void init() {
    Ventana = std::make_unique<QWidget>();
    Ventana->setGeometry(100, 80, 800, 600);
    Ventana->show();
    Dlg = new TDlgPaso(Ventana.get());
  }
  void cleanup() { Ventana.reset(); }

  // A fixed tool window with no title bar buttons, whose controls all lie
  // inside it, and its title white on grey as the user sees it.
  void ventana() {
    const Qt::WindowFlags f = Dlg->windowFlags();
    QCOMPARE(f & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!f.testFlag(Qt::WindowCloseButtonHint) && !f.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!Dlg->isModal());
    QCOMPARE(Dlg->size(), QSize(249, 140));
    QCOMPARE(Dlg->minimumSize(), Dlg->maximumSize());
    QVERIFY(Dlg->edtDescripcion->isReadOnly());
    for (QWidget* w : std::initializer_list<QWidget*>{Dlg->etqTitulo, Dlg->etqEtapa,
                                                       Dlg->edtDescripcion, Dlg->btnSeguir})
      QVERIFY2(Dlg->rect().contains(w->geometry()), qPrintable(w->objectName()));
    QVERIFY(Dlg->btnSeguir->width() >= Dlg->btnSeguir->sizeHint().width());

    Dlg->etqTitulo->setText(QStringLiteral("Insercion en Arbol AVL"));
    const QImage img = Dlg->etqTitulo->grab().toImage();
    QCOMPARE(QColor(img.pixel(2, 2)), QColor(0x80, 0x80, 0x80));
    bool blanco = false;
    for (int y = 0; y < img.height() && !blanco; ++y)
      for (int x = 0; x < img.width() && !blanco; ++x)
        blanco = QColor(img.pixel(x, y)) == QColor(Qt::white);
    QVERIFY(blanco);
  }

  // Click and Space press the button; neither Esc nor a close request from
  // the window system (Alt+F4 and the like) presses or hides: only the
  // program hides the window.
  void soloElProgramaLaOculta() {
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg));
    QTest::keyClick(Dlg, Qt::Key_Escape);
    QTest::keyClick(Dlg->btnSeguir, Qt::Key_Escape);
    QVERIFY(!Dlg->windowHandle()->close());
    QVERIFY(Dlg->isVisible());
    QVERIFY(!Dlg->Pulsado);
    QTest::mouseClick(Dlg->btnSeguir, Qt::LeftButton);
    QVERIFY(Dlg->Pulsado);
    Dlg->Pulsado = false;
    QTest::keyClick(Dlg->btnSeguir, Qt::Key_Space);
    QVERIFY(Dlg->Pulsado);
    Dlg->hide();
    QVERIFY(!Dlg->isVisible());
  }
};

QTEST_MAIN(TPruebaDlgPaso)
#include "tst_dlgpaso.moc"
