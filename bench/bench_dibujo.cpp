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

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>

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

}  // namespace

BENCHMARK(MostrarFibonacci)->Arg(30)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MostrarMonticuloDesordenado)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Dibujar)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(FotogramaAnimacion)->Arg(100000)->Unit(benchmark::kMillisecond);

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
