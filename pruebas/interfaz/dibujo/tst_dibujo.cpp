// The drawing of a structure, checked on its pixels: fills, outlines, edges,
// texts and figures, node pictures and removal frames, the heap's vector row,
// long keys; skipping what lies outside changes nothing; the layouts' facts.
#include "carpeta_imagenes.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uDibujo.h"
#include "uImagenes.h"
#include "uMonticulo.h"
#include "uTipos.h"

#include <QFontMetrics>

#include <array>
#include <climits>
#include <cmath>
#include <functional>
#include <random>

namespace {

constexpr int R = 15;
constexpr TColor Fondo = ColorRGB(0x10, 0x20, 0x30), Azul = ColorRGB(0, 0, 255);
QRgb Rgb(TColor c) { return ColorQt(c).rgb(); }
const QRgb Blanco = Rgb(0xFFFFFF), Negro = Rgb(0), Rojo = Rgb(ColorRGB(255, 0, 0)), Amarillo = Rgb(ColorRGB(255, 255, 0)),
           Gris = Rgb(ColorRGB(0xE7, 0xE7, 0xE7));

// Pixels of the rectangle, less the region, that satisfy f.
int Contar(const QImage& img, QRect r, const std::function<bool(QRgb)>& f, const QRegion& salvo = {}) {
  int n = 0;
  r &= img.rect();
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      n += f(img.pixel(x, y)) && !salvo.contains(QPoint(x, y));
  return n;
}
int Distintos(const QImage& img, const QRect& r, QRgb c, const QRegion& salvo = {}) {
  return Contar(img, r, [c](QRgb p) { return p != c; }, salvo);
}
int FueraDelFondo(const QImage& img, const QRegion& salvo) { return Distintos(img, img.rect(), Rgb(Fondo), salvo); }
bool Tinta(QRgb p) { return qBlue(p) > qRed(p) + 60; }  // the blue font's ink
int AltoLetra(int puntos) {
  QFont q(TFuente().Nombre);
  q.setPointSize(puntos);
  q.setBold(TFuente().Negrita);
  QImage img(1, 1, QImage::Format_RGB32);
  return QFontMetrics(q, &img).height();
}

// The one way these tests draw: a structure onto a fresh picture.
QImage Dibujo(const TArbolBin& a, const TAjustesDibujo& aj, int w = 160, int h = 120) {
  QImage img(w, h, QImage::Format_RGB32);
  DibujarEstructura(img, a, aj);
  return img;
}
// Settings that draw node n centred on (cx, cy), on the test's background.
TAjustesDibujo Centro(const TNodoBin* n, int cx, int cy, int tipoGraf = 1) {
  TAjustesDibujo aj;
  aj.TipoGraf = tipoGraf, aj.ColFon = Fondo, aj.DesplX = n->X - cx, aj.DesplY = n->Y - cy;
  return aj;
}
// A structure of a kind (0 search, 1 AVL, 2 red-black, 3 heap, 4 splay) with
// n random keys and a fifth as many removals, or the values given, laid out.
std::unique_ptr<TArbolBin> Arbol(int tipo, std::vector<int> valores, int n = 0, unsigned semilla = 1, int rango = 2000000) {
  std::unique_ptr<TArbolBin> a = BuscarTipo(std::array{"bst", "avl", "rn", "mon", "splay"}[std::size_t(tipo)])->Clase();
  std::mt19937 gen(semilla);
  for (int i = 0; i < n; ++i)
    valores.push_back(static_cast<int>(gen() % unsigned(rango)) - rango / 2);
  for (int v : valores)
    a->Insertar(v);
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
// Laid out one way (0 separated, 1 compressed, 2 complete), then another, blended at t.
void Mezclar(TArbolBin& a, int desde, int hasta, double t, const std::function<int(int)>& param) {
  for (int i = 0; i < 2; ++i) {
    const int d = i == 0 ? desde : hasta, r = param(31), sx = param(13), sy = param(13);
    d == 0 ? a.DistribuirSeparada(r, sx, sy) : d == 1 ? a.DistribuirComprimida(r, sx, sy) : a.DistribuirCompleta(r, sx, sy);
    i == 0 ? a.GuardarInicio() : a.GuardarDestino();
  }
  a.Interpolar(t);
}

struct TConjunto {
  explicit TConjunto(bool modo8) { Ok = Im.CargarImagenes(modo8, QDir(CarpetaImagenes())), Capas.Actualizar(Im); }
  bool Ok;
  TImagenesNodos Im;
  TCapasDibujo Capas;
};
// The square of side S at (x0, y0) against the stamps (hole, picture) laid in
// order on the background: inside a hole's figure the picture's colour (an
// 8-bit one through its palette), elsewhere what lay beneath.
bool Estampado(const QImage& img, int x0, int y0, int S, const std::vector<std::pair<QImage, QImage>>& estampas,
               const QRegion& salvo) {
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      QRgb esperado = Rgb(Fondo);
      for (const auto& [hueco, imagen] : estampas)
        if (hueco.depth() == 8 ? hueco.pixelIndex(x, y) == 0 : (hueco.pixel(x, y) & 0xFFFFFF) == 0)
          esperado = imagen.pixel(x, y) | 0xFF000000u;
      if (!salvo.contains(QPoint(x0 + x, y0 + y)) && img.pixel(x0 + x, y0 + y) != esperado)
        return false;
    }
  return true;
}

struct TNodoCaso {
  int Tipo, Color, TipoGraf;  // Color -1: not a red-black node
  bool Sel, Marcado;
  TColor Relleno, Contorno;
  bool Derecha, Debajo;  // where the kind's figure is
};
struct TRecorteCaso {
  int Tipo, TipoGraf, Desde, Hasta;  // kind 5 a right chain, 6 a left one; layouts (the same twice: no blend)
  double T;
  int Puntos;  // a tiny font shows a subtree skipped wrongly at once
};

}  // namespace

