// marlit-tool's help texts, kept within 80 columns: the list of
// subcommands, one group's synopses, and one subcommand's --help.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "tools/marlit_tool/command.h"

namespace marlit::tool {

inline constexpr size_t kHelpWidth = 80;

// Columns that `text` (UTF-8) takes on a terminal: two for East Asian wide
// characters, one for the others.
size_t displayWidth(std::string_view text);

// `text` broken between words into lines of at most `width` columns; the
// first line starts with `lead`, the others with `indent` spaces. A word
// longer than a line stands alone on its line.
std::string wrapText(std::string_view lead, std::string_view text, size_t indent,
                     size_t width = kHelpWidth);

// "marlit-tool help": every subcommand with its summary.
void printCommandList(FILE* out);
// The synopses of one group's subcommands ("marlit-tool pack").
void printGroup(FILE* out, std::string_view group);
// "marlit-tool pack list --help".
void printCommandHelp(FILE* out, const Command& command);

}  // namespace marlit::tool
