// Operations as the history holds them, and operation lists as they are
// stored: a headerless sequence of signed 32-bit entries, little-endian (a
// key: its insertion; a negated key: its deletion).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// One recorded command: the kind of operation and the key the driver was given.
struct TOperacion {
    enum TTipo : std::uint8_t { Insercion, Borrado };
    TTipo Tipo = Insercion;
    std::int32_t Clave = 0;

    friend bool operator==(const TOperacion&, const TOperacion&) = default;
};

// The stored entry of an operation: the key, or its wrapping negation for a
// deletion. The entry of a deletion of 0 is 0, which reads back as an insertion.
std::int32_t EntradaDe(TOperacion Op);
// The operation an entry stands for: zero or positive inserts, negative deletes.
TOperacion OperacionDe(std::int32_t Entrada);
// Whether the operation survives being written as an entry and read back:
// insertions of keys from 0 up, deletions of keys below 1 other than 0 fail.
bool Representable(TOperacion Op);

// Every whole entry of the bytes; one to three trailing bytes are ignored.
std::vector<std::int32_t> LeerListaOper(std::span<const std::uint8_t> Datos);

// The bytes of the entries, four per entry.
std::vector<std::uint8_t> EscribirListaOper(std::span<const std::int32_t> Entradas);
