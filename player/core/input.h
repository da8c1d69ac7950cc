// The key and stylus handlers and the once-per-frame latch, on the input
// state alone. The shell calls them from its event handlers and opens the
// popup menu afterwards when the keys ask for it.
#pragma once

#include <cstdint>

#include "player/core/input_state.h"
#include "player/core/screen_geometry.h"
#include "player/core/settings.h"

namespace marlit {

// A key went down (down = true) or up, with its code; the cursor mode and
// the double press of `settings` filter the presses. False for a release
// that only ended a press.
bool applyKey(InputState& input, KeyMap& keys, const Settings& settings, int32_t code, bool down);

// Whether the presses of this key event open the popup menu, by the
// centre-key setting; the presses that open it are consumed.
bool takeMenuPress(InputState& input, const Settings& settings);

// The desktop's mouse wheel: a notch up is a press of up, a notch down one
// of down, past the cursor mode's filters (the text recall opens and
// scrolls with it, as with the keys).
void applyWheel(InputState& input, int32_t notches);

// Stylus messages in device coordinates (portrait). The 640 x 480 build gets
// half-size coordinates from its window and doubles them.
void stylusDown(InputState& input, const ScreenGeometry& screen, int32_t x, int32_t y);
void stylusMove(InputState& input, const ScreenGeometry& screen, int32_t x, int32_t y);
void stylusUp(InputState& input);

// Called by the frame tick at the start of every frame in which something
// runs. While the menu is open the locked skip is left alone.
void latchInput(InputState& input, Settings& settings, bool menuOpen);

}  // namespace marlit
