// Drawing a decoded movie frame straight into the device frame buffer,
// centred on the screen, with the quarter turn of every screen write:
// picture pixel (x, y) of a screen W wide lands at
// base + (W - 1 - x) * cbyPitch + y * cbxPitch.
#pragma once

#include <cstdint>

#include "platform/display_device.h"

namespace marlit {

// Rows of RGB565 words, `stride` words apart (the decoder's padded width).
struct MovieFrameView {
    const uint16_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// The picture position of the frame's top-left pixel and how many of each
// row's pixels are drawn: below a screen width of 640 the frame is drawn
// 1:1 in groups of 8 pixels, from 640 on doubled (each pixel a 2 x 2
// block) in groups of 4, so the last width mod 8 (or 4) pixels of a row
// are never drawn.
struct MovieFramePlacement {
    int left = 0;
    int top = 0;
    int scale = 1;
    int drawnWidth = 0;
};

MovieFramePlacement placeMovieFrame(int screenWidth, int screenHeight, int frameWidth,
                                    int frameHeight);

// Writes the frame; what falls outside the screen or the device is cut off.
void drawMovieFrame(uint8_t* base, const DisplayProperties& device, int screenWidth,
                    int screenHeight, const MovieFrameView& frame);

}  // namespace marlit
