#include "uTraza.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "uAleatorio.h"
#include "uListaOper.h"
#include "uPseudocodigo.h"

using nlohmann::ordered_json;

namespace {

ordered_json ValorDe(const TNodoBin* Nodo) { return Nodo != nullptr ? ordered_json(Nodo->Valor) : ordered_json(); }

// The way down from the root to a node: false for left, true for right. Two
// nodes are in pre-order as their ways are in lexicographic order (an
// ancestor's way is a prefix of its descendants').
using TCamino = std::vector<bool>;

// The marked nodes of the structure in pre-order, found from the live marks
// and their parent links, so a stage costs the depth of its few marked nodes
// instead of a walk over the whole structure. A marked node outside the
// structure (removed, or of another one) is left out, as the walk would;
// should a parent link not match its parent's child links, the walk decides.
std::vector<std::int32_t> Marcados(const TArbolBin& Arbol) {
    std::vector<std::pair<TCamino, const TNodoBin*>> nodos;
    bool enlacesFiables = true;
    TMarcas::ParaCadaMarcado([&](const TNodoBin* n) {
        if (!enlacesFiables) return;
        TCamino camino;
        const TNodoBin* c = n;
        for (; c->Padre != nullptr; c = c->Padre) {
            if (c->Padre->Izq == c)
                camino.push_back(false);
            else if (c->Padre->Der == c)
                camino.push_back(true);
            else {
                enlacesFiables = false;
                return;
            }
        }
        if (c != Arbol.Raiz) return;
        std::reverse(camino.begin(), camino.end());
        nodos.emplace_back(std::move(camino), n);
    });
    std::vector<std::int32_t> valores;
    if (!enlacesFiables) {
        RecorrerPreorden(Arbol.Raiz, [&](TNodoBin* n, std::int32_t) {
            if (n->Marcado) valores.push_back(n->Valor);
        });
        return valores;
    }
    std::sort(nodos.begin(), nodos.end());
    nodos.erase(std::unique(nodos.begin(), nodos.end()), nodos.end());
    for (const auto& [camino, n] : nodos) valores.push_back(n->Valor);
    return valores;
}

void EscribirEtapa(const TArbolBin& Arbol, const std::string& Titulo, const std::string& Descripcion,
                   int TipoEtapa, bool Pseudocodigo, TEscritorJson& Salida) {
    ordered_json marcados = ordered_json::array();
    for (const std::int32_t v : Marcados(Arbol)) marcados.push_back(v);
    ordered_json etapa = ordered_json::object();
    etapa["titulo"] = Titulo;
    etapa["descripcion"] = Descripcion;
    etapa["tipo"] = TipoEtapa;
    etapa["marcados"] = std::move(marcados);
    etapa["sel"] = ValorDe(Arbol.NodoSel);
    etapa["borrado"] = ValorDe(Arbol.NodoBorrado);
    if (Pseudocodigo) {
        const int n = LineaDe(Arbol.Sitio().Listado, Arbol.Sitio().Etiqueta);
        etapa["listado"] = n > 0 ? ordered_json(std::string(Arbol.Sitio().Listado)) : ordered_json();
        etapa["linea"] = n > 0 ? ordered_json(n) : ordered_json();
    }
    ordered_json linea;
    linea["etapa"] = std::move(etapa);
    Salida.Linea(linea);
}

}  // namespace

std::optional<bool> AplicarOp(TArbolBin& Arbol, const TTipoTraza& Tipo, const TOpTraza& Op) {
    switch (Op.Clase) {
        case TClaseOp::Entrada:
            if (Op.N >= 0) return Arbol.Insertar(Op.N);
            Arbol.Seleccionar(Negada(Op.N), true);
            Arbol.Borrar();
            return std::nullopt;
        case TClaseOp::Busqueda:
            return Arbol.Buscar(Op.N);
        case TClaseOp::Fibonacci:
        case TClaseOp::Desordenado:
        case TClaseOp::Monticulo:
            break;
    }
    const TConstructorTraza constructor = Tipo.Constructor(Op.Clase);
    if (constructor == nullptr) throw std::logic_error("OP not admitted by the kind: " + Op.Texto);
    constructor(Arbol, Op.N);
    return std::nullopt;
}

TDistribucion DistribuirMedidas(TArbolBin& Arbol, const TMedidasTraza& M) {
    switch (M.Distribucion) {
        case TDistribucionTraza::Comprimida:
            return Arbol.DistribuirComprimida(M.Radio, M.SepX, M.SepY);
        case TDistribucionTraza::Completa:
            return Arbol.DistribuirCompleta(M.Radio, M.SepX, M.SepY);
        case TDistribucionTraza::Separada:
            break;
    }
    return Arbol.DistribuirSeparada(M.Radio, M.SepX, M.SepY);
}

