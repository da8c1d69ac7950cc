#include "platform/headless/input_script.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/key_codes.h"
#include "tests/support/child_run.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

std::vector<ScriptedEvent> parse(std::string_view text, ScriptScreen screen = {}) {
    std::string error;
    auto events = parseInputScript(text, screen, &error);
    EXPECT_TRUE(events) << error;
    return events.value_or(std::vector<ScriptedEvent>{});
}

std::string problem(std::string_view text) {
    std::string error;
    EXPECT_FALSE(parseInputScript(text, ScriptScreen{}, &error));
    return error;
}

TEST(InputScript, ReadsEveryKindOfEvent) {
    auto e = parse(
        "# comment\r\n"
        "\n"
        "10 key down start\r\n"
        "20 key up c\n"
        "30 tap 319 0\n"
        "40 drag 0 239\n"
        "50   release\n"
        "60 command 40007\n"
        "70 quit\n");
    ASSERT_EQ(e.size(), 7u);
    EXPECT_EQ(e[0].time, 10u);
    EXPECT_EQ(e[0].event.type, EventType::KeyDown);
    EXPECT_EQ(e[0].event.value, kKeyCodeStart);
    EXPECT_EQ(e[1].event.type, EventType::KeyUp);
    EXPECT_EQ(e[1].event.value, kKeyCodeC);
    // Landscape (319, 0) is the device's (0, 0); (0, 239) its (239, 319).
    EXPECT_EQ(e[2].event.type, EventType::StylusDown);
    EXPECT_EQ(e[2].event.x, 0);
    EXPECT_EQ(e[2].event.y, 0);
    EXPECT_EQ(e[3].event.type, EventType::StylusMove);
    EXPECT_EQ(e[3].event.x, 239);
    EXPECT_EQ(e[3].event.y, 319);
    EXPECT_EQ(e[4].event.type, EventType::StylusUp);
    EXPECT_EQ(e[5].event.type, EventType::Command);
    EXPECT_EQ(e[5].event.value, 40007);
    EXPECT_EQ(e[6].event.type, EventType::Close);
}

TEST(InputScript, APressReleasesFiftyMillisecondsLaterInTimeOrder) {
    auto e = parse("100 press a\n120 press b\n200 tap 1 1\n");
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].time, 100u);
    EXPECT_EQ(e[1].time, 120u);
    EXPECT_EQ(e[2].time, 150u);
    EXPECT_EQ(e[2].event.type, EventType::KeyUp);
    EXPECT_EQ(e[2].event.value, kKeyCodeA);
    EXPECT_EQ(e[3].time, 170u);
    EXPECT_EQ(e[4].event.type, EventType::StylusDown);
}

TEST(InputScript, AWaitStartsAPartWhoseTimesCountAfreshAndWhoseEventsStayBehindIt) {
    // The press's key up at 1050 stays before the wait, whose own time may
    // be earlier; the lines after the wait count from 0 again.
    auto e = parse("1000 press c\n5 wait mode 20\n0 tap 1 1\n30 press a\n40 release\n");
    ASSERT_EQ(e.size(), 7u);
    EXPECT_EQ(e[1].event.type, EventType::KeyUp);
    EXPECT_EQ(e[1].time, 1050u);
    ASSERT_TRUE(e[2].wait);
    EXPECT_EQ(e[2].wait->mode, 20);
    EXPECT_EQ(e[2].time, 5u);
    EXPECT_EQ(e[3].time, 0u);
    EXPECT_EQ(e[3].event.type, EventType::StylusDown);
    EXPECT_EQ(e[5].event.type, EventType::StylusUp);
    EXPECT_EQ(e[6].event.type, EventType::KeyUp);
    EXPECT_EQ(e[6].time, 80u);
    EXPECT_FALSE(e[6].wait);
    // A wait for a script, by its label.
    e = parse("0 tap 1 1\n500 wait script 0307a_f01\n0 release\n");
    ASSERT_EQ(e.size(), 3u);
    ASSERT_TRUE(e[1].wait);
    EXPECT_EQ(e[1].wait->mode, -1);
    EXPECT_EQ(e[1].wait->script, "0307a_f01");
    EXPECT_EQ(e[2].time, 0u);
    EXPECT_EQ(problem("0 wait script " + std::string(64, 'a')),
              "line 1: the label '" + std::string(40, 'a') + "...' is longer than 63 bytes");
    EXPECT_EQ(problem("0 wait mode 20\n10 press a\n5 press b"), "line 3: time goes backwards");
    EXPECT_EQ(problem("0 wait mode 100"), "line 1: bad mode '100' (0 to 99)");
    EXPECT_EQ(problem("0 wait title").substr(0, 20), "line 1: not an event");
}

