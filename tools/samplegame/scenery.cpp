#include "tools/samplegame/scenery.h"

#include <algorithm>
#include <cmath>

#include "tools/samplegame/noise.h"

namespace marlit::sample {

void paintSky(Canvas& c, float y0, float y1, std::vector<std::pair<float, Colour>> stops) {
    fillShape(
        c, {0, static_cast<int>(y0), c.width(), static_cast<int>(std::ceil(y1))},
        [](float, float) { return -10.0f; }, verticalStops(y0, y1, std::move(stops)));
}

void paintClouds(Canvas& c, uint32_t seed, int count, float y0, float y1, Colour body,
                 Colour light) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const float cx = rng.range(-60, c.width() + 60);
        const float cy = rng.range(y0, y1);
        const float w = rng.range(80, 220);
        const int puffs = 4 + rng.below(5);
        for (int k = 0; k < puffs; ++k) {
            const float px = cx + rng.range(-w / 2, w / 2);
            const float py = cy + rng.range(-w / 10, w / 12);
            const float rx = rng.range(w / 5, w / 3), ry = rx * rng.range(0.45f, 0.7f);
            fillShape(c, boxAround({px, py}, rx, ry, 30), ellipse({px, py}, rx, ry),
                      verticalGradient(py - ry, light, py + ry, body), 18.0f);
        }
    }
}

void paintStars(Canvas& c, uint32_t seed, int count, float yMax) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const float x = rng.range(0, c.width()), y = rng.range(0, yMax);
        const float size = rng.unit() < 0.1f ? rng.range(1.4f, 2.4f) : rng.range(0.5f, 1.1f);
        const float fade = 1.0f - 0.7f * y / yMax;
        fillEllipse(c, {x, y}, size, size, rgb(0xfff8e8, fade * rng.range(0.5f, 1.0f)));
        if (size > 1.6f)
            glow(c, {x, y}, size * 5, rgb(0xc8d8ff), 0.25f * fade);
    }
}

void paintSea(Canvas& c, float horizon, float bottom, Colour far, Colour near, uint32_t seed,
              Point glint, Colour glintColour) {
    fillShape(
        c, {0, static_cast<int>(horizon), c.width(), static_cast<int>(std::ceil(bottom))},
        [](float, float) { return -10.0f; }, verticalGradient(horizon, far, bottom, near));
    // Wave lines, shorter and denser towards the horizon.
    Rng rng(seed);
    const int lines = 260;
    for (int i = 0; i < lines; ++i) {
        const float t = rng.unit();
        const float y = horizon + (bottom - horizon) * t * t;
        const float depth = (y - horizon) / std::max(1.0f, bottom - horizon);
        const float len = 6 + 60 * depth;
        const float x = rng.range(-len, c.width());
        const float near = std::hypot((x - glint.x) / 1.5f, (y - glint.y) * 3) / c.width();
        const Colour col = mix(glintColour, shade(near < 0.3f ? glintColour : far, 0.25f),
                               std::clamp(near * 3, 0.0f, 1.0f));
        strokeLine(c, {x, y}, {x + len, y}, 0.8f + 1.6f * depth, withAlpha(col, 0.55f));
    }
    glow(c, glint, (bottom - horizon) * 1.2f, glintColour, 0.35f);
}

void paintHills(Canvas& c, float base, float amplitude, Colour colour, uint32_t seed, float x0,
                float x1) {
    if (x1 < 0)
        x1 = static_cast<float>(c.width());
    std::vector<Point> pts;
    pts.push_back({x0, static_cast<float>(c.height()) + 2});
    for (float x = x0; x <= x1; x += 8) {
        const float n = fractalNoise(x / 180.0f, 0.5f, seed, 3);
        pts.push_back({x, base - amplitude * n});
    }
    pts.push_back({x1, static_cast<float>(c.height()) + 2});
    fillPolygon(c, pts, colour);
}

void paintTown(Canvas& c, float base, float x0, float x1, uint32_t seed, Colour wall, Colour roof,
               float windows) {
    Rng rng(seed);
    float x = x0;
    while (x < x1) {
        const float w = rng.range(18, 46), h = rng.range(14, 40);
        const float y = base - h - rng.range(0, 6);
        const Colour wc = shade(wall, rng.range(-0.15f, 0.1f));
        fillRect(c, x, y, w, base - y, wc);
        fillPolygon(c, {{x - 3, y}, {x + w / 2, y - h * 0.35f}, {x + w + 3, y}},
                    shade(roof, rng.range(-0.2f, 0.1f)));
        for (float wy = y + 4; wy + 5 < base; wy += 9) {
            for (float wx = x + 4; wx + 4 < x + w; wx += 8) {
                if (rng.unit() < windows) {
                    fillRect(c, wx, wy, 4, 5, rgb(0xffd890));
                    glow(c, {wx + 2, wy + 2}, 9, rgb(0xffc060), 0.25f);
                }
            }
        }
        x += w + rng.range(-4, 6);
    }
}

