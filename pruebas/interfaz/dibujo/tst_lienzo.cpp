// The canvas in the main window: offsets, scroll bars, paints, F5, status texts, failed layouts, node pictures; zoom,
// fit, clicks and drags at any zoom.
#include "comun_dibujo.h"
#include "entorno.h"
#include "uArbolBST.h"
#include "uGrabacion.h"

#include <QScrollBar>

#include <random>
#include <set>

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

// A search tree of n random keys (or 1..n with seed 0) in place, shown in a window resized to 500 x 400.
void Poner(TVentPpal& v, int n, unsigned semilla) {
  v.resize(500, 400);
  QApplication::setActiveWindow(&v);
  QVERIFY(QTest::qWaitForWindowActive(&v));
  QTRY_COMPARE_WITH_TIMEOUT(v.Lienzo().Imagen().size(), v.Lienzo().Area()->size(), 10000);
  auto a = std::make_unique<TArbolBST>();
  std::mt19937 gen(semilla);
  for (int i = 1; i <= n; ++i) a->Insertar(semilla == 0 ? i : static_cast<int>(gen() % 100000));
  v.PonerEstructura(std::move(a));
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
  // Ctrl+0: the whole layout inside the view, as large as it can be up to 400 %, the levels of a wide tree apart;
  // Ctrl+1: 100 %. Rows: a wide tree, a chain, one node.
  void AjusteYTamanoReal() {
    for (const auto& [n, semilla] : {std::pair{300, 7u}, {150, 0u}, {1, 0u}}) {
      TEntorno e(Fichero());
      TVentPpal& v = e.V();
      TLienzo& l = v.Lienzo();
      Poner(v, 1, 0);
      const int W = l.Area()->width(), H = l.Area()->height();
      Preparar(e, W, H);
      Poner(v, n, semilla);
      QTest::keyClick(v.edtValor(), Qt::Key_0, Qt::ControlModifier);
      const QPoint fin = Extremo(v.Estructura());
      const double ex = l.EscalaX(), ey = l.EscalaY();
      QVERIFY(fin.x() * ex <= W + 0.5 && fin.y() * ey <= H + 0.5 && (l.Zoom() == 4.0 || fin.x() * ex >= W - 1 || fin.y() * ey >= H - 1));
      QVERIFY(ey >= std::min(1.0, double(H) / fin.y()) - 1e-9 && (n == 1) == (ex == 4.0) && !l.sbHoriz()->isEnabled() && !l.sbVert()->isEnabled());
      RecorrerPreorden(v.Estructura().Raiz, [&](TNodoBin* m, std::int32_t) {
        const QPoint p = l.PuntoEnArea(m->X, m->Y);
        QVERIFY(p.x() - R * ex >= -1 && p.x() + R * ex <= W + 1 && p.y() - R * ex >= -1 && p.y() + R * ex <= H + 1);
      });
      QVERIFY(v.PanelZoom()->text().startsWith("Zoom: ") && v.PanelZoom()->text().endsWith(" % (ajustado)"));
      QTest::keyClick(v.edtValor(), Qt::Key_1, Qt::ControlModifier);
      QVERIFY(l.Zoom() == 1.0 && l.EscalaY() == 1.0 && v.PanelZoom()->text() == "Zoom: 100 %");
      for (const auto& [tecla, zoom] : {std::pair{Qt::Key_Plus, 1.25}, {Qt::Key_Minus, 1.0}, {Qt::Key_Minus, 0.8}}) {
        QTest::keyClick(v.edtValor(), tecla, Qt::ControlModifier);
        QVERIFY(std::abs(l.Zoom() - std::max(zoom, l.ZoomMinimo())) < 1e-9);
      }
    }
  }
  // Ctrl+wheel zooms around the mouse, by notches of angle or of pixels, stopping at 100 % on the way; the plain wheel
  // does not zoom.
  void RuedaAlrededorDelRaton() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    Poner(v, 300, 7);
    const QRect medio(l.Area()->width() / 4, l.Area()->height() / 3, l.Area()->width() / 2, l.Area()->height() / 3);
    const TNodoBin* n = RecorrerPreorden(v.Estructura().Raiz, [&](TNodoBin* m, std::int32_t) { return medio.contains(l.PuntoEnArea(m->X, m->Y)); });
    const QPoint p = l.PuntoEnArea(n->X, n->Y);
    const auto C = Qt::ControlModifier;
    for (const auto& [angulo, pixeles, teclas, zoom] : {std::tuple{120, 0, C, 1.25}, {0, 120, C, 1.5625}, {0, 60, Qt::NoModifier, 1.5625}, {-360, 0, C, 1.0}}) {
      QWheelEvent ev(p, l.Area()->mapToGlobal(p), QPoint(0, pixeles), QPoint(0, angulo), Qt::NoButton, teclas, Qt::NoScrollPhase, false);
      QApplication::sendEvent(l.Area(), &ev);
      QVERIFY(std::abs(l.Zoom() - zoom) < 1e-9 && (l.PuntoEnArea(n->X, n->Y) - p).manhattanLength() <= 3 && l.sbHoriz()->value() == l.DesplX());
    }
  }
  // A click at a node's drawn centre selects it, just outside its drawn circle it does not, at any zoom.
  void PulsacionEnLoDibujado() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    Poner(v, 60, 3);
    std::set<const TNodoBin*> usadas;
    for (double z : {0.0, 0.5, 1.0, 2.0, 4.0}) {
      z == 0.0 ? v.Accion(TVentPpal::cAjustarZoom)->trigger() : l.PonerZoom(z);
      QVERIFY(z == 0.0 ? l.Zoom() < 0.5 : l.Zoom() == z);
      const int r = std::max(3, static_cast<int>(std::lround(R * l.EscalaX())));
      QPoint p;
      const TNodoBin* hoja = RecorrerPreorden(v.Estructura().Raiz, [&](TNodoBin* n, std::int32_t) {
        p = l.PuntoEnArea(n->X, n->Y);
        return !n->Izq && !n->Der && !usadas.count(n) && l.Area()->rect().contains(p) && l.Area()->rect().contains(p + QPoint(0, r + 2));
      });
      QVERIFY(hoja && usadas.insert(hoja).second);
      QTest::mouseClick(l.Area(), Qt::LeftButton, {}, p + QPoint(0, r + 1));
      QVERIFY(v.Estructura().NodoSel != hoja);
      QTest::mouseClick(l.Area(), Qt::LeftButton, {}, p);
      QCOMPARE(v.Estructura().NodoSel, hoja);
    }
  }
  // The middle button anywhere and the left one off the nodes drag the view, the bars following; the zoom stays
  // through an insertion with motion.
  void ArrastreYZoomConservado() {
    TEntorno e(Fichero());
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    Poner(v, 300, 7);
    l.PonerZoom(2.0);
    l.sbHoriz()->setValue(l.sbHoriz()->maximum() / 2), l.sbVert()->setValue(l.sbVert()->maximum() / 2);
    const TNodoBin* n = RecorrerPreorden(v.Estructura().Raiz, [&](TNodoBin* m, std::int32_t) { return l.Area()->rect().contains(l.PuntoEnArea(m->X, m->Y)); });
    QPoint vacio(5, 5);  // no node drawn near it
    while (RecorrerPreorden(v.Estructura().Raiz, [&](TNodoBin* m, std::int32_t) { return QLineF(l.PuntoEnArea(m->X, m->Y), vacio).length() <= 2 * R + 2; })) vacio += QPoint(5, 3);
    for (const auto& [boton, desde] : {std::pair{Qt::MiddleButton, l.PuntoEnArea(n->X, n->Y)}, {Qt::LeftButton, vacio}}) {
      const int x0 = l.DesplX(), y0 = l.DesplY();
      const TNodoBin* sel = v.Estructura().NodoSel;
      QTest::mousePress(l.Area(), boton, {}, desde);
      QTest::mouseMove(l.Area(), desde + QPoint(30, -20));
      QVERIFY(l.Area()->cursor().shape() == Qt::ClosedHandCursor);
      QTest::mouseRelease(l.Area(), boton, {}, desde + QPoint(30, -20));
      QVERIFY(l.DesplX() == x0 - 30 && l.DesplY() == y0 + 20 && l.sbHoriz()->value() == l.DesplX() && l.sbVert()->value() == l.DesplY());
      QVERIFY(l.Area()->cursor().shape() != Qt::ClosedHandCursor && v.Estructura().NodoSel == sel);
    }
    v.btnAnimar()->setChecked(true);
    v.lisOperacion()->setCurrentIndex(1), e.Teclear("100001");
    QVERIFY(l.EnMovimiento() && l.Zoom() == 2.0);
    e.Esperar();
    QVERIFY(l.Zoom() == 2.0 && v.PanelZoom()->text() == "Zoom: 200 %");
  }
  // A chain of a million nodes at 400 %: the bars span it, and its far end is drawn in view at their ends.
  void CadenaDeUnMillonAl400() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TLienzo& l = e.V().Lienzo();
    Preparar(e, 400, 300);
    constexpr int N = 1000000;
    QByteArray b = Entradas(std::array{N});
    for (int i = 1; i <= N; ++i) b += Entradas(std::array{i}) + '\0' + char(i < N);
    auto a = std::make_unique<TArbolBST>();
    a->Cargar(std::span(reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size())));
    e.V().PonerEstructura(std::move(a));
    l.PonerZoom(4.0);
    const QPoint fin = Extremo(e.V().Estructura());
    QVERIFY(l.Zoom() == 4.0 && std::abs(l.sbHoriz()->maximum() - (4.0 * fin.x() - 399)) <= 1 && std::abs(l.sbVert()->maximum() - (4.0 * fin.y() - 299)) <= 1);
    l.sbHoriz()->setValue(l.sbHoriz()->maximum()), l.sbVert()->setValue(l.sbVert()->maximum());
    QVERIFY(QRect(0, 0, 400, 300).contains(l.PuntoEnArea(Nodo(e.V().Estructura(), N)->X, Nodo(e.V().Estructura(), N)->Y)));
  }
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
  // What the canvas shows of a structure shown as new is ImagenVista's picture of it (the storyboards'): laid out
  // by the canvas, or a recorded stage; a tree that fits, one wider than the view (its root in the middle), the root
  // fixed.
  void ImagenVistaEsLaMostrada() {
    for (const auto& [n, W, disposicion] : {std::tuple{8, 600, 0}, {300, 300, 0}, {8, 600, 1}}) {
      TEntorno e(Fichero(), TEntorno::Oculto);
      TLienzo& l = e.V().Lienzo();
      Preparar(e, W, 250, disposicion);
      Insertar(e.V(), n, 7);
      TGrabacion g;
      std::unique_ptr<TArbolBin> etapa = e.V().Estructura().Clonar();
      g.Grabar(*etapa, [](TArbolBin& a) { a.Insertar(100001); }, [&l](TArbolBin& a) { l.DistribuirOtro(a); });
      etapa = std::move(g.Foto(g.NumEtapas() - 1).Antes);
      for (TArbolBin* vista : {static_cast<TArbolBin*>(nullptr), etapa.get()}) {
        l.PonerVista(vista), l.MostrarNueva();
        const TArbolBin& a = vista ? *vista : e.V().Estructura();
        const QPoint raiz = l.PuntoEnArea(a.Raiz->X, a.Raiz->Y);
        QVERIFY(l.Imagen() == l.ImagenVista(a, l.Imagen().size()) && (disposicion == 0 || raiz.y() == R));
        QVERIFY(W > 300 || vista || std::abs(raiz.x() - W / 2) <= 1);
      }
      l.PonerVista(nullptr);
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
  // Without pictures in the working folder the window takes them from the next folder of its list.
  void ImagenesDeOtraCarpeta() {
    TPlataformaPrueba p(Fichero());
    p.Plataforma.CarpetasImagenes = {Dir.path(), CarpetaImagenes()};
    QVERIFY(TPrograma(p.Plataforma).VentPpal()->HayImagenes());
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
