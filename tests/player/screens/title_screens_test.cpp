// The logo and the title stepped through the frame tick of a headless
// player: sub-states and their times, the voices, the menus on keys and
// taps, and the mode each screen leaves for.
#include <fstream>

#include "tests/player/screens/framing_fixture.h"

namespace marlit::test {
namespace {

const std::map<std::string, std::pair<int, int>> kTitlePictures = {
    {"AdvData\\grp\\Vantor2.rbp", {800, 600}},
    {"AdvData\\grp\\system\\titlesc.rbp", {800, 1200}},
    {"AdvData\\grp\\system\\titlebk.rbp", {800, 600}},
    {"AdvData\\grp\\system\\title.rbp", {800, 600}},
    {"AdvData\\grp\\system\\titleb1.rbp", {800, 600}},
    {"AdvData\\grp\\system\\titleb2.rbp", {800, 600}},
    {"AdvData\\grp\\system\\titlemn.rbp", {368, 480}},
};

ScriptBuilder holdingScript() {
    ScriptBuilder s;
    s.label("hold").quad('^', 0, 0, 0, 0).text(';', "hold");
    return s;
}

class TitleTest : public FramingTest {
  public:
    void SetUp() override {
        FramingTest::SetUp();
        pack(kTitlePictures, {{"0223a_f01", holdingScript()}, {"all_end", holdingScript()}});
    }
    // From the title's first step to its menu.
    void toMenu() {
        ctx.scenario.mode = kModeTitle;
        ctx.scenario.subState = 0;
        ASSERT_TRUE(runTo(kModeTitle, 11));
    }
    // The source of a menu item sprite, picture pixels.
    int sourceRow(int item) {
        const Sprite* s = sprite(15 + item);
        EXPECT_NE(s, nullptr) << "item " << item;
        return s ? s->command.source.top : -1;
    }
    int sourceX(int item) {
        const Sprite* s = sprite(15 + item);
        return s ? s->command.source.left : -1;
    }
};

TEST_F(TitleTest, TheLogoFadesInSpeaksHoldsAndFadesOutIntoTheTitle) {
    frame();
    const uint32_t start = game.now();
    EXPECT_EQ(interval, 16u);
    EXPECT_EQ(ctx.scenario.subState, 1);
    ASSERT_NE(sprite(LogoScreen::kSprite), nullptr);
    frame();
    EXPECT_GT(ctx.brightness, 0);
    EXPECT_LT(ctx.brightness, 20);
    ASSERT_TRUE(runTo(kModeOpening, 2));
    EXPECT_GE(game.now() - start, 2000u);
    EXPECT_LT(game.now() - start, 2040u);
    EXPECT_EQ(ctx.brightness, 256);
    EXPECT_EQ(voices->lastAsked().substr(voices->lastAsked().size() - 7), "S01.mp3");
    ASSERT_TRUE(runTo(kModeOpening, 3));
    EXPECT_GE(game.now() - start, 5000u);
    frame();
    frame();
    EXPECT_LT(sprite(LogoScreen::kSprite)->command.opacity, 256);
    EXPECT_GT(sprite(LogoScreen::kSprite)->command.opacity, 200);
    ASSERT_TRUE(runTo(kModeTitle, 0));
    EXPECT_GE(game.now() - start, 6000u);
    EXPECT_EQ(sprite(LogoScreen::kSprite), nullptr);
    EXPECT_EQ(ctx.compositor->pictures.get(LogoScreen::kSlot), nullptr);
}

TEST_F(TitleTest, ATapOrADecideKeyDuringTheLogoGoesStraightToTheTitle) {
    for (int i = 0; i < 40; ++i)
        frame();
    ASSERT_EQ(ctx.scenario.mode, kModeOpening);
    ASSERT_LT(ctx.brightness, 256);
    tap(400, 300);
    frame();
    EXPECT_EQ(ctx.scenario.mode, kModeTitle);
    EXPECT_EQ(ctx.scenario.subState, 0);
    EXPECT_EQ(ctx.brightness, 256);
    EXPECT_EQ(sprite(LogoScreen::kSprite), nullptr);

    ctx.scenario.mode = kModeOpening;
    ctx.scenario.subState = 0;
    frame();
    frame();
    key(ctx.keyList.vkC);
    frame();
    EXPECT_EQ(ctx.scenario.mode, kModeTitle);
}

TEST_F(TitleTest, TheBuildUpScrollsTheTallPictureAndEndsInTheTitleMenu) {
    ctx.scenario.mode = kModeTitle;
    ctx.scenario.subState = 0;
    ASSERT_TRUE(runTo(kModeTitle, 4));
    const uint32_t scrollStart = game.now();
    for (int i = 0; i < 62; ++i)
        frame();
    ASSERT_NE(sprite(10), nullptr);
    // About half way: 300 design pixels up.
    const int y = sprite(10)->y / 1000 * 800 / ctx.geometry.width;
    EXPECT_LT(y, -280);
    EXPECT_GT(y, -320);
    ASSERT_TRUE(runTo(kModeTitle, 5));
    EXPECT_GE(game.now() - scrollStart, 2000u);
    EXPECT_EQ(sprite(10), nullptr);
    EXPECT_NE(sprite(11), nullptr);
    ASSERT_TRUE(runTo(kModeTitle, 11));
    EXPECT_EQ(title->itemCount(), 6);
    EXPECT_EQ(title->selection(), TitleScreen::kNone);
    EXPECT_FALSE(title->completed());
    // Without every completion mark the sixth item is quit, from row 6.
    EXPECT_EQ(sourceRow(5), ctx.geometry.toScreen(240));
    EXPECT_EQ(sprite(21), nullptr);
    EXPECT_NE(sprite(14), nullptr);
    EXPECT_EQ(sprite(13), nullptr);
    EXPECT_TRUE(ctx.scenarioEngine->petals.active());
}

TEST_F(TitleTest, TheTimeOfDayVoiceFollowsTheLocalHour) {
    struct Case {
        uint16_t hour, minute;
        const char* voice;
    };
    for (const Case c : {Case{5, 59, "S12.mp3"}, Case{18, 0, "S15.mp3"}, Case{11, 30, "S13.mp3"}}) {
        localTime.time.hour = c.hour;
        localTime.time.minute = c.minute;
        ctx.scenario.mode = kModeTitle;
        ctx.scenario.subState = 0;
        ASSERT_TRUE(runTo(kModeTitle, 9));
        const std::string& v = voices->lastAsked();
        EXPECT_EQ(v.substr(v.size() - 7), c.voice) << c.hour << ":" << c.minute;
    }
}

TEST_F(TitleTest, KeysMoveTheSelectionRoundTheMenu) {
    toMenu();
    key(ctx.keyList.vkUp);
    frame();
    EXPECT_EQ(title->selection(), 5);
    EXPECT_EQ(sourceX(5), ctx.geometry.toScreen(184));
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(title->selection(), 0);
    EXPECT_EQ(sourceX(5), ctx.geometry.toScreen(0));
    EXPECT_EQ(sourceX(0), ctx.geometry.toScreen(184));
    key(ctx.keyList.vkUp);
    frame();
    EXPECT_EQ(title->selection(), 5);

    ctx.scenario.subState = 10;
    frame();
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(title->selection(), 0);
}

TEST_F(TitleTest, AKeyHeldDownMovesTheSelectionOnce) {
    toMenu();
    dispatchEvent(ctx, Event{EventType::KeyDown, ctx.keyList.vkDown, 0, 0});
    for (int i = 0; i < 5; ++i)
        frame();
    dispatchEvent(ctx, Event{EventType::KeyUp, ctx.keyList.vkDown, 0, 0});
    EXPECT_EQ(title->selection(), 0);
    dispatchEvent(ctx, Event{EventType::KeyDown, ctx.keyList.vkC, 0, 0});
    for (int i = 0; i < 5; ++i)
        frame();
    EXPECT_EQ(ctx.scenario.subState, 20);
}

TEST_F(TitleTest, TapsChooseItemsAndRowsThreeAndFourOnlySpeak) {
    toMenu();
    tap(400, 244 + 40 * 3 + 5);
    frame();
    EXPECT_EQ(title->selection(), 3);
    EXPECT_EQ(ctx.scenario.subState, 11);
    EXPECT_EQ(ctx.scenario.mode, kModeTitle);
    EXPECT_NE(voices->lastAsked().find("S09.mp3"), std::string::npos);
    tap(400, 244 + 40 * 4 + 5);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 11);
    EXPECT_NE(voices->lastAsked().find("S10.mp3"), std::string::npos);
    // A tap outside every item clears the selection and does nothing else.
    tap(100, 100);
    frame();
    EXPECT_EQ(title->selection(), TitleScreen::kNone);
    EXPECT_EQ(ctx.scenario.subState, 11);
    EXPECT_EQ(sourceX(4), ctx.geometry.toScreen(0));
}

TEST_F(TitleTest, EveryCompletionMarkAddsTheEpilogueItem) {
    for (uint32_t i = 0; i < 13; ++i)
        ctx.scenarioEngine->vars.set(var::kRouteMarks + i, 1);
    toMenu();
    EXPECT_TRUE(title->completed());
    EXPECT_EQ(title->itemCount(), 7);
    EXPECT_EQ(sourceRow(5), ctx.geometry.toScreen(200));
    EXPECT_EQ(sourceRow(6), ctx.geometry.toScreen(240));
    tap(400, 244 + 40 * 5 + 5);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 25);
    ASSERT_TRUE(runTo(kModeScenario, 0, 200));
    EXPECT_EQ(ctx.scenario.scriptName, "all_end");

