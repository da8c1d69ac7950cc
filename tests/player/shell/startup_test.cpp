#include "player/shell/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/metrics.h"
#include "platform/headless/headless_platform.h"

namespace marlit {
namespace {

// The headless display with one step of start-up made to fail.
class FailingDisplay : public HeadlessDisplay {
  public:
    enum class Fail { None, RunningCopy, Window, FullScreen, Display };
    FailingDisplay(Fail fail) : HeadlessDisplay(320, 240), fail_(fail) {}
    bool raiseRunningCopy(std::string_view) override { return fail_ == Fail::RunningCopy; }
    bool createWindow(std::string_view title) override {
        return fail_ != Fail::Window && HeadlessDisplay::createWindow(title);
    }
    bool setFullScreen() override { return fail_ != Fail::FullScreen; }
    bool openDisplay() override { return fail_ != Fail::Display && HeadlessDisplay::openDisplay(); }

  private:
    Fail fail_;
};

class RecordingMessageBox : public MessageBox {
  public:
    void show(std::string_view text, std::string_view caption) override {
        shown.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> shown;
};

struct FailingRig {
    explicit FailingRig(FailingDisplay::Fail fail)
        : display(fail), events(clock, {}), localTime(clock), platform{display,   events,  clock,
                                                                       localTime, battery, messages,
                                                                       waveOut,   glyphs} {}
    VirtualClock clock;
    FailingDisplay display;
    HeadlessEvents events;
    VirtualLocalTime localTime;
    FullBattery battery;
    RecordingMessageBox messages;
    HeadlessWaveOut waveOut;
    FreeTypeGlyphPainter glyphs;
    Platform platform;
};

PlayerOptions options() {
    PlayerOptions o;
    o.programFolder = "\\game\\";
    return o;
}

TEST(Startup, StopsEarlyWithTheRightMessageWhenTheScreenCannotBeHad) {
    using Fail = FailingDisplay::Fail;
    struct Case {
        Fail fail;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {Fail::RunningCopy, {}},
        {Fail::Window, {}},
        {Fail::FullScreen, {"Error: ウィンドウのフルスクリーン化に失敗しました"}},
        {Fail::Display, {"Error: GAPIライブラリのロードに失敗しました"}},
    };
    for (const Case& c : cases) {
        FailingRig rig(c.fail);
        EXPECT_EQ(runPlayer(rig.platform, options()), 0);
        EXPECT_EQ(rig.messages.shown, c.messages);
        EXPECT_EQ(rig.clock.elapsed(), 0u) << "the loop never ran";
    }
}

TEST(Startup, RunsUntilTheWindowClosesAndEndsWithTheQuitCode) {
    std::vector<ScriptedEvent> script = {{500, Event{EventType::Close, 0, 0, 0}}};
    HeadlessPlatform backend(320, 240, script);
    PlayerOptions o = options();
    uint64_t frames = 0;
    int titleChecks = 0;
    o.afterTick = [&](GameContext& ctx) {
        frames = ctx.framesRun;
        titleChecks += ctx.title == kProductCaption;
    };
    EXPECT_EQ(runPlayer(backend.platform(), o), 0);
    EXPECT_EQ(backend.display().title(), kProductCaption);
    EXPECT_FALSE(backend.display().windowOpen());
    EXPECT_EQ(frames, 500u / 16);
    EXPECT_GT(titleChecks, 0);
}

TEST(Startup, TheContextStartsWithTheDefaultPathsAndState) {
    HeadlessPlatform backend(320, 240);
    GameContext ctx(backend.platform(), options());
    EXPECT_EQ(ctx.paths.picturePack, "\\game\\1\\grpack.mlz");
    EXPECT_EQ(ctx.paths.picturePack2, "\\game\\1\\grpack.mlz");
    EXPECT_EQ(ctx.paths.voicePack, "\\game\\1\\voice.mlz");
    EXPECT_EQ(ctx.paths.musicFolder, "\\game\\1\\");
    EXPECT_EQ(ctx.paths.soundEffectFolder, "\\game\\1\\");
    EXPECT_EQ(ctx.paths.saveFolder, "\\game\\");
    EXPECT_EQ(ctx.paths.movieFolder, "\\game\\");
    EXPECT_EQ(ctx.scenario.mode, kModeOpening);
    EXPECT_EQ(ctx.brightness, 256);
    EXPECT_EQ(ctx.clearBackground, 1);
    EXPECT_EQ(ctx.running, 1);
    EXPECT_EQ(ctx.title, kDefaultTitle);
    EXPECT_EQ(ctx.keyMap.codes[kSlotStart], ctx.keyList.vkStart);
    EXPECT_EQ(ctx.keyMap.codes[kSlotSpare1], 0);
    EXPECT_EQ(ctx.display->width(), 320);

    PlayerOptions large = options();
    large.vga = true;
    GameContext vga(backend.platform(), large);
    EXPECT_EQ(vga.paths.picturePack, "\\game\\1\\grpack_v.mlz");
    EXPECT_EQ(vga.display->width(), 640);
    // Two players side by side keep their own sizes.
    EXPECT_EQ(ctx.display->width(), 320);
    EXPECT_TRUE(vga.geometry.vga());
    EXPECT_FALSE(ctx.geometry.vga());
}

}  // namespace
}  // namespace marlit
