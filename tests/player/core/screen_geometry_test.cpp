#include "player/core/screen_geometry.h"

#include <gtest/gtest.h>

namespace marlit {
namespace {

TEST(ScreenGeometry, DesignToScreenTruncatesAndTellsTheBuildApart) {
    constexpr ScreenGeometry small = ScreenGeometry::forBuild(false);
    EXPECT_EQ(small.toScreen(799), 319);
    EXPECT_EQ(small.toScreen(5), 2);
    EXPECT_EQ(small.toScreen(-5), -2);
    EXPECT_FALSE(small.vga());
    constexpr ScreenGeometry large = ScreenGeometry::forBuild(true);
    EXPECT_EQ(large.toScreen(799), 639);
    EXPECT_EQ(large.height, 480);
    EXPECT_TRUE(large.vga());
}

}  // namespace
}  // namespace marlit
