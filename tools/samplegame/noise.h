// Deterministic randomness for the sample game: the same numbers on every
// run and every machine, so the generated game is the same byte for byte.
#pragma once

#include <cstdint>

namespace marlit::sample {

// SplitMix64: small, fast, and the same everywhere.
class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // Uniform in [0, 1).
    float unit();
    // Uniform in [lo, hi).
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
    // Uniform in [0, n).
    int below(int n);

  private:
    uint64_t state_;
};

// A hash of a lattice point to [0, 1).
float hash2(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1) with features about one unit apart.
float valueNoise(float x, float y, uint32_t seed);
// Several octaves of value noise, in [0, 1).
float fractalNoise(float x, float y, uint32_t seed, int octaves = 4);

}  // namespace marlit::sample
