#include "player/shell/menu_screen.h"

#include <algorithm>
#include <cstring>

#include "player/core/screen_copy.h"

namespace marlit {

void readScreen(DeviceScreen& screen, Display& surface) {
    uint8_t* base = screen.beginDraw();
    if (!base)
        return;
    const DisplayProperties& p = surface.properties;
    const int w = surface.width();
    // The device holds the turned picture: picture x from W - device height
    // up, picture y below the device width.
    const int firstX = std::max(0, w - static_cast<int>(p.cyHeight));
    const int endY = std::min(surface.height(), static_cast<int>(p.cxWidth));
    for (int y = 0; y < endY; ++y) {
        uint8_t* out = surface.backBuffer() + static_cast<ptrdiff_t>(y) * surface.pitch();
        for (int x = firstX; x < w; ++x) {
            uint16_t v;
            std::memcpy(&v,
                        base + static_cast<ptrdiff_t>(w - 1 - x) * p.cbyPitch +
                            static_cast<ptrdiff_t>(y) * p.cbxPitch,
                        sizeof v);
            uint8_t* px = out + x * kBackBufferBytesPerPixel;
            px[0] = static_cast<uint8_t>(v << 3);
            px[1] = static_cast<uint8_t>((v >> 3) & 0xFC);
            px[2] = static_cast<uint8_t>((v >> 8) & 0xF8);
        }
    }
    screen.endDraw();
}

void writeScreen(const Display& surface, DeviceScreen& screen) {
    uint8_t* base = screen.beginDraw();
    if (!base)
        return;
    copyRectToScreen(surface, base, nullptr, 0, 0);
    screen.endDraw();
}

void drawThumbnail(const Surface& s, const ThumbnailPixels& picture, int x, int y) {
    y = std::max(1, std::min(y, s.height - picture.height - 1));
    auto put = [&s](int px, int py, uint8_t r, uint8_t g, uint8_t b) {
        if (px < 0 || py < 0 || px >= s.width || py >= s.height)
            return;
        uint8_t* at = s.pixels + static_cast<ptrdiff_t>(py) * s.pitch + px * 3;
        at[0] = b;
        at[1] = g;
        at[2] = r;
    };
    for (int row = -1; row <= picture.height; ++row) {
        for (int col = -1; col <= picture.width; ++col) {
            if (row < 0 || col < 0 || row == picture.height || col == picture.width) {
                put(x + col, y + row, 0, 0, 0);
                continue;
            }
            const uint8_t* rgb = &picture.rgb[(static_cast<size_t>(row) * picture.width + col) * 3];
            put(x + col, y + row, rgb[0], rgb[1], rgb[2]);
        }
    }
}

}  // namespace marlit
