// Drawing a level of the popup menu: a panel at the top-left corner of the
// screen with the clock line, the title line (the path of levels) and the
// items in the 12-pixel system text, each 13 pixels high; check marks at
// the left, submenu arrows at the right, separators, greyed items and the
// navy highlight bar. Coordinates are landscape screen pixels.
#pragma once

#include <string>

#include "player/graphics/pixel_views.h"
#include "player/graphics/system_text.h"
#include "player/shell/menu_tree.h"

namespace marlit {

namespace menu_panel {
constexpr int kCharWidth = 6;  // a byte of text
constexpr int kClockY = 4;
constexpr int kTitleY = 16;
constexpr int kTextX = 6;
constexpr int kItemX = 12;
constexpr int kFirstItemY = 34;
constexpr int kItemHeight = 13;
constexpr int kTitleAreaBottom = 32;
constexpr int kBarX = 11;
constexpr int kCheckX = 4;
constexpr int kMarkWidth = 6;
constexpr int kMarkHeight = 12;
// Colours as 0x00RRGGBB.
constexpr uint32_t kFace = 0xD4D0C8;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kDarkEdge = 0x404040;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kNavy = 0x000080;
}  // namespace menu_panel

struct PanelSize {
    int width = 0;
    int height = 0;
};

// What one drawing of a level shows.
struct PanelView {
    const MenuLevel* level = nullptr;
    std::string titleLine;  // "[ﾄｯﾌﾟ]->[設定]", Shift-JIS
    std::string clockLine;  // "[2026-12-09 08:33][100%]"
    int selection = -1;
};

// Width: the widest of the clock and title lines (6 a byte, + 12) and the
// labels (+ 24); height: 13 an item + 40.
PanelSize panelSize(const PanelView& view);

// The whole panel, the highlight included.
void drawPanel(const Surface& surface, SystemTextDrawer& text, const PanelView& view,
               PanelSize size);
// One item's row again, highlighted or not.
void drawItem(const Surface& surface, SystemTextDrawer& text, const MenuItem& item, int index,
              PanelSize size, bool highlighted);

// The y of item i's row.
constexpr int itemTop(int index) {
    return menu_panel::kFirstItemY + menu_panel::kItemHeight * index;
}

}  // namespace marlit
