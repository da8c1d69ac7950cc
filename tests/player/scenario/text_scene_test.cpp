// A scene of text played through the frame tick on the headless back end at
// both screen sizes: a speaker and a two-line message typed out, the page
// wait, a click, a choice picked by keys, the recall in grey, each
// antialiasing level and the strongest with the shadow, pages skipped with
// the skip key held, and the recall three pages back. Frames are checked against their
// golden digests, which hold for the pinned gothic font only; with another
// font file the test skips and says so. To renew them, run this program
// alone with MARLIT_UPDATE_GOLDEN=1 (MARLIT_GOLDEN_PNG=<folder> writes the
// frames to look at).
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "base/encoding.h"
#include "formats/mes_script.h"
#include "formats/picture_view.h"
#include "formats/rbp_codec.h"
#include "platform/font/font_lookup.h"
#include "platform/key_codes.h"
#include "player/core/mode_screen.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/player/scenario/script_builder.h"
#include "tests/support/golden_frames.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

// The font the digests were made with: its size and FNV-1a hash.
constexpr uint64_t kPinnedFontSize = 6235344;
constexpr uint64_t kPinnedFontHash = 0x8ba18be5855e4c12;

GoldenBook& book() {
    static GoldenBook b(std::string(MARLIT_SOURCE_DIR) + "/tests/player/scenario/text_frames.txt");
    return b;
}

std::optional<std::pair<uint64_t, uint64_t>> fontIdentity(std::string* path) {
    std::string error;
    auto found = findGothicFont(&error);
    if (!found)
        return std::nullopt;
    *path = *found;
    std::ifstream in(*found, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes)
        h = (h ^ c) * 1099511628211ull;
    return std::make_pair(static_cast<uint64_t>(bytes.size()), h);
}

// A picture of a design-space size at the screen's scale, painted per pixel
// (0x00RRGGBB); magenta stays the colour key.
std::vector<uint8_t> picture(int width, int height, int screenWidth,
                             const std::function<uint32_t(int, int)>& paint) {
    const int w = width * screenWidth / 800, h = height * screenWidth / 800;
    std::vector<uint8_t> bgr(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t v = paint(x * 800 / screenWidth, y * 800 / screenWidth);
            uint8_t* p = &bgr[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v >> 8);
            p[2] = static_cast<uint8_t>(v >> 16);
        }
    }
    PictureView view;
    view.bytesPerPixel = 3;
    view.width = w;
    view.height = h;
    view.pixels = bgr;
    view.sourceWidth = w;
    view.sourceHeight = h;
    return EncodeRbp(view, 0).value();
}

std::string shown(std::string_view utf8) {
    return encodeShownText(utf8ToSjis(utf8).value()).value();
}

std::map<std::string, std::vector<uint8_t>> textPack(int screenWidth) {
    std::map<std::string, std::vector<uint8_t>> e;
    e["AdvData\\grp\\BG\\umi_01.rbp"] = picture(800, 600, screenWidth, [](int x, int y) {
        return y < 300 ? 0x5A96E6u + static_cast<uint32_t>(y / 20) : 0x3C6EBEu - (x / 40);
    });
    // The window picture: the body, the panel and buttons, the choice bar
    // and its highlight, the page-wait mark's frames.
    e["AdvData\\grp\\system\\Messwin.rbp"] = picture(800, 420, screenWidth, [](int x, int y) {
        if (y < 214 && x < 760)
            return 0x203050u + static_cast<uint32_t>(y / 8);
        if (y >= 224 && y < 264 && x >= 98 && x < 616)
            return 0x283C78u;
        if (y >= 264 && y < 304 && x >= 98 && x < 616)
            return 0xC04060u;
        if (x >= 736 && y >= 224 && y < 416)
            return (y / 24) % 2 ? 0xF0F0F0u : 0xFFC0C0u;
        if (y >= 216 && x < 96)
            return 0x304060u;
        if (y >= 305 && y < 327 && x >= 97 && x < 431)
            return 0x6080A0u;
        return 0xFF00FFu;
    });
    ScriptBuilder s;
    s.text('.', "BG\\umi_01")
        .text('K', shown("美咲"))
        .text('L', shown("おはよう。今日は早いね。\n海を見に行こうか"))
        .word(7, 0, 0)
        .text('L', shown("二ページ目。"))
        .word(7, 0, 0)
        .word(8, 0, 0)
        .text('E', "a")
        .text('M', shown("海へ行く"))
        .text('E', "b")
        .text('M', shown("山へ行く"))
        .text('E', "c")
        .text('M', shown("家に帰る"))
        .word(9, 0, 0);
    // Each branch goes on over three more pages, for the skip and the
    // recall three pages back.
    for (const char* label : {"a", "b", "c"})
        s.label(label)
            .text('L', shown(std::string(label) + "を選んだ。"))
            .word(7, 0, 0)
            .text('L', shown("続きの一ページ目。"))
            .word(7, 0, 0)
            .text('L', shown("続きの二ページ目。"))
            .word(7, 0, 0)
            .text('L', shown("続きの三ページ目。"))
            .word(7, 0, 0)
            .word(7, 0, 0);
    e["AdvData\\mes\\text01.mes"] = s.bytes();
    return e;
}

