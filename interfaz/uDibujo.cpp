#include "uDibujo.h"

#include "uArbolBin.h"
#include "uImagenes.h"
#include "uMonticulo.h"
#include "uTipos.h"
#include "uVistaGeneral.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using i64 = std::int64_t;

constexpr quint32 Opaco = 0xFF000000u;

using namespace ColoresDibujo;

const QImage& Nula() {
  static const QImage nula;
  return nula;
}

// A canvas coordinate for CombinarBits. Anything drawn further out than this
// lies wholly outside every picture (a QImage is far narrower than 2^30
// pixels), so bringing it in keeps it outside.
int Acotar(i64 v) { return static_cast<int>(std::clamp<i64>(v, -(i64{1} << 30), i64{1} << 30)); }

QFont FuenteQt(const TFuente& f, int puntos) {
  QFont q(f.Nombre);
  q.setPointSize(std::max(1, puntos));
  q.setBold(f.Negrita);
  q.setItalic(f.Cursiva);
  return q;
}

// The smallest size a key shrinks to before it is let out of its circle,
// and the size of the kinds' figures (never above the chosen font's).
constexpr int PuntosMinimosClave = 7;
int PuntosCifras(int tam) { return std::max(tam - 1, std::min(tam, 8)); }
// A size in points or pixels seen at zoom s, never under 1.
int Escalado(double v, double s) { return static_cast<int>(std::max<i64>(1, std::llround(v * s))); }

// Below this drawn radius (in pixels, when zoomed out) numbers cannot be
// read, and the overview takes over; below the second, its discs give way
// to the edges alone.
constexpr double RadioLegible = 6.0, RadioDisco = 1.5;

// The node pictures' side as drawn at zoom s (their own at 1).
int TamImagen(const TCapasDibujo& c, double s) { return s == 1 ? c.TamImg() : Escalado(c.TamImg(), s); }

// The radius of the overview's discs, 0 for edges only; -1 when the drawing
// is detailed (at 100 % and above always, whatever the radius).
int RadioVistaGeneral(const TAjustesDibujo& a, const TEscala& t) {
  if (t.Sx >= 1)
    return -1;
  const bool imagenes = a.TipoGraf == 2 && a.Imagenes && a.Imagenes->Hay();
  const double r = (imagenes ? a.Imagenes->RadImg() : a.R) * t.Sx;
  if (r >= RadioLegible)
    return -1;
  return r < RadioDisco ? 0 : static_cast<int>(std::max<i64>(2, std::llround(r)));
}

// One font of the labels with what fitting a number needs of it. A decimal
// number is at most its digits times the widest digit, plus the minus sign:
// a bound found without measuring each text.
struct TLetra {
  TLetra(const TFuente& f, int puntos, QPaintDevice* dispositivo)
      : Fuente(FuenteQt(f, puntos)), Metricas(Fuente, dispositivo) {
    for (char c = '0'; c <= '9'; ++c)
      Digito = std::max(Digito, Metricas.horizontalAdvance(QLatin1Char(c)));
    Menos = Metricas.horizontalAdvance(QLatin1Char('-'));
  }
  int Ancho(int cifras, bool negativo) const { return cifras * Digito + (negativo ? Menos : 0); }
  int Ancho(i64 v) const { return Ancho(Cifras(v), v < 0); }
  static int Cifras(i64 v) {
    int c = 1;
    for (v = v < 0 ? -v : v; v >= 10; v /= 10)
      ++c;
    return c;
  }
  QFont Fuente;
  QFontMetrics Metricas;
  int Digito = 0, Menos = 0;
};

// The labels' fonts, measured once: the drawing runs at every animation
// frame, and building a font and its metrics costs more than drawing a
// small tree. Kept per font, size and resolution; drawing happens on the
// user-interface thread only.
const TLetra& Letra(const TFuente& f, int puntos, QPaintDevice* dispositivo) {
  struct TEntrada {
    TFuente Fuente;
    int Puntos, Ppp;
    std::unique_ptr<TLetra> Letra;
  };
  static std::vector<TEntrada> cache;
  const int ppp = dispositivo->logicalDpiY();
  for (const TEntrada& e : cache)
    if (e.Puntos == puntos && e.Ppp == ppp && e.Fuente == f)
      return *e.Letra;
  if (cache.size() >= 64)
    cache.clear();
  cache.push_back({f, puntos, ppp, std::make_unique<TLetra>(f, puntos, dispositivo)});
  return *cache.back().Letra;
}

