// Laying a Shift-JIS text out into glyph records, line by line, for texts
// drawn whole (a choice, a page shown at once); the typed message text has
// its own rules in the message window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "player/graphics/glyph_record.h"

namespace marlit {

struct TextLayout {
    int x = 0;  // the first cell's top-left, screen pixels
    int y = 0;
    int size = 12;        // glyph and cell size
    int advance = 12;     // from one cell to the next
    int lineHeight = 13;  // from one line to the next
    int perLine = 24;     // characters in a line before it breaks
    uint32_t colour = kTextWhite;
    int32_t state = kGlyphToDraw;
};

// Appends one record per character of `text`, from `from`, single-byte and
// double-byte characters alike taking one cell (a byte that is not part of
// a double-byte character is a glyph of its own). Stops at the end, at a
// NUL, or when the page is full; returns the position of the first
// character not laid out (the end or the NUL when all of it was), from
// which a new page can go on.
size_t layoutText(GlyphPage& page, std::string_view text, const TextLayout& layout,
                  size_t from = 0);

}  // namespace marlit
