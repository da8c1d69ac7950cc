#include "platform/headless/headless_platform.h"

namespace marlit {

HeadlessPlatform::HeadlessPlatform(int screenWidth, int screenHeight,
                                   std::vector<ScriptedEvent> script)
    : display_(screenWidth, screenHeight),
      events_(clock_, std::move(script)),
      localTime_(clock_),
      platform_{display_, events_, clock_, localTime_, battery_, messageBox_} {}

}  // namespace marlit
