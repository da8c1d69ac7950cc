// The local date and time, shown by the popup menu.
#pragma once

#include <cstdint>

namespace marlit {

struct DateTime {
    uint16_t year = 0;
    uint16_t month = 0;      // 1..12
    uint16_t dayOfWeek = 0;  // 0 = Sunday
    uint16_t day = 0;        // 1..31
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

class LocalTime {
  public:
    virtual ~LocalTime() = default;
    virtual DateTime now() = 0;
};

}  // namespace marlit
