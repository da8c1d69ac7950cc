// Time as the player's loop sees it: the millisecond tick count and a
// sleep. A back end that keeps its own time also makes it the tick source of
// base/clock.h, which the player reads everywhere.
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
