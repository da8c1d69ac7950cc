// marlit --play-music and --play-voice as a user runs them, headless, with
// the sound recorded by --audio-out.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "formats/mlz_pack_writer.h"
#include "tests/support/played_sound.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

using test::runProgram;

class PlayOptionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "1");
        std::string data = dir.file("1");
        music = test::encodeMp3(data, "01.mp3", test::sineWave(22050, 2, 0.5, 440, 8000),
                                {"-b", "64", "-m", "s"});
        ASSERT_FALSE(music.empty());
        voice = test::encodeMp3(dir.path().string(), "v.mp3",
                                test::sineWave(22050, 1, 0.4, 660, 8000), {"-b", "32", "-m", "m"});
        auto bytes = readWhole(voice);
        ASSERT_TRUE(bytes.has_value());
        MlzPackWriter pack;
        ASSERT_TRUE(pack.open(data + "/voice.mlz"));
        ASSERT_TRUE(pack.add("VOICE\\a\\0001.mp3", *bytes, kMlzStored));
        ASSERT_TRUE(pack.finish());
    }
    test::ProgramResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--headless", "--dir", dir.path().string()});
        return runProgram(test::programPath("marlit"), args);
    }

    test::TempDir dir;
    std::string music;
    std::string voice;
};

// The piece is played whole at full volume, and the run ends once it has.
TEST_F(PlayOptionTest, PlaysOnePieceAndEnds) {
    std::string wav = dir.file("music.wav");
    test::ProgramResult r = run({"--play-music", "01.mp3", "--audio-out", wav});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto out = test::readWav(wav);
    ASSERT_TRUE(out.has_value());
    test::Pcm decoded = test::decodeMp3(music, 22050, 2);
    auto sounding = test::soundingSpan(test::leftChannel(*out));
    auto expected = test::soundingSpan(test::leftChannel(decoded));
    ASSERT_TRUE(sounding && expected);
    size_t onset = sounding->first - expected->first;
    ASSERT_GE(out->samples.size(), onset * 2 + decoded.samples.size());
    EXPECT_TRUE(std::equal(decoded.samples.begin(), decoded.samples.end(),
                           out->samples.begin() + static_cast<long>(onset * 2)));
    // Ended within a few periods after the sound did.
    EXPECT_LT(out->frames(), onset + decoded.frames() + 6 * 2048);
}

TEST_F(PlayOptionTest, PlaysAVoiceClipByItsNameInThePack) {
    for (const char* name : {"VOICE\\a\\0001.mp3", "a\\0001"}) {
        SCOPED_TRACE(name);
        std::string wav = dir.file("voice.wav");
        test::ProgramResult r = run({"--play-voice", name, "--audio-out", wav});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        auto out = test::readWav(wav);
        ASSERT_TRUE(out.has_value());
        auto span = test::soundingSpan(test::leftChannel(*out), 500);
        ASSERT_TRUE(span.has_value());
        EXPECT_NEAR(double(span->second - span->first) / 22050, 0.4, 0.02);
        std::vector<int16_t> steady = test::leftChannel(*out, span->first + 1000, 4000);
        EXPECT_NEAR(test::toneFrequency(test::monoSound(steady, 22050)), 660, 3);
    }
}

TEST_F(PlayOptionTest, ReportsWhatCannotBePlayed) {
    test::ProgramResult r = run({"--play-music", "02.mp3"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("02.mp3"), std::string::npos) << r.err;
    r = run({"--play-voice", "a\\0009"});
    EXPECT_EQ(r.exitCode, 1);
    r = runProgram(test::programPath("marlit"), {"--audio-out", dir.file("x.wav")});
    EXPECT_EQ(r.exitCode, 2);
    r = run({"--play-music", "01.mp3", "--play-voice", "a\\0001"});
    EXPECT_EQ(r.exitCode, 2);
    r = run({"--play-music", "01.mp3", "--audio-out", dir.file("no/such/folder.wav")});
    EXPECT_EQ(r.exitCode, 1);
}

}  // namespace
}  // namespace marlit
