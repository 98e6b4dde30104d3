// The program's entry: the application with its title, then the main window
// and the three dialogs, then the message loop until the main window closes.
#include "uAplicacion.h"
#include "uIconos.h"
#include "uPrograma.h"
#include "vPpal.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
  TAplicacion app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("TALMERA Programa de Docencia"));
  QApplication::setWindowIcon(IconoPrograma());
  TPrograma programa(PlataformaQt());
  TVentPpal* ventana = programa.VentPpal();
  // Without a window manager nobody honours "maximised": take the screen.
  if (const QScreen* pantalla = QGuiApplication::primaryScreen())
    ventana->setGeometry(pantalla->availableGeometry());
  ventana->showMaximized();
  return QApplication::exec();
}
