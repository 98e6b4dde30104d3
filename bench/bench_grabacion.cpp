// The recording of an operation on large structures: Grabar (the operation
// with every report recorded and the live presentation's layouts), and Foto
// (one stage's pictures rebuilt) for the middle and the last stage. The
// counters give the stages and the bytes the recording holds.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>

#include "uArbolAVL.h"
#include "uGrabacion.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

namespace {

void Distribuir(TArbolBin& A) { A.DistribuirSeparada(15, 2, 5); }

struct TCasoGrande {
    std::unique_ptr<TArbolBin> (*Crear)();
    TOperacionArbol Operacion;
};

// An AVL tree of 10^5 random keys and the insertion of one more.
std::unique_ptr<TArbolBin> AVLAleatorio() {
    auto a = std::make_unique<TArbolAVL>();
    std::mt19937 gen(3);
    while (a->NumNodos < 100'000) a->Insertar(static_cast<std::int32_t>(gen() % 100'000'000));
    Distribuir(*a);
    return a;
}

// A splay tree of 10^4 sorted insertions: a left chain, 1 the deepest.
std::unique_ptr<TArbolBin> CadenaSplay() {
    auto a = std::make_unique<TSplayTree>();
    for (std::int32_t v = 1; v <= 10'000; ++v) a->Insertar(v);
    Distribuir(*a);
    return a;
}

// 10^5 values in shuffled cells, before "Crear montículo".
std::unique_ptr<TArbolBin> MonticuloDesordenado() {
    auto a = std::make_unique<TMonticulo>();
    TAleatorio g;
    a->CrearDesordenado(100'000, g);
    Distribuir(*a);
    return a;
}

const TCasoGrande Casos[] = {
    {&AVLAleatorio, [](TArbolBin& a) { a.Insertar(50'000'001); }},
    {&CadenaSplay, [](TArbolBin& a) { a.Buscar(1); }},
    {&MonticuloDesordenado, [](TArbolBin& a) { static_cast<TMonticulo&>(a).CrearMonticulo(); }},
};

void BM_Grabar(benchmark::State& St) {
    const TCasoGrande& c = Casos[St.range(0)];
    const std::unique_ptr<TArbolBin> original = c.Crear();
    TGrabacion g;
    for (auto _ : St) {
        St.PauseTiming();
        std::unique_ptr<TArbolBin> a = original->Clonar();
        St.ResumeTiming();
        g.Grabar(*a, c.Operacion, Distribuir);
        St.PauseTiming();
        a.reset();
        St.ResumeTiming();
    }
    St.counters["etapas"] = static_cast<double>(g.NumEtapas());
    St.counters["bytes"] = static_cast<double>(g.BytesRetenidos());
}

// range(1): 0 the middle stage, 1 the last.
void BM_Foto(benchmark::State& St) {
    const TCasoGrande& c = Casos[St.range(0)];
    std::unique_ptr<TArbolBin> a = c.Crear();
    TGrabacion g;
    g.Grabar(*a, c.Operacion, Distribuir);
    const std::size_t k = St.range(1) == 0 ? g.NumEtapas() / 2 : g.NumEtapas() - 1;
    for (auto _ : St) {
        TGrabacion::TFoto f = g.Foto(k);
        benchmark::DoNotOptimize(f.Antes.get());
    }
    St.counters["etapa"] = static_cast<double>(k);
}

// Case 0: AVL insertion, 10^5 nodes; 1: splay of the deepest key of a 10^4
// chain; 2: "Crear montículo" of 10^5 values.
BENCHMARK(BM_Grabar)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Foto)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
