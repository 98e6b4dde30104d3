#include "uIconos.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

// The palette every picture shares.
const QColor kTinta(0x2F, 0x3B, 0x4A);        // outlines, dark marks
const QColor kGris(0xC9, 0xD1, 0xDA);         // light parts, shutters
const QColor kGrisOscuro(0x6B, 0x77, 0x85);   // tree edges, list lines
const QColor kPapel(0xFF, 0xFF, 0xFF);
const QColor kAzulClaro(0x86, 0xC0, 0xF5);    // node fill
const QColor kAzul(0x3A, 0x7B, 0xD5);
const QColor kAzulOscuro(0x22, 0x52, 0x8C);   // node outline
const QColor kVerde(0x3D, 0xA3, 0x5D);
const QColor kVerdeOscuro(0x23, 0x6E, 0x3A);
const QColor kRojo(0xDB, 0x44, 0x37);
const QColor kRojoOscuro(0x9A, 0x27, 0x1E);
const QColor kAmbar(0xF6, 0xBF, 0x3F);
const QColor kAmbarOscuro(0xAE, 0x78, 0x14);
const QColor kNinguno;  // invalid: no fill or no outline

// Draws in a square grid of logical units (16 for the tool bar pictures)
// mapped onto the pixels of the picture. Axis-aligned strokes are snapped so
// that they cover whole pixels: a stroke one unit wide lies on a pixel's
// centre at 16 px (so the drawings put such strokes on half units), and on
// the matching pixel edge or centre at larger sizes.
class Pincel {
public:
  Pincel(QPainter& p, double k) : p_(p), k_(k) {}

  QPainter& Pintor() { return p_; }

  // Width in pixels of a stroke `ancho` units wide; never under one pixel.
  double Ancho(double ancho) const { return std::max(1.0, std::round(ancho * k_)); }

  // The pixel coordinate a stroke at unit coordinate u is snapped to.
  double Ajuste(double u, double ancho) const {
    const double v = u * k_;
    return std::lround(Ancho(ancho)) % 2 != 0 ? std::floor(v) + 0.5 : std::round(v);
  }

  QPen Pluma(const QColor& c, double ancho, Qt::PenCapStyle cap = Qt::SquareCap,
             Qt::PenJoinStyle union_ = Qt::MiterJoin) const {
    if (!c.isValid())
      return Qt::NoPen;
    return QPen(c, Ancho(ancho), Qt::SolidLine, cap, union_);
  }

  // A straight stroke. Horizontal and vertical ones are snapped and reach
  // half a stroke beyond their ends (square caps), so ends are sharp too;
  // slanted ones keep round caps.
  void Linea(double x1, double y1, double x2, double y2, const QColor& c, double ancho = 1) {
    if (x1 == x2 || y1 == y2) {
      p_.setPen(Pluma(c, ancho, Qt::SquareCap));
      p_.drawLine(QPointF(Ajuste(x1, ancho), Ajuste(y1, ancho)),
                  QPointF(Ajuste(x2, ancho), Ajuste(y2, ancho)));
    } else {
      p_.setPen(Pluma(c, ancho, Qt::RoundCap, Qt::RoundJoin));
      p_.drawLine(QPointF(x1 * k_, y1 * k_), QPointF(x2 * k_, y2 * k_));
    }
  }

  // A rectangle whose outline runs through the given corners (half units
  // for a one-unit outline); `radio` rounds its corners.
  void Rect(double x0, double y0, double x1, double y1, const QColor& relleno,
            const QColor& borde, double ancho = 1, double radio = 0) {
    p_.setPen(Pluma(borde, ancho));
    p_.setBrush(relleno.isValid() ? QBrush(relleno) : QBrush(Qt::NoBrush));
    const double w = borde.isValid() ? ancho : 2;  // a bare fill lies on pixel edges
    const QRectF r(QPointF(Ajuste(x0, w), Ajuste(y0, w)), QPointF(Ajuste(x1, w), Ajuste(y1, w)));
    if (radio > 0)
      p_.drawRoundedRect(r, radio * k_, radio * k_);
    else
      p_.drawRect(r);
  }

