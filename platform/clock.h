// Time as the player's loop sees it: the millisecond tick count and a
// sleep. The player reads the ticks through its own TickClock (base/clock.h);
// ticks() may be called from any thread.
#pragma once

#include <cstdint>

namespace marlit {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint32_t ticks() = 0;
    virtual void sleep(uint32_t ms) = 0;
};

}  // namespace marlit
