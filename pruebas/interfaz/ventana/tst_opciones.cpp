// The settings store: defaults, the reading order with its stop at the first
// bad value, clamping of absurd values, and the round trip through a file.
#include "uAlmacenQSettings.h"
#include "uOpciones.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(TOpciones)
using TCampo = int TOpciones::*;
Q_DECLARE_METATYPE(TCampo)

namespace {

const QStringList kNombres = {"TipoGraf", "TipoDist", "TipoDisp", "NomFnt", "TamFnt", "ColFnt",
                              "BoldFnt", "CursFnt", "ColFon", "ColNod", "NodRad", "NodSx",
                              "NodSy", "ValMax", "PausaAnim", "PausaPres", "PausaNumEtap"};

void Escribir(const QString& fichero, const QByteArray& contenido) {
  QFile f(fichero);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(contenido);
}

}  // namespace

class PruebasOpciones : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }

  // An empty store gives the defaults; an unreadable one (a folder where the
  // file should be) gives them too and refuses to be written.
  void AlmacenVacioOIlegibleDaLosValoresPorDefecto() {
    TAlmacenQSettings almacen(Fichero());
    const TOpciones o = LeerOpciones(almacen);
    QCOMPARE(o, TOpciones{});
    QCOMPARE(o.Fuente, (TFuente{QStringLiteral("Arial"), 8, o.Fuente.Color, true, false}));
    QCOMPARE((QList<int>{o.NodRad, o.NodSx, o.NodSy, o.ValMax, o.PausaAnim, o.PausaPres, o.PausaNumEtap}),
             (QList<int>{15, 2, 5, 99, 1000, 300, 10}));
    QCOMPARE(o.ColFon, TColor{0x00FFFFFF});
    QCOMPARE(o.ColNod, TColor{0x00FFFFC0});

    QVERIFY(QDir(Dir.path()).mkpath(QStringLiteral("carpeta.conf")));
    TAlmacenQSettings ilegible(Dir.filePath(QStringLiteral("carpeta.conf")));
    QCOMPARE(LeerOpciones(ilegible), TOpciones{});
    QVERIFY(!GuardarOpciones(ilegible, TOpciones{}));
  }

  void GuardarEscribeLosDiecisieteValoresConSusTipos() {
    TAlmacenQSettings almacen(Fichero());
    TOpciones o;
    o.Fuente = {QStringLiteral("DejaVu Sans"), 11, 0x00123456, false, true};
    o.TipoGraf = 2;
    o.ColFon = 0x00FF0000;
    o.NodRad = 30;
    o.PausaNumEtap = 50;
    QVERIFY(GuardarOpciones(almacen, o));
    QSettings s(Fichero(), QSettings::IniFormat);
    QCOMPARE(s.allKeys().size(), 17);
    for (const QString& n : kNombres) {
      QVERIFY2(s.contains(n), qPrintable(n));
      bool entero = false;
      s.value(n).toString().toInt(&entero);
      QCOMPARE(entero, n != QStringLiteral("NomFnt"));
    }
    QCOMPARE(s.value("BoldFnt").toString(), QStringLiteral("0"));
    QCOMPARE(s.value("CursFnt").toString(), QStringLiteral("1"));
    QCOMPARE(s.value("ColFon").toInt(), 0x00FF0000);
    QCOMPARE(LeerOpciones(almacen), o);
  }

  void LecturaParaEnElPrimerValorMalo_data() {
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<TOpciones>("esperado");
    TOpciones soloRadio;
    soloRadio.NodRad = 30;
    QTest::newRow("solo NodRad") << QByteArray("[General]\nNodRad=30\n") << soloRadio;

    // TamFnt is text: everything before it is read, everything after it
    // keeps its default although it is stored.
    TOpciones hastaNomFnt;
    hastaNomFnt.TipoGraf = 1;
    hastaNomFnt.TipoDist = 2;
    hastaNomFnt.TipoDisp = 1;
    hastaNomFnt.Fuente.Nombre = QStringLiteral("Courier");
    QTest::newRow("TamFnt de otro tipo")
        << QByteArray("[General]\nTipoGraf=1\nTipoDist=2\nTipoDisp=1\nNomFnt=Courier\n"
                      "TamFnt=grande\nColFnt=255\nNodRad=40\nValMax=500\n")
        << hastaNomFnt;

    TOpciones fueraDe32Bits;
    fueraDe32Bits.ValMax = 7;
    QTest::newRow("entero fuera de 32 bits")
        << QByteArray("[General]\nValMax=7\nPausaAnim=99999999999\nPausaPres=100\n")
        << fueraDe32Bits;

    TOpciones negritaCualquiera;
    negritaCualquiera.Fuente.Negrita = true;
    negritaCualquiera.Fuente.Cursiva = true;
    QTest::newRow("booleanos distintos de 0 y 1")
        << QByteArray("[General]\nBoldFnt=5\nCursFnt=-1\n") << negritaCualquiera;

    TOpciones lista;  // a list is not a string: the reading stops at NomFnt
    lista.TipoGraf = 2;
    QTest::newRow("NomFnt como lista")
        << QByteArray("[General]\nTipoGraf=2\nNomFnt=a, b\nTamFnt=20\n") << lista;
  }
  void LecturaParaEnElPrimerValorMalo() {
    QFETCH(QByteArray, contenido);
    QFETCH(TOpciones, esperado);
    Escribir(Fichero(), contenido);
    TAlmacenQSettings almacen(Fichero());
    QCOMPARE(LeerOpciones(almacen), esperado);
  }

  void ValoresAbsurdosSeAcotan_data() {
    QTest::addColumn<QByteArray>("linea");
    QTest::addColumn<TCampo>("campo");
    QTest::addColumn<int>("esperado");
    QTest::newRow("radio 0") << QByteArray("NodRad=0") << TCampo{&TOpciones::NodRad} << 1;
    QTest::newRow("radio enorme") << QByteArray("NodRad=100000") << TCampo{&TOpciones::NodRad} << 100;
    QTest::newRow("sep. negativa") << QByteArray("NodSx=-3") << TCampo{&TOpciones::NodSx} << 0;
    QTest::newRow("sep. vertical") << QByteArray("NodSy=101") << TCampo{&TOpciones::NodSy} << 100;
    QTest::newRow("etapas negativas")
        << QByteArray("PausaNumEtap=-2147483648") << TCampo{&TOpciones::PausaNumEtap} << 2;
    QTest::newRow("etapas 1000") << QByteArray("PausaNumEtap=1000") << TCampo{&TOpciones::PausaNumEtap}
                                 << 50;
    QTest::newRow("animacion") << QByteArray("PausaAnim=2147483647") << TCampo{&TOpciones::PausaAnim}
                               << 10000;
    QTest::newRow("pausa negativa") << QByteArray("PausaPres=-1") << TCampo{&TOpciones::PausaPres} << 0;
    QTest::newRow("modo grafico") << QByteArray("TipoGraf=7") << TCampo{&TOpciones::TipoGraf} << 0;
    QTest::newRow("disposicion") << QByteArray("TipoDisp=-1") << TCampo{&TOpciones::TipoDisp} << 0;
  }
  void ValoresAbsurdosSeAcotan() {
    QFETCH(QByteArray, linea);
    QFETCH(TCampo, campo);
    QFETCH(int, esperado);
    Escribir(Fichero(), "[General]\n" + linea + "\n");
    TAlmacenQSettings almacen(Fichero());
    QCOMPARE(LeerOpciones(almacen).*campo, esperado);
  }

  void ColoresYFuenteSeAcotan() {
    Escribir(Fichero(), "[General]\nNomFnt=\nTamFnt=0\nColFnt=-1\nColFon=-16777216\n");
    TAlmacenQSettings almacen(Fichero());
    const TOpciones o = LeerOpciones(almacen);
    QCOMPARE(o.Fuente.Nombre, QStringLiteral("Arial"));
    QCOMPARE(o.Fuente.Tam, 1);
    QCOMPARE(o.Fuente.Color, TColor{0x00FFFFFF});
    QCOMPARE(o.ColFon, TColor{0});
  }

};

QTEST_GUILESS_MAIN(PruebasOpciones)
#include "tst_opciones.moc"
