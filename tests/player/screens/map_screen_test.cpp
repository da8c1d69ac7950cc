// The map through the frame tick: the half-day and the schedule row, the
// two maps, the icons and the date, the places on keys and taps with their
// previews, pointer and crowd voices, and the chosen place's script.
#include "player/screens/map_screen.h"

#include "base/files.h"
#include "player/sound/sound_mixer.h"
#include "tests/player/screens/framing_fixture.h"
#include "tests/support/played_sound.h"

namespace marlit::test {
namespace {

class MapTest : public FramingTest {
  public:
    void SetUp() override {
        FramingTest::SetUp();
        ScriptBuilder hold;
        hold.label("hold").quad('^', 0, 0, 0, 0).text(';', "hold");
        pack({{"AdvData\\grp\\system\\map_a.rbp", {800, 600}},
              {"AdvData\\grp\\system\\map_p.rbp", {800, 600}},
              {"AdvData\\grp\\system\\map_achip.rbp", {984, 504}},
              {"AdvData\\grp\\system\\map_pchip.rbp", {984, 504}},
              {"AdvData\\grp\\system\\saveicon.rbp", {448, 168}},
              {"AdvData\\grp\\system\\Messwin.rbp", {800, 600}}},
             {{"0225c_s01", hold}, {"0225c_ns01", hold}});
        ctx.graphics->loadPicture(1, "AdvData\\grp\\system\\Messwin.rbp", true);
        tables.icons['n' - 'a'] = 0;
        tables.icons['s' - 'a'] = 1;
        for (int i = 0; i < 9; ++i) {
            tables.places[0][static_cast<size_t>(i)] = {100 + 10 * i, 200, 300, 50 + i};
            tables.places[1][static_cast<size_t>(i)] = {500 + 10 * i, 300, 200, 60 + i};
        }
        for (auto& row : tables.schedule)
            row[0] = {"0225c_s01", ""};
        ScheduleCell& s = tables.schedule[1][3];
        s = {"0225c_s01", "VOICE\\GAYA\\gaya_s01.mp3"};
        tables.schedule[1][2] = {"0225c_ns01", "VOICE\\GAYA\\gaya_ns01.mp3"};
        tables.schedule[1][5] = {"0225c_x01", ""};
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
        screen = static_cast<MapScreen*>(ctx.modes.set(
            kModeMap, std::make_unique<MapScreen>(*ctx.scenarioEngine, services, tables)));
        setDate(2, 25, 1);
        ctx.scenario.mode = kModeMap;
        ctx.scenario.subState = 0;
    }
    void setDate(int month, int day, int weekday) {
        ScenarioVars& v = ctx.scenarioEngine->vars;
        v.set(var::kMonth, month);
        v.set(var::kDay, day);
        v.set(var::kWeekday, weekday);
    }
    // The voice pack with the crowd voices of places 2 and 3.
    void voicePack() {
        const std::string clip =
            encodeMp3(dir.path().string(), "clip.mp3", sineWave(22050, 1, 2.0, 660, 8000),
                      {"-b", "32", "-m", "m"});
        ASSERT_FALSE(clip.empty());
        auto bytes = readWhole(clip);
        ASSERT_TRUE(bytes.has_value());
        ctx.paths.voicePack = dir.file("voice.mlz");
        ASSERT_TRUE(writePack(ctx.paths.voicePack, {{"VOICE\\GAYA\\gaya_s01.mp3", *bytes},
                                                    {"VOICE\\GAYA\\gaya_ns01.mp3", *bytes}}));
    }
    // A source rectangle of the design space as the sprite holds it.
    Rect source(int x, int y, int w, int h) const {
        const ScreenGeometry& g = ctx.geometry;
        const int left = g.toScreen(x), top = g.toScreen(y);
        return {left, top, left + g.toScreen(w), top + g.toScreen(h)};
    }
    // The design-space top-left of a sprite.
    DesignPoint at(int n) {
        const Sprite* s = sprite(n);
        return {s->command.x * 800 / ctx.geometry.width, s->command.y * 800 / ctx.geometry.width};
    }
    bool voicePlaying() { return ctx.soundMixer->playing(2); }

