// The three extras through the player's frame tick at both screen sizes;
// frames at the moments that matter are checked against their golden
// digests. To renew them, run this program alone with
// MARLIT_UPDATE_GOLDEN=1.
#include "tests/player/screens/extras_fixture.h"
#include "tests/support/golden_frames.h"

namespace marlit::test {
namespace {

GoldenBook& book() {
    static GoldenBook b(std::string(MARLIT_SOURCE_DIR) + "/tests/player/screens/extras_frames.txt");
    return b;
}

class ExtrasFrames : public ExtrasTest, public ::testing::WithParamInterface<int> {
  public:
    ExtrasFrames() : ExtrasTest(GetParam()) {}

    void SetUp() override {
        ExtrasTables t;
        t.characters[0] = {"duzo", 2, 2};
        t.gallery[0] = {{0, "ev_a.rbp"}, {1, "ev_b.rbp"}, {2, "ev_c.rbp"}};
        t.scenes[0][0] = {223, "0223a_f01"};
        t.scenes[0][1] = {0, "0225c_n01"};
        t.scenes[0][2] = {307, "0307b_n01"};
        registerScreens(t);
        ctx.scenarioEngine->seen.add(SeenLists::kPictures, "ev_a.rbp");
        ctx.scenarioEngine->seen.add(SeenLists::kPictures, "ev_c.rbp");
        ctx.scenarioEngine->seen.addScript("0223a_f01");
        ctx.scenarioEngine->seen.addScript("0307b_n01");
        pack({{"AdvData\\GRP\\system\\cg.rbp", {800, 600}},
              {"AdvData\\GRP\\system\\cgparts.rbp", {720, 492}},
              {"AdvData\\GRP\\system\\sam_duzo.rbp", {768, 504}},
              {"AdvData\\GRP\\BG\\ev_a.rbp", {800, 600}},
              {"AdvData\\GRP\\system\\music.rbp", {800, 600}},
              {"AdvData\\GRP\\system\\musicchip.rbp", {768, 848}},
              {"AdvData\\GRP\\system\\musictitle.rbp", {1024, 608}},
              {"AdvData\\GRP\\system\\sc.rbp", {800, 600}},
              {"AdvData\\GRP\\system\\scparts.rbp", {1056, 744}},
              {"AdvData\\GRP\\system\\duzo_01.rbp", {256, 512}}});
        // What the title left on the screen, for the cover to fade away.
        ctx.graphics->showColour(200, 0x806040, {0, 0, 800, 600}, 100);
        frame();
        ctx.graphics->removeSprite(200);
    }

    void check(const std::string& moment) {
        const Surface s = game.backBuffer();
        std::string message;
        EXPECT_TRUE(book().check(std::to_string(GetParam()) + "_" + moment,
                                 {s.pixels, s.width, s.height, s.pitch}, &message))
            << message;
    }
};

TEST_P(ExtrasFrames, PictureGallery) {
    ctx.scenario.mode = kModeGallery;
    ctx.scenario.subState = 0;
    game.runUntil(game.now() + 500);
    check("gallery_revealing");
    ASSERT_TRUE(runTo(kModeGallery, 2));
    down();
    check("gallery_back_lit");
    tap(410, 190);
    frame();
    check("gallery_picture");
}

TEST_P(ExtrasFrames, MusicRoom) {
    enter(kModeMusicRoom);
    tap(110, 170);
    check("music_first_piece");
    tap(730, 480);
    tap(730, 480);
    check("music_last_page");
}

TEST_P(ExtrasFrames, SceneGallery) {
    enter(kModeSceneGallery);
    down();
    check("scenes_page");
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ExtrasFrames, ::testing::Values(320, 640));

}  // namespace
}  // namespace marlit::test
