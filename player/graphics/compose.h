// Composing the draw chain into one dirty rectangle of the back buffer.
#pragma once

#include <cstdint>

#include "player/graphics/draw_command.h"
#include "player/graphics/picture_slots.h"
#include "player/graphics/pixel_views.h"

namespace marlit {

// The compositor's part of the screen state (kept by the game between
// frames): the global brightness 0..512 (256 normal), whether the cleared
// background takes the grey of that brightness, and whether rectangles are
// cleared before drawing.
struct ScreenLook {
    int32_t brightness = 256;
    int32_t backgroundFill = 0;
    int32_t clearBackground = 1;
};

// The grey 0x00LLLLLL of a brightness, for fills; brightness above 256 stays
// at white.
uint32_t greyOf(int brightness);

// Draws one command clipped to `clip`. A brightness command changes
// `brightness`, which every later command of the walk then uses.
void composeCommand(const Surface& dst, const DrawCommand& command, const Rect& clip,
                    const PictureSlots& pictures, int32_t& brightness);

// Clears `clip` as `look` says and walks the whole chain from `head` into it.
void composeRect(const Surface& dst, const DrawCommand* head, const Rect& clip,
                 const PictureSlots& pictures, ScreenLook& look);

}  // namespace marlit

namespace marlit {

// Composes every rectangle of `rects`. Each rectangle's walk starts from the
// global brightness the frame started with, so that a brightness command
// affects what follows it alike in every rectangle; the value the walk ends
// with is kept for the next frame.
template <class Rects>
void composeFrame(const Surface& dst, const DrawCommand* head, const Rects& rects,
                  const PictureSlots& pictures, ScreenLook& look) {
    const int32_t start = look.brightness;
    int32_t end = start;
    for (const Rect& r : rects) {
        look.brightness = start;
        composeRect(dst, head, r, pictures, look);
        end = look.brightness;
    }
    look.brightness = end;
}

}  // namespace marlit
