// The node image set: layers and frames cut from small crafted pictures, the
// block combinations at every border, re-tinting, the 8-bit set, damaged
// files, and the pictures the generator draws.

#include "uImagenes.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <functional>

namespace {

quint32 Palabra(const QImage& img, int x, int y) { return reinterpret_cast<const quint32*>(img.constScanLine(y))[x]; }
quint32 Indice(const QImage& img, int x, int y) { return img.constScanLine(y)[x]; }

// A picture whose pixel (x, y) is f(x, y): a colour, or an index into the
// palette when one is given.
QImage Pintada(int ancho, int alto, const std::function<uint(int, int)>& f, const QList<QRgb>& paleta = {}) {
  QImage img(ancho, alto, paleta.isEmpty() ? QImage::Format_RGB32 : QImage::Format_Indexed8);
  img.setColorTable(paleta);
  for (int y = 0; y < alto; ++y)
    for (int x = 0; x < ancho; ++x)
      img.setPixel(x, y, f(x, y));
  return img;
}

// A picture whose every pixel differs from its neighbours and from the same
// pixel of a picture with another seed.
QImage Patron(int ancho, int alto, int semilla) {
  return Pintada(ancho, alto, [=](int x, int y) {
    return qRgb((x * 37 + semilla * 11) & 0xFF, (y * 53 + semilla * 29 + 255) & 0xFF,
                (x * y + semilla * 71 + 200) & 0xFF);
  });
}

bool NorBlanco(int c, int x, int y) { return (x + y + c) % 3 != 0; }
bool FonBlanco(int c, int x, int y) { return (x * y + c) % 2 == 0; }

// A black and white picture of celdas cells of side s; blanco(c, x, y) says
// which pixels of cell c are white, written as the grey "claro" (black as
// "oscuro") so that the loader's threshold is exercised too.
QImage Mascara(int celdas, int s, bool (*blanco)(int, int, int), int claro = 255, int oscuro = 0) {
  return Pintada(celdas * s, s, [=](int x, int y) {
    const int g = blanco(x / s, x % s, y) ? claro : oscuro;
    return qRgb(g, g, g);
  });
}

bool Guardar(const QDir& dir, const char* nombre, const QImage& img) {
  return img.save(dir.filePath(QString::fromLatin1(nombre)), "BMP");
}

// The crafted 32-bit set: cells of side s, node pictures of three cells with
// seeds 1 to 3, a sequence of "frames" cells.
bool EscribirConjunto(const QDir& dir, int s = 4, int frames = 5) {
  return Guardar(dir, "Nodos.bmp", Patron(3 * s, s, 1)) && Guardar(dir, "NodosR.bmp", Patron(3 * s, s, 2)) &&
         Guardar(dir, "NodosN.bmp", Patron(3 * s, s, 3)) &&
         Guardar(dir, "MaskNor.bmp", Mascara(3, s, NorBlanco, 200, 60)) &&
         Guardar(dir, "MaskFon.bmp", Mascara(3, s, FonBlanco)) &&
         Guardar(dir, "Secuencia.bmp", Patron(frames * s, s, 9));
}

// The 256-colour palette of the crafted 8-bit set: black at 0, white at 255,
// 254 distinct colours between (the red channel is the index).
QList<QRgb> Paleta() {
  QList<QRgb> p;
  for (int i = 0; i < 256; ++i)
    p.append(qRgb(i, 255 - i, (i * 7) & 0xFF));
  p[0] = qRgb(0, 0, 0);
  p[255] = qRgb(255, 255, 255);
  return p;
}

// The four layers of every node picture in a set cut from cells of side s:
// the cell through the node mask and through the shadow mask (negro
// outside), then the node and shadow holes (negro inside, blanco outside);
// and each of the frames, cell f of the sequence through cell 0 of the node
// mask. leer reads a pixel, celda(t, e, x, y) the source's value at (x, y)
// of cell e of kind t, frame(f, x, y) the sequence's.
using TLeer = std::function<quint32(const QImage&, int, int)>;
void ComprobarCapas(const TImagenesNodos& im, int s, int frames, const TLeer& leer,
                    const std::function<quint32(int, int, int, int)>& celda,
                    const std::function<quint32(int, int, int)>& frame, quint32 negro, quint32 blanco) {
  for (int t = 0; t < 3; ++t)
    for (int e = 0; e < 3; ++e)
      for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
          const bool enNodo = NorBlanco(e, x, y), enSombra = FonBlanco(e, x, y);
          const quint32 c = celda(t, e, x, y);
          const quint32 esperados[4] = {enNodo ? c : negro, enSombra ? c : negro, enNodo ? negro : blanco,
                                        enSombra ? negro : blanco};
          for (int k = 0; k < 4; ++k)
            QVERIFY2(leer(im.Capa(t, e, k), x, y) == esperados[k],
                     qPrintable(QStringLiteral("t %1 e %2 k %3 (%4, %5)").arg(t).arg(e).arg(k).arg(x).arg(y)));
        }
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < s; ++y)
      for (int x = 0; x < s; ++x) {
        const bool enNodo = NorBlanco(0, x, y);
        const QString donde = QStringLiteral("frame %1 (%2, %3)").arg(f).arg(x).arg(y);
        QVERIFY2(leer(im.ImgSecuencia(f), x, y) == (enNodo ? frame(f, x, y) : negro), qPrintable(donde));
        QVERIFY2(leer(im.MascSecuencia(f), x, y) == (enNodo ? negro : blanco), qPrintable(donde));
      }
}

}  // namespace

