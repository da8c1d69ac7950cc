// marlit-tool voice: lists the game's voice archive and writes the voice
// pack from it as the converter does.
#include <cinttypes>
#include <cstdio>

#include "base/encoding.h"
#include "converter/voice_archive.h"
#include "converter/voice_clip.h"
#include "tools/marlit_tool/args.h"
#include "tools/marlit_tool/command.h"

namespace marlit::tool {
namespace {

constexpr size_t kSoundHeaderBytes = 32;

const Command kList{
    "voice",
    "list",
    "voice list voice.dat",
    "list the clips of a voice archive",
    "One line per clip, tab-separated: index, name (UTF-8), offset, length and\n"
    "kind (wave, pcm, transform, other). A clip whose offsets run backwards or\n"
    "past the end of the file is listed with length 0 and kind other, and\n"
    "named on stderr.\n",
    [](std::span<const std::string> argv) -> int {
        Args args(argv, {}, {});
        if (!args.error().empty()) return usageError(kList, args.error());
        if (args.positional().size() != 1) return usageError(kList, "needs voice.dat");
        std::string why;
        auto archive = VoiceArchive::open(args.positional()[0], &why);
        if (!archive) return fail(args.positional()[0] + ": " + why);
        const auto& clips = archive->clips();
        int damaged = 0;
        for (size_t i = 0; i < clips.size(); ++i) {
            const VoiceClip& clip = clips[i];
            VoiceClipKind kind = VoiceClipKind::Other;
            if (clip.valid) {
                // The kind shows in the header.
                auto bytes = archive->readClip(i, kSoundHeaderBytes);
                if (bytes) kind = classifyVoiceClip(clip.name, *bytes);
            } else {
                std::fprintf(stderr, "marlit-tool: clip %zu has offsets out of order\n", i);
                ++damaged;
            }
            std::printf("%zu\t%s\t%" PRIu64 "\t%" PRIu64 "\t%s\n", i,
                        sjisToUtf8(clip.name).c_str(), clip.offset, clip.length,
                        voiceClipKindName(kind));
        }
        return damaged ? 1 : 0;
    },
};

const Registrar kRegisterList(kList);

}  // namespace
}  // namespace marlit::tool
