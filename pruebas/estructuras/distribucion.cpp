// The three layouts, the hit test and the node-motion interpolation.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "comprobacion.h"

namespace {

constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

// The three layouts, indexed by TDist.
enum TDist { Sep, Com, Cpl };
using TFuncDist = TDistribucion (TArbolBin::*)(std::int32_t, std::int32_t, std::int32_t);
constexpr TFuncDist Distribuir[] = {&TArbolBin::DistribuirSeparada, &TArbolBin::DistribuirComprimida,
                                    &TArbolBin::DistribuirCompleta};

using TPos = std::tuple<std::int32_t, std::int32_t, std::int32_t>;  // value, X, Y

std::vector<TPos> Posiciones(const TArbolBin& a) {
    std::vector<TPos> v;
    RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { v.emplace_back(n->Valor, n->X, n->Y); });
    return v;
}

const char* const Cadena = "10(,20(,30))";
const char* const Empuje = "50(30(20,),70(,80))";

// R = 20, Sx = 10, Sy = 10 throughout.
TEST(Distribuciones, AreaYCoordenadas) {
    struct {
        const char* Arbol;
        TDist Dist;
        TDistribucion Esperada;
        std::vector<TPos> Nodos;  // pre-order
    } const casos[] = {
        // clang-format off
        {"", Sep, {0, 0, 0}, {}},
        {"", Com, {0, 0, 0}, {}},
        {"", Cpl, {0, 0, 0}, {}},
        {"7", Sep, {60, 40, 30}, {{7, 30, 20}}},
        {"7", Com, {40, 40, 20}, {{7, 20, 20}}},
        {"7", Cpl, {40, 40, 20}, {{7, 20, 20}}},
        {"50(30,70)", Sep, {140, 90, 70}, {{50, 70, 20}, {30, 30, 70}, {70, 110, 70}}},
        {"50(30,70)", Com, {100, 90, 50}, {{50, 50, 20}, {30, 20, 70}, {70, 80, 70}}},
        {Cadena, Sep, {140, 140, 30}, {{10, 30, 20}, {20, 70, 70}, {30, 110, 120}}},
        {Cadena, Com, {80, 140, 20}, {{10, 20, 20}, {20, 40, 70}, {30, 60, 120}}},
        {Cadena, Cpl, {220, 140, 110}, {{10, 110, 20}, {20, 170, 70}, {30, 200, 120}}},
        {Empuje, Sep, {220, 140, 110}, {{50, 110, 20}, {30, 70, 70}, {20, 30, 120}, {70, 150, 70}, {80, 190, 120}}},
        // 30 and 70, centred over their children, would be closer than 2R + 2Sx:
        // 70 is pushed right by 40 together with 80.
        {Empuje, Com, {140, 140, 70}, {{50, 70, 20}, {30, 40, 70}, {20, 20, 120}, {70, 100, 70}, {80, 120, 120}}},
        {Empuje, Cpl, {220, 140, 110}, {{50, 110, 20}, {30, 50, 70}, {20, 20, 120}, {70, 170, 70}, {80, 200, 120}}},
        // clang-format on
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.Arbol) + " layout " + std::to_string(c.Dist));
        TArbolBST a;
        Construir(a, c.Arbol);
        EXPECT_EQ((a.*Distribuir[c.Dist])(20, 10, 10), c.Esperada);
        EXPECT_EQ(Posiciones(a), c.Nodos);
        EXPECT_EQ(std::make_tuple(a.Radio, a.SepX, a.SepY), std::make_tuple(20, 10, 10));
    }
}

