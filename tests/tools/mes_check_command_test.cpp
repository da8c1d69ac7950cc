// marlit-tool mes check as a user runs it, on the sample game's scripts and
// on a pair with a broken link.
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

TEST(MesCheckCommand, TheSampleStoryHoldsTogether) {
    std::vector<std::string> args = {"mes", "check"};
    for (const auto& entry :
         fs::directory_iterator(std::string(MARLIT_SOURCE_DIR) + "/tools/samplegame/scripts"))
        args.push_back(entry.path().string());
    ASSERT_GT(args.size(), 10u);
    auto r = tool(args);
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.out, std::to_string(args.size() - 2) + " scripts, every link holds\n");
}

TEST(MesCheckCommand, NamesEachBrokenLinkAndMixesTextAndScripts) {
    test::TempDir dir;
    std::ofstream(dir.file("0301a_x01.txt")) << "header\ngoto \"LATER\"\nlabel \"later\"\n"
                                                "jump \"0302a_x01\"\n";
    std::ofstream(dir.file("end.txt")) << "header\njump \"0301A_X01\"\n";
    auto r = tool({"mes", "asm", dir.file("end.txt"), dir.file("end.mes")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = tool({"mes", "check", dir.file("0301a_x01.txt"), dir.file("end.mes")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              "0301a_x01 at position 14: the jump target \"0302a_x01\" is not a script of the "
              "set\n");
    EXPECT_NE(r.err.find("1 broken links in 2 scripts"), std::string::npos) << r.err;

    std::ofstream(dir.file("bad.txt")) << "header\nvoice\n";
    r = tool({"mes", "check", dir.file("bad.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad.txt:2: "), std::string::npos) << r.err;
    r = tool({"mes", "check", dir.file("end.mes"), dir.file("end.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("end.txt: a second script labelled end"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace marlit
