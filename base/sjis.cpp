#include "base/sjis.h"

#include <cstring>

namespace marlit {

namespace {

constexpr uint8_t foldByte(uint8_t b) {
    return (b >= 'a' && b <= 'z') ? b - ('a' - 'A') : b;
}

// Full-width forms of 0x20-0x7E, six rows of sixteen.
constexpr uint16_t kFullWidth[6][16] = {
    // space ! " # $ % & ' ( ) * + , - . /
    {0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A, 0x8196, 0x817B,
     0x8143, 0x8151, 0x8144, 0x815E},
    // 0-9 : ; < = > ?
    {0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256, 0x8257, 0x8258, 0x8146, 0x8147,
     0x8183, 0x8181, 0x8184, 0x8148},
    // @ A-O
    {0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A,
     0x826B, 0x826C, 0x826D, 0x826E},
    // P-Z [ \ ] ^ _
    {0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D,
     0x818F, 0x816E, 0x814F, 0x8151},
    // ` a-o
    {0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287, 0x8288, 0x8289, 0x828A, 0x828B,
     0x828C, 0x828D, 0x828E, 0x828F},
    // p-z { | } ~ (0x7F is never converted)
    {0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F,
     0x8162, 0x8170, 0x8150, 0x0000},
};

// Compares from the start of a and b over `count` bytes of a. Both must
// hold at least count bytes.
bool sameRun(std::string_view a, std::string_view b, size_t count) {
    size_t i = 0;
    while (i < count) {
        auto ca = static_cast<uint8_t>(a[i]);
        auto cb = static_cast<uint8_t>(b[i]);
        if (isLeadByte(ca)) {
            if (ca != cb)
                return false;
            if (i + 1 < count) {
                if (a[i + 1] != b[i + 1])
                    return false;
                i += 2;
            } else {
                i += 1;
            }
            continue;
        }
        if (foldByte(ca) != foldByte(cb))
            return false;
        ++i;
    }
    return true;
}

}  // namespace

size_t textLength(const char* s) {
    return std::strlen(s);
}

size_t characterCount(std::string_view s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++n) {
        i += (isLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
    }
    return n;
}

char* textCopy(char* dst, const char* src) {
    while ((*dst = *src) != '\0') {
        ++dst;
        ++src;
    }
    return dst;
}

char* textAppend(char* dst, const char* src) {
    return textCopy(dst + std::strlen(dst), src);
}

size_t textCopyBounded(char* dst, size_t capacity, std::string_view src) {
    if (capacity == 0)
        return 0;
    size_t n = 0;
    while (n < src.size() && src[n] != '\0') {
        size_t step = (isLeadByte(src[n]) && n + 1 < src.size()) ? 2 : 1;
        if (n + step > capacity - 1)
            break;
        n += step;
    }
    std::memcpy(dst, src.data(), n);
    dst[n] = '\0';
    return n;
}

std::optional<size_t> findLast(std::string_view s, char c) {
    std::optional<size_t> found;
    for (size_t i = 0; i < s.size();) {
        if (isLeadByte(s[i])) {
            i += 2;
            continue;
        }
        if (s[i] == c)
            found = i;
        ++i;
    }
    return found;
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && sameRun(a, b, a.size());
}

bool startsWith(std::string_view s, std::string_view prefix) {
    if (prefix.size() > s.size())
        return false;
    if (!sameRun(prefix, s, prefix.size()))
        return false;
    // A prefix may not end in the middle of a double-byte character of s.
    size_t i = 0;
    while (i < prefix.size())
        i += isLeadByte(prefix[i]) ? 2 : 1;
    return i == prefix.size() || prefix.size() == s.size();
}

std::string foldCase(std::string_view s) {
    std::string out(s);
    for (size_t i = 0; i < out.size();) {
        if (isLeadByte(out[i])) {
            i += 2;
            continue;
        }
        out[i] = static_cast<char>(foldByte(static_cast<uint8_t>(out[i])));
        ++i;
    }
    return out;
}

size_t nextToken(std::string_view in, size_t pos, std::string& out, std::string_view delimiters,
                 bool skipBlanks) {
    out.clear();
    while (pos < in.size() && in[pos] != '\0') {
        char c = in[pos];
        if (skipBlanks && (c == ' ' || c == '\t')) {
            ++pos;
            continue;
        }
        if (skipBlanks && c == '\r' && pos + 1 < in.size() && in[pos + 1] == '\n') {
            pos += 2;
            continue;
        }
        if (c == '"') {
            ++pos;
            while (pos < in.size() && in[pos] != '\0' && in[pos] != '"') {
                if (isLeadByte(in[pos]) && pos + 1 < in.size())
                    out.push_back(in[pos++]);
                out.push_back(in[pos++]);
            }
            if (pos < in.size() && in[pos] == '"')
                ++pos;
            continue;
        }
        if (delimiters.find(c) != std::string_view::npos)
            return pos + 1;
        if (isLeadByte(c) && pos + 1 < in.size() && in[pos + 1] != '\0')
            out.push_back(in[pos++]);
        out.push_back(in[pos++]);
    }
    return pos;
}

int parseNumber(std::string_view text, int32_t& out) {
    auto nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        uint32_t v = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            char c = text[i];
            uint32_t d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            v = v * 16 + d;
        }
        out = static_cast<int32_t>(v);
        return -1;
    }
    uint32_t value = 0;
    uint32_t scale = 1;
    bool negative = false;
    int sign = -1;
    for (size_t i = text.size(); i-- > 0;) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            value += static_cast<uint32_t>(c - '0') * scale;
            scale *= 10;
        } else if (c == '-') {
            negative = true;
            sign = 1;
        } else if (c == '+') {
            sign = 0;
        }
    }
    out = static_cast<int32_t>(negative ? 0u - value : value);
    return sign;
}

uint16_t fullWidthCode(uint8_t ascii) {
    if (ascii < 0x20 || ascii > 0x7E)
        return 0;
    return kFullWidth[(ascii - 0x20) / 16][ascii % 16];
}

size_t toFullWidth(std::string& out, std::string_view in) {
    size_t count = 0;
    for (size_t i = 0; i < in.size(); ++count) {
        auto b = static_cast<uint8_t>(in[i]);
        if (isLeadByte(b) && i + 1 < in.size()) {
            out.append(in.substr(i, 2));
            i += 2;
        } else if (b >= 0x20 && b <= 0x7E) {
            uint16_t code = fullWidthCode(b);
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
            ++i;
        } else {
            out.push_back(static_cast<char>(b));
            ++i;
        }
    }
    return count;
}

}  // namespace marlit
