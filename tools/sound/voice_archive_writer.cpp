#include "tools/sound/voice_archive_writer.h"

#include <zlib.h>

#include "base/bytes.h"
#include "converter/voice_archive.h"
#include "tools/sound/pcm_sound_writer.h"

namespace marlit::sound {

std::optional<std::vector<uint8_t>> writeVoiceArchive(const std::vector<VoiceArchiveClip>& clips,
                                                      std::string* error) {
    uint64_t offset = 4 + kVoiceRecordSize * static_cast<uint64_t>(clips.size());
    ByteWriter w;
    w.u32(static_cast<uint32_t>(clips.size()));
    for (const auto& clip : clips) {
        if (clip.name.empty() || clip.name.size() >= kVoiceNameSize) {
            if (error)
                *error = "voice clip name '" + clip.name + "' must be 1 to " +
                         std::to_string(kVoiceNameSize - 1) + " bytes";
            return std::nullopt;
        }
        if (offset > UINT32_MAX) {
            if (error)
                *error = "the voice archive passes 4 GiB at clip '" + clip.name + "'";
            return std::nullopt;
        }
        w.fixedText(clip.name, kVoiceNameSize);
        w.u32(static_cast<uint32_t>(offset));
        offset += clip.bytes.size();
    }
    for (const auto& clip : clips)
        w.bytes(clip.bytes);
    return w.take();
}

std::vector<uint8_t> archivedTransformClip(const PcmAudio& audio) {
    const std::vector<uint8_t> payload = transformEncode(audio.samples);
    uLongf size = compressBound(static_cast<uLong>(payload.size()));
    std::vector<uint8_t> compressed(size);
    compress2(compressed.data(), &size, payload.data(), static_cast<uLong>(payload.size()),
              Z_BEST_COMPRESSION);
    compressed.resize(size);
    ByteWriter w;
    w.bytes(soundHeader(audio.format, kTransformCodec,
                        static_cast<uint32_t>(audio.samples.size() * 2)));
    w.u32(static_cast<uint32_t>(compressed.size()));
    w.bytes(compressed);
    return w.take();
}

}  // namespace marlit::sound
