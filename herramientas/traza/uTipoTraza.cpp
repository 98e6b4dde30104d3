#include "uTipoTraza.h"

#include <array>

#include "uArbolBST.h"

namespace {

const std::array<TTipoTraza, 5> Tipos{{
    {.Nombre = "bst", .Clase = &CrearArbol<TArbolBST>},
    {.Nombre = "avl"},
    {.Nombre = "rn"},
    {.Nombre = "splay"},
    {.Nombre = "mon"},
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
