#include "player/graphics/picture_slots.h"

namespace marlit {

PictureRef PictureSlots::view(int slot) const {
    const WorkingPicture* p = get(slot);
    if (!p)
        return {};
    return {p->pixels.data(), p->width, p->height};
}

bool PictureSlots::put(int slot, std::unique_ptr<WorkingPicture> picture) {
    if (!valid(slot) || !picture || picture->width <= 0 || picture->height <= 0 ||
        picture->pixels.size() / 4 / static_cast<size_t>(picture->width) <
            static_cast<size_t>(picture->height)) {
        return false;
    }
    slots_[slot] = std::move(picture);
    return true;
}

void PictureSlots::free(int slot) {
    if (valid(slot))
        slots_[slot].reset();
}

void PictureSlots::freeAll() {
    for (auto& s : slots_)
        s.reset();
}

}  // namespace marlit
