// The pictures of story play: the message window with its buttons, choice
// bars, page-wait mark and map digits; the place captions; the day card's
// date glyphs; the petal sheets; the map icons.
#pragma once

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

Canvas paintMessageWindow(const Font& font);
Canvas paintPlaceNames(const Font& font);
Canvas paintDayGlyphs(const Font& font);
// Kind 1 (blossom) or 2 (the ending's paler petals).
Canvas paintPetalSheet(int kind);
Canvas paintIcons(const Font& font);

}  // namespace marlit::sample
