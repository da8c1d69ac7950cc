// The rest of the system for windowed runs: the steady clock, local time
// from the C library, the battery from SDL, and SDL's message box.
#pragma once

#include "platform/clock.h"
#include "platform/local_time.h"
#include "platform/message_box.h"
#include "platform/power_status.h"

namespace marlit {

class SteadyClock : public Clock {
  public:
    uint32_t ticks() override;
    void sleep(uint32_t ms) override;
};

class SystemLocalTime : public LocalTime {
  public:
    DateTime now() override;
};

class SdlPowerStatus : public PowerStatus {
  public:
    int batteryLifePercent() override;
};

// Falls back to stderr when no message box can be shown.
class SdlMessageBox : public MessageBox {
  public:
    void show(std::string_view text, std::string_view caption) override;
};

}  // namespace marlit
