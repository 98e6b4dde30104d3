// The drawing of a structure onto a picture, checked on its pixels: node
// fills and outlines, edges, texts and the kinds' figures, the node pictures
// of both display depths, the removal frames, the heap's vector row, that
// skipping what lies outside the picture changes nothing, and the facts
// about the layouts' positions that let whole subtrees be skipped.
#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uDibujo.h"
#include "uImagenes.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int R = 15;
constexpr TColor Fondo = ColorRGB(0x10, 0x20, 0x30);

QRgb Rgb(TColor c) { return ColorQt(c).rgb(); }

// Pixels of the rectangle (clipped to the picture) that satisfy the test.
int Contar(const QImage& img, QRect r, const std::function<bool(QRgb)>& cumple) {
  r &= img.rect();
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      n += cumple(img.pixel(x, y)) ? 1 : 0;
  return n;
}
int Distintos(const QImage& img, const QRect& r, QRgb c) {
  return Contar(img, r, [c](QRgb p) { return p != c; });
}

// The font the drawing uses for a setting, to find where its texts go.
QFontMetrics Metricas(const TFuente& f, int puntos, const QImage& img) {
  QFont q(f.Nombre);
  q.setPointSize(std::max(1, puntos));
  q.setBold(f.Negrita);
  q.setItalic(f.Cursiva);
  return QFontMetrics(q, &img);
}

QImage Dibujo(const TArbolBin& a, const TAjustesDibujo& aj, int w = 160, int h = 120) {
  QImage img(w, h, QImage::Format_RGB32);
  DibujarEstructura(img, a, aj);
  return img;
}

// One node laid out, then drawn with its centre at (cx, cy) of the picture.
TAjustesDibujo AjustesCentro(const TNodoBin* n, int cx, int cy, int tipoGraf = 1) {
  TAjustesDibujo aj;
  aj.TipoGraf = tipoGraf;
  aj.ColFon = Fondo;
  aj.R = R;
  aj.DesplX = n->X - cx;
  aj.DesplY = n->Y - cy;
  return aj;
}

template <class T>
std::unique_ptr<TArbolBin> Arbol(std::initializer_list<int> valores) {
  auto a = std::make_unique<T>();
  for (int v : valores)
    a->Insertar(v);
  a->Deseleccionar();  // an insertion leaves its node selected
  a->DistribuirSeparada(R, 2, 5);
  return a;
}

// The pictures the build draws, or an empty string.
QString CarpetaImagenes() {
#ifdef QUELVAR_CARPETA_IMAGENES
  return QStringLiteral(QUELVAR_CARPETA_IMAGENES);
#else
  return {};
#endif
}

// The colour a stamped square shows at (x, y) of its own: a pixel inside a
// figure (its hole clears it) shows the picture's colour, in 8-bit sets
// through the palette; every other pixel keeps what lay beneath.
struct TEstampa {
  const QImage& Hueco;
  const QImage& Imagen;
  bool Dentro(int x, int y) const {
    return Hueco.depth() == 8 ? Hueco.pixelIndex(x, y) == 0 : (Hueco.pixel(x, y) & 0xFFFFFF) == 0;
  }
  QRgb Color(int x, int y) const { return Imagen.pixel(x, y) | 0xFF000000u; }
};

// Compares the square of side S at (x0, y0) with the stamps laid in order
// on the background, skipping the pixels of "salvo".
void ComprobarCuadro(const QImage& img, int x0, int y0, int S, const std::vector<TEstampa>& estampas,
                     const QRect& salvo) {
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      if (salvo.contains(x0 + x, y0 + y))
        continue;
      QRgb esperado = Rgb(Fondo);
      for (const TEstampa& e : estampas)
        if (e.Dentro(x, y))
          esperado = e.Color(x, y);
      if (img.pixel(x0 + x, y0 + y) != esperado)
        QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) of the square: %3, expected %4")
                             .arg(x)
                             .arg(y)
                             .arg(img.pixel(x0 + x, y0 + y), 8, 16)
                             .arg(esperado, 8, 16)));
    }
}

// A structure of a kind: 0 search, 1 AVL, 2 red-black, 3 heap, 4 splay.
std::unique_ptr<TArbolBin> Nuevo(int tipo) {
  switch (tipo) {
  case 1: return std::make_unique<TArbolAVL>();
  case 2: return std::make_unique<TArbolRN>();
  case 3: return std::make_unique<TMonticulo>();
  case 4: return std::make_unique<TSplayTree>();
  default: return std::make_unique<TArbolBST>();
  }
}

// n random insertions, then a fifth as many removals.
void Poblar(TArbolBin& a, int n, std::mt19937& gen, int rango = 2000000) {
  std::vector<std::int32_t> claves;
  for (int i = 0; i < n; ++i) {
    const auto v = static_cast<std::int32_t>(gen() % static_cast<unsigned>(rango)) - rango / 2;
    a.Insertar(v);
    claves.push_back(v);
  }
  for (int i = 0; i < n / 5; ++i)
    a.BorrarEntrada(claves[gen() % claves.size()]);
  a.Deseleccionar();
}

