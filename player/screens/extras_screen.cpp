#include "player/screens/extras_screen.h"

#include "player/screens/logo_screen.h"

namespace marlit {

namespace {
constexpr int kTitleReturn = 90;
constexpr int kPetalKind = 1;
constexpr int kPetalPeriod = 4;
}  // namespace

void ExtrasScreen::step() {
    runStep();
    s_.graphics.redrawScreen();
}

void ExtrasScreen::clearAll() {
    clearScreenPictures(s_.graphics);
    s_.graphics.freePicture(kCoverSlot);
}

void ExtrasScreen::coverWithScreen() {
    GraphicsOps& g = s_.graphics;
    g.captureScreen(kCoverSlot);
    g.showWholePicture(kCoverSprite, kCoverSlot, {0, 0}, 0);
}

bool ExtrasScreen::reveal() {
    const uint32_t t = timer_.elapsed();
    if (t < kRevealMs) {
        s_.graphics.setSpriteAlpha(kCoverSprite, static_cast<int>(256 - t * 256 / kRevealMs));
        return false;
    }
    s_.graphics.removeSprite(kCoverSprite);
    s_.graphics.freePicture(kCoverSlot);
    s_.brightness = 256;
    return true;
}

bool ExtrasScreen::fadeAway() {
    const uint32_t t = timer_.elapsed();
    if (t < kFadeMs) {
        s_.brightness = static_cast<int32_t>(256 - t * 256 / kFadeMs);
        return false;
    }
    resetScreen();
    return true;
}

void ExtrasScreen::resetScreen() {
    s_.brightness = 256;
    s_.sound.stopMusic();
    clearAll();
}

void ExtrasScreen::backToTitle() {
    s_.state.mode = kModeTitle;
    s_.state.subState = kTitleReturn;
    story_.petals.record(kPetalKind, kPetalPeriod);
    if (s_.settings.petalsAllowed)
        story_.petals.start(s_.graphics.now());
}

bool ExtrasScreen::moveCursor(int count, const std::function<bool(int)>& skip,
                              const std::function<bool(int, DesignRect&)>& hitRect,
                              const std::function<void(int, bool)>& look) {
    InputState& in = s_.input;
    int next = cursor_;
    // Item 0 is never skipped, so the walks below end.
    if (ScreenInput::take(in, kPressUp)) {
        auto back = [count](int c) { return c <= 0 || c >= count ? count - 1 : c - 1; };
        next = back(next == kNone ? 0 : next);
        while (skip(next))
            next = back(next);
    }
    if (ScreenInput::take(in, kPressDown)) {
        next = next == kNone ? 0 : (next + 1) % count;
        while (skip(next))
            next = (next + 1) % count;
    }
    const bool tapped = ScreenInput::tapped(in);
    if (tapped) {
        next = kNone;
        const DesignPoint p = ScreenInput::stylus(in, s_.graphics);
        for (int i = 0; i < count; ++i) {
            DesignRect r;
            if (hitRect(i, r) && ScreenInput::inside(p, r))
                next = i;
        }
    }
    if (next != cursor_) {
        if (cursor_ != kNone)
            look(cursor_, false);
        cursor_ = next;
        if (cursor_ != kNone)
            look(cursor_, true);
    }
    const bool decided = ScreenInput::decided(in);
    return (tapped || decided) && cursor_ != kNone;
}

void ExtrasScreen::showBackdrop(const char* background, const char* parts) {
    GraphicsOps& g = s_.graphics;
    g.loadPicture(kBackgroundSlot, background, false);
    g.loadPicture(kPartsSlot, parts, true);
    g.showWholePicture(kBackgroundSprite, kBackgroundSlot, {0, 0}, kBackgroundLayer);
}

void ExtrasScreen::showButton(const Button& button, bool lit) {
    DesignRect source = button.normal;
    if (lit) {
        source.x = button.lit.x;
        source.y = button.lit.y;
    }
    s_.graphics.showPicture(button.sprite, kPartsSlot, source, button.at, kPartsLayer);
}

void ExtrasScreen::showTab(int sprite, int tab, DesignPoint at, bool current, bool lit) {
    s_.graphics.showPicture(sprite, kPartsSlot, tabSource(tab, current, lit), at, kPartsLayer);
}

DesignRect ExtrasScreen::tabSource(int tab, bool current, bool lit) {
    const int x = (tab % 6) * 120 + 1;
    if (lit)
        return {x, (tab / 6) * 96 + 65, 118, 30};
    return {x, ((tab / 6) * 3 + (current ? 1 : 0)) * 32 + 1, 118, 30};
}

}  // namespace marlit
