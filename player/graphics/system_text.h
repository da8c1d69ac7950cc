// The system text: the popup menu's labels and the like, in the 12-pixel
// gothic font, one colour, no smoothing. Each character is painted white
// on black into a 64 x 64 canvas and every lit canvas pixel of its cell
// becomes the colour; a single-byte character's cell is half the height
// wide, a double-byte one's the height.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/display_device.h"
#include "platform/glyph_painter.h"
#include "player/core/device_screen.h"
#include "player/graphics/pixel_views.h"

namespace marlit {

class SystemTextDrawer {
  public:
    static constexpr int kDefaultHeight = 12;
    static constexpr int kCanvasSide = 64;
    static constexpr int kWeight = 400;

    // Direct drawing goes to `screen` with the layout of `properties`.
    SystemTextDrawer(GlyphPainter& painter, DeviceScreen& screen, DisplayProperties properties);

    void setDisplayProperties(const DisplayProperties& p) { properties_ = p; }
    int height() const { return height_; }

    // Draws a Shift-JIS text (up to its end or its first NUL) with its first
    // cell's top-left at landscape (x, y), in `colour` (0x00BBGGRR), into
    // `destination`, or with none straight into the device frame buffer
    // with the quarter turn (as a grey of the colour's red byte). A
    // `height` above 0 other than the current one becomes the font height
    // first (up to the canvas, 64). Pixels off the destination are not
    // written. Returns the x after the last cell.
    int draw(std::string_view text, const Surface* destination, int x, int y, uint32_t colour,
             int height = 0);

  private:
    GlyphPainter& painter_;
    DeviceScreen& screen_;
    DisplayProperties properties_;
    int height_ = kDefaultHeight;
    std::array<uint8_t, kCanvasSide * kCanvasSide * 3> canvas_{};
};

// The RGB565 grey that direct system text takes for a colour: its red byte
// as every channel.
constexpr uint16_t systemTextGrey(uint32_t colour) {
    const uint32_t red = colour & 0xFF;
    return static_cast<uint16_t>((red >> 3) * 2049 + (red >> 2) * 32);
}

}  // namespace marlit
