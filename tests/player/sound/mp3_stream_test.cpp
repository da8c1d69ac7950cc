#include "player/sound/mp3_stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/files.h"
#include "tests/support/played_sound.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

using test::Pcm;

std::vector<uint8_t> load(const std::string& path) {
    auto bytes = readWhole(path);
    return bytes ? *bytes : std::vector<uint8_t>{};
}

// Reads the stream to its end in pieces of `chunk` bytes.
std::vector<int16_t> readAll(Mp3Stream& stream, uint32_t chunk) {
    std::vector<uint8_t> out(chunk + kMp3PcmBytes);
    std::vector<int16_t> all;
    for (int guard = 0; guard < 100000 && !stream.finished(); ++guard) {
        uint32_t n = stream.read(out.data(), chunk, false);
        size_t at = all.size();
        all.resize(at + n / 2);
        std::memcpy(all.data() + at, out.data(), n);
    }
    return all;
}

class Mp3StreamTest : public ::testing::Test {
  protected:
    std::string make(const std::string& name, int rate, int channels,
                     std::vector<std::string> options, double seconds = 0.5) {
        Pcm tone = test::sineWave(rate, channels, seconds, 440, 12000);
        options.insert(options.end(), {"-m", channels == 1 ? "m" : "s"});
        std::string path = test::encodeMp3(dir.path().string(), name, tone, options);
        EXPECT_FALSE(path.empty()) << "lame could not encode " << name;
        return path;
    }
    test::TempDir dir;
};

