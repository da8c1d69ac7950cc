// The player's keys as the user chose them in the menu's key settings,
// kept in marlitpc.cfg in a section of their own:
//
//   [KEY_CONFIG]
//   UP=38  DOWN=40  LEFT=37  RIGHT=39  CENTRE=13  A=193  B=194  C=195  MENU=93
//
// one key a line, each the key code (decimal, or hexadecimal after "0x")
// that does that key's work. A code from 1 to 254 is taken; a missing key
// keeps the device's code; a code out of range, or a code given to two
// keys, leaves the whole section unused (the device's keys) with one line
// on stderr saying which line to mend.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display_device.h"
#include "player/core/input_state.h"

namespace marlit {

class ConfigCache;

constexpr std::string_view kKeySection = "KEY_CONFIG";

enum PlayerKey : int {
    kKeyUp,
    kKeyDown,
    kKeyLeft,
    kKeyRight,
    kKeyCentre,
    kKeyA,
    kKeyB,
    kKeyC,
    kKeyMenu,
    kPlayerKeyCount
};

struct KeyBindings {
    static constexpr int kFirstCode = 1;
    static constexpr int kLastCode = 254;

    std::array<int16_t, kPlayerKeyCount> codes{};

    // The device's keys and the menu key.
    static KeyBindings fromDevice(const KeyList& keys, int16_t menuCode);
    // The player's KeyMap takes the codes (the menu key is the shell's).
    void applyTo(KeyMap& map) const;
    // Gives `key` the code; a key that had it before takes the old code of
    // `key`, so that every work keeps a key.
    void assign(PlayerKey key, int16_t code);
    bool operator==(const KeyBindings&) const = default;
};

// "UP", "DOWN", ... as the section spells them.
std::string_view keyConfigName(PlayerKey key);

// Reads the section over `bindings` (which holds the device's keys). False,
// with the reason in `why` and `bindings` unchanged, when it cannot be used.
bool readKeyBindings(ConfigCache& cache, const std::string& configPath, KeyBindings& bindings,
                     std::string* why);
void writeKeyBindings(ConfigCache& cache, const std::string& configPath,
                      const KeyBindings& bindings);

}  // namespace marlit
