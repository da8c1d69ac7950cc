// The records the message text is drawn from: one character cell each,
// kept by the message window in a page of at most 256, and the Shift-JIS
// characters they hold.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "player/core/rect.h"

namespace marlit {

// Redraw states of a record.
enum GlyphState : int32_t {
    kGlyphDrawn = 0,   // on screen; drawn again when a redraw passes over it
    kGlyphToDraw = 1,  // drawn in the next composed frame
    kGlyphKept = 2,    // never redrawn by the compositor
};

// Colours are 0x00BBGGRR: red in the low byte.
constexpr uint32_t colourRef(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
           static_cast<uint32_t>(blue) << 16;
}
inline constexpr uint32_t kTextWhite = 0xFFFFFF;
// The colour of every glyph of a recalled page.
inline constexpr uint32_t kRecallGrey = 0xCCCCCC;

struct GlyphRecord {
    int32_t state = kGlyphToDraw;
    // A single byte, or a double-byte character with its lead byte in the
    // low 8 bits.
    uint16_t character = 0;
    // The glyph is size x size pixels, drawn with its top-left at the cell's.
    int32_t size = 0;
    uint32_t colour = kTextWhite;
    // The cell in screen pixels (right and bottom exclusive).
    Rect cell;
};

// One page of records. Adding to a full page is refused, never written
// past its end; the caller starts a new page.
class GlyphPage {
  public:
    static constexpr size_t kCapacity = 256;

    bool add(const GlyphRecord& record) {
        if (count_ == kCapacity)
            return false;
        records_[count_++] = record;
        return true;
    }
    void clear() { count_ = 0; }
    size_t size() const { return count_; }
    bool full() const { return count_ == kCapacity; }
    std::span<GlyphRecord> records() { return {records_.data(), count_}; }
    std::span<const GlyphRecord> records() const { return {records_.data(), count_}; }

  private:
    std::array<GlyphRecord, kCapacity> records_{};
    size_t count_ = 0;
};

// A character of a Shift-JIS text and the bytes it takes (0 at the end).
struct TextCharacter {
    uint16_t code = 0;
    int bytes = 0;
};

// The character at `pos` (a NUL byte ends the text as its end does). A
// lead byte followed by a valid trail byte makes a double-byte character;
// a lead byte at the end or before any other byte stands alone as a
// single glyph, so nothing past the text is read and the byte after it is
// not swallowed.
TextCharacter characterAt(std::string_view text, size_t pos);

bool isDoubleByteCode(uint16_t code);

// The character as the font renderer takes it; U+FFFD for a code that is
// not a character (a lone lead byte, a byte that is not Shift-JIS).
char16_t characterToUtf16(uint16_t code);

}  // namespace marlit
