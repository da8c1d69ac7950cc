#include "tools/samplegame/window_pictures.h"

#include <cmath>
#include <string>

#include "tools/samplegame/catalogue.h"
#include "tools/samplegame/heroine.h"
#include "tools/samplegame/layout.h"
#include "tools/samplegame/scenery.h"
#include "tools/samplegame/shapes.h"
#include "tools/samplegame/ui_kit.h"

namespace marlit::sample {

namespace {

const char* const kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};

Colour weekdayColour(int w) {
    return w == 0 ? rgb(0xe04848) : w == 6 ? rgb(0x3a78d8) : ui::kInk;
}

float f(int v) {
    return static_cast<float>(v);
}

}  // namespace

Canvas paintMessageWindow(const Font& font) {
    using namespace layout;
    Canvas c(768, 416);
    // The body: deep blue glass with a light rim and the speaker's tab.
    const Rect b = kWindowBody;
    fillShape(c, boxOf(f(b.x), f(b.y), f(b.w), f(b.h)), roundedRect(0.5f, 0.5f, 759, 213, 14),
              solid(rgb(0xe8f0ff)));
    fillShape(c, boxOf(f(b.x), f(b.y), f(b.w), f(b.h)), roundedRect(3, 3, 754, 208, 12),
              verticalGradient(0, rgb(0x1c3058), 214, rgb(0x0c1630)));
    fillShape(c, boxOf(16, 6, 240, 40), roundedRect(16, 6, 232, 38, 10), solid(rgb(0x2c4c84)));
    strokeLine(c, {24, 48}, {736, 48}, 1.5f, rgb(0x8ab0e0, 0.7f));
    paintPetal(c, {730, 26}, 18, 0.6f, 0.8f, ui::kBlossom);
    paintPetal(c, {708, 30}, 12, 2.2f, 0.5f, shade(ui::kBlossom, 0.2f));
    // The button panel and its buttons (shown on the panel's right side).
    const Rect p = kButtonPanel;
    fillShape(c, boxOf(f(p.x), f(p.y), f(p.w), f(p.h)),
              roundedRect(f(p.x) + 0.5f, f(p.y) + 0.5f, f(p.w) - 1, f(p.h) - 1, 10),
              verticalGradient(f(p.y), rgb(0x2c4c84), f(p.y + p.h), rgb(0x0c1630)));
    fillShape(c, boxOf(f(p.x), f(p.y), f(p.w), f(p.h)),
              outline(roundedRect(f(p.x) + 2, f(p.y) + 2, f(p.w) - 4, f(p.h) - 4, 9), 1.5f),
              solid(rgb(0xe8f0ff, 0.8f)));
    const char* const labels[4] = {"ログ", "オート", "スキップ", "メニュー"};
    for (int i = 0; i < 4; ++i)
        drawButton(c, font, kWindowButtons[i], labels[i], false, 14);
    // Choice bars, normal and lit.
    for (bool lit : {false, true}) {
        const Rect r = lit ? kChoiceBarLit : kChoiceBar;
        fillShape(c, boxOf(f(r.x), f(r.y), f(r.w), f(r.h)),
                  roundedRect(f(r.x) + 0.5f, f(r.y) + 0.5f, f(r.w) - 1, f(r.h) - 1, 18),
                  solid(lit ? rgb(0xffe0ea) : rgb(0xe8f0ff)));
        fillShape(c, boxOf(f(r.x), f(r.y), f(r.w), f(r.h)),
                  roundedRect(f(r.x) + 3, f(r.y) + 3, f(r.w) - 6, f(r.h) - 6, 16),
                  verticalGradient(f(r.y), lit ? rgb(0xf07898) : rgb(0x2c4c84), f(r.y + r.h),
                                   lit ? rgb(0xb03a60) : rgb(0x0c1630)));
        paintPetal(c, {f(r.x) + 20, f(r.y) + 20}, 16, 0.4f, 0.9f,
                   lit ? rgb(0xffffff) : ui::kBlossom);
    }
    // The page-wait mark: a blossom that bobs and turns over eight frames
    // (the first frame is also cut one pixel wider from x 736).
    for (int fr = 0; fr < 8; ++fr) {
        const Rect r = waitMark(fr);
        const float phase = fr * 6.2832f / 8;
        const Point centre{f(r.x) + 11.5f, f(r.y) + 12 + 3 * std::sin(phase)};
        for (int k = 0; k < 5; ++k) {
            const float a = phase * 0.5f + k * 1.2566f;
            paintPetal(c, {centre.x + 4.5f * std::cos(a), centre.y + 4.5f * std::sin(a)}, 9, a, 1,
                       shade(ui::kBlossom, 0.1f));
        }
        fillEllipse(c, centre, 2.2f, 2.2f, rgb(0xf8e070));
    }
    // The map's date: numbers 0-12 and the weekdays.
    TextStyle digits = outlinedText(rgb(0xffffff), ui::kInk, 2);
    for (int n = 0; n <= 12; ++n) {
        const Rect r = windowDigit(n);
        TextStyle s = digits;
        if (n >= 10)
            s.spacing = -3;
        fitText(c, font, r, std::to_string(n), s, 22);
    }
    for (int w = 0; w < 7; ++w) {
        const Rect r = windowWeekday(w);
        fillShape(c, boxOf(f(r.x), f(r.y), f(r.w), f(r.h)),
                  roundedRect(f(r.x) + 1, f(r.y) + 1, f(r.w) - 2, f(r.h) - 2, 8),
                  solid(ui::kCream));
        fitText(c, font, r, kWeekdays[w], TextStyle{weekdayColour(w)}, 16);
    }
    return c;
}

