// Script to text: the header line, then each command with its position.
#include <cinttypes>
#include <cstdio>

#include "tools/mes/mes_text_form.h"

namespace marlit {
namespace {

void appendBytesLines(std::string& out, std::span<const uint8_t> bytes, size_t from) {
    constexpr size_t kPerLine = 16;
    for (size_t i = from; i < bytes.size(); i += kPerLine) {
        char head[32];
        std::snprintf(head, sizeof head, "%06zu  bytes", i);
        out += head;
        for (size_t k = i; k < bytes.size() && k < i + kPerLine; ++k)
            out += " " + std::to_string(bytes[k]);
        out += '\n';
    }
}

}  // namespace

Disassembly disassembleScript(const MesScript& script, bool rawTail) {
    Disassembly result;
    std::string& out = result.text;
    out = "header";
    std::span<const uint8_t> file = script.fileBytes();
    for (uint32_t i = 0; i < script.headerWords(); ++i) {
        size_t at = 4 + 4 * size_t{i};
        uint32_t word =
            file[at] | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t{file[at + 3]} << 24;
        out += " " + std::to_string(word);
    }
    out += '\n';
    std::span<const uint8_t> stream = script.stream();
    uint32_t position = 0;
    while (position < stream.size()) {
        ScriptFault fault;
        std::optional<uint32_t> next = script.nextCommand(position, &fault);
        if (!next) {
            result.fault = fault;
            if (rawTail)
                appendBytesLines(out, stream, position);
            break;
        }
        char head[16];
        std::snprintf(head, sizeof head, "%06" PRIu32 "  ", position);
        out += head + commandText(script, position) + '\n';
        position = *next;
    }
    return result;
}

}  // namespace marlit
