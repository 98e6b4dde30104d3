// Streams of every kind: an accepted one loads as written, reads to its own end only, saves back as given (or as the
// row says); a rejected one (also any accepted one cut short) names its fault and leaves the structure as it was.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "comprobacion.h"
#include "uArbolAVL.h"
#include "uArbolRN.h"
#include "uInvariantes.h"

namespace {

using TBytes = std::vector<std::uint8_t>;
constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

const std::string Corto = "El fichero no contiene una estructura valida: los datos terminan antes de tiempo.",
                  Negativo = "El fichero no contiene una estructura valida: el numero de nodos es negativo.",
                  Posiciones = "El fichero no contiene un montículo valido: las posiciones de los nodos no "
                               "corresponden a la forma del arbol.";

const TBytes B503070 = {3, 0, 0, 0, 50, 0, 0, 0, 1, 1, 30, 0, 0, 0, 0, 0, 70, 0, 0, 0, 0, 0};

TBytes Con(TBytes D, std::size_t I, std::initializer_list<std::uint8_t> B) {
    for (std::uint8_t b : B) D[I++] = b;
    return D;
}

struct TCasoFlujo {
    const char* Tipo;
    TBytes Datos;
    std::string Esperado;  // accepted: Estado after loading; rejected: the error text
    TBytes Guardado = {};  // accepted: what saves back, when not Datos
};

// clang-format off
const TCasoFlujo Casos[] = {
    {"bst", {0, 0, 0, 0}, " n0"},
    {"bst", B503070, "50(30,70) n3"},
    {"bst", {3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 1, 0, 0, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0},
     "-2(-2147483648,2147483647) n3"},
    // Any non-zero flag byte is a child; a count of 0 ignores what follows; another count is kept as read.
    {"bst", Con(B503070, 8, {0x80, 0xFF}), "50(30,70) n3", B503070},
    {"bst", {0, 0, 0, 0, 0xFF, 0xFF}, " n0", {0, 0, 0, 0}},
    {"bst", ConCuenta(B503070, 1), "50(30,70) n1"}, {"bst", ConCuenta(B503070, Max32), "50(30,70) n2147483647"},
    {"bst", ConCuenta(B503070, -1), Negativo}, {"bst", ConCuenta(B503070, Min32), Negativo},
    // The factors come from the shape, whatever it is.
    {"avl", FlujoDe("1(,2(,3))"), "1(,2(,3)) 2 1 0 n3"},
    {"avl", FlujoDe("10(5(3(2,4),7(6,8)),)"), "10(5(3(2,4),7(6,8)),) -3 0 0 0 0 0 0 0 n8"},
    {"avl", ConCuenta(FlujoDe("5"), -2), Negativo},
    // Seven-byte records; every colour byte kept, black heights 0 until checked.
    {"rn", {3, 0, 0, 0, 10, 0, 0, 0, 1, 1, 1, 5, 0, 0, 0, 0, 0, 0, 15, 0, 0, 0, 0, 0, 0}, "10(5,15) 1/0 0/0 0/0 n3"},
    {"rn", FlujoRN("10(5(1,),15)", "[200]nrn"), "10(5(1,),15) 200/0 1/0 0/0 1/0 n4"},
    // Heap records: value, vector index, flags; MaxNodos becomes the count; an unordered heap is accepted.
    {"mon", {0, 0, 0, 0, 0xFF}, "- max 0 cap 1000 n0", {0, 0, 0, 0}},
    {"mon", {2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 7, 0, 0, 0, 1, 0, 0, 0, 0, 0}, "2,7 max 2 cap 1000 n2"},
    {"mon", FlujoVector({3, 1, 2, 0, 5}), "3,1,2,0,5 max 5 cap 1000 n5"},
    {"mon", Con(FlujoVector({1, 2, 3}), 12, {0x80, 0xFF}), "1,2,3 max 3 cap 1000 n3", FlujoVector({1, 2, 3})},
    {"mon", FlujoMon(-1, {{1, 0, 0, 0}}), Negativo}, {"mon", FlujoMon(3, {}), Corto},
    // Indices not where the shape puts them, or a count that disagrees with the records.
    {"mon", FlujoMon(1, {{5, 1, 0, 0}}), Posiciones}, {"mon", FlujoMon(1, {{5, -1, 0, 0}}), Posiciones},
    {"mon", FlujoMon(3, {{1, 0, 1, 1}, {3, 2, 0, 0}, {8, 1, 0, 0}}), Posiciones},
    {"mon", FlujoMon(3, {{1, 0, 1, 0}, {3, 1, 1, 0}, {8, 3, 0, 0}}), Posiciones},  // 3: past the count
    {"mon", FlujoMon(3, {{1, 0, 1, 0}, {3, 1, 1, 0}, {8, 2, 0, 0}}), Posiciones},
    {"mon", FlujoMon(2, {{1, 0, 1, 0}, {3, Max32, 0, 0}}), Posiciones},
    {"mon", FlujoMon(2, {{1, 0, 0, 1}, {3, 2, 0, 0}}), Posiciones},
    {"mon", FlujoMon(4, {{1, 0, 1, 1}, {3, 1, 0, 0}, {8, 2, 0, 0}}), Posiciones},
    {"mon", FlujoMon(2, {{1, 0, 1, 1}, {3, 1, 0, 0}, {8, 2, 0, 0}}), Posiciones},
};
// clang-format on

// The shape (a heap: live cells, MaxNodos, capacity), each node's factor or colour/black height, the count.
std::string Estado(const TArbolBin& A) {
    std::string s = Forma(A);
    if (const auto* m = dynamic_cast<const TMonticulo*>(&A))
        s = Lista(Vivos(*m)) + " max " + Texto(m->MaxNodos) + " cap " + Texto(m->Capacidad());
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        if (const auto* a = dynamic_cast<TNodoAVL*>(n)) s += " " + Texto(a->FactorEquilibrio);
        if (const auto* r = dynamic_cast<TNodoRN*>(n)) s += " " + Texto(r->Color) + "/" + Texto(r->AlturaNegra);
    });
    return s + " n" + Texto(A.NumNodos);
}

