#include "tools/samplegame/extras_pictures.h"

#include <cstdio>
#include <string>

#include "tools/samplegame/catalogue.h"
#include "tools/samplegame/event_pictures.h"
#include "tools/samplegame/layout.h"
#include "tools/samplegame/scenery.h"
#include "tools/samplegame/shapes.h"
#include "tools/samplegame/ui_kit.h"

namespace marlit::sample {

namespace {

float f(int v) {
    return static_cast<float>(v);
}

std::string tabName(int t) {
    for (const Heroine& h : heroines()) {
        if (h.route == t)
            return h.name;
    }
    return "・・・";
}

// A flat plate in one colour, for the small parts.
void badge(Canvas& c, Rect r, Colour fill, float radius = 6) {
    fillShape(c, boxOf(f(r.x), f(r.y), f(r.w), f(r.h)),
              roundedRect(f(r.x) + 0.5f, f(r.y) + 0.5f, f(r.w) - 1, f(r.h) - 1, radius),
              solid(fill));
}

}  // namespace

Canvas paintExtrasBack(const Font& font, int screen) {
    Canvas c(800, 600);
    const Colour top = screen == 0 ? rgb(0xfce8ee) : screen == 1 ? rgb(0xe4ecfa) : rgb(0xeaf4ea);
    fillShape(
        c, whole(c), [](float, float) { return -10.0f; },
        verticalGradient(0, shade(top, 0.4f), 600, top));
    paintPetals(c, 501 + screen, 50, 0, 0, 800, 600, rgb(0xf6b8c8, 0.6f), 16);
    const char* const titles[3] = {"CGギャラリー", "シーン回想", "音楽鑑賞"};
    fillShape(c, boxOf(0, 24, 800, 72), roundedRect(-20, 30, 520, 60, 30),
              solid(rgb(0x1c3058, 0.85f)));
    font.drawIn(c, titles[screen], 40, 30, 440, 60, 40, outlinedText(rgb(0xffffff), ui::kNavy, 2),
                Align::Left);
    if (screen == 2) {
        // Staves behind the list.
        for (int k = 0; k < 5; ++k)
            strokeLine(c, {0, 520.0f + k * 10}, {800, 520.0f + k * 10}, 1.5f, rgb(0x6a9a6a, 0.5f));
    }
    return c;
}

Canvas paintExtrasParts(const Font& font, bool scenes) {
    using namespace layout;
    Canvas c(scenes ? 1056 : 720, scenes ? 744 : 492);
    for (int t = 0; t < 14; ++t) {
        const std::string name = tabName(t);
        drawButton(c, font, tab(t, 0), name, false, 18);
        // The current character's tab: a blossom mark before the name.
        const Rect cur = tab(t, 1);
        drawPlate(c, cur, false);
        badge(c, {cur.x + 3, cur.y + 3, cur.w - 6, cur.h - 6}, rgb(0xf07898, 0.9f), 5);
        paintPetal(c, {cur.x + 14.0f, cur.y + 15.0f}, 12, 0.5f, 1, rgb(0xffffff));
        fitText(c, font, {cur.x + 22, cur.y, cur.w - 24, cur.h}, name, outlinedText(rgb(0xffffff)),
                18);
        drawButton(c, font, tab(t, 2), name, true, 18);
    }
    const char* const arrows[4] = {"≪", "◀", "▶", "≫"};
    for (int b = 0; b < 4; ++b) {
        drawButton(c, font, pageButton(b, false), arrows[b], false, 20);
        drawButton(c, font, pageButton(b, true), arrows[b], true, 20);
    }
    drawButton(c, font, kBackButton, "もどる", false, 20);
    drawButton(c, font, kBackButtonLit, "もどる", true, 20);
    const TextStyle big = outlinedText(rgb(0xffffff), ui::kNavy, 2);
    for (int d = 0; d <= 10; ++d)
        fitText(c, font, bigDigit(d), d == 10 ? "/" : std::to_string(d), big, 26);
    for (int d = 0; d < 10; ++d)
        fitText(c, font, smallDigit(d), std::to_string(d), big, 20);
    if (scenes) {
        drawPlate(c, kSceneLocked, false);
        badge(c, {kSceneLocked.x + 3, kSceneLocked.y + 3, kSceneLocked.w - 6, kSceneLocked.h - 6},
              rgb(0x707888), 5);
        fitText(c, font, kSceneLocked, "？？？", outlinedText(rgb(0xd0d4dc)), 20);
        for (int month = 2; month <= 7; ++month) {
            for (int day = 1; day <= 31; ++day) {
                const Rect r = dateBadge(month, day);
                if (r.x + r.w > c.width() || r.y + r.h > c.height())
                    continue;
                badge(c, r, month == 7 ? rgb(0x3a9a6a) : rgb(0xf07898), 10);
                char text[16];
                if (month == 7)
                    std::snprintf(text, sizeof text, "番外");
                else
                    std::snprintf(text, sizeof text, "%d/%d", month, day);
                fitText(c, font, r, text, outlinedText(rgb(0xffffff), rgb(0x602040), 1.2f), 15);
            }
        }
    }
    return c;
}

Canvas paintThumbnails(const Font& font, int heroine) {
    using namespace layout;
    Canvas c(768, 504);
    const auto gallery = galleryOf(heroine);
    for (size_t n = 0; n < gallery.size(); ++n) {
        const Canvas view = paintEvent(gallery[n].front(), font).scaled(86, 62);
        for (bool lit : {false, true}) {
            const Rect r = thumbnail(static_cast<int>(n), lit);
            badge(c, r, lit ? rgb(0xf07898) : rgb(0xffffff), 4);
            c.draw(view, r.x + 4, r.y + 4, 1.0f);
            if (lit)
                fillRect(c, f(r.x + 4), f(r.y + 4), 86, 62, rgb(0xffffff, 0.18f));
        }
    }
    const Rect l = kThumbnailLocked;
    badge(c, l, rgb(0x808898), 4);
    badge(c, {l.x + 4, l.y + 4, l.w - 8, l.h - 8}, rgb(0x5a6070), 3);
    fitText(c, font, l, "？", outlinedText(rgb(0xd0d4dc)), 40);
    return c;
}

Canvas paintScenePage(const Font& font, int heroine) {
    Canvas c(256, 512);
    const auto scenes = scenesOf(heroine);
    for (size_t i = 0; i < scenes.size(); ++i) {
        for (bool lit : {false, true}) {
            const Rect r = layout::sceneBar(static_cast<int>(i), lit);
            drawPlate(c, r, lit);
            fitText(c, font, {r.x + 8, r.y, r.w - 16, r.h}, scenes[i].title,
                    outlinedText(rgb(0xffffff), lit ? rgb(0x802040) : ui::kNavy, 1.5f), 20,
                    Align::Left);
        }
    }
    return c;
}

Canvas paintMusicParts(const Font& font) {
    using namespace layout;
    Canvas c(768, 848);
    const char* const labels[4] = {"◀", "▶", "♪", "もどる"};
    for (int b = 0; b < 4; ++b) {
        const MusicButton& m = kMusicButtons[b];
        drawButton(c, font, m.normal, labels[b], false, 20);
        drawButton(c, font, {m.litX, m.litY, m.normal.w, m.normal.h}, labels[b], true, 20);
    }
    const char* const words[3] = {"♪ 音楽", "鑑賞室", "♪♪♪"};
    for (int i = 0; i < 3; ++i) {
        badge(c, kMusicLabels[i], rgb(0x3a7a5a), 8);
        fitText(c, font, kMusicLabels[i], words[i],
                outlinedText(rgb(0xffffff), rgb(0x1a3a2a), 1.2f), 16);
    }
    for (int piece = 0; piece < 37; ++piece) {
        char number[8];
        std::snprintf(number, sizeof number, "%02d", piece + 1);
        for (bool lit : {false, true}) {
            const Rect r = musicNumber(piece, lit);
            badge(c, {r.x + 2, r.y + 2, r.w - 4, r.h - 4}, lit ? rgb(0xf07898) : rgb(0x3a7a5a), 8);
            fitText(c, font, r, number, outlinedText(rgb(0xffffff), rgb(0x1a3a2a), 1.2f), 20);
        }
        const Rect np = nowPlaying(piece);
        badge(c, np, rgb(0x1a3a2a, 0.9f), 9);
        fitText(c, font, {np.x + 8, np.y, np.w - 16, np.h}, "♪ " + musicTitle(piece + 1),
                TextStyle{rgb(0xffffff)}, 16, Align::Left);
    }
    return c;
}

Canvas paintMusicTitles(const Font& font) {
    Canvas c(1024, 608);
    for (int piece = 0; piece < 37; ++piece) {
        const std::string title = musicTitle(piece + 1).substr(3);
        for (bool lit : {false, true}) {
            const Rect r = layout::musicTitleCell(piece, lit);
            badge(c, {r.x + 2, r.y + 2, r.w - 4, r.h - 4}, lit ? rgb(0xffe0ea) : rgb(0xf4faf4), 8);
            fitText(c, font, {r.x + 10, r.y, r.w - 20, r.h}, title,
                    outlinedText(lit ? rgb(0xb03a60) : rgb(0x1a3a2a), rgb(0xffffff), 1), 20,
                    Align::Left);
        }
    }
    return c;
}

}  // namespace marlit::sample
