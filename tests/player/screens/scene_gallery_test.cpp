// The scene gallery on the headless player: its pages and page rules, the
// locked scenes, and a replay in the story engine and the way back.
#include "tests/player/screens/extras_fixture.h"

namespace marlit::test {
namespace {

using Scenes = SceneGalleryScreen;

DesignPoint tabAt(int t) {
    if (t < 4)
        return {50 + 128 * t, 146};
    const int u = t - 4;
    return {50 + 128 * (u % 5), 186 + 40 * (u / 5)};
}
DesignPoint placeAt(int i) {
    return {120 + 344 * (i / 4), 290 + 40 * (i % 4)};
}
constexpr DesignPoint kButton[5] = {{440, 470}, {490, 470}, {530, 470}, {580, 470}, {650, 530}};

TEST(ScenePageRules, FivePagesBackAndOnAndOneByOne) {
    // Six pages: five on from page 1 goes to the last, from the last to 0.
    EXPECT_EQ(Scenes::pageAfter(Scenes::kFivePagesOn, 1, 6), 5);
    EXPECT_EQ(Scenes::pageAfter(Scenes::kFivePagesOn, 5, 6), 0);
    EXPECT_EQ(Scenes::pageAfter(Scenes::kFivePagesOn, 0, 18), 5);
    EXPECT_EQ(Scenes::pageAfter(Scenes::kFivePagesBack, 0, 6), 5);
    EXPECT_EQ(Scenes::pageAfter(Scenes::kFivePagesBack, 3, 6), 0);
    EXPECT_EQ(Scenes::pageAfter(Scenes::kFivePagesBack, 12, 18), 7);
    EXPECT_EQ(Scenes::pageAfter(Scenes::kPreviousPage, 0, 6), 5);
    EXPECT_EQ(Scenes::pageAfter(Scenes::kNextPage, 5, 6), 0);
    EXPECT_EQ(Scenes::pageAfter(Scenes::kNextPage, 2, 6), 3);
    for (int button = Scenes::kFivePagesBack; button <= Scenes::kFivePagesOn; ++button)
        EXPECT_EQ(Scenes::pageAfter(button, 0, 1), 0) << button;
}

TEST(ScenePageRules, DateBadges) {
    const DesignRect feb23 = Scenes::badgeSource(223);
    EXPECT_EQ(feb23.x, 2 * 56 + 609);
    EXPECT_EQ(feb23.y, 23 * 24 - 23);
    const DesignRect special = Scenes::badgeSource(0);
    EXPECT_EQ(special.x, 7 * 56 + 609);
    EXPECT_EQ(special.y, 1);
}

class SceneGalleryTest : public ExtrasTest {
  public:
    void SetUp() override {
        ExtrasTables t;
        t.characters[0] = {"duzo", 2, 6};
        t.characters[1] = {"sela", 2, 1};
        t.characters[3] = {"three", 1, 12};
        auto& s0 = t.scenes[0];
        s0[0] = {223, "0223a_f01"};
        s0[1] = {224, "0224a_f01"};  // not seen
        s0[2] = {0, "0225c_n01"};
        s0[4] = {301, ""};            // no script: locked
        s0[17] = {305, "0305a_n01"};  // page 2, place 1
        t.scenes[1][0] = {224, "0224a_f01"};
        registerScreens(t);
        for (const char* seen : {"0223a_f01", "0225c_n01", "0305a_n01"})
            ctx.scenarioEngine->seen.addScript(seen);
        ScriptBuilder scene;
        scene.text('6', "0307a_f01");
        // A scene that ends the story's day before the map.
        ScriptBuilder dayEnd;
        dayEnd.word(27, 0, 0).quad('`', 0, 0, 0, 0);
        pack({{"AdvData\\GRP\\system\\sc.rbp", {800, 600}}},
             {{"0305a_n01", scene}, {"0225c_n01", dayEnd}});
        enter(kModeSceneGallery);
    }
};

TEST_F(SceneGalleryTest, SeenScenesAreBarsWithDatesAndTheRestLocked) {
    using P = Scenes::Place;
    EXPECT_EQ(scenes->place(0), P::Seen);
    EXPECT_EQ(scenes->place(1), P::NotSeen);
    EXPECT_EQ(scenes->place(2), P::Seen);
    EXPECT_EQ(scenes->place(3), P::Empty);
    EXPECT_EQ(scenes->place(4), P::NotSeen);
    EXPECT_TRUE(shows(128, 1, 1));
    EXPECT_TRUE(shows(129, 721, 529));
    EXPECT_TRUE(shows(130, 121, 289));
    EXPECT_EQ(sprite(131), nullptr);
    EXPECT_TRUE(shows(132, 1, 65));
    EXPECT_TRUE(shows(133, 1001, 1));
    EXPECT_EQ(sprite(134), nullptr);
    EXPECT_TRUE(shows(136, 121, 289));
    // Page 1 of 6: no tens digits.
    EXPECT_EQ(sprite(16), nullptr);
    EXPECT_TRUE(shows(17, 539, 460));
    EXPECT_EQ(sprite(19), nullptr);
    EXPECT_TRUE(shows(20, 459, 460));
    // Tab 0 bears the mark.
    EXPECT_TRUE(shows(21, 1, 33));
    EXPECT_TRUE(shows(22, 121, 1));
}

TEST_F(SceneGalleryTest, KeysSkipLockedScenesAndTapsOnThemDoNothing) {
    for (int i = 0; i < Scenes::kFirstPlace + 1; ++i)
        down();
    ASSERT_EQ(scenes->cursor(), Scenes::kFirstPlace);
    EXPECT_TRUE(shows(128, 1, 257));
    down();
    EXPECT_EQ(scenes->cursor(), Scenes::kFirstPlace + 2);
    down();
    EXPECT_EQ(scenes->cursor(), 0);  // past the rest, none seen
    up();
    EXPECT_EQ(scenes->cursor(), Scenes::kFirstPlace + 2);
    up();
    EXPECT_EQ(scenes->cursor(), Scenes::kFirstPlace);
    up();
    EXPECT_EQ(scenes->cursor(), Scenes::kFirstPlace - 1);  // the last tab

    tap(placeAt(1).x, placeAt(1).y);
    EXPECT_EQ(scenes->cursor(), ExtrasScreen::kNone);
    tap(placeAt(4).x, placeAt(4).y);
    EXPECT_EQ(scenes->cursor(), ExtrasScreen::kNone);
    EXPECT_EQ(ctx.scenario.subState, 2);
}

TEST_F(SceneGalleryTest, PageButtonsFollowTheirRulesAndStayLit) {
    tap(kButton[Scenes::kNextPage].x, kButton[Scenes::kNextPage].y);
    ASSERT_EQ(scenes->page(), 1);
    EXPECT_TRUE(shows(17, 2 * 16 + 523, 460));
    EXPECT_TRUE(shows(13, 289, 427));  // still lit
    tap(kButton[Scenes::kFivePagesOn].x, kButton[Scenes::kFivePagesOn].y);
    EXPECT_EQ(scenes->page(), 5);
    EXPECT_TRUE(shows(14, 337, 427));
    tap(kButton[Scenes::kFivePagesOn].x, kButton[Scenes::kFivePagesOn].y);
    EXPECT_EQ(scenes->page(), 0);
    tap(kButton[Scenes::kFivePagesBack].x, kButton[Scenes::kFivePagesBack].y);
    EXPECT_EQ(scenes->page(), 5);
    tap(kButton[Scenes::kPreviousPage].x, kButton[Scenes::kPreviousPage].y);
    EXPECT_EQ(scenes->page(), 4);
    // Twelve pages: both tens digits.
    tap(tabAt(3).x, tabAt(3).y);
    ASSERT_EQ(scenes->character(), 3);
    EXPECT_EQ(scenes->page(), 0);
    EXPECT_EQ(sprite(16), nullptr);
    EXPECT_TRUE(shows(19, 379, 460));
    EXPECT_TRUE(shows(20, 395, 460));
    for (int i = 0; i < 2; ++i)
        tap(kButton[Scenes::kFivePagesOn].x, kButton[Scenes::kFivePagesOn].y);
    EXPECT_EQ(scenes->page(), 10);
    EXPECT_TRUE(shows(16, 539, 460));
    EXPECT_TRUE(shows(17, 539, 460));
}

TEST_F(SceneGalleryTest, ACharacterWithOnePageRebuildsPageZeroOnEveryButton) {
    tap(tabAt(1).x, tabAt(1).y);
    ASSERT_EQ(scenes->character(), 1);
    for (int button = Scenes::kFivePagesBack; button <= Scenes::kFivePagesOn; ++button) {
        // Taken away, the bar comes back only by a new build of the page.
        ctx.graphics->removeSprite(Scenes::kFirstBarSprite);
        tap(kButton[button].x, kButton[button].y);
        EXPECT_EQ(scenes->page(), 0);
        EXPECT_TRUE(shows(Scenes::kFirstBarSprite, 121, 289)) << button;
        EXPECT_TRUE(shows(11 + button, 193 + 48 * button, 427)) << button;
    }
}

TEST_F(SceneGalleryTest, AReplayComesBackToTheSameCharacterAndPage) {
    tap(kButton[Scenes::kNextPage].x, kButton[Scenes::kNextPage].y);
    tap(kButton[Scenes::kNextPage].x, kButton[Scenes::kNextPage].y);
    ASSERT_EQ(scenes->page(), 2);
    ASSERT_EQ(scenes->place(1), Scenes::Place::Seen);
    tap(placeAt(1).x, placeAt(1).y);
    EXPECT_EQ(ctx.scenario.subState, 20);
    ASSERT_TRUE(runTo(kModeScenario, 0));
    EXPECT_EQ(ctx.scenario.scriptName, "0305a_n01");
    EXPECT_TRUE(scenes->replaying());
    EXPECT_EQ(saveItems, std::vector<bool>{false});
    // The scene's jump to the next script ends the replay.
    ASSERT_TRUE(runTo(kModeSceneGallery, 1, 50));
    EXPECT_NE(ctx.scenario.scriptName, "0307a_f01");
    EXPECT_FALSE(scenes->replaying());
    EXPECT_EQ(scenes->character(), 0);
    EXPECT_EQ(scenes->page(), 2);
    EXPECT_TRUE(shows(17, 3 * 16 + 523, 460));
    EXPECT_EQ(ctx.musicPlayer->currentName(), "15.mp3");
    ASSERT_NE(sprite(ExtrasScreen::kCoverSprite), nullptr);
    ASSERT_TRUE(runTo(kModeSceneGallery, 2));
    EXPECT_EQ(scenes->cursor(), ExtrasScreen::kNone);
}

TEST_F(SceneGalleryTest, AReplayEndsAtTheDaysEndInsteadOfGoingToTheMap) {
    tap(placeAt(2).x, placeAt(2).y);
    ASSERT_TRUE(runTo(kModeScenario, 0));
    ASSERT_EQ(ctx.scenario.scriptName, "0225c_n01");
    for (int i = 0; i < 20 && ctx.scenario.mode == kModeScenario; ++i)
        frame();
    EXPECT_EQ(ctx.scenario.mode, kModeSceneGallery);
    ASSERT_TRUE(runTo(kModeSceneGallery, 2));
    EXPECT_FALSE(scenes->replaying());
    EXPECT_EQ(scenes->page(), 0);
}

TEST_F(SceneGalleryTest, AReplayThatCannotStartComesBack) {
    tap(placeAt(0).x, placeAt(0).y);  // 0223a_f01 is not in the pack
    ASSERT_TRUE(runTo(kModeSceneGallery, 2));
    EXPECT_FALSE(scenes->replaying());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("0223a_f01"), std::string::npos);
}

}  // namespace
}  // namespace marlit::test
