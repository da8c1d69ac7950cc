// The engine's own small sprite sheet, "chip.rbp": a 128 x 128 picture of
// eight palette colours that the converter writes as the first record of
// every picture pack. Palette entry 0 is full magenta, the colour key.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace marlit {

struct ChipPicture {
    static constexpr int kSize = 128;
    std::array<std::array<uint8_t, 3>, 8> palette;  // R, G, B
    std::vector<uint8_t> indexes;                   // kSize * kSize palette indexes, rows top down
};

// The sheet for a screen percent: 40 (320 x 240) draws thin strokes, 80
// (640 x 480) strokes twice as thick, so the marks keep their weight on the
// larger screen.
ChipPicture makeChipPicture(int screenPercent);

// The sheet as 24-bit blue, green, red pixels, rows top down.
std::vector<uint8_t> chipPictureBgr(const ChipPicture& chip);

}  // namespace marlit
