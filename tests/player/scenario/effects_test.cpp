// The shakes, the background scroll, the place caption, the petals and the
// day end.
#include "player/core/mode_screen.h"
#include "tests/player/scenario/scenario_fixture.h"

namespace marlit::test {
namespace {

using Effects = ScenarioTest;

// Runs frames `ms` apart until the command at position 0 is done; returns
// the offsets seen with the time each was first seen.
std::vector<std::pair<int, uint32_t>> shakeTrace(ScenarioTest& t, uint32_t ms, bool horizontal) {
    std::vector<std::pair<int, uint32_t>> seen;
    for (int i = 0; i < 1000 && t.state.position == 0; ++i) {
        t.time += ms;
        t.engine.Step();
        const int offset = horizontal ? t.shakeX : t.shakeY;
        EXPECT_EQ(horizontal ? t.shakeY : t.shakeX, 0);
        if (seen.empty() || seen.back().first != offset)
            seen.push_back({offset, t.time});
    }
    return seen;
}

TEST_F(Effects, AShakeHasFourPhasesOfMoreThanFiftyMsAtAnyFrameRate) {
    for (uint32_t ms : {1u, 16u, 33u, 100u}) {
        for (bool horizontal : {true, false}) {
            ScriptBuilder s;
            s.word(13, horizontal ? 4 : 6, 0).word(13, 4, 0);
            play(s);
            auto seen = shakeTrace(*this, ms, horizontal);
            ASSERT_EQ(seen.size(), 5u) << ms << " ms";
            EXPECT_EQ(seen[0].first, 8);
            EXPECT_EQ(seen[1].first, -8);
            EXPECT_EQ(seen[2].first, 8);
            EXPECT_EQ(seen[3].first, -8);
            EXPECT_EQ(seen[4].first, 0);
            for (int i = 0; i < 4; ++i)
                EXPECT_GE(seen[i + 1].second - seen[i].second, 51u) << ms << " ms, phase " << i;
        }
    }
    // At 16 ms frames each phase spans four frames.
    ScriptBuilder s;
    s.word(13, 4, 0).word(13, 4, 0);
    play(s);
    int frames = 0;
    while (state.position == 0) {
        step(16);
        ++frames;
    }
    EXPECT_EQ(frames, 1 + 4 * 4);
}

class WideEffects : public ScenarioTest {
  protected:
    WideEffects() : ScenarioTest(640) {}
};

TEST_F(WideEffects, TheShakeIsSixteenPixelsOnTheWideScreen) {
    ScriptBuilder s;
    s.word(13, 6, 0).word(13, 4, 0);
    play(s);
    step();
    EXPECT_EQ(shakeY, 16);
}

TEST_F(Effects, TheWindowSwitchGoesOn) {
    ScriptBuilder s;
    s.word(13, 1, 0)
        .quad('X', 0, 1, 1, 0)
        .word(13, 0, 0)
        .word(13, 9, 0)
        .quad('X', 0, 2, 1, 0)
        .word(13, 4, 0);
    std::vector<bool> shown;
    engine.showWindow = [&](bool on) { shown.push_back(on); };
    play(s);
    step();
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));
    EXPECT_EQ(engine.vars.get(0, 2), 1);
    EXPECT_EQ(state.windowShown, 0);
}

TEST_F(Effects, TheScrollTakesThreeSecondsOrAClick) {
    const std::vector<std::string> pics = {"AdvData\\grp\\BG\\umi_01.rbp"};
    ScriptBuilder s;
    s.text('.', "BG\\umi_01")
        .quad('^', 0, 100, 1, 0)
        .quad('^', 400, static_cast<uint16_t>(-200), 0, 0)
        .quad('X', 0, 1, 1, 0)
        .word(13, 4, 0);
    play(s, pics);
    state.windowShown = 1;
    step();  // the first entry of the scroll
    EXPECT_EQ(state.backgroundY, 100);
    EXPECT_EQ(state.windowShown, 0);
    step(1500);
    auto at = engine.pictures.position(28);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->x, 200);
    EXPECT_EQ(at->y, -50);
    EXPECT_EQ(state.backgroundX, 0);  // the stored position stays
    EXPECT_EQ(engine.vars.get(0, 1), 0);
    step(1500);
    at = engine.pictures.position(28);
    EXPECT_EQ(at->x, 400);
    EXPECT_EQ(at->y, -200);
    EXPECT_EQ(state.windowShown, 1);
    EXPECT_EQ(engine.vars.get(0, 1), 1);

    // A click ends it at once and is used up.
    play(s, pics);
    step();
    step(100);
    input.tap = 1;
    step(16);
    EXPECT_EQ(input.tap, 0);
    EXPECT_EQ(engine.pictures.position(28)->x, 400);
    EXPECT_EQ(engine.vars.get(0, 1), 1);

    // Without effects the background jumps there in the same frame.
    settings.effectUse = 0;
    play(s, pics);
    step();
    EXPECT_EQ(engine.pictures.position(28)->x, 400);
    EXPECT_EQ(engine.vars.get(0, 1), 1);
}

