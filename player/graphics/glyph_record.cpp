#include "player/graphics/glyph_record.h"

#include "base/encoding.h"
#include "base/sjis.h"

namespace marlit {

namespace {

constexpr bool isTrailByte(uint8_t b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

}  // namespace

TextCharacter characterAt(std::string_view text, size_t pos) {
    if (pos >= text.size() || text[pos] == '\0')
        return {};
    const auto lead = static_cast<uint8_t>(text[pos]);
    if (isLeadByte(lead) && pos + 1 < text.size()) {
        const auto trail = static_cast<uint8_t>(text[pos + 1]);
        if (isTrailByte(trail))
            return {static_cast<uint16_t>(lead | trail << 8), 2};
    }
    return {lead, 1};
}

bool isDoubleByteCode(uint16_t code) {
    return isLeadByte(static_cast<uint8_t>(code & 0xFF)) && isTrailByte(code >> 8);
}

char16_t characterToUtf16(uint16_t code) {
    const auto lead = static_cast<uint8_t>(code & 0xFF);
    if (!isLeadByte(lead))
        return lead < 0x80 ? static_cast<char16_t>(lead) : sjisCharToUtf16(lead, 0);
    return isDoubleByteCode(code) ? sjisCharToUtf16(lead, static_cast<uint8_t>(code >> 8))
                                  : u'\uFFFD';
}

}  // namespace marlit
