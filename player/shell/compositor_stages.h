// The compositor plugged into the frame tick: the picture side of every
// frame, working on the GameContext's compositor, back buffer and dirty
// rectangles.
#pragma once

#include <memory>

#include "player/shell/frame_stages.h"

namespace marlit {

std::unique_ptr<FrameStages> makeCompositorStages();

}  // namespace marlit
