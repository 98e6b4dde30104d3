// quelvar-traza run as a program, one case of casos.txt at a time (that file
// says how a case is written); then the reading of OPs and the kind guard of
// the trace, in-process.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "uArbolBST.h"
#include "uTraza.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string Leer(const fs::path& Ruta) {
    std::ifstream f(Ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

struct TCaso {
    std::string Nombre;
    std::vector<std::string> Args;
    std::vector<std::string> Lineas;  // stdout, line by line
    int Codigo = 0;
    std::string Errores;
};

void PrintTo(const TCaso& C, std::ostream* os) { *os << C.Nombre; }

std::vector<TCaso> LeerCasos() {
    std::vector<TCaso> casos;
    std::istringstream texto(Leer(fs::path(DATOS_TRAZA) / "casos.txt"));
    for (std::string l; std::getline(texto, l);) {
        if (l.size() < 2 || l[0] == '#') continue;
        const std::string resto = l.substr(2);
        if (l[0] == '$') {
            const auto espacio = resto.find(' ');
            TCaso c;
            c.Nombre = resto.substr(0, espacio);
            for (const auto& a : nlohmann::json::parse(resto.substr(espacio + 1))) c.Args.push_back(a);
            casos.push_back(std::move(c));
        } else if (casos.empty()) {
            throw std::runtime_error("casos.txt: an expectation before any case: " + l);
        } else if (l[0] == '>') {
            casos.back().Lineas.push_back(resto);
        } else if (l[0] == '=') {
            std::istringstream f(Leer(fs::path(DATOS_TRAZA) / resto));
            for (std::string s; std::getline(f, s);) casos.back().Lineas.push_back(s);
        } else if (l[0] == '!') {
            casos.back().Codigo = std::stoi(resto);
            casos.back().Errores = "quelvar-traza: " + resto.substr(resto.find(' ') + 1) + "\n";
        } else {
            throw std::runtime_error("casos.txt: a line of no known form: " + l);
        }
    }
    return casos;
}

// The stream of the chain 1..N, each node the right child of the one before.
std::string Cadena(std::int32_t N) {
    std::string s;
    auto entero = [&](std::int32_t v) {
        for (int k = 0; k < 4; ++k) s += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF);
    };
    entero(N);
    for (std::int32_t i = 1; i <= N; ++i) {
        entero(i);
        s += '\0';
        s += static_cast<char>(i < N ? 1 : 0);
    }
    return s;
}

// The contents of the file an "@..." argument stands for.
std::string Contenido(const std::string& Arg) {
    if (Arg.starts_with("@cadena:")) return Cadena(std::stoi(Arg.substr(8)));
    std::string s;
    for (std::size_t i = 1; i + 1 < Arg.size(); i += 2) s += static_cast<char>(std::stoi(Arg.substr(i, 2), nullptr, 16));
    return s;
}

void Reemplazar(std::string& S, const std::string& De, const std::string& A) {
    for (auto p = S.find(De); p != std::string::npos; p = S.find(De, p + A.size())) S.replace(p, De.size(), A);
}

// An expected line matches as written, or piece by piece in order around each " … ".
bool Coincide(const std::string& Visto, const std::string& Esperado) {
    static const std::string elision = " … ";
    std::vector<std::string> trozos;
    std::size_t p = 0;
    for (std::size_t e; (e = Esperado.find(elision, p)) != std::string::npos; p = e + elision.size())
        trozos.push_back(Esperado.substr(p, e - p));
    trozos.push_back(Esperado.substr(p));
    if (trozos.size() == 1) return Visto == Esperado;
    if (!Visto.starts_with(trozos.front()) || !Visto.ends_with(trozos.back())) return false;
    std::size_t desde = trozos.front().size();
    for (std::size_t i = 1; i + 1 < trozos.size(); ++i) {
        desde = Visto.find(trozos[i], desde);
        if (desde == std::string::npos) return false;
        desde += trozos[i].size();
    }
    return desde <= Visto.size() - trozos.back().size();
}

class Traza : public ::testing::TestWithParam<TCaso> {};

