// The key settings: a key item learns the next key pressed (the key that
// had the work before takes the old one), the device's keys come back, and
// the section of marlitpc.cfg that keeps them; the mouse wheel.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/key_codes.h"
#include "player/persist/config_cache.h"
#include "player/persist/key_config.h"
#include "player/shell/menu_commands.h"
#include "tests/player/shell/menu/menu_rig.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

constexpr int16_t kLetterQ = 'Q';

class MenuKeys : public MenuRig {
  protected:
    // The key settings level, by the keys.
    // The key settings level, by the keys as they are set now.
    void openKeyLevel() {
        menu().open();
        for (int i = 0; i < 4; ++i)
            press(code(kKeyDown));
        press(code(kKeyRight));
        press(code(kKeyUp));  // the last item
        press(code(kKeyRight));
        ASSERT_EQ(menu().shownLevel(), menu().places().keys);
    }
    // Chooses the key item of a work with the third button.
    void chooseWork(PlayerKey key) {
        for (int i = 0; i <= static_cast<int>(key); ++i)
            press(code(kKeyDown));
        press(code(kKeyC));
    }
    int16_t code(PlayerKey key) { return menu().keys().codes[static_cast<size_t>(key)]; }
};

TEST_F(MenuKeys, AKeyItemLearnsTheNextKeyAndSwapsWithItsOldOwner) {
    openKeyLevel();
    chooseWork(kKeyUp);
    ASSERT_EQ(menu().learningKey(), kKeyUp);
    EXPECT_TRUE(menu().isOpen());
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(menu().tree().find(kCommandKeyFirst)->label, menuText("上: ?"));
    press(kLetterQ);
    EXPECT_EQ(menu().learningKey(), -1);
    EXPECT_EQ(menu().keys().codes[kKeyUp], kLetterQ);
    EXPECT_EQ(ctx().keyMap.codes[kSlotUp], kLetterQ);
    EXPECT_EQ(menu().tree().find(kCommandKeyFirst)->label, menuText("上: KEY Q"));
    // The learned key is no press of the menu's.
    EXPECT_EQ(ctx().input.press[kPressUp], 0);

    // The centre work on the down key: down takes the centre's old key.
    menu().close();
    openKeyLevel();
    chooseWork(kKeyCentre);
    press(kKeyCodeDown);
    EXPECT_EQ(menu().keys().codes[kKeyCentre], kKeyCodeDown);
    EXPECT_EQ(menu().keys().codes[kKeyDown], kKeyCodeStart);
    EXPECT_EQ(ctx().keyMap.codes[kSlotStart], kKeyCodeDown);
    EXPECT_EQ(ctx().keyMap.codes[kSlotDown], kKeyCodeStart);

    // In the game the new key does the work.
    menu().close();
    dispatchEvent(ctx(), Event{EventType::KeyDown, kLetterQ, 0, 0});
    EXPECT_EQ(ctx().input.press[kPressUp], 1);
}

TEST_F(MenuKeys, TheLastItemBringsBackTheDevicesKeys) {
    openKeyLevel();
    chooseWork(kKeyB);
    press(kLetterQ);
    ASSERT_EQ(ctx().keyMap.codes[kSlotB], kLetterQ);
    for (int i = 0; i < 3; ++i)  // over the separator to the last item
        press(ctx().keyList.vkDown);
    ASSERT_EQ(menu().selection(), menu().places().keys->count() - 1);
    press(ctx().keyList.vkC);
    EXPECT_TRUE(menu().isOpen());
    EXPECT_EQ(ctx().keyMap.codes[kSlotB], ctx().keyList.vkB);
    EXPECT_EQ(menu().keys(), KeyBindings::fromDevice(ctx().keyList, kKeyCodeMenu));
}

TEST(KeyConfig, TheSectionIsWrittenAndReadBack) {
    TempDir dir;
    const std::string path = dir.file("marlitpc.cfg");
    const KeyBindings device = KeyBindings::fromDevice(standardKeyList(), kKeyCodeMenu);
    KeyBindings chosen = device;
    chosen.assign(kKeyA, 'Z');
    {
        ConfigCache cache;
        writeKeyBindings(cache, path, chosen);
        ASSERT_TRUE(cache.Flush());
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text,
              "[KEY_CONFIG]\r\nUP=38\r\nDOWN=40\r\nLEFT=37\r\nRIGHT=39\r\nCENTRE=13\r\nA=90\r\n"
              "B=194\r\nC=195\r\nMENU=93\r\n");
    ConfigCache cache;
    KeyBindings read = device;
    std::string why;
    EXPECT_TRUE(readKeyBindings(cache, path, read, &why)) << why;
    EXPECT_EQ(read, chosen);
}

TEST(KeyConfig, AnUnusableSectionLeavesTheDevicesKeysAndSaysWhichLine) {
    TempDir dir;
    const std::string path = dir.file("marlitpc.cfg");
    const KeyBindings device = KeyBindings::fromDevice(standardKeyList(), kKeyCodeMenu);
    const struct {
        const char* file;
        const char* why;
    } cases[] = {
        {"[KEY_CONFIG]\r\nUP=300\r\n", "UP=300 is not a key code"},
        {"[KEY_CONFIG]\r\nB=0\r\n", "B=0 is not a key code"},
        {"[KEY_CONFIG]\r\nA=0x26\r\n", "the code 38 to both UP and A"},
    };
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << c.file;
        ConfigCache cache;
        KeyBindings read = device;
        std::string why;
        EXPECT_FALSE(readKeyBindings(cache, path, read, &why)) << c.file;
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
        EXPECT_EQ(read, device);
    }
    // A section that names some keys keeps the device's for the others.
    std::ofstream(path, std::ios::binary) << "[key_config]\r\n menu =0x51\r\n";
    ConfigCache cache;
    KeyBindings read = device;
    EXPECT_TRUE(readKeyBindings(cache, path, read, nullptr));
    EXPECT_EQ(read.codes[kKeyMenu], 0x51);
    EXPECT_EQ(read.codes[kKeyUp], kKeyCodeUp);
}

// The mouse wheel is the up and down key for the recall, past the cursor
// mode; with the menu open it walks the items.
TEST_F(MenuKeys, TheWheelPressesUpAndDown) {
    ctx().settings.ketCurMode = kCursorFullSuppression;
    dispatchEvent(ctx(), Event{EventType::Wheel, 1, 0, 0});
    EXPECT_EQ(ctx().input.press[kPressUp], 1);
    dispatchEvent(ctx(), Event{EventType::Wheel, -2, 0, 0});
    EXPECT_EQ(ctx().input.press[kPressDown], 1);
    ctx().input = InputState{};
    menu().open();
    dispatchEvent(ctx(), Event{EventType::Wheel, -1, 0, 0});
    frameTick(ctx());
    EXPECT_EQ(menu().selection(), 0);
}

}  // namespace
}  // namespace marlit::test
