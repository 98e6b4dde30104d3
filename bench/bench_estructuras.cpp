// Speed of the structure engine. Each binary search tree operation runs next
// to std::set doing the same work on the same keys, each layout next to a
// plain pre-order walk of the same tree, and the byte stream as a round trip.
// Reports are off throughout (OnEtapa unassigned); every random input comes
// from a fixed seed, so two runs measure the same work.
//
// One iteration is a whole batch (10^6 operations, one layout of a 10^6-node
// tree, ...). What a batch needs beforehand, and the destruction of what it
// built, happen with the timer paused.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "uArbolBST.h"

namespace {

constexpr std::size_t NumClaves = 1'000'000;
constexpr std::int32_t NumOrdenadas = 10'000;
constexpr std::size_t NumEntradas = 100'000;
constexpr std::int32_t R = 15, Sx = 2, Sy = 5;

// N distinct keys over the whole 32-bit range, in random order.
std::vector<std::int32_t> ClavesDistintas(std::size_t N, std::uint32_t Semilla) {
    std::mt19937 gen(Semilla);
    std::vector<std::int32_t> v;
    while (v.size() < N) {
        while (v.size() < N + N / 16) v.push_back(static_cast<std::int32_t>(gen()));
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
    }
    std::shuffle(v.begin(), v.end(), gen);
    v.resize(N);
    return v;
}

std::vector<std::int32_t> Barajadas(std::vector<std::int32_t> v, std::uint32_t Semilla) {
    std::mt19937 gen(Semilla);
    std::shuffle(v.begin(), v.end(), gen);
    return v;
}

// Insertion order of every tree and set below.
const std::vector<std::int32_t>& Claves() {
    static const auto v = ClavesDistintas(NumClaves, 1);
    return v;
}
// The same keys in other orders, for the searches and the deletions.
const std::vector<std::int32_t>& OrdenBusqueda() {
    static const auto v = Barajadas(Claves(), 2);
    return v;
}
const std::vector<std::int32_t>& OrdenBorrado() {
    static const auto v = Barajadas(Claves(), 3);
    return v;
}

std::unique_ptr<TArbolBST> ArbolDeClaves() {
    auto a = std::make_unique<TArbolBST>();
    for (std::int32_t v : Claves()) a->Insertar(v);
    return a;
}

std::unique_ptr<std::set<std::int32_t>> ConjuntoDeClaves() {
    auto s = std::make_unique<std::set<std::int32_t>>();
    for (std::int32_t v : Claves()) s->insert(v);
    return s;
}

// The 10^6-node random tree searched, laid out, walked and streamed. It is
// built by insertion, so its nodes lie in memory in insertion order, as in a
// tree the user built.
TArbolBST& ArbolAleatorio() {
    static const auto a = ArbolDeClaves();
    return *a;
}

const std::set<std::int32_t>& ConjuntoAleatorio() {
    static const auto s = ConjuntoDeClaves();
    return *s;
}

// Operation entries: about 70% insertions of random positive keys, the rest
// deletions of keys inserted earlier and not yet deleted.
const std::vector<std::int32_t>& EntradasMixtas() {
    static const auto v = [] {
        std::mt19937 gen(4);
        std::uniform_int_distribution<std::int32_t> clave(1, INT32_MAX);
        std::uniform_int_distribution<int> dado(0, 9);
        std::vector<std::int32_t> entradas, vivas;
        while (entradas.size() < NumEntradas) {
            if (!vivas.empty() && dado(gen) < 3) {
                std::uniform_int_distribution<std::size_t> cual(0, vivas.size() - 1);
                const std::size_t k = cual(gen);
                entradas.push_back(-vivas[k]);
                vivas[k] = vivas.back();
                vivas.pop_back();
            } else {
                entradas.push_back(clave(gen));
                vivas.push_back(entradas.back());
            }
        }
        return entradas;
    }();
    return v;
}

void Items(benchmark::State& st, std::size_t PorIteracion) {
    st.SetItemsProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(PorIteracion));
}

// A broken premise would make every number below meaningless.
void Exigir(bool Cond, const char* Que) {
    if (!Cond) {
        std::cerr << "bench_estructuras: " << Que << '\n';
        std::abort();
    }
}

// ---------------------------------------------------------------- search tree against std::set

