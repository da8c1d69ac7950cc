#include "tools/samplegame/heroine.h"

#include <cmath>
#include <vector>

namespace marlit::sample {

namespace {

struct Look {
    Colour hair, hairLight, eyes, outfit, outfitDark, accent, scarf;
    bool longHair;
};

Look lookOf(int heroine) {
    if (heroine == 0) {
        // 灯: warm brown bob with a side tail, cream knit and an orange scarf.
        return {rgb(0x8a4a28), rgb(0xc8804a), rgb(0xb0602a), rgb(0xf1e3c8),
                rgb(0xc9b48e), rgb(0xd8323c), rgb(0xf08a2c), false};
    }
    // 小夜: long blue-black hair, a navy duffle coat and a white scarf.
    return {rgb(0x1e2440), rgb(0x4a5688), rgb(0x5a5ac8), rgb(0x2c3a64),
            rgb(0x1a2440), rgb(0xf2c83c), rgb(0xeef0f4), true};
}

const Colour kSkin = rgb(0xffe6d6);
const Colour kSkinShade = rgb(0xf4c8b4);
const Colour kInk = rgb(0x3a2228);

// The painter in sprite coordinates.
class Figure {
  public:
    Figure(Canvas& canvas, const Placement& place, int light)
        : canvas_(canvas), place_(place), light_(light) {}

    Point p(float x, float y) const {
        return {place_.head.x + (x - 400) * place_.scale, place_.head.y + (y - 190) * place_.scale};
    }
    float r(float v) const { return v * place_.scale; }
    std::vector<Point> pts(std::initializer_list<Point> list) const {
        std::vector<Point> out;
        for (const Point& q : list)
            out.push_back(p(q.x, q.y));
        return out;
    }

    Colour lit(Colour c) const {
        if (light_ == 1)
            return mix(c, {c.r * 1.0f, c.g * 0.78f, c.b * 0.62f, c.a}, 0.7f);
        if (light_ == 2)
            return mix(c, {c.r * 0.45f, c.g * 0.5f, c.b * 0.75f, c.a}, 0.8f);
        return c;
    }

    // A shape with a dark line around it, as a drawn figure has.
    void inked(const Distance& shape, Box box, Colour fill, float line = 2.2f, float soft = 1.2f) {
        const float w = r(line);
        Distance grown = [shape, w](float x, float y) { return shape(x, y) - w; };
        fillShape(canvas_, grow(box, w + 3), grown, solid(lit(shade(fill, -0.55f))), soft);
        fillShape(canvas_, box, shape, solid(lit(fill)), soft);
    }
    void fill(const Distance& shape, Box box, Colour c, float soft = 1.0f) {
        fillShape(canvas_, box, shape, solid(lit(c)), soft);
    }
    void fillPaint(const Distance& shape, Box box, const Paint& paint, float soft = 1.0f) {
        fillShape(
            canvas_, box, shape, [this, paint](float x, float y) { return lit(paint(x, y)); },
            soft);
    }
    Box around(float x, float y, float rx, float ry) const {
        return boxAround(p(x, y), r(rx), r(ry), 4);
    }
    static Box grow(Box b, float m) {
        const int k = static_cast<int>(std::ceil(m));
        return {b.x0 - k, b.y0 - k, b.x1 + k, b.y1 + k};
    }
    Canvas& canvas() { return canvas_; }

