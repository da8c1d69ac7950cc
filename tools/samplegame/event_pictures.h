// The story's event pictures (a heroine close up in a place), the day
// cards and the ending sequence's pictures.
#pragma once

#include <string>

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

// "ev_n01", "ev_n01b", "ev_n01c", "ev_n02", "ev_s01", "ev_s02"; an unknown
// name gives an empty canvas.
Canvas paintEvent(const std::string& name, const Font& font);
// The day card of heroine 0 or 1, or the general one (-1). `dateY` is the
// height the date is laid over, which the card keeps clear.
Canvas paintDayCard(int heroine, int dateY, const Font& font);
// The ending sequence's full pictures "ed_n01", "ed_n02", "ed_s01",
// "ed_s02": the scene on the left half, the right half left for the
// credit panel.
Canvas paintEnding(const std::string& name, const Font& font);

}  // namespace marlit::sample