void InsertarArbol(benchmark::State& st) {
    const auto& claves = Claves();
    std::unique_ptr<TArbolBST> a;
    for (auto _ : st) {
        a = std::make_unique<TArbolBST>();
        for (std::int32_t v : claves) benchmark::DoNotOptimize(a->Insertar(v));
        st.PauseTiming();
        Exigir(a->NumNodos == static_cast<std::int32_t>(claves.size()), "insertion lost keys");
        a.reset();
        st.ResumeTiming();
    }
    Items(st, claves.size());
}

void InsertarSet(benchmark::State& st) {
    const auto& claves = Claves();
    std::unique_ptr<std::set<std::int32_t>> s;
    for (auto _ : st) {
        s = std::make_unique<std::set<std::int32_t>>();
        for (std::int32_t v : claves) benchmark::DoNotOptimize(s->insert(v).second);
        st.PauseTiming();
        s.reset();
        st.ResumeTiming();
    }
    Items(st, claves.size());
}

void BuscarArbol(benchmark::State& st) {
    TArbolBST& a = ArbolAleatorio();
    const auto& orden = OrdenBusqueda();
    for (auto _ : st) {
        std::size_t hallados = 0;
        for (std::int32_t v : orden) hallados += a.Buscar(v) ? 1 : 0;
        benchmark::DoNotOptimize(hallados);
        Exigir(hallados == orden.size(), "a search missed a key");
    }
    Items(st, orden.size());
}

void BuscarSet(benchmark::State& st) {
    const auto& s = ConjuntoAleatorio();
    const auto& orden = OrdenBusqueda();
    for (auto _ : st) {
        std::size_t hallados = 0;
        for (std::int32_t v : orden) hallados += s.find(v) != s.end() ? 1 : 0;
        benchmark::DoNotOptimize(hallados);
        Exigir(hallados == orden.size(), "a search missed a key");
    }
    Items(st, orden.size());
}

// Every key is deleted, in an order unrelated to the insertion order.
void BorrarArbol(benchmark::State& st) {
    const auto& orden = OrdenBorrado();
    for (auto _ : st) {
        st.PauseTiming();
        auto a = ArbolDeClaves();
        st.ResumeTiming();
        for (std::int32_t v : orden) {
            a->Seleccionar(v, true);
            a->Borrar();
        }
        st.PauseTiming();
        Exigir(a->NumNodos == 0 && a->Raiz == nullptr, "a deletion missed a key");
        a.reset();
        st.ResumeTiming();
    }
    Items(st, orden.size());
}

void BorrarSet(benchmark::State& st) {
    const auto& orden = OrdenBorrado();
    for (auto _ : st) {
        st.PauseTiming();
        auto s = ConjuntoDeClaves();
        st.ResumeTiming();
        for (std::int32_t v : orden) benchmark::DoNotOptimize(s->erase(v));
        st.PauseTiming();
        Exigir(s->empty(), "a deletion missed a key");
        s.reset();
        st.ResumeTiming();
    }
    Items(st, orden.size());
}

// Sorted keys make a chain, and each insertion walks all of it: quadratic by
// nature. Measured only to show that it completes.
void InsertarOrdenadas(benchmark::State& st) {
    for (auto _ : st) {
        TArbolBST a;
        for (std::int32_t v = 0; v < NumOrdenadas; ++v) a.Insertar(v);
        benchmark::DoNotOptimize(a.Raiz);
        Exigir(a.Altura() == NumOrdenadas, "sorted insertion did not make a chain");
    }
    Items(st, static_cast<std::size_t>(NumOrdenadas));
}

// ---------------------------------------------------------------- layouts against a plain walk

// The least a layout must do: visit every node once, parents first.
void RecorridoPila(benchmark::State& st) {
    const TArbolBST& a = ArbolAleatorio();
    std::vector<const TNodoBin*> pila;
    for (auto _ : st) {
        std::int64_t suma = 0;
        pila.clear();
        pila.push_back(a.Raiz);
        while (!pila.empty()) {
            const TNodoBin* n = pila.back();
            pila.pop_back();
            suma += n->Valor;
            if (n->Der != nullptr) pila.push_back(n->Der);
            if (n->Izq != nullptr) pila.push_back(n->Izq);
        }
        benchmark::DoNotOptimize(suma);
    }
    Items(st, NumClaves);
}

