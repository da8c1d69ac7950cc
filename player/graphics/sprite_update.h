// Moving sprites on by one frame: frame animations, transitions and the
// placing of their commands.
#pragma once

#include <cstdint>
#include <vector>

#include "player/graphics/sprite.h"
#include "player/graphics/transition.h"

namespace marlit {

// One frame of a sprite at time `now`. A transition may change the global
// brightness. False when the sprite is not to be drawn (finished).
bool updateSprite(Sprite& sprite, uint32_t now, int32_t& globalBrightness);

// Starts a frame animation at frame 0. Nothing for an empty table.
void startAnimation(Sprite& sprite, std::vector<AnimationFrame> frames, uint32_t now);

// Starts a transition program; false (nothing started) for an unknown effect
// code.
bool startTransition(Sprite& sprite, const TransitionParams& params, uint32_t now);

// One step of the sprite's transition (internal to the update).
void stepTransition(Sprite& sprite, uint32_t now, int32_t& globalBrightness);

}  // namespace marlit
