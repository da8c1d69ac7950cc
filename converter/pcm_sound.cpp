#include "converter/pcm_sound.h"

#include <cstring>

#include "base/bytes.h"
#include "converter/platform/resample.h"

namespace marlit {

bool isRiff(std::span<const uint8_t> bytes) {
    return bytes.size() >= 4 && std::memcmp(bytes.data(), "RIFF", 4) == 0;
}

std::optional<PcmSound> readPcmSoundHeader(std::span<const uint8_t> bytes, std::string* why) {
    if (bytes.size() < PcmSound::kHeaderSize) {
        if (why)
            *why = "the file is shorter than its header";
        return std::nullopt;
    }
    ByteReader r(bytes);
    PcmSound s;
    r.skip(4);
    s.pcmSize = r.u32();
    s.codec = r.u8();
    s.codecParameter = r.u8();
    r.skip(4);
    s.channels = r.u16();
    s.sampleRate = r.u32();
    r.skip(6);
    s.bitsPerSample = r.u16();
    return s;
}

bool plausibleFormat(const PcmSound& sound, std::string* why) {
    if (sound.channels != 1 && sound.channels != 2) {
        if (why)
            *why = "the sound has " + std::to_string(sound.channels) +
                   " channels where 1 or 2 can be played";
        return false;
    }
    if (sound.sampleRate < kMinSampleRate || sound.sampleRate > kMaxSampleRate) {
        if (why)
            *why = "the sound's rate of " + std::to_string(sound.sampleRate) + " Hz is outside " +
                   std::to_string(kMinSampleRate) + " to " + std::to_string(kMaxSampleRate) + " Hz";
        return false;
    }
    return true;
}

std::optional<std::span<const uint8_t>> transformPayload(const PcmSound& sound,
                                                         std::span<const uint8_t> bytes,
                                                         std::string* why) {
    if (!plausibleFormat(sound, why))
        return std::nullopt;
    if (bytes.size() < PcmSound::kHeaderSize + 4) {
        if (why)
            *why = "the file is shorter than its header";
        return std::nullopt;
    }
    const uint32_t size = loadU32(bytes.data() + PcmSound::kHeaderSize);
    const auto payload = bytes.subspan(PcmSound::kHeaderSize + 4);
    if (size > payload.size()) {
        if (why)
            *why = "the header claims more payload than the file holds";
        return std::nullopt;
    }
    return payload.first(size);
}

std::optional<PcmAudio> decodeRawSound(const PcmSound& sound, std::span<const uint8_t> bytes,
                                       std::string* why) {
    if (!plausibleFormat(sound, why))
        return std::nullopt;
    const size_t available = bytes.size() - PcmSound::kHeaderSize;
    if (sound.pcmSize > available) {
        if (why)
            *why = "the header claims more PCM than the file holds";
        return std::nullopt;
    }
    PcmAudio audio;
    audio.format = sound.format();
    const size_t frames = sound.pcmSize / (2u * sound.channels);
    audio.samples.resize(frames * sound.channels);
    const uint8_t* p = bytes.data() + PcmSound::kHeaderSize;
    for (size_t i = 0; i < audio.samples.size(); ++i) {
        audio.samples[i] = static_cast<int16_t>(loadU16(p + 2 * i));
    }
    return audio;
}

}  // namespace marlit
