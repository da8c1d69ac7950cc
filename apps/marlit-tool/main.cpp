// marlit-tool: inspects and converts the file formats of the system.
#include <cstdio>
#include <string>
#include <vector>

#include "base/version.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/help.h"

using marlit::tool::Command;

namespace {

bool isHelp(const std::string& a) {
    return a == "--help" || a == "-h";
}

struct Lookup {
    const Command* command = nullptr;
    size_t wordsUsed = 0;
    bool groupKnown = false;
};

// The subcommand that the first one or two words name.
Lookup lookUp(const std::vector<Command>& all, const std::vector<std::string>& words) {
    Lookup found;
    for (const Command& c : all) {
        if (words.empty() || c.group != words[0])
            continue;
        found.groupKnown = true;
        if (c.name.empty())
            return {&c, 1, true};
        if (words.size() > 1 && c.name == words[1])
            return {&c, 2, true};
    }
    return found;
}

int unknown(const std::vector<std::string>& words, const Lookup& found) {
    std::string asked = words[0];
    if (found.groupKnown && words.size() > 1)
        asked += " " + words[1];
    std::fprintf(stderr, "marlit-tool: unknown subcommand '%s' (see marlit-tool help%s)\n",
                 asked.c_str(), found.groupKnown ? (" " + words[0]).c_str() : "");
    return 2;
}

// "marlit-tool help [SUBCOMMAND]".
int help(const std::vector<Command>& all, const std::vector<std::string>& words) {
    if (words.empty()) {
        marlit::tool::printCommandList(stdout);
        return 0;
    }
    Lookup found = lookUp(all, words);
    if (found.command && found.wordsUsed == words.size()) {
        marlit::tool::printCommandHelp(stdout, *found.command);
        return 0;
    }
    if (found.groupKnown && words.size() == 1) {
        marlit::tool::printGroup(stdout, words[0]);
        return 0;
    }
    return unknown(words, found);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        marlit::tool::printCommandList(stderr);
        return 2;
    }
    const auto all = marlit::tool::commands();
    if (isHelp(args[0]) || args[0] == "help")
        return help(all, std::vector<std::string>(args.begin() + 1, args.end()));
    if (args[0] == "--version") {
        std::printf("%s\n", marlit::versionLine("marlit-tool").c_str());
        return 0;
    }
    Lookup found = lookUp(all, args);
    if (!found.command) {
        bool listGroup = found.groupKnown && (args.size() == 1 || isHelp(args[1]));
        if (!listGroup)
            return unknown(args, found);
        bool asked = args.size() > 1;
        marlit::tool::printGroup(asked ? stdout : stderr, args[0]);
        return asked ? 0 : 2;
    }
    std::vector<std::string> rest(args.begin() + found.wordsUsed, args.end());
    for (const auto& a : rest) {
        if (isHelp(a)) {
            marlit::tool::printCommandHelp(stdout, *found.command);
            return 0;
        }
    }
    return found.command->run(rest);
}
