// The stylus handlers and the once-per-frame latch.
#include "player/core/input.h"

namespace marlit {

namespace {

// Device (portrait) to picture (landscape): the quarter turn of the screen.
// The 640 build gets half-size coordinates from the window and doubles them
// first.
void placeStylus(InputState& in, const ScreenGeometry& screen, int32_t x, int32_t y) {
    if (screen.vga()) {
        x *= 2;
        y *= 2;
    }
    in.stylusX = screen.width - y - 1;
    in.stylusY = x;
}

}  // namespace

void stylusDown(InputState& in, const ScreenGeometry& screen, int32_t x, int32_t y) {
    in.stylusHeld = 1;
    in.tapPending = 1;
    placeStylus(in, screen, x, y);
}

void stylusMove(InputState& in, const ScreenGeometry& screen, int32_t x, int32_t y) {
    placeStylus(in, screen, x, y);
}

void stylusUp(InputState& in) {
    in.tapPending = 0;
    in.stylusHeld = 0;
    in.releasePending = 1;
}

void latchInput(InputState& in, Settings& s, bool menuOpen) {
    in.tap = in.tapPending;
    in.tapPending = 0;
    in.release = in.releasePending;
    in.releasePending = 0;

    auto clearDirectionsAndCentre = [&in] {
        for (PressKey k : {kPressUp, kPressDown, kPressLeft, kPressRight, kPressStart}) {
            in.press[k] = 0;
        }
        in.armed = {};
        in.centreArmed = 0;
    };
    // A tap wins over keys pressed in the same frame.
    if (in.tap) {
        clearDirectionsAndCentre();
        in.press[kPressC] = 0;
        in.press[kPressA] = 0;
        in.press[kPressB] = 0;
    }
    // So do the three buttons over the directions and the centre key.
    if (in.press[kPressC] == 1 || in.press[kPressA] == 1 || in.press[kPressB] == 1) {
        clearDirectionsAndCentre();
    }
    if (menuOpen)
        return;

    // The locked skip: with the skip lock on, the skip key (left) turns a
    // lasting skip on; the third button, a tap or right only stops it.
    if (s.lockSkip && in.press[kPressLeft] == 1) {
        in.press[kPressLeft] = 0;
        s.lockedSkip = 1;
    } else if (s.lockedSkip && (in.press[kPressC] == 1 || in.tap || in.press[kPressRight] == 1)) {
        s.lockedSkip = 0;
        in.press[kPressC] = 0;
        in.tap = 0;
        in.press[kPressRight] = 0;
    }
}

}  // namespace marlit
