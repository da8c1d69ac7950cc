#include "player/shell/menu_panel.h"

#include <algorithm>
#include <array>

#include "player/graphics/blit.h"

namespace marlit {

using namespace menu_panel;

namespace {

using Mark = std::array<const char*, kMarkHeight>;

constexpr Mark kCheck = {
    "......", "......", "......", ".....#", "....##", "#..###",
    "##.##.", "#####.", ".###..", "..#...", "......", "......",
};
constexpr Mark kArrow = {
    "......", "......", ".#....", ".##...", ".###..", ".####.",
    ".###..", ".##...", ".#....", "......", "......", "......",
};

// 0x00RRGGBB as the system text takes it (0x00BBGGRR).
constexpr uint32_t textColour(uint32_t rgb) {
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

void putPixel(const Surface& s, int x, int y, uint32_t rgb) {
    if (x < 0 || y < 0 || x >= s.width || y >= s.height)
        return;
    uint8_t* p = s.pixels + static_cast<ptrdiff_t>(y) * s.pitch + x * 3;
    p[0] = static_cast<uint8_t>(rgb);
    p[1] = static_cast<uint8_t>(rgb >> 8);
    p[2] = static_cast<uint8_t>(rgb >> 16);
}

void fill(const Surface& s, Rect r, uint32_t rgb) {
    const Rect clipped = intersect(r, bounds(s));
    if (!isEmpty(clipped))
        fillBackground(s, clipped, rgb);
}

void drawMark(const Surface& s, const Mark& mark, int x, int y, uint32_t rgb) {
    for (int row = 0; row < kMarkHeight; ++row) {
        for (int col = 0; col < kMarkWidth; ++col) {
            if (mark[static_cast<size_t>(row)][col] == '#')
                putPixel(s, x + col, y + row, rgb);
        }
    }
}

// A text or a mark in black, white on the bar, or greyed with a white
// shadow one pixel right and down.
template <typename Draw>
void inState(bool enabled, bool highlighted, Draw draw) {
    if (!enabled) {
        draw(1, 1, kWhite);
        draw(0, 0, kGrey);
    } else {
        draw(0, 0, highlighted ? kWhite : kBlack);
    }
}

int textWidth(const std::string& text) {
    return static_cast<int>(text.size()) * kCharWidth;
}

}  // namespace

PanelSize panelSize(const PanelView& view) {
    int width = std::max(textWidth(view.titleLine), textWidth(view.clockLine)) + 12;
    const int count = view.level ? view.level->count() : 0;
    if (view.level) {
        for (const MenuItem& item : view.level->items)
            width = std::max(width, textWidth(item.label) + 24);
    }
    return {width, kItemHeight * count + 40};
}

void drawItem(const Surface& s, SystemTextDrawer& text, const MenuItem& item, int index,
              PanelSize size, bool highlighted) {
    const int y = itemTop(index);
    // The row between the borders, then the bar.
    fill(s, {2, y, size.width - 2, y + kItemHeight}, kFace);
    if (item.kind == MenuItemKind::Separator) {
        fill(s, {4, y + 5, size.width - 4, y + 6}, kGrey);
        fill(s, {4, y + 6, size.width - 4, y + 7}, kWhite);
        return;
    }
    const bool lit = highlighted && item.selectable();
    if (lit)
        fill(s, {kBarX, y, kBarX + size.width - 22, y + kItemHeight}, kNavy);
    // The label and the arrow lie on the bar; the check mark left of it.
    inState(item.enabled(), lit, [&](int dx, int dy, uint32_t rgb) {
        text.draw(item.label, &s, kItemX + dx, y + dy, textColour(rgb));
        if (item.kind == MenuItemKind::Submenu)
            drawMark(s, kArrow, size.width - 11 - kMarkWidth + dx, y + dy, rgb);
    });
    if (item.checked()) {
        inState(item.enabled(), false, [&](int dx, int dy, uint32_t rgb) {
            drawMark(s, kCheck, kCheckX + dx, y + dy, rgb);
        });
    }
}

void drawPanel(const Surface& s, SystemTextDrawer& text, const PanelView& view, PanelSize size) {
    const int w = size.width;
    const int h = size.height;
    fill(s, {0, 0, w, h}, kFace);
    fill(s, {0, 0, w, 1}, kWhite);
    fill(s, {0, 0, 1, h}, kWhite);
    fill(s, {1, h - 2, w - 1, h - 1}, kDarkEdge);
    fill(s, {w - 2, 1, w - 1, h - 1}, kDarkEdge);
    fill(s, {0, h - 1, w, h}, kBlack);
    fill(s, {w - 1, 0, w, h}, kBlack);
    text.draw(view.clockLine, &s, kTextX, kClockY, textColour(kBlack));
    text.draw(view.titleLine, &s, kTextX, kTitleY, textColour(kBlack));
    if (!view.level)
        return;
    for (int i = 0; i < view.level->count(); ++i) {
        drawItem(s, text, view.level->items[static_cast<size_t>(i)], i, size, i == view.selection);
    }
}

}  // namespace marlit
