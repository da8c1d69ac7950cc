#include "platform/headless/headless_platform.h"

namespace marlit {

HeadlessPlatform::HeadlessPlatform(int screenWidth, int screenHeight,
                                   std::vector<ScriptedEvent> script, std::string audioOut,
                                   std::string fontFile)
    : display_(screenWidth, screenHeight),
      events_(clock_, std::move(script)),
      localTime_(clock_),
      waveOut_(std::move(audioOut)),
      glyphs_(std::move(fontFile)),
      platform_{display_, events_, clock_, localTime_, battery_, messageBox_, waveOut_, glyphs_} {
    // The sound device plays as much as the player's time moves on.
    clock_.onSleep([this](uint32_t ms) { waveOut_.advance(ms); });
}

}  // namespace marlit
