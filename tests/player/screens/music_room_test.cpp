// The music room on the headless player: its pages, the keys, the
// now-playing caption and the piece that is already playing.
#include "player/sound/music_player.h"
#include "tests/player/screens/extras_fixture.h"

namespace marlit::test {
namespace {

using Room = MusicRoomScreen;

// A point inside piece j's rectangle.
DesignPoint pieceAt(int j) {
    return {96 + 400 * (j / 10) + 20, 160 + 40 * (j % 10) + 10};
}

class MusicRoomTest : public ExtrasTest {
  public:
    void SetUp() override {
        registerScreens(ExtrasTables{});
        pack({{"AdvData\\GRP\\system\\music.rbp", {800, 600}}});
        enter(kModeMusicRoom);
    }
};

TEST_F(MusicRoomTest, StartsSilentWithTheFirstPage) {
    EXPECT_EQ(ctx.musicPlayer->currentName(), "");
    EXPECT_EQ(music->page(), 0);
    EXPECT_EQ(music->pieceCount(), 16);
    // Piece 1: number icon and title; piece 16 in the second column.
    EXPECT_TRUE(shows(128, 0, 656));
    EXPECT_TRUE(shows(129, 0, 0));
    EXPECT_TRUE(shows(158, 600, 656));
    EXPECT_EQ(sprite(Room::kCaptionSprite), nullptr);
}

TEST_F(MusicRoomTest, PageTwoShowsFivePiecesAndDownFromTheFifthGoesToItemZero) {
    tap(730, 480);  // next page
    tap(730, 480);
    ASSERT_EQ(music->page(), 2);
    EXPECT_EQ(music->pieceCount(), 5);
    EXPECT_NE(sprite(128 + 2 * 4), nullptr);
    EXPECT_EQ(sprite(128 + 2 * 5), nullptr);
    // Piece 33 is c = 32: number (0, 720), title row t = 33 -> (256, 448).
    EXPECT_TRUE(shows(128, 0, 720));
    EXPECT_TRUE(shows(129, 256, 448));
    for (int i = 0; i < 9; ++i)
        down();
    ASSERT_EQ(music->cursor(), Room::kFirstPiece + 4);
    EXPECT_TRUE(shows(136, 160, 816));  // lit
    EXPECT_TRUE(shows(137, 768, 576));
    down();
    EXPECT_EQ(music->cursor(), 0);
    EXPECT_TRUE(shows(136, 160, 720));
    up();
    EXPECT_EQ(music->cursor(), Room::kFirstPiece + 4);
    // Previous from page 0 goes to page 2, next from 2 to 0.
    tap(730, 480);
    EXPECT_EQ(music->page(), 0);
    tap(690, 480);
    EXPECT_EQ(music->page(), 2);
}

TEST_F(MusicRoomTest, ThePieceChosenPlaysWithItsCaptionEvenWhenItsFileIsMissing) {
    tap(pieceAt(3).x, pieceAt(3).y);
    EXPECT_EQ(ctx.musicPlayer->currentName(), "04.mp3");
    EXPECT_TRUE(shows(Room::kCaptionSprite, 2, 3 * 32 + 75));
    // d = 35 is the last of the second column; d = 36 has its own place.
    tap(730, 480);
    tap(730, 480);
    tap(pieceAt(3).x, pieceAt(3).y);
    EXPECT_EQ(ctx.musicPlayer->currentName(), "36.mp3");
    EXPECT_TRUE(shows(Room::kCaptionSprite, 354, 619));
    tap(pieceAt(4).x, pieceAt(4).y);
    EXPECT_EQ(ctx.musicPlayer->currentName(), "37.mp3");
    EXPECT_TRUE(shows(Room::kCaptionSprite, 210, 730));
    EXPECT_EQ(sprite(Room::kCaptionSprite)->layer, 48);
}

TEST_F(MusicRoomTest, ChoosingThePlayingPieceDoesNotRestartIt) {
    tap(pieceAt(0).x, pieceAt(0).y);
    ASSERT_EQ(ctx.musicPlayer->currentName(), "01.mp3");
    game.runUntil(game.now() + 1000);
    const int32_t before = ctx.musicPlayer->position();
    ASSERT_GE(before, 1000);
    tap(pieceAt(0).x, pieceAt(0).y);
    EXPECT_GE(ctx.musicPlayer->position(), before);
    tap(pieceAt(1).x, pieceAt(1).y);
    EXPECT_LT(ctx.musicPlayer->position(), 100);
}

TEST_F(MusicRoomTest, TheButtonWithoutActionDoesNothingAndBackLeaves) {
    tap(620, 470);
    EXPECT_EQ(music->cursor(), Room::kSound);
    EXPECT_TRUE(shows(13, 709, 65));
    EXPECT_EQ(ctx.scenario.subState, 2);
    EXPECT_EQ(music->page(), 0);
    tap(700, 530);
    EXPECT_EQ(ctx.scenario.subState, 10);
    ASSERT_TRUE(runTo(kModeTitle, 90));
    EXPECT_EQ(ctx.musicPlayer->currentName(), "");
}

}  // namespace
}  // namespace marlit::test
