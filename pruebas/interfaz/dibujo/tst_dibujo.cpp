// The drawing of a structure onto a picture, checked on its pixels: node
// fills and outlines, edges, texts and the kinds' figures, the node pictures
// of both display depths, the removal frames, the heap's vector row, that
// skipping what lies outside the picture changes nothing, and the facts
// about the layouts' positions that let whole subtrees be skipped.
#include "carpeta_imagenes.h"
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
#include <limits>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int R = 15;
constexpr TColor Fondo = ColorRGB(0x10, 0x20, 0x30);

QRgb Rgb(TColor c) { return ColorQt(c).rgb(); }
const QRgb Blanco = Rgb(ColorRGB(255, 255, 255));

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

// Pixels other than c outside the region.
int DistintosFuera(const QImage& img, const QRegion& r, QRgb c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      n += img.pixel(x, y) != c && !r.contains(QPoint(x, y)) ? 1 : 0;
  return n;
}

// The font the drawing uses for a setting, to find where its texts go.
QFontMetrics Metricas(const TFuente& f, int puntos, const QImage& img) {
  QFont q(f.Nombre);
  q.setPointSize(std::max(1, puntos));
  q.setBold(f.Negrita);
  q.setItalic(f.Cursiva);
  return QFontMetrics(q, &img);
}
// Where a node's text is written when centred on (cx, cy), with a margin.
QRect RectTexto(const TFuente& f, const QImage& img, const QString& texto, int cx, int cy) {
  const QFontMetrics fm = Metricas(f, f.Tam, img);
  const int w = fm.horizontalAdvance(texto);
  return QRect(cx - w / 2 - 2, cy - fm.height() / 2 - 1, w + 4, fm.height() + 2);
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

// The values inserted, nothing selected, laid out separated.
std::unique_ptr<TArbolBin> Arbol(int tipo, std::initializer_list<int> valores) {
  auto a = Nuevo(tipo);
  for (int v : valores)
    a->Insertar(v);
  a->Deseleccionar();
  a->DistribuirSeparada(R, 2, 5);
  return a;
}

// A loaded node image set and its drawing layers.
struct TConjunto {
  bool Cargar(bool modo8, const QString& carpeta = CarpetaImagenes()) {
    const bool ok = Im.CargarImagenes(modo8, QDir(carpeta));
    Capas.Actualizar(Im);
    return ok;
  }
  TImagenesNodos Im;
  TCapasDibujo Capas;
};

// The colour a stamped square shows at (x, y) of its own: a pixel inside a
// figure (its hole clears it) shows the picture's colour, in 8-bit sets
// through the palette; every other pixel keeps what lay beneath.
struct TEstampa {
  const QImage& Hueco;
  const QImage& Imagen;
  bool Dentro(int x, int y) const {
    return Hueco.depth() == 8 ? Hueco.pixelIndex(x, y) == 0 : (Hueco.pixel(x, y) & 0xFFFFFF) == 0;
  }
};

// Compares the square of side S at (x0, y0) with the stamps laid in order
// on the background, skipping the pixels of "salvo".
void ComprobarCuadro(const QImage& img, int x0, int y0, int S, const std::vector<TEstampa>& estampas,
                     const QRegion& salvo) {
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      QRgb esperado = Rgb(Fondo);
      for (const TEstampa& e : estampas)
        if (e.Dentro(x, y))
          esperado = e.Imagen.pixel(x, y) | 0xFF000000u;
      if (!salvo.contains(QPoint(x0 + x, y0 + y)) && img.pixel(x0 + x, y0 + y) != esperado)
        QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) of the square: %3, expected %4")
                             .arg(x).arg(y).arg(img.pixel(x0 + x, y0 + y), 8, 16).arg(esperado, 8, 16)));
    }
}

