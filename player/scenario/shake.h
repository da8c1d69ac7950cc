// The screen shake of command 13: the screen sits at +A, -A, +A, -A (A = 8
// screen pixels, 16 on a 640-wide screen) for more than 50 ms each, however
// fast the frames come, then back at rest.
#pragma once

#include <cstdint>

namespace marlit {

class Shake {
  public:
    static constexpr uint32_t kPhaseMs = 50;
    static constexpr int kPhases = 4;

    // Writes the offsets the shell presents the screen shifted by.
    Shake(int32_t& offsetX, int32_t& offsetY) : x_(offsetX), y_(offsetY) {}

    void start(bool horizontal, int screenWidth, uint32_t now);
    // One later frame; true when the shake has ended (offsets back at 0).
    bool update(uint32_t now);
    // Offsets 0, nothing running.
    void reset();
    bool running() const { return counter_ > 0; }

  private:
    int32_t& x_;
    int32_t& y_;
    uint32_t stepTime_ = 0;
    int counter_ = 0;
};

}  // namespace marlit
