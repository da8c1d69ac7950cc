#include "player/movie/movie_player.h"

#include <gtest/gtest.h>

#include "base/bytes.h"
#include "base/files.h"
#include "player/movie/movie_draw.h"
#include "tests/player/movie/movie_fixture.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

constexpr uint32_t kStart = 5000;

class MoviePlayerTest : public ::testing::Test {
  protected:
    MoviePlayerTest()
        : folder(dir.path().string() + "/"),
          screen(320, 240),
          clock(kStart),
          sound(clock, 250),
          player(MovieServices{screen, clock, &sound, 320, 240,
                               [this](const std::string& text) { reports.push_back(text); }}) {}

    void writeMovie(const std::vector<uint8_t>& file, bool withSound = false) {
        ASSERT_TRUE(writeHostFileAtomic(folder + "op.jmv", file));
        if (withSound) {
            std::vector<uint8_t> mp3(16, 0xFF);
            ASSERT_TRUE(writeHostFileAtomic(folder + "op.mp3", mp3));
        }
    }
    bool start() { return player.startMovie(folder, "op.jmv", 80, true); }
    // Steps until the movie ends; the number of steps that returned true.
    int playToEnd() {
        int steps = 0;
        while (player.stepMovie() && steps < 100000)
            ++steps;
        return steps;
    }
    uint32_t elapsed() { return clock.ticks() - kStart; }

    test::TempDir dir;
    std::string folder;
    test::FrameBufferScreen screen;
    test::StepClock clock;
    test::ClockSound sound;
    std::vector<std::string> reports;
    MoviePlayer player;
};

TEST_F(MoviePlayerTest, WithoutSoundItEndsAfterNFramesAtFPerSecondOfClockTime) {
    writeMovie(test::movieFile(10, 64, 48, test::movieFrames(6, 64, 48)));
    ASSERT_TRUE(start()) << (reports.empty() ? "" : reports[0]);
    EXPECT_FALSE(player.hasSound());
    playToEnd();
    EXPECT_EQ(elapsed(), 600u) << "6 frames at 10 per second";
    EXPECT_EQ(player.framesDrawn(), 6u);
    EXPECT_EQ(player.skippedFrames(), 0u);
    EXPECT_TRUE(sound.name_.empty()) << "no sound file, no sound";
    EXPECT_TRUE(reports.empty());
}

TEST_F(MoviePlayerTest, ASoundShorterThanTheFramesEndsTheMovieWithIt) {
    writeMovie(test::movieFile(10, 64, 48, test::movieFrames(10, 64, 48)), true);
    ASSERT_TRUE(start());
    EXPECT_TRUE(player.hasSound());
    EXPECT_EQ(sound.folder_, folder);
    EXPECT_EQ(sound.name_, "op.mp3");
    EXPECT_EQ(sound.volume_, 80u);
    EXPECT_TRUE(sound.readWhole_);
    playToEnd();
    EXPECT_EQ(elapsed(), 250u) << "the 250 ms sound, not the 1000 ms of frames";
    EXPECT_EQ(player.currentFrame(), -1);
    EXPECT_EQ(player.framesDrawn(), 3u);
    EXPECT_EQ(sound.stops_, 1);
}

TEST_F(MoviePlayerTest, FramesThatPlayedOutWhileBehindAreSkippedAndCounted) {
    writeMovie(test::movieFile(10, 64, 48, test::movieFrames(10, 64, 48)));
    ASSERT_TRUE(start());
    clock.setStep(250);  // each step comes 250 ms after the last: frames 2, 5, 7, end
    EXPECT_EQ(playToEnd(), 4);
    EXPECT_EQ(player.framesDrawn(), 4u);
    EXPECT_EQ(player.skippedFrames(), 1u + 2u + 1u);
}

TEST_F(MoviePlayerTest, TheScreenIsClearedAndShowsTheFrameThePositionReached) {
    auto frames = test::movieFrames(3, 48, 40);
    writeMovie(test::movieFile(10, 48, 40, frames));
    auto expectShows = [&](int frame) {
        test::FrameBufferScreen want(320, 240);
        want.clear();
        auto decoded = DecodeJbp(frames[frame]);
        ASSERT_TRUE(decoded);
        drawMovieFrame(want.buffer().base(), want.readProperties(), 320, 240,
                       {decoded->pixels.data(), 48, 40, decoded->paddedWidth});
        EXPECT_TRUE(want.buffer().toRgb() == screen.buffer().toRgb()) << "frame " << frame;
    };
    ASSERT_TRUE(start());
    expectShows(0);
    while (elapsed() <= 100)  // frame 1 is due at 100 ms
        ASSERT_TRUE(player.stepMovie());
    expectShows(1);
}

