// The drawing of a structure, checked on its pixels; skipping what lies outside changes none of them.
#include "comun_dibujo.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uImagenes.h"
#include "uMonticulo.h"
#include "uTipos.h"
#include "uVistaGeneral.h"

#include <array>
#include <climits>
#include <functional>
#include <random>

namespace {

constexpr int R = 15;
constexpr TColor Fondo = ColorRGB(0x10, 0x20, 0x30), Azul = ColorRGB(0, 0, 255);
const QRgb Blanco = Rgb(0xFFFFFF), Negro = Rgb(0), Rojo = Rgb(ColorRGB(255, 0, 0)), Gris = Rgb(ColorRGB(0xE7, 0xE7, 0xE7));

// Pixels of the rectangle, less the region, that satisfy f.
int Contar(const QImage& img, QRect r, const std::function<bool(QRgb)>& f, const QRegion& salvo = {}) {
  int n = 0;
  r &= img.rect();
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      n += f(img.pixel(x, y)) && !salvo.contains(QPoint(x, y));
  return n;
}
int Distintos(const QImage& img, const QRect& r, QRgb c, const QRegion& salvo = {}) { return Contar(img, r, [c](QRgb p) { return p != c; }, salvo); }
int AltoLetra() {  // of the 8-point font, measured on a picture as the drawing does
  static QImage img(1, 1, QImage::Format_RGB32);
  return QFontMetrics(QFont(TFuente().Nombre, 8, TFuente().Negrita ? QFont::Bold : QFont::Normal), &img).height();
}
// Settings that draw node n centred on (cx, cy), on the test's background, in blue ink.
TAjustesDibujo Centro(const TNodoBin* n, int cx, int cy, int tipoGraf = 1) {
  TAjustesDibujo aj;
  aj.TipoGraf = tipoGraf, aj.ColFon = Fondo, aj.Fuente.Color = Azul, aj.DesplX = n->X - cx, aj.DesplY = n->Y - cy;
  return aj;
}
// Laid out: a search tree, AVL, red-black, heap or splay (0 to 4) with one key, or n random ones less a fifth.
std::unique_ptr<TArbolBin> Arbol(int tipo, int n = 0) {
  std::unique_ptr<TArbolBin> a = BuscarTipo(std::array{"bst", "avl", "rn", "mon", "splay"}[std::size_t(tipo)])->Clase();
  std::mt19937 gen(7);
  std::vector<int> valores;
  for (int i = 0; i < std::max(n, 1); ++i)
    a->Insertar(valores.emplace_back(n == 0 ? 8 : static_cast<int>(gen() % 2000000u) - 1000000));
  for (int i = 0; i < n / 5; ++i)
    a->BorrarEntrada(valores[gen() % valores.size()]);
  a->Deseleccionar();
  a->DistribuirSeparada(R, 2, 5);
  return a;
}
// A chain of n nodes linked directly (no insertion walks down it).
std::unique_ptr<TArbolBin> Cadena(int n, bool aLaDerecha) {
  auto a = std::make_unique<TArbolBST>();
  for (TNodoBin *u = nullptr, *nuevo; a->NumNodos < n; u = nuevo, ++a->NumNodos) {
    nuevo = a->CrearNodo(aLaDerecha ? a->NumNodos : n - a->NumNodos, u, nullptr, nullptr);
    (u == nullptr ? a->Raiz : aLaDerecha ? u->Der : u->Izq) = nuevo;
  }
  return a;
}
struct TConjunto {  // a set of the build's pictures, and its layers
  explicit TConjunto(bool modo8) : Ok(Im.CargarImagenes(modo8, QDir(CarpetaImagenes()))) { Capas.Actualizar(Im); }
  TImagenesNodos Im;
  bool Ok;
  TCapasDibujo Capas;
};
// The square of side S at p0 holds the stamps (hole, picture) laid in order on the background.
bool Estampado(const QImage& img, QPoint p0, int S, const std::vector<std::pair<QImage, QImage>>& estampas, const QRegion& salvo) {
  for (int i = 0; i < S * S; ++i) {
    const int x = i % S, y = i / S;
    QRgb esperado = Rgb(Fondo);
    for (const auto& [hueco, imagen] : estampas)
      if (hueco.depth() == 8 ? hueco.pixelIndex(x, y) == 0 : (hueco.pixel(x, y) & 0xFFFFFF) == 0)
        esperado = imagen.pixel(x, y) | 0xFF000000u;
    if (!salvo.contains(p0 + QPoint(x, y)) && img.pixel(p0 + QPoint(x, y)) != esperado)
      return false;
  }
  return true;
}

// Settings that draw at zoom s (both ways) with layout point (x0, y0) at the picture's origin, no text.
TAjustesDibujo Zoom(double s, int x0 = 0, int y0 = 0, TResumenVista* resumen = nullptr) {
  TAjustesDibujo aj;
  aj.TipoGraf = 1, aj.ColFon = Fondo, aj.EscalaX = aj.EscalaY = s, aj.Resumen = resumen;
  aj.DesplX = static_cast<int>(std::lround(x0 * s)), aj.DesplY = static_cast<int>(std::lround(y0 * s));
  return aj;
}
QPoint Dibujado(const TNodoBin* n, const TAjustesDibujo& aj) {
  return QPoint(int(std::lround(n->X * aj.EscalaX) - aj.DesplX), int(std::lround(n->Y * aj.EscalaY) - aj.DesplY));
}
std::vector<TNodoBin*> Nodos(const TArbolBin& a) {
  std::vector<TNodoBin*> v;
  RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { v.push_back(n); });
  return v;
}

