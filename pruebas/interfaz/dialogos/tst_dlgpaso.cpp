// The step window: a stay-on-top tool window the user cannot close or send
// away, whose button emits Seguir.
#include "controles.h"
#include "dPaso.h"

#include <QPushButton>
#include <QSignalSpy>
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
    QVERIFY(Control<QPlainTextEdit>(Dlg, "edtDescripcion")->isReadOnly());
    for (const char* nombre : {"etqTitulo", "etqEtapa", "edtDescripcion", "btnSeguir"})
      QVERIFY2(Dlg->rect().contains(Control(Dlg, nombre)->geometry()), nombre);
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

  // Click and Space press the button; neither Esc nor a close request from
  // the window system (Alt+F4 and the like) presses or hides: only the
  // program hides the window.
  void soloElProgramaLaOculta() {
    auto* boton = Control<QPushButton>(Dlg, "btnSeguir");
    QSignalSpy seguir(Dlg, &TDlgPaso::Seguir);
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg));
    QTest::keyClick(Dlg, Qt::Key_Escape);
    QTest::keyClick(boton, Qt::Key_Escape);
    QVERIFY(!Dlg->windowHandle()->close());
    QVERIFY(Dlg->isVisible());
    QCOMPARE(seguir.count(), 0);
    QTest::mouseClick(boton, Qt::LeftButton);
    QTest::keyClick(boton, Qt::Key_Space);
    QCOMPARE(seguir.count(), 2);
    Dlg->hide();
    QVERIFY(!Dlg->isVisible());
  }
};

QTEST_MAIN(TPruebaDlgPaso)
#include "tst_dlgpaso.moc"
