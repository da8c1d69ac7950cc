// marlit-tool mes disasm / mes asm as a user runs them.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

TEST(MesCommand, DisassemblesAndAssemblesTheSameBytes) {
    test::TempDir dir;
    // One header word, a speaker "あ" (0x82A0 stored as 0x6280), a window
    // command, a label.
    const std::string script(
        "\x01\0\0\0\x2A\0\0\0K\x62\x80\0\x0D\x01\0"
        "2start\0",
        22);
    writeFile(dir.file("a.mes"), script);
    auto r = tool({"mes", "disasm", dir.file("a.mes")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "header 42\n000000  speaker \"\xE3\x81\x82\"\n000004  window 1\n"
              "000007  label \"start\"\n");
    r = tool({"mes", "disasm", dir.file("a.mes"), dir.file("a.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = tool({"mes", "asm", dir.file("a.txt"), dir.file("b.mes")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("b.mes")), script);
}

TEST(MesCommand, NamesTheFileAndLineOrPositionOfAFault) {
    test::TempDir dir;
    writeFile(dir.file("bad.txt"), "header\nmessage \"ok\"\nmessage \"not ok\"\n");
    auto r = tool({"mes", "asm", dir.file("bad.txt"), dir.file("bad.mes")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad.txt:3: shown text cannot hold a half-width space"), std::string::npos)
        << r.err;

    // A byte that is not a command, at stream position 3.
    writeFile(dir.file("odd.mes"), std::string("\0\0\0\0\x0D\x01\0\xC8\x01", 9));
    r = tool({"mes", "disasm", dir.file("odd.mes")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("odd.mes: command stream position 3"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("0xC8 is not an opcode"), std::string::npos) << r.err;
    r = tool({"mes", "disasm", dir.file("odd.mes"), dir.file("odd.txt"), "--raw"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = tool({"mes", "asm", dir.file("odd.txt"), dir.file("odd2.mes")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("odd2.mes")), test::readFileText(dir.file("odd.mes")));

    writeFile(dir.file("short.mes"), std::string("\x05\0\0\0\0", 5));
    r = tool({"mes", "disasm", dir.file("short.mes")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("short.mes: not a script: the header claims 5 words"), std::string::npos)
        << r.err;
    r = tool({"mes", "asm", dir.file("missing.txt")});
    EXPECT_EQ(r.exitCode, 2);
}

}  // namespace
}  // namespace marlit
