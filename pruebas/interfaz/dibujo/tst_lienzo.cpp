// The canvas in the main window: offsets, scroll bars, paints, F5, status texts, failed layouts, node pictures.
#include "comun_dibujo.h"
#include "entorno.h"
#include "uArbolBST.h"

#include <QScrollBar>

#include <random>

namespace {

constexpr int R = 15, Sx = 2;

// The keys inserted, showing only the result: 1..n, or n random ones.
void Insertar(TVentPpal& v, int n, unsigned semilla = 0) {
  v.Accion(TVentPpal::cAnim1)->trigger();
  std::mt19937 gen(semilla);
  for (int i = 1; i <= n; ++i)
    v.RealizarInsercion(semilla == 0 ? i : static_cast<int>(gen() % 100000));
}
// The layout's right end (with the separation) and bottom end.
QPoint Extremo(const TArbolBin& a) {
  QPoint p(INT_MIN, INT_MIN);
  RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { p = {std::max(p.x(), n->X + R + Sx), std::max(p.y(), n->Y + R)}; });
  return p;
}

}  // namespace

class PruebasLienzo : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }
  // A canvas of w x h for the layout, with the placement, distribution and font size given.
  static void Preparar(TEntorno& e, int w, int h, int disposicion = 0, int dist = 0, int puntos = 8) {
    TFuente f = e.Pres().Fuente();
    f.Tam = puntos;
    e.Pres().PonerAjustes({0, dist, disposicion, R, Sx, 5, true, e.Pres().ColFon(), e.Pres().ColNod(), f}), e.V().Lienzo().PonerTamano({w, h});
  }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }
  // With the root fixed a tree that fits has its root at the top, and a chain is not cut by the edges.
  void RaizFijada() {
    for (int W : {600, 200}) {
      TEntorno e(Fichero(), TEntorno::Oculto);
      TLienzo& l = e.V().Lienzo();
      Preparar(e, W, 400, 1);
      e.Llenar(W == 600 ? std::vector{50, 30, 70, 20, 40, 60, 80, 35} : std::vector{1});
      l.Distribuir();
      const int izq = -l.DesplX(), der = W - Extremo(e.V().Estructura()).x() + l.DesplX();
      QVERIFY(!l.sbHoriz()->isEnabled() && !l.sbVert()->isEnabled() && e.V().Estructura().Raiz->Y - R - l.DesplY() == 0 && izq >= 0 && der >= 0);
      QVERIFY(W == 600 || l.DesplX() == (R + Sx - W) / 2);
      e.Llenar(W == 200 ? std::vector{2, 3, 4, 5, 6} : std::vector<int>{});
      l.Distribuir();
      QVERIFY(W == 600 || (!l.sbHoriz()->isEnabled() && Extremo(e.V().Estructura()).x() - l.DesplX() == W && e.V().Estructura().Raiz->X - R - l.DesplX() >= 0));
    }
  }
  // Larger than the canvas: bar ranges and pages; scrolling moves the picture; a new layout keeps the offset;
  // smaller: centred both ways.
  void ArbolMayorQueElLienzo() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    const int W = 300, H = 250;
    Preparar(e, W, H);
    Insertar(v, 40, 3);
    l.Distribuir();
    int ancho = Extremo(v.Estructura()).x(), alto = Extremo(v.Estructura()).y();
    QVERIFY(l.sbHoriz()->isEnabled() && l.sbHoriz()->maximum() == ancho - W + 1 && l.sbHoriz()->pageStep() == W - 1 && l.DesplX() == 0);
    QVERIFY(l.sbVert()->isEnabled() && l.sbVert()->maximum() == alto - H + 1 && l.sbVert()->pageStep() == H - 1);
    l.Dibujar();
    const QImage antes = l.Imagen();
    l.sbHoriz()->setValue(200);
    QVERIFY(l.DesplX() == 200 && l.Imagen().copy(0, 0, W - 200, H) == antes.copy(200, 0, W - 200, H));
    Insertar(v, 1, 5);
    l.Distribuir();
    QVERIFY(l.DesplX() == 200 && l.sbHoriz()->value() == 200);
    ancho = Extremo(v.Estructura()).x(), alto = Extremo(v.Estructura()).y();
    l.sbHoriz()->setValue(l.sbHoriz()->maximum()), l.sbVert()->setValue(l.sbVert()->maximum());
    QCOMPARE(l.DesplX(), ancho - W + 1);
    l.Distribuir();
    QVERIFY(l.DesplX() == ancho - W - 1 && l.sbHoriz()->value() == ancho - W - 1 && l.DesplY() == alto - H - 1);
    l.PonerTamano({ancho + 50, alto + 31});
    l.Distribuir();
    QVERIFY(!l.sbHoriz()->isEnabled() && !l.sbVert()->isEnabled() && l.DesplX() == -25 && l.DesplY() == -15);
  }
  // The area shows the picture drawn for its size; F5 cycles the layouts, during an operation too.
  void PintadoYF5() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    e.Llenar({50, 30, 70});
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QTRY_COMPARE_WITH_TIMEOUT(v.Lienzo().Imagen().size(), v.Lienzo().Area()->size(), 10000);
    QCOMPARE(v.Lienzo().Area()->grab().toImage().convertToFormat(QImage::Format_RGB32), v.Lienzo().Imagen());
    e.Pres().PonerDistribucion(2);
    e.Bloquear();
    for (const auto& [dist, sx] : {std::pair{0, 4}, {1, 7}, {0, 4}}) {
      v.Accion(TVentPpal::cComprimir)->trigger();
      QVERIFY(e.Pres().TipoDist() == dist && e.Pres().NodoSx() == sx && v.Estructura().SepX == sx);
    }
  }
  void TextosDeEstado() {
    const QLocale antes, es(QLocale::Spanish, QLocale::Spain), en(QLocale::English, QLocale::UnitedStates);
    for (const auto& [local, n, textos] : {std::tuple{es, 0, "n = 0|lg(n) = 0|h = 0|op. prom. = 0,00"}, {en, 8, "n = 8|lg(n) = 3.000|h = 8|op. prom. = 4.50"},
                                           {es, 2001, "n = 2001|lg(n) = 10,967|h = 2001|op. prom. = 1001,00"}}) {
      QLocale::setDefault(local);
      TEntorno e(Fichero(), TEntorno::Oculto);
      Insertar(e.V(), n);
      e.V().ActualizarEstado();
      QLocale::setDefault(antes);
      QCOMPARE(QStringList({e.V().Paneles()[0]->text(), e.V().Paneles()[1]->text(), e.V().Paneles()[2]->text(), e.V().Paneles()[3]->text()}).join('|'), textos);
    }
  }
  // A count that disagrees with the nodes: one message (again after a good layout), nothing moved.
  void DistribucionFallidaSeAvisaUnaVez() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    auto a = std::make_unique<TArbolBST>();
    for (int x : {50, 30, 70})
      a->Insertar(x);
    a->NumNodos = 5;
    v.PonerEstructura(std::move(a));
    Preparar(e, 400, 300);
    v.Refrescar();
    const QImage antes = v.Lienzo().Imagen();
    for (const auto& [dist, mensajes] : {std::pair{1, 1}, {1, 1}, {0, 1}, {1, 2}}) {
      e.Pres().PonerDistribucion(dist);
      v.Refrescar();
      QVERIFY(e.Mensajes().size() == mensajes && v.Lienzo().Imagen() == antes);
    }
    QCOMPARE(e.Mensajes().first(), QStringLiteral("Numero de elementos erroneo!"));
  }
  // In image mode the window's picture is the drawing of its set, tinted first for a new background.
  void ImagenesEnLaVentana() {
    for (bool modo8 : {false, true}) {
      const QString antes = QDir::currentPath();
      QVERIFY(QDir::setCurrent(CarpetaImagenes()));
      TEntorno e(Fichero(), TEntorno::Oculto, modo8 ? 256 : -1);
      QDir::setCurrent(antes);
      TVentPpal& v = e.V();
      const TColor azul = ColorRGB(0, 0, 255);
      e.Pres().PonerAjustes({2, 0, 0, R, Sx, 5, true, azul, e.Pres().ColNod(), e.Pres().Fuente()});
      e.Pres().FondoCambiado = true;
      e.Llenar({5});
      v.Lienzo().PonerTamano({200, 150});
      v.Refrescar();
      TImagenesNodos tintado;
      TCapasDibujo capas;
      QVERIFY(tintado.CargarImagenes(modo8, QDir(CarpetaImagenes())) && v.Modo8Bits() == modo8 && v.HayImagenes() && !e.Pres().FondoCambiado);
      tintado.TintarSombras(azul), capas.Actualizar(tintado);
      TAjustesDibujo aj;
      aj.TipoGraf = 2, aj.ColFon = azul, aj.Fuente = e.Pres().Fuente(), aj.Imagenes = &capas, aj.DesplX = v.Lienzo().DesplX(), aj.DesplY = v.Lienzo().DesplY();
      QVERIFY(v.Lienzo().Imagen() == Dibujo(v.Estructura(), aj, 200, 150));
    }
  }
  // What the window lets the drawing skip never shows: over each layout, a node moved while locked, after a motion.
  void NadaOmitidoSeVeria() {
    for (int dist : {0, 1, 2}) {
      TEntorno e(Fichero(), TEntorno::Oculto);
      TVentPpal& v = e.V();
      TLienzo& l = v.Lienzo();
      const int W = 300, H = 200;
      Preparar(e, W, H, 0, dist, 1);  // a tiny font: the texts reach little past their nodes
      Insertar(v, 300, 11);
      v.Refrescar();
      const auto entero = [&](int pasos) {  // over a grid of offsets: 4 x 4 across the bars, or 1 x 1 at their start
        bool igual = true;
        for (int i = 0; i < pasos * pasos; ++i) {
          l.sbHoriz()->setValue(l.sbHoriz()->maximum() * (i % pasos) / 3), l.sbVert()->setValue(l.sbVert()->maximum() * (i / pasos) / 3);
          TAjustesDibujo a;
          a.ColFon = e.Pres().ColFon(), a.Fuente = e.Pres().Fuente(), a.DesplX = l.DesplX(), a.DesplY = l.DesplY(), a.Recortar = false;
          igual = igual && Dibujo(v.Estructura(), a, W, H) == l.Imagen();
        }
        return igual;
      };
      QVERIFY(entero(4) && entero(1));
      TNodoBin* hondo = v.Estructura().Raiz->Der;
      RecorrerPreorden(hondo, [&](TNodoBin* n, std::int32_t) { hondo = n->Y > hondo->Y ? n : hondo; });
      QVERIFY(v.Estructura().Raiz->X - l.DesplX() > W + 100 && hondo->Padre->Y - l.DesplY() > H + 100);
      e.Bloquear();
      hondo->X = l.DesplX() + W / 2, hondo->Y = l.DesplY() + H / 2;
      l.Dibujar();
      QVERIFY(l.Imagen().pixel(W / 2, H / 2 - R / 2) == Rgb(ColorRGB(255, 255, 255)) && entero(1));
      l.AcabarMovimiento();
      v.Refrescar();
      QVERIFY(entero(1));
      Ajustar(v, [](TOpciones& o) { o.PausaAnim = 20, o.PausaNumEtap = 2; });
      v.IniciarAnimacion();
      e.Pres().PonerDistribucion((dist + 1) % 3);
      v.Refrescar();
      QTRY_VERIFY_WITH_TIMEOUT(!l.EnMovimiento(), 10000);
      QVERIFY2(entero(4), qPrintable(QStringLiteral("after the motion to layout %1").arg((dist + 1) % 3)));
    }
  }
};

QTEST_MAIN(PruebasLienzo)
#include "tst_lienzo.moc"