TEST_P(Traza, DaLasLineasYLaSalidaEsperadas) {
    const TCaso& c = GetParam();
    const fs::path dir = fs::path(::testing::TempDir()) / ("traza-" + c.Nombre + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::vector<std::string> args{QUELVAR_TRAZA};
    int ficheros = 0;
    for (std::string a : c.Args) {
        if (a.starts_with('@')) {
            const std::string ruta = (dir / ("f" + std::to_string(++ficheros))).string();
            std::ofstream(ruta, std::ios::binary) << Contenido(a);
            a = ruta;
        }
        Reemplazar(a, "{tmp}", dir.string());
        args.push_back(a);
    }
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string salida = (dir / "salida").string(), errores = (dir / "errores").string();
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, 1, salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&acciones, 2, errores.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int e = posix_spawn(&pid, QUELVAR_TRAZA, &acciones, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&acciones);
    ASSERT_EQ(e, 0) << "cannot start " << QUELVAR_TRAZA;
    int estado = 0;
    waitpid(pid, &estado, 0);
    EXPECT_EQ(WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, c.Codigo);
    std::string vistoErrores = Leer(errores);
    Reemplazar(vistoErrores, dir.string(), "{tmp}");
    EXPECT_EQ(vistoErrores, c.Errores);

    std::istringstream visto(Leer(salida));
    std::size_t n = 0;
    for (std::string l; std::getline(visto, l); ++n) {
        if (n < c.Lineas.size()) {
            EXPECT_TRUE(Coincide(l, c.Lineas[n])) << "line " << n + 1 << ":\n  " << l.substr(0, 2000)
                                                  << "\nexpected:\n  " << c.Lineas[n];
        }
    }
    EXPECT_EQ(n, c.Lineas.size()) << "lines on stdout";
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Casos, Traza, ::testing::ValuesIn(LeerCasos()),
                         [](const ::testing::TestParamInfo<TCaso>& i) { return i.param.Nombre; });

TEST(LecturaOps, SoloNumerosDeTreintaYDosBitsEnterosYLasFormasDadas) {
    struct TCasoOp {
        const char* Texto;
        TClaseOp Clase;
        std::int32_t N;
    };
    for (const TCasoOp& c : std::initializer_list<TCasoOp>{
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
        const auto op = LeerOp(c.Texto);
        ASSERT_TRUE(op.has_value()) << c.Texto;
        EXPECT_EQ(*op, (TOpTraza{c.Clase, c.N, c.Texto}));
    }
    for (const char* t : {"", "+", "-", "+-1", "-+1", "1 ", " 1", "0x10", "2147483648", "-2147483649", "?", "??1",
                          "fib:", "fib:-1", "fib:1x", "des:+", "des:-1", "crear ", "crear:1", "Crear", "50x"})
        EXPECT_FALSE(LeerOp(t).has_value()) << "[" << t << "]";
    EXPECT_EQ(OpDeEntrada(-50).Texto, "-50");
}

// The variant asked for is the structure's before the first OP.
TEST(LecturaOps, LaVarianteEsLaDeLaEstructuraAntesDeLasOps) {
    const char* argv[] = {"quelvar-traza", "--variante", "libro", "splay", "?1"};
    const auto e = LeerEntradaTraza(5, argv, "quelvar-traza", "", {}, stdout);
    ASSERT_TRUE(e.has_value());
    EXPECT_TRUE(e->Arbol->Variante == TVariante::Libro);
}

TEST(EjecucionTraza, UnaEstructuraDeOtroTipoQueElDeLaTrazaSeRechazaSinEscribirNada) {
    // A kind's builders and extras take the structure as one of their own.
    TArbolBST arbol;
    arbol.Insertar(1);
    const std::vector<TOpTraza> ops{{TClaseOp::Fibonacci, 3, "fib:3"}};
    std::FILE* f = std::tmpfile();
    {
        TEscritorJson salida(f);
        EXPECT_THROW(EjecutarTraza(arbol, *BuscarTipoTraza("avl"), ops, {}, salida), std::logic_error);
    }
    EXPECT_EQ(std::ftell(f), 0);
    std::fclose(f);
    EXPECT_EQ(arbol.NumNodos, 1);
}

}  // namespace