// Every kind of file the converter can write decodes to exactly what the
// mpg123 command makes of it, from memory and from a mapped file, with tags
// before and after the audio skipped.
TEST_F(Mp3StreamTest, DecodesLikeTheReferenceDecoder) {
    struct Case {
        const char* name;
        int rate;
        int channels;
        std::vector<std::string> options;
    };
    std::vector<Case> cases = {
        {"mono22.mp3", 22050, 1, {"-b", "32"}},
        {"stereo22.mp3", 22050, 2, {"-b", "64"}},
        {"mono44.mp3", 44100, 1, {"-b", "64"}},
        {"stereo44.mp3", 44100, 2, {"-b", "128"}},
        {"tagged.mp3", 22050, 2, {"-b", "64", "--add-id3v2", "--tt", "a title", "--ta", "x"}},
        {"v1only.mp3", 44100, 1, {"-b", "64", "--id3v1-only", "--tt", "a title"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = make(c.name, c.rate, c.channels, c.options);
        Pcm reference = test::decodeMp3(path, c.rate, c.channels);
        ASSERT_GT(reference.samples.size(), 1000u);

        std::vector<uint8_t> bytes = load(path);
        Mp3Stream memory;
        ASSERT_TRUE(memory.openMemory(bytes.data(), bytes.size()));
        EXPECT_EQ(memory.format().channels, c.channels);
        EXPECT_EQ(memory.format().sampleRate, static_cast<uint32_t>(c.rate));
        EXPECT_EQ(memory.format().blockAlign, c.channels * 2);
        EXPECT_EQ(readAll(memory, 8192), reference.samples);

        Mp3Stream mapped;
        ASSERT_TRUE(mapped.openMapped(path));
        EXPECT_EQ(readAll(mapped, 3000), reference.samples);
    }
}

// 1152-sample stereo frames give 4608 bytes each; an 8192-byte request takes
// two of them and keeps 1024 bytes, which the next requests are served
// from without decoding: the data behind is wiped to prove it.
TEST_F(Mp3StreamTest, ServesTheCarryOverWithoutDecoding) {
    std::string path = make("s.mp3", 44100, 2, {"-b", "128"});
    Pcm reference = test::decodeMp3(path, 44100, 2);
    std::vector<uint8_t> bytes = load(path);
    Mp3Stream stream;
    ASSERT_TRUE(stream.openMemory(bytes.data(), bytes.size()));
    std::vector<uint8_t> out(8192 + kMp3PcmBytes);
    ASSERT_EQ(stream.read(out.data(), 8192, false), 8192u);
    EXPECT_EQ(std::memcmp(out.data(), reference.samples.data(), 8192), 0);

    std::fill(bytes.begin(), bytes.end(), uint8_t{0});
    ASSERT_EQ(stream.read(out.data(), 1000, false), 1000u);
    EXPECT_EQ(std::memcmp(out.data(), reference.samples.data() + 4096, 1000), 0);
    EXPECT_FALSE(stream.finished());
    // 24 bytes are left; asking for more meets the wiped data and ends.
    EXPECT_EQ(stream.read(out.data(), 4000, false), 24u);
    EXPECT_TRUE(stream.finished());
    EXPECT_EQ(stream.read(out.data(), 4000, false), 0u);
}

TEST_F(Mp3StreamTest, EndsOrStartsAgainAtTheEnd) {
    std::string path = make("m.mp3", 22050, 1, {"-b", "32"}, 0.3);
    Pcm reference = test::decodeMp3(path, 22050, 1);
    const auto total = static_cast<uint32_t>(reference.samples.size() * 2);
    std::vector<uint8_t> bytes = load(path);
    std::vector<uint8_t> out(total + 4000 + kMp3PcmBytes);

    Mp3Stream once;
    ASSERT_TRUE(once.openMemory(bytes.data(), bytes.size()));
    EXPECT_EQ(once.read(out.data(), total + 4000, false), total);
    EXPECT_TRUE(once.finished());
    EXPECT_EQ(once.read(out.data(), 100, false), 0u);
    once.rewind();
    EXPECT_FALSE(once.finished());
    EXPECT_EQ(once.read(out.data(), 100, false), 100u);

    // A looping request that meets the end goes on from the first frame.
    Mp3Stream looping;
    ASSERT_TRUE(looping.openMemory(bytes.data(), bytes.size()));
    ASSERT_EQ(looping.read(out.data(), total + 4000, true), total + 4000);
    EXPECT_FALSE(looping.finished());
    EXPECT_EQ(std::memcmp(out.data(), reference.samples.data(), total), 0);
    // The decoder keeps its filter state across the restart, so the first
    // frame again differs where the last one's tail overlaps it; from the
    // second frame (576 samples here) on it is the same sound.
    const size_t frameBytes = 576 * 2;
    EXPECT_EQ(std::memcmp(out.data() + total + frameBytes,
                          reinterpret_cast<const uint8_t*>(reference.samples.data()) + frameBytes,
                          4000 - frameBytes),
              0);
}

// A trailer is never handed to the decoder: with the last frame cut short,
// the trailer's bytes would otherwise complete it and add a frame.
TEST_F(Mp3StreamTest, KeepsTheTrailerFromTheDecoder) {
    std::string path = make("t.mp3", 22050, 2, {"-b", "64"}, 0.3);
    std::vector<uint8_t> cut = load(path);
    cut.resize(cut.size() - 40);
    std::vector<uint8_t> trailed = cut;
    trailed.insert(trailed.end(), {'T', 'A', 'G'});
    trailed.resize(trailed.size() + 125, 0x55);

    Mp3Stream plain, withTrailer;
    ASSERT_TRUE(plain.openMemory(cut.data(), cut.size()));
    ASSERT_TRUE(withTrailer.openMemory(trailed.data(), trailed.size()));
    EXPECT_EQ(readAll(withTrailer, 8192), readAll(plain, 8192));
}

// The decoder's format is fixed by the first frame; a frame of another rate
// ends the sound rather than being played at the wrong speed.
TEST_F(Mp3StreamTest, EndsAtAFrameOfAnotherFormat) {
    std::string first = make("a.mp3", 22050, 2, {"-b", "64", "-t"}, 0.3);
    std::string second = make("b.mp3", 44100, 2, {"-b", "128", "-t"}, 0.3);
    Pcm reference = test::decodeMp3(first, 22050, 2);
    std::vector<uint8_t> joined = load(first);
    std::vector<uint8_t> tail = load(second);
    joined.insert(joined.end(), tail.begin(), tail.end());
    Mp3Stream stream;
    ASSERT_TRUE(stream.openMemory(joined.data(), joined.size()));
    EXPECT_EQ(readAll(stream, 8192), reference.samples);
}

TEST(Mp3StreamInput, RefusesWhatCannotBeDecoded) {
    Mp3Stream stream;
    std::vector<uint8_t> junk(4000, 0x41);
    EXPECT_FALSE(stream.openMemory(junk.data(), junk.size()));
    EXPECT_FALSE(stream.openMemory(junk.data(), 0));
    // An ID3v2 tag that claims more than there is.
    std::vector<uint8_t> tag = {'I',  'D',  '3',  3,    0,    0,    0x7F,
                                0x7F, 0x7F, 0x7F, 0xFF, 0xFB, 0x90, 0x64};
    EXPECT_FALSE(stream.openMemory(tag.data(), tag.size()));
    EXPECT_FALSE(stream.openMapped("/nonexistent/x.mp3"));
    test::TempDir dir;
    std::string empty = dir.file("empty.mp3");
    ASSERT_TRUE(writeWholeAtomic(empty, {}));
    EXPECT_FALSE(stream.openMapped(empty));
    EXPECT_FALSE(stream.isOpen());
    std::vector<uint8_t> out(100 + kMp3PcmBytes);
    EXPECT_EQ(stream.read(out.data(), 100, true), 0u);
}

// A looping sound whose first frame opens but never decodes must not spin
// for ever inside the device's callback.
TEST(Mp3StreamInput, LoopingOverAnUndecodableFrameEnds) {
    std::vector<uint8_t> header = {0xFF, 0xFB, 0x90, 0x64};
    Mp3Stream stream;
    ASSERT_TRUE(stream.openMemory(header.data(), header.size()));
    std::vector<uint8_t> out(8192 + kMp3PcmBytes);
    EXPECT_EQ(stream.read(out.data(), 8192, true), 0u);
    EXPECT_TRUE(stream.finished());
}

}  // namespace
}  // namespace marlit
