#include "player/shell/frame_tick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/key_codes.h"
#include "player/core/input.h"
#include "player/core/movie_in_play.h"
#include "player/shell/menu_commands.h"
#include "tests/player/shell/shell_fixture.h"

namespace marlit {
namespace {

using Log = std::vector<std::string>;

class RecordingStages : public FrameStages {
  public:
    explicit RecordingStages(Log& log) : log_(log) {}
    void resetDrawLists(GameContext&) override { log_.push_back("reset"); }
    void updateSprites(GameContext&) override { log_.push_back("update"); }
    void removeFinishedSprites(GameContext&) override { log_.push_back("remove"); }
    void markMovedSprites(GameContext& ctx) override {
        log_.push_back("moved");
        ctx.dirtyRects->add(0, 0, 8, 8, 1);
    }
    bool compose(GameContext&) override {
        log_.push_back("compose");
        return composes;
    }
    bool composes = true;

  private:
    Log& log_;
};

class OpenMenu : public PopupLayer {
  public:
    explicit OpenMenu(Log& log) : log_(log) {}
    bool isOpen() const override { return true; }
    void open(GameContext&) override {}
    void handleInput(GameContext&) override { log_.push_back("menu"); }
    void runCommand(GameContext&, int id) override {
        log_.push_back("command " + std::to_string(id));
    }

  private:
    Log& log_;
};

class CountingMovie : public MovieInPlay {
  public:
    CountingMovie(int& steps, int length) : steps_(steps), length_(length) {}
    bool step() override { return ++steps_ < length_; }

  private:
    int& steps_;
    int length_;
};

class FrameTickTest : public ::testing::Test {
  protected:
    FrameTickTest() {
        auto stages = std::make_unique<RecordingStages>(log);
        recorder = stages.get();
        ctx.stages = std::move(stages);
        ctx.modes.set(kModeOpening, [this] { log.push_back("mode 0"); });
    }
    // Runs ticks until `ms` of virtual time have passed.
    void runFor(uint32_t ms) {
        uint32_t end = rig.backend.clock().ticks() + ms;
        while (static_cast<int32_t>(rig.backend.clock().ticks() - end) < 0)
            frameTick(ctx);
    }

    Log log;
    test::ShellRig rig;
    GameContext& ctx = *rig.ctx;
    RecordingStages* recorder = nullptr;
};

TEST_F(FrameTickTest, AFrameRunsTheStagesAroundTheModeStepAndPresents) {
    runFor(16);
    EXPECT_TRUE(log.empty()) << "no frame before the first interval";
    frameTick(ctx);
    EXPECT_EQ(log, (Log{"reset", "mode 0", "update", "remove", "moved", "compose"}));
    EXPECT_EQ(rig.backend.display().beginDraws(), 1u);
    EXPECT_EQ(ctx.dirtyRects->count(), 0u) << "cleared at the end of the frame";
    EXPECT_EQ(ctx.framesRun, 1u);
}

TEST_F(FrameTickTest, TheGameStepsOncePerSixteenMilliseconds) {
    runFor(1601);
    EXPECT_EQ(ctx.framesRun, 100u);
    EXPECT_EQ(rig.backend.clock().ticks(), rig.backend.clock().start() + 1601)
        << "each idle turn sleeps 1 ms";
}

TEST_F(FrameTickTest, UnknownModesDoNothingAndTheModeTableFollowsTheState) {
    ctx.scenario.mode = 57;
    runFor(100);
    EXPECT_EQ(std::count(log.begin(), log.end(), "mode 0"), 0);
    EXPECT_GT(ctx.framesRun, 0u);
    ctx.scenario.mode = kModeOpening;
    runFor(32);
    EXPECT_EQ(std::count(log.begin(), log.end(), "mode 0"), 2);
}

TEST_F(FrameTickTest, AFrameThatDoesNotComposeIsNotPresented) {
    recorder->composes = false;
    runFor(100);
    EXPECT_EQ(rig.backend.display().beginDraws(), 0u);
}

TEST_F(FrameTickTest, ShakePresentsTheWholeScreenEvenWithNothingDirty) {
    ctx.stages.reset();
    ctx.shakeX = 8;
    runFor(17);
    EXPECT_EQ(rig.backend.display().beginDraws(), 1u);
    ctx.shakeX = 0;
    runFor(16);
    EXPECT_EQ(rig.backend.display().beginDraws(), 1u) << "no rectangles, no shake";
}

TEST_F(FrameTickTest, AQuitRequestClosesTheWindowInTheSameTickOnce) {
    ctx.modes.set(kModeOpening, [this] { ctx.scenario.quitRequest = 1; });
    runFor(17);
    EXPECT_TRUE(ctx.windowDestroyed());
    EXPECT_FALSE(rig.backend.display().windowOpen());
    EXPECT_EQ(log, (Log{"reset"})) << "nothing after the mode step";
    EXPECT_EQ(rig.backend.display().beginDraws(), 0u);
    runFor(16);
    auto e = rig.backend.events().poll();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->type, EventType::Quit);
    EXPECT_FALSE(rig.backend.events().poll()) << "one quit only";
}

TEST_F(FrameTickTest, AnOpenMenuIsServedAloneEveryTurn) {
    ctx.overlayMenu = std::make_unique<OpenMenu>(log);
    runFor(100);
    EXPECT_EQ(log.size(), 100u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "menu"), 100);
    EXPECT_EQ(ctx.framesRun, 0u);
    EXPECT_EQ(rig.backend.display().beginDraws(), 0u);
}

