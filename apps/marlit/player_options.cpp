#include "apps/marlit/player_options.h"

#include "base/command_args.h"

namespace marlit::app {

namespace {

std::optional<std::vector<uint64_t>> frameList(const std::string& text) {
    std::vector<uint64_t> list;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t comma = text.find(',', pos);
        if (comma == std::string::npos)
            comma = text.size();
        auto n = parseInteger(text.substr(pos, comma - pos));
        if (!n || *n < 1 || static_cast<uint64_t>(*n) > kMaxFrames)
            return std::nullopt;
        list.push_back(static_cast<uint64_t>(*n));
        pos = comma + 1;
    }
    return list;
}

}  // namespace

std::optional<PlayerCommandLine> parseCommandLine(const std::vector<std::string>& args,
                                                  std::string* error) {
    Args a(args,
           {"dir", "input", "frames", "shots", "shot-every", "shot-at", "scale", "filter",
            "audio-out", "play-music", "play-voice", "font", "movie", "script", "trace",
            "dump-state", "text-log", "seed"},
           {"headless", "device-shots", "test-pattern", "fullscreen", "help", "version"});
    auto fail = [error](std::string text) -> std::optional<PlayerCommandLine> {
        *error = std::move(text);
        return std::nullopt;
    };
    if (!a.error().empty())
        return fail(a.error());
    if (!a.positional().empty())
        return fail("unexpected argument '" + a.positional()[0] + "'");

    PlayerCommandLine c;
    c.help = a.flag("help");
    c.version = a.flag("version");
    c.headless = a.flag("headless");
    c.deviceShots = a.flag("device-shots");
    c.testPattern = a.flag("test-pattern");
    c.fullscreen = a.flag("fullscreen");
    c.dir = a.value("dir").value_or("");
    c.input = a.value("input").value_or("");
    c.shots = a.value("shots").value_or("");
    c.audioOut = a.value("audio-out").value_or("");
    c.playMusic = a.value("play-music").value_or("");
    c.playVoice = a.value("play-voice").value_or("");
    c.font = a.value("font").value_or("");
    c.movie = a.value("movie").value_or("");
    c.script = a.value("script").value_or("");
    c.trace = a.value("trace").value_or("");
    c.dumpState = a.value("dump-state").value_or("");
    c.textLog = a.value("text-log").value_or("");
    bool ok = true;
    if (auto n = a.integer("frames", 1, static_cast<long>(kMaxFrames), ok)) {
        c.frames = static_cast<uint64_t>(*n);
    }
    if (!ok)
        return fail("--frames takes a number of frames from 1 to " + std::to_string(kMaxFrames));
    c.shotEvery = static_cast<uint64_t>(
        a.integer("shot-every", 1, static_cast<long>(kMaxFrames), ok).value_or(0));
    if (!ok)
        return fail("--shot-every takes a number of frames from 1 on");
    c.scale = static_cast<int>(a.integer("scale", 1, 16, ok).value_or(0));
    if (!ok)
        return fail("--scale takes a whole number from 1 to 16");
    if (auto seed = a.integer("seed", 0, 4294967295L, ok))
        c.seed = static_cast<uint32_t>(*seed);
    if (!ok)
        return fail("--seed takes a whole number from 0 to 4294967295");
    if (auto at = a.value("shot-at")) {
        auto list = frameList(*at);
        if (!list)
            return fail("--shot-at takes frame numbers separated by commas");
        c.shotAt = *list;
    }
    if (auto filter = a.value("filter")) {
        if (*filter != "nearest" && *filter != "linear")
            return fail("--filter is nearest or linear");
        c.linearFilter = *filter == "linear";
    }
    if (c.help || c.version)
        return c;

    if (!c.input.empty() && !c.headless)
        return fail("--input needs --headless");
    if (!c.audioOut.empty() && !c.headless)
        return fail("--audio-out needs --headless");
    if (int(!c.playMusic.empty()) + int(!c.playVoice.empty()) + int(!c.movie.empty()) +
            int(!c.script.empty()) >
        1)
        return fail("--play-music, --play-voice, --movie and --script go one at a time");
    bool choosesShots = c.shotEvery != 0 || !c.shotAt.empty() || c.deviceShots;
    if (choosesShots && c.shots.empty())
        return fail("--shot-every, --shot-at and --device-shots need --shots DIR");
    if (!c.shots.empty() && c.shotEvery == 0 && c.shotAt.empty()) {
        if (!c.frames)
            return fail(
                "--shots needs --shot-every, --shot-at or --frames (a shot of the last frame)");
        c.shotAt.push_back(*c.frames);
    }
    return c;
}

