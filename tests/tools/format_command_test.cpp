// marlit-tool format as a user runs it.
#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace marlit {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

TEST(FormatCommand, PrintsFormattedText) {
    auto r = tool({"format", "save%z3.dat", "1"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "save001.dat\n");
    r = tool({"format", "%s4|%d+3|%f.2|%t|%x4", "s:ab", "5", "f:3.14159", "t:0x100000001", "0xff"});
    EXPECT_EQ(r.out, "ab  | +5|3.14|4294967297|00FF\n");
    // A 64-bit argument fills two words, low word first.
    r = tool({"format", "%d %d", "t:0x200000003"});
    EXPECT_EQ(r.out, "3 2\n");
    r = tool({"format", "%d", "-5"});
    EXPECT_EQ(r.out, "5\n");
    // A leading zero is decimal, not octal.
    r = tool({"format", "%d|%t", "010", "t:-010"});
    EXPECT_EQ(r.out, "10|18446744073709551606\n");
}

TEST(FormatCommand, TakesUtf8OrShiftJisAndPrintsShiftJis) {
    // "あい" typed in UTF-8 is the four Shift-JIS bytes the width counts.
    auto r = tool({"format", "%s3|%S|\xe5\xb9\xb4", "s:\xe3\x81\x82\xe3\x81\x84", "s:a"});
    EXPECT_EQ(r.out, "\x82\xa0\x82|\x82\x81|\x94\x4e\n");
    r = tool({"format", "%S", "s:\x82\xa0-"});
    EXPECT_EQ(r.out, "\x82\xa0\x81\x51\n");
}

TEST(FormatCommand, RejectsUnreadableArguments) {
    auto r = tool({"format", "%d", "five"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("five"), std::string::npos);
    r = tool({"format"});
    EXPECT_EQ(r.exitCode, 2);
}

}  // namespace
}  // namespace marlit
