// The canvas in the main window: layout offsets and scroll bars for both
// placements, scrolling without a new layout, a new size that lays out while
// the paint only copies the picture, F5, the status texts in two locales, a layout that fails,
// the node pictures drawn by the window in both display depths, and that the
// subtrees the window's drawing leaves out never show.
#include "carpeta_imagenes.h"
#include "entorno.h"
#include "uArbolBST.h"
#include "uDibujo.h"
#include "uImagenes.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>

#include <numeric>
#include <random>

namespace {

constexpr int R = 15, Sx = 2;

// The keys typed and inserted, showing only the result (F2).
void Llenar(TVentPpal& v, const std::vector<int>& valores) {
  v.Accion(TVentPpal::cAnim1)->trigger();
  for (int x : valores)
    v.RealizarInsercion(x);
}

std::vector<int> Aleatorios(int n, unsigned semilla) {
  std::mt19937 gen(semilla);
  std::vector<int> r(static_cast<std::size_t>(n));
  for (int& x : r)
    x = static_cast<int>(gen() % 100000);
  return r;
}

std::vector<int> Cadena(int n) {
  std::vector<int> r(static_cast<std::size_t>(n));
  std::iota(r.begin(), r.end(), 1);
  return r;
}

struct TExtension {
  int MinX = INT_MAX, MaxX = INT_MIN, MaxY = INT_MIN;
};
TExtension Extension(const TArbolBin& a) {
  TExtension e;
  RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) {
    e.MinX = std::min(e.MinX, n->X);
    e.MaxX = std::max(e.MaxX, n->X);
    e.MaxY = std::max(e.MaxY, n->Y);
  });
  return e;
}

std::vector<QPoint> Posiciones(const TArbolBin& a) {
  std::vector<QPoint> p;
  RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { p.emplace_back(n->X, n->Y); });
  return p;
}

}  // namespace

class PruebasLienzo : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  QLocale LocalOriginal;
  QString Fichero() const { return Dir.filePath(QStringLiteral("opciones.conf")); }

  // A canvas of w x h for the layout, with the placement given.
  static void Preparar(TEntorno& e, int w, int h, int disposicion = 0) {
    TDlgPres& p = e.Pres();
    p.PonerAjustes({0, 0, disposicion, R, Sx, 5, p.Sombras(), p.ColFon(), p.ColNod(), p.Fuente()});
    e.V().Lienzo().PonerTamano({w, h});
  }

