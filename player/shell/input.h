// The key and stylus handlers and the once-per-frame latch.
#pragma once

#include <cstdint>

namespace marlit {

class GameContext;

// A key went down (down = true) or up, with its code.
void onKey(GameContext& context, int32_t code, bool down);

// Stylus messages in device coordinates (portrait).
void onStylusDown(GameContext& context, int32_t x, int32_t y);
void onStylusMove(GameContext& context, int32_t x, int32_t y);
void onStylusUp(GameContext& context);

// Called by the frame tick at the start of every frame in which something
// runs.
void latchInput(GameContext& context);

}  // namespace marlit
