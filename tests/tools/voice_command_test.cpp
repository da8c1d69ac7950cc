// marlit-tool voice as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/bytes.h"
#include "formats/mlz_pack.h"
#include "tests/support/file_bytes.h"
#include "tests/support/run_program.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

std::vector<uint8_t> transformClip() {
    auto z = test::zlibCompress(test::transformTone(2, 4000));
    ByteWriter body;
    body.u32(static_cast<uint32_t>(z.size()));
    body.bytes(z);
    return test::pcmSoundFile(22050, 1, 1, 16320, body.buffer());
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> sampleClips() {
    const auto raw = test::rawSoundFile(22050, 1, test::sine(22050, 1, 0.1, 440, 5000));
    return {
        {"ka\\v001.pcm", raw},
        // "声" in Shift-JIS: 0x90 0xBA.
        {"\x90\xba\\v002.PCM",
         test::waveFile(22050, 1, 16, test::toBytes(test::sine(22050, 1, 0.1, 440, 5000)))},
        {"ka\\v003.pcm", transformClip()},
        {"ka\\notes.txt", {'x'}},
        {"OMAKE\\v004.pcm", raw},
    };
}

TEST(VoiceList, OneTabSeparatedLinePerClip) {
    test::TempDir dir;
    auto clips = sampleClips();
    test::writeFileBytes(dir.file("voice.dat"), test::voiceArchiveFile(clips));
    auto r = tool({"voice", "list", dir.file("voice.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string expected;
    uint64_t offset = 4 + 64 * clips.size();
    const char* kinds[] = {"pcm", "wave", "transform", "other", "pcm"};
    const char* names[] = {"ka\\v001.pcm", "声\\v002.PCM", "ka\\v003.pcm", "ka\\notes.txt",
                           "OMAKE\\v004.pcm"};
    for (size_t i = 0; i < clips.size(); ++i) {
        expected += std::to_string(i) + "\t" + names[i] + "\t" + std::to_string(offset) + "\t" +
                    std::to_string(clips[i].second.size()) + "\t" + kinds[i] + "\n";
        offset += clips[i].second.size();
    }
    EXPECT_EQ(r.out, expected);
}

TEST(VoiceList, DamagedArchives) {
    test::TempDir dir;
    auto bytes = test::voiceArchiveFile({{"a.pcm", {1}}, {"b.pcm", {2}}});
    storeU32(bytes.data() + 64, 5000);  // clip 0 starts past the end
    test::writeFileBytes(dir.file("bad.dat"), bytes);
    auto r = tool({"voice", "list", dir.file("bad.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "0\ta.pcm\t5000\t0\tother\n1\tb.pcm\t133\t1\tother\n");
    EXPECT_NE(r.err.find("clip 0"), std::string::npos);
    storeU32(bytes.data(), 3);  // a count the file cannot hold
    test::writeFileBytes(dir.file("bad.dat"), bytes);
    r = tool({"voice", "list", dir.file("bad.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(tool({"voice", "list"}).exitCode, 2);
    // A folder is no archive, whatever its size.
    r = tool({"voice", "list", dir.path().string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("it is a folder, not a regular file"), std::string::npos) << r.err;
}

// A missing output folder is made, as the converter makes its own.
TEST(VoicePackCommand, MakesAMissingOutputFolder) {
    test::TempDir dir;
    test::writeFileBytes(dir.file("voice.dat"), test::voiceArchiveFile({sampleClips()[3]}));
    auto r = tool({"voice", "pack", dir.file("voice.dat"), dir.file("new/out")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.file("new/out/voice.mlz")));
    test::writeFileBytes(dir.file("file"), std::vector<uint8_t>{1});
    r = tool({"voice", "pack", dir.file("voice.dat"), dir.file("file")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot make the folder " + dir.file("file")), std::string::npos) << r.err;
}

TEST(VoicePackCommand, WritesTheVoicePack) {
    test::TempDir dir;
    test::writeFileBytes(dir.file("voice.dat"), test::voiceArchiveFile(sampleClips()));
    std::filesystem::create_directories(dir.file("out"));
    auto r = tool({"voice", "pack", dir.file("voice.dat"), dir.file("out"), "--bitrate-index", "5",
                   "--rate-index", "1", "--jobs", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "voice.mlz: 5 clips, 0 not converted\n");
    std::string text = test::readFileText(dir.file("out") + "/voice.mlz");
    std::vector<uint8_t> bytes(text.begin(), text.end());
    auto pack = parseMlzIndex(bytes, bytes.size());
    ASSERT_TRUE(pack.has_value());
    ASSERT_EQ(pack->entries.size(), 5u);
    EXPECT_EQ(pack->entries[1].name, "VOICE\\\x90\xba\\v002.mp3");
    EXPECT_EQ(pack->entries[3].name, "");
    EXPECT_EQ(pack->entries[4].storedSize, 0u);
    auto data =
        std::span<const uint8_t>(bytes).subspan(pack->dataStart() + pack->entries[2].dataOffset);
    auto frame = test::firstMp3Frame(data);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->kbps, 48);
    EXPECT_EQ(frame->rate, 44100);
    EXPECT_TRUE(frame->mono);

    // A clip that does not convert is named, and the pack is still written.
    auto clips = sampleClips();
    clips[0].second.resize(10);
    test::writeFileBytes(dir.file("voice.dat"), test::voiceArchiveFile(clips));
    r = tool({"voice", "pack", dir.file("voice.dat"), dir.file("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("ka\\v001.pcm"), std::string::npos);
    EXPECT_EQ(r.out, "voice.mlz: 5 clips, 1 not converted\n");
    EXPECT_EQ(
        tool({"voice", "pack", dir.file("voice.dat"), dir.file("out"), "--jobs", "0"}).exitCode, 2);
}

}  // namespace
}  // namespace marlit
