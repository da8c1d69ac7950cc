// The music and effects group: one MP3 per sound file, flat in the output
// folder, the same whatever the job count.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>

#include "base/files.h"
#include "converter/sound_group.h"
#include "tests/support/file_bytes.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

TEST(SoundGroup, WritesOneMp3PerSoundAndReportsTheRest) {
    test::TempDir dir;
    const std::string src = dir.file("game");
    test::writeFileBytes(src + "/bgm/01.pcm",
                         test::rawSoundFile(44100, 2, test::sine(44100, 2, 0.3, 440, 9000)));
    test::writeFileBytes(src + "/se/101.PCM",
                         test::pcmSoundFile(22050, 1, 2, 2000, std::vector<uint8_t>(1000, 3)));
    test::writeFileBytes(src + "/se/broken.pcm", std::vector<uint8_t>(12, 0));
    // Equal names in two folders: the later one in the list wins.
    test::writeFileBytes(src + "/a/02.pcm",
                         test::rawSoundFile(22050, 1, test::sine(22050, 1, 0.2, 440, 9000)));
    test::writeFileBytes(src + "/b/02.pcm",
                         test::rawSoundFile(22050, 1, test::sine(22050, 1, 0.6, 440, 9000)));
    const std::vector<std::string> paths = {src + "/bgm/01.pcm",    src + "/se/101.PCM",
                                            src + "/se/broken.pcm", src + "/missing.pcm",
                                            src + "/a/02.pcm",      src + "/b/02.pcm"};
    const std::string out = dir.file("out");
    std::filesystem::create_directories(out);
    for (int jobs : {1, 2}) {
        std::atomic<int> done{0};
        std::atomic<int> total{3};  // counted by earlier groups
        std::mutex mutex;
        std::set<std::string> started;
        GroupProgress progress{done, total, [&](const std::string& name) {
                                   std::lock_guard lock(mutex);
                                   started.insert(name);
                               }};
        auto failures = convertSoundGroup(paths, out, {3, 0, true}, jobs, progress);
        EXPECT_EQ(total, 9);
        EXPECT_EQ(done, 6);
        EXPECT_EQ(started.size(), 5u);  // 02.pcm twice
        EXPECT_TRUE(started.count("101.PCM"));
        ASSERT_EQ(failures.size(), 2u);
        EXPECT_EQ(failures[0].name, "broken.pcm");
        EXPECT_EQ(failures[1].name, "missing.pcm");
        EXPECT_FALSE(failures[1].reason.empty());
    }
    EXPECT_TRUE(std::filesystem::exists(out + "/01.mp3"));
    EXPECT_TRUE(std::filesystem::exists(out + "/101.mp3"));
    EXPECT_FALSE(std::filesystem::exists(out + "/broken.mp3"));
    auto decoded = test::decodeMp3File(out + "/02.mp3");
    ASSERT_TRUE(decoded.has_value());
    EXPECT_GT(decoded->frames(), 22050 * 0.6 * 0.99);
    EXPECT_EQ(decoded->channels, 2);
}

TEST(SoundGroup, SameFilesWhateverTheJobCount) {
    test::TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i) {
        paths.push_back(dir.file("src/" + std::to_string(i) + ".pcm"));
        test::writeFileBytes(paths.back(), test::rawSoundFile(44100, 2,
                                                              test::sine(44100, 2, 0.1 * (i + 1),
                                                                         200.0 * (i + 1), 7000)));
    }
    std::filesystem::create_directories(dir.file("one"));
    std::filesystem::create_directories(dir.file("two"));
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    EXPECT_TRUE(convertSoundGroup(paths, dir.file("one"), {}, 1, {done, total, {}}).empty());
    EXPECT_TRUE(convertSoundGroup(paths, dir.file("two"), {}, 2, {done, total, {}}).empty());
    for (int i = 0; i < 6; ++i) {
        const std::string name = "/" + std::to_string(i) + ".mp3";
        auto a = readHostFile(dir.file("one") + name);
        auto b = readHostFile(dir.file("two") + name);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(*a, *b) << name;
    }
}

}  // namespace
}  // namespace marlit
