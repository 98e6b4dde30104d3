// Qt's font chooser with the colour button added to it, driven from inside
// its modal loop.
#include "uPlataforma.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

std::shared_ptr<ISelectores> SelectoresQt();

Q_DECLARE_METATYPE(TFuente)

class TPruebaSelectoresQt : public QObject {
  Q_OBJECT

  const TFuente Inicial{QStringLiteral("DejaVu Sans"), 11, 0x00336699, true, false};

  // Runs `accion` on the font chooser once it is up, then closes whatever
  // modal window is still open, so a failed step never hangs.
  std::optional<TFuente> Elegir(std::function<void(QFontDialog*, QPushButton*)> accion) {
    QTimer::singleShot(0, [accion] {
      auto* dlg = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      if (dlg)
        accion(dlg, dlg->findChild<QPushButton*>(QStringLiteral("btnColorFuente")));
      while (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        w->reject();
    });
    return SelectoresQt()->ElegirFuente(nullptr, Inicial);
  }

  QTranslator TraduccionQt;

private Q_SLOTS:
  // Qt's own texts in Spanish, as the program shows them (its style names
  // among them).
  void initTestCase() {
    if (TraduccionQt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QApplication::installTranslator(&TraduccionQt);
  }

  // The chooser shows the colour button; a cancel gives nothing, an
  // acceptance without changes gives the font it started from.
  void cancelarYAceptarSinCambios() {
    bool conBoton = false;
    QVERIFY(!Elegir([&conBoton](QFontDialog* dlg, QPushButton* b) {
               conBoton = b && b->isVisible() && b->text() == QStringLiteral("Color...");
               dlg->reject();
             }).has_value());
    QVERIFY(conBoton);
    QVERIFY(Elegir([](QFontDialog* dlg, QPushButton*) { dlg->accept(); }) == Inicial);
  }

  // The chooser shows the style it was given, and changing only the size
  // gives back every other attribute as it was, also for a family the
  // system lacks (it shows a substitute).
  void SoloElTamanoCambia_data() {
    QTest::addColumn<TFuente>("inicial");
    QTest::newRow("Arial negrita") << TFuente{QStringLiteral("Arial"), 8, 0x00102030, true, false};
    QTest::newRow("DejaVu cursiva")
        << TFuente{QStringLiteral("DejaVu Sans"), 11, 0x00336699, false, true};
    QTest::newRow("Liberation negrita cursiva")
        << TFuente{QStringLiteral("Liberation Serif"), 9, 0, true, true};
  }
  void SoloElTamanoCambia() {
    QFETCH(TFuente, inicial);
    QFont vista;
    QTimer::singleShot(0, [&vista] {
      if (auto* dlg = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
        vista = dlg->currentFont();
        for (auto* edit : dlg->findChildren<QLineEdit*>())
          if (!edit->isReadOnly())
            edit->setText(QStringLiteral("20"));  // the size box
        dlg->accept();
      }
      while (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        w->reject();
    });
    const auto f = SelectoresQt()->ElegirFuente(nullptr, inicial);
    QCOMPARE(vista.bold(), inicial.Negrita);
    QCOMPARE(vista.italic(), inicial.Cursiva);
    TFuente esperada = inicial;
    esperada.Tam = 20;
    QCOMPARE(f, std::optional<TFuente>(esperada));
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
    const auto f = Elegir([&, confirma](QFontDialog* dlg, QPushButton* b) {
      QTimer::singleShot(0, [&, confirma] {
        if (auto* c = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
          inicialVisto = c->currentColor();
          c->setCurrentColor(QColor(0x12, 0x34, 0x56));
          confirma ? c->accept() : c->reject();
        }
      });
      if (b)
        b->click();
      dlg->accept();
    });
    QVERIFY(f.has_value());
    QCOMPARE(inicialVisto, ColorQt(Inicial.Color));
    QCOMPARE(f->Color, TColor{esperado});
    QCOMPARE(f->Nombre, Inicial.Nombre);
  }
};

QTEST_MAIN(TPruebaSelectoresQt)
#include "tst_selectoresqt.moc"
