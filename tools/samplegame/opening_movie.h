// The opening movie the title plays before it shows itself: "OP.jmv" with
// its sound "OP.mp3" beside it. The camera comes down the sky over the cape
// while petals fall, and the game's name fades in over the headland.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/samplegame/text.h"

namespace marlit::sample {

inline constexpr int kOpeningWidth = 320;
inline constexpr int kOpeningHeight = 240;
inline constexpr int kOpeningFps = 15;
inline constexpr int kOpeningSeconds = 6;

// The movie file: kOpeningFps x kOpeningSeconds frames.
std::optional<std::vector<uint8_t>> makeOpeningMovie(const Font& font, std::string* why);
// Its sound as MP3, exactly as long as the frames, fading out at the end.
std::optional<std::vector<uint8_t>> makeOpeningSound(std::string* why);

}  // namespace marlit::sample
