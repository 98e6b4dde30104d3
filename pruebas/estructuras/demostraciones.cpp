// The builders and the program's generator: Fibonacci AVL trees, the unordered heap, known values of the generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "comprobacion.h"

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

}  // namespace
