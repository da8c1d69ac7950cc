// The commands the popup menu posts to the window, run on a later loop
// turn after the menu has closed: the settings (each stored through the
// settings key table and shown by its marks), the volumes handed to the
// sound, the window transparency, the manner mode, the petals and the
// place caption, saving and loading, return to title and quit. Any other
// id does nothing.
#pragma once

#include <functional>

#include "player/core/input_state.h"
#include "player/core/settings.h"
#include "player/shell/menu_tree.h"

namespace marlit {

class GameSound;
class GraphicsOps;
class MessageWindow;
class SaveSlots;
class ScenarioEngine;

struct MenuCommandServices {
    Settings& settings;
    InputState& input;
    GameSound& sound;
    GraphicsOps& graphics;
    ScenarioEngine& engine;
    // The message window (null in a player without one).
    std::function<MessageWindow*()> window;
    // The save slots, once the save folder is known (null before).
    std::function<SaveSlots*()> slots;
    // Asks the window to close (the program then ends).
    std::function<void()> close;
    // Stops the movie in play, if any.
    std::function<void()> stopMovie;
    // After a load: the save items may be chosen again.
    std::function<void()> enableSaveItems;
};

class MenuCommandHandler {
  public:
    MenuCommandHandler(MenuCommandServices services, MenuTree& tree)
        : s_(std::move(services)), tree_(tree) {}

    // True when the id is one of the menu's commands.
    bool run(int id);

  private:
    bool runSetting(int id);
    void applyVolume(int32_t Settings::*field, int value);
    void toggle(int32_t Settings::*field);
    void togglePlay(int32_t Settings::*field);
    void setPetals();
    void refreshPlaceCaption();
    void setWindowTransparency(int value);

    MenuCommandServices s_;
    MenuTree& tree_;
};

}  // namespace marlit
