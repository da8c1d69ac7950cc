#include "player/shell/game_context.h"

#include <cstdio>

#include "formats/mlz_reader.h"
#include "player/graphics/compositor.h"
#include "player/graphics/graphics_ops.h"
#include "player/persist/settings_file.h"
#include "player/screens/game_movie.h"
#include "player/shell/compositor_stages.h"
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

    stages = makeCompositorStages();
    if (options.testPattern)
        testPattern = std::make_unique<TestPattern>();
    afterTick = options.afterTick;
}

GameContext::~GameContext() {
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

void GameContext::report(const std::string& text) const {
    std::fprintf(stderr, "%s: %s\n", programName_.c_str(), text.c_str());
}

void GameContext::destroyWindow() {
    if (windowDestroyed_)
        return;
    windowDestroyed_ = true;
    if (!configPath.empty()) {
        WriteSettings(config, configPath, settings);
        std::string why;
        if (!config.Flush(&why)) {
            report("cannot write " + configPath + ": " + why +
                   "; the settings of this run are not kept");
        }
    }
    platform.events.post(Event{EventType::Quit, 0, 0, 0});
    platform.display.destroyWindow();
}

}  // namespace marlit
