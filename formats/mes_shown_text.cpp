// The stored form of shown text: Shift-JIS with every byte lowered by 0x20.
#include <cstdint>

#include "base/sjis.h"
#include "formats/mes_script.h"

namespace marlit {
namespace {

constexpr uint8_t kShift = 0x20;

uint8_t shown(char stored) {
    return static_cast<uint8_t>(static_cast<uint8_t>(stored) + kShift);
}

// Ruby markers as stored: full-width "{", "/" and "}" lowered by 0x20.
enum class Marker { kNone, kOpen, kSlash, kClose };

Marker markerAt(std::string_view stored, size_t i) {
    if (i + 1 >= stored.size() || static_cast<uint8_t>(stored[i]) != 0x61)
        return Marker::kNone;
    switch (static_cast<uint8_t>(stored[i + 1])) {
        case 0x4F:
            return Marker::kOpen;
        case 0x3E:
            return Marker::kSlash;
        case 0x50:
            return Marker::kClose;
        default:
            return Marker::kNone;
    }
}

// Length of the character starting at i, judged on the shown byte; a lead
// byte at the very end stands alone.
size_t charLength(std::string_view stored, size_t i) {
    return isLeadByte(shown(stored[i])) && i + 1 < stored.size() ? 2 : 1;
}

// Finds the next character at or after i that is the marker m; stored.size()
// when there is none.
size_t findMarker(std::string_view stored, size_t i, Marker m) {
    while (i < stored.size()) {
        if (markerAt(stored, i) == m)
            return i;
        i += charLength(stored, i);
    }
    return stored.size();
}

}  // namespace

std::string decodeShownText(std::string_view stored, bool lineBreaks, bool ruby) {
    std::string out;
    out.reserve(stored.size());
    size_t i = 0;
    while (i < stored.size()) {
        if (ruby && markerAt(stored, i) == Marker::kOpen) {
            // A complete group keeps its second part; a brace without its
            // slash and closing brace is shown as it stands.
            size_t slash = findMarker(stored, i + 2, Marker::kSlash);
            size_t close = slash < stored.size() ? findMarker(stored, slash + 2, Marker::kClose)
                                                 : stored.size();
            if (close < stored.size()) {
                for (size_t k = slash + 2; k < close; ++k) {
                    uint8_t b = shown(stored[k]);
                    out.push_back(static_cast<char>(lineBreaks && b == 0x0A ? '/' : b));
                }
                i = close + 2;
                continue;
            }
        }
        size_t length = charLength(stored, i);
        uint8_t b = shown(stored[i]);
        if (length == 1 && lineBreaks && b == 0x0A)
            b = '/';
        out.push_back(static_cast<char>(b));
        if (length == 2)
            out.push_back(static_cast<char>(shown(stored[i + 1])));
        i += length;
    }
    return out;
}

std::optional<std::string> encodeShownText(std::string_view shiftJis) {
    std::string out(shiftJis);
    for (char& c : out) {
        c = static_cast<char>(static_cast<uint8_t>(c) - kShift);
        if (c == 0)
            return std::nullopt;
    }
    return out;
}

}  // namespace marlit
