#include "tools/samplegame/ui_kit.h"

#include <algorithm>

#include "tools/samplegame/shapes.h"

namespace marlit::sample {

void drawPlate(Canvas& c, Rect r, bool lit, float radius) {
    const float x = static_cast<float>(r.x), y = static_cast<float>(r.y);
    const float w = static_cast<float>(r.w), h = static_cast<float>(r.h);
    radius = std::min(radius, std::min(w, h) / 2);
    const Colour top = lit ? shade(ui::kBlossom, 0.35f) : shade(ui::kSea, 0.25f);
    const Colour bottom = lit ? shade(ui::kBlossom, -0.15f) : ui::kNavy;
    // The plate's edge stays inside the rectangle: the player cuts exactly it.
    fillShape(c, boxOf(x, y, w, h, 1), roundedRect(x + 0.5f, y + 0.5f, w - 1, h - 1, radius),
              solid(lit ? shade(ui::kBlossom, -0.5f) : shade(ui::kNavy, -0.4f)));
    fillShape(c, boxOf(x, y, w, h, 1), roundedRect(x + 2, y + 2, w - 4, h - 4, radius - 1.5f),
              verticalGradient(y, top, y + h, bottom));
    // A gloss on the upper half.
    fillShape(c, boxOf(x, y, w, h / 2, 1), roundedRect(x + 4, y + 3, w - 8, h / 2 - 3, radius - 3),
              solid(rgb(0xffffff, lit ? 0.3f : 0.14f)));
}

TextStyle outlinedText(Colour fill, Colour line, float width) {
    TextStyle s;
    s.fill = fill;
    s.outline = line;
    s.outlineWidth = width;
    return s;
}

void fitText(Canvas& c, const Font& font, Rect r, std::string_view text, const TextStyle& style,
             int maxSize, Align align) {
    int size = maxSize;
    // Small cells (single digits) use their whole width.
    const float room = r.w - 2 * style.outlineWidth - std::min(6.0f, r.w / 8.0f);
    while (size > 8 && font.width(text, size, style.spacing) > room)
        --size;
    const float pad = align == Align::Centre ? 0 : style.outlineWidth + 4;
    font.drawIn(c, text, r.x + pad, static_cast<float>(r.y), r.w - 2 * pad, static_cast<float>(r.h),
                size, style, align);
}

void drawButton(Canvas& c, const Font& font, Rect r, std::string_view label, bool lit, int size) {
    drawPlate(c, r, lit);
    const int maxSize = size > 0 ? size : std::max(10, r.h * 2 / 3);
    fitText(c, font, r, label,
            outlinedText(lit ? rgb(0xffffff) : ui::kCream, lit ? rgb(0x7a1838) : ui::kInk, 1.8f),
            maxSize);
}

}  // namespace marlit::sample
