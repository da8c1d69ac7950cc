// Per-frame input. Key and stylus messages arrive between frames and raise
// counters and flags; the frame tick latches them once per frame; a screen
// takes a counter equal to 1 as a press in this frame and clears the
// counter when it acts on it.
#pragma once

#include <array>
#include <cstdint>

#include "platform/display_device.h"

namespace marlit {

// Index of a press counter.
enum PressKey : int {
    kPressUp,
    kPressDown,
    kPressLeft,
    kPressRight,
    kPressStart,  // the centre key
    kPressC,      // the third button
    kPressA,
    kPressB,
    kPressSpare1,
    kPressSpare2,
    kPressCount
};

struct InputState {
    std::array<int32_t, kPressCount> press{};
    // Armed flags of up, down, left, right (cursor modes 2 to 4).
    std::array<int32_t, 4> armed{};
    int32_t centreArmed = 0;  // the double press
    // Stylus position on the landscape picture.
    int32_t stylusX = 0;
    int32_t stylusY = 0;
    int32_t tap = 0;  // 1 for the one frame after the stylus went down
    int32_t tapPending = 0;
    int32_t stylusHeld = 0;
    int32_t release = 0;  // 1 for the one frame after the stylus was lifted
    int32_t releasePending = 0;
};

// Index of a code in the KeyMap.
enum KeySlot : int {
    kSlotUp,
    kSlotDown,
    kSlotLeft,
    kSlotRight,
    kSlotA,
    kSlotB,
    kSlotC,
    kSlotSpare1,
    kSlotSpare2,
    kSlotStart,
    kSlotCount
};

struct KeyMap {
    std::array<int16_t, kSlotCount> codes{};  // the spares stay 0
    uint32_t keyDownCount = 0;                // only ever grows

    void fill(const KeyList& keys);
    void reset() { *this = KeyMap{}; }
};

}  // namespace marlit
