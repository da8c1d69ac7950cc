#include "tools/samplegame/overlays.h"

#include <cmath>

#include "tools/samplegame/noise.h"
#include "tools/samplegame/shapes.h"

namespace marlit::sample {

// The sprites' head stands at (400, 200) at 1.3 times the figure's size.

Canvas paintSplash() {
    Canvas c(800, 600);
    Rng rng(601);
    for (int i = 0; i < 90; ++i) {
        const float a = rng.range(-3.0f, 0.2f), d = rng.range(60, 260);
        const Point p{400 + std::cos(a) * d, 230 + std::sin(a) * d * 0.8f};
        const float r = rng.range(2, 9);
        fillEllipse(c, p, r, r * 1.3f, rgb(0xd8f0ff, 0.8f), 1.5f);
        fillEllipse(c, {p.x - r * 0.3f, p.y - r * 0.4f}, r * 0.3f, r * 0.3f, rgb(0xffffff, 0.9f));
    }
    return c;
}

Canvas paintBlush() {
    Canvas c(800, 600);
    for (float x : {352.0f, 448.0f}) {
        fillEllipse(c, {x, 256}, 26, 11, rgb(0xff6a84, 0.5f), 10);
        for (int i = 0; i < 3; ++i) {
            const float lx = x - 10 + i * 10;
            strokeLine(c, {lx + 4, 250}, {lx - 1, 262}, 1.6f, rgb(0xe04a64, 0.8f));
        }
    }
    // A drop of sweat beside the head.
    fillPolygon(c, {{500, 150}, {490, 178}, {510, 178}}, rgb(0xa8d8ff, 0.9f));
    fillEllipse(c, {500, 180}, 10, 10, rgb(0xa8d8ff, 0.9f));
    return c;
}

}  // namespace marlit::sample
