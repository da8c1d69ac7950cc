#include "player/shell/game_context.h"

#include <cstdlib>

#include "base/clock.h"
#include "base/metrics.h"
#include "formats/mlz_reader.h"
#include "player/graphics/compositor.h"
#include "player/graphics/compositor_stages.h"
#include "player/shell/test_pattern.h"

namespace marlit {

namespace {

DataPaths defaultPaths(const std::string& folder) {
    DataPaths p;
    p.saveFolder = folder;
    p.picturePack = folder + (isVgaScreen() ? "1\\grpack_v.mlz" : "1\\grpack.mlz");
    p.picturePack2 = p.picturePack;
    p.soundEffectFolder = folder + "1\\";
    p.voicePack = folder + "1\\voice.mlz";
    p.musicFolder = folder + "1\\";
    p.movieFolder = folder;
    return p;
}

}  // namespace

GameContext::GameContext(Platform& platform, const PlayerOptions& options)
    : platform(platform), screen(platform.display, options.vga), vga(options.vga) {
    // Window base.
    title = kDefaultTitle;

    // Engine core.
    keyList = platform.display.defaultKeys();
    keyMap.fill(keyList);
    input = InputState{};
    compositor = std::make_unique<Compositor>();
    display = std::make_unique<Display>(screenWidth(), screenHeight());
    soundMixer = std::make_unique<SoundMixer>(
        &platform.waveOut, options.vga ? SoundMixer::kVgaBufferSize : SoundMixer::kBufferSize);
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
    paths = defaultPaths(programFolder);
    std::srand(now());

    // Scenario level: the game begins at the opening.
    scenario = ScenarioState{};

    stages = makeCompositorStages();
    if (options.testPattern)
        testPattern = std::make_unique<TestPattern>();
    afterTick = options.afterTick;
}

GameContext::~GameContext() {
    stages.reset();
    compositor.reset();
    overlayMenu.reset();
    dirtyRects.reset();
    pictureReader.reset();
    musicPlayer.reset();
    soundMixer.reset();
    display.reset();
    keyMap.reset();
}

void GameContext::destroyWindow() {
    if (windowDestroyed_)
        return;
    windowDestroyed_ = true;
    // The configuration file is written here once it is read at start-up.
    platform.events.post(Event{EventType::Quit, 0, 0, 0});
    platform.display.destroyWindow();
}

}  // namespace marlit
