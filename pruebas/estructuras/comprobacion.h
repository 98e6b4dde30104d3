// Helpers for the engine and quelvar-traza tests (trees as text, streams, a report recorder), with every kind.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "uArbolAVL.h"
#include "uArbolRN.h"
#include "uInvariantes.h"
#include "uMonticulo.h"
#include "uSplayTree.h"
#include "uTipos.h"

using TBytes = std::vector<std::uint8_t>;
constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

// A small tree in pre-order, loaded as written: "50(30(20,40),70)", "10(,20(,30))", "" (empty).
std::vector<std::uint8_t> FlujoDe(const std::string& Texto);
void Construir(TArbolBin& A, const std::string& Texto);
std::string Forma(const TArbolBin& A);
// The same records under another count.
std::vector<std::uint8_t> ConCuenta(std::vector<std::uint8_t> Datos, std::int32_t Cuenta);
// A red-black stream: colours in pre-order, "n" (1, black), "r" (0, red) or "[b]" for any other byte b.
std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::string& Colores);
// A heap stream from its records as written (pre-order), or from a vector in complete-tree shape.
struct TRegistroMon {
    std::int32_t Valor, Indice;
    bool Izq, Der;
};
std::vector<std::uint8_t> FlujoMon(std::int32_t Cuenta, const std::vector<TRegistroMon>& Registros);
std::vector<std::uint8_t> FlujoVector(const std::vector<std::int32_t>& Valores);
// N nodes keyed 1..N, each the right child of the one before, or N..1 leaning left; rn records carry Color.
std::vector<std::uint8_t> FlujoCadena(std::int32_t N, bool Derecha, std::optional<std::uint8_t> Color = std::nullopt);

// The node holding V; in-order values; a heap's live and greyed cells; "1,2,3" or "-"; AVL "value:factor"s.
TNodoBin* Nodo(const TArbolBin& A, std::int32_t V);
std::vector<std::int32_t> EnOrden(const TArbolBin& A);
std::vector<std::int32_t> Vivos(const TMonticulo& M);
std::vector<std::int32_t> Grises(const TMonticulo& M);
std::string Lista(const std::vector<std::int32_t>& V);
std::string Factores(const TArbolBin& A);

// A step report as a data line: title | description | type | marked values (pre-order) | selected | removed.
std::string Linea(std::string_view Titulo, std::string_view Descripcion, int Tipo,
                  const std::vector<std::int32_t>& Marcados, std::optional<std::int32_t> Sel,
                  std::optional<std::int32_t> Borrado);

struct TInterrupcion {};  // what a report handler throws to leave an operation

// Keeps every report of A as a data line; Ademas, when set, runs inside each report once recorded.
class TGrabadora {
public:
    explicit TGrabadora(TArbolBin& A);
    TGrabadora(const TGrabadora&) = delete;
    TGrabadora& operator=(const TGrabadora&) = delete;
    void Vigilar(std::function<std::string()> Revisar);  // a non-empty answer fails the test
    void InterrumpirEn(std::size_t K);                   // report K (from 0) throws TInterrupcion
    std::vector<std::string> Etapas;
    std::function<void()> Ademas;
};

// A node that counts itself, and a structure of such nodes.
template <class TNodo>
struct TNodoContado : TNodo {
    TNodoContado(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) : TNodo(V, P, I, D) { ++Vivos; }
    ~TNodoContado() override { --Vivos; }
    static inline std::int64_t Vivos = 0;
};
template <class TArbol, class TNodo>
struct TContado : TArbol {
    TNodoBin* CrearNodo(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) override {
        return this->template NuevoNodo<TNodoContado<TNodo>>(V, P, I, D);
    }
};

// Fields split at " | "; a file's rows "Tabla | fields" without the name; pieces of a list; "1,-2,3" ("-": none).
std::vector<std::string> Campos(const std::string& Linea);
std::vector<std::vector<std::string>> Filas(const std::string& Fichero, const std::string& Tabla);
std::vector<std::string> Trozos(const std::string& S, char Sep);
std::vector<std::int32_t> Enteros(const std::string& S);