  // A circle; centres on half units and whole radii keep a one-unit
  // outline crisp at its four extreme points.
  void Circulo(double cx, double cy, double r, const QColor& relleno, const QColor& borde,
               double ancho = 1) {
    p_.setPen(Pluma(borde, ancho));
    p_.setBrush(relleno.isValid() ? QBrush(relleno) : QBrush(Qt::NoBrush));
    p_.drawEllipse(QPointF(cx * k_, cy * k_), r * k_, r * k_);
  }

  // Any shape, given in units.
  void Camino(const QPainterPath& camino, const QColor& relleno, const QColor& borde,
              double ancho = 1, Qt::PenCapStyle cap = Qt::RoundCap,
              Qt::PenJoinStyle union_ = Qt::RoundJoin) {
    p_.save();
    p_.scale(k_, k_);
    QPen pluma = Pluma(borde, ancho, cap, union_);
    if (pluma.style() != Qt::NoPen)
      pluma.setWidthF(pluma.widthF() / k_);
    p_.setPen(pluma);
    p_.setBrush(relleno.isValid() ? QBrush(relleno) : QBrush(Qt::NoBrush));
    p_.drawPath(camino);
    p_.restore();
  }

  // A closed polygon. An outlined one has its corners snapped like any
  // stroke, so its straight sides stay sharp; a bare fill keeps its shape.
  void Poligono(const QPolygonF& puntos, const QColor& relleno, const QColor& borde,
                double ancho = 1) {
    if (!borde.isValid()) {
      QPainterPath camino;
      camino.addPolygon(puntos);
      camino.closeSubpath();
      Camino(camino, relleno, borde, ancho, Qt::SquareCap, Qt::MiterJoin);
      return;
    }
    QPolygonF ajustado;
    for (const QPointF& q : puntos)
      ajustado << QPointF(Ajuste(q.x(), ancho), Ajuste(q.y(), ancho));
    p_.setPen(Pluma(borde, ancho, Qt::SquareCap, Qt::MiterJoin));
    p_.setBrush(relleno.isValid() ? QBrush(relleno) : QBrush(Qt::NoBrush));
    p_.drawPolygon(ajustado);
  }

private:
  QPainter& p_;
  double k_;  // pixels per unit
};

// ---- Pieces shared by several pictures -------------------------------------

void Nodo(Pincel& p, double cx, double cy, double r, const QColor& relleno = kAzulClaro,
          const QColor& borde = kAzulOscuro) {
  p.Circulo(cx, cy, r, relleno, borde);
}

// The three-node tree: a root and two children.
void Arbolito(Pincel& p, const QColor& raiz = kAzulClaro, const QColor& hojas = kAzulClaro,
              const QColor& bordeRaiz = kAzulOscuro, const QColor& bordeHojas = kAzulOscuro) {
  p.Linea(8, 3, 3, 12, kGrisOscuro);
  p.Linea(8, 3, 13, 12, kGrisOscuro);
  Nodo(p, 8, 3, 2.5, raiz, bordeRaiz);
  Nodo(p, 3, 12, 2.5, hojas, bordeHojas);
  Nodo(p, 13, 12, 2.5, hojas, bordeHojas);
}

enum class Signo { Mas, Menos, Aspa };

// A round badge in the lower right corner carrying +, - or x.
void Insignia(Pincel& p, const QColor& fondo, const QColor& borde, Signo signo) {
  p.Circulo(11.5, 11.5, 4, fondo, borde);
  switch (signo) {
    case Signo::Mas:
      p.Linea(9.5, 11.5, 13.5, 11.5, kPapel);
      p.Linea(11.5, 9.5, 11.5, 13.5, kPapel);
      break;
    case Signo::Menos:
      p.Linea(9.5, 11.5, 13.5, 11.5, kPapel);
      break;
    case Signo::Aspa:
      p.Linea(9.5, 9.5, 13.5, 13.5, kPapel, 1.3);
      p.Linea(13.5, 9.5, 9.5, 13.5, kPapel, 1.3);
      break;
  }
}

