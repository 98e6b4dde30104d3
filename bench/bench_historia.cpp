// The history: recording 10^5 steps (each Anotar with the snapshots it takes),
// undoing one step and jumping over the whole history, on an AVL tree built by
// 10^5 steps (9 insertions to 1 deletion), recorded one by one or opened as a
// list, and on a heap of 10^6 values with 100 insertions after it. The counters give the snapshots and their bytes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "uArbolAVL.h"
#include "uHistoria.h"
#include "uMonticulo.h"

namespace {

struct THistoriaGrande {
    std::unique_ptr<TArbolBin> Arbol;
    THistoria Historia;
};

// 10^5 steps from an empty AVL tree.
void PasosAVL(THistoriaGrande& h) {
    h.Arbol = std::make_unique<TArbolAVL>();
    h.Historia.Reiniciar(*h.Arbol);
    std::mt19937 gen(5);
    for (int i = 0; i < 100'000; ++i) {
        const auto k = static_cast<std::int32_t>(gen() % 1'000'000);
        if (gen() % 10 == 0 && h.Arbol->Seleccionar(k, true)) {
            h.Arbol->Borrar();
            h.Historia.Anotar({TPaso::Borrado, k}, *h.Arbol);
        } else {
            h.Arbol->Insertar(k);
            h.Historia.Anotar({TPaso::Insercion, k}, *h.Arbol);
        }
        h.Arbol->Deseleccionar();
    }
}

// 10^6 shuffled values as the base, the heap built, 100 insertions.
void PasosMonticulo(THistoriaGrande& h) {
    auto m = std::make_unique<TMonticulo>();
    m->CrearDesordenado(1'000'000);
    h.Historia.Reiniciar(*m);
    m->CrearMonticulo();
    h.Historia.Anotar({TPaso::Monticulo, 0}, *m);
    for (std::int32_t k = 0; k < 100; ++k) {
        m->Insertar(k * 7919);
        h.Historia.Anotar({TPaso::Insercion, k * 7919}, *m);
    }
    h.Arbol = std::move(m);
}

// The same 10^5 steps as an opened list gives them: all at once, replayed.
void ListaAVL(THistoriaGrande& h) {
    PasosAVL(h);
    std::vector<TPaso> pasos(h.Historia.Pasos().begin(), h.Historia.Pasos().end());
    h.Historia.Reiniciar(TArbolAVL(), std::move(pasos), 100'000);
    h.Arbol = h.Historia.IrA(100'000);
}

void (*const Casos[])(THistoriaGrande&) = {&PasosAVL, &PasosMonticulo, &ListaAVL};

void Contar(benchmark::State& St, const THistoria& h) {
    St.counters["instantaneas"] = static_cast<double>(h.NumInstantaneas());
    St.counters["MB"] = static_cast<double>(h.BytesInstantaneas()) / 1e6;
}

void BM_Anotar(benchmark::State& St) {
    for (auto _ : St) {
        THistoriaGrande h;
        Casos[St.range(0)](h);
        benchmark::DoNotOptimize(h.Arbol->Raiz);
        St.PauseTiming();
        Contar(St, h.Historia);
        h = {};
        St.ResumeTiming();
    }
}

void BM_DeshacerUno(benchmark::State& St) {
    THistoriaGrande h;
    Casos[St.range(0)](h);
    const std::size_t n = h.Historia.NumPasos();
    for (auto _ : St) {
        benchmark::DoNotOptimize(h.Historia.IrA(n - 1));
        St.PauseTiming();
        h.Historia.IrA(n);
        St.ResumeTiming();
    }
    Contar(St, h.Historia);
}

void BM_SaltoEntero(benchmark::State& St) {
    THistoriaGrande h;
    Casos[St.range(0)](h);
    const std::size_t n = h.Historia.NumPasos();
    for (auto _ : St) {
        benchmark::DoNotOptimize(h.Historia.IrA(0));
        benchmark::DoNotOptimize(h.Historia.IrA(n));
    }
    Contar(St, h.Historia);
}

}  // namespace

BENCHMARK(BM_Anotar)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DeshacerUno)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaltoEntero)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
