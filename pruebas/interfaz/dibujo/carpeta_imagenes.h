// Where the build writes the node pictures, for the two drawing suites.
#pragma once

#include <QString>
#include <QTest>

// The pictures' folder, or an empty string when the picture generator is not
// part of this build.
inline QString CarpetaImagenes() {
#ifdef QUELVAR_CARPETA_IMAGENES
  return QStringLiteral(QUELVAR_CARPETA_IMAGENES);
#else
  return {};
#endif
}

#define SALTAR_SIN_IMAGENES() \
  if (CarpetaImagenes().isEmpty()) QSKIP("the picture generator is not part of this build")