// A floppy disk filling the box from (x0, y0) to (x1, y1), outline corners
// on half units.
void Disquete(Pincel& p, double x0, double y0, double x1, double y1) {
  const double corte = std::max(1.0, std::floor((x1 - x0) / 5));
  p.Poligono({{x0, y0}, {x1 - corte, y0}, {x1, y0 + corte}, {x1, y1}, {x0, y1}}, kAzul,
             kAzulOscuro);
  const double ancho = x1 - x0;
  // The shutter at the top and the label at the bottom.
  const double s0 = x0 + std::floor(ancho * 0.25), s1 = x1 - std::floor(ancho * 0.25) - corte + 1;
  const double sAlto = std::max(2.0, std::floor((y1 - y0) * 0.33));
  p.Rect(s0, y0, s1, y0 + sAlto, kGris, kAzulOscuro);
  if (ancho >= 10)
    p.Linea(s1 - 2, y0 + 1, s1 - 2, y0 + sAlto - 1, kAzulOscuro);
  const double e0 = x0 + (ancho >= 10 ? 2 : 1), e1 = x1 - (ancho >= 10 ? 2 : 1);
  const double eAlto = std::floor((y1 - y0) * 0.45);
  p.Rect(e0, y1 - eAlto, e1, y1, kPapel, kAzulOscuro);
  if (ancho >= 10) {
    p.Linea(e0 + 2, y1 - eAlto + 2, e1 - 2, y1 - eAlto + 2, kGris);
    p.Linea(e0 + 2, y1 - eAlto + 4, e1 - 2, y1 - eAlto + 4, kGris);
  }
}

// A sheet holding the operation list: rows of insertions (+) and deletions (-).
void ListaOperaciones(Pincel& p, double x0, double x1) {
  // The page, its top right corner folded down.
  p.Poligono({{x0, 0.5}, {x1 - 3, 0.5}, {x1, 3.5}, {x1, 15.5}, {x0, 15.5}}, kPapel, kTinta);
  p.Poligono({{x1 - 3, 0.5}, {x1 - 3, 3.5}, {x1, 3.5}}, kGris, kTinta);
  const std::array<bool, 4> inserciones{true, true, false, true};
  for (int i = 0; i < 4; ++i) {
    const double y = 3.5 + 3 * i;
    const bool mas = inserciones[static_cast<std::size_t>(i)];
    const QColor color = mas ? kVerde : kRojo;
    p.Linea(x0 + 2, y, x0 + 4, y, color);
    if (mas)
      p.Linea(x0 + 3, y - 1, x0 + 3, y + 1, color);
    p.Linea(x0 + 6, y, x1 - (i == 0 ? 4 : 2), y, kGrisOscuro);
  }
}

// A staircase rising to the right: the stages of an operation.
void Escalera(Pincel& p) {
  p.Poligono({{0.5, 15.5}, {0.5, 12.5}, {5.5, 12.5}, {5.5, 9.5}, {10.5, 9.5}, {10.5, 6.5},
              {15.5, 6.5}, {15.5, 15.5}},
             kAzulClaro, kAzulOscuro);
}

// ---- The pictures ------------------------------------------------------------

// 0: a tree.
void DibujarArbol(Pincel& p) { Arbolito(p); }

// 1: clear the tree: a greyed tree with a red cross badge.
void DibujarLimpiar(Pincel& p) {
  Arbolito(p, kGris, kGris, kGrisOscuro, kGrisOscuro);
  Insignia(p, kRojo, kRojoOscuro, Signo::Aspa);
}

// 2: a node and the links to its children.
void DibujarNodo(Pincel& p) {
  p.Linea(8, 6, 2, 15, kGrisOscuro);
  p.Linea(8, 6, 14, 15, kGrisOscuro);
  Nodo(p, 8, 6, 4.5);
}

// 3: open: an opened folder.
void DibujarAbrir(Pincel& p) {
  p.Poligono({{0.5, 2.5}, {5.5, 2.5}, {7.5, 4.5}, {13.5, 4.5}, {13.5, 13.5}, {0.5, 13.5}},
             kAmbarOscuro.lighter(150), kAmbarOscuro);
  p.Poligono({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {0.5, 13.5}}, kAmbar, kAmbarOscuro);
}