namespace {

void EscribirFinal(TArbolBin& Arbol, const TTipoTraza& Tipo, const TMedidasTraza& Medidas, TEscritorJson& Salida) {
    // A failed layout leaves every node where it was: the coordinates are
    // kept beforehand and given back.
    std::vector<std::pair<std::int32_t, std::int32_t>> antes;
    RecorrerPreorden(Arbol.Raiz, [&](TNodoBin* n, std::int32_t) { antes.emplace_back(n->X, n->Y); });
    TDistribucion d;
    std::optional<std::string> errorDistribucion;
    try {
        d = DistribuirMedidas(Arbol, Medidas);
    } catch (const EArbol& e) {
        errorDistribucion = e.what();
        d = {};
        std::size_t i = 0;
        RecorrerPreorden(Arbol.Raiz, [&](TNodoBin* n, std::int32_t) {
            n->X = antes[i].first;
            n->Y = antes[i].second;
            ++i;
        });
    }
    char promedio[64];
    std::snprintf(promedio, sizeof promedio, "%.2f", Arbol.OpPromedio());

    // Written piece by piece: a million nodes need no tree of JSON values.
    Salida.Texto(R"({"final":{"tipo":)").Cadena(Arbol.NombreTipo());
    Salida.Texto(R"(,"num_nodos":)").Entero(Arbol.NumNodos);
    Salida.Texto(R"(,"altura":)").Entero(Arbol.Altura());
    Salida.Texto(R"(,"op_promedio":)").Cadena(promedio);
    Salida.Texto(R"(,"ancho":)").Entero(d.Ancho);
    Salida.Texto(R"(,"alto":)").Entero(d.Alto);
    Salida.Texto(R"(,"x_raiz":)").Entero(d.XRaiz);
    Salida.Texto(R"(,"flujo":)").Hex(Arbol.Guardar());
    Salida.Texto(R"(,"nodos":[)");
    bool primero = true;
    RecorrerPreorden(Arbol.Raiz, [&](TNodoBin* n, std::int32_t) {
        Salida.Texto(primero ? R"({"valor":)" : R"(,{"valor":)").Entero(n->Valor);
        Salida.Texto(R"(,"x":)").Entero(n->X).Texto(R"(,"y":)").Entero(n->Y);
        if (Tipo.ExtrasNodo) Tipo.ExtrasNodo(*n, Salida);
        Salida.Texto("}");
        primero = false;
    });
    Salida.Texto("]");
    if (Tipo.ExtrasFinal) Tipo.ExtrasFinal(Arbol, Salida);
    if (errorDistribucion) Salida.Texto(R"(,"error_distribucion":)").Cadena(*errorDistribucion);
    Salida.Texto("}}").FinLinea();
}

// ---------------------------------------------------------------- command line

using TFallo = TFalloTraza;

// Arguments and file names inside messages, quoted and on one line.
std::string Citar(std::string_view Texto) { return TextoJson(std::string(Texto)); }

std::int32_t LeerMedida(const std::string& Opcion, const std::string& Texto) {
    const auto v = LeerEntero32(Texto);
    if (!v) throw TFallo{2, Opcion + ": " + Citar(Texto) + " no es un entero de 32 bits"};
    return *v;
}

TDistribucionTraza LeerDistribucion(const std::string& Texto) {
    if (Texto == "separada") return TDistribucionTraza::Separada;
    if (Texto == "comprimida") return TDistribucionTraza::Comprimida;
    if (Texto == "completa") return TDistribucionTraza::Completa;
    throw TFallo{2, "--distribucion: " + Citar(Texto) + " no es separada, comprimida ni completa"};
}

TVariante LeerVariante(const std::string& Texto) {
    if (Texto == "original") return TVariante::Original;
    if (Texto == "libro") return TVariante::Libro;
    throw TFallo{2, "--variante: " + Citar(Texto) + " no es original ni libro"};
}

// The most a file may hold, as in the desktop program. What is read is
// bounded, whatever size the file claims: a device or a pipe reports none.
constexpr std::size_t kMaxFichero = std::size_t{256} << 20;

std::vector<std::uint8_t> LeerFichero(const std::string& Nombre) {
    std::FILE* f = std::fopen(Nombre.c_str(), "rb");
    if (f == nullptr) throw TFallo{1, "no se puede leer el fichero " + Citar(Nombre) + ": " + std::strerror(errno)};
    std::vector<std::uint8_t> datos;
    std::uint8_t bloque[64 * 1024];
    std::size_t n = 0;
    bool grande = false;
    while (!grande && (n = std::fread(bloque, 1, sizeof bloque, f)) > 0) {
        grande = datos.size() + n > kMaxFichero;
        if (!grande) datos.insert(datos.end(), bloque, bloque + n);
    }
    const bool error = !grande && std::ferror(f) != 0;
    const int codigo = errno;
    std::fclose(f);
    if (grande) throw TFallo{1, "el fichero " + Citar(Nombre) + " es demasiado grande"};
    if (error) throw TFallo{1, "no se puede leer el fichero " + Citar(Nombre) + ": " + std::strerror(codigo)};
    return datos;
}

// An operation-list file read as the desktop program reads it: every whole
// 4-byte entry; one to three trailing bytes are ignored.
std::vector<TOpTraza> LeerSecuencia(const std::string& Nombre) {
    const std::vector<std::int32_t> entradas = LeerListaOper(LeerFichero(Nombre));
    std::vector<TOpTraza> ops;
    ops.reserve(entradas.size());
    for (const std::int32_t e : entradas) ops.push_back(OpDeEntrada(e));
    return ops;
}

struct TLineaOrdenes {
    std::string Distribucion = "separada";
    std::string Radio = "15", SepX = "2", SepY = "5";
    std::optional<std::string> Cargar, Sec;
    std::string Tipo;
    std::vector<std::string> Ops;
    std::string Variante = "original";
};

}  // namespace

