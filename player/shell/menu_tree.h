// The popup menu's tree: levels of at most 20 items, each a command, a
// submenu or a separator, with its checked and enabled bits. Items are
// found by command id depth first (items in order, each item's sub-level
// before the next item).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

enum class MenuItemKind : int32_t { Command = 0, Submenu = 1, Separator = 2 };

struct MenuLevel;

struct MenuItem {
    static constexpr uint32_t kChecked = 1;
    static constexpr uint32_t kEnabled = 2;

    std::string label;  // Shift-JIS
    MenuLevel* sub = nullptr;
    MenuItemKind kind = MenuItemKind::Command;
    int32_t id = 0;
    uint32_t state = kEnabled;  // a new item is enabled and unchecked

    bool checked() const { return (state & kChecked) != 0; }
    bool enabled() const { return (state & kEnabled) != 0; }
    // Whether the highlight can rest on it.
    bool selectable() const { return kind != MenuItemKind::Separator && enabled(); }
};

struct MenuLevel {
    static constexpr int kMaxItems = 20;

    MenuLevel* parent = nullptr;
    std::vector<MenuItem> items;

    int count() const { return static_cast<int>(items.size()); }
};

class MenuTree {
  public:
    // A new level; without a parent it becomes the root. With one, the
    // parent's item `itemIndex` (a submenu item) leads to it.
    MenuLevel* createLevel(MenuLevel* parent = nullptr, int itemIndex = -1);
    // Appends an item: its index, 0 when the level is full (20 items), -1
    // without a level.
    static int appendItem(MenuLevel* level, int32_t id, MenuItemKind kind, std::string_view label);
    // Appends a submenu item and the level it leads to; null when the
    // level is full.
    MenuLevel* appendSubmenu(MenuLevel* level, std::string_view label);

    // The first item with that id, depth first; null when none has it.
    MenuItem* find(int32_t id);
    // Set or clear the bit of the item with that id; an unknown id
    // changes nothing. False when no item has the id.
    bool setChecked(int32_t id, bool on);
    bool setEnabled(int32_t id, bool on);
    bool setLabel(int32_t id, std::string_view label);

    MenuLevel* root() const { return root_; }

  private:
    std::vector<std::unique_ptr<MenuLevel>> levels_;
    MenuLevel* root_ = nullptr;
};

// The previous or next selectable item of a level from `from` (-1 for
// none), wrapping around; -1 when no item is selectable. From no selection
// the next is the first selectable item and the previous the last.
int stepSelection(const MenuLevel& level, int from, int direction);

}  // namespace marlit
