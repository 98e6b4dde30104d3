#include "uTipoTraza.h"

#include <array>

#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

namespace {

// The structure a builder of a kind's entry runs on is of that kind (the
// run checks it once, before any OP).
template <class T>
T& DelTipo(TArbolBin& Arbol) {
    return static_cast<T&>(Arbol);
}

void FactorAVL(const TNodoBin& Nodo, TEscritorJson& Salida) {
    Salida.Texto(R"(,"factor":)").Entero(static_cast<const TNodoAVL&>(Nodo).FactorEquilibrio);
}

void ColorRN(const TNodoBin& Nodo, TEscritorJson& Salida) {
    const auto& n = static_cast<const TNodoRN&>(Nodo);
    // The stored byte as it is: a loaded file may hold values other than 0 and 1.
    Salida.Texto(R"(,"color":)").Entero(n.Color);
    Salida.Texto(R"(,"altura_negra":)").Entero(n.AlturaNegra);
}

void IndiceMon(const TNodoBin& Nodo, TEscritorJson& Salida) {
    Salida.Texto(R"(,"indice":)").Entero(static_cast<const TNodoMon&>(Nodo).Indice);
}

// The live cells only; the greyed ones past NumNodos are not part of it.
void VectorMon(const TArbolBin& Arbol, TEscritorJson& Salida) {
    const auto& m = static_cast<const TMonticulo&>(Arbol);
    Salida.Texto(R"(,"vector":[)");
    for (std::int32_t i = 0; i < m.NumNodos; ++i) {
        if (i > 0) Salida.Texto(",");
        Salida.Entero(m.VectorValores[static_cast<std::size_t>(i)]);
    }
    Salida.Texto("]");
}

const std::array<TTipoTraza, 5> Tipos{{
    {.Nombre = "bst", .Clase = &CrearArbol<TArbolBST>},
    {.Nombre = "avl",
     .Clase = &CrearArbol<TArbolAVL>,
     .ExtrasNodo = FactorAVL,
     .Fibonacci = [](TArbolBin& a, std::int32_t n) { DelTipo<TArbolAVL>(a).CrearFibonacci(n); }},
    {.Nombre = "rn", .Clase = &CrearArbol<TArbolRN>, .ExtrasNodo = ColorRN},
    {.Nombre = "splay", .Clase = &CrearArbol<TSplayTree>},
    {.Nombre = "mon",
     .Clase = &CrearArbol<TMonticulo>,
     .ExtrasNodo = IndiceMon,
     .ExtrasFinal = VectorMon,
     // Drawn from the program's generator, which the tool advanced once when it started.
     .Desordenado = [](TArbolBin& a, std::int32_t n) { DelTipo<TMonticulo>(a).CrearDesordenado(n); },
     .Monticulo = [](TArbolBin& a, std::int32_t) { DelTipo<TMonticulo>(a).CrearMonticulo(); }},
}};

}  // namespace

TConstructorTraza TTipoTraza::Constructor(TClaseOp Op) const {
    switch (Op) {
        case TClaseOp::Fibonacci:
            return Fibonacci;
        case TClaseOp::Desordenado:
            return Desordenado;
        case TClaseOp::Monticulo:
            return Monticulo;
        case TClaseOp::Entrada:
        case TClaseOp::Busqueda:
            break;
    }
    return nullptr;
}

bool TTipoTraza::Admite(TClaseOp Op) const {
    return Op == TClaseOp::Entrada || Op == TClaseOp::Busqueda || Constructor(Op) != nullptr;
}

std::span<const TTipoTraza> TiposTraza() { return Tipos; }

const TTipoTraza* BuscarTipoTraza(std::string_view Nombre) {
    for (const TTipoTraza& t : Tipos)
        if (t.Nombre == Nombre) return &t;
    return nullptr;
}
