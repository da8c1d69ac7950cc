#include "player/movie/movie_draw.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace marlit {

namespace {

constexpr int kDoubledFromWidth = 640;

int toInt(uint32_t v) {
    return static_cast<int>(std::min<uint32_t>(v, 0x7FFFFFFF));
}

}  // namespace

MovieFramePlacement placeMovieFrame(int screenWidth, int screenHeight, int frameWidth,
                                    int frameHeight) {
    if (screenWidth >= kDoubledFromWidth) {
        return {screenWidth / 2 - frameWidth, screenHeight / 2 - frameHeight, 2,
                frameWidth - frameWidth % 4};
    }
    return {screenWidth / 2 - frameWidth / 2, screenHeight / 2 - frameHeight / 2, 1,
            frameWidth - frameWidth % 8};
}

void drawMovieFrame(uint8_t* base, const DisplayProperties& device, int screenWidth,
                    int screenHeight, const MovieFrameView& frame) {
    const MovieFramePlacement p =
        placeMovieFrame(screenWidth, screenHeight, frame.width, frame.height);
    // A frame larger than the screen, or a device smaller than the turned
    // picture, is cut: picture x runs from W - device height, picture y
    // stays below the device width.
    const int x0 = std::max({p.left, 0, screenWidth - toInt(device.cyHeight)});
    const int x1 = std::min(p.left + p.drawnWidth * p.scale, screenWidth);
    const int y0 = std::max(p.top, 0);
    const int y1 = std::min({p.top + frame.height * p.scale, screenHeight, toInt(device.cxWidth)});
    if (x0 >= x1 || y0 >= y1)
        return;
    const int shift = p.scale == 2 ? 1 : 0;
    const ptrdiff_t xPitch = device.cbxPitch;
    const ptrdiff_t yPitch = device.cbyPitch;
    for (int y = y0; y < y1; ++y) {
        const uint16_t* row =
            frame.pixels + static_cast<ptrdiff_t>((y - p.top) >> shift) * frame.stride;
        uint8_t* out = base + (screenWidth - 1 - x0) * yPitch + y * xPitch;
        for (int x = x0; x < x1; ++x) {
            std::memcpy(out, row + ((x - p.left) >> shift), 2);
            out -= yPitch;
        }
    }
}

}  // namespace marlit