    // One mark missing: six items again.
    ctx.scenarioEngine->vars.set(var::kRouteMarks + 12, 0);
    toMenu();
    EXPECT_FALSE(title->completed());
    EXPECT_EQ(title->itemCount(), 6);
}

TEST_F(TitleTest, StartFadesOutAndBeginsTheStory) {
    toMenu();
    key(ctx.keyList.vkDown);
    frame();
    key(ctx.keyList.vkC);
    frame();
    ASSERT_EQ(ctx.scenario.subState, 20);
    const uint32_t start = game.now();
    EXPECT_NE(voices->lastAsked().find("S03.mp3"), std::string::npos);
    for (int i = 0; i < 63; ++i)
        frame();
    EXPECT_LT(ctx.brightness, 140);
    EXPECT_GT(ctx.brightness, 110);
    ASSERT_TRUE(runTo(kModeTitle, 21));
    EXPECT_GE(game.now() - start, 2000u);
    EXPECT_EQ(sprite(14), nullptr);
    frame();
    EXPECT_EQ(ctx.scenario.mode, kModeScenario);
    EXPECT_EQ(ctx.scenario.scriptName, "0223a_f01");
    EXPECT_EQ(ctx.scenarioEngine->vars.get(var::kDay), 23);
    EXPECT_EQ(ctx.brightness, 256);
    EXPECT_FALSE(ctx.scenarioEngine->petals.active());
}

