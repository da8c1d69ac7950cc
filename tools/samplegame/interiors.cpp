#include "tools/samplegame/interiors.h"

#include <cmath>

#include "tools/samplegame/noise.h"
#include "tools/samplegame/scenery.h"
#include "tools/samplegame/shapes.h"

namespace marlit::sample {

namespace {

// Darkens and blues a room for the night, leaving lamp light to be added.
void nightOver(Canvas& c) {
    fillShape(
        c, whole(c), [](float, float) { return -10.0f; }, solid(rgb(0x0a1030, 0.62f)));
}

void woodFloor(Canvas& c, float top, Colour wood, uint32_t seed) {
    fillPolygon(c, {{0, top}, {800, top}, {800, 600}, {0, 600}}, wood);
    for (int i = -8; i <= 8; ++i) {
        const float x = 400 + i * 40.0f;
        strokeLine(c, {x, top}, {400 + i * 130.0f, 600}, 1.5f, shade(wood, -0.25f));
    }
    Rng rng(seed);
    for (int i = 0; i < 30; ++i) {
        const float y = rng.range(top, 600);
        strokeLine(c, {rng.range(0, 700), y}, {rng.range(0, 800), y}, 0.8f, shade(wood, -0.1f));
    }
}

}  // namespace

Canvas paintRoom(bool night) {
    Canvas c(800, 600);
    fillRect(c, 0, 0, 800, 440, rgb(0xf0e6d4));
    fillRect(c, 0, 0, 800, 22, rgb(0xd8c8b0));
    woodFloor(c, 440, rgb(0xb08058), 91);
    fillRect(c, 0, 432, 800, 10, rgb(0x8a6040));
    // The window: sky, town and curtains.
    const float wx = 430, wy = 70, ww = 300, wh = 230;
    Canvas view(static_cast<int>(ww), static_cast<int>(wh));
    if (night) {
        paintSky(view, 0, wh, {{0, rgb(0x0a1030)}, {1, rgb(0x2a3a6a)}});
        paintStars(view, 92, 60, wh * 0.7f);
        fillEllipse(view, {220, 60}, 22, 22, rgb(0xfff8d8));
        glow(view, {220, 60}, 90, rgb(0xc8d8ff), 0.4f);
        paintTown(view, wh, 0, ww, 93, rgb(0x2a2a40), rgb(0x1a1a2a), 0.4f);
    } else {
        paintSky(view, 0, wh, {{0, rgb(0x5aa0e8)}, {1, rgb(0xd0e8f8)}});
        paintClouds(view, 94, 3, 20, 120, rgb(0xeef4fa, 0.8f), rgb(0xffffff));
        paintSea(view, 170, 200, rgb(0x5a98c8), rgb(0x3a78b0), 95, {150, 175}, rgb(0xffffff));
        paintTown(view, wh, 0, ww, 93, rgb(0xd8d0c8), rgb(0x8a5a4a), 0.0f);
    }
    c.draw(view, static_cast<int>(wx), static_cast<int>(wy));
    fillShape(c, boxOf(wx - 12, wy - 12, ww + 24, wh + 24),
              outline(roundedRect(wx - 6, wy - 6, ww + 12, wh + 12, 2), 12), solid(rgb(0xf8f4ec)));
    strokeLine(c, {wx + ww / 2, wy}, {wx + ww / 2, wy + wh}, 8, rgb(0xf8f4ec));
    for (int side = 0; side < 2; ++side) {
        const float x = side ? wx + ww - 10 : wx - 60;
        fillPolygon(c,
                    {{x, wy - 30},
                     {x + 70, wy - 30},
                     {x + 60 + (side ? 10 : -10), wy + wh + 40},
                     {x - 10 + (side ? 20 : 0), wy + wh + 40}},
                    rgb(0x88b8d8));
        for (int k = 1; k < 4; ++k)
            strokeLine(c, {x + k * 17.0f, wy - 30}, {x + k * 17.0f, wy + wh + 40}, 2,
                       rgb(0x6a98b8));
    }
    if (!night) {
        // Morning sun falling through the window onto the floor.
        fillPolygon(c, {{wx, wy + wh}, {wx + ww, wy + wh}, {wx + ww - 120, 600}, {wx - 260, 600}},
                    rgb(0xfff0c0, 0.35f), 20);
    }
    // Bed on the left, desk and shelf on the right.
    fillRect(c, 20, 330, 340, 150, rgb(0x9a7050));
    fillShape(c, boxOf(30, 300, 330, 120), roundedRect(30, 300, 330, 120, 16),
              solid(rgb(0xf4f4f8)));
    fillShape(c, boxOf(40, 330, 310, 110), roundedRect(40, 330, 310, 110, 14),
              solid(rgb(0x6a90c8)));
    fillShape(c, boxOf(50, 296, 120, 48), roundedRect(50, 296, 120, 48, 18), solid(rgb(0xffffff)));
    fillRect(c, 560, 340, 220, 16, rgb(0x8a6040));
    fillRect(c, 570, 356, 16, 120, rgb(0x7a5030));
    fillRect(c, 754, 356, 16, 120, rgb(0x7a5030));
    // Desk lamp and books.
    strokeLine(c, {600, 340}, {620, 280}, 5, rgb(0x404048));
    fillPolygon(c, {{600, 270}, {650, 262}, {660, 292}, {610, 296}}, rgb(0xe8d048));
    for (int i = 0; i < 5; ++i)
        fillRect(c, 680 + i * 14.0f, 300 - (i % 2) * 8.0f, 12, 40 + (i % 2) * 8.0f,
                 rgb(i % 3 == 0   ? 0xc84848
                     : i % 3 == 1 ? 0x4878c8
                                  : 0x48a868));
    fillRect(c, 80, 120, 200, 10, rgb(0x8a6040));
    fillRect(c, 100, 80, 30, 40, rgb(0x6aa06a));
    fillEllipse(c, {200, 100}, 30, 20, rgb(0xf0c0c8));
    if (night) {
        nightOver(c);
        glow(c, {635, 300}, 260, rgb(0xffd080), 0.8f);
        glow(c, {580, 80}, 180, rgb(0xa0b8ff), 0.25f);
    }
    return c;
}

Canvas paintBakery(const Font& font) {
    Canvas c(800, 600);
    fillShape(
        c, whole(c), [](float, float) { return -10.0f; },
        verticalGradient(0, rgb(0xf4dcb0), 420, rgb(0xe8c898)));
    woodFloor(c, 460, rgb(0x9a6a44), 101);
    // Shelves of bread along the back wall.
    Rng rng(102);
    for (int s = 0; s < 3; ++s) {
        const float y = 140 + s * 90.0f;
        fillRect(c, 40, y, 460, 10, rgb(0x7a5030));
        for (int i = 0; i < 9; ++i) {
            const float x = 70 + i * 50.0f;
            const int kind = rng.below(3);
            const Colour crust = rgb(kind == 0 ? 0xc8803a : kind == 1 ? 0xe0a860 : 0xa0602a);
            if (kind == 2) {
                fillEllipse(c, {x, y - 14}, 22, 12, crust);
                for (int k = -1; k <= 1; ++k)
                    strokeLine(c, {x + k * 9.0f - 4, y - 20}, {x + k * 9.0f + 4, y - 8}, 2,
                               shade(crust, 0.3f));
            } else {
                fillEllipse(c, {x, y - 16}, 18, 16, crust);
                fillEllipse(c, {x - 4, y - 22}, 8, 5, shade(crust, 0.3f), 4);
            }
        }
    }
    // Counter with a cash box, and the window with the harbour.
    fillRect(c, 0, 400, 800, 90, rgb(0x8a5a38));
    fillRect(c, 0, 392, 800, 12, rgb(0xb07a50));
    Canvas view(200, 230);
    paintSky(view, 0, 150, {{0, rgb(0x78b8e8)}, {1, rgb(0xd8ecf8)}});
    paintSea(view, 150, 230, rgb(0x6aa8d0), rgb(0x4a88b8), 103, {100, 160}, rgb(0xffffff));
    c.draw(view, 560, 80);
    fillShape(c, boxOf(550, 70, 220, 250), outline(roundedRect(556, 76, 208, 238, 2), 10),
              solid(rgb(0x6a4028)));
    strokeLine(c, {660, 80}, {660, 310}, 6, rgb(0x6a4028));
    fillRect(c, 620, 340, 90, 52, rgb(0x505860));
    // Chalkboard.
    fillShape(c, boxOf(300, 20, 220, 90), roundedRect(300, 20, 220, 90, 6), solid(rgb(0x2a3a30)));
    TextStyle chalk{rgb(0xf0f0e8)};
    font.drawIn(c, "本日のおすすめ", 300, 24, 220, 40, 24, chalk);
    font.drawIn(c, "クロワッサン", 300, 64, 220, 36, 22, TextStyle{rgb(0xf8d878)});
    // Warm lamps.
    for (float x : {170.0f, 640.0f}) {
        strokeLine(c, {x, 0}, {x, 40}, 2, rgb(0x303030));
        fillPolygon(c, {{x - 30, 60}, {x - 14, 40}, {x + 14, 40}, {x + 30, 60}}, rgb(0x304030));
        glow(c, {x, 64}, 260, rgb(0xffc070), 0.5f);
    }
    return c;
}

}  // namespace marlit::sample
