#include "base/clock.h"

#include <atomic>
#include <chrono>

namespace marlit {

namespace {
std::atomic<TickSource> gSource{nullptr};
std::atomic<uint32_t> gLast{0};
std::atomic<bool> gHeld{false};
}  // namespace

uint32_t systemTicks() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t now() {
    if (gHeld.load(std::memory_order_relaxed))
        return gLast.load(std::memory_order_relaxed);
    TickSource source = gSource.load(std::memory_order_relaxed);
    uint32_t t = source ? source() : systemTicks();
    gLast.store(t, std::memory_order_relaxed);
    return t;
}

void holdClock(bool on) {
    gHeld.store(on, std::memory_order_relaxed);
}
bool clockHeld() {
    return gHeld.load(std::memory_order_relaxed);
}
void setTickSource(TickSource source) {
    gSource.store(source, std::memory_order_relaxed);
}

}  // namespace marlit