TEST_F(MoviePlayerTest, AFrameLargerThanTheReadBufferPlays) {
    std::vector<std::vector<uint8_t>> frames = {test::movieFrame(320, 240, 1),
                                                test::noiseFrame(320, 240, 2),
                                                test::movieFrame(320, 240, 3)};
    ASSERT_GT(frames[1].size(), JmvReader::kBufferSize);
    writeMovie(test::movieFile(10, 320, 240, frames));
    ASSERT_TRUE(start());
    playToEnd();
    EXPECT_EQ(player.framesDrawn(), 3u);
    EXPECT_EQ(player.badFrames(), 0u);
}

TEST_F(MoviePlayerTest, ATableThatLeavesTheFileEndsTheMovieAtTheFirstBadFrame) {
    auto file = test::movieFile(10, 64, 48, test::movieFrames(4, 64, 48));
    uint32_t frame2 = loadU32(&file[48 + 2 * 24 + 16]);
    file.resize(48 + 4 * 24 + frame2 + 10);
    writeMovie(file);
    ASSERT_TRUE(start());
    playToEnd();
    EXPECT_EQ(elapsed(), 200u);
    EXPECT_EQ(player.framesDrawn(), 2u);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("op.jmv: frame 2 of 4"), std::string::npos) << reports[0];
}

TEST_F(MoviePlayerTest, AFrameThatDoesNotDecodeIsLeftOutAndTheMovieGoesOn) {
    auto frames = test::movieFrames(4, 64, 48);
    frames[1] = std::vector<uint8_t>(frames[1].size(), 0x5A);
    frames[2] = test::movieFrame(80, 48, 9);  // a picture of another size
    writeMovie(test::movieFile(10, 64, 48, frames));
    ASSERT_TRUE(start());
    const auto first = screen.buffer().toRgb();
    while (elapsed() < 250)
        ASSERT_TRUE(player.stepMovie());
    EXPECT_TRUE(first == screen.buffer().toRgb()) << "frame 0 stays on screen";
    playToEnd();
    EXPECT_EQ(player.badFrames(), 2u);
    EXPECT_EQ(player.framesDrawn(), 2u);
    ASSERT_EQ(reports.size(), 1u) << "one report for all such frames";
    EXPECT_NE(reports[0].find("frame 1"), std::string::npos) << reports[0];
}

TEST_F(MoviePlayerTest, AbortingStopsTheSoundAndTheMovie) {
    writeMovie(test::movieFile(10, 64, 48, test::movieFrames(3, 64, 48)), true);
    ASSERT_TRUE(start());
    ASSERT_TRUE(player.stepMovie());
    player.abortMovie();
    EXPECT_EQ(sound.stops_, 1);
    EXPECT_FALSE(sound.playing_);
    EXPECT_FALSE(player.stepMovie());
}

TEST_F(MoviePlayerTest, ASoundThatCannotBeOpenedLeavesTheClockToTimeTheMovie) {
    writeMovie(test::movieFile(10, 64, 48, test::movieFrames(5, 64, 48)), true);
    sound.opens_ = false;
    ASSERT_TRUE(start());
    EXPECT_FALSE(player.hasSound());
    playToEnd();
    EXPECT_EQ(elapsed(), 500u);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("op.mp3: the sound cannot be played"), std::string::npos);
}

TEST_F(MoviePlayerTest, AMissingOrBrokenFileDoesNotStart) {
    EXPECT_FALSE(start());
    EXPECT_FALSE(player.stepMovie());
    auto file = test::movieFile(10, 64, 48, test::movieFrames(2, 64, 48));
    storeU32(&file[12], 0);
    writeMovie(file, true);
    EXPECT_FALSE(start());
    EXPECT_FALSE(player.stepMovie());
    EXPECT_TRUE(sound.name_.empty());
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[1].find("0 frames per second"), std::string::npos);
}

TEST(MoviePaths, TheNameAfterItsLastSlashWithItsExtensionReplaced) {
    EXPECT_EQ(moviePath("\\data\\mov\\", "movie/OP.jmv"), "\\data\\mov\\OP.jmv");
    EXPECT_EQ(moviePath("\\data\\", "a.b/OP"), "\\data\\OP.jmv");
    EXPECT_EQ(moviePath("\\data\\", "ED.mpg"), "\\data\\ED.jmv");
    EXPECT_EQ(movieSoundPath("\\data\\OP.jmv"), "\\data\\OP.mp3");
}

}  // namespace
}  // namespace marlit
