// Logo, title and a new game through the player's own mode table on the
// headless back end at both screen sizes; frames at the moments that matter
// are checked against their golden digests. To renew them, run this program
// alone with MARLIT_UPDATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <map>

#include "player/scenario/scenario_engine.h"
#include "player/screens/title_screen.h"
#include "player/shell/frame_tick.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/player/scenario/script_builder.h"
#include "tests/support/golden_frames.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

GoldenBook& book() {
    static GoldenBook b(std::string(MARLIT_SOURCE_DIR) + "/tests/player/screens/title_frames.txt");
    return b;
}

class TitleFrames : public ::testing::TestWithParam<int> {};

TEST_P(TitleFrames, LogoTitleAndANewGame) {
    const int width = GetParam();
    TempDir dir;
    HeadlessGame game(width, width * 3 / 4, true);
    GameContext& ctx = game.ctx();
    ctx.paths.picturePack = dir.file(width > 639 ? "grpack_v.mlz" : "grpack.mlz");
    ctx.random.seed(5);
    std::map<std::string, std::vector<uint8_t>> e;
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"Vantor2", {800, 600}},         {"system\\titlesc", {800, 1200}},
        {"system\\titlebk", {800, 600}}, {"system\\title", {800, 600}},
        {"system\\titleb1", {800, 600}}, {"system\\titleb2", {800, 600}},
        {"system\\titlemn", {368, 480}},
    };
    int level = 30;
    for (const auto& [name, size] : sizes) {
        e["AdvData\\grp\\" + name + ".rbp"] = greyPicture(
            size.first * width / 800, size.second * width / 800, static_cast<uint8_t>(level));
        level += 30;
    }
    ScriptBuilder story;
    story.label("hold").quad('^', 0, 0, 0, 0).text(';', "hold");
    e["AdvData\\mes\\0223a_f01.mes"] = story.bytes();
    ASSERT_TRUE(writePack(ctx.paths.picturePack, e));
    ASSERT_NE(ctx.titleScreen, nullptr);

    const std::map<int, std::string> moments = {
        {60, "logo_fading_in"}, {200, "logo"},       {460, "title_scroll"}, {900, "title_build_up"},
        {1000, "title_menu"},   {1040, "start_lit"}, {1100, "fading_out"},
    };
    for (int frame = 1; frame <= 1200; ++frame) {
        if (frame == 1030)
            dispatchEvent(ctx, Event{EventType::KeyDown, ctx.keyList.vkDown, 0, 0});
        if (frame == 1032)
            dispatchEvent(ctx, Event{EventType::KeyUp, ctx.keyList.vkDown, 0, 0});
        if (frame == 1060)
            dispatchEvent(ctx, Event{EventType::KeyDown, ctx.keyList.vkC, 0, 0});
        if (frame == 1062)
            dispatchEvent(ctx, Event{EventType::KeyUp, ctx.keyList.vkC, 0, 0});
        game.frame();
        if (frame == 1040) {
            EXPECT_EQ(ctx.titleScreen->selection(), 0);
        }
        auto m = moments.find(frame);
        if (m == moments.end())
            continue;
        const Surface s = game.backBuffer();
        std::string message;
        EXPECT_TRUE(book().check(std::to_string(width) + "_" + m->second,
                                 {s.pixels, s.width, s.height, s.pitch}, &message))
            << message;
    }
    EXPECT_EQ(ctx.scenario.mode, kModeScenario);
    EXPECT_EQ(ctx.scenario.scriptName, "0223a_f01");
}

INSTANTIATE_TEST_SUITE_P(BothScreens, TitleFrames, ::testing::Values(320, 640));

}  // namespace
}  // namespace marlit::test
