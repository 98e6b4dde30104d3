// The node picture set: layers and frames cut from small crafted sets of both
// depths, re-tinting, sizes, damaged files, the block combinations at every
// border, and the set the generator draws.
#include "../dibujo/carpeta_imagenes.h"
#include "uImagenes.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <climits>
#include <functional>

namespace {

quint32 Palabra(const QImage& img, int x, int y) { return reinterpret_cast<const quint32*>(img.constScanLine(y))[x]; }
quint32 Indice(const QImage& img, int x, int y) { return img.constScanLine(y)[x]; }
// A pixel as a word in 32-bit pictures, as an index in 8-bit ones.
quint32 Leer(const QImage& img, int x, int y) { return img.depth() == 8 ? Indice(img, x, y) : Palabra(img, x, y); }

// A picture whose pixel (x, y) is f(x, y): a colour, or an index when a palette is given.
QImage Pintada(int w, int h, const std::function<uint(int, int)>& f, const QList<QRgb>& paleta = {}) {
  QImage img(w, h, paleta.isEmpty() ? QImage::Format_RGB32 : QImage::Format_Indexed8);
  img.setColorTable(paleta);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixel(x, y, f(x, y));
  return img;
}

// 256 distinct colours (the red channel is the index), black at 0 and white at 255.
QList<QRgb> Paleta() {
  QList<QRgb> p;
  for (int i = 0; i < 256; ++i)
    p.append(qRgb(i, 255 - i, (i * 7) & 0xFF));
  p[0] = qRgb(0, 0, 0);
  p[255] = qRgb(255, 255, 255);
  return p;
}

// Which pixels of mask cell c are white; the node mask is written in the greys
// 200 and 60, so the loader's threshold is exercised.
bool NorBlanco(int c, int x, int y) { return (x + y + c) % 3 != 0; }
bool FonBlanco(int c, int x, int y) { return (x * y + c) % 2 == 0; }
QImage Mascara(int s, bool (*blanco)(int, int, int), int claro, int oscuro) {
  return Pintada(3 * s, s, [=](int x, int y) {
    const int g = blanco(x / s, x % s, y) ? claro : oscuro;
    return qRgb(g, g, g);
  });
}
// The palette index of pixel (x, y) of node picture t and of the sequence.
uint IdxNodo(int t, int x, int y) { return uint(x * 20 + y * 3 + t * 5) % 254 + 1; }
uint IdxSecuencia(int x, int y) { return uint(x * 13 + y * 5) % 254 + 1; }

bool Guardar(const QDir& dir, const QString& nombre, const QImage& img) { return img.save(dir.filePath(nombre), "BMP"); }

// A crafted set of cells of side s, drawn in the colours of Paleta(). In
// 8-bit mode the red nodes come with the same colours in another order, and
// the sequence is a true-colour picture in both modes.
bool EscribirConjunto(const QDir& dir, bool modo8, int s = 4, int frames = 5) {
  const QList<QRgb> pal = Paleta();
  QList<QRgb> otra(256);
  for (int i = 0; i < 256; ++i)
    otra[(i * 7 + 3) % 256] = pal[i];
  bool ok = true;
  for (int t = 0; t < 3; ++t) {
    const QString nombre = QString::fromLatin1(t == 0 ? "Nodos" : t == 1 ? "NodosR" : "NodosN") + (modo8 ? "256.bmp" : ".bmp");
    const bool mapeada = modo8 && t == 1;
    ok = ok && Guardar(dir, nombre, Pintada(3 * s, s, [&](int x, int y) {
           const uint i = IdxNodo(t, x, y);
           return !modo8 ? pal[i] : mapeada ? (i * 7 + 3) % 256 : i;
         }, modo8 ? (mapeada ? otra : pal) : QList<QRgb>{}));
  }
  return ok && Guardar(dir, "MaskNor.bmp", Mascara(s, NorBlanco, 200, 60)) &&
         Guardar(dir, "MaskFon.bmp", Mascara(s, FonBlanco, 255, 0)) &&
         Guardar(dir, "Secuencia.bmp", Pintada(frames * s, s, IdxSecuencia, pal).convertToFormat(QImage::Format_RGB32));
}

}  // namespace