std::optional<TEntradaTraza> LeerEntradaTraza(int argc, const char* const* argv, const char* Nombre,
                                              const char* Descripcion,
                                              const std::function<void(CLI::App&)>& Opciones, std::FILE* Salida) {
    TLineaOrdenes lo;
    CLI::App app{Descripcion, Nombre};
    if (Opciones) Opciones(app);
    app.set_version_flag("--version", std::string(Nombre) + " " + QUELVAR_VERSION, "muestra la versión y termina");
    app.add_option("--distribucion", lo.Distribucion, "separada (por omisión), comprimida o completa");
    app.add_option("--radio", lo.Radio, "radio de los nodos (15)");
    app.add_option("--sepx", lo.SepX, "separación horizontal (2)");
    app.add_option("--sepy", lo.SepY, "separación vertical (5)");
    app.add_option("--cargar", lo.Cargar, "carga antes la estructura de este fichero");
    app.add_option("--sec", lo.Sec, "aplica antes las entradas de esta lista de operaciones");
    app.add_option("--variante", lo.Variante,
                   "algoritmos: original (por omisión, los del programa) o libro (los de los libros de texto)");
    app.add_option("TIPO", lo.Tipo, "bst, avl, rn, splay o mon")->required();
    app.add_option("OP", lo.Ops, "N o +N inserta, -N borra N, ?N busca; fib:N (avl), des:N y crear (mon)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion& e) {
        std::fprintf(Salida, "%s\n", e.what());
        return std::nullopt;
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {  // --help
            std::fputs(app.help().c_str(), Salida);
            return std::nullopt;
        }
        throw TFallo{2, std::string(e.what()) + " (véase " + Nombre + " --help)"};
    }

    // Every usage check comes before any file is read or any OP runs.
    TMedidasTraza medidas;
    medidas.Distribucion = LeerDistribucion(lo.Distribucion);
    medidas.Radio = LeerMedida("--radio", lo.Radio);
    medidas.SepX = LeerMedida("--sepx", lo.SepX);
    medidas.SepY = LeerMedida("--sepy", lo.SepY);
    const TVariante variante = LeerVariante(lo.Variante);
    const TTipoTraza* tipo = BuscarTipoTraza(lo.Tipo);
    if (tipo == nullptr) throw TFallo{2, "tipo desconocido " + Citar(lo.Tipo) + " (bst, avl, rn, splay o mon)"};
    if (!tipo->Disponible()) throw TFallo{2, "el tipo " + lo.Tipo + " todavía no está disponible"};
    std::vector<TOpTraza> opsLinea;
    for (const std::string& texto : lo.Ops) {
        const auto op = LeerOp(texto);
        if (!op)
            throw TFallo{2, "OP no válida " + Citar(texto) +
                                " (N, +N, -N, ?N con N entero de 32 bits; fib:N, des:N con N >= 0; crear)"};
        if (!tipo->Admite(op->Clase))
            throw TFallo{2, "la OP " + Citar(texto) + " no es válida para el tipo " + lo.Tipo};
        opsLinea.push_back(*op);
    }

    std::unique_ptr<TArbolBin> arbol = tipo->Clase();
    arbol->Variante = variante;
    if (lo.Cargar) {
        const std::vector<std::uint8_t> datos = LeerFichero(*lo.Cargar);
        try {
            arbol->Cargar(datos);
        } catch (const EFlujoInvalido& e) {
            throw TFallo{1, Citar(*lo.Cargar) + ": " + e.what()};
        }
    }
    std::vector<TOpTraza> ops = lo.Sec ? LeerSecuencia(*lo.Sec) : std::vector<TOpTraza>{};
    ops.insert(ops.end(), opsLinea.begin(), opsLinea.end());

    return TEntradaTraza{tipo, std::move(ops), medidas, std::move(arbol)};
}

