// Speed of the canvas drawing: one whole picture of a 10^5-node and of a
// 10^3-node random search tree into the same 1920 x 1080 buffer, each seen at
// the middle of its layout (separated, radius 15, separations 2 and 5, nodes
// with their numbers), and one animation frame of the large tree (the motion
// step and the picture). Only what falls inside the buffer is drawn, and the
// walk is told the facts the positions satisfy (as the window tells it
// between operations), so it leaves out the subtrees that cannot reach the
// buffer: the large tree should cost little more than the small one.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <memory>
#include <random>

#include "uArbolBST.h"
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

}  // namespace

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
