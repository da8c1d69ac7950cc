// A glyph painter with glyphs of known shape, for tests that count pixels:
// `ink(column, row, height)` says which canvas pixels of a character's cell
// are lit (relative to the painted position). Every call is recorded.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/glyph_painter.h"

namespace marlit::test {

class FakeGlyphPainter : public GlyphPainter {
  public:
    // Which pixels a character lights, and the value its lit pixels get.
    std::function<bool(char16_t, int, int, int)> ink = [](char16_t, int, int, int) { return true; };
    uint8_t value = 255;

    struct Font {
        int height, weight;
        bool operator==(const Font&) const = default;
    };
    std::vector<Font> fonts;  // every setFont call
    std::vector<char16_t> painted;
    bool lastOpaque = false;

    bool setFont(int height, int weight) override {
        fonts.push_back({height, weight});
        height_ = height;
        return true;
    }
    // Lights the pixels of a cell `height` tall and as wide (half as wide for
    // a character below U+0100) at (x, y); opaque first blackens that cell.
    void paint(char16_t c, GlyphCanvas& canvas, int x, int y, bool opaque) override {
        painted.push_back(c);
        lastOpaque = opaque;
        const int width = c < 0x100 ? height_ / 2 : height_;
        for (int row = 0; row < height_; ++row) {
            for (int col = 0; col < width; ++col) {
                const int cx = x + col, cy = y + row;
                if (cx < 0 || cy < 0 || cx >= canvas.width || cy >= canvas.height)
                    continue;
                uint8_t* p = canvas.pixels + cy * canvas.pitch + cx * 3;
                if (ink(c, col, row, height_))
                    std::fill(p, p + 3, value);
                else if (opaque)
                    std::fill(p, p + 3, uint8_t{0});
            }
        }
    }

  private:
    int height_ = 0;
};

}  // namespace marlit::test
