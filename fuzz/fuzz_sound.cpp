// The sound decoders on untrusted bytes: a sound file or WAVE file as the
// music group reads it, and the same bytes as a clip of the voice archive.
#include <cstddef>
#include <cstdint>
#include <span>

#include "converter/sound_convert.h"
#include "converter/voice_clip.h"
#include "converter/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    auto sound = marlit::decodeSound(bytes);
    if (sound && sound->samples.size() % sound->format.channels != 0)
        __builtin_trap();
    auto clip = marlit::decodeVoiceClip(bytes);
    if (clip && clip->samples.size() % clip->format.channels != 0)
        __builtin_trap();
    marlit::ParseWave(bytes);
    return 0;
}