    ScreenTables tables;
    MapScreen* screen = nullptr;
};

TEST_F(MapTest, TheHalfDayFlipsAndPicksTheRowAndTheMap) {
    frame();
    EXPECT_EQ(screen->halfDay(), 1);
    EXPECT_EQ(screen->row(), 1);
    EXPECT_EQ(screen->variant(), 1);
    EXPECT_EQ(ctx.brightness, 0);
    EXPECT_EQ(ctx.sound->music().currentName(), "09.mp3");
    // The next visit on the same day: the first half, the day map.
    ctx.scenario.subState = 0;
    frame();
    EXPECT_EQ(screen->halfDay(), 0);
    EXPECT_EQ(screen->row(), 0);
    EXPECT_EQ(screen->variant(), 0);
    // 6 March, second half: the last row.
    setDate(3, 6, 3);
    ctx.scenario.subState = 0;
    frame();
    EXPECT_EQ(screen->row(), 19);
    // A day outside the schedule keeps the day's pair and takes the half.
    setDate(3, 9, 6);
    ctx.scenario.subState = 0;
    frame();
    EXPECT_EQ(screen->row(), 18);
    ctx.scenario.subState = 0;
    frame();
    EXPECT_EQ(screen->row(), 19);
}

TEST_F(MapTest, DayThreeShowsTheEveningMapWhateverTheHalfDay) {
    setDate(3, 3, 0);
    ctx.scenarioEngine->vars.set(var::kHalfDay, 1);
    frame();
    EXPECT_EQ(screen->halfDay(), 0);
    EXPECT_EQ(screen->row(), 12);
    EXPECT_EQ(screen->variant(), 1);
    // The evening map's places: the icon 6 below the pointer.
    EXPECT_EQ(at(30).x, tables.places[1][0].pointerX);
    EXPECT_NEAR(at(30).y, tables.places[1][0].pointerY + 6, 3);
}

TEST_F(MapTest, IconsButtonsAndTheDate) {
    frame();
    ASSERT_NE(sprite(10), nullptr);
    for (int i = 0; i < 9; ++i) {
        ASSERT_NE(sprite(40 + i), nullptr) << i;
        EXPECT_EQ(sprite(40 + i)->command.source, source(672, 32 * (i + 1), 152, 32)) << i;
        ASSERT_NE(sprite(30 + i), nullptr) << i;
    }
    // s: icon 1; x (no character of the table): icon 20; ns: 0 and 1 in
    // turn every 750 ms; an empty cell: icon 20.
    EXPECT_EQ(sprite(33)->command.source, source(56, 0, 56, 56));
    EXPECT_EQ(sprite(35)->command.source, source(224, 112, 56, 56));
    EXPECT_EQ(sprite(36)->command.source, source(224, 112, 56, 56));
    EXPECT_TRUE(sprite(33)->frames.empty());
    ASSERT_EQ(sprite(32)->frames.size(), 2u);
    EXPECT_EQ(sprite(32)->command.source, source(0, 0, 56, 56));
    game.runUntil(game.now() + 800);
    EXPECT_EQ(sprite(32)->command.source, source(56, 0, 56, 56));
    game.runUntil(game.now() + 750);
    EXPECT_EQ(sprite(32)->command.source, source(0, 0, 56, 56));
    // 2月25日 (Monday): month 2, tens 2, units 5, weekday 1.
    EXPECT_EQ(sprite(12)->command.source, source(672, 0, 192, 32));
    EXPECT_EQ(sprite(13)->command.source, source(29 * 16, 360, 16, 24));
    EXPECT_EQ(sprite(14)->command.source, source(29 * 16, 360, 16, 24));
    EXPECT_EQ(sprite(15)->command.source, source(32 * 16, 360, 16, 24));
    EXPECT_EQ(sprite(16)->command.source, source(464, 338, 32, 22));
    // 1 March has no tens.
    setDate(3, 1, 5);
    ctx.scenario.subState = 0;
    ctx.graphics->removeSprites(10, 49);
    frame();
    EXPECT_EQ(sprite(14), nullptr);
    EXPECT_EQ(sprite(15)->command.source, source(28 * 16, 360, 16, 24));
}

TEST_F(MapTest, KeysWrapAroundTheNinePlaces) {
    ASSERT_TRUE(runTo(kModeMap, 2, 200));
    EXPECT_EQ(ctx.brightness, 256);
    EXPECT_EQ(screen->selection(), MapScreen::kNone);
    key(ctx.keyList.vkUp);
    frame();
    EXPECT_EQ(screen->selection(), 8);
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(screen->selection(), 0);
    key(ctx.keyList.vkUp);
    frame();
    EXPECT_EQ(screen->selection(), 8);
    key(ctx.keyList.vkDown);
    frame();
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(screen->selection(), 1);
    // The selected place: lit button, preview and pointer; the old one
    // back to normal.
    EXPECT_EQ(sprite(41)->command.source, source(832, 64, 152, 32));
    EXPECT_EQ(sprite(40)->command.source, source(672, 32, 152, 32));
    EXPECT_EQ(sprite(11)->command.source, source(224, 0, 224, 168));
    EXPECT_EQ(at(11).x, tables.places[1][1].previewX);
    EXPECT_EQ(sprite(19)->command.source, source(392, 0, 56, 62));
    EXPECT_EQ(at(19).x, tables.places[1][1].pointerX);
}

TEST_F(MapTest, DownFromNoneSelectsTheFirstPlaceAndAKeyTakesItsScript) {
    ASSERT_TRUE(runTo(kModeMap, 2, 200));
    // Row 1 place 0 is the script of every row's place 0 here.
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(screen->selection(), 0);
    key(ctx.keyList.vkC);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 3);
    const uint32_t start = game.now();
    ASSERT_TRUE(runTo(kModeScenario, 0, 200));
    EXPECT_GE(game.now() - start, 1000u);
    EXPECT_EQ(ctx.scenario.scriptName, "0225c_s01");
    EXPECT_EQ(ctx.brightness, 256);
    for (int n : {10, 11, 12, 19, 30, 38, 40, 48})
        EXPECT_EQ(sprite(n), nullptr) << n;
    EXPECT_EQ(ctx.compositor->pictures.get(10), nullptr);
    EXPECT_EQ(ctx.sound->music().currentName(), "");
}

TEST_F(MapTest, ATapChoosesAPlaceAndATapOutsideClearsTheSelection) {
    ASSERT_TRUE(runTo(kModeMap, 2, 200));
    key(ctx.keyList.vkDown);
    frame();
    tap(300, 30);
    frame();
    EXPECT_EQ(screen->selection(), MapScreen::kNone);
    EXPECT_EQ(sprite(11), nullptr);
    EXPECT_EQ(sprite(19), nullptr);
    EXPECT_EQ(ctx.scenario.subState, 2);
    tap(40 + 20, 88 + 48 * 2 + 10);
    frame();
    EXPECT_EQ(screen->selection(), 2);
    EXPECT_EQ(ctx.scenario.subState, 3);
    ASSERT_TRUE(runTo(kModeScenario, 0, 200));
    EXPECT_EQ(ctx.scenario.scriptName, "0225c_ns01");
}

TEST_F(MapTest, CrowdVoicesPlayOnlyWhereThereAreAndStopWhenMovingOn) {
    voicePack();
    ASSERT_TRUE(runTo(kModeMap, 2, 200));
    for (int i = 0; i < 3; ++i) {
        key(ctx.keyList.vkDown);
        frame();
    }
    ASSERT_EQ(screen->selection(), 2);
    EXPECT_TRUE(voicePlaying());
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_TRUE(voicePlaying());
    // Place 4 has none: the voice of place 3 stops and nothing plays.
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(screen->selection(), 4);
    EXPECT_FALSE(voicePlaying());
    // With voices off, none.
    ctx.settings.voicePlay = 0;
    key(ctx.keyList.vkUp);
    frame();
    EXPECT_FALSE(voicePlaying());
}

TEST_F(MapTest, APlaceWithoutAScriptGoesBackToTheTitleWithALine) {
    ASSERT_TRUE(runTo(kModeMap, 2, 200));
    tap(40 + 20, 88 + 48 * 7 + 10);
    frame();
    ASSERT_TRUE(runTo(kModeOpening, 0, 200));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("place 7 in row 1"), std::string::npos) << reports[0];
}

}  // namespace
}  // namespace marlit::test
