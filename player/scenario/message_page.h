// What a save keeps of the message window's page: the speaker line, the
// glyphs typed so far and the pen. Taken with the scenario's snapshot, so
// that a loaded game shows the page as it stood when the message that is
// then typed again began.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "player/graphics/glyph_record.h"

namespace marlit {

struct MessagePage {
    std::string speaker;  // Shift-JIS
    std::vector<GlyphRecord> glyphs;
    // The pen, screen pixels.
    int32_t penX = 0;
    int32_t penY = 0;
    int32_t lineStartX = 0;
    int32_t charsInLine = 0;
    int32_t lines = 0;
    uint32_t colour = kTextWhite;
};

}  // namespace marlit
