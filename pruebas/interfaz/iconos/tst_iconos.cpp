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

template <class F>
void CadaPixel(const QImage& im, F f) {
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      f(im.pixel(x, y));
}

// Enough opaque pixels and visible colours for a picture, not a smudge.
bool Dibujado(const QImage& im, int opacos, int colores) {
  int n = 0;
  QSet<QRgb> vistos;
  CadaPixel(im, [&](QRgb p) {
    n += qAlpha(p) == 255;
    if (qAlpha(p) > 0)
      vistos.insert(p);
  });
  return n >= opacos && vistos.size() >= colores;
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

}  // namespace

class TPruebaIconos : public QObject {
  Q_OBJECT

private Q_SLOTS:
  // Every index gives a picture at 16 and 32 px; drawn afresh (not blown up)
  // at a pixel ratio of 2; greyed and fainter when disabled. Indices outside
  // the table give none.
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
      QVERIFY2(Dibujado(im, lado * lado / 8, 3), qPrintable(QString("%1 px").arg(lado)));
    }

    const QPixmap doble = icono.pixmap(QSize(16, 16), 2.0);
    QCOMPARE(doble.size(), QSize(32, 32));
    QCOMPARE(doble.deviceIndependentSize(), QSizeF(16, 16));
    const QImage ampliada = Imagen(icono, 16).scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const int distintos = Diferentes(doble.toImage().convertToFormat(QImage::Format_ARGB32), ampliada);
    QVERIFY2(distintos >= 32, qPrintable(QString("only %1 pixels differ at 2x").arg(distintos)));

    const QImage normal = Imagen(icono, 16), apagado = Imagen(icono, 16, 1.0, QIcon::Disabled);
    qint64 alfaNormal = 0, alfaApagado = 0, coloreados = 0;
    CadaPixel(normal, [&](QRgb c) { alfaNormal += qAlpha(c); });
    CadaPixel(apagado, [&](QRgb c) {
      alfaApagado += qAlpha(c);
      coloreados += qAlpha(c) > 0 && (std::abs(qRed(c) - qGreen(c)) > 2 || std::abs(qGreen(c) - qBlue(c)) > 2);
    });
    QCOMPARE(coloreados, 0);  // disabled pixels are grey
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
    int parciales = 0, pintados = 0;
    CadaPixel(Imagen(IconoHerramienta(indice), lado), [&](QRgb p) {
      pintados += qAlpha(p) > 0;
      parciales += qAlpha(p) > 0 && qAlpha(p) < 255;
    });
    QVERIFY(pintados > 0);
    QVERIFY2(parciales < 0.12 * pintados, qPrintable(QString("%1 of %2 pixels blurred").arg(parciales).arg(pintados)));
  }

  void iconoDelPrograma() {
    const QIcon icono = IconoPrograma();
    for (int lado : {16, 256}) {
      const QImage im = Imagen(icono, lado);
      QCOMPARE(im.size(), QSize(lado, lado));
      QVERIFY(Dibujado(im, lado * lado / 2, 4));  // a tile, mostly filled
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
    QStringList raiz;  // the first element's name and its viewBox
    int circulos = 0;
    while (!xml.atEnd())
      if (xml.readNext() == QXmlStreamReader::StartElement) {
        if (raiz.isEmpty())
          raiz = {xml.name().toString(), xml.attributes().value("viewBox").toString()};
        circulos += xml.name() == QLatin1String("circle");
      }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(raiz, QStringList({"svg", "0 0 64 64"}));
    QCOMPARE(circulos, 6);
  }
};

QTEST_MAIN(TPruebaIconos)
#include "tst_iconos.moc"
