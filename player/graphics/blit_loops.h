// Row walkers shared by the pixel loops (inside the graphics folder only).
// Each takes an already clipped area and a per-pixel operation that the
// compiler inlines, so every family and variant gets its own tight loop.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "player/graphics/pixel_views.h"

namespace marlit::pixel {

// A clipped copy area: destination and source top-left and the size.
struct BlitArea {
    uint8_t* dst;
    int dstPitch;
    const uint8_t* src;
    int srcPitch;
    int width;
    int height;
    int srcLeft;  // the clipped source rectangle's top-left in the picture
    int srcTop;
};

inline int clampOpacity(int a) {
    return std::clamp(a, 0, 256);
}
inline int clampBrightness(int b) {
    return std::clamp(b, 0, 512);
}

// Clips the source rectangle to `sourceBounds` (the picture, or what two
// pictures share) and the destination to the surface, moving one with the
// other. None when nothing remains.
std::optional<BlitArea> clipBlit(const Surface& dst, int x, int y, const PictureRef& pic, Rect src,
                                 const Rect& sourceBounds);

// op(d, s) for every pixel of the area.
template <class Op>
inline void walk(const BlitArea& a, Op op) {
    uint8_t* dRow = a.dst;
    const uint8_t* sRow = a.src;
    for (int j = 0; j < a.height; ++j) {
        uint8_t* d = dRow;
        const uint8_t* s = sRow;
        for (int i = 0; i < a.width; ++i) {
            op(d, s);
            d += kSurfaceBytesPerPixel;
            s += kWorkingBytesPerPixel;
        }
        dRow += a.dstPitch;
        sRow += a.srcPitch;
    }
}

// op(d) for every pixel of a clipped rectangle of the surface.
template <class Op>
inline void walkRect(const Surface& dst, const Rect& r, Op op) {
    uint8_t* dRow =
        dst.pixels + static_cast<size_t>(r.top) * dst.pitch + r.left * kSurfaceBytesPerPixel;
    for (int j = r.top; j < r.bottom; ++j) {
        uint8_t* d = dRow;
        for (int i = r.left; i < r.right; ++i) {
            op(d);
            d += kSurfaceBytesPerPixel;
        }
        dRow += dst.pitch;
    }
}

}  // namespace marlit::pixel
