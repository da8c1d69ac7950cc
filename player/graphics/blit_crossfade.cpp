// Crossfade of two pictures drawn at one place: the first with weight a, the
// second with 256 - a. Without an opacity only the first is drawn.
#include "player/graphics/alpha_ops.h"
#include "player/graphics/blit.h"
#include "player/graphics/blit_loops.h"

namespace marlit {

using namespace pixel;

namespace {

// The two source pixels blended into one colour c and one alpha g; false
// when neither picture covers the pixel.
template <bool kQuantise, bool kTwoProducts>
bool blend(const uint8_t* s1, const uint8_t* s2, int a, int c[3], int& g) {
    int a1 = s1[3], a2 = s2[3];
    if (a1 != 0 && a2 != 0) {
        for (int i = 0; i < 3; ++i) {
            c[i] = kTwoProducts ? mix(s1[i], s2[i], a) : (a * s1[i] + (256 - a) * s2[i]) >> 8;
        }
        if (kQuantise) {
            c[0] &= 0xF8;
            c[1] &= 0xFC;
            c[2] &= 0xF8;
        }
        g = (a * a1 + (256 - a) * a2) >> 8;
        return true;
    }
    const uint8_t* s = a1 != 0 ? s1 : s2;
    if (a1 != 0) {
        g = (a * a1) >> 8;
    } else if (a2 != 0) {
        g = ((256 - a) * a2) >> 8;
    } else {
        return false;
    }
    c[0] = s[0];
    c[1] = s[1];
    c[2] = s[2];
    return true;
}

template <class Op>
void walkTwo(const BlitArea& area, const uint8_t* second, int secondPitch, Op op) {
    uint8_t* dRow = area.dst;
    const uint8_t* row1 = area.src;
    const uint8_t* row2 = second;
    for (int j = 0; j < area.height; ++j) {
        for (int i = 0; i < area.width; ++i)
            op(dRow + i * kSurfaceBytesPerPixel, row1 + i * kWorkingBytesPerPixel,
               row2 + i * kWorkingBytesPerPixel);
        dRow += area.dstPitch;
        row1 += area.srcPitch;
        row2 += secondPitch;
    }
}

}  // namespace

void blitCrossfade(const Surface& dst, int x, int y, const PictureRef& first,
                   const PictureRef& second, Rect src, int opacity, int brightness) {
    int a = clampOpacity(opacity);
    int b = clampBrightness(brightness);
    if (a == kOpaque) {
        blitAlpha(dst, x, y, first, src, kOpaque, b);
        return;
    }
    if (!second.pixels)
        return;
    auto area = clipBlit(dst, x, y, first, src, intersect(bounds(first), bounds(second)));
    if (!area)
        return;
    const uint8_t* s2 = second.pixels + (int64_t{area->srcTop} * second.width + area->srcLeft) *
                                            kWorkingBytesPerPixel;
    if (b == kUnchanged) {
        // One rounding in the final mix, not two.
        walkTwo(*area, s2, second.width * kWorkingBytesPerPixel,
                [a](uint8_t* d, const uint8_t* p1, const uint8_t* p2) {
                    int c[3], g;
                    if (!blend<true, false>(p1, p2, a, c, g) || g == 0)
                        return;
                    for (int i = 0; i < 3; ++i)
                        d[i] = g == 255 ? c[i] : (c[i] * g + d[i] * (256 - g)) >> 8;
                });
    } else {
        // The opacity weighs twice: in the blend and in the final mix.
        Bright bright(b);
        walkTwo(*area, s2, second.width * kWorkingBytesPerPixel,
                [a, bright](uint8_t* d, const uint8_t* p1, const uint8_t* p2) {
                    int c[3], g;
                    if (!blend<false, true>(p1, p2, a, c, g) || g == 0)
                        return;
                    int k = weight(g, a);
                    for (int i = 0; i < 3; ++i)
                        d[i] = bright(mix(c[i], d[i], k));
                });
    }
}

}  // namespace marlit
