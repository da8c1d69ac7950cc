// WAVE files: the chunk walk and the PCM it finds.
#include <gtest/gtest.h>

#include "base/bytes.h"
#include "converter/sound_convert.h"
#include "converter/wave_file.h"
#include "tests/support/sound_files.h"

namespace marlit {
namespace {

void chunk(ByteWriter& w, const char* id, std::vector<uint8_t> data, uint32_t claimed = 0) {
    w.bytes(id, 4);
    w.u32(claimed ? claimed : static_cast<uint32_t>(data.size()));
    w.bytes(data);
    if (data.size() & 1)
        w.u8(0);
}

std::vector<uint8_t> fmtChunk(uint16_t channels, uint32_t rate, uint16_t bits) {
    return test::waveFormatChunk(rate, channels, bits);
}

ByteWriter riff() {
    ByteWriter w;
    w.bytes("RIFF", 4);
    w.u32(0);
    w.bytes("WAVE", 4);
    return w;
}

TEST(ParseWave, WalksPaddedChunksAndTakesTheFirstOfEach) {
    ByteWriter w = riff();
    chunk(w, "LIST", {1, 2, 3});  // odd: one pad byte follows
    chunk(w, "data", {});         // empty: passed over
    chunk(w, "fmt ", fmtChunk(1, 22050, 16));
    chunk(w, "data", {9, 0, 8, 0});
    chunk(w, "fmt ", fmtChunk(2, 44100, 16));
    chunk(w, "data", {7, 0});
    auto bytes = w.take();
    auto chunks = ParseWave(bytes);
    ASSERT_TRUE(chunks.has_value());
    EXPECT_EQ(loadU32(chunks->fmt.data() + 4), 22050u);
    EXPECT_EQ(chunks->dataLength, 4u);
    EXPECT_EQ(bytes[chunks->dataOffset], 9);
    auto audio = decodeSound(bytes);
    ASSERT_TRUE(audio.has_value());
    EXPECT_EQ(audio->samples, (std::vector<int16_t>{9, 8}));
}

TEST(ParseWave, DataClaimingMoreThanTheFileIsCut) {
    ByteWriter w = riff();
    chunk(w, "fmt ", fmtChunk(2, 22050, 16));
    chunk(w, "data", {1, 0, 2, 0, 3, 0, 4, 0, 5, 0}, 0x7FFFFFF0);
    auto bytes = w.take();
    auto chunks = ParseWave(bytes);
    ASSERT_TRUE(chunks.has_value());
    EXPECT_EQ(chunks->dataLength, 10u);
    // Whole frames only: the odd sample is dropped.
    auto audio = decodeSound(bytes);
    ASSERT_TRUE(audio.has_value());
    EXPECT_EQ(audio->samples, (std::vector<int16_t>{1, 2, 3, 4}));
}

TEST(ParseWave, MissingPartsGiveNothing) {
    ByteWriter w = riff();
    chunk(w, "fmt ", fmtChunk(1, 22050, 16));
    EXPECT_FALSE(ParseWave(w.buffer()).has_value());  // no data
    w = riff();
    chunk(w, "data", {1, 0});
    EXPECT_FALSE(ParseWave(w.buffer()).has_value());  // no fmt
    w = riff();
    chunk(w, "fmt ", {1, 0, 1, 0});  // shorter than 14 bytes
    chunk(w, "data", {1, 0});
    EXPECT_FALSE(ParseWave(w.buffer()).has_value());
    auto bytes = test::waveFile(22050, 1, 16, std::vector<uint8_t>{1, 0});
    bytes[8] = 'X';  // not WAVE
    EXPECT_FALSE(ParseWave(bytes).has_value());
    EXPECT_FALSE(ParseWave(std::vector<uint8_t>{'R', 'I', 'F', 'F'}).has_value());
    // A chunk length that would wrap the walk around ends it.
    w = riff();
    chunk(w, "JUNK", {}, 0xFFFFFFFF);
    chunk(w, "fmt ", fmtChunk(1, 22050, 16));
    chunk(w, "data", {1, 0});
    EXPECT_FALSE(ParseWave(w.buffer()).has_value());
}

TEST(DecodeWave, EightBitSamplesAreWidened) {
    auto audio = decodeSound(test::waveFile(11025, 1, 8, std::vector<uint8_t>{128, 255, 0}));
    ASSERT_TRUE(audio.has_value());
    EXPECT_EQ(audio->format, (PcmFormat{11025, 1}));
    EXPECT_EQ(audio->samples, (std::vector<int16_t>{0, 127 * 256, -128 * 256}));
}

TEST(DecodeWave, RejectsWhatItCannotPlay) {
    std::string why;
    EXPECT_FALSE(decodeSound(test::waveFile(22050, 1, 24, std::vector<uint8_t>(6)), &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(decodeSound(test::waveFile(0, 1, 16, std::vector<uint8_t>(6))));
    EXPECT_FALSE(decodeSound(test::waveFile(22050, 0, 16, std::vector<uint8_t>(6))));
}

}  // namespace
}  // namespace marlit
