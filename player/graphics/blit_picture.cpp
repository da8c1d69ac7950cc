// Alpha and additive pictures (the first two families).
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "player/graphics/alpha_ops.h"
#include "player/graphics/blit.h"
#include "player/graphics/blit_loops.h"

namespace marlit {

using namespace pixel;

namespace {

// The common case, an opaque or cut-out picture without opacity or
// brightness, is the one loop that has to keep up with memory: runs of
// opaque pixels are packed from 4 to 3 bytes a block at a time and runs of
// transparent ones skipped; mixed blocks go pixel by pixel.
#if defined(__SSE2__)
constexpr int kBlock = 16;

// 16 opaque pixels (64 bytes) into 48 bytes, with SSE2 only.
inline void packBlock(uint8_t* d, __m128i q0, __m128i q1, __m128i q2, __m128i q3) {
    const __m128i low = _mm_set1_epi64x(0x0000000000FFFFFFll);
    const __m128i high = _mm_set1_epi64x(0x0000FFFFFF000000ll);
    const __m128i first6 = _mm_set_epi32(0, 0, 0x0000FFFF, -1);
    const __m128i next6 = _mm_set_epi32(0, -1, static_cast<int>(0xFFFF0000), 0);
    // Each 64-bit lane: two pixels into its low 6 bytes; then both lanes
    // into the low 12 bytes.
    auto pack4 = [&](__m128i q) {
        __m128i lanes =
            _mm_or_si128(_mm_and_si128(q, low), _mm_and_si128(_mm_srli_epi64(q, 8), high));
        return _mm_or_si128(_mm_and_si128(lanes, first6),
                            _mm_and_si128(_mm_srli_si128(lanes, 2), next6));
    };
    __m128i c0 = pack4(q0), c1 = pack4(q1), c2 = pack4(q2), c3 = pack4(q3);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_or_si128(c0, _mm_slli_si128(c1, 12)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16),
                     _mm_or_si128(_mm_srli_si128(c1, 4), _mm_slli_si128(c2, 8)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 32),
                     _mm_or_si128(_mm_srli_si128(c2, 8), _mm_slli_si128(c3, 4)));
}

// 1: all opaque, 0: all transparent, -1: mixed.
inline int blockKind(const uint8_t* s, __m128i& q0, __m128i& q1, __m128i& q2, __m128i& q3) {
    const __m128i alphas = _mm_set1_epi32(static_cast<int>(0xFF000000));
    q0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    q1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16));
    q2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 32));
    q3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 48));
    __m128i all = _mm_and_si128(_mm_and_si128(q0, q1), _mm_and_si128(q2, q3));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(all, alphas), alphas)) == 0xFFFF)
        return 1;
    __m128i any = _mm_or_si128(_mm_or_si128(q0, q1), _mm_or_si128(q2, q3));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(any, alphas), _mm_setzero_si128())) ==
        0xFFFF) {
        return 0;
    }
    return -1;
}
#endif

void alphaPlain(const BlitArea& area) {
    const AlphaPlain one;
    uint8_t* dRow = area.dst;
    const uint8_t* sRow = area.src;
    for (int j = 0; j < area.height; ++j) {
        uint8_t* d = dRow;
        const uint8_t* s = sRow;
        int i = 0;
#if defined(__SSE2__)
        for (; i + kBlock <= area.width; i += kBlock, d += kBlock * kSurfaceBytesPerPixel,
                                         s += kBlock * kWorkingBytesPerPixel) {
            __m128i q0, q1, q2, q3;
            int kind = blockKind(s, q0, q1, q2, q3);
            if (kind == 1) {
                packBlock(d, q0, q1, q2, q3);
            } else if (kind < 0) {
                for (int k = 0; k < kBlock; ++k)
                    one(d + k * kSurfaceBytesPerPixel, s + k * kWorkingBytesPerPixel);
            }
        }
#endif
        for (; i < area.width; ++i, d += kSurfaceBytesPerPixel, s += kWorkingBytesPerPixel)
            one(d, s);
        dRow += area.dstPitch;
        sRow += area.srcPitch;
    }
}

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

void blitAlpha(const Surface& dst, int x, int y, const PictureRef& pic, Rect src, int opacity,
               int brightness) {
    auto area = clipBlit(dst, x, y, pic, src, bounds(pic));
    if (!area)
        return;
    int a = clampOpacity(opacity);
    int b = clampBrightness(brightness);
    if (a == kOpaque && b == kUnchanged) {
        alphaPlain(*area);
        return;
    }
    withAlphaOp(a, b, true, [&](auto op) { walk(*area, op); });
}

void blitAdditive(const Surface& dst, int x, int y, const PictureRef& pic, Rect src, int opacity,
                  int brightness) {
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