// n random insertions, then a fifth as many removals.
void Poblar(TArbolBin& a, int n, std::mt19937& gen, int rango = 2000000) {
  std::vector<std::int32_t> claves;
  for (int i = 0; i < n; ++i) {
    claves.push_back(static_cast<std::int32_t>(gen() % static_cast<unsigned>(rango)) - rango / 2);
    a.Insertar(claves.back());
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
  for (const TNodoBin* n = a.Raiz; n != nullptr || !pila.empty(); n = n->Der) {
    for (; n != nullptr; n = n->Izq)
      pila.push_back(n);
    n = pila.back();
    pila.pop_back();
    if (maxX != INT64_MIN)
      f.X = std::max(f.X, maxX - n->X);
    maxX = std::max<std::int64_t>(maxX, n->X);
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
    (ultimo == nullptr ? a->Raiz : aLaDerecha ? ultimo->Der : ultimo->Izq) = nuevo;
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
    auto a = Arbol(rojoNegro ? 2 : 0, {8});
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
    // far ones excluded; nothing is drawn outside them.
    for (const QPoint p : {QPoint(cx - R, cy), QPoint(cx + R - 1, cy), QPoint(cx, cy - R), QPoint(cx, cy + R - 1)})
      QCOMPARE(img.pixel(p), Rgb(contorno));
    QCOMPARE(Distintos(img, img.rect(), Rgb(Fondo)), Distintos(img, QRect(cx - R, cy - R, 2 * R, 2 * R), Rgb(Fondo)));
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
    auto a = Arbol(0, {50, 30, 70});
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
    auto a = Arbol(0, {88});
    const int cx = 60, cy = 50;
    TAjustesDibujo aj = AjustesCentro(a->Raiz, cx, cy, tipoGraf);
    aj.Fuente.Color = ColorRGB(0, 0, 255);
    const QImage img = Dibujo(*a, aj);
    const QRect interior(cx - 10, cy - 10, 20, 20);  // inside the circle
    QRect tinta;  // the bluish pixels
    for (int y = interior.top(); y <= interior.bottom(); ++y)
      for (int x = interior.left(); x <= interior.right(); ++x)
        if (qBlue(img.pixel(x, y)) > qRed(img.pixel(x, y)) + 60)
          tinta |= QRect(x, y, 1, 1);
    QCOMPARE(!tinta.isEmpty(), texto);
    if (!texto) {
      QCOMPARE(Distintos(img, interior, Blanco), 0);
      return;
    }
    // The ink is centred on the node.
    const QString donde =
        QStringLiteral("ink %1..%2, %3..%4").arg(tinta.left()).arg(tinta.right()).arg(tinta.top()).arg(tinta.bottom());
    QVERIFY2(std::abs(tinta.left() + tinta.right() - 2 * cx) <= 3, qPrintable(donde));
    QVERIFY2(std::abs(tinta.top() + tinta.bottom() - 2 * cy) <= 4, qPrintable(donde));
    // Without a usable image set the mode "Imágenes" draws as "Dibujos y texto".
    if (tipoGraf == 2) {
      TAjustesDibujo cero = aj;
      cero.TipoGraf = 0;
      TCapasDibujo vacias;
      aj.Imagenes = &vacias;
      QCOMPARE(Dibujo(*a, aj), Dibujo(*a, cero));
    }
  }

  // The balance factor and the black height touch the upper right of the
  // circle, a heap position sits just below it; a plain node has neither.
  // Nothing else is drawn beyond the circle.
  void CifrasDeCadaTipo_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<bool>("derecha");
    QTest::addColumn<bool>("debajo");
    QTest::newRow("busqueda") << 0 << false << false;
    QTest::newRow("AVL") << 1 << true << false;
    QTest::newRow("rojo-negro") << 2 << true << false;
    QTest::newRow("monticulo") << 3 << false << true;
  }
  void CifrasDeCadaTipo() {
    QFETCH(int, tipo);
    QFETCH(bool, derecha);
    QFETCH(bool, debajo);
    auto a = Arbol(tipo, {5});
    const int cx = 80, cy = 40;
    const QImage img = Dibujo(*a, AjustesCentro(a->Raiz, cx, cy, 0), 160, 200);
    const int h = Metricas(TFuente(), 8, img).height(), d = R * 181 / 256;
    const QRect arribaDerecha(cx + d + 2, cy - d - 1 - h, 14, h), abajo(cx - 7, cy + R, 14, h + 2);
    QCOMPARE(Distintos(img, arribaDerecha, Rgb(Fondo)) > 0, derecha);
    QCOMPARE(Distintos(img, abajo, Rgb(Fondo)) > 0, debajo);
    const QRect fila(0, 120, 160, 80);  // a heap's vector row
    QCOMPARE(DistintosFuera(img, QRegion(cx - R, cy - R, 2 * R, 2 * R) + arribaDerecha + abajo + fila, Rgb(Fondo)), 0);
  }

  // A plain node, a red and a black red-black node, each selected,
  // highlighted and normal, with and without shadows: the square holds the
  // stamps exactly, and nothing else is drawn but the texts.
  void ImagenesEstampanLasCapas() {
    SALTAR_SIN_IMAGENES();
    for (bool modo8 : {false, true}) {
      TConjunto c;
      QVERIFY(c.Cargar(modo8));
      const TImagenesNodos& im = c.Im;
      const int S = im.TamImg(), rad = im.RadImg(), cx = 60, cy = 50;
      for (int t = 0; t < 3; ++t)
        for (int s = 0; s < 3; ++s)
          for (bool sombras : {false, true}) {
            auto a = Arbol(t == 0 ? 0 : 2, {5});
            if (t > 0)
              static_cast<TNodoRN*>(a->Raiz)->Color = t == 1 ? 0 : 1;
            a->NodoSel = s == 0 ? a->Raiz : nullptr;
            a->Raiz->Marcado = s == 1;
            TAjustesDibujo aj = AjustesCentro(a->Raiz, cx, cy, 2);
            aj.R = 40;  // not the pictures' radius
            aj.Sombras = sombras;
            aj.Imagenes = &c.Capas;
            const QImage img = Dibujo(*a, aj);
            std::vector<TEstampa> estampas;
            if (sombras)
              estampas.push_back({im.Capa(t, s, 3), im.Capa(t, s, 1)});
            estampas.push_back({im.Capa(t, s, 2), im.Capa(t, s, 0)});
            const QRect cuadro(cx - rad, cy - rad, S, S);
            // The key and the red-black figure stay on the picture's own
            // circle, though R is not its radius.
            const int h = Metricas(aj.Fuente, 8, img).height(), d = rad * 181 / 256;
            const QRect figura(cx + d, cy - d - h - 2, 14, h + 2);
            ComprobarCuadro(img, cuadro.x(), cuadro.y(), S, estampas,
                            QRegion(RectTexto(aj.Fuente, img, "5", cx, cy)) + figura);
            if (QTest::currentTestFailed())
              QFAIL(qPrintable(QStringLiteral("8 bits %1, kind %2, state %3, shadows %4")
                                   .arg(modo8).arg(t).arg(s).arg(sombras)));
            QCOMPARE(DistintosFuera(img, QRegion(cuadro) + figura, Rgb(Fondo)), 0);
          }
    }
  }

  // A removed node plays frame (F - 1) x PasoAnim div PausaNumEtap of the
  // sequence; steps beyond the last keep the last frame. In the drawings
  // only its number is left.
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
    SALTAR_SIN_IMAGENES();
    TConjunto c;
    QVERIFY(c.Cargar(false));
    QCOMPARE(c.Im.NumFrames(), 10);
    TArbolBST a;
    a.NodoBorrado = a.CrearNodo(7, nullptr, nullptr, nullptr);
    a.NodoBorrado->X = 300;
    a.NodoBorrado->Y = 200;
    const int cx = 60, cy = 50;
    TAjustesDibujo aj = AjustesCentro(a.NodoBorrado, cx, cy, 2);
    aj.Imagenes = &c.Capas;
    aj.PasoAnim = paso;
    aj.PausaNumEtap = pasos;
    const QImage img = Dibujo(a, aj);
    const QRect texto = RectTexto(aj.Fuente, img, QStringLiteral("7"), cx, cy);
    ComprobarCuadro(img, cx - c.Im.RadImg(), cy - c.Im.RadImg(), c.Im.TamImg(),
                    {{c.Im.MascSecuencia(frame), c.Im.ImgSecuencia(frame)}}, texto);
    aj.TipoGraf = 0;
    const QImage dibujo = Dibujo(a, aj);
    QVERIFY(Distintos(dibujo, texto, Rgb(Fondo)) > 0);
    QCOMPARE(Distintos(dibujo, dibujo.rect(), Rgb(Fondo)), Distintos(dibujo, texto, Rgb(Fondo)));
  }

  // A sequence narrower than one cell gives no frame: the removed node then
  // shows only its number, as in the drawings.
  void NodoBorradoSinFrames() {
    SALTAR_SIN_IMAGENES();
    QTemporaryDir dir;
    for (const char* n : {"Nodos.bmp", "NodosR.bmp", "NodosN.bmp", "MaskNor.bmp", "MaskFon.bmp"})
      QVERIFY(QFile::copy(QDir(CarpetaImagenes()).filePath(n), QDir(dir.path()).filePath(n)));
    QImage estrecha(10, 32, QImage::Format_RGB32);
    estrecha.fill(Qt::red);
    QVERIFY(estrecha.save(QDir(dir.path()).filePath(QStringLiteral("Secuencia.bmp")), "BMP"));
    TConjunto c;
    QVERIFY(c.Cargar(false, dir.path()));
    QCOMPARE(c.Im.NumFrames(), 0);
    TArbolBST a;
    a.NodoBorrado = a.CrearNodo(7, nullptr, nullptr, nullptr);
    TAjustesDibujo aj = AjustesCentro(a.NodoBorrado, 60, 50, 2);
    aj.Imagenes = &c.Capas;
    aj.PasoAnim = 5;
    TAjustesDibujo dibujo = aj;
    dibujo.TipoGraf = 0;
    QCOMPARE(Dibujo(a, aj), Dibujo(a, dibujo));
  }

  // The node pictures follow the set: re-tinted shadows are stamped at the
  // next drawing, unchanged layers are not taken again.
  void CapasSiguenAlConjunto() {
    SALTAR_SIN_IMAGENES();
    TConjunto c;
    QVERIFY(c.Cargar(false));
    const qint64 nodo = c.Capas.Capa(0, 2, 0).cacheKey();
    QCOMPARE(nodo, c.Im.Capa(0, 2, 0).cacheKey());  // a 32-bit set is shared, not copied
    c.Im.TintarSombras(ColorRGB(0, 0, 255));
    c.Capas.Actualizar(c.Im);
    QCOMPARE(c.Capas.Capa(0, 2, 0).cacheKey(), nodo);
    QCOMPARE(c.Capas.Capa(0, 2, 1).cacheKey(), c.Im.Capa(0, 2, 1).cacheKey());

    QVERIFY(c.Cargar(true));
    const qint64 convertida = c.Capas.Capa(1, 0, 0).cacheKey();
    QCOMPARE(c.Capas.Capa(1, 0, 0).format(), QImage::Format_RGB32);
    c.Capas.Actualizar(c.Im);
    QCOMPARE(c.Capas.Capa(1, 0, 0).cacheKey(), convertida);

    c.Capas.Actualizar(TImagenesNodos());
    QVERIFY(!c.Capas.Hay());
    QVERIFY(c.Capas.Capa(0, 0, 0).isNull());
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
    aj.DesplX = -50;
    const int W = 400, H = 300, c = 2 * R;
    const QImage img = Dibujo(m, aj, W, H);
    const int izq0 = 50, arriba = H - 2 * R - 20;
    const QRgb negro = Rgb(0), rojo = Rgb(ColorRGB(255, 0, 0));
    for (int i = 0; i < 7; ++i) {
      const int izq = izq0 + i * c, medio = arriba + c / 2;
      const QRgb relleno = i >= 5 ? Blanco : i == 3 ? Rgb(ColorRGB(255, 255, 0)) : Rgb(ColorRGB(0xE7, 0xE7, 0xE7));
      QCOMPARE(img.pixel(izq + 3, arriba + 3), relleno);
      // A marked cell has 2 px of red on every side; the next cell's outline
      // covers the outer pixel of its right side.
      const int ancho = i == 1 ? 2 : 1;
      for (int k = 0; k < ancho; ++k)
        for (const QPoint p : {QPoint(izq + k, medio), QPoint(izq + c / 2, arriba + k),
                               QPoint(izq + c / 2, arriba + c - k)})
          QCOMPARE(img.pixel(p), i == 1 ? rojo : negro);
      QCOMPARE(img.pixel(izq + ancho, medio + 4), relleno);
      if (i == 1)
        QCOMPARE(img.pixel(izq + c - 1, medio), rojo);
      // The value: black in use, grey in the cells past the count; the
      // position above the cell.
      const QRect valor(izq + 3, arriba + 3, c - 5, c - 5);
      QVERIFY(Distintos(img, valor, relleno) > 0);
      QCOMPARE(Contar(img, valor, [](QRgb p) { return qGray(p) < 0x60; }) > 0, i < 5);
      QVERIFY(Distintos(img, QRect(izq, arriba - 16, c, 14), Blanco) > 0);
    }
    QCOMPARE(img.pixel(izq0 - 1, arriba + c / 2), Blanco);
    QCOMPARE(img.pixel(izq0 + 7 * c + 1, arriba + c / 2), Blanco);
    // The row follows the horizontal offset only.
    aj.DesplX += 37;
    aj.DesplY = -300;
    const QRect fila(37, arriba - 20, W - 37, H - arriba + 20);
    QCOMPARE(Dibujo(m, aj, W, H).copy(fila.translated(-37, 0)), img.copy(fila));
  }

  // Nothing but the background for an empty structure; an emptied heap
  // still shows its cells, greyed; a picture without pixels is left alone.
  void EstructuraVacia() {
    TArbolBST a;
    TAjustesDibujo aj;
    aj.ColFon = Fondo;
    QImage img = Dibujo(a, aj);
    QCOMPARE(Distintos(img, img.rect(), Rgb(Fondo)), 0);
    TMonticulo m;
    for (int v : {3, 1, 2})
      m.Insertar(v);
    for (int k = 0; k < 3; ++k)
      m.Borrar();
    QCOMPARE(m.NumNodos, 0);
    img = Dibujo(m, aj, 200, 150);
    const int arriba = 150 - 2 * R - 20, izq0 = 0;
    for (int i = 0; i < 3; ++i)
      QCOMPARE(img.pixel(izq0 + i * 2 * R + 3, arriba + 3), Blanco);
    QCOMPARE(Distintos(img, QRect(0, 0, 200, arriba - 20), Rgb(Fondo)), 0);
    QImage nula;
    DibujarEstructura(nula, m, aj);
    QVERIFY(nula.isNull());
  }

  // Every cell of a long row comes into view at some horizontal offset
  // within the width AnchoFilaVector gives the layout, and the widest value
  // stays inside its cell: just inside both sides of every cell in use, the
  // fill is untouched across the height of the text.
  void FilaDelVectorEnteraYLegible_data() {
    QTest::addColumn<int>("extremo");
    QTest::newRow("cinco cifras") << 99999;
    QTest::newRow("el menor entero") << std::numeric_limits<std::int32_t>::min();
  }
  void FilaDelVectorEnteraYLegible() {
    QFETCH(int, extremo);
    TMonticulo m;
    for (int v = 1; v <= 100; ++v)
      m.Insertar(v == 50 ? extremo : 10000 + v);
    m.DistribuirSeparada(R, 2, 5);
    TAjustesDibujo aj;
    aj.R = R;
    aj.DesplY = -100000;  // the tree far below: the row alone
    const int W = 300, H = 200, ancho = AnchoFilaVector(m, R, aj.Fuente);
    const int c = (ancho - 1) / m.MaxNodos;
    QVERIFY(c >= 2 * R);
    const QRgb amarillo = Rgb(ColorRGB(255, 255, 0)), gris = Rgb(ColorRGB(0xE7, 0xE7, 0xE7));
    const QRect banda(0, H - 2 * R - 20 - 40, W, 2 * R + 60);
    for (int i = 0; i < m.MaxNodos; ++i) {
      m.NodoSel = m.Vector[static_cast<std::size_t>(i)];
      bool vista = false;
      for (int x = 0; !vista && x <= std::max(0, ancho - W); x = x == ancho - W ? x + 1 : std::min(x + W / 2, ancho - W)) {
        aj.DesplX = x;
        const QImage img = Dibujo(m, aj, W, H);
        vista = Contar(img, banda, [&](QRgb p) { return p == amarillo; }) > 0;
      }
      QVERIFY2(vista, qPrintable(QStringLiteral("cell %1").arg(i)));
    }
    m.NodoSel = nullptr;
    const QFontMetrics fm = Metricas(aj.Fuente, aj.Fuente.Tam, QImage(1, 1, QImage::Format_RGB32));
    for (int x = 0; x < ancho; x += W - 2 * c) {
      aj.DesplX = x;
      const QImage img = Dibujo(m, aj, W, H);
      for (int i = x / c; i * c - x + c < W && i < m.MaxNodos; ++i) {
        const int izq = i * c - x, medio = H - 20 - 2 * R + R;
        if (izq < 0)
          continue;
        for (int y = medio - fm.height() / 2; y <= medio + fm.height() / 2; ++y)
          for (int k : {izq + 1, izq + c - 1})
            QVERIFY2(img.pixel(k, y) == gris, qPrintable(QStringLiteral("cell %1, row %2").arg(i).arg(y)));
      }
    }
  }

  // A key is written inside its circle, smaller when it must; one too long
  // for it even then lies over its own box, its ink within the box's
  // outline, and two such keys side by side at the default spacing keep a
  // gap of background between them.
  void ClavesLargas_data() {
    QTest::addColumn<int>("clave");
    QTest::addColumn<bool>("caja");
    QTest::newRow("cinco cifras caben") << 12345 << false;
    QTest::newRow("el menor entero") << std::numeric_limits<std::int32_t>::min() << true;
    QTest::newRow("el mayor entero") << std::numeric_limits<std::int32_t>::max() << true;
  }
  void ClavesLargas() {
    QFETCH(int, clave);
    QFETCH(bool, caja);
    const int r = 20;  // the presentation's default radius and separations
    TArbolBST a;
    for (int v : {0, clave < 0 ? 1 : -1, clave, clave < 0 ? clave + 1 : clave - 1})
      a.Insertar(v);
    a.Deseleccionar();
    const TDistribucion dist = a.DistribuirSeparada(r, 10, 10);
    TAjustesDibujo aj;
    aj.R = r;
    aj.ColFon = Fondo;
    aj.Fuente.Color = ColorRGB(0, 0, 255);
    const QImage img = Dibujo(a, aj, dist.Ancho + 40, dist.Alto + 40);
    const auto tinta = [](QRgb p) { return qBlue(p) > qRed(p) + 60; };
    const TNodoBin* n = a.Raiz;
    while (n != nullptr && n->Valor != clave)
      n = clave < n->Valor ? n->Izq : n->Der;
    QVERIFY(n != nullptr);
    int izq = img.width(), der = -1;
    for (int x = n->X - 45; x <= n->X + 45; ++x)
      if (Contar(img, QRect(x, n->Y - 3, 1, 7), tinta) > 0) {
        izq = std::min(izq, x);
        der = std::max(der, x);
      }
    QVERIFY(der >= 0);
    if (!caja) {
      QVERIFY(izq > n->X - r && der < n->X + r);
      return;
    }
    // The box's outline brackets the ink on the key's row.
    QCOMPARE(Contar(img, QRect(n->X - r - 30, n->Y, izq - (n->X - r - 30), 1), [](QRgb p) { return p == 0xFF000000u; }) > 0, true);
    QCOMPARE(Contar(img, QRect(der + 1, n->Y, 8, 1), [](QRgb p) { return p == 0xFF000000u; }) > 0, true);
    // The sibling on the same level: a column of plain background between.
    const TNodoBin* otro = n->Padre->Izq == n ? n->Padre->Der : n->Padre->Izq;
    QVERIFY(otro != nullptr && otro->Y == n->Y);
    bool hueco = false;
    for (int x = std::min(n->X, otro->X); x < std::max(n->X, otro->X) && !hueco; ++x)
      hueco = Distintos(img, QRect(x, n->Y - 8, 1, 17), Rgb(Fondo)) == 0;
    QVERIFY(hueco);
  }

  // Every layout puts each node below its ancestors; the separated and the
  // complete ones keep x in symmetric order, the compressed one does not.
  // A blend of two layouts of the same tree (t 0 and 1 give the layouts
  // themselves) keeps what both have, within the 1 px of its rounding.
  // Random trees of every kind, sizes and separations (zero included),
  // chains deeper than the complete layout takes.
  void HechosDeLasDistribuciones() {
    std::mt19937 gen(2024);
    int desordenadasComprimida = 0;
    const auto distribuir = [&](TArbolBin& a, int d) {
      Distribuir(a, d, static_cast<int>(gen() % 31), static_cast<int>(gen() % 13), static_cast<int>(gen() % 13));
    };
    for (int caso = 0; caso < 300; ++caso) {
      std::unique_ptr<TArbolBin> a;
      if (caso % 37 == 0) {
        a = Cadena(40 + caso % 7, caso % 2 == 0);
      } else {
        a = Nuevo(caso % 5);
        Poblar(*a, 1 + static_cast<int>(gen() % 150), gen, caso % 3 == 0 ? 60 : 2000000);
      }
      for (int desde = 0; desde < 3; ++desde)
        for (int hasta = 0; hasta < 3; ++hasta) {
          distribuir(*a, desde);
          a->GuardarInicio();
          distribuir(*a, hasta);
          a->GuardarDestino();
          for (double t : {0.0, 0.1, 0.37, 0.5, std::sqrt(0.9), 0.999999, 1.0}) {
            a->Interpolar(t);
            const TFaltas f = Faltas(*a);
            const QString donde =
                QStringLiteral("case %1, layouts %2 to %3, t %4").arg(caso).arg(desde).arg(hasta).arg(t);
            QVERIFY2(f.Y <= 1, qPrintable(donde));
            QVERIFY2(desde == 1 || hasta == 1 || f.X <= 1, qPrintable(donde));
            desordenadasComprimida += desde == 1 && hasta == 1 && f.X > 1;
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
    TConjunto c;
    if (tipoGraf == 2) {
      SALTAR_SIN_IMAGENES();
      QVERIFY(c.Cargar(false));
    }
    std::unique_ptr<TArbolBin> a;
    std::mt19937 gen(7);
    if (tipo >= 5) {
      a = Cadena(150, tipo == 5);
    } else {
      a = Nuevo(tipo);
      for (int i = 0; i < 150; ++i)
        a->Insertar(static_cast<std::int32_t>(gen() % 2000000) - 1000000);
      for (int i = 0; tipo == 3 && i < 20; ++i)
        a->Borrar();
    }
    Distribuir(*a, desde, R, 2, 5);
    a->GuardarInicio();
    Distribuir(*a, hasta, R, 4, 9);
    a->GuardarDestino();
    a->Interpolar(t);
    int ancho = 0, alto = 0, k = 0;
    std::vector<const TNodoBin*> cerca{a->Raiz, a->Raiz->Izq, a->Raiz->Der};
    RecorrerPreorden(a->Raiz, [&](TNodoBin* n, std::int32_t) {
      ancho = std::max(ancho, n->X + R);
      alto = std::max(alto, n->Y + R);
      n->Marcado = ++k % 7 == 0;
      if (k == 40)
        a->NodoSel = n;
      if (k % 37 == 0)
        cerca.push_back(n);
    });
    const int W = 240, H = 170;
    std::vector<QPoint> despl;
    // A grid of about 12 x 8 over the whole picture (at least 97 x 61 apart).
    const int pasoX = std::max(97, ancho / 12 | 1), pasoY = std::max(61, alto / 8 | 1);
    for (int x = -W / 2; x < ancho; x += pasoX)
      for (int y = -H / 3; y < alto; y += pasoY)
        despl.emplace_back(x, y);
    // Nodes, their texts and their edges astride every border.
    for (const TNodoBin* n : cerca) {
      const bool todos = n != nullptr && (n == a->Raiz || n->Padre == a->Raiz);
      for (int dx : {-R - 14, -R - 6, -R - 4, -R - 1, -1, 0, R - 2, R + 4, R + 6, R + 9})
        for (int dy : {-R - 6, -R - 4, 0, R + 3})
          if (n != nullptr && (todos || (dx + dy) % 2 == 0)) {
            despl.emplace_back(n->X + dx, n->Y + dy);
            despl.emplace_back(n->X + dx - W, n->Y + dy - H);
          }
    }
    for (const QPoint p : despl) {
      TAjustesDibujo aj;
      aj.TipoGraf = tipoGraf;
      aj.R = R;
      aj.Imagenes = &c.Capas;
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
      QCOMPARE(a->DistribuirSeparada(R, 2, 5).Alto, R + 999999 * (2 * R + 5) + R);
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
        QVERIFY(Distintos(podado, podado.rect(), Blanco) > 0);
      }
    }
  }
};

QTEST_MAIN(PruebasDibujo)
#include "tst_dibujo.moc"
