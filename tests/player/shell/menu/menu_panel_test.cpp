// The panel as the device shows it, at both screen sizes: the borders, the
// face, the highlight bar, check marks, arrows, separators and greyed
// items where the layout puts them, and golden frames of a few levels with
// the real font (skipped, saying so, with another font than the pinned
// one). To renew the digests run with MARLIT_UPDATE_GOLDEN=1 and
// --gtest_filter='*MenuPanel*'; MARLIT_GOLDEN_PNG=<folder> writes the frames.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

#include "base/files.h"
#include "player/shell/menu_commands.h"
#include "tests/player/shell/menu/menu_rig.h"
#include "tests/support/golden_frames.h"

namespace marlit::test {
namespace {

// IPAGothic 003.03 as Debian's fonts-ipafont-gothic installs it (ipag.ttf),
// as for the other text frames.
constexpr int64_t kPinnedFontSize = 6235344;
constexpr uint64_t kPinnedFontHash = 0x0dc84137dc85334cull;

GoldenBook& book() {
    static GoldenBook b(std::string(MARLIT_SOURCE_DIR) +
                        "/tests/player/shell/menu/menu_frames.txt");
    return b;
}

bool pinnedFont(const std::string& file) {
    auto bytes = readHostFile(file);
    if (!bytes)
        return false;
    uint64_t h = 0xCBF29CE484222325ull;
    for (uint8_t b : *bytes)
        h = (h ^ b) * 0x100000001B3ull;
    return static_cast<int64_t>(bytes->size()) == kPinnedFontSize && h == kPinnedFontHash;
}

constexpr uint16_t rgb565(uint32_t rgb) {
    return static_cast<uint16_t>((rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 |
                                 (rgb >> 3 & 0x1F));
}
constexpr uint16_t kFace = rgb565(0xD4D0C8);
constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kBlack = 0;
constexpr uint16_t kDark = rgb565(0x404040);
constexpr uint16_t kGrey = rgb565(0x808080);
constexpr uint16_t kNavy = rgb565(0x000080);
constexpr uint16_t kBackground = rgb565(0x3060A0);

class MenuPanel : public MenuRig, public ::testing::WithParamInterface<bool> {
  protected:
    MenuPanel() : MenuRig(GetParam()) {
        auto& device = rig.backend.display().frameBuffer();
        device.fill(kBackground);
        fontLoaded = rig.backend.glyphs().load();
    }
    int width() { return rig.size.width; }
    // The device's picture in landscape.
    std::vector<uint16_t> screen() {
        std::vector<uint16_t> out(static_cast<size_t>(width()) * rig.size.height);
        rig.backend.display().frameBuffer().toLandscape565(out.data());
        return out;
    }
    uint16_t at(const std::vector<uint16_t>& s, int x, int y) {
        return s[static_cast<size_t>(y) * width() + x];
    }
    bool rowHas(const std::vector<uint16_t>& s, int y, int x0, int x1, uint16_t colour) {
        for (int x = x0; x < x1; ++x) {
            if (at(s, x, y) == colour)
                return true;
        }
        return false;
    }
    void checkGolden(const std::string& name) {
        if (!fontLoaded || !pinnedFont(rig.backend.glyphs().fontFile())) {
            std::printf("the font in use is not the pinned one: %s is not checked\n", name.c_str());
            return;
        }
        const std::vector<uint16_t> s = screen();
        std::vector<uint8_t> frame(s.size() * 3);
        for (size_t i = 0; i < s.size(); ++i) {
            frame[i * 3] = static_cast<uint8_t>(s[i] << 3);
            frame[i * 3 + 1] = static_cast<uint8_t>(s[i] >> 3 & 0xFC);
            frame[i * 3 + 2] = static_cast<uint8_t>(s[i] >> 8 & 0xF8);
        }
        std::string message;
        EXPECT_TRUE(book().check(std::to_string(width()) + "_" + name,
                                 {frame.data(), width(), rig.size.height, width() * 3}, &message))
            << message;
    }
    bool fontLoaded = false;
};

TEST_P(MenuPanel, TheRootWithItsBordersBarMarksAndArrows) {
    ctx().settings.effectUse = 1;
    menu().showSettings();
    menu().open();
    press(ctx().keyList.vkDown);  // ﾛｰﾄﾞ
    const PanelSize p = menu().panel();
    // 10 items: 13 each and 40.
    EXPECT_EQ(p.height, 13 * 10 + 40);
    // The clock line "[2001-01-01 00:00][100%]" is the widest: 24 bytes.
    EXPECT_GE(p.width, 24 * 6 + 12);
    const auto s = screen();
    EXPECT_EQ(at(s, 5, 0), kWhite);
    EXPECT_EQ(at(s, 0, 5), kWhite);
    EXPECT_EQ(at(s, p.width - 1, 5), kBlack);
    EXPECT_EQ(at(s, 5, p.height - 1), kBlack);
    EXPECT_EQ(at(s, p.width - 2, 5), kDark);
    EXPECT_EQ(at(s, 5, p.height - 2), kDark);
    EXPECT_EQ(at(s, p.width, 5), kBackground);
    EXPECT_EQ(at(s, 5, p.height), kBackground);
    EXPECT_EQ(at(s, 3, 30), kFace);
    // The bar of the first item: 13 high from x 11, the panel width - 22.
    const int y0 = itemTop(0);
    EXPECT_EQ(at(s, 11, y0), kNavy);
    EXPECT_EQ(at(s, p.width - 12, y0 + 12), kNavy);
    EXPECT_EQ(at(s, 10, y0), kFace);
    EXPECT_EQ(at(s, p.width - 11, y0), kFace);
    EXPECT_EQ(at(s, 11, y0 + 13), kFace);
    // Its arrow, white on the bar; the next submenu's in black.
    EXPECT_TRUE(rowHas(s, y0 + 5, p.width - 17, p.width - 11, kWhite));
    EXPECT_TRUE(rowHas(s, itemTop(1) + 5, p.width - 17, p.width - 11, kBlack));
    // The separator: grey over white.
    EXPECT_EQ(at(s, 30, itemTop(2) + 5), kGrey);
    EXPECT_EQ(at(s, 30, itemTop(2) + 6), kWhite);
    // "表示効果" is checked: the mark left of the label.
    EXPECT_TRUE(rowHas(s, itemTop(3) + 7, 4, 10, kBlack));
    EXPECT_FALSE(rowHas(s, itemTop(4) + 7, 4, 10, kBlack));
    checkGolden("root");

    // Moving the bar repaints the old row on the face.
    press(ctx().keyList.vkDown);
    const auto t = screen();
    EXPECT_EQ(at(t, 11, y0), kFace);
    EXPECT_EQ(at(t, 11, itemTop(1)), kNavy);
}

TEST_P(MenuPanel, GreyedItemsAndTheSettingsLevel) {
    ctx().scenario.mode = kModeTitle;  // nothing to save
    menu().open();
    press(ctx().keyList.vkDown);
    press(ctx().keyList.vkDown);
    press(ctx().keyList.vkRight);
    ASSERT_EQ(menu().shownLevel(), menu().places().save);
    EXPECT_EQ(menu().selection(), -1);
    press(ctx().keyList.vkDown);
    EXPECT_EQ(menu().selection(), -1);  // nothing can be highlighted
    const PanelSize p = menu().panel();
    EXPECT_EQ(p.height, 13 * 15 + 40);
    const auto s = screen();
    // Each label is grey with a white shadow, no black.
    EXPECT_TRUE(rowHas(s, itemTop(0) + 6, 12, p.width - 12, kGrey) ||
                rowHas(s, itemTop(0) + 5, 12, p.width - 12, kGrey));
    EXPECT_TRUE(rowHas(s, itemTop(0) + 6, 12, p.width - 12, kWhite) ||
                rowHas(s, itemTop(0) + 5, 12, p.width - 12, kWhite));
    for (int y = itemTop(0); y < itemTop(15); ++y)
        EXPECT_FALSE(rowHas(s, y, 12, p.width - 12, kBlack)) << y;
    checkGolden("save_greyed");

    press(ctx().keyList.vkLeft);
    press(ctx().keyList.vkDown);
    press(ctx().keyList.vkDown);
    press(ctx().keyList.vkRight);  // 設定
    press(ctx().keyList.vkDown);
    press(ctx().keyList.vkRight);  // 基準音量
    ASSERT_EQ(menu().titleLine(), menuText("[ﾄｯﾌﾟ]->[設定]->[基準音量]"));
    const auto v = screen();
    // 100 % is the master volume: its mark only.
    EXPECT_TRUE(rowHas(v, itemTop(0) + 7, 4, 10, kBlack));
    for (int i = 1; i < 10; ++i)
        EXPECT_FALSE(rowHas(v, itemTop(i) + 7, 4, 10, kBlack)) << i;
    checkGolden("master_volume");
}

INSTANTIATE_TEST_SUITE_P(BothScreens, MenuPanel, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "vga" : "qvga"; });

}  // namespace
}  // namespace marlit::test
