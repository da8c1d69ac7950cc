// marlitpc.cfg's syntax as the player reads and writes it.
#include "player/persist/config_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/files.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

struct CfgFile {
    test::TempDir dir;
    std::string path = dir.file("marlitpc.cfg");

    explicit CfgFile(const std::string& text) {
        if (!text.empty()) {
            EXPECT_TRUE(writeHostFileAtomic(
                path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
        }
    }
    std::string text() const { return test::readFileText(path); }
};

TEST(ConfigCache, FindsSectionsAndKeysWhateverTheirCaseAndBlanks) {
    CfgFile f(
        "top=7\r\n"
        "[message_config]\r\n"
        "; a comment\r\n"
        "message_speed = 2\r\n"
        "MESSAGE_SPEED=0\r\n"
        "\"TRANS\tMODE\" =3\r\n"
        "[OTHER]\r\n"
        "MESSAGE_AUTO=4\r\n"
        "[MESSAGE_CONFIG]\r\n"
        "MESSAGE_AUTO=5\r\n");
    ConfigCache c;
    EXPECT_EQ(c.ReadInt("MESSAGE_CONFIG", "MESSAGE_SPEED", 1, f.path), 2) << "the first match wins";
    EXPECT_EQ(c.ReadInt("MESSAGE_CONFIG", "TRANSMODE", 0, f.path), 3);
    // Only the first section of a name is searched.
    EXPECT_EQ(c.ReadInt("MESSAGE_CONFIG", "MESSAGE_AUTO", 9, f.path), 9);
    EXPECT_EQ(c.ReadInt("other", "message_auto", 9, f.path), 4);
    EXPECT_EQ(c.ReadInt("", "TOP", 0, f.path), 7) << "lines before the first header";
    EXPECT_EQ(c.ReadInt("", "MESSAGE_SPEED", 9, f.path), 9);
    EXPECT_EQ(c.ReadInt("MISSING", "TOP", 9, f.path), 9);
}

TEST(ConfigCache, IntegersReadFromTheRightWithHexAfter0x) {
    EXPECT_EQ(parseConfigInt("2"), 2);
    EXPECT_EQ(parseConfigInt(" 2"), 2);
    EXPECT_EQ(parseConfigInt("1a2"), 102) << "a byte that is not a digit is a 0 in its place";
    EXPECT_EQ(parseConfigInt("-5"), -5);
    EXPECT_EQ(parseConfigInt("5-"), -50);
    EXPECT_EQ(parseConfigInt("0x1F"), 31);
    EXPECT_EQ(parseConfigInt("0XfFfF"), 0xFFFF);
    EXPECT_EQ(parseConfigInt("-3"), -3);
    // Far too many digits wrap instead of overflowing.
    parseConfigInt(std::string(500, '9'));

    CfgFile f("[A]\r\nEMPTY=\r\nQUOTED=\"12\"\r\n");
    ConfigCache c;
    EXPECT_EQ(c.ReadInt("A", "EMPTY", 42, f.path), 42) << "an empty value leaves the default";
    EXPECT_EQ(c.ReadInt("A", "QUOTED", 0, f.path), 12);
}

TEST(ConfigCache, StringsLongerThanTheirPlaceLeaveTheDefault) {
    const std::string fits(127, 'a');
    CfgFile f("[D]\r\nFITS=" + fits + "\r\nLONG=" + fits + "b\r\nSPACED= a \"b c\" \r\nEMPTY=\r\n");
    ConfigCache c;
    EXPECT_EQ(c.ReadString("D", "FITS", 127, f.path), fits);
    EXPECT_FALSE(c.ReadString("D", "LONG", 127, f.path));
    EXPECT_EQ(c.ReadString("D", "SPACED", 127, f.path), " a b c ");
    EXPECT_FALSE(c.ReadString("D", "EMPTY", 127, f.path));
    EXPECT_FALSE(c.ReadString("D", "NONE", 127, f.path));
    EXPECT_EQ(c.ReadString("D", "SPACED", 7, f.path), " a b c ");
    EXPECT_FALSE(c.ReadString("D", "SPACED", 6, f.path));
}

TEST(ConfigCache, AcceptsLoneLineFeedsAndCutsLongLines) {
    EXPECT_EQ(ConfigCache::splitLines("a\nb\r\nc\r\rd"),
              (std::vector<std::string>{"a", "b", "c\r\rd"}));
    EXPECT_EQ(ConfigCache::splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(ConfigCache::splitLines("").empty());

    const std::string longValue(600, '7');
    CfgFile f("[A]\nLONG=" + longValue + "\nNEXT=1\n");
    ConfigCache c;
    auto value = c.readRaw("A", "LONG", f.path);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->size(), kConfigLineMax - 5);
    EXPECT_EQ(c.ReadInt("A", "NEXT", 0, f.path), 1) << "the cut part is not a line of its own";

    // A double-byte character across the cut is dropped whole.
    const std::string kanji = "\x8a\xbf";
    const auto lines = ConfigCache::splitLines(std::string(510, 'x') + kanji + "\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(510, 'x'));
}

TEST(ConfigCache, WritesKeepEveryOtherLineAndEndWithCrLf) {
    CfgFile f(
        "; kept as it is\n"
        "[MUSIC_CONFIG]\r\n"
        "master_vol = 50\r\n"
        "unknown line\r\n"
        "\r\n"
        "[EXTRA]\r\n"
        "X=1\r\n");
    ConfigCache c;
    c.WriteString("MUSIC_CONFIG", "MASTER_VOL", "80", f.path);
    c.WriteString("MUSIC_CONFIG", "MUSIC_VOL", "90", f.path);
    c.WriteString("MUSIC_CONFIG", "PCM", "2", f.path);
    c.WriteString("NEW", "A", "1", f.path);
    c.WriteString("NEW", "B", "2", f.path);
    std::string why;
    ASSERT_TRUE(c.Flush(&why)) << why;
    EXPECT_EQ(f.text(),
              "; kept as it is\r\n"
              "[MUSIC_CONFIG]\r\n"
              "PCM=2\r\n"
              "MUSIC_VOL=90\r\n"
              "MASTER_VOL=80\r\n"
              "unknown line\r\n"
              "\r\n"
              "[EXTRA]\r\n"
              "X=1\r\n"
              "[NEW]\r\n"
              "B=2\r\n"
              "A=1\r\n");
    EXPECT_TRUE(c.lines().empty()) << "Flush empties the cache";
    EXPECT_TRUE(c.Flush()) << "nothing cached, nothing written";
}

TEST(ConfigCache, AMissingFileIsCreatedAndTheOldOneKeptAsBackup) {
    CfgFile f("");
    ConfigCache c;
    EXPECT_EQ(c.ReadInt("A", "K", 3, f.path), 3);
    c.WriteString("A", "K", "4", f.path);
    ASSERT_TRUE(c.Flush());
    EXPECT_EQ(f.text(), "[A]\r\nK=4\r\n");
    EXPECT_FALSE(std::filesystem::exists(f.path + ".bak"));

    c.WriteString("A", "K", "5", f.path);
    ASSERT_TRUE(c.Flush());
    EXPECT_EQ(f.text(), "[A]\r\nK=5\r\n");
    EXPECT_EQ(test::readFileText(f.path + ".bak"), "[A]\r\nK=4\r\n");

    // A damaged file (NUL bytes where a power cut left no text) or a lost
    // one is read from its backup.
    ASSERT_TRUE(writeHostFileAtomic(f.path, std::vector<uint8_t>(12, 0)));
    EXPECT_EQ(c.ReadInt("A", "K", 0, f.path), 4);
    EXPECT_TRUE(c.readFromBackup());
    c.clear();
    std::filesystem::remove(f.path);
    EXPECT_EQ(c.ReadInt("A", "K", 0, f.path), 4);
}

TEST(ConfigCache, AFileThatCannotBeReadIsNotWrittenOver) {
    CfgFile f("");
    std::filesystem::create_directory(f.path);  // there, but no file to read
    ConfigCache c;
    c.WriteString("A", "K", "1", f.path);
    std::string why;
    EXPECT_FALSE(c.Flush(&why));
    EXPECT_NE(why.find("could not be read"), std::string::npos) << why;
    EXPECT_TRUE(std::filesystem::is_directory(f.path));

    // An empty file is simply empty.
    CfgFile empty("");
    ASSERT_TRUE(writeHostFileAtomic(empty.path, {}));
    c.WriteString("A", "K", "1", empty.path);
    EXPECT_TRUE(c.Flush(&why)) << why;
    EXPECT_EQ(empty.text(), "[A]\r\nK=1\r\n");
}

TEST(ConfigCache, NamingAnotherFileDropsTheCachedLines) {
    CfgFile a("[S]\r\nK=1\r\n");
    CfgFile b("[S]\r\nK=2\r\n");
    ConfigCache c;
    c.WriteString("S", "K", "9", a.path);
    EXPECT_EQ(c.ReadInt("S", "K", 0, b.path), 2);
    EXPECT_EQ(c.ReadInt("S", "K", 0, a.path), 1) << "the change to a was dropped";
}

}  // namespace
}  // namespace marlit
