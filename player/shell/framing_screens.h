// The screens that frame the story (the logo, the title and the day change for now), made
// with their services and registered in the game's mode table.
#pragma once

namespace marlit {

class GameContext;

void registerFramingScreens(GameContext& ctx);

}  // namespace marlit