TEST_F(Effects, ThePlaceCaptionFadesInStaysAndFadesOut) {
    const std::vector<std::string> pics = {"AdvData\\grp\\BG\\umi_01.rbp",
                                           "AdvData\\grp\\BG\\hai_01.rbp",
                                           "AdvData\\grp\\system\\place.rbp"};
    ScriptBuilder s;
    s.text('.', "BG\\umi_01").word(7, 0, 0);
    play(s, pics);
    step();
    ASSERT_TRUE(engine.pictures.exists(257));
    EXPECT_EQ(engine.caption.place(), 5);
    EXPECT_EQ(compositor.sprite(257)->layer, 8);
    EXPECT_EQ(engine.pictures.position(257)->x, 592);
    EXPECT_EQ(compositor.sprite(257)->command.opacity, 0);
    // Place 5: column 0, row 5.
    EXPECT_EQ(compositor.sprite(257)->command.source.top, 161 * 320 / 800);
    step(500);
    EXPECT_EQ(compositor.sprite(257)->command.opacity, 128);
    step(600);
    EXPECT_EQ(compositor.sprite(257)->command.opacity, 256);
    step(2400);  // 3500 ms: fading out
    EXPECT_EQ(compositor.sprite(257)->command.opacity, 128);
    step(500);
    EXPECT_FALSE(engine.pictures.exists(257));
    EXPECT_EQ(engine.caption.place(), -1);

    // The same place again shows nothing; loading a script forgets it.
    state.position = 0;
    engine.pictures.remove(28);
    engine.pictures.free(28);
    step();
    EXPECT_TRUE(engine.pictures.exists(28));
    EXPECT_FALSE(engine.pictures.exists(257));
    settings.bgNameDisp = 0;
    play(s, pics);
    step();
    EXPECT_FALSE(engine.pictures.exists(257));
    settings.bgNameDisp = 1;
    ScriptBuilder t;
    t.text('.', "BG\\hai_01").word(7, 0, 0);
    play(t, pics);
    step();
    EXPECT_EQ(engine.caption.place(), 8);
    // A jump removes it.
    ScriptBuilder u;
    u.text('.', "BG\\hai_01").text('6', "staff");
    play(u, pics);
    step();
    EXPECT_FALSE(engine.pictures.exists(257));
}

TEST_F(Effects, PetalsFallAtTheirPeriodAndStopOnLoad) {
    const std::vector<std::string> pics = {"AdvData\\grp\\system\\sacra01.rbp",
                                           "AdvData\\grp\\system\\sacra02.rbp"};
    // One pass of 32 ms per 16 ms frame.
    auto aliveAfter = [&](int strength, int frames) {
        ScriptBuilder s;
        s.word('+', 1, static_cast<uint8_t>(strength)).word(7, 0, 0);
        play(s, pics);
        step(0);
        EXPECT_EQ(engine.petals.kind(), 1);
        EXPECT_EQ(engine.petals.period(), 20 - 4 * std::min(strength, 4));
        EXPECT_TRUE(engine.pictures.holds(3));
        for (int i = 0; i < frames; ++i)
            step(16);
        return engine.petals.alive();
    };
    // Period 4: an attempt every 4 passes, a petal every fifth attempt: one
    // petal per 20 passes, none gone in that time.
    EXPECT_EQ(aliveAfter(4, 100), 5);
    ASSERT_TRUE(engine.pictures.exists(128));
    EXPECT_EQ(compositor.sprite(128)->layer, 6);
    EXPECT_EQ(compositor.sprite(128)->command.opacity, 128);
    EXPECT_FALSE(compositor.sprite(128)->frames.empty());
    const int y0 = engine.pictures.position(128)->y;
    step(320);
    EXPECT_GT(engine.pictures.position(128)->y, y0);
    // Period 20: one petal per 100 passes.
    EXPECT_EQ(aliveAfter(0, 100), 1);
    // After long enough every petal has left the screen at the bottom.
    for (int i = 0; i < 2000 && engine.pictures.exists(128); ++i)
        step(16);
    EXPECT_FALSE(engine.pictures.exists(128));

    // Loading a script stops them.
    ASSERT_TRUE(engine.LoadScript("test"));
    EXPECT_EQ(engine.petals.kind(), 0);
    EXPECT_EQ(engine.petals.alive(), 0);
    EXPECT_FALSE(engine.pictures.holds(3));

    // With petals off only the kind and period are kept; other b1 stop.
    settings.petalsAllowed = 0;
    ScriptBuilder s;
    s.word('+', 4, 2).word(7, 0, 0);
    play(s, pics);
    step();
    EXPECT_EQ(engine.petals.kind(), 2);
    EXPECT_EQ(engine.petals.period(), 12);
    EXPECT_FALSE(engine.petals.active());
    ScriptBuilder t;
    t.word('+', 4, 2).word('+', 2, 0).word('+', 3, 0).word(7, 0, 0);
    play(t, pics);
    step();
    EXPECT_EQ(engine.petals.kind(), 0);
}

