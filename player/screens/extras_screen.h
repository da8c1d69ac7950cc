// What the title's three extras (picture gallery, music room, scene gallery)
// share: they open over a picture of the screen they came from, which fades
// away over 1 s; they leave by fading to black over 1.5 s and come back to
// the title's extras menu (mode 1, sub-state 90) with the petals of the
// title; and they draw the same kind of character tabs.
#pragma once

#include <cstdint>
#include <functional>

#include "player/core/mode_screen.h"
#include "player/scenario/scenario_engine.h"
#include "player/screens/screen_services.h"

namespace marlit {

// What an extra screen asks of the rest of the game.
struct ExtrasHooks {
    // Enables or disables the save items of the pop-up menu (a replayed
    // scene may not be saved).
    std::function<void(bool)> enableSaveItems;
};

class ExtrasScreen : public ModeScreen {
  public:
    static constexpr int kNone = 100;
    static constexpr const char* kMusic = "15.mp3";
    static constexpr int kCoverSlot = 0;
    static constexpr int kCoverSprite = 0;
    static constexpr uint32_t kRevealMs = 1000;
    static constexpr uint32_t kFadeMs = 1500;

    ExtrasScreen(ScreenServices services, ScenarioEngine& story)
        : s_(services), story_(story), timer_(services.graphics) {}

    void step() final;
    int cursor() const { return cursor_; }

    // The slots, sprites and layers of each screen's background and of its
    // parts sheet (buttons, tabs, digits).
    static constexpr int kBackgroundSlot = 10;
    static constexpr int kPartsSlot = 11;
    static constexpr int kBackgroundSprite = 10;
    static constexpr int kBackgroundLayer = 60;
    static constexpr int kPartsLayer = 58;

    // A button of the parts sheet: its sprite, its normal look and where its
    // highlighted look (of the same size) starts, where it stands, and the
    // rectangle a tap hits.
    struct Button {
        int sprite;
        DesignRect normal;
        DesignPoint lit;
        DesignPoint at;
        DesignRect hit;
    };

  protected:
    virtual void runStep() = 0;

    // Removes every sprite and frees the screens' slots and the cover's.
    void clearAll();
    // Full brightness, no music, and clearAll: where a screen starts and
    // where its fade to black ends.
    void resetScreen();
    // A picture of the screen as it stands covers the screen (sprite 0 on
    // top), to fade away over what is built beneath it.
    void coverWithScreen();
    // The cover fades away; true once it has gone (brightness full).
    bool reveal();
    // The whole screen darkens; true once it is black and cleared (music
    // stopped, sprites and slots gone, brightness full again).
    bool fadeAway();
    // Back to the title's extras menu, its petals recorded (and falling
    // when the settings allow them).
    void backToTitle();

    // The keys and the stylus of the choice step: up and down move the
    // cursor through `count` items with `skip` telling which to pass over;
    // a tap puts the cursor on the last item whose rectangle holds the
    // stylus, or none. Returns whether the cursor item is to be acted on.
    bool moveCursor(int count, const std::function<bool(int)>& skip,
                    const std::function<bool(int, DesignRect&)>& hitRect,
                    const std::function<void(int, bool)>& look);
    // The normal look of a character tab (with the current mark) and its
    // highlighted look, in the parts sheet.
    static DesignRect tabSource(int tab, bool current, bool lit);

    // Loads the background and the parts sheet (colour-keyed) and shows
    // the background whole.
    void showBackdrop(const char* background, const char* parts);
    void showButton(const Button& button, bool lit);
    // A character tab at `at`, with the current mark when it is the
    // character shown.
    void showTab(int sprite, int tab, DesignPoint at, bool current, bool lit);

    ScreenServices s_;
    ScenarioEngine& story_;
    ScreenTimer timer_;
    int cursor_ = kNone;
};

}  // namespace marlit
