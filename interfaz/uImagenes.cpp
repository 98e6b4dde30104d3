#include "uImagenes.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cstdint>

namespace {

constexpr quint32 Opaco = 0xFF000000u;  // the fourth byte Qt's RGB32 requires

// Bounds on what a picture file may ask for, checked before Qt allocates.
constexpr std::int64_t LadoMaximo = 8192;
constexpr std::int64_t PixelesMaximo = std::int64_t{16} << 20;
// A cell larger than this is not a node picture; refusing it keeps the 36
// layers within a few megabytes.
constexpr int TamMaximo = 512;

const char* const NombresNodos[2][TImagenesNodos::NumTipos] = {
    {"Nodos.bmp", "NodosR.bmp", "NodosN.bmp"},
    {"Nodos256.bmp", "NodosR256.bmp", "NodosN256.bmp"},
};

std::uint32_t Leer32(const QByteArray& b, int pos) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos + 3])) << 24;
}
std::uint16_t Leer16(const QByteArray& b, int pos) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[pos]) |
                                    static_cast<unsigned char>(b[pos + 1]) << 8);
}

// The header of a .bmp file agrees with its length: a known header, a sane
// size, and for uncompressed pictures every row present. Qt's reader stops at
// a short pixel array without saying so, which would hand back a picture with
// rows that were never read.
bool CabeceraValida(const QByteArray& b) {
  const std::int64_t largo = b.size();
  if (largo < 26 || b[0] != 'B' || b[1] != 'M')
    return false;
  const std::int64_t inicioPixeles = Leer32(b, 10);
  const std::int64_t tamCabecera = Leer32(b, 14);
  std::int64_t ancho = 0, alto = 0;
  int bits = 0;
  std::uint32_t compresion = 0;
  if (tamCabecera == 12) {
    ancho = Leer16(b, 18);
    alto = Leer16(b, 20);
    bits = Leer16(b, 24);
  } else if (tamCabecera >= 40 && tamCabecera <= 124) {
    if (largo < 14 + 40)
      return false;
    ancho = static_cast<std::int32_t>(Leer32(b, 18));
    alto = static_cast<std::int32_t>(Leer32(b, 22));
    bits = Leer16(b, 28);
    compresion = Leer32(b, 30);
  } else {
    return false;
  }
  if (alto < 0)
    alto = -alto;  // rows stored top-down
  if (ancho <= 0 || alto <= 0 || ancho > LadoMaximo || alto > LadoMaximo || ancho * alto > PixelesMaximo)
    return false;
  if (inicioPixeles < 14 + tamCabecera || inicioPixeles >= largo)
    return false;
  switch (compresion) {
  case 0:  // uncompressed
  case 3:  // uncompressed, with channel masks
  case 6: {
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
      return false;
    const std::int64_t bytesFila = (ancho * bits + 31) / 32 * 4;
    return inicioPixeles + bytesFila * alto <= largo;
  }
  case 1:  // run-length coded: Qt's decoder stops at the end of the data
    return bits == 8;
  case 2:
    return bits == 4;
  default:
    return false;
  }
}

// A 32-bit picture of Format_RGB32 whose fourth byte is 0xFF everywhere.
QImage ComoRGB32(const QImage& img) {
  QImage r = img.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < r.height(); ++y) {
    auto* p = reinterpret_cast<quint32*>(r.scanLine(y));
    for (int x = 0; x < r.width(); ++x)
      p[x] |= Opaco;
  }
  return r;
}

QList<QRgb> Rellenar256(QList<QRgb> tabla) {
  while (tabla.size() < 256)
    tabla.append(qRgb(0, 0, 0));
  tabla.resize(256);
  return tabla;
}

// A palette picture with a full 256-entry table (Qt picks the palette when the
// file was a true-colour one).
QImage ComoIndexada(const QImage& img) {
  QImage r = img.format() == QImage::Format_Indexed8 ? img : img.convertToFormat(QImage::Format_Indexed8);
  r.setColorTable(Rellenar256(r.colorTable()));
  return r;
}