// 4: presentation options: a painter's palette.
void DibujarPresentacion(Pincel& p) {
  QPainterPath paleta;
  paleta.moveTo(8, 1.5);
  paleta.cubicTo(12.5, 1.5, 15.5, 4.5, 15.5, 8);
  paleta.cubicTo(15.5, 11, 13.5, 11, 12, 10.5);
  paleta.cubicTo(10, 10, 9.5, 12, 10.5, 13);
  paleta.cubicTo(11.5, 14.5, 10, 15, 8, 15);
  paleta.cubicTo(3.5, 15, 0.5, 12, 0.5, 8);
  paleta.cubicTo(0.5, 4.5, 3.5, 1.5, 8, 1.5);
  p.Camino(paleta, QColor(0xF3, 0xDD, 0xB0), kAmbarOscuro);
  p.Circulo(4.5, 6.5, 1.5, kRojo, kNinguno);
  p.Circulo(8.5, 4.5, 1.5, kAzul, kNinguno);
  p.Circulo(12.5, 6.5, 1.5, kVerde, kNinguno);
  p.Circulo(4.5, 10.5, 1.5, kAmbar, kNinguno);
}

// 5: save: a floppy disk.
void DibujarGuardar(Pincel& p) { Disquete(p, 1.5, 1.5, 14.5, 14.5); }

// 6: the next step: a double chevron.
void DibujarSiguiente(Pincel& p) {
  QPainterPath a, b;
  a.moveTo(2.5, 3.5);
  a.lineTo(7, 8);
  a.lineTo(2.5, 12.5);
  b.moveTo(8.5, 3.5);
  b.lineTo(13, 8);
  b.lineTo(8.5, 12.5);
  p.Camino(a, kNinguno, kAzul, 2.8);
  p.Camino(b, kNinguno, kAzul, 2.8);
}

// 7: search: a magnifier.
void DibujarBuscar(Pincel& p) {
  p.Linea(10.5, 10.5, 14, 14, kTinta, 2.6);
  p.Circulo(6.5, 6.5, 5, QColor(0xDD, 0xEE, 0xFD), kTinta, 1.6);
  QPainterPath brillo;
  brillo.arcMoveTo(3.5, 3.5, 6, 6, 100);
  brillo.arcTo(3.5, 3.5, 6, 6, 100, 70);
  p.Camino(brillo, kNinguno, kPapel, 1.2);
}

// 8: new tree: a tree with a sparkle.
void DibujarNuevo(Pincel& p) {
  Arbolito(p);
  // A sparkle: four long points and four short ones.
  QPainterPath estrella;
  const double cx = 13, cy = 3;
  for (int i = 0; i < 16; ++i) {
    const double a = i * std::numbers::pi / 8 - std::numbers::pi / 2;
    const double radio = i % 2 != 0 ? 0.8 : (i % 4 == 0 ? 3.5 : 2);
    const QPointF q(cx + radio * std::cos(a), cy + radio * std::sin(a));
    if (i == 0)
      estrella.moveTo(q);
    else
      estrella.lineTo(q);
  }
  estrella.closeSubpath();
  p.Camino(estrella, kAmbar, kAmbarOscuro, 0.8);
}

// 9: delete an element: a node with a minus badge.
void DibujarBorrar(Pincel& p) {
  Nodo(p, 5.5, 5.5, 5);
  Insignia(p, kRojo, kRojoOscuro, Signo::Menos);
}

