// The command line of marlit and marlit_vga.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marlit::app {

struct PlayerCommandLine {
    std::string dir;  // empty: the folder of the program
    bool headless = false;
    std::string input;
    std::optional<uint64_t> frames;
    std::string shots;
    uint64_t shotEvery = 0;
    std::vector<uint64_t> shotAt;
    bool deviceShots = false;
    bool testPattern = false;
    int scale = 0;
    bool fullscreen = false;
    bool linearFilter = false;
    std::string audioOut;   // headless: record the sound to this WAV file
    std::string playMusic;  // play this piece, then end
    std::string playVoice;  // play this voice clip, then end
    std::string font;       // the font file; empty: the gothic font fontconfig finds
    std::string movie;      // play this .jmv file, then end
    std::string script;     // start a new game in this script (mode 99)
    std::string trace;      // one line per executed script command
    std::string dumpState;  // the scenario's state as JSON at the end
    std::string textLog;    // every message appended as it is laid out
    // The seed of the player's random numbers (the title's voices): none
    // takes the clock in a window and 1 headless.
    std::optional<uint32_t> seed;
    bool help = false;
    bool version = false;
};

constexpr uint64_t kMaxFrames = 100'000'000;  // the virtual clock spans 49 days

// Parses the arguments (without the program name); none with `error` set on
// a usage error.
std::optional<PlayerCommandLine> parseCommandLine(const std::vector<std::string>& args,
                                                  std::string* error);

// The --help text.
std::string usageText(const char* program);

}  // namespace marlit::app
