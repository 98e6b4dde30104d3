// The builders and the program's generator: Fibonacci AVL trees, the unordered heap, known values of the generator;
// long routines abandoned by their progress hook.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <utility>

#include "comprobacion.h"
#include "uGrabacion.h"

namespace {

// F(k+2) - 1 nodes, height k, keys 1..n; an order out of range leaves the tree.
TEST(Fibonacci, FormaCuentaAlturaYRango) {
    TArbolAVL a;
    a.CrearFibonacci(6);
    EXPECT_EQ(Forma(a), "8(3(1(,2),5(4,6(,7))),13(10(9,11(,12)),16(14(,15),18(17,19(,20)))))");
    std::int64_t f1 = 1, f2 = 1;
    for (std::int32_t k = 0; k <= 22; f2 = std::exchange(f1, f2) + f2, ++k) {
        a.CrearFibonacci(k);
        EXPECT_EQ(std::make_pair(std::int64_t{a.NumNodos}, a.Altura()), std::make_pair(f2 - 1, k));
        EXPECT_EQ(Invariante(a), "") << k;
    }
    Construir(a, "2(1,3)");
    for (std::int32_t k : {-1, -2147483647 - 1, 45}) EXPECT_THROW(a.CrearFibonacci(k), EArbol) << k;
    EXPECT_EQ(Forma(a), "2(1,3)");
}

TEST(Aleatorio, ValoresConocidos) {
    TAleatorio r;
    const std::uint32_t v[] = {r.Extraer(100), r.Extraer(100), r.Extraer(0xFFFFFFFFu), r.Extraer(0)};
    EXPECT_EQ(std::vector<std::uint32_t>(v, v + 4), (std::vector<std::uint32_t>{0, 3, 3698175006u, 0}));
    EXPECT_EQ(r.Semilla, 870078620u);
    r.Semilla = 0xFFFFFFFFu;
    r.Extraer(1);
    EXPECT_EQ(r.Semilla, 4160191484u);
}

// 1..n in complete-tree shape, the same for the same generator state; then made a heap.
TEST(Desordenado, PermutacionDeterministaYCrear) {
    TMonticulo m, o;
    TAleatorio r1, r2;
    m.CrearDesordenado(50, r1);
    o.CrearDesordenado(50, r2);
    auto v = Vivos(m);
    EXPECT_TRUE(v == Vivos(o) && InvarianteEnEtapa(m).empty());
    std::ranges::sort(v);
    for (std::int32_t i = 0; i < 50; ++i) EXPECT_EQ(v[i], i + 1);
    EXPECT_THROW(m.CrearDesordenado(-1), EArbol);
    m.CrearMonticulo();
    EXPECT_EQ(Invariante(m), "");
}

// A hook that throws past a count abandons each long routine soundly: a load, and a recording in its
// first run, leave the structure as it was; a builder leaves it empty; a replay and a recording in its
// second run leave a sound structure with no report handler left behind.
TEST(Avance, RutinaAbandonadaDejaLaEstructuraSana) {
    std::int64_t limite = 512, ultimo = 0;
    const auto cancelar = [&](std::int64_t hecho) {
        if ((ultimo = hecho) > limite) throw ECancelado{};
    };
    std::vector<TOperacion> ops(3000);
    for (std::size_t i = 0; i < ops.size(); ++i) ops[i] = {TOperacion::Insercion, std::int32_t(i)};
    TArbolAVL fuente;
    fuente.Reconstruir(ops);
    TArbolAVL a;
    Construir(a, "5(3,8)");
    a.Avance = cancelar;
    EXPECT_THROW(a.Cargar(fuente.Guardar()), ECancelado);
    a.Insertar(9);  // into a slot the abandoned load gave back, not one of the tree's
    EXPECT_EQ(Forma(a), "5(3,8(,9))");
    EXPECT_THROW(a.CrearFibonacci(20), ECancelado);
    EXPECT_TRUE(a.NumNodos == 0 && !a.Raiz && Invariante(a).empty());
    EXPECT_THROW(a.Reconstruir(ops), ECancelado);
    EXPECT_TRUE(a.NumNodos == 544 && Invariante(a).empty()) << a.NumNodos;
    TMonticulo m;
    m.Avance = cancelar;
    EXPECT_THROW(m.CrearDesordenado(5000), ECancelado);
    EXPECT_TRUE(m.NumNodos == 0 && !m.Raiz && Invariante(m).empty());
    // A search tree's chain: an insertion at its end reports a stage per level.
    TArbolBST b;
    b.Reconstruir(std::span(ops).first(1000));
    const std::vector<std::uint8_t> antes = b.Guardar();
    const TOperacionArbol insertar = [](TArbolBin& x) { x.Insertar(5000); };
    const TDistribuirArbol distribuir = [](TArbolBin& x) { x.DistribuirSeparada(10, 5, 20); };
    TGrabacion g;
    g.Grabar(*b.Clonar(), insertar, distribuir);
    b.Avance = cancelar;
    for (const std::int64_t l : {std::int64_t{16}, std::int64_t(g.NumEtapas()) + 16}) {
        limite = l;
        EXPECT_THROW(g.Grabar(b, insertar, distribuir), ECancelado);
        EXPECT_TRUE(InvarianteEnEtapa(b).empty() && !b.OnEtapa && b.Guardar() == antes);
        EXPECT_EQ(ultimo, l / 16 * 16 + 16);  // abandoned in the run asked for, at its first count past the limit
    }
}

}  // namespace
