// The player's random numbers: one seeded generator per player, handed to
// whatever draws from it (the falling petals, the title's voices), so a run
// with a fixed seed repeats exactly.
#pragma once

#include <cstdint>
#include <random>

namespace marlit {

class GameRandom {
  public:
    // Numbers 0 .. kMax, as the original's generator gave.
    static constexpr int kMax = 32767;

    explicit GameRandom(uint32_t seed = 1) : engine_(seed) {}
    void seed(uint32_t seed) { engine_.seed(seed); }
    int next() { return static_cast<int>(engine_() % (kMax + 1u)); }

  private:
    std::minstd_rand engine_;
};

}  // namespace marlit
