#include "tools/samplegame/backgrounds.h"

#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "tools/samplegame/interiors.h"
#include "tools/samplegame/noise.h"
#include "tools/samplegame/scenery.h"
#include "tools/samplegame/shapes.h"

namespace marlit::sample {

namespace {

const Colour kBlossom = rgb(0xf6b8c8);

Canvas station(const Font& font) {
    Canvas c(800, 600);
    paintSky(
        c, 0, 330,
        {{0, rgb(0x3a3a78)}, {0.45f, rgb(0xc06a8a)}, {0.8f, rgb(0xf3a062)}, {1, rgb(0xf8c880)}});
    paintClouds(c, 11, 6, 40, 200, rgb(0xa05a78, 0.8f), rgb(0xffc090, 0.9f));
    glow(c, {620, 300}, 220, rgb(0xffb060), 0.5f);
    paintSea(c, 300, 345, rgb(0x6a5a8a), rgb(0x8a6a8a), 12, {620, 305}, rgb(0xffd0a0));
    paintHills(c, 330, 40, rgb(0x4a3a5a), 13, 0, 360);
    // Platform and rails in perspective.
    fillPolygon(c, {{0, 360}, {800, 340}, {800, 600}, {0, 600}}, rgb(0x6a6068));
    fillPolygon(c, {{0, 420}, {800, 372}, {800, 430}, {0, 520}}, rgb(0x8a7e80));
    strokeLine(c, {0, 540}, {800, 444}, 5, rgb(0x2a2428));
    strokeLine(c, {0, 590}, {800, 470}, 5, rgb(0x2a2428));
    for (int i = 0; i < 16; ++i) {
        const float x = i * 55.0f;
        strokeLine(c, {x, 543 - x * 0.12f}, {x + 8, 592 - x * 0.15f}, 6, rgb(0x4a3a30));
    }
    // The platform's edge line and the station building.
    strokeLine(c, {0, 420}, {800, 372}, 4, rgb(0xe8d870));
    fillRect(c, 40, 200, 300, 190, rgb(0xe8dccb));
    fillRect(c, 40, 200, 300, 190, rgb(0x603040, 0.25f));
    fillPolygon(c, {{20, 205}, {190, 150}, {360, 205}}, rgb(0x5a3040));
    for (int i = 0; i < 3; ++i) {
        fillRect(c, 70 + i * 95.0f, 260, 60, 70, rgb(0xffd890));
        glow(c, {100 + i * 95.0f, 295}, 80, rgb(0xffc060), 0.35f);
        fillRect(c, 98 + i * 95.0f, 260, 4, 70, rgb(0x5a4a48));
    }
    // Canopy over the platform.
    fillPolygon(c, {{330, 250}, {800, 222}, {800, 238}, {330, 266}}, rgb(0x4a3848));
    for (int i = 0; i < 5; ++i)
        strokeLine(c, {380 + i * 100.0f, 262 - i * 6.0f}, {380 + i * 100.0f, 400 - i * 9.0f}, 6,
                   rgb(0x3a3038));
    // Station sign.
    fillShape(c, boxOf(420, 278, 200, 52), roundedRect(420, 278, 200, 52, 6), solid(rgb(0xf8f6f0)));
    strokeLine(c, {430, 318}, {610, 318}, 3, rgb(0x2a6ab0));
    TextStyle ink{rgb(0x202028)};
    font.drawIn(c, "潮見駅", 420, 276, 200, 40, 28, ink);
    font.drawIn(c, "SHIOMI", 420, 314, 200, 16, 12, TextStyle{rgb(0x404048)});
    paintLamp(c, 670, 385, 120, true, rgb(0x303038));
    paintCherryTree(c, 760, 350, 150, 14, kBlossom, rgb(0x4a3030));
    // Evening light over everything.
    fillShape(
        c, whole(c), [](float, float) { return -10.0f; },
        verticalGradient(0, rgb(0x301040, 0.0f), 600, rgb(0x301040, 0.25f)));
    return c;
}

Canvas street(const Font& font) {
    Canvas c(800, 600);
    paintSky(c, 0, 300, {{0, rgb(0x28305a)}, {0.6f, rgb(0x8a5a7a)}, {1, rgb(0xe89a70)}});
    paintStars(c, 21, 40, 120);
    // The road to the vanishing point.
    const Point v{400, 300};
    fillPolygon(c, {{0, 600}, {v.x - 20, v.y}, {v.x + 20, v.y}, {800, 600}}, rgb(0x5a5058));
    fillPolygon(c, {{0, 600}, {v.x - 20, v.y}, {0, v.y}}, rgb(0x2a2430));
    fillPolygon(c, {{800, 600}, {v.x + 20, v.y}, {800, v.y}}, rgb(0x2a2430));
    // Shop fronts down both sides.
    const char* const signs[] = {"パン", "本", "花", "魚", "喫茶", "薬"};
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 6; ++i) {
            const float t0 = std::pow(0.72f, static_cast<float>(i)), t1 = std::pow(0.72f, i + 1.0f);
            const float xa = v.x + side * (400 - 20) * t0 + side * 20,
                        xb = v.x + side * 380 * t1 + side * 20;
            const float topA = v.y - 260 * t0, topB = v.y - 260 * t1;
            const float botA = v.y + 300 * t0, botB = v.y + 300 * t1;
            const Colour wall = shade(rgb(i % 2 ? 0x8a6a5a : 0x6a5a6a), -0.1f * i);
            fillPolygon(c, {{xa, topA}, {xb, topB}, {xb, botB}, {xa, botA}}, wall);
            // Lit shop window and awning.
            const float wa = botA - (botA - topA) * 0.55f, wb = botB - (botB - topB) * 0.55f;
            fillPolygon(c, {{xa, wa}, {xb, wb}, {xb, botB - 4 * t1}, {xa, botA - 4 * t0}},
                        rgb(0xffd8a0, 0.9f));
            glow(c, {(xa + xb) / 2, (wa + botA) / 2}, 140 * t0, rgb(0xffb060), 0.35f);
            const Colour awning = rgb(i % 3 == 0 ? 0xc83a48 : i % 3 == 1 ? 0x3a78a8 : 0x3a9a6a);
            fillPolygon(c, {{xa, wa - 30 * t0}, {xb, wb - 30 * t1}, {xb, wb}, {xa, wa}}, awning);
            font.drawIn(c, signs[(i + (side > 0 ? 3 : 0)) % 6], std::min(xa, xb),
                        topA + (wa - topA) * 0.3f, std::fabs(xa - xb), 60 * t0,
                        static_cast<int>(std::max(8.0f, 44 * t0)), TextStyle{rgb(0xfff4e0)});
        }
    }
    // Paper lanterns strung across the street.
    for (int i = 0; i < 7; ++i) {
        const float x = 120 + i * 94.0f, y = 150 + 8 * std::sin(i * 1.3f);
        fillEllipse(c, {x, y}, 11, 15, rgb(0xf05040));
        glow(c, {x, y}, 50, rgb(0xff8050), 0.5f);
    }
    strokeLine(c, {0, 140}, {800, 140}, 1.5f, rgb(0x202020));
    return c;
}