// Layout 0 separated, 1 compressed, 2 complete.
TDistribucion Distribuir(TArbolBin& a, int tipo, int r, int sx, int sy) {
  return tipo == 0 ? a.DistribuirSeparada(r, sx, sy)
         : tipo == 1 ? a.DistribuirComprimida(r, sx, sy)
                     : a.DistribuirCompleta(r, sx, sy);
}

// How far the positions break the facts the drawing may be told: the most
// a node lies above one of its ancestors, and the most one lies left of a
// node before it in symmetric order (0 when they hold).
struct TFaltas {
  std::int64_t Y = 0, X = 0;
};
TFaltas Faltas(const TArbolBin& a) {
  TFaltas f;
  std::vector<std::int64_t> maxY;  // the greatest y on the path, by depth
  RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t prof) {
    const auto p = static_cast<std::size_t>(prof);
    maxY.resize(p + 1);
    maxY[p] = n->Y;
    if (p > 0) {
      f.Y = std::max(f.Y, maxY[p - 1] - n->Y);
      maxY[p] = std::max(maxY[p], maxY[p - 1]);
    }
  });
  std::vector<const TNodoBin*> pila;
  std::int64_t maxX = INT64_MIN;
  for (const TNodoBin* n = a.Raiz; n != nullptr || !pila.empty();) {
    for (; n != nullptr; n = n->Izq)
      pila.push_back(n);
    n = pila.back();
    pila.pop_back();
    if (maxX != INT64_MIN)
      f.X = std::max(f.X, maxX - n->X);
    maxX = std::max<std::int64_t>(maxX, n->X);
    n = n->Der;
  }
  return f;
}

// A chain of n nodes built by linking (no insertion walks down it): each
// the right child of the one before, or the left one.
std::unique_ptr<TArbolBin> Cadena(int n, bool aLaDerecha) {
  auto a = std::make_unique<TArbolBST>();
  TNodoBin* ultimo = nullptr;
  for (int i = 0; i < n; ++i) {
    TNodoBin* nuevo = a->CrearNodo(aLaDerecha ? i : n - i, ultimo, nullptr, nullptr);
    if (ultimo == nullptr)
      a->Raiz = nuevo;
    else
      (aLaDerecha ? ultimo->Der : ultimo->Izq) = nuevo;
    ultimo = nuevo;
  }
  a->NumNodos = n;
  return a;
}

}  // namespace

class PruebasDibujo : public QObject {
  Q_OBJECT

private Q_SLOTS:
  void RellenoYContorno_data() {
    QTest::addColumn<bool>("rojoNegro");
    QTest::addColumn<int>("color");
    QTest::addColumn<bool>("sel");
    QTest::addColumn<bool>("marcado");
    QTest::addColumn<uint>("relleno");
    QTest::addColumn<uint>("contorno");
    const TColor blanco = ColorRGB(255, 255, 255), amarillo = ColorRGB(255, 255, 0), rojo = ColorRGB(255, 0, 0),
                 negro = 0, plata = ColorRGB(192, 192, 192);
    QTest::newRow("normal") << false << 0 << false << false << blanco << negro;
    QTest::newRow("seleccionado") << false << 0 << true << false << amarillo << negro;
    QTest::newRow("marcado") << false << 0 << false << true << blanco << rojo;
    QTest::newRow("seleccionado y marcado") << false << 0 << true << true << amarillo << rojo;
    QTest::newRow("rojo") << true << 0 << false << false << rojo << negro;
    QTest::newRow("rojo seleccionado") << true << 0 << true << false << ColorRGB(0, 127, 255) << negro;
    QTest::newRow("rojo marcado") << true << 0 << false << true << rojo << rojo;
    QTest::newRow("negro") << true << 1 << false << false << plata << negro;
    QTest::newRow("negro seleccionado") << true << 1 << true << false << plata << negro;
    QTest::newRow("color guardado 7 no es rojo") << true << 7 << false << false << plata << negro;
  }
  void RellenoYContorno() {
    QFETCH(bool, rojoNegro);
    QFETCH(int, color);
    QFETCH(bool, sel);
    QFETCH(bool, marcado);
    QFETCH(uint, relleno);
    QFETCH(uint, contorno);
    auto a = rojoNegro ? Arbol<TArbolRN>({8}) : Arbol<TArbolBST>({8});
    TNodoBin* n = a->Raiz;
    if (auto* rn = dynamic_cast<TNodoRN*>(n))
      rn->Color = static_cast<std::uint8_t>(color);
    n->Marcado = marcado;
    a->NodoSel = sel ? n : nullptr;
    const int cx = 60, cy = 50;
    const QImage img = Dibujo(*a, AjustesCentro(n, cx, cy));
    for (const QPoint p : {QPoint(cx, cy), QPoint(cx - R + 3, cy), QPoint(cx, cy + R - 3), QPoint(cx + R - 3, cy)})
      QCOMPARE(img.pixel(p), Rgb(relleno));
    // The circle's bounds run from (cx - R, cy - R) to (cx + R, cy + R), the
    // far ones excluded.
    for (const QPoint p : {QPoint(cx - R, cy), QPoint(cx + R - 1, cy), QPoint(cx, cy - R), QPoint(cx, cy + R - 1)})
      QCOMPARE(img.pixel(p), Rgb(contorno));
    const QRect circulo(cx - R, cy - R, 2 * R, 2 * R);
    QCOMPARE(Distintos(img, img.rect(), Rgb(Fondo)), Distintos(img, circulo, Rgb(Fondo)));
    QCOMPARE(Distintos(img, circulo, Rgb(Fondo)) > 2 * R * R, true);
  }

