// The transform codec of the game's voices (and of music or effects with a
// codec other than 0 and 2). The payload is a run of 8192-byte blocks, each
// holding 2048 quantized complex frequency bins; a forward DFT of length
// 4096 turns a block into 4096 samples. Blocks follow each other every 4064
// samples and are cross-faded over the 32 samples in which they overlap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "converter/pcm_sound.h"

namespace marlit {

inline constexpr size_t kTransformBlockBytes = 8192;
inline constexpr size_t kTransformBlockSamples = 4096;
inline constexpr size_t kTransformBlockStep = 4064;

// Blocks needed to produce `samples` samples.
size_t transformBlocksFor(size_t samples);

// Decodes pcmSize / 2 samples from the payload. A last block cut short is
// read as if padded with zeros. None (and why) when the payload holds fewer
// blocks than the samples need; nothing is ever written past the PCM size.
std::optional<std::vector<int16_t>> DecodeTransformSound(std::span<const uint8_t> payload,
                                                         uint32_t pcmSize,
                                                         std::string* why = nullptr);

// DecodeTransformSound with the sound's PCM size, as audio in the sound's
// format (whole frames).
std::optional<PcmAudio> decodeTransformAudio(const PcmSound& sound,
                                             std::span<const uint8_t> payload,
                                             std::string* why = nullptr);

}  // namespace marlit