// A palette picture whose indices refer to "paleta" (nearest colour when the
// picture had another palette or none).
QImage EnPaleta(const QImage& img, const QList<QRgb>& paleta) {
  if (img.format() == QImage::Format_Indexed8 && Rellenar256(img.colorTable()) == paleta) {
    QImage r = img;
    r.setColorTable(paleta);
    return r;
  }
  return img.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8, paleta);
}

// A mask made of pure black and pure white: 0xFF000000 / 0xFFFFFFFF words in
// 32-bit mode, indices 0x00 / 0xFF in 8-bit mode.
QImage MascaraBinaria(const QImage& img, bool modo8, const QList<QRgb>& paleta) {
  const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
  QImage r(rgb.size(), modo8 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
  if (modo8)
    r.setColorTable(paleta);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* o = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uchar* d = r.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) {
      const bool blanco = qGray(o[x]) >= 128;
      if (modo8)
        d[x] = blanco ? 0xFF : 0x00;
      else
        reinterpret_cast<quint32*>(d)[x] = blanco ? 0xFFFFFFFFu : Opaco;
    }
  }
  return r;
}

bool FormatoPalabra(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

template <typename Pixel, typename Op>
void RecorrerFilas(QImage& destino, const QImage& fuente, int x0, int y0, int fx, int fy, int ancho, int alto,
                   Op op) {
  uchar* const base = destino.bits();
  const qsizetype bpl = destino.bytesPerLine();
  const uchar* const fbase = fuente.constBits();
  const qsizetype fbpl = fuente.bytesPerLine();
  for (int r = 0; r < alto; ++r) {
    auto* d = reinterpret_cast<Pixel*>(base + (y0 + r) * bpl) + x0;
    const auto* s = reinterpret_cast<const Pixel*>(fbase + (fy + r) * fbpl) + fx;
    for (int c = 0; c < ancho; ++c)
      d[c] = op(d[c], s[c]);
  }
}

template <typename Pixel>
void Combinar(QImage& destino, const QImage& fuente, int x0, int y0, int fx, int fy, int ancho, int alto,
              TCombinacion modo, Pixel fijo) {
  switch (modo) {
  case TCombinacion::Copiar:
    RecorrerFilas<Pixel>(destino, fuente, x0, y0, fx, fy, ancho, alto,
                         [fijo](Pixel, Pixel s) { return static_cast<Pixel>(s | fijo); });
    break;
  case TCombinacion::Y:
    RecorrerFilas<Pixel>(destino, fuente, x0, y0, fx, fy, ancho, alto,
                         [fijo](Pixel d, Pixel s) { return static_cast<Pixel>((d & s) | fijo); });
    break;
  case TCombinacion::O:
    RecorrerFilas<Pixel>(destino, fuente, x0, y0, fx, fy, ancho, alto,
                         [fijo](Pixel d, Pixel s) { return static_cast<Pixel>(d | s | fijo); });
    break;
  case TCombinacion::Invertir:
    RecorrerFilas<Pixel>(destino, fuente, x0, y0, fx, fy, ancho, alto,
                         [fijo](Pixel d, Pixel) { return static_cast<Pixel>(~d | fijo); });
    break;
  }
}

const QImage& Nula() {
  static const QImage nula;
  return nula;
}

}  // namespace

void CombinarBits(QImage& destino, int x, int y, const QImage& fuente, TCombinacion modo) {
  if (destino.isNull() || fuente.isNull())
    return;
  const bool palabra = FormatoPalabra(destino.format()) && fuente.depth() == 32;
  const bool indice = destino.depth() == 8 && fuente.depth() == 8;
  if (!palabra && !indice)
    return;
  // The square clipped to the destination, in 64 bits so that no corner
  // overflows.
  const std::int64_t x0 = std::max<std::int64_t>(x, 0);
  const std::int64_t y0 = std::max<std::int64_t>(y, 0);
  const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{x} + fuente.width(), destino.width());
  const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{y} + fuente.height(), destino.height());
  if (x0 >= x1 || y0 >= y1)
    return;
  const int dx = static_cast<int>(x0), dy = static_cast<int>(y0);
  const int fx = static_cast<int>(x0 - x), fy = static_cast<int>(y0 - y);
  const int ancho = static_cast<int>(x1 - x0), alto = static_cast<int>(y1 - y0);
  if (palabra)
    Combinar<quint32>(destino, fuente, dx, dy, fx, fy, ancho, alto, modo, Opaco);
  else
    Combinar<quint8>(destino, fuente, dx, dy, fx, fy, ancho, alto, modo, 0);
}

