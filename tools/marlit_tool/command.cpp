#include "tools/marlit_tool/command.h"

#include <algorithm>
#include <cstdio>

namespace marlit::tool {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}
}  // namespace

void registerCommand(const Command& command) {
    registry().push_back(command);
}

std::vector<Command> commands() {
    auto all = registry();
    std::sort(all.begin(), all.end(), [](const Command& a, const Command& b) {
        return a.group != b.group ? a.group < b.group : a.name < b.name;
    });
    return all;
}

int fail(std::string_view message) {
    std::fprintf(stderr, "marlit-tool: %.*s\n", static_cast<int>(message.size()), message.data());
    return 1;
}

int usageError(const Command& command, std::string_view message) {
    std::string words(command.group);
    if (!command.name.empty())
        words += " " + std::string(command.name);
    std::fprintf(stderr, "marlit-tool: %s: %.*s (see marlit-tool %s --help)\n", words.c_str(),
                 static_cast<int>(message.size()), message.data(), words.c_str());
    return 2;
}

}  // namespace marlit::tool