Canvas harbour() {
    Canvas c(800, 600);
    paintSky(c, 0, 320, {{0, rgb(0x4a90d8)}, {0.7f, rgb(0x9ccaf0)}, {1, rgb(0xd8ecf8)}});
    paintClouds(c, 31, 7, 40, 220, rgb(0xe8eef8, 0.85f), rgb(0xffffff, 0.95f));
    // The far cape with its lighthouse, then the sea in front of it.
    paintHills(c, 322, 36, rgb(0x5a7a6a), 33, 560, 800);
    paintSea(c, 320, 600, rgb(0x4a88b8), rgb(0x1a4a78), 32, {300, 360}, rgb(0xffffff));
    paintLighthouse(c, 700, 296, 60, false);
    // Quay and boats.
    fillPolygon(c, {{0, 430}, {520, 470}, {520, 600}, {0, 600}}, rgb(0x9a9488));
    fillPolygon(c, {{0, 430}, {520, 470}, {520, 484}, {0, 444}}, rgb(0xc8c2b4));
    for (int i = 0; i < 4; ++i) {
        const float x = 60 + i * 120.0f, y = 444 + i * 10.0f;
        fillRect(c, x, y - 12, 14, 16, rgb(0x3a3a40));
        fillEllipse(c, {x + 7, y - 12}, 9, 4, rgb(0x4a4a50));
    }
    auto boat = [&c](float x, float y, float s, Colour hull) {
        fillPolygon(
            c,
            {{x - 70 * s, y}, {x + 80 * s, y}, {x + 60 * s, y + 26 * s}, {x - 60 * s, y + 26 * s}},
            hull);
        fillRect(c, x - 20 * s, y - 34 * s, 44 * s, 34 * s, rgb(0xf4f4f0));
        fillRect(c, x - 12 * s, y - 26 * s, 12 * s, 10 * s, rgb(0x6aa0d0));
        strokeLine(c, {x + 10 * s, y - 34 * s}, {x + 10 * s, y - 90 * s}, 3 * s, rgb(0x505058));
        strokeLine(c, {x - 60 * s, y + 28 * s}, {x + 60 * s, y + 28 * s}, 2, rgb(0xffffff, 0.5f));
    };
    boat(620, 430, 1.0f, rgb(0x2a5aa0));
    boat(440, 380, 0.6f, rgb(0xc03a3a));
    // Gulls.
    Rng rng(34);
    for (int i = 0; i < 5; ++i) {
        const float x = rng.range(150, 650), y = rng.range(60, 200), s = rng.range(6, 12);
        strokeLine(c, {x - s, y - s * 0.4f}, {x, y}, 2, rgb(0x404850));
        strokeLine(c, {x, y}, {x + s, y - s * 0.4f}, 2, rgb(0x404850));
    }
    return c;
}

