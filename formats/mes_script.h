// Scenario scripts (.mes): a count N of 32-bit header words, the N words,
// then the command stream (no length field, no end marker). Every command
// is an opcode byte whose value alone fixes the command's length:
//
//   word     3 bytes: opcode, two operand bytes (b1 b2, or w = b1 + 256 b2)
//   byte     2 bytes: opcode, one operand byte
//   string   opcode, then a NUL-terminated byte string
//   speaker  "K": 4 bytes when the next byte is 0x04, else a string
//   quad     9 bytes: opcode, four 16-bit little-endian words w1..w4
//
// Text that is shown (the speaker, message and choice-text commands) is
// Shift-JIS with every byte lowered by 0x20. The walkers here never read
// outside the stream: a non-opcode byte or a command that runs off the end
// is reported as an error with its position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

enum class CommandShape : uint8_t { kWord, kByte, kString, kSpeaker, kQuad };

// One row of the command table: the opcode, the mnemonic that the
// disassembler, the assembler and the trace print, and its shape.
struct CommandInfo {
    uint8_t opcode;
    std::string_view name;
    CommandShape shape;
    // Word commands: true when the two operand bytes are read as one 16-bit
    // word w, false when they are two separate bytes b1 b2.
    bool asWord = false;
};

// Every opcode, in opcode order.
std::span<const CommandInfo> commandTable();
// The row of an opcode; null for a byte that is not an opcode.
const CommandInfo* commandInfo(uint8_t opcode);
// The row whose mnemonic equals name (ASCII case-insensitive); null if none.
const CommandInfo* commandByName(std::string_view name);

// Where a walk went wrong: the position (in the stream) of the command
// that could not be read or was being looked for from, and what happened.
struct ScriptFault {
    uint32_t position = 0;
    std::string what;
};

// A loaded script: its header word count and its command stream.
class MesScript {
  public:
    // Splits a whole file. None (with the reason in fault) when the header
    // count does not fit the bytes.
    static std::optional<MesScript> parse(std::vector<uint8_t> bytes, ScriptFault* fault = nullptr);

    uint32_t headerWords() const { return headerWords_; }
    std::span<const uint8_t> stream() const;
    // Byte offset of the stream in the file.
    size_t streamOffset() const { return 4 + 4 * size_t{headerWords_}; }
    std::span<const uint8_t> fileBytes() const { return bytes_; }

    // Length of the command at position: none (and fault) for a position
    // at or past the end, a non-opcode byte, or a command that runs off the
    // end of the stream.
    std::optional<uint32_t> commandLength(uint32_t position, ScriptFault* fault = nullptr) const;
    // Position of the command after the one at position (nextCommand).
    std::optional<uint32_t> nextCommand(uint32_t position, ScriptFault* fault = nullptr) const;
    // Position of the first label command ("2") named name, from position 0;
    // names compare with the name equality (ASCII case-insensitive).
    std::optional<uint32_t> findLabel(std::string_view name, ScriptFault* fault = nullptr) const;
    // From position (included), the position after the first block-end
    // command (opcode 31) whose byte at offset 2 equals block.
    std::optional<uint32_t> skipToBlockEnd(uint8_t block, uint32_t position,
                                           ScriptFault* fault = nullptr) const;
    // From position (included), the position of the first command with
    // this opcode.
    std::optional<uint32_t> skipToOpcode(uint8_t opcode, uint32_t position,
                                         ScriptFault* fault = nullptr) const;

    // Operands of the command at position; the caller has checked its
    // length with commandLength.
    uint8_t byteAt(uint32_t position) const;
    // The string of a string command (from position + 1 up to its NUL).
    std::string_view stringOperand(uint32_t position) const;
    // Word i (0-3) of a quad command.
    uint16_t quadWord(uint32_t position, int i) const;

  private:
    std::vector<uint8_t> bytes_;
    uint32_t headerWords_ = 0;
};

// Shown text: stored bytes to Shift-JIS by adding 0x20 to each byte.
// With lineBreaks, a resulting line feed becomes "/" (speaker and message
// text). With ruby, a group "｛first／second｝" (recognised on the stored
// bytes) keeps only its second part (message text only).
std::string decodeShownText(std::string_view stored, bool lineBreaks, bool ruby);
// The stored form of Shift-JIS text (each byte lowered by 0x20). None when
// the text holds a byte that would be stored as NUL (a half-width space).
std::optional<std::string> encodeShownText(std::string_view shiftJis);

}  // namespace marlit
