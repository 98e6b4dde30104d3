// Where the build writes the node pictures; the tests that need them are skipped when it writes none.
#pragma once

#include <QString>
#include <QTest>

#ifdef QUELVAR_CARPETA_IMAGENES
inline QString CarpetaImagenes() { return QStringLiteral(QUELVAR_CARPETA_IMAGENES); }
#else
inline QString CarpetaImagenes() { return {}; }
#endif
#define SALTAR_SIN_IMAGENES() \
  if (CarpetaImagenes().isEmpty()) QSKIP("the picture generator is not part of this build")