class PruebasImagenes : public QObject {
  Q_OBJECT

private Q_SLOTS:
  void capasYFrames() {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const int s = 4;
    QVERIFY(EscribirConjunto(dir, s, 5));
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, dir));
    QVERIFY(im.HayImagenes());
    QCOMPARE(im.TamImg(), s);
    QCOMPARE(im.NumFrames(), 5);
    for (int k = 0; k < 4; ++k)
      QCOMPARE(im.Capa(2, 1, k).format(), QImage::Format_RGB32);
    const QImage secuencia = Patron(5 * s, s, 9);
    ComprobarCapas(
        im, s, 5, Palabra, [&](int t, int e, int x, int y) { return Patron(3 * s, s, t + 1).pixel(e * s + x, y); },
        [&](int f, int x, int y) { return secuencia.pixel(f * s + x, y); }, 0xFF000000u, 0xFFFFFFFFu);
    QVERIFY(im.ImgSecuencia(5).isNull() && im.ImgSecuencia(-1).isNull());
    QVERIFY(im.Capa(3, 0, 0).isNull() && im.Capa(0, 0, 4).isNull());

    // Each tint rebuilds the shadow layers as the sources times the colour:
    // nothing of an earlier tint remains, the other layers are not touched.
    const QImage nodo = im.Capa(1, 2, 0), hueco = im.Capa(1, 2, 2), huecoSombra = im.Capa(1, 2, 3);
    for (const TColor color : {0x00123456u, 0x00FF0000u, 0x00FFFFFFu, 0x00408020u}) {
      im.TintarSombras(color);
      for (int t = 0; t < 3; ++t)
        for (int e = 0; e < 3; ++e)
          for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x) {
              const QRgb c = FonBlanco(e, x, y) ? Patron(3 * s, s, t + 1).pixel(e * s + x, y) : 0;
              const quint32 esperado = 0xFF000000u | quint32(qRed(c) * RojoDe(color) / 256) << 16 |
                                       quint32(qGreen(c) * VerdeDe(color) / 256) << 8 |
                                       quint32(qBlue(c) * AzulDe(color) / 256);
              QVERIFY2(Palabra(im.Capa(t, e, 1), x, y) == esperado, qPrintable(QString::number(color, 16)));
            }
    }
    QVERIFY(im.Capa(1, 2, 0) == nodo && im.Capa(1, 2, 2) == hueco && im.Capa(1, 2, 3) == huecoSombra);
  }

  void tamanos_data() {
    QTest::addColumn<int>("anchoNodos");
    QTest::addColumn<int>("anchoSecuencia");
    QTest::addColumn<int>("altoSecuencia");
    QTest::addColumn<int>("tam");
    QTest::addColumn<int>("frames");
    QTest::newRow("91 px: the odd pixel is not a cell") << 91 << 300 << 30 << 30 << 10;
    QTest::newRow("3 px: cells of one pixel") << 3 << 5 << 1 << 1 << 5;
    QTest::newRow("sequence narrower than a cell") << 90 << 29 << 30 << 30 << 0;
    QTest::newRow("sequence lower than a cell") << 90 << 300 << 29 << 30 << 0;
    QTest::newRow("sequence with a partial cell and extra rows") << 90 << 310 << 40 << 30 << 10;
  }
  void tamanos() {
    QFETCH(int, anchoNodos);
    QFETCH(int, anchoSecuencia);
    QFETCH(int, altoSecuencia);
    QFETCH(int, tam);
    QFETCH(int, frames);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    // Node pictures may be higher than one cell.
    QVERIFY(Guardar(dir, "Nodos.bmp", Patron(anchoNodos, tam + 2, 1)) &&
            Guardar(dir, "NodosR.bmp", Patron(anchoNodos, tam + 2, 2)) &&
            Guardar(dir, "NodosN.bmp", Patron(anchoNodos, tam + 2, 3)) &&
            Guardar(dir, "MaskNor.bmp", Mascara(3, tam, NorBlanco)) &&
            Guardar(dir, "MaskFon.bmp", Mascara(3, tam, FonBlanco)) &&
            Guardar(dir, "Secuencia.bmp", Patron(anchoSecuencia, altoSecuencia, 9)));
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, dir));
    QCOMPARE(im.TamImg(), tam);
    QCOMPARE(im.RadImg(), tam / 2);
    QCOMPARE(im.NumFrames(), frames);
    QCOMPARE(im.Capa(2, 2, 3).size(), QSize(tam, tam));
    if (frames > 0)
      QCOMPARE(im.MascSecuencia(frames - 1).size(), QSize(tam, tam));
    QVERIFY(im.ImgSecuencia(frames).isNull());
  }

  // Each row replaces one file of a good set by the bytes given (a null
  // array removes it).
  void fallos_data() {
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<QByteArray>("datos");
    QTemporaryDir tmp;
    QVERIFY(EscribirConjunto(QDir(tmp.path())));
    const auto leido = [&](const char* n) {
      QFile f(QDir(tmp.path()).filePath(QString::fromLatin1(n)));
      return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const auto fila = [](const char* nombre, const char* f, const QByteArray& datos) {
      QTest::newRow(nombre) << QString::fromLatin1(f) << datos;
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
    fila("missing red nodes", "NodosR.bmp", {});
    fila("missing shadow mask", "MaskFon.bmp", {});
    fila("missing sequence", "Secuencia.bmp", {});
    fila("zero-size node picture", "Nodos.bmp", QByteArray(""));
    fila("truncated red nodes", "NodosR.bmp", leido("NodosR.bmp").first(leido("NodosR.bmp").size() / 2));
    fila("last row of the sequence missing", "Secuencia.bmp", leido("Secuencia.bmp").chopped(8));
    fila("noise in the node mask", "MaskNor.bmp", basura);
    fila("a PNG named .bmp", "NodosN.bmp", bmp(Patron(12, 4, 3), "PNG"));
    fila("header 100000 px wide", "Nodos.bmp", enorme);
    fila("node picture 2 px wide", "Nodos.bmp", bmp(Patron(2, 4, 1)));
    fila("red nodes narrower than three cells", "NodosR.bmp", bmp(Patron(11, 4, 2)));
    fila("black nodes lower than a cell", "NodosN.bmp", bmp(Patron(12, 3, 3)));
    fila("node mask narrower than three cells", "MaskNor.bmp", bmp(Mascara(3, 4, NorBlanco).copy(0, 0, 11, 4)));
    fila("shadow mask lower than a cell", "MaskFon.bmp", bmp(Mascara(3, 4, FonBlanco).copy(0, 0, 12, 3)));
  }
  void fallos() {
    QFETCH(QString, fichero);
    QFETCH(QByteArray, datos);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    QVERIFY(EscribirConjunto(dir));
    QFile f(dir.filePath(fichero));
    if (datos.isNull())
      QVERIFY(f.remove());
    else
      QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos) == datos.size());
    f.close();

    // A set that loaded before is emptied by a failed load.
    QTemporaryDir buena;
    QVERIFY(EscribirConjunto(QDir(buena.path())));
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, QDir(buena.path())));
    QVERIFY(!im.CargarImagenes(false, dir));
    QVERIFY(!im.HayImagenes());
    QCOMPARE(im.TamImg() + im.NumFrames(), 0);
    QVERIFY(im.Capa(0, 0, 0).isNull() && im.MascSecuencia(0).isNull());
    im.TintarSombras(0x00FF0000);
    QVERIFY(im.Capa(0, 0, 1).isNull());
  }

  void recorte_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QSize>("lado");
    const QSize l3(3, 3);
    QTest::newRow("inside") << 2 << 1 << l3;
    QTest::newRow("left border") << -1 << 1 << l3;
    QTest::newRow("top-left corner") << -2 << -2 << l3;
    QTest::newRow("bottom-right corner") << 6 << 4 << l3;
    QTest::newRow("just right of it") << 7 << 0 << l3;
    QTest::newRow("just below it") << 0 << 5 << l3;
    QTest::newRow("far negative") << INT_MIN << INT_MIN << l3;
    QTest::newRow("far positive") << INT_MAX << INT_MAX << l3;
    QTest::newRow("near INT_MAX, in row range") << INT_MAX - 1 << 0 << l3;
    QTest::newRow("source larger than destination") << -1 << -2 << QSize(10, 9);
  }
  // Every mode at one position, in both depths, against a pixel-by-pixel
  // model. The 32-bit source words carry 0 in their fourth byte: the result
  // must have it at 0xFF whatever the source held there.
  void recorte() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QSize, lado);
    const int W = 7, H = 5;
    for (TCombinacion modo : {TCombinacion::Copiar, TCombinacion::Y, TCombinacion::O, TCombinacion::Invertir}) {
      const QImage d32 = Pintada(W, H, [](int i, int j) { return i * 0x1F3A51u + j * 0x0B0C0Du; });
      const QImage d8 = Pintada(W, H, [](int i, int j) { return (i * 29 + j * 7) & 0xFF; }, Paleta());
      const QImage f8 =
          Pintada(lado.width(), lado.height(), [](int i, int j) { return (i * 53 + j * 11 + 3) & 0xFF; }, Paleta());
      QImage f32(lado, QImage::Format_RGB32);
      for (int j = 0; j < lado.height(); ++j)
        for (int i = 0; i < lado.width(); ++i)
          reinterpret_cast<quint32*>(f32.scanLine(j))[i] = quint32(0xC0FFEE * (i + 1) + 0x123 * j) & 0xFFFFFFu;
      QImage r32 = d32.copy(), r8 = d8.copy();
      CombinarBits(r32, x, y, f32, modo);
      CombinarBits(r8, x, y, f8, modo);
      for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i) {
          const qint64 fx = qint64(i) - x, fy = qint64(j) - y;
          const bool cubierto = fx >= 0 && fy >= 0 && fx < lado.width() && fy < lado.height();
          quint32 esperado32 = Palabra(d32, i, j), esperado8 = Indice(d8, i, j);
          if (cubierto) {
            const quint32 s32 = Palabra(f32, int(fx), int(fy)), s8 = Indice(f8, int(fx), int(fy));
            switch (modo) {
            case TCombinacion::Copiar: esperado32 = s32; esperado8 = s8; break;
            case TCombinacion::Y: esperado32 &= s32; esperado8 &= s8; break;
            case TCombinacion::O: esperado32 |= s32; esperado8 |= s8; break;
            case TCombinacion::Invertir: esperado32 = ~esperado32; esperado8 = ~esperado8 & 0xFF; break;
            }
            esperado32 |= 0xFF000000u;
          }
          const QString donde = QStringLiteral("modo %1 pixel (%2, %3)").arg(int(modo)).arg(i).arg(j);
          QVERIFY2(Palabra(r32, i, j) == esperado32, qPrintable(donde));
          QVERIFY2(Indice(r8, i, j) == esperado8, qPrintable(donde));
        }
    }
  }

  void profundidadesDistintas() {
    QImage d32(4, 4, QImage::Format_RGB32);
    d32.fill(0xFF123456u);
    const QImage antes = d32.copy();
    CombinarBits(d32, 0, 0, Pintada(2, 2, [](int, int) { return 0u; }, Paleta()), TCombinacion::Copiar);
    QCOMPARE(d32, antes);
    CombinarBits(d32, 0, 0, QImage(), TCombinacion::Invertir);
    QCOMPARE(d32, antes);
    QImage nula;
    CombinarBits(nula, 0, 0, d32, TCombinacion::Copiar);
    QVERIFY(nula.isNull());
  }

  void modo8Bits() {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const int s = 4;
    const QList<QRgb> paleta = Paleta();
    const auto indiceNodo = [](int t, int x, int y) { return uint(x * 20 + y * 3 + t * 5) % 254 + 1; };
    // The red nodes come with the same colours in another order: their indices
    // must be mapped onto the palette of the plain nodes.
    QList<QRgb> otra(256);
    for (int i = 0; i < 256; ++i)
      otra[(i * 7 + 3) % 256] = paleta[i];
    // The sequence is a true-colour picture drawn in colours of the palette.
    const auto indiceSecuencia = [](int x, int y) { return uint(x * 13 + y * 5) % 254 + 1; };
    const auto nodos = [&](const QList<QRgb>& p, int t, uint (*enP)(uint)) {
      return Pintada(3 * s, s, [&](int x, int y) { return enP(indiceNodo(t, x, y)); }, p);
    };
    const auto igual = [](uint i) { return i; };
    QVERIFY(Guardar(dir, "Nodos256.bmp", nodos(paleta, 0, igual)) &&
            Guardar(dir, "NodosR256.bmp", nodos(otra, 1, [](uint i) { return (i * 7 + 3) % 256; })) &&
            Guardar(dir, "NodosN256.bmp", nodos(paleta, 2, igual)) &&
            Guardar(dir, "MaskNor.bmp", Mascara(3, s, NorBlanco, 200, 60)) &&
            Guardar(dir, "MaskFon.bmp", Mascara(3, s, FonBlanco)) &&
            Guardar(dir, "Secuencia.bmp",
                    Pintada(2 * s, s, indiceSecuencia, paleta).convertToFormat(QImage::Format_RGB32)));

    TImagenesNodos im;
    QVERIFY2(!im.CargarImagenes(false, dir), "the 32-bit names are not there");
    QVERIFY(im.CargarImagenes(true, dir));
    QVERIFY(im.Modo8Bits());
    QCOMPARE(im.TamImg(), s);
    QCOMPARE(im.NumFrames(), 2);
    for (int k = 0; k < 4; ++k)
      QCOMPARE(im.Capa(2, 1, k).colorTable(), paleta);
    QCOMPARE(im.ImgSecuencia(1).colorTable(), paleta);
    ComprobarCapas(
        im, s, 2, Indice, [&](int t, int e, int x, int y) { return quint32(indiceNodo(t, e * s + x, y)); },
        [&](int f, int x, int y) { return quint32(indiceSecuencia(f * s + x, y)); }, 0x00, 0xFF);

    // The background colour never tints the shadows in 8-bit mode.
    const QImage sombra = im.Capa(0, 1, 1).copy();
    im.TintarSombras(0x00FF0000);
    QCOMPARE(im.Capa(0, 1, 1), sombra);
  }

  void paletaNodos256() {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    QVERIFY(!PaletaNodos256(dir).has_value());
    // A palette of fewer colours is padded to 256 entries.
    const QList<QRgb> corta = Paleta().mid(0, 40);
    QVERIFY(Guardar(dir, "Nodos256.bmp", Pintada(12, 4, [](int x, int) { return x; }, corta)));
    const auto p = PaletaNodos256(dir);
    QVERIFY(p.has_value());
    QCOMPARE(p->size(), 256);
    QCOMPARE(p->mid(0, 40), corta);
    QFile f(dir.filePath("Nodos256.bmp"));
    QVERIFY(f.open(QIODevice::ReadWrite) && f.resize(30));
    f.close();
    QVERIFY(!PaletaNodos256(dir).has_value());
  }

  // The generator's pictures load in both modes; the node covers the centre
  // and never overlaps its shadow, which lies down and right of it and,
  // tinted with the background, shows darker than it. The 8-bit palette runs
  // from black to white.
  void conjuntoGenerado_data() {
    QTest::addColumn<bool>("modo8");
    QTest::newRow("32 bits") << false;
    QTest::newRow("8 bits") << true;
  }
  void conjuntoGenerado() {
#ifndef QUELVAR_CARPETA_IMAGENES
    QSKIP("the picture generator is not part of this build");
#else
    QFETCH(bool, modo8);
    const QDir dir(QStringLiteral(QUELVAR_CARPETA_IMAGENES));
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(modo8, dir));
    QCOMPARE(im.TamImg(), 32);
    QCOMPARE(im.NumFrames(), 10);
    const auto dentro = [&](const QImage& hueco, int x, int y) {
      return modo8 ? Indice(hueco, x, y) == 0 : Palabra(hueco, x, y) == 0xFF000000u;
    };
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
        if (!modo8)
          QVERIFY2(sombreados > 10, "the shadow is visible");
      }
    if (modo8) {
      const auto paleta = PaletaNodos256(dir);
      QVERIFY(paleta.has_value());
      QCOMPARE(paleta->at(0), qRgb(0, 0, 0));
      QCOMPARE(paleta->at(255), qRgb(255, 255, 255));
      QCOMPARE(im.Capa(1, 0, 0).colorTable(), *paleta);
    }
#endif
  }
};

QTEST_GUILESS_MAIN(PruebasImagenes)
#include "tst_imagenes.moc"
