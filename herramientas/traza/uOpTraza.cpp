#include "uOpTraza.h"

#include <charconv>

std::optional<std::int32_t> LeerEntero32(std::string_view Texto) {
    // from_chars takes a minus sign but not a plus sign; a plus sign must be
    // followed by a digit.
    if (Texto.starts_with('+')) {
        Texto.remove_prefix(1);
        if (Texto.empty() || Texto.front() < '0' || Texto.front() > '9') return std::nullopt;
    }
    std::int32_t v = 0;
    const char* fin = Texto.data() + Texto.size();
    const auto r = std::from_chars(Texto.data(), fin, v);
    if (r.ec != std::errc{} || r.ptr != fin) return std::nullopt;
    return v;
}

namespace {

std::optional<TOpTraza> Constructor(TClaseOp Clase, std::string_view Argumento, std::string_view Texto) {
    const auto n = LeerEntero32(Argumento);
    if (!n || *n < 0) return std::nullopt;
    return TOpTraza{Clase, *n, std::string(Texto)};
}

}  // namespace

std::optional<TOpTraza> LeerOp(std::string_view Texto) {
    if (Texto == "crear") return TOpTraza{TClaseOp::Monticulo, 0, std::string(Texto)};
    if (Texto.starts_with("fib:")) return Constructor(TClaseOp::Fibonacci, Texto.substr(4), Texto);
    if (Texto.starts_with("des:")) return Constructor(TClaseOp::Desordenado, Texto.substr(4), Texto);
    TClaseOp clase = TClaseOp::Entrada;
    std::string_view numero = Texto;
    if (numero.starts_with('?')) {
        clase = TClaseOp::Busqueda;
        numero.remove_prefix(1);
    }
    const auto n = LeerEntero32(numero);
    if (!n) return std::nullopt;
    return TOpTraza{clase, *n, std::string(Texto)};
}

TOpTraza OpDeEntrada(std::int32_t Entrada) { return TOpTraza{TClaseOp::Entrada, Entrada, std::to_string(Entrada)}; }
