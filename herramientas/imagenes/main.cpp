// quelvar-imagenes <carpeta>: draws the node picture files of the mode
// "Imágenes" into the folder.
//
// Layout: node cells of side 32 (the program stamps them with their top-left
// corner 16 px up and left of a node's centre). A node picture holds three
// cells, by column: selected, highlighted (marked during a step), normal. Each
// cell is the node disc over its soft shadow over white: the shadow is drawn
// in greys that fade to white at its edge, so that once the program multiplies
// it by the background colour its rim melts into any background. The masks
// say which pixels are disc ("MaskNor.bmp") and which are shadow outside the
// disc ("MaskFon.bmp"); "Secuencia.bmp" holds the frames of a removed node.
//
// The 256-colour pictures share one palette with black at index 0 and white
// at index 255; the masks are written as true-colour black and white and the
// program turns them into those two indices when it loads them in 8-bit mode.
//
// Only shapes are drawn (no text), so no application object and no display
// are needed.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int S = 32;                // cell side
constexpr double C = S / 2 + 0.5;    // disc centre: the centre of pixel (16, 16)
constexpr double R = 12.5;           // disc radius
constexpr double Borde = 2.6;        // width of the rim
constexpr double DesplSombra = 2.0;  // shadow offset, down and right
constexpr double SombraPlena = 5.5;  // distance from the shadow's centre where it starts to fade
constexpr double SombraFin = 13.0;   // where it has faded to white
constexpr double SombraMax = 0.42;   // darkest shadow: 42 % darker than white
constexpr int Muestras = 4;          // samples per pixel side
constexpr int NumFrames = 10;

struct Rgb {
  double r, g, b;
};
Rgb Mezcla(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Por(Rgb a, double f) { return {a.r * f, a.g * f, a.b * f}; }
double Suave(double a, double b, double x) {
  const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}
QRgb Pixel(Rgb c) {
  auto canal = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
  return qRgb(canal(c.r), canal(c.g), canal(c.b));
}

// One look of a node: the colour of its face (lit from the top left) and of
// its rim.
struct Aspecto {
  Rgb Cara;
  Rgb Brillo;
  Rgb Aro;
};

// [kind][state]: kinds plain, red, black; states selected, highlighted, normal.
// The plain node matches the program's default pale cyan; selection turns the
// face yellow (plain), azure (red) or light silver (black) as the drawings do;
// a highlighted node gets a red rim (yellow on a red node, where red would not
// show).
const Aspecto Aspectos[3][3] = {
    {{{255, 236, 60}, {255, 255, 200}, {190, 140, 0}},
     {{175, 240, 250}, {240, 255, 255}, {225, 20, 20}},
     {{175, 240, 250}, {240, 255, 255}, {60, 150, 180}}},
    {{{70, 150, 255}, {200, 230, 255}, {20, 60, 170}},
     {{225, 70, 60}, {255, 175, 160}, {255, 215, 0}},
     {{225, 70, 60}, {255, 175, 160}, {140, 10, 10}}},
    {{{205, 205, 210}, {250, 250, 255}, {30, 30, 34}},
     {{140, 140, 146}, {215, 215, 220}, {225, 20, 20}},
     {{140, 140, 146}, {215, 215, 220}, {30, 30, 34}}},
};

// The colour of the disc at a point inside it, relative to its centre.
Rgb ColorDisco(const Aspecto& a, double dx, double dy) {
  const double d = std::hypot(dx, dy);
  // Light comes from the top left: the lower right is a little darker.
  const double lado = d > 0 ? (dx + dy) / (d * std::sqrt(2.0)) : 0;
  if (d > R - Borde) {
    const double f = lado < 0 ? 1.0 - 0.25 * lado : 1.0 - 0.22 * lado;
    return Por(a.Aro, f);
  }
  const double h = std::hypot(dx + 3.5, dy + 4.0) / (R - Borde);
  Rgb c = Mezcla(a.Brillo, a.Cara, Suave(0.0, 1.0, h));
  return Por(c, 1.0 - 0.12 * std::max(0.0, lado) * (d / (R - Borde)));
}

// The grey of the shadow at a pixel centre: 255 (white) where there is none.
int GrisSombra(double x, double y) {
  const double d = std::hypot(x - C - DesplSombra, y - C - DesplSombra);
  const double oscuro = SombraMax * (1.0 - Suave(SombraPlena, SombraFin, d));
  return static_cast<int>(std::lround(255.0 * (1.0 - oscuro)));
}

// Fraction of a pixel covered by the disc, and the mean disc colour over the
// covered samples (edge pixels take the disc's colour unblended: the mask is
// either in or out).
struct Muestra {
  double Cobertura;
  Rgb Color;
};
Muestra MuestrearDisco(const Aspecto& a, int px, int py) {
  int dentro = 0;
  Rgb suma{0, 0, 0};
  for (int j = 0; j < Muestras; ++j)
    for (int i = 0; i < Muestras; ++i) {
      const double dx = px + (i + 0.5) / Muestras - C;
      const double dy = py + (j + 0.5) / Muestras - C;
      if (std::hypot(dx, dy) <= R) {
        const Rgb c = ColorDisco(a, dx, dy);
        suma = {suma.r + c.r, suma.g + c.g, suma.b + c.b};
        ++dentro;
      }
    }
  const double n = Muestras * Muestras;
  return {dentro / n, dentro ? Por(suma, 1.0 / dentro) : Rgb{0, 0, 0}};
}

bool EnDisco(int px, int py) { return MuestrearDisco(Aspectos[0][2], px, py).Cobertura >= 0.5; }
bool EnSombra(int px, int py) { return !EnDisco(px, py) && GrisSombra(px + 0.5, py + 0.5) < 255; }

// One cell: the disc over its shadow over white.
QImage Celda(const Aspecto& a) {
  QImage img(S, S, QImage::Format_RGB32);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      const Muestra m = MuestrearDisco(a, x, y);
      if (m.Cobertura >= 0.5) {
        img.setPixel(x, y, Pixel(m.Color));
      } else {
        const int g = GrisSombra(x + 0.5, y + 0.5);
        img.setPixel(x, y, qRgb(g, g, g));
      }
    }
  return img;
}

