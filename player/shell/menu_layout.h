// The popup menu's tree as the player builds it once at start-up: load and
// save, display effects, the settings, the message settings, return to
// title and quit, with their labels and command ids.
#pragma once

#include "player/shell/menu_tree.h"

namespace marlit {

// The root's title.
constexpr const char* kRootTitle = "\xC4\xAF\xCC\xDF";  // ﾄｯﾌﾟ

// The levels the menu changes after it is built.
struct MenuPlaces {
    MenuLevel* load = nullptr;
    MenuLevel* save = nullptr;
    MenuLevel* keys = nullptr;  // the key settings
};

MenuPlaces buildMenuTree(MenuTree& tree);

// A label written here in UTF-8, as the menu keeps it (Shift-JIS).
std::string menuText(const char* utf8);

}  // namespace marlit
