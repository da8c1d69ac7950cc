// marlit-tool mes check: the links between the scripts of a story.
#include <cstdio>
#include <filesystem>
#include <map>

#include "base/sjis.h"
#include "formats/mes_script.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/tool_files.h"
#include "tools/mes/mes_text_form.h"
#include "tools/mes/script_links.h"

namespace marlit::tool {
namespace {

extern const Command kCheck;

// A script file, or its text form (".txt") assembled.
std::optional<MesScript> loadScript(const std::string& path) {
    auto bytes = readInput(path);
    if (!bytes)
        return std::nullopt;
    if (sameText(std::filesystem::path(path).extension().string(), ".txt")) {
        AssemblyError error;
        auto file = assembleScript(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), &error);
        if (!file) {
            fail(path + ":" + std::to_string(error.line) + ": " + error.what);
            return std::nullopt;
        }
        bytes = std::move(file);
    }
    ScriptFault fault;
    auto script = MesScript::parse(std::move(*bytes), &fault);
    if (!script)
        fail(path + ": not a script: " + fault.what);
    return script;
}

int runCheck(std::span<const std::string> args) {
    if (args.empty())
        return usageError(kCheck, "expected one or more scripts (LABEL.mes or LABEL.txt)");
    std::map<std::string, MesScript> scripts;
    for (const std::string& path : args) {
        auto script = loadScript(path);
        if (!script)
            return 1;
        const std::string label = std::filesystem::path(path).stem().string();
        for (const auto& [name, other] : scripts) {
            if (sameText(name, label))
                return fail(path + ": a second script labelled " + label);
        }
        scripts.emplace(label, std::move(*script));
    }
    const auto problems = checkScriptLinks(scripts);
    for (const auto& p : problems)
        std::printf("%s\n", describe(p).c_str());
    if (!problems.empty()) {
        std::fprintf(stderr, "marlit-tool: %zu broken links in %zu scripts\n", problems.size(),
                     scripts.size());
        return 1;
    }
    std::printf("%zu scripts, every link holds\n", scripts.size());
    return 0;
}

const Command kCheck{
    "mes",
    "check",
    "mes check SCRIPT...",
    "check the jumps, gotos and choices between the scripts of a story",
    "Reads every script named (LABEL.mes, or its text form LABEL.txt, which is\n"
    "assembled first; the file name is the script's label) and prints one line\n"
    "per broken link: a goto or choice target that is not a label of its\n"
    "script, a jump to a script that is not among them (\"staff\", \"main\",\n"
    "\"SC_END\" and the \"roll_\" endings are always there), a conditional\n"
    "block without its end, a choice without texts or with more than four, a\n"
    "script that ends without a jump, and a command that cannot be read. Exit\n"
    "1 when something is broken.\n",
    "marlit-tool mes check tools/samplegame/scripts/*.txt",
    runCheck,
};

const Registrar kRegisterCheck(kCheck);

}  // namespace
}  // namespace marlit::tool
