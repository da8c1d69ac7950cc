// Decoded sound as the converter hands it between decoding, resampling and
// encoding: interleaved signed 16-bit samples with their rate and channels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace marlit {

struct PcmFormat {
    uint32_t rate = 0;
    uint16_t channels = 0;

    bool operator==(const PcmFormat&) const = default;
};

struct PcmAudio {
    PcmFormat format;
    std::vector<int16_t> samples;  // interleaved, whole frames

    size_t frames() const { return format.channels ? samples.size() / format.channels : 0; }
};

}  // namespace marlit