// The heap's vector row is laid out like the tree, in layout pixels: cell i
// spans x from i x Ancho to (i + 1) x Ancho, so it scrolls with the
// horizontal offset and every cell comes into view somewhere along the
// scroll bar. A cell is at least 2R square, wider when the widest value kept
// in the row or the widest position above it needs more room.
struct TFilaVector {
  i64 Ancho = 0, Alto = 0;
};
TFilaVector FilaVector(const TMonticulo& m, int r, const TLetra& valores, const TLetra& posiciones) {
  const auto max = static_cast<std::size_t>(std::max(0, m.MaxNodos));
  const auto fin = m.VectorValores.begin() + static_cast<std::ptrdiff_t>(std::min(max, m.VectorValores.size()));
  i64 texto = 0;
  if (fin != m.VectorValores.begin()) {
    // A plain pass over the values, which the compiler vectorizes: it runs
    // at every picture of a heap of up to 10^6 values.
    std::int32_t menor = *m.VectorValores.begin(), mayor = menor;
    for (auto v = m.VectorValores.begin(); v != fin; ++v) {
      menor = std::min(menor, *v);
      mayor = std::max(mayor, *v);
    }
    texto = std::max(valores.Ancho(menor), valores.Ancho(mayor));
  }
  const i64 lado = 2 * i64{std::max(r, 0)};
  TFilaVector f;
  f.Ancho = std::max({lado, texto + 6, i64{posiciones.Ancho(i64{m.MaxNodos})} + 4});
  f.Alto = std::max(lado, i64{valores.Metricas.height()} + 4);
  return f;
}

// The heap whose vector row is drawn under the tree; nil for a kind without one.
const TMonticulo* ConFilaVector(const TArbolBin& arbol) {
  const TTipoEstructura* tipo = TipoDe(arbol);
  return tipo && tipo->FilaVector ? tipo->FilaVector(arbol) : nullptr;
}

// The drawing of shadows, nodes, edges, texts and cells onto one picture.
class TDibujante {
public:
  // At a zoom other than 1 and 1, positions, radius, fonts, pictures and
  // cells are drawn scaled; at 1 and 1 every size is the settings' own.
  TDibujante(QImage& destino, const TArbolBin& arbol, const TAjustesDibujo& a, const TEscala& t)
      : Destino_(destino), Arbol_(arbol), Tipo_(TipoDe(arbol)), A_(a), T_(t), Unidad_(t.Sx == 1 && t.Sy == 1),
        W_(destino.width()), H_(destino.height()),
        R_(Unidad_ || a.R <= 0 ? a.R : Escalado(a.R, t.Sx)),
        Imagenes_(a.TipoGraf == 2 && a.Imagenes && a.Imagenes->Hay() ? &a.Imagenes->Escaladas(TamImagen(*a.Imagenes, t.Sx))
                                                                      : nullptr),
        Pintor_(&destino),
        Cifras_(Letra(a.Fuente, Unidad_ ? PuntosCifras(a.Fuente.Tam) : Escalado(PuntosCifras(a.Fuente.Tam), t.Sx), &destino)),
        ColorArco_(~a.ColFon & 0x00FFFFFFu) {
    Pintor_.setRenderHint(QPainter::Antialiasing, false);
    Pintor_.setBackgroundMode(Qt::TransparentMode);
    // A key is written in the largest size, down to the smallest, whose
    // bound fits across its circle: the choice depends only on the number of
    // characters, so it is made once here for every length.
    const int tam = Unidad_ ? std::max(1, a.Fuente.Tam) : Escalado(a.Fuente.Tam, t.Sx);
    const int minimo = Unidad_ ? PuntosMinimosClave : Escalado(PuntosMinimosClave, t.Sx);
    for (int p = tam; p >= std::min(tam, minimo); --p)
      Claves_.push_back(&Letra(a.Fuente, p, &destino));
    const int interior = 2 * RadioTexto() - 4;
    for (int neg = 0; neg < 2; ++neg)
      for (int cifras = 1; cifras <= 10; ++cifras) {
        std::size_t k = 0;
        while (k + 1 < Claves_.size() && Claves_[k]->Ancho(cifras, neg != 0) > interior)
          ++k;
        EleccionClave_[neg][cifras] = static_cast<std::uint8_t>(k);
      }
    // Every text of a node or a cell lies within this distance of its circle
    // or cell: eleven characters (the longest key) at most in the largest
    // font, its box, plus room for glyphs that reach past their advance.
    const QFontMetrics& mayor = Claves_.front()->Metricas;
    Margen_ = 12 * i64{mayor.maxWidth()} + 2 * i64{mayor.height()} + 8;
  }

  bool ModoImagenes() const { return Imagenes_ != nullptr; }
  // Where a layout point is drawn.
  i64 X(std::int32_t x) const { return Unidad_ ? x - T_.Dx : T_.X(x); }
  i64 Y(std::int32_t y) const { return Unidad_ ? y - T_.Dy : T_.Y(y); }

  // Whether a node's shadow, picture, circle or texts, an edge, or a cell
  // with its texts may touch the picture (always, when nothing is skipped).
  bool NodoCerca(i64 cx, i64 cy) const {
    const i64 r = std::max<i64>(R_, Imagenes_ ? Imagenes_->TamImg() : 0) + Margen_;
    return Visible(cx - r, cy - r, cx + r, cy + r);
  }
  bool AristaCerca(i64 x1, i64 y1, i64 x2, i64 y2) const {
    // Both ends beyond the same side: the line misses the picture.
    return !A_.Recortar || !((x1 < -1 && x2 < -1) || (x1 > W_ && x2 > W_) || (y1 < -1 && y2 < -1) ||
                             (y1 > H_ && y2 > H_));
  }

