// Files kept between runs: the previous version stays as NAME.bak, and a
// reader falls back to it.
#include "base/kept_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/atomic_file.h"
#include "base/files.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

std::vector<uint8_t> bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

std::string text(const KeptFile& f) {
    return {f.data.begin(), f.data.end()};
}

TEST(KeptFile, ThePreviousVersionIsKeptAndReadWhenTheFileIsLostOrDamaged) {
    test::TempDir dir;
    const std::string path = dir.file("save001.dat");
    ASSERT_TRUE(writeKeptFile(path, bytes("one")));
    EXPECT_FALSE(std::filesystem::exists(backupPathOf(path))) << "nothing to keep yet";
    ASSERT_TRUE(writeKeptFile(path, bytes("two")));
    ASSERT_TRUE(writeKeptFile(path, bytes("three")));
    EXPECT_EQ(test::readFileText(path), "three");
    EXPECT_EQ(test::readFileText(backupPathOf(path)), "two");

    auto whole = [](std::span<const uint8_t> b) { return !b.empty() && b[0] != 'X'; };
    auto f = readKeptFile(path, whole);
    ASSERT_TRUE(f);
    EXPECT_EQ(text(*f), "three");
    EXPECT_FALSE(f->fromBackup);

    ASSERT_TRUE(writeHostFileAtomic(path, bytes("Xtorn")));
    f = readKeptFile(path, whole);
    ASSERT_TRUE(f);
    EXPECT_EQ(text(*f), "two");
    EXPECT_TRUE(f->fromBackup);

    std::filesystem::remove(path);
    f = readKeptFile(path, whole);
    ASSERT_TRUE(f);
    EXPECT_EQ(text(*f), "two");

    // Neither whole: none, with what was wrong with the file itself.
    ASSERT_TRUE(writeHostFileAtomic(backupPathOf(path), bytes("Xalso")));
    std::string why;
    EXPECT_FALSE(readKeptFile(path, whole, &why));
    EXPECT_EQ(why, "No such file or directory");
}

TEST(KeptFile, AFileWhoseBackupCannotBeReplacedStaysAsItWas) {
    test::TempDir dir;
    const std::string path = dir.file("marlitpc.cfg");
    ASSERT_TRUE(writeKeptFile(path, bytes("old")));
    // The backup's place is taken by a folder: it cannot be replaced, and
    // the file stays as it was.
    std::filesystem::create_directories(backupPathOf(path) + "/inside");
    std::string why;
    EXPECT_FALSE(writeKeptFile(path, bytes("new"), &why));
    EXPECT_NE(why.find(".bak"), std::string::npos) << why;
    EXPECT_EQ(test::readFileText(path), "old");
}

}  // namespace
}  // namespace marlit
