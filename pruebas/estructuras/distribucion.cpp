// The three layouts: exact coordinates, the rules kept on random trees, 32-bit limits; hit test and motion.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <tuple>

#include "comprobacion.h"

namespace {

enum TDist { Sep, Com, Cpl };
using TFuncDist = TDistribucion (TArbolBin::*)(std::int32_t, std::int32_t, std::int32_t);
constexpr TFuncDist Distribuir[] = {&TArbolBin::DistribuirSeparada, &TArbolBin::DistribuirComprimida,
                                    &TArbolBin::DistribuirCompleta};

// "value:x:y" of every node in pre-order.
std::string Posiciones(const TArbolBin& a) {
    std::string s;
    RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t) {
        s += (s.empty() ? "" : " ") + Texto(n->Valor) + ":" + Texto(n->X) + ":" + Texto(n->Y);
    });
    return s;
}

// A right chain as text: 1(,2(,3(...))).
std::string Cadena(std::int32_t N, std::int32_t I = 1) {
    return Texto(I) + (I < N ? "(," + Cadena(N, I + 1) + ")" : "");
}


TEST(Distribuciones, AreaYCoordenadas) {
    for (const auto& f : Filas(DATOS_TABLAS, "distribucion")) {
        SCOPED_TRACE(f[0] + " | " + f[1]);
        std::istringstream is(f[0] + " " + f[2]);
        std::string d;
        std::int32_t R = 0, Sx = 0, Sy = 0;
        TDistribucion area;
        is >> d >> R >> Sx >> Sy >> area.Ancho >> area.Alto >> area.XRaiz;
        const TDist dist = d == "sep" ? Sep : d == "com" ? Com : Cpl;
        const std::string arbol = f[1] == "-" ? "" : f[1].starts_with("cadena") ? Cadena(std::stoi(f[1].substr(7))) : f[1];
        TArbolBST a, b;
        Construir(a, arbol);
        EXPECT_EQ((a.*Distribuir[dist])(R, Sx, Sy), area);
        EXPECT_EQ(Posiciones(a), f.size() > 3 ? f[3] : Posiciones(a));
        EXPECT_EQ(std::make_tuple(a.Radio, a.SepX, a.SepY), std::make_tuple(R, Sx, Sy));
        if (dist == Cpl && area.Ancho != 2 * area.XRaiz) {  // the fallback lays out as the separated one
            Construir(b, arbol);
            EXPECT_EQ(b.DistribuirSeparada(R, Sx, Sy), area);
            EXPECT_EQ(Posiciones(a), Posiciones(b));
        }
    }
}

// Every layout: levels 2R + Sy apart, neighbours on a level 2R + 2Sx apart, root at XRaiz, circles inside the area;
// separated: a margin of Sx; compressed: touches x 0, parents centred (a pixel aside on an odd sum); complete: a grid.
TEST(Distribuciones, ReglasEnArbolesAleatorios) {
    std::mt19937 gen(5);
    auto uno = [&](std::int32_t lo, std::int32_t hi) { return std::uniform_int_distribution(lo, hi)(gen); };
    for (int t = 0; t < 300; ++t) {
        TArbolBST a;
        for (std::int32_t i = uno(1, 150); i > 0; --i) a.Insertar(uno(0, 1000));
        const std::int32_t R = uno(1, 30), Sx = uno(0, 20), Sy = uno(0, 20);
        for (TDist d : {Sep, Com, Cpl}) {
            if (d == Cpl && a.Altura() > 16) continue;
            SCOPED_TRACE("tree " + std::to_string(t) + " layout " + std::to_string(d));
            const TDistribucion area = (a.*Distribuir[d])(R, Sx, Sy);
            std::map<std::int32_t, std::int64_t> ultimo;  // the last x met on each level
            std::int64_t minX = Max32, maxX = Min32, maxY = 0;
            RecorrerPreorden(a.Raiz, [&](TNodoBin* n, std::int32_t p) {
                EXPECT_EQ(n->Y, R + p * (2 * R + Sy)) << n->Valor;
                EXPECT_TRUE(!ultimo.contains(p) || n->X - ultimo[p] >= 2 * R + 2 * Sx) << n->Valor;
                ultimo[p] = n->X;
                minX = std::min<std::int64_t>(minX, n->X), maxX = std::max<std::int64_t>(maxX, n->X);
                maxY = std::max<std::int64_t>(maxY, n->Y);
                EXPECT_TRUE(d != Cpl || (n->X - R) % (R + Sx) == 0) << n->Valor;
                EXPECT_TRUE(d != Com || !n->Izq || !n->Der || std::abs(2 * n->X - (n->Izq->X + n->Der->X)) <= 1);
                EXPECT_TRUE(d != Com || !n->Izq == !n->Der || n->X == (n->Izq ? n->Izq->X + R : n->Der->X - R));
            });
            EXPECT_EQ(area.XRaiz, a.Raiz->X);
            EXPECT_EQ(area.Alto, maxY + R);
            EXPECT_GE(minX - R, d == Sep ? Sx : 0);
            EXPECT_GE(area.Ancho - maxX - R, d == Sep ? Sx : 0);
            EXPECT_TRUE(d == Cpl ? area.Ancho == 2 * area.XRaiz
                                 : minX - R + area.Ancho - maxX - R == (d == Sep ? 2 * Sx : 0));
            const auto orden = EnOrden(a);  // subtrees share no column, but in the compressed layout
            for (std::size_t i = 1; i < orden.size(); ++i)
                EXPECT_TRUE(d == Com || Nodo(a, orden[i - 1])->X < Nodo(a, orden[i])->X) << orden[i];
        }
    }
}

