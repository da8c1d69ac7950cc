// The 128 draw lists: one sentinel command per layer, chained from layer 127
// down to layer 0, so that one walk from the head draws layer 127 first and
// layer 0 last (on top). Rebuilt every frame; holds borrowed commands only.
#pragma once

#include <array>

#include "player/graphics/draw_command.h"

namespace marlit {

class DrawLists {
  public:
    static constexpr int kLayers = 128;

    DrawLists() { reset(); }
    DrawLists(const DrawLists&) = delete;
    DrawLists& operator=(const DrawLists&) = delete;

    static bool valid(int layer) { return layer >= 0 && layer < kLayers; }

    // Empties every layer: sentinels of kind 0 chained 127 -> 0.
    void reset();
    // Puts a command right after its layer's sentinel, in front of the
    // commands already in that layer. False for a layer out of range.
    bool insert(int layer, DrawCommand* command) { return insertChain(layer, command, command); }
    // The same for a chain from `first` to `last`, kept in its own order.
    bool insertChain(int layer, DrawCommand* first, DrawCommand* last);

    // Takes out every command for which `owned` holds, so that a sprite
    // deleted in the middle of a frame leaves nothing dangling behind.
    template <class Owned>
    void unlink(Owned owned) {
        for (DrawCommand* c = &sentinels_[kLayers - 1]; c;) {
            while (c->next && owned(c->next))
                c->next = c->next->next;
            c = c->next;
        }
    }

    const DrawCommand* head() const { return &sentinels_[kLayers - 1]; }

  private:
    std::array<DrawCommand, kLayers> sentinels_;
};

}  // namespace marlit
