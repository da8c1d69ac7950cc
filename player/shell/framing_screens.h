// The screens that frame the story (the logo and the title; the route screens after), made
// with their services and registered in the game's mode table.
#pragma once

#include <string>
#include <vector>

#include "player/screens/screen_services.h"

namespace marlit {

class GameContext;

void registerFramingScreens(GameContext& ctx);

// The services a screen is given, from the context's parts.
ScreenServices screenServicesOf(GameContext& ctx);

// The title's voice patterns: the data set's own table (beside the picture
// pack the data places name) before the program's.
std::vector<std::string> titleVoicePatterns(GameContext& ctx);

}  // namespace marlit
