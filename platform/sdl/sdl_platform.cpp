#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

namespace marlit {

SdlPlatform::Session::Session() {
    // The window itself is opened later (and a failure reported then); the
    // controllers are a bonus. SIGINT and SIGTERM close the window.
    SDL_Init(SDL_INIT_EVENTS);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

SdlPlatform::Session::~Session() {
    SDL_Quit();
}

SdlPlatform::SdlPlatform(const SdlDisplayOptions& options, std::string fontFile)
    : display_(options),
      events_(display_),
      glyphs_(std::move(fontFile)),
      platform_{display_, events_, clock_, localTime_, power_, messageBox_, waveOut_, glyphs_} {}

SdlPlatform::~SdlPlatform() = default;

}  // namespace marlit