  // The row's geometry for this heap; PrepararFila before any Celda.
  // Its cells are measured in layout pixels, in the settings' own fonts, so
  // that the zoomed row is the row at 100 % scaled.
  void PrepararFila(const TMonticulo& m) {
    Fila_ = Unidad_ ? FilaVector(m, A_.R, *Claves_.front(), Cifras_)
                    : FilaVector(m, A_.R, Letra(A_.Fuente, std::max(1, A_.Fuente.Tam), &Destino_),
                                 Letra(A_.Fuente, PuntosCifras(A_.Fuente.Tam), &Destino_));
    AltoFila_ = Unidad_ ? Fila_.Alto : Escalado(static_cast<double>(Fila_.Alto), T_.Sx);
  }
  i64 IzqCelda(i64 i) const {
    if (Unidad_)
      return i * Fila_.Ancho - A_.DesplX;
    return static_cast<i64>(std::floor(static_cast<double>(i) * static_cast<double>(Fila_.Ancho) * T_.Sx)) - T_.Dx;
  }
  bool CeldaCerca(i64 i) const {
    const i64 izq = IzqCelda(i);
    return Visible(izq - Margen_, 0, IzqCelda(i + 1) + Margen_, 0);
  }
  // The cells from "desde" up to "hasta" (excluded) that may touch the
  // picture: the others lie wholly beyond its left or right side.
  void CeldasCerca(std::int32_t maxNodos, i64& desde, i64& hasta) const {
    desde = 0;
    hasta = maxNodos;
    const i64 c = Fila_.Ancho;
    if (!A_.Recortar || c <= 0)
      return;
    const i64 base = IzqCelda(0);
    // One more cell either side absorbs the rounding of the divisions, and
    // CeldaCerca then decides.
    if (Unidad_) {
      desde = std::max<i64>(desde, (-1 - Margen_ - c - base) / c - 1);
      hasta = std::min<i64>(hasta, (W_ + Margen_ - base) / c + 2);
    } else {
      const double cs = static_cast<double>(c) * T_.Sx;
      desde = std::max<i64>(desde, static_cast<i64>(std::max(-1.0, std::floor(static_cast<double>(T_.Dx - 1 - Margen_) / cs) - 1)));
      hasta = static_cast<i64>(std::min(static_cast<double>(hasta), std::ceil(static_cast<double>(T_.Dx + W_ + Margen_) / cs) + 2));
    }
    while (desde < hasta && !CeldaCerca(desde))
      ++desde;
    while (hasta > desde && !CeldaCerca(hasta - 1))
      --hasta;
  }
  // How far beyond its centre anything drawn for a node reaches (its shadow,
  // picture, circle, texts), when skipping is on: a node further out on one
  // side than this shows nothing there.
  i64 Alcance() const {
    return std::max<i64>(0, std::max<i64>(R_, Imagenes_ ? Imagenes_->TamImg() : 0) + Margen_);
  }
  bool Recortando() const { return A_.Recortar; }
  int Ancho() const { return W_; }
  int Alto() const { return H_; }

  // Shadow: image mode only.
  void Fondo(const TNodoBin* n, i64 cx, i64 cy, bool esSel) {
    const int rad = Imagenes_->RadImg(), tam = Imagenes_->TamImg();
    if (!Visible(cx - rad, cy - rad, cx - rad + tam, cy - rad + tam))
      return;
    const int t = Tipo(n), s = Estado(n, esSel);
    Estampar(cx - rad, cy - rad, Imagenes_->Capa(t, s, 3), Imagenes_->Capa(t, s, 1));
  }

  void Nodo(const TNodoBin* n, i64 cx, i64 cy, bool esSel) {
    if (Imagenes_) {
      const int rad = Imagenes_->RadImg(), tam = Imagenes_->TamImg();
      if (!Visible(cx - rad, cy - rad, cx - rad + tam, cy - rad + tam))
        return;
      if (n == Arbol_.NodoBorrado) {
        // Without frames the removed node shows only its text, as in the
        // drawings.
        const int frames = Imagenes_->NumFrames();
        if (frames == 0)
          return;
        const i64 f = std::clamp<i64>(i64{frames - 1} * A_.PasoAnim / std::max(1, A_.PausaNumEtap), 0, frames - 1);
        Estampar(cx - rad, cy - rad, Imagenes_->MascSecuencia(static_cast<int>(f)),
                 Imagenes_->ImgSecuencia(static_cast<int>(f)));
      } else {
        const int t = Tipo(n), s = Estado(n, esSel);
        Estampar(cx - rad, cy - rad, Imagenes_->Capa(t, s, 2), Imagenes_->Capa(t, s, 0));
      }
      return;
    }
    const i64 r = R_;
    if (n == Arbol_.NodoBorrado || r < 1 || !Visible(cx - r, cy - r, cx + r, cy + r))
      return;
    Lapiz(Contorno(n), 1);
    Pintor_.setBrush(ColorQt(Relleno(n, esSel)));
    Pintor_.drawEllipse(QRectF(static_cast<qreal>(cx - r), static_cast<qreal>(cy - r), static_cast<qreal>(2 * r - 1),
                               static_cast<qreal>(2 * r - 1)));
  }

