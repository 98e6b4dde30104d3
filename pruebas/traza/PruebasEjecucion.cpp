// The trace run in-process: what a kind's table entry adds, an OP that
// raises, a failed layout; and the reading of OPs.
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "uArbolBST.h"
#include "uTraza.h"

namespace {

using nlohmann::ordered_json;

std::vector<ordered_json> Trazar(TArbolBin& Arbol, const TTipoTraza& Tipo, const std::vector<TOpTraza>& Ops,
                                 const TMedidasTraza& Medidas = {}) {
    std::FILE* f = std::tmpfile();
    {
        TEscritorJson salida(f);
        EjecutarTraza(Arbol, Tipo, Ops, Medidas, salida);
    }
    std::rewind(f);
    std::vector<ordered_json> lineas;
    char* linea = nullptr;
    std::size_t capacidad = 0;
    while (getline(&linea, &capacidad, f) > 0) lineas.push_back(ordered_json::parse(linea));
    std::free(linea);
    std::fclose(f);
    return lineas;
}

std::vector<TOpTraza> Ops(std::initializer_list<const char*> Textos) {
    std::vector<TOpTraza> r;
    for (const char* t : Textos) r.push_back(LeerOp(t).value());
    return r;
}

std::vector<std::string> Claves(const ordered_json& Objeto) {
    std::vector<std::string> r;
    for (const auto& [k, v] : Objeto.items()) r.push_back(k);
    return r;
}

// A kind as a later engine adds it: a key of its own per node and in the
// final object, and a builder.
const TTipoTraza TipoConExtras{
    .Nombre = "prueba",
    .Clase = &CrearArbol<TArbolBST>,
    .ExtrasNodo =
        [](const TNodoBin& n, TEscritorJson& s) {
            s.Texto(R"(,"doble":)").Entero(2 * std::int64_t{n.Valor});
        },
    .ExtrasFinal =
        [](const TArbolBin& a, TEscritorJson& s) {
            s.Texto(R"(,"vector":[)").Entero(a.NumNodos);
            s.Texto("]");
        },
    .Fibonacci =
        [](TArbolBin& a, std::int32_t n) {
            std::vector<std::int32_t> claves;
            for (std::int32_t v = 1; v <= n; ++v) claves.push_back(v);
            a.Reconstruir(claves);
        },
};

TEST(EjecucionTraza, LaTablaDeTiposAnadeClavesYConstructores) {
    EXPECT_TRUE(TipoConExtras.Admite(TClaseOp::Fibonacci));
    EXPECT_FALSE(TipoConExtras.Admite(TClaseOp::Monticulo));
    EXPECT_FALSE(BuscarTipoTraza("bst")->Admite(TClaseOp::Fibonacci));
    EXPECT_TRUE(BuscarTipoTraza("bst")->Admite(TClaseOp::Busqueda));

    // The builder makes no report; the extras follow the common keys.
    TArbolBST arbol;
    const auto lineas = Trazar(arbol, TipoConExtras, Ops({"fib:2", "?2"}));
    ASSERT_EQ(lineas.size(), 6u);
    EXPECT_EQ(lineas[0]["operacion"], ordered_json::parse(R"({"entrada":"fib:2","resultado":null,"sel":2})"));
    const ordered_json& f = lineas.back()["final"];
    EXPECT_EQ(f["nodos"][1].dump(), R"({"valor":2,"x":36,"y":50,"doble":4})");
    EXPECT_EQ(Claves(f).back(), "vector");
    EXPECT_EQ(f["vector"], ordered_json::parse("[2]"));
}

// A search tree whose insertion of 99 stops with an internal inconsistency
// after one comparison, as a balanced kind's fix-up may.
class TArbolInconsistente : public TArbolBST {
public:
    TClaseArbol Clase() const override { return &CrearArbol<TArbolInconsistente>; }
    bool Insertar(std::int32_t Valor) override {
        if (Valor != 99 || Raiz == nullptr) return TArbolBST::Insertar(Valor);
        TMarcas marca{Raiz};
        Etapa("Búsqueda del valor 99", "Comparando con elemento " + Texto(Raiz->Valor), 0);
        throw EArbol("Fallo camino negro!");
    }
};

TEST(EjecucionTraza, UnaOpQueFallaDaSuLineaDeErrorYLaTrazaSigue) {
    const TTipoTraza tipo{.Nombre = "prueba", .Clase = &CrearArbol<TArbolInconsistente>};
    TArbolInconsistente arbol;
    const auto lineas = Trazar(arbol, tipo, Ops({"1", "99", "2"}));
    ASSERT_EQ(lineas.size(), 10u);
    EXPECT_EQ(lineas[3]["etapa"]["marcados"], ordered_json::parse("[1]"));
    EXPECT_EQ(lineas[4], ordered_json::parse(R"({"error":"Fallo camino negro!"})"));
    // The next OP starts unselected and unmarked.
    EXPECT_EQ(lineas[5]["etapa"]["marcados"], ordered_json::parse("[1]"));
    EXPECT_EQ(lineas[5]["etapa"]["sel"], nullptr);
    EXPECT_EQ(lineas[8]["operacion"]["entrada"], "2");
    EXPECT_EQ(lineas[9]["final"]["num_nodos"], 2);
}

TEST(EjecucionTraza, UnaDistribucionFallidaDejaCadaNodoDondeEstaba) {
    TArbolBST arbol;
    for (std::int32_t v : {50, 30, 70}) arbol.Insertar(v);
    arbol.DistribuirSeparada(20, 10, 10);
    ++arbol.NumNodos;  // one more than the linked nodes: the compressed layout refuses it
    const auto lineas =
        Trazar(arbol, TipoConExtras, {}, {.Distribucion = TDistribucionTraza::Comprimida, .Radio = 20});
    ASSERT_EQ(lineas.size(), 1u);
    const ordered_json& f = lineas[0]["final"];
    EXPECT_EQ(Claves(f), (std::vector<std::string>{"tipo", "num_nodos", "altura", "op_promedio", "ancho", "alto",
                                                    "x_raiz", "flujo", "nodos", "vector", "error_distribucion"}));
    EXPECT_EQ(f["nodos"], ordered_json::parse(R"([{"valor":50,"x":70,"y":20,"doble":100},
        {"valor":30,"x":30,"y":70,"doble":60},{"valor":70,"x":110,"y":70,"doble":140}])"));
    EXPECT_EQ(std::make_tuple(f["ancho"], f["alto"], f["x_raiz"]), std::make_tuple(0, 0, 0));
    EXPECT_EQ(f["error_distribucion"], "Numero de elementos erroneo!");
}

TEST(EjecucionTraza, UnaEstructuraDeOtroTipoQueElDeLaTrazaSeRechaza) {
    // The builders and the extras of an entry take the structure as one of
    // their own kind; another kind never reaches them.
    TArbolBST arbol;
    arbol.Insertar(1);
    std::FILE* f = std::tmpfile();
    {
        TEscritorJson salida(f);
        EXPECT_THROW(EjecutarTraza(arbol, *BuscarTipoTraza("avl"), Ops({"fib:3"}), {}, salida), std::logic_error);
    }
    EXPECT_EQ(std::ftell(f), 0);
    std::fclose(f);
    EXPECT_FALSE(arbol.MostrarEtapas());
    EXPECT_EQ(arbol.NumNodos, 1);
}

TEST(LecturaOps, SoloNumerosDeTreintaYDosBitsEnterosYLasFormasDadas) {
    struct TCaso {
        const char* Texto;
        TClaseOp Clase;
        std::int32_t N;
    };
    for (const TCaso& c : std::initializer_list<TCaso>{
             {"0", TClaseOp::Entrada, 0},
             {"+5", TClaseOp::Entrada, 5},
             {"007", TClaseOp::Entrada, 7},
             {"+2147483647", TClaseOp::Entrada, 2147483647},
             {"-2147483648", TClaseOp::Entrada, INT32_MIN},
             {"?-7", TClaseOp::Busqueda, -7},
             {"fib:0", TClaseOp::Fibonacci, 0},
             {"des:12", TClaseOp::Desordenado, 12},
             {"crear", TClaseOp::Monticulo, 0},
         }) {
        SCOPED_TRACE(c.Texto);
        const auto op = LeerOp(c.Texto);
        ASSERT_TRUE(op.has_value());
        EXPECT_EQ(*op, (TOpTraza{c.Clase, c.N, c.Texto}));
    }
    for (const char* t : {"", "+", "-", "+-1", "-+1", "1 ", " 1", "0x10", "2147483648", "-2147483649", "?", "??1",
                          "fib:", "fib:-1", "fib:1x", "des:+", "des:-1", "crear ", "crear:1", "Crear", "50x"}) {
        SCOPED_TRACE(t);
        EXPECT_FALSE(LeerOp(t).has_value());
    }
    EXPECT_EQ(OpDeEntrada(-50).Texto, "-50");
}

}  // namespace
