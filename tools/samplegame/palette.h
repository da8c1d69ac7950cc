// Colour reduction for the pictures stored with a palette.
#pragma once

#include "converter/bitmap.h"

namespace marlit::sample {

// The picture with at most 256 colours: each channel is rounded to fewer
// bits, one bit at a time, until the colours fit. Pictures of flat areas
// and text lose nothing visible; a picture that already fits is returned
// unchanged.
Bitmap reduceColours(Bitmap picture);

}  // namespace marlit::sample