  void Arco(i64 x1, i64 y1, i64 x2, i64 y2) {
    if (!AristaCerca(x1, y1, x2, y2))
      return;
    if (!Unidad_ && !Acortar(x1, y1, x2, y2))
      return;
    Lapiz(ColorArco_, 1);
    Pintor_.drawLine(QLineF(static_cast<qreal>(x1), static_cast<qreal>(y1), static_cast<qreal>(x2),
                            static_cast<qreal>(y2)));
  }

  // The key inside the circle (the node picture's circle in image mode),
  // shrunk to fit it; a key too long even at the smallest size is written
  // over a box of the node's own fill and outline, so that it stays one
  // piece apart from its neighbours. The kind's figure is written over the
  // background touching the circle: a balance factor or a black height at
  // its upper right, a heap position just below it, where no edge of the
  // node's own runs straight down.
  void Texto(const TNodoBin* n, i64 cx, i64 cy, bool esSel) {
    const i64 r = RadioTexto();
    if (!Visible(cx - r - Margen_, cy - r - Margen_, cx + r + Margen_, cy + r + Margen_))
      return;
    const i64 v = n->Valor;
    const TLetra& letra = *Claves_[EleccionClave_[v < 0 ? 1 : 0][TLetra::Cifras(v)]];
    const QString valor = QString::number(v);
    const int ancho = letra.Metricas.horizontalAdvance(valor), alto = letra.Metricas.height();
    const i64 izq = cx - ancho / 2, arriba = cy - alto / 2;
    if (ancho > 2 * r - 4) {
      Lapiz(Contorno(n), 1);
      Pintor_.setBrush(ColorQt(Relleno(n, esSel)));
      Pintor_.drawRect(QRectF(static_cast<qreal>(izq - 3), static_cast<qreal>(arriba - 1),
                              static_cast<qreal>(ancho + 5), static_cast<qreal>(alto + 1)));
    }
    Lapiz(A_.Fuente.Color, 1);
    Escribir(valor, izq, arriba, letra);

    if (Tipo_ == nullptr || Tipo_->Cifra.Valor == nullptr)
      return;
    const bool debajo = Tipo_->Cifra.EsPosicion;
    const QString extra = QString::number(Tipo_->Cifra.Valor(*n) + (debajo ? 1 : 0));
    const int anchoExtra = Cifras_.Metricas.horizontalAdvance(extra), altoExtra = Cifras_.Metricas.height();
    // The circle's point at 45 degrees: r / sqrt(2).
    const i64 diagonal = r * 181 / 256;
    const i64 x = debajo ? cx - anchoExtra / 2 : cx + diagonal + 2;
    const i64 y = debajo ? cy + r + 1 : cy - diagonal - altoExtra - 1;
    Pintor_.setPen(Qt::NoPen);
    ColorLapiz_ = 0xFFFFFFFFu;
    Pintor_.setBrush(ColorQt(A_.ColFon));
    Pintor_.drawRect(QRectF(static_cast<qreal>(x - 1), static_cast<qreal>(y), static_cast<qreal>(anchoExtra + 2),
                            static_cast<qreal>(altoExtra)));
    Lapiz(A_.Fuente.Color, 1);
    Escribir(extra, x, y, Cifras_);
  }

  // One cell of a heap's vector row near the bottom of the picture, whatever
  // the vertical offset; across, it follows the horizontal one.
  void Celda(const TNodoBin* n, std::int32_t valor, std::int32_t i, std::int32_t numNodos, bool esSel) {
    const i64 izq = IzqCelda(i), c = Unidad_ ? Fila_.Ancho : IzqCelda(i64{i} + 1) - izq, alto = AltoFila_;
    const i64 arriba = i64{H_} - alto - 20;
    if (!Visible(izq - Margen_, arriba - Margen_, izq + c + Margen_, arriba + alto + Margen_))
      return;
    const bool muerta = i >= numNodos;
    const bool marcada = n != nullptr && n->Marcado;
    if (c >= 1) {
      Lapiz(marcada ? Rojo : Negro, 1);
      Pintor_.setBrush(ColorQt(muerta ? Blanco : esSel ? Amarillo : CeldaEnUso));
      const QRectF celda(static_cast<qreal>(izq), static_cast<qreal>(arriba), static_cast<qreal>(c),
                         static_cast<qreal>(alto));
      Pintor_.drawRect(celda);
      if (marcada) {
        // The second pixel of the 2 px outline, inside the first.
        Pintor_.setBrush(Qt::NoBrush);
        Pintor_.drawRect(celda.adjusted(1, 1, -1, -1));
      }
    }
    // Zoomed, a text is written only where it fits its cell.
    const TLetra& letra = *Claves_.front();
    Lapiz(muerta ? TextoCeldaMuerta : Negro, 1);
    const QString texto = QString::number(valor);
    const int anchoTexto = letra.Metricas.horizontalAdvance(texto);
    if (Unidad_ || anchoTexto <= c)
      Escribir(texto, izq + (c - anchoTexto) / 2, arriba + (alto - letra.Metricas.height()) / 2, letra);
    const QString posicion = QString::number(i64{i} + 1);
    const int anchoPosicion = Cifras_.Metricas.horizontalAdvance(posicion);
    if (Unidad_ || anchoPosicion <= c)
      Escribir(posicion, izq + (c - anchoPosicion) / 2, arriba - Cifras_.Metricas.height() - 2, Cifras_);
  }

private:
  // The box from (x0, y0) to (x1, y1) may touch the picture.
  bool Visible(i64 x0, i64 y0, i64 x1, i64 y1) const {
    return !A_.Recortar || (x1 >= -1 && x0 <= W_ && y1 >= -1 && y0 <= H_);
  }

