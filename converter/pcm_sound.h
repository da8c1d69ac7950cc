// The game's own sound file (".pcm"): a 28-byte header and PCM that is
// stored raw, delta coded or transform coded.
//
// Header, little-endian:
//   0  4  signature (anything but "RIFF": such a file is a WAVE file)
//   4  4  PCM size: bytes of 16-bit PCM the sound decodes to
//   8  1  codec: 0 raw PCM from 28, 2 delta bytes from 28 to the end, else
//         transform coded: payload size at 28, payload from 32
//   9  1  codec parameter (unused)
//  14  2  channels
//  16  4  sample rate
//  26  2  bits per sample
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "converter/platform/pcm_audio.h"

namespace marlit {

struct PcmSound {
    static constexpr size_t kHeaderSize = 28;
    static constexpr uint8_t kRawCodec = 0;
    static constexpr uint8_t kDeltaCodec = 2;

    uint32_t pcmSize = 0;
    uint8_t codec = 0;
    uint8_t codecParameter = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;

    bool isTransform() const { return codec != kRawCodec && codec != kDeltaCodec; }
    PcmFormat format() const { return {sampleRate, channels}; }
};

// True when the bytes begin with "RIFF".
bool isRiff(std::span<const uint8_t> bytes);

// The header of a sound file; none (and why) when the bytes are too short
// for it.
std::optional<PcmSound> readPcmSoundHeader(std::span<const uint8_t> bytes,
                                           std::string* why = nullptr);

// Checks what the decoders rely on: one or two channels and a usable rate.
bool plausibleFormat(const PcmSound& sound, std::string* why);

// The coded payload of a transform sound: its size at offset 28, its bytes
// from 32. None (and why) when the format is unusable or the file holds
// fewer bytes than the size says.
std::optional<std::span<const uint8_t>> transformPayload(const PcmSound& sound,
                                                         std::span<const uint8_t> bytes,
                                                         std::string* why = nullptr);

// A raw sound's PCM: PCM size bytes after the header, cut to whole frames.
// None (and why) when the file holds fewer bytes than the header claims.
std::optional<PcmAudio> decodeRawSound(const PcmSound& sound, std::span<const uint8_t> bytes,
                                       std::string* why = nullptr);

}  // namespace marlit
