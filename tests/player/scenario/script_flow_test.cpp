// Loading scripts and the commands that steer them.
#include "player/core/mode_screen.h"
#include "tests/player/scenario/scenario_fixture.h"

namespace marlit::test {
namespace {

using Flow = ScenarioTest;

TEST_F(Flow, LoadingSetsTheCalendarFromTheLabel) {
    ScriptBuilder s;
    s.word(17, 0, 0);
    pack({{"0226b_s01", s}, {"all_end", s}, {"05--a_y01", s}, {"0905a_x01", s}});
    engine.StartNewGame();
    ASSERT_TRUE(engine.LoadScript("0226b_s01"));
    EXPECT_EQ(engine.vars.get(var::kMonth), 2);
    EXPECT_EQ(engine.vars.get(var::kDay), 26);
    EXPECT_EQ(engine.vars.get(var::kWeekday), 2);  // (26 + 4) mod 7
    ASSERT_TRUE(engine.LoadScript("all_end"));
    ASSERT_TRUE(engine.LoadScript("05--a_y01"));
    EXPECT_EQ(engine.vars.get(var::kMonth), 2);
    EXPECT_EQ(engine.vars.get(var::kDay), 26);
    EXPECT_EQ(engine.vars.get(var::kWeekday), 2);
    // September sets the date but keeps the weekday.
    ASSERT_TRUE(engine.LoadScript("0905a_x01"));
    EXPECT_EQ(engine.vars.get(var::kMonth), 9);
    EXPECT_EQ(engine.vars.get(var::kDay), 5);
    EXPECT_EQ(engine.vars.get(var::kWeekday), 2);
}

TEST_F(Flow, LoadingPicksTheLeadingRouteLowestOnTies) {
    ScriptBuilder s;
    s.word(17, 0, 0);
    pack({{"a", s}});
    engine.StartNewGame();
    for (int i = 0; i < 13; ++i)
        engine.vars.set(var::kRouteScores + i, -3);
    engine.vars.set(var::kLeadingRoute, 9);
    ASSERT_TRUE(engine.LoadScript("a"));
    EXPECT_EQ(engine.vars.get(var::kLeadingRoute), 0);
    engine.vars.set(var::kRouteScores + 3, 5);
    engine.vars.set(var::kRouteScores + 7, 5);
    engine.vars.set(var::kRouteScores + 12, 4);
    ASSERT_TRUE(engine.LoadScript("a"));
    EXPECT_EQ(engine.vars.get(var::kLeadingRoute), 3);
    engine.vars.set(var::kRouteScores + 12, 6);
    ASSERT_TRUE(engine.LoadScript("a"));
    EXPECT_EQ(engine.vars.get(var::kLeadingRoute), 12);
}

TEST_F(Flow, LoadingResetsTheScriptStateAndListsItOnce) {
    ScriptBuilder s;
    s.wordW(3, 7).word(13, 4, 0);
    pack({{"AdvData\\x\\scene", s}, {"other", s}});
    engine.StartNewGame();
    ASSERT_TRUE(engine.LoadScript("AdvData\\x\\scene"));
    step();
    step(60);
    EXPECT_EQ(state.message, 7);
    EXPECT_NE(shakeX, 0);
    ASSERT_TRUE(engine.LoadScript("other"));
    ASSERT_TRUE(engine.LoadScript("OTHER"));
    EXPECT_EQ(state.position, 0u);
    EXPECT_EQ(state.repeat, 0);
    EXPECT_EQ(state.message, 0);
    EXPECT_EQ(shakeX, 0);
    EXPECT_EQ(engine.seen.scripts(), (std::vector<std::string>{"scene", "other"}));
    EXPECT_TRUE(sound.saw("stop effect"));
}

TEST_F(Flow, VariableArithmeticWrapsAtSixteenBits) {
    ScriptBuilder s;
    s.quad('X', 1, 2, 32767, 0)    // v = 32767
        .quad('X', 1, 2, 1, 1)     // + 1 wraps
        .quad('X', 1, 3, 7, 0)     // 7
        .quad('X', 1, 3, 2, 4)     // 7 / 2 = 3
        .quad('X', 1, 4, 100, 0)   // 100
        .quad('X', 1, 4, 3, 2)     // 97
        .quad('X', 1, 4, 1000, 3)  // 97000 stored as 16 bits
        .quad('X', 1, 5, 9, 0)
        .quad('X', 1, 5, 9, 7)  // no change
        .quad('Y', 2, 0, 1, 2)  // copy
        .word(13, 4, 0);
    play(s);
    step();
    EXPECT_EQ(engine.vars.get(1, 2), -32768);
    EXPECT_EQ(engine.vars.get(1, 3), 3);
    EXPECT_EQ(engine.vars.get(1, 4), static_cast<int16_t>(97000 & 0xFFFF));
    EXPECT_EQ(engine.vars.get(1, 5), 9);
    EXPECT_EQ(engine.vars.get(2, 0), -32768);
    EXPECT_TRUE(reports.empty());
}

TEST_F(Flow, OutOfRangeVariablesAndDivisionByZeroSkipOneCommand) {
    ScriptBuilder s;
    s.quad('X', 1, 0, 50, 0)
        .quad('X', 1, 0, 0, 4)      // division by zero: skipped
        .quad('X', 255, 256, 1, 0)  // 65 536: skipped
        .quad('Y', 1, 1, 300, 0)    // from 76 800: skipped
        .quad('[', 255, 255, 0, 0)  // the last variable is fine
        .quad('X', 1, 1, 2, 0)
        .word(7, 0, 0);
    play(s);
    step();
    EXPECT_EQ(engine.vars.get(1, 0), 50);
    EXPECT_EQ(engine.vars.get(1, 1), 2);
    EXPECT_EQ(state.condition, 1);
    ASSERT_EQ(reports.size(), 3u) << ::testing::PrintToString(reports);
    EXPECT_NE(reports[0].find("by zero"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("script test at position 9"), std::string::npos) << reports[0];
    EXPECT_NE(reports[1].find("65536"), std::string::npos) << reports[1];
    EXPECT_EQ(state.mode, kModeScenario);
}

TEST_F(Flow, CompareTakesTheOperandUnsigned) {
    ScriptBuilder t;
    t.quad('X', 0, 20, 65535, 0).quad('[', 0, 20, 65535, 0).word(13, 4, 0);
    play(t);
    state.condition = 1;
    step();
    EXPECT_EQ(engine.vars.get(0, 20), -1);
    EXPECT_EQ(state.condition, 0);

    struct Case {
        uint16_t op;
        int expect;
    };
    for (Case c : {Case{1, 1}, Case{2, 0}, Case{3, 1}, Case{4, 0}, Case{5, 1}}) {
        ScriptBuilder u;
        u.quad('X', 0, 20, 65535, 0).quad('[', 0, 20, 65535, c.op).word(13, 4, 0);
        play(u);
        state.condition = 1 - c.expect;
        step();
        EXPECT_EQ(state.condition, c.expect) << "w4 = " << c.op;
    }
    // Another w4 leaves the flag.
    ScriptBuilder v;
    v.quad('[', 0, 20, 0, 6).word(13, 4, 0);
    play(v);
    state.condition = 1;
    step();
    EXPECT_EQ(state.condition, 1);
}

TEST_F(Flow, ConditionalBlocksSkipToTheirEnd) {
    ScriptBuilder s;
    s.quad('[', 0, 30, 1, 0)  // false
        .word(2, 5, 0)
        .quad('X', 0, 31, 1, 0)
        .word(31, 9, 4)  // another block's end
        .word(31, 0, 5)  // this block's end: the number is the second byte
        .quad('X', 0, 32, 1, 0)
        .quad('[', 0, 30, 0, 0)  // true
        .word(2, 6, 0)
        .quad('X', 0, 33, 1, 0)
        .word(31, 0, 6)
        .word(13, 4, 0);
    play(s);
    step();
    EXPECT_EQ(engine.vars.get(0, 31), 0);
    EXPECT_EQ(engine.vars.get(0, 32), 1);
    EXPECT_EQ(engine.vars.get(0, 33), 1);
}

TEST_F(Flow, JumpsFindLabelsIgnoringAsciiCase) {
    ScriptBuilder s;
    s.text(';', "later")
        .quad('X', 0, 40, 1, 0)
        .label("LATER")
        .quad('X', 0, 41, 1, 0)
        .word(13, 4, 0);
    play(s);
    step();
    EXPECT_EQ(engine.vars.get(0, 40), 0);
    EXPECT_EQ(engine.vars.get(0, 41), 1);
}

TEST_F(Flow, JumpToAnotherScriptLoadsItAndEndsTheFrame) {
    ScriptBuilder first;
    first.wordW(3, 4).text('6', "0301a_b02").quad('X', 0, 50, 1, 0);
    ScriptBuilder second;
    second.quad('X', 0, 51, 1, 0).word(13, 4, 0);
    pack({{"first", first}, {"0301a_b02", second}});
    engine.StartNewGame();
    ASSERT_TRUE(engine.LoadScript("first"));
    step();
    EXPECT_EQ(state.scriptName, "0301a_b02");
    EXPECT_EQ(state.position, 0u);
    EXPECT_EQ(engine.vars.get(0, 51), 0);
    EXPECT_TRUE(engine.readLog.isRead("first", 4));
    EXPECT_EQ(engine.vars.get(var::kMonth), 3);
    step();
    EXPECT_EQ(engine.vars.get(0, 51), 1);
    EXPECT_EQ(engine.vars.get(0, 50), 0);
}

TEST_F(Flow, SpecialJumpsLeaveTheScenario) {
    struct Case {
        const char* target;
        int mode;
        int subState;
        int ending;
    };
    for (Case c : {Case{"staff", kModeStaffRoll, 0, 0}, Case{"SC_END", kModeSceneGallery, 30, 0},
                   Case{"roll_b", kModeEnding, 0, 10}, Case{"ROLL_N", kModeEnding, 0, 0},
                   Case{"roll_r", kModeEnding, 0, 12}, Case{"main", kModeOpening, 0, 0}}) {
        ScriptBuilder s;
        s.text('6', c.target);
        play(s);
        state.subState = 5;
        state.ending = 0;
        step();
        EXPECT_EQ(state.mode, c.mode) << c.target;
        EXPECT_EQ(state.subState, c.subState) << c.target;
        EXPECT_EQ(state.ending, c.ending) << c.target;
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(Flow, BrokenScriptsStopTheScenarioWithOneLine) {
    struct Case {
        ScriptBuilder script;
        const char* says;
    };
    std::vector<Case> cases;
    cases.push_back({ScriptBuilder().quad('X', 0, 1, 1, 0).raw({1}), "position 9"});
    cases.push_back({ScriptBuilder().quad('X', 0, 1, 1, 0).raw({'X', 1, 2}), "position 9"});
    cases.push_back({ScriptBuilder().quad('X', 0, 1, 1, 0), "position 9"});
    cases.push_back({ScriptBuilder().text(';', "nowhere"), "nowhere"});
    cases.push_back({ScriptBuilder().word(2, 3, 0).word(31, 0, 4), "block 3"});
    cases.push_back({ScriptBuilder().text('6', "missing"), "missing"});
    for (Case& c : cases) {
        reports.clear();
        play(c.script);
        engine.vars.set(0, 1, 0);
        step();
        EXPECT_EQ(state.mode, kModeOpening) << c.says;
        EXPECT_EQ(engine.script(), nullptr) << c.says;
        ASSERT_EQ(reports.size(), 1u) << c.says;
        EXPECT_NE(reports[0].find("script test"), std::string::npos) << reports[0];
        EXPECT_NE(reports[0].find(c.says), std::string::npos) << reports[0];
    }
    // A script that is not in the pack.
    EXPECT_FALSE(engine.LoadScript("absent"));
    EXPECT_NE(engine.loadError().find("AdvData\\mes\\absent.mes"), std::string::npos);
}

TEST_F(Flow, RepeatCountsTheFramesACommandWaits) {
    ScriptBuilder s;
    s.word(13, 6, 0).word(17, 0, 0).word(13, 4, 0);
    play(s);
    step();
    EXPECT_EQ(state.repeat, 1);
    step(10);
    EXPECT_EQ(state.repeat, 2);
    for (int i = 0; i < 20 && state.position == 0; ++i)
        step(60);
    EXPECT_EQ(state.position, 3u);
    EXPECT_EQ(state.repeat, 0);
    step();  // 17, then the next shake starts and waits
    EXPECT_EQ(state.position, 6u);
    EXPECT_EQ(state.repeat, 1);
}

TEST_F(Flow, TextCommandsStepOverUntilTheWindowTakesThem) {
    ScriptBuilder s;
    s.raw({'K', 4, 1, 2})
        .quad('X', 0, 1, 1, 0)
        .raw({'K', 4, 9, 9})
        .text('L', "abc")
        .word(7, 0, 0)
        .word(8, 0, 0)
        .text('E', "x")
        .text('M', "y")
        .word(9, 0, 0)
        .quad('X', 0, 2, 1, 0)
        .word(13, 4, 0);
    engine.setHandler(7, nullptr);
    play(s);
    step();
    EXPECT_EQ(engine.vars.get(0, 1), 1);
    EXPECT_EQ(engine.vars.get(0, 2), 1);
    // A handler plugged in takes its command.
    engine.setHandler('L', [](ScenarioEngine& e, const Command& c) {
        e.vars.set(0, 3, static_cast<int>(c.text.size()));
        e.state.position = c.next;
        return StepResult::Continue;
    });
    play(s);
    step();
    EXPECT_EQ(engine.vars.get(0, 3), 3);
}

TEST_F(Flow, AnEndlessLoopOfJumpsEndsEachFrameAndSaysSoOnce) {
    ScriptBuilder s;
    s.label("top").quad('X', 0, 1, 1, 1).text(';', "top");
    play(s);
    engine.commandsPerStepLimit = 300;
    step();
    EXPECT_EQ(engine.vars.get(0, 1), 100);
    step();
    EXPECT_EQ(engine.vars.get(0, 1), 200);
    EXPECT_EQ(state.mode, kModeScenario);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("300 commands in one frame"), std::string::npos) << reports[0];
}

}  // namespace
}  // namespace marlit::test
