// The extras' tables: their text form, the lines that are skipped with the
// file and line named, and reads that stay inside the tables.
#include "player/screens/extras_tables.h"

#include <gtest/gtest.h>

#include <fstream>

#include "player/scenario/scenario_tables.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

class ExtrasTablesTest : public ::testing::Test {
  public:
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    bool warned(const std::string& where, const std::string& what) const {
        for (const std::string& w : warnings) {
            if (w.find(where) != std::string::npos && w.find(what) != std::string::npos)
                return true;
        }
        return false;
    }

    TempDir dir;
    ExtrasTables tables;
    std::vector<std::string> warnings;
};

TEST_F(ExtrasTablesTest, CharactersAndBadLinesNamedByFileAndLine) {
    const std::string path = write("c.txt",
                                   "# comment\n"
                                   "0 duzo 2 18\r\n"
                                   "\n"
                                   "13 other 1 12\n"
                                   "14 nobody 1 1\n"
                                   "2 - 3 1\n"
                                   "3 - 1 19\n"
                                   "4 x 1\n"
                                   "5 - 1 1\n");
    ASSERT_TRUE(readExtrasCharacters(path, tables, warnings));
    EXPECT_EQ(tables.name(0), "duzo");
    EXPECT_EQ(tables.galleryPages(0), 2);
    EXPECT_EQ(tables.scenePages(0), 18);
    EXPECT_EQ(tables.name(13), "other");
    EXPECT_EQ(tables.name(5), "");
    // Rows not read: one page, no name.
    EXPECT_EQ(tables.scenePages(3), 1);
    EXPECT_EQ(tables.galleryPages(2), 1);
    EXPECT_EQ(tables.name(4), "");
    ASSERT_EQ(warnings.size(), 4u);
    EXPECT_TRUE(warned(path + ":5:", "not 0 to 13"));
    EXPECT_TRUE(warned(path + ":6:", "gallery pages"));
    EXPECT_TRUE(warned(path + ":7:", "scene pages"));
    EXPECT_TRUE(warned(path + ":8:", "expected"));
    EXPECT_EQ(tables.name(-1), "");
    EXPECT_EQ(tables.scenePages(14), 1);
}

TEST_F(ExtrasTablesTest, GalleryEntriesKeepTheirOrderAndLimits) {
    std::string text = "0 0 a.rbp\n0 1 b.rbp\n0 0 c.rbp\n0 18 d.rbp\n0 x e.rbp\n";
    for (int i = 0; i < 9; ++i)
        text += "1 4 p" + std::to_string(i) + ".rbp\n";
    for (int i = 0; i < 60; ++i)
        text += "2 " + std::to_string(i % 18) + " q.rbp\n";
    const std::string path = write("g.txt", text);
    ASSERT_TRUE(readPictureGallery(path, tables, warnings));
    EXPECT_EQ(tables.picturesOf(0, 0), (std::vector<std::string>{"a.rbp", "c.rbp"}));
    EXPECT_EQ(tables.picturesOf(0, 1), (std::vector<std::string>{"b.rbp"}));
    EXPECT_TRUE(tables.picturesOf(0, 2).empty());
    EXPECT_TRUE(warned(path + ":4:", "not 0 to 17"));
    EXPECT_TRUE(warned(path + ":5:", "not 0 to 17"));
    // Nine pictures fill a place; a tenth is told and locks it.
    EXPECT_FALSE(tables.overfull(1, 4));
    const std::string tenth = write("g2.txt", text + "1 4 p9.rbp\n");
    warnings.clear();
    ASSERT_TRUE(readPictureGallery(tenth, tables, warnings));
    EXPECT_TRUE(tables.overfull(1, 4));
    EXPECT_TRUE(warned(tenth + ":75:", "more than nine"));
    // Sixty-four entries a character.
    const std::string full = write("g3.txt", text +
                                                 "2 0 r.rbp\n2 0 s.rbp\n2 0 t.rbp\n2 0 u.rbp\n"
                                                 "2 0 v.rbp\n");
    warnings.clear();
    ASSERT_TRUE(readPictureGallery(full, tables, warnings));
    EXPECT_EQ(tables.gallery[2].size(), 64u);
    EXPECT_TRUE(warned(full + ":79:", "64 entries"));
    EXPECT_TRUE(tables.picturesOf(14, 0).empty());
}

