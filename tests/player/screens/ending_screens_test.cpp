// The ending sequence and the staff roll as the player registers them:
// their times on the music's position (the emulated clock with music off,
// and when the piece is missing), the cut-off, the follow-up script or the
// roll, the system record at the roll's end and the way back to the logo.
#include "player/screens/ending_screens.h"

#include <filesystem>

#include "base/files.h"
#include "player/persist/player_logs.h"
#include "player/scenario/message_window.h"
#include "tests/player/screens/framing_fixture.h"

namespace marlit::test {
namespace {

constexpr const char* kFull1 = "AdvData\\GRP\\STAFF\\ed_n01.rbp";
constexpr const char* kFull2 = "AdvData\\GRP\\STAFF\\ed_n02.rbp";
constexpr const char* kPanel = "AdvData\\GRP\\STAFF\\edroll01.rbp";

class EndingTest : public FramingTest {
  public:
    void SetUp() override {
        FramingTest::SetUp();
        ScriptBuilder hold;
        hold.label("hold").quad('^', 0, 0, 0, 0).text(';', "hold");
        std::map<std::string, std::pair<int, int>> pictures = {
            {kFull1, {800, 600}}, {kFull2, {800, 600}}, {kPanel, {400, 600}}};
        for (int i = 1; i <= 12; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "AdvData\\grp\\STAFF\\staff2_%02d.rbp", i);
            pictures[name] = {800, i == 12 ? 600 : 1200};
        }
        pack(pictures, {{"after", hold}});
        ScreenTables& t = *ctx.screenTables;
        t = ScreenTables{};
        t.endings[0] = {{0, kFull1, ""}, {4000, "", kPanel}, {8000, kFull2, ""}, {12000, "", ""}};
        t.followUps[0] = "after";
        t.endings[1] = t.endings[0];
        std::filesystem::create_directories(dir.path() / "save");
        ScenarioEngine& e = *ctx.scenarioEngine;
        ctx.playerLogs = std::make_unique<PlayerLogs>((dir.path() / "save").string() + "/",
                                                      e.readLog, e.seen, e.vars);
        // A system variable the record must hold.
        e.vars.set(100, 3, 1);
        e.StartNewGame();
    }
    void TearDown() override { ctx.playerLogs.reset(); }

    void startEnding(int route) {
        ctx.scenario.ending = route;
        ctx.scenario.mode = kModeEnding;
        ctx.scenario.subState = 0;
        frame();
        start = game.now();
    }
    std::string systemRecord() const { return (dir.path() / "save" / "save000.dat").string(); }
    bool recordWritten() const {
        auto bytes = readWhole(systemRecord());
        // Bank 100 index 3 in a record of banks 50 on.
        return bytes && bytes->size() == kSystemRecordBytes &&
               (*bytes)[((100 - 50) * 256 + 3) * 2] == 1;
    }
    // The time since the screen started when the sub-state became `sub`.
    uint32_t timeOf(int mode, int sub) {
        EXPECT_TRUE(runTo(mode, sub, 20000));
        return game.now() - start;
    }

    uint32_t start = 0;
};

TEST_F(EndingTest, WithMusicOffTheRecordsFollowTheEmulatedClock) {
    ASSERT_EQ(ctx.settings.pcm, 0);
    startEnding(0);
    EXPECT_EQ(ctx.brightness, 0);
    ASSERT_NE(sprite(10), nullptr);
    EXPECT_EQ(sprite(11), nullptr);
    EXPECT_EQ(ctx.sound->music().currentName(), "26.mp3");
    EXPECT_FALSE(ctx.scenarioEngine->window->built());
    const uint32_t fadeIn = timeOf(kModeEnding, 2);
    EXPECT_GE(fadeIn, 2000u);
    EXPECT_LT(fadeIn, 2100u);
    EXPECT_EQ(ctx.brightness, 256);
    // The panel comes at 4 s of the music, not before.
    while (game.now() - start < 3900)
        frame();
    EXPECT_EQ(sprite(11), nullptr);
    while (sprite(11) == nullptr && game.now() - start < 5000)
        frame();
    EXPECT_GE(game.now() - start, 4000u);
    EXPECT_LT(game.now() - start, 4100u);
    // The panel over the right half of the picture.
    EXPECT_EQ(sprite(11)->layer, 30);
    EXPECT_EQ(sprite(10)->layer, 32);
    // The end record at 12 s starts the fade out.
    const uint32_t fadeOut = timeOf(kModeEnding, 3);
    EXPECT_GE(fadeOut, 12000u);
    EXPECT_LT(fadeOut, 12100u);
    ASSERT_TRUE(runTo(kModeScenario, 0, 2000));
    EXPECT_GE(game.now() - start, 14000u);
    EXPECT_EQ(ctx.scenario.scriptName, "after");
    EXPECT_TRUE(ctx.scenarioEngine->window->built());
    EXPECT_EQ(sprite(10), nullptr);
}

TEST_F(EndingTest, AMissingPieceKeepsTheSameTimings) {
    ctx.settings.pcm = 2;
    ctx.sound->applySettings();
    ctx.paths.musicFolder = dir.path().string() + "/";
    startEnding(0);
    const uint32_t fadeOut = timeOf(kModeEnding, 3);
    EXPECT_GE(fadeOut, 12000u);
    EXPECT_LT(fadeOut, 12100u);
}

TEST_F(EndingTest, ATapGoesStraightToTheFollowUpScript) {
    startEnding(0);
    while (game.now() - start < 5000)
        frame();
    ASSERT_NE(sprite(11), nullptr);
    tap(400, 300);
    frame();
    EXPECT_EQ(ctx.scenario.mode, kModeScenario);
    EXPECT_EQ(ctx.scenario.scriptName, "after");
    EXPECT_EQ(ctx.brightness, 256);
    EXPECT_EQ(sprite(10), nullptr);
    EXPECT_EQ(sprite(11), nullptr);
    EXPECT_EQ(ctx.sound->music().currentName(), "");
}

TEST_F(EndingTest, AnEmptyFollowUpLeadsToTheStaffRoll) {
    ctx.screenTables->followUps[1] = "";
    startEnding(1);
    EXPECT_GE(timeOf(kModeStaffRoll, 1), 14000u);
    EXPECT_EQ(ctx.sound->music().currentName(), "27.mp3");
    ASSERT_NE(sprite(10), nullptr);
    // A tap cut-off of the sequence goes to the roll too.
    startEnding(1);
    tap(400, 300);
    frame();
    EXPECT_EQ(ctx.scenario.mode, kModeStaffRoll);
}

TEST_F(EndingTest, ARouteOutsideTheTablesEndsAtTheTitle) {
    // The screen with the fixture's report line.
    ScreenServices services{*ctx.graphics,
                            *ctx.sound,
                            ctx.settings,
                            ctx.input,
                            ctx.random,
                            localTime,
                            ctx.brightness,
                            ctx.scenario,
                            [this](const std::string& line) { reports.push_back(line); },
                            {}};
    ctx.modes.set(kModeEnding, std::make_unique<EndingScreen>(*ctx.scenarioEngine, services,
                                                              *ctx.screenTables, EndingHooks{}));
    startEnding(14);
    EXPECT_EQ(ctx.scenario.mode, kModeOpening);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("route 14"), std::string::npos);
    startEnding(-1);
    EXPECT_EQ(ctx.scenario.mode, kModeOpening);
}

