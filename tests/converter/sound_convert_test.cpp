// From sound files to MP3, checked by decoding the MP3 with mpg123.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "converter/platform/mp3_encoder.h"
#include "converter/sound_convert.h"
#include "tests/support/file_bytes.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

// LAME's delay at the start (encoder delay and decoder delay) in samples.
constexpr size_t kEncoderDelay = 576 + 529;

std::optional<test::DecodedSound> decodeMp3(const std::vector<uint8_t>& mp3) {
    test::TempDir dir;
    const std::string path = dir.file("sound.mp3");
    test::writeFileBytes(path, mp3);
    return test::decodeMp3File(path);
}

struct Case {
    uint32_t sourceRate;
    uint16_t sourceChannels;
    Mp3Settings settings;
};

TEST(ConvertSound, Mp3KeepsRateChannelsDurationPitchAndLevel) {
    const Case cases[] = {
        {44100, 2, {3, 0, true}},    // the defaults: 22050 Hz stereo, 64 kbit/s
        {22050, 1, {7, 1, true}},    // up to 44100 Hz, mono to stereo
        {44100, 2, {12, 0, false}},  // a voice at the top rate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sourceRate << " Hz x" << c.sourceChannels << " to "
                                        << mp3SampleRate(c.settings.rateIndex));
        const double seconds = 1.5;
        auto samples = test::sine(c.sourceRate, c.sourceChannels, seconds, 1000, 10000);
        auto mp3 =
            ConvertSound(test::rawSoundFile(c.sourceRate, c.sourceChannels, samples), c.settings);
        ASSERT_TRUE(mp3.has_value());
        auto frame = test::firstMp3Frame(*mp3);
        ASSERT_TRUE(frame.has_value());
        EXPECT_EQ(frame->kbps, mp3BitRate(c.settings.bitRateIndex, c.settings.stereo));
        EXPECT_EQ(frame->mono, !c.settings.stereo);

        auto decoded = decodeMp3(*mp3);
        ASSERT_TRUE(decoded.has_value());
        const uint32_t rate = mp3SampleRate(c.settings.rateIndex);
        EXPECT_EQ(decoded->rate, rate);
        EXPECT_EQ(decoded->channels, c.settings.stereo ? 2 : 1);
        const size_t expected = static_cast<size_t>(seconds * rate);
        EXPECT_GE(decoded->frames(), expected);
        EXPECT_LE(decoded->frames(), expected + kEncoderDelay + frame->samplesPerFrame);
        EXPECT_NEAR(test::toneFrequency(*decoded), 1000, 5);
        // The source's level: an amplitude of 10000 over √2.
        const double sourceDb = 20 * std::log10(10000 / 32768.0 / std::sqrt(2.0));
        EXPECT_NEAR(test::levelDb(*decoded, rate / 10), sourceDb, 1.0);
    }
}

TEST(ConvertSound, BitRateTableEnds) {
    // BGM index 0 in mono is 8 kbit/s; voice index 12 is 160 kbit/s.
    auto samples = test::sine(22050, 1, 0.3, 300, 8000);
    auto file = test::rawSoundFile(22050, 1, samples);
    auto mp3 = ConvertSound(file, {0, 0, false});
    ASSERT_TRUE(mp3.has_value());
    EXPECT_EQ(test::firstMp3Frame(*mp3)->kbps, 8);
    mp3 = ConvertSound(file, {12, 0, false});
    ASSERT_TRUE(mp3.has_value());
    EXPECT_EQ(test::firstMp3Frame(*mp3)->kbps, 160);
    EXPECT_EQ(mp3BitRate(3, true), 64);
    EXPECT_EQ(mp3BitRate(3, false), 32);
    EXPECT_FALSE(ConvertSound(file, {13, 0, true}).has_value());
    EXPECT_FALSE(ConvertSound(file, {0, 2, true}).has_value());
}

TEST(ConvertSound, MatchingFormatIsNotResampled) {
    // 44100 Hz stereo with 44100 Hz stereo settings reaches the encoder
    // sample for sample.
    auto samples = test::sine(44100, 2, 0.5, 700, 12000);
    auto mp3 = ConvertSound(test::rawSoundFile(44100, 2, samples), {3, 1, true});
    auto direct = EncodeMp3(PcmAudio{{44100, 2}, samples}, 64);
    ASSERT_TRUE(mp3 && direct);
    EXPECT_EQ(*mp3, *direct);
}

TEST(ConvertSound, RawSoundsWhoseHeadersLie) {
    std::string why;
    // Shorter than the 28-byte header.
    EXPECT_FALSE(decodeSound(std::vector<uint8_t>(27), &why).has_value());
    EXPECT_FALSE(why.empty());
    // A PCM size beyond the file.
    auto file = test::pcmSoundFile(22050, 1, 0, 10, std::vector<uint8_t>(8));
    EXPECT_FALSE(decodeSound(file).has_value());
    // Channels and rates that no sound has.
    EXPECT_FALSE(decodeSound(test::pcmSoundFile(22050, 0, 0, 2, std::vector<uint8_t>(2))));
    EXPECT_FALSE(decodeSound(test::pcmSoundFile(22050, 3, 0, 6, std::vector<uint8_t>(6))));
    EXPECT_FALSE(decodeSound(test::pcmSoundFile(1, 1, 0, 2, std::vector<uint8_t>(2))));
    // An odd PCM size in stereo keeps whole frames.
    auto audio = decodeSound(test::pcmSoundFile(22050, 2, 0, 7, std::vector<uint8_t>(8, 1)));
    ASSERT_TRUE(audio.has_value());
    EXPECT_EQ(audio->samples.size(), 2u);
}

TEST(Mp3Encoder, MissingLibraryIsReported) {
    std::string why;
    EXPECT_EQ(Mp3Encoder::load("libmarlit-no-such-encoder.so.0", &why), nullptr);
    EXPECT_NE(why.find("libmarlit-no-such-encoder.so.0"), std::string::npos);
    // A library without the encoder's entry points.
    EXPECT_EQ(Mp3Encoder::load("libz.so.1", &why), nullptr);
    EXPECT_NE(why.find("entry point"), std::string::npos);
}

TEST(Mp3Encoder, VersionAndChannelLimits) {
    auto version = mp3EncoderVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_FALSE(version->empty());
    std::string why;
    EXPECT_FALSE(EncodeMp3(PcmAudio{{22050, 3}, std::vector<int16_t>(30)}, 64, &why));
    EXPECT_FALSE(why.empty());
}

}  // namespace
}  // namespace marlit
