// One command as the interpreter hands it to its handler: where it is, its
// row of the command table and its operands by shape, and what a handler
// returns.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "formats/mes_script.h"

namespace marlit {

class ScenarioEngine;

// Continue: the next command runs in the same frame. Yield: the frame ends.
enum class StepResult { Continue, Yield };

struct Command {
    uint32_t position = 0;
    uint32_t next = 0;  // the position of the following command
    const CommandInfo* info = nullptr;
    uint8_t opcode = 0;
    // word: b1, b2 and w = b1 + 256 b2; byte: b1
    uint8_t b1 = 0;
    uint8_t b2 = 0;
    uint16_t w = 0;
    std::array<uint16_t, 4> quad{};  // w1..w4
    std::string_view text;           // string and speaker commands
    bool speakerShort = false;       // "K" 0x04: the configured name
    bool first = false;              // entered for the first time
};

using CommandHandler = StepResult (*)(ScenarioEngine&, const Command&);

}  // namespace marlit
