// Record layout, all little-endian 32-bit signed unless said otherwise:
//   0  present (1)           4  kind          8  flags        12  colour
//  16  blend                20  brightness   24  opacity      28  picture
//  32  source left, top, right, bottom (4)   48  second picture
//  52  fill                 56  x, y (thousandths of a pixel) 64  pivot x, y
//  72  scale x, y           80  angle        84  width, height
//  92  layer                96  visible     100  frame count  104  frame
// 108  time left of the current frame (ms)
// 112  frames, 24 bytes each: picture, x, y, width, height, offset x,
//      offset y, duration, next (16-bit each), 6 bytes spare.
#include "player/graphics/sprite_image.h"

#include <algorithm>

#include "base/bytes.h"
#include "player/graphics/draw_lists.h"

namespace marlit {

namespace {

constexpr size_t kFramesAt = 112;
constexpr size_t kFrameSize = 24;
constexpr size_t kMaxFrames = (kSpriteImageSize - kFramesAt) / kFrameSize;

int16_t clip16(int v) {
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

// A position in thousandths whose pixel fits the 16 bits of a destination.
int32_t clipPosition(int32_t v) {
    return std::clamp(v, -32768 * 1000, 32767 * 1000 + 999);
}

}  // namespace

std::vector<uint8_t> writeSpriteImage(const Sprite& s, uint32_t now) {
    const DrawCommand& c = s.command;
    ByteWriter w;
    for (int32_t v : {1,
                      c.kind,
                      c.flags,
                      static_cast<int32_t>(c.colour),
                      c.blend,
                      c.brightness,
                      c.opacity,
                      c.picture,
                      c.source.left,
                      c.source.top,
                      c.source.right,
                      c.source.bottom,
                      c.secondPicture,
                      c.fill,
                      s.x,
                      s.y,
                      s.pivotX,
                      s.pivotY,
                      s.scaleX,
                      s.scaleY,
                      s.angle,
                      s.width,
                      s.height,
                      s.layer,
                      static_cast<int32_t>(s.visible)}) {
        w.i32(v);
    }
    const size_t count = std::min(s.frames.size(), kMaxFrames);
    const int frame = std::min(s.frame, static_cast<int>(count) - 1);
    w.i32(static_cast<int32_t>(count));
    w.i32(count ? frame : 0);
    w.i32(count ? std::max<int32_t>(static_cast<int32_t>(s.frameEnd - now), 0) : 0);
    for (size_t i = 0; i < count; ++i) {
        const AnimationFrame& f = s.frames[i];
        // A frame pointing past the cut holds instead.
        const int next = f.next >= static_cast<int>(count) ? kFrameHold : f.next;
        for (int v :
             {f.picture, f.x, f.y, f.width, f.height, f.offsetX, f.offsetY, f.duration, next}) {
            w.i16(clip16(v));
        }
        w.zeros(6);
    }
    std::vector<uint8_t> out = w.take();
    out.resize(kSpriteImageSize, 0);
    return out;
}

std::unique_ptr<Sprite> readSpriteImage(std::span<const uint8_t> image, uint32_t now) {
    if (image.size() < kSpriteImageSize)
        return nullptr;
    ByteReader r(image.first(kSpriteImageSize));
    if (r.i32() != 1)
        return nullptr;
    auto s = std::make_unique<Sprite>();
    DrawCommand& c = s->command;
    c.kind = r.i32();
    c.flags = r.i32();
    c.colour = r.u32() & 0xFFFFFF;
    c.blend = r.i32();
    c.brightness = std::clamp(r.i32(), 0, 512);
    c.opacity = std::clamp(r.i32(), 0, 256);
    c.picture = r.i32();
    // Geometry is held to the 16-bit ranges of the draw command, so that no
    // record can carry the sums and products of placing it past 32 bits.
    c.source.left = clip16(r.i32());
    c.source.top = clip16(r.i32());
    c.source.right = clip16(r.i32());
    c.source.bottom = clip16(r.i32());
    c.secondPicture = r.i32();
    c.fill = r.i32();
    s->x = clipPosition(r.i32());
    s->y = clipPosition(r.i32());
    s->pivotX = clip16(r.i32());
    s->pivotY = clip16(r.i32());
    s->scaleX = clip16(r.i32());
    s->scaleY = clip16(r.i32());
    s->angle = clip16(r.i32());
    s->width = clip16(r.i32());
    s->height = clip16(r.i32());
    s->layer = r.i32();
    s->visible = r.i32() != 0;
    const int32_t count = r.i32();
    const int32_t frame = r.i32();
    const int32_t left = r.i32();
    if (!DrawLists::valid(s->layer) || count < 0 || static_cast<size_t>(count) > kMaxFrames ||
        (count > 0 && (frame < 0 || frame >= count))) {
        return nullptr;
    }
    for (int32_t i = 0; i < count; ++i) {
        AnimationFrame f;
        f.picture = r.i16();
        f.x = r.i16();
        f.y = r.i16();
        f.width = r.i16();
        f.height = r.i16();
        f.offsetX = r.i16();
        f.offsetY = r.i16();
        f.duration = r.i16();
        f.next = r.i16();
        r.skip(6);
        s->frames.push_back(f);
    }
    if (!r.ok())
        return nullptr;
    if (count > 0) {
        s->frame = frame;
        s->frameOffsetX = s->frames[frame].offsetX;
        s->frameOffsetY = s->frames[frame].offsetY;
        s->frameEnd = now + static_cast<uint32_t>(std::max(left, 0));
    }
    s->recordMove();
    return s;
}

}  // namespace marlit
