#include "base/clock.h"

#include <gtest/gtest.h>

#include "base/polar.h"

namespace marlit {
namespace {

uint32_t gFake = 0;
uint32_t fakeTicks() {
    return gFake;
}

TEST(Clock, HoldKeepsTheLastSample) {
    TickClock clock(fakeTicks);
    gFake = 100;
    EXPECT_EQ(clock.now(), 100u);
    clock.hold(true);
    gFake = 250;
    EXPECT_EQ(clock.now(), 100u);
    // Another clock on the same source is not held by this one.
    TickClock other(fakeTicks);
    EXPECT_EQ(other.now(), 250u);
    clock.hold(false);
    EXPECT_EQ(clock.now(), 250u);
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