// 10: the Fibonacci AVL tree: squares of Fibonacci sides and their spiral.
void DibujarFibonacci(Pincel& p) {
  // Squares of sides 8, 5, 3, 2, 1, 1 tile a 13 x 8 rectangle.
  p.Rect(1.5, 4.5, 9.5, 12.5, QColor(0xDD, 0xEE, 0xFD), kAzulOscuro);
  p.Rect(9.5, 4.5, 14.5, 9.5, QColor(0xE3, 0xF4, 0xE7), kAzulOscuro);
  p.Rect(11.5, 9.5, 14.5, 12.5, QColor(0xFD, 0xF1, 0xD2), kAzulOscuro);
  p.Rect(9.5, 10.5, 11.5, 12.5, kNinguno, kAzulOscuro);
  // The spiral: a quarter circle in each square.
  QPainterPath espiral;
  espiral.moveTo(1.5, 12.5);
  espiral.arcTo(1.5, 4.5, 16, 16, 180, -90);   // square 8: centre (9.5, 12.5)
  espiral.arcTo(4.5, 4.5, 10, 10, 90, -90);    // square 5: centre (9.5, 9.5)
  espiral.arcTo(8.5, 6.5, 6, 6, 0, -90);       // square 3: centre (11.5, 9.5)
  espiral.arcTo(9.5, 8.5, 4, 4, 270, -90);     // square 2: centre (11.5, 10.5)
  p.Camino(espiral, kNinguno, kRojo, 1.5);
}

// 11: insert an element: a node with a plus badge.
void DibujarInsertar(Pincel& p) {
  Nodo(p, 5.5, 5.5, 5);
  Insignia(p, kVerde, kVerdeOscuro, Signo::Mas);
}

// 12: mouse-click mode: a pointer clicking.
void DibujarRaton(Pincel& p) {
  p.Poligono({{6.5, 4.5}, {6.5, 14.5}, {8.5, 12.5}, {10.5, 15.5}, {12.5, 14.5}, {10.5, 11.5},
              {13.5, 11.5}},
             kPapel, kTinta);
  p.Linea(3.5, 0.5, 3.5, 2.5, kAmbarOscuro);
  p.Linea(0.5, 3.5, 2.5, 3.5, kAmbarOscuro);
  p.Linea(1.2, 1.2, 2.4, 2.4, kAmbarOscuro);
  p.Linea(6.5, 0.5, 5.3, 2.3, kAmbarOscuro);
  p.Linea(0.5, 6.5, 2.3, 5.3, kAmbarOscuro);
}

// 13: a rotation: two linked nodes and a turning arrow.
void DibujarRotacion(Pincel& p) {
  p.Linea(4.5, 4.5, 11.5, 11.5, kGrisOscuro);
  Nodo(p, 4.5, 4.5, 3);
  Nodo(p, 11.5, 11.5, 3);
  QPainterPath arco;
  arco.arcMoveTo(1.5, 1.5, 13, 13, 10);
  arco.arcTo(1.5, 1.5, 13, 13, 10, 70);
  p.Camino(arco, kNinguno, kVerde, 1.6);
  QPainterPath arco2;
  arco2.arcMoveTo(1.5, 1.5, 13, 13, 190);
  arco2.arcTo(1.5, 1.5, 13, 13, 190, 70);
  p.Camino(arco2, kNinguno, kVerde, 1.6);
  p.Poligono({{10.5, 0.5}, {13.5, 2.5}, {10, 4.2}}, kVerde, kNinguno);
  p.Poligono({{5.5, 15.5}, {2.5, 13.5}, {6, 11.8}}, kVerde, kNinguno);
}

// 14: run the operation: a play button.
void DibujarOperacion(Pincel& p) {
  p.Circulo(7.5, 7.5, 7, kVerde, kVerdeOscuro);
  p.Poligono({{5.5, 4}, {11.5, 7.5}, {5.5, 11}}, kPapel, kNinguno);
}

// 15: animate node motion: a node leaving a trail.
void DibujarAnimar(Pincel& p) {
  QColor fantasma = kAzulClaro, bordeFantasma = kAzulOscuro;
  fantasma.setAlphaF(0.3f);
  bordeFantasma.setAlphaF(0.3f);
  p.Circulo(2.5, 7.5, 2, fantasma, bordeFantasma);
  fantasma.setAlphaF(0.6f);
  bordeFantasma.setAlphaF(0.6f);
  p.Circulo(6.5, 7.5, 3, fantasma, bordeFantasma);
  Nodo(p, 11.5, 7.5, 4);
}

