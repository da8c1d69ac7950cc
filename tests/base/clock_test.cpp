#include "base/clock.h"

#include <gtest/gtest.h>

#include "base/metrics.h"
#include "base/polar.h"

namespace marlit {
namespace {

uint32_t gFake = 0;
uint32_t fakeTicks() {
    return gFake;
}

TEST(Clock, HoldKeepsTheLastSample) {
    setTickSource(fakeTicks);
    gFake = 100;
    EXPECT_EQ(now(), 100u);
    holdClock(true);
    gFake = 250;
    EXPECT_EQ(now(), 100u);
    holdClock(false);
    EXPECT_EQ(now(), 250u);
    setTickSource(nullptr);
}

TEST(Metrics, DesignToScreenTruncates) {
    setScreenSize(320, 240);
    EXPECT_EQ(toScreen(799), 319);
    EXPECT_EQ(toScreen(5), 2);
    EXPECT_FALSE(isVgaScreen());
    setScreenSize(640, 480);
    EXPECT_EQ(toScreen(799), 639);
    EXPECT_TRUE(isVgaScreen());
    setScreenSize(320, 240);
}

TEST(Polar, Truncates) {
    int x, y;
    polar(90, 100, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 100);
    polar(45, 10, x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 7);
    polar(180, 10, x, y);
    EXPECT_EQ(x, -10);
}

}  // namespace
}  // namespace marlit
