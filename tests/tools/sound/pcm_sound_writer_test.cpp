// The writers' files must decode, with the converter's own decoders, to the
// sound that went in.
#include "tools/sound/pcm_sound_writer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "converter/delta_sound.h"
#include "converter/pcm_sound.h"
#include "converter/transform_sound.h"
#include "converter/wave_file.h"

namespace marlit::sound {
namespace {

// A tune-like signal: a few partials that change every tenth of a second,
// each note starting within a few milliseconds.
PcmAudio melody(uint32_t rate, uint16_t channels, double seconds) {
    PcmAudio a{{rate, channels}, {}};
    const size_t frames = static_cast<size_t>(seconds * rate);
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const int note = static_cast<int>(t * 10);
        const double f = 220 * std::pow(2.0, (note % 7) / 12.0);
        const double local = std::fmod(t, 0.1);
        const double env = std::min(1.0, local * 300) * std::exp(-local * 20);
        const double v =
            12000 * env * (std::sin(6.2832 * f * t) + 0.3 * std::sin(6.2832 * 3 * f * t));
        for (uint16_t c = 0; c < channels; ++c)
            a.samples.push_back(static_cast<int16_t>(std::lround(c ? -v * 0.5 : v)));
    }
    return a;
}

// Signal-to-error ratio in dB.
double snr(const std::vector<int16_t>& want, const std::vector<int16_t>& got) {
    double signal = 0, error = 0;
    for (size_t i = 0; i < want.size(); ++i) {
        signal += static_cast<double>(want[i]) * want[i];
        const double e = static_cast<double>(want[i]) - (i < got.size() ? got[i] : 0);
        error += e * e;
    }
    return 10 * std::log10(signal / std::max(error, 1.0));
}

TEST(PcmSoundWriter, HeaderCarriesFormatAndSize) {
    const auto header = soundHeader({44100, 2}, 2, 12345);
    auto parsed = readPcmSoundHeader(header);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->pcmSize, 12345u);
    EXPECT_EQ(parsed->codec, 2);
    EXPECT_EQ(parsed->channels, 2);
    EXPECT_EQ(parsed->sampleRate, 44100u);
    EXPECT_EQ(parsed->bitsPerSample, 16);
    EXPECT_FALSE(isRiff(header));
}

TEST(PcmSoundWriter, RawSoundIsTheSamples) {
    const PcmAudio a = melody(22050, 2, 0.3);
    const auto file = writeRawSound(a);
    auto header = readPcmSoundHeader(file);
    ASSERT_TRUE(header);
    auto decoded = decodeRawSound(*header, file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->samples, a.samples);
}

TEST(PcmSoundWriter, DeltaSoundFollowsTheSignalInBothChannels) {
    const PcmAudio a = melody(22050, 2, 1.0);
    auto wave = DecodeDeltaSound(writeDeltaSound(a));
    ASSERT_TRUE(wave);
    auto decoded = decodeWave(*wave);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->samples.size(), a.samples.size());
    EXPECT_GT(snr(a.samples, decoded->samples), 40.0);
    // Errors do not pile up: the end is as close as the start.
    const size_t n = a.samples.size();
    for (size_t i = n - 200; i < n; ++i)
        EXPECT_NEAR(decoded->samples[i], a.samples[i], 600) << i;
}

TEST(PcmSoundWriter, DeltaStepsClimbToAJumpAndSettle) {
    // Silence, a full-scale step, silence again: the shift must rise to
    // reach the step and fall back to follow small values exactly.
    std::vector<int16_t> s(3000, 0);
    std::fill(s.begin() + 1000, s.begin() + 2000, 30000);
    const auto deltas = deltaEncode(s, 1);
    PcmAudio a{{22050, 1}, s};
    auto wave = DecodeDeltaSound(writeDeltaSound(a));
    ASSERT_TRUE(wave);
    auto decoded = decodeWave(*wave);
    ASSERT_TRUE(decoded);
    EXPECT_NEAR(decoded->samples[1990], 30000, 200);
    EXPECT_NEAR(decoded->samples[2999], 0, 2);
    EXPECT_EQ(deltas.size(), s.size());
}

TEST(PcmSoundWriter, TransformSoundDecodesAcrossBlockSeams) {
    // Three blocks and a part: the seams at 4064 and 8128 are cross-faded.
    const PcmAudio a = melody(22050, 1, 0.6);
    const auto file = writeTransformSound(a);
    auto header = readPcmSoundHeader(file);
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->isTransform());
    auto payload = transformPayload(*header, file);
    ASSERT_TRUE(payload);
    EXPECT_EQ(payload->size(), transformBlocksFor(a.samples.size()) * kTransformBlockBytes);
    auto decoded = DecodeTransformSound(*payload, header->pcmSize);
    ASSERT_TRUE(decoded);
    // The codec's fixed steps (2 to 16 per bin) leave noise some 35 dB
    // down; the seams add nothing to it.
    EXPECT_GT(snr(a.samples, *decoded), 33.0);
    for (size_t seam : {kTransformBlockStep, 2 * kTransformBlockStep}) {
        const std::vector<int16_t> want(a.samples.begin() + seam, a.samples.begin() + seam + 32);
        const std::vector<int16_t> got(decoded->begin() + seam, decoded->begin() + seam + 32);
        EXPECT_GT(snr(want, got), 30.0) << seam;
    }
}

}  // namespace
}  // namespace marlit::sound
