// Clips of the voice archive: WAVE, raw, or transform coded with the payload
// compressed by zlib.
#include <gtest/gtest.h>

#include "base/bytes.h"
#include "converter/transform_sound.h"
#include "converter/voice_clip.h"
#include "tests/support/sound_files.h"

namespace marlit {
namespace {

// A transform clip as the archive has it: payload size at 28 is the
// compressed length, the zlib stream from 32.
std::vector<uint8_t> compressedClip(std::span<const uint8_t> payload, uint32_t pcmSize,
                                    uint8_t codec = 1) {
    auto z = test::zlibCompress(payload);
    ByteWriter body;
    body.u32(static_cast<uint32_t>(z.size()));
    body.bytes(z);
    return test::pcmSoundFile(22050, 1, codec, pcmSize, body.buffer());
}

TEST(VoiceClip, CompressedTransformDecodesAsTheRawPayload) {
    // 5 blocks of a tone: 4064·4 + 4096 samples.
    auto payload = test::transformTone(5, 3000);
    const uint32_t pcmSize = (4064 * 4 + 4096) * 2;
    auto expected = DecodeTransformSound(payload, pcmSize);
    ASSERT_TRUE(expected.has_value());
    // Any codec other than 0 is a compressed transform inside the archive,
    // the delta codec's 2 included.
    for (uint8_t codec : {1, 2, 7}) {
        auto audio = decodeVoiceClip(compressedClip(payload, pcmSize, codec));
        ASSERT_TRUE(audio.has_value()) << int(codec);
        EXPECT_EQ(audio->format, (PcmFormat{22050, 1}));
        EXPECT_EQ(audio->samples, *expected);
    }
}

TEST(VoiceClip, InflatingGrowsWithTheData) {
    // 40 silent blocks compress to a few hundred bytes.
    std::vector<uint8_t> payload(40 * 8192, 0);
    const uint32_t pcmSize = (4064 * 39 + 4096) * 2;
    auto audio = decodeVoiceClip(compressedClip(payload, pcmSize));
    ASSERT_TRUE(audio.has_value());
    EXPECT_EQ(audio->samples.size(), pcmSize / 2u);
}

TEST(VoiceClip, DamagedClipsDoNotDecode) {
    auto payload = test::transformTone(1, 1000);
    auto good = compressedClip(payload, 8192);
    std::string why;
    // A stream cut short.
    auto cut = good;
    cut.resize(cut.size() - 20);
    storeU32(cut.data() + 28, static_cast<uint32_t>(cut.size() - 32));
    EXPECT_FALSE(decodeVoiceClip(cut, &why).has_value());
    EXPECT_FALSE(why.empty());
    // Bytes that are no zlib stream.
    auto garbage = good;
    for (size_t i = 32; i < garbage.size(); ++i)
        garbage[i] = static_cast<uint8_t>(i * 7);
    EXPECT_FALSE(decodeVoiceClip(garbage).has_value());
    // A compressed length beyond the clip.
    auto liar = good;
    storeU32(liar.data() + 28, static_cast<uint32_t>(liar.size()));
    EXPECT_FALSE(decodeVoiceClip(liar).has_value());
    // A PCM size that needs more blocks than the stream holds.
    EXPECT_FALSE(decodeVoiceClip(compressedClip(payload, 8194)).has_value());
    // Shorter than the header.
    EXPECT_FALSE(decodeVoiceClip(std::vector<uint8_t>(good.begin(), good.begin() + 27)));
    EXPECT_FALSE(decodeVoiceClip(std::vector<uint8_t>(good.begin(), good.begin() + 30)));
}

TEST(VoiceClip, Kinds) {
    const std::vector<int16_t> samples = {1, 2, 3};
    auto raw = test::rawSoundFile(22050, 1, samples);
    auto wave = test::waveFile(22050, 1, 16, test::toBytes(samples));
    auto transform = compressedClip(test::transformTone(1, 10), 8192);
    EXPECT_EQ(classifyVoiceClip("a\\b.pcm", raw), VoiceClipKind::Pcm);
    EXPECT_EQ(classifyVoiceClip("a\\b.PCM", wave), VoiceClipKind::Wave);
    EXPECT_EQ(classifyVoiceClip("a\\b.pcm", transform), VoiceClipKind::Transform);
    EXPECT_EQ(classifyVoiceClip("a\\b.wav", wave), VoiceClipKind::Other);
    EXPECT_EQ(classifyVoiceClip("a\\b.pcm", std::vector<uint8_t>(10)), VoiceClipKind::Other);
    EXPECT_STREQ(voiceClipKindName(VoiceClipKind::Transform), "transform");
    auto audio = decodeVoiceClip(raw);
    ASSERT_TRUE(audio.has_value());
    EXPECT_EQ(audio->samples, samples);
    audio = decodeVoiceClip(wave);
    ASSERT_TRUE(audio.has_value());
    EXPECT_EQ(audio->samples, samples);
}

}  // namespace
}  // namespace marlit
