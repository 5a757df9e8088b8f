// game/crandom.h
// The game's pseudo-random numbers: the classic C library generator (a 32-bit linear
// congruence, results 0 to 32767), so that a seed gives the same platforms, coins and enemies
// on every machine and a recorded seed replays its game exactly. The main mode owns one and
// seeds it at every game start; nothing else draws from it.
#pragma once

#include <cstdint>

namespace kipkip {

class CRandom {
public:
    static constexpr std::int32_t kMax = 32767;

    void Seed(std::uint32_t seed) { next = seed; }

    // The next number, 0 to kMax.
    std::int32_t Next()
    {
        next = next * 1103515245u + 12345u;
        return static_cast<std::int32_t>((next / 65536u) % 32768u);
    }

private:
    std::uint32_t next = 1;  // the C library's state before any seed
};

}  // namespace kipkip
