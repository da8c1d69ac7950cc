#include "base/printable.h"

#include <gtest/gtest.h>

namespace marlit {
namespace {

TEST(Printable, EscapesControlAndHighBytesAndCutsLongText) {
    EXPECT_EQ(printable("press a"), "press a");
    EXPECT_EQ(printable(std::string("\x1b[2J\0\xff\\", 7)), "\\x1B[2J\\x00\\xFF\\x5C");
    EXPECT_EQ(printable(std::string(100, 'k'), 5), "kkkkk...");
    EXPECT_EQ(printable("12345", 5), "12345");
}

}  // namespace
}  // namespace marlit
