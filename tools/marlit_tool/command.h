// marlit-tool's subcommands. Each subcommand file registers itself with a
// static Registrar, so that adding one touches no other file.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit::tool {

struct Command {
    // "pack" for "pack list", "format" for the single-word "format".
    std::string_view group;
    // "list", or empty for a single-word command.
    std::string_view name;
    // The synopsis after "marlit-tool ", such as "pack list PACK".
    std::string_view usage;
    // One line for the list of commands.
    std::string_view summary;
    // The rest of `--help`: arguments, options, output.
    std::string_view details;
    // One command line a user can copy, starting with "marlit-tool".
    std::string_view example;
    // Runs with the arguments after the command words; returns the exit code
    // (0 success, 1 failure, 2 wrong usage).
    int (*run)(std::span<const std::string> args);
};

void registerCommand(const Command& command);
// All commands, sorted by group and name.
std::vector<Command> commands();

struct Registrar {
    explicit Registrar(const Command& command) { registerCommand(command); }
};

// Prints "marlit-tool: <message>" to stderr and returns 1.
int fail(std::string_view message);
// Prints the usage error in one line that points to the command's --help;
// returns 2.
int usageError(const Command& command, std::string_view message);

}  // namespace marlit::tool
