// The drawn icons: present, distinct, drawn afresh at high ratios, crisp, grey when disabled; the program's icon.
#include "uIconos.h"

#include <QPainter>
#include <QTest>
#include <QXmlStreamReader>

#include <array>

namespace {

QImage Imagen(const QIcon& i, int lado, qreal ratio = 1, QIcon::Mode m = QIcon::Normal) { return i.pixmap(QSize(lado, lado), ratio, m).toImage().convertToFormat(QImage::Format_ARGB32); }
// Pixels for which f(pixel of a, pixel of b) holds.
template <class F> int Cuantos(const QImage& a, F f, const QImage& b = {}) {
  int n = 0;
  for (int i = 0; i < a.width() * a.height(); ++i)
    n += f(a.pixel(i % a.width(), i / a.width()), b.isNull() ? 0 : b.pixel(i % a.width(), i / a.width()));
  return n;
}
int Diferentes(const QImage& a, const QImage& b) {  // by more than a rounding step in some channel
  return Cuantos(a, [](QRgb p, QRgb q) {
    return std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 || std::abs(qBlue(p) - qBlue(q)) > 8 || std::abs(qAlpha(p) - qAlpha(q)) > 8;
  }, b);
}
// Enough opaque pixels and colours for a picture, not a smudge.
bool Dibujado(const QImage& im, int opacos, int colores) {
  QSet<QRgb> vistos;
  return Cuantos(im, [&](QRgb p, QRgb) { return qAlpha(p) > 0 && (vistos.insert(p), qAlpha(p) == 255); }) >= opacos && vistos.size() >= colores;
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
      QVERIFY2(Dibujado(a16, 32, 3) && Dibujado(Imagen(icono, 32), 128, 3) && doble.size() == QSize(32, 32) &&
                   Diferentes(doble, a16.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation)) >= 32, qPrintable(QString::number(i)));
      for (int j = i + 1; j <= NumIconosHerramienta; ++j)  // the last: the program's icon
        QVERIFY2(Diferentes(a16, Imagen(j < NumIconosHerramienta ? IconoHerramienta(j) : IconoPrograma(), 16)) >= 16, qPrintable(QString("%1, %2").arg(i).arg(j)));
      QImage lienzo(32, 32, QImage::Format_ARGB32);
      lienzo.fill(Qt::transparent), lienzo.setDevicePixelRatio(2.0);
      QPainter p(&lienzo);
      icono.paint(&p, QRect(0, 0, 16, 16));
      p.end(), lienzo.setDevicePixelRatio(1.0);
      const auto color = [](QRgb c, QRgb) { return qAlpha(c) > 0 && (std::abs(qRed(c) - qGreen(c)) > 2 || std::abs(qGreen(c) - qBlue(c)) > 2); };
      const auto alfa = [](QRgb c, QRgb) { return qAlpha(c); };
      QVERIFY(Diferentes(lienzo, doble) == 0 && Cuantos(apagado, color) == 0 && Cuantos(apagado, alfa) > 0 && Cuantos(apagado, alfa) < Cuantos(a16, alfa));
    }
    for (int k = 0; k < 12; ++k) {  // straight outlines stay sharp where a unit is not a whole number of pixels
      const QImage im = Imagen(IconoHerramienta(std::array{5, 20, 23}[k / 4]), std::array{16, 20, 24, 40}[k % 4]);
      const int pintados = Cuantos(im, [](QRgb p, QRgb) { return qAlpha(p) > 0; }), parciales = Cuantos(im, [](QRgb p, QRgb) { return qAlpha(p) > 0 && qAlpha(p) < 255; });
      QVERIFY2(pintados > 0 && parciales < 0.12 * pintados, qPrintable(QString::number(k)));
    }
  }
  // A mostly filled tile; the installed SVG is well formed, on the same 64-unit grid, with the same six nodes.
  void iconoDelPrograma() {
    for (int lado : {16, 256})
      QVERIFY(Dibujado(Imagen(IconoPrograma(), lado), lado * lado / 2, 4));
    QFile fichero(QStringLiteral(QUELVAR_RECURSOS "/quelvar.svg"));
    const QByteArray svg = fichero.open(QIODevice::ReadOnly) ? fichero.readAll() : QByteArray();
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
      xml.readNext();
    QVERIFY2(!xml.hasError() && svg.contains("viewBox=\"0 0 64 64\"") && svg.count("<circle") == 6, qPrintable(xml.errorString()));
  }
};

QTEST_MAIN(TPruebaIconos)
#include "tst_iconos.moc"
