// The sample game's sounds: music "AdvData\BGM\NN.pcm", effects
// "AdvData\SE\NNN.pcm" and the voice archive "voice.dat", each in the codec
// the catalogue gives it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace marlit::sample {

struct SoundJob {
    std::string path;  // in the game folder, "\" separated
    // The file's bytes; none, with the error set, when it cannot be made.
    std::function<std::optional<std::vector<uint8_t>>(std::string*)> make;
};

// `threads` is how many lines the voice archive speaks at once.
std::vector<SoundJob> soundJobs(bool small, int threads);

}  // namespace marlit::sample
