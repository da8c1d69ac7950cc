// marlit-tool sound: decodes the game's sound files and converts them to MP3
// as the converter does.
#include <cstdio>

#include "base/command_args.h"
#include "base/files.h"
#include "converter/sound_convert.h"
#include "converter/wave_file.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/sound_options.h"
#include "tools/marlit_tool/tool_files.h"

namespace marlit::tool {
namespace {

const Command kDecode{
    "sound",
    "decode",
    "sound decode IN OUT.wav",
    "decode a sound file (any codec) or WAVE file to a 16-bit PCM WAVE file",
    "IN is a sound file of the game (raw, delta or transform coded) or a WAVE\n"
    "file. OUT is a 16-bit PCM WAVE file at IN's own rate and channel count.\n",
    "marlit-tool sound decode game/BGM/01.pcm 01.wav",
    [](std::span<const std::string> argv) -> int {
        Args args(argv, {}, {});
        if (!args.error().empty())
            return usageError(kDecode, args.error());
        if (args.positional().size() != 2)
            return usageError(kDecode, "needs IN and OUT.wav");
        const std::string& in = args.positional()[0];
        auto bytes = readInput(in);
        if (!bytes)
            return 1;
        std::string why;
        auto audio = decodeSound(*bytes, &why);
        if (!audio)
            return fail(in + ": " + why);
        if (!writeOutput(args.positional()[1], writeWave(*audio)))
            return 1;
        return 0;
    },
};

const Command kMp3{
    "sound",
    "mp3",
    "sound mp3 IN OUT.mp3 [--bitrate-index I] [--rate-index R] [--mono] [--voice]",
    "convert a sound file or WAVE file to MP3 as the converter does",
    "Decodes IN, resamples it to the chosen rate and channel count when they\n"
    "differ and encodes a constant bit rate MP3.\n"
    "Options:\n"
    "  --bitrate-index I   0-12: 16 32 48 64 80 96 112 128 160 192 224 256 320 kbit/s\n"
    "                      for stereo, half of that for mono (default 3)\n"
    "  --rate-index R      0: 22050 Hz, 1: 44100 Hz (default 0)\n"
    "  --mono              one channel (music and effects are stereo by default)\n"
    "  --voice             the voice settings: mono, 8 16 24 32 40 48 56 64 80 96\n"
    "                      112 128 160 kbit/s\n",
    "marlit-tool sound mp3 game/BGM/01.pcm 01.mp3 --bitrate-index 5",
    [](std::span<const std::string> argv) -> int {
        Args args(argv, {"bitrate-index", "rate-index"}, {"mono", "voice"});
        if (!args.error().empty())
            return usageError(kMp3, args.error());
        if (args.positional().size() != 2)
            return usageError(kMp3, "needs IN and OUT.mp3");
        Mp3Settings settings;
        std::string error;
        if (!readMp3Options(args, settings, error))
            return usageError(kMp3, error);
        settings.stereo = !args.flag("mono") && !args.flag("voice");
        const std::string& in = args.positional()[0];
        auto bytes = readInput(in);
        if (!bytes)
            return 1;
        std::string why;
        auto mp3 = ConvertSound(*bytes, settings, &why);
        if (!mp3)
            return fail(in + ": " + why);
        if (!writeOutput(args.positional()[1], *mp3))
            return 1;
        return 0;
    },
};

const Registrar kRegisterDecode(kDecode);
const Registrar kRegisterMp3(kMp3);

}  // namespace
}  // namespace marlit::tool
