// Frame pacing: at most one frame per interval, and frames that a late tick
// missed are dropped, never replayed. Times are the wrapping 32-bit
// millisecond ticks of the player's clock; comparisons look at the difference of
// two times, so pacing goes on across the wrap after 49.7 days.
#pragma once

#include <cstdint>

#include "base/clock.h"

namespace marlit {

class FrameTimer {
  public:
    static constexpr uint32_t kSecond = 1000;

    explicit FrameTimer(TickClock& clock) : clock_(clock) {}

    void start(uint32_t interval);
    // Keeps the interval it replaces.
    void setInterval(uint32_t interval);
    // True when a frame is due now; counts it.
    bool frameDue();

    uint32_t interval() const { return interval_; }
    uint32_t previousInterval() const { return previousInterval_; }
    uint32_t nextFrameDue() const { return nextDue_; }
    uint32_t framesLastSecond() const { return framesLastSecond_; }
    uint32_t framesThisSecond() const { return framesThisSecond_; }

  private:
    TickClock& clock_;
    uint32_t framesThisSecond_ = 0;
    uint32_t now_ = 0;
    uint32_t nextDue_ = 0;
    uint32_t secondEnd_ = 0;
    uint32_t framesLastSecond_ = 0;
    uint32_t interval_ = 16;
    uint32_t secondLength_ = kSecond;
    uint32_t previousInterval_ = 0;
};

}  // namespace marlit
