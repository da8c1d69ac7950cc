// The popup menu: the engine draws it straight into the device frame
// buffer over the game picture, which it keeps while the menu is open and
// puts back when it closes. While it is open the game stands still and the
// frame tick hands it the input: the stylus (which wins over keys) and the
// keys move the highlight, open and leave levels and choose commands; a
// chosen command is posted to the window and runs once the menu has closed.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/glyph_painter.h"
#include "platform/local_time.h"
#include "platform/power_status.h"
#include "player/core/device_screen.h"
#include "player/core/display.h"
#include "player/core/input_state.h"
#include "player/core/screen_geometry.h"
#include "player/core/settings.h"
#include "player/graphics/system_text.h"
#include "player/persist/key_config.h"
#include "player/persist/save_slots.h"
#include "player/shell/menu_command_handler.h"
#include "player/shell/menu_layout.h"
#include "player/shell/menu_panel.h"
#include "player/shell/menu_tree.h"
#include "player/shell/popup_layer.h"

namespace marlit {

struct ConfigKey;

struct MenuServices {
    DeviceScreen& screen;
    // The device's frame buffer layout (copied when the menu opens).
    const Display& display;
    GlyphPainter& glyphs;
    LocalTime& localTime;
    PowerStatus& power;
    EventSource& events;
    InputState& input;
    Settings& settings;
    KeyMap& keyMap;
    ScreenGeometry geometry;
    // Whether a story runs that can be saved (the scenario's mode).
    std::function<bool()> storyRunning;
};

class OverlayMenu : public PopupLayer {
  public:
    OverlayMenu(MenuServices services, MenuCommandServices commands);

    // --- PopupLayer ---
    bool isOpen() const override { return open_; }
    void open(GameContext& /*context*/) override { open(); }
    void handleInput(GameContext& /*context*/) override { handleInput(); }
    void runCommand(GameContext& /*context*/, int id) override { runCommand(id); }
    bool takeKey(GameContext& /*context*/, int32_t code, bool down) override {
        return takeKey(code, down);
    }
    void repaint(GameContext& /*context*/) override { present(); }

    void open();
    void handleInput();
    bool runCommand(int id);
    bool takeKey(int32_t code, bool down);
    void close();

    // --- what the rest of the player tells the menu ---
    // A setting read from marlitpc.cfg (its check marks).
    void settingApplied(const ConfigKey& key);
    // Every setting's check marks from the settings held.
    void showSettings();
    // The slots' texts and pictures (after ListSlots).
    void showSlots(std::span<const SlotItem> slots);
    // The save items may be chosen (false in a scene replay).
    void enableSaveItems(bool on) { saveItemsAllowed_ = on; }
    // The player's keys: from the device, then from marlitpc.cfg.
    void setKeys(const KeyBindings& keys, const KeyBindings& deviceKeys);
    const KeyBindings& keys() const { return keys_; }

    // --- for the tests and the state dump ---
    MenuTree& tree() { return tree_; }
    const MenuPlaces& places() const { return places_; }
    const MenuLevel* shownLevel() const { return shown_; }
    int selection() const { return selection_; }
    int depth() const { return static_cast<int>(titles_.size()) - 1; }
    std::string titleLine() const;
    PanelSize panel() const { return size_; }
    int learningKey() const { return learning_; }
    const Display* surface() const { return surface_.get(); }

  private:
    // The stylus: true when there was a stylus event this frame.
    bool stylus();
    void keyInput();
    void select(int index);
    void choose(int index);
    void goBack();
    void openSub(int index);
    void redraw();
    void present();
    std::string clockLine();
    void refreshSaveItems();
    void showKeyLabels();
    bool keyCommand(int id);

    MenuServices s_;
    MenuTree tree_;
    MenuPlaces places_;
    MenuCommandHandler commands_;
    SystemTextDrawer text_;

    bool open_ = false;
    MenuLevel* shown_ = nullptr;
    int selection_ = -1;
    PanelSize size_;
    std::vector<std::string> titles_;
    std::vector<int> openedFrom_;
    std::string clock_;
    // The drawing surface (landscape, 24-bit) and the screen as it was.
    std::unique_ptr<Display> surface_;
    std::vector<uint8_t> saved_;

    std::vector<std::vector<uint8_t>> thumbnails_;  // per slot, bitmap files
    bool saveItemsAllowed_ = true;
    KeyBindings keys_;
    KeyBindings deviceKeys_;
    int learning_ = -1;  // the PlayerKey waiting for its key
};

}  // namespace marlit
