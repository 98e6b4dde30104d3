// The node image set: layers and frames cut from small crafted pictures, the
// block combinations at every border, re-tinting, the 8-bit set, damaged
// files, and the pictures the generator draws.

#include "uImagenes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <functional>

namespace {

using Palabras = std::vector<quint32>;

quint32 Palabra(const QImage& img, int x, int y) {
  return reinterpret_cast<const quint32*>(img.constScanLine(y))[x];
}
uchar Indice(const QImage& img, int x, int y) { return img.constScanLine(y)[x]; }

// A picture whose every pixel differs from its neighbours and from the same
// pixel of a picture with another seed.
QImage Patron(int ancho, int alto, int semilla) {
  QImage img(ancho, alto, QImage::Format_RGB32);
  for (int y = 0; y < alto; ++y)
    for (int x = 0; x < ancho; ++x)
      img.setPixel(x, y, qRgb((x * 37 + semilla * 11) & 0xFF, (y * 53 + semilla * 29 + 255) & 0xFF,
                              (x * y + semilla * 71 + 200) & 0xFF));
  return img;
}

// A black and white picture of celdas cells of side s; blanco(c, x, y) says
// which pixels of cell c are white. Whites and blacks are written as light and
// dark greys so that the loader's threshold is exercised too.
QImage Mascara(int celdas, int s, const std::function<bool(int, int, int)>& blanco, int claro = 255,
               int oscuro = 0) {
  QImage img(celdas * s, s, QImage::Format_RGB32);
  for (int c = 0; c < celdas; ++c)
    for (int y = 0; y < s; ++y)
      for (int x = 0; x < s; ++x) {
        const int g = blanco(c, x, y) ? claro : oscuro;
        img.setPixel(c * s + x, y, qRgb(g, g, g));
      }
  return img;
}

bool NorBlanco(int c, int x, int y) { return (x + y + c) % 3 != 0; }
bool FonBlanco(int c, int x, int y) { return (x * y + c) % 2 == 0; }

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
// 254 distinct colours between.
QList<QRgb> Paleta() {
  QList<QRgb> p;
  for (int i = 0; i < 256; ++i)
    p.append(qRgb(i, 255 - i, (i * 7) & 0xFF));
  p[0] = qRgb(0, 0, 0);
  p[255] = qRgb(255, 255, 255);
  return p;
}

QImage Indexada(int ancho, int alto, const QList<QRgb>& paleta, const std::function<int(int, int)>& indice) {
  QImage img(ancho, alto, QImage::Format_Indexed8);
  img.setColorTable(paleta);
  for (int y = 0; y < alto; ++y)
    for (int x = 0; x < ancho; ++x)
      img.setPixel(x, y, static_cast<uint>(indice(x, y)));
  return img;
}

int IndiceNodo(int t, int x, int y) { return (x * 20 + y * 3 + t * 5) % 254 + 1; }

bool Truncar(const QString& ruta, qint64 largo) {
  QFile f(ruta);
  return f.open(QIODevice::ReadWrite) && f.resize(largo);
}

bool Sobrescribir(const QString& ruta, const QByteArray& datos) {
  QFile f(ruta);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos) == datos.size();
}

// The four layers of every node picture in a set cut from cells of side s:
// the cell through the node mask and through the shadow mask (negro
// outside), then the node and shadow holes (negro inside, blanco outside).
// leer reads a pixel of a layer, celda the source's value at (x, y) of cell e.
void ComprobarCapas(const TImagenesNodos& im, int s, const std::function<quint32(const QImage&, int, int)>& leer,
                    const std::function<quint32(int t, int e, int x, int y)>& celda, quint32 negro, quint32 blanco) {
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
}

