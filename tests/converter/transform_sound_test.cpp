// The transform codec against a plain evaluation of its defining sum.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "converter/sound_convert.h"
#include "converter/transform_sound.h"
#include "tests/support/sound_files.h"

namespace marlit {
namespace {

constexpr int kScale[8] = {2048, 2048, 2048, 4096, 4096, 4096, 8192, 16384};

using Bins = test::TransformBins;

std::vector<uint8_t> block(const Bins& bins) {
    return test::transformBlock(bins);
}

Bins dc(int value) {
    Bins bins(2048);
    bins[0] = {value, 0};
    return bins;
}

// The exact sample n: Re of the forward DFT over 1024, truncated.
long exactSample(const Bins& bins, size_t n) {
    long double sum = 0;
    for (size_t k = 0; k < bins.size(); ++k) {
        const long double angle = -2.0L * M_PI * static_cast<long double>((k * n) % 4096) / 4096;
        const long double s = kScale[k >> 8];
        sum += bins[k].first * s * std::cos(angle) - bins[k].second * s * std::sin(angle);
    }
    return static_cast<long>(sum / 1024);
}

std::vector<int16_t> decode(const std::vector<uint8_t>& payload, uint32_t pcmSize) {
    auto out = DecodeTransformSound(payload, pcmSize);
    EXPECT_TRUE(out.has_value());
    return out.value_or(std::vector<int16_t>{});
}

TEST(TransformSound, MatchesTheExactTransformWithinOne) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> small(-30, 30);
    Bins bins(2048);
    for (auto& b : bins)
        b = {small(random), small(random)};
    auto samples = decode(block(bins), 8192);
    ASSERT_EQ(samples.size(), 4096u);
    for (size_t n = 0; n < 4096; n += 61) {
        const long exact = std::clamp(exactSample(bins, n), -32768L, 32767L);
        EXPECT_LE(std::abs(samples[n] - exact), 1) << "sample " << n;
    }
}

TEST(TransformSound, ImaginaryPartsTurnForward) {
    // Bin 1 purely imaginary: the forward direction gives +im·sin, the
    // inverse would give -im·sin.
    Bins bins(2048);
    bins[1] = {0, 3};
    auto samples = decode(block(bins), 8192);
    EXPECT_NEAR(samples[1024], 6, 1);  // 3 · 2048 · sin(π/2) / 1024
    EXPECT_NEAR(samples[3072], -6, 1);
    // The top band has the largest scale.
    bins = Bins(2048);
    bins[2047] = {1, 0};
    samples = decode(block(bins), 8192);
    EXPECT_EQ(samples[0], 16);
}

TEST(TransformSound, TwoBlocksCrossFadeAt4064) {
    // 16320 bytes are 8160 samples: block 0 at 0, block 1 at 4064.
    auto payload = block(dc(500));   // 500 · 2048 / 1024 = 1000 everywhere
    auto second = block(dc(-1000));  // -2000
    payload.insert(payload.end(), second.begin(), second.end());
    auto samples = decode(payload, 16320);
    ASSERT_EQ(samples.size(), 8160u);
    EXPECT_EQ(samples[0], 1000);
    EXPECT_EQ(samples[4063], 1000);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(samples[4064 + i], ((32 - i) * 1000 + i * -2000) / 32) << i;
    }
    EXPECT_EQ(samples[4096], -2000);
    EXPECT_EQ(samples[8159], -2000);
}

TEST(TransformSound, OneBlockFillsUpTo4096Samples) {
    auto samples = decode(block(dc(1)), 8192);
    EXPECT_EQ(samples.size(), 4096u);
    EXPECT_EQ(transformBlocksFor(4096), 1u);
    EXPECT_EQ(transformBlocksFor(4097), 2u);
    EXPECT_EQ(transformBlocksFor(8160), 2u);
    EXPECT_EQ(transformBlocksFor(8161), 3u);
    // Fewer samples than a block: the rest of it is not written.
    samples = decode(block(dc(1)), 20);
    EXPECT_EQ(samples, std::vector<int16_t>(10, 2));
}

TEST(TransformSound, ClampsToSixteenBits) {
    auto samples = decode(block(dc(20000)), 8192);
    EXPECT_EQ(samples[5], 32767);
    samples = decode(block(dc(-20000)), 8192);
    EXPECT_EQ(samples[5], -32768);
}

TEST(TransformSound, ShortPayloads) {
    std::string why;
    // Two blocks needed, one given.
    EXPECT_FALSE(DecodeTransformSound(block(dc(1)), 16320, &why).has_value());
    EXPECT_FALSE(why.empty());
    // A last block cut short reads as zeros: its DC code's high byte is
    // all there is, and the low nibbles are missing.
    auto payload = block(dc(1));
    auto second = block(dc(0x180));  // code 0x2FF
    payload.insert(payload.end(), second.begin(), second.begin() + 100);
    auto samples = decode(payload, 16320);
    ASSERT_EQ(samples.size(), 8160u);
    EXPECT_EQ(samples[5000], 2 * -0x100);  // code 0x200 is -256
    EXPECT_TRUE(DecodeTransformSound({}, 0).has_value());
}

TEST(TransformSound, DispatchedForOtherCodecs) {
    // Codec 5, payload size at 28, payload from 32.
    auto payload = block(dc(100));
    std::vector<uint8_t> body = {0, 0x20, 0, 0};  // payload size 8192
    body.insert(body.end(), payload.begin(), payload.end());
    auto file = test::pcmSoundFile(22050, 1, 5, 8192, body);
    auto audio = decodeSound(file);
    ASSERT_TRUE(audio.has_value());
    EXPECT_EQ(audio->samples.size(), 4096u);
    EXPECT_EQ(audio->samples[100], 200);
    // A payload size beyond the file is a lie.
    body[1] = 0x21;
    EXPECT_FALSE(decodeSound(test::pcmSoundFile(22050, 1, 5, 8192, body)).has_value());
}

}  // namespace
}  // namespace marlit
