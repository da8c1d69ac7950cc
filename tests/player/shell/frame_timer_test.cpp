#include "player/shell/frame_timer.h"

#include <gtest/gtest.h>

#include "base/clock.h"

namespace marlit {
namespace {

uint32_t gTime = 0;
uint32_t fakeTicks() {
    return gTime;
}

class FrameTimerTest : public ::testing::Test {
  protected:
    TickClock clock{fakeTicks};

    // Ticks once per millisecond for `ms` milliseconds; the frames counted.
    int runFor(FrameTimer& timer, uint32_t ms) {
        int frames = 0;
        for (uint32_t i = 0; i < ms; ++i, ++gTime)
            frames += timer.frameDue() ? 1 : 0;
        return frames;
    }
};

TEST_F(FrameTimerTest, ALateTickRunsOneFrameAndTheNextIsDueWithinAnInterval) {
    gTime = 5000;
    FrameTimer timer(clock);
    timer.start(16);
    gTime += 100 + 16;  // the first frame was due at +16; this tick is 100 ms late
    EXPECT_TRUE(timer.frameDue());
    EXPECT_FALSE(timer.frameDue()) << "missed frames are dropped, not replayed";
    uint32_t wait = timer.nextFrameDue() - gTime;
    EXPECT_GT(wait, 0u);
    EXPECT_LE(wait, 16u);
}

TEST_F(FrameTimerTest, PacesAtOneFramePerIntervalAndCountsTheLastSecond) {
    gTime = 0;
    FrameTimer timer(clock);
    timer.start(16);
    EXPECT_EQ(runFor(timer, 1601), 100);
    EXPECT_GE(timer.framesLastSecond(), 62u);
    EXPECT_LE(timer.framesLastSecond(), 63u);
}

TEST_F(FrameTimerTest, KeepsPacingAcrossTheWrapOfTheTickCount) {
    gTime = 0xFFFFFF00u;
    FrameTimer timer(clock);
    timer.start(16);
    // Half a second spanning the wrap: 32 frames, none lost and none doubled.
    EXPECT_EQ(runFor(timer, 513), 32);
    EXPECT_EQ(runFor(timer, 160), 10);
}

TEST_F(FrameTimerTest, SetIntervalKeepsTheOneItReplaces) {
    FrameTimer timer(clock);
    timer.start(16);
    timer.setInterval(33);
    EXPECT_EQ(timer.interval(), 33u);
    EXPECT_EQ(timer.previousInterval(), 16u);
}

}  // namespace
}  // namespace marlit
