#include "tools/samplegame/title_pictures.h"

#include <cmath>

#include "tools/samplegame/heroine.h"
#include "tools/samplegame/layout.h"
#include "tools/samplegame/noise.h"
#include "tools/samplegame/scenery.h"
#include "tools/samplegame/shapes.h"
#include "tools/samplegame/ui_kit.h"

namespace marlit::sample {

namespace {

const Colour kBlossom = rgb(0xf6b8c8);

// A blossoming branch reaching in from a corner.
void branch(Canvas& c, Point from, Point to, uint32_t seed) {
    strokeLine(c, from, to, 10, rgb(0x4a3030));
    Rng rng(seed);
    for (int i = 0; i < 40; ++i) {
        const float t = rng.unit();
        const Point p{from.x + (to.x - from.x) * t + rng.range(-40, 40),
                      from.y + (to.y - from.y) * t + rng.range(-30, 30)};
        for (int k = 0; k < 5; ++k) {
            const float a = k * 1.2566f + rng.range(0, 1);
            paintPetal(c, {p.x + 7 * std::cos(a), p.y + 7 * std::sin(a)}, 12, a, 1,
                       shade(kBlossom, rng.range(-0.05f, 0.15f)));
        }
        fillEllipse(c, p, 2.5f, 2.5f, rgb(0xe85a7a));
    }
}

}  // namespace

Canvas paintLogo(const Font& font) {
    Canvas c(800, 600, rgb(0xffffff));
    // Three waves over a rising sun.
    fillEllipse(c, {400, 250}, 70, 70, rgb(0xf8b860));
    for (int i = 0; i < 3; ++i) {
        std::vector<Point> wave;
        for (int x = 250; x <= 550; x += 6) {
            wave.push_back({static_cast<float>(x),
                            285 + i * 22 + 10 * std::sin((x - 250) / 30.0f + i * 1.4f)});
        }
        for (size_t k = 1; k < wave.size(); ++k)
            strokeLine(c, wave[k - 1], wave[k], 7 - i, shade(ui::kSea, 0.15f * i));
    }
    font.drawIn(c, "しおさい工房", 0, 370, 800, 70, 56, TextStyle{ui::kNavy});
    font.drawIn(c, "SHIOSAI WORKS", 0, 440, 800, 40, 26, TextStyle{ui::kSea, {}, 0, {}, 0, 0, 6});
    return c;
}

Canvas paintTitleScroll() {
    Canvas c(800, 1200);
    paintSky(c, 0, 900, {{0, rgb(0x2a5ab0)}, {0.5f, rgb(0x78b4e8)}, {1, rgb(0xe4f0fa)}});
    paintClouds(c, 201, 9, 150, 760, rgb(0xeef4fa, 0.85f), rgb(0xffffff));
    branch(c, {-20, 40}, {300, 180}, 202);
    branch(c, {820, 20}, {560, 140}, 203);
    paintPetals(c, 204, 70, 0, 0, 800, 1200, kBlossom, 12);
    // The cape: sea, the lighthouse and blossoming trees on the headland.
    paintSea(c, 880, 1200, rgb(0x5aa0d0), rgb(0x1a5a98), 205, {250, 900}, rgb(0xffffff));
    paintHills(c, 1010, 110, rgb(0x6a9a68), 206, 380, 800);
    paintLighthouse(c, 640, 930, 160, false);
    for (int i = 0; i < 4; ++i)
        paintCherryTree(c, 470 + i * 95.0f, 1000 + i * 18.0f, 170 - i * 10.0f, 207 + i, kBlossom,
                        rgb(0x4a3030));
    paintPetals(c, 208, 40, 0, 900, 800, 1200, kBlossom, 10);
    return c;
}

Canvas paintTitle(const Font& font, int stage) {
    // Every stage starts from the scroll's lower half, painted once.
    static const Canvas lowerHalf = paintTitleScroll().crop(0, 600, 800, 600);
    Canvas c = lowerHalf;
    if (stage == 0)
        return c;
    if (stage >= 2) {
        drawHeroine(c, 0, Placement{{150, 330}, 1.0f}, Pose{Expression::Smile});
        drawHeroine(c, 1, Placement{{650, 320}, 1.0f}, Pose{Expression::Gentle});
    }
    TextStyle titleStyle = outlinedText(rgb(0xffffff), ui::kNavy, 5);
    titleStyle.shadow = rgb(0x0c1630, 0.45f);
    titleStyle.shadowX = 4;
    titleStyle.shadowY = 5;
    font.drawIn(c, "はるまちの岬", 0, 60, 800, 110, 84, titleStyle);
    TextStyle sub = outlinedText(ui::kBlossom, ui::kNavy, 2);
    sub.spacing = 5;
    font.drawIn(c, "HARUMACHI NO MISAKI", 0, 168, 800, 36, 22, sub);
    if (stage >= 3) {
        // The menu's backing behind the items (x 308, y 244 down).
        fillShape(c, boxOf(292, 232, 216, 300), roundedRect(292, 232, 216, 300, 18),
                  solid(rgb(0x0c1630, 0.45f)));
        fillShape(c, boxOf(292, 232, 216, 300), outline(roundedRect(294, 234, 212, 296, 16), 2),
                  solid(rgb(0xffffff, 0.6f)));
        font.drawIn(c, "© しおさい工房 — marlit sample game", 0, 560, 800, 30, 16,
                    outlinedText(rgb(0xffffff), ui::kNavy, 1.5f));
    }
    return c;
}

Canvas paintTitleMenu(const Font& font) {
    Canvas c(368, 480);
    const char* const rows[12] = {"はじめから",   "つづきから", "おまけ", "あいさつ",
                                  "またね",       "エピローグ", "おわる", "シーン回想",
                                  "CGギャラリー", "音楽鑑賞",   nullptr,  "もどる"};
    for (int row = 0; row < 12; ++row) {
        if (!rows[row])
            continue;
        for (bool lit : {false, true}) {
            const Rect r = layout::titleItem(row, lit);
            drawButton(c, font, {r.x + 4, r.y + 3, r.w - 8, r.h - 6}, rows[row], lit, 22);
        }
    }
    return c;
}

}  // namespace marlit::sample
