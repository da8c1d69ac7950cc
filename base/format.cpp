#include "base/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/sjis.h"

namespace marlit {

FormatArg::FormatArg(Wide64 v) : count_(2) {
    words_[0].value = static_cast<uint32_t>(v.value);
    words_[1].value = static_cast<uint32_t>(v.value >> 32);
}

FormatArg::FormatArg(double v) : count_(2) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    words_[0].value = static_cast<uint32_t>(bits);
    words_[1].value = static_cast<uint32_t>(bits >> 32);
}

std::vector<FormatWord> toWords(std::initializer_list<FormatArg> args) {
    std::vector<FormatWord> words;
    for (const auto& a : args) {
        for (const auto& w : a.words())
            words.push_back(w);
    }
    return words;
}

namespace {

// Hands out argument words in order.
class WordCursor {
  public:
    explicit WordCursor(std::span<const FormatWord> words) : words_(words) {}
    uint32_t word() {
        if (next_ >= words_.size())
            return 0;
        const auto& w = words_[next_++];
        return w.text ? 0 : w.value;
    }
    uint64_t wide() {
        uint64_t lo = word();
        uint64_t hi = word();
        return lo | (hi << 32);
    }
    double real() {
        uint64_t bits = wide();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    const char* text() {
        if (next_ >= words_.size())
            return "";
        const auto& w = words_[next_++];
        return w.text ? w.text : "";
    }

  private:
    std::span<const FormatWord> words_;
    size_t next_ = 0;
};

// Digits of v in `base`, most significant first; "0" for zero.
std::string digits(uint64_t v, unsigned base) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s;
    do {
        s.insert(s.begin(), kDigits[v % base]);
        v /= base;
    } while (v != 0);
    return s;
}

// Exactly `width` digits, zero-padded, keeping the lowest ones.
std::string fixedDigits(uint64_t v, unsigned base, int width) {
    std::string s = digits(v, base);
    if (static_cast<int>(s.size()) >= width)
        return s.substr(s.size() - width);
    return std::string(width - s.size(), '0') + s;
}

// The decimal field of d, u, t and the integer part of f: without a width
// every digit with the sign in front; with a width the lowest w digits
// right-aligned in spaces and the sign just before the first digit. When
// the digits fill the field the sign goes in front of it, so that no
// character already written is overwritten.
std::string decimalField(std::string s, char sign, int width) {
    if (width == 0) {
        return sign != '\0' && sign != ' ' ? std::string(1, sign) + s : s;
    }
    if (static_cast<int>(s.size()) > width)
        s = s.substr(s.size() - width);
    if (sign != '\0')
        s.insert(s.begin(), sign);
    if (static_cast<int>(s.size()) < width)
        s.insert(s.begin(), width - s.size(), ' ');
    return s;
}

// The sign character for a flag: '+' gives "-" or "+", '-' gives "-" or a
// space, no flag gives none.
char signFor(char flag, bool negative) {
    if (flag == '+')
        return negative ? '-' : '+';
    if (flag == '-')
        return negative ? '-' : ' ';
    return '\0';
}

// The fraction is truncated, not rounded, from the shortest decimal that
// reads back as the same double: 0.7 shows "0.6" if its exact binary value
// (0.6999...) were cut instead, which nobody who wrote 0.7 expects.
std::string fixedPoint(double v, char flag, int width, int precision) {
    bool negative = std::signbit(v) && v != 0.0;
    double mag = std::fabs(v);
    if (!std::isfinite(mag))
        mag = 0.0;
    char shortest[400];  // DBL_MAX has 309 integer digits
    auto done = std::to_chars(shortest, shortest + sizeof shortest, mag, std::chars_format::fixed);
    std::string_view text(shortest, done.ptr);
    size_t dot = text.find('.');
    std::string_view integer = text.substr(0, dot);
    std::string_view fraction = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    std::string s = decimalField(std::string(integer), signFor(flag, negative), width);
    s.push_back('.');
    const size_t p = static_cast<size_t>(precision);
    s.append(fraction.substr(0, p));
    s.append(p - std::min(fraction.size(), p), '0');
    return s;
}

class Output {
  public:
    Output(char* out, size_t capacity) : out_(out), capacity_(capacity) {}
    void put(std::string_view s) {
        for (char c : s) {
            if (pos_ + 1 >= capacity_)
                return;
            out_[pos_++] = c;
        }
    }
    // Moves past the text already in the buffer at the current position.
    void skipExisting() {
        while (pos_ + 1 < capacity_ && out_[pos_] != '\0')
            ++pos_;
    }
    size_t finish() {
        if (capacity_ == 0)
            return 0;
        out_[pos_] = '\0';
        return std::strlen(out_);
    }

  private:
    char* out_;
    size_t capacity_;
    size_t pos_ = 0;
};

std::string fullWidth(std::string_view s) {
    std::string out;
    toFullWidth(out, s);
    return out;
}

}  // namespace

