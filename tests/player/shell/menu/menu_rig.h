// A player on the headless back end with its popup menu, for the menu's
// tests: keys and the stylus as the frame tick hands them over, and the
// commands the menu posts to the window.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "player/shell/frame_tick.h"
#include "player/shell/overlay_menu.h"
#include "tests/player/shell/shell_fixture.h"

namespace marlit::test {

class MenuRig : public ::testing::Test {
  protected:
    explicit MenuRig(bool vga = false) : rig(vga) {}

    GameContext& ctx() { return *rig.ctx; }
    OverlayMenu& menu() { return *rig.ctx->menu(); }

    // One press of a key as the hardware sends it, with a tick of the
    // frame between its down and its up.
    void press(int16_t code) {
        dispatchEvent(ctx(), Event{EventType::KeyDown, code, 0, 0});
        frameTick(ctx());
        dispatchEvent(ctx(), Event{EventType::KeyUp, code, 0, 0});
    }
    // The stylus at landscape (x, y): down, then up (each a tick).
    void stylusDown(int x, int y) {
        Event e{EventType::StylusDown, 0, 0, 0};
        deviceOf(x, y, e);
        dispatchEvent(ctx(), e);
        frameTick(ctx());
    }
    void stylusUp() {
        dispatchEvent(ctx(), Event{EventType::StylusUp, 0, 0, 0});
        frameTick(ctx());
    }
    void tap(int x, int y) {
        stylusDown(x, y);
        stylusUp();
    }
    // The commands posted to the window since the last call.
    std::vector<int> posted() {
        std::vector<int> ids;
        while (auto e = rig.backend.events().poll()) {
            if (e->type == EventType::Command)
                ids.push_back(e->value);
        }
        return ids;
    }
    // The item of the shown level with that label (UTF-8), or -1.
    int indexOf(const char* utf8) {
        const std::string label = menuText(utf8);
        const MenuLevel* level = menu().shownLevel();
        for (int i = 0; level && i < level->count(); ++i) {
            if (level->items[static_cast<size_t>(i)].label == label)
                return i;
        }
        return -1;
    }
    int itemY(int index) { return itemTop(index) + 6; }

    ShellRig rig;

  private:
    // Landscape to the portrait device as the stylus messages give it (the
    // 640 build's window reports half-size coordinates).
    void deviceOf(int x, int y, Event& e) {
        const int w = rig.size.width;
        int dx = y;
        int dy = w - 1 - x;
        if (rig.size.vga()) {
            dx /= 2;
            dy /= 2;
        }
        e.x = dx;
        e.y = dy;
    }
};

}  // namespace marlit::test
