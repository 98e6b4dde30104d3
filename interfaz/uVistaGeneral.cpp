#include "uVistaGeneral.h"

#include "uArbolBin.h"
#include "uMonticulo.h"
#include "uTipos.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace {

using i64 = std::int64_t;

using namespace ColoresDibujo;

quint32 Pixel(TColor c) { return ColorQt(c).rgb(); }

double Acotada(double s) {
  constexpr double minima = 1.0 / (1 << 30), maxima = 64;
  return std::isfinite(s) && s > 0 ? std::clamp(s, minima, maxima) : 1.0;
}

// Pixels written straight into a 32-bit picture, each clipped to it.
class TPixeles {
public:
  explicit TPixeles(QImage& img)
      : Bits_(reinterpret_cast<quint32*>(img.bits())), Paso_(img.bytesPerLine() / 4), W_(img.width()),
        H_(img.height()) {}
  int W() const { return W_; }
  int H() const { return H_; }

  void Punto(i64 x, i64 y, quint32 c) {
    if (x >= 0 && x < W_ && y >= 0 && y < H_)
      Fila(y)[x] = c;
  }
  void Vertical(i64 x, i64 y0, i64 y1, quint32 c) {
    if (x < 0 || x >= W_)
      return;
    for (i64 y = std::max<i64>(y0, 0), fin = std::min<i64>(y1, H_ - 1); y <= fin; ++y)
      Fila(y)[x] = c;
  }
  void Horizontal(i64 x0, i64 x1, i64 y, quint32 c) {
    if (y < 0 || y >= H_)
      return;
    quint32* f = Fila(y);
    for (i64 x = std::max<i64>(x0, 0), fin = std::min<i64>(x1, W_ - 1); x <= fin; ++x)
      f[x] = c;
  }

  // The 1 px line between two points, cut to the picture first (its ends may
  // lie anywhere a 64-bit coordinate reaches), then stepped across it.
  void Linea(i64 x0, i64 y0, i64 x1, i64 y1, quint32 c) {
    if ((x0 < 0 && x1 < 0) || (y0 < 0 && y1 < 0) || (x0 >= W_ && x1 >= W_) || (y0 >= H_ && y1 >= H_))
      return;
    if (x0 == x1)
      return Vertical(x0, std::min(y0, y1), std::max(y0, y1), c);
    if (y0 == y1)
      return Horizontal(std::min(x0, x1), std::max(x0, x1), y0, c);
    const double ax = static_cast<double>(x0), ay = static_cast<double>(y0);
    const double ex = static_cast<double>(x1 - x0), ey = static_cast<double>(y1 - y0);
    double t0 = 0, t1 = 1;
    const std::array<double, 4> p{-ex, ex, -ey, ey};
    const std::array<double, 4> q{ax, (W_ - 1) - ax, ay, (H_ - 1) - ay};
    for (std::size_t k = 0; k < 4; ++k) {
      if (p[k] == 0) {
        if (q[k] < 0)
          return;
        continue;
      }
      const double r = q[k] / p[k];
      if (p[k] < 0)
        t0 = std::max(t0, r);
      else
        t1 = std::min(t1, r);
    }
    if (t0 > t1)
      return;
    const auto dentro = [](double v, int max) { return static_cast<int>(std::clamp(std::lround(v), 0L, long{max})); };
    int xa = dentro(ax + t0 * ex, W_ - 1), ya = dentro(ay + t0 * ey, H_ - 1);
    const int xb = dentro(ax + t1 * ex, W_ - 1), yb = dentro(ay + t1 * ey, H_ - 1);
    const int dx = std::abs(xb - xa), dy = -std::abs(yb - ya), sx = xa < xb ? 1 : -1, sy = ya < yb ? 1 : -1;
    for (int err = dx + dy;;) {
      Fila(ya)[xa] = c;
      if (xa == xb && ya == yb)
        break;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        xa += sx;
      }
      if (e2 <= dx) {
        err += dx;
        ya += sy;
      }
    }
  }

private:
  quint32* Fila(i64 y) { return Bits_ + y * Paso_; }
  quint32* Bits_;
  qsizetype Paso_;
  int W_, H_;
};

