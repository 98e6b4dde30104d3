// Operation lists as they are stored: a headerless sequence of signed 32-bit
// entries, little-endian (a key: its insertion; a negated key: its deletion).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Every whole entry of the bytes; one to three trailing bytes are ignored.
std::vector<std::int32_t> LeerListaOper(std::span<const std::uint8_t> Datos);

// The bytes of the entries, four per entry.
std::vector<std::uint8_t> EscribirListaOper(std::span<const std::int32_t> Entradas);