class DayEnd : public ScenarioTest {
  protected:
    void endDayOn(int month, int day, int selector, uint8_t w = 0) {
        engine.pictures.clearAll();
        ScriptBuilder s;
        s.wordW(4, static_cast<uint16_t>(selector))
            .word(27, w, 0)
            .quad('X', 0, 1, 1, 0)
            .quad('`', 0, 0, 0, 0)
            .quad('X', 0, 2, 1, 0)
            .word(13, 4, 0);
        play(s, {"AdvData\\grp\\bg\\i_duzo.rbp", "AdvData\\grp\\bg\\i_etc.rbp",
                 "AdvData\\grp\\system\\iday.rbp"});
        engine.vars.set(var::kMonth, month);
        engine.vars.set(var::kDay, day);
        engine.vars.set(var::kWeekday, 4);
        engine.vars.set(var::kCardHeroine, 0);
        step();
    }
};

TEST_F(DayEnd, BeforeTheSeventhOfMarchTheMapOrTheDayChangeFollows) {
    endDayOn(3, 6, 9);
    EXPECT_EQ(state.mode, kModeDayChange);
    EXPECT_TRUE(engine.record.taken);
    endDayOn(3, 6, 8);
    EXPECT_EQ(state.mode, kModeMap);
    endDayOn(2, 28, 0);
    EXPECT_EQ(state.mode, kModeMap);
    EXPECT_EQ(state.subState, 0);
    // Selector 1 with w 1, or no date at all, shows the card.
    endDayOn(3, 1, 1, 1);
    EXPECT_EQ(state.mode, kModeScenario);
    EXPECT_TRUE(engine.pictures.exists(10));
    endDayOn(0, 0, 0);
    EXPECT_EQ(state.mode, kModeScenario);
    EXPECT_TRUE(engine.pictures.exists(10));
    EXPECT_FALSE(engine.pictures.exists(11));  // month 0: no date
}

TEST_F(DayEnd, OnTheSeventhOfMarchTheDayCardShowsTheDate) {
    endDayOn(3, 7, 9);
    EXPECT_EQ(state.mode, kModeScenario);
    EXPECT_EQ(engine.vars.get(var::kHalfDay), 1);
    EXPECT_TRUE(sound.saw("stop music"));
    EXPECT_EQ(engine.pictures.path(10), "AdvData\\grp\\bg\\i_duzo.rbp");
    EXPECT_EQ(compositor.sprite(10)->layer, 24);
    auto at = [&](int sprite) {
        return engine.pictures.position(sprite).value_or(DesignPoint{-1, -1});
    };
    EXPECT_EQ(at(11).x, 592);
    EXPECT_EQ(at(11).y, 400);
    EXPECT_EQ(at(12).x, 608);
    EXPECT_FALSE(engine.pictures.exists(13));  // one digit
    EXPECT_EQ(at(14).x, 640);
    EXPECT_EQ(at(15).x, 656);
    EXPECT_EQ(at(16).x, 672);
    EXPECT_EQ(compositor.sprite(16)->command.source.left, (208 + 48 * 4) * 320 / 800);
    step(2000);
    EXPECT_TRUE(engine.pictures.exists(10));
    step(1001);
    EXPECT_FALSE(engine.pictures.exists(10));
    EXPECT_FALSE(engine.pictures.exists(16));
    EXPECT_FALSE(engine.pictures.holds(11));
    EXPECT_EQ(engine.vars.get(0, 1), 0);  // skipped to the "`"
    step();
    EXPECT_EQ(engine.vars.get(0, 2), 1);

    // A two-digit day, another heroine, and a click.
    endDayOn(3, 14, 0);
    EXPECT_TRUE(engine.pictures.exists(13));
    EXPECT_EQ(at(14).x, 656);
    input.press[kPressC] = 1;
    step();
    EXPECT_FALSE(engine.pictures.exists(10));
    EXPECT_EQ(input.press[kPressC], 2);

    engine.vars.set(var::kCardHeroine, 0);
    ScriptBuilder s;
    s.word(27, 0, 0).quad('`', 0, 0, 0, 0);
    play(s, {"AdvData\\grp\\bg\\i_etc.rbp", "AdvData\\grp\\system\\iday.rbp"});
    engine.vars.set(var::kMonth, 4);
    engine.vars.set(var::kCardHeroine, 20);
    step();
    EXPECT_EQ(engine.pictures.path(10), "AdvData\\grp\\bg\\i_etc.rbp");
    EXPECT_EQ(engine.pictures.position(11)->y, 344);
}

}  // namespace
}  // namespace marlit::test