class TextScene : public ::testing::TestWithParam<int> {};

TEST_P(TextScene, TextIsTypedWaitedOnChosenAndRecalled) {
    std::string fontPath;
    const auto font = fontIdentity(&fontPath);
    if (!font || font->first != kPinnedFontSize || font->second != kPinnedFontHash)
        GTEST_SKIP() << "the text frames were made with another font file than "
                     << (font ? fontPath : std::string("none found"))
                     << "; install fonts-ipafont-gothic (scripts/bootstrap) to check them";
    const int width = GetParam();
    TempDir dir;
    const std::string pack = dir.file(width > 639 ? "grpack_v.mlz" : "grpack.mlz");
    ASSERT_TRUE(writePack(pack, textPack(width)));
    HeadlessGame game(width, width * 3 / 4);
    GameContext& ctx = game.ctx();
    ctx.paths.picturePack = pack;
    ScenarioEngine& engine = *ctx.scenarioEngine;
    engine.StartNewGame();
    ASSERT_TRUE(engine.LoadScript("text01")) << engine.loadError();
    const MessageWindow& window = *ctx.messageWindow;

    auto press = [&](int16_t key) {
        dispatchEvent(ctx, Event{EventType::KeyDown, key, 0, 0});
        game.frame();
        game.frame();
        game.frame();
        dispatchEvent(ctx, Event{EventType::KeyUp, key, 0, 0});
        game.frame();
    };
    auto check = [&](const std::string& name) {
        const Surface s = game.backBuffer();
        std::string message;
        EXPECT_TRUE(book().check(std::to_string(width) + "_" + name,
                                 {s.pixels, s.width, s.height, s.pitch}, &message))
            << message;
    };
    auto frames = [&](int n) {
        for (int i = 0; i < n; ++i)
            game.frame();
    };

    frames(12);
    check("typing");
    EXPECT_FALSE(window.typingDone());
    frames(40);
    EXPECT_TRUE(window.pageMarkShown());
    check("page_wait");
    press(kKeyCodeC);
    frames(20);
    check("second_page");
    press(kKeyCodeC);
    frames(4);
    ASSERT_EQ(ctx.scenario.choice.pending, 1);
    press(kKeyCodeDown);
    press(kKeyCodeDown);
    frames(2);
    check("choice_highlight");
    press(kKeyCodeC);
    frames(20);
    EXPECT_EQ(ctx.scenario.choice.last, 1);
    EXPECT_EQ(window.pageText(), "bを選んだ。");
    press(kKeyCodeUp);
    press(kKeyCodeUp);
    frames(2);
    ASSERT_TRUE(window.recallOpen());
    EXPECT_EQ(window.recallIndex(), 1u);
    check("recall_grey");
    press(kKeyCodeC);
    ctx.settings.transMode = 3;
    ctx.settings.messageShadow = 1;
    ctx.graphics->redrawScreen();
    frames(2);
    check("antialias_shadow");
    // Each smoothing level, without the shadow.
    ctx.settings.messageShadow = 0;
    for (int level : {0, 1, 2}) {
        ctx.settings.transMode = level;
        ctx.graphics->redrawScreen();
        frames(2);
        check("antialias_" + std::to_string(level));
    }
    EXPECT_EQ(ctx.scenario.mode, kModeScenario);

    // The skip key held: the pages go by without a click, a few frames
    // each, and the reader sees them pass.
    ctx.settings.readSkip = 0;
    dispatchEvent(ctx, Event{EventType::KeyDown, kKeyCodeLeft, 0, 0});
    int frame = 0;
    for (; frame < 200 && window.pageText() != "続きの二ページ目。"; ++frame)
        game.frame();
    EXPECT_LT(frame, 60) << "skipping is quick";
    check("skip_held");
    for (; frame < 300 && window.pageText() != "続きの三ページ目。"; ++frame)
        game.frame();
    dispatchEvent(ctx, Event{EventType::KeyUp, kKeyCodeLeft, 0, 0});
    frames(30);
    EXPECT_EQ(window.pageText(), "続きの三ページ目。");
    EXPECT_TRUE(window.pageMarkShown()) << "the skip ends with the key";

    // Three pages back in the recall: the page the choice led to.
    press(kKeyCodeUp);
    press(kKeyCodeUp);
    press(kKeyCodeUp);
    frames(2);
    ASSERT_TRUE(window.recallOpen());
    EXPECT_EQ(window.recallIndex(), 2u);  // 0 is the newest recorded page
    check("recall_three_back");
    press(kKeyCodeDown);
    press(kKeyCodeDown);
    press(kKeyCodeDown);
    frames(2);
    EXPECT_FALSE(window.recallOpen()) << "down past the newest page closes the recall";
}

INSTANTIATE_TEST_SUITE_P(BothScreens, TextScene, ::testing::Values(320, 640));

}  // namespace
}  // namespace marlit::test
