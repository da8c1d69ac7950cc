// marlit-tool's help, version and wrong words: every subcommand has a help
// within 80 columns with an example, and mistakes get one line.
#include <gtest/gtest.h>

#include <sstream>

#include "base/version.h"
#include "tests/support/run_program.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/help.h"

namespace marlit::tool {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

void expectWithin80(const std::string& text) {
    for (const std::string& line : splitLines(text))
        EXPECT_LE(displayWidth(line), 80u) << line;
}

std::string wordsOf(const Command& c) {
    return c.name.empty() ? std::string(c.group) : std::string(c.group) + " " + std::string(c.name);
}

TEST(ToolHelp, WrapsBetweenWordsAndCountsWideCharacters) {
    EXPECT_EQ(displayWidth("abc"), 3u);
    EXPECT_EQ(displayWidth("画質 1"), 6u);
    EXPECT_EQ(wrapText("  x ", "aa bb cc", 4, 10), "  x aa bb\n    cc\n");
    // A word as long as the line stands alone; nothing is cut.
    EXPECT_EQ(wrapText("", "a " + std::string(12, 'w') + " b", 2, 10), "a\n  wwwwwwwwwwww\n  b\n");
    EXPECT_EQ(wrapText("> ", "一二三四 五", 2, 10), "> 一二三四\n  五\n");
}

TEST(ToolHelp, EverySubcommandHasAHelpWithinEightyColumnsAndAnExample) {
    auto list = tool({"help"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(tool({"--help"}).out, list.out);
    expectWithin80(list.out);
    const auto all = commands();
    ASSERT_GE(all.size(), 15u);
    for (const Command& c : all) {
        const std::string words = wordsOf(c);
        SCOPED_TRACE(words);
        EXPECT_NE(list.out.find("\n  " + words + " "), std::string::npos);
        std::vector<std::string> args;
        std::istringstream split(words);
        for (std::string w; split >> w;)
            args.push_back(w);
        args.insert(args.begin(), "help");
        auto help = tool(args);
        ASSERT_EQ(help.exitCode, 0) << help.err;
        args.erase(args.begin());
        args.push_back("--help");
        EXPECT_EQ(tool(args).out, help.out);
        expectWithin80(help.out);
        EXPECT_EQ(help.out.rfind("usage: marlit-tool " + words, 0), 0u) << help.out;
        EXPECT_NE(help.out.find("\nexample:\n  marlit-tool " + words + " "), std::string::npos)
            << help.out;
    }
}

TEST(ToolHelp, VersionAndWrongWords) {
    auto r = tool({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "marlit-tool " + std::string(projectVersion()) + "\n");

    r = tool({"bogus"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "marlit-tool: unknown subcommand 'bogus' (see marlit-tool help)\n");
    r = tool({"pack", "bogus"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "marlit-tool: unknown subcommand 'pack bogus' (see marlit-tool help pack)\n");
    r = tool({"help", "pack", "bogus"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "marlit-tool: unknown subcommand 'pack bogus' (see marlit-tool help pack)\n");

    // A group alone lists its subcommands; asked for, on stdout.
    r = tool({"help", "pack"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("  marlit-tool pack extract-all PACK DIR\n"), std::string::npos);
    r = tool({"pack"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("  marlit-tool pack list PACK\n"), std::string::npos);

    // Wrong arguments and options: one line that points to the help.
    r = tool({"pack", "list"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "marlit-tool: pack list: expected PACK (see marlit-tool pack list --help)\n");
    r = tool({"pack", "create", "a.mlz", "dir", "--bogus"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "marlit-tool: pack create: unknown option --bogus (see marlit-tool pack "
              "create --help)\n");
}

}  // namespace
}  // namespace marlit::tool
