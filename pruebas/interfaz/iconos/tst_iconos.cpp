// The drawn icons: every tool bar picture is there and tells itself apart,
// is drawn afresh (not blown up) at high pixel ratios, keeps its lines on
// whole pixels, and greys out when disabled; the application icon and the
// SVG it is installed as agree in shape.
#include "uIconos.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QImage Imagen(const QIcon& icono, int lado, qreal ratio = 1.0, QIcon::Mode modo = QIcon::Normal) {
  return icono.pixmap(QSize(lado, lado), ratio, modo).toImage().convertToFormat(QImage::Format_ARGB32);
}

int Opacos(const QImage& im) {
  int n = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      n += qAlpha(im.pixel(x, y)) == 255;
  return n;
}

int ColoresVisibles(const QImage& im) {
  QSet<QRgb> colores;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      if (qAlpha(im.pixel(x, y)) > 0)
        colores.insert(im.pixel(x, y));
  return static_cast<int>(colores.size());
}

// Pixels of two equal-sized images that differ by more than a rounding step.
int Diferentes(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      n += std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 ||
           std::abs(qBlue(p) - qBlue(q)) > 8 || std::abs(qAlpha(p) - qAlpha(q)) > 8;
    }
  return n;
}

// Share of the drawn pixels that are only partly covered.
double Borrosos(const QImage& im) {
  int parciales = 0, pintados = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) {
      const int a = qAlpha(im.pixel(x, y));
      pintados += a > 0;
      parciales += a > 0 && a < 255;
    }
  return pintados ? static_cast<double>(parciales) / pintados : 1.0;
}

}  // namespace

class TPruebaIconos : public QObject {
  Q_OBJECT

private Q_SLOTS:
  // Every index gives a picture, drawn with enough pixels and colours at 16
  // and 32 px; drawn afresh (not blown up) at a pixel ratio of 2; greyed and
  // fainter when disabled. Indices outside the table give none.
  void cadaIndiceDaUnDibujo_data() {
    QTest::addColumn<int>("indice");
    for (int i = -1; i <= NumIconosHerramienta; ++i)
      QTest::addRow("%d", i) << i;
  }
  void cadaIndiceDaUnDibujo() {
    QFETCH(int, indice);
    const QIcon icono = IconoHerramienta(indice);
    if (indice < 0 || indice >= NumIconosHerramienta) {
      QVERIFY(icono.isNull() && icono.pixmap(16).isNull());
      return;
    }
    for (int lado : {16, 32}) {
      const QImage im = Imagen(icono, lado);
      QCOMPARE(im.size(), QSize(lado, lado));
      QVERIFY2(Opacos(im) >= lado * lado / 8 && ColoresVisibles(im) >= 3, qPrintable(QString("%1 px").arg(lado)));
    }

    const QPixmap doble = icono.pixmap(QSize(16, 16), 2.0);
    QCOMPARE(doble.size(), QSize(32, 32));
    QCOMPARE(doble.deviceIndependentSize(), QSizeF(16, 16));
    const QImage ampliada = Imagen(icono, 16).scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const int distintos = Diferentes(doble.toImage().convertToFormat(QImage::Format_ARGB32), ampliada);
    QVERIFY2(distintos >= 32, qPrintable(QString("only %1 pixels differ at 2x").arg(distintos)));

    const QImage normal = Imagen(icono, 16), apagado = Imagen(icono, 16, 1.0, QIcon::Disabled);
    QVERIFY(Diferentes(normal, apagado) > 0);
    qint64 alfaNormal = 0, alfaApagado = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const QRgb c = apagado.pixel(x, y);
        if (qAlpha(c) > 0)
          QVERIFY2(std::abs(qRed(c) - qGreen(c)) <= 2 && std::abs(qGreen(c) - qBlue(c)) <= 2,
                   "a disabled pixel keeps its colour");
        alfaNormal += qAlpha(normal.pixel(x, y));
        alfaApagado += qAlpha(c);
      }
    QVERIFY(alfaApagado > 0 && alfaApagado < alfaNormal);
  }

  void todosDistintosA16() {
    QList<QImage> imagenes;
    for (int i = 0; i < NumIconosHerramienta; ++i)
      imagenes.append(Imagen(IconoHerramienta(i), 16));
    for (int i = 0; i < NumIconosHerramienta; ++i)
      for (int j = i + 1; j < NumIconosHerramienta; ++j)
        QVERIFY2(Diferentes(imagenes[i], imagenes[j]) >= 16,
                 qPrintable(QString("%1 and %2 look alike").arg(i).arg(j)));
  }

  // Drawing through QIcon::paint on a 2x surface gives the 2x picture.
  void pintarRespetaLaDensidad() {
    const QIcon icono = IconoHerramienta(5);
    QImage lienzo(32, 32, QImage::Format_ARGB32);
    lienzo.setDevicePixelRatio(2.0);
    lienzo.fill(Qt::transparent);
    {
      QPainter p(&lienzo);
      icono.paint(&p, QRect(0, 0, 16, 16));
    }
    lienzo.setDevicePixelRatio(1.0);
    QCOMPARE(Diferentes(lienzo, Imagen(icono, 16, 2.0)), 0);
  }

  // Pictures built of straight outlines must stay sharp at any size, also
  // where a unit is not a whole number of pixels: with strokes off the pixel
  // grid every edge turns into two half-covered rows.
  void trazosRectosNitidos_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<int>("lado");
    for (int i : {5, 20, 23})
      for (int lado : {16, 20, 24, 40})
        QTest::addRow("%d at %d px", i, lado) << i << lado;
  }
  void trazosRectosNitidos() {
    QFETCH(int, indice);
    QFETCH(int, lado);
    const double borrosos = Borrosos(Imagen(IconoHerramienta(indice), lado));
    QVERIFY2(borrosos < 0.12, qPrintable(QString("%1 of the pixels blurred").arg(borrosos)));
  }

  void iconoDelPrograma() {
    const QIcon icono = IconoPrograma();
    QVERIFY(!icono.isNull());
    for (int lado : {16, 256}) {
      const QImage im = Imagen(icono, lado);
      QCOMPARE(im.size(), QSize(lado, lado));
      QVERIFY(Opacos(im) >= lado * lado / 2 && ColoresVisibles(im) >= 4);  // a tile, mostly filled
    }
    for (int i = 0; i < NumIconosHerramienta; ++i)
      QVERIFY(Diferentes(Imagen(icono, 16), Imagen(IconoHerramienta(i), 16)) >= 16);
  }

  // The installed SVG is well formed and drawn on the same 64-unit grid as
  // the icon painted in code, with the same six nodes.
  void svgDelPrograma() {
    QFile fichero(QStringLiteral(QUELVAR_RECURSOS "/quelvar.svg"));
    QVERIFY(fichero.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&fichero);
    int circulos = 0;
    bool raiz = true;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement)
        continue;
      if (raiz) {
        QCOMPARE(xml.name(), QLatin1String("svg"));
        QCOMPARE(xml.attributes().value("viewBox"), QLatin1String("0 0 64 64"));
        raiz = false;
      }
      circulos += xml.name() == QLatin1String("circle");
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(circulos, 6);
  }
};

QTEST_MAIN(TPruebaIconos)
#include "tst_iconos.moc"