QImage LeerBmp(const QDir& carpeta, const QString& nombre) {
  QFile f(carpeta.filePath(nombre));
  if (!f.open(QIODevice::ReadOnly))
    return {};
  // A picture file of more bytes than the largest picture allowed needs is
  // not read at all.
  if (f.size() > 14 + 124 + 1024 + 4 * PixelesMaximo)
    return {};
  const QByteArray datos = f.readAll();
  if (!CabeceraValida(datos))
    return {};
  QBuffer buffer;
  buffer.setData(datos);
  buffer.open(QIODevice::ReadOnly);
  QImageReader lector(&buffer, "BMP");
  return lector.read();
}

std::optional<QList<QRgb>> PaletaNodos256(const QDir& carpeta) {
  const QImage img = LeerBmp(carpeta, QStringLiteral("Nodos256.bmp"));
  if (img.isNull())
    return std::nullopt;
  return ComoIndexada(img).colorTable();
}

void TImagenesNodos::Vaciar() {
  Hay = false;
  Tam = 0;
  for (auto& f : FuenteNodos)
    f = QImage();
  MascaraSombra = QImage();
  for (auto& t : ImgNodos)
    for (auto& s : t)
      for (auto& k : s)
        k = QImage();
  Secuencia.clear();
  MascarasSecuencia.clear();
}

QImage TImagenesNodos::Celda(const QImage& fuente, int c) const {
  return fuente.copy(c * Tam, 0, Tam, Tam);
}

QImage TImagenesNodos::CapaSombra(int tipo, int estado) const {
  QImage capa = Celda(FuenteNodos[tipo], estado);
  CombinarBits(capa, 0, 0, Celda(MascaraSombra, estado), TCombinacion::Y);
  return capa;
}

QStringList CarpetasImagenes(const QString& trabajo, const QString& ejecutable, const QString& datos) {
  QStringList carpetas;
  const QString movida = ejecutable.isEmpty() ? QString() : ejecutable + QStringLiteral("/../share/quelvar");
  for (const QString& c : {trabajo, ejecutable, movida, datos})
    if (!c.isEmpty() && !carpetas.contains(QDir::cleanPath(c)))
      carpetas << QDir::cleanPath(c);
  return carpetas;
}

QStringList CarpetasImagenes() {
  return CarpetasImagenes(QDir::currentPath(),
                          QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString(),
                          QStringLiteral(QUELVAR_CARPETA_DATOS));
}

std::optional<QString> TImagenesNodos::CargarDeCarpetas(bool modo8, const QStringList& carpetas) {
  for (const QString& c : carpetas)
    if (CargarImagenes(modo8, QDir(c)))
      return c;
  return std::nullopt;
}

