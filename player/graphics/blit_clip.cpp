#include <algorithm>
#include <cstdint>

#include "player/graphics/blit.h"
#include "player/graphics/blit_loops.h"

namespace marlit {

namespace pixel {

std::optional<BlitArea> clipBlit(const Surface& dst, int x, int y, const PictureRef& pic, Rect src,
                                 const Rect& sourceBounds) {
    // 64-bit so that no position a caller passes can overflow here.
    int64_t dx = x, dy = y;
    int64_t left = src.left, top = src.top, right = src.right, bottom = src.bottom;
    if (left < sourceBounds.left) {
        dx += sourceBounds.left - left;
        left = sourceBounds.left;
    }
    if (top < sourceBounds.top) {
        dy += sourceBounds.top - top;
        top = sourceBounds.top;
    }
    right = std::min<int64_t>(right, sourceBounds.right);
    bottom = std::min<int64_t>(bottom, sourceBounds.bottom);
    if (dx < 0) {
        left -= dx;
        dx = 0;
    }
    if (dy < 0) {
        top -= dy;
        dy = 0;
    }
    int64_t width = std::min<int64_t>(right - left, dst.width - dx);
    int64_t height = std::min<int64_t>(bottom - top, dst.height - dy);
    if (width <= 0 || height <= 0 || !dst.pixels || !pic.pixels)
        return std::nullopt;
    return BlitArea{dst.pixels + dy * dst.pitch + dx * kSurfaceBytesPerPixel,
                    dst.pitch,
                    pic.pixels + (top * pic.width + left) * kWorkingBytesPerPixel,
                    pic.width * kWorkingBytesPerPixel,
                    static_cast<int>(width),
                    static_cast<int>(height),
                    static_cast<int>(left),
                    static_cast<int>(top)};
}

}  // namespace pixel

bool clipBox(Rect& box, Sampling& sampling, const Rect& clip) {
    if (box.left < clip.left) {
        int64_t skipped = int64_t{clip.left} - box.left;
        sampling.uStart += skipped * sampling.uStepX;
        sampling.vStart += skipped * sampling.vStepX;
        box.left = clip.left;
    }
    if (box.top < clip.top) {
        int64_t skipped = int64_t{clip.top} - box.top;
        sampling.uStart += skipped * sampling.uStepY;
        sampling.vStart += skipped * sampling.vStepY;
        box.top = clip.top;
    }
    box.right = std::min(box.right, clip.right);
    box.bottom = std::min(box.bottom, clip.bottom);
    return !isEmpty(box);
}

}  // namespace marlit
