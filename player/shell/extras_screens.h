// The title's extras (music room, picture gallery, scene gallery), made with
// their services and registered in the game's mode table.
#pragma once

#include <functional>

namespace marlit {

class GameContext;

// `enableSaveItems` switches the save items of the pop-up menu (a replayed
// scene turns them off); without it the replay leaves them as they are.
void registerExtrasScreens(GameContext& ctx, std::function<void(bool)> enableSaveItems = {});

}  // namespace marlit
