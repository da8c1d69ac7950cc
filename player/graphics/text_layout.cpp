#include "player/graphics/text_layout.h"

#include <algorithm>

namespace marlit {

size_t layoutText(GlyphPage& page, std::string_view text, const TextLayout& layout, size_t from) {
    const int perLine = std::max(layout.perLine, 1);
    size_t pos = from;
    for (int n = 0;; ++n) {
        const TextCharacter c = characterAt(text, pos);
        if (c.bytes == 0)
            return pos;
        GlyphRecord r;
        r.state = layout.state;
        r.character = c.code;
        r.size = layout.size;
        r.colour = layout.colour;
        r.cell.left = layout.x + (n % perLine) * layout.advance;
        r.cell.top = layout.y + (n / perLine) * layout.lineHeight;
        r.cell.right = r.cell.left + layout.size;
        r.cell.bottom = r.cell.top + layout.size;
        if (!page.add(r))
            return pos;
        pos += static_cast<size_t>(c.bytes);
    }
}

}  // namespace marlit
