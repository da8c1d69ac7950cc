#include <map>

#include "tools/mes/mes_text_form.h"
#include "tools/mes/script_links.h"
#include "tools/samplegame/story_scripts.h"

namespace marlit::sample {

bool assembleStory(std::vector<AssembledScript>& out, std::string* error) {
    std::vector<AssembledScript> assembled;
    std::map<std::string, MesScript> parsed;
    for (const StoryScript& script : storyScripts()) {
        const std::string file = "tools/samplegame/scripts/" + std::string(script.label) + ".txt";
        AssemblyError why;
        auto bytes = assembleScript(script.text, &why);
        if (!bytes) {
            if (error)
                *error = file + ":" + std::to_string(why.line) + ": " + why.what;
            return false;
        }
        ScriptFault fault;
        auto mes = MesScript::parse(*bytes, &fault);
        if (!mes) {
            if (error)
                *error = file + ": " + fault.what;
            return false;
        }
        parsed.emplace(std::string(script.label), std::move(*mes));
        assembled.push_back({std::string(script.label), std::move(*bytes)});
    }
    const auto problems = checkScriptLinks(parsed);
    if (!problems.empty()) {
        if (error) {
            *error = "the story's scripts (tools/samplegame/scripts/) do not hold together:";
            for (const auto& p : problems)
                *error += "\n  " + describe(p);
        }
        return false;
    }
    out = std::move(assembled);
    return true;
}

}  // namespace marlit::sample
