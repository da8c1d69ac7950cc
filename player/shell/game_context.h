// GameContext: the player's one central object. It owns every other object
// of the player for the whole run, creates them in a fixed order and
// destroys them in a fixed order; everything runs on the window thread
// through it. The subsystems below it never see it: each is handed the
// pieces it needs when it is made (graphics gets the compositor, the back
// buffer, the dirty rectangles and the clock; sound gets the mixer, the
// settings and the data places).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "platform/display_device.h"
#include "platform/platform.h"
#include "player/core/data_paths.h"
#include "player/core/device_screen.h"
#include "player/core/dirty_rect_list.h"
#include "player/core/display.h"
#include "player/core/input_state.h"
#include "player/core/random.h"
#include "player/core/screen_geometry.h"
#include "player/core/settings.h"
#include "player/persist/config_cache.h"
#include "player/scenario/scenario_state.h"
#include "player/scenario/scenario_tables.h"
#include "player/shell/frame_stages.h"
#include "player/shell/frame_timer.h"
#include "player/shell/mode_table.h"
#include "player/shell/popup_layer.h"
#include "player/sound/game_sound.h"
#include "player/sound/music_player.h"
#include "player/sound/sound_mixer.h"

namespace marlit {

class Compositor;
class GameMovies;
class GraphicsOps;
class MessageTextDrawer;
class MessageWindow;
class MlzReader;
class OverlayMenu;
class ScenarioEngine;
class PlayerLogs;
class SaveSlots;
class ScenarioSound;
class TestPattern;
class MapScreen;
class TitleScreen;
class TitleVoices;
struct ScreenTables;

// The window title that a second copy looks for, and the title the window
// has until it is fully started.
constexpr const char* kProductCaption = "MARLIT";
constexpr const char* kDefaultTitle = "MARLIT-SYSTEM";

struct PlayerOptions {
    // The 640 x 480 build: raw frame buffer, doubled stylus coordinates. The
    // screen size follows from it.
    bool vga = false;
    // The program folder as a system path ending with "\".
    std::string programFolder;
    // Draw the display check pattern every frame.
    bool testPattern = false;
    // The random generator's seed; none takes it from the clock.
    std::optional<uint32_t> seed;
    // The program's name, which starts its messages.
    std::string programName = "marlit";
    // Called after every turn of the frame tick (frame counting, dumps).
    std::function<void(GameContext&)> afterTick;
    // Called once the player has started, just before the message loop
    // (a run that starts in a script), and once the loop has ended, before
    // shutdown (a dump of the state).
    std::function<void(GameContext&)> atStart;
    std::function<void(GameContext&)> atEnd;
};

class GameContext {
  public:
    GameContext(Platform& platform, const PlayerOptions& options);
    ~GameContext();
    GameContext(const GameContext&) = delete;
    GameContext& operator=(const GameContext&) = delete;

    // The window's end: the settings are written to marlitpc.cfg (once it
    // has been read) and the message loop is asked to end. Runs once
    // however often it is asked.
    void destroyWindow();
    bool windowDestroyed() const { return windowDestroyed_; }

    Platform& platform;
    // The screen size of this player, from its options.
    const ScreenGeometry geometry;
    DeviceScreen screen;
    // The frame clock (held still while the sprites update) and the random
    // numbers of this player.
    TickClock clock;
    GameRandom random;

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
    // marlitpc.cfg: its cached lines and its host path, set once it is read.
    ConfigCache config;
    std::string configPath;
    std::string programFolder;
    int32_t brightness = 256;  // 0 black .. 256 full
    int32_t backgroundFill = 0;
    int32_t clearBackground = 1;
    int32_t shakeX = 0;
    int32_t shakeY = 0;
    KeyList keyList;

    // --- the services the subsystems above are given ---
    std::unique_ptr<GraphicsOps> graphics;
    std::unique_ptr<GameSound> sound;
    std::unique_ptr<GameMovies> movies;

    // --- scenario level ---
    ScenarioState scenario;
    // The game tables of the data (manner list, places, day card), read at
    // start-up from the data set's folder or the program's data folder.
    ScenarioTables scenarioTables;
    std::unique_ptr<ScenarioSound> scenarioSound;
    // The interpreter: mode 99 of the mode table.
    std::unique_ptr<ScenarioEngine> scenarioEngine;
    // The system record, the logs and the save slots in the save folder:
    // made once the configuration has settled where that folder is.
    std::unique_ptr<PlayerLogs> playerLogs;
    std::unique_ptr<SaveSlots> saveSlots;
    // The message text's drawer (on the platform's glyph painter) and the
    // message window the text commands feed.
    std::unique_ptr<MessageTextDrawer> messageText;
    std::unique_ptr<MessageWindow> messageWindow;
    // The framing screens' voices, and the title (its menu for the state
    // dump).
    std::unique_ptr<TitleVoices> titleVoices;
    TitleScreen* titleScreen = nullptr;
    // The tables of the map, the day change and the endings, and the map
    // (its state for the state dump).
    std::unique_ptr<ScreenTables> screenTables;
    MapScreen* mapScreen = nullptr;

    // --- what plugs into the frame ---
    ModeTable modes;
    std::unique_ptr<FrameStages> stages;
    std::unique_ptr<TestPattern> testPattern;
    std::function<void(GameContext&)> afterTick;
    // Frames run (ticks in which a frame was due and the game stepped).
    uint64_t framesRun = 0;

    // One line on stderr, started by the program's name.
    void report(const std::string& text) const;

    // The player's own menu when it is the one in overlayMenu (the settings,
    // the keys and the save slots are shown in it), else null.
    OverlayMenu* menu() const;
    // Switches the menu's save items (a replayed scene turns them off).
    void enableSaveItems(bool on);
    bool menuOpen() const { return overlayMenu && overlayMenu->isOpen(); }
    bool moviePlaying() const { return display && display->movie != nullptr; }

    // The game tables: the data set's own (beside the picture pack that
    // the data places name) before the program's. Read again when the
    // configuration file moves the picture pack.
    void loadTables();
    // The host folder of the picture pack: where a data set keeps its own
    // tables.
    std::string dataSetFolder() const;
    // Where the game tables are looked for, in order: the data set's
    // folder, then the program's data folder.
    std::vector<std::string> tableFolders() const;

  private:
    std::string programName_;
    bool windowDestroyed_ = false;
};

}  // namespace marlit
