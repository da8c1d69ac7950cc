// The voice pack: one record per clip in archive order, read back with the
// player's pack reader.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "base/bytes.h"
#include "base/files.h"
#include "converter/voice_pack.h"
#include "formats/mlz_pack.h"
#include "formats/mlz_reader.h"
#include "tests/support/file_bytes.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

using Clips = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

std::vector<uint8_t> compressedTone(size_t blocks) {
    auto z = test::zlibCompress(test::transformTone(blocks, 5000));
    ByteWriter body;
    body.u32(static_cast<uint32_t>(z.size()));
    body.bytes(z);
    const uint32_t pcmSize = static_cast<uint32_t>((4064 * (blocks - 1) + 4096) * 2);
    return test::pcmSoundFile(22050, 1, 3, pcmSize, body.buffer());
}

struct PackRun {
    bool written = false;
    std::vector<ConvertFailure> failures;
    int done = 0;
    int total = 0;
    std::string packPath;
};

PackRun writePack(const test::TempDir& dir, const Clips& clips, int jobs,
                  const std::string& outName = "out") {
    const std::string archive = dir.file("voice.dat");
    auto bytes = test::voiceArchiveFile(clips);
    test::writeFileBytes(archive, bytes);
    std::filesystem::create_directories(dir.path() / outName);
    PackRun run;
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    run.written = WriteVoicePack(archive, dir.file(outName), Mp3Settings{3, 0, true}, jobs,
                                 {done, total, {}}, run.failures);
    run.done = done;
    run.total = total;
    run.packPath = dir.file(outName) + "/voice.mlz";
    return run;
}

std::optional<MlzPack> readIndex(const std::string& path) {
    auto bytes = readHostFile(path);
    if (!bytes)
        return std::nullopt;
    return parseMlzIndex(*bytes, bytes->size());
}

TEST(VoicePack, OneRecordPerClipInArchiveOrder) {
    const std::string longName = std::string(50, 'n') + ".pcm";  // "VOICE\" + 50 + ".mp3" = 60
    const std::string tooLong = std::string(55, 'n') + ".pcm";   // 65 bytes in the pack
    const auto raw = test::rawSoundFile(22050, 1, test::sine(22050, 1, 0.2, 440, 8000));
    const Clips clips = {
        {"ka\\v001.pcm", raw},
        {"OMAKE\\v002.pcm", raw},
        {"ka\\readme.txt", {'h', 'i'}},
        {"ka\\V003.PCM",
         test::waveFile(44100, 2, 16, test::toBytes(test::sine(44100, 2, 0.2, 440, 8000)))},
        {"ka\\v004.pcm", compressedTone(6)},
        {"ka\\short.pcm", std::vector<uint8_t>(20)},
        {tooLong, raw},
        {longName, raw},
    };
    test::TempDir dir;
    auto run = writePack(dir, clips, 2);
    ASSERT_TRUE(run.written);
    EXPECT_EQ(run.total, 8);
    EXPECT_EQ(run.done, 8);
    // The too-long name and the short clip did not convert.
    ASSERT_EQ(run.failures.size(), 2u);
    EXPECT_EQ(run.failures[0].name, "ka\\short.pcm");
    EXPECT_EQ(run.failures[1].name, tooLong);

    auto pack = readIndex(run.packPath);
    ASSERT_TRUE(pack.has_value());
    ASSERT_EQ(pack->entries.size(), 8u);
    const auto& e = pack->entries;
    EXPECT_EQ(e[0].name, "VOICE\\ka\\v001.mp3");
    EXPECT_GT(e[0].storedSize, 0u);
    EXPECT_EQ(e[1].name, "VOICE\\OMAKE\\v002.mp3");
    EXPECT_EQ(e[1].storedSize, 0u);
    EXPECT_EQ(e[2].name, "");
    EXPECT_EQ(e[2].storedSize, 0u);
    EXPECT_EQ(e[3].name, "VOICE\\ka\\V003.mp3");
    EXPECT_GT(e[3].storedSize, 0u);
    EXPECT_EQ(e[4].name, "VOICE\\ka\\v004.mp3");
    EXPECT_GT(e[4].storedSize, 0u);
    EXPECT_EQ(e[5].name, "VOICE\\ka\\short.mp3");
    EXPECT_EQ(e[5].storedSize, 0u);
    EXPECT_EQ(e[6].name, "");  // never a cut name that could point elsewhere
    EXPECT_EQ(e[7].name, "VOICE\\" + std::string(50, 'n') + ".mp3");
    uint32_t offset = 0;
    for (const auto& entry : e) {
        EXPECT_EQ(entry.method, kMlzStored);
        EXPECT_EQ(entry.expandedSize, entry.storedSize);
        EXPECT_EQ(entry.dataOffset, offset);
        offset += entry.storedSize;
    }

    // The player finds each converted clip by its name; it is a mono MP3.
    MlzReader reader;
    auto tone = reader.ReadEntry(run.packPath, "voice\\KA\\v004.mp3");
    ASSERT_TRUE(tone.has_value());
    auto frame = test::firstMp3Frame(*tone);
    ASSERT_TRUE(frame.has_value());
    EXPECT_TRUE(frame->mono);
    EXPECT_EQ(frame->kbps, 32);
    test::writeFileBytes(dir.file("tone.mp3"), *tone);
    auto decoded = test::decodeMp3File(dir.file("tone.mp3"));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->rate, 22050u);
    EXPECT_NEAR(test::toneFrequency(*decoded), 22050.0 / 32, 3);
    // Amplitude 10000: -13.3 dB.
    EXPECT_NEAR(test::levelDb(*decoded, 2000), 20 * std::log10(10000 / 32768.0 / std::sqrt(2.0)),
                1);
    auto omake = reader.ReadEntry(run.packPath, "VOICE\\OMAKE\\v002.mp3");
    ASSERT_TRUE(omake.has_value());
    EXPECT_TRUE(omake->empty());
}

