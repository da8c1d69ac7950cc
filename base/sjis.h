// Shift-JIS aware string helpers. Every text inside the system is narrow
// Shift-JIS (code page 932); a lead byte and its trail byte always travel
// together, so a trail byte is never mistaken for ASCII ("\" or "a"-"z").
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marlit {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool isLeadByte(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool isLeadByte(char c) {
    return isLeadByte(static_cast<uint8_t>(c));
}

// Length in bytes of a NUL-terminated text.
size_t textLength(const char* s);
// Number of characters: a double-byte character counts once.
size_t characterCount(std::string_view s);
// Copies src with its NUL; returns the position of the copied NUL.
char* textCopy(char* dst, const char* src);
// Appends src to the text in dst; returns the position of the new NUL.
char* textAppend(char* dst, const char* src);
// Copies at most capacity - 1 bytes and always ends with NUL; never cuts a
// double-byte character in half. Returns the bytes copied.
size_t textCopyBounded(char* dst, size_t capacity, std::string_view src);

// The last single-byte occurrence of c, skipping double-byte characters.
std::optional<size_t> findLast(std::string_view s, char c);

// The name equality: double-byte characters match exactly, single bytes
// after folding ASCII a-z to upper case. A lead byte at the very end of a
// text is a character of its own (nothing is read past the end).
bool sameText(std::string_view a, std::string_view b);
// True when s begins with prefix, under the same rule.
bool startsWith(std::string_view s, std::string_view prefix);
// Upper-cases ASCII letters outside double-byte characters.
std::string foldCase(std::string_view s);

// Copies the next token of `in` to `out` and returns the position after it
// (past its delimiter). A double quote copies everything up to the next
// double quote verbatim, the quotes dropped. With skipBlanks, spaces, tabs
// and CR LF pairs outside quotes are skipped.
size_t nextToken(std::string_view in, size_t pos, std::string& out, std::string_view delimiters,
                 bool skipBlanks);

// Reads a number. After "0x" the rest is hexadecimal and the result is -1.
// Otherwise the decimal digits are read from the right, any other byte being
// passed over; a "-" anywhere makes the value negative. The result tells
// the sign written: 0 for "+", 1 for "-", -1 for none (the leftmost sign
// counts when there are several).
int parseNumber(std::string_view text, int32_t& out);

// Converts ASCII 0x20-0x7E to its full-width double-byte form; double-byte
// characters and every other byte are copied. Appends to out and returns
// the number of characters written.
size_t toFullWidth(std::string& out, std::string_view in);
// The full-width form of one ASCII byte 0x20-0x7E as a Shift-JIS code.
uint16_t fullWidthCode(uint8_t ascii);

}  // namespace marlit
