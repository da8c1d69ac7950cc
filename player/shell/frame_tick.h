// The frame tick and the message loop around it.
#pragma once

#include "platform/events.h"

namespace marlit {

class GameContext;

// One turn of the frame tick: serves the popup menu or the movie when one
// is up, else runs a game frame when one is due, else sleeps 1 ms.
void frameTick(GameContext& context);

// Hands one window event to its handler.
void dispatchEvent(GameContext& context, const Event& event);

// Polls events and dispatches them, running the frame tick whenever none
// waits, until the Quit event; returns its exit code.
int runMessageLoop(GameContext& context);

}  // namespace marlit
