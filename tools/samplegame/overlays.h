// Overlays laid over a character: a splash of sea water and a blush,
// 800 × 600 like the sprites so that they line up with them.
#pragma once

#include "tools/samplegame/canvas.h"

namespace marlit::sample {

Canvas paintSplash();
Canvas paintBlush();

}  // namespace marlit::sample
