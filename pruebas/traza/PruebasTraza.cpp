// quelvar-traza run as a program: its lines, exit statuses and files.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "comprobacion.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

std::string Leer(const fs::path& Ruta) {
    std::ifstream f(Ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

struct TEjecucion {
    int Codigo = -1;
    std::string Salida, Errores;

    // Every line of the output as JSON; a line that does not parse fails the test.
    std::vector<ordered_json> Objetos() const {
        std::vector<ordered_json> r;
        std::istringstream s(Salida);
        for (std::string l; std::getline(s, l);) {
            try {
                r.push_back(ordered_json::parse(l));
            } catch (const std::exception& e) {
                ADD_FAILURE() << "not JSON: " << l.substr(0, 200) << ": " << e.what();
            }
        }
        return r;
    }
};

std::string Hex(const std::vector<std::uint8_t>& Bytes) {
    std::string s;
    for (std::uint8_t b : Bytes) {
        static const char* d = "0123456789abcdef";
        s += d[b >> 4];
        s += d[b & 15];
    }
    return s;
}

class Traza : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Dir_ = fs::path(::testing::TempDir()) / ("traza-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::create_directories(Dir_);
    }
    void TearDown() override { fs::remove_all(Dir_); }

    std::string Fichero(const std::string& Nombre, const std::vector<std::uint8_t>& Datos) {
        const fs::path p = Dir_ / Nombre;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(Datos.data()),
                                                  static_cast<std::streamsize>(Datos.size()));
        return p.string();
    }

    TEjecucion Ejecutar(const std::vector<std::string>& Args) {
        const std::string salida = (Dir_ / "salida").string(), errores = (Dir_ / "errores").string();
        std::vector<char*> argv{const_cast<char*>(QUELVAR_TRAZA)};
        for (const std::string& a : Args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t acciones;
        posix_spawn_file_actions_init(&acciones);
        posix_spawn_file_actions_addopen(&acciones, 1, salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&acciones, 2, errores.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        TEjecucion r;
        const int e = posix_spawn(&pid, QUELVAR_TRAZA, &acciones, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&acciones);
        if (e != 0) {
            ADD_FAILURE() << "cannot start " << QUELVAR_TRAZA;
            return r;
        }
        int estado = 0;
        waitpid(pid, &estado, 0);
        r.Codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
        r.Salida = Leer(salida);
        r.Errores = Leer(errores);
        return r;
    }

    // A refused run: the status, nothing on stdout, one line on stderr.
    void EsperarFallo(const std::vector<std::string>& Args, int Codigo) {
        std::string linea;
        for (const auto& a : Args) linea += " [" + a + "]";
        SCOPED_TRACE(linea);
        const TEjecucion r = Ejecutar(Args);
        EXPECT_EQ(r.Codigo, Codigo);
        EXPECT_EQ(r.Salida, "");
        EXPECT_TRUE(r.Errores.starts_with("quelvar-traza: ")) << r.Errores;
        EXPECT_EQ(r.Errores.find('\n'), r.Errores.size() - 1) << r.Errores;
    }

    fs::path Dir_;
};

ordered_json Final(const std::vector<ordered_json>& Objetos) {
    if (Objetos.empty() || !Objetos.back().contains("final")) return {};
    return Objetos.back()["final"];
}

// Each file holds the lines worked out by hand for its command line.
TEST_F(Traza, EjemplosDanExactamenteLasLineasEsperadas) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> ejemplos{
        {{"bst", "50", "30", "70", "?60", "-50"}, "ejemplo_bst.jsonl"},
        // A single rotation: the walk climbs to 1, which leans by two.
        {{"avl", "1", "2", "3"}, "ejemplo_avl.jsonl"},
        // No reports: order 4, every inner node leaning right.
        {{"avl", "fib:4"}, "ejemplo_avl_fib.jsonl"},
        // A recolouring up to a red root, a deletion that restores nothing,
        // and the black-path failure it leads to.
        {{"rn", "10", "5", "15", "1", "-15", "20"}, "ejemplo_rn.jsonl"},
        // Two single rotations, then a double one from the bottom of a chain.
        {{"splay", "1", "2", "3", "?1"}, "ejemplo_splay.jsonl"},
        // Ascents, then a deletion of the minimum whose last node is shown
        // removed at the first step down.
        {{"mon", "5", "3", "8", "1", "-1"}, "ejemplo_mon.jsonl"},
        // The permutation the program's generator gives after its start-up
        // draw (from seed 1: 1 4 3 2 5), then a bottom-up build whose first
        // position (2 of 5) is a leaf.
        {{"mon", "des:5", "crear"}, "ejemplo_mon_crear.jsonl"},
    };
    for (const auto& [args, fichero] : ejemplos) {
        SCOPED_TRACE(fichero);
        const TEjecucion r = Ejecutar(args);
        EXPECT_EQ(r.Codigo, 0);
        EXPECT_EQ(r.Errores, "");
        EXPECT_EQ(r.Salida, Leer(fs::path(DATOS_TRAZA) / fichero));
    }
}

// The forms an OP may take are read (and tested) in-process; here, that a
// bad one, or a builder on a kind that lacks it, stops the run.
TEST_F(Traza, UsoIncorrectoSaleConDosSinEjecutarNada) {
    std::vector<std::vector<std::string>> casos{
        {},
        {"arbol", "1"},
        {"BST", "1"},
        {"bst", "12a"},
        {"--radio", "diez", "bst"},
        {"--sepx", "4294967296", "bst"},
        {"--sepy", "", "bst"},
        {"--radio"},
        {"--distribucion", "circular", "bst"},
        {"--desconocida", "bst"},
        // A later bad OP stops the run before the first one.
        {"bst", "50", "30", "7x"},
        // Usage is checked before any file is read.
        {"--cargar", "/no/existe", "bst", "12a"},
    };
    // Each builder on the kinds that lack it: only the AVL tree builds
    // Fibonacci trees, only the heap the other two.
    for (const std::string tipo : {"bst", "avl", "rn", "splay", "mon"})
        for (const std::string op : {"fib:3", "des:3", "crear"})
            if (op == "fib:3" ? tipo != "avl" : tipo != "mon") casos.push_back({tipo, op});
    for (const auto& c : casos) EsperarFallo(c, 2);
}

TEST_F(Traza, FicheroIlegibleOInvalidoSaleConUno) {
    const std::string truncado = Fichero("truncado.arb", {2, 0, 0, 0, 50, 0, 0, 0, 1, 0, 30, 0});
    EsperarFallo({"--cargar", (Dir_ / "no-existe.arb").string(), "bst"}, 1);
    EsperarFallo({"--cargar", Dir_.string(), "bst"}, 1);
    EsperarFallo({"--cargar", truncado, "bst", "1"}, 1);
    // A device claims no size: what is read is bounded all the same.
    EsperarFallo({"--cargar", "/dev/zero", "bst"}, 1);
    EsperarFallo({"--sec", "/dev/zero", "bst"}, 1);
    // A heap whose vector indices are not where the tree shape puts them.
    const std::string indices = Fichero("indices.mon", FlujoMon(3, {{1, 0, true, true}, {5, 2, false, false},
                                                                    {2, 1, false, false}}));
    EsperarFallo({"--cargar", indices, "mon"}, 1);
    EsperarFallo({"--sec", (Dir_ / "no-existe.sec").string(), "bst"}, 1);
}

TEST_F(Traza, CargaYListaDeOperacionesSeAplicanAntesQueLasOps) {
    const std::string arbol = Fichero("diez.arb", FlujoDe("10"));
    // 20 5 -10, then three bytes short of an entry, which are ignored.
    const std::string sec = Fichero("lista.sec", {20, 0, 0, 0, 5, 0, 0, 0, 0xF6, 0xFF, 0xFF, 0xFF, 30, 0, 0});
    const TEjecucion r = Ejecutar({"--cargar", arbol, "--sec", sec, "bst", "+7", "?20"});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    const auto objetos = r.Objetos();
    std::vector<std::string> entradas;
    for (const auto& o : objetos)
        if (o.contains("operacion")) entradas.push_back(o["operacion"]["entrada"]);
    EXPECT_EQ(entradas, (std::vector<std::string>{"20", "5", "-10", "+7", "?20"}));
    // Loading reports nothing: the first line is the search of 20 meeting 10.
    ASSERT_FALSE(objetos.empty());
    EXPECT_EQ(objetos[0]["etapa"]["marcados"], ordered_json::parse("[10]"));
    // 10 had both children: its predecessor 5 took its place.
    const ordered_json f = Final(objetos);
    EXPECT_EQ(f["flujo"], Hex(FlujoDe("5(,20(7,))")));
    EXPECT_EQ(f["num_nodos"], 3);
}

TEST_F(Traza, LimitesDeTreintaYDosBits) {
    // The least key is deleted by its own entry, whose negation wraps.
    const std::string arbol = Fichero("min.arb", FlujoDe("-2147483648"));
    const TEjecucion r = Ejecutar({"--cargar", arbol, "bst", "2147483647", "-2147483648", "?-2147483648"});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    const auto objetos = r.Objetos();
    ASSERT_EQ(objetos.size(), 10u);
    EXPECT_EQ(objetos[4]["etapa"]["borrado"], INT32_MIN);
    EXPECT_EQ(objetos[5]["operacion"], ordered_json::parse(R"({"entrada":"-2147483648","resultado":null,"sel":null})"));
    EXPECT_EQ(objetos[6]["etapa"]["titulo"], "Búsqueda del valor -2147483648");
    EXPECT_EQ(Final(objetos)["nodos"], ordered_json::parse(R"([{"valor":2147483647,"x":17,"y":15}])"));
}

// Both option spellings; each tree's coordinates depend on every measure
// and differ between the layouts.
TEST_F(Traza, OpcionesDeDistribucionLleganAlLayout) {
    const std::vector<std::pair<std::vector<std::string>, const char*>> casos{
        {{"--distribucion", "completa", "--radio", "20", "--sepx", "10", "--sepy", "10", "bst", "10", "20", "30"},
         R"({"ancho":220,"alto":140,"x_raiz":110,"x":[110,170,200]})"},
        {{"--distribucion=comprimida", "--radio=20", "--sepx=10", "--sepy=10", "bst", "50", "30", "20", "70", "80"},
         R"({"ancho":140,"alto":140,"x_raiz":70,"x":[70,40,20,100,120]})"},
    };
    for (const auto& [args, esperado] : casos) {
        const TEjecucion r = Ejecutar(args);
        ASSERT_EQ(r.Codigo, 0) << r.Errores;
        const ordered_json f = Final(r.Objetos());
        ordered_json visto{{"ancho", f["ancho"]}, {"alto", f["alto"]}, {"x_raiz", f["x_raiz"]}, {"x", ordered_json::array()}};
        for (const auto& n : f["nodos"]) visto["x"].push_back(n["x"]);
        EXPECT_EQ(visto, ordered_json::parse(esperado));
    }
}

TEST_F(Traza, CuentaMayorQueLosRegistrosFallaEnLaComprimida) {
    const auto datos = ConCuenta(FlujoDe("50(30,)"), 3);
    const std::string arbol = Fichero("cuenta.arb", datos);
    const TEjecucion r = Ejecutar({"--distribucion", "comprimida", "--cargar", arbol, "bst"});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    const ordered_json esperado = ordered_json::parse(R"({"tipo":"Arbol BST","num_nodos":3,"altura":2,
        "op_promedio":"1.00","ancho":0,"alto":0,"x_raiz":0,"flujo":")" + Hex(datos) + R"(",
        "nodos":[{"valor":50,"x":0,"y":0},{"valor":30,"x":0,"y":0}],
        "error_distribucion":"Numero de elementos erroneo!"})");
    const ordered_json f = Final(r.Objetos());
    EXPECT_EQ(f, esperado);  // ordered_json compares the key order too
}

