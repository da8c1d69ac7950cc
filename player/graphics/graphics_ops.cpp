#include "player/graphics/graphics_ops.h"

#include <algorithm>
#include <memory>

#include "formats/mlz_reader.h"
#include "formats/rbp_codec.h"
#include "player/graphics/sprite_update.h"

namespace marlit {

// Applies a change to a slot's sprite, if there is one, and has its place
// redrawn.
template <class Change>
void GraphicsOps::changeSprite(int slot, Change change) {
    if (Sprite* s = compositor_.sprite(slot)) {
        change(*s);
        s->recordMove();
    }
}

// A fresh sprite in a slot showing `source` (screen pixels) with its
// top-left at a design position; `setUp` fills in what it draws.
template <class SetUp>
Sprite* GraphicsOps::newSprite(int slot, int layer, const Rect& source, DesignPoint at,
                               SetUp setUp) {
    if (!DrawLists::valid(layer))
        return nullptr;
    Sprite* s = compositor_.create(slot, dirtyMarker());
    if (!s)
        return nullptr;
    s->layer = layer;
    setUp(s->command);
    s->command.source = source;
    s->width = source.width();
    s->height = source.height();
    s->x = toScreen(at.x) * 1000;
    s->y = toScreen(at.y) * 1000;
    s->recordMove();
    return s;
}

Surface GraphicsOps::backBuffer() {
    return {display_.backBuffer(), display_.width(), display_.height(), display_.pitch()};
}

MarkDirty GraphicsOps::dirtyMarker() {
    DirtyRectList* list = &dirty_;
    return [list](const Rect& r) { list->add(r, 1); };
}

void GraphicsOps::redraw(const DesignRect& a) {
    dirty_.add(Rect{toScreen(a.x), toScreen(a.y), toScreen(a.x) + toScreen(a.width),
                    toScreen(a.y) + toScreen(a.height)},
               1);
}

void GraphicsOps::redrawScreen() {
    redraw({0, 0, kDesignWidth, kDesignHeight});
}

bool GraphicsOps::loadPicture(int slot, std::string_view name, bool colourKey) {
    if (!PictureSlots::valid(slot))
        return false;
    auto picture = LoadRbp(name, paths_.picturePack, colourKey, pictureReader_);
    if (!picture)
        return false;
    return compositor_.pictures.put(slot, std::make_unique<WorkingPicture>(std::move(*picture)));
}

void GraphicsOps::freePicture(int slot) {
    compositor_.pictures.free(slot);
}

bool GraphicsOps::blankPicture(int slot, int width, int height) {
    auto p = std::make_unique<WorkingPicture>();
    p->width = toScreen(width);
    p->height = toScreen(height);
    if (p->width <= 0 || p->height <= 0)
        return false;
    p->pixels.assign(static_cast<size_t>(p->width) * p->height * kWorkingBytesPerPixel, 0);
    return compositor_.pictures.put(slot, std::move(p));
}

bool GraphicsOps::captureScreen(int slot) {
    if (!PictureSlots::valid(slot))
        return false;
    const Surface screen = backBuffer();
    auto p = std::make_unique<WorkingPicture>();
    p->width = screen.width;
    p->height = screen.height;
    p->pixels.resize(static_cast<size_t>(screen.width) * screen.height * kWorkingBytesPerPixel);
    uint8_t* out = p->pixels.data();
    for (int y = 0; y < screen.height; ++y) {
        const uint8_t* in = screen.pixels + static_cast<size_t>(y) * screen.pitch;
        for (int x = 0; x < screen.width;
             ++x, in += kBackBufferBytesPerPixel, out += kWorkingBytesPerPixel) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 255;
        }
    }
    return compositor_.pictures.put(slot, std::move(p));
}

Sprite* GraphicsOps::showPicture(int sprite, int picture, const DesignRect& source, DesignPoint at,
                                 int layer) {
    const int left = toScreen(source.x), top = toScreen(source.y);
    return newSprite(sprite, layer,
                     {left, top, left + toScreen(source.width), top + toScreen(source.height)}, at,
                     [picture](DrawCommand& c) { c.picture = picture; });
}

Sprite* GraphicsOps::showWholePicture(int sprite, int picture, DesignPoint at, int layer) {
    const WorkingPicture* p = compositor_.pictures.get(picture);
    return newSprite(sprite, layer, {0, 0, p ? p->width : 0, p ? p->height : 0}, at,
                     [picture](DrawCommand& c) { c.picture = picture; });
}