// What every layout must give: the vertical rule, neighbours on one level
// at least 2R + 2Sx apart, the root at XRaiz, circles inside the area. Gives
// the least and greatest x.
void PropiedadesComunes(const TArbolBin& a, TDistribucion d, std::int32_t R, std::int32_t Sx, std::int32_t Sy,
                        std::int64_t& MinX, std::int64_t& MaxX) {
    MinX = Max32;
    MaxX = Min32;
    std::int64_t y = R;
    for (std::vector<const TNodoBin*> nivel{a.Raiz};; y += 2 * R + Sy) {
        std::vector<const TNodoBin*> sig;
        for (std::size_t i = 0; i < nivel.size(); ++i) {
            const TNodoBin* n = nivel[i];
            ASSERT_EQ(n->Y, y) << n->Valor;
            if (i > 0) {
                ASSERT_GE(std::int64_t{n->X} - nivel[i - 1]->X, 2 * std::int64_t{R} + 2 * Sx) << n->Valor;
            }
            MinX = std::min<std::int64_t>(MinX, n->X);
            MaxX = std::max<std::int64_t>(MaxX, n->X);
            for (const TNodoBin* h : {n->Izq, n->Der})
                if (h != nullptr) sig.push_back(h);
        }
        if (sig.empty()) break;
        nivel = std::move(sig);
    }
    EXPECT_EQ(d.XRaiz, a.Raiz->X);
    EXPECT_GE(MinX - R, 0);
    EXPECT_LE(MaxX + R, d.Ancho);
    EXPECT_EQ(y + R, d.Alto);
}

// No two subtrees share a column: in symmetric order x grows.
void CrecienteEnOrden(const TArbolBin& a) {
    std::vector<const TNodoBin*> pila;
    const TNodoBin* n = a.Raiz;
    std::int64_t previo = std::numeric_limits<std::int64_t>::min();
    while (n != nullptr || !pila.empty()) {
        for (; n != nullptr; n = n->Izq) pila.push_back(n);
        n = pila.back();
        pila.pop_back();
        ASSERT_GT(n->X, previo) << n->Valor;
        previo = n->X;
        n = n->Der;
    }
}

TEST(DistribucionesAleatorias, Propiedades) {
    std::mt19937 gen(5);
    auto uno = [&](std::int32_t lo, std::int32_t hi) { return std::uniform_int_distribution<std::int32_t>(lo, hi)(gen); };
    for (int t = 0; t < 300; ++t) {
        SCOPED_TRACE("tree " + std::to_string(t));
        TArbolBST a;
        const std::int32_t n = uno(1, 150);
        for (std::int32_t i = 0; i < n; ++i) a.Insertar(uno(0, 1000));
        const std::int32_t R = uno(1, 30), Sx = uno(0, 20), Sy = uno(0, 20);
        std::int64_t minX = 0, maxX = 0;

        // A margin of Sx beside the outermost circles.
        const TDistribucion s = a.DistribuirSeparada(R, Sx, Sy);
        ASSERT_NO_FATAL_FAILURE(PropiedadesComunes(a, s, R, Sx, Sy, minX, maxX));
        ASSERT_NO_FATAL_FAILURE(CrecienteEnOrden(a));
        EXPECT_EQ(minX - R, Sx);
        EXPECT_EQ(s.Ancho - (maxX + R), Sx);

        // The leftmost circle touches x 0 and every parent is centred.
        const TDistribucion c = a.DistribuirComprimida(R, Sx, Sy);
        ASSERT_NO_FATAL_FAILURE(PropiedadesComunes(a, c, R, Sx, Sy, minX, maxX));
        EXPECT_EQ(minX, R);
        EXPECT_EQ(c.Ancho, maxX + R);
        RecorrerPreorden(a.Raiz, [&](TNodoBin* m, std::int32_t) {
            if (m->Izq != nullptr && m->Der != nullptr) {
                // Halving truncates toward zero before the final shift, so
                // an odd sum may leave the parent one pixel to either side.
                EXPECT_LE(std::abs(2 * m->X - (m->Izq->X + m->Der->X)), 1) << m->Valor;
            } else if (m->Izq != nullptr || m->Der != nullptr) {
                EXPECT_EQ(m->X, m->Izq != nullptr ? m->Izq->X + R : m->Der->X - R) << m->Valor;
            }
        });

        if (a.Altura() <= 16) {
            const TDistribucion k = a.DistribuirCompleta(R, Sx, Sy);
            ASSERT_NO_FATAL_FAILURE(PropiedadesComunes(a, k, R, Sx, Sy, minX, maxX));
            ASSERT_NO_FATAL_FAILURE(CrecienteEnOrden(a));
            EXPECT_EQ(k.Ancho, 2 * k.XRaiz);
            // Every node on a slot of the complete tree's grid.
            RecorrerPreorden(a.Raiz, [&](TNodoBin* m, std::int32_t) { EXPECT_EQ((m->X - R) % (R + Sx), 0); });
        }
    }
}

