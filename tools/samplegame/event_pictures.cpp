#include "tools/samplegame/event_pictures.h"

#include "tools/samplegame/backgrounds.h"
#include "tools/samplegame/heroine.h"
#include "tools/samplegame/scenery.h"
#include "tools/samplegame/shapes.h"
#include "tools/samplegame/ui_kit.h"

namespace marlit::sample {

namespace {

const Colour kBlossom = rgb(0xf6b8c8);

// A tray of bread held before the chest.
void breadTray(Canvas& c, Point centre, float scale) {
    fillShape(c, boxAround(centre, 130 * scale, 30 * scale),
              roundedRect(centre.x - 120 * scale, centre.y - 12 * scale, 240 * scale, 26 * scale,
                          8 * scale),
              solid(rgb(0x9a6a44)));
    for (int i = 0; i < 4; ++i) {
        const Point p{centre.x + (i - 1.5f) * 52 * scale, centre.y - 22 * scale};
        fillEllipse(c, p, 26 * scale, 16 * scale, rgb(0xd08a40));
        fillEllipse(c, {p.x - 6 * scale, p.y - 6 * scale}, 12 * scale, 6 * scale, rgb(0xf0b870), 4);
    }
}

Canvas blurred(const Canvas& c) {
    // A soft background behind a close-up: shrunk and blown up again.
    return c.scaled(c.width() / 4, c.height() / 4).scaled(c.width(), c.height());
}

}  // namespace

Canvas paintEvent(const std::string& name, const Font& font) {
    if (name.rfind("ev_n01", 0) == 0) {
        Canvas c = blurred(backgroundOf("pan_01", font));
        const Expression e = name == "ev_n01"    ? Expression::Normal
                             : name == "ev_n01b" ? Expression::Smile
                                                 : Expression::Gentle;
        drawHeroine(c, 0, Placement{{400, 250}, 1.7f}, Pose{e, name == "ev_n01c", 0, true});
        breadTray(c, {400, 560}, 1.5f);
        glow(c, {250, 60}, 400, rgb(0xffd080), 0.25f);
        return c;
    }
    if (name == "ev_n02") {
        Canvas c = blurred(backgroundOf("sakura_01", font));
        drawHeroine(c, 0, Placement{{420, 240}, 1.8f}, Pose{Expression::Gentle, true});
        paintPetals(c, 401, 60, 0, 0, 800, 600, kBlossom, 16);
        return c;
    }
    if (name == "ev_s01") {
        Canvas c = backgroundOf("misaki_01", font);
        drawHeroine(c, 1, Placement{{260, 280}, 1.5f}, Pose{Expression::Normal, false, 2});
        glow(c, {260, 200}, 200, rgb(0x8aa0ff), 0.2f);
        return c;
    }
    if (name == "ev_s02") {
        Canvas c = blurred(backgroundOf("umi_01", font));
        fillShape(
            c, whole(c), [](float, float) { return -10.0f; },
            verticalGradient(0, rgb(0xf08040, 0.35f), 600, rgb(0x6040a0, 0.25f)));
        drawHeroine(c, 1, Placement{{400, 240}, 1.8f}, Pose{Expression::Smile, true, 1});
        paintPetals(c, 402, 25, 0, 0, 800, 600, kBlossom, 14);
        return c;
    }
    return Canvas();
}

Canvas paintDayCard(int heroine, int dateY, const Font& font) {
    Canvas c(800, 600);
    const Colour tint = heroine == 0 ? rgb(0xfce0c8) : heroine == 1 ? rgb(0xdce0f8) : rgb(0xe8f0e0);
    fillShape(
        c, whole(c), [](float, float) { return -10.0f; },
        verticalGradient(0, shade(tint, 0.5f), 600, tint));
    paintPetals(c, 411 + heroine, 40, 0, 0, 800, 600, rgb(0xf6b8c8, 0.7f), 14);
    if (heroine >= 0) {
        drawHeroine(c, heroine, Placement{{260, 230}, 1.5f}, Pose{Expression::Smile});
    } else {
        Canvas view = backgroundOf("umi_01", font).scaled(480, 360);
        fillShape(c, boxOf(60, 100, 500, 380), roundedRect(60, 100, 500, 380, 12),
                  solid(rgb(0xffffff)));
        c.draw(view, 70, 110);
    }
    // The ribbon the date is laid over (x 592 to 736, 24 high).
    fillShape(c, boxOf(560, dateY - 12, 240, 48),
              roundedRect(560, static_cast<float>(dateY) - 10, 260, 44, 22),
              solid(rgb(0x0c1630, 0.55f)));
    font.drawIn(c, "はるまちの岬", 560, static_cast<float>(dateY) - 56, 240, 40, 26,
                outlinedText(rgb(0xffffff), ui::kNavy, 2.5f));
    return c;
}

Canvas paintEnding(const std::string& name, const Font& font) {
    const bool akari = name.rfind("ed_n", 0) == 0;
    const bool second = name.size() > 5 && name[5] == '2';
    Canvas c = blurred(backgroundOf(
        akari ? (second ? "pan_01" : "sakura_01") : (second ? "umi_01" : "misaki_01"), font));
    drawHeroine(c, akari ? 0 : 1, Placement{{220, 230}, 1.4f},
                Pose{second ? Expression::Smile : Expression::Gentle, !second, akari ? 0 : 1});
    paintPetals(c, 421 + (akari ? 0 : 10) + (second ? 1 : 0), 30, 0, 0, 800, 600, kBlossom, 12);
    // The right half dims where the credit panel goes.
    fillRect(c, 400, 0, 400, 600, rgb(0x0c1630, 0.5f));
    return c;
}

}  // namespace marlit::sample
