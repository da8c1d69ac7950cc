// The two heroines, drawn from shapes: a waist-up figure whose face shows
// an expression. The same painter makes the character sprites, the event
// pictures, the day cards, the title pictures and the map icons, at any
// scale.
#pragma once

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/shapes.h"

namespace marlit::sample {

enum class Expression { Normal, Smile, Surprised, Troubled, Gentle };

// Where the figure goes: the sprite's own coordinates (an 800 × 600 sprite
// with the head centred at (400, 190)) are scaled by `scale` and moved so
// that the head's centre lands at `head`.
struct Placement {
    Point head{400, 190};
    float scale = 1.0f;
};

struct Pose {
    Expression expression = Expression::Normal;
    bool blush = false;
    // The figure's light: 0 daylight, 1 evening, 2 night.
    int light = 0;
    // Hands raised before the chest (holding something) or at the sides.
    bool handsUp = false;
};

// Draws heroine 0 (灯) or 1 (小夜).
void drawHeroine(Canvas& canvas, int heroine, const Placement& place, const Pose& pose);
// Only the head and shoulders, for icons.
void drawHeroineBust(Canvas& canvas, int heroine, const Placement& place, const Pose& pose);

}  // namespace marlit::sample
