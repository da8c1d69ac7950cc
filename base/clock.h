// The millisecond clock. A TickClock samples its tick source and remembers
// the value; while it is held it returns the remembered value, so that
// everything moved in one frame update sees the same time. Each player owns
// its own clock, so two players (or two tests) never share one.
#pragma once

#include <cstdint>
#include <functional>

namespace marlit {

// Milliseconds that wrap like the device's tick count.
using TickSource = std::function<uint32_t()>;

// The system's steady milliseconds.
uint32_t systemTicks();

class TickClock {
  public:
    explicit TickClock(TickSource source = systemTicks) : source_(std::move(source)) {}

    uint32_t now() {
        if (!held_)
            last_ = source_();
        return last_;
    }
    void hold(bool on) { held_ = on; }
    bool held() const { return held_; }
    // The source itself, unheld: for the sound device's thread.
    const TickSource& source() const { return source_; }

  private:
    TickSource source_;
    uint32_t last_ = 0;
    bool held_ = false;
};

}  // namespace marlit
