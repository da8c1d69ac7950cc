#include "base/bytes.h"

#include <gtest/gtest.h>

namespace marlit {
namespace {

TEST(ByteReader, ReadsLittleEndianAndFailsCleanlyPastTheEnd) {
    const uint8_t data[] = {0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 'a', 'b', 0, 'z'};
    ByteReader r(data, sizeof data);
    EXPECT_EQ(r.u32(), 0x04030201u);
    EXPECT_EQ(r.i16(), -2);
    EXPECT_EQ(r.fixedText(4), "ab");
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.u16(), 0);  // one byte left
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.u8(), 0);  // stays failed
    EXPECT_TRUE(r.bytes(1).empty());
}

TEST(ByteReader, FieldWithoutNulGivesAllItsBytes) {
    const uint8_t data[] = {'a', 'b', 'c'};
    ByteReader r(data, sizeof data);
    EXPECT_EQ(r.fixedText(3), "abc");
    EXPECT_FALSE(r.seek(4));
}

TEST(ByteWriter, FixedTextKeepsRoomForNulAndWholeCharacters) {
    ByteWriter w;
    w.u32(0xA0B0C0D0);
    w.fixedText("abcdef", 4);
    w.fixedText("a\x95\x5c", 3);  // the double-byte character does not fit whole
    const auto& b = w.buffer();
    ASSERT_EQ(b.size(), 11u);
    EXPECT_EQ(b[0], 0xD0);
    EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 8), std::string("abc\0", 4));
    EXPECT_EQ(std::string(b.begin() + 8, b.end()), std::string("a\0\0", 3));
    w.patchU32(0, 1);
    EXPECT_EQ(loadU32(w.buffer().data()), 1u);
}

}  // namespace
}  // namespace marlit
