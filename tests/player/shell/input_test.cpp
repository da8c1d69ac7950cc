#include "player/core/input.h"

#include <gtest/gtest.h>

#include "platform/key_codes.h"
#include "player/shell/frame_tick.h"
#include "tests/player/shell/shell_fixture.h"

namespace marlit {
namespace {

// A menu that only records being opened.
class RecordingMenu : public PopupLayer {
  public:
    bool isOpen() const override { return open_; }
    void open(GameContext&) override { open_ = true; }
    void handleInput(GameContext&) override {}
    void runCommand(GameContext&, int) override {}

  private:
    bool open_ = false;
};

class InputTest : public ::testing::Test {
  protected:
    void press(int16_t code) {
        onKey(ctx, code, true);
        onKey(ctx, code, false);
    }
    // Press then release, reading the counter in between.
    int32_t counterAfterDown(int16_t code, PressKey key) {
        onKey(ctx, code, true);
        int32_t v = in.press[key];
        onKey(ctx, code, false);
        return v;
    }
    void mode(int cursorMode) { ctx.settings.ketCurMode = cursorMode; }

    test::ShellRig rig;
    GameContext& ctx = *rig.ctx;
    InputState& in = ctx.input;
};

TEST_F(InputTest, KeysPressWhileDownAndReleaseEndsThePress) {
    onKey(ctx, kKeyCodeA, true);
    EXPECT_EQ(in.press[kPressA], 1);
    onKey(ctx, kKeyCodeA, true);  // auto-repeat
    EXPECT_EQ(in.press[kPressA], 2) << "a second press is not a press";
    onKey(ctx, kKeyCodeA, false);
    EXPECT_EQ(in.press[kPressA], 0);
    EXPECT_EQ(ctx.keyMap.keyDownCount, 2u);
}

TEST_F(InputTest, ADeviceThatSendsOnlyReleasesPressesOnRelease) {
    onKey(ctx, kKeyCodeUp, false);
    EXPECT_EQ(in.press[kPressUp], 1);
    in.press[kPressC] = 5;
    onKey(ctx, kKeyCodeA, false);
    EXPECT_EQ(in.press[kPressA], 1);
    EXPECT_EQ(in.press[kPressUp], 0) << "every counter is cleared first";
    EXPECT_EQ(in.press[kPressC], 0);
    // After the first key-down ever, releases only end presses.
    onKey(ctx, kKeyCodeB, true);
    onKey(ctx, kKeyCodeA, false);
    EXPECT_EQ(in.press[kPressA], 0);
}

TEST_F(InputTest, BasicSuppressionIgnoresADirectionWhileAnotherIsPressed) {
    mode(kCursorBasicSuppression);
    onKey(ctx, kKeyCodeUp, true);
    onKey(ctx, kKeyCodeLeft, true);
    EXPECT_EQ(in.press[kPressUp], 1);
    EXPECT_EQ(in.press[kPressLeft], 0);
    onKey(ctx, kKeyCodeUp, false);
    onKey(ctx, kKeyCodeLeft, true);
    EXPECT_EQ(in.press[kPressLeft], 1);
}

TEST_F(InputTest, HorizontalPriorityLetsUpAndDownActFromTheirSecondPress) {
    mode(kCursorHorizontalPriority);
    EXPECT_EQ(counterAfterDown(kKeyCodeLeft, kPressLeft), 1) << "left acts at once";
    EXPECT_EQ(counterAfterDown(kKeyCodeDown, kPressDown), 0);
    EXPECT_EQ(counterAfterDown(kKeyCodeDown, kPressDown), 1);
    // A left between two downs resets; an up does not.
    press(kKeyCodeLeft);
    EXPECT_EQ(counterAfterDown(kKeyCodeDown, kPressDown), 0);
    press(kKeyCodeUp);
    EXPECT_EQ(counterAfterDown(kKeyCodeDown, kPressDown), 1);
}

TEST_F(InputTest, VerticalPriorityLetsLeftAndRightActFromTheirSecondPress) {
    mode(kCursorVerticalPriority);
    EXPECT_EQ(counterAfterDown(kKeyCodeUp, kPressUp), 1);
    EXPECT_EQ(counterAfterDown(kKeyCodeRight, kPressRight), 0);
    EXPECT_EQ(counterAfterDown(kKeyCodeRight, kPressRight), 1);
    press(kKeyCodeDown);
    EXPECT_EQ(counterAfterDown(kKeyCodeRight, kPressRight), 0);
}

TEST_F(InputTest, FullSuppressionNeedsTwoPressesInARow) {
    mode(kCursorFullSuppression);
    EXPECT_EQ(counterAfterDown(kKeyCodeUp, kPressUp), 0);
    EXPECT_EQ(counterAfterDown(kKeyCodeUp, kPressUp), 1);
    in = InputState{};
    press(kKeyCodeUp);
    press(kKeyCodeDown);
    EXPECT_EQ(counterAfterDown(kKeyCodeUp, kPressUp), 0);
}

TEST_F(InputTest, DoublePressCountsOnlyRepeatedCentrePresses) {
    // The centre key's presses, not the menu it would open.
    ctx.settings.keyCenCtrl = kCentreKeyNone;
    ctx.settings.ketDoubleClick = 1;
    EXPECT_EQ(counterAfterDown(kKeyCodeStart, kPressStart), 0);
    EXPECT_EQ(counterAfterDown(kKeyCodeStart, kPressStart), 1);
    in = InputState{};
    press(kKeyCodeStart);
    press(kKeyCodeUp);
    EXPECT_EQ(counterAfterDown(kKeyCodeStart, kPressStart), 0);
    ctx.settings.ketDoubleClick = 0;
    EXPECT_EQ(counterAfterDown(kKeyCodeStart, kPressStart), 1);
    EXPECT_EQ(in.centreArmed, 0);
}

TEST_F(InputTest, BOpensTheMenuAndTheCentreKeyWhenSoSet) {
    ctx.overlayMenu = std::make_unique<RecordingMenu>();
    ctx.settings.keyCenCtrl = kCentreKeyNone;
    onKey(ctx, kKeyCodeStart, true);
    EXPECT_FALSE(ctx.menuOpen());
    EXPECT_EQ(in.press[kPressStart], 1);
    onKey(ctx, kKeyCodeB, true);
    EXPECT_TRUE(ctx.menuOpen());
    EXPECT_EQ(in.press[kPressB], 0) << "the press went to the menu";
}

TEST_F(InputTest, TheCentreKeyOpensTheMenuWhenSoSet) {
    ctx.overlayMenu = std::make_unique<RecordingMenu>();
    ctx.settings.keyCenCtrl = kCentreKeyShowMenu;
    onKey(ctx, kKeyCodeStart, true);
    EXPECT_TRUE(ctx.menuOpen());
    EXPECT_EQ(in.press[kPressStart], 0);
}

TEST_F(InputTest, StylusIsTurnedAQuarterIntoThePicture) {
    stylusDown(ctx.input, ctx.geometry, 5, 0);
    EXPECT_EQ(in.stylusX, 319);
    EXPECT_EQ(in.stylusY, 5);
    EXPECT_EQ(in.stylusHeld, 1);
    stylusMove(ctx.input, ctx.geometry, 100, 200);
    EXPECT_EQ(in.stylusX, 119);
    EXPECT_EQ(in.stylusY, 100);
    stylusUp(ctx.input);
    EXPECT_EQ(in.stylusHeld, 0);
    EXPECT_EQ(in.stylusX, 119) << "lifting does not move it";
}

TEST(InputVga, StylusCoordinatesAreDoubledBeforeTheTurn) {
    test::ShellRig rig(true);
    // Reported at (100, 50): the device point (200, 100), which is picture
    // (640 - 100 - 1, 200).
    stylusDown(rig.ctx->input, rig.ctx->geometry, 100, 50);
    EXPECT_EQ(rig.ctx->input.stylusX, 539);
    EXPECT_EQ(rig.ctx->input.stylusY, 200);
}

TEST_F(InputTest, LatchMakesATapLastOneFrameAndWinOverKeys) {
    onKey(ctx, kKeyCodeUp, true);
    onKey(ctx, kKeyCodeA, true);
    stylusDown(ctx.input, ctx.geometry, 10, 10);
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
    EXPECT_EQ(in.tap, 1);
    EXPECT_EQ(in.press[kPressUp], 0);
    EXPECT_EQ(in.press[kPressA], 0);
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
    EXPECT_EQ(in.tap, 0);
    stylusUp(ctx.input);
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
    EXPECT_EQ(in.release, 1);
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
    EXPECT_EQ(in.release, 0);
}

TEST_F(InputTest, LatchLetsTheButtonsWinOverDirectionsAndCentre) {
    mode(kCursorFullSuppression);
    onKey(ctx, kKeyCodeLeft, true);  // arms left
    onKey(ctx, kKeyCodeStart, true);
    onKey(ctx, kKeyCodeC, true);
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
    EXPECT_EQ(in.press[kPressStart], 0);
    EXPECT_EQ(in.press[kPressC], 1);
    EXPECT_EQ(in.armed[kPressLeft], 0);
}

TEST_F(InputTest, LockedSkipStartsOnTheSkipKeyAndStopsOnlyTheSkip) {
    ctx.settings.lockSkip = 1;
    onKey(ctx, kKeyCodeLeft, true);
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
    EXPECT_EQ(ctx.settings.lockedSkip, 1);
    EXPECT_EQ(in.press[kPressLeft], 0);
    onKey(ctx, kKeyCodeLeft, false);

    onKey(ctx, kKeyCodeRight, true);
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
    EXPECT_EQ(ctx.settings.lockedSkip, 0);
    EXPECT_EQ(in.press[kPressRight], 0) << "the press only stopped the skip";

    ctx.settings.lockSkip = 0;
    onKey(ctx, kKeyCodeRight, false);
    onKey(ctx, kKeyCodeLeft, true);
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
    EXPECT_EQ(ctx.settings.lockedSkip, 0);
    EXPECT_EQ(in.press[kPressLeft], 1);
}

}  // namespace
}  // namespace marlit
