#include "uTipoTraza.h"

#include <string>
#include <vector>

#include "uMonticulo.h"

namespace {

// The live cells only; the greyed ones past NumNodos are not part of it.
void EscribirVector(const TMonticulo& M, TEscritorJson& Salida) {
    Salida.Texto(R"(,"vector":[)");
    for (std::int32_t i = 0; i < M.NumNodos; ++i) {
        if (i > 0) Salida.Texto(",");
        Salida.Entero(M.VectorValores[static_cast<std::size_t>(i)]);
    }
    Salida.Texto("]");
}

// A node's colour byte, then its figure under the figure's name; the final
// object's vector row.
TTipoTraza DeEstructura(const TTipoEstructura& T) {
    TTipoTraza t{.Nombre = T.Clave,
                 .Clase = T.Clase,
                 .Fibonacci = T.Fibonacci,
                 .Desordenado = T.Desordenado,
                 .Monticulo = T.Monticulo};
    if (T.Color != nullptr || T.Cifra.Valor != nullptr)
        t.ExtrasNodo = [&T, clave = R"(,")" + std::string(T.Cifra.Nombre) + R"(":)"](const TNodoBin& n,
                                                                                    TEscritorJson& s) {
            // The stored byte as it is: a loaded file may hold values other than 0 and 1.
            if (T.Color != nullptr) s.Texto(R"(,"color":)").Entero(T.Color(n));
            if (T.Cifra.Valor != nullptr) s.Texto(clave).Entero(T.Cifra.Valor(n));
        };
    if (T.FilaVector != nullptr)
        t.ExtrasFinal = [&T](const TArbolBin& a, TEscritorJson& s) { EscribirVector(*T.FilaVector(a), s); };
    return t;
}

const std::vector<TTipoTraza>& Tipos() {
    static const std::vector<TTipoTraza> tipos = [] {
        std::vector<TTipoTraza> r;
        for (const TTipoEstructura& t : TiposEstructura()) r.push_back(DeEstructura(t));
        return r;
    }();
    return tipos;
}

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

std::span<const TTipoTraza> TiposTraza() { return Tipos(); }

const TTipoTraza* BuscarTipoTraza(std::string_view Nombre) {
    for (const TTipoTraza& t : Tipos())
        if (t.Nombre == Nombre) return &t;
    return nullptr;
}
