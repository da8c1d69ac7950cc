// Writing the back buffer into the device frame buffer: RGB565 by plain
// truncation, with the quarter turn between the landscape picture and the
// portrait device. Back buffer pixel (x, y) of a picture W wide lands at
// base + (W - 1 - x) * cbyPitch + y * cbxPitch.
#pragma once

#include <cstdint>

#include "player/core/display.h"
#include "player/core/rect.h"

namespace marlit {

inline uint16_t toRgb565(uint8_t blue, uint8_t green, uint8_t red) {
    return static_cast<uint16_t>((red >> 3) << 11 | (green >> 2) << 5 | (blue >> 3));
}

// Copies the back buffer's pixels from (sourceX, sourceY) into the device
// rectangle `destination` (back buffer coordinates); the whole back buffer
// when `destination` is null. The part of the rectangle that would fall
// outside the picture, on either side, is not written.
void copyRectToScreen(const Display& display, uint8_t* base, const Rect* destination, int sourceX,
                      int sourceY);

// Every pixel of the device frame buffer black.
void clearScreen(const DisplayProperties& properties, uint8_t* base);

}  // namespace marlit
