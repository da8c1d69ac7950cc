// The screens along the story's way (the map and the day change at the end
// of a day, the ending sequence and the staff roll at the end of a route),
// made with their services and the game tables they read, and registered
// in the game's mode table.
#pragma once

#include "player/screens/screen_services.h"
#include "player/screens/screen_tables.h"

namespace marlit {

class GameContext;

void registerRouteScreens(GameContext& ctx, const ScreenServices& services);

// The tables of these screens: each file from the data set's folder (beside
// the picture pack the data places name) before the program's; what is
// wrong with them is said on stderr.
ScreenTables readScreenTables(GameContext& ctx);

}  // namespace marlit