  // The radius the labels go by: the node picture's in image mode, where
  // the radius only spaces the layout.
  int RadioTexto() const { return std::max(0, Imagenes_ ? Imagenes_->RadImg() : A_.R); }

  TColor Relleno(const TNodoBin* n, bool esSel) const { return RellenoNodo(Tipo_, *n, esSel); }
  static TColor Contorno(const TNodoBin* n) { return ContornoNodo(*n); }

  // Zoomed, an edge is cut to the picture widened by a margin, so that the
  // painter is never handed coordinates far beyond it; false when nothing
  // of it is left.
  bool Acortar(i64& x1, i64& y1, i64& x2, i64& y2) const {
    constexpr i64 margen = 1024;
    const double x0 = -margen, xm = W_ + margen, y0 = -margen, ym = H_ + margen;
    const double ax = static_cast<double>(x1), ay = static_cast<double>(y1);
    const double ex = static_cast<double>(x2 - x1), ey = static_cast<double>(y2 - y1);
    double t0 = 0, t1 = 1;
    const double p[4] = {-ex, ex, -ey, ey}, q[4] = {ax - x0, xm - ax, ay - y0, ym - ay};
    for (int k = 0; k < 4; ++k) {
      if (p[k] == 0) {
        if (q[k] < 0)
          return false;
      } else if (p[k] < 0) {
        t0 = std::max(t0, q[k] / p[k]);
      } else {
        t1 = std::min(t1, q[k] / p[k]);
      }
    }
    if (t0 > t1)
      return false;
    x2 = std::llround(ax + t1 * ex), y2 = std::llround(ay + t1 * ey);
    x1 = std::llround(ax + t0 * ex), y1 = std::llround(ay + t0 * ey);
    return true;
  }

  // The node picture's kind: plain, red or black.
  int Tipo(const TNodoBin* n) const {
    if (Tipo_ != nullptr && Tipo_->Color != nullptr)
      return Tipo_->Color(*n) == 0 ? 1 : 2;
    return 0;
  }
  static int Estado(const TNodoBin* n, bool esSel) { return esSel ? 0 : n->Marcado ? 1 : 2; }

  // The hole clears the figure's pixels, the picture is laid into them.
  void Estampar(i64 x, i64 y, const QImage& hueco, const QImage& imagen) {
    CombinarBits(Destino_, Acotar(x), Acotar(y), hueco, TCombinacion::Y);
    CombinarBits(Destino_, Acotar(x), Acotar(y), imagen, TCombinacion::O);
  }

  void Lapiz(TColor color, int ancho) {
    if (color == ColorLapiz_ && ancho == AnchoLapiz_)
      return;
    ColorLapiz_ = color;
    AnchoLapiz_ = ancho;
    Pintor_.setPen(QPen(ColorQt(color), ancho, Qt::SolidLine));
  }

  // Text with its top-left corner at (x, y): the top of the line, not the
  // baseline.
  void Escribir(const QString& texto, i64 x, i64 y, const TLetra& letra) {
    if (&letra != LetraPuesta_) {
      Pintor_.setFont(letra.Fuente);
      LetraPuesta_ = &letra;
    }
    Pintor_.drawText(QPointF(static_cast<qreal>(x), static_cast<qreal>(y + letra.Metricas.ascent())), texto);
  }

  QImage& Destino_;
  const TArbolBin& Arbol_;
  const TTipoEstructura* const Tipo_;  // nil for a class no descriptor makes
  const TAjustesDibujo& A_;
  const TEscala T_;
  const bool Unidad_;
  const int W_, H_;
  const int R_;  // the drawings' radius as drawn
  const TCapasDibujo* const Imagenes_;  // as drawn, scaled copies when zoomed
  QPainter Pintor_;
  std::vector<const TLetra*> Claves_;  // the key's sizes, largest first
  const TLetra& Cifras_;        // the kinds' figures and the cell positions
  std::uint8_t EleccionClave_[2][11] = {};  // [negative][digits]: index into Claves_
  TFilaVector Fila_;  // in layout pixels
  i64 AltoFila_ = 0;  // as drawn
  const TColor ColorArco_;
  i64 Margen_ = 0;
  TColor ColorLapiz_ = 0xFFFFFFFFu;  // no colour: the first pen is always set
  int AnchoLapiz_ = 0;
  const TLetra* LetraPuesta_ = nullptr;
};

}  // namespace

// ---------------------------------------------------------------- image layers

