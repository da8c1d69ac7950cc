#include "player/screens/logo_screen.h"

#include "player/core/mode_screen.h"
#include "player/graphics/compositor.h"

namespace marlit {

namespace {
constexpr int kFirstScreenSlot = 10;
constexpr int kLastScreenSlot = 49;
}  // namespace

void clearScreenPictures(GraphicsOps& graphics) {
    graphics.removeSprites(0, Compositor::kSpriteSlots - 1);
    // Slots below 10 hold the scene's shared sheets (digits, petals) and the
    // last ones the place names loaded at start-up; they stay.
    for (int slot = kFirstScreenSlot; slot <= kLastScreenSlot; ++slot)
        graphics.freePicture(slot);
}

void LogoScreen::toTitle() {
    s_.brightness = 256;
    clearScreenPictures(s_.graphics);
    s_.state.subState = 0;
    s_.state.mode = kModeTitle;
    voices_.stop();
    s_.graphics.redrawScreen();
}

void LogoScreen::step() {
    GraphicsOps& g = s_.graphics;
    if (ScreenInput::tapped(s_.input) || ScreenInput::decided(s_.input)) {
        toTitle();
        return;
    }
    switch (s_.state.subState) {
        case 0:
            if (s_.setFrameInterval)
                s_.setFrameInterval(16);
            s_.brightness = 0;
            g.loadPicture(kSlot, kPicture, false);
            g.showPicture(kSprite, kSlot, {0, 0, 800, 600}, {0, 0}, kLayer);
            timer_.restart();
            s_.state.subState = 1;
            return;
        case 1: {
            const uint32_t t = timer_.elapsed();
            if (t < 2000) {
                s_.brightness = static_cast<int32_t>(t * 256 / 2000);
            } else {
                voices_.play(1);
                s_.brightness = 256;
                timer_.restart();
                s_.state.subState = 2;
            }
            break;
        }
        case 2:
            if (timer_.elapsed() >= 3000) {
                timer_.restart();
                s_.state.subState = 3;
            }
            break;
        case 3: {
            const uint32_t t = timer_.elapsed();
            if (t < 1000) {
                g.setSpriteAlpha(kSprite, static_cast<int>(256 - t * 256 / 1000));
            } else {
                g.removeSprite(kSprite);
                g.freePicture(kSlot);
                g.redrawScreen();
                voices_.stop();
                s_.state.subState = 0;
                s_.state.mode = kModeTitle;
                return;
            }
            break;
        }
        default:
            s_.state.subState = 0;
            return;
    }
    g.redrawScreen();
}

}  // namespace marlit
