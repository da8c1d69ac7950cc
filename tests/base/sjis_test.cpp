// Shift-JIS aware helpers: a trail byte is never taken for ASCII.
#include "base/sjis.h"

#include <gtest/gtest.h>

namespace marlit {
namespace {

// "表" is 0x95 0x5C: its trail byte is a backslash. "ｱ" is the one-byte 0xB1.
const std::string kHyou = "\x95\x5c";

TEST(FindLast, SkipsTrailBytes) {
    EXPECT_EQ(findLast("a\\b\\c.txt", '\\'), 3u);
    EXPECT_EQ(findLast("dir\\" + kHyou + ".mes", '\\'), 3u);
    EXPECT_FALSE(findLast(kHyou, '\\').has_value());
    EXPECT_EQ(findLast("name.ext.rbp", '.'), 8u);
    EXPECT_FALSE(findLast("noext", '.').has_value());
    EXPECT_FALSE(findLast("", '.').has_value());
}

TEST(SameText, FoldsAsciiOnlyOutsideDoubleByteCharacters) {
    EXPECT_TRUE(sameText("AdvData\\grp\\BG01.rbp", "ADVDATA\\GRP\\bg01.RBP"));
    EXPECT_FALSE(sameText("abc", "abd"));
    EXPECT_FALSE(sameText("abc", "abcd"));
    // 0x82 0x61 and 0x82 0x41 are different characters: trail bytes are not folded.
    EXPECT_FALSE(sameText("\x82\x61", "\x82\x41"));
    EXPECT_TRUE(sameText("\x82\x61x", "\x82\x61X"));
    // Half-width katakana are single bytes compared as they are.
    EXPECT_TRUE(sameText("\xb1", "\xb1"));
    // A lead byte at the very end is compared alone.
    EXPECT_TRUE(sameText("a\x82", "A\x82"));
    EXPECT_FALSE(sameText("a\x82", "a\x83"));
}

TEST(StartsWith, SameCaseRule) {
    EXPECT_TRUE(startsWith("VOICE\\abc.mp3", "voice\\"));
    EXPECT_FALSE(startsWith("VOI", "voice"));
    EXPECT_TRUE(startsWith("anything", ""));
    EXPECT_FALSE(startsWith("\x82\x61", "\x82\x41"));
    EXPECT_FALSE(startsWith(kHyou + "x", "\x95"));  // would cut a character
}

TEST(NextToken, DelimitersQuotesAndBlanks) {
    std::string text = "KEY = \"a b, c\" , next\r\nlast";
    std::string tok;
    size_t pos = nextToken(text, 0, tok, "=", true);
    EXPECT_EQ(tok, "KEY");
    pos = nextToken(text, pos, tok, ",", true);
    EXPECT_EQ(tok, "a b, c");
    pos = nextToken(text, pos, tok, ",", true);
    EXPECT_EQ(tok, "nextlast");
    EXPECT_EQ(pos, text.size());
    // Without skipping, blanks belong to the token; a trail byte "\" is no delimiter.
    std::string sj = "x " + kHyou + "\\y";
    pos = nextToken(sj, 0, tok, "\\", false);
    EXPECT_EQ(tok, "x " + kHyou);
    pos = nextToken(sj, pos, tok, "\\", false);
    EXPECT_EQ(tok, "y");
}

TEST(ParseNumber, DecimalHexAndSigns) {
    int32_t v = 0;
    EXPECT_EQ(parseNumber("123", v), -1);
    EXPECT_EQ(v, 123);
    EXPECT_EQ(parseNumber("-42", v), 1);
    EXPECT_EQ(v, -42);
    EXPECT_EQ(parseNumber("+7", v), 0);
    EXPECT_EQ(v, 7);
    EXPECT_EQ(parseNumber("12-", v), 1);
    EXPECT_EQ(v, -12);
    EXPECT_EQ(parseNumber("0x1aF", v), -1);
    EXPECT_EQ(v, 0x1AF);
    EXPECT_EQ(parseNumber("1 2", v), -1);
    EXPECT_EQ(v, 12);
    EXPECT_EQ(parseNumber("", v), -1);
    EXPECT_EQ(v, 0);
}

TEST(FullWidth, TableChoices) {
    std::string out;
    EXPECT_EQ(toFullWidth(out, " \"'-\\~`A0z"), 10u);
    EXPECT_EQ(out,
              "\x81\x40\x81\x68\x81\x66\x81\x51\x81\x8f\x81\x50\x81\x4d\x82\x60\x82\x4f\x82\x9a");
    out.clear();
    toFullWidth(out, kHyou + "\xb1\x7f");
    EXPECT_EQ(out, kHyou + "\xb1\x7f");
}

TEST(TextBuffers, CopyAppendAndBoundedCopy) {
    char buf[16];
    char* end = textCopy(buf, "abc");
    EXPECT_EQ(end, buf + 3);
    end = textAppend(buf, "de");
    EXPECT_STREQ(buf, "abcde");
    EXPECT_EQ(end, buf + 5);
    char small[4];
    EXPECT_EQ(textCopyBounded(small, sizeof small, "ab" + kHyou), 2u);
    EXPECT_STREQ(small, "ab");
    EXPECT_EQ(characterCount("a" + kHyou + "\xb1"), 3u);
}

}  // namespace
}  // namespace marlit
