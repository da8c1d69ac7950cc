// Set-up of a rotated or scaled picture command: the box of screen pixels it
// covers and the fixed-point walk through its source. Floating point is used
// here, once per command, never per pixel.
#pragma once

#include <optional>

#include "player/graphics/blit.h"
#include "player/graphics/draw_command.h"

namespace marlit {

struct TransformBox {
    Rect box;
    Sampling sampling;
};

// None when a scale of zero or below leaves nothing to draw.
std::optional<TransformBox> setUpTransform(const DrawCommand& command);

}  // namespace marlit
