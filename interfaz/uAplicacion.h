#pragma once
// The application object and its one error handler. Every command runs its
// body under the main window's guard; as a safety net the application also
// catches what an event handler lets out, so no exception travels through
// Qt's event loop, and both end in the same handler.

#include <QApplication>

#include <cstdio>
#include <exception>
#include <functional>

// Answers --help and --version on Salida before any window or display is
// needed: the exit status, or -1 when the command line asks for neither.
int AyudaOVersion(int argc, const char* const* argv, std::FILE* Salida);

// Shows the text of an error that left a command or an event handler and
// leaves the program usable; false when nobody was there to show it.
using TManejadorErrores = std::function<bool(const QString& texto)>;

// The handler in force (the main window installs its own at creation).
void PonerManejadorErrores(TManejadorErrores manejador);
// Passes the error's text to the handler in force.
void ManejarError(const std::exception& error);

class TAplicacion final : public QApplication {
  Q_OBJECT
public:
  TAplicacion(int& argc, char** argv);
  bool notify(QObject* receptor, QEvent* evento) override;
};
