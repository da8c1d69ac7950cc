#include "base/encoding.h"

#include <gtest/gtest.h>

namespace marlit {
namespace {

TEST(Encoding, SingleAndDoubleByteCharacters) {
    EXPECT_EQ(sjisCharToUtf16('A', 0), u'A');
    EXPECT_EQ(sjisCharToUtf16(0x5C, 0), u'\\');
    EXPECT_EQ(sjisCharToUtf16(0xB1, 0), u'\uFF71');     // half-width katakana a
    EXPECT_EQ(sjisCharToUtf16(0x82, 0xA0), u'\u3042');  // hiragana a
    EXPECT_EQ(sjisCharToUtf16(0x95, 0x5C), u'\u8868');
    EXPECT_EQ(sjisCharToUtf16(0x81, 0x40), u'\u3000');
    EXPECT_EQ(sjisCharToUtf16(0x82, 0x20), u'\uFFFD');  // not a trail byte
}

TEST(Encoding, WholeStrings) {
    EXPECT_EQ(sjisToUtf8("a\x82\xa0\xb1"), "a\xe3\x81\x82\xef\xbd\xb1");
    EXPECT_EQ(sjisToUtf16("x\x82"), u"x\uFFFD");  // cut lead byte
    auto back = utf8ToSjis("a\xe3\x81\x82\xef\xbd\xb1");
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, "a\x82\xa0\xb1");
    EXPECT_FALSE(utf8ToSjis("\xf0\x9f\x98\x80"));  // no Shift-JIS form
    EXPECT_FALSE(utf8ToSjis("\xff"));
}

}  // namespace
}  // namespace marlit
