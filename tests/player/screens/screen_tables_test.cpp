// The map's, the day change's and the endings' game tables: the files the
// program ships, what a wrong line says, and which folder is read.
#include <gtest/gtest.h>

#include <fstream>

#include "player/screens/map_screen.h"
#include "player/screens/screen_tables.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

TEST(ScreenTables, TheShippedTablesReadWithoutAWord) {
    TableReport report;
    const ScreenTables t = loadScreenTables({std::string(MARLIT_SOURCE_DIR) + "/data"}, report);
    EXPECT_TRUE(report.warnings.empty()) << report.warnings.front();
    // The game's first row and the sample game's second.
    EXPECT_EQ(t.schedule[0][0].script, "0225b_s01");
    EXPECT_EQ(t.schedule[0][8].script, "0225b_a01");
    EXPECT_EQ(t.schedule[1][2].script, "0225c_ns01");
    EXPECT_EQ(t.schedule[1][2].crowdVoice, "VOICE\\GAYA\\gaya_ns01.mp3");
    EXPECT_EQ(t.schedule[1][0].crowdVoice, "");
    EXPECT_EQ(t.schedule[2][0].script, "");
    EXPECT_EQ(t.icon('n'), 0);
    EXPECT_EQ(t.icon('D'), 12);
    EXPECT_EQ(t.icon('y'), -1);
    EXPECT_EQ(t.places[0][0].pointerX, 200);
    EXPECT_EQ(t.places[0][8].previewY, 190);
    EXPECT_EQ(t.places[1][7].pointerX, 218);
    EXPECT_EQ(t.places[1][3].previewX, 440);
    EXPECT_EQ(t.dayScript(25), "0225d_f03");
    EXPECT_EQ(t.dayScript(24), "0224d_f02");
    EXPECT_EQ(t.dayScript(2), "");
    EXPECT_EQ(t.dayScript(99), "");
    ASSERT_EQ(t.endings[0].size(), 5u);
    EXPECT_EQ(t.endings[0][1].panel, "AdvData\\GRP\\STAFF\\edroll01.rbp");
    EXPECT_TRUE(t.endings[0][4].ends());
    EXPECT_EQ(t.followUps[0], "0310a_ned");
    EXPECT_EQ(t.followUps[1], "");
    EXPECT_EQ(t.followUps[12], "");
    EXPECT_EQ(t.followUps[13], "all_end");
}

TEST(ScreenTables, IconsOfScriptNames) {
    ScreenTables t;
    t.icons['n' - 'a'] = 0;
    t.icons['s' - 'a'] = 1;
    EXPECT_EQ(MapScreen::firstIcon(t, "0225c_s01"), 1);
    EXPECT_EQ(MapScreen::secondIcon(t, "0225c_s01"), -1);
    EXPECT_EQ(MapScreen::firstIcon(t, "0225c_ns01"), 0);
    EXPECT_EQ(MapScreen::secondIcon(t, "0225c_ns01"), 1);
    // A letter outside the table: icon 20 first, nothing second.
    EXPECT_EQ(MapScreen::firstIcon(t, "0225c_x01"), 20);
    EXPECT_EQ(MapScreen::secondIcon(t, "0225c_nx01"), -1);
    EXPECT_EQ(MapScreen::firstIcon(t, ""), 20);
    EXPECT_EQ(MapScreen::firstIcon(t, "0225c_"), 20);
}

class TableFiles : public ::testing::Test {
  public:
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir.file(name), std::ios::binary) << text;
        return dir.file(name);
    }
    // The warning of a line, "" when there is none.
    std::string warningOf(int line) const {
        for (const std::string& w : report.warnings) {
            if (w.find(".txt:" + std::to_string(line) + ": ") != std::string::npos)
                return w;
        }
        return {};
    }
    TempDir dir;
    TableReport report;
    ScreenTables t;
};

