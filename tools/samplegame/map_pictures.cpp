#include "tools/samplegame/map_pictures.h"

#include <cmath>

#include "tools/samplegame/backgrounds.h"
#include "tools/samplegame/catalogue.h"
#include "tools/samplegame/layout.h"
#include "tools/samplegame/noise.h"
#include "tools/samplegame/scenery.h"
#include "tools/samplegame/shapes.h"
#include "tools/samplegame/ui_kit.h"

namespace marlit::sample {

namespace {

float f(int v) {
    return static_cast<float>(v);
}

Point spotCentre(int variant, int place) {
    const layout::MapSpot s = layout::mapPointer(variant, place);
    return {s.x + 28.0f, s.y + 34.0f};
}

const Place& placeOf(int number) {
    for (const Place& p : places()) {
        if (p.number == number)
            return p;
    }
    return places().front();
}

}  // namespace

Canvas placePreview(const Font& font, int place, int width, int height) {
    // The middle of the picture in the preview's proportions.
    const Canvas& full = backgroundOf(placeOf(place).background, font);
    int w = full.width(), h = w * height / width;
    if (h > full.height()) {
        h = full.height();
        w = h * width / height;
    }
    return full.crop((full.width() - w) / 2, (full.height() - h) / 2, w, h).scaled(width, height);
}

Canvas paintMap(const Font& font, int variant) {
    Canvas c(800, 600);
    // Land, then the sea along the south and east coast.
    fillShape(
        c, whole(c), [](float, float) { return -10.0f; },
        [](float x, float y) {
            return mix(rgb(0xdfe8c0), rgb(0xc8d8a0), fractalNoise(x / 90, y / 90, 301, 3));
        });
    std::vector<Point> coast = {{800, 0}, {800, 600}, {0, 600}, {0, 540}};
    for (int x = 0; x <= 800; x += 20) {
        const float y =
            500 - x * 0.25f + 18 * std::sin(x / 60.0f) - (x > 600 ? (x - 600) * 1.6f : 0);
        coast.push_back({static_cast<float>(x), y});
    }
    fillPolygon(c, coast, rgb(0x8cc0e0));
    Rng rng(302 + variant);
    for (int i = 0; i < 80; ++i) {
        const float x = rng.range(0, 800), y = rng.range(380, 600);
        if (y > 500 - x * 0.25f + 20)
            strokeLine(c, {x, y}, {x + 10, y}, 1.5f, rgb(0xffffff, 0.7f));
    }
    // A river from the hills to the sea, and forest on the hills.
    for (int i = 0; i < 40; ++i) {
        const float t = i / 40.0f;
        strokeLine(
            c, {100 + 300 * t, 40 + 420 * t + 20 * std::sin(t * 9)},
            {100 + 300 * (t + 0.025f), 40 + 420 * (t + 0.025f) + 20 * std::sin((t + 0.025f) * 9)},
            8 + 8 * t, rgb(0x8cc0e0));
    }
    for (int i = 0; i < 60; ++i) {
        const Point p{rng.range(220, 800), rng.range(0, 90)};
        fillEllipse(c, p, 16, 12, rgb(0x7aa868), 2);
    }
    // Roads between the places, then a round plaza at each.
    for (int i = 1; i < 9; ++i) {
        int nearest = 0;
        float best = 1e9f;
        for (int j = 0; j < i; ++j) {
            const Point a = spotCentre(variant, i), b = spotCentre(variant, j);
            const float d = std::hypot(a.x - b.x, a.y - b.y);
            if (d < best) {
                best = d;
                nearest = j;
            }
        }
        strokeLine(c, spotCentre(variant, i), spotCentre(variant, nearest), 10, rgb(0xf4ecd8));
        strokeLine(c, spotCentre(variant, i), spotCentre(variant, nearest), 6, rgb(0xe8d8b0));
    }
    for (int i = 0; i < 9; ++i) {
        const Point p = spotCentre(variant, i);
        fillEllipse(c, p, 34, 34, rgb(0xfaf4e4));
        fillShape(c, boxAround(p, 36, 36), outline(circle(p, 33), 3), solid(rgb(0xc0a070)));
    }
    // The name column and the title.
    fillShape(c, boxOf(28, 76, 176, 456), roundedRect(28, 76, 176, 456, 12),
              solid(rgb(0xfaf4e4, 0.75f)));
    font.drawIn(c, "潮見町", 600, 540, 180, 50, 36, outlinedText(rgb(0xffffff), ui::kNavy, 3));
    if (variant == 1) {
        // Evening: warm light and lit windows.
        fillShape(
            c, whole(c), [](float, float) { return -10.0f; },
            verticalGradient(0, rgb(0x402060, 0.35f), 600, rgb(0xf08040, 0.25f)));
        for (int i = 0; i < 9; ++i)
            glow(c, spotCentre(variant, i), 60, rgb(0xffc070), 0.3f);
    }
    return c;
}

Canvas paintMapChip(const Font& font, int variant) {
    using namespace layout;
    Canvas c(984, 504);
    for (int p = 0; p < 9; ++p) {
        const Rect r = mapPreview(p);
        Canvas view = placePreview(font, p, r.w - 8, r.h - 8);
        fillShape(c, boxOf(f(r.x), f(r.y), f(r.w), f(r.h)),
                  roundedRect(f(r.x) + 1, f(r.y) + 1, f(r.w) - 2, f(r.h) - 2, 6),
                  solid(variant ? rgb(0xf0c890) : ui::kCream));
        c.draw(view, r.x + 4, r.y + 4);
        for (bool lit : {false, true})
            drawButton(c, font, mapButton(p, lit), placeOf(p).name, lit, 20);
    }
    // The date's head: the digits go between the signs.
    const Rect d = kMapDate;
    drawPlate(c, d, false, 10);
    const TextStyle s = outlinedText();
    font.drawIn(c, "月", f(d.x + 58), f(d.y), 16, f(d.h), 16, s);
    font.drawIn(c, "日", f(d.x + 106), f(d.y), 16, f(d.h), 16, s);
    return c;
}

Canvas paintDayChangeBack(const Font& font) {
    Canvas c(800, 600);
    paintSky(c, 0, 420, {{0, rgb(0x302a68)}, {0.5f, rgb(0xb06080)}, {1, rgb(0xf8b070)}});
    paintClouds(c, 311, 6, 60, 300, rgb(0x9a5a78, 0.8f), rgb(0xffc090));
    paintSea(c, 420, 600, rgb(0x8a6a8a), rgb(0x3a3a6a), 312, {400, 430}, rgb(0xffd0a0));
    paintTown(c, 430, 0, 330, 313, rgb(0x5a4a60), rgb(0x3a2a40), 0.4f);
    // A great clock.
    const Point centre{170, 190};
    fillEllipse(c, centre, 120, 120, rgb(0xfaf4e4, 0.9f));
    fillShape(c, boxAround(centre, 124, 124), outline(circle(centre, 116), 8), solid(ui::kNavy));
    for (int h = 0; h < 12; ++h) {
        const float a = h * 0.5236f;
        strokeLine(c, {centre.x + 96 * std::sin(a), centre.y - 96 * std::cos(a)},
                   {centre.x + 106 * std::sin(a), centre.y - 106 * std::cos(a)}, 4, ui::kNavy);
    }
    strokeLine(c, centre, {centre.x + 60 * std::sin(5.2f), centre.y - 60 * std::cos(5.2f)}, 8,
               ui::kNavy);
    strokeLine(c, centre, {centre.x + 90 * std::sin(0.9f), centre.y - 90 * std::cos(0.9f)}, 5,
               ui::kNavy);
    font.drawIn(c, "夕方", 0, 330, 340, 60, 44, outlinedText(rgb(0xffffff), ui::kNavy, 3));
    return c;
}

Canvas paintDayChangeChip(const Font& font) {
    using namespace layout;
    Canvas c(736, 544);
    const char* const choices[3] = {"ベーカリーへ", "岬の灯台へ", "家で休む"};
    for (int i = 0; i < 3; ++i) {
        for (bool lit : {false, true})
            drawButton(c, font, dayChoice(i, lit), choices[i], lit, 20);
    }
    // The panel behind the choices (shown at (328, 304); the choices sit
    // over its right part from (560, 392)).
    const Rect p = kDayPanel;
    fillShape(c, boxOf(f(p.x), f(p.y), f(p.w), f(p.h)),
              roundedRect(f(p.x) + 1, f(p.y) + 1, f(p.w) - 2, f(p.h) - 2, 16),
              solid(rgb(0xfaf4e4)));
    fillShape(c, boxOf(f(p.x), f(p.y), f(p.w), f(p.h)),
              outline(roundedRect(f(p.x) + 6, f(p.y) + 6, f(p.w) - 12, f(p.h) - 12, 12), 3),
              solid(ui::kSea));
    font.drawIn(c, "今日の夕方は……", f(p.x) + 20, f(p.y) + 14, 200, 40, 24, TextStyle{ui::kNavy},
                Align::Left);
    // What each choice shows: the place in a frame.
    const int placesShown[3] = {8, 3, 4};
    for (int i = 0; i < 3; ++i) {
        const Rect r = dayChoicePicture(i);
        fillShape(c, boxOf(f(r.x), f(r.y), f(r.w), f(r.h)),
                  roundedRect(f(r.x) + 1, f(r.y) + 1, f(r.w) - 2, f(r.h) - 2, 10),
                  solid(rgb(0xffffff)));
        Canvas view = placePreview(font, placesShown[i], r.w - 12, r.h - 12);
        c.draw(view, r.x + 6, r.y + 6);
    }
    return c;
}

}  // namespace marlit::sample
