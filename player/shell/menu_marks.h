// The settings as the menu shows them: for every setting of the menu, the
// items that show its value (a radio group, a volume group of 100 % .. 10 %,
// a toggle, or a play item that is greyed while its sound is not
// available). The setters store a value through the settings key table,
// the same rule marlitpc.cfg's reading uses, and then set the marks.
#pragma once

#include <cstdint>
#include <span>

#include "player/core/settings.h"
#include "player/shell/menu_tree.h"

namespace marlit {

struct ConfigKey;

enum class MarkKind {
    Radio,   // item firstId + v is checked for value v
    Volume,  // item firstId + k is checked for value 100 - 10 k
    Toggle,  // enabled, and checked when the value is not 0
    Play,    // 0 not available (greyed), 1 off, 2 on (checked)
};

struct SettingMarks {
    int32_t Settings::*field;
    MarkKind kind;
    int firstId;
    int count;  // the items of a radio group
};

std::span<const SettingMarks> settingMarks();
// The row that shows a field, or null.
const SettingMarks* marksOf(int32_t Settings::*field);
// The row whose items include a command id, or null.
const SettingMarks* marksOfCommand(int id);
// The value an item of the row stands for (radio and volume rows).
int32_t valueOfItem(const SettingMarks& row, int id);

// Sets the marks of one setting from the value held.
void showSetting(MenuTree& tree, const Settings& settings, int32_t Settings::*field);
// Every setting's marks.
void showAllSettings(MenuTree& tree, const Settings& settings);

// The menu's setter: stores `value` through the key's rule and sets the
// marks. False when the rule ignored the value.
bool applySetting(MenuTree& tree, Settings& settings, const ConfigKey& key, int32_t value);
bool applySetting(MenuTree& tree, Settings& settings, int32_t Settings::*field, int32_t value);

}  // namespace marlit
