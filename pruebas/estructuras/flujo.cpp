// The byte stream of a structure: exact bytes, round trips, and streams that
// are cut short, carry a negative count or a count that disagrees.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "comprobacion.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

const TBytes Flujo503070 = {0x03, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, 0x01, 0x01, 0x1E,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x46, 0x00, 0x00, 0x00, 0x00, 0x00};

TBytes Concatenar(TBytes a, const TBytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Flujo, BytesExactos) {
    TArbolBST a;
    EXPECT_EQ(a.Guardar(), (TBytes{0, 0, 0, 0}));
    for (std::int32_t v : {50, 30, 70}) a.Insertar(v);
    EXPECT_EQ(a.Guardar(), Flujo503070);
    TArbolBST b;
    Construir(b, "-2(-2147483648,2147483647)");
    EXPECT_EQ(b.Guardar(),
              (TBytes{3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 1, 0, 0, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}));
}

// Every tree written is read back with the same shape; the nodes read are
// fresh: coordinates 0, nothing selected, no report made.
TEST(Flujo, IdaYVuelta) {
    std::mt19937 gen(11);
    for (int t = 0; t < 40; ++t) {
        TArbolBST a;
        const int n = t * 5;
        for (int i = 0; i < n; ++i) a.Insertar(std::uniform_int_distribution<std::int32_t>(-300, 300)(gen));
        a.DistribuirSeparada(15, 2, 5);
        const TBytes datos = a.Guardar();

        TArbolBST b;
        Construir(b, "1(,2)");
        b.NodoSel = b.Raiz;
        b.OnEtapa = [](const std::string&, const std::string&, int) { ADD_FAILURE() << "report while loading"; };
        b.Cargar(datos);
        EXPECT_EQ(Forma(b), Forma(a));
        EXPECT_EQ(b.Guardar(), datos);
        EXPECT_EQ(b.NodoSel, nullptr);
        EXPECT_EQ(Comprobar(b), "");
        RecorrerPreorden(b.Raiz, [](TNodoBin* m, std::int32_t) { EXPECT_EQ(std::make_pair(m->X, m->Y), std::make_pair(0, 0)); });
    }
}

// A load consumes exactly its own stream: two streams in a row read one
// after the other, and whatever follows a whole stream is left unread.
TEST(Flujo, LeeSoloSuFlujo) {
    const TBytes vacio = {0, 0, 0, 0, 0xFF, 0xFF};  // a count of 0 ignores what follows
    const TBytes datos = Concatenar(Concatenar(Flujo503070, vacio), TBytes{9, 9, 9});
    TLectorFlujo f(datos);
    TArbolBST a, b;
    Construir(b, "5");
    a.Cargar(f);
    EXPECT_EQ(f.Posicion(), Flujo503070.size());
    b.Cargar(f);
    EXPECT_EQ(f.Posicion(), Flujo503070.size() + 4);
    EXPECT_EQ(Forma(a), "50(30,70)");
    EXPECT_EQ(Forma(b), "");
    EXPECT_EQ(b.NumNodos, 0);
}

// Any non-zero flag byte means the child is there; it is written back as 1.
TEST(Flujo, CualquierBanderaNoNulaEsHijo) {
    for (int bandera : {0x02, 0x80, 0xFF}) {
        TBytes datos = Flujo503070;
        datos[8] = datos[9] = static_cast<std::uint8_t>(bandera);
        TArbolBST a;
        a.Cargar(datos);
        EXPECT_EQ(Forma(a), "50(30,70)") << bandera;
        EXPECT_EQ(a.Guardar(), Flujo503070);
    }
}

// A rejected stream leaves the structure as it was, selection included, and
// nothing is read beyond the data (the bytes end at an unreadable page).
void EsperarRechazo(const TBytes& Datos, const std::string& Que) {
    SCOPED_TRACE(Que);
    TArbolBST a;
    Construir(a, "1(,2(,3))");
    a.NodoSel = a.Raiz->Der;
    const TBytes antes = a.Guardar();
    const TDatosAlBorde borde(Datos);
    try {
        a.Cargar(borde.Datos());
        ADD_FAILURE() << "accepted";
    } catch (const EFlujoInvalido& e) {
        EXPECT_NE(std::string(e.what()), "");
    }
    EXPECT_EQ(a.Guardar(), antes);
    EXPECT_EQ(a.NodoSel, a.Raiz->Der);
    EXPECT_EQ(Comprobar(a), "");
}

TEST(Flujo, TruncadoEnCadaByteSeRechaza) {
    const TBytes datos = FlujoDe("50(30(20,40),70(,80(75,)))");
    for (std::size_t corte = 0; corte < datos.size(); ++corte)
        EsperarRechazo(TBytes(datos.begin(), datos.begin() + static_cast<std::ptrdiff_t>(corte)),
                       "cut at " + std::to_string(corte));
}

TEST(Flujo, CuentaNegativaSeRechaza) {
    for (std::int32_t cuenta : {-1, -3, std::numeric_limits<std::int32_t>::min()})
        EsperarRechazo(ConCuenta(Flujo503070, cuenta), "count " + std::to_string(cuenta));
}

// A whole stream whose count disagrees with its records is accepted with the
// count as read; only the compressed layout notices.
TEST(Flujo, CuentaDiscordanteSeAceptaYLaDistribucionComprimidaLaDetecta) {
    for (std::int32_t cuenta : {1, 4, std::numeric_limits<std::int32_t>::max()}) {
        SCOPED_TRACE(cuenta);
        const TBytes datos = ConCuenta(Flujo503070, cuenta);
        TArbolBST a;
        ASSERT_NO_THROW(a.Cargar(datos));
        EXPECT_EQ(a.NumNodos, cuenta);
        EXPECT_EQ(Forma(a), "50(30,70)");
        EXPECT_EQ(a.Guardar(), datos);

        RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { n->X = n->Y = 777; });
        try {
            a.DistribuirComprimida(20, 10, 10);
            ADD_FAILURE() << "compressed layout accepted the count";
        } catch (const EArbol& e) {
            EXPECT_STREQ(e.what(), "Numero de elementos erroneo!");
        }
        RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { EXPECT_EQ(n->X, 777); });
        EXPECT_EQ(a.DistribuirSeparada(20, 10, 10), (TDistribucion{140, 90, 70}));
        EXPECT_EQ(a.DistribuirCompleta(20, 10, 10), (TDistribucion{100, 90, 50}));
    }
}

}  // namespace
