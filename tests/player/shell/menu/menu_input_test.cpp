// The menu while it is open: the keys that open, walk, choose, go back and
// close, the stylus hit-testing of the items, the title line and the space
// outside the panel, and the screen kept and put back.
#include <gtest/gtest.h>

#include "player/shell/menu_commands.h"
#include "tests/player/shell/menu/menu_rig.h"

namespace marlit::test {
namespace {

class MenuInput : public MenuRig {
  protected:
    const KeyList& keys() { return ctx().keyList; }
};

TEST_F(MenuInput, ButtonBOpensAndClosesAndTheCentreKeyOpensOnlyWhenSetTo) {
    ctx().settings.keyCenCtrl = kCentreKeyRecall;
    press(keys().vkStart);
    EXPECT_FALSE(menu().isOpen());
    press(keys().vkB);
    ASSERT_TRUE(menu().isOpen());
    EXPECT_EQ(menu().titleLine(), menuText("[ﾄｯﾌﾟ]"));
    EXPECT_EQ(menu().selection(), -1);
    press(keys().vkB);
    EXPECT_FALSE(menu().isOpen());

    ctx().settings.keyCenCtrl = kCentreKeyShowMenu;
    press(keys().vkStart);
    EXPECT_TRUE(menu().isOpen());
    EXPECT_TRUE(posted().empty());
}

TEST_F(MenuInput, TheMenuKeyOpensWhateverTheCentreKeyDoesAndClosesAgain) {
    ctx().settings.keyCenCtrl = kCentreKeyNone;
    press(menu().keys().codes[kKeyMenu]);
    ASSERT_TRUE(menu().isOpen());
    // It is no key of the game: no counter moved.
    for (int32_t count : ctx().input.press)
        EXPECT_EQ(count, 0);
    press(menu().keys().codes[kKeyMenu]);
    EXPECT_FALSE(menu().isOpen());
}

TEST_F(MenuInput, UpAndDownWalkTheRootSkippingSeparatorsAndGreyedItems) {
    menu().open();
    press(keys().vkDown);
    EXPECT_EQ(menu().selection(), indexOf("ﾛｰﾄﾞ"));
    // No story runs: the save level is still an item to open.
    press(keys().vkDown);
    EXPECT_EQ(menu().selection(), indexOf("ｾｰﾌﾞ"));
    press(keys().vkDown);  // over the separator
    EXPECT_EQ(menu().selection(), indexOf("表示効果"));
    press(keys().vkUp);
    press(keys().vkUp);
    press(keys().vkUp);  // wraps to the last
    EXPECT_EQ(menu().selection(), indexOf("終了"));

    menu().close();
    menu().open();
    press(keys().vkUp);
    EXPECT_EQ(menu().selection(), indexOf("終了"));
}

TEST_F(MenuInput, RightOpensALevelAndLeftComesBackToTheItemThatOpenedIt) {
    menu().open();
    for (int i = 0; i < 4; ++i)
        press(keys().vkDown);
    ASSERT_EQ(menu().selection(), indexOf("設定"));
    press(keys().vkRight);
    EXPECT_EQ(menu().titleLine(), menuText("[ﾄｯﾌﾟ]->[設定]"));
    EXPECT_EQ(menu().depth(), 1);
    EXPECT_EQ(menu().selection(), -1);
    press(keys().vkDown);
    press(keys().vkRight);
    EXPECT_EQ(menu().titleLine(), menuText("[ﾄｯﾌﾟ]->[設定]->[基準音量]"));
    press(keys().vkA);  // A goes back as left does
    EXPECT_EQ(menu().depth(), 1);
    EXPECT_EQ(menu().selection(), 0);
    press(keys().vkLeft);
    EXPECT_EQ(menu().depth(), 0);
    EXPECT_EQ(menu().selection(), indexOf("設定"));
    press(keys().vkLeft);
    EXPECT_FALSE(menu().isOpen());
    EXPECT_TRUE(posted().empty());
}

TEST_F(MenuInput, AChosenCommandClosesTheMenuAndIsPostedToTheWindow) {
    menu().open();
    press(keys().vkUp);
    ASSERT_EQ(menu().selection(), indexOf("終了"));
    press(keys().vkC);
    EXPECT_FALSE(menu().isOpen());
    EXPECT_EQ(posted(), std::vector<int>{kCommandExit});

    // The third button does not open levels; right chooses a command.
    menu().open();
    press(keys().vkDown);
    press(keys().vkC);
    EXPECT_TRUE(menu().isOpen());
    EXPECT_EQ(menu().depth(), 0);
    press(keys().vkDown);
    press(keys().vkDown);
    press(keys().vkRight);
    EXPECT_EQ(posted(), std::vector<int>{kCommandEffects});
}

TEST_F(MenuInput, TheStylusHighlightsWhileHeldAndChoosesOnRelease) {
    menu().open();
    const int effects = indexOf("表示効果");
    stylusDown(40, itemY(effects));
    EXPECT_EQ(menu().selection(), effects);
    EXPECT_TRUE(menu().isOpen());
    // A key in the same frame as the stylus is not looked at.
    dispatchEvent(ctx(), Event{EventType::KeyDown, keys().vkB, 0, 0});
    stylusUp();
    EXPECT_FALSE(menu().isOpen());
    EXPECT_EQ(posted(), std::vector<int>{kCommandEffects});
}

TEST_F(MenuInput, TheStylusOnASeparatorOrBesideTheItemsClearsTheSelection) {
    menu().open();
    const int width = menu().panel().width;
    stylusDown(40, itemY(indexOf("ﾛｰﾄﾞ")));
    EXPECT_EQ(menu().selection(), 0);
    stylusDown(40, itemY(2));  // the separator
    EXPECT_EQ(menu().selection(), -1);
    stylusDown(40, itemY(0));
    stylusDown(5, itemY(0));  // the margin left of the items
    EXPECT_EQ(menu().selection(), -1);
    stylusDown(width - 5, itemY(0));
    EXPECT_EQ(menu().selection(), -1);
    stylusUp();
    EXPECT_TRUE(menu().isOpen());
    EXPECT_TRUE(posted().empty());
    // A release on a submenu item opens it.
    stylusDown(40, itemY(indexOf("ﾒｯｾｰｼﾞ")));
    stylusUp();
    EXPECT_EQ(menu().titleLine(), menuText("[ﾄｯﾌﾟ]->[ﾒｯｾｰｼﾞ]"));
}

TEST_F(MenuInput, ATapOnTheTitleLineGoesBackAndClosesAtTheRoot) {
    menu().open();
    tap(40, itemY(indexOf("設定")));
    ASSERT_EQ(menu().depth(), 1);
    tap(20, 20);
    EXPECT_EQ(menu().depth(), 0);
    EXPECT_EQ(menu().selection(), indexOf("設定"));
    stylusDown(20, 20);
    EXPECT_TRUE(menu().isOpen());
    stylusUp();
    EXPECT_FALSE(menu().isOpen());
    EXPECT_TRUE(posted().empty());
}

TEST_F(MenuInput, AReleaseOutsideThePanelCloses) {
    menu().open();
    const PanelSize size = menu().panel();
    stylusDown(40, itemY(0));
    stylusDown(size.width + 5, 10);
    EXPECT_EQ(menu().selection(), -1);
    EXPECT_TRUE(menu().isOpen());
    stylusUp();
    EXPECT_FALSE(menu().isOpen());

    menu().open();
    tap(10, size.height + 3);
    EXPECT_FALSE(menu().isOpen());
    EXPECT_TRUE(posted().empty());
}

// The panel is drawn straight into the device; closing puts back what the
// device showed.
TEST_F(MenuInput, TheScreenUnderThePanelComesBackWhenTheMenuCloses) {
    auto& device = rig.backend.display().frameBuffer();
    std::vector<uint16_t> before(320 * 240), during(320 * 240), after(320 * 240);
    for (int y = 0; y < device.height(); ++y) {
        for (int x = 0; x < device.width(); ++x)
            device.setPixel(x, y, static_cast<uint16_t>((x * 977 + y * 131) * 2654435761u >> 9));
    }
    device.toLandscape565(before.data());
    menu().open();
    device.toLandscape565(during.data());
    EXPECT_NE(before, during);
    // Beside the panel the screen is as it was.
    const int x = menu().panel().width + 10;
    EXPECT_EQ(during[static_cast<size_t>(5 * 320 + x)], before[static_cast<size_t>(5 * 320 + x)]);
    // The face colour at the panel's inside.
    EXPECT_EQ(during[static_cast<size_t>(30 * 320 + 3)], 0xD699);
    menu().close();
    device.toLandscape565(after.data());
    EXPECT_EQ(before, after);
}

TEST_F(MenuInput, WhileTheMenuIsOpenTheGameStandsStill) {
    int steps = 0;
    ctx().modes.set(kModeOpening, std::make_unique<FunctionScreen>([&steps] { ++steps; }));
    menu().open();
    for (int i = 0; i < 50; ++i) {
        rig.backend.clock().sleep(16);
        frameTick(ctx());
    }
    EXPECT_EQ(steps, 0);
    menu().close();
    rig.backend.clock().sleep(16);
    frameTick(ctx());
    EXPECT_EQ(steps, 1);
}

}  // namespace
}  // namespace marlit::test
