// The screens that frame the story (the logo and the title for now), made
// with their services and registered in the game's mode table.
#pragma once

namespace marlit {

class GameContext;

void registerFramingScreens(GameContext& ctx);

}  // namespace marlit