TEST_F(Traza, UnFalloDentroDeUnaOperacionDaSuLineaYLaTrazaSigue) {
    // 10 leans left by three; 11 brings it to -2 over a balanced left child.
    const std::string arbol = Fichero("desequilibrado.avl", FlujoDe("10(5(3(2,4),7(6,8)),)"));
    const TEjecucion r = Ejecutar({"--cargar", arbol, "avl", "11", "?11", "fib:45", "?3"});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    const auto objetos = r.Objetos();
    std::vector<ordered_json> lineas;
    for (const auto& o : objetos)
        if (!o.contains("etapa")) lineas.push_back(o);
    ASSERT_EQ(lineas.size(), 5u);
    EXPECT_EQ(lineas[0], ordered_json::parse(R"({"error":"Inserción en AVL: Caso imposible!"})"));
    EXPECT_EQ(lineas[1]["operacion"], ordered_json::parse(R"({"entrada":"?11","resultado":true,"sel":11})"));
    // A builder's refusal of its argument is an error of that OP too; the
    // tree it would have replaced stays.
    EXPECT_EQ(lineas[2], ordered_json::parse(R"({"error":"Orden de arbol de Fibonacci demasiado grande!"})"));
    EXPECT_EQ(lineas[3]["operacion"]["resultado"], true);
    // 11 stays linked and the factor updated before the failure stays.
    const ordered_json f = Final(objetos);
    EXPECT_EQ(f["num_nodos"], 9);
    EXPECT_EQ(f["nodos"][0]["factor"], -2);
    EXPECT_EQ(f["nodos"].back(), ordered_json::parse(R"({"valor":11,"x":169,"y":50,"factor":0})"));
}