Sprite* GraphicsOps::showColour(int sprite, uint32_t colour, const DesignRect& area, int layer,
                                bool additive) {
    return newSprite(sprite, layer, {0, 0, toScreen(area.width), toScreen(area.height)},
                     {area.x, area.y}, [&](DrawCommand& c) {
                         c.kind = kDrawColour;
                         c.colour = colour & 0xFFFFFF;
                         c.blend = additive ? kBlendAdditive : kBlendAlpha;
                     });
}

Sprite* GraphicsOps::showFade(int sprite, int layer, const TransitionParams& fade) {
    if (fade.effect != kEffectFadeIn && fade.effect != kEffectFadeOut)
        return nullptr;
    const Surface screen = backBuffer();
    Sprite* s = newSprite(sprite, layer, {0, 0, screen.width, screen.height}, {0, 0},
                          [](DrawCommand& c) { c.kind = kDrawBrightness; });
    if (s)
        startTransition(*s, fade, now());
    return s;
}

void GraphicsOps::moveSprite(int sprite, int x, int y) {
    changeSprite(sprite, [&](Sprite& s) {
        // The position is the pivot point; the pivot offset keeps its place.
        s.x = toScreen(x) * 1000 + s.pivotX * 1000;
        s.y = toScreen(y) * 1000 + s.pivotY * 1000;
    });
}

void GraphicsOps::setSpriteAlpha(int sprite, int alpha) {
    changeSprite(sprite, [&](Sprite& s) { s.command.opacity = std::clamp(alpha, 0, 256); });
}

void GraphicsOps::setSpriteBrightness(int sprite, int brightness) {
    changeSprite(sprite, [&](Sprite& s) { s.command.brightness = std::clamp(brightness, 0, 512); });
}

void GraphicsOps::keepSpriteBrightness(int sprite, bool keep) {
    changeSprite(sprite, [&](Sprite& s) {
        s.command.flags = keep ? (s.command.flags | kFlagIgnoreGlobalBrightness)
                               : (s.command.flags & ~kFlagIgnoreGlobalBrightness);
    });
}

void GraphicsOps::setSpriteVisible(int sprite, bool visible) {
    Sprite* s = compositor_.sprite(sprite);
    if (!s || s->visible == visible)
        return;
    s->visible = visible;
    s->recordMove();
}

void GraphicsOps::transformSprite(int sprite, int scaleX, int scaleY, int angle, int pivotX,
                                  int pivotY) {
    changeSprite(sprite, [&](Sprite& s) {
        const int px = toScreen(pivotX), py = toScreen(pivotY);
        s.x += (px - s.pivotX) * 1000;
        s.y += (py - s.pivotY) * 1000;
        s.pivotX = px;
        s.pivotY = py;
        s.scaleX = scaleX;
        s.scaleY = scaleY;
        s.angle = angle;
    });
}

void GraphicsOps::crossfadeSprite(int sprite, int secondPicture) {
    changeSprite(sprite, [&](Sprite& s) { s.command.secondPicture = secondPicture; });
}

bool GraphicsOps::animateSprite(int sprite, std::vector<AnimationFrame> frames) {
    Sprite* s = compositor_.sprite(sprite);
    if (!s || frames.empty())
        return false;
    for (AnimationFrame& f : frames) {
        f.x = toScreen(f.x);
        f.y = toScreen(f.y);
        f.width = toScreen(f.width);
        f.height = toScreen(f.height);
        f.offsetX = toScreen(f.offsetX);
        f.offsetY = toScreen(f.offsetY);
    }
    startAnimation(*s, std::move(frames), now());
    return true;
}

bool GraphicsOps::transitionSprite(int sprite, TransitionParams params) {
    Sprite* s = compositor_.sprite(sprite);
    if (!s)
        return false;
    params.tileSize = std::max(toScreen(params.tileSize), 1);
    if (!startTransition(*s, params, now()))
        return false;
    s->recordMove();
    return true;
}

void GraphicsOps::removeSprite(int sprite) {
    compositor_.remove(sprite, dirtyMarker());
}

void GraphicsOps::removeSprites(int first, int last) {
    for (int i = std::max(first, 0); i <= std::min(last, Compositor::kSpriteSlots - 1); ++i) {
        removeSprite(i);
    }
}

}  // namespace marlit