// Twin trees, one laid out by each function, end with equal results.
void IgualQueSeparada(const std::string& Arbol, std::int32_t R, std::int32_t Sx, std::int32_t Sy) {
    SCOPED_TRACE(Arbol.substr(0, 40) + " R " + std::to_string(R) + " Sx " + std::to_string(Sx) + " Sy " + std::to_string(Sy));
    TArbolBST a, b;
    Construir(a, Arbol);
    Construir(b, Arbol);
    EXPECT_EQ(a.DistribuirCompleta(R, Sx, Sy), b.DistribuirSeparada(R, Sx, Sy));
    EXPECT_EQ(Posiciones(a), Posiciones(b));
}

// A right chain of N nodes as text: 1(,2(,3(...))).
std::string CadenaTexto(std::int32_t N) {
    std::string s;
    for (std::int32_t i = 1; i <= N; ++i) s += std::to_string(i) + (i < N ? "(," : "");
    return s + std::string(static_cast<std::size_t>(N - 1), ')');
}

// When the complete tree's area does not fit in 32 bits the separated layout
// is used instead; just below that limit the complete layout itself runs.
TEST(DistribucionCompleta, ArbolesProfundosUsanLaSeparada) {
    {
        TArbolBST a;
        Construir(a, CadenaTexto(26));  // h = 25: Ancho 2013265900 still fits
        EXPECT_EQ(a.DistribuirCompleta(20, 10, 10), (TDistribucion{2013265900, 1290, 1006632950}));
        EXPECT_EQ(std::make_pair(Nodo(a, 26)->X, Nodo(a, 26)->Y), std::make_pair(2013265900 - 20, 1270));
    }
    IgualQueSeparada(CadenaTexto(27), 20, 10, 10);
    IgualQueSeparada(CadenaTexto(300), 1, 0, 0);
    {
        TArbolBST a;
        Construir(a, CadenaTexto(30));  // R 1, Sx 0, h = 29: Ancho 2^30
        EXPECT_EQ(a.DistribuirCompleta(1, 0, 0), (TDistribucion{1 << 30, 60, 1 << 29}));
    }
    IgualQueSeparada(CadenaTexto(31), 1, 0, 0);  // Ancho would be 2^31
}

TEST(DistribucionCompleta, MedidasNegativasUsanLaSeparada) {
    for (auto [R, Sx, Sy] : {std::tuple{-5, 10, 10}, {20, -3, 10}, {20, 10, -7}, {-1, -1, -1}})
        IgualQueSeparada(Empuje, R, Sx, Sy);
}

// Measures so large that a layout's area cannot be given in 32 bits end in
// EArbol, and the coordinates stay as they were.
TEST(Distribuciones, DesbordamientoNoEscribeCoordenadas) {
    for (TDist d : {Sep, Com, Cpl}) {
        for (auto [R, Sx, Sy] : {std::tuple{20, 10, Max32 / 2}, {Max32 / 4, 10, 10}, {20, Max32 / 2, 10}}) {
            TArbolBST a;
            Construir(a, Empuje);
            RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { n->X = n->Y = 5; });
            EXPECT_THROW((a.*Distribuir[d])(R, Sx, Sy), EArbol) << d << " " << R << " " << Sx;
            RecorrerPreorden(
                a.Raiz, [](TNodoBin* n, std::int32_t) { EXPECT_EQ(std::make_pair(n->X, n->Y), std::make_pair(5, 5)); });
        }
    }
}

