#include "uListaOper.h"

namespace {

// Two's complement negation, wrapping for the least value.
std::int32_t Negacion(std::int32_t V) { return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(V)); }

}  // namespace

std::int32_t EntradaDe(TOperacion Op) { return Op.Tipo == TOperacion::Borrado ? Negacion(Op.Clave) : Op.Clave; }

TOperacion OperacionDe(std::int32_t Entrada) {
    if (Entrada < 0) return {TOperacion::Borrado, Negacion(Entrada)};
    return {TOperacion::Insercion, Entrada};
}

bool Representable(TOperacion Op) { return OperacionDe(EntradaDe(Op)) == Op; }

std::vector<std::int32_t> LeerListaOper(std::span<const std::uint8_t> Datos) {
    std::vector<std::int32_t> r(Datos.size() / 4);
    for (std::size_t i = 0; i < r.size(); ++i) {
        const std::uint8_t* b = Datos.data() + 4 * i;
        r[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) |
                                         static_cast<std::uint32_t>(b[1]) << 8 |
                                         static_cast<std::uint32_t>(b[2]) << 16 |
                                         static_cast<std::uint32_t>(b[3]) << 24);
    }
    return r;
}

std::vector<std::uint8_t> EscribirListaOper(std::span<const std::int32_t> Entradas) {
    std::vector<std::uint8_t> r;
    r.reserve(4 * Entradas.size());
    for (std::int32_t e : Entradas) {
        const auto u = static_cast<std::uint32_t>(e);
        for (int k = 0; k < 4; ++k) r.push_back(static_cast<std::uint8_t>(u >> (8 * k)));
    }
    return r;
}
