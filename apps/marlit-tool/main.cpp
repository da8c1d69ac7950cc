// marlit-tool: inspects and converts the file formats of the system.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/marlit_tool/command.h"

using marlit::tool::Command;

namespace {

void printList(FILE* out) {
    std::fprintf(out,
                 "usage: marlit-tool COMMAND [ARG...]\n"
                 "Inspects and converts marlit's files: packs, pictures, sounds, scripts.\n"
                 "Run 'marlit-tool COMMAND --help' for one command.\n\ncommands:\n");
    for (const auto& c : marlit::tool::commands()) {
        std::string head(c.usage);
        std::fprintf(out, "  %-44s %.*s\n", head.c_str(), static_cast<int>(c.summary.size()),
                     c.summary.data());
    }
}

void printHelp(const Command& c) {
    std::printf("usage: marlit-tool %.*s\n%.*s\n", static_cast<int>(c.usage.size()), c.usage.data(),
                static_cast<int>(c.summary.size()), c.summary.data());
    if (!c.details.empty()) {
        std::printf("\n%.*s", static_cast<int>(c.details.size()), c.details.data());
        if (c.details.back() != '\n')
            std::printf("\n");
    }
}

bool isHelp(const std::string& a) {
    return a == "--help" || a == "-h";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || isHelp(args[0])) {
        printList(args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const auto all = marlit::tool::commands();
    const Command* found = nullptr;
    size_t used = 0;
    bool groupKnown = false;
    for (const auto& c : all) {
        if (c.group != args[0])
            continue;
        groupKnown = true;
        if (c.name.empty()) {
            found = &c;
            used = 1;
            break;
        }
        if (args.size() > 1 && c.name == args[1]) {
            found = &c;
            used = 2;
            break;
        }
    }
    if (!found) {
        if (groupKnown) {
            std::fprintf(stderr, "usage:\n");
            for (const auto& c : all) {
                if (c.group == args[0]) {
                    std::fprintf(stderr, "  marlit-tool %.*s\n", static_cast<int>(c.usage.size()),
                                 c.usage.data());
                }
            }
            bool help = args.size() > 1 && isHelp(args[1]);
            return help ? 0 : 2;
        }
        std::fprintf(stderr, "marlit-tool: unknown command '%s'\n\n", args[0].c_str());
        printList(stderr);
        return 2;
    }
    std::vector<std::string> rest(args.begin() + used, args.end());
    for (const auto& a : rest) {
        if (isHelp(a)) {
            printHelp(*found);
            return 0;
        }
    }
    return found->run(rest);
}
