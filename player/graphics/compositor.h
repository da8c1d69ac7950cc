// The layered compositor: the picture slots, the 259 sprite slots and the
// draw lists, and the picture side of every frame in the order the frame
// tick calls it: reset the lists, (the mode runs), update the sprites,
// remove the finished ones, mark the moved ones, compose.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "base/clock.h"
#include "player/graphics/compose.h"
#include "player/graphics/draw_lists.h"
#include "player/graphics/picture_slots.h"
#include "player/graphics/sprite.h"

namespace marlit {

// Receives rectangles to be redrawn (added with merge 1).
using MarkDirty = std::function<void(const Rect&)>;

class Compositor {
  public:
    static constexpr int kSpriteSlots = 259;

    static bool validSprite(int slot) { return slot >= 0 && slot < kSpriteSlots; }

    PictureSlots pictures;

    // Drawn over the layers in every composed frame (the message window's
    // text), given the rectangles that were recomposed.
    std::function<void(const Surface&, std::span<const Rect>)> overlay;

    // The sprite in a slot; null for an empty or out-of-range slot.
    Sprite* sprite(int slot) { return validSprite(slot) ? sprites_[slot].get() : nullptr; }
    // A fresh sprite with the defaults in a slot, replacing (and marking the
    // rectangle of) the one there; null for a slot out of range.
    Sprite* create(int slot, const MarkDirty& mark);
    // Deletes a slot's sprite, marking its rectangle; nothing for an empty
    // slot.
    void remove(int slot, const MarkDirty& mark);
    void removeAll(const MarkDirty& mark);
    // Puts a restored sprite into a slot (as `create` does).
    bool adopt(int slot, std::unique_ptr<Sprite> sprite, const MarkDirty& mark);

    // --- the frame ---
    void resetDrawLists() { lists_.reset(); }
    // Every sprite sees the same time: the clock is held for the loop.
    void updateSprites(TickClock& clock, int32_t& globalBrightness);
    void removeFinished(const MarkDirty& mark);
    void markMoved(const MarkDirty& mark);
    void compose(const Surface& backBuffer, std::span<const Rect> rects, ScreenLook& look);

    const DrawCommand* drawChain() const { return lists_.head(); }

  private:
    std::array<std::unique_ptr<Sprite>, kSpriteSlots> sprites_;
    DrawLists lists_;
};

}  // namespace marlit
