// The part of the scenario state that the shell drives: the top-level mode
// with its sub-states and the quit request. The scenario engine keeps the
// rest of its state beside these fields.
#pragma once

#include <cstdint>

namespace marlit {

struct ScenarioState {
    int32_t mode = 0;  // the top-level mode, see mode_table.h
    int32_t subState = 0;
    int32_t stateWord3 = 0;
    // Set by the scenario to end the program; the frame tick closes the
    // window in the same tick.
    int32_t quitRequest = 0;
};

}  // namespace marlit
