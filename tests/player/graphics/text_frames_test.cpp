// Golden frames of a page of message text drawn with the real font through
// the compositor's overlay, at each antialiasing level, with and without
// the shadow, on both screens. The digests hold for one font file only:
// with another one installed the frame checks are skipped, saying so. To
// renew the digests, run with MARLIT_UPDATE_GOLDEN=1 and
// --gtest_filter='TextFrames.*' (and look at the frames that
// MARLIT_GOLDEN_PNG=<folder> writes).
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "base/files.h"
#include "player/graphics/blit.h"
#include "player/graphics/message_text.h"
#include "player/graphics/system_text.h"
#include "player/graphics/text_layout.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/support/golden_frames.h"

namespace marlit {
namespace {

using test::HeadlessGame;

// IPAGothic 003.03 as Debian's fonts-ipafont-gothic installs it (ipag.ttf).
constexpr int64_t kPinnedFontSize = 6235344;
constexpr uint64_t kPinnedFontHash = 0x0dc84137dc85334cull;  // FNV-1a, 64 bits

test::GoldenBook& book() {
    static test::GoldenBook b(std::string(MARLIT_SOURCE_DIR) +
                              "/tests/player/graphics/text_frames.txt");
    return b;
}

// Empty when `file` is the pinned font, else why the digests cannot hold.
std::string fontDifference(const std::string& file) {
    auto bytes = readHostFile(file);
    if (!bytes)
        return file + " cannot be read";
    uint64_t h = 0xCBF29CE484222325ull;
    for (uint8_t b : *bytes)
        h = (h ^ b) * 0x100000001B3ull;
    if (static_cast<int64_t>(bytes->size()) == kPinnedFontSize && h == kPinnedFontHash)
        return {};
    char text[200];
    std::snprintf(text, sizeof text,
                  "(%zu bytes, hash %016" PRIx64 "; pinned: %" PRId64 " bytes, hash %016" PRIx64
                  ")",
                  bytes->size(), h, kPinnedFontSize, kPinnedFontHash);
    return "the font in use, " + file + ", is not the one the text digests were made with " + text +
           "; the frame checks are skipped";
}

// Four lines of 24 characters, a few of them single-byte.
const char* const kPage =
    "夕暮れの坂道を、二人で並んで歩いた。風が少しだけ"
    "冷たくて、彼女は黙ったまま遠い空を見上げている。"
    "「ねえ、明日も晴れるかな」Ready? 3,2,"
    "僕は答えの代わりに、小さく頷いてみせたのだった。";

struct TextScene {
    explicit TextScene(int width, int height) : game(width, height) {
        GameContext& ctx = game.ctx();
        const ScreenGeometry& g = ctx.geometry;
        // A background with a hard check and a gradient, and a half-clear
        // dark window body, so that edges, shadow and blending all show.
        auto picture = std::make_unique<WorkingPicture>();
        picture->width = width;
        picture->height = height;
        picture->pixels.resize(static_cast<size_t>(width) * height * 4);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint8_t* p = &picture->pixels[(static_cast<size_t>(y) * width + x) * 4];
                const bool check = (x * 16 / width + y * 12 / height) % 2 != 0;
                p[0] = static_cast<uint8_t>(check ? 200 : 90);
                p[1] = static_cast<uint8_t>(x * 255 / width);
                p[2] = static_cast<uint8_t>(y * 255 / height);
                p[3] = 255;
            }
        }
        ctx.compositor->pictures.put(28, std::move(picture));
        ctx.graphics->showWholePicture(28, 28, {0, 0}, 32);
        ctx.graphics->showColour(1, 0x101828, {20, 384, 760, 214}, 3);
        ctx.graphics->setSpriteAlpha(1, 128);

        drawer = std::make_unique<MessageTextDrawer>(ctx.platform.glyphs, g);
        const int cell = g.toScreen(32);
        drawer->setFontSize(cell);
        TextLayout layout;
        layout.x = g.toScreen(20) + g.toScreen(10);
        layout.y = 384 * height / 600 + 58 * height / 600;
        layout.size = cell;
        layout.advance = cell;
        layout.lineHeight = cell + 3 * height / 600;
        layout.perLine = 24;
        const auto text = utf8ToSjis(kPage);
        EXPECT_TRUE(text);
        layoutText(page, text.value_or(""), layout);
        ctx.compositor->overlay = [this](const Surface& s, std::span<const Rect> rects) {
            drawer->redraw(page.records(), s, rects, style);
        };
    }

    // The whole screen composed again and the page drawn over it.
    Surface frame(TextStyle s) {
        style = s;
        game.ctx().graphics->redrawScreen();
        game.frame();
        return game.backBuffer();
    }

    HeadlessGame game;
    std::unique_ptr<MessageTextDrawer> drawer;
    GlyphPage page;
    TextStyle style;
};

std::vector<uint8_t> copyOf(const Surface& s) {
    return {s.pixels, s.pixels + static_cast<size_t>(s.pitch) * s.height};
}

