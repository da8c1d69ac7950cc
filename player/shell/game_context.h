// GameContext: the player's one central object. It owns every other object
// of the player for the whole run, creates them in a fixed order and
// destroys them in a fixed order; everything runs on the window thread
// through it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/display_device.h"
#include "platform/platform.h"
#include "player/shell/device_screen.h"
#include "player/shell/dirty_rect_list.h"
#include "player/shell/display.h"
#include "player/shell/frame_stages.h"
#include "player/shell/frame_timer.h"
#include "player/shell/input_state.h"
#include "player/shell/mode_table.h"
#include "player/shell/popup_layer.h"
#include "player/shell/scenario_state.h"
#include "player/shell/settings.h"
#include "player/sound/music_player.h"
#include "player/sound/sound_mixer.h"

namespace marlit {

class Compositor;
class MlzReader;
class TestPattern;

// The window title that a second copy looks for, and the title the window
// has until it is fully started.
constexpr const char* kProductCaption = "MARLIT";
constexpr const char* kDefaultTitle = "MARLIT-SYSTEM";

struct PlayerOptions {
    // The 640 x 480 build: raw frame buffer, doubled stylus coordinates.
    bool vga = false;
    // The program folder as a system path ending with "\".
    std::string programFolder;
    // Draw the display check pattern every frame.
    bool testPattern = false;
    // Called after every turn of the frame tick (frame counting, dumps).
    std::function<void(GameContext&)> afterTick;
};

// The data paths, filled with the program folder and the default names,
// later replaced from the configuration file.
struct DataPaths {
    std::string saveFolder;
    std::string picturePack;
    std::string picturePack2;
    std::string soundEffectFolder;
    std::string voicePack;
    std::string musicFolder;
    std::string movieFolder;
};

class GameContext {
  public:
    GameContext(Platform& platform, const PlayerOptions& options);
    ~GameContext();
    GameContext(const GameContext&) = delete;
    GameContext& operator=(const GameContext&) = delete;

    // The window's end: the configuration is written and the message loop
    // is asked to end. Runs once however often it is asked.
    void destroyWindow();
    bool windowDestroyed() const { return windowDestroyed_; }

    Platform& platform;
    DeviceScreen screen;
    const bool vga;

    // --- window base ---
    FrameTimer frameTimer;
    std::string title;

    // --- engine core, in order of creation ---
    std::unique_ptr<Display> display;
    // The sound: the mixer on the platform's wave output, and the music
    // player on its slot 0. Both are destroyed after the MlzReader (the
    // music player first, as it drives the mixer).
    std::unique_ptr<SoundMixer> soundMixer;
    std::unique_ptr<MusicPlayer> musicPlayer;
    DataPaths paths;
    InputState input;
    KeyMap keyMap;
    // The 67 picture slots, the 259 sprite slots and the 128 draw lists;
    // the message window belongs to the scenario's text.
    std::unique_ptr<Compositor> compositor;
    std::unique_ptr<DirtyRectList> dirtyRects;
    std::unique_ptr<PopupLayer> overlayMenu;
    // The picture loader's pack reader.
    std::unique_ptr<MlzReader> pictureReader;
    int32_t running = 1;
    uint32_t tickTime = 0;  // the time of this tick
    Settings settings;
    std::string programFolder;
    int32_t brightness = 256;  // 0 black .. 256 full
    int32_t backgroundFill = 0;
    int32_t clearBackground = 1;
    int32_t shakeX = 0;
    int32_t shakeY = 0;
    KeyList keyList;

    // --- scenario level ---
    ScenarioState scenario;

    // --- what plugs into the frame ---
    ModeTable modes;
    std::unique_ptr<FrameStages> stages;
    std::unique_ptr<TestPattern> testPattern;
    std::function<void(GameContext&)> afterTick;
    // Frames run (ticks in which a frame was due and the game stepped).
    uint64_t framesRun = 0;

    bool menuOpen() const { return overlayMenu && overlayMenu->isOpen(); }

  private:
    bool windowDestroyed_ = false;
};

}  // namespace marlit
