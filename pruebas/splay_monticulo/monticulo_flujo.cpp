// The heap's stream: exact bytes, round trips, and the streams its Cargar
// rejects because the stored indices are not the positions the tree shape
// gives (or the data ends early), leaving the current heap as it was.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "comprobacion.h"
#include "uInvariantes.h"

using TBytes = std::vector<std::uint8_t>;

// A heap whose nodes count themselves.
using TNodoMonContado = TNodoContado<TNodoMon>;
class TMonticuloContado : public TMonticulo {
public:
    TNodoBin* CrearNodo(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) override {
        return NuevoNodo<TNodoMonContado>(V, P, I, D);
    }
};

namespace {

using TValores = std::vector<std::int32_t>;

TEST(FlujoMonticulo, BytesExactos) {
    TMonticulo m;
    EXPECT_EQ(m.Guardar(), (TBytes{0, 0, 0, 0}));
    m.Insertar(7);
    m.Insertar(2);
    // Count 2; the root 2 at index 0 with a left child; 7 at index 1.
    EXPECT_EQ(m.Guardar(), (TBytes{2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 7, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
}

// A saved heap loads back with the same vector, ordered or not, over any
// content; the stale cells are not stored, so MaxNodos becomes NumNodos.
// Nothing is selected and nothing is reported.
TEST(FlujoMonticulo, IdaYVuelta) {
    std::mt19937 gen(5);
    TAleatorio r;
    for (int t = 0; t < 30; ++t) {
        SCOPED_TRACE(t);
        TMonticulo a;
        if (t % 3 == 0) {
            a.CrearDesordenado(t * 40, r);
        } else {
            std::uniform_int_distribution<std::int32_t> valor(-50, 50);
            for (std::int32_t i = 0; i < t * 40; ++i) a.Insertar(valor(gen));
            for (std::int32_t i = 0; i < t * 40 / 3; ++i) a.Borrar();
        }
        const TBytes datos = a.Guardar();
        TMonticuloContado b;
        for (std::int32_t v : {1, 2, 3, 4, 5, 6}) b.Insertar(v);
        b.NodoSel = b.Raiz;
        TGrabadora g(b);
        b.Cargar(datos);
        EXPECT_TRUE(g.Etapas.empty());
        EXPECT_EQ(b.Guardar(), datos);
        EXPECT_EQ(Vivos(b), Vivos(a));
        EXPECT_EQ(b.MaxNodos, a.NumNodos);
        EXPECT_EQ(b.NodoSel, nullptr);
        EXPECT_EQ(b.Capacidad(), a.NumNodos > 1000 ? a.NumNodos + 100 : 1000);
        EXPECT_EQ(InvarianteEnEtapa(b), "");
        EXPECT_EQ(TNodoMonContado::Vivos, b.NumNodos);
    }
}

// A count of 0 ignores what follows; any non-zero flag byte is a child.
TEST(FlujoMonticulo, CuentaCeroIgnoraLoQueSigueYBanderasNoNulas) {
    TMonticulo m;
    m.Cargar(FlujoVector({1, 2, 3}));
    m.Cargar(TBytes{0, 0, 0, 0, 0xFF, 0xFF});
    EXPECT_EQ(m.MaxNodos, 0);
    EXPECT_EQ(Comprobar(m), "");
    TBytes datos = FlujoVector({1, 2, 3});
    datos[12] = 0x80;
    datos[13] = 0xFF;
    m.Cargar(datos);
    EXPECT_EQ(m.Guardar(), FlujoVector({1, 2, 3}));
}

// Streams loaded into a heap with three live cells, one stale one and a
// selection, read from bytes that end where a read past them faults: each
// is rejected and the heap stays exactly as it was, and usable.
class RechazoMonticulo : public ::testing::Test {
protected:
    void SetUp() override {
        for (std::int32_t v : {5, 3, 8, 1}) M.Insertar(v);
        M.Borrar();
        M.NodoSel = M.Vector[1];
        Antes = M.Guardar();
        Valores = M.VectorValores;
        Nodos = M.Vector;
    }
    void EsperarRechazo(const TBytes& Datos, const std::string& Que) {
        const TDatosAlBorde borde(Datos);
        EXPECT_THROW(M.Cargar(borde.Datos()), EFlujoInvalido) << Que;
        EXPECT_EQ(M.Guardar(), Antes) << Que;
        EXPECT_EQ(M.VectorValores, Valores) << Que;
        EXPECT_EQ(M.Vector, Nodos) << Que;
        EXPECT_EQ(M.MaxNodos, 4) << Que;
        EXPECT_EQ(M.NodoSel, M.Vector[1]) << Que;
        EXPECT_EQ(Comprobar(M), "") << Que;
    }
    TMonticulo M;
    TBytes Antes;
    TValores Valores;
    std::vector<TNodoMon*> Nodos;
};

struct TMalo {
    const char* Nombre;
    std::int32_t Cuenta;
    std::vector<TRegistroMon> Registros;
};

// clang-format off
const TMalo Malos[] = {
    {"RaizConIndiceUno", 1, {{5, 1, false, false}}},
    {"RaizConIndiceNegativo", 1, {{5, -1, false, false}}},
    {"HijosCruzados", 3, {{1, 0, true, true}, {3, 2, false, false}, {8, 1, false, false}}},
    {"IndiceRepetido", 3, {{1, 0, true, true}, {3, 1, false, false}, {8, 1, false, false}}},
    // Indices 0, 1, 2 but the third one sits where the shape gives 3.
    {"IndicesFueraDeSitio", 3, {{1, 0, true, false}, {3, 1, true, false}, {8, 2, false, false}}},
    {"IndiceNoMenorQueLaCuenta", 3, {{1, 0, true, false}, {3, 1, true, false}, {8, 3, false, false}}},
    {"IndiceEnorme", 2, {{1, 0, true, false}, {3, std::numeric_limits<std::int32_t>::max(), false, false}}},
    {"SoloHijoDerecho", 2, {{1, 0, false, true}, {3, 2, false, false}}},
    {"CuentaMayor", 4, {{1, 0, true, true}, {3, 1, false, false}, {8, 2, false, false}}},
    {"CuentaMenor", 2, {{1, 0, true, true}, {3, 1, false, false}, {8, 2, false, false}}},
    {"CuentaNegativa", -1, {{1, 0, false, false}}},
    {"CuentaSinRegistros", 3, {}},
};
// clang-format on

TEST_F(RechazoMonticulo, IndicesQueNoSonLosDeLaForma) {
    for (const TMalo& m : Malos) EsperarRechazo(FlujoMon(m.Cuenta, m.Registros), m.Nombre);
    M.Insertar(0);
    EXPECT_EQ(M.Raiz->Valor, 0);
}

TEST_F(RechazoMonticulo, TruncadoEnCadaByte) {
    const TBytes datos = FlujoVector({1, 2, 3, 4, 5});
    for (std::size_t n = 0; n < datos.size(); ++n)
        EsperarRechazo(TBytes(datos.begin(), datos.begin() + static_cast<std::ptrdiff_t>(n)),
                       "first " + std::to_string(n) + " bytes");
    // The whole stream, read exactly up to its end, is accepted.
    const TDatosAlBorde borde(datos);
    M.Cargar(borde.Datos());
    EXPECT_EQ(Vivos(M), (TValores{1, 2, 3, 4, 5}));
}

}  // namespace