Canvas cape() {
    Canvas c(800, 600);
    paintSky(c, 0, 600, {{0, rgb(0x0a1030)}, {0.6f, rgb(0x1a2a5a)}, {1, rgb(0x2a4a7a)}});
    // The milky way across the sky.
    for (int i = 0; i < 400; ++i) {
        Rng rng(41 + i);
        const float t = rng.unit();
        const Point p{t * 800, 60 + t * 200 + rng.range(-50, 50)};
        glow(c, p, rng.range(10, 26), rgb(0x8aa0d8), 0.06f);
    }
    paintStars(c, 42, 260, 430);
    paintSea(c, 430, 600, rgb(0x1a2a4a), rgb(0x0a1428), 43, {200, 440}, rgb(0x6a80b0));
    paintHills(c, 500, 90, rgb(0x14202a), 44, 320, 800);
    paintLighthouse(c, 600, 430, 230, true);
    // Grass in the foreground.
    Rng rng(45);
    for (int i = 0; i < 140; ++i) {
        const float x = rng.range(320, 800), y = rng.range(520, 600);
        strokeLine(c, {x, y}, {x + rng.range(-6, 6), y - rng.range(10, 26)}, 1.5f, rgb(0x203a30));
    }
    return c;
}

Canvas beach() {
    Canvas c(800, 600);
    paintSky(c, 0, 290, {{0, rgb(0x3a88d8)}, {0.75f, rgb(0x9ad0f4)}, {1, rgb(0xe0f2fa)}});
    paintClouds(c, 51, 5, 40, 200, rgb(0xeef4fa, 0.8f), rgb(0xffffff));
    paintSea(c, 290, 430, rgb(0x5aa0d0), rgb(0x2a7ab0), 52, {560, 320}, rgb(0xffffff));
    // Sand, with the wet band and foam where the waves run up.
    fillPolygon(c, {{0, 420}, {200, 410}, {500, 440}, {800, 425}, {800, 600}, {0, 600}},
                rgb(0xe8d4a8));
    fillPolygon(c,
                {{0, 420},
                 {200, 410},
                 {500, 440},
                 {800, 425},
                 {800, 450},
                 {500, 466},
                 {200, 436},
                 {0, 446}},
                rgb(0xc8b088));
    for (int i = 0; i < 3; ++i) {
        const float y = 418 + i * 8.0f;
        std::vector<Point> foam;
        for (int x = 0; x <= 800; x += 20)
            foam.push_back({static_cast<float>(x),
                            y + 6 * std::sin(x / 47.0f + i * 2.0f) +
                                (x > 200 && x < 500 ? 18.0f * std::sin((x - 200) / 95.5f) : 0)});
        for (size_t k = 1; k < foam.size(); ++k)
            strokeLine(c, foam[k - 1], foam[k], 3.0f - i, rgb(0xffffff, 0.8f - 0.2f * i));
    }
    // Rocks on the right.
    fillPolygon(
        c, {{600, 440}, {640, 380}, {700, 360}, {760, 390}, {800, 380}, {800, 470}, {620, 470}},
        rgb(0x5a5450));
    fillPolygon(c, {{640, 380}, {700, 360}, {720, 372}, {660, 400}}, rgb(0x7a746e));
    Rng rng(53);
    for (int i = 0; i < 60; ++i)
        fillEllipse(c, {rng.range(0, 800), rng.range(470, 600)}, 2, 1.2f, rgb(0xb8a480, 0.6f));
    return c;
}

