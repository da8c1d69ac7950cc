// One clip of the voice archive: a WAVE file or a sound file whose
// transform payload (any codec but 0) is zlib-compressed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "converter/platform/pcm_audio.h"

namespace marlit {

enum class VoiceClipKind { Wave, Pcm, Transform, Other };

// What a clip holds: clips without the ".pcm" extension and clips shorter
// than a sound file's header are Other.
VoiceClipKind classifyVoiceClip(std::string_view name, std::span<const uint8_t> bytes);
// "wave", "pcm", "transform" or "other".
const char* voiceClipKindName(VoiceClipKind kind);

// A clip's PCM at its own rate and channels. None (and why) for clips that
// are too short, lie about their sizes, or carry a payload that does not
// inflate.
std::optional<PcmAudio> decodeVoiceClip(std::span<const uint8_t> bytes, std::string* why = nullptr);

}  // namespace marlit