TEST_F(TableFiles, WrongLinesAreNamedAndSkipped) {
    const std::string schedule = write("map_schedule.txt",
                                       "# comment\n"
                                       "0 0 0225b_s01 -\r\n"
                                       "20 0 x -\n"
                                       "0 9 x -\n"
                                       "0 1 onlythree\n"
                                       "0 0 again -\n"
                                       "1 1 - VOICE\\GAYA\\a.mp3\n"
                                       "1 2 " +
                                           std::string(64, 'a') + " -\n");
    ASSERT_TRUE(readScheduleTable(schedule, t, report));
    EXPECT_EQ(t.schedule[0][0].script, "0225b_s01");
    EXPECT_EQ(t.schedule[1][1].script, "");
    EXPECT_EQ(t.schedule[1][1].crowdVoice, "VOICE\\GAYA\\a.mp3");
    EXPECT_EQ(t.schedule[1][2].script, "");
    EXPECT_EQ(report.warnings.size(), 5u);
    EXPECT_NE(warningOf(3).find("the row \"20\" is not 0 to 19"), std::string::npos);
    EXPECT_NE(warningOf(4).find("the place \"9\""), std::string::npos);
    EXPECT_NE(warningOf(5).find("expected a row"), std::string::npos);
    EXPECT_NE(warningOf(6).find("named twice"), std::string::npos);
    EXPECT_NE(warningOf(8).find("longer than 63 bytes"), std::string::npos);
    EXPECT_EQ(warningOf(2), "");
    EXPECT_EQ(report.warnings[0].rfind(schedule, 0), 0u) << "starts with the file";

    report = {};
    ASSERT_TRUE(readIconTable(write("map_icons.txt", "n 0\nxy 1\ns 64\n7 1\nS 1\n"), t, report));
    EXPECT_EQ(report.warnings.size(), 3u);
    EXPECT_EQ(t.icon('s'), 1);
    EXPECT_EQ(t.icon('n'), 0);

    report = {};
    ASSERT_TRUE(readMapPlaceTable(write("map_places.txt",
                                        "map_a 0 200 206 244 56\n"
                                        "map_b 0 1 1 1 1\n"
                                        "map_p 0 801 1 1 1\n"
                                        "map_p 1 1 601 1 1\n"
                                        "map_p 2 1 1 1\n"),
                                  t, report));
    EXPECT_EQ(report.warnings.size(), 4u);
    EXPECT_EQ(t.places[0][0].previewX, 244);
    EXPECT_NE(warningOf(3).find("is not 0 to 800"), std::string::npos);
    EXPECT_NE(warningOf(4).find("is not 0 to 600"), std::string::npos);

    report = {};
    ASSERT_TRUE(
        readDayChangeTable(write("day_change.txt", "24 a\n0 b\n32 c\nx d\n5\n"), t, report));
    EXPECT_EQ(report.warnings.size(), 4u);
    EXPECT_EQ(t.dayScript(24), "a");
}

TEST_F(TableFiles, EndingRecordsKeepTheirOrderAndLimit) {
    std::string text =
        "0 0 A.rbp -\n"
        "0 100 - P.rbp\n"
        "0 50 B.rbp -\n"  // back in time
        "14 0 A.rbp -\n"
        "0 -1 A.rbp -\n"
        "0 200 - -\n"
        "0 300 C.rbp -\n";  // after the end
    for (int i = 0; i < 28; ++i)
        text += "2 " + std::to_string(i * 10) + " X.rbp -\n";
    ASSERT_TRUE(readEndingSequenceTable(write("ending_sequences.txt", text), t, report));
    ASSERT_EQ(t.endings[0].size(), 3u);
    EXPECT_EQ(t.endings[0][1].panel, "P.rbp");
    EXPECT_TRUE(t.endings[0][2].ends());
    EXPECT_EQ(t.endings[2].size(), 27u);
    EXPECT_NE(warningOf(3).find("comes before"), std::string::npos);
    EXPECT_NE(warningOf(4).find("not 0 to 13"), std::string::npos);
    EXPECT_NE(warningOf(5).find("the time"), std::string::npos);
    EXPECT_NE(warningOf(7).find("already ended"), std::string::npos);
    EXPECT_NE(warningOf(35).find("more than 27"), std::string::npos);
    EXPECT_EQ(report.warnings.size(), 5u);

    report = {};
    ASSERT_TRUE(
        readEndingScriptTable(write("ending_scripts.txt", "0 a\n1 -\n14 b\n2\n"), t, report));
    EXPECT_EQ(t.followUps[0], "a");
    EXPECT_EQ(t.followUps[1], "");
    EXPECT_EQ(report.warnings.size(), 2u);
}

TEST_F(TableFiles, TheDataSetsOwnTableComesFirstAndAMissingOneIsNamed) {
    std::filesystem::create_directories(dir.path() / "set");
    std::filesystem::create_directories(dir.path() / "program");
    std::ofstream(dir.path() / "set" / "day_change.txt") << "3 own\n";
    std::ofstream(dir.path() / "program" / "day_change.txt") << "3 program\n4 program\n";
    std::ofstream(dir.path() / "program" / "map_icons.txt") << "n 7\n";
    const ScreenTables read = loadScreenTables(
        {(dir.path() / "set").string(), (dir.path() / "program").string()}, report);
    EXPECT_EQ(read.dayScript(3), "own");
    EXPECT_EQ(read.dayScript(4), "");
    EXPECT_EQ(read.icon('n'), 7);
    // Four tables are in neither folder.
    ASSERT_EQ(report.warnings.size(), 4u);
    EXPECT_NE(report.warnings[0].find("map_schedule.txt"), std::string::npos);
    EXPECT_NE(report.warnings[0].find("put it beside the packs"), std::string::npos);
}

}  // namespace
}  // namespace marlit::test
