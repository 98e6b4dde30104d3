// Speed of the structure engine. Each search tree kind runs next to std::set
// doing the same work on the same keys, the heap next to std::priority_queue,
// each layout next to a plain pre-order walk of the same tree, and the byte
// stream as a round trip. Reports are off throughout (OnEtapa unassigned);
// every random input comes from a fixed seed, so two runs measure the same
// work.
//
// One iteration is a whole batch (10^6 operations, one layout of a 10^6-node
// tree, ...). What a batch needs beforehand, and the destruction of what it
// built, happen with the timer paused.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <queue>
#include <random>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

namespace {

constexpr std::size_t NumClaves = 1'000'000;
// Sorted insertion into the plain search tree makes a chain, quadratic by
// nature, so it gets a tenth of the keys the other kinds get.
constexpr std::int32_t NumOrdenadasBST = 10'000;
constexpr std::int32_t NumOrdenadas = 100'000;
constexpr std::size_t NumEntradas = 100'000;
constexpr std::int32_t R = 15, Sx = 2, Sy = 5;

using TColaMin = std::priority_queue<std::int32_t, std::vector<std::int32_t>, std::greater<>>;

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

// Insertion order of every tree, set and heap below.
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

template <class A>
std::unique_ptr<A> ArbolDeClaves() {
    auto a = std::make_unique<A>();
    for (std::int32_t v : Claves()) a->Insertar(v);
    return a;
}

std::unique_ptr<std::set<std::int32_t>> ConjuntoDeClaves() {
    auto s = std::make_unique<std::set<std::int32_t>>();
    for (std::int32_t v : Claves()) s->insert(v);
    return s;
}

// The 10^6-node random tree of each kind that is searched (and, for the
// plain search tree, laid out, walked and streamed). It is built by
// insertion, so its nodes lie in memory in insertion order, as in a tree the
// user built.
template <class A>
A& ArbolAleatorio() {
    static const auto a = ArbolDeClaves<A>();
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

// Insertion entries only: the first 10^5 of the random keys, made positive.
const std::vector<std::int32_t>& EntradasInsercion() {
    static const auto v = [] {
        std::vector<std::int32_t> e;
        for (std::int32_t k : Claves()) {
            if (e.size() == NumEntradas) break;
            if (k > 0) e.push_back(k);
        }
        return e;
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

// The premise each kind keeps after a batch of insertions.
template <class A>
void ComprobarTipo(const A& a) {
    if constexpr (std::is_same_v<A, TArbolAVL>) Exigir(a.Consistente(), "an AVL factor is wrong");
}

// ---------------------------------------------------------------- search trees against std::set

template <class A>
void InsertarArbol(benchmark::State& st) {
    const auto& claves = Claves();
    std::unique_ptr<A> a;
    for (auto _ : st) {
        a = std::make_unique<A>();
        for (std::int32_t v : claves) benchmark::DoNotOptimize(a->Insertar(v));
        st.PauseTiming();
        Exigir(a->NumNodos == static_cast<std::int32_t>(claves.size()), "insertion lost keys");
        ComprobarTipo(*a);
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

// A splay tree reshapes itself on every search, so each of its batches
// starts from the tree as the insertions left it; the others share one tree.
template <class A>
void BuscarArbol(benchmark::State& st) {
    constexpr bool reorganiza = std::is_same_v<A, TSplayTree>;
    std::unique_ptr<A> propio;
    A* compartido = reorganiza ? nullptr : &ArbolAleatorio<A>();
    const auto& orden = OrdenBusqueda();
    for (auto _ : st) {
        if constexpr (reorganiza) {
            st.PauseTiming();
            propio.reset();
            propio = ArbolDeClaves<A>();
            st.ResumeTiming();
        }
        A& a = reorganiza ? *propio : *compartido;
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

// Every key is deleted, in an order unrelated to the insertion order, as the
// program deletes: select the key, then delete the selection.
template <class A>
void BorrarArbol(benchmark::State& st) {
    const auto& orden = OrdenBorrado();
    for (auto _ : st) {
        st.PauseTiming();
        auto a = ArbolDeClaves<A>();
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

// Keys 0, 1, 2, ... The plain search tree makes a chain and each insertion
// walks all of it: measured only to show that it completes.
template <class A>
void InsertarOrdenadas(benchmark::State& st) {
    constexpr std::int32_t n = std::is_same_v<A, TArbolBST> ? NumOrdenadasBST : NumOrdenadas;
    for (auto _ : st) {
        A a;
        for (std::int32_t v = 0; v < n; ++v) a.Insertar(v);
        benchmark::DoNotOptimize(a.Raiz);
        st.PauseTiming();
        Exigir(a.NumNodos == n, "sorted insertion lost keys");
        if constexpr (std::is_same_v<A, TArbolBST>) Exigir(a.Altura() == n, "sorted insertion did not make a chain");
        ComprobarTipo(a);
        st.ResumeTiming();
    }
    Items(st, static_cast<std::size_t>(n));
}

void InsertarOrdenadasSet(benchmark::State& st) {
    for (auto _ : st) {
        std::set<std::int32_t> s;
        for (std::int32_t v = 0; v < NumOrdenadas; ++v) s.insert(v);
        benchmark::DoNotOptimize(s.size());
    }
    Items(st, static_cast<std::size_t>(NumOrdenadas));
}

// ---------------------------------------------------------------- heap against std::priority_queue

std::unique_ptr<TMonticulo> MonticuloDeClaves() {
    auto m = std::make_unique<TMonticulo>();
    for (std::int32_t v : Claves()) m->Insertar(v);
    return m;
}

std::unique_ptr<TColaMin> ColaDeClaves() {
    auto c = std::make_unique<TColaMin>();
    for (std::int32_t v : Claves()) c->push(v);
    return c;
}

void InsertarMonticulo(benchmark::State& st) {
    const auto& claves = Claves();
    std::unique_ptr<TMonticulo> m;
    for (auto _ : st) {
        m = std::make_unique<TMonticulo>();
        for (std::int32_t v : claves) benchmark::DoNotOptimize(m->Insertar(v));
        st.PauseTiming();
        Exigir(m->NumNodos == static_cast<std::int32_t>(claves.size()), "insertion lost keys");
        m.reset();
        st.ResumeTiming();
    }
    Items(st, claves.size());
}

void InsertarCola(benchmark::State& st) {
    const auto& claves = Claves();
    std::unique_ptr<TColaMin> c;
    for (auto _ : st) {
        c = std::make_unique<TColaMin>();
        for (std::int32_t v : claves) c->push(v);
        benchmark::DoNotOptimize(c->top());
        st.PauseTiming();
        c.reset();
        st.ResumeTiming();
    }
    Items(st, claves.size());
}

// Every minimum is read and deleted; they must come out in order.
void BorrarMinimoMonticulo(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        auto m = MonticuloDeClaves();
        st.ResumeTiming();
        std::int32_t previo = INT32_MIN;
        bool ordenado = true;
        while (m->Raiz != nullptr) {
            const std::int32_t v = m->Raiz->Valor;
            ordenado &= v >= previo;
            previo = v;
            m->Borrar();
        }
        st.PauseTiming();
        Exigir(ordenado && m->NumNodos == 0, "the minima did not come out in order");
        m.reset();
        st.ResumeTiming();
    }
    Items(st, NumClaves);
}

void BorrarMinimoCola(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        auto c = ColaDeClaves();
        st.ResumeTiming();
        std::int32_t previo = INT32_MIN;
        bool ordenado = true;
        while (!c->empty()) {
            const std::int32_t v = c->top();
            ordenado &= v >= previo;
            previo = v;
            c->pop();
        }
        st.PauseTiming();
        Exigir(ordenado, "the minima did not come out in order");
        c.reset();
        st.ResumeTiming();
    }
    Items(st, NumClaves);
}

// The heap's floor as the program requires it: the same deletions on a bare
// vector of values with, beside it, one node-sized record per cell whose
// value and drawn position are written at every level a value passes. No
// links, no allocation, the records contiguous: the least a drawn node per
// cell costs.
void BorrarMinimoModelo(benchmark::State& st) {
    struct TRegistro {
        std::int32_t Valor, X, Y;
        unsigned char Resto[sizeof(TNodoMon) - 3 * sizeof(std::int32_t)];
    };
    static_assert(sizeof(TRegistro) == sizeof(TNodoMon));
    std::vector<std::int32_t> valores;
    std::vector<TRegistro> nodos;
    for (auto _ : st) {
        st.PauseTiming();
        valores = Claves();
        std::make_heap(valores.begin(), valores.end(), std::greater<>());
        nodos.assign(valores.size(), TRegistro{});
        for (std::size_t i = 0; i < nodos.size(); ++i) {
            nodos[i].Valor = valores[i];
            nodos[i].X = static_cast<std::int32_t>(i);
            nodos[i].Y = 0;
        }
        st.ResumeTiming();
        std::int64_t num = static_cast<std::int64_t>(valores.size());
        std::int32_t previo = INT32_MIN;
        bool ordenado = true;
        while (num > 0) {
            ordenado &= valores[0] >= previo;
            previo = valores[0];
            --num;
            const std::int32_t v = valores[num], x = nodos[num].X, y = nodos[num].Y;
            std::int64_t i = 0;
            for (;;) {
                std::int64_t h = 2 * i + 1;
                if (h >= num) break;
                if (h + 1 < num && valores[h] > valores[h + 1]) ++h;
                if (v <= valores[h]) break;
                valores[i] = valores[h];
                nodos[i].Valor = valores[h];
                nodos[i].X = nodos[h].X;
                nodos[i].Y = nodos[h].Y;
                i = h;
            }
            valores[i] = v;
            nodos[i].Valor = v;
            nodos[i].X = x;
            nodos[i].Y = y;
        }
        benchmark::DoNotOptimize(nodos.data());
        st.PauseTiming();
        Exigir(ordenado, "the minima did not come out in order");
        st.ResumeTiming();
    }
    Items(st, NumClaves);
}

void InsertarOrdenadasMonticulo(benchmark::State& st) {
    for (auto _ : st) {
        TMonticulo m;
        for (std::int32_t v = 0; v < NumOrdenadas; ++v) m.Insertar(v);
        benchmark::DoNotOptimize(m.Raiz);
        st.PauseTiming();
        Exigir(m.NumNodos == NumOrdenadas, "sorted insertion lost keys");
        st.ResumeTiming();
    }
    Items(st, static_cast<std::size_t>(NumOrdenadas));
}

void InsertarOrdenadasCola(benchmark::State& st) {
    for (auto _ : st) {
        TColaMin c;
        for (std::int32_t v = 0; v < NumOrdenadas; ++v) c.push(v);
        benchmark::DoNotOptimize(c.top());
    }
    Items(st, static_cast<std::size_t>(NumOrdenadas));
}

// ---------------------------------------------------------------- layouts against a plain walk

// The least a layout must do: visit every node once, parents first.
void RecorridoPila(benchmark::State& st) {
    const TArbolBST& a = ArbolAleatorio<TArbolBST>();
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
    TArbolBST& a = ArbolAleatorio<TArbolBST>();
    for (auto _ : st) {
        std::int64_t suma = 0;
        RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { suma += n->Valor; });
        benchmark::DoNotOptimize(suma);
    }
    Items(st, NumClaves);
}

template <TDistribucion (TArbolBin::*Distribuir)(std::int32_t, std::int32_t, std::int32_t)>
void Distribucion(benchmark::State& st) {
    TArbolBST& a = ArbolAleatorio<TArbolBST>();
    for (auto _ : st) benchmark::DoNotOptimize((a.*Distribuir)(R, Sx, Sy));
    Items(st, NumClaves);
}

// ---------------------------------------------------------------- stream

// Guardar into a fresh buffer, Cargar into a fresh structure: what a file
// save followed by a file open does.
void GuardarCargar(benchmark::State& st) {
    const TArbolBST& a = ArbolAleatorio<TArbolBST>();
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
    const TArbolBST& a = ArbolAleatorio<TArbolBST>();
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
    const auto datos = ArbolAleatorio<TArbolBST>().Guardar();
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

// The entry at which a replay into A raises EArbol, or the number of entries
// when it does not. Reconstruir does not say how far it got, so the replay is
// repeated here with the operations it calls.
template <class A>
std::size_t EntradaDelFallo(const std::vector<std::int32_t>& Entradas) {
    A a;
    for (std::size_t i = 0; i < Entradas.size(); ++i) {
        try {
            if (Entradas[i] < 0) {
                a.Seleccionar(Negada(Entradas[i]), true);
                a.Borrar();
            } else {
                a.Insertar(Entradas[i]);
            }
        } catch (const EArbol&) {
            return i;
        }
    }
    return Entradas.size();
}

// A red-black deletion restores nothing, so a replay with deletions may stop
// at the black-path check of a later insertion: the batch then measures the
// replay up to that entry, and its label says where it stopped.
template <class A>
void ReconstruirArbol(benchmark::State& st, const std::vector<std::int32_t>& Entradas) {
    constexpr bool puedeFallar = std::is_same_v<A, TArbolRN>;
    A a;
    std::size_t fallos = 0;
    for (auto _ : st) {
        try {
            a.Reconstruir(Entradas);
        } catch (const EArbol&) {
            if (!puedeFallar) throw;
            ++fallos;
        }
        benchmark::DoNotOptimize(a.Raiz);
    }
    if (fallos > 0) {
        const std::size_t i = EntradaDelFallo<A>(Entradas);
        st.SetLabel("stops at entry " + std::to_string(i + 1) + " of " + std::to_string(Entradas.size()) +
                    ": Fallo camino negro!");
    }
    Items(st, Entradas.size());
}

// The same replay on std::set, starting from empty as Reconstruir does.
void ReconstruirSet(benchmark::State& st, const std::vector<std::int32_t>& Entradas) {
    std::set<std::int32_t> s;
    for (auto _ : st) {
        s.clear();
        for (std::int32_t e : Entradas) {
            if (e < 0)
                s.erase(Negada(e));
            else
                s.insert(e);
        }
        benchmark::DoNotOptimize(s.size());
    }
    Items(st, Entradas.size());
}

// The heap's deletion entry deletes the minimum, whatever the key.
void ReconstruirCola(benchmark::State& st, const std::vector<std::int32_t>& Entradas) {
    TColaMin c;
    for (auto _ : st) {
        c = {};
        for (std::int32_t e : Entradas) {
            if (e >= 0)
                c.push(e);
            else if (!c.empty())
                c.pop();
        }
        benchmark::DoNotOptimize(c.size());
    }
    Items(st, Entradas.size());
}

void Registrar(const std::string& Nombre, void (*Fn)(benchmark::State&)) {
    benchmark::RegisterBenchmark(Nombre.c_str(), Fn)->Unit(benchmark::kMillisecond);
}

void Registrar(const std::string& Nombre, void (*Fn)(benchmark::State&, const std::vector<std::int32_t>&),
               const std::vector<std::int32_t>& (*Entradas)()) {
    benchmark::RegisterBenchmark(Nombre.c_str(), [Fn, Entradas](benchmark::State& st) { Fn(st, Entradas()); })
        ->Unit(benchmark::kMillisecond);
}

template <class A>
void RegistrarArbol(const std::string& Tipo) {
    Registrar("Insertar/" + Tipo, InsertarArbol<A>);
    Registrar("Buscar/" + Tipo, BuscarArbol<A>);
    Registrar("Borrar/" + Tipo, BorrarArbol<A>);
    Registrar("InsertarOrdenadas/" + Tipo, InsertarOrdenadas<A>);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    RegistrarArbol<TArbolBST>("TArbolBST");
    RegistrarArbol<TArbolAVL>("TArbolAVL");
    RegistrarArbol<TArbolRN>("TArbolRN");
    RegistrarArbol<TSplayTree>("TSplayTree");
    Registrar("Insertar/std::set", InsertarSet);
    Registrar("Buscar/std::set", BuscarSet);
    Registrar("Borrar/std::set", BorrarSet);
    Registrar("InsertarOrdenadas/std::set", InsertarOrdenadasSet);

    Registrar("Insertar/TMonticulo", InsertarMonticulo);
    Registrar("Insertar/std::priority_queue", InsertarCola);
    Registrar("BorrarMinimo/TMonticulo", BorrarMinimoMonticulo);
    Registrar("BorrarMinimo/std::priority_queue", BorrarMinimoCola);
    Registrar("BorrarMinimo/modelo-nodos", BorrarMinimoModelo);
    Registrar("InsertarOrdenadas/TMonticulo", InsertarOrdenadasMonticulo);
    Registrar("InsertarOrdenadas/std::priority_queue", InsertarOrdenadasCola);

    Registrar("Recorrido/pila", RecorridoPila);
    Registrar("Recorrido/RecorrerPreorden", RecorridoPreorden);
    Registrar("DistribuirSeparada", Distribucion<&TArbolBin::DistribuirSeparada>);
    Registrar("DistribuirComprimida", Distribucion<&TArbolBin::DistribuirComprimida>);
    Registrar("DistribuirCompleta", Distribucion<&TArbolBin::DistribuirCompleta>);
    Registrar("Flujo/Guardar+Cargar", GuardarCargar);
    Registrar("Flujo/Guardar", SoloGuardar);
    Registrar("Flujo/Cargar", SoloCargar);

    // Reconstruir: 10^5 mixed entries into every kind, and 10^5 insertions only.
    Registrar("Reconstruir/TArbolBST", ReconstruirArbol<TArbolBST>, EntradasMixtas);
    Registrar("Reconstruir/TArbolAVL", ReconstruirArbol<TArbolAVL>, EntradasMixtas);
    Registrar("Reconstruir/TArbolRN", ReconstruirArbol<TArbolRN>, EntradasMixtas);
    Registrar("Reconstruir/TSplayTree", ReconstruirArbol<TSplayTree>, EntradasMixtas);
    Registrar("Reconstruir/std::set", ReconstruirSet, EntradasMixtas);
    Registrar("Reconstruir/TMonticulo", ReconstruirArbol<TMonticulo>, EntradasMixtas);
    Registrar("Reconstruir/std::priority_queue", ReconstruirCola, EntradasMixtas);
    Registrar("ReconstruirInserciones/TArbolBST", ReconstruirArbol<TArbolBST>, EntradasInsercion);
    Registrar("ReconstruirInserciones/TArbolAVL", ReconstruirArbol<TArbolAVL>, EntradasInsercion);
    Registrar("ReconstruirInserciones/TArbolRN", ReconstruirArbol<TArbolRN>, EntradasInsercion);
    Registrar("ReconstruirInserciones/TSplayTree", ReconstruirArbol<TSplayTree>, EntradasInsercion);
    Registrar("ReconstruirInserciones/std::set", ReconstruirSet, EntradasInsercion);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
