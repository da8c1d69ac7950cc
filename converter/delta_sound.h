// The adaptive delta codec of the game's sounds (codec 2): one byte per
// 16-bit sample, each a signed step scaled by a shift that adapts to the
// signal.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace marlit {

// Decodes a whole codec-2 sound file (header included) into a RIFF WAVE
// image: a 44-byte header and PCM size bytes of 16-bit PCM. None (and why)
// when the header is unusable or the file holds fewer delta bytes than
// the PCM size needs.
std::optional<std::vector<uint8_t>> DecodeDeltaSound(std::span<const uint8_t> sound,
                                                     std::string* why = nullptr);

}  // namespace marlit
