#include <gtest/gtest.h>

#include "base/clock.h"
#include "base/png.h"
#include "platform/headless/frame_dump.h"
#include "platform/headless/headless_platform.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

TEST(VirtualClock, MovesOnlyWhenSleptAndEachClockKeepsItsOwnTime) {
    VirtualClock clock(1000);
    VirtualClock other(5000);
    TickClock player([&clock] { return clock.ticks(); });
    EXPECT_EQ(player.now(), 1000u);
    EXPECT_EQ(clock.ticks(), 1000u);
    clock.sleep(16);
    EXPECT_EQ(player.now(), 1016u);
    EXPECT_EQ(clock.elapsed(), 16u);
    EXPECT_EQ(other.ticks(), 5000u);
}

TEST(VirtualClock, TheCalendarStartsAtNoonOnAFixedDayAndRollsOver) {
    VirtualClock clock;
    VirtualLocalTime time(clock);
    DateTime t = time.now();
    EXPECT_EQ(t.year, 2005);
    EXPECT_EQ(t.month, 4);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 12);
    EXPECT_EQ(t.dayOfWeek, 5);
    clock.sleep(30u * 86400 * 1000 + 1234);  // 30 days on
    t = time.now();
    EXPECT_EQ(t.month, 5);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.dayOfWeek, 0);
    EXPECT_EQ(t.second, 1);
    EXPECT_EQ(t.milliseconds, 234);
}

TEST(HeadlessEvents, ScriptedEventsWaitForTheirTimeAndPostedOnesComeFirst) {
    std::vector<ScriptedEvent> script = {{0, Event{EventType::KeyDown, 1, 0, 0}},
                                         {10, Event{EventType::KeyUp, 1, 0, 0}}};
    HeadlessPlatform p(320, 240, script);
    EventSource& events = p.platform().events;
    events.post(Event{EventType::Command, 7, 0, 0});
    EXPECT_EQ(events.poll()->type, EventType::Command);
    EXPECT_EQ(events.poll()->type, EventType::KeyDown);
    EXPECT_FALSE(events.poll());
    p.clock().sleep(9);
    EXPECT_FALSE(events.poll());
    p.clock().sleep(1);
    EXPECT_EQ(events.poll()->type, EventType::KeyUp);
    EXPECT_EQ(p.events().pending(), 0u);
}

TEST(HeadlessEvents, AWaitEndsThePartBeforeItInItsModeAndTheRestCountsFromThere) {
    // Taps every 100 ms until the map (mode 20), not before 150 ms; then a
    // key 10 ms after the map came.
    std::vector<ScriptedEvent> script = {{0, Event{EventType::StylusDown, 0, 0, 0}},
                                         {50, Event{EventType::StylusUp, 0, 0, 0}},
                                         {100, Event{EventType::StylusDown, 0, 0, 0}},
                                         {150, Event{EventType::StylusUp, 0, 0, 0}},
                                         {200, Event{EventType::StylusDown, 0, 0, 0}},
                                         {250, Event{EventType::StylusUp, 0, 0, 0}},
                                         {150, Event{EventType::Paint, 0, 0, 0}, GameWait{20, {}}},
                                         {10, Event{EventType::KeyDown, 1, 0, 0}}};
    HeadlessPlatform p(320, 240, script);
    EventSource& events = p.platform().events;
    int mode = 99;
    p.events().watchGame([&mode](const GameWait& w) { return w.mode == mode; });
    EXPECT_EQ(events.poll()->type, EventType::StylusDown);
    EXPECT_FALSE(events.poll());
    p.clock().sleep(100);
    mode = 20;  // too early: the part goes on
    EXPECT_EQ(events.poll()->type, EventType::StylusUp);
    EXPECT_EQ(events.poll()->type, EventType::StylusDown);
    EXPECT_FALSE(events.poll());
    p.clock().sleep(60);
    // The part is cut short: the stylus is let go, the last tap never comes.
    EXPECT_EQ(events.poll()->type, EventType::StylusUp);
    EXPECT_EQ(events.poll()->type, EventType::StylusUp);
    EXPECT_FALSE(events.poll()) << "the key is due 10 ms after the map came";
    EXPECT_EQ(p.events().pending(), 1u);
    p.clock().sleep(10);
    EXPECT_EQ(events.poll()->type, EventType::KeyDown);
    EXPECT_EQ(p.events().pending(), 0u);
}

TEST(HeadlessEvents, AWaitHoldsForeverWhenThePlayerDoesNotTellItsMode) {
    std::vector<ScriptedEvent> script = {{0, Event{EventType::Paint, 0, 0, 0}, GameWait{0, {}}},
                                         {0, Event{EventType::KeyDown, 1, 0, 0}}};
    HeadlessPlatform p(320, 240, script);
    p.clock().sleep(1000);
    EXPECT_FALSE(p.platform().events.poll());
}

TEST(HeadlessDisplay, DrawsOnlyWhileTheDisplayIsOpen) {
    HeadlessDisplay d(640, 480);
    EXPECT_EQ(d.beginDraw(), nullptr);
    d.openDisplay();
    EXPECT_EQ(d.beginDraw(), d.frameBuffer().base());
    EXPECT_EQ(d.displayProperties().cxWidth, 480u);
    EXPECT_EQ(d.displayProperties().cyHeight, 640u);
    EXPECT_FALSE(d.raiseRunningCopy("x")) << "headless copies run side by side";
}

TEST(FrameDump, WritesBothPicturesAsPng) {
    test::TempDir dir;
    const uint8_t bgr[2 * 3 * 2] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::string error;
    ASSERT_TRUE(dumpBackBuffer(dir.file("b.png"), bgr, 2, 2, 6, &error)) << error;
    auto b = readPng(dir.file("b.png"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->pixels, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));

    DeviceFrameBuffer fb(3, 4);
    fb.setPixel(2, 3, 0xF800);
    ASSERT_TRUE(dumpFrameBuffer(dir.file("d.png"), fb, &error)) << error;
    auto d = readPng(dir.file("d.png"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->width, 3);
    EXPECT_EQ(d->height, 4);
    EXPECT_EQ(d->pixels[(3 * 3 + 2) * 3], 255);

    EXPECT_FALSE(dumpFrameBuffer(dir.file("no/such/folder.png"), fb, &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace marlit