class StaffRollTest : public EndingTest {
  public:
    void startRoll() {
        ctx.scenario.mode = kModeStaffRoll;
        ctx.scenario.subState = 0;
        frame();
        start = game.now();
    }
    // The design-space y of a sprite.
    int y(int n) { return sprite(n)->command.y * 800 / ctx.geometry.width; }
};

TEST_F(StaffRollTest, TwelveSegmentsOnTheEmulatedClockThenTheRecordAndTheLogo) {
    // Long frames: the roll follows the clock, not the frame count.
    ctx.frameTimer.setInterval(250);
    startRoll();
    ASSERT_NE(sprite(10), nullptr);
    EXPECT_EQ(y(10), 600);
    EXPECT_EQ(ctx.sound->music().currentName(), "27.mp3");
    while (game.now() - start < 7000)
        frame();
    // Half a segment: half of 1200 up.
    EXPECT_NEAR(y(10), 0, 25);
    const uint32_t second = timeOf(kModeStaffRoll, 2);
    EXPECT_GE(second, 14000u);
    EXPECT_LT(second, 14300u);
    EXPECT_EQ(y(10), -600);
    ASSERT_NE(sprite(11), nullptr);
    EXPECT_EQ(y(11), 600);
    while (game.now() - start < 21000)
        frame();
    // Picture 1 leaves at the top while picture 2 rises.
    EXPECT_NEAR(y(10), -1200, 25);
    EXPECT_NEAR(y(11), 0, 25);
    EXPECT_GE(timeOf(kModeStaffRoll, 3), 28000u);
    // Picture 3 took picture 1's slot and sprite.
    EXPECT_EQ(y(10), 600);
    EXPECT_EQ(y(11), -600);
    EXPECT_GE(timeOf(kModeStaffRoll, 12), 154000u);
    // The last picture is 800 x 600.
    ASSERT_NE(sprite(11), nullptr);
    EXPECT_EQ(sprite(11)->command.source.height(), ctx.geometry.toScreen(600));
    EXPECT_FALSE(std::filesystem::exists(systemRecord()));
    EXPECT_GE(timeOf(kModeStaffRoll, 13), 168000u);
    EXPECT_EQ(sprite(10), nullptr);
    EXPECT_EQ(sprite(11), nullptr);
    ASSERT_TRUE(runTo(kModeOpening, 0, 100));
    EXPECT_GE(game.now() - start, 171000u);
    EXPECT_TRUE(recordWritten());
}

TEST_F(StaffRollTest, ATapEndsTheRollWithTheRecordAndTheLogo) {
    startRoll();
    while (game.now() - start < 20000)
        frame();
    EXPECT_FALSE(std::filesystem::exists(systemRecord()));
    key(ctx.keyList.vkC);
    frame();
    EXPECT_EQ(ctx.scenario.mode, kModeOpening);
    EXPECT_TRUE(recordWritten());
    EXPECT_EQ(sprite(10), nullptr);
    EXPECT_EQ(ctx.sound->music().currentName(), "");
}

}  // namespace
}  // namespace marlit::test
