#include "player/shell/game_context.h"

#include <cstdio>

#include "base/files.h"
#include "formats/mlz_reader.h"
#include "player/graphics/compositor.h"
#include "player/graphics/graphics_ops.h"
#include "player/graphics/message_text.h"
#include "player/persist/key_config.h"
#include "player/persist/player_logs.h"
#include "player/persist/save_slots.h"
#include "player/persist/settings_file.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/scenario_screen.h"
#include "player/scenario/scenario_sound.h"
#include "player/scenario/text_commands.h"
#include "player/screens/game_movie.h"
#include "player/screens/title_voices.h"
#include "player/shell/compositor_stages.h"
#include "player/shell/extras_screens.h"
#include "player/shell/framing_screens.h"
#include "player/shell/menu_setup.h"
#include "player/shell/overlay_menu.h"
#include "player/shell/route_screens.h"
#include "player/shell/test_pattern.h"

namespace marlit {

GameContext::GameContext(Platform& platform, const PlayerOptions& options)
    : platform(platform),
      geometry(ScreenGeometry::forBuild(options.vga)),
      screen(platform.display, options.vga),
      clock([&clock = platform.clock] { return clock.ticks(); }),
      frameTimer(clock) {
    // Window base.
    title = kDefaultTitle;

    // Engine core.
    keyList = platform.display.defaultKeys();
    keyMap.fill(keyList);
    input = InputState{};
    compositor = std::make_unique<Compositor>();
    display = std::make_unique<Display>(geometry.width, geometry.height);
    soundMixer = std::make_unique<SoundMixer>(
        &platform.waveOut, geometry.vga() ? SoundMixer::kVgaBufferSize : SoundMixer::kBufferSize,
        clock.source());
    musicPlayer = std::make_unique<MusicPlayer>(*soundMixer);
    dirtyRects = std::make_unique<DirtyRectList>();
    pictureReader = std::make_unique<MlzReader>();
    brightness = 256;
    clearBackground = 1;
    shakeX = 0;
    shakeY = 0;
    running = 1;
    settings = Settings{};
    programFolder = options.programFolder;
    paths = DataPaths::defaults(programFolder, geometry.vga());
    random.seed(options.seed ? *options.seed : clock.now());

    graphics = std::make_unique<GraphicsOps>(*compositor, *display, *dirtyRects, geometry, clock,
                                             *pictureReader, paths);
    sound = std::make_unique<GameSound>(*soundMixer, *musicPlayer, settings, paths,
                                        [this] { return moviePlaying(); });
    programName_ = options.programName;
    movies =
        std::make_unique<GameMovies>(*display, screen, *soundMixer, platform.clock, settings,
                                     geometry, [this](const std::string& text) { report(text); });

    // Scenario level: the game begins at the opening.
    scenario = ScenarioState{};
    loadTables();
    scenarioSound = std::make_unique<GameSoundChannels>(*sound);
    scenarioEngine = std::make_unique<ScenarioEngine>(
        scenario, ScenarioServices{*graphics, *scenarioSound, settings, input, random,
                                   *pictureReader, paths, scenarioTables, shakeX, shakeY,
                                   brightness, [this](const std::string& text) { report(text); },
                                   // The frame being run, counted from 1 as the shots are.
                                   [this] { return framesRun + 1; }});
    messageText = std::make_unique<MessageTextDrawer>(platform.glyphs, geometry);
    messageWindow = std::make_unique<MessageWindow>(*graphics, settings, messageText.get());
    installTextCommands(*scenarioEngine, *messageWindow);
    scenarioEngine->stopLockedSkip = [this] { settings.lockedSkip = 0; };
    compositor->overlay = [this](const Surface& backBuffer, std::span<const Rect> recomposed) {
        messageWindow->overlay(backBuffer, recomposed);
    };
    installOverlayMenu(*this);
    // Each mode's screen registers in the mode table.
    modes.set(kModeScenario, std::make_unique<ScenarioScreen>(*scenarioEngine));
    registerFramingScreens(*this);
    registerExtrasScreens(*this, [this](bool on) { enableSaveItems(on); });

    stages = makeCompositorStages();
    if (options.testPattern)
        testPattern = std::make_unique<TestPattern>();
    afterTick = options.afterTick;
}

GameContext::~GameContext() {
    modes = ModeTable{};
    titleScreen = nullptr;
    mapScreen = nullptr;
    titleVoices.reset();
    screenTables.reset();
    saveSlots.reset();
    playerLogs.reset();
    if (compositor)
        compositor->overlay = nullptr;
    scenarioEngine.reset();
    messageWindow.reset();
    messageText.reset();
    scenarioSound.reset();
    stages.reset();
    if (display)
        display->movie.reset();
    movies.reset();
    sound.reset();
    graphics.reset();
    compositor.reset();
    overlayMenu.reset();
    dirtyRects.reset();
    pictureReader.reset();
    musicPlayer.reset();
    soundMixer.reset();
    display.reset();
    keyMap.reset();
}

OverlayMenu* GameContext::menu() const {
    return dynamic_cast<OverlayMenu*>(overlayMenu.get());
}

void GameContext::enableSaveItems(bool on) {
    if (OverlayMenu* m = menu())
        m->enableSaveItems(on);
}

std::string GameContext::dataSetFolder() const {
    const std::string pack = hostPath(paths.picturePack);
    const size_t slash = pack.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : pack.substr(0, slash);
}

std::vector<std::string> GameContext::tableFolders() const {
    return {dataSetFolder(), scenarioDataFolder()};
}

void GameContext::loadTables() {
    TableReport tableReport;
    scenarioTables = loadScenarioTables(tableFolders(), tableReport);
    for (const std::string& warning : tableReport.warnings)
        report(warning);
    if (titleVoices)
        titleVoices->setPatterns(titleVoicePatterns(*this));
    if (screenTables)
        *screenTables = readScreenTables(*this);
}

void GameContext::report(const std::string& text) const {
    std::fprintf(stderr, "%s: %s\n", programName_.c_str(), text.c_str());
}

void GameContext::destroyWindow() {
    if (windowDestroyed_)
        return;
    windowDestroyed_ = true;
    if (!configPath.empty()) {
        WriteSettings(config, configPath, settings);
        if (OverlayMenu* own = menu())
            writeKeyBindings(config, configPath, own->keys());
        std::string why;
        if (!config.Flush(&why)) {
            report("cannot write " + configPath + ": " + why +
                   "; the settings of this run are not kept");
        }
    }
    // The system record and the logs go with the settings.
    if (playerLogs) {
        playerLogs->SaveSystem();
        playerLogs->WriteLogs();
    }
    platform.events.post(Event{EventType::Quit, 0, 0, 0});
    platform.display.destroyWindow();
}

}  // namespace marlit
