// The headless back end's time: a millisecond clock that moves only when the
// player sleeps, so runs are deterministic and as fast as the CPU allows.
// Its time may be read from any thread (the sound device's among them).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/clock.h"
#include "platform/local_time.h"
#include "platform/message_box.h"
#include "platform/power_status.h"

namespace marlit {

class VirtualClock : public Clock {
  public:
    explicit VirtualClock(uint32_t start = 0);
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    uint32_t ticks() override;
    void sleep(uint32_t ms) override;

    uint32_t start() const { return start_; }
    // Called after every sleep with its length, on the sleeping thread.
    void onSleep(std::function<void(uint32_t ms)> listener) { listener_ = std::move(listener); }
    // Milliseconds since the clock was made.
    uint32_t elapsed();

  private:
    uint32_t start_;
    std::atomic<uint32_t> time_;
    std::function<void(uint32_t)> listener_;
};

// A fixed calendar moved on by the virtual clock: the run begins on
// 2005-04-01 (a Friday) at 12:00:00.
class VirtualLocalTime : public LocalTime {
  public:
    explicit VirtualLocalTime(VirtualClock& clock) : clock_(clock) {}
    DateTime now() override;

  private:
    VirtualClock& clock_;
};

// A battery that is always full.
class FullBattery : public PowerStatus {
  public:
    int batteryLifePercent() override { return 100; }
};

// Messages go to stderr as "caption: text".
class StderrMessageBox : public MessageBox {
  public:
    void show(std::string_view text, std::string_view caption) override;
};

}  // namespace marlit
