// marlit-tool sound as a user runs it.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/file_bytes.h"
#include "tests/support/run_program.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

TEST(SoundDecode, WritesSixteenBitWaveAtTheSoundsOwnFormat) {
    test::TempDir dir;
    // Delta coded, stereo, 32000 Hz: left 127, 127 and right 0, 1.
    test::writeFileBytes(dir.file("d.pcm"),
                         test::pcmSoundFile(32000, 2, 2, 8, std::vector<uint8_t>{127, 0, 127, 1}));
    auto r = tool({"sound", "decode", dir.file("d.pcm"), dir.file("d.wav")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<int16_t> expected = {127, 0, 381, 1};
    EXPECT_EQ(test::readFileBytes(dir.file("d.wav")),
              test::waveFile(32000, 2, 16, test::toBytes(expected)));

    // An 8-bit WAVE becomes 16-bit.
    test::writeFileBytes(dir.file("w.wav"),
                         test::waveFile(8000, 1, 8, std::vector<uint8_t>{128, 192}));
    r = tool({"sound", "decode", dir.file("w.wav"), dir.file("w16.wav")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileBytes(dir.file("w16.wav")),
              test::waveFile(8000, 1, 16, test::toBytes(std::vector<int16_t>{0, 64 * 256})));
}

TEST(SoundDecode, Failures) {
    test::TempDir dir;
    test::writeFileBytes(dir.file("short.pcm"), std::vector<uint8_t>(20));
    auto r = tool({"sound", "decode", dir.file("short.pcm"), dir.file("o.wav")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("short.pcm"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.wav")));
    r = tool({"sound", "decode", dir.file("none.pcm"), dir.file("o.wav")});
    EXPECT_EQ(r.exitCode, 1);
    r = tool({"sound", "decode", dir.file("short.pcm")});
    EXPECT_EQ(r.exitCode, 2);
    // The message says what is wrong with the rate, and why a file is missing.
    test::writeFileBytes(dir.file("r0.pcm"),
                         test::pcmSoundFile(0, 1, 2, 8, std::vector<uint8_t>{1, 2}));
    r = tool({"sound", "decode", dir.file("r0.pcm"), dir.file("o.wav")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("rate of 0 Hz is outside 4000 to 192000 Hz"), std::string::npos) << r.err;
    r = tool({"sound", "decode", dir.file("none.pcm"), dir.file("o.wav")});
    EXPECT_NE(r.err.find("none.pcm: No such file or directory"), std::string::npos) << r.err;
}

TEST(SoundMp3, SettingsReachTheMp3) {
    test::TempDir dir;
    test::writeFileBytes(dir.file("s.pcm"),
                         test::rawSoundFile(44100, 2, test::sine(44100, 2, 0.5, 500, 9000)));
    struct Case {
        std::vector<std::string> options;
        int kbps;
        int rate;
        bool mono;
    };
    const Case cases[] = {
        {{}, 64, 22050, false},
        {{"--mono"}, 32, 22050, true},
        {{"--bitrate-index", "0", "--mono"}, 8, 22050, true},
        {{"--voice", "--bitrate-index=12", "--rate-index", "1"}, 160, 44100, true},
        {{"--rate-index", "1", "--bitrate-index", "12"}, 320, 44100, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"sound", "mp3", dir.file("s.pcm"), dir.file("s.mp3")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        auto r = tool(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        auto frame = test::firstMp3Frame(test::readFileBytes(dir.file("s.mp3")));
        ASSERT_TRUE(frame.has_value());
        EXPECT_EQ(frame->kbps, c.kbps) << c.kbps;
        EXPECT_EQ(frame->rate, c.rate) << c.kbps;
        EXPECT_EQ(frame->mono, c.mono) << c.kbps;
    }
    EXPECT_EQ(tool({"sound", "mp3", dir.file("s.pcm"), dir.file("x.mp3"), "--bitrate-index", "13"})
                  .exitCode,
              2);
    EXPECT_EQ(
        tool({"sound", "mp3", dir.file("s.pcm"), dir.file("x.mp3"), "--rate-index", "2"}).exitCode,
        2);
    EXPECT_EQ(tool({"sound", "mp3", dir.file("s.pcm"), dir.file("x.mp3"), "--stereo"}).exitCode, 2);
}

}  // namespace
}  // namespace marlit
