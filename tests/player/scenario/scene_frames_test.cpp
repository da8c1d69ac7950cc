// A whole scene played by the player's own scenario engine through the
// frame tick on the headless back end, at both screen sizes; frames at the
// moments that matter are checked against their golden digests. To renew
// them, run this program alone with MARLIT_UPDATE_GOLDEN=1 (and look at the
// frames MARLIT_GOLDEN_PNG=<folder> writes).
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "formats/picture_view.h"
#include "formats/rbp_codec.h"
#include "player/core/mode_screen.h"
#include "player/persist/save_slots.h"
#include "player/scenario/scenario_engine.h"
#include "player/shell/menu_commands.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/player/scenario/script_builder.h"
#include "tests/support/golden_frames.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

GoldenBook& book() {
    static GoldenBook b(std::string(MARLIT_SOURCE_DIR) + "/tests/player/scenario/scene_frames.txt");
    return b;
}

constexpr uint32_t kKey = 0xFF00FF;

// A picture of a design-space size at the screen's scale, each pixel
// (blue, green, red) from paint(x, y, w, h). With alpha, magenta is
// transparent (as the converter writes the character pictures); without,
// it stays the colour key of the pictures loaded with the key flag.
std::vector<uint8_t> picture(int width, int height, int screenWidth, bool alpha,
                             const std::function<uint32_t(int, int, int, int)>& paint) {
    const int w = width * screenWidth / 800, h = height * screenWidth / 800;
    const int bytes = alpha ? 4 : 3;
    std::vector<uint8_t> bgr(static_cast<size_t>(w) * h * bytes);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t v = paint(x, y, w, h);
            uint8_t* p = &bgr[(static_cast<size_t>(y) * w + x) * bytes];
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v >> 8);
            p[2] = static_cast<uint8_t>(v >> 16);
            if (alpha)
                p[3] = v == kKey ? 0 : 255;
        }
    }
    PictureView view;
    view.bytesPerPixel = bytes;
    view.width = w;
    view.height = h;
    view.pixels = bgr;
    view.sourceWidth = w;
    view.sourceHeight = h;
    return EncodeRbp(view, 0).value();
}

uint32_t rgb(int r, int g, int b) {
    return static_cast<uint32_t>(b | g << 8 | r << 16);
}

// An upright ellipse on the key colour.
std::function<uint32_t(int, int, int, int)> figure(int r, int g, int b) {
    return [=](int x, int y, int w, int h) {
        const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
        if (dx * dx + dy * dy > 1)
            return kKey;
        return rgb(r, g - y * 60 / h, b);
    };
}

std::map<std::string, std::vector<uint8_t>> scenePack(int screenWidth) {
    std::map<std::string, std::vector<uint8_t>> e;
    auto add = [&](const std::string& name, int w, int h,
                   const std::function<uint32_t(int, int, int, int)>& paint) {
        const bool keyed = name.starts_with("system\\sacra") || name == "system\\iday";
        e["AdvData\\grp\\" + name + ".rbp"] = picture(w, h, screenWidth, !keyed, paint);
    };
    add("BG\\umi_01", 800, 600, [](int x, int y, int w, int h) {
        return y < h / 2 ? rgb(90, 150 + y * 100 / h, 230) : rgb(60, 110, 190 - x * 60 / w);
    });
    add("BG\\sora_01", 800, 1200, [](int x, int y, int w, int h) {
        return rgb(240 - y * 200 / h, 120 + ((x / 20 + y / 20) % 2) * 40, 80 + y * 150 / h);
    });
    add("CHR\\duzo_12", 300, 560, figure(220, 160, 90));
    add("CHR\\sela_12", 300, 560, figure(70, 90, 200));
    add("CHR\\ov_splash", 300, 200, [](int x, int y, int, int) {
        return (x / 8 + y / 8) % 3 == 0 ? rgb(250, 250, 255) : kKey;
    });
    add("bsteff01", 300, 200, [](int x, int y, int w, int) {
        return y < 30 && x > w / 3 && x < w * 2 / 3 ? rgb(255, 90, 120) : kKey;
    });
    add("system\\place", 576, 512,
        [](int x, int y, int, int) { return rgb(30 + (y / 13) * 12, 30, 60 + (x / 77) * 40); });
    add("system\\sacra01", 256, 164, [](int x, int y, int, int) {
        return (x % 13) < 6 && (y % 11) < 6 ? rgb(255, 180, 200) : kKey;
    });
    add("bg\\i_duzo", 800, 600,
        [](int x, int y, int w, int) { return rgb(250, 230 - x * 40 / w, 200 + y % 30); });
    add("system\\iday", 544, 24, [](int x, int y, int, int) {
        return (x / 4 + y / 4) % 2 ? rgb(40, 40, 40 + x % 200) : kKey;
    });
    ScriptBuilder first;
    first.text('.', "BG\\umi_01")
        .text('3', "CHR\\duzo_12")
        .text('F', "CHR\\sela_12")
        .text('4', "CHR\\ov_splash")
        .text('F', "bsteff01")
        .word(13, 4, 0)
        .word('+', 1, 4)
        .quad('^', 0, 0, 0, 0)
        .text('.', "BG\\sora_01")
        .quad('^', 0, 0, 1, 0)
        .quad('^', 0, static_cast<uint16_t>(-600), 0, 0)
        .word(27, 0, 0)
        .quad('`', 0, 0, 0, 0)
        .text('6', "0308a_f02");
    ScriptBuilder second;
    second.text('.', "BG\\umi_01")
        .text('3', "CHR\\duzo_12")
        .label("hold")
        .quad('^', 0, 0, 0, 0)
        .text(';', "hold");
    e["AdvData\\mes\\0307a_f01.mes"] = first.bytes();
    e["AdvData\\mes\\0308a_f02.mes"] = second.bytes();
    return e;
}

