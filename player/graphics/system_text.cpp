#include "player/graphics/system_text.h"

#include <algorithm>
#include <cstring>

#include "player/graphics/glyph_record.h"

namespace marlit {

namespace {

// A way of writing one landscape pixel.
struct SurfaceWriter {
    const Surface& s;
    uint8_t blue, green, red;
    int width() const { return s.width; }
    int height() const { return s.height; }
    void put(int x, int y) const {
        uint8_t* p = s.pixels + static_cast<ptrdiff_t>(y) * s.pitch + x * 3;
        p[0] = blue;
        p[1] = green;
        p[2] = red;
    }
};

// The device frame buffer is portrait: landscape pixel (x, y) of a picture
// W wide is at base + (W - 1 - x) * y pitch + y * x pitch.
struct DeviceWriter {
    uint8_t* base;
    const DisplayProperties& p;
    uint16_t value;
    int width() const { return static_cast<int>(p.cyHeight); }
    int height() const { return static_cast<int>(p.cxWidth); }
    void put(int x, int y) const {
        uint8_t* at = base + static_cast<ptrdiff_t>(width() - 1 - x) * p.cbyPitch +
                      static_cast<ptrdiff_t>(y) * p.cbxPitch;
        std::memcpy(at, &value, sizeof value);
    }
};

}  // namespace

SystemTextDrawer::SystemTextDrawer(GlyphPainter& painter, DeviceScreen& screen,
                                   DisplayProperties properties)
    : painter_(painter), screen_(screen), properties_(properties) {}

int SystemTextDrawer::draw(std::string_view text, const Surface* destination, int x, int y,
                           uint32_t colour, int height) {
    if (height > 0 && height != height_)
        height_ = std::min(height, kCanvasSide);
    // The renderer is shared with the message text: take the system font
    // again for every text.
    const bool haveFont = painter_.setFont(height_, kWeight);
    uint8_t* base = nullptr;
    if (!destination) {
        base = screen_.beginDraw();
        if (!base)
            return x;
    }
    constexpr int kPitch = kCanvasSide * 3;
    GlyphCanvas canvas{canvas_.data(), kCanvasSide, kCanvasSide, kPitch};
    auto copyCell = [&](const auto& writer, int cellWidth) {
        const int cols = std::clamp(writer.width() - x, 0, cellWidth);
        const int rows = std::clamp(writer.height() - y, 0, height_);
        for (int row = std::max(0, -y); row < rows; ++row) {
            const uint8_t* line = &canvas_[static_cast<size_t>(row) * kPitch];
            for (int col = std::max(0, -x); col < cols; ++col) {
                if (line[col * 3] != 0)
                    writer.put(x + col, y + row);
            }
        }
    };

    for (size_t pos = 0;;) {
        const TextCharacter c = characterAt(text, pos);
        if (c.bytes == 0)
            break;
        pos += static_cast<size_t>(c.bytes);
        const int cellWidth = c.bytes == 2 ? height_ : height_ / 2;
        for (int row = 0; row < height_; ++row)
            std::memset(&canvas_[static_cast<size_t>(row) * kPitch], 0,
                        static_cast<size_t>(cellWidth) * 3);
        if (haveFont)
            painter_.paint(characterToUtf16(c.code), canvas, 0, 0, true);
        if (destination) {
            copyCell(SurfaceWriter{*destination, static_cast<uint8_t>(colour >> 16),
                                   static_cast<uint8_t>(colour >> 8), static_cast<uint8_t>(colour)},
                     cellWidth);
        } else {
            copyCell(DeviceWriter{base, properties_, systemTextGrey(colour)}, cellWidth);
        }
        x += cellWidth;
    }
    if (base)
        screen_.endDraw();
    return x;
}

}  // namespace marlit
