// The settings store: defaults, the reading order with its stop at the first
// bad value, clamping of absurd values, and the round trip through a file.
#include "uAlmacenQSettings.h"
#include "uOpciones.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(TOpciones)

class PruebasOpciones : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }

  void Escribir(const QByteArray& contenido) {
    QFile f(Fichero());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenido);
  }
  // What the program reads from a store holding `contenido`.
  TOpciones Leer(const QByteArray& contenido) {
    Escribir(contenido);
    TAlmacenQSettings almacen(Fichero());
    return LeerOpciones(almacen);
  }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }

  // An empty store gives the defaults; an unreadable one (a folder where the
  // file should be) gives them too and refuses to be written; a damaged one
  // reads as empty and is replaced by the next writing.
  void AlmacenVacioIlegibleODanado() {
    TAlmacenQSettings almacen(Fichero());
    const TOpciones o = LeerOpciones(almacen);
    QCOMPARE(o, TOpciones{});
    QCOMPARE(o.Fuente, (TFuente{QStringLiteral("Arial"), 8, 0, true, false}));
    QCOMPARE((QList<int>{o.NodRad, o.NodSx, o.NodSy, o.ValMax, o.PausaAnim, o.PausaPres, o.PausaNumEtap}),
             (QList<int>{15, 2, 5, 99, 1000, 300, 10}));
    QCOMPARE((QList<TColor>{o.ColFon, o.ColNod}), (QList<TColor>{0x00FFFFFF, 0x00FFFFC0}));

    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("carpeta.conf")));
    TAlmacenQSettings ilegible(Dir.filePath(QStringLiteral("carpeta.conf")));
    QCOMPARE(LeerOpciones(ilegible), TOpciones{});
    QVERIFY(!GuardarOpciones(ilegible, TOpciones{}));

    QCOMPARE(Leer("[General\nNodRad=30\n"), TOpciones{});
    TOpciones nuevas;
    nuevas.NodSy = 40;
    QVERIFY(GuardarOpciones(almacen, nuevas));
    QCOMPARE(LeerOpciones(almacen), nuevas);
  }

  // All seventeen values, integers as integers and the font name as text,
  // booleans as 0 and 1, then the folder of the choosers as text; what is
  // written reads back the same.
  void GuardarEscribeLosDiecisieteValoresConSusTipos() {
    TAlmacenQSettings almacen(Fichero());
    TOpciones o;
    o.Fuente = {QStringLiteral("DejaVu Sans"), 11, 0x00123456, false, true};
    o.TipoGraf = 2;
    o.ColFon = 0x00FF0000;
    o.NodRad = 30;
    o.PausaNumEtap = 50;
    o.CarpetaFicheros = QStringLiteral("/home/ana/clase 3, árboles");
    QVERIFY(GuardarOpciones(almacen, o));
    QSettings s(Fichero(), QSettings::IniFormat);
    QStringList claves = s.allKeys();
    claves.sort();
    QCOMPARE(claves, (QStringList{"BoldFnt", "CarpetaFicheros", "ColFnt", "ColFon", "ColNod",
                                  "CursFnt", "NodRad", "NodSx", "NodSy", "NomFnt", "PasoVelocidad", "PausaAnim",
                                  "PausaNumEtap", "PausaPres", "TamFnt", "TipoDisp", "TipoDist", "TipoGraf",
                                  "ValMax"}));
    for (const QString& n : claves) {
      bool entero = false;
      s.value(n).toString().toInt(&entero);
      QVERIFY2(entero == (n != QStringLiteral("NomFnt") && n != QStringLiteral("CarpetaFicheros")),
               qPrintable(n));
    }
    QCOMPARE(s.value("BoldFnt").toString() + s.value("CursFnt").toString(), QStringLiteral("01"));
    QCOMPARE(s.value("ColFon").toInt(), 0x00FF0000);
    QCOMPARE(LeerOpciones(almacen), o);

    // The step window's place once known, and its speed, after the folder.
    o.LugarPaso = QRect(-20, 30, 500, 400);
    o.VelocidadPaso = 8;
    QVERIFY(GuardarOpciones(almacen, o));
    QCOMPARE(LeerOpciones(almacen), o);
    QCOMPARE(QSettings(Fichero(), QSettings::IniFormat).allKeys().size(), 23);
  }

  // Values are read in the stored order; a missing one is skipped, and the
  // first of another type ends the reading: what came before it stays,
  // everything after it keeps its default although it is stored.
  void LecturaParaEnElPrimerValorMalo_data() {
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<TOpciones>("esperado");
    TOpciones o;
    o.NodRad = 30;
    QTest::newRow("solo NodRad") << QByteArray("[General]\nNodRad=30\n") << o;
    o.CarpetaFicheros = QStringLiteral("/tmp/x");
    QTest::newRow("NodRad y la carpeta")
        << QByteArray("[General]\nNodRad=30\nCarpetaFicheros=/tmp/x\n") << o;
    QTest::newRow("la carpeta tras un valor malo")
        << QByteArray("[General]\nPausaNumEtap=x\nCarpetaFicheros=/tmp/x\n") << TOpciones{};
    o = {};
    o.TipoGraf = o.TipoDisp = 1;
    o.TipoDist = 2;
    o.Fuente.Nombre = QStringLiteral("Courier");
    QTest::newRow("TamFnt de otro tipo")
        << QByteArray("[General]\nTipoGraf=1\nTipoDist=2\nTipoDisp=1\nNomFnt=Courier\n"
                      "TamFnt=grande\nColFnt=255\nNodRad=40\nValMax=500\n")
        << o;
    o = {};
    o.VelocidadPaso = 2;
    QTest::newRow("lugar a medias")
        << QByteArray("[General]\nPasoX=10\nPasoY=20\nPasoAlto=30\nPasoVelocidad=2\n") << o;
    o = {};
    QTest::newRow("lugar de otro tipo")
        << QByteArray("[General]\nPasoX=10\nPasoY=20\nPasoAncho=a\nPasoAlto=30\nPasoVelocidad=2\n") << o;
    QTest::newRow("la carpeta de otro tipo")
        << QByteArray("[General]\nCarpetaFicheros=a, b\nPasoVelocidad=2\n") << o;
    o = {};
    o.ValMax = 7;
    QTest::newRow("entero fuera de 32 bits")
        << QByteArray("[General]\nValMax=7\nPausaAnim=99999999999\nPausaPres=100\n") << o;
    o = {};
    o.Fuente.Cursiva = true;
    QTest::newRow("booleanos distintos de 0 y 1")
        << QByteArray("[General]\nBoldFnt=5\nCursFnt=-1\n") << o;
    o = {};
    o.TipoGraf = 2;  // a list is not a string
    QTest::newRow("NomFnt como lista")
        << QByteArray("[General]\nTipoGraf=2\nNomFnt=a, b\nTamFnt=20\n") << o;
  }
  void LecturaParaEnElPrimerValorMalo() {
    QFETCH(QByteArray, contenido);
    QFETCH(TOpciones, esperado);
    QCOMPARE(Leer(contenido), esperado);
  }

  // A hand-edited store never brings a value outside the program's ranges.
  void ValoresAbsurdosSeAcotan() {
    TOpciones o = Leer("[General]\nTipoGraf=7\nTipoDist=3\nTipoDisp=-1\nNomFnt=\" \"\nTamFnt=0\n"
                       "ColFnt=-1\nColFon=-16777216\nColNod=-1\nNodRad=0\nNodSx=-3\nNodSy=101\n"
                       "PausaAnim=2147483647\nPausaPres=-1\nPausaNumEtap=-2147483648\n");
    QCOMPARE((QList<int>{o.TipoGraf, o.TipoDist, o.TipoDisp, o.NodRad, o.NodSx, o.NodSy,
                         o.PausaAnim, o.PausaPres, o.PausaNumEtap}),
             (QList<int>{0, 0, 0, 1, 0, 100, 10000, 0, 2}));
    QCOMPARE(o.Fuente, (TFuente{QStringLiteral("Arial"), 1, 0x00FFFFFF, true, false}));
    QCOMPARE((QList<TColor>{o.ColFon, o.ColNod}), (QList<TColor>{0, 0x00FFFFFF}));
    o = Leer("[General]\nNodRad=100000\nPausaNumEtap=1000\n");
    QCOMPARE((QList<int>{o.NodRad, o.PausaNumEtap}), (QList<int>{100, 50}));
    o = Leer("[General]\nPasoX=-2147483648\nPasoY=99999\nPasoAncho=0\nPasoAlto=2147483647\nPasoVelocidad=-5\n");
    QCOMPARE(o.LugarPaso, QRect(-Rangos::CoordenadaMax, Rangos::CoordenadaMax, 1, Rangos::TamPasoMax));
    QCOMPARE(o.VelocidadPaso, Rangos::VelocidadMin);
  }

  // The dialogs' settings map field to field onto the stored ones; the
  // shadows, which are not stored, come from the dialog's own.
  void AjustesDeLosDialogos() {
    const TFuente f{QStringLiteral("Courier"), 12, 0x00000042, false, true};
    const TAjustesPresentacion a{2, 1, 1, 31, 7, 9, false, 0x00111111, 0x00222222, f};
    TOpciones o;
    o.PonerPresentacion(a);
    QCOMPARE((QList<int>{o.TipoGraf, o.TipoDist, o.TipoDisp, o.NodRad, o.NodSx, o.NodSy}),
             (QList<int>{2, 1, 1, 31, 7, 9}));
    QCOMPARE((QList<TColor>{o.ColFon, o.ColNod}), (QList<TColor>{0x00111111, 0x00222222}));
    QCOMPARE(o.Fuente, f);
    QCOMPARE(o.Presentacion(a), a);
    QVERIFY(o.Presentacion().Sombras);
    o.PausaAnim = 1;
    o.PausaPres = 2;
    o.PausaNumEtap = 3;
    QCOMPARE(o.Animacion(), (TAjustesAnimacion{1, 2, 3}));
  }
};

QTEST_GUILESS_MAIN(PruebasOpciones)
#include "tst_opciones.moc"
