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

enum class TDist { Separada, Comprimida, Completa };

TDistribucion Distribuir(TArbolBin& a, TDist d, std::int32_t R, std::int32_t Sx, std::int32_t Sy) {
    switch (d) {
        case TDist::Separada:
            return a.DistribuirSeparada(R, Sx, Sy);
        case TDist::Comprimida:
            return a.DistribuirComprimida(R, Sx, Sy);
        case TDist::Completa:
            return a.DistribuirCompleta(R, Sx, Sy);
    }
    return {};
}

using TPos = std::tuple<std::int32_t, std::int32_t, std::int32_t>;  // value, X, Y

std::vector<TPos> Posiciones(const TArbolBin& a) {
    std::vector<TPos> v;
    RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) { v.emplace_back(n->Valor, n->X, n->Y); });
    return v;
}

struct TCasoDist {
    const char* Nombre;
    const char* Arbol;
    TDist Dist;
    TDistribucion Esperada;
    std::vector<TPos> Nodos;  // pre-order
};

void PrintTo(const TCasoDist& c, std::ostream* os) {
    *os << c.Nombre;
}

class Distribuciones : public ::testing::TestWithParam<TCasoDist> {};

// R = 20, Sx = 10, Sy = 10 throughout.
TEST_P(Distribuciones, AreaYCoordenadas) {
    const TCasoDist& c = GetParam();
    TArbolBST a;
    Construir(a, c.Arbol);
    EXPECT_EQ(Distribuir(a, c.Dist, 20, 10, 10), c.Esperada);
    EXPECT_EQ(Posiciones(a), c.Nodos);
    EXPECT_EQ(std::make_tuple(a.Radio, a.SepX, a.SepY), std::make_tuple(20, 10, 10));
}

const char* const Cadena = "10(,20(,30))";
const char* const Empuje = "50(30(20,),70(,80))";

constexpr TDist Sep = TDist::Separada, Com = TDist::Comprimida, Cpl = TDist::Completa;

