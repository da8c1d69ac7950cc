// What the pixel loops see: a 32-bit picture (blue, green, red, alpha; rows
// of `width` pixels without padding) and a 24-bit surface (blue, green, red;
// rows `pitch` bytes apart). Both only borrow their pixels.
#pragma once

#include <algorithm>
#include <cstdint>

#include "formats/rbp_codec.h"
#include "player/core/rect.h"

namespace marlit {

// Bytes of a pixel of a surface: blue, green, red.
inline constexpr int kSurfaceBytesPerPixel = 3;

// A borrowed working picture.
struct PictureRef {
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

struct Surface {
    uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes from one row to the next
};

inline bool isEmpty(const Rect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

inline Rect intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

inline Rect unite(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

inline Rect bounds(const Surface& s) {
    return {0, 0, s.width, s.height};
}
inline Rect bounds(const PictureRef& p) {
    return {0, 0, p.width, p.height};
}

}  // namespace marlit
