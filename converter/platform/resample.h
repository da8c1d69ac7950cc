// Rate and channel conversion of 16-bit PCM (soxr, high quality).
#pragma once

#include <optional>
#include <string>

#include "converter/platform/pcm_audio.h"

namespace marlit {

// Rates the converter accepts from sound files: anything else is taken for
// a damaged header rather than resampled into an enormous buffer.
inline constexpr uint32_t kMinSampleRate = 4000;
inline constexpr uint32_t kMaxSampleRate = 192000;

// Converts source to target's rate and channel count. Down-mixing to mono
// averages the channels; mono up-mixes by copying; more than two channels
// keep their first two for stereo. The output is not dithered, so equal
// input gives equal output. None (and why) for formats it cannot take.
std::optional<PcmAudio> Resample(const PcmAudio& source, PcmFormat target,
                                 std::string* why = nullptr);

}  // namespace marlit
