// The operations of a trace, as read from the command line or from an
// operation-list file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class TClaseOp {
    Entrada,      // N, +N, -N: insertion (N >= 0) or deletion of -N (N < 0)
    Busqueda,     // ?N
    Fibonacci,    // fib:N
    Desordenado,  // des:N
    Monticulo,    // crear
};

struct TOpTraza {
    TClaseOp Clase = TClaseOp::Entrada;
    std::int32_t N = 0;
    std::string Texto;  // as given; an entry from a file: its decimal value

    bool operator==(const TOpTraza&) const = default;
};

// A whole text as a signed 32-bit decimal integer: an optional sign, then
// one or more digits, nothing else.
std::optional<std::int32_t> LeerEntero32(std::string_view Texto);

// One OP of the command line; nullopt when the text is none. The builders'
// N must not be negative.
std::optional<TOpTraza> LeerOp(std::string_view Texto);

// An entry of an operation-list file.
TOpTraza OpDeEntrada(std::int32_t Entrada);
