// The delta codec: each byte steps the channel's accumulator by d << shift.
#include <gtest/gtest.h>

#include "base/bytes.h"
#include "converter/delta_sound.h"
#include "converter/sound_convert.h"
#include "converter/wave_file.h"
#include "tests/support/sound_files.h"

namespace marlit {
namespace {

std::vector<uint8_t> deltaFile(uint16_t channels, std::vector<uint8_t> deltas, uint16_t bits = 16) {
    return test::pcmSoundFile(22050, channels, 2, static_cast<uint32_t>(deltas.size() * 2), deltas,
                              bits);
}

std::vector<int16_t> decode(const std::vector<uint8_t>& file) {
    auto audio = decodeSound(file);
    EXPECT_TRUE(audio.has_value());
    return audio ? audio->samples : std::vector<int16_t>{};
}

TEST(DeltaSound, ShiftRisesOnFullStepsAndFallsOnZero) {
    EXPECT_EQ(decode(deltaFile(1, {127, 127, 0})), (std::vector<int16_t>{127, 381, 381}));
    // -128 raises the shift as 127 does; 0 at shift 0 keeps it at 0.
    EXPECT_EQ(decode(deltaFile(1, {0, 0x80, 1, 0, 0, 1})),
              (std::vector<int16_t>{0, -128, -126, -126, -126, -125}));
}

TEST(DeltaSound, ShiftStopsAtEight) {
    std::vector<uint8_t> deltas(10, 127);
    deltas.push_back(1);
    auto samples = decode(deltaFile(1, deltas));
    ASSERT_EQ(samples.size(), 11u);
    // Nine full steps raise the shift to 8 and it stays there: the last
    // step of 1 adds 256.
    EXPECT_EQ(static_cast<uint16_t>(samples[10] - samples[9]), 256);
}

TEST(DeltaSound, StereoAlternatesTwoStates) {
    // Left: 127, 127 (second step shifted by 1); right: 1, 1 (no shift).
    EXPECT_EQ(decode(deltaFile(2, {127, 1, 127, 1})), (std::vector<int16_t>{127, 1, 381, 2}));
}

TEST(DeltaSound, SampleIsTheLowSixteenBitsOfAnEndlessAccumulator) {
    // 400000 full steps at shift 8 run the accumulator far beyond 32 bits
    // of signed range; only its low 16 bits count.
    std::vector<uint8_t> deltas(400000, 127);
    auto samples = decode(deltaFile(1, deltas));
    ASSERT_EQ(samples.size(), deltas.size());
    uint64_t acc = 0;
    int shift = 0;
    for (size_t i = 0; i < deltas.size(); ++i) {
        acc += uint64_t{127} << shift;
        shift = std::min(shift + 1, 8);
        ASSERT_EQ(samples[i], static_cast<int16_t>(acc & 0xFFFF)) << i;
    }
}

TEST(DeltaSound, WaveImageDescribesSixteenBitPcm) {
    auto wave = DecodeDeltaSound(deltaFile(2, {1, 2, 3, 4}, 8));
    ASSERT_TRUE(wave.has_value());
    ASSERT_EQ(wave->size(), 44u + 8);
    auto chunks = ParseWave(*wave);
    ASSERT_TRUE(chunks.has_value());
    EXPECT_EQ(chunks->dataLength, 8u);
    // Channels 2, rate 22050, byte rate, block alignment 4, 16 bits even
    // though the header said 8: the samples are 16-bit.
    EXPECT_EQ(loadU16(chunks->fmt.data() + 2), 2);
    EXPECT_EQ(loadU32(chunks->fmt.data() + 4), 22050u);
    EXPECT_EQ(loadU32(chunks->fmt.data() + 8), 22050u * 4);
    EXPECT_EQ(loadU16(chunks->fmt.data() + 12), 4);
    EXPECT_EQ(loadU16(chunks->fmt.data() + 14), 16);
}

TEST(DeltaSound, RejectsSizesThatLie) {
    std::string why;
    // The header claims 4 samples, the file holds 3 delta bytes.
    auto file = test::pcmSoundFile(22050, 1, 2, 8, std::vector<uint8_t>{1, 2, 3});
    EXPECT_FALSE(DecodeDeltaSound(file, &why).has_value());
    EXPECT_FALSE(why.empty());
    // Extra bytes behind the PCM size are ignored.
    file = test::pcmSoundFile(22050, 1, 2, 4, std::vector<uint8_t>{1, 2, 3});
    auto wave = DecodeDeltaSound(file);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->size(), 48u);
    EXPECT_FALSE(
        DecodeDeltaSound(test::pcmSoundFile(22050, 3, 2, 2, std::vector<uint8_t>{1})).has_value());
    EXPECT_FALSE(DecodeDeltaSound(std::vector<uint8_t>(27, 0)).has_value());
}

}  // namespace
}  // namespace marlit
