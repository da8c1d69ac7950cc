#include "base/metrics.h"

#include <atomic>
#include <cstdint>

namespace marlit {

namespace {
std::atomic<int> gWidth{320};
std::atomic<int> gHeight{240};
}  // namespace

void setScreenSize(int width, int height) {
    gWidth.store(width, std::memory_order_relaxed);
    gHeight.store(height, std::memory_order_relaxed);
}

int screenWidth() {
    return gWidth.load(std::memory_order_relaxed);
}
int screenHeight() {
    return gHeight.load(std::memory_order_relaxed);
}

int toScreen(int c) {
    return static_cast<int>(static_cast<int64_t>(c) * screenWidth() / kDesignWidth);
}

}  // namespace marlit
