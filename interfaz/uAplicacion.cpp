#include "uAplicacion.h"

#include <QDebug>

#include <cstring>

namespace {

TManejadorErrores& Manejador() {
  static TManejadorErrores manejador;
  return manejador;
}

}  // namespace

int AyudaOVersion(int argc, const char* const* argv, std::FILE* Salida) {
  // "Usage:" as the tools' parser writes it, so the manual page gets its synopsis.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fputs("quelvar " QUELVAR_VERSION "\n", Salida);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs("Usage: quelvar [OPCIONES]\n"
                 "Programa de docencia de estructuras de datos: árboles binarios de búsqueda, AVL,\n"
                 "rojo-negro y splay, y montículos, con cada etapa de sus algoritmos explicada.\n"
                 "\n"
                 "  -h, --help     muestra esta ayuda y termina\n"
                 "      --version  muestra la versión y termina\n"
                 "\n"
                 "Admite también las opciones de Qt, como -platform offscreen.\n",
                 Salida);
      return 0;
    }
  }
  return -1;
}

void PonerManejadorErrores(TManejadorErrores manejador) { Manejador() = std::move(manejador); }

void ManejarError(const std::exception& error) {
  const QString texto = QString::fromUtf8(error.what());
  // Without a window to show it, the text is at least not lost.
  if (!Manejador() || !Manejador()(texto))
    qWarning().noquote() << texto;
}

TAplicacion::TAplicacion(int& argc, char** argv) : QApplication(argc, argv) {}

bool TAplicacion::notify(QObject* receptor, QEvent* evento) {
  try {
    return QApplication::notify(receptor, evento);
  } catch (const std::exception& error) {
    ManejarError(error);
    return false;
  }
}
