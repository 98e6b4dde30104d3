#include "uAplicacion.h"

#include <QDebug>

namespace {

TManejadorErrores& Manejador() {
  static TManejadorErrores manejador;
  return manejador;
}

}  // namespace

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
