// The screen of one player: its size, and the mapping from the 800 x 600
// design space that scripts and hit boxes use. A coordinate c becomes
// c x screen width / 800 on screen, for x and y alike (truncating); both
// sizes keep the 4:3 ratio, so one factor serves both axes.
#pragma once

#include <cstdint>

#include "base/metrics.h"

namespace marlit {

struct ScreenGeometry {
    int width = 320;
    int height = 240;

    static constexpr ScreenGeometry qvga() { return {320, 240}; }
    static constexpr ScreenGeometry vgaSize() { return {640, 480}; }
    static constexpr ScreenGeometry forBuild(bool vga) { return vga ? vgaSize() : qvga(); }

    // The 640 x 480 build is told apart by a width above 639.
    constexpr bool vga() const { return width > 639; }
    constexpr int toScreen(int c) const {
        return static_cast<int>(static_cast<int64_t>(c) * width / kDesignWidth);
    }
};

}  // namespace marlit
