// The voice archive's table and its clips on untrusted bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "converter/voice_archive.h"
#include "converter/voice_clip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    auto archive = marlit::VoiceArchive::parse(bytes, size);
    if (!archive)
        return 0;
    for (const auto& clip : archive->clips()) {
        if (!clip.valid)
            continue;
        if (clip.offset + clip.length > size)
            __builtin_trap();
        auto body = bytes.subspan(clip.offset, clip.length);
        marlit::classifyVoiceClip(clip.name, body);
        marlit::voicePackName(clip.name);
        marlit::decodeVoiceClip(body);
    }
    return 0;
}
