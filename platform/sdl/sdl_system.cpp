#include "platform/sdl/sdl_system.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include "base/clock.h"

namespace marlit {

uint32_t SteadyClock::ticks() {
    return systemTicks();
}

void SteadyClock::sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

DateTime SystemLocalTime::now() {
    timespec ts;
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm;
    ::localtime_r(&ts.tv_sec, &tm);
    DateTime t;
    t.year = static_cast<uint16_t>(tm.tm_year + 1900);
    t.month = static_cast<uint16_t>(tm.tm_mon + 1);
    t.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    t.day = static_cast<uint16_t>(tm.tm_mday);
    t.hour = static_cast<uint16_t>(tm.tm_hour);
    t.minute = static_cast<uint16_t>(tm.tm_min);
    t.second = static_cast<uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    t.milliseconds = static_cast<uint16_t>(ts.tv_nsec / 1000000);
    return t;
}

int SdlPowerStatus::batteryLifePercent() {
    int percent = -1;
    SDL_GetPowerInfo(nullptr, &percent);
    return percent < 0 || percent > 100 ? kBatteryUnknown : percent;
}

void SdlMessageBox::show(std::string_view text, std::string_view caption) {
    std::string t(text);
    std::string c(caption);
    std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, c.c_str(), t.c_str(), nullptr);
}

}  // namespace marlit