class SceneFrames : public ::testing::TestWithParam<int> {};

TEST_P(SceneFrames, AScenePlaysFrameByFrame) {
    const int width = GetParam();
    TempDir dir;
    const std::string pack = dir.file(width > 639 ? "grpack_v.mlz" : "grpack.mlz");
    ASSERT_TRUE(writePack(pack, scenePack(width)));
    HeadlessGame game(width, width * 3 / 4);
    GameContext& ctx = game.ctx();
    ctx.paths.picturePack = pack;
    ctx.random.seed(11);
    ScenarioEngine& engine = *ctx.scenarioEngine;
    engine.StartNewGame();
    ASSERT_TRUE(engine.LoadScript("0307a_f01")) << engine.loadError();

    const std::map<int, std::string> moments = {
        {1, "left_alone"},       {2, "both_with_overlays"}, {80, "caption_and_petals"},
        {195, "caption_fading"}, {215, "scroll_start"},     {300, "scroll_middle"},
        {420, "day_card"},       {700, "next_script"},
    };
    int shakeFrames = 0;
    for (int frame = 1; frame <= 700; ++frame) {
        game.frame();
        if (ctx.shakeX != 0)
            ++shakeFrames;
        ASSERT_EQ(ctx.scenario.mode, kModeScenario) << "frame " << frame;
        auto m = moments.find(frame);
        if (m == moments.end())
            continue;
        const Surface s = game.backBuffer();
        std::string message;
        EXPECT_TRUE(book().check(std::to_string(width) + "_" + m->second,
                                 {s.pixels, s.width, s.height, s.pitch}, &message))
            << message;
    }
    EXPECT_EQ(shakeFrames, 16);
    EXPECT_EQ(ctx.scenario.scriptName, "0308a_f02");
    EXPECT_EQ(engine.caption.place(), 5);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, SceneFrames, ::testing::Values(320, 640));

TEST(ScenarioInThePlayer, TheReturnToTitleCommandEndsTheScene) {
    TempDir dir;
    const std::string pack = dir.file("grpack.mlz");
    ASSERT_TRUE(writePack(pack, scenePack(320)));
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    ctx.paths.picturePack = pack;
    ctx.scenarioEngine->StartNewGame();
    ASSERT_TRUE(ctx.scenarioEngine->LoadScript("0307a_f01"));
    game.frame();
    game.frame();
    ASSERT_NE(ctx.compositor->sprite(28), nullptr);
    dispatchEvent(ctx, Event{EventType::Command, kCommandReturnToTitle, 0, 0});
    EXPECT_EQ(ctx.scenario.mode, kModeOpening);
    EXPECT_EQ(ctx.scenario.scriptName, "");
    EXPECT_EQ(ctx.scenarioEngine->script(), nullptr);
    EXPECT_EQ(ctx.compositor->sprite(28), nullptr);
    EXPECT_EQ(ctx.compositor->pictures.get(28), nullptr);
    EXPECT_EQ(ctx.shakeX, 0);
    game.frame();
    EXPECT_EQ(ctx.scenario.mode, kModeOpening);
}

TEST(ScenarioInThePlayer, ALoadedSaveShowsTheSavedScreen) {
    TempDir dir;
    const std::string pack = dir.file("grpack.mlz");
    ASSERT_TRUE(writePack(pack, scenePack(320)));
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    ctx.paths.picturePack = pack;
    ScenarioEngine& engine = *ctx.scenarioEngine;
    PlayerLogs logs(dir.path().string(), engine.readLog, engine.seen, engine.vars);
    SaveSlots slots(SaveSlots::Services{
        engine, logs, dir.path().string(), false, {}, [] { return std::tm{}; }, {}});
    engine.StartNewGame();
    ASSERT_TRUE(engine.LoadScript("0307a_f01"));
    game.frame();
    game.frame();
    engine.Snapshot();  // as a message would take it here
    ASSERT_TRUE(slots.Save(4));
    const Surface s = game.backBuffer();
    const std::vector<uint8_t> saved(s.pixels, s.pixels + static_cast<size_t>(s.pitch) * s.height);
    // The place caption is not part of a save: a load takes it away.
    ASSERT_NE(ctx.compositor->sprite(257), nullptr);
    const Rect caption = ctx.compositor->sprite(257)->rect();

    dispatchEvent(ctx, Event{EventType::Command, kCommandReturnToTitle, 0, 0});
    game.frame();
    ASSERT_EQ(ctx.compositor->sprite(24), nullptr);
    ASSERT_TRUE(slots.Load(4));
    game.frame();
    const Surface after = game.backBuffer();
    size_t same = 0, differing = 0;
    for (size_t i = 0; i < saved.size(); ++i) {
        const int y = static_cast<int>(i / static_cast<size_t>(s.pitch));
        const int x = static_cast<int>(i % static_cast<size_t>(s.pitch)) / 3;
        if (x >= caption.left && x < caption.right && y >= caption.top && y < caption.bottom)
            continue;
        (saved[i] == after.pixels[i] ? same : differing) += 1;
    }
    EXPECT_EQ(differing, 0u) << "bytes of the screen outside the caption that differ";
    EXPECT_GT(same, saved.size() * 9 / 10);
    EXPECT_EQ(ctx.scenario.scriptName, "0307a_f01");
}

}  // namespace
}  // namespace marlit::test
