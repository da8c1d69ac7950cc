// marlit-tool verify: what a data set's scripts and game tables name and
// the data set lacks.
#include <cstdio>
#include <filesystem>
#include <map>

#include "base/command_args.h"
#include "base/files.h"
#include "base/sjis.h"
#include "formats/mlz_reader.h"
#include "player/screens/title_voices.h"
#include "tools/marlit_tool/command.h"
#include "tools/mes/script_links.h"
#include "tools/verify/data_set_files.h"
#include "tools/verify/references.h"

namespace marlit::tool {
namespace {

namespace fs = std::filesystem;

extern const Command kVerify;

constexpr std::string_view kScriptFolder = "AdvData\\mes\\";
constexpr std::string_view kScriptExtension = ".mes";

// The program folder of a folder the user named: the folder itself, or
// the folder above when it is the data folder "1" holding the packs.
std::string programFolderOf(const std::string& dir) {
    std::error_code ec;
    const bool hasData = fs::is_directory(fs::path(dir) / "1", ec);
    const bool isData = fs::exists(fs::path(dir) / "grpack.mlz", ec) ||
                        fs::exists(fs::path(dir) / "grpack_v.mlz", ec);
    if (!hasData && isData)
        return fs::absolute(dir, ec).lexically_normal().parent_path().string();
    return dir;
}

// The screen sizes whose pack the data folder holds (320 first).
std::vector<bool> screensOf(const std::string& programFolder) {
    std::vector<bool> out;
    std::error_code ec;
    for (bool vga : {false, true}) {
        if (fs::exists(fs::path(programFolder) / "1" / (vga ? "grpack_v.mlz" : "grpack.mlz"), ec))
            out.push_back(vga);
    }
    return out;
}

struct Checker {
    const DataSetFiles& files;
    // What is missing, by kind and folded name: the name as first spelt
    // and every place that names it.
    struct Missing {
        std::string name;
        std::vector<std::string> places;
    };
    std::map<std::pair<ResourceKind, std::string>, Missing> missing;
    const StoryReach& reach;
    // Table rows whose key is not in the data set.
    std::vector<Reference> unmatched;
    // Table rows naming a missing script that the data set's story never
    // reaches.
    std::vector<Reference> unreached;
    size_t checked = 0;

