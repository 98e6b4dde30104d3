// What the drawing and canvas suites share: where the build writes the node pictures, and one way to draw.
#pragma once

#include "uDibujo.h"

#include <QString>
#include <QTest>

inline QString CarpetaImagenes() { return QStringLiteral(QUELVAR_CARPETA_IMAGENES); }

inline QRgb Rgb(TColor c) { return ColorQt(c).rgb(); }
inline QImage Dibujo(const TArbolBin& a, const TAjustesDibujo& aj, int w = 160, int h = 120) {
  QImage img(w, h, QImage::Format_RGB32);
  DibujarEstructura(img, a, aj);
  return img;
}