void paintCherryTree(Canvas& c, float x, float ground, float size, uint32_t seed, Colour blossom,
                     Colour trunk) {
    Rng rng(seed);
    // Trunk and a few branches.
    strokeLine(c, {x, ground}, {x + size * 0.05f, ground - size * 0.55f}, size * 0.09f, trunk);
    for (int i = 0; i < 5; ++i) {
        const float a = -1.57f + rng.range(-1.1f, 1.1f);
        const Point from{x + size * 0.04f, ground - size * rng.range(0.35f, 0.55f)};
        const Point to{from.x + std::cos(a) * size * 0.45f, from.y + std::sin(a) * size * 0.4f};
        strokeLine(c, from, to, size * 0.035f, trunk);
    }
    // Blossom: many soft clumps, lighter on top.
    const Point crown{x, ground - size * 0.78f};
    for (int i = 0; i < 70; ++i) {
        const float a = rng.range(0, 6.2832f), d = std::sqrt(rng.unit());
        const Point p{crown.x + std::cos(a) * d * size * 0.55f,
                      crown.y + std::sin(a) * d * size * 0.32f};
        const float r = size * rng.range(0.06f, 0.12f);
        const float light = std::clamp((crown.y - p.y) / (size * 0.3f), -1.0f, 1.0f) * 0.25f;
        fillEllipse(c, p, r, r * 0.85f, shade(blossom, light + rng.range(-0.08f, 0.08f)), 3.0f);
    }
}

void paintLamp(Canvas& c, float x, float ground, float height, bool lit, Colour pole) {
    strokeLine(c, {x, ground}, {x, ground - height}, 4, pole);
    fillRect(c, x - 9, ground - height - 16, 18, 18, lit ? rgb(0xfff0c0) : rgb(0xd8d8d0));
    fillPolygon(
        c,
        {{x - 12, ground - height - 16}, {x, ground - height - 26}, {x + 12, ground - height - 16}},
        pole);
    if (lit)
        glow(c, {x, ground - height - 7}, height * 0.9f, rgb(0xffc870), 0.6f);
}

void paintLighthouse(Canvas& c, float x, float ground, float height, bool beam) {
    const float w0 = height * 0.16f, w1 = height * 0.1f;
    const float top = ground - height;
    fillPolygon(c, {{x - w0, ground}, {x - w1, top}, {x + w1, top}, {x + w0, ground}},
                rgb(0xf4f2ec));
    // Red bands.
    for (int i = 0; i < 2; ++i) {
        const float a = top + height * (0.25f + 0.3f * i), b = a + height * 0.1f;
        const float wa = w1 + (w0 - w1) * (a - top) / height,
                    wb = w1 + (w0 - w1) * (b - top) / height;
        fillPolygon(c, {{x - wa, a}, {x - wb, b}, {x + wb, b}, {x + wa, a}}, rgb(0xc83a3a));
    }
    // Shadowed side.
    fillPolygon(c, {{x + w0 * 0.3f, ground}, {x + w1 * 0.3f, top}, {x + w1, top}, {x + w0, ground}},
                rgb(0x404860, 0.25f));
    fillRect(c, x - w1 * 1.4f, top - 4, w1 * 2.8f, 5, rgb(0x404850));
    fillRect(c, x - w1 * 0.8f, top - height * 0.12f, w1 * 1.6f, height * 0.12f - 4,
             beam ? rgb(0xfff4b0) : rgb(0x8ab0c8));
    fillPolygon(c,
                {{x - w1 * 1.1f, top - height * 0.12f},
                 {x, top - height * 0.2f},
                 {x + w1 * 1.1f, top - height * 0.12f}},
                rgb(0x303848));
    if (beam) {
        const Point lamp{x, top - height * 0.06f};
        fillPolygon(c, {lamp, {lamp.x - 520, lamp.y - 70}, {lamp.x - 520, lamp.y + 40}},
                    rgb(0xfff4c0, 0.18f), 30.0f);
        glow(c, lamp, height * 0.8f, rgb(0xfff0b0), 0.8f);
    }
}

void paintPetal(Canvas& c, Point centre, float length, float angle, float flip, Colour colour) {
    const float ca = std::cos(angle), sa = std::sin(angle);
    const float width = length * 0.42f * std::max(0.3f, std::fabs(flip));
    auto at = [&](float u, float v) {
        return Point{centre.x + u * ca - v * sa, centre.y + u * sa + v * ca};
    };
    std::vector<Point> pts;
    // Along the petal: narrow base, round body, a notch at the tip.
    for (int i = 0; i <= 10; ++i) {
        const float t = i / 10.0f;
        const float u = -length / 2 + t * length;
        const float v = width * std::sin(3.1416f * std::pow(t, 0.75f));
        pts.push_back(at(u, v));
    }
    pts.push_back(at(length / 2 - length * 0.14f, 0));
    for (int i = 10; i >= 0; --i) {
        const float t = i / 10.0f;
        const float u = -length / 2 + t * length;
        const float v = -width * std::sin(3.1416f * std::pow(t, 0.75f));
        pts.push_back(at(u, v));
    }
    // Deeper at the base, lighter towards the tip: the petal, then its
    // outer part again in a lighter shade.
    const Colour face = flip < 0 ? shade(colour, -0.12f) : colour;
    fillPolygon(c, pts, shade(face, -0.15f));
    std::vector<Point> tip;
    for (const Point& p : pts) {
        const Point q{(p.x - centre.x) * ca + (p.y - centre.y) * sa, 0};
        if (q.x > -length * 0.1f)
            tip.push_back(p);
    }
    if (tip.size() >= 3)
        fillPolygon(c, tip, shade(face, 0.15f));
    strokeLine(c, at(-length / 2, 0), at(length * 0.1f, 0), 0.8f, shade(colour, 0.35f));
}

void paintPetals(Canvas& c, uint32_t seed, int count, float x0, float y0, float x1, float y1,
                 Colour colour, float size) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        paintPetal(c, {rng.range(x0, x1), rng.range(y0, y1)}, size * rng.range(0.7f, 1.2f),
                   rng.range(0, 6.28f), rng.range(0.3f, 1.0f),
                   shade(colour, rng.range(-0.1f, 0.15f)));
    }
}

}  // namespace marlit::sample