    void check(const Reference& r) {
        ++checked;
        bool present = false;
        switch (r.kind) {
            case ResourceKind::Picture:
                present = files.hasPackEntry(r.name);
                break;
            case ResourceKind::Music:
                present = files.hasMusic(r.name);
                break;
            case ResourceKind::Effect:
                present = files.hasEffect(r.name);
                break;
            case ResourceKind::Voice:
                present = files.hasVoice(r.name);
                break;
            case ResourceKind::Script:
                present = isSpecialJumpTarget(r.name) ||
                          files.hasPackEntry(std::string(kScriptFolder) + r.name +
                                             std::string(kScriptExtension));
                break;
        }
        if (!present && r.lookup) {
            unmatched.push_back(r);
        } else if (!present && r.reach && !reach.reaches(*r.reach)) {
            unreached.push_back(r);
        } else if (!present) {
            Missing& m = missing[{r.kind, foldCase(r.name)}];
            if (m.name.empty())
                m.name = r.name;
            m.places.push_back(r.where);
        }
    }
    void check(const std::vector<Reference>& list) {
        for (const Reference& r : list)
            check(r);
    }
};

// The scripts of the picture pack by label; unreadable ones are problems.
std::map<std::string, MesScript> readScripts(const DataSetFiles& files,
                                             std::vector<std::string>& problems) {
    std::map<std::string, MesScript> scripts;
    MlzReader reader;
    for (const std::string& entry : files.pictureEntries()) {
        if (entry.size() <= kScriptFolder.size() + kScriptExtension.size() ||
            !startsWith(entry, kScriptFolder) ||
            !sameText(std::string_view(entry).substr(entry.size() - kScriptExtension.size()),
                      kScriptExtension))
            continue;
        const std::string label = entry.substr(
            kScriptFolder.size(), entry.size() - kScriptFolder.size() - kScriptExtension.size());
        auto bytes = reader.ReadEntry(files.paths().picturePack, entry);
        if (!bytes) {
            problems.push_back("script " + label + ": its pack entry cannot be read");
            continue;
        }
        ScriptFault fault;
        auto script = MesScript::parse(std::move(*bytes), &fault);
        if (!script) {
            problems.push_back("script " + label + ": not a script: " + fault.what);
            continue;
        }
        scripts.emplace(label, std::move(*script));
    }
    return scripts;
}

int verifyOne(const std::string& programFolder, bool vga) {
    std::string error;
    auto files = DataSetFiles::open(programFolder, vga, &error);
    if (!files)
        return fail(error);
    std::printf("%s data set: %s\n", vga ? "640x480" : "320x240",
                hostPath(files->paths().picturePack).c_str());
    if (!files->voicePackRead()) {
        std::printf("  (no readable voice pack at %s: every voice counts as missing)\n",
                    hostPath(files->paths().voicePack).c_str());
    }

    std::vector<std::string> problems;
    auto scripts = readScripts(*files, problems);
    for (const ScriptLinkProblem& p : checkScriptLinks(scripts))
        problems.push_back(describe(p));

    // The game tables the player would read for this data set: its own
    // beside the pack, else the program's.
    const std::vector<std::string> folders = {files->packFolder(), scenarioDataFolder()};
    TableReport report;
    const ScreenTables screenTables = loadScreenTables(folders, report);
    const StoryReach reach(scripts, screenTables);
    Checker checker{*files, {}, reach, {}, {}, 0};
    for (const auto& [label, script] : scripts)
        checker.check(scriptReferences(label, script));

    checker.check(scenarioTableReferences(loadScenarioTables(folders, report)));
    checker.check(screenTableReferences(screenTables));
    checker.check(extrasTableReferences(loadExtrasTables(folders, report.warnings)));
    const std::string voices = titleVoiceFile(folders);
    checker.check(titleVoiceReferences(readTitleVoices(voices, report.warnings),
                                       fs::path(voices).filename().string()));
    for (const std::string& w : report.warnings)
        std::printf("  table: %s\n", w.c_str());

    for (const std::string& p : problems)
        std::printf("  %s\n", p.c_str());
    for (const auto& [key, m] : checker.missing) {
        std::printf("  missing %s %s, named by %s", kindName(key.first), m.name.c_str(),
                    m.places.front().c_str());
        if (m.places.size() > 1)
            std::printf(" and %zu more", m.places.size() - 1);
        std::printf("\n");
    }
    for (const Reference& r : checker.unreached) {
        std::printf("  note: %s names %s %s, which this data set lacks (%s)\n", r.where.c_str(),
                    kindName(r.kind), r.name.c_str(), reach.whyNot(*r.reach).c_str());
    }
    for (const Reference& r : checker.unmatched) {
        std::printf("  note: %s names %s, which this data set lacks (the row never matches)\n",
                    r.where.c_str(), r.name.c_str());
    }
    const size_t bad = problems.size() + checker.missing.size();
    std::printf("  %zu %s, %zu names looked up: %s\n", scripts.size(),
                scripts.size() == 1 ? "script" : "scripts", checker.checked,
                bad == 0 ? "nothing missing" : (std::to_string(bad) + " problems").c_str());
    return bad == 0 ? 0 : 1;
}

int runVerify(std::span<const std::string> argv) {
    Args args(argv, {}, {});
    if (!args.error().empty())
        return usageError(kVerify, args.error());
    if (args.positional().size() != 1)
        return usageError(kVerify, "expected DIR, the folder that holds the data folder \"1\"");
    const std::string folder = programFolderOf(args.positional()[0]);
    const std::vector<bool> screens = screensOf(folder);
    if (screens.empty()) {
        return fail(folder +
                    ": no data set: neither 1/grpack.mlz nor 1/grpack_v.mlz is there; "
                    "name the folder the player's --dir names");
    }
    int result = 0;
    for (bool vga : screens)
        result = std::max(result, verifyOne(folder, vga));
    return result;
}

const Command kVerify{
    "verify",
    "",
    "verify DIR",
    "list what a data set's scripts and tables name but the data set lacks",
    "DIR is the folder the player's --dir names (the one that holds the data\n"
    "folder \"1\"), or the data folder itself. For each picture pack there\n"
    "(grpack.mlz, grpack_v.mlz; or where marlitpc.cfg's GDATA points), reads\n"
    "every script in it and the game tables the player would read (the data\n"
    "set's own beside the pack, else the program's), and prints one line per\n"
    "picture, music piece, sound effect or voice they name that is missing,\n"
    "with the script and position (or the table) that names it, and one line\n"
    "per broken link between the scripts (a goto, choice or jump whose target\n"
    "is not there). A row of the map, day-change or ending tables that this\n"
    "data set's scripts never lead to (no script of that day ends it on that\n"
    "screen, no script jumps to that ending) is a note: the shipped tables\n"
    "serve a whole game, and a shorter story uses only some of their rows.\n"
    "Exit 1 when something is missing.\n",
    "marlit-tool verify out/demo/qvga",
    runVerify,
};

const Registrar kRegisterVerify(kVerify);

}  // namespace
}  // namespace marlit::tool