  private:
    Canvas& canvas_;
    Placement place_;
    int light_;
};

void drawBackHair(Figure& f, const Look& look, int heroine) {
    if (look.longHair) {
        auto back = f.pts({{318, 170},
                           {300, 300},
                           {286, 430},
                           {296, 540},
                           {350, 560},
                           {450, 560},
                           {504, 540},
                           {514, 430},
                           {500, 300},
                           {482, 170}});
        f.inked(unite(polygon(back), ellipse(f.p(400, 175), f.r(92), f.r(98))), boxOf(back, 120),
                look.hair);
        // Strands.
        for (int i = 0; i < 5; ++i) {
            const float x = 312 + i * 44;
            f.fill(capsule(f.p(x, 300), f.p(x + (i - 2) * 6, 520), f.r(1.2f)),
                   boxOf({f.p(x - 20, 290), f.p(x + 20, 530)}), shade(look.hair, -0.3f));
        }
        return;
    }
    auto bob = f.pts({{316, 170},
                      {310, 250},
                      {322, 292},
                      {372, 300},
                      {428, 300},
                      {478, 292},
                      {490, 250},
                      {484, 170}});
    f.inked(unite(polygon(bob), ellipse(f.p(400, 178), f.r(90), f.r(96))), boxOf(bob, 120),
            look.hair);
    if (heroine == 0) {
        // The side tail and its ribbon.
        auto tail = f.pts(
            {{470, 150}, {520, 190}, {540, 260}, {528, 330}, {508, 300}, {500, 230}, {478, 190}});
        f.inked(polygon(tail), boxOf(tail, 10), look.hair);
        f.inked(unite(ellipse(f.p(488, 150), f.r(22), f.r(13)),
                      ellipse(f.p(512, 140), f.r(20), f.r(12))),
                f.around(500, 145, 50, 30), look.accent);
    }
}

void drawBody(Figure& f, const Look& look, int heroine, const Pose& pose) {
    // Neck.
    f.inked(roundedRect(f.p(382, 240).x, f.p(382, 240).y, f.r(36), f.r(70), f.r(10)),
            f.around(400, 275, 30, 45), kSkinShade);
    // Torso.
    auto torso = f.pts({{330, 312},
                        {290, 340},
                        {262, 420},
                        {246, 620},
                        {554, 620},
                        {538, 420},
                        {510, 340},
                        {470, 312}});
    f.inked(polygon(torso), boxOf(torso, 10), look.outfit);
    f.fillPaint(polygon(f.pts({{400, 330}, {262, 420}, {246, 620}, {300, 620}})),
                boxOf(f.pts({{246, 330}, {400, 620}}), 6),
                solid(withAlpha(look.outfitDark, 0.45f)));
    if (heroine == 0) {
        // Apron straps and bib.
        auto bib = f.pts({{352, 420}, {448, 420}, {458, 620}, {342, 620}});
        f.inked(polygon(bib), boxOf(bib, 8), rgb(0xb07850), 1.6f);
        f.fill(capsule(f.p(352, 420), f.p(330, 330), f.r(6)), f.around(340, 375, 20, 55),
               rgb(0xb07850));
        f.fill(capsule(f.p(448, 420), f.p(470, 330), f.r(6)), f.around(460, 375, 20, 55),
               rgb(0xb07850));
        f.fill(circle(f.p(400, 470), f.r(10)), f.around(400, 470, 14, 14), rgb(0xf6d860));
    } else {
        // Toggle buttons of the coat.
        for (int i = 0; i < 3; ++i) {
            f.inked(roundedRect(f.p(388, 420 + 60 * i).x, f.p(388, 420 + 60 * i).y, f.r(24), f.r(9),
                                f.r(4)),
                    f.around(400, 424 + 60 * i, 20, 10), rgb(0xe8d6a8), 1.2f);
        }
    }
    // Scarf around the neck.
    auto scarf = f.pts({{336, 292}, {464, 292}, {476, 330}, {400, 350}, {324, 330}});
    f.inked(polygon(scarf), boxOf(scarf, 8), look.scarf);
    auto end = f.pts({{430, 330}, {462, 334}, {458, 420}, {434, 424}});
    f.inked(polygon(end), boxOf(end, 8), shade(look.scarf, -0.1f));
    // Arms.
    for (int side = -1; side <= 1; side += 2) {
        const float sx = 400 + side * 118;
        if (pose.handsUp) {
            f.inked(capsule(f.p(sx, 350), f.p(400 + side * 96, 500), f.r(26)),
                    f.around(400 + side * 108, 425, 50, 100), look.outfit);
            f.inked(capsule(f.p(400 + side * 96, 500), f.p(400 + side * 30, 470), f.r(24)),
                    f.around(400 + side * 62, 485, 60, 50), look.outfit);
            f.inked(ellipse(f.p(400 + side * 22, 462), f.r(20), f.r(16)),
                    f.around(400 + side * 22, 462, 26, 22), kSkin);
        } else {
            f.inked(capsule(f.p(sx, 350), f.p(400 + side * 150, 620), f.r(27)),
                    f.around(400 + side * 135, 485, 50, 150), look.outfit);
        }
    }
}

void drawEye(Figure& f, const Look& look, float cx, float cy, const Pose& pose, bool left) {
    const Expression e = pose.expression;
    if (e == Expression::Gentle || e == Expression::Smile) {
        // Closed: curved down when calm, arched up when laughing.
        const float bend = e == Expression::Gentle ? 6.0f : -9.0f;
        for (int i = 0; i < 6; ++i) {
            const float a0 = 0.15f + i * 0.47f, a1 = a0 + 0.47f;
            f.fill(capsule(f.p(cx - 18 * std::cos(a0), cy + 4 + bend * std::sin(a0)),
                           f.p(cx - 18 * std::cos(a1), cy + 4 + bend * std::sin(a1)), f.r(2.6f)),
                   f.around(cx, cy, 24, 16), kInk);
        }
        return;
    }
    const float open = e == Expression::Surprised ? 23.0f : e == Expression::Smile ? 15.0f : 20.0f;
    f.fill(ellipse(f.p(cx, cy + 1), f.r(17), f.r(open)), f.around(cx, cy, 22, 26), rgb(0xffffff));
    const float irisR = e == Expression::Surprised ? 11.0f : 13.5f;
    auto irisPaint = [&f, look, cy](float, float y) {
        const float t = std::clamp((y - f.p(0, cy - 14).y) / f.r(28), 0.0f, 1.0f);
        return mix(shade(look.eyes, -0.55f), shade(look.eyes, 0.25f), t);
    };
    f.fillPaint(ellipse(f.p(cx, cy + 3), f.r(irisR), f.r(open - 3)), f.around(cx, cy, 18, 24),
                irisPaint);
    f.fill(ellipse(f.p(cx, cy + 4), f.r(irisR * 0.45f), f.r((open - 3) * 0.5f)),
           f.around(cx, cy, 12, 14), shade(look.eyes, -0.75f));
    f.fill(circle(f.p(cx + (left ? -5 : 5), cy - 5), f.r(4.5f)), f.around(cx, cy - 5, 7, 7),
           rgb(0xffffff));
    f.fill(circle(f.p(cx + (left ? 5 : -5), cy + 9), f.r(2.2f)), f.around(cx, cy + 9, 5, 5),
           rgb(0xffffff, 0.8f));
    // The upper lid line and its lashes.
    const float top = cy + 1 - open;
    f.fill(capsule(f.p(cx - 19, top + 7), f.p(cx + 19, top + 5), f.r(3.4f)),
           f.around(cx, top + 6, 26, 9), kInk);
    f.fill(capsule(f.p(left ? cx - 19 : cx + 19, top + 7), f.p(left ? cx - 25 : cx + 25, top + 12),
                   f.r(2.4f)),
           f.around(cx, top + 9, 30, 9), kInk);
    if (e == Expression::Smile) {
        // Cheeks pushing up the lower lid.
        f.fill(capsule(f.p(cx - 15, cy + 15), f.p(cx + 15, cy + 15), f.r(2.0f)),
               f.around(cx, cy + 15, 22, 5), kSkinShade);
    }
}

void drawFace(Figure& f, const Look& look, const Pose& pose) {
    // Face with a soft chin.
    auto chin = f.pts({{336, 205}, {400, 272}, {464, 205}});
    f.inked(unite(ellipse(f.p(400, 190), f.r(70), f.r(76)), polygon(chin)),
            f.around(400, 200, 82, 90), kSkin, 1.8f);
    drawEye(f, look, 369, 207, pose, true);
    drawEye(f, look, 431, 207, pose, false);
    // Brows.
    const Expression e = pose.expression;
    const float tilt = e == Expression::Troubled ? 7 : e == Expression::Surprised ? -4 : 0;
    const float lift = e == Expression::Surprised ? -12 : -7;
    f.fill(capsule(f.p(352, 174 + lift), f.p(382, 174 + lift - tilt), f.r(2.0f)),
           f.around(367, 174, 22, 12), shade(look.hair, -0.3f));
    f.fill(capsule(f.p(418, 174 + lift - tilt), f.p(448, 174 + lift), f.r(2.0f)),
           f.around(433, 174, 22, 12), shade(look.hair, -0.3f));
    // Nose.
    f.fill(capsule(f.p(400, 226), f.p(398, 230), f.r(1.4f)), f.around(400, 228, 4, 5), kSkinShade);
    // Mouth.
    switch (e) {
        case Expression::Smile: {
            auto open = f.pts({{386, 242}, {414, 242}, {410, 254}, {400, 258}, {390, 254}});
            f.inked(polygon(open), boxOf(open, 6), rgb(0xb04050), 1.0f);
            f.fill(ellipse(f.p(400, 253), f.r(7), f.r(3.5f)), f.around(400, 253, 9, 6),
                   rgb(0xf08080));
            break;
        }
        case Expression::Surprised:
            f.inked(ellipse(f.p(400, 248), f.r(6), f.r(8)), f.around(400, 248, 9, 11),
                    rgb(0xb04050), 1.0f);
            break;
        case Expression::Troubled:
            f.fill(capsule(f.p(390, 248), f.p(396, 245), f.r(1.6f)), f.around(393, 247, 8, 6),
                   kInk);
            f.fill(capsule(f.p(396, 245), f.p(404, 249), f.r(1.6f)), f.around(400, 247, 8, 6),
                   kInk);
            f.fill(capsule(f.p(404, 249), f.p(410, 246), f.r(1.6f)), f.around(407, 247, 8, 6),
                   kInk);
            break;
        default:
            for (int i = 0; i < 4; ++i) {
                const float x0 = 388 + i * 6, x1 = x0 + 6;
                auto y = [](float x) { return 244 + 0.012f * (x - 400) * (x - 400) * -1 + 3; };
                f.fill(capsule(f.p(x0, y(x0)), f.p(x1, y(x1)), f.r(1.6f)),
                       f.around((x0 + x1) / 2, 246, 6, 6), kInk);
            }
            break;
    }
    if (pose.blush || e == Expression::Troubled) {
        for (float cx : {360.0f, 440.0f}) {
            f.fill(ellipse(f.p(cx, 232), f.r(17), f.r(8)), f.around(cx, 232, 26, 16),
                   rgb(0xff8a9a, 0.55f), f.r(8));
            for (int i = 0; i < 3; ++i) {
                const float x = cx - 8 + i * 7;
                f.fill(capsule(f.p(x + 3, 228), f.p(x, 236), f.r(0.9f)), f.around(x, 232, 6, 8),
                       rgb(0xe06070, 0.8f));
            }
        }
    }
}

void drawFrontHair(Figure& f, const Look& look, int heroine) {
    auto hairPaint = [&f, look](float, float y) {
        const float t = std::clamp((y - f.p(0, 100).y) / f.r(120), 0.0f, 1.0f);
        return mix(look.hairLight, look.hair, t);
    };
    // Crown and bangs.
    std::vector<Point> bangs = f.pts({{318, 196},
                                      {322, 140},
                                      {350, 108},
                                      {400, 96},
                                      {450, 108},
                                      {478, 140},
                                      {482, 196},
                                      {468, 160},
                                      {456, 184},
                                      {444, 146},
                                      {428, 178},
                                      {414, 140},
                                      {398, 182},
                                      {384, 142},
                                      {368, 178},
                                      {354, 146},
                                      {340, 186},
                                      {332, 160}});
    const Distance crown = unite(polygon(bangs), ellipse(f.p(400, 122), f.r(80), f.r(36)));
    f.inked(crown, boxOf(bangs, 60), look.hair);
    f.fillPaint(crown, boxOf(bangs, 60), hairPaint);
    // The ring of light on the crown.
    f.fill(subtract(ellipse(f.p(400, 126), f.r(58), f.r(20)),
                    ellipse(f.p(400, 122), f.r(52), f.r(16))),
           f.around(400, 126, 62, 24), withAlpha(shade(look.hairLight, 0.4f), 0.7f), 1.5f);
    // Side locks beside the cheeks.
    const float length = heroine == 0 ? 262 : 330;
    for (int side = -1; side <= 1; side += 2) {
        auto lock = f.pts({{400 + side * 66.0f, 150},
                           {400 + side * 82.0f, 200},
                           {400 + side * 78.0f, length},
                           {400 + side * 64.0f, length - 24},
                           {400 + side * 60.0f, 196}});
        f.inked(polygon(lock), boxOf(lock, 8), look.hair, 1.8f);
    }
    if (heroine == 1) {
        // A star hairpin.
        std::vector<Point> star;
        for (int i = 0; i < 10; ++i) {
            const float a = -1.5708f + i * 0.6283f;
            const float rad = i % 2 ? 7.0f : 17.0f;
            star.push_back(f.p(452 + rad * std::cos(a), 130 + rad * std::sin(a)));
        }
        f.inked(polygon(star), boxOf(star, 6), look.accent, 1.4f);
    } else {
        f.inked(roundedRect(f.p(340, 128).x, f.p(340, 128).y, f.r(30), f.r(8), f.r(4)),
                f.around(355, 132, 22, 10), look.accent, 1.2f);
    }
}

}  // namespace

void drawHeroine(Canvas& canvas, int heroine, const Placement& place, const Pose& pose) {
    Figure f(canvas, place, pose.light);
    const Look look = lookOf(heroine);
    drawBackHair(f, look, heroine);
    drawBody(f, look, heroine, pose);
    drawFace(f, look, pose);
    drawFrontHair(f, look, heroine);
}

void drawHeroineBust(Canvas& canvas, int heroine, const Placement& place, const Pose& pose) {
    Figure f(canvas, place, pose.light);
    const Look look = lookOf(heroine);
    drawBackHair(f, look, heroine);
    auto shoulders =
        f.pts({{330, 300}, {280, 330}, {270, 400}, {530, 400}, {520, 330}, {470, 300}});
    f.inked(polygon(shoulders), boxOf(shoulders, 6), look.outfit);
    auto scarf = f.pts({{336, 292}, {464, 292}, {476, 330}, {400, 350}, {324, 330}});
    f.inked(polygon(scarf), boxOf(scarf, 8), look.scarf);
    drawFace(f, look, pose);
    drawFrontHair(f, look, heroine);
}

}  // namespace marlit::sample