  void AristasDelColorInversoDelFondo_data() {
    QTest::addColumn<uint>("fondo");
    QTest::addColumn<uint>("arista");
    QTest::newRow("blanco") << ColorRGB(255, 255, 255) << ColorRGB(0, 0, 0);
    QTest::newRow("negro") << ColorRGB(0, 0, 0) << ColorRGB(255, 255, 255);
    QTest::newRow("otro") << ColorRGB(0x12, 0x34, 0x56) << ColorRGB(0xED, 0xCB, 0xA9);
  }
  void AristasDelColorInversoDelFondo() {
    QFETCH(uint, fondo);
    QFETCH(uint, arista);
    auto a = Arbol<TArbolBST>({50, 30, 70});
    TAjustesDibujo aj = AjustesCentro(a->Raiz, 100, 30);
    aj.ColFon = fondo;
    const QImage img = Dibujo(*a, aj, 200, 100);
    for (TNodoBin* h : {a->Raiz->Izq, a->Raiz->Der}) {
      // The middle of the edge, away from both circles.
      const int mx = (a->Raiz->X + h->X) / 2 - aj.DesplX, my = (a->Raiz->Y + h->Y) / 2 - aj.DesplY;
      QVERIFY(Contar(img, QRect(mx - 1, my - 1, 3, 3), [&](QRgb p) { return p == Rgb(arista); }) > 0);
    }
  }

  void TextoSegunElModo_data() {
    QTest::addColumn<int>("tipoGraf");
    QTest::addColumn<bool>("texto");
    QTest::newRow("Dibujos y texto") << 0 << true;
    QTest::newRow("Dibujos sin texto") << 1 << false;
    QTest::newRow("Imagenes sin imagenes") << 2 << true;
  }
  void TextoSegunElModo() {
    QFETCH(int, tipoGraf);
    QFETCH(bool, texto);
    auto a = Arbol<TArbolBST>({88});
    const int cx = 60, cy = 50;
    TAjustesDibujo aj = AjustesCentro(a->Raiz, cx, cy, tipoGraf);
    aj.Fuente.Color = ColorRGB(0, 0, 255);
    const QImage img = Dibujo(*a, aj);
    const QRect interior(cx - 10, cy - 10, 20, 20);  // inside the circle
    const auto azulado = [](QRgb p) { return qBlue(p) > qRed(p) + 60; };
    QCOMPARE(Contar(img, interior, azulado) > 0, texto);
    if (!texto) {
      QCOMPARE(Distintos(img, interior, Rgb(ColorRGB(255, 255, 255))), 0);
      return;
    }
    // The ink is centred on the node.
    int x0 = INT_MAX, x1 = INT_MIN, y0 = INT_MAX, y1 = INT_MIN;
    for (int y = interior.top(); y <= interior.bottom(); ++y)
      for (int x = interior.left(); x <= interior.right(); ++x)
        if (azulado(img.pixel(x, y))) {
          x0 = std::min(x0, x);
          x1 = std::max(x1, x);
          y0 = std::min(y0, y);
          y1 = std::max(y1, y);
        }
    QVERIFY2(std::abs(x0 + x1 - 2 * cx) <= 3, qPrintable(QStringLiteral("ink x %1..%2").arg(x0).arg(x1)));
    QVERIFY2(std::abs(y0 + y1 - 2 * cy) <= 4, qPrintable(QStringLiteral("ink y %1..%2").arg(y0).arg(y1)));
    // Without a usable image set the mode "Imágenes" draws as "Dibujos y texto".
    if (tipoGraf == 2) {
      TAjustesDibujo cero = aj;
      cero.TipoGraf = 0;
      TCapasDibujo vacias;
      aj.Imagenes = &vacias;
      QCOMPARE(Dibujo(*a, aj), Dibujo(*a, cero));
    }
  }

