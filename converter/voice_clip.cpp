#include "converter/voice_clip.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "converter/pcm_sound.h"
#include "converter/transform_sound.h"
#include "converter/voice_archive.h"
#include "converter/wave_file.h"

namespace marlit {

namespace {

// A clip's payload is inflated whole before decoding; a PCM size that asks
// for more than this (some 12 minutes at 44100 Hz) is taken for a lie
// rather than allowed to inflate a small stream into gigabytes.
constexpr size_t kMaxVoicePayload = 64u << 20;

// Inflates a zlib stream into a buffer that grows with the data, up to
// `limit` bytes: what the PCM size needs is all that is kept. None when the
// stream is damaged or ends too early to fill what is needed.
std::optional<std::vector<uint8_t>> inflatePayload(std::span<const uint8_t> compressed,
                                                   size_t limit, std::string* why) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        if (why)
            *why = "zlib could not start";
        return std::nullopt;
    }
    std::vector<uint8_t> out(std::min<size_t>(limit, std::max<size_t>(compressed.size() * 4, 1)));
    z.next_in = const_cast<Bytef*>(compressed.data());
    z.avail_in = static_cast<uInt>(compressed.size());
    size_t produced = 0;
    int status = Z_OK;
    while (produced < limit) {
        if (produced == out.size())
            out.resize(std::min(limit, out.size() * 2));
        const size_t room = std::min<size_t>(out.size() - produced, UINT32_MAX);
        z.next_out = out.data() + produced;
        z.avail_out = static_cast<uInt>(room);
        status = inflate(&z, Z_NO_FLUSH);
        produced += room - z.avail_out;
        if (status == Z_STREAM_END)
            break;
        if (status != Z_OK)
            break;
    }
    inflateEnd(&z);
    if (status != Z_OK && status != Z_STREAM_END) {
        if (why)
            *why = "the clip's payload does not inflate";
        return std::nullopt;
    }
    out.resize(produced);
    return out;
}

std::optional<PcmAudio> decodeCompressedTransform(const PcmSound& sound,
                                                  std::span<const uint8_t> bytes,
                                                  std::string* why) {
    auto compressed = transformPayload(sound, bytes, why);
    if (!compressed)
        return std::nullopt;
    const size_t needed = transformBlocksFor(sound.pcmSize / 2) * kTransformBlockBytes;
    if (needed > kMaxVoicePayload) {
        if (why)
            *why = "the clip's PCM size is too large for a voice";
        return std::nullopt;
    }
    auto payload = inflatePayload(*compressed, needed, why);
    if (!payload)
        return std::nullopt;
    return decodeTransformAudio(sound, *payload, why);
}

}  // namespace

VoiceClipKind classifyVoiceClip(std::string_view name, std::span<const uint8_t> bytes) {
    if (!hasPcmExtension(name))
        return VoiceClipKind::Other;
    if (isRiff(bytes))
        return VoiceClipKind::Wave;
    auto header = readPcmSoundHeader(bytes);
    if (!header)
        return VoiceClipKind::Other;
    return header->codec == PcmSound::kRawCodec ? VoiceClipKind::Pcm : VoiceClipKind::Transform;
}

const char* voiceClipKindName(VoiceClipKind kind) {
    switch (kind) {
        case VoiceClipKind::Wave:
            return "wave";
        case VoiceClipKind::Pcm:
            return "pcm";
        case VoiceClipKind::Transform:
            return "transform";
        case VoiceClipKind::Other:
            break;
    }
    return "other";
}

std::optional<PcmAudio> decodeVoiceClip(std::span<const uint8_t> bytes, std::string* why) {
    if (isRiff(bytes))
        return decodeWave(bytes, why);
    auto header = readPcmSoundHeader(bytes, why);
    if (!header)
        return std::nullopt;
    if (header->codec == PcmSound::kRawCodec)
        return decodeRawSound(*header, bytes, why);
    return decodeCompressedTransform(*header, bytes, why);
}

}  // namespace marlit