// 16: stages with description: steps and a speech balloon.
void DibujarEtapas(Pincel& p) {
  Escalera(p);
  QPainterPath globo;
  globo.addRoundedRect(QRectF(0.5, 0.5, 9, 6), 1.5, 1.5);
  QPainterPath cola;
  cola.moveTo(2.5, 6);
  cola.lineTo(2.5, 9);
  cola.lineTo(5.5, 6);
  cola.closeSubpath();
  p.Camino(globo.united(cola), kPapel, kTinta, 1, Qt::SquareCap, Qt::MiterJoin);
  p.Linea(2.5, 2.5, 7.5, 2.5, kGrisOscuro);
  p.Linea(2.5, 4.5, 5.5, 4.5, kGrisOscuro);
}

// 17: the range of random keys: a die over a bracketed span.
void DibujarRango(Pincel& p) {
  p.Rect(2.5, 0.5, 13.5, 11.5, kPapel, kTinta, 1, 1.5);
  p.Rect(4, 2, 6, 4, kRojo, kNinguno);
  p.Rect(7, 5, 9, 7, kTinta, kNinguno);
  p.Rect(10, 8, 12, 10, kTinta, kNinguno);
  // |<-->|
  p.Linea(0.5, 12.5, 0.5, 15.5, kAzulOscuro);
  p.Linea(15.5, 12.5, 15.5, 15.5, kAzulOscuro);
  p.Linea(2.5, 14.5, 13.5, 14.5, kAzulOscuro);
  p.Poligono({{1.5, 14.5}, {4.5, 12.5}, {4.5, 16.5}}, kAzulOscuro, kNinguno);
  p.Poligono({{14.5, 14.5}, {11.5, 12.5}, {11.5, 16.5}}, kAzulOscuro, kNinguno);
}

// 18: undo: an arrow turning back.
void DibujarDeshacer(Pincel& p) {
  QPainterPath vuelta;
  vuelta.moveTo(5, 13.5);
  vuelta.lineTo(9, 13.5);
  vuelta.arcTo(5, 5, 8.5, 8.5, -90, 180);
  vuelta.lineTo(5, 5);
  p.Camino(vuelta, kNinguno, kAzul, 2, Qt::FlatCap, Qt::RoundJoin);
  p.Poligono({{0.5, 5.25}, {5.5, 1}, {5.5, 9.5}}, kAzul, kNinguno);
}

// 19: a red-black tree.
void DibujarRojoNegro(Pincel& p) { Arbolito(p, kTinta, kRojo, kTinta, kRojoOscuro); }

// 20: stages with pauses and no description: steps and a pause sign.
void DibujarPausas(Pincel& p) {
  Escalera(p);
  p.Rect(1.5, 0.5, 3.5, 7.5, kAmbar, kAmbarOscuro);
  p.Rect(5.5, 0.5, 7.5, 7.5, kAmbar, kAmbarOscuro);
}

// 21: animation options: a gear.
void DibujarOpcionesAnimacion(Pincel& p) {
  QPainterPath rueda;
  const int dientes = 8;
  const double cx = 7.5, cy = 7.5, rExt = 7.4, rInt = 5.2;
  for (int i = 0; i < dientes; ++i) {
    const double base = 2 * std::numbers::pi * i / dientes;
    const double paso = 2 * std::numbers::pi / dientes;
    const std::array<std::pair<double, double>, 4> puntos{
        {{base - paso * 0.30, rInt}, {base - paso * 0.17, rExt}, {base + paso * 0.17, rExt},
         {base + paso * 0.30, rInt}}};
    for (std::size_t j = 0; j < puntos.size(); ++j) {
      const QPointF q(cx + puntos[j].second * std::cos(puntos[j].first),
                      cy + puntos[j].second * std::sin(puntos[j].first));
      if (i == 0 && j == 0)
        rueda.moveTo(q);
      else
        rueda.lineTo(q);
    }
  }
  rueda.closeSubpath();
  QPainterPath hueco;
  hueco.addEllipse(QPointF(cx, cy), 2.2, 2.2);
  p.Camino(rueda.subtracted(hueco), kGris, kTinta, 1, Qt::SquareCap, Qt::MiterJoin);
}