bool TCapasDibujo::Tomar(TCapa& destino, const QImage& fuente, const QImage& hueco, bool esHueco) {
  if (destino.Clave == fuente.cacheKey() && destino.ClaveHueco == hueco.cacheKey() && !destino.Imagen.isNull())
    return false;
  destino.Clave = fuente.cacheKey();
  destino.ClaveHueco = hueco.cacheKey();
  destino.Imagen = QImage();
  if (fuente.depth() == 32) {
    destino.Imagen = fuente;  // shared, not copied
    return true;
  }
  if (fuente.format() != QImage::Format_Indexed8 || hueco.format() != QImage::Format_Indexed8 ||
      hueco.size() != fuente.size())
    return true;
  const QList<QRgb> paleta = fuente.colorTable();
  QImage r(fuente.size(), QImage::Format_RGB32);
  for (int y = 0; y < r.height(); ++y) {
    const uchar* f = fuente.constScanLine(y);
    const uchar* h = hueco.constScanLine(y);
    auto* d = reinterpret_cast<quint32*>(r.scanLine(y));
    for (int x = 0; x < r.width(); ++x) {
      if (esHueco)
        d[x] = f[x] == 0 ? Opaco : 0xFFFFFFFFu;
      else
        d[x] = h[x] == 0 && f[x] < paleta.size() ? (paleta[f[x]] | Opaco) : Opaco;
    }
  }
  destino.Imagen = r;
  return true;
}

void TCapasDibujo::Actualizar(const TImagenesNodos& im) {
  if (!im.HayImagenes()) {
    *this = TCapasDibujo();
    return;
  }
  Hay_ = true;
  bool cambio = Tam_ != im.TamImg();
  Tam_ = im.TamImg();
  for (int t = 0; t < TImagenesNodos::NumTipos; ++t)
    for (int s = 0; s < TImagenesNodos::NumEstados; ++s) {
      TCapa* capas = &Capas_[static_cast<std::size_t>((t * 3 + s) * 4)];
      const QImage& huecoNodo = im.Capa(t, s, 2);
      const QImage& huecoSombra = im.Capa(t, s, 3);
      cambio |= Tomar(capas[0], im.Capa(t, s, 0), huecoNodo, false);
      cambio |= Tomar(capas[1], im.Capa(t, s, 1), huecoSombra, false);
      cambio |= Tomar(capas[2], huecoNodo, huecoNodo, true);
      cambio |= Tomar(capas[3], huecoSombra, huecoSombra, true);
    }
  const auto frames = static_cast<std::size_t>(im.NumFrames());
  cambio |= frames != Frames_.size();
  Frames_.resize(frames);
  Mascaras_.resize(frames);
  for (std::size_t f = 0; f < frames; ++f) {
    const int i = static_cast<int>(f);
    cambio |= Tomar(Frames_[f], im.ImgSecuencia(i), im.MascSecuencia(i), false);
    cambio |= Tomar(Mascaras_[f], im.MascSecuencia(i), im.MascSecuencia(i), true);
  }
  if (cambio)
    Escaladas_.clear();
}

const TCapasDibujo& TCapasDibujo::Escaladas(int tam) const {
  if (!Hay_ || tam == Tam_ || tam < 1 || Tam_ < 1)
    return *this;
  for (const auto& [t, capas] : Escaladas_)
    if (t == tam)
      return *capas;
  // Nearest pixel: a hole keeps its two exact values, a picture its colours.
  const double f = static_cast<double>(tam) / Tam_;
  const auto escalar = [f](const QImage& img) {
    if (img.isNull())
      return QImage();
    return img.scaled(std::max(1, static_cast<int>(std::lround(img.width() * f))),
                      std::max(1, static_cast<int>(std::lround(img.height() * f))), Qt::IgnoreAspectRatio,
                      Qt::FastTransformation);
  };
  auto e = std::make_unique<TCapasDibujo>();
  e->Hay_ = true;
  e->Tam_ = tam;
  for (std::size_t k = 0; k < Capas_.size(); ++k)
    e->Capas_[k].Imagen = escalar(Capas_[k].Imagen);
  for (const TCapa& c : Frames_)
    e->Frames_.push_back({escalar(c.Imagen)});
  for (const TCapa& c : Mascaras_)
    e->Mascaras_.push_back({escalar(c.Imagen)});
  if (Escaladas_.size() >= 4)
    Escaladas_.erase(Escaladas_.begin());
  Escaladas_.emplace_back(tam, std::move(e));
  return *Escaladas_.back().second;
}

const QImage& TCapasDibujo::Capa(int tipo, int estado, int capa) const {
  if (!Hay_ || tipo < 0 || tipo >= 3 || estado < 0 || estado >= 3 || capa < 0 || capa >= 4)
    return Nula();
  return Capas_[static_cast<std::size_t>((tipo * 3 + estado) * 4 + capa)].Imagen;
}

const QImage& TCapasDibujo::ImgSecuencia(int f) const {
  return f >= 0 && f < NumFrames() ? Frames_[static_cast<std::size_t>(f)].Imagen : Nula();
}

const QImage& TCapasDibujo::MascSecuencia(int f) const {
  return f >= 0 && f < NumFrames() ? Mascaras_[static_cast<std::size_t>(f)].Imagen : Nula();
}

// ---------------------------------------------------------------- drawing

