// The link check of a script set: a story that holds together passes, and
// each kind of broken link is reported with its script and position.
#include <gtest/gtest.h>

#include <map>

#include "tools/mes/mes_text_form.h"
#include "tools/mes/script_links.h"

namespace marlit {
namespace {

MesScript scriptOf(const std::string& text) {
    AssemblyError why;
    auto bytes = assembleScript(text, &why);
    EXPECT_TRUE(bytes) << "line " << why.line << ": " << why.what << "\n" << text;
    return *MesScript::parse(bytes.value_or(std::vector<uint8_t>{0, 0, 0, 0}));
}

std::vector<std::string> problemsOf(std::map<std::string, std::string> texts) {
    std::map<std::string, MesScript> set;
    for (const auto& [name, text] : texts)
        set.emplace(name, scriptOf(text));
    std::vector<std::string> out;
    for (const auto& p : checkScriptLinks(set))
        out.push_back(describe(p));
    return out;
}

const char* const kGood = R"(header 0
compare 9 9 0 0
cond_block 1 0
goto "A"
block_end 0 1
choice_begin 0 0
choice_label "a"
choice_text "一"
choice_label "B"
choice_text "二"
choice 0 0
label "A"
jump "Next"
label "B"
jump "roll_s"
)";

TEST(ScriptLinks, ASetThatHoldsTogetherHasNoProblems) {
    // Labels and script names compare without regard to ASCII case; the
    // special names need no script.
    EXPECT_EQ(problemsOf({{"0223a_f01", kGood},
                          {"next", "header 0\nday_end 0\n"},
                          {"last", "header\njump \"STAFF\"\n"},
                          {"title", "header\ngoto \"x\"\nlabel \"x\"\njump \"main\"\n"}}),
              std::vector<std::string>{});
}

TEST(ScriptLinks, EveryBrokenLinkIsNamedWithItsScriptAndPosition) {
    struct Case {
        const char* text;
        const char* problem;
    } cases[] = {
        {"header\ngoto \"nowhere\"\n",
         "s at position 0: the goto target \"nowhere\" is not a label of this script"},
        {"header\njump \"0301a_x01\"\n",
         "s at position 0: the jump target \"0301a_x01\" is not a script of the set"},
        {"header\nchoice_begin 0 0\nchoice_label \"X\"\nchoice_text \"一\"\nchoice 0 0\nlabel "
         "\"Y\"\njump \"main\"\n",
         "s at position 3: the choice target \"X\" is not a label of this script"},
        {"header\ncond_block 3 0\nblock_end 0 2\njump \"main\"\n",
         "s at position 0: the end of block 3 is not further on in the script"},
        {"header\nblock_end 0 3\ncond_block 3 0\njump \"main\"\n",
         "s at position 3: the end of block 3 is not further on in the script"},
        {"header\nlabel \"L\"\nlabel \"l\"\ngoto \"L\"\n",
         "s at position 3: the label \"l\" is there twice (jumps reach only the first)"},
        {"header\nbgm 1 0\n",
         "s at position 0: the script ends without a jump, a goto or a day end: the player "
         "would run off its end"},
        {"header\nchoice_begin 0 0\nchoice_label \"L\"\nchoice 0 0\nlabel \"L\"\njump \"main\"\n",
         "s at position 0: the choice has 1 targets but 0 texts"},
        {"header\nchoice_begin 0 0\nchoice 0 0\njump \"main\"\n",
         "s at position 0: the choice has no targets"},
        {"header\nchoice_begin 0 0\nchoice_label \"L\"\nchoice_text \"一\"\nlabel \"L\"\njump "
         "\"main\"\n",
         "s at position 0: the choice begun here is never shown (no choice command)"},
        {"header\nchoice_label \"ABCDEFGHIJKLMNOPQRSTUVWX\"\nlabel "
         "\"ABCDEFGHIJKLMNOPQRSTUVWX\"\njump \"main\"\n",
         "s at position 0: the choice target \"ABCDEFGHIJKLMNOPQRSTUVWX\" is longer than 23 "
         "bytes"},
        {"header\nbgm 1 0\nbytes 1\n", "s at position 3: byte 0x01 is not an opcode"},
        {"header\n", "s at position 0: the script has no commands"},
    };
    for (const Case& c : cases) {
        const auto problems = problemsOf({{"s", c.text}});
        ASSERT_EQ(problems.size(), 1u) << c.text;
        EXPECT_EQ(problems[0], c.problem);
    }
    // Five choices: one more than the player shows.
    std::string five = "header\nchoice_begin 0 0\n";
    for (int i = 0; i < 5; ++i)
        five += "choice_label \"L\"\nchoice_text \"一\"\n";
    five += "choice 0 0\nlabel \"L\"\njump \"main\"\n";
    EXPECT_EQ(problemsOf({{"s", five}}),
              std::vector<std::string>{
                  "s at position 0: the choice has 5 targets; the player shows at most 4"});
}

TEST(ScriptLinks, ProblemsOfSeveralScriptsComeByScript) {
    const auto problems = problemsOf({{"b", "header\njump \"c\"\n"},
                                      {"a", "header\ngoto \"z\"\n"},
                                      {"c", "header\njump \"a\"\n"}});
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "a at position 0: the goto target \"z\" is not a label of this script"}));
    EXPECT_TRUE(isSpecialJumpTarget("ROLL_B"));
    EXPECT_TRUE(isSpecialJumpTarget("SC_END"));
    EXPECT_FALSE(isSpecialJumpTarget("roll_x"));
    EXPECT_FALSE(isSpecialJumpTarget("staff2"));
}

}  // namespace
}  // namespace marlit
