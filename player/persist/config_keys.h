// The settings keys of marlitpc.cfg in one table: where each lives, the
// field of the Settings block it fills, the rule its values follow, and
// its places in the reading and writing orders. ReadSettings, WriteSettings
// and the menu's setters all go through it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "player/core/settings.h"

namespace marlit {

enum class KeyRule {
    AsRead,          // stored as read, whatever its range
    Volume,          // a percentage 10..100; anything else is 100
    IgnoreNegative,  // a negative value is ignored: the value held stays
    ZeroOrOne,       // 0 or non-zero, stored as 0 or 1
};

struct ConfigKey {
    std::string_view section;
    std::string_view key;
    int32_t Settings::*field;
    KeyRule rule;
    // The place in WriteSettings' order, or -1 for a key that is only read
    // (it comes from the file installed with the data).
    int writeOrder;

    // The value of a Settings block that nothing has changed.
    int32_t defaultValue() const { return Settings{}.*field; }
    // The value to store for `value` under the rule; none when it is to be
    // ignored.
    std::optional<int32_t> accept(int32_t value) const;
};

// The integer keys in reading order.
std::span<const ConfigKey> configKeys();
// The key of that section and name (name equality), or null.
const ConfigKey* findConfigKey(std::string_view section, std::string_view key);
// Stores a value through the key's rule, as the menu's setters do; false
// when the rule ignores it.
bool setSetting(Settings& settings, const ConfigKey& key, int32_t value);

// NAME_CONFIG / NAME: the player name, at most 7 bytes of Shift-JIS; by
// default the given name of the data set's protagonist.
constexpr std::string_view kNameSection = "NAME_CONFIG";
constexpr std::string_view kNameKey = "NAME";
constexpr size_t kNameCapacity = 7;
constexpr std::string_view kDefaultName = "\x82\xe4\x82\xa4";  // ゆう

}  // namespace marlit
