// Splitting a script file and walking its command stream. Every read is
// checked against the end of the stream; what cannot be read is reported
// through ScriptFault instead of being guessed.
#include "formats/mes_script.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "base/sjis.h"

namespace marlit {
namespace {

std::optional<uint32_t> fail(ScriptFault* fault, uint32_t position, std::string what) {
    if (fault) {
        fault->position = position;
        fault->what = std::move(what);
    }
    return std::nullopt;
}

std::string hexByte(uint8_t b) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", b);
    return text;
}

std::string commandName(uint8_t opcode) {
    const CommandInfo* info = commandInfo(opcode);
    return info ? std::string(info->name) : hexByte(opcode);
}

}  // namespace

std::optional<MesScript> MesScript::parse(std::vector<uint8_t> bytes, ScriptFault* fault) {
    if (bytes.size() < 4) {
        fail(fault, 0,
             "the file is " + std::to_string(bytes.size()) +
                 " bytes long, too short for the header word count");
        return std::nullopt;
    }
    uint32_t count = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24;
    uint64_t streamStart = 4 + 4 * uint64_t{count};
    if (streamStart > bytes.size()) {
        fail(fault, 0,
             "the header claims " + std::to_string(count) + " words but the file has only " +
                 std::to_string(bytes.size()) + " bytes");
        return std::nullopt;
    }
    if (bytes.size() - streamStart > std::numeric_limits<uint32_t>::max()) {
        fail(fault, 0, "the command stream is larger than 4 GiB");
        return std::nullopt;
    }
    MesScript script;
    script.bytes_ = std::move(bytes);
    script.headerWords_ = count;
    return script;
}

std::span<const uint8_t> MesScript::stream() const {
    return std::span<const uint8_t>(bytes_).subspan(streamOffset());
}

std::optional<uint32_t> MesScript::commandLength(uint32_t position, ScriptFault* fault) const {
    std::span<const uint8_t> s = stream();
    if (position >= s.size())
        return fail(
            fault, position,
            "the command stream ends here (it is " + std::to_string(s.size()) + " bytes long)");
    uint8_t opcode = s[position];
    const CommandInfo* info = commandInfo(opcode);
    if (!info)
        return fail(fault, position, "byte " + hexByte(opcode) + " is not an opcode");
    size_t left = s.size() - position;
    auto fixed = [&](uint32_t length) -> std::optional<uint32_t> {
        if (length > left)
            return fail(fault, position,
                        std::string(info->name) + " needs " + std::to_string(length) +
                            " bytes but the stream ends after " + std::to_string(left));
        return length;
    };
    switch (info->shape) {
        case CommandShape::kWord:
            return fixed(3);
        case CommandShape::kByte:
            return fixed(2);
        case CommandShape::kQuad:
            return fixed(9);
        case CommandShape::kSpeaker:
            if (left > 1 && s[position + 1] == 0x04)
                return fixed(4);
            [[fallthrough]];
        case CommandShape::kString: {
            const void* nul = std::memchr(s.data() + position + 1, 0, left - 1);
            if (!nul)
                return fail(fault, position,
                            std::string(info->name) + " has no NUL before the end of the stream");
            return static_cast<uint32_t>(static_cast<const uint8_t*>(nul) - (s.data() + position)) +
                   1;
        }
    }
    return fail(fault, position, "unknown command shape");
}

std::optional<uint32_t> MesScript::nextCommand(uint32_t position, ScriptFault* fault) const {
    std::optional<uint32_t> length = commandLength(position, fault);
    if (!length)
        return std::nullopt;
    return position + *length;
}

std::optional<uint32_t> MesScript::findLabel(std::string_view name, ScriptFault* fault) const {
    const uint32_t end = static_cast<uint32_t>(stream().size());
    uint32_t position = 0;
    while (position < end) {
        std::optional<uint32_t> next = nextCommand(position, fault);
        if (!next) {
            if (fault)
                fault->what = "looking for label \"" + std::string(name) + "\": " + fault->what;
            return std::nullopt;
        }
        if (byteAt(position) == 50 && sameText(stringOperand(position), name))
            return position;
        position = *next;
    }
    return fail(fault, 0, "label \"" + std::string(name) + "\" is not in the script");
}

std::optional<uint32_t> MesScript::skipToBlockEnd(uint8_t block, uint32_t position,
                                                  ScriptFault* fault) const {
    const uint32_t from = position;
    const uint32_t end = static_cast<uint32_t>(stream().size());
    while (position < end) {
        std::optional<uint32_t> next = nextCommand(position, fault);
        if (!next) {
            if (fault)
                fault->what =
                    "looking for the end of block " + std::to_string(block) + ": " + fault->what;
            return std::nullopt;
        }
        if (byteAt(position) == 31 && byteAt(position + 2) == block)
            return next;
        position = *next;
    }
    return fail(fault, from, "no end of block " + std::to_string(block) + " after this position");
}

std::optional<uint32_t> MesScript::skipToOpcode(uint8_t opcode, uint32_t position,
                                                ScriptFault* fault) const {
    const uint32_t from = position;
    const uint32_t end = static_cast<uint32_t>(stream().size());
    while (position < end) {
        if (byteAt(position) == opcode && commandInfo(opcode))
            return position;
        std::optional<uint32_t> next = nextCommand(position, fault);
        if (!next) {
            if (fault)
                fault->what = "looking for " + commandName(opcode) + ": " + fault->what;
            return std::nullopt;
        }
        position = *next;
    }
    return fail(fault, from, "no " + commandName(opcode) + " command after this position");
}

uint8_t MesScript::byteAt(uint32_t position) const {
    std::span<const uint8_t> s = stream();
    return position < s.size() ? s[position] : 0;
}

std::string_view MesScript::stringOperand(uint32_t position) const {
    std::span<const uint8_t> s = stream();
    if (position + size_t{1} >= s.size())
        return {};
    const char* start = reinterpret_cast<const char*>(s.data()) + position + 1;
    size_t left = s.size() - position - 1;
    const void* nul = std::memchr(start, 0, left);
    return std::string_view(start, nul ? static_cast<const char*>(nul) - start : left);
}

uint16_t MesScript::quadWord(uint32_t position, int i) const {
    std::span<const uint8_t> s = stream();
    size_t at = position + size_t{1} + 2 * size_t(i);
    if (i < 0 || i > 3 || at + 2 > s.size())
        return 0;
    return static_cast<uint16_t>(s[at] | s[at + 1] << 8);
}

}  // namespace marlit