TEST_F(FrameTickTest, AMoviePlaysToItsEndThenTheGameGoesOn) {
    int steps = 0;
    ctx.display->movie = std::make_unique<CountingMovie>(steps, 3);
    frameTick(ctx);
    frameTick(ctx);
    EXPECT_TRUE(ctx.display->movie);
    frameTick(ctx);
    EXPECT_FALSE(ctx.display->movie) << "freed at its end";
    EXPECT_EQ(steps, 3);
    EXPECT_TRUE(log.empty());
}

TEST_F(FrameTickTest, ATapOrTheSkipKeysEndAMovieAndOtherKeysDoNot) {
    int steps = 0;
    ctx.display->movie = std::make_unique<CountingMovie>(steps, 1000);
    onKey(ctx, kKeyCodeA, true);
    onKey(ctx, kKeyCodeUp, true);
    frameTick(ctx);
    EXPECT_TRUE(ctx.display->movie);
    stylusDown(ctx.input, ctx.geometry, 10, 10);
    frameTick(ctx);
    EXPECT_FALSE(ctx.display->movie);
    EXPECT_EQ(steps, 1) << "the tap ends it in the same tick";

    for (int16_t key : {kKeyCodeC, kKeyCodeRight}) {
        ctx.display->movie = std::make_unique<CountingMovie>(steps, 1000);
        ctx.input = InputState{};
        onKey(ctx, key, true);
        frameTick(ctx);
        EXPECT_FALSE(ctx.display->movie) << key;
        onKey(ctx, key, false);
    }
}

TEST_F(FrameTickTest, EventsReachTheirHandlers) {
    ctx.overlayMenu = std::make_unique<OpenMenu>(log);
    dispatchEvent(ctx, Event{EventType::KeyDown, kKeyCodeA, 0, 0});
    EXPECT_EQ(ctx.input.press[kPressA], 1);
    dispatchEvent(ctx, Event{EventType::StylusDown, 5, 0, 0});
    EXPECT_EQ(ctx.input.stylusX, 319);
    dispatchEvent(ctx, Event{EventType::Command, 40049, 0, 0});
    EXPECT_EQ(log, (Log{"command 40049"}));

    // The exit command closes the window on a later turn, menu or not.
    ctx.overlayMenu.reset();
    dispatchEvent(ctx, Event{EventType::Command, kCommandExit, 0, 0});
    EXPECT_FALSE(ctx.windowDestroyed());
    // The next turns of the loop serve what the command left in the queue.
    for (int turn = 0; turn < 8 && !ctx.windowDestroyed(); ++turn) {
        if (auto e = rig.backend.events().poll())
            dispatchEvent(ctx, *e);
    }
    EXPECT_TRUE(ctx.windowDestroyed());
}

TEST_F(FrameTickTest, APaintWritesTheWholeBackBuffer) {
    ctx.display->backBuffer()[0] = 0xFF;
    dispatchEvent(ctx, Event{EventType::Paint, 0, 0, 0});
    EXPECT_EQ(rig.backend.display().beginDraws(), 1u);
    EXPECT_EQ(rig.backend.display().frameBuffer().pixel(0, 319), 0x001F);
}

}  // namespace
}  // namespace marlit
