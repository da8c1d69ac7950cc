// The picture gallery on the headless player: pages, tabs, locked places
// and the full-screen pictures behind a thumbnail.
#include "tests/player/screens/extras_fixture.h"

namespace marlit::test {
namespace {

using Gallery = PictureGalleryScreen;

// Place p's rectangle and tab t's, design space.
DesignPoint placeAt(int p) {
    return {400 + 104 * (p % 3) + 10, 184 + 80 * (p / 3) + 10};
}
DesignPoint tabAt(int t) {
    return t < 7 ? DesignPoint{50, 168 + 48 * t + 10} : DesignPoint{250, 184 + 48 * (t - 7) + 10};
}

class PictureGalleryTest : public ExtrasTest {
  public:
    void SetUp() override {
        ExtrasTables t;
        t.characters[0] = {"duzo", 2, 1};
        t.characters[5] = {"five", 1, 1};
        // Character 0: thumbnail 0 has three pictures and an unseen one in
        // between; 1 is not seen; 2 is seen; 9 (page 1) is seen.
        t.gallery[0] = {{0, "ev_a.rbp"},      {0, "ev_x.rbp"}, {0, "ev_b.rbp"}, {0, "ev_c.rbp"},
                        {1, "ev_locked.rbp"}, {2, "ev_d.rbp"}, {9, "ev_e.rbp"}};
        // Character 5: ten pictures behind one thumbnail, all seen.
        for (int i = 0; i < 10; ++i)
            t.gallery[5].push_back({0, "ev_f" + std::to_string(i) + ".rbp"});
        t.gallery[5].push_back({1, "ev_d.rbp"});
        registerScreens(t);
        for (const char* seen : {"ev_a.rbp", "ev_b.rbp", "ev_c.rbp", "ev_d.rbp", "ev_e.rbp"})
            ctx.scenarioEngine->seen.add(SeenLists::kPictures, seen);
        for (int i = 0; i < 10; ++i)
            ctx.scenarioEngine->seen.add(SeenLists::kPictures, "ev_f" + std::to_string(i) + ".rbp");
        pack({{"AdvData\\GRP\\BG\\ev_a.rbp", {800, 600}},
              {"AdvData\\GRP\\BG\\ev_b.rbp", {800, 600}},
              {"AdvData\\GRP\\BG\\ev_c.rbp", {800, 600}},
              {"AdvData\\GRP\\system\\cg.rbp", {800, 600}}});
        enter(kModeGallery);
    }
};

TEST_F(PictureGalleryTest, BuildsThePlacesOfThePageFromTheSeenPictures) {
    EXPECT_EQ(gallery->placesInUse(), 3);  // thumbnails 0-2; 3 has no entry
    EXPECT_TRUE(gallery->unlocked(0));
    EXPECT_FALSE(gallery->unlocked(1));
    EXPECT_TRUE(gallery->unlocked(2));
    EXPECT_EQ(gallery->placePictures(0),
              (std::vector<std::string>{"ev_a.rbp", "ev_b.rbp", "ev_c.rbp"}));
    // Unlocked places show their thumbnail, locked ones the locked area.
    EXPECT_TRUE(shows(Gallery::kPlaceSprite + 0, 2, 2));
    EXPECT_TRUE(shows(Gallery::kPlaceSprite + 1, 674, 218));
    EXPECT_TRUE(shows(Gallery::kPlaceSprite + 2, 194, 2));
    EXPECT_EQ(sprite(Gallery::kPlaceSprite + 3), nullptr);
    // The current character's tab bears its mark; the page indicator says
    // page 1 of 2.
    EXPECT_TRUE(shows(18, 1, 33));
    EXPECT_TRUE(shows(19, 121, 1));
    EXPECT_TRUE(shows(14, 539, 460));
    EXPECT_TRUE(shows(16, 395, 460));
    // The cover of the captured screen has gone.
    EXPECT_EQ(sprite(0), nullptr);
    EXPECT_EQ(ctx.brightness, 256);
}

TEST_F(PictureGalleryTest, PageButtonsTurnOnlyACharacterWithTwoPages) {
    tap(620, 460);  // next page
    EXPECT_EQ(gallery->page(), 1);
    EXPECT_EQ(gallery->placesInUse(), 1);  // thumbnail 9
    EXPECT_TRUE(shows(Gallery::kPlaceSprite, 98, 74));
    tap(570, 460);  // previous page
    EXPECT_EQ(gallery->page(), 0);

    tap(tabAt(5).x, tabAt(5).y);
    ASSERT_EQ(gallery->character(), 5);
    tap(620, 460);
    EXPECT_EQ(gallery->page(), 0);
    tap(570, 460);
    EXPECT_EQ(gallery->page(), 0);
    EXPECT_TRUE(shows(16, 379, 460));  // one page
}

TEST_F(PictureGalleryTest, ChoosingTheCurrentTabAgainDoesNothing) {
    tap(620, 460);
    ASSERT_EQ(gallery->page(), 1);
    tap(tabAt(0).x, tabAt(0).y);
    EXPECT_EQ(gallery->page(), 1);  // not built again at page 0
    EXPECT_EQ(gallery->character(), 0);
    // Another tab: its character at page 0, the mark moves.
    tap(tabAt(8).x, tabAt(8).y);
    EXPECT_EQ(gallery->character(), 8);
    EXPECT_EQ(gallery->page(), 0);
    EXPECT_TRUE(shows(18, 1, 1));
    EXPECT_TRUE(shows(26, 241, 129));
    EXPECT_EQ(gallery->placesInUse(), 0);
}

TEST_F(PictureGalleryTest, KeysSkipLockedPlacesAndTappedOnesDoNothing) {
    const int first = Gallery::kFirstPlace;
    for (int i = 0; i < first + 1; ++i)
        down();
    ASSERT_EQ(gallery->cursor(), first);  // place 0
    EXPECT_TRUE(shows(Gallery::kPlaceSprite, 2, 290));
    down();
    EXPECT_EQ(gallery->cursor(), first + 2);  // past the locked place 1
    down();
    EXPECT_EQ(gallery->cursor(), 0);  // around to the first item
    up();
    EXPECT_EQ(gallery->cursor(), first + 2);
    up();
    EXPECT_EQ(gallery->cursor(), first);

    tap(placeAt(1).x, placeAt(1).y);
    EXPECT_EQ(gallery->cursor(), first + 1);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 2);
    decide();
    EXPECT_EQ(ctx.scenario.subState, 2);
}

TEST_F(PictureGalleryTest, AThumbnailShowsItsSeenPicturesInOrderOnePerTap) {
    tap(placeAt(0).x, placeAt(0).y);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 21);
    EXPECT_EQ(pictureIn(Gallery::kPictureSlot), "AdvData\\GRP\\BG\\ev_a.rbp");
    ASSERT_NE(sprite(Gallery::kPictureSprite), nullptr);
    EXPECT_EQ(sprite(Gallery::kPictureSprite)->layer, 16);
    tap(10, 10);
    frame();
    EXPECT_EQ(pictureIn(Gallery::kPictureSlot), "AdvData\\GRP\\BG\\ev_b.rbp");
    decide();
    frame();
    EXPECT_EQ(pictureIn(Gallery::kPictureSlot), "AdvData\\GRP\\BG\\ev_c.rbp");
    EXPECT_EQ(ctx.scenario.subState, 21);
    tap(10, 10);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 2);
    EXPECT_EQ(sprite(Gallery::kPictureSprite), nullptr);
    EXPECT_EQ(pictureIn(Gallery::kPictureSlot), "");
}

