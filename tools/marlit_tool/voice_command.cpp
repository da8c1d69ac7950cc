// marlit-tool voice: lists the game's voice archive and writes the voice
// pack from it as the converter does.
#include <algorithm>
#include <atomic>
#include <cinttypes>
#include <cstdio>
#include <thread>

#include "base/command_args.h"
#include "base/encoding.h"
#include "converter/voice_archive.h"
#include "converter/voice_clip.h"
#include "converter/voice_pack.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/sound_options.h"
#include "tools/marlit_tool/tool_files.h"

namespace marlit::tool {
namespace {

constexpr size_t kSoundHeaderBytes = 32;

int defaultJobs() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

const Command kList{
    "voice",
    "list",
    "voice list voice.dat",
    "list the clips of a voice archive",
    "One line per clip, tab-separated: index, name (UTF-8), offset, length and\n"
    "kind (wave, pcm, transform, other). A clip whose offsets run backwards or\n"
    "past the end of the file is listed with length 0 and kind other, and\n"
    "named on stderr.\n",
    "marlit-tool voice list game/voice.dat",
    [](std::span<const std::string> argv) -> int {
        Args args(argv, {}, {});
        if (!args.error().empty())
            return usageError(kList, args.error());
        if (args.positional().size() != 1)
            return usageError(kList, "needs voice.dat");
        std::string why;
        auto archive = VoiceArchive::open(args.positional()[0], &why);
        if (!archive)
            return fail(args.positional()[0] + ": " + why);
        const auto& clips = archive->clips();
        int damaged = 0;
        for (size_t i = 0; i < clips.size(); ++i) {
            const VoiceClip& clip = clips[i];
            VoiceClipKind kind = VoiceClipKind::Other;
            if (clip.valid) {
                // The kind shows in the header.
                auto bytes = archive->readClip(i, kSoundHeaderBytes);
                if (bytes)
                    kind = classifyVoiceClip(clip.name, *bytes);
            } else {
                std::fprintf(stderr, "marlit-tool: clip %zu has offsets out of order\n", i);
                ++damaged;
            }
            std::printf("%zu\t%s\t%" PRIu64 "\t%" PRIu64 "\t%s\n", i, sjisToUtf8(clip.name).c_str(),
                        clip.offset, clip.length, voiceClipKindName(kind));
        }
        return damaged ? 1 : 0;
    },
};

const Command kPack{
    "voice",
    "pack",
    "voice pack voice.dat OUTDIR [--bitrate-index I] [--rate-index R] [--jobs N]",
    "write the voice pack OUTDIR/voice.mlz from a voice archive",
    "Every \".pcm\" clip becomes a mono MP3 record \"VOICE\\NAME.mp3\", one\n"
    "record per clip in archive order; clips that are not voices, \"OMAKE\" clips\n"
    "and clips that do not convert get records of size 0. Clips that do not\n"
    "convert are named on stderr and make the exit code 1. OUTDIR is made when\n"
    "it is missing.\n"
    "Options:\n"
    "  --bitrate-index I   0-12: 8 16 24 32 40 48 56 64 80 96 112 128 160 kbit/s\n"
    "                      (default 3)\n"
    "  --rate-index R      0: 22050 Hz, 1: 44100 Hz (default 0)\n"
    "  --jobs N            clips converted at once (default: one per core)\n",
    "marlit-tool voice pack game/voice.dat play/1",
    [](std::span<const std::string> argv) -> int {
        Args args(argv, {"bitrate-index", "rate-index", "jobs"}, {});
        if (!args.error().empty())
            return usageError(kPack, args.error());
        if (args.positional().size() != 2)
            return usageError(kPack, "needs voice.dat and OUTDIR");
        Mp3Settings settings;
        settings.stereo = false;
        std::string error;
        if (!readMp3Options(args, settings, error))
            return usageError(kPack, error);
        bool ok = true;
        const auto jobs = args.integer("jobs", 1, 256, ok);
        if (!ok)
            return usageError(kPack, "--jobs takes 1 to 256");
        // The folder is made as the converter makes its output folder.
        if (!makeOutputFolder(args.positional()[1]))
            return 1;
        std::atomic<int> done{0};
        std::atomic<int> total{0};
        std::vector<ConvertFailure> failures;
        const bool written = WriteVoicePack(args.positional()[0], args.positional()[1], settings,
                                            static_cast<int>(jobs.value_or(defaultJobs())),
                                            {done, total, {}}, failures);
        for (const auto& f : failures)
            fail(f.name + ": " + f.reason);
        if (!written)
            return 1;
        std::printf("%s: %d clips, %zu not converted\n", kVoicePackName, total.load(),
                    failures.size());
        return failures.empty() ? 0 : 1;
    },
};

const Registrar kRegisterList(kList);
const Registrar kRegisterPack(kPack);

}  // namespace
}  // namespace marlit::tool
