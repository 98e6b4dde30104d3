// The program's pseudo-random generator: a 32-bit linear congruential
// generator, so every run produces the same keys for the same commands.
#pragma once

#include <cstdint>

class TAleatorio {
public:
    // Advances the seed (seed * 134775813 + 1, modulo 2^32) and returns the
    // high 32 bits of N * seed, both unsigned: a value in 0..N-1 (0 for N 0).
    std::uint32_t Extraer(std::uint32_t N) {
        Semilla = Semilla * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(N) * Semilla) >> 32);
    }
    std::uint32_t Semilla = 0;
};

// The generator the whole program shares; the seed is 0 at start.
TAleatorio& GeneradorPrograma();
