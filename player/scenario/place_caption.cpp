#include "player/scenario/place_caption.h"

namespace marlit {

void PlaceCaption::show(std::string_view backgroundPath, uint32_t now) {
    pictures_.remove(kSprite);
    shown_ = false;
    const std::optional<int> place = tables_.placeOf(backgroundPath);
    if (!place || *place == lastPlace_)
        return;
    if (!pictures_.holds(kPicture))
        pictures_.load(kPicture, kPicturePath);
    const DesignRect cell{192 * (*place / 16) + 1, 32 * (*place % 16) + 1, 190, 30};
    if (!pictures_.show(kSprite, kPicture, cell, {592, 16}, kLayer))
        return;
    pictures_.graphics().setSpriteAlpha(kSprite, 0);
    lastPlace_ = *place;
    phase_ = 0;
    start_ = now;
    shown_ = true;
}

void PlaceCaption::update(uint32_t now) {
    if (!shown_)
        return;
    if (!pictures_.exists(kSprite)) {
        shown_ = false;
        return;
    }
    const uint32_t elapsed = now - start_;
    GraphicsOps& g = pictures_.graphics();
    if (phase_ == 0) {
        if (elapsed < 1000) {
            g.setSpriteAlpha(kSprite, static_cast<int>(elapsed * 256 / 1000));
        } else {
            g.setSpriteAlpha(kSprite, 256);
            phase_ = 1;
        }
    } else if (phase_ == 1) {
        if (elapsed >= 3000)
            phase_ = 2;
    }
    if (phase_ == 2) {
        if (elapsed < 4000) {
            g.setSpriteAlpha(kSprite, 256 - static_cast<int>((elapsed - 3000) * 256 / 1000));
        } else {
            pictures_.remove(kSprite);
            shown_ = false;
        }
    }
}

void PlaceCaption::remove() {
    pictures_.remove(kSprite);
    shown_ = false;
    lastPlace_ = -1;
}

}  // namespace marlit
