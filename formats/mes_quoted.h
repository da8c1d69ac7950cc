// Quoted strings of the script text form. Inside the quotes the text is
// UTF-8; a byte that is not part of a Shift-JIS character with a UTF-8 form
// that converts back to the same bytes is written as \xNN, so that every
// byte string survives the trip. Escapes: \" \\ \n (0x0A) \xNN.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marlit {

// The Shift-JIS bytes as a quoted UTF-8 string, quotes included.
std::string quoteBytes(std::string_view shiftJis);

// Reads the quoted string that starts at text[pos] (the opening quote) and
// returns its Shift-JIS bytes; pos moves past the closing quote. None, with
// the reason in error, when the string is not closed, holds an unknown
// escape or a character without a Shift-JIS form.
std::optional<std::string> unquoteBytes(std::string_view text, size_t& pos, std::string& error);

}  // namespace marlit
