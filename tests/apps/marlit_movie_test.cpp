// marlit --movie FILE as a user runs it: the frames on the device, the
// sound in the recording, the end of the run with the sound or the clock.
#include <gtest/gtest.h>

#include "base/files.h"
#include "base/png.h"
#include "formats/jbp_stream.h"
#include "formats/jmv_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/played_sound.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr uint32_t kFps = 10;
constexpr int kFrames = 20;  // two seconds

// Frame i is one grey level, 10 + 10 i, so a shot tells which frame shows.
std::string writeMovie(const test::TempDir& dir) {
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < kFrames; ++i) {
        std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 3,
                                    static_cast<uint8_t>(10 + 10 * i));
        auto stream = EncodeJbp(PictureView{kWidth, kHeight, 3, pixels, kWidth, kHeight}, 100);
        EXPECT_TRUE(stream);
        frames.push_back(stream.value_or(std::vector<uint8_t>{}));
    }
    auto file = writeJmv(kFps, kWidth, kHeight, frames);
    EXPECT_TRUE(file);
    const std::string path = dir.file("OP.jmv");
    test::writeFileBytes(path, file.value_or(std::vector<uint8_t>{}));
    return path;
}

// The grey level at the centre of a device shot (red channel).
int centreLevel(const std::string& shot) {
    std::string error;
    auto png = readPng(shot, &error);
    EXPECT_TRUE(png) << error;
    if (!png)
        return -1;
    return png->pixels[(static_cast<size_t>(png->height / 2) * png->width + png->width / 2) * 3];
}

struct MovieRun {
    test::ProgramResult result;
    std::string shots;
};

MovieRun playMovie(const char* program, const test::TempDir& dir, const std::string& movie) {
    MovieRun run{{}, dir.file(std::string(program) + "_shots")};
    run.result =
        test::runProgram(test::programPath(program),
                         {"--headless", "--dir", dir.path().string(), "--movie", movie, "--shots",
                          run.shots, "--shot-at", "28,103,140", "--device-shots", "--audio-out",
                          dir.file(std::string(program) + ".wav")});
    return run;
}

TEST(MarlitMovie, ASilentMovieShowsItsFramesByTheClockAndEnds) {
    test::TempDir dir;
    const std::string movie = writeMovie(dir);
    for (const char* program : {"marlit", "marlit_vga"}) {
        SCOPED_TRACE(program);
        MovieRun run = playMovie(program, dir, movie);
        ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
        // Frame 28 is 448 ms in: movie frame 4, grey 50; frame 103 (1648 ms)
        // shows movie frame 16, grey 170 (RGB565 keeps 5 bits of red).
        EXPECT_NEAR(centreLevel(run.shots + "/device_000028.png"), 50, 6);
        EXPECT_NEAR(centreLevel(run.shots + "/device_000103.png"), 170, 6);
        // Twenty frames at ten a second: the run ends after two seconds.
        EXPECT_FALSE(fileExists(run.shots + "/device_000140.png"));
    }
}

TEST(MarlitMovie, AMovieWithSoundEndsWithItsSound) {
    test::TempDir dir;
    const std::string movie = writeMovie(dir);
    ASSERT_FALSE(test::encodeMp3(dir.path().string(), "OP.mp3",
                                 test::sineWave(22050, 2, 1.0, 440, 8000), {"-b", "64"})
                     .empty());
    MovieRun run = playMovie("marlit", dir, movie);
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    // The sound lasts a second (and sounds about 0.3 s late): the run ends
    // well before the frames would, at two seconds.
    EXPECT_FALSE(fileExists(run.shots + "/device_000103.png"));
    auto wav = test::readWav(dir.file("marlit.wav"));
    ASSERT_TRUE(wav);
    auto left = test::leftChannel(*wav);
    EXPECT_GT(test::toneDb(left, 22050 / 2, 22050 / 4, 22050, 440), -20.0);
}

TEST(MarlitMovie, AMissingOrBrokenMovieIsAnErrorNamingTheFile) {
    test::TempDir dir;
    test::writeFileBytes(dir.file("bad.jmv"), std::vector<uint8_t>(100, 7));
    for (const std::string& name : {std::string("none.jmv"), std::string("bad.jmv")}) {
        auto r = test::runProgram(
            test::programPath("marlit"),
            {"--headless", "--dir", dir.path().string(), "--movie", dir.file(name)});
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace marlit
