// The millisecond clock. `now` samples the tick source and remembers the
// value; while the clock is held it returns the remembered value, so that
// everything moved in one frame update sees the same time.
#pragma once

#include <cstdint>

namespace marlit {

using TickSource = uint32_t (*)();

uint32_t now();
void holdClock(bool on);
bool clockHeld();

// Replaces the tick source (the headless back end's virtual clock); nullptr
// restores the steady system clock.
void setTickSource(TickSource source);
// The system's steady milliseconds, wrapping like the device's tick count.
uint32_t systemTicks();

}  // namespace marlit
