// The formatter: letter first, then flag, then width; "%z" zero-pads and
// keeps the lowest digits; upper-case letters write full width.
#include "base/format.h"

#include <gtest/gtest.h>

#include <cstring>

namespace marlit {
namespace {

TEST(FormatString, ZeroPaddedKeepsLowestDigits) {
    EXPECT_EQ(formatText("%z3", {7}), "007");
    EXPECT_EQ(formatText("%z3", {12345}), "345");
    EXPECT_EQ(formatText("%z2", {0}), "00");
    EXPECT_EQ(formatText("[%z]", {5}), "[]");
    EXPECT_EQ(formatText("save%z3.dat", {1}), "save001.dat");
    EXPECT_EQ(formatText("%z4-%z2-%z2 %z2:%z2:%z2", {2003, 4, 1, 9, 5, 0}), "2003-04-01 09:05:00");
    // A third digit is ordinary text.
    EXPECT_EQ(formatText("%z123", {5}), "0000000000053");
}

TEST(FormatString, DecimalSignOnlyWithFlag) {
    EXPECT_EQ(formatText("%d", {-5}), "5");
    EXPECT_EQ(formatText("%d", {0}), "0");
    EXPECT_EQ(formatText("%d3", {0}), "  0");
    EXPECT_EQ(formatText("%d2", {12345}), "45");
    EXPECT_EQ(formatText("%d", {static_cast<int32_t>(0x80000000u)}), "2147483648");
    EXPECT_EQ(formatText("%%d+", {}), "%d+");
}

TEST(FormatString, DecimalSignPlacement) {
    // The flag follows the letter: "%d+3" is d, flag +, width 3.
    char buf[64];
    formatString(buf, sizeof buf, "%d+3", {5});
    EXPECT_STREQ(buf, " +5");
    formatString(buf, sizeof buf, "%d+", {-5});
    EXPECT_STREQ(buf, "-5");
    formatString(buf, sizeof buf, "%d+", {5});
    EXPECT_STREQ(buf, "+5");
    formatString(buf, sizeof buf, "%d-", {5});
    EXPECT_STREQ(buf, "5");
    formatString(buf, sizeof buf, "%d-4", {5});
    EXPECT_STREQ(buf, "   5");
    formatString(buf, sizeof buf, "%d-4", {-25});
    EXPECT_STREQ(buf, " -25");
    formatString(buf, sizeof buf, "%d+2", {-25});
    EXPECT_STREQ(buf, "-25");
}

TEST(FormatString, StringsAndChars) {
    EXPECT_EQ(formatText("%s4|", {"ab"}), "ab  |");
    EXPECT_EQ(formatText("%s4", {"abcdef"}), "abcd");
    EXPECT_EQ(formatText("AdvData\\GRP\\BG\\%s", {"bg01.rbp"}), "AdvData\\GRP\\BG\\bg01.rbp");
    EXPECT_EQ(formatText("%s -%s-", {"a", "b"}), "a -b-");
    EXPECT_EQ(formatText("[%d%c]", {3, 'A'}), "[3A]");
    EXPECT_EQ(formatText("%%", {}), "%");
    EXPECT_EQ(formatText("%c-1", {'x'}), "x-1");  // no flag or width for c
}

TEST(FormatString, HexOctalUnsigned) {
    EXPECT_EQ(formatText("%x4", {255}), "00FF");
    EXPECT_EQ(formatText("[%x]", {255}), "[]");
    EXPECT_EQ(formatText("%x2", {0x1234}), "34");
    EXPECT_EQ(formatText("%o3", {8}), "010");
    EXPECT_EQ(formatText("%u", {static_cast<uint32_t>(4000000000u)}), "4000000000");
    EXPECT_EQ(formatText("%u+5", {42}), "   42");
    EXPECT_EQ(formatText("%ld %lx2", {-7, 0xAB}), "7 AB");
    EXPECT_EQ(formatText("%t", {Wide64{12345678901234ull}}), "12345678901234");
}

TEST(FormatString, FixedPointTruncates) {
    EXPECT_EQ(formatText("%f.2", {3.14159}), "3.14");
    EXPECT_EQ(formatText("%f5.3", {2.9999}), "    2.999");
    EXPECT_EQ(formatText("%f+.1", {-1.25}), "-1.2");
    EXPECT_EQ(formatText("%f.3", {0.5}), "0.500");
    // The digits are those of the number as written, not of its binary
    // value just below it.
    EXPECT_EQ(formatText("%f.1", {0.7}), "0.7");
    EXPECT_EQ(formatText("%f.2", {0.29}), "0.29");
    EXPECT_EQ(formatText("%f.2", {1.005}), "1.00");
    EXPECT_EQ(formatText("%f2.1", {123.45}), "23.4");
    EXPECT_EQ(formatText("%f.12", {1e-7}), "0.000000100000");
    EXPECT_EQ(formatText("%f", {1e20}), "100000000000000000000.");
}

TEST(FormatString, FullWidthForms) {
    EXPECT_EQ(formatText("%D", {12}), "\x82\x50\x82\x51");
    EXPECT_EQ(formatText("%Z2", {5}), "\x82\x4f\x82\x54");
    EXPECT_EQ(formatText("%D3", {7}), "\x81\x40\x81\x40\x82\x56");
    EXPECT_EQ(formatText("%S", {"a-"}), "\x82\x81\x81\x51");
    EXPECT_EQ(formatText("%S3", {"ab"}), "\x82\x81\x82\x82  ");
}

TEST(FormatString, UnknownLetterDropsOnlyItself) {
    EXPECT_EQ(formatText("a%qb", {}), "ab");
    EXPECT_EQ(formatText("%C%d", {4}), "4");
    EXPECT_EQ(formatText("x%", {}), "x");
    EXPECT_EQ(formatText("%lq|", {}), "|");
    // Only "%l" and the letter go: a width after them is text.
    EXPECT_EQ(formatText("%lf5.2|%lz3", {1.5}), "5.2|3");
}

TEST(FormatString, AppendAfterExistingText) {
    char buf[32];
    std::strcpy(buf, "head");
    formatString(buf, sizeof buf, "%r-%d", {9});
    EXPECT_STREQ(buf, "head-9");
}

TEST(FormatString, BoundedNeverOverruns) {
    char buf[8];
    std::memset(buf, 'X', sizeof buf);
    size_t n = formatString(buf, 6, "%s", {"abcdefghij"});
    EXPECT_EQ(n, 5u);
    EXPECT_STREQ(buf, "abcde");
    EXPECT_EQ(buf[6], 'X');
}

TEST(FormatString, MissingOrMismatchedArgumentsReadEmpty) {
    EXPECT_EQ(formatText("%d|%s|", {}), "0||");
    EXPECT_EQ(formatText("%d|%s|", {"text", 3}), "0||");
}

}  // namespace
}  // namespace marlit
