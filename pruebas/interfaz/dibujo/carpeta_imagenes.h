// Where the build writes the node pictures (empty when the generator is not part of this build).
#pragma once

#include <QString>
#include <QTest>

inline QString CarpetaImagenes() {
#ifdef QUELVAR_CARPETA_IMAGENES
  return QStringLiteral(QUELVAR_CARPETA_IMAGENES);
#else
  return {};
#endif
}

#define SALTAR_SIN_IMAGENES() \
  if (CarpetaImagenes().isEmpty()) QSKIP("the picture generator is not part of this build")