void EscribirFalloTraza(std::FILE* Errores, const char* Nombre, std::string Mensaje) {
    for (char& c : Mensaje)
        if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(Errores, "%s: %s\n", Nombre, Mensaje.c_str());
}

namespace {

int Programa(int argc, const char* const* argv, std::FILE* Salida) {
    bool pseudocodigo = false;
    std::optional<TEntradaTraza> e = LeerEntradaTraza(
        argc, argv, "quelvar-traza",
        "Ejecuta operaciones sobre una estructura y escribe cada etapa y la estructura final "
        "distribuida, como JSON Lines.",
        [&pseudocodigo](CLI::App& app) {
            app.add_flag("--pseudocodigo", pseudocodigo,
                         "cada etapa lleva también el listado y la línea del algoritmo a la que corresponde");
        },
        Salida);
    if (!e) return 0;
    TEscritorJson salida(Salida);
    EjecutarTraza(*e->Arbol, *e->Tipo, e->Ops, e->Medidas, salida, pseudocodigo);
    if (!salida.Vaciar()) throw TFallo{1, "no se pudo escribir la salida"};
    return 0;
}

}  // namespace

void EjecutarTraza(TArbolBin& Arbol, const TTipoTraza& Tipo, std::span<const TOpTraza> Ops,
                   const TMedidasTraza& Medidas, TEscritorJson& Salida, bool Pseudocodigo) {
    // The builders and the extras of the kind take the structure as theirs.
    if (Arbol.Clase() != Tipo.Clase) throw std::logic_error("structure of another kind than the trace's");
    // The hook refers to Salida: it is detached however the run ends.
    struct TSoltarEtapa {
        TArbolBin& A;
        ~TSoltarEtapa() { A.OnEtapa = nullptr; }
    } soltar{Arbol};
    Arbol.OnEtapa = [&Arbol, &Salida, Pseudocodigo](const std::string& Titulo, const std::string& Descripcion,
                                                    int TipoEtapa) {
        EscribirEtapa(Arbol, Titulo, Descripcion, TipoEtapa, Pseudocodigo, Salida);
    };
    for (const TOpTraza& op : Ops) {
        Arbol.Deseleccionar();
        ordered_json linea;
        try {
            const std::optional<bool> resultado = AplicarOp(Arbol, Tipo, op);
            ordered_json operacion = ordered_json::object();
            operacion["entrada"] = op.Texto;
            operacion["resultado"] = resultado ? ordered_json(*resultado) : ordered_json();
            operacion["sel"] = ValorDe(Arbol.NodoSel);
            linea["operacion"] = std::move(operacion);
        } catch (const EArbol& e) {
            linea["error"] = e.what();
        }
        Salida.Linea(linea);
    }
    Arbol.OnEtapa = nullptr;  // the layout and the final object report nothing
    EscribirFinal(Arbol, Tipo, Medidas, Salida);
}

int ProgramaTraza(int argc, const char* const* argv, std::FILE* Salida, std::FILE* Errores) {
    // The desktop program's start-up draws one value from the shared
    // generator and drops it; des:N draws after it, so that it builds the
    // heap the program's command builds. The range plays no part in the
    // seed's advance.
    GeneradorPrograma().Extraer(0);
    try {
        return Programa(argc, argv, Salida);
    } catch (const TFallo& f) {
        EscribirFalloTraza(Errores, "quelvar-traza", f.Mensaje);
        return f.Codigo;
    } catch (const std::exception& e) {
        EscribirFalloTraza(Errores, "quelvar-traza", std::string("error interno: ") + e.what());
        return 1;
    }
}