TEST(TextFrames, WithoutAntialiasingTheRealFontLeavesNoPartialPixels) {
    for (const ScreenGeometry g : {ScreenGeometry::qvga(), ScreenGeometry::vgaSize()}) {
        TextScene scene(g.width, g.height);
        ASSERT_EQ(scene.page.size(), 96u);
        scene.page.clear();  // the frame without text first
        const std::vector<uint8_t> bare = copyOf(scene.frame({}));
        TextScene text(g.width, g.height);
        const std::vector<uint8_t> drawn = copyOf(text.frame({.level = 0}));
        size_t lit = 0, other = 0;
        for (size_t i = 0; i + 2 < drawn.size(); i += 3) {
            const bool same = std::equal(&drawn[i], &drawn[i] + 3, &bare[i]);
            const bool white = drawn[i] == 255 && drawn[i + 1] == 255 && drawn[i + 2] == 255;
            lit += !same && white;
            other += !same && !white;
        }
        EXPECT_GT(lit, 96u * 10) << g.width;
        EXPECT_EQ(other, 0u) << g.width;

        // Strong antialiasing does leave partial pixels.
        const std::vector<uint8_t> smooth = copyOf(text.frame({.level = 3}));
        size_t partial = 0;
        for (size_t i = 0; i + 2 < smooth.size(); i += 3) {
            const bool same = std::equal(&smooth[i], &smooth[i] + 3, &bare[i]);
            partial += !same && smooth[i] != 255;
        }
        EXPECT_GT(partial, 96u * 10) << g.width;
    }
}

TEST(TextFrames, APageAtEachLevelWithAndWithoutShadowOnBothScreens) {
    for (const ScreenGeometry g : {ScreenGeometry::qvga(), ScreenGeometry::vgaSize()}) {
        TextScene scene(g.width, g.height);
        auto& painter = scene.game.backend().glyphs();
        ASSERT_TRUE(painter.load()) << painter.error();
        const std::string difference = fontDifference(painter.fontFile());
        if (!difference.empty())
            GTEST_SKIP() << difference;
        for (int level = 0; level < 4; ++level) {
            for (bool shadow : {false, true}) {
                const Surface s = scene.frame({.level = level, .shadow = shadow});
                const std::string name = "page_" + std::to_string(g.width) + "_level" +
                                         std::to_string(level) + (shadow ? "_shadow" : "");
                std::string message;
                EXPECT_TRUE(book().check(name, {s.pixels, s.width, s.height, s.pitch}, &message))
                    << message;
            }
        }
    }
}

// The popup menu's kind of text: labels, the clock line and a highlighted
// item in the 12-pixel system font on the menu's face, and text written
// straight to the device.
TEST(TextFrames, SystemTextOnAPanelAndOnTheDevice) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    auto& painter = game.backend().glyphs();
    ASSERT_TRUE(painter.load()) << painter.error();
    const std::string difference = fontDifference(painter.fontFile());
    if (!difference.empty())
        GTEST_SKIP() << difference;
    SystemTextDrawer text(ctx.platform.glyphs, ctx.screen, ctx.display->properties);
    const Surface s = game.backBuffer();
    fillBackground(s, bounds(s), 0xD4D0C8);
    auto sjis = [](const char* utf8) { return utf8ToSjis(utf8).value_or("?"); };
    text.draw("[2005-04-01 12:00][100%]", &s, 6, 4, 0);
    text.draw(sjis("[ﾄｯﾌﾟ]->[設定]"), &s, 6, 16, 0);
    const char* items[] = {"ﾛｰﾄﾞ", "ｾｰﾌﾞ", "表示効果", "ﾒｯｾｰｼﾞ", "ﾀｲﾄﾙに戻る", "終了"};
    for (int i = 0; i < 6; ++i) {
        const int y = 34 + 13 * i;
        if (i == 2) {
            fillBackground(s, {11, y, 11 + 140, y + 13}, 0x000080);
            text.draw(sjis(items[i]), &s, 12, y, kTextWhite);
        } else {
            text.draw(sjis(items[i]), &s, 12, y, 0);
        }
    }
    std::string message;
    EXPECT_TRUE(book().check("system_text_panel", {s.pixels, s.width, s.height, s.pitch}, &message))
        << message;

    auto& device = game.backend().display().frameBuffer();
    device.fill(0);
    text.draw(sjis("ﾃｷｽﾄ 直接 Direct"), nullptr, 40, 100, kTextWhite, 24);
    std::vector<uint16_t> landscape(320 * 240);
    device.toLandscape565(landscape.data());
    std::vector<uint8_t> frame(landscape.size() * 3);
    for (size_t i = 0; i < landscape.size(); ++i) {
        frame[i * 3] = static_cast<uint8_t>(landscape[i] << 3);
        frame[i * 3 + 1] = static_cast<uint8_t>(landscape[i] >> 3 & 0xFC);
        frame[i * 3 + 2] = static_cast<uint8_t>(landscape[i] >> 8 & 0xF8);
    }
    EXPECT_TRUE(book().check("system_text_device", {frame.data(), 320, 240, 320 * 3}, &message))
        << message;
}

}  // namespace
}  // namespace marlit
