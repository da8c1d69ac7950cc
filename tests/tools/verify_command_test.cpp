// marlit-tool verify as a user runs it: a data set made with the tool's own
// commands, first whole, then with a picture, a piece of music, a voice
// and a script taken away.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

class VerifyCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        // The picture pack's contents: two scripts and the pictures they name.
        const fs::path packDir = dir.path() / "pack";
        fs::create_directories(packDir / "AdvData" / "mes");
        fs::create_directories(packDir / "AdvData" / "grp" / "BG");
        fs::create_directories(packDir / "AdvData" / "grp" / "CHR");
        fs::create_directories(dir.path() / "game" / "1");
        std::ofstream(dir.file("start.txt"))
            << "header 0\nbgm 3 0\nbackground \"BG\\\\room\"\nchar_left \"CHR\\\\girl@\"\n"
               "voice \"VOICE\\\\G\\\\g0001.pcm\"\nse 7 0\nbackground \"system\\\\map_a\"\n"
               "char_right \"-\"\nday_end_selector 9\nday_end 0\njump \"next\"\n";
        std::ofstream(dir.file("next.txt")) << "header 0\nbgm 255 0\njump \"main\"\n";
        for (const char* name : {"start", "next"}) {
            auto r = tool({"mes", "asm", dir.file(std::string(name) + ".txt"),
                           (packDir / "AdvData" / "mes" / (std::string(name) + ".mes")).string()});
            ASSERT_EQ(r.exitCode, 0) << r.err;
        }
        std::ofstream(packDir / "AdvData" / "grp" / "BG" / "room.rbp") << "picture";
        std::ofstream(packDir / "AdvData" / "grp" / "CHR" / "girl.rbp") << "picture";
        std::ofstream(dir.path() / "game" / "1" / "03.mp3") << "music";
        std::ofstream(dir.path() / "game" / "1" / "007.mp3") << "effect";
        fs::create_directories(dir.path() / "voices" / "VOICE" / "G");
        std::ofstream(dir.path() / "voices" / "VOICE" / "G" / "g0001.mp3") << "voice";
        packUp();
        // Tables of the data set's own: a place row that matches nothing.
        for (const char* table :
             {"manner.txt", "title_voices.txt", "map_schedule.txt", "map_icons.txt",
              "map_places.txt", "day_change.txt", "ending_sequences.txt", "ending_scripts.txt",
              "extras_characters.txt", "picture_gallery.txt", "scene_gallery.txt"})
            std::ofstream(dir.path() / "game" / "1" / table) << "# none\n";
        std::ofstream(dir.path() / "game" / "1" / "places.txt") << "3 AdvData\\GRP\\BG\\far.rbp\n";
        std::ofstream(dir.path() / "game" / "1" / "day_card.txt") << "# none\n";
    }
    void packUp() {
        for (const auto& [from, to] : {std::pair{"pack", "grpack.mlz"}, {"voices", "voice.mlz"}}) {
            auto r =
                tool({"pack", "create", dir.file(std::string("game/1/") + to), dir.file(from)});
            ASSERT_EQ(r.exitCode, 0) << r.err;
        }
    }
    test::TempDir dir;
};

TEST_F(VerifyCommand, AWholeDataSetLacksNothingAndTheDataFolderServesAsWell) {
    // The general day card of the program's table is the only picture
    // the tables still name.
    fs::create_directories(dir.path() / "pack" / "AdvData" / "grp" / "bg");
    std::ofstream(dir.path() / "pack" / "AdvData" / "grp" / "bg" / "i_etc.rbp") << "card";
    packUp();
    for (const std::string& folder : {dir.file("game"), dir.file("game/1")}) {
        auto r = tool({"verify", folder});
        EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
        EXPECT_NE(r.out.find("2 scripts, 7 names looked up: nothing missing"), std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("note: places.txt names AdvData\\GRP\\BG\\far.rbp, which this "
                             "data set lacks"),
                  std::string::npos)
            << r.out;
    }
}

TEST_F(VerifyCommand, NamesWhatIsMissingAndWhereItIsNamed) {
    fs::remove(dir.path() / "pack" / "AdvData" / "grp" / "CHR" / "girl.rbp");
    fs::remove(dir.path() / "pack" / "AdvData" / "mes" / "next.mes");
    fs::remove(dir.path() / "voices" / "VOICE" / "G" / "g0001.mp3");
    std::ofstream(dir.path() / "voices" / "other.mp3") << "voice";
    fs::remove(dir.path() / "game" / "1" / "03.mp3");
    // "start" ends a day on the day-change screen, and its name sets no
    // date: it may be any day's. No script jumps to the ending of route 3.
    std::ofstream(dir.path() / "game" / "1" / "day_change.txt") << "24 0224d_f02\n";
    std::ofstream(dir.path() / "game" / "1" / "ending_scripts.txt") << "3 0410a_w01\n";
    packUp();
    auto r = tool({"verify", dir.file("game")});
    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    for (const char* line :
         {"missing picture AdvData\\grp\\CHR\\girl.rbp, named by start at position 12\n",
          "missing music 03.mp3, named by start at position 0\n",
          "missing voice VOICE\\G\\g0001.mp3, named by start at position 23\n",
          "missing picture AdvData\\grp\\bg\\i_etc.rbp, named by day_card.txt\n",
          "missing script 0224d_f02, named by day_change.txt, day 24\n",
          "the jump target \"next\" is not a script of the set",
          "note: ending_scripts.txt, route 3 names script 0410a_w01, which this data set lacks "
          "(no script jumps to the ending of route 3)\n"}) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    }
    EXPECT_NE(r.out.find("1 script, 9 names looked up: 6 problems"), std::string::npos) << r.out;
}

TEST_F(VerifyCommand, AFolderWithoutADataSetIsNamed) {
    auto r = tool({"verify", dir.file("pack")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no data set"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir.file("pack")), std::string::npos) << r.err;
}

}  // namespace
}  // namespace marlit
