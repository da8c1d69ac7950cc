#include "base/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <vector>

#include "base/sjis.h"

namespace marlit {

namespace {

// One iconv descriptor per thread and direction; iconv keeps state.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in`; false when a byte sequence is invalid or has no
    // form in the target.
    bool convert(std::string_view in, std::string& out) {
        out.clear();
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> src(in.begin(), in.end());
        char* inp = src.data();
        size_t inLeft = src.size();
        std::vector<char> buffer(in.size() * 4 + 16);
        while (true) {
            char* outp = buffer.data();
            size_t outLeft = buffer.size();
            size_t r = iconv(cd_, &inp, &inLeft, &outp, &outLeft);
            out.append(buffer.data(), outp - buffer.data());
            if (r != static_cast<size_t>(-1))
                break;
            if (errno != E2BIG)
                return false;
        }
        char* outp = buffer.data();
        size_t outLeft = buffer.size();
        iconv(cd_, nullptr, nullptr, &outp, &outLeft);
        out.append(buffer.data(), outp - buffer.data());
        return true;
    }

  private:
    iconv_t cd_;
};

Converter& toUtf16() {
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}

Converter& toSjis() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

}  // namespace

namespace {

char16_t convertOne(std::string_view in) {
    std::string out;
    if (!toUtf16().convert(in, out) || out.size() != 2)
        return u'\uFFFD';
    return static_cast<char16_t>(static_cast<uint8_t>(out[0]) |
                                 (static_cast<uint8_t>(out[1]) << 8));
}

// Every code of the code page, indexed by lead << 8 | trail (single bytes by
// their value), made once.
const std::vector<char16_t>& codeTable() {
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(65536, u'\uFFFD');
        for (int b = 0; b < 256; ++b) {
            if (isLeadByte(static_cast<uint8_t>(b)))
                continue;
            char c = static_cast<char>(b);
            t[b] = convertOne(std::string_view(&c, 1));
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<uint8_t>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                t[(lead << 8) | trail] = convertOne(std::string_view(pair, 2));
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

char16_t sjisCharToUtf16(uint8_t lead, uint8_t trail) {
    const auto& table = codeTable();
    return isLeadByte(lead) ? table[(lead << 8) | trail] : table[lead];
}

std::u16string sjisToUtf16(std::string_view sjis) {
    std::u16string result;
    result.reserve(sjis.size());
    for (size_t i = 0; i < sjis.size();) {
        auto lead = static_cast<uint8_t>(sjis[i]);
        if (isLeadByte(lead)) {
            if (i + 1 >= sjis.size()) {
                result.push_back(u'\uFFFD');
                break;
            }
            result.push_back(sjisCharToUtf16(lead, static_cast<uint8_t>(sjis[i + 1])));
            i += 2;
        } else {
            result.push_back(lead < 0x80 ? static_cast<char16_t>(lead) : sjisCharToUtf16(lead, 0));
            ++i;
        }
    }
    return result;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string sjisToUtf8(std::string_view sjis) {
    bool ascii = true;
    for (char c : sjis)
        ascii = ascii && static_cast<uint8_t>(c) < 0x80;
    if (ascii)
        return std::string(sjis);
    return utf16ToUtf8(sjisToUtf16(sjis));
}

std::optional<std::string> utf8ToSjis(std::string_view utf8) {
    std::string out;
    if (!toSjis().convert(utf8, out))
        return std::nullopt;
    return out;
}

}  // namespace marlit
