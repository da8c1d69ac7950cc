// Rotated and scaled alpha pictures: nearest-neighbour sampling through a
// fixed-point mapping with 10 fraction bits, one source test per pixel.
#include "player/graphics/alpha_ops.h"
#include "player/graphics/blit.h"
#include "player/graphics/blit_loops.h"

namespace marlit {

using namespace pixel;

namespace {

template <class Op>
void sample(const Surface& dst, const Rect& box, const PictureRef& pic, const Rect& usable,
            const Sampling& s, Op op) {
    const int64_t pitch = int64_t{pic.width} * kWorkingBytesPerPixel;
    uint8_t* dRow =
        dst.pixels + static_cast<size_t>(box.top) * dst.pitch + box.left * kSurfaceBytesPerPixel;
    int64_t uRow = s.uStart, vRow = s.vStart;
    for (int j = box.top; j < box.bottom; ++j) {
        uint8_t* d = dRow;
        int64_t u = uRow, v = vRow;
        for (int i = box.left; i < box.right; ++i) {
            int64_t sx = u >> 10, sy = v >> 10;
            if (sx >= usable.left && sx < usable.right && sy >= usable.top && sy < usable.bottom) {
                op(d, pic.pixels + sy * pitch + sx * kWorkingBytesPerPixel);
            }
            u += s.uStepX;
            v += s.vStepX;
            d += kSurfaceBytesPerPixel;
        }
        uRow += s.uStepY;
        vRow += s.vStepY;
        dRow += dst.pitch;
    }
}

}  // namespace

void blitTransformed(const Surface& dst, Rect box, const PictureRef& pic, Rect src,
                     Sampling sampling, int opacity, int brightness) {
    if (!dst.pixels || !pic.pixels || !clipBox(box, sampling, bounds(dst)))
        return;
    // Samples may come only from the source rectangle, and only where it lies
    // on the picture.
    Rect usable = intersect(src, bounds(pic));
    if (isEmpty(usable))
        return;
    // Adding whole pixels before the shift moves the offsets from the source
    // rectangle's corner to picture coordinates without changing a sample.
    sampling.uStart += int64_t{src.left} * 1024;
    sampling.vStart += int64_t{src.top} * 1024;
    withAlphaOp(clampOpacity(opacity), clampBrightness(brightness), false,
                [&](auto op) { sample(dst, box, pic, usable, sampling, op); });
}

}  // namespace marlit