TEST_F(Traza, ColoresCargadosSeMuestranComoSeGuardaron) {
    // A colour byte other than 0 and 1 is kept and printed as it is; no
    // black height has been computed after a load.
    const auto datos = FlujoRN("5(3,8)", "[2]nn");
    const std::string arbol = Fichero("colores.arn", datos);
    const TEjecucion r = Ejecutar({"--cargar", arbol, "rn"});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    const ordered_json f = Final(r.Objetos());
    EXPECT_EQ(f["flujo"], Hex(datos));
    EXPECT_EQ(f["nodos"], ordered_json::parse(R"([{"valor":5,"x":36,"y":15,"color":2,"altura_negra":0},
                                                  {"valor":3,"x":17,"y":50,"color":1,"altura_negra":0},
                                                  {"valor":8,"x":55,"y":50,"color":1,"altura_negra":0}])"));
}

TEST_F(Traza, VectorDelMonticuloCargadoYVacio) {
    // The vector is rebuilt from the stored indices, not from the pre-order.
    const auto datos = FlujoMon(4, {{1, 0, true, true}, {6, 1, true, false}, {7, 3, false, false}, {2, 2, false, false}});
    const std::string monticulo = Fichero("cuatro.mon", datos);
    {
        const TEjecucion r = Ejecutar({"--cargar", monticulo, "mon"});
        ASSERT_EQ(r.Codigo, 0) << r.Errores;
        const ordered_json f = Final(r.Objetos());
        EXPECT_EQ(f["vector"], ordered_json::parse("[1,6,2,7]"));
        EXPECT_EQ(f["flujo"], Hex(datos));
        EXPECT_EQ(f["nodos"][2]["indice"], 3);
    }
    {
        // Deleting from an empty heap does nothing and reports nothing.
        const TEjecucion r = Ejecutar({"--cargar", monticulo, "mon", "des:0", "-7"});
        ASSERT_EQ(r.Codigo, 0) << r.Errores;
        const auto objetos = r.Objetos();
        ASSERT_EQ(objetos.size(), 3u);
        EXPECT_EQ(objetos[1]["operacion"], ordered_json::parse(R"({"entrada":"-7","resultado":null,"sel":null})"));
        const ordered_json f = Final(objetos);
        EXPECT_EQ(f["vector"], ordered_json::array());
        EXPECT_EQ(f["nodos"], ordered_json::array());
        EXPECT_EQ(f["flujo"], "00000000");
    }
}