Canvas cherryRow() {
    Canvas c(800, 600);
    paintSky(c, 0, 330, {{0, rgb(0x78b0e8)}, {1, rgb(0xe0eef8)}});
    paintClouds(c, 61, 4, 30, 150, rgb(0xf0f4fa, 0.8f), rgb(0xffffff));
    paintHills(c, 320, 50, rgb(0x8aa8b8), 62);
    // River and its banks.
    fillPolygon(c, {{0, 330}, {800, 330}, {800, 600}, {0, 600}}, rgb(0x8ab870));
    fillPolygon(c, {{330, 330}, {470, 330}, {800, 520}, {800, 600}, {0, 600}, {0, 560}},
                rgb(0x5a98c0));
    strokeLine(c, {330, 330}, {0, 560}, 6, rgb(0xd8d0b8));
    strokeLine(c, {470, 330}, {800, 520}, 6, rgb(0xd8d0b8));
    // Two rows of trees along the banks, smaller into the distance.
    for (int i = 0; i < 6; ++i) {
        const float t = std::pow(0.72f, static_cast<float>(i));
        paintCherryTree(c, 330 - 330 * t, 330 + 240 * t, 320 * t, 63 + i, kBlossom, rgb(0x4a3030));
        paintCherryTree(c, 470 + 330 * t, 330 + 190 * t, 300 * t, 70 + i, shade(kBlossom, 0.1f),
                        rgb(0x4a3030));
    }
    paintPetals(c, 64, 80, 0, 300, 800, 600, kBlossom, 9);
    paintPetals(c, 65, 30, 0, 0, 800, 300, kBlossom, 7);
    return c;
}

