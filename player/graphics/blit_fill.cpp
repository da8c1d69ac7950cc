// Colour rectangles (plain and additive) and the background fill.
#include "player/graphics/blit.h"
#include "player/graphics/blit_loops.h"
#include "player/graphics/pixel_math.h"

namespace marlit {

using namespace pixel;

namespace {

// The colour's bytes in back-buffer order: blue, green, red.
struct Colour {
    int c[3];
    explicit Colour(uint32_t rgb)
        : c{static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
            static_cast<int>((rgb >> 16) & 0xFF)} {}
};

bool clipRect(const Surface& dst, Rect& rect) {
    if (!dst.pixels)
        return false;
    rect = intersect(rect, bounds(dst));
    return !isEmpty(rect);
}

void setColour(const Surface& dst, const Rect& rect, const int c[3]) {
    uint8_t b = static_cast<uint8_t>(c[0]), g = static_cast<uint8_t>(c[1]),
            r = static_cast<uint8_t>(c[2]);
    walkRect(dst, rect, [b, g, r](uint8_t* d) {
        d[0] = b;
        d[1] = g;
        d[2] = r;
    });
}

}  // namespace

void fillColour(const Surface& dst, Rect rect, uint32_t colour, int opacity, int brightness) {
    if (!clipRect(dst, rect))
        return;
    Colour col(colour);
    const int* c = col.c;
    int a = clampOpacity(opacity);
    int b = clampBrightness(brightness);
    if (a == kOpaque && b == kUnchanged) {
        setColour(dst, rect, c);
    } else if (b == kUnchanged) {
        walkRect(dst, rect, [c, a](uint8_t* d) {
            for (int i = 0; i < 3; ++i)
                d[i] = mix(c[i], d[i], a);
        });
    } else if (a == kOpaque) {
        Bright bright(b);
        int lit[3] = {bright(c[0]), bright(c[1]), bright(c[2])};
        setColour(dst, rect, lit);
    } else {
        Bright bright(b);
        walkRect(dst, rect, [c, a, bright](uint8_t* d) {
            for (int i = 0; i < 3; ++i)
                d[i] = bright(mix(c[i], d[i], a));
        });
    }
}

void fillAdditive(const Surface& dst, Rect rect, uint32_t colour, int opacity, int brightness) {
    if (!clipRect(dst, rect))
        return;
    Colour col(colour);
    int a = clampOpacity(opacity);
    int b = clampBrightness(brightness);
    // With full opacity (a × c) >> 8 is c itself.
    int x[3] = {(a * col.c[0]) >> 8, (a * col.c[1]) >> 8, (a * col.c[2]) >> 8};
    if (b == kUnchanged) {
        walkRect(dst, rect, [x](uint8_t* d) {
            for (int i = 0; i < 3; ++i)
                d[i] = add(d[i], x[i]);
        });
    } else {
        Bright bright(b);
        walkRect(dst, rect, [x, bright](uint8_t* d) {
            for (int i = 0; i < 3; ++i)
                d[i] = bright(add(d[i], x[i]));
        });
    }
}

void fillBackground(const Surface& dst, Rect rect, uint32_t colour) {
    if (!clipRect(dst, rect))
        return;
    setColour(dst, rect, Colour(colour).c);
}

}  // namespace marlit
