#include "player/persist/key_config.h"

#include <array>

#include "player/persist/config_cache.h"

namespace marlit {

namespace {

constexpr std::array<std::string_view, kPlayerKeyCount> kNames = {
    "UP", "DOWN", "LEFT", "RIGHT", "CENTRE", "A", "B", "C", "MENU"};

// The KeyMap slot of each key but the menu key.
constexpr std::array<KeySlot, kKeyMenu> kSlots = {kSlotUp,    kSlotDown, kSlotLeft, kSlotRight,
                                                  kSlotStart, kSlotA,    kSlotB,    kSlotC};

}  // namespace

std::string_view keyConfigName(PlayerKey key) {
    return kNames[static_cast<size_t>(key)];
}

KeyBindings KeyBindings::fromDevice(const KeyList& keys, int16_t menuCode) {
    KeyBindings b;
    b.codes = {keys.vkUp, keys.vkDown, keys.vkLeft, keys.vkRight, keys.vkStart,
               keys.vkA,  keys.vkB,    keys.vkC,    menuCode};
    return b;
}

void KeyBindings::applyTo(KeyMap& map) const {
    for (int k = 0; k < kKeyMenu; ++k)
        map.codes[static_cast<size_t>(kSlots[static_cast<size_t>(k)])] =
            codes[static_cast<size_t>(k)];
}

void KeyBindings::assign(PlayerKey key, int16_t code) {
    const int16_t old = codes[static_cast<size_t>(key)];
    for (int16_t& c : codes) {
        if (c == code)
            c = old;
    }
    codes[static_cast<size_t>(key)] = code;
}

bool readKeyBindings(ConfigCache& cache, const std::string& configPath, KeyBindings& bindings,
                     std::string* why) {
    KeyBindings read = bindings;
    for (int k = 0; k < kPlayerKeyCount; ++k) {
        const std::string_view name = kNames[static_cast<size_t>(k)];
        const int32_t code =
            cache.ReadInt(kKeySection, name, read.codes[static_cast<size_t>(k)], configPath);
        if (code < KeyBindings::kFirstCode || code > KeyBindings::kLastCode) {
            if (why)
                *why = "[" + std::string(kKeySection) + "] " + std::string(name) + "=" +
                       std::to_string(code) + " is not a key code (1 to 254)";
            return false;
        }
        read.codes[static_cast<size_t>(k)] = static_cast<int16_t>(code);
    }
    for (int a = 0; a < kPlayerKeyCount; ++a) {
        for (int b = a + 1; b < kPlayerKeyCount; ++b) {
            if (read.codes[static_cast<size_t>(a)] != read.codes[static_cast<size_t>(b)])
                continue;
            if (why)
                *why = "[" + std::string(kKeySection) + "] gives the code " +
                       std::to_string(read.codes[static_cast<size_t>(a)]) + " to both " +
                       std::string(kNames[static_cast<size_t>(a)]) + " and " +
                       std::string(kNames[static_cast<size_t>(b)]);
            return false;
        }
    }
    bindings = read;
    return true;
}

void writeKeyBindings(ConfigCache& cache, const std::string& configPath,
                      const KeyBindings& bindings) {
    // Each key goes in right after the header: written last to first, they
    // stand in their order.
    for (int k = kPlayerKeyCount - 1; k >= 0; --k) {
        cache.WriteString(kKeySection, kNames[static_cast<size_t>(k)],
                          std::to_string(bindings.codes[static_cast<size_t>(k)]), configPath);
    }
}

}  // namespace marlit