class PruebasImagenes : public QObject {
  Q_OBJECT

private Q_SLOTS:
  // Every layer and frame against a model of the cells: the node and shadow
  // pictures are the cell through its mask (black outside), the holes black
  // inside and white outside; a frame is its cell through the first node mask.
  // Tints rebuild only the shadows, from the sources; never in 8-bit mode.
  void capasYFrames_data() {
    QTest::addColumn<bool>("modo8");
    QTest::newRow("32 bits") << false;
    QTest::newRow("8 bits") << true;
  }
  void capasYFrames() {
    QFETCH(bool, modo8);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const int s = 4, F = 5;
    QVERIFY(EscribirConjunto(dir, modo8, s, F));
    TImagenesNodos im;
    QVERIFY2(!im.CargarImagenes(!modo8, dir), "the other depth's names are not there");
    QVERIFY(im.CargarImagenes(modo8, dir));
    QVERIFY(im.HayImagenes() && im.Modo8Bits() == modo8);
    QCOMPARE(im.TamImg(), s);
    QCOMPARE(im.NumFrames(), F);
    const QList<QRgb> pal = Paleta();
    const quint32 negro = modo8 ? 0 : 0xFF000000u, blanco = modo8 ? 0xFF : 0xFFFFFFFFu;
    const auto color = [&](uint i) { return modo8 ? quint32(i) : quint32(pal[int(i)]) | 0xFF000000u; };
    for (int t = 0; t < 3; ++t)
      for (int e = 0; e < 3; ++e) {
        QCOMPARE(im.Capa(t, e, 0).format(), modo8 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
        if (modo8)
          QCOMPARE(im.Capa(t, e, 1).colorTable(), pal);
        for (int y = 0; y < s; ++y)
          for (int x = 0; x < s; ++x) {
            const bool nodo = NorBlanco(e, x, y), sombra = FonBlanco(e, x, y);
            const quint32 c = color(IdxNodo(t, e * s + x, y));
            const quint32 esperados[4] = {nodo ? c : negro, sombra ? c : negro, nodo ? negro : blanco,
                                          sombra ? negro : blanco};
            for (int k = 0; k < 4; ++k)
              QVERIFY2(Leer(im.Capa(t, e, k), x, y) == esperados[k],
                       qPrintable(QStringLiteral("t %1 e %2 k %3 (%4, %5)").arg(t).arg(e).arg(k).arg(x).arg(y)));
          }
      }
    for (int f = 0; f < F; ++f)
      for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
          const bool nodo = NorBlanco(0, x, y);
          QVERIFY(Leer(im.ImgSecuencia(f), x, y) == (nodo ? color(IdxSecuencia(f * s + x, y)) : negro));
          QVERIFY(Leer(im.MascSecuencia(f), x, y) == (nodo ? negro : blanco));
        }
    QVERIFY(im.ImgSecuencia(F).isNull() && im.MascSecuencia(-1).isNull());
    QVERIFY(im.Capa(3, 0, 0).isNull() && im.Capa(0, 3, 0).isNull() && im.Capa(0, 0, 4).isNull());

    const QImage nodo = im.Capa(1, 2, 0), hueco = im.Capa(1, 2, 2), sombra = im.Capa(0, 1, 1).copy();
    for (const TColor c : {0x00123456u, 0x00FF0000u, 0x00FFFFFFu}) {
      im.TintarSombras(c);
      for (int t = 0; t < 3 && !modo8; ++t)
        for (int e = 0; e < 3; ++e)
          for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x) {
              const QRgb p = FonBlanco(e, x, y) ? pal[int(IdxNodo(t, e * s + x, y))] : 0;
              const quint32 esperado = 0xFF000000u | quint32(qRed(p) * RojoDe(c) / 256) << 16 |
                                       quint32(qGreen(p) * VerdeDe(c) / 256) << 8 | quint32(qBlue(p) * AzulDe(c) / 256);
              QVERIFY2(Palabra(im.Capa(t, e, 1), x, y) == esperado, qPrintable(QString::number(c, 16)));
            }
    }
    QVERIFY(im.Capa(1, 2, 0) == nodo && im.Capa(1, 2, 2) == hueco);
    if (modo8)
      QCOMPARE(im.Capa(0, 1, 1), sombra);
  }
  // Cell side from the plain nodes' width div 3 (pictures may be higher
  // than a cell), frames from the sequence's whole cells.
  void tamanos() {
    const auto patron = [](int x, int y) { return qRgb(x * 37, y * 53, x * y); };
    for (const auto& [anchoNodos, secuencia, tam, frames] :
         {std::tuple{91, QSize(300, 30), 30, 10}, {3, QSize(5, 1), 1, 5}, {90, QSize(29, 30), 30, 0},
          {90, QSize(300, 29), 30, 0}, {90, QSize(310, 40), 30, 10}}) {
      QTemporaryDir tmp;
      const QDir dir(tmp.path());
      for (const char* n : {"Nodos.bmp", "NodosR.bmp", "NodosN.bmp"})
        QVERIFY(Guardar(dir, n, Pintada(anchoNodos, tam + 2, patron)));
      QVERIFY(Guardar(dir, "MaskNor.bmp", Mascara(tam, NorBlanco, 255, 0)) && Guardar(dir, "MaskFon.bmp", Mascara(tam, FonBlanco, 255, 0)) &&
              Guardar(dir, "Secuencia.bmp", Pintada(secuencia.width(), secuencia.height(), patron)));
      TImagenesNodos im;
      QVERIFY(im.CargarImagenes(false, dir));
      QVERIFY(im.TamImg() == tam && im.NumFrames() == frames && im.Capa(2, 2, 3).size() == QSize(tam, tam));
      QVERIFY(frames == 0 || im.MascSecuencia(frames - 1).size() == QSize(tam, tam));
    }
  }
  // One file of a good set replaced by the bytes given (a null array removes
  // it): the load fails and empties a set that had loaded before.
  void fallos_data() {
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<QByteArray>("datos");
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    QVERIFY(EscribirConjunto(dir, false));
    const auto leido = [&](const char* n) {
      QFile f(dir.filePath(n));
      return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const auto bmp = [](const QImage& img, const char* formato = "BMP") {
      QByteArray b;
      QBuffer buffer(&b);
      return buffer.open(QIODevice::WriteOnly) && img.save(&buffer, formato) ? b : QByteArray("?");
    };
    QByteArray basura = leido("MaskNor.bmp").left(200), enorme = leido("Nodos.bmp");
    for (int i = 2; i < 200; ++i)  // "BM" kept
      basura[i] = static_cast<char>((i * 97 + 13) & 0xFF);
    const qint32 ancho = 100000;
    memcpy(enorme.data() + 18, &ancho, 4);  // little-endian host
    const auto fila = [](const char* nombre, const char* f, const QByteArray& d) {
      QTest::newRow(nombre) << QString::fromLatin1(f) << d;
    };
    const auto patron = [](int x, int y) { return qRgb(x * 40, y * 60, 9); };
    fila("missing red nodes", "NodosR.bmp", {});
    fila("missing shadow mask", "MaskFon.bmp", {});
    fila("missing sequence", "Secuencia.bmp", {});
    fila("zero-size node picture", "Nodos.bmp", QByteArray(""));
    fila("truncated red nodes", "NodosR.bmp", leido("NodosR.bmp").first(leido("NodosR.bmp").size() / 2));
    fila("last row of the sequence missing", "Secuencia.bmp", leido("Secuencia.bmp").chopped(8));
    fila("noise in the node mask", "MaskNor.bmp", basura);
    fila("a PNG named .bmp", "NodosN.bmp", bmp(Pintada(12, 4, patron), "PNG"));
    fila("header 100000 px wide", "Nodos.bmp", enorme);
    fila("node picture 2 px wide", "Nodos.bmp", bmp(Pintada(2, 4, patron)));
    fila("red nodes narrower than three cells", "NodosR.bmp", bmp(Pintada(11, 4, patron)));
    fila("black nodes lower than a cell", "NodosN.bmp", bmp(Pintada(12, 3, patron)));
    fila("node mask narrower than three cells", "MaskNor.bmp", bmp(Mascara(4, NorBlanco, 255, 0).copy(0, 0, 11, 4)));
    fila("shadow mask lower than a cell", "MaskFon.bmp", bmp(Mascara(4, FonBlanco, 255, 0).copy(0, 0, 12, 3)));
  }
  void fallos() {
    QFETCH(QString, fichero);
    QFETCH(QByteArray, datos);
    QTemporaryDir buena, mala;
    QVERIFY(EscribirConjunto(QDir(buena.path()), false) && EscribirConjunto(QDir(mala.path()), false));
    QFile f(QDir(mala.path()).filePath(fichero));
    QVERIFY(datos.isNull() ? f.remove()
                           : f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos) == datos.size());
    f.close();
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, QDir(buena.path())));
    QVERIFY(!im.CargarImagenes(false, QDir(mala.path())));
    QVERIFY(!im.HayImagenes());
    QCOMPARE(im.TamImg() + im.NumFrames(), 0);
    im.TintarSombras(0x00FF0000);
    QVERIFY(im.Capa(0, 0, 0).isNull() && im.Capa(0, 0, 1).isNull() && im.MascSecuencia(0).isNull());
  }
  // Every mode at one position, in both depths, against a pixel model. The
  // 32-bit source words carry 0 in their fourth byte: the result has 0xFF there.
  void recorte_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QSize>("lado");
    const QSize l3(3, 3);
    QTest::newRow("inside") << 2 << 1 << l3;
    QTest::newRow("top-left corner") << -2 << -2 << l3;
    QTest::newRow("bottom-right corner") << 6 << 4 << l3;
    QTest::newRow("just right of it") << 7 << 0 << l3;
    QTest::newRow("just below it") << 0 << 5 << l3;
    QTest::newRow("far negative") << INT_MIN << INT_MIN << l3;
    QTest::newRow("near INT_MAX") << INT_MAX - 1 << 0 << l3;
    QTest::newRow("source larger than destination") << -1 << -2 << QSize(10, 9);
  }
  void recorte() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QSize, lado);
    const int W = 7, H = 5;
    const QImage d32 = Pintada(W, H, [](int i, int j) { return i * 0x1F3A51u + j * 0x0B0C0Du; });
    const QImage d8 = Pintada(W, H, [](int i, int j) { return (i * 29 + j * 7) & 0xFF; }, Paleta());
    const QImage f8 = Pintada(lado.width(), lado.height(), [](int i, int j) { return (i * 53 + j * 11 + 3) & 0xFF; }, Paleta());
    QImage f32(lado, QImage::Format_RGB32);
    for (int j = 0; j < lado.height(); ++j)
      for (int i = 0; i < lado.width(); ++i)
        reinterpret_cast<quint32*>(f32.scanLine(j))[i] = quint32(0xC0FFEE * (i + 1) + 0x123 * j) & 0xFFFFFFu;
    for (TCombinacion modo : {TCombinacion::Copiar, TCombinacion::Y, TCombinacion::O, TCombinacion::Invertir}) {
      QImage r32 = d32.copy(), r8 = d8.copy();
      CombinarBits(r32, x, y, f32, modo);
      CombinarBits(r8, x, y, f8, modo);
      for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i) {
          const qint64 fx = qint64(i) - x, fy = qint64(j) - y;
          quint32 e32 = Palabra(d32, i, j), e8 = Indice(d8, i, j);
          if (fx >= 0 && fy >= 0 && fx < lado.width() && fy < lado.height()) {
            const quint32 s32 = Palabra(f32, int(fx), int(fy)), s8 = Indice(f8, int(fx), int(fy));
            switch (modo) {
            case TCombinacion::Copiar: e32 = s32, e8 = s8; break;
            case TCombinacion::Y: e32 &= s32, e8 &= s8; break;
            case TCombinacion::O: e32 |= s32, e8 |= s8; break;
            case TCombinacion::Invertir: e32 = ~e32, e8 = ~e8 & 0xFF; break;
            }
            e32 |= 0xFF000000u;
          }
          const QString donde = QStringLiteral("mode %1 pixel (%2, %3)").arg(int(modo)).arg(i).arg(j);
          QVERIFY2(Palabra(r32, i, j) == e32 && Indice(r8, i, j) == e8, qPrintable(donde));
        }
    }
    // Different depths, a null source or destination: nothing changes.
    QImage d = d32.copy(), nula;
    CombinarBits(d, 0, 0, f8, TCombinacion::Copiar);
    CombinarBits(d, 0, 0, QImage(), TCombinacion::Invertir);
    CombinarBits(nula, 0, 0, d32, TCombinacion::Copiar);
    QVERIFY(d == d32 && nula.isNull());
  }
  // A palette of fewer colours is padded to 256 entries; a cut file gives none.
  void paletaNodos256() {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    QVERIFY(!PaletaNodos256(dir).has_value());
    const QList<QRgb> corta = Paleta().mid(0, 40);
    QVERIFY(Guardar(dir, "Nodos256.bmp", Pintada(12, 4, [](int x, int) { return x; }, corta)));
    const auto p = PaletaNodos256(dir);
    QVERIFY(p.has_value() && p->size() == 256 && p->mid(0, 40) == corta);
    QFile f(dir.filePath("Nodos256.bmp"));
    QVERIFY(f.open(QIODevice::ReadWrite) && f.resize(30));
    f.close();
    QVERIFY(!PaletaNodos256(dir).has_value());
  }
  // The generator's pictures load in both depths: the node covers the centre
  // and never its shadow, which, tinted, shows darker than the background.
  void conjuntoGenerado_data() { capasYFrames_data(); }
  void conjuntoGenerado() {
    QFETCH(bool, modo8);
    SALTAR_SIN_IMAGENES();
    const QDir dir(CarpetaImagenes());
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(modo8, dir));
    QCOMPARE(im.TamImg(), 32);
    QCOMPARE(im.NumFrames(), 10);
    const auto dentro = [&](const QImage& hueco, int x, int y) { return (Leer(hueco, x, y) & 0xFFFFFF) == 0; };
    const TColor fondo = ColorRGB(40, 110, 170);
    im.TintarSombras(fondo);
    for (int t = 0; t < 3; ++t)
      for (int e = 0; e < 3; ++e) {
        const QImage &nodo = im.Capa(t, e, 2), &sombra = im.Capa(t, e, 3);
        QVERIFY(dentro(nodo, 16, 16) && !dentro(nodo, 0, 0) && !dentro(sombra, 0, 0));
        int sombreados = 0;
        for (int y = 0; y < 32; ++y)
          for (int x = 0; x < 32; ++x) {
            QVERIFY(!(dentro(nodo, x, y) && dentro(sombra, x, y)));
            sombreados += dentro(sombra, x, y) && qBlue(im.Capa(t, e, 1).pixel(x, y)) * 10 < AzulDe(fondo) * 9;
          }
        QVERIFY2(modo8 || sombreados > 10, "the shadow is visible");
      }
    if (modo8) {
      const auto paleta = PaletaNodos256(dir);
      QVERIFY(paleta && paleta->at(0) == qRgb(0, 0, 0) && paleta->at(255) == qRgb(255, 255, 255));
      QCOMPARE(im.Capa(1, 0, 0).colorTable(), *paleta);
    }
  }
};

QTEST_GUILESS_MAIN(PruebasImagenes)
#include "tst_imagenes.moc"
