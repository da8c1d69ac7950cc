// The text form of a scenario script: what `marlit-tool mes disasm` writes
// and `mes asm` reads, one command per line. tools/mes_text_form.md
// describes it for the people who edit it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/mes_command_text.h"
#include "formats/mes_script.h"

namespace marlit {

struct Disassembly {
    // The header line and one line per command that could be read.
    std::string text;
    // Set when the stream holds a command that cannot be read; text then
    // ends before it (or, with rawTail, holds the rest as `bytes` lines).
    std::optional<ScriptFault> fault;
};

// The whole script as text. With rawTail, the bytes from an unreadable
// command to the end are written as `bytes` lines, so the text still
// assembles to the same file.
Disassembly disassembleScript(const MesScript& script, bool rawTail);

struct AssemblyError {
    size_t line = 0;  // 1-based
    std::string what;
};

// The script file that text describes; none with the first error (its line
// and what is wrong) when a line cannot be carried by the file.
std::optional<std::vector<uint8_t>> assembleScript(std::string_view text,
                                                   AssemblyError* error = nullptr);

}  // namespace marlit
