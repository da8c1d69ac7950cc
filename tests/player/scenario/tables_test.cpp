// The game tables read from text files, and the in-memory logs.
#include <fstream>

#include "player/scenario/read_log.h"
#include "player/scenario/scenario_tables.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace marlit::test {
namespace {

void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ScenarioTables, RowsAreReadAndBadLinesNamedAndSkipped) {
    TempDir dir;
    write(dir.file("places.txt"),
          "# comment\n\n8 AdvData\\GRP\\BG\\hai_01.rbp\r\n48 AdvData\\x.rbp\nfive a.rbp\n"
          "3\n  2   AdvData\\GRP\\BG\\b.rbp  \n");
    write(dir.file("manner.txt"), "AdvData\\GRP\\BG\\a09b.rbp\ntwo fields\n");
    write(dir.file("day_card.txt"), "0 duzo 400\n1 - 300\n13 x 10\n2 y 900\n");
    TableReport report;
    ScenarioTables t = loadScenarioTables({dir.path().string()}, report);
    ASSERT_EQ(t.places.size(), 2u);
    EXPECT_EQ(t.placeOf("advdata\\grp\\bg\\HAI_01.rbp"), 8);
    EXPECT_EQ(t.placeOf("AdvData\\GRP\\BG\\b.rbp"), 2);
    EXPECT_FALSE(t.placeOf("AdvData\\x.rbp"));
    EXPECT_TRUE(t.inMannerList("ADVDATA\\GRP\\BG\\A09B.RBP"));
    EXPECT_FALSE(t.inMannerList("two"));
    EXPECT_EQ(t.dayCardPicture(0), "AdvData\\grp\\bg\\i_duzo.rbp");
    EXPECT_EQ(t.dayCardDateY(0), 400);
    EXPECT_EQ(t.dayCardPicture(1), "AdvData\\grp\\bg\\i_etc.rbp");
    EXPECT_EQ(t.dayCardDateY(1), 300);
    EXPECT_EQ(t.dayCardPicture(13), "AdvData\\grp\\bg\\i_etc.rbp");
    EXPECT_EQ(t.dayCardDateY(-1), 344);
    EXPECT_EQ(t.dayCardDateY(2), 344);  // its row was bad

    std::vector<std::string> expected = {
        dir.file("manner.txt") + ":2:",   dir.file("places.txt") + ":4:",
        dir.file("places.txt") + ":5:",   dir.file("places.txt") + ":6:",
        dir.file("day_card.txt") + ":3:", dir.file("day_card.txt") + ":4:"};
    ASSERT_EQ(report.warnings.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(report.warnings[i].rfind(expected[i], 0), 0u) << report.warnings[i];
        EXPECT_NE(report.warnings[i].find("skipped"), std::string::npos);
    }
}

TEST(ScenarioTables, TheDataSetsOwnTablesComeFirst) {
    TempDir game, program;
    write(game.file("places.txt"), "1 AdvData\\mine.rbp\n");
    write(program.file("places.txt"), "2 AdvData\\mine.rbp\n");
    write(program.file("manner.txt"), "AdvData\\m.rbp\n");
    TableReport report;
    ScenarioTables t = loadScenarioTables({game.path().string(), program.path().string()}, report);
    EXPECT_EQ(t.placeOf("AdvData\\mine.rbp"), 1);
    EXPECT_TRUE(t.inMannerList("AdvData\\m.rbp"));
    // day_card.txt is in neither folder.
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("day_card.txt"), std::string::npos);
}

TEST(ScenarioTables, TheShippedTablesRead) {
    TableReport report;
    ScenarioTables t = loadScenarioTables({std::string(MARLIT_SOURCE_DIR) + "/data"}, report);
    EXPECT_TRUE(report.warnings.empty()) << report.warnings.front();
    EXPECT_EQ(t.placeOf("AdvData\\GRP\\BG\\hai_01.rbp"), 8);
    EXPECT_EQ(t.placeOf("AdvData\\grp\\BG\\umi_01.rbp"), 5);
    EXPECT_TRUE(t.inMannerList("AdvData\\GRP\\BG\\a09b.rbp"));
    EXPECT_EQ(t.dayCardDateY(1), 300);
    EXPECT_EQ(t.dayCardDateY(7), 160);
}

TEST(ReadLogs, BitsPerScriptAndScriptsListedOnce) {
    ReadLog log;
    EXPECT_TRUE(log.markRead("0225a_f01", 511));
    EXPECT_FALSE(log.markRead("0225a_f01", 512));
    EXPECT_FALSE(log.markRead("0225a_f01", -1));
    EXPECT_TRUE(log.isRead("0225A_F01", 511));
    EXPECT_FALSE(log.isRead("0225a_f01", 510));
    EXPECT_FALSE(log.isRead("other", 511));
    EXPECT_EQ(log.entries().size(), 1u);

    SeenLists seen;
    EXPECT_TRUE(seen.addScript("a"));
    EXPECT_FALSE(seen.addScript("A"));
    EXPECT_TRUE(seen.addScript("b"));
    EXPECT_EQ(seen.scripts(), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace marlit::test
