// The node picture set (layers, frames, tints, sizes, damaged files) and the block combinations.
#include "uImagenes.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <climits>
#include <functional>

namespace {

quint32 Palabra(const QImage& img, int x, int y) { return reinterpret_cast<const quint32*>(img.constScanLine(y))[x]; }
quint32 Indice(const QImage& img, int x, int y) { return img.constScanLine(y)[x]; }
quint32 Leer(const QImage& img, int x, int y) { return img.depth() == 8 ? Indice(img, x, y) : Palabra(img, x, y); }
// A picture whose pixel (x, y) is f(x, y): a colour, or an index when a palette is given.
QImage Pintada(int w, int h, const std::function<uint(int, int)>& f, const QList<QRgb>& paleta = {}, QImage::Format formato = QImage::Format_RGB32) {
  QImage img(w, h, paleta.isEmpty() ? formato : QImage::Format_Indexed8);
  img.setColorTable(paleta);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixel(x, y, f(x, y));
  return img;
}
// 256 distinct colours, black at 0 and white at 255.
QList<QRgb> Paleta() {
  QList<QRgb> p(256);
  for (int i = 0; i < 256; ++i)
    p[i] = i == 0 ? qRgb(0, 0, 0) : i == 255 ? qRgb(255, 255, 255) : qRgb(i, 255 - i, (i * 7) & 0xFF);
  return p;
}
// Which pixels of mask cell c are white; masks of three cells of side s in the greys given.
bool NorBlanco(int c, int x, int y) { return (x + y + c) % 3 != 0; }
bool FonBlanco(int c, int x, int y) { return (x * y + c) % 2 == 0; }
QImage Mascara(int s, bool (*blanco)(int, int, int), int claro, int oscuro) {
  return Pintada(3 * s, s, [=](int x, int y) { return blanco(x / s, x % s, y) ? qRgb(claro, claro, claro) : qRgb(oscuro, oscuro, oscuro); });
}
uint IdxNodo(int t, int x, int y) { return uint(x * 20 + y * 3 + t * 5) % 254 + 1; }
uint IdxSecuencia(int x, int y) { return uint(x * 13 + y * 5) % 254 + 1; }
bool Guardar(const QDir& dir, const QString& nombre, const QImage& img) { return img.save(dir.filePath(nombre), "BMP"); }
QByteArray Bmp(const QImage& img, const char* formato = "BMP") {
  QByteArray b;
  QBuffer buffer(&b);
  return buffer.open(QIODevice::WriteOnly) && img.save(&buffer, formato) ? b : QByteArray("?");
}

// A set of cells of side s in Paleta()'s colours (red nodes reordered in 8 bits; the sequence always true-colour),
// the node pictures and the sequence a little larger than their whole cells.
bool EscribirConjunto(const QDir& dir, bool modo8, int s = 4) {
  const QList<QRgb> pal = Paleta();
  QList<QRgb> otra(256);
  for (int i = 0; i < 256; ++i)
    otra[(i * 7 + 3) % 256] = pal[i];
  bool ok = true;
  for (int t = 0; t < 3; ++t)
    ok = ok && Guardar(dir, QString::fromLatin1(std::array{"Nodos", "NodosR", "NodosN"}[std::size_t(t)]) + (modo8 ? "256.bmp" : ".bmp"),
                       Pintada(3 * s + 1, s + 1, [&](int x, int y) {
                         const uint i = IdxNodo(t, x, y);
                         return !modo8 ? pal[int(i)] : t == 1 ? (i * 7 + 3) % 256 : i;
                       }, !modo8 ? QList<QRgb>{} : t == 1 ? otra : pal));
  return ok && Guardar(dir, "MaskNor.bmp", Mascara(s, NorBlanco, 200, 60)) && Guardar(dir, "MaskFon.bmp", Mascara(s, FonBlanco, 255, 0)) &&
         Guardar(dir, "Secuencia.bmp", Pintada(5 * s + s / 2, s, IdxSecuencia, pal).convertToFormat(QImage::Format_RGB32));
}

}  // namespace

