// Scenario scripts from untrusted bytes: the file split, every command
// walked and its text decoded, the searches run, and whatever disassembles
// assembled again, which must give the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/mes_script.h"
#include "tools/mes/mes_text_form.h"

namespace {

void walk(const marlit::MesScript& script) {
    const uint32_t end = static_cast<uint32_t>(script.stream().size());
    uint32_t position = 0;
    while (position < end) {
        marlit::ScriptFault fault;
        std::optional<uint32_t> next = script.nextCommand(position, &fault);
        if (!next) {
            if (fault.position != position || fault.what.empty())
                std::abort();
            break;
        }
        if (*next <= position || *next > end)
            std::abort();
        const marlit::CommandInfo* info = marlit::commandInfo(script.byteAt(position));
        if (!info)
            std::abort();
        if (info->shape == marlit::CommandShape::kString ||
            (info->shape == marlit::CommandShape::kSpeaker && script.byteAt(position + 1) != 4)) {
            std::string_view s = script.stringOperand(position);
            if (s.size() + 2 != *next - position)
                std::abort();
            marlit::decodeShownText(s, true, true);
            marlit::decodeShownText(s, false, false);
        }
        position = *next;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    std::optional<marlit::MesScript> script = marlit::MesScript::parse(bytes);
    if (!script)
        return 0;
    walk(*script);
    script->findLabel("0305a_f01");
    for (uint8_t block : {0, 1, 255})
        script->skipToBlockEnd(block, 0);
    script->skipToOpcode(96, 0);

    marlit::Disassembly text = marlit::disassembleScript(*script, true);
    marlit::AssemblyError error;
    std::optional<std::vector<uint8_t>> back = marlit::assembleScript(text.text, &error);
    if (!back || *back != bytes)
        std::abort();
    return 0;
}