TEST(InputScript, ARepeatTapsOrPressesForTenMinutesUnlessAWaitEndsItsPart) {
    auto e =
        parse("1000 every 250 tap 10 20\n1100 press c\n0 wait mode 10\n0 every 60000 press a\n");
    // 2401 taps and releases, the press c, the wait, eleven presses of a.
    ASSERT_EQ(e.size(), 2 * 2401u + 2 + 1 + 2 * 11);
    EXPECT_EQ(e[0].time, 1000u);
    EXPECT_EQ(e[0].event.type, EventType::StylusDown);
    EXPECT_EQ(e[0].event.x, 20);
    EXPECT_EQ(e[1].time, 1050u);
    EXPECT_EQ(e[1].event.type, EventType::StylusUp);
    EXPECT_EQ(e[2].time, 1100u);
    EXPECT_EQ(e[2].event.type, EventType::KeyDown);
    EXPECT_EQ(e[3].time, 1150u) << "the press's key up, between the taps";
    EXPECT_EQ(e[4].time, 1250u);
    EXPECT_EQ(e[2 * 2401 + 1].time, 601'050u) << "the last release";
    ASSERT_TRUE(e[2 * 2401 + 2].wait);
    EXPECT_EQ(e.back().time, 600'050u);
    EXPECT_EQ(problem("0 every 99 press c").substr(0, 18), "line 1: bad repeat");
    EXPECT_EQ(problem("0 every 60001 press c").substr(0, 18), "line 1: bad repeat");
    EXPECT_EQ(problem("0 every 100 release"),
              "line 1: bad repeat: only tap X Y and press NAME repeat");
    EXPECT_EQ(problem("0 every 100 tap 320 0"), "line 1: position outside the 320x240 screen");
    EXPECT_EQ(problem("0 every 100 press home"), "line 1: unknown key 'home'");
    // A script cannot make more events than the player could ever take.
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "0 every 100 tap 1 1\n";
    EXPECT_EQ(problem(many), "line 84: more than 1000000 events");
}

TEST(InputScript, TheVgaWindowReportsHalfSizePositions) {
    auto e = parse("0 tap 101 50\n", ScriptScreen{640, 480, true});
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].event.x, 25);
    EXPECT_EQ(e[0].event.y, 269);  // (639 - 101) / 2
}

TEST(InputScript, RejectsWhatItDoesNotUnderstandWithTheLine) {
    EXPECT_EQ(problem("10 press a\n5 press b\n"), "line 2: time goes backwards");
    EXPECT_EQ(problem("x press a"), "line 1: bad time 'x'");
    EXPECT_EQ(problem("-1 press a"), "line 1: bad time '-1'");
    EXPECT_EQ(problem("99999999999 press a"), "line 1: bad time '99999999999'");
    EXPECT_EQ(problem("1 press home"), "line 1: unknown key 'home'");
    EXPECT_EQ(problem("1 key sideways a").substr(0, 20), "line 1: not an event");
    EXPECT_EQ(problem("1 tap 320 0"), "line 1: position outside the 320x240 screen");
    EXPECT_EQ(problem("1 tap 0 240"), "line 1: position outside the 320x240 screen");
    EXPECT_EQ(problem("1 tap 0 -1"), "line 1: position outside the 320x240 screen");
    EXPECT_EQ(problem("1 tap 5"), problem("1 tap 5 5 5"));
    EXPECT_EQ(problem("1 command 65536"), "line 1: bad command id '65536'");
    EXPECT_EQ(problem("1 quit now").substr(0, 20), "line 1: not an event");
    EXPECT_EQ(problem("1"), problem("1 dance"));
    // What is echoed is cut and escaped: no terminal codes, no megabytes.
    EXPECT_EQ(problem("1 press \x1b[2J\xff"), "line 1: unknown key '\\x1B[2J\\xFF'");
    EXPECT_EQ(problem(std::string(1 << 20, '7') + " press a"),
              "line 1: bad time '" + std::string(40, '7') + "...'");
}

TEST(InputScript, LoadsAFileAndNamesItInErrors) {
    test::TempDir dir;
    std::string error;
    EXPECT_FALSE(loadInputScript(dir.file("missing.txt"), ScriptScreen{}, &error));
    EXPECT_NE(error.find("missing.txt: cannot read"), std::string::npos);
    EXPECT_FALSE(loadInputScript(dir.path().string(), ScriptScreen{}, &error)) << "a folder";
    EXPECT_NE(error.find("it is a folder, not a regular file"), std::string::npos) << error;
    // A FIFO is refused at once (the child has five seconds), not read for ever.
    const std::string fifo = dir.file("input.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int code = test::inChild([&] {
        ::alarm(5);
        std::string why;
        return !loadInputScript(fifo, ScriptScreen{}, &why) &&
                       why == fifo + ": cannot read the file: it is a FIFO, not a regular file"
                   ? 0
                   : 1;
    });
    EXPECT_EQ(code, 0) << "128 + 14: blocked on the FIFO";
}

}  // namespace
}  // namespace marlit