Canvas shrine() {
    Canvas c(800, 600);
    paintSky(
        c, 0, 600,
        {{0, rgb(0x4a3a78)}, {0.5f, rgb(0xd07a6a)}, {0.8f, rgb(0xf0b070)}, {1, rgb(0xf8d090)}});
    paintClouds(c, 71, 4, 40, 200, rgb(0x9a5a78, 0.7f), rgb(0xffb080, 0.8f));
    // Dark trees on both sides.
    Rng rng(72);
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < 40; ++i) {
            const float x = side ? rng.range(600, 800) : rng.range(0, 200);
            fillEllipse(c, {x, rng.range(60, 360)}, rng.range(30, 70), rng.range(40, 80),
                        rgb(0x1a2a22), 6);
        }
    }
    // Stone steps up to the gate.
    for (int i = 0; i < 10; ++i) {
        const float y = 600 - i * 22.0f, w = 320 - i * 18.0f;
        fillRect(c, 400 - w / 2, y - 22, w, 22, shade(rgb(0x9a948c), -0.03f * i));
        strokeLine(c, {400 - w / 2, y - 22}, {400 + w / 2, y - 22}, 2, rgb(0xc8c2b8));
    }
    // The torii.
    const Colour red = rgb(0xd0382c);
    fillRect(c, 270, 170, 22, 220, red);
    fillRect(c, 508, 170, 22, 220, red);
    fillPolygon(c, {{220, 150}, {580, 150}, {600, 132}, {200, 132}}, rgb(0x2a2226));
    fillRect(c, 230, 150, 340, 18, red);
    fillRect(c, 250, 196, 300, 14, red);
    fillRect(c, 386, 168, 28, 28, rgb(0x2a2226));
    // Stone lanterns with their light.
    for (float x : {190.0f, 610.0f}) {
        fillRect(c, x - 10, 430, 20, 70, rgb(0x8a847c));
        fillRect(c, x - 22, 410, 44, 24, rgb(0x9a948c));
        fillPolygon(c, {{x - 30, 410}, {x, 388}, {x + 30, 410}}, rgb(0x7a746c));
        glow(c, {x, 422}, 60, rgb(0xffc070), 0.6f);
    }
    return c;
}

// The tall sky over the town: night sky at the top, the town at dusk at
// the bottom (the opening scroll moves down it).
Canvas tallSky() {
    Canvas c(800, 1200);
    paintSky(c, 0, 1200,
             {{0, rgb(0x101a40)},
              {0.35f, rgb(0x3a4a90)},
              {0.65f, rgb(0xc07890)},
              {0.85f, rgb(0xf0a870)},
              {1, rgb(0xf8c888)}});
    paintStars(c, 81, 200, 420);
    paintClouds(c, 82, 10, 450, 850, rgb(0xa06a88, 0.8f), rgb(0xffc0a0, 0.9f));
    paintSea(c, 960, 1200, rgb(0x8a6a8a), rgb(0x4a3a6a), 83, {560, 970}, rgb(0xffd0a0));
    paintHills(c, 1010, 60, rgb(0x3a3050), 84, 0, 480);
    paintTown(c, 1060, 0, 470, 85, rgb(0x5a4a60), rgb(0x3a2a40), 0.35f);
    paintHills(c, 1120, 30, rgb(0x2a2038), 86, 0, 800);
    paintLighthouse(c, 690, 1000, 90, true);
    return c;
}

}  // namespace

Canvas paintBackground(const std::string& name, const Font& font) {
    if (name == "eki_01")
        return station(font);
    if (name == "shop_01")
        return street(font);
    if (name == "minato_01")
        return harbour();
    if (name == "misaki_01")
        return cape();
    if (name == "umi_01")
        return beach();
    if (name == "sakura_01")
        return cherryRow();
    if (name == "jinja_01")
        return shrine();
    if (name == "sora_01")
        return tallSky();
    if (name == "room_01")
        return paintRoom(false);
    if (name == "room_02")
        return paintRoom(true);
    if (name == "pan_01")
        return paintBakery(font);
    return Canvas();
}

const Canvas& backgroundOf(const std::string& name, const Font& font) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<std::once_flag>> flags;
    static std::map<std::string, std::unique_ptr<Canvas>> pictures;
    std::shared_ptr<std::once_flag> flag;
    {
        std::lock_guard lock(mutex);
        auto& f = flags[name];
        if (!f)
            f = std::make_shared<std::once_flag>();
        flag = f;
    }
    // Painted outside the lock, so that other places paint meanwhile; the
    // picture does not depend on which font object draws its text.
    std::call_once(*flag, [&] {
        auto picture = std::make_unique<Canvas>(paintBackground(name, font));
        std::lock_guard lock(mutex);
        pictures[name] = std::move(picture);
    });
    std::lock_guard lock(mutex);
    return *pictures[name];
}

}  // namespace marlit::sample
