// The scenario as text: one trace line per executed command, and the state
// as one JSON object (the --trace and --dump-state of the player).
#pragma once

#include <cstdint>
#include <string>

#include "player/scenario/scenario_engine.h"

namespace marlit {

// "frame script position command", the command as `mes disasm` prints it
// (formats/mes_command_text.h), without a line end.
std::string traceLine(const TraceEntry& entry);

// The state at the end of a run.
std::string scenarioStateJson(ScenarioEngine& engine, uint64_t frames);

}  // namespace marlit