void DibujarEstructura(QImage& destino, const TArbolBin& arbol, const TAjustesDibujo& a) {
  if (destino.isNull())
    return;
  if (destino.format() != QImage::Format_RGB32)
    destino = QImage(destino.size(), QImage::Format_RGB32);
  destino.fill(ColorQt(a.ColFon));

  const TEscala t = EscalaDe(a);
  if (const int rad = RadioVistaGeneral(a, t); rad >= 0) {
    DibujarVistaGeneral(destino, arbol, a, a.Resumen ? a.Resumen->Datos() : *std::make_unique<TResumenVista::TDatos>(), rad);
    if (const TMonticulo* m = ConFilaVector(arbol)) {
      const TFilaVector f = FilaVector(*m, a.R, Letra(a.Fuente, std::max(1, a.Fuente.Tam), &destino),
                                       Letra(a.Fuente, PuntosCifras(a.Fuente.Tam), &destino));
      // Never thinner than a few rows, so that the row stays in sight.
      const i64 alto = std::max<i64>(6, std::llround(static_cast<double>(f.Alto) * t.Sx));
      DibujarBandaVector(destino, *m, arbol.NodoSel, static_cast<double>(f.Ancho) * t.Sx, t.Dx, destino.height() - alto - 20,
                         alto);
    }
    return;
  }

  TDibujante d(destino, arbol, a, t);
  const bool conTexto = a.TipoGraf != 1;

  if (const TNodoBin* b = arbol.NodoBorrado) {
    d.Nodo(b, d.X(b->X), d.Y(b->Y), false);
    if (conTexto)
      d.Texto(b, d.X(b->X), d.Y(b->Y), false);
  }

  // One walk keeps, in pre-order, the nodes and the edges that may show, and
  // the cells likewise; they are then drawn in layers: shadows, edges,
  // nodes, texts, cells.
  struct TVisita {
    const TNodoBin* Nodo;
    i64 X, Y;
    bool EsSel;
  };
  struct TArista {
    i64 X1, Y1, X2, Y2;
  };
  std::vector<TVisita> nodos;
  std::vector<TArista> aristas;

  // The position facts, when given, let the walk stay out of subtrees that
  // cannot reach the picture. A node further than its reach below the
  // picture has its whole subtree below (each descendant at most 1 px
  // above it); further left than its reach, its left subtree lies further
  // left still, and likewise to the right. The edges inside such a subtree
  // and the one into it from the node have both ends beyond the same side.
  // The reach gets 1 px for the blend's rounding and 1 spare; zoomed, that
  // pixel becomes the zoom's, and the rounding of the zoom 1 more.
  const bool recortar = d.Recortando();
  const bool podarY = recortar && a.YCreceHaciaAbajo, podarX = recortar && a.XEnOrdenSimetrico;
  const i64 alcance = d.Alcance() + 2 + (t.Sx == 1 && t.Sy == 1 ? 0 : static_cast<i64>(std::ceil(std::max(t.Sx, t.Sy))) + 1);
  const i64 W = d.Ancho(), H = d.Alto();
  std::vector<const TNodoBin*> pila;
  for (const TNodoBin* n = arbol.Raiz; n != nullptr;) {
#if defined(__GNUC__)
    // The right child is reached only after the left subtree; asking for it
    // now overlaps that wait for memory with the walk.
    __builtin_prefetch(n->Der);
#endif
    const i64 cx = d.X(n->X), cy = d.Y(n->Y);
    if (d.NodoCerca(cx, cy))
      nodos.push_back({n, cx, cy, n == arbol.NodoSel});
    if (n != arbol.Raiz && n->Padre != nullptr) {
      const TArista e{d.X(n->Padre->X), d.Y(n->Padre->Y), cx, cy};
      if (d.AristaCerca(e.X1, e.Y1, e.X2, e.Y2))
        aristas.push_back(e);
    }
    const bool debajo = podarY && cy - alcance > H;
    const TNodoBin* izq = debajo || (podarX && cx + alcance < -1) ? nullptr : n->Izq;
    const TNodoBin* der = debajo || (podarX && cx - alcance > W) ? nullptr : n->Der;
    if (der != nullptr)
      pila.push_back(der);
    if (izq != nullptr) {
      n = izq;
    } else if (pila.empty()) {
      n = nullptr;
    } else {
      n = pila.back();
      pila.pop_back();
    }
  }

  if (d.ModoImagenes() && a.Sombras)
    for (const TVisita& v : nodos)
      d.Fondo(v.Nodo, v.X, v.Y, v.EsSel);
  for (const TArista& e : aristas)
    d.Arco(e.X1, e.Y1, e.X2, e.Y2);
  for (const TVisita& v : nodos)
    d.Nodo(v.Nodo, v.X, v.Y, v.EsSel);
  if (conTexto)
    for (const TVisita& v : nodos)
      d.Texto(v.Nodo, v.X, v.Y, v.EsSel);
  // A heap's vector row: only the cells that may show are visited.
  if (const TMonticulo* m = ConFilaVector(arbol)) {
    const std::int32_t num = m->NumNodos, max = m->MaxNodos;
    d.PrepararFila(*m);
    i64 desde = 0, hasta = 0;
    d.CeldasCerca(max, desde, hasta);
    hasta = std::min<i64>(hasta, static_cast<i64>(m->VectorValores.size()));
    for (i64 i = desde; i < hasta; ++i) {
      const auto k = static_cast<std::size_t>(i);
      const TNodoBin* n = i < num && k < m->Vector.size() ? m->Vector[k] : nullptr;
      d.Celda(n, m->VectorValores[k], static_cast<std::int32_t>(i), num, n != nullptr && n == arbol.NodoSel);
    }
  }
}

