// One command of a script as text, the way `marlit-tool mes disasm` and the
// player's trace print it: the mnemonic, then the operands (bytes and words
// as decimal numbers, strings quoted by quoteBytes, shown text raised by
// 0x20 so that it reads as written).
#pragma once

#include <cstdint>
#include <string>

#include "formats/mes_script.h"

namespace marlit {

// The command at position as a line without its position column, such as
// `se 12 0` or `message "..."`. The caller has checked the command's length
// with MesScript::commandLength; a non-opcode byte gives "".
std::string commandText(const MesScript& script, uint32_t position);

}  // namespace marlit