// Every kind with self-counting nodes, filled and with a selection.
struct TPreparado {
    std::unique_ptr<TArbolBin> A;
    std::int64_t* Vivos;
};
template <class TArbol, class TNodo>
TPreparado Crear() { return {std::make_unique<TContado<TArbol, TNodo>>(), &TNodoContado<TNodo>::Vivos}; }
TPreparado Preparar(const std::string& Tipo) {
    TPreparado p = Tipo == "bst" ? Crear<TArbolBST, TNodoBin>() : Tipo == "avl" ? Crear<TArbolAVL, TNodoAVL>()
                   : Tipo == "rn" ? Crear<TArbolRN, TNodoRN>() : Crear<TMonticulo, TNodoMon>();
    if (Tipo == "mon") {
        for (std::int32_t v : {5, 3, 8, 1}) p.A->Insertar(v);
        p.A->Borrar();  // 1 stays, greyed
    } else {
        p.A->Cargar(Tipo == "rn" ? FlujoRN("1(,2(,3))", "n[9]r") : FlujoDe("1(,2(,3))"));
    }
    p.A->NodoSel = p.A->Raiz->Der;
    return p;
}

std::int64_t Enlazados(const TArbolBin& A) { return static_cast<std::int64_t>(EnOrden(A).size()); }

void Rechazo(const std::string& Tipo, const TBytes& Datos, const std::string& Error) {
    TPreparado p = Preparar(Tipo);
    TArbolBin& a = *p.A;
    const std::string estado = Estado(a);
    const TBytes guardado = a.Guardar();
    TNodoBin *raiz = a.Raiz, *sel = a.NodoSel;
    const auto* m = dynamic_cast<const TMonticulo*>(&a);
    const auto valores = m ? m->VectorValores : std::vector<std::int32_t>{};
    const auto nodos = m ? m->Vector : std::vector<TNodoMon*>{};  // the same nodes in the same cells
    const TDatosAlBorde borde(Datos);
    try {
        a.Cargar(borde.Datos());
        ADD_FAILURE() << "accepted";
    } catch (const EFlujoInvalido& e) {
        EXPECT_EQ(e.what(), Error);
    }
    EXPECT_EQ(Estado(a), estado);
    EXPECT_EQ(a.Guardar(), guardado);
    EXPECT_EQ(std::make_pair(a.Raiz, a.NodoSel), std::make_pair(raiz, sel));
    EXPECT_TRUE(!m || (m->VectorValores == valores && m->Vector == nodos));
    EXPECT_EQ(*p.Vivos, a.NumNodos);
    EXPECT_EQ(InvarianteEnEtapa(a), "");
}

TEST(Flujo, CadaEntradaDeCadaTipo) {
    for (const TCasoFlujo& c : Casos) {
        SCOPED_TRACE(std::string(c.Tipo) + " " + c.Esperado + " " + ::testing::PrintToString(c.Datos));
        if (c.Esperado.starts_with("El fichero")) {
            Rechazo(c.Tipo, c.Datos, c.Esperado);
            continue;
        }
        {
            TPreparado p = Preparar(c.Tipo);
            TArbolBin& a = *p.A;
            a.OnEtapa = [](const std::string&, const std::string&, int) { ADD_FAILURE() << "report while loading"; };
            const TDatosAlBorde borde(c.Datos);
            a.Cargar(borde.Datos());
            EXPECT_EQ(Estado(a), c.Esperado);
            EXPECT_EQ(a.Guardar(), c.Guardado.empty() ? c.Datos : c.Guardado);
            EXPECT_EQ(a.NodoSel, nullptr);
            EXPECT_EQ(*p.Vivos, Enlazados(a));
            EXPECT_TRUE(Enlazados(a) != a.NumNodos || InvarianteEnEtapa(a).empty()) << InvarianteEnEtapa(a);
            RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { EXPECT_EQ(n->X | n->Y, 0); });
            TBytes mas = c.Datos;  // with more bytes after it, a load reads its own stream only
            TLectorFlujo f((mas.insert(mas.end(), {9, 9, 9}), mas));
            a.Cargar(f);
            EXPECT_EQ(f.Posicion(), a.NumNodos == 0 ? 4 : c.Datos.size());
        }
        if (c.Guardado.empty())
            for (std::size_t n = 0; n < c.Datos.size(); ++n)
                Rechazo(c.Tipo, TBytes(c.Datos.begin(), c.Datos.begin() + static_cast<std::ptrdiff_t>(n)), Corto);
    }
}

}  // namespace
