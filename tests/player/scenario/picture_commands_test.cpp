// The background, the characters and their overlays, and the manner setting.
#include "tests/player/scenario/scenario_fixture.h"

namespace marlit::test {
namespace {

const std::vector<std::string> kPictures = {
    "AdvData\\grp\\BG\\umi_01.rbp",   "AdvData\\grp\\BG\\eki_01.rbp",
    "AdvData\\grp\\BG\\a09b.rbp",     "AdvData\\grp\\CHR\\duzo_12.rbp",
    "AdvData\\grp\\CHR\\sela_12.rbp", "AdvData\\grp\\CHR\\ov_splash.rbp",
    "AdvData\\grp\\bsteff01.rbp",
};

class Pictures : public ScenarioTest {
  protected:
    int xOf(int sprite) {
        auto at = engine.pictures.position(sprite);
        EXPECT_TRUE(at.has_value()) << "sprite " << sprite;
        return at ? at->x : -9999;
    }
};

TEST_F(Pictures, LeftThenRightShowBothInOneFrame) {
    ScriptBuilder s;
    s.text('.', "BG\\umi_01")
        .text('3', "CHR\\duzo_12@")
        .text('F', "CHR\\sela_12")
        .quad('X', 0, 1, 1, 0);
    play(s, kPictures);
    step();
    ASSERT_TRUE(engine.pictures.exists(24));
    ASSERT_TRUE(engine.pictures.exists(25));
    EXPECT_EQ(engine.pictures.path(24), "AdvData\\grp\\CHR\\duzo_12.rbp");
    // The left one came alone (centred), then moved aside for the right one.
    EXPECT_EQ(xOf(24), -200);
    EXPECT_EQ(xOf(25), 200);
    EXPECT_EQ(compositor.sprite(24)->layer, 28);
    // "F" ends the frame.
    EXPECT_EQ(engine.vars.get(0, 1), 0);
    step();
    EXPECT_EQ(engine.vars.get(0, 1), 1);
}

TEST_F(Pictures, ALeftCharacterAloneEndsTheFrame) {
    ScriptBuilder s;
    s.text('3', "CHR\\duzo_12").quad('X', 0, 1, 1, 0).word(13, 4, 0);
    play(s, kPictures);
    step();
    EXPECT_TRUE(engine.pictures.exists(24));
    EXPECT_EQ(xOf(24), 0);
    EXPECT_EQ(engine.vars.get(0, 1), 0);
    EXPECT_EQ(state.position, 13u);
}

TEST_F(Pictures, ACharacterAtTheEndOfTheStreamWaitsThenTheEndIsReported) {
    ScriptBuilder s;
    s.text('3', "CHR\\duzo_12");
    play(s, kPictures);
    step();
    EXPECT_TRUE(engine.pictures.exists(24));
    EXPECT_TRUE(reports.empty());
    step();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("position 13"), std::string::npos) << reports[0];
    EXPECT_FALSE(engine.pictures.exists(24));
}

TEST_F(Pictures, RemovingAnAbsentCharacterGoesOn) {
    ScriptBuilder s;
    s.text('3', "-").text('F', "-").text('3', "").quad('X', 0, 1, 1, 0).word(13, 4, 0);
    play(s, kPictures);
    step();
    EXPECT_EQ(engine.vars.get(0, 1), 1);
    // With a character shown, "-" removes it and ends the frame.
    ScriptBuilder t;
    t.text('3', "CHR\\duzo_12")
        .text('4', "CHR\\ov_splash")
        .text('3', "-")
        .quad('X', 0, 2, 1, 0)
        .word(13, 4, 0);
    play(t, kPictures);
    step();
    EXPECT_TRUE(engine.pictures.exists(24));
    EXPECT_FALSE(engine.pictures.exists(26));
    step();  // the overlay, then "-" removes both and ends the frame
    EXPECT_FALSE(engine.pictures.exists(24));
    EXPECT_FALSE(engine.pictures.exists(26));
    EXPECT_FALSE(engine.pictures.holds(24));
    EXPECT_FALSE(engine.pictures.holds(26));
    EXPECT_EQ(engine.vars.get(0, 2), 0);
    step();
    EXPECT_EQ(engine.vars.get(0, 2), 1);
}

TEST_F(Pictures, TheSameBackgroundAgainKeepsTheCharacters) {
    ScriptBuilder s;
    s.text('.', "BG\\umi_01")
        .text('3', "CHR\\duzo_12")
        .text('F', "CHR\\sela_12")
        .text('.', "bg\\UMI_01")
        .word(13, 4, 0);
    play(s, kPictures);
    step();
    step();
    EXPECT_TRUE(engine.pictures.exists(24));
    EXPECT_TRUE(engine.pictures.exists(25));
    EXPECT_EQ(state.position, s.bytes().size() - 4 - 3);

    ScriptBuilder t;
    t.text('.', "BG\\umi_01")
        .text('3', "CHR\\duzo_12")
        .text('F', "CHR\\sela_12")
        .quad('^', 50, 60, 1, 0)
        .text('.', "BG\\eki_01")
        .word(13, 4, 0);
    play(t, kPictures);
    step();
    step();
    EXPECT_FALSE(engine.pictures.exists(24));
    EXPECT_FALSE(engine.pictures.exists(25));
    EXPECT_EQ(engine.pictures.path(28), "AdvData\\grp\\BG\\eki_01.rbp");
    EXPECT_EQ(state.backgroundX, 0);
    EXPECT_EQ(state.pictureChanged, 1);
    // Map pictures are no background.
    ScriptBuilder u;
    u.text('.', "system\\map_a").word(13, 4, 0);
    play(u, kPictures);
    step();
    EXPECT_EQ(engine.pictures.path(28), "AdvData\\grp\\BG\\eki_01.rbp");
}

TEST_F(Pictures, OverlaysFollowTheirCharacter) {
    ScriptBuilder s;
    s.text('F', "CHR\\sela_12")
        .text('F', "bsteff01")
        .text('3', "CHR\\duzo_12")
        .text('4', "CHR\\ov_splash")
        .quad('X', 0, 1, 1, 0)
        .text('F', "-")
        .word(13, 4, 0);
    play(s, kPictures);
    step();  // right character alone, centred; the overlay continues
    EXPECT_EQ(xOf(25), 0);
    EXPECT_EQ(state.position, 0u + 13u);
    step();  // bsteff goes to slot 27 and continues; "3" ends the frame
    EXPECT_TRUE(engine.pictures.exists(27));
    EXPECT_EQ(compositor.sprite(27)->layer, 26);
    EXPECT_EQ(xOf(27), 200);
    EXPECT_EQ(xOf(25), 200);
    EXPECT_EQ(xOf(24), -200);
    step();
    EXPECT_EQ(xOf(26), -200);
    EXPECT_EQ(engine.vars.get(0, 1), 1);
    EXPECT_FALSE(engine.pictures.exists(25));
    EXPECT_FALSE(engine.pictures.exists(27));
}

TEST_F(Pictures, MannerDimsOrHidesListedBackgrounds) {
    for (int manner : {0, 1, 2}) {
        settings.dispFreeMode = manner;
        engine.pictures.clearAll();
        ScriptBuilder s;
        s.text('.', "BG\\a09b").word(13, 4, 0);
        play(s, kPictures);
        step();
        ASSERT_TRUE(engine.pictures.exists(28));
        const int expected[] = {256, 64, 0};
        EXPECT_EQ(compositor.sprite(28)->command.opacity, expected[manner]);
        EXPECT_EQ(state.mannerHidden, manner != 0 ? 1 : 0);
    }
    ScriptBuilder t;
    t.text('.', "BG\\umi_01").word(13, 4, 0);
    play(t, kPictures);
    step();
    EXPECT_EQ(compositor.sprite(28)->command.opacity, 256);
    EXPECT_EQ(state.mannerHidden, 0);
}

}  // namespace
}  // namespace marlit::test
