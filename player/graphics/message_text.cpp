#include "player/graphics/message_text.h"

#include <algorithm>
#include <climits>

namespace marlit {

namespace {

// The side of the message canvas: four times the largest glyph that the
// window's design size (64) gives on this screen.
int canvasSide(const ScreenGeometry& screen) {
    return std::max(1, screen.width * 64 / 800) * 4;
}

// The part [from, to) of 0..n whose pixels at origin + i fall on 0..limit.
struct Span {
    int from;
    int to;
};
Span clipSpan(int64_t origin, int n, int limit) {
    const int64_t from = std::clamp<int64_t>(-origin, 0, n);
    const int64_t to = std::clamp<int64_t>(limit - origin, 0, n);
    return {static_cast<int>(from), static_cast<int>(std::max(from, to))};
}

// Blends a coverage map into the target with its top-left at (x, y):
// the shadow darkens what lies under it, the glyph mixes its colour in.
template <bool kShadow>
void blend(const TextTarget& t, const uint8_t* coverage, int n, int64_t x, int64_t y,
           uint32_t colour) {
    const Span cols = clipSpan(x, n, t.width);
    const Span rows = clipSpan(y, n, t.height);
    const int c[3] = {static_cast<int>(colour >> 16 & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                      static_cast<int>(colour & 0xFF)};
    const int bpp = t.bytesPerPixel;
    for (int j = rows.from; j < rows.to; ++j) {
        const uint8_t* e = coverage + static_cast<size_t>(j) * n;
        uint8_t* d = t.pixels + static_cast<ptrdiff_t>(y + j) * t.pitch + (x + cols.from) * bpp;
        for (int i = cols.from; i < cols.to; ++i, d += bpp) {
            const int E = e[i];
            if (E == 0)
                continue;
            for (int k = 0; k < 3; ++k) {
                if constexpr (kShadow)
                    d[k] = E == 255 ? 0 : static_cast<uint8_t>((d[k] * (256 - E)) >> 8);
                else
                    d[k] = E == 255
                               ? static_cast<uint8_t>(c[k])
                               : static_cast<uint8_t>(((d[k] * (256 - E)) >> 8) + c[k] * E / 256);
            }
            if (bpp == 4)
                d[3] = std::max<uint8_t>(d[3], static_cast<uint8_t>(E));
        }
    }
}

bool touches(const Rect& r, const Rect& cell) {
    return r.left <= cell.right && r.right >= cell.left && r.top <= cell.bottom &&
           r.bottom >= cell.top;
}

}  // namespace

TextTarget textTarget(const Surface& surface) {
    return {surface.pixels, surface.width, surface.height, surface.pitch, 3};
}

TextTarget textTarget(WorkingPicture& picture) {
    const bool whole =
        picture.width > 0 && picture.height > 0 &&
        picture.pixels.size() >= static_cast<size_t>(picture.width) * picture.height * 4;
    if (!whole)
        return {};
    return {picture.pixels.data(), picture.width, picture.height, picture.width * 4, 4};
}

Rect glyphArea(const GlyphRecord& r) {
    const int64_t n = std::max(r.size, 0) + int64_t{1};
    auto end = [n](int32_t from) {
        return static_cast<int32_t>(std::min<int64_t>(from + n, INT32_MAX));
    };
    return {r.cell.left, r.cell.top, end(r.cell.left), end(r.cell.top)};
}

MessageTextDrawer::MessageTextDrawer(GlyphPainter& painter, ScreenGeometry screen,
                                     size_t cacheBytes)
    : coverage_(painter, canvasSide(screen), cacheBytes), screen_(screen) {}

void MessageTextDrawer::setFontSize(int size) {
    fontHeight_ = size;
    // The weight follows the screen: (screen width x 4) / 800 of the table,
    // 200 on the 320 screen and 600 on the 640 one, where the strokes of a
    // 25-pixel glyph would look thin. It is worked out from the first index
    // every time, not from the last result: otherwise every loaded save
    // would make the text lighter, down to the renderer's default, and a
    // game would look different after a load than before it.
    weightIndex_ = std::clamp(screen_.width * 4 / 800, 0, 4);
}

void MessageTextDrawer::draw(std::span<GlyphRecord> records, const TextTarget& target,
                             const TextStyle& style) {
    const int factor = std::clamp(style.level, 0, 3) + 1;
    for (GlyphRecord& r : records) {
        if (r.state != kGlyphToDraw)
            continue;
        r.state = kGlyphDrawn;
        if (style.recall)
            r.colour = kRecallGrey;
        const uint8_t* e = coverage_.get(characterToUtf16(r.character), r.size, factor, weight());
        if (!e || !target.pixels)
            continue;
        if (style.shadow)
            blend<true>(target, e, r.size, int64_t{r.cell.left} + 1, int64_t{r.cell.top} + 1, 0);
        blend<false>(target, e, r.size, r.cell.left, r.cell.top, r.colour);
    }
}

void MessageTextDrawer::markForRedraw(std::span<GlyphRecord> records, std::span<const Rect> rects) {
    for (GlyphRecord& r : records) {
        if (r.state >= kGlyphKept)
            continue;
        for (const Rect& rect : rects) {
            if (touches(rect, r.cell)) {
                r.state = kGlyphToDraw;
                break;
            }
        }
    }
}

void MessageTextDrawer::markForRedraw(std::span<GlyphRecord> records, const DirtyRectList& dirty) {
    for (GlyphRecord& r : records) {
        if (r.state < kGlyphKept &&
            dirty.overlapsMarked(r.cell.left, r.cell.top, r.cell.right, r.cell.bottom))
            r.state = kGlyphToDraw;
    }
}

void MessageTextDrawer::redraw(std::span<GlyphRecord> records, const Surface& backBuffer,
                               std::span<const Rect> recomposed, const TextStyle& style) {
    markForRedraw(records, recomposed);
    draw(records, textTarget(backBuffer), style);
}

}  // namespace marlit
