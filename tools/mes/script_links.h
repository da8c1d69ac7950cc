// Checks a set of scenario scripts for the links between them: every
// script reads to its end, every "goto" and choice target is a label of its
// own script, every conditional block has its end further on, every jump to
// a script names a script of the set or one of the player's special names,
// and no script runs off its end. `mes asm` checks one file at a time; this
// is the check of a whole story before it ships.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "formats/mes_jump_targets.h"
#include "formats/mes_script.h"

namespace marlit {

struct ScriptLinkProblem {
    std::string script;     // the label of the script with the problem
    uint32_t position = 0;  // the command's position in its stream
    std::string what;
};

// Every problem of the set, by script (in the map's order) and position.
// Script names compare with the name equality (ASCII case-insensitive).
std::vector<ScriptLinkProblem> checkScriptLinks(const std::map<std::string, MesScript>& scripts);

// One line per problem: "SCRIPT at position N: WHAT".
std::string describe(const ScriptLinkProblem& problem);

}  // namespace marlit
