// marlit-tool format: prints what the player's formatter makes.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "base/encoding.h"
#include "base/format.h"
#include "tools/marlit_tool/command.h"

namespace marlit::tool {
namespace {

// Text typed in UTF-8 becomes the Shift-JIS the formatter works in; bytes
// that are not UTF-8 (Shift-JIS given as it is) and plain ASCII stay as
// they are.
std::string asShiftJis(const std::string& text) {
    bool ascii = std::all_of(text.begin(), text.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return text;
    auto sjis = utf8ToSjis(text);
    return sjis ? *sjis : text;
}

int baseOf(const std::string& number) {
    size_t at = !number.empty() && (number[0] == '-' || number[0] == '+') ? 1 : 0;
    bool hex = number.size() > at + 1 && number[at] == '0' && (number[at + 1] | 0x20) == 'x';
    return hex ? 16 : 10;
}

// One command-line argument as formatter words; false when it is none of
// the accepted forms.
bool toWordsOf(const std::string& arg, std::deque<std::string>& texts,
               std::vector<FormatWord>& words) {
    // Decimal, or hexadecimal after "0x": a leading zero is no octal mark,
    // so "010" is ten.
    auto number = [](const std::string& s, long long& out) {
        if (s.empty())
            return false;
        errno = 0;
        char* end = nullptr;
        out = std::strtoll(s.c_str(), &end, baseOf(s));
        return errno == 0 && end != s.c_str() && *end == '\0';
    };
    if (arg.rfind("s:", 0) == 0) {
        texts.push_back(asShiftJis(arg.substr(2)));
        words.push_back(FormatWord{0, texts.back().c_str()});
        return true;
    }
    if (arg.rfind("f:", 0) == 0) {
        std::string text = arg.substr(2);
        errno = 0;
        char* end = nullptr;
        double d = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0')
            return false;
        FormatArg arg(d);
        for (const auto& w : arg.words())
            words.push_back(w);
        return true;
    }
    if (arg.rfind("t:", 0) == 0) {
        std::string text = arg.substr(2);
        if (text.empty())
            return false;
        errno = 0;
        char* end = nullptr;
        unsigned long long v;
        if (text[0] == '-') {
            long long s = std::strtoll(text.c_str(), &end, baseOf(text));
            v = static_cast<unsigned long long>(s);
        } else {
            v = std::strtoull(text.c_str(), &end, baseOf(text));
        }
        if (errno != 0 || *end != '\0')
            return false;
        FormatArg arg(Wide64{v});
        for (const auto& w : arg.words())
            words.push_back(w);
        return true;
    }
    long long v;
    if (!number(arg, v) || v < INT32_MIN || v > static_cast<long long>(UINT32_MAX)) {
        return false;
    }
    words.push_back(FormatWord{static_cast<uint32_t>(v), nullptr});
    return true;
}

const Command kFormat{
    "format",
    "",
    "format FORMAT [ARG...]",
    "print what the player's formatter makes of FORMAT and the arguments",
    "Arguments, consumed as 32-bit words in order:\n"
    "  N          an integer (decimal, or 0x hexadecimal): one word\n"
    "  s:TEXT     a string: one word\n"
    "  f:NUMBER   a double: two words, low word first\n"
    "  t:NUMBER   a 64-bit integer: two words, low word first\n"
    "FORMAT and TEXT may be given in UTF-8 (converted to Shift-JIS) or as\n"
    "Shift-JIS bytes. The text is written as raw bytes (Shift-JIS), then a\n"
    "newline: \"save%z3.dat\" 1 prints save001.dat.\n",
    "marlit-tool format \"save%z3.dat\" 1",
    [](std::span<const std::string> args) -> int {
        if (args.empty())
            return usageError(kFormat, "missing FORMAT");
        std::deque<std::string> texts;
        std::vector<FormatWord> words;
        for (size_t i = 1; i < args.size(); ++i) {
            if (!toWordsOf(args[i], texts, words)) {
                return usageError(kFormat, "cannot read argument '" + args[i] + "'");
            }
        }
        std::string out = formatText(asShiftJis(args[0]), words);
        std::fwrite(out.data(), 1, out.size(), stdout);
        std::fputc('\n', stdout);
        return 0;
    },
};

const Registrar kRegister(kFormat);

}  // namespace
}  // namespace marlit::tool