// A layout that cannot be done writes no coordinate: an area beyond 32 bits, or a count read from a stream that
// disagrees with the nodes (only the compressed layout counts them).
TEST(Distribuciones, FallidaNoEscribeCoordenadas) {
    auto probar = [](TArbolBin& a, TDist d, std::int32_t R, std::int32_t Sx, std::int32_t Sy, const char* Error) {
        RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { n->X = n->Y = 5; });
        try {
            (a.*Distribuir[d])(R, Sx, Sy);
            ADD_FAILURE() << "no error " << d << " " << R << " " << Sx << " " << Sy;
        } catch (const EArbol& e) {
            EXPECT_STREQ(e.what(), Error);
        }
        RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { EXPECT_EQ(n->X + n->Y, 10); });
    };
    TArbolBST a;
    Construir(a, "50(30(20,),70(,80))");
    for (TDist d : {Sep, Com, Cpl})
        for (auto [R, Sx, Sy] : {std::tuple{20, 10, Max32 / 2}, {Max32 / 4, 10, 10}, {20, Max32 / 2, 10}})
            probar(a, d, R, Sx, Sy, "La estructura es demasiado grande para distribuirla!");
    for (std::int32_t cuenta : {1, 4, Max32}) {
        a.Cargar(ConCuenta(FlujoDe("50(30,70)"), cuenta));
        probar(a, Com, 20, 10, 10, "Numero de elementos erroneo!");
        EXPECT_EQ(a.DistribuirSeparada(20, 10, 10), (TDistribucion{140, 90, 70}));
        EXPECT_EQ(a.DistribuirCompleta(20, 10, 10), (TDistribucion{100, 90, 50}));
    }
    EXPECT_THROW(a.Insertar(1), EArbol);  // a count of Max32 cannot grow
}

// The first circle in pre-order hit by the click wins (tablas.txt: single nodes).
TEST(SeleccionarPunto, DistanciaMenorQueElRadioYPrimeroEnPreorden) {
    TArbolBST a;
    Construir(a, "7");
    for (const auto& f : Filas(DATOS_TABLAS, "punto")) {
        std::int32_t x = 0, y = 0, r = 0, acierto = 0;
        std::istringstream(f[0] + " " + f[3]) >> a.Raiz->X >> a.Raiz->Y >> acierto;
        std::istringstream(f[1] + " " + f[2]) >> x >> y >> r;
        a.NodoSel = a.Raiz;
        EXPECT_EQ(a.SeleccionarPunto(x, y, r), acierto == 1) << f[0] << " " << f[1];
        EXPECT_EQ(a.NodoSel, acierto == 1 ? a.Raiz : nullptr);
    }
    Construir(a, "50(30(20,),70)");
    for (auto [v, x] : {std::pair{50, 0}, {30, 300}, {20, 104}, {70, 101}}) Nodo(a, v)->X = x;
    EXPECT_TRUE(a.SeleccionarPunto(102, 0, 10) && a.NodoSel->Valor == 20);
    Nodo(a, 50)->X = 103;
    EXPECT_TRUE(a.SeleccionarPunto(102, 0, 10) && a.NodoSel->Valor == 50);
    EXPECT_FALSE(TArbolBST().SeleccionarPunto(0, 0, 20));
}

TEST(Interpolar, RedondeoAlParYLimites) {
    TArbolBST a;
    Construir(a, "7");
    TNodoBin* n = a.Raiz;
    for (const auto& f : Filas(DATOS_TABLAS, "interpolar")) {
        double t = 0;
        std::istringstream(f[0]) >> n->XIni >> n->XFin >> t;
        n->YIni = n->XFin, n->YFin = n->XIni;
        a.Interpolar(t);
        EXPECT_EQ(Texto(n->X) + " " + Texto(n->Y), f[1]) << f[0];
    }
}

}  // namespace
