// Rate and channel conversion keeps a tone's pitch, level and duration.
#include <gtest/gtest.h>

#include "converter/platform/resample.h"
#include "tests/support/sound_files.h"

namespace marlit {
namespace {

test::DecodedSound asDecoded(const PcmAudio& audio) {
    return {audio.format.rate, audio.format.channels, audio.samples};
}

TEST(Resample, KeepsPitchLevelAndDuration) {
    PcmAudio source{{44100, 2}, test::sine(44100, 2, 1.0, 1000, 10000)};
    for (uint32_t rate : {22050u, 48000u, 11025u}) {
        auto out = Resample(source, {rate, 2});
        ASSERT_TRUE(out.has_value()) << rate;
        EXPECT_EQ(out->format, (PcmFormat{rate, 2}));
        EXPECT_NEAR(static_cast<double>(out->frames()), rate, 1) << rate;
        auto decoded = asDecoded(*out);
        EXPECT_NEAR(test::toneFrequency(decoded), 1000, 1) << rate;
        EXPECT_NEAR(test::levelDb(decoded, rate / 20), test::levelDb(asDecoded(source), 2205), 0.1)
            << rate;
    }
}

TEST(Resample, MixesChannels) {
    PcmAudio stereo{{22050, 2}, {}};
    for (int i = 0; i < 100; ++i)
        stereo.samples.insert(stereo.samples.end(), {1000, 3001});
    auto mono = Resample(stereo, {22050, 1});
    ASSERT_TRUE(mono.has_value());
    EXPECT_EQ(mono->samples, std::vector<int16_t>(100, 2000));

    PcmAudio single{{22050, 1}, {5, -7, 9}};
    auto both = Resample(single, {22050, 2});
    ASSERT_TRUE(both.has_value());
    EXPECT_EQ(both->samples, (std::vector<int16_t>{5, 5, -7, -7, 9, 9}));

    PcmAudio quad{{22050, 4}, {1, 2, 3, 4, 5, 6, 7, 8}};
    auto front = Resample(quad, {22050, 2});
    ASSERT_TRUE(front.has_value());
    EXPECT_EQ(front->samples, (std::vector<int16_t>{1, 2, 5, 6}));
}

TEST(Resample, SameInputSameOutput) {
    PcmAudio source{{32000, 1}, test::sine(32000, 1, 0.3, 440, 20000)};
    auto a = Resample(source, {22050, 1});
    auto b = Resample(source, {22050, 1});
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->samples, b->samples);
}

TEST(Resample, RejectsFormatsOutOfRange) {
    PcmAudio source{{22050, 1}, {1, 2, 3}};
    std::string why;
    EXPECT_FALSE(Resample(source, {22050, 3}, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(Resample(source, {100, 1}));
    EXPECT_FALSE(Resample(PcmAudio{{0, 1}, {1}}, {22050, 1}));
    EXPECT_FALSE(Resample(PcmAudio{{22050, 0}, {1}}, {22050, 1}));
    auto empty = Resample(PcmAudio{{44100, 1}, {}}, {22050, 1});
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->samples.empty());
}

}  // namespace
}  // namespace marlit
