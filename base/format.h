// The player's formatter: "%", the letter, an optional flag "+" or "-", up
// to two digits of width, and for f/F "." and up to two digits of precision.
// "%z3" writes three zero-padded digits; the upper-case letters write the
// same text in full width.
//
// Arguments are consumed as 32-bit words, as the directives expect them: a
// 64-bit integer or a double takes two words (low word first), a string one.
// A directive that finds a word of the wrong kind, or no word at all, reads
// 0 or the empty string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

// One 32-bit argument word; a string word also carries its text.
struct FormatWord {
    uint32_t value = 0;
    const char* text = nullptr;
};

// A 64-bit integer argument (two words).
struct Wide64 {
    uint64_t value;
};

// One argument as written at the call site; it expands to one or two words.
class FormatArg {
  public:
    FormatArg(int32_t v) : count_(1) { words_[0].value = static_cast<uint32_t>(v); }
    FormatArg(uint32_t v) : count_(1) { words_[0].value = v; }
    FormatArg(Wide64 v);
    FormatArg(double v);
    FormatArg(const char* s) : count_(1) { words_[0].text = s ? s : ""; }
    FormatArg(const std::string& s) : FormatArg(s.c_str()) {}

    std::span<const FormatWord> words() const { return {words_, count_}; }

  private:
    FormatWord words_[2];
    size_t count_ = 0;
};

std::vector<FormatWord> toWords(std::initializer_list<FormatArg> args);

// The bounded formatter: writes at most capacity - 1 bytes and a NUL into
// `out`, which may already hold text (see "%r"). Returns the length of the
// text in out.
size_t formatString(char* out, size_t capacity, std::string_view format,
                    std::span<const FormatWord> words);
size_t formatString(char* out, size_t capacity, std::string_view format,
                    std::initializer_list<FormatArg> args);

// The formatted text as a string ("%r" finds nothing to skip).
std::string formatText(std::string_view format, std::span<const FormatWord> words);
std::string formatText(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace marlit
