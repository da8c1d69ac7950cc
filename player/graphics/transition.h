// Transition programs: a sprite appears or disappears over a time, as a
// whole (fades), by tiles (blinds, sliding bands, tile fades, scatter) or by
// pixel rows (wave). Codes with bit 7 set run in the disappearing direction
// and finish the sprite when they end.
//
//   1      opacity rises (129: falls)             60   opacity rises
//   63     brightness from white or black to 256  191  brightness to black or white
//   5, 9   blinds by tile rows from the top, the bottom: each row of every
//          tile shows a growing band anchored at that side
//   6, 10  the same by tile columns from the left, the right
//   11-14  bands sliding in from the left, right, top, bottom: the band
//          shows the far end of the tile's picture, as if pushed in
//   16-23  tile fades delayed by column from the left (16) or right (17), by
//          row from the top (18) or bottom (19), by the diagonals from the
//          top-left (20), top-right (21), bottom-left (22), bottom-right (23)
//   48, 49 each pixel row swings sideways on a decaying cosine (49 fades in)
//   240    tiles fly outwards from the picture's centre, fading, shrinking
#pragma once

#include <cstdint>
#include <vector>

namespace marlit {

// The effect codes of the table above.
enum TransitionEffect : int {
    kEffectOpacity = 1,
    kEffectBlindsTop = 5,
    kEffectBlindsLeft = 6,
    kEffectBlindsBottom = 9,
    kEffectBlindsRight = 10,
    kEffectSlideLeft = 11,
    kEffectSlideRight = 12,
    kEffectSlideTop = 13,
    kEffectSlideBottom = 14,
    kEffectTilesLeft = 16,
    kEffectTilesRight = 17,
    kEffectTilesTop = 18,
    kEffectTilesBottom = 19,
    kEffectTilesTopLeft = 20,
    kEffectTilesTopRight = 21,
    kEffectTilesBottomLeft = 22,
    kEffectTilesBottomRight = 23,
    kEffectWave = 48,
    kEffectWaveIn = 49,
    kEffectOpacityRise = 60,
    kEffectFadeIn = 63,
    kEffectOpacityFall = 129,
    kEffectFadeOut = 191,
    kEffectScatter = 240,
    // The bit that runs a code in the disappearing direction.
    kEffectDisappearing = 128,
};

struct TransitionParams {
    int effect = 1;
    int duration = 1000;  // ms
    int tileSize = 16;    // pixels; the wave's amplitude
    int spread = 1;       // delay divisor (tiles); the wave's frequency
    int speed = 1;        // band or opacity growth per step; the wave's rate
    int steps = 16;       // progress steps over the duration
    // Fades (63, 191): towards or from white instead of black, and whether the
    // brightness command also fills what lies below it with its grey.
    bool white = false;
    bool fill = false;
};

struct Transition {
    TransitionParams params;
    uint32_t start = 0;
    bool disappearing = false;
    int columns = 0;
    int rows = 0;
    int savedOpacity = 256;  // restored when an appearing transition ends
    // Scatter: per tile direction (x, y in 1/1024) and speed (pixels per
    // second), and the opacity all tiles have left.
    std::vector<int32_t> flight;
    int fade = 256;
};

// The effect codes that have a program.
bool knownEffect(int effect);

}  // namespace marlit
