#include "apps/marlit/run_marlit.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>

#include "apps/marlit/data_set.h"
#include "apps/marlit/frame_recorder.h"
#include "apps/marlit/movie_run.h"
#include "apps/marlit/player_options.h"
#include "apps/marlit/program_folder.h"
#include "apps/marlit/scenario_run.h"
#include "apps/marlit/sound_check.h"
#include "base/version.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/input_script.h"
#include "platform/sdl/sdl_platform.h"
#include "player/shell/game_context.h"
#include "player/shell/menu_commands.h"
#include "player/shell/startup.h"

namespace marlit::app {

namespace {

constexpr double kFrameSeconds = 0.016;

// Messages start with the program's name: marlit or marlit_vga.
struct Program {
    const char* name;

    int failure(const std::string& text) const {
        std::fprintf(stderr, "%s: %s\n", name, text.c_str());
        return 1;
    }
    int usageError(const std::string& text) const {
        std::fprintf(stderr, "%s: %s (see %s --help)\n", name, text.c_str(), name);
        return 2;
    }
};

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

// The last line of a headless run: how long it ran and what it wrote where.
void reportHeadlessRun(const FrameRecorder& recorder, const PlayerCommandLine& c) {
    std::string wrote;
    if (recorder.picturesWritten() != 0) {
        wrote = std::to_string(recorder.picturesWritten()) + " picture" +
                (recorder.picturesWritten() == 1 ? "" : "s") + " into " + c.shots;
    }
    if (!c.audioOut.empty())
        wrote += (wrote.empty() ? "" : " and ") + std::string("the sound into ") + c.audioOut;
    if (wrote.empty())
        wrote = "nothing (--shots and --audio-out write pictures and sound)";
    std::printf("ran %llu frames headless (%.2f s); wrote %s\n",
                static_cast<unsigned long long>(recorder.frames()),
                static_cast<double>(recorder.frames()) * kFrameSeconds, wrote.c_str());
}

// Runs the player on a back end; reports a picture or a sound that failed.
// `watch` is told of the game when it starts and once more, with none,
// when it ends.
template <typename Backend>
int play(const Program& program, Backend& backend, PlayerOptions options,
         const PlayerCommandLine& c, FrameRecorder& recorder,
         std::function<void(GameContext*)> watch = {}) {
    if (!backend.glyphs().load())
        return program.failure(backend.glyphs().error());
    SoundCheck sound(c.playMusic, c.playVoice);
    MovieRun movie(c.movie);
    ScenarioRun scenario(c.script, c.trace, c.dumpState, c.textLog);
    options.afterTick = [&recorder, &sound, &movie, &scenario](GameContext& ctx) {
        recorder.afterTick(ctx);
        scenario.afterTick(ctx);
        sound.afterTick(ctx);
        movie.afterTick(ctx);
    };
    options.atStart = [&scenario, &watch](GameContext& ctx) {
        if (watch)
            watch(&ctx);
        scenario.atStart(ctx);
    };
    options.atEnd = [&scenario, &watch](GameContext& ctx) {
        scenario.atEnd(ctx);
        if (watch)
            watch(nullptr);
    };
    int code = runPlayer(backend.platform(), options);
    if (!scenario.error().empty())
        return program.failure(scenario.error());
    if (!recorder.error().empty())
        return program.failure(recorder.error());
    if (!sound.error().empty())
        return program.failure(sound.error());
    if (!movie.error().empty())
        return program.failure(movie.error());
    return code;
}

// The program folder and the data set in it, checked before the player
// starts; none when the run can go on, else the exit code.
std::optional<int> checkFolders(const Program& program, const PlayerCommandLine& c,
                                PlayerOptions& options) {
    std::string error;
    const std::string hostFolder = c.dir.empty() ? executableFolder() : c.dir;
    auto folder = systemFolder(hostFolder, &error);
    if (!folder)
        return program.failure(error);
    options.programFolder = *folder;
    // The display check and the sound checks need no picture pack; the
    // sound checks name the file they miss themselves.
    bool needsDataSet =
        !c.testPattern && c.playMusic.empty() && c.playVoice.empty() && c.movie.empty();
    if (needsDataSet) {
        if (auto missing = missingConfiguredDataSet(hostFolder, *folder, options.vga))
            return program.failure(*missing);
    }
    if (!c.shots.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(c.shots, ec);
        if (ec)
            return program.failure(c.shots + ": cannot make the folder");
    }
    return std::nullopt;
}

int runHeadless(const Program& program, PlayerOptions options, const PlayerCommandLine& c) {
    const int width = options.vga ? 640 : 320;
    const int height = options.vga ? 480 : 240;
    std::vector<ScriptedEvent> script;
    if (!c.input.empty()) {
        std::string error;
        auto loaded = loadInputScript(c.input, ScriptScreen{width, height, options.vga}, &error);
        if (!loaded)
            return program.failure(error);
        script = std::move(*loaded);
    }
    bool playsOne = !c.playMusic.empty() || !c.playVoice.empty() || !c.movie.empty();
    if (!c.frames && !playsOne && !quits(script))
        return program.usageError(
            "a headless run needs --frames N, --play-music, --play-voice, --movie or an input "
            "that quits");
    if (auto code = checkFolders(program, c, options))
        return *code;
    HeadlessPlatform backend(width, height, std::move(script), c.audioOut, c.font);
    FrameRecorder recorder(recorderOptions(c), backend.display().frameBuffer());
    // The input script's waits follow the game's top-level mode and the
    // story's script.
    auto watch = [&backend](GameContext* ctx) {
        if (ctx)
            backend.events().watchGame([ctx](const GameWait& w) {
                const ScenarioState& s = ctx->scenario;
                if (w.mode >= 0)
                    return s.mode == w.mode;
                return s.mode == kModeScenario && s.scriptName == w.script;
            });
        else
            backend.events().watchGame(nullptr);
    };
    int code = play(program, backend, options, c, recorder, watch);
    // The recording of a run that failed is not kept.
    std::string why;
    if (code == 0 && !backend.waveOut().keepRecording(&why))
        return program.failure("cannot write the sound to " + c.audioOut + ": " + why);
    if (code == 0)
        reportHeadlessRun(recorder, c);
    return code;
}

int runInWindow(const Program& program, PlayerOptions options, const PlayerCommandLine& c) {
    if (auto code = checkFolders(program, c, options))
        return *code;
    SdlDisplayOptions display;
    display.screenWidth = options.vga ? 640 : 320;
    display.screenHeight = options.vga ? 480 : 240;
    display.scale = c.scale;
    display.fullscreen = c.fullscreen;
    display.linearFilter = c.linearFilter;
    display.vga = options.vga;
    display.programFolder = options.programFolder;
    SdlPlatform backend(display, c.font);
    if (std::string why = SdlDisplay::whyNoWindow(); !why.empty())
        return program.failure(why + "; run with --headless to play without a window");
    FrameRecorder recorder(recorderOptions(c), backend.display().frameBuffer());
    int code = play(program, backend, options, c, recorder);
    if (code == 0 && !backend.display().problem().empty())
        return program.failure(backend.display().problem());
    return code;
}

}  // namespace

int runMarlit(int argc, char** argv, bool vga) {
    const Program program{vga ? "marlit_vga" : "marlit"};
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string error;
    auto c = parseCommandLine(args, &error);
    if (!c)
        return program.usageError(error);
    if (c->help) {
        std::fputs(usageText(program.name).c_str(), stdout);
        return 0;
    }
    if (c->version) {
        std::printf("%s\n", versionLine(program.name).c_str());
        return 0;
    }

    PlayerOptions options;
    options.vga = vga;
    options.programName = program.name;
    options.testPattern = c->testPattern;
    // A headless run repeats itself: its seed is fixed unless given.
    options.seed = c->seed;
    if (!options.seed && c->headless)
        options.seed = 1;
    return c->headless ? runHeadless(program, options, *c) : runInWindow(program, options, *c);
}

}  // namespace marlit::app
