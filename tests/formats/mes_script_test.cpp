// Scenario scripts: command lengths by shape, the walkers and their faults at
// the end of the stream, label and block-end searches, and the shown-text
// codec with line feeds and ruby groups.
#include "formats/mes_script.h"

#include <gtest/gtest.h>

#include <set>

namespace marlit {
namespace {

using Bytes = std::vector<uint8_t>;

// A script file with two header words around the given stream.
MesScript script(const Bytes& stream) {
    Bytes file = {2, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD, 1, 2, 3, 4};
    file.insert(file.end(), stream.begin(), stream.end());
    std::optional<MesScript> s = MesScript::parse(file);
    EXPECT_TRUE(s.has_value());
    return s ? *s : *MesScript::parse({0, 0, 0, 0});
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes str(uint8_t opcode, std::string_view s) {
    Bytes b{opcode};
    b.insert(b.end(), s.begin(), s.end());
    b.push_back(0);
    return b;
}

TEST(MesScriptTable, ShapesMatchTheOpcodeLists) {
    const std::set<int> word = {2,  3,  4,  5,  6,  7,  8,  9,  10, 13, 17, 18,
                                19, 21, 23, 27, 29, 31, 33, 34, 35, 36, 38, 43};
    const std::set<int> string = {46, 47, 50, 51, 52, 53, 54, 56, 59, 60, 61, 63, 69, 70, 76, 77};
    const std::set<int> quad = {79, 80, 82, 83, 88, 89, 91, 93, 94, 96};
    std::set<std::string> names;
    for (int op = 0; op < 256; ++op) {
        const CommandInfo* info = commandInfo(static_cast<uint8_t>(op));
        CommandShape expected;
        if (word.count(op))
            expected = CommandShape::kWord;
        else if (string.count(op))
            expected = CommandShape::kString;
        else if (quad.count(op))
            expected = CommandShape::kQuad;
        else if (op == 99)
            expected = CommandShape::kByte;
        else if (op == 75)
            expected = CommandShape::kSpeaker;
        else {
            EXPECT_EQ(info, nullptr) << op;
            continue;
        }
        ASSERT_NE(info, nullptr) << op;
        EXPECT_EQ(info->opcode, op);
        EXPECT_EQ(info->shape, expected) << op;
        EXPECT_TRUE(names.insert(std::string(info->name)).second) << info->name;
        EXPECT_EQ(commandByName(info->name), info);
    }
    EXPECT_EQ(names.size(), commandTable().size());
    EXPECT_EQ(commandByName("BLOCK_END")->opcode, 31);
    EXPECT_EQ(commandByName("date_card_end")->opcode, 96);
    EXPECT_EQ(commandByName("nonsense"), nullptr);
}

TEST(MesScriptWalk, CommandLengthsByShape) {
    MesScript s = script(concat({
        {75, 0x04, 0x00, 0x00},        // 0: speaker, short form
        {75, 0x04, 0xFF, 0x4B},        // 4: short form whatever follows
        str(75, "\x28\x29"),           // 8: speaker with a name
        str(50, ""),                   // 12: empty label
        {79, 0, 0, 0, 0, 0, 0, 0, 0},  // 14: quad of zeros
        {99, 7},                       // 23: byte
        {13, 1, 0},                    // 25: word
    }));
    const std::pair<uint32_t, uint32_t> expected[] = {{0, 4},  {4, 4},  {8, 4}, {12, 2},
                                                      {14, 9}, {23, 2}, {25, 3}};
    for (auto [pos, len] : expected) {
        ScriptFault fault;
        EXPECT_EQ(s.commandLength(pos, &fault), len) << pos << " " << fault.what;
        EXPECT_EQ(s.nextCommand(pos), pos + len);
    }
    EXPECT_EQ(s.headerWords(), 2u);
    EXPECT_EQ(s.streamOffset(), 12u);
    EXPECT_EQ(s.stringOperand(8), "\x28\x29");
    EXPECT_EQ(s.stringOperand(12), "");
}

TEST(MesScriptWalk, FaultsAtTheEndOfTheStream) {
    struct Case {
        Bytes stream;
        uint32_t position;
        std::string_view says;
    } cases[] = {
        {{13, 1}, 0, "needs 3"},
        {{99}, 0, "needs 2"},
        {{88, 1, 2, 3, 4, 5, 6, 7}, 0, "needs 9"},
        {{75, 0x04, 1}, 0, "needs 4"},
        {{75}, 0, "no NUL"},
        {{50, 'a', 'b'}, 0, "no NUL"},
        {{13, 1, 0, 1}, 3, "not an opcode"},
        {{13, 1, 0}, 3, "ends here"},
        {{13, 1, 0}, 70000, "ends here"},
    };
    for (const Case& c : cases) {
        MesScript s = script(c.stream);
        ScriptFault fault;
        EXPECT_FALSE(s.commandLength(c.position, &fault).has_value());
        EXPECT_EQ(fault.position, c.position);
        EXPECT_NE(fault.what.find(c.says), std::string::npos) << fault.what;
        EXPECT_FALSE(s.nextCommand(c.position).has_value());
    }
    // Operand accessors stay inside the stream even when misused.
    MesScript s = script({50, 'a', 'b'});
    EXPECT_EQ(s.stringOperand(0), "ab");
    EXPECT_EQ(s.quadWord(0, 3), 0);
    EXPECT_EQ(s.byteAt(99), 0);
}

TEST(MesScriptParse, HeaderMustFitTheFile) {
    ScriptFault fault;
    EXPECT_FALSE(MesScript::parse({1, 0}, &fault).has_value());
    EXPECT_FALSE(MesScript::parse({2, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7}, &fault).has_value());
    EXPECT_NE(fault.what.find("2 words"), std::string::npos) << fault.what;
    EXPECT_FALSE(MesScript::parse({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, &fault).has_value());
    std::optional<MesScript> empty = MesScript::parse({1, 0, 0, 0, 9, 9, 9, 9});
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->stream().empty());
    EXPECT_FALSE(empty->findLabel("x", &fault).has_value());
}

TEST(MesScriptSearch, LabelsCompareAsciiCaseOnly) {
    MesScript s = script(concat({
        {13, 1, 0},
        str(50, "0305A_F01"),  // 3
        str(50, "\x82\x61x"),  // 14: full-width letter, then x
        str(50, "target"),     // 19
        str(50, "TARGET"),     // 26
    }));
    EXPECT_EQ(s.findLabel("0305a_f01"), 3u);
    EXPECT_EQ(s.findLabel("\x82\x61X"), 14u);
    ScriptFault fault;
    // The trail byte 0x61 is not the letter "a": no folding to 0x41.
    EXPECT_FALSE(s.findLabel("\x82\x41x", &fault).has_value());
    EXPECT_NE(fault.what.find("not in the script"), std::string::npos);
    EXPECT_EQ(s.findLabel("Target"), 19u);  // the first one from position 0
    EXPECT_FALSE(s.findLabel("0305A_F0", &fault).has_value());
}

TEST(MesScriptSearch, WalksStopAtBadBytesWithTheirPosition) {
    MesScript s = script(concat({{13, 1, 0}, {200}, str(50, "x")}));
    ScriptFault fault;
    EXPECT_FALSE(s.findLabel("x", &fault).has_value());
    EXPECT_EQ(fault.position, 3u);
    EXPECT_NE(fault.what.find("0xC8"), std::string::npos) << fault.what;
    EXPECT_FALSE(s.skipToOpcode(50, 0, &fault).has_value());
    EXPECT_EQ(fault.position, 3u);
    EXPECT_FALSE(s.skipToBlockEnd(1, 0, &fault).has_value());
    EXPECT_EQ(fault.position, 3u);
}

TEST(MesScriptSearch, BlockEndsAndOpcodes) {
    MesScript s = script(concat({
        {31, 5, 1},                    // 0: block 1 (offset 2), not 5
        {2, 1, 0},                     // 3
        {31, 1, 5},                    // 6: block 5
        {96, 0, 0, 0, 0, 0, 0, 0, 0},  // 9
        {31, 0, 7},                    // 18
    }));
    EXPECT_EQ(s.skipToBlockEnd(1, 0), 3u);  // the starting command counts
    EXPECT_EQ(s.skipToBlockEnd(5, 0), 9u);
    EXPECT_EQ(s.skipToBlockEnd(7, 3), 21u);
    ScriptFault fault;
    EXPECT_FALSE(s.skipToBlockEnd(1, 3, &fault).has_value());
    EXPECT_EQ(fault.position, 3u);
    EXPECT_NE(fault.what.find("block 1"), std::string::npos);
    EXPECT_EQ(s.skipToOpcode(96, 0), 9u);
    EXPECT_EQ(s.skipToOpcode(96, 9), 9u);  // not passed
    EXPECT_FALSE(s.skipToOpcode(96, 18, &fault).has_value());
    EXPECT_NE(fault.what.find("date_card_end"), std::string::npos);
}

std::string lower(std::string_view shiftJis) {
    return *encodeShownText(shiftJis);
}

TEST(MesShownText, AddsTheOffsetAndBreaksLines) {
    // 0x0A is stored as 0xEA; "/" stays "/".
    std::string stored = lower(
        "\x82\xa0"
        "a\n/b");
    EXPECT_EQ(static_cast<uint8_t>(stored[3]), 0xEA);
    EXPECT_EQ(decodeShownText(stored, true, false),
              "\x82\xa0"
              "a//b");
    EXPECT_EQ(decodeShownText(stored, false, false),
              "\x82\xa0"
              "a\n/b");
    // Bytes wrap modulo 256.
    EXPECT_EQ(decodeShownText("\xF0", false, false), "\x10");
    // A half-width space would be stored as the terminating NUL.
    EXPECT_FALSE(encodeShownText("a b").has_value());
    EXPECT_EQ(encodeShownText(""), "");
}

TEST(MesShownText, RubyKeepsTheSecondPart) {
    const std::string open = "\x81\x6F", slash = "\x81\x5E", close = "\x81\x70";
    std::string kanji = "\x8A\xBF", kana = "\x82\xA9\x82\xF1";
    std::string text = "a" + open + kanji + slash + kana + close + "b";
    EXPECT_EQ(decodeShownText(lower(text), true, true), "a" + kana + "b");
    EXPECT_EQ(decodeShownText(lower(text), true, false), text);
    // Two groups, and a line feed inside the kept part.
    std::string two = open + "x" + slash + "y\n" + close + open + "p" + slash + "q" + close;
    EXPECT_EQ(decodeShownText(lower(two), true, true), "y/q");
    // A brace without its slash and closing brace stays as written.
    std::string broken = open + kanji + close;
    EXPECT_EQ(decodeShownText(lower(broken), true, true), broken);
    // A marker's bytes that are the trail of another character are not a marker:
    // 0x88 0x81 is one character, then "o" (0x6F).
    std::string trail = "\x88\x81o" + slash + "z" + close;
    EXPECT_EQ(decodeShownText(lower(trail), true, true), trail);
}

}  // namespace
}  // namespace marlit
