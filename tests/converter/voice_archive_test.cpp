// The voice archive's table and the names the voice pack gives its clips.
#include <gtest/gtest.h>

#include <fstream>

#include "base/bytes.h"
#include "converter/voice_archive.h"
#include "tests/support/file_bytes.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

std::vector<uint8_t> table(const std::vector<std::pair<std::string, uint32_t>>& records) {
    ByteWriter w;
    w.u32(static_cast<uint32_t>(records.size()));
    for (const auto& [name, offset] : records) {
        w.fixedText(name, 60);
        w.u32(offset);
    }
    return w.take();
}

TEST(VoiceArchive, ClipsRunToTheNextOffsetAndTheLastToTheEnd) {
    auto bytes = test::voiceArchiveFile({{"a\\one.pcm", {1, 2, 3}}, {"b\\two.pcm", {4, 5}}});
    test::TempDir dir;
    const std::string path = dir.file("voice.dat");
    test::writeFileBytes(path, bytes);
    auto archive = VoiceArchive::open(path);
    ASSERT_TRUE(archive.has_value());
    ASSERT_EQ(archive->clips().size(), 2u);
    EXPECT_EQ(archive->clips()[0].name, "a\\one.pcm");
    EXPECT_EQ(archive->clips()[0].offset, 4u + 128);
    EXPECT_EQ(archive->clips()[0].length, 3u);
    EXPECT_EQ(archive->clips()[1].length, 2u);
    EXPECT_EQ(archive->readClip(1), (std::vector<uint8_t>{4, 5}));
    EXPECT_EQ(archive->readClip(0, 2), (std::vector<uint8_t>{1, 2}));
    EXPECT_FALSE(archive->readClip(2).has_value());
}

TEST(VoiceArchive, OffsetsOutOfOrderMarkClipsInvalid) {
    auto head = table({{"a.pcm", 200}, {"b.pcm", 150}, {"c.pcm", 300}, {"d.pcm", 900}});
    auto archive = VoiceArchive::parse(head, 1000);
    ASSERT_TRUE(archive.has_value());
    const auto& clips = archive->clips();
    EXPECT_FALSE(clips[0].valid);  // runs backwards to 150
    EXPECT_EQ(clips[0].length, 0u);
    EXPECT_TRUE(clips[1].valid);
    EXPECT_EQ(clips[1].length, 150u);
    EXPECT_TRUE(clips[2].valid);
    EXPECT_TRUE(clips[3].valid);
    EXPECT_EQ(clips[3].length, 100u);
    // Past the end of the file.
    archive = VoiceArchive::parse(table({{"a.pcm", 100}, {"b.pcm", 2000}}), 1000);
    ASSERT_TRUE(archive.has_value());
    EXPECT_FALSE(archive->clips()[0].valid);
    EXPECT_FALSE(archive->clips()[1].valid);
    // Clips of a parsed table have no file to be read from.
    EXPECT_FALSE(archive->readClip(0).has_value());
}

TEST(VoiceArchive, CountMustFitTheFile) {
    auto head = table({{"a.pcm", 132}, {"b.pcm", 132}});
    EXPECT_TRUE(VoiceArchive::parse(head, 132).has_value());
    EXPECT_FALSE(VoiceArchive::parse(head, 131).has_value());
    storeU32(head.data(), 0xFFFFFFFF);
    std::string why;
    EXPECT_FALSE(VoiceArchive::parse(head, 1u << 30, &why).has_value());
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(VoiceArchive::parse({}, 0).has_value());
    auto empty = VoiceArchive::parse(table({}), 4);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->clips().empty());
    EXPECT_FALSE(VoiceArchive::open("/nonexistent/voice.dat").has_value());
}

TEST(VoiceNames, PcmExtensionInAnyCase) {
    EXPECT_TRUE(hasPcmExtension("ka\\v001.pcm"));
    EXPECT_TRUE(hasPcmExtension("ka\\v001.PCM"));
    EXPECT_TRUE(hasPcmExtension("ka.x\\v001.Pcm"));
    EXPECT_FALSE(hasPcmExtension("ka\\v001.pcm.txt"));
    EXPECT_FALSE(hasPcmExtension("ka\\v001.wav"));
    EXPECT_FALSE(hasPcmExtension("ka\\pcm"));
}

TEST(VoiceNames, PackNames) {
    EXPECT_EQ(voicePackName("ka\\v001.pcm"), "VOICE\\ka\\v001.mp3");
    EXPECT_EQ(voicePackName("ka\\v001.PCM"), "VOICE\\ka\\v001.mp3");
    // "VOICE\" + 53 bytes + ".mp3" is 63 bytes: the longest that fits.
    const std::string fits = std::string(49, 'n') + ".pcm";
    EXPECT_EQ(voicePackName(fits)->size(), 6u + 49 + 4);
    const std::string longest = std::string(53, 'n') + ".pcm";
    EXPECT_EQ(voicePackName(longest)->size(), 63u);
    EXPECT_FALSE(voicePackName(std::string(54, 'n') + ".pcm").has_value());
    EXPECT_FALSE(voicePackName(std::string(55, 'n') + ".pcm").has_value());
    EXPECT_TRUE(isOmakeClip("OMAKE\\a.pcm"));
    EXPECT_FALSE(isOmakeClip("omake\\a.pcm"));
    EXPECT_FALSE(isOmakeClip("ka\\OMAKE.pcm"));
}

}  // namespace
}  // namespace marlit
