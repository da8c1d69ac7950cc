// The map, the ending sequence and the staff roll through the player's own
// mode table on the headless back end at both screen sizes; frames at the
// moments that matter are checked against their golden digests. To renew
// them, run this program alone with MARLIT_UPDATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <map>

#include "player/scenario/scenario_engine.h"
#include "player/screens/map_screen.h"
#include "player/screens/screen_tables.h"
#include "player/shell/frame_tick.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/player/scenario/script_builder.h"
#include "tests/support/golden_frames.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

GoldenBook& book() {
    static GoldenBook b(std::string(MARLIT_SOURCE_DIR) + "/tests/player/screens/route_frames.txt");
    return b;
}

class RouteFrames : public ::testing::TestWithParam<int> {
  public:
    RouteFrames() : game(GetParam(), GetParam() * 3 / 4), ctx(game.ctx()) {}

    void SetUp() override {
        const int width = GetParam();
        ctx.paths.picturePack = dir.file(width > 639 ? "grpack_v.mlz" : "grpack.mlz");
        std::map<std::string, std::vector<uint8_t>> e;
        const std::map<std::string, std::pair<int, int>> sizes = {
            {"system\\map_p", {800, 600}},     {"system\\map_pchip", {984, 504}},
            {"system\\saveicon", {448, 168}},  {"system\\Messwin", {800, 600}},
            {"STAFF\\ed_n01", {800, 600}},     {"STAFF\\edroll01", {400, 600}},
            {"STAFF\\staff2_01", {800, 1200}}, {"STAFF\\staff2_02", {800, 1200}},
        };
        int level = 30;
        for (const auto& [name, size] : sizes) {
            e["AdvData\\grp\\" + name + ".rbp"] = greyPicture(
                size.first * width / 800, size.second * width / 800, static_cast<uint8_t>(level));
            level += 25;
        }
        ScriptBuilder hold;
        hold.label("hold").quad('^', 0, 0, 0, 0).text(';', "hold");
        for (const char* label : {"scene", "scene_s01", "scene_ns01"})
            e[std::string("AdvData\\mes\\") + label + ".mes"] = hold.bytes();
        ASSERT_TRUE(writePack(ctx.paths.picturePack, e));

        ScreenTables& t = *ctx.screenTables;
        t = ScreenTables{};
        t.icons['n' - 'a'] = 0;
        t.icons['s' - 'a'] = 1;
        for (int i = 0; i < 9; ++i) {
            t.places[1][static_cast<size_t>(i)] = {300 + 50 * i, 100 + 40 * i, 240, 300};
            t.schedule[1][static_cast<size_t>(i)] = {i % 2 ? "scene_s01" : "scene_ns01", ""};
        }
        t.schedule[1][4].script = "scene";
        t.endings[0] = {{0, "AdvData\\grp\\STAFF\\ed_n01.rbp", ""},
                        {3000, "", "AdvData\\grp\\STAFF\\edroll01.rbp"},
                        {6000, "", ""}};
        ctx.scenarioEngine->StartNewGame();
        ctx.graphics->loadPicture(1, "AdvData\\grp\\system\\Messwin.rbp", true);
        ScenarioVars& v = ctx.scenarioEngine->vars;
        v.set(var::kMonth, 2);
        v.set(var::kDay, 25);
        v.set(var::kWeekday, 1);
    }
    void checkFrame(const std::string& name) {
        const Surface s = game.backBuffer();
        std::string message;
        EXPECT_TRUE(book().check(std::to_string(GetParam()) + "_" + name,
                                 {s.pixels, s.width, s.height, s.pitch}, &message))
            << message;
    }
    void press(int16_t code) {
        dispatchEvent(ctx, Event{EventType::KeyDown, code, 0, 0});
        game.frame();
        dispatchEvent(ctx, Event{EventType::KeyUp, code, 0, 0});
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            game.frame();
    }

    TempDir dir;
    HeadlessGame game;
    GameContext& ctx;
};

TEST_P(RouteFrames, TheMapAPlaceAndItsScene) {
    ctx.scenario.mode = kModeMap;
    ctx.scenario.subState = 0;
    frames(30);
    checkFrame("map_fading_in");
    frames(40);
    ASSERT_EQ(ctx.scenario.subState, 2);
    checkFrame("map");
    press(ctx.keyList.vkDown);
    press(ctx.keyList.vkDown);
    press(ctx.keyList.vkDown);
    ASSERT_EQ(ctx.mapScreen->selection(), 2);
    checkFrame("map_place_2");
    press(ctx.keyList.vkC);
    frames(70);
    EXPECT_EQ(ctx.scenario.mode, kModeScenario);
}

TEST_P(RouteFrames, TheEndingSequenceAndTheRoll) {
    ctx.scenario.ending = 0;
    ctx.scenario.mode = kModeEnding;
    ctx.scenario.subState = 0;
    frames(150);
    ASSERT_NE(ctx.compositor->sprite(10), nullptr);
    checkFrame("ending_first_picture");
    frames(100);
    ASSERT_NE(ctx.compositor->sprite(11), nullptr);
    checkFrame("ending_panel");
    // Frames of 100 ms from here: the screens follow the clock.
    ctx.frameTimer.setInterval(100);
    for (int i = 0; i < 200 && ctx.scenario.mode != kModeStaffRoll; ++i)
        game.frame();
    ASSERT_EQ(ctx.scenario.mode, kModeStaffRoll);
    frames(70);
    checkFrame("roll_first_picture");
    frames(80);
    checkFrame("roll_two_pictures");
}

INSTANTIATE_TEST_SUITE_P(BothScreens, RouteFrames, ::testing::Values(320, 640));

}  // namespace
}  // namespace marlit::test
