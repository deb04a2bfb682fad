#pragma once
#include <cstdint>

// The engine's pseudo-random generator: one 32-bit state per thread, 1 until seeded.
// Its exact sequence decides the noise tables, the random pan and the random body types.
namespace talvir {

inline uint32_t& randomState() {
    thread_local uint32_t state = 1;
    return state;
}

inline void srand(uint32_t seed) { randomState() = seed; }

// Returns 0..32767.
inline int rand() {
    uint32_t& state = randomState();
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

} // namespace talvir