// 22: save the operation list: the list and a small disk.
void DibujarGuardarOperaciones(Pincel& p) {
  ListaOperaciones(p, 0.5, 11.5);
  Disquete(p, 7.5, 7.5, 15.5, 15.5);
}

// 23: the operation list.
void DibujarListaOperaciones(Pincel& p) { ListaOperaciones(p, 1.5, 14.5); }

// 24: unordered heap: a jumble of keys.
void DibujarMonticuloDesordenado(Pincel& p) {
  Nodo(p, 3.5, 12.5, 3, kRojo.lighter(140), kRojoOscuro);
  Nodo(p, 12.5, 12.5, 3, kAzulClaro, kAzulOscuro);
  Nodo(p, 8, 9, 3, kAmbar, kAmbarOscuro);
  Nodo(p, 4.5, 4.5, 3, kVerde.lighter(150), kVerdeOscuro);
  Nodo(p, 11.5, 3.5, 3, kAzulClaro, kAzulOscuro);
}

// 25: build the heap: the nodes in heap shape, the least at the top.
void DibujarCrearMonticulo(Pincel& p) {
  p.Linea(7.5, 2.5, 4.5, 7.5, kGrisOscuro);
  p.Linea(7.5, 2.5, 10.5, 7.5, kGrisOscuro);
  p.Linea(4.5, 7.5, 2.5, 13.5, kGrisOscuro);
  p.Linea(4.5, 7.5, 7.5, 13.5, kGrisOscuro);
  p.Linea(10.5, 7.5, 12.5, 13.5, kGrisOscuro);
  Nodo(p, 7.5, 2.5, 2, kAmbar, kAmbarOscuro);
  Nodo(p, 4.5, 7.5, 2);
  Nodo(p, 10.5, 7.5, 2);
  Nodo(p, 2.5, 13.5, 2);
  Nodo(p, 7.5, 13.5, 2);
  Nodo(p, 12.5, 13.5, 2);
}

// 26: export the stages: a stack of pages, a small tree on the front one.
void DibujarExportarEtapas(Pincel& p) {
  p.Rect(4.5, 0.5, 15.5, 11.5, kPapel, kGrisOscuro);
  p.Rect(2.5, 2.5, 13.5, 13.5, kPapel, kGrisOscuro);
  p.Rect(0.5, 4.5, 11.5, 15.5, kPapel, kTinta);
  p.Linea(6, 7.5, 3.5, 12, kGrisOscuro);
  p.Linea(6, 7.5, 8.5, 12, kGrisOscuro);
  Nodo(p, 6, 7.5, 1.5, kAmbar, kAmbarOscuro);
  Nodo(p, 3.5, 12, 1.5);
  Nodo(p, 8.5, 12, 1.5);
}

// The application icon, in a grid of 64 units.
void DibujarPrograma(Pincel& p) {
  p.Rect(2, 2, 62, 62, QColor(0x3A, 0x7B, 0xD5), QColor(0x22, 0x52, 0x8C), 2, 12);
  const QColor arista(0xFF, 0xFF, 0xFF, 0xE0);
  p.Linea(32, 15, 18, 33, arista, 3);
  p.Linea(32, 15, 46, 33, arista, 3);
  p.Linea(18, 33, 11, 50, arista, 3);
  p.Linea(18, 33, 27, 50, arista, 3);
  p.Linea(46, 33, 53, 50, arista, 3);
  const QColor borde(0x1A, 0x3E, 0x6B);
  p.Circulo(32, 15, 8, kAmbar, borde, 2);
  p.Circulo(18, 33, 7, kPapel, borde, 2);
  p.Circulo(46, 33, 7, kPapel, borde, 2);
  p.Circulo(11, 50, 6, QColor(0xBF, 0xE6, 0xC4), borde, 2);
  p.Circulo(27, 50, 6, QColor(0xBF, 0xE6, 0xC4), borde, 2);
  p.Circulo(53, 50, 6, QColor(0xF7, 0xB9, 0xB2), borde, 2);
}

