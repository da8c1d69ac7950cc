// Conversions between Shift-JIS (code page 932) and Unicode. Bytes that do
// not form a character become U+FFFD (or "?" going back to Shift-JIS).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marlit {

// One character: a single byte (lead == its value, trail ignored) or a
// double-byte character. Returns U+FFFD for codes that are not characters.
char16_t sjisCharToUtf16(uint8_t lead, uint8_t trail);

std::u16string sjisToUtf16(std::string_view sjis);
std::string sjisToUtf8(std::string_view sjis);
std::string utf16ToUtf8(std::u16string_view text);

// UTF-8 to Shift-JIS; none when a character has no Shift-JIS form or the
// input is not UTF-8.
std::optional<std::string> utf8ToSjis(std::string_view utf8);

}  // namespace marlit
