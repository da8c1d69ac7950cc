// Pieces of scenery the places are built from: skies, clouds, the sea,
// hills, houses, trees in blossom, lamps and the lighthouse.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/shapes.h"

namespace marlit::sample {

// A sky through colour stops from y0 to y1 (positions 0..1).
void paintSky(Canvas& c, float y0, float y1, std::vector<std::pair<float, Colour>> stops);
// Soft heaps of cloud between y0 and y1, lit from above.
void paintClouds(Canvas& c, uint32_t seed, int count, float y0, float y1, Colour body,
                 Colour light);
void paintStars(Canvas& c, uint32_t seed, int count, float yMax);
// The sea from the horizon down to `bottom`, glinting where `glint` is.
void paintSea(Canvas& c, float horizon, float bottom, Colour far, Colour near, uint32_t seed,
              Point glint, Colour glintColour);
// A ridge of hills: the area below a noisy line around `base`.
void paintHills(Canvas& c, float base, float amplitude, Colour colour, uint32_t seed, float x0 = 0,
                float x1 = -1);
// Roofs and walls of a distant town along `base`, with lit windows when
// `windows` > 0 (their share).
void paintTown(Canvas& c, float base, float x0, float x1, uint32_t seed, Colour wall, Colour roof,
               float windows);
// A cherry tree in blossom standing at (x, ground).
void paintCherryTree(Canvas& c, float x, float ground, float size, uint32_t seed, Colour blossom,
                     Colour trunk);
void paintLamp(Canvas& c, float x, float ground, float height, bool lit, Colour pole);
void paintLighthouse(Canvas& c, float x, float ground, float height, bool beam);
// Fallen petals scattered over an area.
void paintPetals(Canvas& c, uint32_t seed, int count, float x0, float y0, float x1, float y1,
                 Colour colour, float size);
// A petal: a rounded drop with a notch, turned by `angle` and squeezed
// across by `flip` (-1..1, for the tumbling frames).
void paintPetal(Canvas& c, Point centre, float length, float angle, float flip, Colour colour);

}  // namespace marlit::sample
