// Mode 99, scenario play, as a screen of the mode table.
#pragma once

#include "player/core/mode_screen.h"
#include "player/scenario/scenario_engine.h"

namespace marlit {

class ScenarioScreen : public ModeScreen {
  public:
    explicit ScenarioScreen(ScenarioEngine& engine) : engine_(engine) {}
    void step() override { engine_.Step(); }

  private:
    ScenarioEngine& engine_;
};

}  // namespace marlit