bool TImagenesNodos::CargarImagenes(bool modo8, const QDir& carpeta) {
  Vaciar();
  Ocho = modo8;

  std::array<QImage, NumTipos> fuentes;
  for (int t = 0; t < NumTipos; ++t) {
    fuentes[t] = LeerBmp(carpeta, QString::fromLatin1(NombresNodos[modo8 ? 1 : 0][t]));
    if (fuentes[t].isNull())
      return false;
  }
  QImage mascNor = LeerBmp(carpeta, QStringLiteral("MaskNor.bmp"));
  QImage mascFon = LeerBmp(carpeta, QStringLiteral("MaskFon.bmp"));
  QImage secuencia = LeerBmp(carpeta, QStringLiteral("Secuencia.bmp"));
  if (mascNor.isNull() || mascFon.isNull() || secuencia.isNull())
    return false;

  const int tam = fuentes[0].width() / 3;
  if (tam < 1 || tam > TamMaximo)
    return false;
  // Every cell that is cut below must lie inside its picture.
  for (const QImage& img : {fuentes[0], fuentes[1], fuentes[2], mascNor, mascFon})
    if (img.width() < 3 * tam || img.height() < tam)
      return false;

  QList<QRgb> paleta;
  if (modo8) {
    fuentes[0] = ComoIndexada(fuentes[0]);
    paleta = fuentes[0].colorTable();
    fuentes[1] = EnPaleta(fuentes[1], paleta);
    fuentes[2] = EnPaleta(fuentes[2], paleta);
    secuencia = EnPaleta(secuencia, paleta);
  } else {
    for (auto& f : fuentes)
      f = ComoRGB32(f);
    secuencia = ComoRGB32(secuencia);
  }
  mascNor = MascaraBinaria(mascNor, modo8, paleta);
  mascFon = MascaraBinaria(mascFon, modo8, paleta);

  Tam = tam;
  FuenteNodos = fuentes;
  MascaraSombra = mascFon;
  for (int t = 0; t < NumTipos; ++t)
    for (int s = 0; s < NumEstados; ++s) {
      auto& capas = ImgNodos[t][s];
      capas[0] = Celda(fuentes[t], s);
      CombinarBits(capas[0], 0, 0, Celda(mascNor, s), TCombinacion::Y);
      capas[1] = CapaSombra(t, s);
      capas[2] = Celda(mascNor, s);
      CombinarBits(capas[2], 0, 0, capas[2], TCombinacion::Invertir);
      capas[3] = Celda(mascFon, s);
      CombinarBits(capas[3], 0, 0, capas[3], TCombinacion::Invertir);
    }

  // Frames: a sequence lower or narrower than one cell gives none.
  const int numFrames = secuencia.height() >= tam ? secuencia.width() / tam : 0;
  const QImage mascara0 = Celda(mascNor, 0);
  QImage hueco0 = mascara0;
  CombinarBits(hueco0, 0, 0, hueco0, TCombinacion::Invertir);
  Secuencia.reserve(numFrames);
  MascarasSecuencia.reserve(numFrames);
  for (int f = 0; f < numFrames; ++f) {
    QImage frame = Celda(secuencia, f);
    CombinarBits(frame, 0, 0, mascara0, TCombinacion::Y);
    Secuencia.push_back(frame);
    MascarasSecuencia.push_back(hueco0);  // shared, not copied
  }
  Hay = true;
  return true;
}

void TImagenesNodos::TintarSombras(TColor color) {
  if (!Hay || Ocho)
    return;
  const quint32 r = static_cast<quint32>(RojoDe(color));
  const quint32 g = static_cast<quint32>(VerdeDe(color));
  const quint32 b = static_cast<quint32>(AzulDe(color));
  for (int t = 0; t < NumTipos; ++t)
    for (int s = 0; s < NumEstados; ++s) {
      QImage capa = CapaSombra(t, s);  // from the sources: tints never accumulate
      for (int y = 0; y < capa.height(); ++y) {
        auto* p = reinterpret_cast<quint32*>(capa.scanLine(y));
        for (int x = 0; x < capa.width(); ++x) {
          const quint32 w = p[x];
          const quint32 azul = (w & 0xFF) * b / 256;
          const quint32 verde = ((w >> 8) & 0xFF) * g / 256;
          const quint32 rojo = ((w >> 16) & 0xFF) * r / 256;
          p[x] = Opaco | rojo << 16 | verde << 8 | azul;
        }
      }
      ImgNodos[t][s][1] = capa;
    }
}

const QImage& TImagenesNodos::Capa(int tipo, int estado, int capa) const {
  if (!Hay || tipo < 0 || tipo >= NumTipos || estado < 0 || estado >= NumEstados || capa < 0 || capa >= NumCapas)
    return Nula();
  return ImgNodos[tipo][estado][capa];
}

const QImage& TImagenesNodos::ImgSecuencia(int f) const {
  if (f < 0 || f >= NumFrames())
    return Nula();
  return Secuencia[static_cast<std::size_t>(f)];
}

const QImage& TImagenesNodos::MascSecuencia(int f) const {
  if (f < 0 || f >= NumFrames())
    return Nula();
  return MascarasSecuencia[static_cast<std::size_t>(f)];
}