Canvas paintPlaceNames(const Font& font) {
    Canvas c(576, 512);
    for (const Place& p : places()) {
        const Rect r = layout::placeCaption(p.number);
        fillShape(c, boxOf(f(r.x), f(r.y), f(r.w), f(r.h)),
                  roundedRect(f(r.x), f(r.y), f(r.w), f(r.h), 6), [r](float x, float) {
                      const float t = (x - r.x) / r.w;
                      return mix(rgb(0x0c1630), rgb(0x2c4c84), t);
                  });
        strokeLine(c, {f(r.x) + 8, f(r.y + r.h) - 5}, {f(r.x + r.w) - 8, f(r.y + r.h) - 5}, 1,
                   ui::kBlossom);
        fitText(c, font, {r.x + 6, r.y, r.w - 12, r.h - 3}, p.name, outlinedText(rgb(0xffffff)),
                20);
    }
    return c;
}

Canvas paintDayGlyphs(const Font& font) {
    using namespace layout;
    Canvas c(544, 24);
    const TextStyle s = outlinedText(rgb(0xffffff), rgb(0x402030), 1.5f);
    for (int d = 0; d < 10; ++d)
        fitText(c, font, dayDigit(d), std::to_string(d), s, 24);
    fitText(c, font, kDayMonthSign, "月", s, 16);
    fitText(c, font, kDayDaySign, "日", s, 16);
    for (int w = 0; w < 7; ++w) {
        TextStyle ws = s;
        ws.outline = weekdayColour(w);
        fitText(c, font, dayWeekday(w), std::string("(") + kWeekdays[w] + ")", ws, 20);
    }
    return c;
}

Canvas paintPetalSheet(int kind) {
    Canvas c(256, 168);
    const Colour base = kind == 1 ? rgb(0xf8a8bc) : rgb(0xf4d0dc);
    // Each petal kind tumbles through its frames: it turns and flips over.
    for (int k = 0; k < 3; ++k) {
        const int frames = layout::petalFrames(k);
        for (int fr = 0; fr < frames; ++fr) {
            const Rect r = layout::petalFrame(k, fr);
            const float t = static_cast<float>(fr) / frames * 6.2832f;
            paintPetal(c, {f(r.x) + r.w / 2.0f, f(r.y) + r.h / 2.0f}, 22 - 1.0f * k, t * 0.5f + k,
                       std::cos(t), shade(base, -0.05f * k));
        }
    }
    return c;
}

Canvas paintIcons(const Font& font) {
    Canvas c(448, 168);
    // The heroines' faces, then letters for the other routes and a mark
    // for an unknown one.
    const struct {
        int index;
        const char* letter;
    } others[] = {{2, "K"}, {3, "W"},  {4, "E"},  {5, "M"},  {8, "A"},
                  {9, "G"}, {10, "T"}, {11, "B"}, {12, "D"}, {20, "？"}};
    for (int h = 0; h < 2; ++h) {
        const Rect r = layout::icon(h);
        fillEllipse(c, {r.x + 28.0f, r.y + 28.0f}, 26, 26, ui::kCream);
        Canvas face(56, 56);
        drawHeroineBust(face, h, Placement{{28, 30}, 0.26f}, Pose{Expression::Smile});
        // Only the round badge shows the face.
        Canvas clipped(56, 56);
        for (int y = 0; y < 56; ++y) {
            for (int x = 0; x < 56; ++x) {
                if (std::hypot(x + 0.5f - 28, y + 0.5f - 28) <= 25)
                    clipped.set(x, y, face.at(x, y));
            }
        }
        c.draw(clipped, r.x, r.y);
        fillShape(c, boxAround({r.x + 28.0f, r.y + 28.0f}, 28, 28),
                  outline(circle({r.x + 28.0f, r.y + 28.0f}, 26), 3),
                  solid(h == 0 ? rgb(0xf08a2c) : rgb(0x4a5688)));
    }
    for (const auto& o : others) {
        const Rect r = layout::icon(o.index);
        fillEllipse(c, {r.x + 28.0f, r.y + 28.0f}, 26, 26,
                    o.index == 20 ? rgb(0x909098) : ui::kSea);
        fillShape(c, boxAround({r.x + 28.0f, r.y + 28.0f}, 28, 28),
                  outline(circle({r.x + 28.0f, r.y + 28.0f}, 25), 2.5f), solid(ui::kCream));
        fitText(c, font, r, o.letter, outlinedText(), 30);
    }
    // The pointer: a ring around the chosen place's icon (which stands 6
    // pixels lower) with a mark above it.
    const Rect p = layout::kMapPointer;
    const Point centre{p.x + 28.0f, p.y + 34.0f};
    fillShape(c, boxAround(centre, 30, 30), outline(circle(centre, 26), 4.5f),
              solid(rgb(0xd83a4a)));
    fillShape(c, boxAround(centre, 30, 30), outline(circle(centre, 26), 1.5f),
              solid(rgb(0xffffff)));
    fillPolygon(c,
                {{centre.x - 9, static_cast<float>(p.y)},
                 {centre.x + 9, static_cast<float>(p.y)},
                 {centre.x, p.y + 9.0f}},
                rgb(0xd83a4a));
    return c;
}

}  // namespace marlit::sample
