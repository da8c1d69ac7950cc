// The popup menu's way to the device frame buffer: the screen read into the
// menu's landscape drawing surface (RGB565 widened to 24 bits), the surface
// written back with the quarter turn, and a save's thumbnail put on it.
#pragma once

#include "player/core/device_screen.h"
#include "player/core/display.h"
#include "player/graphics/pixel_views.h"
#include "player/persist/save_thumbnail.h"

namespace marlit {

// Every pixel the device shows into `surface` (its properties give the
// layout): blue = v << 3, green = (v >> 3) & 0xFC, red = (v >> 8) & 0xF8.
// Pixels the device does not hold stay as they are.
void readScreen(DeviceScreen& screen, Display& surface);
// The whole surface onto the device.
void writeScreen(const Display& surface, DeviceScreen& screen);
// A thumbnail with a black frame, its top-left at (x, y), moved up to fit
// the surface's height; what falls off the surface is left out.
void drawThumbnail(const Surface& surface, const ThumbnailPixels& picture, int x, int y);

}  // namespace marlit
