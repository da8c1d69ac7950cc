// marlit-tool cfg: one key of a configuration file (marlitpc.cfg), read and
// written by the player's own ConfigCache.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/encoding.h"
#include "player/persist/config_cache.h"
#include "tools/marlit_tool/command.h"

namespace marlit::tool {
namespace {

// Text typed in UTF-8 becomes Shift-JIS, as the player reads it; other
// bytes go in as they are.
std::string asSjis(const std::string& text) {
    auto sjis = utf8ToSjis(text);
    return sjis ? *sjis : text;
}

// A name or value that would break the file's lines or its syntax.
std::string badPart(const std::string& section, const std::string& key, const std::string& value) {
    auto hasLineEnd = [](const std::string& s) {
        return s.find_first_of("\r\n") != std::string::npos;
    };
    if (hasLineEnd(section) || hasLineEnd(key) || hasLineEnd(value))
        return "SECTION, KEY and VALUE must be on one line";
    if (section.find(']') != std::string::npos)
        return "SECTION cannot hold ']'";
    if (key.find('=') != std::string::npos)
        return "KEY cannot hold '='";
    if (key.find_first_not_of(" \t\"") == std::string::npos)
        return "KEY cannot be empty";
    return "";
}

const Command kGet{
    "cfg",
    "get",
    "cfg get FILE SECTION KEY",
    "print the value of one key of a configuration file",
    "Prints the value of KEY in [SECTION] byte for byte as the file holds it\n"
    "(Shift-JIS, double quotes removed), followed by a newline. Section and\n"
    "key match as the player matches them: ASCII case, and spaces and tabs in\n"
    "the key, do not count; the first match wins. When FILE is missing or\n"
    "damaged, its backup FILE.bak is read. Exits with 1 when the key is absent.\n",
    "marlit-tool cfg get play/marlitpc.cfg MUSIC_CONFIG MASTER_VOL",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 3)
            return usageError(kGet, "expected FILE SECTION KEY");
        std::error_code ec;
        if (!std::filesystem::exists(args[0], ec) &&
            !std::filesystem::exists(args[0] + ".bak", ec)) {
            return fail("cannot read " + args[0] + ": No such file or directory");
        }
        ConfigCache cache;
        auto value = cache.readRaw(asSjis(args[1]), asSjis(args[2]), args[0]);
        if (!cache.readError().empty())
            return fail("cannot read " + args[0] + ": " + cache.readError());
        if (!value) {
            return fail(args[0] + " has no key " + args[2] + " in [" + args[1] +
                        "]; 'marlit-tool cfg set' adds it");
        }
        std::fwrite(value->data(), 1, value->size(), stdout);
        std::fputc('\n', stdout);
        return 0;
    },
};

const Command kSet{
    "cfg",
    "set",
    "cfg set FILE SECTION KEY VALUE",
    "set one key of a configuration file, keeping every other line",
    "Replaces the line of KEY in [SECTION] by KEY=VALUE, or adds it right\n"
    "after the section's header, adding [SECTION] at the end when it is\n"
    "missing; a missing FILE is created. Every other line stays as it was, and\n"
    "every line is written back with CR LF, as the player writes it. Text in\n"
    "UTF-8 is written in Shift-JIS, as the player reads it; other bytes go in\n"
    "as they are. The old file is kept as FILE.bak. Prints nothing.\n",
    "marlit-tool cfg set play/marlitpc.cfg HXRT_INST_DIR SAVEDATA save",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 4)
            return usageError(kSet, "expected FILE SECTION KEY VALUE");
        if (auto bad = badPart(args[1], args[2], args[3]); !bad.empty())
            return usageError(kSet, bad);
        ConfigCache cache;
        cache.WriteString(asSjis(args[1]), asSjis(args[2]), asSjis(args[3]), args[0]);
        std::string why;
        if (!cache.Flush(&why))
            return fail("cannot write " + args[0] + ": " + why);
        return 0;
    },
};

const Registrar kRegisterGet(kGet);
const Registrar kRegisterSet(kSet);

}  // namespace
}  // namespace marlit::tool
