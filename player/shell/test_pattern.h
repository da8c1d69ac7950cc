// The display check: a fixed picture of colour bars, gradients and a
// one-pixel grid drawn straight into the back buffer every frame and marked
// dirty (merge 0, so the compositor leaves it alone), to check the display
// path on a new device. It also shows the input: a box per hardware key
// lights up for half a second after a press (the press is consumed, as a
// screen would), and a cross marks where the stylus last touched.
//
// Layout in landscape pixels, u = width / 320: a white frame one pixel wide
// around the screen; the top third holds eight bars (white, yellow, cyan,
// green, magenta, red, blue, grey) with a red 8u square in the top-left
// corner to show which way up the picture is; the middle third holds four
// gradient bands (red, green, blue, grey) rising from left to right; the
// bottom third holds, on its left half, a grid of one-pixel white lines
// every 8 pixels and, on its right half, the eight key boxes in two rows
// (up, down, left, right; start, A, B, C).
#pragma once

#include <cstdint>

#include "player/core/rect.h"

namespace marlit {

class GameContext;

class TestPattern {
  public:
    static constexpr int kKeyBoxes = 8;

    // Consumes this frame's presses, draws the picture and marks the whole
    // screen dirty.
    void drawFrame(GameContext& context);

    // The box of key i (0..7 in the order above) on a screen of this size.
    static Rect keyBox(int index, int width, int height);

  private:
    int lastPressed_ = -1;
    bool touched_ = false;
    int touchX_ = 0;
    int touchY_ = 0;
};

}  // namespace marlit