// A disc of radius r as the drawings' circle: it covers the 2r columns
// cx - r .. cx + r - 1 and as many rows; each row's span, and which of its
// pixels are outline (those with a 4-neighbour outside the disc).
class TDisco {
public:
  explicit TDisco(int r) : R_(std::max(1, r)), Lado_(2 * R_), Celdas_(static_cast<std::size_t>(Lado_ * Lado_), 0) {
    for (int j = 0; j < Lado_; ++j) {
      const double v = j - R_ + 0.5, m = std::sqrt(std::max(0.0, double(R_) * R_ - v * v));
      const int media = std::max(1, static_cast<int>(std::lround(m)));
      for (int i = R_ - media; i < R_ + media; ++i)
        Celda(i, j) = 1;
    }
    for (int j = 0; j < Lado_; ++j)
      for (int i = 0; i < Lado_; ++i)
        if (Celda(i, j) && (!Dentro(i - 1, j) || !Dentro(i + 1, j) || !Dentro(i, j - 1) || !Dentro(i, j + 1)))
          Celda(i, j) = 2;
  }
  void Dibujar(TPixeles& p, i64 cx, i64 cy, quint32 relleno, quint32 contorno) const {
    if (cx + R_ < 0 || cx - R_ >= p.W() || cy + R_ < 0 || cy - R_ >= p.H())
      return;
    for (int j = 0; j < Lado_; ++j)
      for (int i = 0; i < Lado_; ++i)
        if (const std::uint8_t k = Celdas_[static_cast<std::size_t>(j * Lado_ + i)])
          p.Punto(cx - R_ + i, cy - R_ + j, k == 2 ? contorno : relleno);
  }

private:
  std::uint8_t& Celda(int i, int j) { return Celdas_[static_cast<std::size_t>(j * Lado_ + i)]; }
  bool Dentro(int i, int j) const {
    return i >= 0 && j >= 0 && i < Lado_ && j < Lado_ && Celdas_[static_cast<std::size_t>(j * Lado_ + i)] != 0;
  }
  int R_, Lado_;
  std::vector<std::uint8_t> Celdas_;
};

}  // namespace

TEscala EscalaDe(const TAjustesDibujo& a) {
  return {Acotada(a.EscalaX), Acotada(a.EscalaY), a.DesplX, a.DesplY};
}

TColor RellenoNodo(const TTipoEstructura* tipo, const TNodoBin& n, bool esSel) {
  if (tipo != nullptr && tipo->Color != nullptr)
    return tipo->Color(n) == 0 ? (esSel ? RojoSeleccionado : Rojo) : Plata;
  return esSel ? Amarillo : Blanco;
}

TColor ContornoNodo(const TNodoBin& n) { return n.Marcado ? Rojo : Negro; }

// ---------------------------------------------------------------- summary

TResumenVista::TResumenVista() : Datos_(std::make_unique<TDatos>()) {}
TResumenVista::~TResumenVista() = default;
void TResumenVista::Olvidar() { Datos_->Hecho = false; }

