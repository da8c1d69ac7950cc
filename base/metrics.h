// The process-wide sizes: the design space of 800 x 600 in which scripts
// and hit boxes give positions, and the player's screen size, set once at
// start-up (320 x 240, or 640 x 480 for the VGA build).
#pragma once

namespace marlit {

constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 600;

void setScreenSize(int width, int height);
int screenWidth();
int screenHeight();
// The VGA build is told apart at run time by a width above 639.
inline bool isVgaScreen() {
    return screenWidth() > 639;
}

// A design coordinate on screen: c x screen width / 800, for x and y alike,
// truncating.
int toScreen(int c);

}  // namespace marlit