void RecorridoPreorden(benchmark::State& st) {
    TArbolBST& a = ArbolAleatorio();
    for (auto _ : st) {
        std::int64_t suma = 0;
        RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { suma += n->Valor; });
        benchmark::DoNotOptimize(suma);
    }
    Items(st, NumClaves);
}

template <TDistribucion (TArbolBin::*Distribuir)(std::int32_t, std::int32_t, std::int32_t)>
void Distribucion(benchmark::State& st) {
    TArbolBST& a = ArbolAleatorio();
    for (auto _ : st) benchmark::DoNotOptimize((a.*Distribuir)(R, Sx, Sy));
    Items(st, NumClaves);
}

// ---------------------------------------------------------------- stream

// Guardar into a fresh buffer, Cargar into a fresh structure: what a file
// save followed by a file open does.
void GuardarCargar(benchmark::State& st) {
    const TArbolBST& a = ArbolAleatorio();
    std::vector<std::uint8_t> datos;
    std::unique_ptr<TArbolBST> copia;
    for (auto _ : st) {
        datos = a.Guardar();
        copia = std::make_unique<TArbolBST>();
        copia->Cargar(datos);
        st.PauseTiming();
        Exigir(copia->NumNodos == a.NumNodos && copia->Raiz->Valor == a.Raiz->Valor, "the round trip lost nodes");
        datos = {};
        copia.reset();
        st.ResumeTiming();
    }
    Items(st, NumClaves);
}

void SoloGuardar(benchmark::State& st) {
    const TArbolBST& a = ArbolAleatorio();
    std::vector<std::uint8_t> datos;
    for (auto _ : st) {
        datos = a.Guardar();
        st.PauseTiming();
        datos = {};
        st.ResumeTiming();
    }
    Items(st, NumClaves);
}

void SoloCargar(benchmark::State& st) {
    const auto datos = ArbolAleatorio().Guardar();
    std::unique_ptr<TArbolBST> copia;
    for (auto _ : st) {
        copia = std::make_unique<TArbolBST>();
        copia->Cargar(datos);
        st.PauseTiming();
        copia.reset();
        st.ResumeTiming();
    }
    Items(st, NumClaves);
}

// ---------------------------------------------------------------- replay

void ReconstruirArbol(benchmark::State& st) {
    const auto& entradas = EntradasMixtas();
    TArbolBST a;
    for (auto _ : st) {
        a.Reconstruir(entradas);
        benchmark::DoNotOptimize(a.Raiz);
    }
    Items(st, entradas.size());
}

// The same replay on std::set, starting from empty as Reconstruir does.
void ReconstruirSet(benchmark::State& st) {
    const auto& entradas = EntradasMixtas();
    std::set<std::int32_t> s;
    for (auto _ : st) {
        s.clear();
        for (std::int32_t e : entradas) {
            if (e < 0)
                s.erase(ClaveBorrada(e));
            else
                s.insert(e);
        }
        benchmark::DoNotOptimize(s.size());
    }
    Items(st, entradas.size());
}

void Registrar(const std::string& Nombre, void (*Fn)(benchmark::State&)) {
    benchmark::RegisterBenchmark(Nombre.c_str(), Fn)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    Registrar("Insertar/TArbolBST", InsertarArbol);
    Registrar("Insertar/std::set", InsertarSet);
    Registrar("Buscar/TArbolBST", BuscarArbol);
    Registrar("Buscar/std::set", BuscarSet);
    Registrar("Borrar/TArbolBST", BorrarArbol);
    Registrar("Borrar/std::set", BorrarSet);
    Registrar("InsertarOrdenadas/TArbolBST", InsertarOrdenadas);
    Registrar("Recorrido/pila", RecorridoPila);
    Registrar("Recorrido/RecorrerPreorden", RecorridoPreorden);
    Registrar("DistribuirSeparada", Distribucion<&TArbolBin::DistribuirSeparada>);
    Registrar("DistribuirComprimida", Distribucion<&TArbolBin::DistribuirComprimida>);
    Registrar("DistribuirCompleta", Distribucion<&TArbolBin::DistribuirCompleta>);
    Registrar("Flujo/Guardar+Cargar", GuardarCargar);
    Registrar("Flujo/Guardar", SoloGuardar);
    Registrar("Flujo/Cargar", SoloCargar);
    Registrar("Reconstruir/TArbolBST", ReconstruirArbol);
    Registrar("Reconstruir/std::set", ReconstruirSet);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