using Dibujo = void (*)(Pincel&);

constexpr std::array<Dibujo, NumIconosHerramienta> kDibujos{
    DibujarArbol,             DibujarLimpiar,          DibujarNodo,
    DibujarAbrir,             DibujarPresentacion,     DibujarGuardar,
    DibujarSiguiente,         DibujarBuscar,           DibujarNuevo,
    DibujarBorrar,            DibujarFibonacci,        DibujarInsertar,
    DibujarRaton,             DibujarRotacion,         DibujarOperacion,
    DibujarAnimar,            DibujarEtapas,           DibujarRango,
    DibujarDeshacer,          DibujarRojoNegro,        DibujarPausas,
    DibujarOpcionesAnimacion, DibujarGuardarOperaciones, DibujarListaOperaciones,
    DibujarMonticuloDesordenado, DibujarCrearMonticulo, DibujarExportarEtapas};

// The disabled look: grey by brightness, pushed towards light, half faded.
void Apagar(QImage& imagen) {
  for (int y = 0; y < imagen.height(); ++y) {
    auto* fila = reinterpret_cast<QRgb*>(imagen.scanLine(y));
    for (int x = 0; x < imagen.width(); ++x) {
      const QRgb c = fila[x];  // premultiplied
      const int a = qAlpha(c);
      if (a == 0)
        continue;
      const int gris = (qRed(c) * 11 + qGreen(c) * 16 + qBlue(c) * 5) / 32;  // premultiplied
      const int claro = (gris + 160 * a / 255) / 2;
      const int nuevoA = a * 9 / 16;
      const int v = claro * nuevoA / a;
      fila[x] = qRgba(v, v, v, nuevoA);
    }
  }
}

// Paints one drawing at whatever size and pixel ratio is asked for, and
// keeps what it painted in the pixmap cache.
class TMotorIcono final : public QIconEngine {
public:
  TMotorIcono(Dibujo dibujo, int unidades, QString clave)
      : dibujo_(dibujo), unidades_(unidades), clave_(std::move(clave)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
             QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap imagen = scaledPixmap(rect.size() * ratio, mode, state, ratio);
    imagen.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), imagen);
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  // `size` is in device pixels already; the drawing depends on it alone.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/,
                       qreal /*scale*/) override {
    if (size.isEmpty())
      return {};
    const bool apagado = mode == QIcon::Disabled;
    const QString clave = QStringLiteral("%1:%2x%3:%4")
                              .arg(clave_)
                              .arg(size.width())
                              .arg(size.height())
                              .arg(apagado ? 1 : 0);
    QPixmap guardado;
    if (QPixmapCache::find(clave, &guardado))
      return guardado;

    QImage imagen(size, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    {
      QPainter pintor(&imagen);
      pintor.setRenderHint(QPainter::Antialiasing);
      const int lado = std::min(size.width(), size.height());
      pintor.translate((size.width() - lado) / 2, (size.height() - lado) / 2);
      Pincel pincel(pintor, static_cast<double>(lado) / unidades_);
      dibujo_(pincel);
    }
    if (apagado)
      Apagar(imagen);
    QPixmap resultado = QPixmap::fromImage(std::move(imagen));
    QPixmapCache::insert(clave, resultado);
    return resultado;
  }

  QString key() const override { return QStringLiteral("quelvar"); }
  QIconEngine* clone() const override { return new TMotorIcono(*this); }

private:
  Dibujo dibujo_;
  int unidades_;  // the side of the drawing's grid
  QString clave_;  // names the drawing in the pixmap cache
};

}  // namespace

QIcon IconoHerramienta(int indice) {
  if (indice < 0 || indice >= NumIconosHerramienta)
    return {};
  return QIcon(new TMotorIcono(kDibujos[static_cast<std::size_t>(indice)], 16,
                               QStringLiteral("quelvar-herramienta-%1").arg(indice)));
}

QIcon IconoPrograma() {
  return QIcon(new TMotorIcono(DibujarPrograma, 64, QStringLiteral("quelvar-programa")));
}
