// The day-change screen through the frame tick: its fade, the three choices
// on keys and taps, the choice the story reads, and the day's script.
#include "player/screens/day_change_screen.h"
#include "tests/player/screens/framing_fixture.h"

namespace marlit::test {
namespace {

class DayChangeTest : public FramingTest {
  public:
    void SetUp() override {
        FramingTest::SetUp();
        ScriptBuilder hold;
        hold.label("hold").quad('^', 0, 0, 0, 0).text(';', "hold");
        pack({{"AdvData\\grp\\system\\TimerBack.rbp", {800, 600}},
              {"AdvData\\grp\\system\\timerchip.rbp", {736, 544}}},
             {{"0225d_f03", hold}});
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
        tables.dayScripts[25] = "0225d_f03";
        screen = static_cast<DayChangeScreen*>(ctx.modes.set(
            kModeDayChange,
            std::make_unique<DayChangeScreen>(*ctx.scenarioEngine, services, tables)));
        ctx.scenarioEngine->vars.set(var::kDay, 25);
        ctx.scenario.mode = kModeDayChange;
        ctx.scenario.subState = 0;
    }
    ScreenTables tables;
    DayChangeScreen* screen = nullptr;
};

TEST_F(DayChangeTest, KeysChooseAndTheDaysScriptFollows) {
    frame();
    const uint32_t start = game.now();
    EXPECT_EQ(ctx.brightness, 0);
    ASSERT_NE(sprite(14), nullptr);
    ASSERT_TRUE(runTo(kModeDayChange, 2, 200));
    EXPECT_GE(game.now() - start, 1000u);
    key(ctx.keyList.vkUp);
    frame();
    EXPECT_EQ(screen->selection(), 2);
    EXPECT_NE(sprite(15), nullptr);
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(screen->selection(), 0);
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(screen->selection(), 1);
    key(ctx.keyList.vkC);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 3);
    EXPECT_EQ(ctx.scenarioEngine->vars.get(var::kDayChoice), 1);
    ASSERT_TRUE(runTo(kModeScenario, 0, 200));
    EXPECT_EQ(ctx.scenario.scriptName, "0225d_f03");
    EXPECT_EQ(sprite(10), nullptr);
    EXPECT_EQ(ctx.brightness, 256);
}

TEST_F(DayChangeTest, ATapOutsideTheChoicesClearsTheSelectionOnly) {
    ASSERT_TRUE(runTo(kModeDayChange, 2, 200));
    tap(560 + 10, 392 + 80 + 10);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 3);
    EXPECT_EQ(ctx.scenarioEngine->vars.get(var::kDayChoice), 2);
    ctx.scenario.subState = 0;
    ASSERT_TRUE(runTo(kModeDayChange, 2, 200));
    key(ctx.keyList.vkDown);
    frame();
    ASSERT_EQ(screen->selection(), 0);
    tap(100, 100);
    frame();
    EXPECT_EQ(screen->selection(), DayChangeScreen::kNone);
    EXPECT_EQ(ctx.scenario.subState, 2);
    EXPECT_EQ(sprite(15), nullptr);
}

TEST_F(DayChangeTest, ADayWithoutAScriptGoesBackToTheTitleWithALine) {
    ctx.scenarioEngine->vars.set(var::kDay, 2);
    ASSERT_TRUE(runTo(kModeDayChange, 2, 200));
    key(ctx.keyList.vkDown);
    frame();
    key(ctx.keyList.vkC);
    frame();
    ASSERT_TRUE(runTo(kModeOpening, 0, 200));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("day 2"), std::string::npos);
}

}  // namespace
}  // namespace marlit::test