std::string usageText(const char* program) {
    std::string p(program);
    return "usage: " + p +
           " [OPTION...]\n"
           "Plays the game that convMarlitPC converted into the data folder DIR/1:\n"
           "the picture pack grpack.mlz (grpack_v.mlz for marlit_vga), the music\n"
           "and the voice pack voice.mlz.\n\n"
           "  --dir DIR          the program folder: marlitpc.cfg and the data folder \"1\"\n"
           "                     are there (default: the folder of this program)\n"
           "  --headless         no window and no sound device; a virtual clock that moves\n"
           "                     only while the player waits, so runs are repeatable\n"
           "  --input FILE       scripted input for --headless, one event per line:\n"
           "                       TIME key down|up NAME, TIME press NAME, TIME tap X Y,\n"
           "                       TIME drag X Y, TIME release, TIME wheel up|down,\n"
           "                       TIME command ID, TIME quit, TIME wait mode N,\n"
           "                       TIME wait script LABEL, TIME every MS ...\n"
           "                     (TIME in ms; NAME up, down, left, right, start, a, b, c,\n"
           "                     menu; X, Y in screen pixels; \"wait mode N\" ends what\n"
           "                     comes before it once the game is in mode N (0 logo, 1 title,\n"
           "                     10 day change, 20 map, 30 music room, 40 pictures,\n"
           "                     50 scenes, 80 ending, 85 staff roll, 99 story), and\n"
           "                     the times after it count from then; \"wait script\n"
           "                     LABEL\" the same until the story runs that script;\n"
           "                     \"every MS tap X Y\" or \"every MS press NAME\" repeats\n"
           "                     until the next wait ends it)\n"
           "  --frames N         end after N frames (a frame is 16 ms)\n"
           "  --shots DIR        write the screen as DIR/frame_NNNNNN.png\n"
           "  --shot-every K     ... every K-th frame\n"
           "  --shot-at F1,F2    ... at these frames (default with --frames: the last)\n"
           "  --device-shots     also write the device frame buffer, DIR/device_NNNNNN.png\n"
           "  --test-pattern     draw the display check pattern (bars, gradients, grid,\n"
           "                     the keys pressed and the stylus) every frame\n"
           "  --audio-out FILE   with --headless, write all the sound played to FILE (WAV)\n"
           "  --play-music NAME  play NAME from the music folder (e.g. 01.mp3) with music\n"
           "                     on at full volume, then end\n"
           "  --play-voice NAME  the same for a clip of the voice pack\n"
           "  --movie FILE       play the movie FILE (.jmv, with FILE's .mp3 as its sound\n"
           "                     when there is one), then end\n"
           "  --script LABEL     start a new game in the script LABEL (e.g. 0223a_f01),\n"
           "                     past the logo and the title\n"
           "  --trace FILE       write one line per script command run: frame, script,\n"
           "                     position, command, operands; and FRAME mode N when the\n"
           "                     game goes into mode N\n"
           "  --dump-state FILE  when the run ends, write the scenario's state (script,\n"
           "                     position, variables, pictures, sprites, sound; the\n"
           "                     title's menu, the map, an extra screen's cursor) as JSON\n"
           "  --text-log FILE    append every message as it is laid out, one UTF-8 line:\n"
           "                     script, message number, speaker, voice, text (tabs\n"
           "                     between; a FIFO works too)\n"
           "  --seed N           the seed of the random numbers (which character the\n"
           "                     title's voices take); default: the clock, 1 with --headless\n"
           "  --font FILE        paint text with this font file (default: IPAGothic, or\n"
           "                     another fixed-pitch Japanese font, found by fontconfig)\n"
           "  --scale N          window scale (default: the largest that fits)\n"
           "  --fullscreen       take the whole screen\n"
           "  --filter MODE      nearest (default) or linear scaling\n"
           "  --version          the program's version\n"
           "  --help             this text\n\n"
           "Keys: arrows, Enter or Space (centre), Z (A), X or Escape (B, the menu), C;\n"
           "a game controller's D-pad, A, B, X and Start; the mouse is the stylus.\n"
           "A headless run needs --frames, --play-music, --play-voice, --movie or an\n"
           "input that quits.\n";
}

}  // namespace marlit::app
