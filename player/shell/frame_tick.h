// The frame tick and the message loop around it.
#pragma once

#include <cstdint>

#include "platform/events.h"

namespace marlit {

class GameContext;

// One turn of the frame tick: serves the popup menu or the movie when one
// is up, else runs a game frame when one is due, else sleeps 1 ms.
void frameTick(GameContext& context);

// A key went down or up: the presses, then the popup menu when they ask
// for it.
void onKey(GameContext& context, int32_t code, bool down);

// Hands one window event to its handler.
void dispatchEvent(GameContext& context, const Event& event);

// Polls events and dispatches them, running the frame tick whenever none
// waits, until the Quit event; returns its exit code.
int runMessageLoop(GameContext& context);

}  // namespace marlit
