// The drawn icons: every tool bar picture is there, tells itself apart, is
// drawn afresh at high pixel ratios (also through paint()), keeps straight
// strokes crisp and greys out when disabled; the program's icon and its SVG agree.
#include "uIconos.h"

#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QImage Imagen(const QIcon& i, int lado, qreal ratio = 1, QIcon::Mode m = QIcon::Normal) {
  return i.pixmap(QSize(lado, lado), ratio, m).toImage().convertToFormat(QImage::Format_ARGB32);
}
// Pixels for which f(pixel of a, pixel of b) holds.
template <class F> int Cuantos(const QImage& a, F f, const QImage& b = {}) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      n += f(a.pixel(x, y), b.isNull() ? 0 : b.pixel(x, y));
  return n;
}
int Diferentes(const QImage& a, const QImage& b) {
  const auto lejos = [](int p, int q) { return std::abs(p - q) > 8; };  // more than a rounding step
  return Cuantos(a, [&](QRgb p, QRgb q) {
    return lejos(qRed(p), qRed(q)) || lejos(qGreen(p), qGreen(q)) || lejos(qBlue(p), qBlue(q)) || lejos(qAlpha(p), qAlpha(q));
  }, b);
}
int Alfa(const QImage& im) { return Cuantos(im, [](QRgb p, QRgb) { return qAlpha(p); }); }
// Enough opaque pixels and colours for a picture, not a smudge.
bool Dibujado(const QImage& im, int opacos, int colores) {
  QSet<QRgb> vistos;
  Cuantos(im, [&](QRgb p, QRgb) { return qAlpha(p) > 0 && (vistos.insert(p), true); });
  return Cuantos(im, [](QRgb p, QRgb) { return qAlpha(p) == 255; }) >= opacos && vistos.size() >= colores;
}

}  // namespace

class TPruebaIconos : public QObject {
  Q_OBJECT

private Q_SLOTS:
  void cadaIndiceDaUnDibujo() {
    QVERIFY(IconoHerramienta(-1).isNull() && IconoHerramienta(NumIconosHerramienta).pixmap(16).isNull());
    for (int i = 0; i < NumIconosHerramienta; ++i) {
      const QIcon icono = IconoHerramienta(i);
      const QImage a16 = Imagen(icono, 16), doble = Imagen(icono, 16, 2.0), apagado = Imagen(icono, 16, 1.0, QIcon::Disabled);
      QVERIFY2(Dibujado(a16, 32, 3) && Dibujado(Imagen(icono, 32), 128, 3) && doble.size() == QSize(32, 32), qPrintable(QString::number(i)));
      QVERIFY(Diferentes(doble, a16.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation)) >= 32);
      for (int j = i + 1; j < NumIconosHerramienta; ++j)
        QVERIFY2(Diferentes(a16, Imagen(IconoHerramienta(j), 16)) >= 16, qPrintable(QString("%1 and %2").arg(i).arg(j)));
      QVERIFY(Diferentes(a16, Imagen(IconoPrograma(), 16)) >= 16);
      QImage lienzo(32, 32, QImage::Format_ARGB32);
      lienzo.setDevicePixelRatio(2.0);
      lienzo.fill(Qt::transparent);
      QPainter p(&lienzo);
      icono.paint(&p, QRect(0, 0, 16, 16));
      p.end();
      lienzo.setDevicePixelRatio(1.0);
      QCOMPARE(Diferentes(lienzo, doble), 0);
      const auto color = [](QRgb c, QRgb) { return qAlpha(c) > 0 && (std::abs(qRed(c) - qGreen(c)) > 2 || std::abs(qGreen(c) - qBlue(c)) > 2); };
      QVERIFY(Cuantos(apagado, color) == 0 && Alfa(apagado) > 0 && Alfa(apagado) < Alfa(a16));
    }
    // Straight outlines stay sharp where a unit is not a whole number of pixels.
    for (int i : {5, 20, 23})
      for (int lado : {16, 20, 24, 40}) {
        const QImage im = Imagen(IconoHerramienta(i), lado);
        const int pintados = Cuantos(im, [](QRgb p, QRgb) { return qAlpha(p) > 0; });
        const int parciales = Cuantos(im, [](QRgb p, QRgb) { return qAlpha(p) > 0 && qAlpha(p) < 255; });
        QVERIFY2(pintados > 0 && parciales < 0.12 * pintados, qPrintable(QString("%1 at %2 px").arg(i).arg(lado)));
      }
  }
  // A mostly filled tile; the installed SVG is well formed, on the same
  // 64-unit grid, with the same six nodes.
  void iconoDelPrograma() {
    for (int lado : {16, 256})
      QVERIFY(Dibujado(Imagen(IconoPrograma(), lado), lado * lado / 2, 4));
    QFile fichero(QStringLiteral(QUELVAR_RECURSOS "/quelvar.svg"));
    QVERIFY(fichero.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&fichero);
    QStringList raiz;
    int circulos = 0;
    while (!xml.atEnd())
      if (xml.readNext() == QXmlStreamReader::StartElement) {
        raiz = raiz.isEmpty() ? QStringList{xml.name().toString(), xml.attributes().value("viewBox").toString()} : raiz;
        circulos += xml.name() == QLatin1String("circle");
      }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(raiz == QStringList({"svg", "0 0 64 64"}) && circulos == 6);
  }
};

QTEST_MAIN(TPruebaIconos)
#include "tst_iconos.moc"
