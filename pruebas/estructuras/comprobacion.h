// Helpers shared by the engine tests: trees written as text, the invariant
// checker, a recorder of step reports and stream builders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "uArbolBST.h"

// A tree as text, in pre-order: a value, then optionally "(left,right)" where
// either side may be empty: "50(30(20,40),70)", "10(,20(,30))". The empty
// tree is "". Only for small trees (the parser and Forma recurse).
std::vector<std::uint8_t> FlujoDe(const std::string& Texto);
// Loads the tree written as text, links and values exactly as written (no
// ordering is imposed, so faulty trees can be built by hand).
void Construir(TArbolBin& A, const std::string& Texto);
std::string Forma(const TArbolBin& A);

// The node holding V, found by a pre-order walk (works on unordered trees).
TNodoBin* Nodo(const TArbolBin& A, std::int32_t V);

// Empty when A is a sound binary search tree between two operations, else
// the first fault found: parent links, Raiz->Padre, NumNodos against the
// reachable nodes, strict order of the whole in-order sequence, no node
// marked, NodoBorrado nil, NodoSel nil or reachable.
std::string Comprobar(const TArbolBST& A);
// What must hold at every step report as well: links, count, NodoSel nil or
// reachable, NodoBorrado not reachable.
std::string ComprobarEnlaces(const TArbolBin& A);
// The values reachable from Raiz, in order (links are trusted).
std::vector<std::int32_t> EnOrden(const TArbolBin& A);

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
void PrintTo(const TEtapaVista& E, std::ostream* os);
void PrintTo(const TDistribucion& D, std::ostream* os);

// Attaches itself to A.OnEtapa and keeps every report made. Ademas, when set,
// runs inside each report after it was recorded (it may throw).
class TGrabadora {
public:
    explicit TGrabadora(TArbolBin& A);
    TGrabadora(const TGrabadora&) = delete;
    TGrabadora& operator=(const TGrabadora&) = delete;
    std::vector<TEtapaVista> Etapas;
    std::function<void(const TEtapaVista&)> Ademas;
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

// The search tree's step reports as the user sees them, shared by the kinds
// that build on it. Sel and Borrado are the selected and removed values.
namespace EtapasBST {
using Opt = std::optional<std::int32_t>;
inline const std::string DosHijos = "Borrado de nodo con dos hijos:";
TEtapaVista Comparacion(std::int32_t V, std::int32_t Comparado, Opt Sel = std::nullopt);
TEtapaVista Encontrado(std::int32_t V);
TEtapaVista NoEncontrado(Opt Sel);
TEtapaVista InsercionFallida(std::int32_t Sel);
TEtapaVista InsercionEnVacio(std::int32_t Sel);
TEtapaVista InsercionHoja(std::int32_t Sel);
TEtapaVista HijoIzquierdo(std::int32_t Marcado, std::int32_t Sel);
TEtapaVista HijoDerecho(std::int32_t Marcado, std::int32_t Sel);
TEtapaVista Predecesor(std::int32_t Marcado, std::int32_t Sel);
TEtapaVista Hoja(Opt Sel, std::int32_t Borrado);
TEtapaVista UnHijo(Opt Sel, std::int32_t Borrado);
}  // namespace EtapasBST
