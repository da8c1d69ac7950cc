// Commands as text: mnemonic and operands.
#include "formats/mes_command_text.h"

#include "formats/mes_quoted.h"

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

}  // namespace marlit