  // The balance factor and the black height sit beside the upper right of
  // the circle, a heap position against its upper left; a plain node has
  // neither.
  void CifrasDeCadaTipo_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<bool>("derecha");
    QTest::addColumn<bool>("izquierda");
    QTest::newRow("busqueda") << 0 << false << false;
    QTest::newRow("AVL") << 1 << true << false;
    QTest::newRow("rojo-negro") << 2 << true << false;
    QTest::newRow("monticulo") << 3 << false << true;
  }
  void CifrasDeCadaTipo() {
    QFETCH(int, tipo);
    QFETCH(bool, derecha);
    QFETCH(bool, izquierda);
    std::unique_ptr<TArbolBin> a;
    switch (tipo) {
    case 0: a = Arbol<TArbolBST>({5}); break;
    case 1: a = Arbol<TArbolAVL>({5}); break;
    case 2: a = Arbol<TArbolRN>({5}); break;
    default: a = Arbol<TMonticulo>({5}); break;
    }
    const int cx = 80, cy = 40;
    const QImage img = Dibujo(*a, AjustesCentro(a->Raiz, cx, cy, 0), 160, 200);
    const TFuente f;
    const int h = Metricas(f, f.Tam - 1, img).height();
    const QRect alaDerecha(cx + R, cy - R - h / 2, 12, h);
    const QRect alaIzquierda(cx - R - 12, cy - R - h / 2, 12, h);
    QCOMPARE(Distintos(img, alaDerecha, Rgb(Fondo)) > 0, derecha);
    QCOMPARE(Distintos(img, alaIzquierda, Rgb(Fondo)) > 0, izquierda);
  }

  void ImagenesEstampanLasCapas_data() {
    QTest::addColumn<bool>("modo8");
    QTest::newRow("32 bits") << false;
    QTest::newRow("8 bits") << true;
  }
  void ImagenesEstampanLasCapas() {
    QFETCH(bool, modo8);
    if (CarpetaImagenes().isEmpty())
      QSKIP("the picture generator is not part of this build");
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(modo8, QDir(CarpetaImagenes())));
    TCapasDibujo capas;
    capas.Actualizar(im);
    const int S = im.TamImg(), rad = im.RadImg();
    // kind t, state s: a plain node, a red and a black red-black node, each
    // selected, highlighted and normal.
    for (int t = 0; t < 3; ++t)
      for (int s = 0; s < 3; ++s)
        for (bool sombras : {false, true}) {
          auto a = t == 0 ? Arbol<TArbolBST>({5}) : Arbol<TArbolRN>({5});
          if (t > 0)
            static_cast<TNodoRN*>(a->Raiz)->Color = t == 1 ? 0 : 1;
          a->NodoSel = s == 0 ? a->Raiz : nullptr;
          a->Raiz->Marcado = s == 1;
          const int cx = 60, cy = 50;
          TAjustesDibujo aj = AjustesCentro(a->Raiz, cx, cy, 2);
          aj.R = 40;  // the red-black figure beside the circle stays off the square
          aj.Sombras = sombras;
          aj.Imagenes = &capas;
          const QImage img = Dibujo(*a, aj);
          const QFontMetrics fm = Metricas(aj.Fuente, aj.Fuente.Tam, img);
          const QRect texto(cx - fm.horizontalAdvance(QStringLiteral("5")) / 2 - 2, cy - fm.height() / 2 - 1,
                            fm.horizontalAdvance(QStringLiteral("5")) + 4, fm.height() + 2);
          std::vector<TEstampa> estampas;
          if (sombras)
            estampas.push_back({im.Capa(t, s, 3), im.Capa(t, s, 1)});
          estampas.push_back({im.Capa(t, s, 2), im.Capa(t, s, 0)});
          ComprobarCuadro(img, cx - rad, cy - rad, S, estampas, texto);
          if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("kind %1, state %2, shadows %3").arg(t).arg(s).arg(sombras)));
          // Nothing but the square and the texts.
          const QRect cuadro(cx - rad, cy - rad, S, S);
          QCOMPARE(Distintos(img, img.rect(), Rgb(Fondo)),
                   Distintos(img, cuadro, Rgb(Fondo)) + Distintos(img, QRect(cx + 40, 0, 200, 200), Rgb(Fondo)));
        }
  }

  // A removed node plays frame (F - 1) x PasoAnim div PausaNumEtap of the
  // sequence; steps beyond the last keep the last frame.
  void NodoBorradoMuestraSusFrames_data() {
    QTest::addColumn<int>("paso");
    QTest::addColumn<int>("pasos");
    QTest::addColumn<int>("frame");
    for (int k = 0; k <= 10; ++k)
      QTest::addRow("paso %d de 10", k) << k << 10 << 9 * k / 10;
    QTest::newRow("sin pasos cuenta uno") << 1 << 0 << 9;
    QTest::newRow("pasado el final") << 25 << 10 << 9;
    QTest::newRow("paso negativo") << -3 << 10 << 0;
  }
  void NodoBorradoMuestraSusFrames() {
    QFETCH(int, paso);
    QFETCH(int, pasos);
    QFETCH(int, frame);
    if (CarpetaImagenes().isEmpty())
      QSKIP("the picture generator is not part of this build");
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, QDir(CarpetaImagenes())));
    QCOMPARE(im.NumFrames(), 10);
    TCapasDibujo capas;
    capas.Actualizar(im);
    TArbolBST a;
    a.NodoBorrado = a.CrearNodo(7, nullptr, nullptr, nullptr);
    a.NodoBorrado->X = 300;
    a.NodoBorrado->Y = 200;
    const int cx = 60, cy = 50;
    TAjustesDibujo aj = AjustesCentro(a.NodoBorrado, cx, cy, 2);
    aj.Imagenes = &capas;
    aj.PasoAnim = paso;
    aj.PausaNumEtap = pasos;
    const QImage img = Dibujo(a, aj);
    const QFontMetrics fm = Metricas(aj.Fuente, aj.Fuente.Tam, img);
    const QRect texto(cx - fm.horizontalAdvance(QStringLiteral("7")) / 2 - 2, cy - fm.height() / 2 - 1,
                      fm.horizontalAdvance(QStringLiteral("7")) + 4, fm.height() + 2);
    ComprobarCuadro(img, cx - im.RadImg(), cy - im.RadImg(), im.TamImg(),
                    {{im.MascSecuencia(frame), im.ImgSecuencia(frame)}}, texto);
    // In the drawings only its number is left.
    aj.TipoGraf = 0;
    const QImage dibujo = Dibujo(a, aj);
    QCOMPARE(Distintos(dibujo, texto, Rgb(Fondo)) > 0, true);
    QCOMPARE(Distintos(dibujo, dibujo.rect(), Rgb(Fondo)), Distintos(dibujo, texto, Rgb(Fondo)));
  }

  // A sequence narrower than one cell gives no frame: the removed node then
  // shows only its number, as in the drawings.
  void NodoBorradoSinFrames() {
    if (CarpetaImagenes().isEmpty())
      QSKIP("the picture generator is not part of this build");
    QTemporaryDir dir;
    const QDir origen(CarpetaImagenes());
    for (const char* n : {"Nodos.bmp", "NodosR.bmp", "NodosN.bmp", "MaskNor.bmp", "MaskFon.bmp"})
      QVERIFY(QFile::copy(origen.filePath(QString::fromLatin1(n)), QDir(dir.path()).filePath(QString::fromLatin1(n))));
    QImage estrecha(10, 32, QImage::Format_RGB32);
    estrecha.fill(Qt::red);
    QVERIFY(estrecha.save(QDir(dir.path()).filePath(QStringLiteral("Secuencia.bmp")), "BMP"));
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, QDir(dir.path())));
    QCOMPARE(im.NumFrames(), 0);
    TCapasDibujo capas;
    capas.Actualizar(im);
    TArbolBST a;
    a.NodoBorrado = a.CrearNodo(7, nullptr, nullptr, nullptr);
    TAjustesDibujo aj = AjustesCentro(a.NodoBorrado, 60, 50, 2);
    aj.Imagenes = &capas;
    aj.PasoAnim = 5;
    TAjustesDibujo dibujo = aj;
    dibujo.TipoGraf = 0;
    QCOMPARE(Dibujo(a, aj), Dibujo(a, dibujo));
  }

  // The node pictures follow the set: re-tinted shadows are stamped at the
  // next drawing, unchanged layers are not taken again.
  void CapasSiguenAlConjunto() {
    if (CarpetaImagenes().isEmpty())
      QSKIP("the picture generator is not part of this build");
    TImagenesNodos im;
    QVERIFY(im.CargarImagenes(false, QDir(CarpetaImagenes())));
    TCapasDibujo capas;
    capas.Actualizar(im);
    const qint64 nodo = capas.Capa(0, 2, 0).cacheKey();
    QCOMPARE(nodo, im.Capa(0, 2, 0).cacheKey());  // a 32-bit set is shared, not copied
    im.TintarSombras(ColorRGB(0, 0, 255));
    capas.Actualizar(im);
    QCOMPARE(capas.Capa(0, 2, 0).cacheKey(), nodo);
    QCOMPARE(capas.Capa(0, 2, 1).cacheKey(), im.Capa(0, 2, 1).cacheKey());

    TImagenesNodos im8;
    QVERIFY(im8.CargarImagenes(true, QDir(CarpetaImagenes())));
    capas.Actualizar(im8);
    const qint64 convertida = capas.Capa(1, 0, 0).cacheKey();
    QCOMPARE(capas.Capa(1, 0, 0).format(), QImage::Format_RGB32);
    capas.Actualizar(im8);
    QCOMPARE(capas.Capa(1, 0, 0).cacheKey(), convertida);

    capas.Actualizar(TImagenesNodos());
    QVERIFY(!capas.Hay());
    QVERIFY(capas.Capa(0, 0, 0).isNull());
  }

  // 5 elements after 7 insertions and 2 removals: 7 cells, 5 in use and 2
  // holding the removed minima.
  void FilaDelVector() {
    TMonticulo m;
    for (int v : {40, 10, 30, 20, 50, 60, 70})
      m.Insertar(v);
    m.Borrar();
    m.Borrar();
    QCOMPARE(m.NumNodos, 5);
    QCOMPARE(m.MaxNodos, 7);
    m.DistribuirSeparada(R, 2, 5);
    m.Vector[1]->Marcado = true;
    m.NodoSel = m.Vector[3];
    TAjustesDibujo aj;
    aj.R = R;
    const int W = 400, H = 300, c = 2 * R;
    const QImage img = Dibujo(m, aj, W, H);
    const int izq0 = (W - 7 * c) / 2, arriba = H - 2 * R - 20;
    const QRgb blanco = Rgb(ColorRGB(255, 255, 255)), negro = Rgb(0), rojo = Rgb(ColorRGB(255, 0, 0));
    for (int i = 0; i < 7; ++i) {
      const int izq = izq0 + i * c, medio = arriba + c / 2;
      const QRgb relleno = i >= 5 ? blanco : i == 3 ? Rgb(ColorRGB(255, 255, 0)) : Rgb(ColorRGB(0xE7, 0xE7, 0xE7));
      QCOMPARE(img.pixel(izq + 3, arriba + 3), relleno);
      if (i == 1) {
        // 2 px of red on every side; the next cell's outline covers the outer
        // pixel of the right side.
        for (const QPoint p : {QPoint(izq, medio), QPoint(izq + 1, medio), QPoint(izq + c / 2, arriba),
                               QPoint(izq + c / 2, arriba + 1), QPoint(izq + c / 2, arriba + c),
                               QPoint(izq + c / 2, arriba + c - 1), QPoint(izq + c - 1, medio)})
          QCOMPARE(img.pixel(p), rojo);
        QCOMPARE(img.pixel(izq + 2, medio + 4), relleno);
      } else {
        QCOMPARE(img.pixel(izq, medio), negro);
        QCOMPARE(img.pixel(izq + c / 2, arriba), negro);
        QCOMPARE(img.pixel(izq + c / 2, arriba + c), negro);
        QCOMPARE(img.pixel(izq + 1, medio + 4), relleno);
      }
      // The value: black in use, grey in the cells past the count.
      const QRect valor(izq + 3, arriba + 3, c - 5, c - 5);
      const auto oscuro = [](QRgb p) { return qGray(p) < 0x60; };
      const auto tinta = [relleno](QRgb p) { return p != relleno; };
      QVERIFY(Contar(img, valor, tinta) > 0);
      QCOMPARE(Contar(img, valor, oscuro) > 0, i < 5);
      // The position above the cell.
      QVERIFY(Distintos(img, QRect(izq, arriba - 16, c, 14), blanco) > 0);
    }
    QCOMPARE(img.pixel(izq0 - 1, arriba + c / 2), blanco);
    QCOMPARE(img.pixel(izq0 + 7 * c + 1, arriba + c / 2), blanco);
    // The row stays in place whatever the scroll offsets.
    aj.DesplX = 500;
    aj.DesplY = -300;
    const QRect fila(0, arriba - 20, W, H - arriba + 20);
    QCOMPARE(Dibujo(m, aj, W, H).copy(fila), img.copy(fila));
  }

  void EstructuraVacia() {
    TArbolBST a;
    TAjustesDibujo aj;
    aj.ColFon = Fondo;
    QImage img = Dibujo(a, aj);
    QCOMPARE(Distintos(img, img.rect(), Rgb(Fondo)), 0);
    // An emptied heap still shows its cells, greyed.
    TMonticulo m;
    for (int v : {3, 1, 2})
      m.Insertar(v);
    for (int k = 0; k < 3; ++k)
      m.Borrar();
    QCOMPARE(m.NumNodos, 0);
    img = Dibujo(m, aj, 200, 150);
    const int arriba = 150 - 2 * R - 20, izq0 = (200 - 3 * 2 * R) / 2;
    for (int i = 0; i < 3; ++i)
      QCOMPARE(img.pixel(izq0 + i * 2 * R + 3, arriba + 3), Rgb(ColorRGB(255, 255, 255)));
    QCOMPARE(Distintos(img, QRect(0, 0, 200, arriba - 20), Rgb(Fondo)), 0);
    // A picture without pixels is left alone.
    QImage nula;
    DibujarEstructura(nula, m, aj);
    QVERIFY(nula.isNull());
  }

  // Every layout puts each node below its ancestors; the separated and the
  // complete ones keep x in symmetric order, the compressed one does not.
  // A blend of two layouts of the same tree keeps what both have, within
  // the 1 px of its rounding. Random trees of every kind, sizes and
  // separations (zero included), chains deeper than the complete layout
  // takes.
  void HechosDeLasDistribuciones() {
    std::mt19937 gen(2024);
    const double ts[] = {0.0, 0.1, 0.37, 0.5, std::sqrt(0.9), 0.999999, 1.0};
    int desordenadasComprimida = 0;
    for (int caso = 0; caso < 300; ++caso) {
      const int tipo = caso % 5;
      std::unique_ptr<TArbolBin> a;
      if (caso % 37 == 0) {
        a = Cadena(40 + caso % 7, caso % 2 == 0);
      } else {
        a = Nuevo(tipo);
        Poblar(*a, 1 + static_cast<int>(gen() % 150), gen, caso % 3 == 0 ? 60 : 2000000);
      }
      const auto parametros = [&] {
        return std::array<int, 3>{static_cast<int>(gen() % 31), static_cast<int>(gen() % 13),
                                  static_cast<int>(gen() % 13)};
      };
      for (int d = 0; d < 3; ++d) {
        const auto p = parametros();
        Distribuir(*a, d, p[0], p[1], p[2]);
        const TFaltas f = Faltas(*a);
        const QString donde = QStringLiteral("case %1, layout %2, R %3, Sx %4, Sy %5")
                                  .arg(caso).arg(d).arg(p[0]).arg(p[1]).arg(p[2]);
        QVERIFY2(f.Y == 0, qPrintable(donde));
        if (d != 1)
          QVERIFY2(f.X == 0, qPrintable(donde));
        else if (f.X > 0)
          ++desordenadasComprimida;
      }
      for (int desde = 0; desde < 3; ++desde)
        for (int hasta = 0; hasta < 3; ++hasta) {
          const auto p = parametros(), q = parametros();
          Distribuir(*a, desde, p[0], p[1], p[2]);
          a->GuardarInicio();
          Distribuir(*a, hasta, q[0], q[1], q[2]);
          a->GuardarDestino();
          for (double t : ts) {
            a->Interpolar(t);
            const TFaltas f = Faltas(*a);
            const QString donde =
                QStringLiteral("case %1, layouts %2 to %3, t %4").arg(caso).arg(desde).arg(hasta).arg(t);
            QVERIFY2(f.Y <= 1, qPrintable(donde));
            if (desde != 1 && hasta != 1)
              QVERIFY2(f.X <= 1, qPrintable(donde));
          }
        }
    }
    // The reason the compressed layout is never said to keep the order.
    QVERIFY(desordenadasComprimida > 0);
  }

  // Skipping what lies outside the picture, and the subtrees that cannot
  // reach it, draws the same pixels as drawing everything, at offsets that
  // cut through nodes, edges, texts and cells, for positions of each layout
  // and of blends, with the facts that hold for them.
  void RecorteNoCambiaLaImagen_data() {
    QTest::addColumn<int>("tipo");  // 5 a right chain, 6 a left chain
    QTest::addColumn<int>("tipoGraf");
    QTest::addColumn<int>("desde");  // layouts (the same twice: no blend)
    QTest::addColumn<int>("hasta");
    QTest::addColumn<double>("t");
    // A tiny font keeps the reach of the texts short, so that a subtree
    // skipped wrongly shows at once.
    QTest::addColumn<int>("puntos");  // 0 the default font
    QTest::newRow("busqueda con texto") << 0 << 0 << 0 << 0 << 1.0 << 0;
    QTest::newRow("AVL sin texto") << 1 << 1 << 0 << 0 << 1.0 << 0;
    QTest::newRow("rojo-negro con imagenes") << 2 << 2 << 0 << 0 << 1.0 << 0;
    QTest::newRow("monticulo con vector") << 3 << 0 << 0 << 0 << 1.0 << 0;
    QTest::newRow("busqueda letra diminuta") << 0 << 0 << 0 << 0 << 1.0 << 1;
    QTest::newRow("splay comprimido") << 4 << 0 << 1 << 1 << 1.0 << 1;
    QTest::newRow("AVL completo") << 1 << 1 << 2 << 2 << 1.0 << 1;
    QTest::newRow("busqueda de separado a completo") << 0 << 0 << 0 << 2 << 0.37 << 1;
    QTest::newRow("rojo-negro de separado a comprimido") << 2 << 1 << 0 << 1 << 0.6 << 1;
    QTest::newRow("monticulo de comprimido a completo") << 3 << 0 << 1 << 2 << 0.8 << 1;
    QTest::newRow("cadena derecha") << 5 << 0 << 0 << 0 << 1.0 << 1;
    QTest::newRow("cadena izquierda comprimida") << 6 << 1 << 1 << 1 << 1.0 << 1;
    QTest::newRow("cadena derecha de completo a separado") << 5 << 0 << 2 << 0 << 0.5 << 1;
  }
  void RecorteNoCambiaLaImagen() {
    QFETCH(int, tipo);
    QFETCH(int, tipoGraf);
    QFETCH(int, desde);
    QFETCH(int, hasta);
    QFETCH(double, t);
    QFETCH(int, puntos);
    std::unique_ptr<TArbolBin> a;
    std::mt19937 gen(7);
    if (tipo >= 5) {
      a = Cadena(150, tipo == 5);
    } else {
      a = Nuevo(tipo);
      for (int i = 0; i < 150; ++i)
        a->Insertar(static_cast<std::int32_t>(gen() % 2000000) - 1000000);
      if (tipo == 3)
        for (int i = 0; i < 20; ++i)
          a->Borrar();
    }
    Distribuir(*a, desde, R, 2, 5);
    a->GuardarInicio();
    Distribuir(*a, hasta, R, 4, 9);
    a->GuardarDestino();
    a->Interpolar(t);
    int ancho = 0, alto = 0;
    RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t) {
      ancho = std::max(ancho, n->X + R);
      alto = std::max(alto, n->Y + R);
    });
    int k = 0;
    std::vector<const TNodoBin*> cerca{a->Raiz, a->Raiz->Izq, a->Raiz->Der};
    RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t) {
      n->Marcado = ++k % 7 == 0;
      if (k == 40)
        a->NodoSel = n;
      if (k % 37 == 0)
        cerca.push_back(n);
    });
    TImagenesNodos im;
    TCapasDibujo capas;
    if (tipoGraf == 2) {
      if (CarpetaImagenes().isEmpty())
        QSKIP("the picture generator is not part of this build");
      QVERIFY(im.CargarImagenes(false, QDir(CarpetaImagenes())));
      capas.Actualizar(im);
    }
    const int W = 240, H = 170;
    std::vector<QPoint> despl;
    // A grid of about 12 x 8 over the whole picture (at least 97 x 61 apart).
    const int pasoX = std::max(97, ancho / 12 | 1), pasoY = std::max(61, alto / 8 | 1);
    for (int x = -W / 2; x < ancho; x += pasoX)
      for (int y = -H / 3; y < alto; y += pasoY)
        despl.emplace_back(x, y);
    // Nodes, their texts and their edges astride every border.
    for (const TNodoBin* n : cerca) {
      if (n == nullptr)
        continue;
      const bool todos = n == a->Raiz || n->Padre == a->Raiz;
      for (int dx : {-R - 14, -R - 6, -R - 4, -R - 1, -1, 0, R - 2, R + 4, R + 6, R + 9})
        for (int dy : {-R - 6, -R - 4, 0, R + 3}) {
          if (!todos && (dx + dy) % 2 != 0)
            continue;
          despl.emplace_back(n->X + dx, n->Y + dy);
          despl.emplace_back(n->X + dx - W, n->Y + dy - H);
        }
    }
    for (const QPoint p : despl) {
      TAjustesDibujo aj;
      aj.TipoGraf = tipoGraf;
      aj.R = R;
      aj.Imagenes = &capas;
      aj.DesplX = p.x();
      aj.DesplY = p.y();
      if (puntos > 0)
        aj.Fuente.Tam = puntos;
      aj.Recortar = false;
      const QImage entera = Dibujo(*a, aj, W, H);
      aj.Recortar = true;
      const QString donde = QStringLiteral("at %1, %2").arg(p.x()).arg(p.y());
      QVERIFY2(Dibujo(*a, aj, W, H) == entera, qPrintable(donde));
      aj.YCreceHaciaAbajo = true;
      aj.XEnOrdenSimetrico = desde != 1 && hasta != 1;
      QVERIFY2(Dibujo(*a, aj, W, H) == entera, qPrintable(donde + QStringLiteral(", pruned")));
    }
  }

  // A chain of a million nodes draws without recursion, wherever it is
  // seen, the same with the subtrees skipped as with every node walked.
  void CadenaDeUnMillon() {
    for (bool aLaDerecha : {true, false}) {
      auto a = Cadena(1000000, aLaDerecha);
      const TDistribucion d = a->DistribuirSeparada(R, 2, 5);
      for (const double f : {0.0, 0.5, 1.0}) {
        const auto* n = a->Raiz;
        for (int i = 0; i < static_cast<int>(f * 999999); ++i)
          n = aLaDerecha ? n->Der : n->Izq;
        TAjustesDibujo aj;
        aj.R = R;
        aj.DesplX = n->X - 120;
        aj.DesplY = n->Y - 85;
        const QImage todo = Dibujo(*a, aj, 240, 170);
        aj.YCreceHaciaAbajo = aj.XEnOrdenSimetrico = true;
        const QImage podado = Dibujo(*a, aj, 240, 170);
        QCOMPARE(podado, todo);
        QVERIFY(Distintos(podado, podado.rect(), Rgb(ColorRGB(255, 255, 255))) > 0);
      }
      QCOMPARE(d.Alto, R + 999999 * (2 * R + 5) + R);
    }
  }

  // Positions that no layout gave (a structure changed since its last
  // layout) break the facts. Told nothing, the drawing walks every node and
  // finds the one moved into view from deep in the right subtree of a root
  // far to the right; told the facts, it would skip that subtree.
  void SinHechosSeRecorreTodo() {
    auto a = Nuevo(0);
    std::mt19937 gen(3);
    Poblar(*a, 400, gen);
    a->DistribuirSeparada(R, 2, 5);
    TNodoBin* hondo = a->Raiz->Der;
    while (hondo->Izq != nullptr || hondo->Der != nullptr)
      hondo = hondo->Der != nullptr ? hondo->Der : hondo->Izq;
    TAjustesDibujo aj;
    aj.TipoGraf = 1;
    aj.ColFon = Fondo;
    aj.R = R;
    aj.DesplX = a->Raiz->X - 2000;
    aj.DesplY = a->Raiz->Y - 40;
    hondo->X = aj.DesplX + 100;
    hondo->Y = aj.DesplY + 80;
    const QImage img = Dibujo(*a, aj, 240, 170);
    QCOMPARE(img.pixel(100, 80), Rgb(ColorRGB(255, 255, 255)));
    aj.Recortar = false;
    QCOMPARE(Dibujo(*a, aj, 240, 170), img);
    aj.Recortar = true;
    aj.XEnOrdenSimetrico = true;
    QCOMPARE(Dibujo(*a, aj, 240, 170).pixel(100, 80), Rgb(Fondo));
  }
};

QTEST_MAIN(PruebasDibujo)
#include "tst_dibujo.moc"
