// RIFF WAVE files: finding their format and data, and writing 16-bit PCM
// ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "converter/platform/pcm_audio.h"

namespace marlit {

struct WaveChunks {
    std::vector<uint8_t> fmt;  // the "fmt " chunk's bytes, at least 14
    size_t dataOffset = 0;     // of the "data" chunk's bytes in the file
    size_t dataLength = 0;     // cut to what the file holds
};

// Walks the chunks from offset 12 (each an 8-byte header and its data,
// padded to an even length) and takes the first "fmt " and the first
// non-empty "data". None when the bytes are not RIFF/WAVE or a chunk is
// missing.
std::optional<WaveChunks> ParseWave(std::span<const uint8_t> bytes);

// The PCM of a WAVE file (PCM format, 8 or 16 bits) as 16-bit samples.
std::optional<PcmAudio> decodeWave(std::span<const uint8_t> bytes, std::string* why = nullptr);

// A 44-byte WAVE header for PCM of `dataSize` bytes.
std::vector<uint8_t> waveHeader(PcmFormat format, uint16_t bitsPerSample, uint32_t dataSize);

// A whole 16-bit PCM WAVE file.
std::vector<uint8_t> writeWave(const PcmAudio& audio);

}  // namespace marlit
