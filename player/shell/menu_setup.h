// The popup menu plugged into the player: made with the services it needs,
// told of the settings, the keys and the save slots as start-up reads them.
#pragma once

namespace marlit {

class GameContext;

// Builds the menu (its tree and the marks of the default settings) and
// puts it into the context.
void installOverlayMenu(GameContext& context);

// After marlitpc.cfg's settings were read: the player's keys from its key
// section (the device's keys when it has none or cannot be used).
void readMenuKeys(GameContext& context);

}  // namespace marlit