TEST_F(ExtrasTablesTest, SceneRecordsDatesAndScriptsStayInTheTable) {
    const std::string path = write("s.txt",
                                   "0 0 223 0223a_f01\n"
                                   "0 145 0 last\n"
                                   "0 146 223 beyond\n"
                                   "1 3 1300 bad\n"
                                   "1 4 232 bad\n"
                                   "1 5 310 -\n"
                                   "1 6 310\n");
    ASSERT_TRUE(readSceneGallery(path, tables, warnings));
    EXPECT_EQ(tables.scene(0, 0, 0).date, 223);
    EXPECT_EQ(tables.scene(0, 0, 0).script, "0223a_f01");
    EXPECT_EQ(tables.scene(0, 18, 1).script, "last");
    EXPECT_EQ(tables.scene(0, 0, 1).date, -1);
    // Page 18 ends at record 145: its third place lies past the table.
    EXPECT_EQ(tables.scene(0, 18, 2).date, -1);
    EXPECT_EQ(tables.scene(0, 40, 0).date, -1);
    EXPECT_EQ(tables.scene(0, 0, 8).date, -1);
    EXPECT_EQ(tables.scene(14, 0, 0).date, -1);
    EXPECT_EQ(tables.scene(1, 0, 5).date, 310);
    EXPECT_EQ(tables.scene(1, 0, 5).script, "");
    EXPECT_TRUE(warned(path + ":3:", "not 0 to 145"));
    EXPECT_TRUE(warned(path + ":4:", "month"));
    EXPECT_TRUE(warned(path + ":5:", "month"));
    EXPECT_TRUE(warned(path + ":6:", "stays locked"));
    EXPECT_TRUE(warned(path + ":7:", "expected"));
    EXPECT_EQ(tables.scene(1, 0, 3).date, -1);
}

TEST_F(ExtrasTablesTest, TheDataSetsOwnFilesComeFirstAndMissingOnesAreTold) {
    TempDir other;
    write(ExtrasTableFiles::kCharacters, "0 mine 1 1\n");
    std::ofstream(other.file(ExtrasTableFiles::kCharacters)) << "0 theirs 2 2\n";
    std::ofstream(other.file(ExtrasTableFiles::kGallery)) << "0 0 x.rbp\n";
    const ExtrasTables t = loadExtrasTables({dir.path().string(), other.path().string()}, warnings);
    EXPECT_EQ(t.name(0), "mine");
    EXPECT_EQ(t.picturesOf(0, 0).size(), 1u);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(ExtrasTableFiles::kScenes), std::string::npos);
}

TEST_F(ExtrasTablesTest, TheProgramsOwnTablesReadCleanly) {
    const ExtrasTables t = loadExtrasTables({scenarioDataFolder()}, warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    EXPECT_EQ(t.name(0), "duzo");
    EXPECT_EQ(t.name(13), "other");
    const int gallery[14] = {2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1, 1};
    const int scenes[14] = {18, 13, 12, 8, 14, 11, 6, 6, 7, 7, 8, 7, 1, 12};
    for (int c = 0; c < 14; ++c) {
        EXPECT_EQ(t.galleryPages(c), gallery[c]) << c;
        EXPECT_EQ(t.scenePages(c), scenes[c]) << c;
    }
    EXPECT_EQ(t.picturesOf(0, 0).size(), 3u);
    EXPECT_EQ(t.scene(1, 0, 0).script, "0224a_f01");
}

}  // namespace
}  // namespace marlit::test