private Q_SLOTS:
  void init() { QFile::remove(Fichero()); }
  void cleanup() { QLocale::setDefault(LocalOriginal); }

  // A tree that fits: centred both ways, or its root's circle at the top.
  void ArbolQueCabe_data() {
    QTest::addColumn<int>("disposicion");
    QTest::newRow("Arbol centrado") << 0;
    QTest::newRow("Raiz fijada") << 1;
  }
  void ArbolQueCabe() {
    QFETCH(int, disposicion);
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    const int W = 600, H = 400;
    Preparar(e, W, H, disposicion);
    Llenar(v, {50, 30, 70, 20, 40, 60, 80, 35});
    l.Distribuir();
    QVERIFY(!l.sbHoriz()->isEnabled());
    QVERIFY(!l.sbVert()->isEnabled());
    const TExtension x = Extension(v.Estructura());
    // The picture runs from x 0 to the last node's right separation, from
    // y 0 to the bottom of the deepest circle.
    const int izq = -l.DesplX(), der = W - (x.MaxX + R + Sx - l.DesplX());
    const int arriba = -l.DesplY(), abajo = H - (x.MaxY + R - l.DesplY());
    QCOMPARE(x.MinX - R - Sx, 0);
    if (disposicion == 0) {
      QVERIFY2(std::abs(izq - der) <= 1, qPrintable(QStringLiteral("%1 %2").arg(izq).arg(der)));
      QVERIFY2(std::abs(arriba - abajo) <= 1, qPrintable(QStringLiteral("%1 %2").arg(arriba).arg(abajo)));
    } else {
      QCOMPARE(v.Estructura().Raiz->Y - R - l.DesplY(), 0);
      QVERIFY(izq >= 0 && der >= 0);
    }
  }

  // With the root fixed, a picture that fits the canvas is never cut by its
  // edges; where the placement's own position shows it whole, it is kept.
  void RaizFijadaNoCortaElArbol() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    const int W = 200;
    Preparar(e, W, 300, 1);
    Llenar(v, {1});
    l.Distribuir();
    QCOMPARE(l.DesplX(), (R + Sx - W) / 2);
    // A right chain wider than half the canvas.
    Llenar(v, {2, 3, 4, 5, 6});
    l.Distribuir();
    const TExtension x = Extension(v.Estructura());
    QVERIFY(!l.sbHoriz()->isEnabled());
    QCOMPARE(x.MaxX + R + Sx - l.DesplX(), W);
    QVERIFY(x.MinX - R - l.DesplX() >= 0);
  }

  void ArbolMasAnchoQueElLienzo() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    const int W = 300, H = 600;
    Preparar(e, W, H);
    Llenar(v, Aleatorios(40, 3));
    l.Distribuir();
    QVERIFY(l.sbHoriz()->isEnabled());
    QVERIFY(!l.sbVert()->isEnabled());
    int ancho = Extension(v.Estructura()).MaxX + R + Sx;
    // Range 0 to Ancho - 1 with a page of W - 1: the thumb goes up to
    // Ancho - W + 1.
    QCOMPARE(l.sbHoriz()->minimum(), 0);
    QCOMPARE(l.sbHoriz()->maximum(), ancho - W + 1);
    QCOMPARE(l.sbHoriz()->pageStep(), W - 1);
    QCOMPARE(l.DesplX(), 0);
    QCOMPARE(l.sbHoriz()->value(), 0);

    // Scrolling moves the picture, not the nodes.
    l.Dibujar();
    const QImage antes = l.Imagen();
    const std::vector<QPoint> posiciones = Posiciones(v.Estructura());
    l.sbHoriz()->setValue(200);
    QCOMPARE(l.DesplX(), 200);
    QCOMPARE(Posiciones(v.Estructura()), posiciones);
    QVERIFY(l.Imagen() != antes);
    QCOMPARE(l.Imagen().copy(0, 0, W - 200, H), antes.copy(200, 0, W - 200, H));

    // A new layout keeps the offset the user chose...
    Llenar(v, {1});
    l.Distribuir();
    QCOMPARE(l.DesplX(), 200);
    QCOMPARE(l.sbHoriz()->value(), 200);
    // ...limited so that the view does not pass the right end.
    ancho = Extension(v.Estructura()).MaxX + R + Sx;
    l.sbHoriz()->setValue(l.sbHoriz()->maximum());
    QCOMPARE(l.DesplX(), ancho - W + 1);
    l.Distribuir();
    QCOMPARE(l.DesplX(), ancho - W - 1);
    QCOMPARE(l.sbHoriz()->value(), ancho - W - 1);

    // A canvas wider than the picture centres it and disables the bar.
    l.PonerTamano({ancho + 50, H});
    l.Distribuir();
    QVERIFY(!l.sbHoriz()->isEnabled());
    QCOMPARE(l.DesplX(), -25);
  }

  // The vertical bar as the horizontal one: range, page, the offset kept by
  // a new layout and limited to the bottom end.
  void ArbolMasAltoQueElLienzo() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    const int H = 300;
    Preparar(e, 900, H);
    Llenar(v, Cadena(20));
    l.Distribuir();
    const int alto = Extension(v.Estructura()).MaxY + R;
    QVERIFY(l.sbVert()->isEnabled());
    QCOMPARE(l.sbVert()->maximum(), alto - H + 1);
    QCOMPARE(l.sbVert()->pageStep(), H - 1);
    QCOMPARE(l.DesplY(), 0);
    l.sbVert()->setValue(150);
    QCOMPARE(l.DesplY(), 150);
    l.Distribuir();
    QCOMPARE(l.DesplY(), 150);
    l.sbVert()->setValue(l.sbVert()->maximum());
    l.Distribuir();
    QCOMPARE(l.DesplY(), alto - H - 1);
  }

  // The first size lays out and draws; a paint only copies the picture; a
  // new size lays out again.
  void PintadoSoloCopiaLaImagen() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    Llenar(v, {50, 30, 70});
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QTRY_COMPARE(l.Imagen().size(), l.Area()->size());
    QCOMPARE(l.Imagen().format(), QImage::Format_RGB32);
    QVERIFY(v.Estructura().Raiz->Izq->X < v.Estructura().Raiz->X);
    QCOMPARE(l.Area()->grab().toImage().convertToFormat(QImage::Format_RGB32), l.Imagen());

    RecorrerPreorden(v.Estructura().Raiz, [](TNodoBin* n, std::int32_t) { n->X = n->Y = -999; });
    l.Area()->repaint();
    QCOMPARE(v.Estructura().Raiz->X, -999);

    v.resize(v.width() + 40, v.height() + 30);
    QTRY_COMPARE(l.Imagen().size(), l.Area()->size());
    QVERIFY(v.Estructura().Raiz->X != -999);
    QCOMPARE(l.Area()->grab().toImage().convertToFormat(QImage::Format_RGB32), l.Imagen());
  }

  // F5 from "Completa" gives "Separada" with separation 4, then
  // "Comprimida" with 7; it works during an operation too.
  void F5AlternaLaDistribucion() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    Preparar(e, 400, 300);
    e.Pres().PonerDistribucion(2);
    Llenar(v, {50, 30, 70, 20});
    e.Bloquear();
    QAction* f5 = v.Accion(TVentPpal::cComprimir);
    const struct {
      int Dist, Sx;
    } esperados[] = {{0, 4}, {1, 7}, {0, 4}};
    for (const auto& x : esperados) {
      f5->trigger();
      QCOMPARE(e.Pres().TipoDist(), x.Dist);
      QCOMPARE(e.Pres().NodoSx(), x.Sx);
      QCOMPARE(l.Ajustes().SepX, x.Sx);
      QCOMPARE(v.Estructura().SepX, x.Sx);  // laid out again with it
    }
  }

  void TextosDeEstado_data() {
    QTest::addColumn<QLocale>("local");
    QTest::addColumn<int>("nodos");
    QTest::addColumn<QStringList>("textos");
    const QLocale es(QLocale::Spanish, QLocale::Spain), en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("vacio es") << es << 0 << QStringList{"n = 0", "lg(n) = 0", "h = 0", "op. prom. = 0,00"};
    QTest::newRow("8 es") << es << 8 << QStringList{"n = 8", "lg(n) = 3,000", "h = 8", "op. prom. = 4,50"};
    QTest::newRow("8 en") << en << 8 << QStringList{"n = 8", "lg(n) = 3.000", "h = 8", "op. prom. = 4.50"};
    QTest::newRow("2001 es") << es << 2001
                             << QStringList{"n = 2001", "lg(n) = 10,967", "h = 2001", "op. prom. = 1001,00"};
  }
  void TextosDeEstado() {
    QFETCH(QLocale, local);
    QFETCH(int, nodos);
    QFETCH(QStringList, textos);
    QLocale::setDefault(local);
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    Llenar(v, Cadena(nodos));
    v.ActualizarEstado();
    QStringList leidos;
    for (int i = 0; i < 4; ++i)
      leidos << v.Paneles()[static_cast<std::size_t>(i)]->text();
    QCOMPARE(leidos, textos);
  }

  // A structure whose stored count disagrees with its nodes cannot be laid
  // out compressed: the message comes once, the nodes stay where they were.
  void DistribucionFallidaSeAvisaUnaVez() {
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    TArbolBST fuente;
    for (int x : {50, 30, 70})
      fuente.Insertar(x);
    std::vector<std::uint8_t> datos = fuente.Guardar();
    datos[0] = 5;
    auto a = std::make_unique<TArbolBST>();
    a->Cargar(datos);
    v.PonerEstructura(std::move(a));
    Preparar(e, 400, 300);
    l.Distribuir();
    const std::vector<QPoint> posiciones = Posiciones(v.Estructura());
    const int desplX = l.DesplX();

    e.Pres().PonerDistribucion(1);
    v.Refrescar();
    const QStringList uno{QStringLiteral("Numero de elementos erroneo!")};
    QCOMPARE(e.Mensajes(), uno);
    QCOMPARE(Posiciones(v.Estructura()), posiciones);
    QCOMPARE(l.DesplX(), desplX);
    v.Refrescar();
    QCOMPARE(e.Mensajes(), uno);

    // After a layout that works, the next failure is reported again; one
    // found while painting comes after the paint.
    e.Pres().PonerDistribucion(0);
    v.Refrescar();
    e.Pres().PonerDistribucion(1);
    v.GuardarOpciones();  // the first showing reads the dialog back as it is
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QTRY_COMPARE(e.Mensajes().size(), 2);
    v.resize(v.width() + 20, v.height());
    QTRY_COMPARE(l.Imagen().size(), l.Area()->size());
    QTest::qWait(20);
    QCOMPARE(e.Mensajes().size(), 2);
    QCOMPARE(Posiciones(v.Estructura()), posiciones);
  }

  // In image mode the window stamps the node pictures into a 32-bit buffer
  // in both display depths; a new background re-tints the shadows first
  // (never in 8-bit mode).
  void ImagenesEnLaVentana_data() {
    QTest::addColumn<bool>("modo8");
    QTest::newRow("32 bits") << false;
    QTest::newRow("8 bits") << true;
  }
  void ImagenesEnLaVentana() {
    QFETCH(bool, modo8);
    SALTAR_SIN_IMAGENES();
    const QString antes = QDir::currentPath();
    QVERIFY(QDir::setCurrent(CarpetaImagenes()));
    TEntorno e(Fichero(), TEntorno::Oculto, modo8 ? 256 : -1);
    QDir::setCurrent(antes);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    QCOMPARE(v.Modo8Bits(), modo8);
    QVERIFY(v.HayImagenes());
    const TColor azul = ColorRGB(0, 0, 255);
    e.Pres().PonerAjustes({2, 0, 0, R, Sx, 5, e.Pres().Sombras(), azul, e.Pres().ColNod(), e.Pres().Fuente()});
    e.Pres().FondoCambiado = true;
    Llenar(v, {5});
    l.PonerTamano({200, 150});
    v.Refrescar();
    QVERIFY(!e.Pres().FondoCambiado);
    QCOMPARE(l.Imagen().format(), QImage::Format_RGB32);
    QCOMPARE(l.Imagen().size(), QSize(200, 150));
    // Where only the shadow lies: tinted blue in 32-bit mode, as drawn in 8.
    const QImage& huecoNodo = v.Imagenes().Capa(0, 2, 2);
    const QImage& huecoSombra = v.Imagenes().Capa(0, 2, 3);
    const auto negro = [&](const QImage& img, int x, int y) {
      return modo8 ? img.pixelIndex(x, y) == 0 : (img.pixel(x, y) & 0xFFFFFF) == 0;
    };
    const int x0 = v.Estructura().Raiz->X - l.DesplX() - v.Imagenes().RadImg();
    const int y0 = v.Estructura().Raiz->Y - l.DesplY() - v.Imagenes().RadImg();
    int sombra = 0, rojoVerde = 0, nodo = 0;
    for (int y = 0; y < v.Imagenes().TamImg(); ++y)
      for (int x = 0; x < v.Imagenes().TamImg(); ++x) {
        const QRgb p = l.Imagen().pixel(x0 + x, y0 + y);
        if (negro(huecoNodo, x, y)) {
          nodo += p != ColorQt(azul).rgb() ? 1 : 0;
        } else if (negro(huecoSombra, x, y)) {
          ++sombra;
          rojoVerde += (qRed(p) | qGreen(p)) != 0 ? 1 : 0;
        }
      }
    QVERIFY(sombra > 0);
    QVERIFY(nodo > 0);
    QCOMPARE(rojoVerde > 0, modo8);
  }

  // The window tells the drawing what the positions satisfy only between
  // operations and motions. Its picture is the one drawn with every node
  // walked and nothing skipped: scrolling over each layout, and with a node
  // moved far from its layout place (into view from deep under subtrees
  // that lie beyond the canvas) while the workspace is locked.
  void NadaOmitidoSeVeria_data() {
    QTest::addColumn<int>("distribucion");
    QTest::newRow("Separada") << 0;
    QTest::newRow("Comprimida") << 1;
    QTest::newRow("Completa") << 2;
  }
  void NadaOmitidoSeVeria() {
    QFETCH(int, distribucion);
    TEntorno e(Fichero(), TEntorno::Oculto);
    TVentPpal& v = e.V();
    TLienzo& l = v.Lienzo();
    const int W = 300, H = 200;
    TFuente diminuta = e.Pres().Fuente();
    diminuta.Tam = 1;  // the texts reach little past their nodes
    e.Pres().PonerAjustes({0, distribucion, 0, R, Sx, 5, e.Pres().Sombras(), e.Pres().ColFon(), e.Pres().ColNod(), diminuta});
    l.PonerTamano({W, H});
    Llenar(v, Aleatorios(300, 11));
    v.RealizarBusqueda(-1);  // a miss selects nothing
    v.Refrescar();
    const auto entero = [&] {
      TAjustesDibujo a;
      a.ColFon = e.Pres().ColFon();
      a.Fuente = e.Pres().Fuente();
      a.R = l.Ajustes().Radio;
      a.DesplX = l.DesplX();
      a.DesplY = l.DesplY();
      a.Recortar = false;
      QImage img(W, H, QImage::Format_RGB32);
      DibujarEstructura(img, v.Estructura(), a);
      return img;
    };
    QVERIFY(l.sbHoriz()->isEnabled() && l.sbVert()->isEnabled());
    for (int i = 0; i <= 6; ++i)
      for (int j = 0; j <= 3; ++j) {
        l.sbHoriz()->setValue(l.sbHoriz()->maximum() * i / 6);
        l.sbVert()->setValue(l.sbVert()->maximum() * j / 3);
        QVERIFY2(l.Imagen() == entero(), qPrintable(QStringLiteral("at %1, %2").arg(l.DesplX()).arg(l.DesplY())));
      }

    // The top left corner: the root lies to the right of it, and the
    // deepest node of its right subtree far below.
    l.sbHoriz()->setValue(0);
    l.sbVert()->setValue(0);
    TNodoBin* hondo = v.Estructura().Raiz->Der;
    RecorrerPreorden(v.Estructura().Raiz->Der, [&](TNodoBin* n, std::int32_t) {
      if (n->Y > hondo->Y)
        hondo = n;
    });
    QVERIFY(v.Estructura().Raiz->X - l.DesplX() > W + 100);
    QVERIFY(hondo->Padre->Y - l.DesplY() > H + 100);
    e.Bloquear();
    hondo->X = l.DesplX() + W / 2;
    hondo->Y = l.DesplY() + H / 2;
    l.Dibujar();
    QCOMPARE(l.Imagen().pixel(W / 2, H / 2 - R / 2), ColorQt(ColorRGB(255, 255, 255)).rgb());
    QCOMPARE(l.Imagen(), entero());
    v.Lienzo().AcabarMovimiento();
    v.Refrescar();
    QCOMPARE(l.Imagen(), entero());

    // A motion ends on the layout it started towards, even when the
    // distribution changed in the middle: the nodes then stand where no
    // layout of the present settings puts them, and nothing may be skipped.
    Ajustar(v, [](TOpciones& o) { o.PausaAnim = 20, o.PausaNumEtap = 2; });
    v.IniciarAnimacion();
    e.Pres().PonerDistribucion((distribucion + 1) % 3);
    v.Refrescar();
    QTRY_VERIFY(!l.EnMovimiento());
    for (int i = 0; i <= 6; ++i) {
      l.sbHoriz()->setValue(l.sbHoriz()->maximum() * i / 6);
      QVERIFY2(l.Imagen() == entero(), qPrintable(QStringLiteral("at %1, %2").arg(l.DesplX()).arg(l.DesplY())));
    }
  }
};

QTEST_MAIN(PruebasLienzo)
#include "tst_lienzo.moc"