class PruebasImagenes : public QObject {
  Q_OBJECT

private Q_SLOTS:
  // Every layer and frame against a model of the cells; tints rebuild the shadows only, never in 8 bits.
  void capasYFrames() {
    for (bool modo8 : {false, true}) {
      QTemporaryDir tmp;
      const QDir dir(tmp.path());
      const int s = 4, F = 5;
      TImagenesNodos im;
      QVERIFY(EscribirConjunto(dir, modo8) && !im.CargarImagenes(!modo8, dir) && im.CargarImagenes(modo8, dir));  // the other depth's names are not there
      QVERIFY(im.HayImagenes() && im.Modo8Bits() == modo8 && im.TamImg() == s && im.NumFrames() == F && im.MascSecuencia(F - 1).size() == QSize(s, s));
      const QList<QRgb> pal = Paleta();
      const quint32 negro = modo8 ? 0 : 0xFF000000u, blanco = modo8 ? 0xFF : 0xFFFFFFFFu;
      const auto color = [&](uint i) { return modo8 ? quint32(i) : quint32(pal[int(i)]) | 0xFF000000u; };
      for (int i = 0; i < 9 * s * s; ++i) {
        const int t = i / (3 * s * s), e = i / (s * s) % 3, y = i / s % s, x = i % s;
        const bool nodo = NorBlanco(e, x, y), sombra = FonBlanco(e, x, y);
        const quint32 c = color(IdxNodo(t, e * s + x, y)), esperados[4] = {nodo ? c : negro, sombra ? c : negro, nodo ? negro : blanco, sombra ? negro : blanco};
        QVERIFY(im.Capa(t, e, 0).format() == (modo8 ? QImage::Format_Indexed8 : QImage::Format_RGB32) && (!modo8 || im.Capa(t, e, 1).colorTable() == pal));
        for (int k = 0; k < 4; ++k)
          QVERIFY2(Leer(im.Capa(t, e, k), x, y) == esperados[k], qPrintable(QStringLiteral("8 bits %1: t %2 e %3 k %4 (%5, %6)").arg(modo8).arg(t).arg(e).arg(k).arg(x).arg(y)));
      }
      for (int i = 0; i < F * s * s; ++i) {  // frame i / s², through the first node mask
        const int f = i / (s * s), y = i / s % s, x = i % s;
        QVERIFY(Leer(im.ImgSecuencia(f), x, y) == (NorBlanco(0, x, y) ? color(IdxSecuencia(f * s + x, y)) : negro) && Leer(im.MascSecuencia(f), x, y) == (NorBlanco(0, x, y) ? negro : blanco));
      }
      QVERIFY(im.ImgSecuencia(F).isNull() && im.MascSecuencia(-1).isNull() && im.Capa(3, 0, 0).isNull() && im.Capa(0, 3, 0).isNull() && im.Capa(0, 0, 4).isNull());
      const QImage nodo = im.Capa(1, 2, 0), hueco = im.Capa(1, 2, 2), sombra = im.Capa(0, 1, 1).copy();
      for (const TColor c : {0x00123456u, 0x00FFFFFFu}) {  // the second from the sources, not over the first
        im.TintarSombras(c);
        for (int i = 0; i < 9 * s * s && !modo8; ++i) {
          const int t = i / (3 * s * s), e = i / (s * s) % 3, y = i / s % s, x = i % s;
          const QRgb p = FonBlanco(e, x, y) ? pal[int(IdxNodo(t, e * s + x, y))] : 0;
          QVERIFY2(Palabra(im.Capa(t, e, 1), x, y) == (0xFF000000u | quint32(qRed(p) * RojoDe(c) / 256) << 16 | quint32(qGreen(p) * VerdeDe(c) / 256) << 8 |
                                                      quint32(qBlue(p) * AzulDe(c) / 256)), qPrintable(QString::number(c, 16)));
        }
      }
      QVERIFY(im.Capa(1, 2, 0) == nodo && im.Capa(1, 2, 2) == hueco && (!modo8 || im.Capa(0, 1, 1) == sombra));
    }
  }
  void celdasDeUnPixel() {
    QTemporaryDir tmp;
    TImagenesNodos im;
    QVERIFY(EscribirConjunto(QDir(tmp.path()), false, 1) && im.CargarImagenes(false, QDir(tmp.path())) && im.TamImg() == 1 && im.NumFrames() == 5);
  }
  // The folders in the order tried, each once; the set comes from the first one holding a whole set.
  void carpetasEnOrden() {
    QCOMPARE(CarpetasImagenes("/t", "/u/bin/", "/d"), (QStringList{"/t", "/u/bin", "/u/share/quelvar", "/d"}));
    QCOMPARE(CarpetasImagenes("/u/bin", "", "/u/bin/../share/quelvar"), (QStringList{"/u/bin", "/u/share/quelvar"}));
    QVERIFY(CarpetasImagenes().first() == QDir::currentPath() && CarpetasImagenes().last() == QUELVAR_CARPETA_DATOS);
    QTemporaryDir vacia, llena, otra;
    TImagenesNodos im;
    QVERIFY(EscribirConjunto(QDir(llena.path()), false) && EscribirConjunto(QDir(otra.path()), false, 2));
    QCOMPARE(im.CargarDeCarpetas(false, {vacia.path(), llena.path(), otra.path()}), llena.path());
    QVERIFY(im.TamImg() == 4 && !im.CargarDeCarpetas(false, {vacia.path()}) && !im.HayImagenes());
  }
  // One file of a good set damaged (null: removed), a case per rejection: the load fails and empties the set.
  void fallos() {
    QTemporaryDir buena;
    const QDir dir(buena.path());
    QVERIFY(EscribirConjunto(dir, false));
    const auto leido = [&](const char* n) { QFile f(dir.filePath(n)); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); };
    const QByteArray basura = "BM" + QByteArray(198, '\x5A'), enorme = leido("Nodos.bmp").replace(18, 4, QByteArray("\xA0\x86\x01\x00", 4));  // 100000 px wide
    const auto patron = [](int x, int y) { return qRgb(x * 40, y * 60, 9); };
    const std::pair<const char*, QByteArray> casos[] = {
        {"Secuencia.bmp", {}}, {"Nodos.bmp", QByteArray("")}, {"Secuencia.bmp", leido("Secuencia.bmp").chopped(8)},  // missing, empty, a row short
        {"MaskNor.bmp", basura}, {"NodosN.bmp", Bmp(Pintada(12, 5, patron), "PNG")}, {"Nodos.bmp", enorme},       // not a picture, too wide
        {"Nodos.bmp", Bmp(Pintada(2, 5, patron))}, {"NodosR.bmp", Bmp(Pintada(11, 5, patron))},                     // cells: none, narrower
        {"MaskFon.bmp", Bmp(Mascara(4, FonBlanco, 255, 0).copy(0, 0, 12, 3))}};                                      // lower
    for (const auto& [fichero, datos] : casos) {
      QTemporaryDir mala;
      QFile f(QDir(mala.path()).filePath(fichero));
      QVERIFY(EscribirConjunto(QDir(mala.path()), false) && (datos.isNull() ? f.remove() : f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos) == datos.size()));
      f.close();
      TImagenesNodos im;
      QVERIFY2(im.CargarImagenes(false, dir) && !im.CargarImagenes(false, QDir(mala.path())) && !im.HayImagenes() && im.TamImg() + im.NumFrames() == 0,
               qPrintable(QStringLiteral("%1 of %2 bytes").arg(fichero).arg(datos.size())));
      im.TintarSombras(0x00FF0000);
      QVERIFY(im.Capa(0, 0, 0).isNull() && im.Capa(0, 0, 1).isNull() && im.MascSecuencia(0).isNull());
    }
  }
  // Every mode across each border, both depths, against a pixel model; mismatched or null pictures: nothing.
  void recorte() {
    const int W = 7, H = 5;
    const QImage d32 = Pintada(W, H, [](int i, int j) { return i * 0x1F3A51u + j * 0x0B0C0Du; });
    const QImage d8 = Pintada(W, H, [](int i, int j) { return (i * 29 + j * 7) & 0xFF; }, Paleta());
    for (const auto& [x, y, lado] : {std::tuple{2, 1, QSize(3, 3)}, {-2, -2, QSize(3, 3)}, {6, 4, QSize(3, 3)}, {INT_MIN, INT_MIN, QSize(3, 3)},
                                     {INT_MAX - 1, 0, QSize(3, 3)}, {-1, -2, QSize(10, 9)}}) {
      const QImage f8 = Pintada(lado.width(), lado.height(), [](int i, int j) { return (i * 53 + j * 11 + 3) & 0xFF; }, Paleta());
      const QImage f32 = Pintada(lado.width(), lado.height(), [](int i, int j) { return (0xC0FFEEu * (i + 1) + 0x123 * j) & 0xFFFFFFu; }, {}, QImage::Format_ARGB32);  // the fourth byte 0
      for (TCombinacion modo : {TCombinacion::Copiar, TCombinacion::Y, TCombinacion::O, TCombinacion::Invertir}) {
        QImage r32 = d32.copy(), r8 = d8.copy();
        CombinarBits(r32, x, y, f32, modo), CombinarBits(r8, x, y, f8, modo);
        for (int k = 0; k < W * H; ++k) {
          const int i = k % W, j = k / W;
          const qint64 fx = qint64(i) - x, fy = qint64(j) - y;
          const bool dentro = fx >= 0 && fy >= 0 && fx < lado.width() && fy < lado.height();
          const auto op = [&](quint32 d, quint32 s) { return !dentro ? d : modo == TCombinacion::Copiar ? s : modo == TCombinacion::Y ? d & s : modo == TCombinacion::O ? d | s : ~d; };
          QVERIFY2(Palabra(r32, i, j) == (op(Palabra(d32, i, j), dentro ? Palabra(f32, int(fx), int(fy)) : 0) | (dentro ? 0xFF000000u : 0)) &&
                       Indice(r8, i, j) == (op(Indice(d8, i, j), dentro ? Indice(f8, int(fx), int(fy)) : 0) & 0xFF),
                   qPrintable(QStringLiteral("mode %1 at (%2, %3), pixel (%4, %5)").arg(int(modo)).arg(x).arg(y).arg(i).arg(j)));
        }
      }
    }
    QImage d = d32.copy(), nula;
    CombinarBits(d, 0, 0, d8, TCombinacion::Copiar), CombinarBits(d, 0, 0, QImage(), TCombinacion::Invertir), CombinarBits(nula, 0, 0, d32, TCombinacion::Copiar);
    QVERIFY(d == d32 && nula.isNull());
  }
};

QTEST_GUILESS_MAIN(PruebasImagenes)
#include "tst_imagenes.moc"
