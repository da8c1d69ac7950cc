// The key codes that the back ends report for the handheld's hardware keys.
// They follow the window system's virtual-key numbering of the device, so a
// key list with these codes reads like the one the device gave.
#pragma once

#include <cstdint>

#include "platform/display_device.h"

namespace marlit {

constexpr int16_t kKeyCodeLeft = 0x25;
constexpr int16_t kKeyCodeUp = 0x26;
constexpr int16_t kKeyCodeRight = 0x27;
constexpr int16_t kKeyCodeDown = 0x28;
constexpr int16_t kKeyCodeStart = 0x0D;  // the centre (action) key
constexpr int16_t kKeyCodeA = 0xC1;
constexpr int16_t kKeyCodeB = 0xC2;
constexpr int16_t kKeyCodeC = 0xC3;
// A key that only opens and closes the popup menu: a game controller's
// Start, the keyboard's menu key. The handheld has none.
constexpr int16_t kKeyCodeMenu = 0x5D;

// The key list of the back ends: the hardware keys in landscape layout.
inline KeyList standardKeyList() {
    KeyList k;
    k.vkUp = kKeyCodeUp;
    k.vkDown = kKeyCodeDown;
    k.vkLeft = kKeyCodeLeft;
    k.vkRight = kKeyCodeRight;
    k.vkA = kKeyCodeA;
    k.vkB = kKeyCodeB;
    k.vkC = kKeyCodeC;
    k.vkStart = kKeyCodeStart;
    return k;
}

}  // namespace marlit