QImage Tira(int celdas) {
  QImage img(S * celdas, S, QImage::Format_RGB32);
  img.fill(Qt::black);
  return img;
}

QImage Nodos(int tipo) {
  QImage img = Tira(3);
  QPainter p(&img);
  for (int s = 0; s < 3; ++s)
    p.drawImage(s * S, 0, Celda(Aspectos[tipo][s]));
  return img;
}

template <typename Pred>
QImage Mascara(Pred dentro) {
  QImage img = Tira(3);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (dentro(x, y))
        for (int c = 0; c < 3; ++c)
          img.setPixel(c * S + x, y, qRgb(255, 255, 255));
  return img;
}

// The removed node breaks into shards that drift apart, shrink and fade to
// white; only the disc's area shows, so shards leaving it are cut off.
QImage Secuencia() {
  QImage img = Tira(NumFrames);
  const QImage nodo = Celda(Aspectos[0][2]);
  // Shard boundaries (degrees), a little irregular.
  const std::array<double, 8> angulos = {-90, -38, 8, 62, 108, 160, 212, 270};
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int f = 0; f < NumFrames; ++f) {
    const double t = static_cast<double>(f) / (NumFrames - 1);
    const QRectF celda(f * S, 0, S, S);
    p.fillRect(celda, Qt::white);
    p.save();
    p.setClipRect(celda);
    p.translate(f * S, 0);
    for (std::size_t k = 0; k + 1 < angulos.size(); ++k) {
      const double a0 = angulos[k] * M_PI / 180, a1 = angulos[k + 1] * M_PI / 180;
      const double medio = (a0 + a1) / 2;
      QPainterPath cuna;
      cuna.moveTo(C, C);
      cuna.arcTo(QRectF(C - R - 1, C - R - 1, 2 * R + 2, 2 * R + 2), -angulos[k], -(angulos[k + 1] - angulos[k]));
      cuna.closeSubpath();
      // Each shard moves out along its middle and shrinks about its centre.
      const double ex = C + std::cos(medio) * R * 0.55, ey = C + std::sin(medio) * R * 0.55;
      const double huida = 7.0 * t * t + 1.2 * t;
      const double escala = 1.0 - 0.55 * t;
      QTransform m;
      m.translate(ex + std::cos(medio) * huida, ey + std::sin(medio) * huida);
      m.rotate((k % 2 ? 1 : -1) * 25.0 * t);
      m.scale(escala, escala);
      m.translate(-ex, -ey);
      p.save();
      p.setTransform(m, true);
      p.setClipPath(cuna, Qt::IntersectClip);
      p.setOpacity(f == 0 ? 1.0 : std::pow(1.0 - t, 0.7));
      p.drawImage(0, 0, nodo);
      p.restore();
    }
    // A faint outline of where the node was.
    if (f > 0) {
      p.setOpacity(0.35 * t);
      p.setPen(QPen(QColor(60, 150, 180), 1.0, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(C, C), R - 0.7, R - 0.7);
      p.setOpacity(1.0);
    }
    p.restore();
  }
  return img;
}

