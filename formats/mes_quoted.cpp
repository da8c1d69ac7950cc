#include "formats/mes_quoted.h"

#include <cstdio>

#include "base/encoding.h"
#include "base/sjis.h"

namespace marlit {
namespace {

void appendHex(std::string& out, uint8_t b) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", b);
    out += text;
}

// The UTF-8 form of one Shift-JIS character, when it converts back to
// exactly the same bytes.
std::optional<std::string> utf8Of(std::string_view character) {
    char16_t c = sjisCharToUtf16(static_cast<uint8_t>(character[0]),
                                 character.size() > 1 ? static_cast<uint8_t>(character[1]) : 0);
    if (c == u'\uFFFD')
        return std::nullopt;
    std::string utf8 = utf16ToUtf8(std::u16string_view(&c, 1));
    std::optional<std::string> back = utf8ToSjis(utf8);
    if (!back || *back != character)
        return std::nullopt;
    return utf8;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Length of the UTF-8 sequence that starts with b; 0 for a byte that cannot
// start one.
size_t utf8Length(uint8_t b) {
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b < 0xE0)
        return 2;
    if (b >= 0xE0 && b < 0xF0)
        return 3;
    if (b >= 0xF0 && b < 0xF5)
        return 4;
    return 0;
}

}  // namespace

std::string quoteBytes(std::string_view s) {
    std::string out = "\"";
    size_t i = 0;
    while (i < s.size()) {
        auto b = static_cast<uint8_t>(s[i]);
        if (b == '"' || b == '\\') {
            out += '\\';
            out += static_cast<char>(b);
            ++i;
        } else if (b == '\n') {
            out += "\\n";
            ++i;
        } else if (b >= 0x20 && b < 0x7F) {
            out += static_cast<char>(b);
            ++i;
        } else {
            size_t length = isLeadByte(b) && i + 1 < s.size() ? 2 : 1;
            std::optional<std::string> utf8 =
                b >= 0x80 ? utf8Of(s.substr(i, length)) : std::nullopt;
            if (utf8) {
                out += *utf8;
                i += length;
            } else {
                appendHex(out, b);
                ++i;
            }
        }
    }
    return out + "\"";
}

std::optional<std::string> unquoteBytes(std::string_view text, size_t& pos, std::string& error) {
    if (pos >= text.size() || text[pos] != '"') {
        error = "expected a quoted string";
        return std::nullopt;
    }
    std::string out;
    size_t i = pos + 1;
    while (i < text.size() && text[i] != '"') {
        auto b = static_cast<uint8_t>(text[i]);
        if (b == '\\') {
            char e = i + 1 < text.size() ? text[i + 1] : '\0';
            if (e == '"' || e == '\\') {
                out += e;
                i += 2;
            } else if (e == 'n') {
                out += '\n';
                i += 2;
            } else if (e == 'x' || e == 'X') {
                int hi = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
                int lo = i + 3 < text.size() ? hexValue(text[i + 3]) : -1;
                if (hi < 0 || lo < 0) {
                    error = "\\x needs two hexadecimal digits";
                    return std::nullopt;
                }
                out += static_cast<char>(hi * 16 + lo);
                i += 4;
            } else {
                error = std::string("unknown escape \\") + (e ? std::string(1, e) : "") +
                        " (known: \\\" \\\\ \\n \\xNN)";
                return std::nullopt;
            }
            continue;
        }
        if (b < 0x20 || b == 0x7F) {
            error = "a control character inside a string (write it as \\xNN)";
            return std::nullopt;
        }
        size_t length = utf8Length(b);
        if (length == 0 || i + length > text.size()) {
            error = "the text is not UTF-8";
            return std::nullopt;
        }
        std::string_view character = text.substr(i, length);
        std::optional<std::string> sjis = utf8ToSjis(character);
        if (!sjis) {
            error = "\"" + std::string(character) + "\" has no Shift-JIS form";
            return std::nullopt;
        }
        out += *sjis;
        i += length;
    }
    if (i >= text.size()) {
        error = "the string has no closing quote";
        return std::nullopt;
    }
    pos = i + 1;
    return out;
}

}  // namespace marlit
