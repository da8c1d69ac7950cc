#include "platform/headless/virtual_clock.h"

#include <cstdio>

namespace marlit {

VirtualClock::VirtualClock(uint32_t start) : start_(start), time_(start) {}

uint32_t VirtualClock::ticks() {
    return time_.load(std::memory_order_relaxed);
}

void VirtualClock::sleep(uint32_t ms) {
    time_.fetch_add(ms, std::memory_order_relaxed);
    if (listener_)
        listener_(ms);
}

uint32_t VirtualClock::elapsed() {
    return ticks() - start_;
}

DateTime VirtualLocalTime::now() {
    // Days of the months of 2005, which is not a leap year.
    static constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    uint64_t ms = clock_.elapsed();
    uint64_t seconds = ms / 1000 + 12 * 3600;
    uint64_t days = seconds / 86400;
    DateTime t;
    t.milliseconds = static_cast<uint16_t>(ms % 1000);
    t.second = static_cast<uint16_t>(seconds % 60);
    t.minute = static_cast<uint16_t>(seconds / 60 % 60);
    t.hour = static_cast<uint16_t>(seconds / 3600 % 24);
    t.dayOfWeek = static_cast<uint16_t>((5 + days) % 7);
    int year = 2005;
    int month = 4;
    uint64_t day = 1 + days;
    // At most 49.7 days pass on a 32-bit clock: a few months at most.
    while (day > static_cast<uint64_t>(kMonthDays[month - 1])) {
        day -= static_cast<uint64_t>(kMonthDays[month - 1]);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    t.year = static_cast<uint16_t>(year);
    t.month = static_cast<uint16_t>(month);
    t.day = static_cast<uint16_t>(day);
    return t;
}

void StderrMessageBox::show(std::string_view text, std::string_view caption) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
}

}  // namespace marlit
