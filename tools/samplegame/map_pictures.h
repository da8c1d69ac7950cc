// The map screen's pictures (the town map by day and by evening and their
// chip sheets) and the day-change screen's.
#pragma once

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

// Variant 0 "map_a" (day), 1 "map_p" (evening).
Canvas paintMap(const Font& font, int variant);
Canvas paintMapChip(const Font& font, int variant);
Canvas paintDayChangeBack(const Font& font);
Canvas paintDayChangeChip(const Font& font);

// A place's background shrunk to a preview, by map place number.
Canvas placePreview(const Font& font, int place, int width, int height);

}  // namespace marlit::sample