// ---------------------------------------------------------------- hit test

const TNodoBin* NodoEnPunto(const TArbolBin& arbol, const TAjustesDibujo& a, int x, int y) {
  const TEscala t = EscalaDe(a);
  const bool unidad = t.Sx == 1 && t.Sy == 1;
  i64 r = RadioVistaGeneral(a, t);
  if (r < 0) {  // the detailed drawing's circle, or the node picture's
    if (a.TipoGraf == 2 && a.Imagenes && a.Imagenes->Hay())
      r = TamImagen(*a.Imagenes, t.Sx) / 2;
    else
      r = unidad || a.R <= 0 ? a.R : Escalado(a.R, t.Sx);
  }
  r = std::max<i64>(r, 3);
  if (a.Resumen) {
    TResumenVista::TDatos& datos = a.Resumen->Datos();
    datos.Preparar(arbol);
    return NodoEnResumen(datos, t, r, x, y);
  }
  return RecorrerPreorden(arbol.Raiz, [&](TNodoBin* n, std::int32_t) {
    const i64 dx = t.X(n->X) - x, dy = t.Y(n->Y) - y;
    return dx > -r && dx < r && dy > -r && dy < r && dx * dx + dy * dy < r * r;
  });
}

std::int32_t AnchoFilaVector(const TArbolBin& arbol, int R, const TFuente& fuente) {
  const TMonticulo* m = ConFilaVector(arbol);
  if (m == nullptr || m->MaxNodos <= 0)
    return 0;
  // Measured on a picture, as the drawing is.
  static QImage patron(1, 1, QImage::Format_RGB32);
  const TLetra& valores = Letra(fuente, std::max(1, fuente.Tam), &patron);
  const TLetra& posiciones = Letra(fuente, PuntosCifras(fuente.Tam), &patron);
  const TFilaVector f = FilaVector(*m, R, valores, posiciones);
  return static_cast<std::int32_t>(std::min<i64>(f.Ancho * m->MaxNodos + 1, INT32_MAX));
}

QPoint EncuadreVista(std::int32_t ancho, std::int32_t alto, std::int32_t xRaiz, QSize vista, bool raizFijada,
                     std::optional<std::array<double, 2>> centro, QPoint actual) {
  const auto a32 = [](double v) { return static_cast<int>(std::clamp(v, double(INT32_MIN), double(INT32_MAX))); };
  // Where the view is smaller: the scroll range, the point asked for.
  const auto desplazable = [&](std::int32_t extension, int lado, int eje, int guardado) {
    const int d = centro ? a32((*centro)[eje] - lado / 2) : guardado;
    return std::max(0, std::min(d, extension - lado - 1));
  };
  const int W = vista.width(), H = vista.height();
  QPoint d;
  if (W < ancho) {
    d.setX(desplazable(ancho, W, 0, actual.x()));
  } else if (raizFijada) {
    i64 x = ancho - xRaiz > W / 2 ? i64{ancho} - W - xRaiz / 2 : (i64{xRaiz} - W) / 2;
    // No bar could bring back what would lie beyond the view's edges.
    d.setX(static_cast<int>(std::clamp<i64>(x, i64{ancho} - W, 0)));
  } else {
    d.setX(static_cast<int>((i64{ancho} - W) / 2));
  }
  if (H < alto)
    d.setY(desplazable(alto, H, 1, actual.y()));
  else
    d.setY(raizFijada ? 0 : static_cast<int>((i64{alto} - H) / 2));
  return d;
}

QImage DibujarVista(const TArbolBin& arbol, const std::function<TDistribucion(TArbolBin&)>& distribuir,
                    TAjustesDibujo ajustes, QSize vista, bool raizFijada) {
  std::unique_ptr<TArbolBin> copia = arbol.Clonar();
  const TDistribucion d = distribuir(*copia);
  const std::int32_t ancho = std::max(d.Ancho, AnchoFilaVector(*copia, ajustes.R, ajustes.Fuente));
  std::optional<std::array<double, 2>> centro;
  if (copia->Raiz)
    centro = std::array<double, 2>{double(copia->Raiz->X), double(copia->Raiz->Y)};
  const QPoint despl = EncuadreVista(ancho, d.Alto, d.XRaiz, vista, raizFijada, centro, {});
  ajustes.DesplX = despl.x();
  ajustes.DesplY = despl.y();
  ajustes.EscalaX = ajustes.EscalaY = 1.0;
  ajustes.Resumen = nullptr;
  QImage imagen(vista, QImage::Format_RGB32);
  DibujarEstructura(imagen, arbol, ajustes);
  return imagen;
}
