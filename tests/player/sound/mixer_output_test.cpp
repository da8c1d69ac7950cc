// Files as lame writes them, played through the mixer into the headless
// device's recording: each must come out as the mpg123 command decodes it,
// brought to the device format and scaled by the volume rule, with its
// duration, pitch and level intact.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "player/sound/sound_requests.h"
#include "tests/player/sound/mixer_fixture.h"

namespace marlit {
namespace {

using test::Pcm;

// The reference decoding brought to 22050 Hz stereo the way the device
// format asks, then scaled to `volume` per cent.
std::vector<int16_t> expectedOutput(const Pcm& decoded, int volume) {
    std::vector<int16_t> out;
    const size_t step = decoded.rate == 44100 ? 2 : 1;
    for (size_t f = 0; f + step <= decoded.frames(); f += step) {
        for (int side = 0; side < 2; ++side) {
            auto at = [&](size_t frame) {
                int c = decoded.channels == 1 ? 0 : side;
                return static_cast<int32_t>(decoded.samples[frame * decoded.channels + c]);
            };
            int32_t s = step == 2 ? at(f) / 2 + at(f + 1) / 2 : at(f);
            out.push_back(static_cast<int16_t>(s * volume / 100));
        }
    }
    return out;
}

class MixerOutputTest : public test::MixerFixture {};

TEST_F(MixerOutputTest, LameFilesPlayAsTheReferenceDecodesThem) {
    struct Case {
        const char* name;
        int rate;
        int channels;
        std::vector<std::string> options;
    };
    const std::vector<Case> cases = {
        {"mono22.mp3", 22050, 1, {"-b", "32"}},
        {"stereo22.mp3", 22050, 2, {"-b", "64", "--add-id3v2", "--tt", "tone"}},
        {"mono44.mp3", 44100, 1, {"-b", "64", "--id3v1-only", "--tt", "tone"}},
        {"stereo44.mp3", 44100, 2, {"-b", "128"}},
    };
    const int amplitude = 10000;
    // Master 80 and music 75: the channel plays at 60.
    const int volume = mixVolume(75, 80);
    ASSERT_EQ(volume, 60);
    const double expectedDb = 20 * std::log10(amplitude * 0.6 / std::sqrt(2.0) / 32768.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        std::string path = tone(c.name, c.rate, c.channels, 1.0, 440, amplitude, c.options);
        ASSERT_TRUE(mixer->openChannel(0, c.name, folder(), volume, ChannelOptions{}));
        advance(1800);
        EXPECT_EQ(mixer->position(0), -1);
        Pcm out = played();
        std::vector<int16_t> expected =
            expectedOutput(test::decodeMp3(path, c.rate, c.channels), volume);
        ASSERT_GE(out.samples.size(), test::kFirstSoundFrame * 2 + expected.size());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                               out.samples.begin() + test::kFirstSoundFrame * 2));

        // One second of tone: its span, pitch and level.
        std::vector<int16_t> left = test::leftChannel(out);
        // The tone sounds for its second; codec ringing at its ends stays low.
        auto span = test::soundingSpan(left, amplitude * volume / 100 / 20);
        ASSERT_TRUE(span.has_value());
        double seconds = double(span->second - span->first) / 22050;
        EXPECT_NEAR(seconds, 1.0, 0.01);
        size_t middle = span->first + 4410;
        std::vector<int16_t> steady(left.begin() + middle, left.begin() + middle + 11025);
        EXPECT_NEAR(test::toneFrequency(test::monoSound(steady, 22050)), 440, 1.5);
        EXPECT_NEAR(test::toneDb(left, middle, 11025, 22050, 440), expectedDb, 1.0);
        EXPECT_NEAR(test::levelDb(left, middle, 11025), expectedDb, 1.0);
        // Nothing but silence after the end of the decoded sound.
        EXPECT_TRUE(std::all_of(out.samples.begin() + test::kFirstSoundFrame * 2 + expected.size(),
                                out.samples.end(), [](int16_t s) { return s == 0; }));
    }
}

}  // namespace
}  // namespace marlit
