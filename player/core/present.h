// Presenting a frame: the changed rectangles of the back buffer go to the
// device, or the whole picture shifted by the screen shake.
#pragma once

#include "player/core/device_screen.h"
#include "player/core/dirty_rect_list.h"
#include "player/core/display.h"

namespace marlit {

// With `full`, the whole screen is written, moved by (shakeX, shakeY); the
// strip it uncovers keeps what the device showed before. Without, every
// rectangle of `dirty` is written in place, and when there is none the
// device is not touched at all.
void present(Display& display, DeviceScreen& screen, const DirtyRectList& dirty, bool full,
             int shakeX, int shakeY);

// The whole back buffer to the device (the window was uncovered).
void repaint(Display& display, DeviceScreen& screen);

}  // namespace marlit