// clang-format off
const TCasoDist CasosDist[] = {
    {"VacioSeparada",    "", Sep, {0, 0, 0}, {}},
    {"VacioComprimida",  "", Com, {0, 0, 0}, {}},
    {"VacioCompleta",    "", Cpl, {0, 0, 0}, {}},
    {"RaizSeparada",     "7", Sep, {60, 40, 30}, {{7, 30, 20}}},
    {"RaizComprimida",   "7", Com, {40, 40, 20}, {{7, 20, 20}}},
    {"RaizCompleta",     "7", Cpl, {40, 40, 20}, {{7, 20, 20}}},
    {"TresSeparada",     "50(30,70)", Sep, {140, 90, 70}, {{50, 70, 20}, {30, 30, 70}, {70, 110, 70}}},
    {"TresComprimida",   "50(30,70)", Com, {100, 90, 50}, {{50, 50, 20}, {30, 20, 70}, {70, 80, 70}}},
    {"TresCompleta",     "50(30,70)", Cpl, {100, 90, 50}, {{50, 50, 20}, {30, 20, 70}, {70, 80, 70}}},
    {"CadenaSeparada",   Cadena, Sep, {140, 140, 30}, {{10, 30, 20}, {20, 70, 70}, {30, 110, 120}}},
    {"CadenaComprimida", Cadena, Com, {80, 140, 20}, {{10, 20, 20}, {20, 40, 70}, {30, 60, 120}}},
    {"CadenaCompleta",   Cadena, Cpl, {220, 140, 110}, {{10, 110, 20}, {20, 170, 70}, {30, 200, 120}}},
    {"EmpujeSeparada",   Empuje, Sep, {220, 140, 110},
     {{50, 110, 20}, {30, 70, 70}, {20, 30, 120}, {70, 150, 70}, {80, 190, 120}}},
    // 30 and 70, centred over their children, would be closer than 2R + 2Sx:
    // 70 is pushed right by 40 together with 80.
    {"EmpujeComprimida", Empuje, Com, {140, 140, 70},
     {{50, 70, 20}, {30, 40, 70}, {20, 20, 120}, {70, 100, 70}, {80, 120, 120}}},
    {"EmpujeCompleta",   Empuje, Cpl, {220, 140, 110},
     {{50, 110, 20}, {30, 50, 70}, {20, 20, 120}, {70, 170, 70}, {80, 200, 120}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Arbol, Distribuciones, ::testing::ValuesIn(CasosDist),
                         [](const ::testing::TestParamInfo<TCasoDist>& i) { return std::string(i.param.Nombre); });

// The nodes of each level, left to right.
std::vector<std::vector<const TNodoBin*>> Niveles(const TArbolBin& a) {
    std::vector<std::vector<const TNodoBin*>> v;
    if (a.Raiz != nullptr) v.push_back({a.Raiz});
    while (!v.back().empty()) {
        std::vector<const TNodoBin*> sig;
        for (const TNodoBin* n : v.back())
            for (const TNodoBin* h : {n->Izq, n->Der})
                if (h != nullptr) sig.push_back(h);
        v.push_back(std::move(sig));
    }
    v.pop_back();
    return v;
}

// What every layout must give: the vertical rule, neighbours on one level
// at least 2R + 2Sx apart, the root at XRaiz, circles inside the area.
void PropiedadesComunes(const TArbolBin& a, TDistribucion d, std::int32_t R, std::int32_t Sx, std::int32_t Sy) {
    const auto niveles = Niveles(a);
    const std::int64_t G = 2 * std::int64_t{R} + 2 * Sx;
    std::int64_t maxX = Min32, maxY = Min32, minX = Max32;
    for (std::size_t k = 0; k < niveles.size(); ++k) {
        for (std::size_t i = 0; i < niveles[k].size(); ++i) {
            const TNodoBin* n = niveles[k][i];
            ASSERT_EQ(n->Y, R + static_cast<std::int64_t>(k) * (2 * R + Sy)) << n->Valor;
            if (i > 0) {
                ASSERT_GE(std::int64_t{n->X} - niveles[k][i - 1]->X, G) << n->Valor;
            }
            maxX = std::max<std::int64_t>(maxX, n->X);
            minX = std::min<std::int64_t>(minX, n->X);
            maxY = std::max<std::int64_t>(maxY, n->Y);
        }
    }
    EXPECT_EQ(d.XRaiz, a.Raiz->X);
    EXPECT_GE(minX - R, 0);
    EXPECT_LE(maxX + R, d.Ancho);
    EXPECT_EQ(maxY + R, d.Alto);
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
    auto uno = [&](std::int32_t lo, std::int32_t hi) {
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(gen);
    };
    for (int t = 0; t < 300; ++t) {
        SCOPED_TRACE("tree " + std::to_string(t));
        TArbolBST a;
        const std::int32_t n = uno(1, 150);
        for (std::int32_t i = 0; i < n; ++i) a.Insertar(uno(0, 1000));
        const std::int32_t R = uno(1, 30), Sx = uno(0, 20), Sy = uno(0, 20);

        const TDistribucion s = a.DistribuirSeparada(R, Sx, Sy);
        ASSERT_NO_FATAL_FAILURE(PropiedadesComunes(a, s, R, Sx, Sy));
        ASSERT_NO_FATAL_FAILURE(CrecienteEnOrden(a));
        // A margin of Sx beside the outermost circles.
        std::int32_t minX = Max32, maxX = Min32;
        RecorrerPreorden(a.Raiz, [&](TNodoBin* m, std::int32_t) {
            minX = std::min(minX, m->X);
            maxX = std::max(maxX, m->X);
        });
        EXPECT_EQ(minX - R, Sx);
        EXPECT_EQ(s.Ancho - (maxX + R), Sx);

        const TDistribucion c = a.DistribuirComprimida(R, Sx, Sy);
        ASSERT_NO_FATAL_FAILURE(PropiedadesComunes(a, c, R, Sx, Sy));
        // The leftmost circle touches x 0 and every parent is centred.
        std::int32_t minC = Max32, maxC = Min32;
        RecorrerPreorden(a.Raiz, [&](TNodoBin* m, std::int32_t) {
            minC = std::min(minC, m->X);
            maxC = std::max(maxC, m->X);
            if (m->Izq != nullptr && m->Der != nullptr) {
                // Halving truncates toward zero before the final shift, so
                // an odd sum may leave the parent one pixel to either side.
                EXPECT_LE(std::abs(2 * m->X - (m->Izq->X + m->Der->X)), 1) << m->Valor;
            } else if (m->Izq != nullptr) {
                EXPECT_EQ(m->X, m->Izq->X + R) << m->Valor;
            } else if (m->Der != nullptr) {
                EXPECT_EQ(m->X, m->Der->X - R) << m->Valor;
            }
        });
        EXPECT_EQ(minC, R);
        EXPECT_EQ(c.Ancho, maxC + R);

        if (a.Altura() <= 16) {
            const TDistribucion k = a.DistribuirCompleta(R, Sx, Sy);
            ASSERT_NO_FATAL_FAILURE(PropiedadesComunes(a, k, R, Sx, Sy));
            ASSERT_NO_FATAL_FAILURE(CrecienteEnOrden(a));
            EXPECT_EQ(k.Ancho, 2 * k.XRaiz);
            // Every node on a slot of the complete tree's grid.
            RecorrerPreorden(a.Raiz, [&](TNodoBin* m, std::int32_t) { EXPECT_EQ((m->X - R) % (R + Sx), 0); });
        }
    }
}

// Twin trees, one laid out by each function, end with equal results.
void IgualQueSeparada(const std::string& Arbol, std::int32_t R, std::int32_t Sx, std::int32_t Sy) {
    SCOPED_TRACE(Arbol.substr(0, 40) + " R " + std::to_string(R) + " Sx " + std::to_string(Sx) + " Sy " +
                 std::to_string(Sy));
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
        const TNodoBin* ultimo = Nodo(a, 26);
        EXPECT_EQ(ultimo->X, 2013265900 - 20);
        EXPECT_EQ(ultimo->Y, 1270);
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
    for (TDist d : {TDist::Separada, TDist::Comprimida, TDist::Completa}) {
        for (auto [R, Sx, Sy] : {std::tuple{20, 10, Max32 / 2}, {Max32 / 4, 10, 10}, {20, Max32 / 2, 10}}) {
            TArbolBST a;
            Construir(a, Empuje);
            RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { n->X = n->Y = 5; });
            EXPECT_THROW(Distribuir(a, d, R, Sx, Sy), EArbol) << static_cast<int>(d) << " " << R << " " << Sx;
            RecorrerPreorden(
                a.Raiz, [](TNodoBin* n, std::int32_t) { EXPECT_EQ(std::make_pair(n->X, n->Y), std::make_pair(5, 5)); });
        }
    }
}

// A node is hit when the click is strictly less than R away from its centre.
TEST(SeleccionarPunto, DistanciaEstrictamenteMenorQueElRadio) {
    TArbolBST a;
    Construir(a, "7");
    a.DistribuirSeparada(20, 10, 10);  // the root at (30, 20)
    struct {
        std::int32_t X, Y;
        bool Toca;
    } const clics[] = {{30, 20, true}, {50, 20, false}, {49, 20, true}, {10, 20, false},
                       {11, 20, true}, {30, 40, false}, {30, 1, true},  {42, 36, false},  // 12² + 16² = 20²
                       {42, 35, true}, {18, 4, false}};
    for (const auto& c : clics) {
        a.NodoSel = a.Raiz;
        EXPECT_EQ(a.SeleccionarPunto(c.X, c.Y, 20), c.Toca) << c.X << "," << c.Y;
        EXPECT_EQ(a.NodoSel, c.Toca ? a.Raiz : nullptr) << c.X << "," << c.Y;
    }
    EXPECT_FALSE(a.SeleccionarPunto(30, 20, 0));
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

// Clicks and centres at the ends of the 32-bit range: differences are not
// wrapped around.
TEST(SeleccionarPunto, ExtremosSinDesbordamiento) {
    TArbolBST a;
    Construir(a, "7");
    struct {
        std::int32_t NX, NY, X, Y, R;
        bool Toca;
    } const casos[] = {
        {Min32, Min32, Max32, Max32, 5, false},
        {Max32, Max32, Min32, Min32, 5, false},
        {Min32, 0, Max32, 0, Max32, false},
        {0, 0, Min32 + 1, 0, Max32, false},
        {0, 0, Min32 + 2, 0, Max32, true},
        {0, 0, Max32, 0, Max32, false},
        {0, 0, Max32 - 1, 0, Max32, true},
        {0, 0, Min32, Min32, Max32, false},
        {Max32, Min32, Max32, Min32, 1, true},
        {0, 0, 1518500249, 1518500249, Max32, true},
        {0, 0, 1518500250, 1518500249, Max32, false},
    };
    for (const auto& c : casos) {
        a.Raiz->X = c.NX;
        a.Raiz->Y = c.NY;
        EXPECT_EQ(a.SeleccionarPunto(c.X, c.Y, c.R), c.Toca) << c.NX << "," << c.NY << " <- " << c.X << "," << c.Y;
    }
}

struct TCasoInterp {
    std::int32_t Ini, Fin;
    double T;
    std::int32_t X;  // moving from Ini to Fin
    std::int32_t Y;  // moving from Fin to Ini
};

TEST(Interpolar, RedondeoAlParYLimites) {
    const TCasoInterp casos[] = {
        {0, 5, 0.5, 2, 3},
        {0, 7, 0.5, 4, 3},
        {1, 2, 0.5, 1, 2},
        {10, 3, 0.5, 6, 7},
        {-3, -10, 0.5, -7, -6},
        {0, 5, 1.0, 5, 0},
        {0, 5, 0.0, 0, 5},
        {0, 5, 1.5, 5, 0},
        {0, 5, -0.5, 0, 5},
        {Min32, Max32, 0.5, 0, -1},
        {Min32, Max32, 1.0, Max32, Min32},
        {Min32, Max32, 0.0, Min32, Max32},
    };
    TArbolBST a;
    Construir(a, "7");
    for (const auto& c : casos) {
        TNodoBin* n = a.Raiz;
        n->XIni = n->YFin = c.Ini;
        n->XFin = n->YIni = c.Fin;
        a.Interpolar(c.T);
        EXPECT_EQ(std::make_pair(n->X, n->Y), std::make_pair(c.X, c.Y)) << c.Ini << " -> " << c.Fin << " t " << c.T;
    }
}

}  // namespace
