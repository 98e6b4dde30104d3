// Helpers shared by the engine tests and the quelvar-traza tests: trees
// written as text, stream builders, a recorder of step reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "uArbolBST.h"
#include "uMonticulo.h"

// A tree as text, in pre-order: a value, then optionally "(left,right)" where
// either side may be empty: "50(30(20,40),70)", "10(,20(,30))". The empty
// tree is "". Only for small trees (the parser and Forma recurse). FlujoDe
// gives its stream; Construir loads it exactly as written (no order is
// imposed, so faulty trees can be built by hand).
std::vector<std::uint8_t> FlujoDe(const std::string& Texto);
void Construir(TArbolBin& A, const std::string& Texto);
std::string Forma(const TArbolBin& A);
// The same records under another count.
std::vector<std::uint8_t> ConCuenta(std::vector<std::uint8_t> Datos, std::int32_t Cuenta);
// A red-black stream: the tree text of FlujoDe and its colours in pre-order,
// written "n" (1, black), "r" (0, red) or "[b]" for any other byte b.
std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::string& Colores);
// A heap stream from its records as written (pre-order): value, vector
// index, has-left, has-right; FlujoVector: a vector in complete-tree shape.
struct TRegistroMon {
    std::int32_t Valor;
    std::int32_t Indice;
    bool Izq;
    bool Der;
};
std::vector<std::uint8_t> FlujoMon(std::int32_t Cuenta, const std::vector<TRegistroMon>& Registros);
std::vector<std::uint8_t> FlujoVector(const std::vector<std::int32_t>& Valores);
// A degenerate chain of N nodes in stream form. Right chain: keys 1..N, each
// the right child of the one before; left chain: keys N..1, each the left
// child of the one before. Either way the keys are in search order.
std::vector<std::uint8_t> FlujoCadena(std::int32_t N, bool Derecha,
                                      std::optional<std::uint8_t> Color = std::nullopt);

// The node holding V, found by a pre-order walk (works on unordered trees).
TNodoBin* Nodo(const TArbolBin& A, std::int32_t V);
// The values reachable from Raiz, in order (links are trusted).
std::vector<std::int32_t> EnOrden(const TArbolBin& A);
// A heap's live and greyed cells.
std::vector<std::int32_t> Vivos(const TMonticulo& M);
std::vector<std::int32_t> Grises(const TMonticulo& M);
// "1,2,3" ("-" when empty); the value of a node or "-".
std::string Lista(const std::vector<std::int32_t>& V);
std::string ValorOGuion(const TNodoBin* N);
// "value:factor" of every AVL node in pre-order.
std::string Factores(const TArbolBin& A);

// A step report as a data line: title | description | type | marked values
// (pre-order) | selected | removed.
std::string Linea(std::string_view Titulo, std::string_view Descripcion, int Tipo,
                  const std::vector<std::int32_t>& Marcados, std::optional<std::int32_t> Sel,
                  std::optional<std::int32_t> Borrado);

// What a report handler throws to leave an operation (a window closed while
// a step was shown).
struct TInterrupcion {};

// Attaches itself to A.OnEtapa and keeps every report made, as data lines.
// Ademas, when set, runs inside each report after it was recorded.
class TGrabadora {
public:
    explicit TGrabadora(TArbolBin& A);
    TGrabadora(const TGrabadora&) = delete;
    TGrabadora& operator=(const TGrabadora&) = delete;
    // Each report runs Revisar; an answer other than empty fails the test.
    void Vigilar(std::function<std::string()> Revisar);
    // Report K (from 0) throws TInterrupcion once recorded.
    void InterrumpirEn(std::size_t K);
    std::vector<std::string> Etapas;
    std::function<void()> Ademas;
};

// A node of kind TNodo that counts itself: one destroyed twice or never
// shows in Vivos.
template <class TNodo>
struct TNodoContado : TNodo {
    TNodoContado(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) : TNodo(V, P, I, D) { ++Vivos; }
    ~TNodoContado() override { --Vivos; }
    static inline std::int64_t Vivos = 0;
};
// A structure of kind TArbol whose nodes count themselves.
template <class TArbol, class TNodo>
struct TContado : TArbol {
    TNodoBin* CrearNodo(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) override {
        return this->template NuevoNodo<TNodoContado<TNodo>>(V, P, I, D);
    }
};

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