TEST(VoicePack, SameBytesWhateverTheJobCount) {
    Clips clips;
    for (int i = 0; i < 7; ++i) {
        clips.push_back({"ka\\v" + std::to_string(i) + ".pcm",
                         test::rawSoundFile(
                             22050, 1, test::sine(22050, 1, 0.1 + 0.05 * i, 300 + 100 * i, 6000))});
    }
    clips.push_back({"ka\\t.pcm", compressedTone(3)});
    test::TempDir dir;
    auto one = writePack(dir, clips, 1, "one");
    auto three = writePack(dir, clips, 3, "three");
    ASSERT_TRUE(one.written && three.written);
    auto a = readHostFile(one.packPath);
    auto b = readHostFile(three.packPath);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, *b);
}

TEST(VoicePack, DamagedArchives) {
    test::TempDir dir;
    // Offsets that run backwards: that clip keeps its name with size 0.
    auto bytes = test::voiceArchiveFile({{"a\\1.pcm", {}}, {"a\\2.pcm", {}}});
    storeU32(bytes.data() + 64, 1000);
    storeU32(bytes.data() + 128, 132);
    test::writeFileBytes(dir.file("voice.dat"), bytes);
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::vector<ConvertFailure> failures;
    ASSERT_TRUE(WriteVoicePack(dir.file("voice.dat"), dir.path().string(), {}, 2, {done, total, {}},
                               failures));
    auto pack = readIndex(dir.file("voice.mlz"));
    ASSERT_TRUE(pack.has_value());
    ASSERT_EQ(pack->entries.size(), 2u);
    EXPECT_EQ(pack->entries[0].name, "VOICE\\a\\1.mp3");
    EXPECT_EQ(pack->entries[0].storedSize, 0u);
    EXPECT_EQ(failures.size(), 2u);  // past the end, then too short

    // A count that does not fit the file: nothing is written.
    storeU32(bytes.data(), 1000);
    test::writeFileBytes(dir.file("bad.dat"), bytes);
    std::filesystem::create_directories(dir.path() / "bad");
    failures.clear();
    EXPECT_FALSE(
        WriteVoicePack(dir.file("bad.dat"), dir.file("bad"), {}, 1, {done, total, {}}, failures));
    EXPECT_FALSE(std::filesystem::exists(dir.file("bad") + "/voice.mlz"));
    EXPECT_EQ(failures.size(), 1u);
    // A missing output folder.
    failures.clear();
    EXPECT_FALSE(WriteVoicePack(dir.file("voice.dat"), dir.file("nowhere"), {}, 1,
                                {done, total, {}}, failures));
}

}  // namespace
}  // namespace marlit