// A node is hit when the click is strictly less than R away from its centre;
// at the ends of the 32-bit range differences are not wrapped around.
TEST(SeleccionarPunto, DistanciaEstrictamenteMenorQueElRadio) {
    TArbolBST a;
    Construir(a, "7");
    struct {
        std::int32_t NX, NY, X, Y, R;
        bool Toca;
    } const casos[] = {
        {30, 20, 30, 20, 20, true},
        {30, 20, 50, 20, 20, false},
        {30, 20, 49, 20, 20, true},
        {30, 20, 10, 20, 20, false},
        {30, 20, 42, 36, 20, false},  // 12² + 16² = 20²
        {30, 20, 42, 35, 20, true},
        {30, 20, 30, 20, 0, false},
        {Min32, Min32, Max32, Max32, 5, false},
        {Min32, 0, Max32, 0, Max32, false},
        {0, 0, Min32 + 1, 0, Max32, false},
        {0, 0, Min32 + 2, 0, Max32, true},
        {0, 0, Max32, 0, Max32, false},
        {Max32, Min32, Max32, Min32, 1, true},
        {0, 0, 1518500249, 1518500249, Max32, true},
        {0, 0, 1518500250, 1518500249, Max32, false},
    };
    for (const auto& c : casos) {
        a.Raiz->X = c.NX;
        a.Raiz->Y = c.NY;
        a.NodoSel = a.Raiz;
        EXPECT_EQ(a.SeleccionarPunto(c.X, c.Y, c.R), c.Toca) << c.NX << "," << c.NY << " <- " << c.X << "," << c.Y;
        EXPECT_EQ(a.NodoSel, c.Toca ? a.Raiz : nullptr);
    }
    TArbolBST v;
    EXPECT_FALSE(v.SeleccionarPunto(0, 0, 20));
    EXPECT_EQ(v.NodoSel, nullptr);
}

// Overlapping circles: the first node in pre-order wins, not the nearest.
TEST(SeleccionarPunto, PrimeroEnPreorden) {
    TArbolBST a;
    Construir(a, "50(30(20,),70)");
    auto colocar = [&](std::int32_t v, std::int32_t x) { Nodo(a, v)->X = x; };
    colocar(50, 0);
    colocar(30, 300);
    colocar(20, 104);
    colocar(70, 101);
    EXPECT_TRUE(a.SeleccionarPunto(102, 0, 10));
    EXPECT_EQ(a.NodoSel->Valor, 20);
    colocar(50, 103);
    EXPECT_TRUE(a.SeleccionarPunto(102, 0, 10));
    EXPECT_EQ(a.NodoSel->Valor, 50);
}

TEST(Interpolar, RedondeoAlParYLimites) {
    struct {
        std::int32_t Ini, Fin;
        double T;
        std::int32_t X;  // moving from Ini to Fin
        std::int32_t Y;  // moving from Fin to Ini
    } const casos[] = {
        {0, 5, 0.5, 2, 3},  {0, 7, 0.5, 4, 3},  {10, 3, 0.5, 6, 7},  {-3, -10, 0.5, -7, -6},
        {0, 5, 1.0, 5, 0},  {0, 5, 0.0, 0, 5},  {0, 5, 1.5, 5, 0},   {0, 5, -0.5, 0, 5},
        {Min32, Max32, 0.5, 0, -1},  {Min32, Max32, 1.0, Max32, Min32},
    };
    TArbolBST a;
    Construir(a, "7");
    TNodoBin* n = a.Raiz;
    for (const auto& c : casos) {
        n->XIni = n->YFin = c.Ini;
        n->XFin = n->YIni = c.Fin;
        a.Interpolar(c.T);
        EXPECT_EQ(std::make_pair(n->X, n->Y), std::make_pair(c.X, c.Y)) << c.Ini << " -> " << c.Fin << " t " << c.T;
    }
}

}  // namespace
