#pragma once
// A small seeded generator for tests that draw random numbers: the same seed always gives
// the same draws on every C library, and it counts the draws made from it.

#include "base/RandomSource.h"

#include <cstdint>

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state(seed) {}

    // One draw from 0 to 2^31 - 1, as std::rand may give: the top bits of a 64-bit linear
    // congruential step, whose low bits would repeat too soon.
    int draw() {
        ++drawCount;
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>(state >> 33);
    }

    // A source drawing from this generator, which must outlive it.
    RandomSource source() {
        return [this] { return draw(); };
    }

    long draws() const { return drawCount; }

private:
    std::uint64_t state;
    long drawCount = 0;
};
