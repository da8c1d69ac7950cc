#include "player/graphics/compose.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "player/graphics/blit.h"
#include "player/graphics/transform.h"

namespace marlit {

namespace {

// A flat command clipped to the rectangle: where it goes and what part of
// its source is drawn there.
struct Placement {
    int x, y;
    Rect source;
};

std::optional<Placement> place(const DrawCommand& c, const Rect& clip) {
    const int64_t left = c.x, top = c.y;
    const int64_t right = left + (int64_t{c.source.right} - c.source.left);
    const int64_t bottom = top + (int64_t{c.source.bottom} - c.source.top);
    const int64_t l = std::max<int64_t>(left, clip.left), t = std::max<int64_t>(top, clip.top);
    const int64_t r = std::min<int64_t>(right, clip.right),
                  b = std::min<int64_t>(bottom, clip.bottom);
    if (r <= l || b <= t)
        return std::nullopt;
    // l - left and t - top are at most the source size, so these fit.
    const int sl = static_cast<int>(c.source.left + (l - left));
    const int st = static_cast<int>(c.source.top + (t - top));
    return Placement{static_cast<int>(l),
                     static_cast<int>(t),
                     {sl, st, static_cast<int>(sl + (r - l)), static_cast<int>(st + (b - t))}};
}

int effectiveBrightness(const DrawCommand& c, int32_t global) {
    if ((c.flags & kFlagIgnoreGlobalBrightness) || global == 256)
        return c.brightness;
    return static_cast<int>((int64_t{global} * c.brightness) >> 8);
}

void composePicture(const Surface& dst, const DrawCommand& c, const Rect& clip,
                    const PictureSlots& pictures, int32_t global) {
    const PictureRef pic = pictures.view(c.picture);
    if (!pic.pixels)
        return;
    const PictureRef second = pictures.view(c.secondPicture);
    if (c.opacity <= 0 && !second.pixels)
        return;
    const int e = effectiveBrightness(c, global);
    if (c.transformed()) {
        if (c.blend != kBlendAlpha)
            return;
        auto t = setUpTransform(c);
        if (!t || !clipBox(t->box, t->sampling, clip))
            return;
        blitTransformed(dst, t->box, pic, c.source, t->sampling, c.opacity, e);
        return;
    }
    auto p = place(c, clip);
    if (!p)
        return;
    if (c.blend == kBlendAlpha) {
        if (second.pixels) {
            blitCrossfade(dst, p->x, p->y, pic, second, p->source, c.opacity, e);
        } else {
            blitAlpha(dst, p->x, p->y, pic, p->source, c.opacity, e);
        }
    } else if (c.blend == kBlendAdditive) {
        blitAdditive(dst, p->x, p->y, pic, p->source, c.opacity, e);
    }
}

void composeColour(const Surface& dst, const DrawCommand& c, const Rect& clip, int32_t global) {
    if (c.opacity <= 0)
        return;
    auto p = place(c, clip);
    if (!p)
        return;
    const Rect r{p->x, p->y, p->x + p->source.width(), p->y + p->source.height()};
    const int e = effectiveBrightness(c, global);
    if (c.blend == kBlendAlpha) {
        fillColour(dst, r, c.colour, c.opacity, e);
    } else if (c.blend == kBlendAdditive) {
        fillAdditive(dst, r, c.colour, c.opacity, e);
    }
}

}  // namespace

uint32_t greyOf(int brightness) {
    // Above 256 the level would pass 255 and carry into the next channel.
    const uint32_t level = static_cast<uint32_t>(std::clamp((brightness * 255) >> 8, 0, 255));
    return level * 0x010101u;
}

void composeCommand(const Surface& dst, const DrawCommand& command, const Rect& clip,
                    const PictureSlots& pictures, int32_t& brightness) {
    if (command.isPicture()) {
        if (command.picture >= 0)
            composePicture(dst, command, clip, pictures, brightness);
    } else if (command.kind == kDrawColour) {
        composeColour(dst, command, clip, brightness);
    } else if (command.kind == kDrawBrightness) {
        brightness = command.brightness;
        if (command.fill)
            fillBackground(dst, clip, greyOf(command.brightness));
    }
}

void composeRect(const Surface& dst, const DrawCommand* head, const Rect& clip,
                 const PictureSlots& pictures, ScreenLook& look) {
    if (look.clearBackground) {
        fillBackground(dst, clip, look.backgroundFill ? greyOf(look.brightness) : 0);
    }
    for (const DrawCommand* c = head; c; c = c->next) {
        composeCommand(dst, *c, clip, pictures, look.brightness);
    }
}

}  // namespace marlit
