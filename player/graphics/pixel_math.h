// The integer arithmetic shared by every pixel loop. Each step truncates on
// its own, as the loops have always done: results must match bit for bit.
#pragma once

#include <cstdint>

namespace marlit::pixel {

constexpr int kOpaque = 256;     // opacity that selects the loops without opacity
constexpr int kUnchanged = 256;  // brightness that selects the loops without brightness

// s weighted by k of 256 over d: two separately truncated products.
inline int mix(int s, int d, int k) {
    return ((s * k) >> 8) + (((256 - k) * d) >> 8);
}

// Additive drawing saturates instead of wrapping.
inline int add(int d, int x) {
    int v = d + x;
    return v < 256 ? v : 255;
}

// The weight of a source pixel under an opacity: a fully opaque pixel takes
// the opacity as it is.
inline int weight(int alpha, int opacity) {
    return alpha == 255 ? opacity : (alpha * opacity) >> 8;
}

// Brightness 0..512: below 256 scales towards black, above it moves towards
// white. Offset and factor are worked out once per call, not per pixel.
struct Bright {
    int offset;
    int factor;

    explicit Bright(int b)
        : offset(b <= 256 ? 0 : (255 * (b - 256)) >> 8), factor(b <= 256 ? b : 512 - b) {}
    int operator()(int v) const { return offset + ((factor * v) >> 8); }
};

// RGB565 precision: 5 bits of blue and red, 6 of green. Byte order blue,
// green, red.
inline void quantise(uint8_t* d) {
    d[0] &= 0xF8;
    d[1] &= 0xFC;
    d[2] &= 0xF8;
}

}  // namespace marlit::pixel
