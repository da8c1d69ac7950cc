// marlit-tool cfg as a user (or another suite) runs it: one key of a
// configuration file, read and written as the player does.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

TEST(CfgCommand, GetPrintsTheValueAsTheFileHoldsIt) {
    test::TempDir dir;
    const std::string cfg = dir.file("marlitpc.cfg");
    const std::string text =
        "[message_config]\nmessage_speed = 2\n[NAME_CONFIG]\nNAME=\"\x82\xe4\x82\xa4\"\n";
    ASSERT_TRUE(writeHostFileAtomic(cfg, std::vector<uint8_t>(text.begin(), text.end())));

    auto r = tool({"cfg", "get", cfg, "MESSAGE_CONFIG", "MESSAGE_SPEED"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, " 2\n");
    r = tool({"cfg", "get", cfg, "NAME_CONFIG", "NAME"});
    EXPECT_EQ(r.out, "\x82\xe4\x82\xa4\n");

    r = tool({"cfg", "get", cfg, "MESSAGE_CONFIG", "MESSAGE_AUTO"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "marlit-tool: " + cfg +
                         " has no key MESSAGE_AUTO in [MESSAGE_CONFIG]; 'marlit-tool cfg set' "
                         "adds it\n");
    r = tool({"cfg", "get", dir.file("none.cfg"), "A", "B"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "marlit-tool: cannot read " + dir.file("none.cfg") + ": No such file or directory\n");
    r = tool({"cfg", "get", dir.path().string(), "A", "B"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot read " + dir.path().string()), std::string::npos) << r.err;
    EXPECT_EQ(tool({"cfg", "get", cfg, "A"}).exitCode, 2);
}

TEST(CfgCommand, SetChangesOneLineAndKeepsTheRest) {
    test::TempDir dir;
    const std::string cfg = dir.file("marlitpc.cfg");
    const std::string text = "; mine\n[MUSIC_CONFIG]\nmaster_vol = 50\nodd line\n";
    ASSERT_TRUE(writeHostFileAtomic(cfg, std::vector<uint8_t>(text.begin(), text.end())));

    auto r = tool({"cfg", "set", cfg, "MUSIC_CONFIG", "MASTER_VOL", "80"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    r = tool({"cfg", "set", cfg, "NAME_CONFIG", "NAME", "\xe3\x82\x86\xe3\x81\x86"});  // UTF-8
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(cfg),
              "; mine\r\n[MUSIC_CONFIG]\r\nMASTER_VOL=80\r\nodd line\r\n[NAME_CONFIG]\r\n"
              "NAME=\x82\xe4\x82\xa4\r\n");
    EXPECT_EQ(test::readFileText(cfg + ".bak"),
              "; mine\r\n[MUSIC_CONFIG]\r\nMASTER_VOL=80\r\nodd line\r\n");
    EXPECT_EQ(tool({"cfg", "get", cfg, "music_config", "MASTER_VOL"}).out, "80\n");

    // A missing file is made; a value that would break a line is refused.
    const std::string fresh = dir.file("fresh.cfg");
    EXPECT_EQ(tool({"cfg", "set", fresh, "A", "K", "v w"}).exitCode, 0);
    EXPECT_EQ(test::readFileText(fresh), "[A]\r\nK=v w\r\n");
    r = tool({"cfg", "set", fresh, "A", "K", "1\r\n[B]"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "marlit-tool: cfg set: SECTION, KEY and VALUE must be on one line (see marlit-tool "
              "cfg set --help)\n");
    EXPECT_EQ(tool({"cfg", "set", fresh, "A", "K=", "1"}).exitCode, 2);
    EXPECT_EQ(test::readFileText(fresh), "[A]\r\nK=v w\r\n");
}

}  // namespace
}  // namespace marlit
