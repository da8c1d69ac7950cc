// The handlers of the command table, grouped by theme in their own files.
#pragma once

#include <array>

#include "player/scenario/scenario_command.h"

namespace marlit {

// Every opcode's handler; null where the command is stepped over (the text
// commands until the message window plugs them in, and the commands this
// player does not execute).
const std::array<CommandHandler, 256>& defaultCommandHandlers();

// flow_commands.cpp
StepResult conditionalBlock(ScenarioEngine&, const Command&);    // 2
StepResult messageNumber(ScenarioEngine&, const Command&);       // 3
StepResult dayEndSelector(ScenarioEngine&, const Command&);      // 4
StepResult jumpToLabel(ScenarioEngine&, const Command&);         // ";"
StepResult jumpToScript(ScenarioEngine&, const Command&);        // "6"
StepResult variableArithmetic(ScenarioEngine&, const Command&);  // "X"
StepResult variableCopy(ScenarioEngine&, const Command&);        // "Y"
StepResult variableCompare(ScenarioEngine&, const Command&);     // "["
// sound_commands.cpp
StepResult soundEffect(ScenarioEngine&, const Command&);  // 5
StepResult music(ScenarioEngine&, const Command&);        // 6
StepResult stopMusic(ScenarioEngine&, const Command&);    // 17
StepResult voice(ScenarioEngine&, const Command&);        // "5"
// picture_commands.cpp
StepResult background(ScenarioEngine&, const Command&);      // "."
StepResult leftCharacter(ScenarioEngine&, const Command&);   // "3"
StepResult leftOverlay(ScenarioEngine&, const Command&);     // "4"
StepResult rightCharacter(ScenarioEngine&, const Command&);  // "F"
// effect_commands.cpp
StepResult windowAndShake(ScenarioEngine&, const Command&);    // 13
StepResult fallingPetals(ScenarioEngine&, const Command&);     // "+"
StepResult backgroundScroll(ScenarioEngine&, const Command&);  // "^"
// day_end.cpp
StepResult dayEnd(ScenarioEngine&, const Command&);  // 27

}  // namespace marlit
