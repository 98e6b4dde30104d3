// The program's entry: the application with its title, then the main window
// and the three dialogs, then the message loop until the main window closes.
#include "uAplicacion.h"
#include "uIconos.h"
#include "uPrograma.h"
#include "vPpal.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char* argv[]) {
  if (const int estado = AyudaOVersion(argc, argv, stdout); estado >= 0) return estado;
  TAplicacion app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("TALMERA Programa de Docencia"));
  QApplication::setWindowIcon(IconoPrograma());
  // Qt's own dialogs (files, colours, fonts, input box) speak Spanish too.
  QTranslator traduccionQt;
  if (traduccionQt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&traduccionQt);
  TPrograma programa(PlataformaQt());
  TVentPpal* ventana = programa.VentPpal();
  // Without a window manager nobody honours "maximised": take the screen.
  if (const QScreen* pantalla = QGuiApplication::primaryScreen())
    ventana->setGeometry(pantalla->availableGeometry());
  ventana->showMaximized();
  return QApplication::exec();
}
