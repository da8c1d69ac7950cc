// The key picture list: its file format, the name equality, and the list
// shipped in data/.
#include "converter/key_list.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/files.h"
#include "base/sjis.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

TEST(KeyList, ReadsOneNamePerRow) {
    const KeyList list = KeyList::parse(
        "# interface sheets\r\n"
        "Messwin.crx\r\n"
        "\r\n"
        "  \tb_ef21-1.CRX  \n"
        "   # indented comment\n"
        "last.crx");
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Messwin.crx", "b_ef21-1.CRX", "last.crx"}));
    EXPECT_TRUE(KeyList::parse("").names().empty());
}

TEST(KeyList, ComparesWithTheNameEquality) {
    // Shift-JIS: full-width A (0x82 0x60) and full-width a (0x82 0x81) are
    // different characters; only ASCII letters fold.
    const KeyList list = KeyList::parse("\x82\x60_chip.crx\nmap_achip.CRX\n");
    EXPECT_TRUE(list.contains("MAP_ACHIP.crx"));
    EXPECT_TRUE(list.contains("\x82\x60_CHIP.CRX"));
    EXPECT_FALSE(list.contains("\x82\x81_chip.crx"));
    EXPECT_FALSE(list.contains("map_achip"));
    EXPECT_FALSE(list.contains("map_achip.crx "));
}

TEST(KeyList, LoadsAFileAndReportsAMissingOne) {
    test::TempDir dir;
    const std::string path = dir.file("keys.txt");
    ASSERT_TRUE(writeWholeAtomic(path, std::vector<uint8_t>{'a', '.', 'c', 'r', 'x', '\n'}));
    auto list = KeyList::load(path);
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->contains("A.CRX"));
    std::string error;
    EXPECT_FALSE(KeyList::load(dir.file("none.txt"), &error));
    EXPECT_NE(error.find("none.txt"), std::string::npos);
}

TEST(KeyList, ShippedListHoldsTheInterfaceSheets) {
    std::string error;
    auto list = KeyList::load(std::string(MARLIT_SOURCE_DIR) + "/data/key_pictures.txt", &error);
    ASSERT_TRUE(list) << error;
    EXPECT_EQ(list->names().size(), 253u);
    for (const char* name :
         {"messwin3.crx", "TitleChip04.CRX", "CgChip00.CRX", "CgChip16.CRX", "b_ef01.CRX",
          "b_ef20.CRX", "b_ef21-2.CRX", "b_ef26.CRX", "Sacra02.crx", "SinaChar00.crx",
          "SinaChar31.crx", "SinaChar63.crx", "sam_other.CRX", "duzo_18.CRX", "duvar_06.CRX",
          "ruza01.CRX", "place.crx", "SaveIcon.crx"}) {
        EXPECT_TRUE(list->contains(name)) << name;
    }
    for (const char* name : {"b_ef21.CRX", "b_ef27.CRX", "SinaChar32.crx", "SinaChar44.crx",
                             "duvar_07.CRX", "CgChip17.CRX", "startup.CRX", "a09b.crx"}) {
        EXPECT_FALSE(list->contains(name)) << name;
    }
    // Every row is a file name without stray spaces.
    for (const std::string& n : list->names()) {
        EXPECT_EQ(n.find(' '), std::string::npos) << n;
        EXPECT_TRUE(sameText(n.substr(n.size() - 4), ".crx")) << n;
    }
}

TEST(KeyList, DefaultPathFollowsTheDataVariable) {
    const char* old = std::getenv("MARLIT_DATA_DIR");
    const std::string saved = old ? old : "";
    setenv("MARLIT_DATA_DIR", "/somewhere", 1);
    EXPECT_EQ(defaultKeyListPath(), "/somewhere/key_pictures.txt");
    unsetenv("MARLIT_DATA_DIR");
    EXPECT_TRUE(fileExists(defaultKeyListPath()));
    if (old)
        setenv("MARLIT_DATA_DIR", saved.c_str(), 1);
}

}  // namespace
}  // namespace marlit
