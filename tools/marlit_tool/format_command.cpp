// marlit-tool format: prints what the player's formatter makes.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "base/format.h"
#include "tools/marlit_tool/command.h"

namespace marlit::tool {
namespace {

// One command-line argument as formatter words; false when it is none of
// the accepted forms.
bool toWordsOf(const std::string& arg, std::deque<std::string>& texts,
               std::vector<FormatWord>& words) {
    auto number = [](const std::string& s, long long& out, bool allowHex) {
        if (s.empty())
            return false;
        errno = 0;
        char* end = nullptr;
        out = std::strtoll(s.c_str(), &end, allowHex ? 0 : 10);
        return errno == 0 && end != s.c_str() && *end == '\0';
    };
    if (arg.rfind("s:", 0) == 0) {
        texts.push_back(arg.substr(2));
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
            long long s = std::strtoll(text.c_str(), &end, 0);
            v = static_cast<unsigned long long>(s);
        } else {
            v = std::strtoull(text.c_str(), &end, 0);
        }
        if (errno != 0 || *end != '\0')
            return false;
        FormatArg arg(Wide64{v});
        for (const auto& w : arg.words())
            words.push_back(w);
        return true;
    }
    long long v;
    if (!number(arg, v, true) || v < INT32_MIN || v > static_cast<long long>(UINT32_MAX)) {
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
    "The text is written as raw bytes (Shift-JIS), then a newline.\n"
    "Example: marlit-tool format \"save%z3.dat\" 1   prints save001.dat\n",
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
        std::string out = formatText(args[0], words);
        std::fwrite(out.data(), 1, out.size(), stdout);
        std::fputc('\n', stdout);
        return 0;
    },
};

const Registrar kRegister(kFormat);

}  // namespace
}  // namespace marlit::tool