struct TNodoCaso { int Tipo, Color, TipoGraf; bool Sel, Marcado; TColor Relleno; };  // Color -1: not a red-black node
// Kind 5 a left chain; laid out Desde, then Hasta (0 separated, 1 compressed, 2 complete), blended at T.
struct TRecorteCaso { int Tipo, TipoGraf, Desde, Hasta; double T; int Puntos; };

}  // namespace

class PruebasDibujo : public QObject {
  Q_OBJECT

private Q_SLOTS:
  void UnNodo_data() {
    QTest::addColumn<TNodoCaso>("caso");
    const TColor blanco = 0xFFFFFF, amarillo = ColorRGB(255, 255, 0), rojo = ColorRGB(255, 0, 0), plata = ColorRGB(192, 192, 192);
    QTest::newRow("busqueda") << TNodoCaso{0, -1, 0, false, false, blanco};
    QTest::newRow("seleccionado y marcado sin texto") << TNodoCaso{0, -1, 1, true, true, amarillo};
    QTest::newRow("AVL") << TNodoCaso{1, -1, 0, false, false, blanco};
    QTest::newRow("imagenes sin imagenes") << TNodoCaso{1, -1, 2, false, false, blanco};
    QTest::newRow("rojo seleccionado") << TNodoCaso{2, 0, 1, true, false, ColorRGB(0, 127, 255)};
    QTest::newRow("rojo marcado") << TNodoCaso{2, 0, 1, false, true, rojo};
    QTest::newRow("negro seleccionado") << TNodoCaso{2, 1, 0, true, false, plata};
    QTest::newRow("monticulo") << TNodoCaso{3, -1, 0, false, false, blanco};
  }
  // One node: fill, outline, the key centred, the kind's figure above right or below; nothing else.
  void UnNodo() {
    QFETCH(TNodoCaso, caso);
    auto a = Arbol(caso.Tipo);
    if (caso.Color >= 0)
      static_cast<TNodoRN*>(a->Raiz)->Color = static_cast<std::uint8_t>(caso.Color);
    a->Raiz->Marcado = caso.Marcado, a->NodoSel = caso.Sel ? a->Raiz : nullptr;
    const int cx = 80, cy = 40, h = AltoLetra(), d = R * 181 / 256;
    TAjustesDibujo aj = Centro(a->Raiz, cx, cy, caso.TipoGraf);
    const QImage img = Dibujo(*a, aj, 160, 200);
    for (int k = 0; k < 7; ++k)  // three points of the fill, the outline's four extremes
      QCOMPARE(img.pixel(std::array{QPoint(cx - R + 3, cy), QPoint(cx, cy + R - 3), QPoint(cx + R - 3, cy), QPoint(cx - R, cy), QPoint(cx + R - 1, cy),
                                    QPoint(cx, cy - R), QPoint(cx, cy + R - 1)}[std::size_t(k)]), k < 3 ? Rgb(caso.Relleno) : caso.Marcado ? Rojo : Negro);
    QRect tinta;
    for (int i = 0; i < 400; ++i)
      tinta |= img.pixel(cx - 10 + i % 20, cy - 10 + i / 20) != Rgb(caso.Relleno) ? QRect(cx - 10 + i % 20, cy - 10 + i / 20, 1, 1) : QRect();
    QVERIFY(tinta.isEmpty() == (caso.TipoGraf == 1) &&
            (tinta.isEmpty() || (std::abs(tinta.left() + tinta.right() - 2 * cx) <= 3 && std::abs(tinta.top() + tinta.bottom() - 2 * cy) <= 4)));
    const QRect arribaDerecha(cx + d + 2, cy - d - 1 - h, 14, h), abajo(cx - 7, cy + R, 14, h + 2);
    QVERIFY((Distintos(img, arribaDerecha, Rgb(Fondo)) > 0) == (caso.TipoGraf != 1 && (caso.Tipo == 1 || caso.Tipo == 2)) &&
            (Distintos(img, abajo, Rgb(Fondo)) > 0) == (caso.TipoGraf != 1 && caso.Tipo == 3));
    QCOMPARE(Distintos(img, img.rect(), Rgb(Fondo), QRegion(cx - R, cy - R, 2 * R, 2 * R) + arribaDerecha + abajo + QRect(0, 120, 160, 80)), 0);
    TCapasDibujo vacias;
    aj.Imagenes = &vacias, aj.TipoGraf = caso.TipoGraf == 2 ? 0 : caso.TipoGraf;
    QCOMPARE(img, Dibujo(*a, aj, 160, 200));
  }
  // Every kind, state and shadow setting stamps its layers exactly, a removed node its frame; the layers follow the set.
  void ImagenesYFrames() {
    const int cx = 60, cy = 50, h = AltoLetra();
    const QRect clave(cx - 6, cy - h / 2 - 2, 12, h + 4);
    for (bool modo8 : {false, true}) {
      TConjunto c(modo8);
      const TImagenesNodos& im = c.Im;
      const int S = im.TamImg(), rad = im.RadImg(), d = rad * 181 / 256;
      const QRect cuadro(cx - rad, cy - rad, S, S), figura(cx + d, cy - d - h - 2, 14, h + 2);
      for (int t = 0; t < 18; ++t) {
        const int tipo = t / 6, s = t / 2 % 3, sombras = t % 2;
        auto a = Arbol(tipo == 0 ? 0 : 2);
        if (tipo > 0)
          static_cast<TNodoRN*>(a->Raiz)->Color = tipo == 1 ? 0 : 1;
        a->NodoSel = s == 0 ? a->Raiz : nullptr, a->Raiz->Marcado = s == 1;
        TAjustesDibujo aj = Centro(a->Raiz, cx, cy, 2);
        aj.R = 40, aj.Sombras = sombras, aj.Imagenes = &c.Capas;
        const QImage img = Dibujo(*a, aj);
        std::vector<std::pair<QImage, QImage>> estampas{{im.Capa(tipo, s, 3), im.Capa(tipo, s, 1)}, {im.Capa(tipo, s, 2), im.Capa(tipo, s, 0)}};
        QVERIFY2(c.Ok && Estampado(img, cuadro.topLeft(), S, {estampas.begin() + !sombras, estampas.end()}, QRegion(clave) + figura) &&
                     Distintos(img, img.rect(), Rgb(Fondo), QRegion(cuadro) + figura) == 0,
                 qPrintable(QStringLiteral("8 bits %1, kind %2, state %3, shadows %4").arg(modo8).arg(tipo).arg(s).arg(sombras)));
      }
      TArbolBST a;
      (a.NodoBorrado = a.CrearNodo(7, nullptr, nullptr, nullptr))->X = 300;
      for (const auto& [paso, pasos, frame] : {std::tuple{0, 10, 0}, {3, 10, 2}, {7, 10, 6}, {10, 10, 9}, {1, 0, 9}, {25, 10, 9}, {-3, 10, 0}}) {
        TAjustesDibujo aj = Centro(a.NodoBorrado, cx, cy, 2);
        aj.Imagenes = &c.Capas, aj.PasoAnim = paso, aj.PausaNumEtap = pasos;
        QVERIFY(Estampado(Dibujo(a, aj), cuadro.topLeft(), S, {{im.MascSecuencia(frame), im.ImgSecuencia(frame)}}, clave));
        aj.TipoGraf = 0;
        QVERIFY(Distintos(Dibujo(a, aj), clave, Rgb(Fondo)) > 0 && Distintos(Dibujo(a, aj), QRect(0, 0, 160, 120), Rgb(Fondo), clave) == 0);
      }
      const qint64 nodo = c.Capas.Capa(1, 2, 0).cacheKey(), sombra = c.Capas.Capa(0, 2, 1).cacheKey();
      c.Im.TintarSombras(Azul);
      c.Capas.Actualizar(c.Im);
      QVERIFY(c.Capas.Capa(1, 2, 0).cacheKey() == nodo && (c.Capas.Capa(0, 2, 1).cacheKey() == sombra) == modo8);
      QVERIFY(modo8 || (nodo == c.Im.Capa(1, 2, 0).cacheKey() && c.Capas.Capa(0, 2, 1).cacheKey() == c.Im.Capa(0, 2, 1).cacheKey()));
      c.Capas.Actualizar(TImagenesNodos());
      QVERIFY(!c.Capas.Hay() && c.Capas.Capa(0, 0, 0).isNull());
    }
  }
  // A heap's vector row swept across its width: each cell's fill, outline, value and position, at the bottom;
  // cells 2R wide for short values, wider for long ones.
  void FilaDelVector() {
    for (const auto& [base, extremo] : {std::pair{0, 77}, {10000, INT_MIN}}) {
      TMonticulo m;
      for (int v = 1; v <= 60; ++v)
        m.Insertar(v == 30 ? extremo : base + v);
      m.Borrar(), m.Borrar(), m.DistribuirSeparada(R, 2, 5);
      m.Vector[1]->Marcado = true, m.NodoSel = m.Vector[3];
      TAjustesDibujo aj;
      aj.DesplY = -100000;  // the tree out of sight
      const int W = 300, H = 200, ancho = AnchoFilaVector(m, R, aj.Fuente), c = (ancho - 1) / m.MaxNodos, arriba = H - 2 * R - 20, medio = arriba + R;
      QVERIFY(base == 0 ? c == 2 * R : c > 2 * R);
      std::vector<bool> vista(60);
      for (int x = -50;; x = std::min(x + W - 2 * c, ancho - W)) {
        aj.DesplX = x;
        const QImage img = Dibujo(m, aj, W, H);
        for (int i = (x + c) / c; i < 60 && i * c - x + c < W; ++i) {
          const int izq = i * c - x;
          const QRgb relleno = i >= 58 ? Blanco : i == 3 ? Rgb(ColorRGB(255, 255, 0)) : Gris, linea = i == 1 ? Rojo : Negro;
          const QRect valor(izq + 3, arriba + 3, c - 5, 2 * R - 5);
          bool bien = img.pixel(izq + 3, arriba + 3) == relleno && img.pixel(izq + c - 1, medio) == (i == 1 ? Rojo : relleno) &&
                      (Contar(img, valor, [](QRgb p) { return qGray(p) < 0x60; }) > 0) == (i < 58) && Distintos(img, valor, relleno) > 0 &&
                      Distintos(img, QRect(izq, arriba - 16, c, 14), Blanco) > 0 && Distintos(img, QRect(izq, arriba - 1, c, 1), Blanco) == 0;
          for (int k = 0; k < (i == 1 ? 2 : 1); ++k)
            bien = bien && img.pixel(izq + k, medio) == linea && img.pixel(izq + c / 2, arriba + k) == linea && img.pixel(izq + c / 2, arriba + 2 * R - k) == linea;
          QVERIFY2(bien, qPrintable(QStringLiteral("cell %1 at %2, base %3").arg(i).arg(x).arg(base)));
          vista[std::size_t(i)] = true;
        }
        QVERIFY(x != -50 || (img.pixel(49, medio) == Blanco && Distintos(img, QRect(0, 0, W, arriba - 20), Blanco) == 0));
        if (x == ancho - W)
          break;
      }
      QVERIFY(std::all_of(vista.begin(), vista.end(), [](bool b) { return b; }));
    }
  }
  // A key too long for its circle lies over a box of its own; edges take the background's inverse colour.
  void ClavesLargas() {
    for (int clave : {12345, INT_MIN, INT_MAX}) {
      const bool caja = clave != 12345;
      TArbolBST a;
      for (int v : {0, clave < 0 ? 1 : -1, clave, clave < 0 ? clave + 1 : clave - 1})
        a.Insertar(v);
      const TDistribucion dist = a.DistribuirSeparada(20, 10, 10);  // the presentation's defaults
      TAjustesDibujo aj = Centro(a.Raiz, a.Raiz->X, a.Raiz->Y, 0);
      aj.R = 20;
      const QImage img = Dibujo(a, aj, dist.Ancho + 40, dist.Alto + 40);
      const TNodoBin* n = RecorrerPreorden(a.Raiz, [&](TNodoBin* m, std::int32_t) { return m->Valor == clave; });
      int izq = img.width(), der = -1;
      for (int x = n->X - 45; x <= n->X + 45; ++x)
        if (Contar(img, QRect(x, n->Y - 3, 1, 7), [](QRgb p) { return qBlue(p) > qRed(p) + 60; }) > 0)  // the blue ink
          izq = std::min(izq, x), der = std::max(der, x);
      QVERIFY(der >= 0 && (izq > n->X - 20 && der < n->X + 20) == !caja);
      const auto negro = [](QRgb p) { return p == Negro; };
      const TNodoBin* otro = n->Padre->Izq == n ? n->Padre->Der : n->Padre->Izq;
      bool hueco = false;
      for (int x = std::min(n->X, otro->X); x < std::max(n->X, otro->X) && !hueco; ++x)
        hueco = Distintos(img, QRect(x, n->Y - 8, 1, 17), Rgb(Fondo)) == 0;
      QVERIFY(!caja || (Contar(img, QRect(n->X - 50, n->Y, izq - n->X + 50, 1), negro) > 0 &&
                        Contar(img, QRect(der + 1, n->Y, 8, 1), negro) > 0 && otro->Y == n->Y && hueco));
      for (const TNodoBin* h : {n, otro})  // the middle of the edge
        QVERIFY(Contar(img, QRect((h->Padre->X + h->X) / 2 - 1, (h->Padre->Y + h->Y) / 2 - 1, 3, 3), [](QRgb p) { return p == Rgb(~Fondo & 0xFFFFFFu); }) > 0);
    }
  }
  void RecorteNoCambiaLaImagen_data() {
    QTest::addColumn<TRecorteCaso>("caso");
    QTest::newRow("rojo-negro con imagenes") << TRecorteCaso{2, 2, 0, 0, 1.0, 8};
    QTest::newRow("monticulo con vector") << TRecorteCaso{3, 0, 0, 0, 1.0, 8};
    QTest::newRow("AVL letra diminuta") << TRecorteCaso{1, 1, 0, 0, 1.0, 1};
    QTest::newRow("splay comprimido") << TRecorteCaso{4, 0, 1, 1, 1.0, 1};
    QTest::newRow("busqueda de separado a completo") << TRecorteCaso{0, 0, 0, 2, 0.37, 1};
    QTest::newRow("monticulo de comprimido a completo") << TRecorteCaso{3, 0, 1, 2, 0.8, 1};
    QTest::newRow("cadena izquierda comprimida") << TRecorteCaso{5, 1, 1, 1, 1.0, 1};
  }
  // Skipping what cannot reach the picture draws the same pixels, at offsets cutting through everything drawn.
  void RecorteNoCambiaLaImagen() {
    QFETCH(TRecorteCaso, caso);
    TConjunto c(false);
    auto a = caso.Tipo == 5 ? Cadena(150, false) : Arbol(caso.Tipo, 150);
    for (int i = 0; i < 2; ++i) {  // laid out one way, then another, blended at T
      const int d = i == 0 ? caso.Desde : caso.Hasta, sx = 2 + 2 * i, sy = 5 + 4 * i;
      d == 0 ? a->DistribuirSeparada(R, sx, sy) : d == 1 ? a->DistribuirComprimida(R, sx, sy) : a->DistribuirCompleta(R, sx, sy);
      i == 0 ? a->GuardarInicio() : a->GuardarDestino();
    }
    a->Interpolar(caso.T);
    int ancho = 0, alto = 0, k = 0;
    std::vector<const TNodoBin*> cerca{a->Raiz, a->Raiz->Izq, a->Raiz->Der};
    RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t) {
      ancho = std::max(ancho, n->X + R), alto = std::max(alto, n->Y + R), n->Marcado = ++k % 7 == 0, a->NodoSel = k == 40 ? n : a->NodoSel;
      if (k % 37 == 0)
        cerca.push_back(n);
    });
    const int W = 240, H = 170;
    std::vector<QPoint> despl;  // a grid over the whole picture, and nodes astride every border
    for (int x = -W / 2; x < ancho; x += std::max(97, ancho / 12 | 1))
      for (int y = -H / 3; y < alto; y += std::max(61, alto / 8 | 1))
        despl.emplace_back(x, y);
    for (const TNodoBin* n : cerca)
      for (int dx : {-R - 14, -R - 6, -R - 4, -R - 1, -1, 0, R - 2, R + 4, R + 6, R + 9})
        for (int dy : {-R - 6, -R - 4, 0, R + 3})
          if (n != nullptr && (n == a->Raiz || n->Padre == a->Raiz || (dx + dy) % 2 == 0))
            despl.insert(despl.end(), {QPoint(n->X + dx, n->Y + dy), QPoint(n->X + dx - W, n->Y + dy - H)});
    for (const QPoint p : despl) {  // drawn whole, then skipping with the facts the layouts give
      TAjustesDibujo aj;
      aj.TipoGraf = caso.TipoGraf, aj.Fuente.Tam = caso.Puntos, aj.DesplX = p.x(), aj.DesplY = p.y(), aj.Imagenes = &c.Capas, aj.Recortar = false;
      const QImage entera = Dibujo(*a, aj, W, H);
      aj.Recortar = aj.YCreceHaciaAbajo = true, aj.XEnOrdenSimetrico = caso.Desde != 1 && caso.Hasta != 1;
      QVERIFY2(Dibujo(*a, aj, W, H) == entera, qPrintable(QStringLiteral("at %1, %2").arg(p.x()).arg(p.y())));
    }
  }
  // Zoomed, each node is drawn at its scaled centre with the scaled radius, and so is each vector cell.
  void Escalado() {
    for (double s : {2.0, 0.5}) {
      auto a = Arbol(3, 40);
      const TMonticulo& m = static_cast<const TMonticulo&>(*a);
      const TAjustesDibujo aj = Zoom(s, a->Raiz->X - 200, 0);
      const QImage img = Dibujo(*a, aj, 400, 300);
      const int r = int(std::lround(R * s));
      for (const TNodoBin* n : Nodos(*a)) {
        const QPoint c = Dibujado(n, aj);
        QVERIFY(!QRect(r, 0, 400 - 2 * r, 200 - 4 * r).contains(c) || (img.pixel(c) == Blanco && img.pixel(c.x() - r, c.y()) == Negro && img.pixel(c.x() + r - 1, c.y()) == Negro));
      }
      const int c = (AnchoFilaVector(m, R, aj.Fuente) - 1) / m.MaxNodos, y = 300 - 20 - r;
      for (int i = 0; i < m.MaxNodos; ++i)
        if (const int izq = int(std::floor(i * c * s)) - aj.DesplX; izq >= 0 && izq + 2 < 400)
          QVERIFY2(img.pixel(izq, y) == Negro && img.pixel(izq + 1, y) == (i < m.NumNodos ? Gris : Blanco), qPrintable(QString::number(i)));
    }
  }
  // Too small to read: discs of the fill inside the outline (a marked one red); smaller still, edges and dots only.
  // A summary kept gives the picture a fresh one gives, and after Olvidar the nodes' new places.
  void VistaGeneral() {
    auto a = Arbol(0, 60);
    const std::vector<TNodoBin*> nodos = Nodos(*a);
    a->NodoSel = nodos[7], nodos[9]->Marcado = true;
    TResumenVista resumen;
    for (int k = 0; k < 3; ++k) {
      k == 2 ? a->DistribuirComprimida(R, 2, 5) : TDistribucion{};
      resumen.Olvidar();
      for (double s : {0.2, 0.05}) {
        const QImage img = Dibujo(*a, Zoom(s, 0, 0, &resumen), 400, 200);
        QCOMPARE(img, Dibujo(*a, Zoom(s), 400, 200));
        const bool lineas = s < 0.1;
        QCOMPARE(Contar(img, img.rect(), [](QRgb p) { return p == Blanco || qBlue(p) == 0; }) > 0, !lineas);
        for (const TNodoBin* n : nodos) {
          const QPoint c = Dibujado(n, Zoom(s));
          QCOMPARE(img.pixel(c), lineas ? Rgb(~Fondo & 0xFFFFFF) : n == a->NodoSel ? Rgb(ColorRGB(255, 255, 0)) : Blanco);
          QVERIFY(lineas || img.pixel(c.x() - 3, c.y()) == (n->Marcado ? Rojo : Negro));
        }
      }
    }
  }
  // The vector row as a band, cells 4 px wide from the second one on: each a black outline on its left, top and bottom
  // around its state's colour: marked, in use, selected, dead; nothing past the row's end.
  void BandaDelVector() {
    TMonticulo m;
    for (int v = 1; v <= 10; ++v)
      m.Insertar(v);
    m.Borrar(), m.Borrar(), m.Vector[1]->Marcado = true;
    QImage img(48, 10, QImage::Format_RGB32);
    img.fill(Rgb(Fondo));
    DibujarBandaVector(img, m, m.Vector[3], 4.0, 4, 2, 6);
    for (int x = 0; x < 48; ++x) {
      const int i = x / 4 + 1;
      const QRgb c = i >= 10 ? Rgb(Fondo) : x % 4 == 0 ? Negro : i >= 8 ? Blanco : i == 1 ? Rojo : i == 3 ? Rgb(ColorRGB(255, 255, 0)) : Gris;
      for (int y = 0; y < 10; ++y)
        QCOMPARE(img.pixel(x, y), y < 2 || y > 8 || i >= 10 ? Rgb(Fondo) : y == 2 || y == 8 ? Negro : c);
    }
  }
  // The node under a pixel is the one drawn there, at every zoom, with or without a summary.
  void NodoEnPuntoEscalado() {
    auto a = Arbol(0, 60);
    TResumenVista resumen;
    for (double s : {0.25, 0.5, 1.0, 2.0, 4.0})
      for (TResumenVista* rv : {&resumen, static_cast<TResumenVista*>(nullptr)}) {
        const TAjustesDibujo aj = Zoom(s, a->Raiz->X - 100, a->Raiz->Y - 50, rv);
        const QImage img = Dibujo(*a, aj, 400, 300);
        const int r = std::max(3, int(std::lround(R * s)));
        for (const TNodoBin* n : Nodos(*a)) {
          const QPoint c = Dibujado(n, aj);
          QVERIFY(NodoEnPunto(*a, aj, c.x(), c.y()) == n && NodoEnPunto(*a, aj, c.x() + r, c.y()) != n && NodoEnPunto(*a, aj, c.x(), c.y() - r) != n);
          QVERIFY(!img.rect().contains(c) || img.pixel(c) == Blanco);
        }
      }
  }
  // Walked without recursion; at 400 % and offsets at the ends of the range nothing overflows.
  void CadenaDeUnMillon() {
    auto a = Cadena(1000000, false);
    a->DistribuirSeparada(R, 2, 5);
    QVERIFY(Distintos(Dibujo(*a, Centro(a->Raiz, 120, 85, 0), 240, 170), QRect(0, 0, 240, 170), Rgb(Fondo)) > 0);
    const TNodoBin* hoja = a->Raiz;
    while (hoja->Izq != nullptr)
      hoja = hoja->Izq;
    TResumenVista resumen;
    TAjustesDibujo aj = Zoom(4.0, 0, 0, &resumen);
    aj.DesplX = int(hoja->X * 4L - 120), aj.DesplY = int(hoja->Y * 4L - 85);
    QVERIFY(Distintos(Dibujo(*a, aj, 240, 170), QRect(0, 0, 240, 170), Rgb(Fondo)) > 0 && NodoEnPunto(*a, aj, 120, 85) == hoja);
    for (const auto& [dx, dy, s] : {std::tuple{INT_MAX, INT_MIN, 4.0}, {INT_MIN, INT_MAX, 4.0}, {INT_MIN, INT_MIN, 1e-300}, {0, 0, std::nan("")}}) {
      aj.DesplX = dx, aj.DesplY = dy, aj.EscalaX = aj.EscalaY = s;
      Dibujo(*a, aj, 240, 170);
      QVERIFY(NodoEnPunto(*a, aj, 0, 0) == nullptr || s != 4.0);
    }
  }
};

QTEST_MAIN(PruebasDibujo)
#include "tst_dibujo.moc"
