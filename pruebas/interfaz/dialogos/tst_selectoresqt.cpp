// Qt's font chooser with the colour button added to it, driven from inside
// its modal loop.
#include "uPlataforma.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

std::shared_ptr<ISelectores> SelectoresQt();

namespace {

// Closes whatever modal window is still up, so a failed step never hangs.
void CerrarModales() {
  while (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
    w->reject();
}

}  // namespace

class TPruebaSelectoresQt : public QObject {
  Q_OBJECT

  // Runs `accion` on the font chooser once it is up.
  static void EnElSelector(std::function<void(QFontDialog*)> accion) {
    QTimer::singleShot(0, [accion] {
      auto* dlg = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      if (dlg)
        accion(dlg);
      CerrarModales();
    });
  }

  const TFuente Inicial{QStringLiteral("DejaVu Sans"), 11, 0x00336699, true, false};

private Q_SLOTS:
  // The chooser shows the colour button; a cancel gives nothing, an
  // acceptance without changes gives the font it started from.
  void cancelarYAceptarSinCambios() {
    bool conBoton = false;
    EnElSelector([&conBoton](QFontDialog* dlg) {
      auto* b = dlg->findChild<QPushButton*>(QStringLiteral("btnColorFuente"));
      conBoton = b && b->isVisible() && b->text() == QStringLiteral("Color...");
      dlg->reject();
    });
    QVERIFY(!SelectoresQt()->ElegirFuente(nullptr, Inicial).has_value());
    QVERIFY(conBoton);
    EnElSelector([](QFontDialog* dlg) { dlg->accept(); });
    const auto f = SelectoresQt()->ElegirFuente(nullptr, Inicial);
    QVERIFY(f == Inicial);
  }

  // The colour chosen through the button comes back with the font; a
  // cancelled colour chooser keeps the colour there was.
  void colorDelTexto_data() {
    QTest::addColumn<bool>("confirma");
    QTest::addColumn<uint>("esperado");
    QTest::newRow("confirmado") << true << uint(ColorRGB(0x12, 0x34, 0x56));
    QTest::newRow("cancelado") << false << uint(Inicial.Color);
  }
  void colorDelTexto() {
    QFETCH(bool, confirma);
    QFETCH(uint, esperado);
    QColor inicialVisto;
    EnElSelector([&, confirma](QFontDialog* dlg) {
      auto* b = dlg->findChild<QPushButton*>(QStringLiteral("btnColorFuente"));
      if (!b)
        return;
      QTimer::singleShot(0, [&, confirma] {
        auto* c = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (!c)
          return;
        inicialVisto = c->currentColor();
        c->setCurrentColor(QColor(0x12, 0x34, 0x56));
        if (confirma)
          c->accept();
        else
          c->reject();
      });
      b->click();
      dlg->accept();
    });
    const auto f = SelectoresQt()->ElegirFuente(nullptr, Inicial);
    QVERIFY(f.has_value());
    QCOMPARE(inicialVisto, ColorQt(Inicial.Color));
    QCOMPARE(f->Color, TColor{esperado});
    QCOMPARE(f->Nombre, Inicial.Nombre);
  }
};

QTEST_MAIN(TPruebaSelectoresQt)
#include "tst_selectoresqt.moc"
