// File helpers take the system's "\" paths and find files whose names differ
// only in ASCII case.
#include "base/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/atomic_file.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

void writeFile(const std::filesystem::path& p, const std::string& text) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string sys(const std::filesystem::path& p) {
    std::string s = p.string();
    for (char& c : s) {
        if (c == '/')
            c = '\\';
    }
    return s;
}

TEST(Files, SystemPathsAndAsciiCase) {
    test::TempDir dir;
    writeFile(dir.path() / "AdvData" / "GRP" / "bg01.rbp", "hello");
    std::string base = dir.path().string();
    EXPECT_EQ(fileSize(base + "\\AdvData\\GRP\\bg01.rbp"), 5);
    EXPECT_EQ(fileSize(base + "\\advdata\\grp\\BG01.RBP"), 5);
    EXPECT_TRUE(fileExists(base + "\\ADVDATA\\grp"));
    EXPECT_EQ(fileSize(base + "\\advdata\\missing.rbp"), -1);
    EXPECT_FALSE(fileExists(base + "\\nothing"));
    EXPECT_EQ(fileSize(base + "\\AdvData"), -1);  // a folder has no size
}

TEST(Files, JapaneseNamesBecomeUtf8) {
    test::TempDir dir;
    writeFile(dir.path() / "\xe8\xa1\xa8.txt", "x");  // "表" in UTF-8
    EXPECT_EQ(fileSize(dir.path().string() + "\\\x95\x5c.txt"), 1);
}

TEST(Files, ReadAndWriteParts) {
    test::TempDir dir;
    std::string path = sys(dir.path() / "data.bin");
    EXPECT_EQ(writePart(path, "abcdef", SeekOrigin::Begin, 0, 6, true), 6u);
    EXPECT_EQ(writePart(path, "XY", SeekOrigin::Begin, 2, 2, false), 2u);
    char buf[8] = {};
    EXPECT_EQ(readPart(path, buf, SeekOrigin::End, -3, 8), 3u);
    EXPECT_STREQ(buf, "Yef");
    auto whole = readWhole(path, 2);
    ASSERT_TRUE(whole);
    EXPECT_EQ(std::string(whole->begin(), whole->end()), std::string("abXYef\0\0", 8));
    EXPECT_EQ(readPart(sys(dir.path() / "none"), buf, SeekOrigin::Begin, 0, 1), 0u);
    EXPECT_FALSE(readWhole(sys(dir.path() / "none")));
    // "open always" creates a missing file without create.
    EXPECT_EQ(writePart(sys(dir.path() / "new.bin"), "z", SeekOrigin::Begin, 0, 1, false), 1u);
    EXPECT_EQ(fileSize(sys(dir.path() / "new.bin")), 1);
}

TEST(AtomicFile, AppearsOnlyWhenCommitted) {
    test::TempDir dir;
    std::string path = sys(dir.path() / "pack.mlz");
    ASSERT_TRUE(writeWholeAtomic(path, std::vector<uint8_t>{1, 2, 3}));
    {
        auto f = AtomicFile::create(path);
        ASSERT_TRUE(f);
        std::fputs("half written", f->stream());
        // dropped without commit
    }
    EXPECT_EQ(fileSize(path), 3);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    {
        auto f = AtomicFile::create(path);
        std::fputs("complete", f->stream());
        EXPECT_TRUE(f->commit());
    }
    EXPECT_EQ(fileSize(path), 8);
}

}  // namespace
}  // namespace marlit

namespace marlit {
namespace {

// Host paths from the user are UTF-8 and must not go through the Shift-JIS
// conversion of the system's paths.
TEST(Files, HostPathsKeepUtf8Names) {
    test::TempDir dir;
    std::string path = (dir.path() / "\xe3\x83\x87\xe3\x83\xbc\xe3\x82\xbf.bin").string();
    ASSERT_TRUE(writeHostFileAtomic(path, std::vector<uint8_t>{7, 8}));
    auto back = readHostFile(path, 1);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, (std::vector<uint8_t>{7, 8, 0}));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(path)));
}

}  // namespace
}  // namespace marlit
