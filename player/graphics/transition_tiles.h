// The transition programs that draw a chain of commands instead of the
// sprite's own: by tiles (blinds, bands, tile fades, scatter) and by pixel
// rows (wave). Internal to the transitions.
#pragma once

#include <cstdint>

#include "player/graphics/sprite.h"

namespace marlit {

// Effects drawn over a grid of tiles.
bool isTileEffect(int effect);

// Gives every tile of a scatter its direction and speed.
void startScatter(Sprite& sprite);

// Rebuilds the sprite's chain for `elapsed` ms into its transition.
void stepTiles(Sprite& sprite, int64_t elapsed);

}  // namespace marlit
