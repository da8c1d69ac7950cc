// The 67 picture slots: loaded working pictures that sprites draw from.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "formats/rbp_codec.h"
#include "player/graphics/pixel_views.h"

namespace marlit {

class PictureSlots {
  public:
    static constexpr int kCount = 67;

    static bool valid(int slot) { return slot >= 0 && slot < kCount; }

    // The picture in a slot; null for an empty or out-of-range slot.
    const WorkingPicture* get(int slot) const { return valid(slot) ? slots_[slot].get() : nullptr; }
    // An empty view for an empty or out-of-range slot.
    PictureRef view(int slot) const;

    // Puts a picture into a slot, freeing what was there. False (and the
    // picture dropped) for an out-of-range slot or pixels that do not cover
    // the size.
    bool put(int slot, std::unique_ptr<WorkingPicture> picture);
    void free(int slot);
    void freeAll();

  private:
    std::array<std::unique_ptr<WorkingPicture>, kCount> slots_;
};

}  // namespace marlit
