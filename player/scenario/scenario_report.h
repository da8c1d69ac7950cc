// The scenario as text: one trace line per executed command, and the state
// as one JSON object (the --trace and --dump-state of the player).
#pragma once

#include <cstdint>
#include <string>

#include "player/scenario/scenario_engine.h"

namespace marlit {

// The operands of a command as the trace prints them: word "b1 b2" (or
// "w" for the commands that read one word), byte "b", quad "w1 w2 w3 w4",
// string and speaker the stored string quoted with bytes outside printable
// ASCII as \xNN ("player" for the speaker's player-name form).
std::string commandOperands(const Command& command);
// "frame script position mnemonic operands", without a line end.
std::string traceLine(const TraceEntry& entry);

// The state at the end of a run.
std::string scenarioStateJson(ScenarioEngine& engine, uint64_t frames);

}  // namespace marlit