TEST_F(PictureGalleryTest, AThumbnailWithMoreThanNinePicturesStaysLocked) {
    tap(tabAt(5).x, tabAt(5).y);
    ASSERT_EQ(gallery->character(), 5);
    EXPECT_EQ(gallery->placesInUse(), 2);
    EXPECT_FALSE(gallery->unlocked(0));
    EXPECT_TRUE(gallery->placePictures(0).empty());
    EXPECT_TRUE(gallery->unlocked(1));
    tap(placeAt(0).x, placeAt(0).y);
    frame();
    EXPECT_EQ(ctx.scenario.subState, 2);
}

TEST_F(PictureGalleryTest, BackFadesToTheTitlesExtrasMenu) {
    ctx.settings.petalsAllowed = 0;
    tap(700, 520);
    EXPECT_EQ(ctx.scenario.subState, 10);
    game.runUntil(game.now() + 750);
    EXPECT_GT(ctx.brightness, 100);
    EXPECT_LT(ctx.brightness, 156);
    ASSERT_TRUE(runTo(kModeTitle, 90));
    EXPECT_EQ(ctx.brightness, 256);
    EXPECT_EQ(sprite(10), nullptr);
    EXPECT_EQ(ctx.scenarioEngine->petals.kind(), 1);
    EXPECT_EQ(ctx.scenarioEngine->petals.period(), 4);
    EXPECT_FALSE(ctx.scenarioEngine->petals.active());
}

}  // namespace
}  // namespace marlit::test
