// Helpers shared by the engine tests: trees written as text, the invariant
// checker, a recorder of step reports and stream builders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "uArbolBST.h"
#include "uMonticulo.h"

using Opt = std::optional<std::int32_t>;
inline constexpr Opt nil = std::nullopt;

// A tree as text, in pre-order: a value, then optionally "(left,right)" where
// either side may be empty: "50(30(20,40),70)", "10(,20(,30))". The empty
// tree is "". Only for small trees (the parser and Forma recurse).
std::vector<std::uint8_t> FlujoDe(const std::string& Texto);
// The same records under another count.
std::vector<std::uint8_t> ConCuenta(std::vector<std::uint8_t> Datos, std::int32_t Cuenta);
// A red-black stream: the tree text of FlujoDe and its colours in pre-order,
// written "n" (1, black), "r" (0, red) or "[b]" for any other byte b.
std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::string& Colores);
// A heap stream from its records as written (pre-order): value, vector index,
// has-left, has-right.
struct TRegistroMon {
    std::int32_t Valor;
    std::int32_t Indice;
    bool Izq;
    bool Der;
};
std::vector<std::uint8_t> FlujoMon(std::int32_t Cuenta, const std::vector<TRegistroMon>& Registros);
// Loads the tree written as text, links and values exactly as written (no
// ordering is imposed, so faulty trees can be built by hand).
void Construir(TArbolBin& A, const std::string& Texto);
std::string Forma(const TArbolBin& A);

// The node holding V, found by a pre-order walk (works on unordered trees).
TNodoBin* Nodo(const TArbolBin& A, std::int32_t V);

// The engine's invariant, for any kind.
std::string Comprobar(const TArbolBin& A);
// The values reachable from Raiz, in order (links are trusted).
std::vector<std::int32_t> EnOrden(const TArbolBin& A);
Opt ValorSel(const TArbolBin& A);

// One step report as the user would see it.
struct TEtapaVista {
    std::string Titulo;
    std::string Descripcion;
    int Tipo = 0;
    std::vector<std::int32_t> Marcados;  // values of the marked nodes, pre-order
    std::optional<std::int32_t> Sel;
    std::optional<std::int32_t> Borrado;
    bool operator==(const TEtapaVista&) const = default;
};
using TEtapas = std::vector<TEtapaVista>;
void PrintTo(const TEtapaVista& E, std::ostream* os);
void PrintTo(const TDistribucion& D, std::ostream* os);

// What a report handler throws to leave an operation (a window closed while
// a step was shown).
struct TInterrupcion {};

// Attaches itself to A.OnEtapa and keeps every report made. Ademas, when set,
// runs inside each report after it was recorded (it may throw).
class TGrabadora {
public:
    explicit TGrabadora(TArbolBin& A);
    TGrabadora(const TGrabadora&) = delete;
    TGrabadora& operator=(const TGrabadora&) = delete;
    // Each report runs Revisar; an answer other than empty fails the test.
    void Vigilar(std::function<std::string()> Revisar);
    // Report K (from 0) throws TInterrupcion once recorded.
    void InterrumpirEn(std::size_t K);
    TEtapas Etapas;
    std::function<void(const TEtapaVista&)> Ademas;
};

// A node of kind TNodo that counts itself: one destroyed twice or never
// shows in Vivos.
template <class TNodo>
struct TNodoContado : TNodo {
    TNodoContado(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) : TNodo(V, P, I, D) { ++Vivos; }
    ~TNodoContado() override { --Vivos; }
    static inline std::int64_t Vivos = 0;
};

// A degenerate chain of N nodes in stream form. Right chain: keys 1..N, each
// the right child of the one before; left chain: keys N..1, each the left
// child of the one before. Either way the keys are in search order.
std::vector<std::uint8_t> FlujoCadena(std::int32_t N, bool Derecha,
                                      std::optional<std::uint8_t> Color = std::nullopt);

// A copy of some bytes ending exactly where an inaccessible page begins: a
// read past their end faults instead of going unnoticed.
class TDatosAlBorde {
public:
    explicit TDatosAlBorde(std::span<const std::uint8_t> Datos);
    ~TDatosAlBorde();
    TDatosAlBorde(const TDatosAlBorde&) = delete;
    TDatosAlBorde& operator=(const TDatosAlBorde&) = delete;
    std::span<const std::uint8_t> Datos() const { return {Inicio_, Tam_}; }

private:
    std::uint8_t* Mapa_ = nullptr;
    std::size_t TamMapa_ = 0;
    const std::uint8_t* Inicio_ = nullptr;
    std::size_t Tam_ = 0;
};

// Fields of a data line separated by " | "; pieces of a list; "1,-2,3" ("-": none).
std::vector<std::string> Campos(const std::string& Linea);
std::vector<std::string> Trozos(const std::string& S, char Sep);
std::vector<std::int32_t> Enteros(const std::string& S);
std::string ValorOGuion(const TNodoBin* N);
// A report as a data line: title | description | type | marked | selected | removed.
std::string Linea(const TEtapaVista& E);

// A heap: a stream of a vector in complete-tree shape, its live and greyed
// cells (as lists, for data lines).
std::vector<std::uint8_t> FlujoVector(const std::vector<std::int32_t>& Valores);
std::vector<std::int32_t> Vivos(const TMonticulo& M);
std::vector<std::int32_t> Grises(const TMonticulo& M);
std::string ListaVivos(const TArbolBin& A);
std::string ListaGrises(const TArbolBin& A);
// "value:factor" of every AVL node in pre-order.
std::string Factores(const TArbolBin& A);
