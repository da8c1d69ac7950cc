// The pixel loops that put pictures and colour rectangles into the 24-bit
// back buffer: six families, four variants each, one dispatcher per family.
// The variant follows from (opacity == 256, brightness == 256): the common
// case without either runs the shortest loop.
//
// Opacity is 0..256 and brightness 0..512; values outside are clamped. Every
// dispatcher clips what it is given to the picture and to the surface before
// the loops run, so no request can read or write outside either.
#pragma once

#include <cstdint>

#include "player/graphics/pixel_views.h"

namespace marlit {

// Alpha picture: the source rectangle `src` of `pic` with its top-left at
// (x, y) of `dst`.
void blitAlpha(const Surface& dst, int x, int y, const PictureRef& pic, Rect src, int opacity,
               int brightness);

// Additive picture: source channels (weighted by alpha and opacity) are added
// to the destination, saturating at 255.
void blitAdditive(const Surface& dst, int x, int y, const PictureRef& pic, Rect src, int opacity,
                  int brightness);

// Fixed-point sampling of a rotated or scaled picture, 10 fraction bits: the
// box pixel at column i, row j reads source offset (u >> 10, v >> 10) from the
// source rectangle's top-left, u = uStart + i uStepX + j uStepY, v likewise.
struct Sampling {
    int64_t uStart = 0;
    int64_t vStart = 0;
    int64_t uStepX = 1024;
    int64_t vStepX = 0;
    int64_t uStepY = 0;
    int64_t vStepY = 1024;
};

// Cuts `box` down to `clip`, advancing the start of `sampling` past the
// skipped columns and rows. False when nothing is left.
bool clipBox(Rect& box, Sampling& sampling, const Rect& clip);

// Rotated and scaled alpha picture drawn into `box`; box pixels whose sample
// falls outside `src` (or outside the picture) are left alone.
void blitTransformed(const Surface& dst, Rect box, const PictureRef& pic, Rect src,
                     Sampling sampling, int opacity, int brightness);

// Crossfade of two pictures at the same source rectangle and place: `first`
// with weight opacity, `second` with 256 - opacity.
void blitCrossfade(const Surface& dst, int x, int y, const PictureRef& first,
                   const PictureRef& second, Rect src, int opacity, int brightness);

// Colour rectangles; colour is 0x00RRGGBB.
void fillColour(const Surface& dst, Rect rect, uint32_t colour, int opacity, int brightness);
void fillAdditive(const Surface& dst, Rect rect, uint32_t colour, int opacity, int brightness);

// Sets every pixel of `rect` to the colour, nothing else applied.
void fillBackground(const Surface& dst, Rect rect, uint32_t colour);

}  // namespace marlit
