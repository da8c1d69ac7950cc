// The system's font renderer: paints one character white on black into a
// small 24-bit canvas; the player copies or filters the canvas into its own
// pictures (system text and message text).
#pragma once

#include <cstdint>

namespace marlit {

// Pixels in the order blue, green, red, rows top to bottom, `pitch` bytes
// from one row to the next. Painting never reaches outside it.
struct GlyphCanvas {
    uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
};

// One renderer serves the system text and the message text; each selects
// its font before it paints, and selecting the font in use costs nothing.
class GlyphPainter {
  public:
    virtual ~GlyphPainter() = default;
    // Selects the fixed-pitch gothic face (the system's "ＭＳ ゴシック") at a
    // cell height in pixels (ascent plus descent) and a weight (0 = the
    // face's default, 100..900); false when it cannot.
    virtual bool setFont(int height, int weight) = 0;
    // Paints one character (UTF-16) with its cell's top-left corner at
    // (x, y) in white, without smoothing (every pixel it paints is 255). A
    // full-width character's cell is the height wide, a half-width one's
    // half of it. With `opaque` the cell is first filled with black;
    // otherwise only the character's own pixels change.
    virtual void paint(char16_t character, GlyphCanvas& canvas, int x, int y, bool opaque) = 0;
};

}  // namespace marlit
