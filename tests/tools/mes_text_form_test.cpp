// The script text form: random valid scripts and hand-written ones survive
// disassembly and assembly byte for byte, shown text reads as UTF-8, and what
// a file cannot carry is refused with its line.
#include "tools/mes/mes_text_form.h"

#include <gtest/gtest.h>

#include <random>

namespace marlit {
namespace {

using Bytes = std::vector<uint8_t>;

// A valid script of random commands: every opcode, strings of any byte but
// NUL, the player-name speaker form, random header words.
Bytes randomScript(std::mt19937& rng, size_t commands) {
    auto byte = [&] { return static_cast<uint8_t>(rng()); };
    Bytes file;
    uint32_t words = rng() % 4;
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<uint8_t>(words >> (8 * i)));
    for (uint32_t i = 0; i < 4 * words; ++i)
        file.push_back(byte());
    auto table = commandTable();
    for (size_t n = 0; n < commands; ++n) {
        const CommandInfo& info = table[rng() % table.size()];
        file.push_back(info.opcode);
        size_t fixed = 0;
        switch (info.shape) {
            case CommandShape::kWord:
                fixed = 2;
                break;
            case CommandShape::kByte:
                fixed = 1;
                break;
            case CommandShape::kQuad:
                fixed = 8;
                break;
            case CommandShape::kSpeaker:
                if (rng() % 4 == 0) {
                    file.insert(file.end(), {0x04, byte(), byte()});
                    break;
                }
                [[fallthrough]];
            case CommandShape::kString: {
                size_t length = rng() % 3 == 0 ? 0 : rng() % 40;
                for (size_t i = 0; i < length; ++i) {
                    uint8_t b = byte();
                    if (b == 0 || (i == 0 && info.shape == CommandShape::kSpeaker && b == 0x04))
                        b = 0x61;
                    file.push_back(b);
                }
                file.push_back(0);
                break;
            }
        }
        for (size_t i = 0; i < fixed; ++i)
            file.push_back(byte());
    }
    return file;
}

TEST(MesTextForm, RandomScriptsRoundTrip) {
    std::mt19937 rng(20261209);
    for (int round = 0; round < 300; ++round) {
        Bytes file = randomScript(rng, 1 + rng() % 120);
        std::optional<MesScript> script = MesScript::parse(file);
        ASSERT_TRUE(script.has_value());
        Disassembly text = disassembleScript(*script, false);
        ASSERT_FALSE(text.fault.has_value()) << text.fault->what;
        AssemblyError error;
        std::optional<Bytes> back = assembleScript(text.text, &error);
        ASSERT_TRUE(back.has_value()) << "line " << error.line << ": " << error.what;
        ASSERT_EQ(*back, file) << text.text;
    }
}

TEST(MesTextForm, HandWrittenScriptGivesTheseBytes) {
    const std::string text =
        "\xEF\xBB\xBF# a scene, saved with a byte-order mark\r\n"
        "HEADER 0x10 7\r\n"
        "\n"
        "999999  background \"bg\\\\hai_01\"   # the position column is ignored\n"
        "speaker \"\xE7\xBE\x8E\xE5\x92\xB2\"\n"     // 美咲
        "message \"\xE3\x81\x82\\n\xEF\xBD\x9B\"\n"  // あ, line feed, ｛
        "speaker player 1 2\n"
        "MESSAGE_NUMBER 0x1234\n"
        "se 12 1\n"
        "bg_scroll -1 2 0 65535\n"
        "op_c 9\n"
        "bytes 200 0\n";
    AssemblyError error;
    std::optional<Bytes> file = assembleScript(text, &error);
    ASSERT_TRUE(file.has_value()) << error.line << ": " << error.what;
    Bytes expected = {2, 0, 0, 0, 16, 0, 0, 0, 7, 0, 0, 0};
    for (char c : std::string_view(".bg\\hai_01"))
        expected.push_back(static_cast<uint8_t>(c));
    expected.push_back(0);
    // 美咲 is 0x94FC 0x8DE7 in Shift-JIS, stored 0x20 lower.
    expected.insert(expected.end(), {75, 0x74, 0xDC, 0x6D, 0xC7, 0});
    // あ 0x82A0, line feed 0x0A, ｛ 0x816F.
    expected.insert(expected.end(), {76, 0x62, 0x80, 0xEA, 0x61, 0x4F, 0});
    expected.insert(expected.end(), {75, 4, 1, 2, 3, 0x34, 0x12, 5, 12, 1});
    expected.insert(expected.end(), {94, 0xFF, 0xFF, 2, 0, 0, 0, 0xFF, 0xFF, 99, 9, 200, 0});
    EXPECT_EQ(*file, expected);

    std::optional<MesScript> script = MesScript::parse(*file);
    Disassembly back = disassembleScript(*script, false);
    ASSERT_TRUE(back.fault.has_value());  // the bytes line ends the readable part
    EXPECT_EQ(back.fault->position, 45u);
    EXPECT_NE(back.text.find("000011  speaker \"\xE7\xBE\x8E\xE5\x92\xB2\"\n"), std::string::npos)
        << back.text;
    EXPECT_NE(back.text.find("message \"\xE3\x81\x82\\n\xEF\xBD\x9B\"\n"), std::string::npos);
    EXPECT_NE(back.text.find("message_number 4660\n"), std::string::npos);
    EXPECT_NE(back.text.find("bg_scroll -1 2 0 65535\n"), std::string::npos);
    Disassembly raw = disassembleScript(*script, true);
    EXPECT_NE(raw.text.find("000045  bytes 200 0\n"), std::string::npos) << raw.text;
    EXPECT_EQ(assembleScript(raw.text), file);
}

TEST(MesTextForm, BytesWithoutACharacterAreEscaped) {
    // Shown bytes (after + 0x20): a lone lead byte, a control byte, a quote,
    // a backslash, a half-width katakana, a lead byte at the end.
    const std::string shown =
        "\x82"
        "A\x01\"\\\xB1\x82";
    std::string stored = *encodeShownText(shown);
    Bytes file = {0, 0, 0, 0, 77};
    file.insert(file.end(), stored.begin(), stored.end());
    file.push_back(0);
    Disassembly text = disassembleScript(*MesScript::parse(file), false);
    EXPECT_EQ(text.text, "header\n000000  choice_text \"\\x82A\\x01\\\"\\\\\xEF\xBD\xB1\\x82\"\n");
    EXPECT_EQ(assembleScript(text.text), file);
}

TEST(MesTextForm, RefusesWhatTheFileCannotCarry) {
    struct Case {
        std::string text;
        size_t line;
        std::string_view says;
    } cases[] = {
        {"header\nmessage \"a b\"\n", 2, "half-width space"},
        {"\n\nchoice_text \"\\x20\"", 3, "half-width space"},
        {"speaker \"$n\"", 1, "cannot begin with \"$\""},
        {"label \"a\\x00b\"", 1, "byte 0"},
        {"se 1 0\nfrobnicate 1", 2, "unknown command \"frobnicate\""},
        {"se 256 0", 1, "out of range"},
        {"window 65536", 1, "out of range"},
        {"var 1 2 3", 1, "four words"},
        {"message \"abc", 1, "no closing quote"},
        {"message \"\\q\"", 1, "unknown escape"},
        {"message \"\xE2\x82\xAC\"", 1, "no Shift-JIS form"},
        {"speaker player 1", 1, "\"player\" and two bytes"},
        {"se 1 0\nheader 1", 2, "header line"},
        {"000012", 1, "position without a command"},
        {"label \"a\"\"b\"", 1, "separated by spaces"},
    };
    for (const Case& c : cases) {
        AssemblyError error;
        EXPECT_FALSE(assembleScript(c.text, &error).has_value()) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.what.find(c.says), std::string::npos) << c.text << " -> " << error.what;
    }
}

}  // namespace
}  // namespace marlit
