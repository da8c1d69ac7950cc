// marlit-tool mes: scenario scripts to their text form and back.
#include <cstdio>

#include "base/command_args.h"
#include "formats/mes_script.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/tool_files.h"
#include "tools/mes/mes_text_form.h"

namespace marlit::tool {
namespace {

extern const Command kDisasm;
extern const Command kAsm;

int runDisasm(std::span<const std::string> args) {
    Args parsed(args, {}, {"raw"});
    if (!parsed.error().empty())
        return usageError(kDisasm, parsed.error());
    const auto& files = parsed.positional();
    if (files.empty() || files.size() > 2)
        return usageError(kDisasm, "expected IN.mes [OUT.txt]");
    auto bytes = readInput(files[0]);
    if (!bytes)
        return 1;
    ScriptFault fault;
    std::optional<MesScript> script = MesScript::parse(std::move(*bytes), &fault);
    if (!script)
        return fail(files[0] + ": not a script: " + fault.what);
    Disassembly result = disassembleScript(*script, parsed.flag("raw"));
    if (result.fault) {
        std::string where = files[0] + ": command stream position " +
                            std::to_string(result.fault->position) + " (file offset " +
                            std::to_string(script->streamOffset() + result.fault->position) +
                            "): " + result.fault->what;
        if (!parsed.flag("raw"))
            return fail(where + "; --raw writes the rest of the stream as bytes");
        std::fprintf(stderr, "marlit-tool: %s; the rest is written as bytes\n", where.c_str());
    }
    if (files.size() == 1) {
        std::fwrite(result.text.data(), 1, result.text.size(), stdout);
        return 0;
    }
    std::span<const uint8_t> out(reinterpret_cast<const uint8_t*>(result.text.data()),
                                 result.text.size());
    return writeOutput(files[1], out) ? 0 : 1;
}

int runAsm(std::span<const std::string> args) {
    if (args.size() != 2)
        return usageError(kAsm, "expected IN.txt OUT.mes");
    auto text = readInput(args[0]);
    if (!text)
        return 1;
    AssemblyError error;
    std::optional<std::vector<uint8_t>> file = assembleScript(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), &error);
    if (!file)
        return fail(args[0] + ":" + std::to_string(error.line) + ": " + error.what);
    return writeOutput(args[1], *file) ? 0 : 1;
}

const Command kDisasm{
    "mes",
    "disasm",
    "mes disasm IN.mes [OUT.txt] [--raw]",
    "write a scenario script as text, one command per line",
    "The text (UTF-8) starts with the header line, then one line per command:\n"
    "its position in the command stream, its name and its operands. Shown text\n"
    "(speaker, message, choice_text) is decoded to UTF-8 with ruby groups kept\n"
    "as written and line feeds as \\n. Without OUT.txt the text goes to stdout.\n"
    "A byte that is not a command stops with its position; --raw writes the\n"
    "rest of the stream as bytes lines instead. 'mes asm' turns the text back\n"
    "into the same bytes. The text form is described in tools/mes_text_form.md.\n",
    "marlit-tool mes disasm 0223a_f01.mes 0223a_f01.txt",
    runDisasm,
};

const Command kAsm{
    "mes",
    "asm",
    "mes asm IN.txt OUT.mes",
    "write a scenario script from its text form",
    "Reads the text that 'mes disasm' writes (the position column is ignored,\n"
    "blank lines and # comments are allowed) and writes the script. A line the\n"
    "file cannot carry is refused with its line number: a half-width space in\n"
    "shown text (use a full-width one), a speaker name that begins with \"$\",\n"
    "a NUL byte in a string, an unknown command or a number out of range.\n",
    "marlit-tool mes asm 0223a_f01.txt 0223a_f01.mes",
    runAsm,
};

const Registrar kRegisterDisasm(kDisasm);
const Registrar kRegisterAsm(kAsm);

}  // namespace
}  // namespace marlit::tool
