#include "player/core/screen_copy.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace marlit {

void copyRectToScreen(const Display& display, uint8_t* base, const Rect* destination, int sourceX,
                      int sourceY) {
    const int w = display.width();
    const int h = display.height();
    Rect d = destination ? *destination : Rect{0, 0, w, h};
    int sx = destination ? sourceX : 0;
    int sy = destination ? sourceY : 0;
    // Keep both the destination and the source inside the picture: a
    // rectangle from a script or a save must not reach past the frame
    // buffer or the back buffer.
    // The device must hold the turned picture: on a smaller one only the
    // part that fits is written (picture x from W - device height up, picture
    // y below the device width).
    const int firstX = std::max(0, w - static_cast<int>(display.properties.cyHeight));
    const int endY = std::min(h, static_cast<int>(display.properties.cxWidth));
    int cutLeft = std::max({0, firstX - d.left, -sx});
    int cutTop = std::max({0, -d.top, -sy});
    d.left += cutLeft;
    sx += cutLeft;
    d.top += cutTop;
    sy += cutTop;
    int columns = std::min({d.right - d.left, w - d.left, w - sx});
    int rows = std::min({d.bottom - d.top, endY - d.top, h - sy});
    if (columns <= 0 || rows <= 0)
        return;

    const ptrdiff_t xPitch = display.properties.cbxPitch;
    const ptrdiff_t yPitch = display.properties.cbyPitch;
    uint8_t* rowOut = base + yPitch * (w - 1) + d.top * xPitch - d.left * yPitch;
    const uint8_t* rowIn =
        display.backBuffer() + (static_cast<ptrdiff_t>(sx) + w * sy) * kBackBufferBytesPerPixel;
    for (int y = 0; y < rows; ++y) {
        const uint8_t* in = rowIn;
        uint8_t* out = rowOut;
        for (int x = 0; x < columns; ++x) {
            uint16_t v = toRgb565(in[0], in[1], in[2]);
            std::memcpy(out, &v, 2);
            in += kBackBufferBytesPerPixel;
            out -= yPitch;
        }
        rowIn += static_cast<ptrdiff_t>(w) * kBackBufferBytesPerPixel;
        rowOut += xPitch;
    }
}

void clearScreen(const DisplayProperties& properties, uint8_t* base) {
    const uint16_t black = 0;
    for (uint32_t y = 0; y < properties.cyHeight; ++y) {
        uint8_t* row = base + static_cast<ptrdiff_t>(y) * properties.cbyPitch;
        for (uint32_t x = 0; x < properties.cxWidth; ++x) {
            std::memcpy(row + static_cast<ptrdiff_t>(x) * properties.cbxPitch, &black, 2);
        }
    }
}

}  // namespace marlit
