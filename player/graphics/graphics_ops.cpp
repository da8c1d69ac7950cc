#include "player/graphics/graphics_ops.h"

#include <algorithm>
#include <memory>

#include "base/clock.h"
#include "base/metrics.h"
#include "formats/mlz_reader.h"
#include "formats/rbp_codec.h"
#include "player/graphics/sprite_update.h"
#include "player/shell/game_context.h"

namespace marlit {

namespace {

Sprite* spriteOf(GameContext& ctx, int slot) {
    return ctx.compositor->sprite(slot);
}

// Applies a change to a slot's sprite, if there is one, and has its place
// redrawn.
template <class Change>
void changeSprite(GameContext& ctx, int slot, Change change) {
    if (Sprite* s = spriteOf(ctx, slot)) {
        change(*s);
        s->recordMove();
    }
}

// A fresh sprite in a slot showing `source` (screen pixels) with its
// top-left at a design position; `setUp` fills in what it draws.
template <class SetUp>
Sprite* newSprite(GameContext& ctx, int slot, int layer, const Rect& source, int x, int y,
                  SetUp setUp) {
    if (!DrawLists::valid(layer))
        return nullptr;
    Sprite* s = ctx.compositor->create(slot, dirtyMarker(ctx));
    if (!s)
        return nullptr;
    s->layer = layer;
    setUp(s->command);
    s->command.source = source;
    s->width = source.width();
    s->height = source.height();
    s->x = toScreen(x) * 1000;
    s->y = toScreen(y) * 1000;
    s->recordMove();
    return s;
}

}  // namespace

Surface backBufferOf(GameContext& ctx) {
    Display& d = *ctx.display;
    return {d.backBuffer(), d.width(), d.height(), d.pitch()};
}

MarkDirty dirtyMarker(GameContext& ctx) {
    DirtyRectList* list = ctx.dirtyRects.get();
    return [list](const Rect& r) { list->add(r, 1); };
}

void redraw(GameContext& ctx, int x, int y, int width, int height) {
    ctx.dirtyRects->add(Rect{toScreen(x), toScreen(y), toScreen(x) + toScreen(width),
                             toScreen(y) + toScreen(height)},
                        1);
}

void redrawScreen(GameContext& ctx) {
    redraw(ctx, 0, 0, kDesignWidth, kDesignHeight);
}

bool loadPicture(GameContext& ctx, int slot, std::string_view name, bool colourKey) {
    if (!PictureSlots::valid(slot))
        return false;
    auto picture = LoadRbp(name, ctx.paths.picturePack, colourKey, *ctx.pictureReader);
    if (!picture)
        return false;
    return ctx.compositor->pictures.put(slot,
                                        std::make_unique<WorkingPicture>(std::move(*picture)));
}

void freePicture(GameContext& ctx, int slot) {
    ctx.compositor->pictures.free(slot);
}

bool blankPicture(GameContext& ctx, int slot, int width, int height) {
    auto p = std::make_unique<WorkingPicture>();
    p->width = toScreen(width);
    p->height = toScreen(height);
    if (p->width <= 0 || p->height <= 0)
        return false;
    p->pixels.assign(static_cast<size_t>(p->width) * p->height * 4, 0);
    return ctx.compositor->pictures.put(slot, std::move(p));
}

bool captureScreen(GameContext& ctx, int slot) {
    if (!PictureSlots::valid(slot))
        return false;
    const Surface screen = backBufferOf(ctx);
    auto p = std::make_unique<WorkingPicture>();
    p->width = screen.width;
    p->height = screen.height;
    p->pixels.resize(static_cast<size_t>(screen.width) * screen.height * 4);
    uint8_t* out = p->pixels.data();
    for (int y = 0; y < screen.height; ++y) {
        const uint8_t* in = screen.pixels + static_cast<size_t>(y) * screen.pitch;
        for (int x = 0; x < screen.width; ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 255;
        }
    }
    return ctx.compositor->pictures.put(slot, std::move(p));
}

Sprite* showPicture(GameContext& ctx, int sprite, int picture, int sx, int sy, int sw, int sh,
                    int x, int y, int layer) {
    const int left = toScreen(sx), top = toScreen(sy);
    return newSprite(ctx, sprite, layer, {left, top, left + toScreen(sw), top + toScreen(sh)}, x, y,
                     [picture](DrawCommand& c) { c.picture = picture; });
}

Sprite* showWholePicture(GameContext& ctx, int sprite, int picture, int x, int y, int layer) {
    const WorkingPicture* p = ctx.compositor->pictures.get(picture);
    return newSprite(ctx, sprite, layer, {0, 0, p ? p->width : 0, p ? p->height : 0}, x, y,
                     [picture](DrawCommand& c) { c.picture = picture; });
}

Sprite* showColour(GameContext& ctx, int sprite, uint32_t colour, int x, int y, int width,
                   int height, int layer, bool additive) {
    return newSprite(ctx, sprite, layer, {0, 0, toScreen(width), toScreen(height)}, x, y,
                     [&](DrawCommand& c) {
                         c.kind = kDrawColour;
                         c.colour = colour & 0xFFFFFF;
                         c.blend = additive ? kBlendAdditive : kBlendAlpha;
                     });
}

Sprite* showFade(GameContext& ctx, int sprite, int layer, const TransitionParams& fade) {
    if (fade.effect != 63 && fade.effect != 191)
        return nullptr;
    const Surface screen = backBufferOf(ctx);
    Sprite* s = newSprite(ctx, sprite, layer, {0, 0, screen.width, screen.height}, 0, 0,
                          [](DrawCommand& c) { c.kind = kDrawBrightness; });
    if (s)
        startTransition(*s, fade, now());
    return s;
}

void moveSprite(GameContext& ctx, int sprite, int x, int y) {
    changeSprite(ctx, sprite, [&](Sprite& s) {
        // The position is the pivot point; the pivot offset keeps its place.
        s.x = toScreen(x) * 1000 + s.pivotX * 1000;
        s.y = toScreen(y) * 1000 + s.pivotY * 1000;
    });
}

void setSpriteAlpha(GameContext& ctx, int sprite, int alpha) {
    changeSprite(ctx, sprite, [&](Sprite& s) { s.command.opacity = std::clamp(alpha, 0, 256); });
}

void setSpriteBrightness(GameContext& ctx, int sprite, int brightness) {
    changeSprite(ctx, sprite,
                 [&](Sprite& s) { s.command.brightness = std::clamp(brightness, 0, 512); });
}

void keepSpriteBrightness(GameContext& ctx, int sprite, bool keep) {
    changeSprite(ctx, sprite, [&](Sprite& s) {
        s.command.flags = keep ? (s.command.flags | kFlagIgnoreGlobalBrightness)
                               : (s.command.flags & ~kFlagIgnoreGlobalBrightness);
    });
}

void setSpriteVisible(GameContext& ctx, int sprite, bool visible) {
    Sprite* s = spriteOf(ctx, sprite);
    if (!s || s->visible == visible)
        return;
    s->visible = visible;
    s->recordMove();
}

void transformSprite(GameContext& ctx, int sprite, int scaleX, int scaleY, int angle, int pivotX,
                     int pivotY) {
    changeSprite(ctx, sprite, [&](Sprite& s) {
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

void crossfadeSprite(GameContext& ctx, int sprite, int secondPicture) {
    changeSprite(ctx, sprite, [&](Sprite& s) { s.command.secondPicture = secondPicture; });
}

bool animateSprite(GameContext& ctx, int sprite, std::vector<AnimationFrame> frames) {
    Sprite* s = spriteOf(ctx, sprite);
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

bool transitionSprite(GameContext& ctx, int sprite, TransitionParams params) {
    Sprite* s = spriteOf(ctx, sprite);
    if (!s)
        return false;
    params.tileSize = std::max(toScreen(params.tileSize), 1);
    if (!startTransition(*s, params, now()))
        return false;
    s->recordMove();
    return true;
}

void removeSprite(GameContext& ctx, int sprite) {
    ctx.compositor->remove(sprite, dirtyMarker(ctx));
}

void removeSprites(GameContext& ctx, int first, int last) {
    for (int i = std::max(first, 0); i <= std::min(last, Compositor::kSpriteSlots - 1); ++i) {
        removeSprite(ctx, i);
    }
}

}  // namespace marlit