size_t formatString(char* out, size_t capacity, std::string_view format,
                    std::span<const FormatWord> words) {
    if (capacity == 0)
        return 0;
    Output o(out, capacity);
    WordCursor args(words);
    size_t i = 0;
    const size_t n =
        format.find('\0') == std::string_view::npos ? format.size() : format.find('\0');
    while (i < n) {
        char c = format[i];
        if (c != '%') {
            // A double-byte character is copied whole, so that its trail byte
            // is never read as "%".
            if (isLeadByte(c) && i + 1 < n) {
                o.put(format.substr(i, 2));
                i += 2;
            } else {
                o.put(format.substr(i, 1));
                ++i;
            }
            continue;
        }
        ++i;
        if (i >= n)
            break;
        char letter = format[i++];
        bool longForm = false;
        if (letter == 'l') {
            if (i >= n)
                break;
            letter = format[i++];
            longForm = true;
        }
        if (longForm && std::string_view("duxoDUXO").find(letter) == std::string_view::npos) {
            continue;  // "%l" with any other letter writes nothing; what follows is text
        }
        // Only the signed and unsigned decimal forms take a flag; only the
        // letters with a field take a width (so "%s -%s-" keeps its last "-").
        const char lower = static_cast<char>(letter >= 'A' && letter <= 'Z' ? letter + 32 : letter);
        const bool takesFlag = std::string_view("dutf").find(lower) != std::string_view::npos;
        const bool takesWidth = std::string_view("duztxofs").find(lower) != std::string_view::npos;
        char flag = '\0';
        if (takesFlag && i < n && (format[i] == '+' || format[i] == '-'))
            flag = format[i++];
        int width = 0;
        for (int k = 0; takesWidth && k < 2 && i < n && format[i] >= '0' && format[i] <= '9'; ++k) {
            width = width * 10 + (format[i++] - '0');
        }
        int precision = 0;
        if (lower == 'f' && i < n && format[i] == '.') {
            ++i;
            for (int k = 0; k < 2 && i < n && format[i] >= '0' && format[i] <= '9'; ++k) {
                precision = precision * 10 + (format[i++] - '0');
            }
        }

        bool wide = letter >= 'A' && letter <= 'Z';
        std::string text;
        switch (letter) {
            case '%':
                text = "%";
                break;
            case 'c':
                text.push_back(static_cast<char>(args.word() & 0xFF));
                break;
            case 'd':
            case 'D': {
                auto v = static_cast<int32_t>(args.word());
                uint64_t mag = v < 0 ? 0ull - static_cast<int64_t>(v) : static_cast<uint64_t>(v);
                text = decimalField(digits(mag, 10), signFor(flag, v < 0), width);
                break;
            }
            case 'u':
            case 'U':
                text = decimalField(digits(args.word(), 10), '\0', width);
                break;
            case 't':
            case 'T':
                text = decimalField(digits(args.wide(), 10), '\0', width);
                break;
            case 'z':
            case 'Z': {
                uint32_t v = args.word();
                if (width > 0)
                    text = fixedDigits(v, 10, width);
                break;
            }
            case 'x':
            case 'X': {
                uint32_t v = args.word();
                if (width > 0)
                    text = fixedDigits(v, 16, width);
                break;
            }
            case 'o':
            case 'O': {
                uint32_t v = args.word();
                if (width > 0)
                    text = fixedDigits(v, 8, width);
                break;
            }
            case 'f':
            case 'F':
                text = fixedPoint(args.real(), flag, width, precision);
                break;
            case 's': {
                std::string_view s = args.text();
                if (width > 0) {
                    text = std::string(s.substr(0, std::min<size_t>(s.size(), width)));
                    text.resize(width, ' ');
                } else {
                    text = s;
                }
                wide = false;
                break;
            }
            case 'S': {
                text = fullWidth(args.text());
                if (width > 0)
                    text.resize(2 * static_cast<size_t>(width), ' ');
                wide = false;
                break;
            }
            case 'r':
                o.skipExisting();
                continue;
            default:
                continue;  // "%" and the letter are dropped
        }
        o.put(wide ? fullWidth(text) : text);
    }
    return o.finish();
}

size_t formatString(char* out, size_t capacity, std::string_view format,
                    std::initializer_list<FormatArg> args) {
    auto words = toWords(args);
    return formatString(out, capacity, format, words);
}

std::string formatText(std::string_view format, std::span<const FormatWord> words) {
    // Grow until the text fits; the formatter itself never overruns.
    for (size_t capacity = 256;; capacity *= 4) {
        std::string buffer(capacity, '\0');
        size_t len = formatString(buffer.data(), capacity, format, words);
        if (len + 1 < capacity || capacity > (1u << 26)) {
            buffer.resize(len);
            return buffer;
        }
    }
}

std::string formatText(std::string_view format, std::initializer_list<FormatArg> args) {
    auto words = toWords(args);
    return formatText(format, words);
}

}  // namespace marlit
