// Writes the game's sound files (".pcm") in each of their codecs: raw PCM,
// the adaptive delta bytes and the transform blocks. The layouts are the
// ones converter/pcm_sound.h, converter/delta_sound.h and
// converter/transform_sound.h read.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "converter/platform/pcm_audio.h"

namespace marlit::sound {

// The codec byte written for transform-coded sounds (any value but 0 and 2
// selects the transform codec).
inline constexpr uint8_t kTransformCodec = 1;

// The 28-byte header of a sound file that decodes to `pcmSize` bytes.
std::vector<uint8_t> soundHeader(PcmFormat format, uint8_t codec, uint32_t pcmSize);

// Codec 0: the header and the samples as they are.
std::vector<uint8_t> writeRawSound(const PcmAudio& audio);

// Codec 2: one signed step per sample, each scaled by a shift that the
// decoder adapts (down after a 0, up after 127 or -128). Steps are chosen
// greedily against the decoder's own state, so errors never accumulate.
std::vector<int8_t> deltaEncode(std::span<const int16_t> samples, uint16_t channels);
std::vector<uint8_t> writeDeltaSound(const PcmAudio& audio);

// The transform payload: one 8192-byte block per 4064 samples, each the
// quantized half spectrum of 4096 samples, so that a block overlapping the
// next one reproduces the same samples where the decoder cross-fades them.
std::vector<uint8_t> transformEncode(std::span<const int16_t> samples);
// A transform-coded sound file: header, payload size at 28, payload at 32.
// The voice archive stores the payload zlib-compressed instead
// (voice_archive_writer.h).
std::vector<uint8_t> writeTransformSound(const PcmAudio& audio);

}  // namespace marlit::sound