enum class Dano {
  Falta,          // the file is removed
  Vacio,          // zero bytes
  Truncado,       // cut to half its length
  UltimaFila,     // the last 8 bytes missing
  Basura,         // "BM" and then noise
  NoEsBmp,        // a PNG under the .bmp name
  AnchoEnorme,    // a header asking for a picture 100000 px wide
  Cambiar,        // replaced by the picture "imagen"
};
}  // namespace
Q_DECLARE_METATYPE(Dano)

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

    const quint32 negro = 0xFF000000u, blanco = 0xFFFFFFFFu;
    for (int k = 0; k < 4; ++k)
      QCOMPARE(im.Capa(2, 1, k).format(), QImage::Format_RGB32);
    ComprobarCapas(im, s, Palabra, [&](int t, int e, int x, int y) {
      return quint32(Patron(3 * s, s, t + 1).pixel(e * s + x, y));
    }, negro, blanco);
    // Frames: cell f of the sequence through cell 0 of the node mask.
    const QImage secuencia = Patron(5 * s, s, 9);
    for (int f = 0; f < 5; ++f)
      for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
          const bool enNodo = NorBlanco(0, x, y);
          QCOMPARE(Palabra(im.ImgSecuencia(f), x, y), enNodo ? quint32(secuencia.pixel(f * s + x, y)) : negro);
          QCOMPARE(Palabra(im.MascSecuencia(f), x, y), enNodo ? negro : blanco);
        }
    QVERIFY(im.ImgSecuencia(5).isNull() && im.ImgSecuencia(-1).isNull());
    QVERIFY(im.Capa(3, 0, 0).isNull() && im.Capa(0, 0, 4).isNull());
  }

  void tamanos_data() {
    QTest::addColumn<int>("anchoNodos");
    QTest::addColumn<int>("anchoSecuencia");
    QTest::addColumn<int>("altoSecuencia");
    QTest::addColumn<int>("tam");
    QTest::addColumn<int>("rad");
    QTest::addColumn<int>("frames");
    QTest::newRow("91 px: the odd pixel is not a cell") << 91 << 300 << 30 << 30 << 15 << 10;
    QTest::newRow("3 px: cells of one pixel") << 3 << 5 << 1 << 1 << 0 << 5;
    QTest::newRow("sequence narrower than a cell") << 90 << 29 << 30 << 30 << 15 << 0;
    QTest::newRow("sequence lower than a cell") << 90 << 300 << 29 << 30 << 15 << 0;
    QTest::newRow("sequence with a partial cell and extra rows") << 90 << 310 << 40 << 30 << 15 << 10;
  }

  void tamanos() {
    QFETCH(int, anchoNodos);
    QFETCH(int, anchoSecuencia);
    QFETCH(int, altoSecuencia);
    QFETCH(int, tam);
    QFETCH(int, rad);
    QFETCH(int, frames);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const int alto = tam + 2;  // pictures may be higher than one cell
    int semilla = 0;
    for (const char* n : {"Nodos.bmp", "NodosR.bmp", "NodosN.bmp"})
      QVERIFY(Guardar(dir, n, Patron(anchoNodos, alto, ++semilla)));
    QVERIFY(Guardar(dir, "MaskNor.bmp", Mascara(3, tam, NorBlanco)));
    QVERIFY(Guardar(dir, "MaskFon.bmp", Mascara(3, tam, FonBlanco)));
    QVERIFY(Guardar(dir, "Secuencia.bmp", Patron(anchoSecuencia, altoSecuencia, 9)));
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, dir));
    QCOMPARE(im.TamImg(), tam);
    QCOMPARE(im.RadImg(), rad);
    QCOMPARE(im.NumFrames(), frames);
    QCOMPARE(im.Capa(2, 2, 3).size(), QSize(tam, tam));
    if (frames > 0) {
      QCOMPARE(im.ImgSecuencia(frames - 1).size(), QSize(tam, tam));
      QCOMPARE(im.MascSecuencia(frames - 1).size(), QSize(tam, tam));
    }
    QVERIFY(im.ImgSecuencia(frames).isNull());
  }

  void fallos_data() {
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<Dano>("dano");
    QTest::addColumn<QImage>("imagen");
    for (const char* f : {"NodosR.bmp", "MaskFon.bmp", "Secuencia.bmp"})
      QTest::addRow("missing %s", f) << QString::fromLatin1(f) << Dano::Falta << QImage();
    QTest::newRow("zero-size node picture") << "Nodos.bmp" << Dano::Vacio << QImage();
    QTest::newRow("truncated red nodes") << "NodosR.bmp" << Dano::Truncado << QImage();
    QTest::newRow("last row of the sequence missing") << "Secuencia.bmp" << Dano::UltimaFila << QImage();
    QTest::newRow("noise in the node mask") << "MaskNor.bmp" << Dano::Basura << QImage();
    QTest::newRow("a PNG named .bmp") << "NodosN.bmp" << Dano::NoEsBmp << QImage();
    QTest::newRow("header 100000 px wide") << "Nodos.bmp" << Dano::AnchoEnorme << QImage();
    QTest::newRow("node picture 2 px wide") << "Nodos.bmp" << Dano::Cambiar << Patron(2, 4, 1);
    QTest::newRow("red nodes narrower than three cells") << "NodosR.bmp" << Dano::Cambiar << Patron(11, 4, 2);
    QTest::newRow("black nodes lower than a cell") << "NodosN.bmp" << Dano::Cambiar << Patron(12, 3, 3);
    QTest::newRow("node mask narrower than three cells")
        << "MaskNor.bmp" << Dano::Cambiar << Mascara(3, 4, NorBlanco).copy(0, 0, 11, 4);
    QTest::newRow("shadow mask lower than a cell")
        << "MaskFon.bmp" << Dano::Cambiar << Mascara(3, 4, FonBlanco).copy(0, 0, 12, 3);
    QTest::newRow("node mask one cell wide") << "MaskNor.bmp" << Dano::Cambiar << Mascara(1, 4, NorBlanco);
  }

  void fallos() {
    QFETCH(QString, fichero);
    QFETCH(Dano, dano);
    QFETCH(QImage, imagen);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    QVERIFY(EscribirConjunto(dir));
    const QString ruta = dir.filePath(fichero);
    QFile f(ruta);
    const qint64 largo = f.size();
    QByteArray datos = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    f.close();
    const qint32 ancho = 100000;
    switch (dano) {
      case Dano::Falta: QVERIFY(f.remove()); break;
      case Dano::Vacio: QVERIFY(Truncar(ruta, 0)); break;
      case Dano::Truncado: QVERIFY(Truncar(ruta, largo / 2)); break;
      case Dano::UltimaFila: QVERIFY(Truncar(ruta, largo - 8)); break;
      case Dano::Basura:
        datos.resize(200);
        for (int i = 2; i < 200; ++i)  // "BM" kept
          datos[i] = static_cast<char>((i * 97 + 13) & 0xFF);
        QVERIFY(Sobrescribir(ruta, datos));
        break;
      case Dano::NoEsBmp: QVERIFY(Patron(12, 4, 3).save(ruta, "PNG")); break;
      case Dano::AnchoEnorme:
        memcpy(datos.data() + 18, &ancho, 4);  // little-endian host
        QVERIFY(Sobrescribir(ruta, datos));
        break;
      case Dano::Cambiar: QVERIFY(imagen.save(ruta, "BMP")); break;
    }

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

  void combinaciones_data() {
    QTest::addColumn<TCombinacion>("modo");
    QTest::addColumn<quint32>("palabra");  // destination 0xFF12F0AA, source 0x00F0F00F
    QTest::addColumn<int>("indice");       // destination 0xA5, source 0x3C
    // In 32-bit pictures the fourth byte comes out as 0xFF whatever the source
    // held there.
    QTest::newRow("copy") << TCombinacion::Copiar << 0xFFF0F00Fu << 0x3C;
    QTest::newRow("AND") << TCombinacion::Y << 0xFF10F00Au << 0x24;
    QTest::newRow("OR") << TCombinacion::O << 0xFFF2F0AFu << 0xBD;
    QTest::newRow("invert") << TCombinacion::Invertir << 0xFFED0F55u << 0x5A;
  }

  void combinaciones() {
    QFETCH(TCombinacion, modo);
    QFETCH(quint32, palabra);
    QFETCH(int, indice);

    QImage d32(4, 3, QImage::Format_RGB32);
    d32.fill(0xFF12F0AAu);
    QImage f32(2, 2, QImage::Format_RGB32);
    f32.fill(0x00F0F00Fu);
    CombinarBits(d32, 1, 1, f32, modo);
    QImage d8(4, 3, QImage::Format_Indexed8);
    d8.setColorTable(Paleta());
    d8.fill(0xA5);
    QImage f8(2, 2, QImage::Format_Indexed8);
    f8.setColorTable(Paleta());
    f8.fill(0x3C);
    CombinarBits(d8, 1, 1, f8, modo);

    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        const bool dentro = x >= 1 && x <= 2 && y >= 1;
        QCOMPARE(Palabra(d32, x, y), dentro ? palabra : 0xFF12F0AAu);
        QCOMPARE(int(Indice(d8, x, y)), dentro ? indice : 0xA5);
      }
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

  // Every mode at one position, in both depths, against a pixel-by-pixel model.

  void recorte() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QSize, lado);
    const int W = 7, H = 5;
    for (TCombinacion modo : {TCombinacion::Copiar, TCombinacion::Y, TCombinacion::O, TCombinacion::Invertir}) {
      QImage d32(W, H, QImage::Format_RGB32), d8(W, H, QImage::Format_Indexed8);
      d8.setColorTable(Paleta());
      for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i) {
          d32.setPixel(i, j, 0xFF000000u | quint32(i * 0x1F3A51 + j * 0x0B0C0D));
          d8.setPixel(i, j, static_cast<uint>((i * 29 + j * 7) & 0xFF));
        }
      QImage f32(lado, QImage::Format_RGB32), f8(lado, QImage::Format_Indexed8);
      f8.setColorTable(Paleta());
      for (int j = 0; j < lado.height(); ++j)
        for (int i = 0; i < lado.width(); ++i) {
          f32.setPixel(i, j, 0xFF000000u | quint32(0xC0FFEE * (i + 1) + 0x123 * j));
          f8.setPixel(i, j, static_cast<uint>((i * 53 + j * 11 + 3) & 0xFF));
        }
      const QImage antes32 = d32.copy(), antes8 = d8.copy();
      const QImage fuente32 = f32.copy(), fuente8 = f8.copy();
      CombinarBits(d32, x, y, f32, modo);
      CombinarBits(d8, x, y, f8, modo);
      QCOMPARE(f32, fuente32);
      QCOMPARE(f8, fuente8);
      for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i) {
          const qint64 fx = qint64(i) - x, fy = qint64(j) - y;
          const bool cubierto = fx >= 0 && fy >= 0 && fx < lado.width() && fy < lado.height();
          quint32 esperado32 = Palabra(antes32, i, j);
          uchar esperado8 = Indice(antes8, i, j);
          if (cubierto) {
            const quint32 s32 = Palabra(f32, int(fx), int(fy));
            const uchar s8 = Indice(f8, int(fx), int(fy));
            switch (modo) {
            case TCombinacion::Copiar: esperado32 = s32; esperado8 = s8; break;
            case TCombinacion::Y: esperado32 &= s32; esperado8 &= s8; break;
            case TCombinacion::O: esperado32 |= s32; esperado8 |= s8; break;
            case TCombinacion::Invertir: esperado32 = ~esperado32; esperado8 = uchar(~esperado8); break;
            }
            esperado32 |= 0xFF000000u;
          }
          const QString donde = QStringLiteral("modo %1 pixel (%2, %3)").arg(int(modo)).arg(i).arg(j);
          QVERIFY2(Palabra(d32, i, j) == esperado32, qPrintable(donde));
          QVERIFY2(Indice(d8, i, j) == esperado8, qPrintable(donde));
        }
    }
  }

  void profundidadesDistintas() {
    QImage d32(4, 4, QImage::Format_RGB32);
    d32.fill(0xFF123456u);
    QImage f8(2, 2, QImage::Format_Indexed8);
    f8.setColorTable(Paleta());
    f8.fill(0);
    const QImage antes = d32.copy();
    CombinarBits(d32, 0, 0, f8, TCombinacion::Copiar);
    QCOMPARE(d32, antes);
    CombinarBits(d32, 0, 0, QImage(), TCombinacion::Invertir);
    QCOMPARE(d32, antes);
    QImage nula;
    CombinarBits(nula, 0, 0, d32, TCombinacion::Copiar);
    QVERIFY(nula.isNull());
  }

  void tinte_data() {
    QTest::addColumn<TColor>("color");
    QTest::newRow("pure blue") << TColor(0x00FF0000);
    QTest::newRow("white") << TColor(0x00FFFFFF);
    QTest::newRow("mixed") << TColor(0x00408020);
  }

  // The shadow layers after a first tint and then the row's colour hold the

  // sources times the row's colour: nothing of the first tint remains.

  void tinte() {
    QFETCH(TColor, color);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const int s = 4;
    QVERIFY(EscribirConjunto(dir, s));
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, dir));
    const QImage nodo = im.Capa(1, 2, 0), hueco = im.Capa(1, 2, 2), huecoSombra = im.Capa(1, 2, 3);
    im.TintarSombras(0x00123456);
    im.TintarSombras(color);
    for (int t = 0; t < 3; ++t) {
      const QImage fuente = Patron(3 * s, s, t + 1);
      for (int e = 0; e < 3; ++e)
        for (int y = 0; y < s; ++y)
          for (int x = 0; x < s; ++x) {
            const QRgb c = FonBlanco(e, x, y) ? fuente.pixel(e * s + x, y) : 0;
            const quint32 esperado = 0xFF000000u | quint32(qRed(c) * RojoDe(color) / 256) << 16 |
                                     quint32(qGreen(c) * VerdeDe(color) / 256) << 8 |
                                     quint32(qBlue(c) * AzulDe(color) / 256);
            QCOMPARE(Palabra(im.Capa(t, e, 1), x, y), esperado);
          }
    }
    // The other layers are not touched.
    QCOMPARE(im.Capa(1, 2, 0), nodo);
    QCOMPARE(im.Capa(1, 2, 2), hueco);
    QCOMPARE(im.Capa(1, 2, 3), huecoSombra);
  }

  void modo8Bits() {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const int s = 4;
    const QList<QRgb> paleta = Paleta();
    // The red nodes come with the same colours in another order: their indices
    // must be mapped onto the palette of the plain nodes.
    QList<QRgb> otra(256);
    for (int i = 0; i < 256; ++i)
      otra[(i * 7 + 3) % 256] = paleta[i];
    auto indiceR = [&](int x, int y) {
      return (IndiceNodo(1, x, y) * 7 + 3) % 256;
    };
    QVERIFY(Guardar(dir, "Nodos256.bmp", Indexada(3 * s, s, paleta, [](int x, int y) { return IndiceNodo(0, x, y); })));
    QVERIFY(Guardar(dir, "NodosR256.bmp", Indexada(3 * s, s, otra, indiceR)));
    QVERIFY(Guardar(dir, "NodosN256.bmp", Indexada(3 * s, s, paleta, [](int x, int y) { return IndiceNodo(2, x, y); })));
    QVERIFY(Guardar(dir, "MaskNor.bmp", Mascara(3, s, NorBlanco, 200, 60)));
    QVERIFY(Guardar(dir, "MaskFon.bmp", Mascara(3, s, FonBlanco)));
    // The sequence is a true-colour picture drawn in colours of the palette.
    QImage secuencia(2 * s, s, QImage::Format_RGB32);
    for (int y = 0; y < s; ++y)
      for (int x = 0; x < 2 * s; ++x)
        secuencia.setPixel(x, y, paleta[(x * 13 + y * 5) % 254 + 1]);
    QVERIFY(Guardar(dir, "Secuencia.bmp", secuencia));

    TImagenesNodos im;
    QVERIFY2(!im.CargarImagenes(false, dir), "the 32-bit names are not there");
    QVERIFY(im.CargarImagenes(true, dir));
    QVERIFY(im.Modo8Bits());
    QCOMPARE(im.TamImg(), s);
    QCOMPARE(im.NumFrames(), 2);
    for (int k = 0; k < 4; ++k)
      QCOMPARE(im.Capa(2, 1, k).colorTable(), paleta);
    ComprobarCapas(im, s, [](const QImage& img, int x, int y) { return quint32(Indice(img, x, y)); },
                   [&](int t, int e, int x, int y) { return quint32(IndiceNodo(t, e * s + x, y)); }, 0x00, 0xFF);
    for (int f = 0; f < 2; ++f)
      for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
          const bool enNodo = NorBlanco(0, x, y);
          QCOMPARE(im.ImgSecuencia(f).pixel(x, y), enNodo ? secuencia.pixel(f * s + x, y) : paleta[0]);
          QCOMPARE(int(Indice(im.MascSecuencia(f), x, y)), enNodo ? 0x00 : 0xFF);
        }

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
    QList<QRgb> corta = Paleta().mid(0, 40);
    QVERIFY(Guardar(dir, "Nodos256.bmp", Indexada(12, 4, corta, [](int x, int) { return x; })));
    const auto p = PaletaNodos256(dir);
    QVERIFY(p.has_value());
    QCOMPARE(p->size(), 256);
    QCOMPARE(p->mid(0, 40), corta);
    QVERIFY(Truncar(dir.filePath("Nodos256.bmp"), 30));
    QVERIFY(!PaletaNodos256(dir).has_value());
  }

  void conjuntoGenerado_data() {
    QTest::addColumn<bool>("modo8");
    QTest::newRow("32 bits") << false;
    QTest::newRow("8 bits") << true;
  }

  // The generator's pictures load in both modes, and a node stamped the way the

  // canvas stamps it (shadow hole, tinted shadow, node hole, node) on a coloured

  // background keeps the background outside, shows the node inside and only

  // darkens the background under the shadow.

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
    const int S = 32, c = 16;
    // Inside a hole layer (black): index 0 or the word 0xFF000000.
    const auto dentro = [modo8](const QImage& hueco, int x, int y) {
      return modo8 ? Indice(hueco, x, y) == 0 : Palabra(hueco, x, y) == 0xFF000000u;
    };
    for (int t = 0; t < 3; ++t)
      for (int e = 0; e < 3; ++e) {
        // The node covers the centre; the node and shadow masks never overlap.
        QVERIFY(dentro(im.Capa(t, e, 2), c, c));
        for (int y = 0; y < S; ++y)
          for (int x = 0; x < S; ++x)
            QVERIFY(!(dentro(im.Capa(t, e, 2), x, y) && dentro(im.Capa(t, e, 3), x, y)));
      }

    if (modo8) {
      const auto paleta = PaletaNodos256(dir);
      QVERIFY(paleta.has_value());
      QCOMPARE(paleta->at(0), qRgb(0, 0, 0));
      QCOMPARE(paleta->at(255), qRgb(255, 255, 255));
      QCOMPARE(im.Capa(1, 0, 0).colorTable(), *paleta);
      QImage lienzo(64, 64, QImage::Format_Indexed8);
      lienzo.setColorTable(*paleta);
      lienzo.fill(200);
      for (int k : {3, 1, 2, 0})
        CombinarBits(lienzo, 10, 12, im.Capa(1, 2, k), k >= 2 ? TCombinacion::Y : TCombinacion::O);
      QCOMPARE(Indice(lienzo, 10 + c, 12 + c), Indice(im.Capa(1, 2, 0), c, c));
      QCOMPARE(int(Indice(lienzo, 10, 12)), 200);
      QCOMPARE(int(Indice(lienzo, 63, 63)), 200);
      return;
    }

    const TColor fondo = ColorRGB(40, 110, 170);
    im.TintarSombras(fondo);
    QImage lienzo(64, 64, QImage::Format_RGB32);
    lienzo.fill(ColorQt(fondo));
    const QImage antes = lienzo.copy();
    // Shadow first, then the node, each as a hole cleared with AND and a
    // picture laid in with OR.
    for (int k : {3, 1, 2, 0})
      CombinarBits(lienzo, 10, 12, im.Capa(0, 2, k), k >= 2 ? TCombinacion::Y : TCombinacion::O);
    QCOMPARE(Palabra(lienzo, 10 + c, 12 + c), Palabra(im.Capa(0, 2, 0), c, c));
    int sombreados = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const bool enCuadro = x >= 10 && x < 10 + S && y >= 12 && y < 12 + S;
        const QRgb p = lienzo.pixel(x, y), b = antes.pixel(x, y);
        if (!enCuadro) {
          QCOMPARE(p, b);
          continue;
        }
        if (dentro(im.Capa(0, 2, 3), x - 10, y - 12)) {  // under the shadow
          QVERIFY(qRed(p) <= qRed(b) && qGreen(p) <= qGreen(b) && qBlue(p) <= qBlue(b));
          if (qBlue(p) * 10 < qBlue(b) * 9)  // at least a tenth darker
            ++sombreados;
        } else if (!dentro(im.Capa(0, 2, 2), x - 10, y - 12)) {
          QCOMPARE(p, b);  // neither node nor shadow
        }
      }
    QVERIFY2(sombreados > 10, "the shadow is visible");
    // The top-left corner of the square is background: the shadow lies down
    // and to the right.
    QCOMPARE(lienzo.pixel(10, 12), antes.pixel(10, 12));
#endif
  }
};

QTEST_GUILESS_MAIN(PruebasImagenes)
#include "tst_imagenes.moc"
