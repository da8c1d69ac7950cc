// File helpers take the system's "\" paths and find files whose names differ
// only in ASCII case.
#include "base/files.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/atomic_file.h"
#include "tests/support/child_run.h"
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

std::vector<std::string> namesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Ctrl-C or SIGTERM in the middle of writing leaves the old file and no
// temporary one; the program still ends by the signal.
TEST(AtomicFile, InterruptRemovesTheTemporaryFile) {
    test::TempDir dir;
    const std::string path = dir.file("grpack.mlz");
    ASSERT_TRUE(writeHostFileAtomic(path, std::vector<uint8_t>{1, 2, 3}));
    for (int sig : {SIGINT, SIGTERM}) {
        const int code = test::inChild([&] {
            auto f = AtomicFile::createHost(path);
            auto g = AtomicFile::createHost(dir.file("voice.mlz"));
            if (!f || !g || namesIn(dir.path()).size() != 3)
                return 1;
            std::fputs("half written", f->stream());
            ::raise(sig);
            return 2;
        });
        EXPECT_EQ(code, 128 + sig);
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"grpack.mlz"});
        EXPECT_EQ(std::filesystem::file_size(path), 3u);
    }
}

// A run killed outright (SIGKILL, a power cut) leaves its temporary file;
// the next one removes it, but not one that a running program still writes
// nor a file that only looks alike.
TEST(AtomicFile, StaleTemporaryFilesOfKilledRunsAreRemoved) {
    test::TempDir dir;
    const std::string path = dir.file("grpack.mlz");
    for (int run = 0; run < 2; ++run) {
        test::inChild([&] {
            auto f = AtomicFile::createHost(path);
            ::kill(::getpid(), SIGKILL);
            return 0;
        });
    }
    writeFile(dir.path() / "grpack.mlz.tmp-keep", "not ours");
    writeFile(dir.path() / "grpack.mlz.tmp-mine!!", "not ours");
    auto live = AtomicFile::createHost(path);
    ASSERT_TRUE(live);
    ASSERT_EQ(namesIn(dir.path()).size(), 5u);
    EXPECT_EQ(AtomicFile::removeStale(path), 2);
    const std::string liveName = std::filesystem::path(live->tempPath()).filename().string();
    std::vector<std::string> left{liveName, "grpack.mlz.tmp-keep", "grpack.mlz.tmp-mine!!"};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(namesIn(dir.path()), left);
    EXPECT_TRUE(live->commit());
}

TEST(AtomicFile, FailuresSayWhy) {
    test::TempDir dir;
    std::string why;
    EXPECT_FALSE(AtomicFile::createHost(dir.file("no/such/pack.mlz"), &why));
    EXPECT_NE(why.find("No such file or directory"), std::string::npos) << why;
    const int code = test::inChildWithFileLimit(1000, [&] {
        std::string cause;
        const bool written =
            writeHostFileAtomic(dir.file("big.bin"), std::vector<uint8_t>(5000, 7), &cause);
        return !written && cause == "File too large" ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace marlit

namespace marlit {
namespace {

// Host paths from the user are UTF-8 and must not go through the Shift-JIS
// conversion of the system's paths.
// What is not a regular file is refused at once with the reason: a FIFO
// without a writer would block the reader for ever (the child has five
// seconds), a folder or a device has nothing to read as a file.
TEST(Files, ReadersRefuseWhatIsNotARegularFile) {
    test::TempDir dir;
    const std::string fifo = dir.file("01.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int code = test::inChild([&] {
        ::alarm(5);
        std::string why;
        if (readHostFile(fifo, 0, &why) || why != "it is a FIFO, not a regular file")
            return 1;
        char byte;
        if (readPart(sys(fifo), &byte, SeekOrigin::Begin, 0, 1) != 0)
            return 2;
        if (readHostFile(dir.path().string(), 0, &why) || why.find("a folder") == std::string::npos)
            return 3;
        if (openRegularFile("/dev/null", &why) >= 0 || why.find("a device") == std::string::npos)
            return 4;
        return 0;
    });
    EXPECT_EQ(code, 0) << "128 + 14: blocked on the FIFO";
    std::string why;
    EXPECT_FALSE(readHostFile(dir.file("none"), 0, &why));
    EXPECT_EQ(why, "No such file or directory");
}

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
