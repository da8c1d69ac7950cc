// What the pixel loops see: a 32-bit picture (blue, green, red, alpha; rows
// of `width` pixels without padding) and a 24-bit surface (blue, green, red;
// rows `pitch` bytes apart). Both only borrow their pixels.
#pragma once

#include <algorithm>
#include <cstdint>

namespace marlit {

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

// Left and top inclusive, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

inline bool isEmpty(const PixelRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

inline PixelRect intersect(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

inline PixelRect unite(const PixelRect& a, const PixelRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

inline PixelRect bounds(const Surface& s) {
    return {0, 0, s.width, s.height};
}
inline PixelRect bounds(const PictureRef& p) {
    return {0, 0, p.width, p.height};
}

}  // namespace marlit
