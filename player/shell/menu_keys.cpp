// The key settings level of the popup menu: one item per player key,
// showing the key that does its work now; choosing one waits for the next
// key pressed and gives it that work (the key that had it takes the old
// one), and the last item brings back the device's keys. Also the menu key,
// which opens and closes the menu whatever the centre key is set to.
#include <cstdio>

#include "platform/key_codes.h"
#include "player/shell/menu_commands.h"
#include "player/shell/overlay_menu.h"

namespace marlit {

namespace {

constexpr const char* kWorkNames[kPlayerKeyCount] = {"上", "下", "左", "右",  "ｾﾝﾀｰ",
                                                     "A",  "B",  "C",  "ﾒﾆｭｰ"};

std::string keyName(int16_t code) {
    switch (code) {
        case kKeyCodeUp:
            return "UP";
        case kKeyCodeDown:
            return "DOWN";
        case kKeyCodeLeft:
            return "LEFT";
        case kKeyCodeRight:
            return "RIGHT";
        case kKeyCodeStart:
            return "ENTER";
        case kKeyCodeA:
            return "A";
        case kKeyCodeB:
            return "B";
        case kKeyCodeC:
            return "C";
        case kKeyCodeMenu:
            return "MENU";
        default:
            break;
    }
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return std::string("KEY ") + static_cast<char>(code);
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(code) & 0xFFFF);
    return text;
}

}  // namespace

void OverlayMenu::setKeys(const KeyBindings& keys, const KeyBindings& deviceKeys) {
    keys_ = keys;
    deviceKeys_ = deviceKeys;
    keys_.applyTo(s_.keyMap);
    showKeyLabels();
}

void OverlayMenu::showKeyLabels() {
    for (int k = 0; k < kPlayerKeyCount; ++k) {
        const std::string name =
            k == learning_ ? "?" : keyName(keys_.codes[static_cast<size_t>(k)]);
        tree_.setLabel(kCommandKeyFirst + k, menuText(kWorkNames[k]) + ": " + name);
    }
}

bool OverlayMenu::keyCommand(int id) {
    if (id >= kCommandKeyFirst && id < kCommandKeyFirst + kPlayerKeyCount) {
        learning_ = id - kCommandKeyFirst;
        showKeyLabels();
        return true;
    }
    if (id == kCommandKeyDefaults) {
        keys_ = deviceKeys_;
        keys_.applyTo(s_.keyMap);
        showKeyLabels();
        redraw();
        return true;
    }
    return false;
}

bool OverlayMenu::takeKey(int32_t code, bool down) {
    const int16_t menuKey = keys_.codes[kKeyMenu];
    if (!open_) {
        if (down && code == menuKey) {
            open();
            return true;
        }
        return false;
    }
    if (learning_ >= 0) {
        if (down && code >= KeyBindings::kFirstCode && code <= KeyBindings::kLastCode) {
            keys_.assign(static_cast<PlayerKey>(learning_), static_cast<int16_t>(code));
            keys_.applyTo(s_.keyMap);
            learning_ = -1;
            showKeyLabels();
            redraw();
        }
        return true;
    }
    if (code == menuKey) {
        if (down)
            close();
        return true;
    }
    return false;
}

}  // namespace marlit
