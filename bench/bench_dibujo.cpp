// Speed of the canvas drawing: one whole picture of a 10^5-node and of a
// 10^3-node random search tree into the same 1920 x 1080 buffer, each seen at
// the middle of its layout (separated, radius 15, separations 2 and 5, nodes
// with their numbers), and one animation frame of the large tree (the motion
// step and the picture). Only what falls inside the buffer is drawn, and the
// walk is told the facts the positions satisfy (as the window tells it
// between operations), so it leaves out the subtrees that cannot reach the
// buffer: the large tree should cost little more than the small one.
// Then what the window does to show the two largest demonstration
// structures: the AVL Fibonacci tree of order 30 and the unordered heap of
// 10^6 values.
// Then the zoom: the 10^5-node tree fitted whole into the buffer (a frame
// with the positions summary kept, and the first picture after it is
// forgotten), and the 10^6-value heap zoomed from "fit" to 400 % around a
// point and panned at several zooms, each frame timed.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include <time.h>

#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uMonticulo.h"
#include "uDibujo.h"

namespace {

constexpr int Ancho = 1920, Alto = 1080;

struct TEscena {
  std::unique_ptr<TArbolBST> Arbol = std::make_unique<TArbolBST>();
  TAjustesDibujo Ajustes;
  QImage Buffer{Ancho, Alto, QImage::Format_RGB32};
};

// n distinct random keys, laid out separated, the view on the middle.
TEscena Escena(int n) {
  TEscena e;
  std::mt19937 gen(12345);
  while (e.Arbol->NumNodos < n)
    e.Arbol->Insertar(static_cast<std::int32_t>(gen() & 0x7FFFFFFF));
  e.Arbol->Deseleccionar();
  const TDistribucion d = e.Arbol->DistribuirSeparada(15, 2, 5);
  e.Ajustes.R = 15;
  e.Ajustes.YCreceHaciaAbajo = true;
  e.Ajustes.XEnOrdenSimetrico = true;
  e.Ajustes.DesplX = (d.Ancho - Ancho) / 2;
  e.Ajustes.DesplY = (d.Alto - Alto) / 2;
  return e;
}

void Dibujar(benchmark::State& estado) {
  TEscena e = Escena(static_cast<int>(estado.range(0)));
  for (auto _ : estado) {
    DibujarEstructura(e.Buffer, *e.Arbol, e.Ajustes);
    benchmark::DoNotOptimize(e.Buffer.constBits());
  }
}

// The frames move every node between the separated and the compressed
// layout of the same tree. The compressed layout does not keep x in
// symmetric order, so only the subtrees below the buffer are left out.
void FotogramaAnimacion(benchmark::State& estado) {
  TEscena e = Escena(static_cast<int>(estado.range(0)));
  e.Arbol->GuardarInicio();
  e.Arbol->DistribuirComprimida(15, 2, 5);
  e.Arbol->GuardarDestino();
  e.Ajustes.XEnOrdenSimetrico = false;
  int paso = 0;
  for (auto _ : estado) {
    e.Arbol->Interpolar((paso++ % 10 + 1) / 10.0);
    DibujarEstructura(e.Buffer, *e.Arbol, e.Ajustes);
    benchmark::DoNotOptimize(e.Buffer.constBits());
  }
}

// What the window does to show a structure a builder has just made: the
// build, the separated layout, the view centred on the root, the first
// picture (the walk told the layout's position facts) and the statistics of
// the status bar. Each phase is also timed on its own (manual timers would
// hide the others, so they are reported as counters in milliseconds).
template <class Construir>
void MostrarConstruida(benchmark::State& estado, Construir construir) {
  QImage buffer(Ancho, Alto, QImage::Format_RGB32);
  double construccion = 0, distribucion = 0, dibujo = 0, estadisticas = 0;
  for (auto _ : estado) {
    QElapsedTimer t;
    t.start();
    std::unique_ptr<TArbolBin> arbol = construir();
    construccion += static_cast<double>(t.nsecsElapsed()) / 1e6;
    t.restart();
    const TDistribucion d = arbol->DistribuirSeparada(15, 2, 5);
    distribucion += static_cast<double>(t.nsecsElapsed()) / 1e6;
    t.restart();
    TAjustesDibujo a;
    a.R = 15;
    a.YCreceHaciaAbajo = true;
    a.XEnOrdenSimetrico = true;
    a.DesplX = std::clamp(arbol->Raiz->X - Ancho / 2, 0, std::max(0, d.Ancho - Ancho - 1));
    a.DesplY = 0;
    DibujarEstructura(buffer, *arbol, a);
    benchmark::DoNotOptimize(buffer.constBits());
    dibujo += static_cast<double>(t.nsecsElapsed()) / 1e6;
    t.restart();
    benchmark::DoNotOptimize(arbol->Altura());
    benchmark::DoNotOptimize(arbol->OpPromedio());
    estadisticas += static_cast<double>(t.nsecsElapsed()) / 1e6;
    estado.PauseTiming();
    arbol.reset();
    estado.ResumeTiming();
  }
  const auto media = [&](double ms) {
    return benchmark::Counter(ms / static_cast<double>(estado.iterations()));
  };
  estado.counters["construir_ms"] = media(construccion);
  estado.counters["distribuir_ms"] = media(distribucion);
  estado.counters["dibujar_ms"] = media(dibujo);
  estado.counters["estadisticas_ms"] = media(estadisticas);
}

// "AVL Fibonacci" of order n: F(n+2) - 1 nodes (2,178,308 for 30).
void MostrarFibonacci(benchmark::State& estado) {
  const auto orden = static_cast<std::int32_t>(estado.range(0));
  MostrarConstruida(estado, [orden] {
    auto avl = std::make_unique<TArbolAVL>();
    avl->CrearFibonacci(orden);
    return std::unique_ptr<TArbolBin>(std::move(avl));
  });
}

// "Montículo desordenado" of n values (the vector row drawn too).
void MostrarMonticuloDesordenado(benchmark::State& estado) {
  const auto n = static_cast<std::int32_t>(estado.range(0));
  MostrarConstruida(estado, [n] {
    auto monticulo = std::make_unique<TMonticulo>();
    monticulo->CrearDesordenado(n);
    return std::unique_ptr<TArbolBin>(std::move(monticulo));
  });
}

// The zoom the canvas takes for "fit": the layout's width into the buffer's,
// the height too when it fits, but never flatter than the width's zoom.
void Ajustar(TAjustesDibujo& a, const TDistribucion& d) {
  a.EscalaX = static_cast<double>(Ancho) / std::max(1, d.Ancho);
  a.EscalaY = std::max(a.EscalaX, std::min(1.0, static_cast<double>(Alto) / std::max(1, d.Alto)));
  a.DesplX = a.DesplY = 0;
}

// The 10^5-node tree at "fit": range(1) 1 keeps the summary between frames,
// 0 forgets it before each (the first picture after a change).
void DibujarAjustado(benchmark::State& estado) {
  TEscena e = Escena(static_cast<int>(estado.range(0)));
  TResumenVista resumen;
  Ajustar(e.Ajustes, e.Arbol->DistribuirSeparada(15, 2, 5));
  e.Ajustes.Resumen = &resumen;
  const bool conservar = estado.range(1) != 0;
  for (auto _ : estado) {
    if (!conservar)
      resumen.Olvidar();
    DibujarEstructura(e.Buffer, *e.Arbol, e.Ajustes);
    benchmark::DoNotOptimize(e.Buffer.constBits());
  }
}

// The 10^6-value unordered heap, separated, with its summary made by a first
// picture at "fit".
struct TEscenaMonticulo {
  TMonticulo Monticulo;
  TDistribucion Dist{};
  TResumenVista Resumen;
  TAjustesDibujo Ajustes;
  QImage Buffer{Ancho, Alto, QImage::Format_RGB32};
  TEscenaMonticulo() {
    Monticulo.CrearDesordenado(1000000);
    Dist = Monticulo.DistribuirSeparada(15, 2, 5);
    Ajustes.R = 15;
    Ajustes.YCreceHaciaAbajo = Ajustes.XEnOrdenSimetrico = true;
    Ajustes.Resumen = &Resumen;
    Ajustar(Ajustes, Dist);
    DibujarEstructura(Buffer, Monticulo, Ajustes);  // makes the summary
  }
};

// The time this thread has run, in milliseconds: a frame's cost, without the
// waits for a core that another process holds.
double MsDeHilo() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Runs the frames and reports the mean and the slowest one in milliseconds.
template <class Fotograma>
void Fotogramas(benchmark::State& estado, int numFotogramas, Fotograma fotograma) {
  double peor = 0, total = 0;
  std::int64_t cuantos = 0;
  for (auto _ : estado)
    for (int f = 0; f < numFotogramas; ++f) {
      const double inicio = MsDeHilo();
      fotograma(f);
      const double ms = MsDeHilo() - inicio;
      peor = std::max(peor, ms), total += ms, ++cuantos;
    }
  estado.counters["fotograma_ms"] = total / static_cast<double>(std::max<std::int64_t>(1, cuantos));
  estado.counters["peor_ms"] = peor;
}

// Zoom frames from "fit" to 4.0 in steps of 1.25 around a point of the
// bottom level (the point stays under the same pixel), through the switch
// from the overview to the detailed drawing, and back.
void ZoomMonticulo(benchmark::State& estado) {
  static TEscenaMonticulo e;
  TAjustesDibujo& a = e.Ajustes;
  Ajustar(a, e.Dist);
  std::vector<double> escalas;
  for (double s = a.EscalaX; s < 4.0; s *= 1.25)
    escalas.push_back(s);
  escalas.push_back(4.0);
  for (std::size_t k = escalas.size() - 1; k-- > 0;)
    escalas.push_back(escalas[k]);
  const double px = e.Dist.Ancho * 0.3, py = e.Dist.Alto - 15;  // the layout point kept under the pixel
  const double mx = Ancho * 0.3, my = Alto * 0.6;
  Fotogramas(estado, static_cast<int>(escalas.size()), [&](int f) {
    const double s = escalas[static_cast<std::size_t>(f)];
    a.EscalaX = s;
    a.EscalaY = std::max(s, std::min(1.0, static_cast<double>(Alto) / e.Dist.Alto));
    a.DesplX = static_cast<int>(std::lround(px * s - mx));
    a.DesplY = static_cast<int>(std::lround(py * a.EscalaY - my));
    DibujarEstructura(e.Buffer, e.Monticulo, a);
    benchmark::DoNotOptimize(e.Buffer.constBits());
  });
}

// Pan frames at zoom range(0) / 100: 40 steps of 97 px to the right and
// 31 px down from the middle of the layout.
void DesplazarMonticulo(benchmark::State& estado) {
  static TEscenaMonticulo e;
  TAjustesDibujo& a = e.Ajustes;
  const double s = static_cast<double>(estado.range(0)) / 100;
  a.EscalaX = s;
  a.EscalaY = std::max(s, std::min(1.0, static_cast<double>(Alto) / e.Dist.Alto));
  const int x0 = static_cast<int>(std::lround(e.Dist.Ancho * s / 2)), y0 = static_cast<int>(std::lround(e.Dist.Alto * a.EscalaY / 3));
  Fotogramas(estado, 40, [&](int f) {
    a.DesplX = x0 + 97 * f;
    a.DesplY = y0 + 31 * f;
    DibujarEstructura(e.Buffer, e.Monticulo, a);
    benchmark::DoNotOptimize(e.Buffer.constBits());
  });
}

}  // namespace

BENCHMARK(MostrarFibonacci)->Arg(30)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MostrarMonticuloDesordenado)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Dibujar)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(FotogramaAnimacion)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(DibujarAjustado)->Args({100000, 1})->Args({100000, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomMonticulo)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DesplazarMonticulo)->Arg(1)->Arg(10)->Arg(50)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  // Fonts need a GUI application; no display is needed to draw into a picture.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
