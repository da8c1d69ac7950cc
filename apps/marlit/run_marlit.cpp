#include "apps/marlit/run_marlit.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "apps/marlit/frame_recorder.h"
#include "apps/marlit/movie_run.h"
#include "apps/marlit/player_options.h"
#include "apps/marlit/program_folder.h"
#include "apps/marlit/sound_check.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/input_script.h"
#include "platform/sdl/sdl_platform.h"
#include "player/shell/menu_commands.h"
#include "player/shell/startup.h"

namespace marlit::app {

namespace {

int failure(const std::string& text) {
    std::fprintf(stderr, "marlit: %s\n", text.c_str());
    return 1;
}

bool quits(const std::vector<ScriptedEvent>& script) {
    for (const ScriptedEvent& e : script) {
        if (e.event.type == EventType::Close)
            return true;
        if (e.event.type == EventType::Command && e.event.value == kCommandExit)
            return true;
    }
    return false;
}

RecorderOptions recorderOptions(const PlayerCommandLine& c) {
    RecorderOptions r;
    r.frames = c.frames;
    r.shots = c.shots;
    r.shotEvery = c.shotEvery;
    r.shotAt.insert(c.shotAt.begin(), c.shotAt.end());
    r.deviceShots = c.deviceShots;
    return r;
}

// Runs the player on a back end and reports a picture that failed to save.
template <typename Backend>
int play(Backend& backend, PlayerOptions options, const PlayerCommandLine& c) {
    if (!backend.glyphs().load())
        return failure(backend.glyphs().error());
    FrameRecorder recorder(recorderOptions(c), backend.display().frameBuffer());
    SoundCheck sound(c.playMusic, c.playVoice);
    MovieRun movie(c.movie);
    options.afterTick = [&recorder, &sound, &movie](GameContext& ctx) {
        recorder.afterTick(ctx);
        sound.afterTick(ctx);
        movie.afterTick(ctx);
    };
    int code = runPlayer(backend.platform(), options);
    if (!recorder.error().empty())
        return failure(recorder.error());
    if (!sound.error().empty())
        return failure(sound.error());
    if (!movie.error().empty())
        return failure(movie.error());
    return code;
}

}  // namespace

int runMarlit(int argc, char** argv, bool vga) {
    const char* program = argc > 0 ? argv[0] : "marlit";
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string error;
    auto c = parseCommandLine(args, &error);
    if (!c) {
        std::fprintf(stderr, "marlit: %s\n\n%s", error.c_str(), usageText(program).c_str());
        return 2;
    }
    if (c->help) {
        std::fputs(usageText(program).c_str(), stdout);
        return 0;
    }

    PlayerOptions options;
    options.vga = vga;
    options.programName = vga ? "marlit_vga" : "marlit";
    options.testPattern = c->testPattern;
    auto folder = systemFolder(c->dir.empty() ? executableFolder() : c->dir, &error);
    if (!folder)
        return failure(error);
    options.programFolder = *folder;
    if (!c->shots.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(c->shots, ec);
        if (ec)
            return failure(c->shots + ": cannot make the folder");
    }

    const int width = vga ? 640 : 320;
    const int height = vga ? 480 : 240;
    if (c->headless) {
        std::vector<ScriptedEvent> script;
        if (!c->input.empty()) {
            auto loaded = loadInputScript(c->input, ScriptScreen{width, height, vga}, &error);
            if (!loaded)
                return failure(error);
            script = std::move(*loaded);
        }
        bool playsOne = !c->playMusic.empty() || !c->playVoice.empty() || !c->movie.empty();
        if (!c->frames && !playsOne && !quits(script)) {
            std::fprintf(stderr,
                         "marlit: a headless run needs --frames N, --play-music, --play-voice, "
                         "--movie or an input that quits\n");
            return 2;
        }
        HeadlessPlatform backend(width, height, std::move(script), c->audioOut, c->font);
        int code = play(backend, options, *c);
        if (code == 0 && !backend.waveOut().recordingOk())
            return failure(c->audioOut + ": cannot write the sound");
        return code;
    }

    SdlDisplayOptions display;
    display.screenWidth = width;
    display.screenHeight = height;
    display.scale = c->scale;
    display.fullscreen = c->fullscreen;
    display.linearFilter = c->linearFilter;
    display.vga = vga;
    display.programFolder = options.programFolder;
    SdlPlatform backend(display, c->font);
    return play(backend, options, *c);
}

}  // namespace marlit::app
