// Latency of a cancel: a cancel request is posted from another thread, at a
// known time, into a running piece of long work (TTrabajo on the GUI thread),
// and the time until TTrabajo::Ejecutar returns is measured. Each kind of
// work is first timed whole; the cancel is then posted part of the way
// through, where the structure is already large. Target: within 100 ms.
//
// Also prints each work's whole time (the best of 3), with and without the
// progress hook: the hook's cost when nothing is cancelled.

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numeric>
#include <thread>
#include <vector>

#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uTrabajo.h"

namespace {

using Reloj = std::chrono::steady_clock;

double Ms(Reloj::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// One kind of work: given the hook (nil: none), runs to its end.
using TObra = std::function<void(const std::function<void(std::int64_t)>&)>;

double Entera(const TObra& obra, bool conGancho, QWidget& ventana) {
  TTrabajo t(&ventana, QStringLiteral("Medida"));
  const auto t0 = Reloj::now();
  t.Ejecutar([&] { obra(conGancho ? t.Gancho() : std::function<void(std::int64_t)>{}); });
  return Ms(Reloj::now() - t0);
}

// fraccion: how far into the work (by its whole time) the cancel is posted;
// early enough that the work still calls its hook (a builder's last pass,
// the AVL factors, calls none).
void Medir(const char* nombre, const TObra& obra, QWidget& ventana, double fraccion) {
  Entera(obra, false, ventana);  // the first run pays the page faults
  double entera = 1e30, sinGancho = 1e30;
  for (int k = 0; k < 3; ++k) {
    entera = std::min(entera, Entera(obra, true, ventana));
    sinGancho = std::min(sinGancho, Entera(obra, false, ventana));
  }
  const auto espera = std::chrono::duration<double, std::milli>(std::min(entera * fraccion, 2000.0));
  std::printf("%-34s whole %8.1f ms (no hook %8.1f ms)\n", nombre, entera, sinGancho);
  std::vector<double> latencias;
  for (int k = 0; k < 7; ++k) {
    TTrabajo t(&ventana, QStringLiteral("Medida"));
    Reloj::time_point pedido{};
    std::thread hilo([&] {
      std::this_thread::sleep_for(espera);
      pedido = Reloj::now();
      QMetaObject::invokeMethod(&t, [&t] { t.Cancelar(); }, Qt::QueuedConnection);
    });
    const bool acabado = t.Ejecutar([&] { obra(t.Gancho()); });
    const auto fin = Reloj::now();
    hilo.join();
    if (acabado) {
      std::printf("%-34s ended before the cancel arrived\n", nombre);
      continue;
    }
    latencias.push_back(Ms(fin - pedido));
  }
  std::sort(latencias.begin(), latencias.end());
  if (latencias.empty())
    return;
  const double mediana = latencias[latencias.size() / 2], maxima = latencias.back();
  std::printf("%-34s cancel latency: median %6.2f ms, max %6.2f ms  %s\n", nombre, mediana, maxima,
              maxima <= 100 ? "ok (<= 100 ms)" : "MISSED (> 100 ms)");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QWidget ventana;
  ventana.resize(640, 480);
  ventana.show();

  // A sorted list replayed into a plain search tree: a chain, each insertion
  // walks all of it.
  std::vector<TOperacion> ordenadas(60'000);
  for (std::size_t i = 0; i < ordenadas.size(); ++i)
    ordenadas[i] = {TOperacion::Insercion, static_cast<std::int32_t>(i)};
  Medir("replay 6*10^4 sorted into BST", [&](const auto& gancho) {
    TArbolBST a;
    a.Avance = gancho;
    a.Reconstruir(ordenadas);
  }, ventana, 0.25);

  Medir("Fibonacci AVL tree of order 30", [](const auto& gancho) {
    TArbolAVL a;
    a.Avance = gancho;
    a.CrearFibonacci(30);
  }, ventana, 0.125);

  // A file of 5.7 million nodes (34 MB): the Fibonacci tree of order 32.
  std::vector<std::uint8_t> fichero;
  {
    TArbolAVL a;
    a.CrearFibonacci(32);
    fichero = a.Guardar();
  }
  Medir("load of a 5.7*10^6-node file", [&](const auto& gancho) {
    TArbolAVL a;
    a.Avance = gancho;
    a.Cargar(fichero);
  }, ventana, 0.25);
  return 0;
}
