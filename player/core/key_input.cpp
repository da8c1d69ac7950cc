// The key handler: hardware keys become press counters, filtered by the
// cursor mode and the double-press setting.
#include "player/core/input.h"

namespace marlit {

namespace {

// The press counter of each KeyMap slot.
constexpr PressKey kCounterOf[kSlotCount] = {kPressUp,     kPressDown, kPressLeft, kPressRight,
                                             kPressA,      kPressB,    kPressC,    kPressSpare1,
                                             kPressSpare2, kPressStart};

constexpr int kDirections = 4;  // up, down, left, right: slots and counters 0..3

void pressDirections(InputState& in, const KeyMap& map, int32_t code, int cursorMode) {
    for (int d = 0; d < kDirections; ++d) {
        if (map.codes[static_cast<size_t>(d)] != code)
            continue;
        int32_t& counter = in.press[static_cast<size_t>(d)];
        auto armed = [&](int i) -> int32_t& { return in.armed[static_cast<size_t>(i)]; };
        switch (cursorMode) {
            case kCursorNormal:
                ++counter;
                break;
            case kCursorBasicSuppression: {
                bool othersIdle = true;
                for (int o = 0; o < kDirections; ++o) {
                    if (o != d && in.press[static_cast<size_t>(o)] != 0)
                        othersIdle = false;
                }
                if (othersIdle)
                    ++counter;
                break;
            }
            case kCursorHorizontalPriority:
                if (d == kPressLeft || d == kPressRight) {
                    armed(kPressUp) = 0;
                    armed(kPressDown) = 0;
                    ++counter;
                } else {
                    if (armed(d))
                        ++counter;
                    armed(d) = 1;
                }
                break;
            case kCursorVerticalPriority:
                if (d == kPressUp || d == kPressDown) {
                    armed(kPressLeft) = 0;
                    armed(kPressRight) = 0;
                    ++counter;
                } else {
                    if (armed(d))
                        ++counter;
                    armed(d) = 1;
                }
                break;
            case kCursorFullSuppression:
                if (armed(d))
                    ++counter;
                for (int o = 0; o < kDirections; ++o)
                    armed(o) = (o == d) ? 1 : 0;
                break;
            default:
                break;
        }
    }
}

void pressCentre(InputState& in, const KeyMap& map, int32_t code, bool doublePress) {
    bool isStart = map.codes[kSlotStart] == code;
    if (doublePress) {
        if (isStart && in.centreArmed)
            ++in.press[kPressStart];
        for (int d = 0; d < kDirections; ++d) {
            if (map.codes[static_cast<size_t>(d)] == code)
                in.centreArmed = 0;
        }
        if (isStart)
            in.centreArmed = 1;
    } else {
        in.centreArmed = 0;
        if (isStart)
            ++in.press[kPressStart];
    }
}

}  // namespace

void KeyMap::fill(const KeyList& keys) {
    codes = {};
    codes[kSlotUp] = keys.vkUp;
    codes[kSlotDown] = keys.vkDown;
    codes[kSlotLeft] = keys.vkLeft;
    codes[kSlotRight] = keys.vkRight;
    codes[kSlotA] = keys.vkA;
    codes[kSlotB] = keys.vkB;
    codes[kSlotC] = keys.vkC;
    codes[kSlotStart] = keys.vkStart;
}

void applyWheel(InputState& in, int32_t notches) {
    if (notches > 0)
        in.press[kPressUp] = 1;
    else if (notches < 0)
        in.press[kPressDown] = 1;
}

bool takeMenuPress(InputState& in, const Settings& settings) {
    if (settings.keyCenCtrl == kCentreKeyShowMenu) {
        if (in.press[kPressStart] == 1 || in.press[kPressB] == 1) {
            in.press[kPressStart] = 0;
            in.press[kPressB] = 0;
            return true;
        }
    } else if (in.press[kPressB] == 1) {
        in.press[kPressB] = 0;
        return true;
    }
    return false;
}

bool applyKey(InputState& in, KeyMap& map, const Settings& settings, int32_t code, bool down) {
    if (down) {
        ++map.keyDownCount;
    } else if (map.keyDownCount != 0) {
        // This device reports key-downs: a release only ends the press.
        for (int s = 0; s < kSlotCount; ++s) {
            if (map.codes[static_cast<size_t>(s)] == code)
                in.press[kCounterOf[s]] = 0;
        }
        return false;
    } else {
        // A device that has sent only releases so far: a release is a press.
        in.press = {};
    }

    pressDirections(in, map, code, settings.ketCurMode);
    pressCentre(in, map, code, settings.ketDoubleClick != 0);
    for (KeySlot s : {kSlotA, kSlotB, kSlotC, kSlotSpare1, kSlotSpare2}) {
        if (map.codes[s] == code)
            ++in.press[kCounterOf[s]];
    }
    return true;
}

}  // namespace marlit