class PruebasDibujo : public QObject {
  Q_OBJECT

private Q_SLOTS:
  void UnNodo_data() {
    QTest::addColumn<TNodoCaso>("caso");
    const TColor blanco = 0xFFFFFF, amarillo = ColorRGB(255, 255, 0), rojo = ColorRGB(255, 0, 0), plata = ColorRGB(192, 192, 192);
    QTest::newRow("busqueda") << TNodoCaso{0, -1, 0, false, false, blanco, 0, false, false};
    QTest::newRow("seleccionado y marcado sin texto") << TNodoCaso{0, -1, 1, true, true, amarillo, rojo, false, false};
    QTest::newRow("marcado") << TNodoCaso{0, -1, 0, false, true, blanco, rojo, false, false};
    QTest::newRow("AVL") << TNodoCaso{1, -1, 0, false, false, blanco, 0, true, false};
    QTest::newRow("AVL sin texto") << TNodoCaso{1, -1, 1, false, false, blanco, 0, false, false};
    QTest::newRow("imagenes sin imagenes") << TNodoCaso{1, -1, 2, false, false, blanco, 0, true, false};
    QTest::newRow("rojo") << TNodoCaso{2, 0, 0, false, false, rojo, 0, true, false};
    QTest::newRow("rojo seleccionado") << TNodoCaso{2, 0, 1, true, false, ColorRGB(0, 127, 255), 0, false, false};
    QTest::newRow("rojo marcado") << TNodoCaso{2, 0, 1, false, true, rojo, rojo, false, false};
    QTest::newRow("negro seleccionado") << TNodoCaso{2, 1, 0, true, false, plata, 0, true, false};
    QTest::newRow("color guardado 7 no es rojo") << TNodoCaso{2, 7, 1, false, false, plata, 0, false, false};
    QTest::newRow("monticulo") << TNodoCaso{3, -1, 0, false, false, blanco, 0, false, true};
    QTest::newRow("monticulo sin texto") << TNodoCaso{3, -1, 1, false, false, blanco, 0, false, false};
  }
  // One node: the circle covers cx - R .. cx + R - 1 both ways; the key is
  // centred in it unless the mode has none; a balance factor or black height
  // touches its upper right, a heap position sits below it; nothing else
  // beyond. "Imagenes" without pictures draws as "Dibujos y texto".
  void UnNodo() {
    QFETCH(TNodoCaso, caso);
    auto a = Arbol(caso.Tipo, {8});
    if (caso.Color >= 0)
      static_cast<TNodoRN*>(a->Raiz)->Color = static_cast<std::uint8_t>(caso.Color);
    a->Raiz->Marcado = caso.Marcado;
    a->NodoSel = caso.Sel ? a->Raiz : nullptr;
    const int cx = 80, cy = 40, h = AltoLetra(8), d = R * 181 / 256;
    TAjustesDibujo aj = Centro(a->Raiz, cx, cy, caso.TipoGraf);
    aj.Fuente.Color = Azul;
    const QImage img = Dibujo(*a, aj, 160, 200);
    for (const QPoint p : {QPoint(cx - R + 3, cy), QPoint(cx, cy + R - 3), QPoint(cx + R - 3, cy)})
      QCOMPARE(img.pixel(p), Rgb(caso.Relleno));
    for (const QPoint p : {QPoint(cx - R, cy), QPoint(cx + R - 1, cy), QPoint(cx, cy - R), QPoint(cx, cy + R - 1)})
      QCOMPARE(img.pixel(p), Rgb(caso.Contorno));
    QRect tinta;
    for (int y = cy - 10; y < cy + 10; ++y)
      for (int x = cx - 10; x < cx + 10; ++x)
        tinta |= img.pixel(x, y) != Rgb(caso.Relleno) ? QRect(x, y, 1, 1) : QRect();
    QCOMPARE(tinta.isEmpty(), caso.TipoGraf == 1);
    QVERIFY(tinta.isEmpty() || (std::abs(tinta.left() + tinta.right() - 2 * cx) <= 3 && std::abs(tinta.top() + tinta.bottom() - 2 * cy) <= 4));
    const QRect arribaDerecha(cx + d + 2, cy - d - 1 - h, 14, h), abajo(cx - 7, cy + R, 14, h + 2);
    QCOMPARE(Distintos(img, arribaDerecha, Rgb(Fondo)) > 0, caso.Derecha);
    QCOMPARE(Distintos(img, abajo, Rgb(Fondo)) > 0, caso.Debajo);
    QCOMPARE(FueraDelFondo(img, QRegion(cx - R, cy - R, 2 * R, 2 * R) + arribaDerecha + abajo + QRect(0, 120, 160, 80)), 0);
    TCapasDibujo vacias;
    aj.Imagenes = &vacias;
    aj.TipoGraf = caso.TipoGraf == 2 ? 0 : caso.TipoGraf;
    QCOMPARE(img, Dibujo(*a, aj, 160, 200));
  }
  void AristasDelColorInversoDelFondo() {
    auto a = Arbol(0, {50, 30, 70});
    for (const auto& [fondo, arista] : {std::pair{0xFFFFFFu, 0u}, {0u, 0xFFFFFFu}, {0x123456u, 0xEDCBA9u}}) {
      TAjustesDibujo aj = Centro(a->Raiz, 100, 30);
      aj.ColFon = fondo;
      const QImage arbol = Dibujo(*a, aj, 200, 100);
      for (TNodoBin* h : {a->Raiz->Izq, a->Raiz->Der}) {  // the middle of the edge
        const QPoint m((a->Raiz->X + h->X) / 2 - aj.DesplX, (a->Raiz->Y + h->Y) / 2 - aj.DesplY);
        QVERIFY(Contar(arbol, QRect(m - QPoint(1, 1), QSize(3, 3)), [&](QRgb p) { return p == Rgb(arista); }) > 0);
      }
    }
  }
  // A plain, a red and a black node, selected, highlighted and normal, with
  // and without shadows, in both depths: the square holds the stamps exactly
  // (on the pictures' own circle, though R differs), nothing else but texts.
  // A removed node shows frame (F - 1) x PasoAnim div PausaNumEtap (at least
  // 1 step) within the frames; in the drawings only its number.
  void ImagenesYFrames() {
    SALTAR_SIN_IMAGENES();
    const int cx = 60, cy = 50, h = AltoLetra(8);
    const QRect clave(cx - 6, cy - h / 2 - 2, 12, h + 4);
    for (bool modo8 : {false, true}) {
      TConjunto c(modo8);
      const TImagenesNodos& im = c.Im;
      const int S = im.TamImg(), rad = im.RadImg(), d = rad * 181 / 256;
      const QRect cuadro(cx - rad, cy - rad, S, S), figura(cx + d, cy - d - h - 2, 14, h + 2);
      for (int t = 0; t < 9; ++t)
        for (bool sombras : {false, true}) {
          const int tipo = t / 3, s = t % 3;
          auto a = Arbol(tipo == 0 ? 0 : 2, {5});
          if (tipo > 0)
            static_cast<TNodoRN*>(a->Raiz)->Color = tipo == 1 ? 0 : 1;
          a->NodoSel = s == 0 ? a->Raiz : nullptr;
          a->Raiz->Marcado = s == 1;
          TAjustesDibujo aj = Centro(a->Raiz, cx, cy, 2);
          aj.R = 40, aj.Sombras = sombras, aj.Imagenes = &c.Capas;
          const QImage img = Dibujo(*a, aj);
          std::vector<std::pair<QImage, QImage>> estampas;
          if (sombras)
            estampas.emplace_back(im.Capa(tipo, s, 3), im.Capa(tipo, s, 1));
          estampas.emplace_back(im.Capa(tipo, s, 2), im.Capa(tipo, s, 0));
          QVERIFY2(c.Ok && Estampado(img, cuadro.x(), cuadro.y(), S, estampas, QRegion(clave) + figura) &&
                       FueraDelFondo(img, QRegion(cuadro) + figura) == 0,
                   qPrintable(QStringLiteral("8 bits %1, kind %2, state %3, shadows %4").arg(modo8).arg(tipo).arg(s).arg(sombras)));
        }
      TArbolBST a;
      a.NodoBorrado = a.CrearNodo(7, nullptr, nullptr, nullptr);
      a.NodoBorrado->X = 300;
      for (const auto& [paso, pasos, frame] : {std::tuple{0, 10, 0}, {3, 10, 2}, {7, 10, 6}, {10, 10, 9}, {1, 0, 9}, {25, 10, 9}, {-3, 10, 0}}) {
        TAjustesDibujo aj = Centro(a.NodoBorrado, cx, cy, 2);
        aj.Imagenes = &c.Capas, aj.PasoAnim = paso, aj.PausaNumEtap = pasos;
        QVERIFY(Estampado(Dibujo(a, aj), cuadro.x(), cuadro.y(), S, {{im.MascSecuencia(frame), im.ImgSecuencia(frame)}}, clave));
        aj.TipoGraf = 0;
        const QImage dibujo = Dibujo(a, aj);
        QVERIFY(Distintos(dibujo, clave, Rgb(Fondo)) > 0 && FueraDelFondo(dibujo, clave) == 0);
      }
    }
  }
  // The layers follow the set: a 32-bit set is shared, re-tinted shadows are
  // taken again, unchanged layers (an 8-bit set's conversions too) are kept.
  void CapasSiguenAlConjunto() {
    SALTAR_SIN_IMAGENES();
    TConjunto c(false), c8(true);
    const qint64 nodo = c.Capas.Capa(0, 2, 0).cacheKey(), convertida = c8.Capas.Capa(1, 0, 0).cacheKey();
    QCOMPARE(nodo, c.Im.Capa(0, 2, 0).cacheKey());
    c.Im.TintarSombras(Azul);
    c.Capas.Actualizar(c.Im);
    c8.Capas.Actualizar(c8.Im);
    QVERIFY(c.Capas.Capa(0, 2, 0).cacheKey() == nodo && c.Capas.Capa(0, 2, 1).cacheKey() == c.Im.Capa(0, 2, 1).cacheKey());
    QCOMPARE(c8.Capas.Capa(1, 0, 0).cacheKey(), convertida);
    c.Capas.Actualizar(TImagenesNodos());
    QVERIFY(!c.Capas.Hay() && c.Capas.Capa(0, 0, 0).isNull());
  }
  // A heap's vector row, swept across the width AnchoFilaVector gives: every
  // cell comes wholly into view; cells in use are grey (the selected one
  // yellow, the marked one with 2 px of red), removed ones white with grey
  // values; each value stays inside its cell, its position above. Short
  // values give cells of 2R, long ones wider. The row keeps to the bottom.
  void FilaDelVector_data() {
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("extremo");
    QTest::newRow("cortas") << 0 << 77;
    QTest::newRow("cinco cifras") << 10000 << 99999;
    QTest::newRow("el menor entero") << 10000 << INT_MIN;
  }
  void FilaDelVector() {
    QFETCH(int, base);
    QFETCH(int, extremo);
    TMonticulo m;
    for (int v = 1; v <= 60; ++v)
      m.Insertar(v == 30 ? extremo : base + v);
    m.Borrar();
    m.Borrar();
    m.DistribuirSeparada(R, 2, 5);
    m.Vector[1]->Marcado = true;
    m.NodoSel = m.Vector[3];
    TAjustesDibujo aj;
    aj.DesplY = -100000;  // the tree out of sight
    const int W = 300, H = 200, ancho = AnchoFilaVector(m, R, aj.Fuente), c = (ancho - 1) / m.MaxNodos, arriba = H - 2 * R - 20;
    const int alto = AltoLetra(8), medio = arriba + R;
    QVERIFY(base == 0 ? c == 2 * R : c > 2 * R);
    std::vector<bool> vista(60);
    for (int x = -50;; x = std::min(x + W - 2 * c, ancho - W)) {
      aj.DesplX = x;
      const QImage img = Dibujo(m, aj, W, H);
      for (int i = (x + c) / c; i < 60 && i * c - x + c < W; ++i) {
        const int izq = i * c - x, borde = i == 1 ? 2 : 1;
        const QRgb relleno = i >= 58 ? Blanco : i == 3 ? Amarillo : Gris, linea = i == 1 ? Rojo : Negro;
        const QString donde = QStringLiteral("cell %1 at %2").arg(i).arg(x);
        QVERIFY2(img.pixel(izq + 3, arriba + 3) == relleno && img.pixel(izq + c - 1, medio) == (i == 1 ? Rojo : relleno), qPrintable(donde));
        for (int k = 0; k < borde; ++k)
          QVERIFY2(img.pixel(izq + k, medio) == linea && img.pixel(izq + c / 2, arriba + k) == linea &&
                       img.pixel(izq + c / 2, arriba + 2 * R - k) == linea, qPrintable(donde));
        for (int k : {izq + 1, izq + c - 1})
          QVERIFY2(i == 1 || Distintos(img, QRect(k, medio - alto / 2, 1, alto), relleno) == 0, qPrintable(donde));
        const QRect valor(izq + 3, arriba + 3, c - 5, 2 * R - 5);
        QVERIFY2((Contar(img, valor, [](QRgb p) { return qGray(p) < 0x60; }) > 0) == (i < 58) && Distintos(img, valor, relleno) > 0, qPrintable(donde));
        QVERIFY2(Distintos(img, QRect(izq, arriba - 16, c, 14), Blanco) > 0 && Distintos(img, QRect(izq, arriba - 1, c, 1), Blanco) == 0,
                 qPrintable(donde));
        vista[std::size_t(i)] = true;
      }
      if (x == -50)
        QVERIFY(img.pixel(49, medio) == Blanco && Distintos(img, QRect(0, 0, W, arriba - 20), Blanco) == 0);
      if (x == ancho - W)
        break;
    }
    QVERIFY(std::all_of(vista.begin(), vista.end(), [](bool b) { return b; }));
    const QImage img = Dibujo(m, aj, W, H);
    aj.DesplY = -200000;
    QCOMPARE(Dibujo(m, aj, W, H), img);

    aj = TAjustesDibujo();
    aj.ColFon = Fondo;
    QCOMPARE(FueraDelFondo(Dibujo(TArbolBST(), aj), {}), 0);
    while (m.NumNodos > 0)
      m.Borrar();
    const QImage vacio = Dibujo(m, aj, W, H);
    for (int i = 0; i * c < W; ++i)
      QCOMPARE(vacio.pixel(i * c + 3, arriba + 3), Blanco);
    QCOMPARE(Distintos(vacio, QRect(0, 0, W, arriba - 20), Rgb(Fondo)), 0);
    QImage nula;
    DibujarEstructura(nula, m, aj);
    QVERIFY(nula.isNull());
  }
  // A key too long for its circle even at the smallest size lies over its own
  // box, its ink within the box's outline, with background between siblings.
  void ClavesLargas() {
    for (int clave : {12345, INT_MIN, INT_MAX}) {
      const bool caja = clave != 12345;
      TArbolBST a;
      for (int v : {0, clave < 0 ? 1 : -1, clave, clave < 0 ? clave + 1 : clave - 1})
        a.Insertar(v);
      const TDistribucion dist = a.DistribuirSeparada(20, 10, 10);  // the presentation's defaults
      TAjustesDibujo aj;
      aj.ColFon = Fondo, aj.Fuente.Color = Azul, aj.R = 20;
      const QImage img = Dibujo(a, aj, dist.Ancho + 40, dist.Alto + 40);
      const TNodoBin* n = RecorrerPreorden(a.Raiz, [&](TNodoBin* m, std::int32_t) { return m->Valor == clave; });
      int izq = img.width(), der = -1;
      for (int x = n->X - 45; x <= n->X + 45; ++x)
        if (Contar(img, QRect(x, n->Y - 3, 1, 7), Tinta) > 0)
          izq = std::min(izq, x), der = std::max(der, x);
      QVERIFY(der >= 0 && (izq > n->X - 20 && der < n->X + 20) == !caja);
      const auto negro = [](QRgb p) { return p == Negro; };
      const TNodoBin* otro = n->Padre->Izq == n ? n->Padre->Der : n->Padre->Izq;
      bool hueco = false;
      for (int x = std::min(n->X, otro->X); x < std::max(n->X, otro->X) && !hueco; ++x)
        hueco = Distintos(img, QRect(x, n->Y - 8, 1, 17), Rgb(Fondo)) == 0;
      QVERIFY(!caja || (Contar(img, QRect(n->X - 50, n->Y, izq - n->X + 50, 1), negro) > 0 &&
                        Contar(img, QRect(der + 1, n->Y, 8, 1), negro) > 0 && otro->Y == n->Y && hueco));
    }
  }
  // Every layout puts each node below its ancestors (within the 1 px of a
  // blend's rounding); the separated and complete ones keep x in symmetric
  // order, the compressed one does not; a blend keeps what both have.
  void HechosDeLasDistribuciones() {
    std::mt19937 gen(2024);
    int desordenadas = 0;
    for (int caso = 0; caso < 100; ++caso) {
      auto a = caso % 37 == 0 ? Cadena(40 + caso % 7, caso % 2 == 0)
                              : Arbol(caso % 5, {}, 1 + int(gen() % 150), unsigned(gen()), caso % 3 == 0 ? 60 : 2000000);
      for (int k = 0; k < 36; ++k) {
        const int desde = k % 3, hasta = k / 3 % 3;
        Mezclar(*a, desde, hasta, std::vector<double>{0.0, 0.37, std::sqrt(0.9), 1.0}[std::size_t(k / 9)],
                [&](int n) { return int(gen() % unsigned(n)); });
        std::int64_t fy = 0, fx = 0, maxX = INT64_MIN;
        std::vector<std::int64_t> maxY;  // the greatest y on the path, by depth
        RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t p) {
          maxY.resize(std::size_t(p) + 1);
          maxY[std::size_t(p)] = p > 0 ? std::max<std::int64_t>(n->Y, maxY[std::size_t(p) - 1]) : n->Y;
          fy = std::max(fy, p > 0 ? maxY[std::size_t(p) - 1] - n->Y : 0);
        });
        std::vector<const TNodoBin*> pila;
        for (const TNodoBin* n = a->Raiz; n != nullptr || !pila.empty(); n = n->Der) {
          for (; n != nullptr; n = n->Izq)
            pila.push_back(n);
          n = pila.back();
          pila.pop_back();
          fx = maxX == INT64_MIN ? 0 : std::max(fx, maxX - n->X);
          maxX = std::max<std::int64_t>(maxX, n->X);
        }
        QVERIFY2(fy <= 1 && (desde == 1 || hasta == 1 || fx <= 1), qPrintable(QStringLiteral("case %1, %2").arg(caso).arg(k)));
        desordenadas += desde == 1 && hasta == 1 && fx > 1;
      }
    }
    QVERIFY(desordenadas > 0);  // why the compressed layout is never said to keep the order
  }
  // Skipping what lies outside, and the subtrees that cannot reach the
  // picture, draws the same pixels as drawing everything, at offsets that cut
  // through nodes, edges, texts and cells, for layouts and blends.
  void RecorteNoCambiaLaImagen_data() {
    QTest::addColumn<TRecorteCaso>("caso");
    QTest::newRow("busqueda con texto") << TRecorteCaso{0, 0, 0, 0, 1.0, 8};
    QTest::newRow("rojo-negro con imagenes") << TRecorteCaso{2, 2, 0, 0, 1.0, 8};
    QTest::newRow("monticulo con vector") << TRecorteCaso{3, 0, 0, 0, 1.0, 8};
    QTest::newRow("AVL letra diminuta") << TRecorteCaso{1, 1, 0, 0, 1.0, 1};
    QTest::newRow("splay comprimido") << TRecorteCaso{4, 0, 1, 1, 1.0, 1};
    QTest::newRow("busqueda de separado a completo") << TRecorteCaso{0, 0, 0, 2, 0.37, 1};
    QTest::newRow("monticulo de comprimido a completo") << TRecorteCaso{3, 0, 1, 2, 0.8, 1};
    QTest::newRow("cadena izquierda comprimida") << TRecorteCaso{6, 1, 1, 1, 1.0, 1};
    QTest::newRow("cadena derecha de completo a separado") << TRecorteCaso{5, 0, 2, 0, 0.5, 1};
  }
  void RecorteNoCambiaLaImagen() {
    QFETCH(TRecorteCaso, caso);
    if (caso.TipoGraf == 2)
      SALTAR_SIN_IMAGENES();
    TConjunto c(false);
    auto a = caso.Tipo >= 5 ? Cadena(150, caso.Tipo == 5) : Arbol(caso.Tipo, {}, 150, 7);
    int ancho = 0, alto = 0, k = 0;
    const int param[] = {R, 2, 5, R, 4, 9};
    Mezclar(*a, caso.Desde, caso.Hasta, caso.T, [&](int) { return param[k++ % 6]; });
    k = 0;
    std::vector<const TNodoBin*> cerca{a->Raiz, a->Raiz->Izq, a->Raiz->Der};
    RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t) {
      ancho = std::max(ancho, n->X + R), alto = std::max(alto, n->Y + R);
      n->Marcado = ++k % 7 == 0;
      a->NodoSel = k == 40 ? n : a->NodoSel;
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
    for (const QPoint p : despl) {
      TAjustesDibujo aj;
      aj.TipoGraf = caso.TipoGraf, aj.Fuente.Tam = caso.Puntos, aj.DesplX = p.x(), aj.DesplY = p.y(), aj.Imagenes = &c.Capas;
      aj.Recortar = false;
      const QImage entera = Dibujo(*a, aj, W, H);
      aj.Recortar = true;
      const QImage recortada = Dibujo(*a, aj, W, H);
      aj.YCreceHaciaAbajo = true, aj.XEnOrdenSimetrico = caso.Desde != 1 && caso.Hasta != 1;
      QVERIFY2(recortada == entera && Dibujo(*a, aj, W, H) == entera, qPrintable(QStringLiteral("at %1, %2").arg(p.x()).arg(p.y())));
    }
  }
  // A chain of a million nodes draws without recursion wherever it is seen,
  // the same with the subtrees skipped as with every node walked.
  void CadenaDeUnMillon() {
    for (bool aLaDerecha : {true, false}) {
      auto a = Cadena(1000000, aLaDerecha);
      QCOMPARE(a->DistribuirSeparada(R, 2, 5).Alto, R + 999999 * (2 * R + 5) + R);
      const TNodoBin* n = a->Raiz;
      for (int i = 0; i <= 999999; ++i, n = aLaDerecha ? n->Der : n->Izq)
        if (i == 0 || i == 500000 || i == 999999) {
          TAjustesDibujo aj;
          aj.DesplX = n->X - 120, aj.DesplY = n->Y - 85;
          const QImage todo = Dibujo(*a, aj, 240, 170);
          aj.YCreceHaciaAbajo = aj.XEnOrdenSimetrico = true;
          const QImage podado = Dibujo(*a, aj, 240, 170);
          QVERIFY(podado == todo && Distintos(podado, podado.rect(), Blanco) > 0);
        }
    }
  }
};

QTEST_MAIN(PruebasDibujo)
#include "tst_dibujo.moc"