TEST_F(Traza, CadenaAvlDeUnMillonDeNodos) {
    constexpr std::int32_t n = 1'000'000;
    const std::string cadena = Fichero("cadena.avl", FlujoCadena(n, true));
    const TEjecucion r = Ejecutar({"--cargar", cadena, "avl", "0"});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    const auto objetos = r.Objetos();
    ASSERT_EQ(objetos.size(), 7u);
    // The loaded factors run far outside -2..2: the walk updates 1 and ends.
    EXPECT_EQ(objetos[4]["etapa"]["descripcion"], "Se actualiza el factor de equilibrio del nodo. Se comprueba la situación.");
    EXPECT_EQ(objetos[5]["operacion"]["sel"], 0);
    const ordered_json f = Final(objetos);
    EXPECT_EQ(f["num_nodos"], n + 1);
    EXPECT_EQ(f["altura"], n);
    ASSERT_EQ(f["nodos"].size(), static_cast<std::size_t>(n + 1));
    EXPECT_EQ(f["nodos"][0], ordered_json::parse(R"({"valor":1,"x":36,"y":15,"factor":999998})"));
    EXPECT_EQ(f["nodos"][1], ordered_json::parse(R"({"valor":0,"x":17,"y":50,"factor":0})"));
    EXPECT_EQ(f["nodos"][2]["factor"], 999998);
    EXPECT_EQ(f["nodos"].back(), ordered_json::parse(R"({"valor":1000000,"x":19000017,"y":34999980,"factor":0})"));
}

}  // namespace