// Median cut over the colours of the pictures: a palette of 254 colours plus
// black (index 0) and white (index 255), then every picture mapped to its
// nearest entry.
QList<QRgb> Paleta(const std::vector<QImage>& imagenes) {
  std::map<QRgb, int> cuenta;
  for (const QImage& img : imagenes)
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb c = img.pixel(x, y) | 0xFF000000u;
        if (c != 0xFF000000u && c != 0xFFFFFFFFu)
          ++cuenta[c];
      }
  using Caja = std::vector<std::pair<QRgb, int>>;
  std::vector<Caja> cajas(1, Caja(cuenta.begin(), cuenta.end()));
  auto canal = [](QRgb c, int k) { return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c); };
  auto extension = [&](const Caja& caja, int& eje) {
    int mejor = -1;
    for (int k = 0; k < 3; ++k) {
      int lo = 255, hi = 0;
      for (const auto& e : caja) {
        lo = std::min(lo, canal(e.first, k));
        hi = std::max(hi, canal(e.first, k));
      }
      if (hi - lo > mejor) {
        mejor = hi - lo;
        eje = k;
      }
    }
    return mejor;
  };
  while (cajas.size() < 254) {
    int elegida = -1, eje = 0, mejor = 0;
    for (std::size_t i = 0; i < cajas.size(); ++i) {
      if (cajas[i].size() < 2)
        continue;
      int e = 0;
      const int ext = extension(cajas[i], e);
      long peso = 0;
      for (const auto& c : cajas[i])
        peso += c.second;
      const int valor = static_cast<int>(std::min<long>(ext * static_cast<long>(std::sqrt(peso)), 1 << 30));
      if (valor > mejor) {
        mejor = valor;
        elegida = static_cast<int>(i);
        eje = e;
      }
    }
    if (elegida < 0)
      break;
    Caja caja = std::move(cajas[static_cast<std::size_t>(elegida)]);
    std::sort(caja.begin(), caja.end(), [&](const auto& a, const auto& b) { return canal(a.first, eje) < canal(b.first, eje); });
    long total = 0, acumulado = 0;
    for (const auto& c : caja)
      total += c.second;
    std::size_t corte = 1;
    for (; corte < caja.size() - 1; ++corte) {
      acumulado += caja[corte - 1].second;
      if (2 * acumulado >= total)
        break;
    }
    cajas[static_cast<std::size_t>(elegida)] = Caja(caja.begin(), caja.begin() + static_cast<long>(corte));
    cajas.emplace_back(caja.begin() + static_cast<long>(corte), caja.end());
  }
  QList<QRgb> paleta(256, qRgb(0, 0, 0));
  paleta[255] = qRgb(255, 255, 255);
  for (std::size_t i = 0; i < cajas.size(); ++i) {
    double r = 0, g = 0, b = 0, n = 0;
    for (const auto& c : cajas[i]) {
      r += qRed(c.first) * c.second;
      g += qGreen(c.first) * c.second;
      b += qBlue(c.first) * c.second;
      n += c.second;
    }
    paleta[static_cast<int>(i) + 1] = Pixel({r / n, g / n, b / n});
  }
  return paleta;
}

QImage EnPaleta(const QImage& img, const QList<QRgb>& paleta) {
  QImage r(img.size(), QImage::Format_Indexed8);
  r.setColorTable(paleta);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y);
      int mejor = 0, distMejor = 1 << 30;
      for (int i = 0; i < paleta.size(); ++i) {
        const int dr = qRed(c) - qRed(paleta[i]), dg = qGreen(c) - qGreen(paleta[i]), db = qBlue(c) - qBlue(paleta[i]);
        const int dist = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (dist < distMejor) {
          distMejor = dist;
          mejor = i;
        }
      }
      r.setPixel(x, y, static_cast<uint>(mejor));
    }
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: quelvar-imagenes <carpeta>\n");
    return 2;
  }
  const QDir carpeta(QString::fromLocal8Bit(argv[1]));
  if (!carpeta.exists() && !QDir().mkpath(carpeta.path())) {
    std::fprintf(stderr, "quelvar-imagenes: no se puede crear la carpeta %s\n", argv[1]);
    return 1;
  }

  const std::array<QImage, 3> nodos = {Nodos(0), Nodos(1), Nodos(2)};
  const QImage secuencia = Secuencia();
  const QList<QRgb> paleta = Paleta({nodos[0], nodos[1], nodos[2], secuencia});

  struct Salida {
    const char* nombre;
    QImage imagen;
  };
  const std::vector<Salida> salidas = {
      {"Nodos.bmp", nodos[0]},
      {"NodosR.bmp", nodos[1]},
      {"NodosN.bmp", nodos[2]},
      {"Nodos256.bmp", EnPaleta(nodos[0], paleta)},
      {"NodosR256.bmp", EnPaleta(nodos[1], paleta)},
      {"NodosN256.bmp", EnPaleta(nodos[2], paleta)},
      {"MaskNor.bmp", Mascara(EnDisco)},
      {"MaskFon.bmp", Mascara(EnSombra)},
      {"Secuencia.bmp", secuencia},
  };
  for (const Salida& s : salidas) {
    const QString ruta = carpeta.filePath(QString::fromLatin1(s.nombre));
    if (!s.imagen.save(ruta, "BMP")) {
      std::fprintf(stderr, "quelvar-imagenes: no se puede escribir %s\n", qPrintable(ruta));
      return 1;
    }
  }
  return 0;
}