void TResumenVista::TDatos::Preparar(const TArbolBin& arbol) {
  if (Hecho && Arbol == &arbol && Raiz == arbol.Raiz && NumNodos == arbol.NumNodos)
    return;
  Hecho = true;
  Arbol = &arbol;
  Raiz = arbol.Raiz;
  NumNodos = arbol.NumNodos;
  Nodos.clear();
  Nodos.reserve(static_cast<std::size_t>(std::max<std::int64_t>(0, NumNodos)));
  // Pre-order with an explicit stack of (node, parent's index).
  std::vector<std::pair<const TNodoBin*, std::int32_t>> pila;
  if (arbol.Raiz != nullptr)
    pila.emplace_back(arbol.Raiz, -1);
  while (!pila.empty()) {
    const auto [n, padre] = pila.back();
    pila.pop_back();
    if (Nodos.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
      break;
    const auto i = static_cast<std::int32_t>(Nodos.size());
    Nodos.push_back({n->X, n->Y, n->X, n->X, n->Y, n->Y, i + 1, padre, n});
    if (n->Der != nullptr) {
#if defined(__GNUC__)
      // Reached only after the left subtree: its wait for memory overlaps
      // that walk.
      __builtin_prefetch(n->Der);
#endif
      pila.emplace_back(n->Der, i);
    }
    if (n->Izq != nullptr)
      pila.emplace_back(n->Izq, i);
  }
  // Children come after their parent: from the end backwards, each subtree
  // is whole when it is handed to its parent.
  for (std::size_t k = Nodos.size(); k-- > 1;) {
    const TEntrada& e = Nodos[k];
    TEntrada& p = Nodos[static_cast<std::size_t>(e.Padre)];
    p.XMin = std::min(p.XMin, e.XMin);
    p.XMax = std::max(p.XMax, e.XMax);
    p.YMin = std::min(p.YMin, e.YMin);
    p.YMax = std::max(p.YMax, e.YMax);
    p.Fin = std::max(p.Fin, e.Fin);
  }
}

// ---------------------------------------------------------------- overview

void DibujarVistaGeneral(QImage& destino, const TArbolBin& arbol, const TAjustesDibujo& a, TResumenVista::TDatos& datos,
                         int rad) {
  datos.Preparar(arbol);
  const TEscala t = EscalaDe(a);
  const TTipoEstructura* tipo = TipoDe(arbol);
  TPixeles p(destino);
  const quint32 arco = Pixel(~a.ColFon & 0x00FFFFFFu);
  const TDisco disco(rad);
  const auto nodo = [&](const TNodoBin& n, i64 cx, i64 cy) {
    if (rad == 0)
      p.Punto(cx, cy, arco);
    else
      disco.Dibujar(p, cx, cy, Pixel(RellenoNodo(tipo, n, &n == arbol.NodoSel)), Pixel(ContornoNodo(n)));
  };
  if (const TNodoBin* b = arbol.NodoBorrado)
    nodo(*b, t.X(b->X), t.Y(b->Y));

  const auto& e = datos.Nodos;
  datos.Visibles.clear();
  datos.Columnas.clear();
  const i64 margen = rad + 1, W = p.W(), H = p.H();
  for (std::size_t i = 0; i < e.size();) {
    const TResumenVista::TDatos::TEntrada& n = e[i];
    const i64 cx = t.X(n.X), cy = t.Y(n.Y);
    if (n.Padre >= 0) {
      const auto& q = e[static_cast<std::size_t>(n.Padre)];
      p.Linea(t.X(q.X), t.Y(q.Y), cx, cy, arco);
    }
    const i64 x0 = t.X(n.XMin), x1 = t.X(n.XMax), y0 = t.Y(n.YMin), y1 = t.Y(n.YMax);
    if (x1 + margen < 0 || x0 - margen >= W || y1 + margen < 0 || y0 - margen >= H) {
      i = static_cast<std::size_t>(n.Fin);
      continue;
    }
    if (rad == 0 && x0 == x1) {  // the whole subtree in one column
      datos.Columnas.push_back({static_cast<std::int32_t>(x0), static_cast<std::int32_t>(std::max<i64>(y0, 0)),
                                static_cast<std::int32_t>(std::min(y1, H - 1))});
      i = static_cast<std::size_t>(n.Fin);
      continue;
    }
    if (rad == 0)
      p.Punto(cx, cy, arco);
    else
      datos.Visibles.push_back(static_cast<std::int32_t>(i));
    ++i;
  }
  // The collapsed subtrees' columns cover much of a fitted large tree.
  // Written a column at a time, each pixel would cost a memory line of its
  // own: instead, 16 columns at a time (one line of a row) are gathered into
  // a bit per column and row, and then written row by row.
  auto& c = datos.Columnas;
  std::sort(c.begin(), c.end());
  std::vector<std::uint16_t> bits(static_cast<std::size_t>(H));
  for (std::size_t k = 0; k < c.size();) {
    const std::int32_t bloque = c[k][0] / 16;
    i64 arriba = H, abajo = -1;
    for (; k < c.size() && c[k][0] / 16 == bloque; ++k) {
      const auto [x, y0, y1] = c[k];
      const auto bit = static_cast<std::uint16_t>(1u << (x % 16));
      for (std::int32_t y = y0; y <= y1; ++y)
        bits[static_cast<std::size_t>(y)] |= bit;
      arriba = std::min<i64>(arriba, y0), abajo = std::max<i64>(abajo, y1);
    }
    for (i64 y = arriba; y <= abajo; ++y) {
      std::uint16_t& b = bits[static_cast<std::size_t>(y)];
      for (std::uint16_t r = b; r != 0; r &= static_cast<std::uint16_t>(r - 1))
        p.Punto(bloque * 16 + std::countr_zero(r), y, arco);
      b = 0;
    }
  }
  for (const std::int32_t i : datos.Visibles) {
    const auto& n = e[static_cast<std::size_t>(i)];
    nodo(*n.Nodo, t.X(n.X), t.Y(n.Y));
  }
}

void DibujarBandaVector(QImage& destino, const TMonticulo& m, const TNodoBin* sel, double ancho, i64 dx, i64 arriba,
                        i64 alto) {
  TPixeles p(destino);
  const i64 W = p.W();
  const i64 max = std::min<i64>(m.MaxNodos, static_cast<i64>(m.VectorValores.size())), num = m.NumNodos;
  if (max <= 0 || !(ancho > 0) || arriba + alto < 0 || arriba >= p.H())
    return;
  // The cells that reach the columns 0 .. W - 1, one more either side for
  // the rounding.
  const double primera = std::floor(static_cast<double>(dx) / ancho) - 1;
  const double ultima = std::ceil(static_cast<double>(dx + W) / ancho) + 1;
  if (ultima < 0 || primera >= static_cast<double>(max))
    return;
  const i64 desde = std::max<i64>(0, static_cast<i64>(primera)), hasta = std::min<i64>(max, static_cast<i64>(ultima));
  // Per column: 0 nothing, 1 dead, 2 in use, 3 marked, 4 selected, 5 a cell's left outline.
  std::vector<std::uint8_t> col(static_cast<std::size_t>(W), 0);
  // i ancho is never negative: the conversion is the floor.
  const auto izq = [&](i64 i) { return static_cast<i64>(static_cast<double>(i) * ancho) - dx; };
  const bool contornos = ancho >= 3;
  for (i64 i = desde, siguiente = izq(desde); i < hasta; ++i) {
    const i64 a = siguiente;
    siguiente = izq(i + 1);
    const i64 b = std::max(a, siguiente - 1);
    if (b < 0 || a >= W)
      continue;
    const auto k = static_cast<std::size_t>(i);
    const TNodoBin* n = i < num && k < m.Vector.size() ? m.Vector[k] : nullptr;
    const std::uint8_t estado = i >= num ? 1 : n != nullptr && n == sel ? 4 : n != nullptr && n->Marcado ? 3 : 2;
    for (i64 x = std::max<i64>(a, 0), fin = std::min(b, W - 1); x <= fin; ++x)
      col[static_cast<std::size_t>(x)] = std::max(col[static_cast<std::size_t>(x)], estado);
    if (contornos && a >= 0)
      col[static_cast<std::size_t>(a)] = 5;
  }
  const std::array<quint32, 6> color{0, Pixel(Blanco), Pixel(CeldaEnUso), Pixel(Rojo), Pixel(Amarillo), Pixel(Negro)};
  for (i64 x = 0; x < W; ++x) {
    const std::uint8_t c = col[static_cast<std::size_t>(x)];
    if (c == 0)
      continue;
    p.Vertical(x, arriba, arriba + alto, color[5]);
    if (c != 5)
      p.Vertical(x, arriba + 1, arriba + alto - 1, color[c]);
  }
}

const TNodoBin* NodoEnResumen(const TResumenVista::TDatos& datos, const TEscala& t, i64 rad, i64 x, i64 y) {
  const auto& e = datos.Nodos;
  for (std::size_t i = 0; i < e.size();) {
    const auto& n = e[i];
    if (t.X(n.XMax) + rad < x || t.X(n.XMin) - rad > x || t.Y(n.YMax) + rad < y || t.Y(n.YMin) - rad > y) {
      i = static_cast<std::size_t>(n.Fin);
      continue;
    }
    const i64 dx = t.X(n.X) - x, dy = t.Y(n.Y) - y;
    if (dx > -rad && dx < rad && dy > -rad && dy < rad && dx * dx + dy * dy < rad * rad)
      return n.Nodo;
    ++i;
  }
  return nullptr;
}
