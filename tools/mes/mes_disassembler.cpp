// Script to text: the header line, then each command with its position.
#include <cinttypes>
#include <cstdio>

#include "tools/mes/mes_quoted.h"
#include "tools/mes/mes_text_form.h"

namespace marlit {
namespace {

bool isShownText(uint8_t opcode) {
    return opcode == 75 || opcode == 76 || opcode == 77;
}

// Stored shown text as the Shift-JIS it stands for (every byte + 0x20),
// without the line-break or ruby rules, so that nothing is lost.
std::string raisedText(std::string_view stored) {
    std::string out(stored);
    for (char& c : out)
        c = static_cast<char>(static_cast<uint8_t>(c) + 0x20);
    return out;
}

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

std::string commandText(const MesScript& script, uint32_t position) {
    uint8_t opcode = script.byteAt(position);
    const CommandInfo* info = commandInfo(opcode);
    if (!info)
        return {};
    std::string out(info->name);
    switch (info->shape) {
        case CommandShape::kWord: {
            uint8_t b1 = script.byteAt(position + 1), b2 = script.byteAt(position + 2);
            if (info->asWord)
                out += " " + std::to_string(b1 | b2 << 8);
            else
                out += " " + std::to_string(b1) + " " + std::to_string(b2);
            break;
        }
        case CommandShape::kByte:
            out += " " + std::to_string(script.byteAt(position + 1));
            break;
        case CommandShape::kQuad:
            for (int i = 0; i < 4; ++i) {
                uint16_t w = script.quadWord(position, i);
                // The background scroll's x and y are signed.
                bool isSigned = opcode == 94 && i < 2;
                out +=
                    " " + (isSigned ? std::to_string(static_cast<int16_t>(w)) : std::to_string(w));
            }
            break;
        case CommandShape::kSpeaker:
            if (script.byteAt(position + 1) == 0x04) {
                out += " player " + std::to_string(script.byteAt(position + 2)) + " " +
                       std::to_string(script.byteAt(position + 3));
                break;
            }
            [[fallthrough]];
        case CommandShape::kString: {
            std::string_view s = script.stringOperand(position);
            out += " " + quoteBytes(isShownText(opcode) ? raisedText(s) : std::string(s));
            break;
        }
    }
    return out;
}

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
