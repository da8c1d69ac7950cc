// Writes the game's voice archive ("voice.dat"): a count, a table of 64-byte
// records (60-byte Shift-JIS name, 32-bit offset) and the clips' bytes one
// after another. The layout is the one converter/voice_archive.h reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "converter/platform/pcm_audio.h"

namespace marlit::sound {

struct VoiceArchiveClip {
    std::string name;  // Shift-JIS, "speaker\file.pcm", at most 59 bytes
    std::vector<uint8_t> bytes;
};

// The archive; none, with `error` naming the clip, when a name does not fit
// its field or the archive would pass 4 GiB.
std::optional<std::vector<uint8_t>> writeVoiceArchive(const std::vector<VoiceArchiveClip>& clips,
                                                      std::string* error = nullptr);

// A transform-coded clip as the archive stores it: the sound file's header,
// then the size of the zlib-compressed payload at 28 and that stream at 32.
std::vector<uint8_t> archivedTransformClip(const PcmAudio& audio);

}  // namespace marlit::sound
