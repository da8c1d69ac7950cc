// The stylus handlers and the once-per-frame latch.
#include "player/shell/game_context.h"
#include "player/shell/input.h"

namespace marlit {

namespace {

// Device (portrait) to picture (landscape): the quarter turn of the screen.
// The 640 build gets half-size coordinates from the window and doubles them
// first.
void placeStylus(GameContext& ctx, int32_t x, int32_t y) {
    if (ctx.vga) {
        x *= 2;
        y *= 2;
    }
    ctx.input.stylusX = ctx.display->width() - y - 1;
    ctx.input.stylusY = x;
}

}  // namespace

void onStylusDown(GameContext& ctx, int32_t x, int32_t y) {
    ctx.input.stylusHeld = 1;
    ctx.input.tapPending = 1;
    placeStylus(ctx, x, y);
}

void onStylusMove(GameContext& ctx, int32_t x, int32_t y) {
    placeStylus(ctx, x, y);
}

void onStylusUp(GameContext& ctx) {
    ctx.input.tapPending = 0;
    ctx.input.stylusHeld = 0;
    ctx.input.releasePending = 1;
}

void latchInput(GameContext& ctx) {
    InputState& in = ctx.input;
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
    if (ctx.menuOpen())
        return;

    // The locked skip: with the skip lock on, the skip key (left) turns a
    // lasting skip on; the third button, a tap or right only stops it.
    Settings& s = ctx.settings;
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
