// Alpha and additive pictures (the first two families).
#include "player/graphics/alpha_ops.h"
#include "player/graphics/blit.h"
#include "player/graphics/blit_loops.h"

namespace marlit {

using namespace pixel;

namespace {

// The additive loops: `then` is applied to each channel after the add.
template <class Then>
void additive(const BlitArea& area, int opacity, Then then) {
    walk(area, [opacity, then](uint8_t* d, const uint8_t* s) {
        int alpha = s[3];
        if (alpha == 0)
            return;
        int k = opacity == kOpaque ? (alpha == 255 ? 256 : alpha) : weight(alpha, opacity);
        d[0] = then(add(d[0], (s[0] * k) >> 8));
        d[1] = then(add(d[1], (s[1] * k) >> 8));
        d[2] = then(add(d[2], (s[2] * k) >> 8));
    });
}

}  // namespace

void blitAlpha(const Surface& dst, int x, int y, const PictureView& pic, PixelRect src, int opacity,
               int brightness) {
    auto area = clipBlit(dst, x, y, pic, src, bounds(pic));
    if (!area)
        return;
    withAlphaOp(clampOpacity(opacity), clampBrightness(brightness), true,
                [&](auto op) { walk(*area, op); });
}

void blitAdditive(const Surface& dst, int x, int y, const PictureView& pic, PixelRect src,
                  int opacity, int brightness) {
    auto area = clipBlit(dst, x, y, pic, src, bounds(pic));
    if (!area)
        return;
    int a = clampOpacity(opacity);
    int b = clampBrightness(brightness);
    if (b == kUnchanged) {
        additive(*area, a, [](int v) { return v; });
    } else {
        additive(*area, a, Bright(b));
    }
}

}  // namespace marlit
