#include "player/graphics/compositor.h"

#include <functional>

#include "player/graphics/sprite_update.h"

namespace marlit {

namespace {

// What a sprite leaves on screen when it goes: what it showed and what it
// would have shown.
Rect lastRect(const Sprite& s) {
    const Rect r = s.rect();
    return s.current == kNoRect ? r : unite(s.current, r);
}

}  // namespace

Sprite* Compositor::create(int slot, const MarkDirty& mark) {
    auto sprite = std::make_unique<Sprite>();
    Sprite* raw = sprite.get();
    return adopt(slot, std::move(sprite), mark) ? raw : nullptr;
}

bool Compositor::adopt(int slot, std::unique_ptr<Sprite> sprite, const MarkDirty& mark) {
    if (!validSprite(slot) || !sprite)
        return false;
    remove(slot, mark);
    sprites_[slot] = std::move(sprite);
    return true;
}

void Compositor::remove(int slot, const MarkDirty& mark) {
    if (!validSprite(slot) || !sprites_[slot])
        return;
    const Sprite* s = sprites_[slot].get();
    mark(lastRect(*s));
    lists_.unlink([s](const DrawCommand* c) {
        const std::less<const DrawCommand*> before;
        const DrawCommand* chain = s->chain.data();
        return c == &s->command ||
               (!s->chain.empty() && !before(c, chain) && before(c, chain + s->chain.size()));
    });
    sprites_[slot].reset();
}

void Compositor::removeAll(const MarkDirty& mark) {
    for (int i = 0; i < kSpriteSlots; ++i)
        remove(i, mark);
}

void Compositor::updateSprites(TickClock& clock, int32_t& globalBrightness) {
    const bool wasHeld = clock.held();
    const uint32_t time = clock.now();
    clock.hold(true);
    for (auto& slot : sprites_) {
        if (!slot)
            continue;
        Sprite& s = *slot;
        if (!updateSprite(s, time, globalBrightness) || !s.visible)
            continue;
        for (size_t i = 0; i + 1 < s.chain.size(); ++i)
            s.chain[i].next = &s.chain[i + 1];
        lists_.insertChain(s.layer, s.firstCommand(), s.lastCommand());
    }
    clock.hold(wasHeld);
}

void Compositor::removeFinished(const MarkDirty& mark) {
    for (int i = 0; i < kSpriteSlots; ++i) {
        if (sprites_[i] && sprites_[i]->finished)
            remove(i, mark);
    }
}

void Compositor::markMoved(const MarkDirty& mark) {
    for (auto& slot : sprites_) {
        if (!slot || !slot->moved)
            continue;
        mark(slot->previous);
        slot->moved = false;
        slot->current = slot->rect();
    }
}

void Compositor::compose(const Surface& backBuffer, std::span<const Rect> rects, ScreenLook& look) {
    composeFrame(backBuffer, lists_.head(), rects, pictures, look);
    if (overlay && !rects.empty())
        overlay(backBuffer, rects);
}

}  // namespace marlit