TEST_F(TitleTest, AStoryThatCannotBeLoadedGoesBackToTheLogoWithALine) {
    pack(kTitlePictures);
    toMenu();
    key(ctx.keyList.vkDown);
    frame();
    key(ctx.keyList.vkC);
    ASSERT_TRUE(runTo(kModeOpening, 1, 300));
    ASSERT_FALSE(reports.empty());
    EXPECT_NE(reports.back().find("0223a_f01"), std::string::npos);
}

TEST_F(TitleTest, TheExtrasMenuOpensAndGoesBack) {
    for (int mode : {kModeMusicRoom, kModeGallery, kModeSceneGallery})
        ctx.modes.set(mode, std::unique_ptr<ModeScreen>());
    toMenu();
    tap(400, 244 + 80 + 5);
    frame();
    EXPECT_EQ(title->menu(), 1);
    frame();
    ASSERT_EQ(ctx.scenario.subState, 11);
    EXPECT_EQ(title->itemCount(), 4);
    EXPECT_EQ(sourceRow(0), ctx.geometry.toScreen(280));
    EXPECT_EQ(sourceRow(3), ctx.geometry.toScreen(440));
    EXPECT_EQ(sprite(19), nullptr);
    // A player without the gallery screens: the item says so once and stays.
    tap(400, 284 + 5);
    frame();
    tap(400, 284 + 45);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 11);
    EXPECT_EQ(reports.size(), 1u);
    // The fourth item goes back to the title menu.
    key(ctx.keyList.vkDown);
    frame();
    key(ctx.keyList.vkDown);
    frame();
    EXPECT_EQ(title->selection(), 3);
    key(ctx.keyList.vkRight);
    frame();
    frame();
    EXPECT_EQ(title->menu(), 0);
    EXPECT_EQ(title->itemCount(), 6);
}

TEST_F(TitleTest, AnExtrasItemWithAScreenFadesIntoItsMode) {
    int steps = 0;
    ctx.modes.set(kModeGallery, [&steps] { ++steps; });
    toMenu();
    tap(400, 244 + 80 + 5);
    frame();
    frame();
    tap(400, 284 + 45);
    frame();
    ASSERT_EQ(ctx.scenario.subState, 41);
    ASSERT_TRUE(runTo(kModeGallery, 0, 200));
    EXPECT_EQ(ctx.brightness, 256);
    // Coming back at 90 shows the extras menu again.
    ctx.scenario.mode = kModeTitle;
    ctx.scenario.subState = 90;
    ASSERT_TRUE(runTo(kModeTitle, 11, 200));
    EXPECT_EQ(title->menu(), 1);
    EXPECT_EQ(title->itemCount(), 4);
}

TEST_F(TitleTest, TheLoadItemSaysOnceThatItOpensNothingYet) {
    toMenu();
    tap(400, 244 + 45);
    frame();
    frame();
    EXPECT_EQ(ctx.scenario.subState, 11);
    tap(400, 244 + 45);
    frame();
    frame();
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_NE(voices->lastAsked().find("S04.mp3"), std::string::npos);
}

TEST_F(TitleTest, QuitAsksTheWindowToClose) {
    toMenu();
    tap(400, 244 + 40 * 5 + 5);
    // The quit ends the frame before it is counted.
    for (int i = 0; i < 50 && !ctx.windowDestroyed(); ++i)
        frameTick(ctx);
    EXPECT_TRUE(ctx.windowDestroyed());
    EXPECT_EQ(ctx.scenario.subState, 990);
}

TEST(TitleVoices, RowsPatternsAndMalformedLines) {
    TempDir dir;
    const std::string file = dir.file("title_voices.txt");
    {
        std::ofstream out(file);
        out << "# comment\n\nVOICE\\SYSTEM\\NEM\\SYSTEM01_N%z2.mp3\nno directive\nA%z2B%z2\n";
    }
    std::vector<std::string> warnings;
    const std::vector<std::string> rows = readTitleVoices(file, warnings);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find(":4:"), std::string::npos);
    warnings.clear();
    EXPECT_TRUE(readTitleVoices(dir.file("none.txt"), warnings).empty());
    EXPECT_EQ(warnings.size(), 1u);
}

}  // namespace
}  // namespace marlit::test
