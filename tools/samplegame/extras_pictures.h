// The title's extras: the picture gallery, the scene gallery and the
// music room, their parts sheets, thumbnails and scene lists.
#pragma once

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

// A screen's background: 0 picture gallery ("cg"), 1 scene gallery
// ("sc"), 2 music room ("music").
Canvas paintExtrasBack(const Font& font, int screen);
// "cgparts" (scenes false) or "scparts" (scenes true).
Canvas paintExtrasParts(const Font& font, bool scenes);
// "sam_<code>": the heroine's thumbnails, normal and lit, and the locked
// place.
Canvas paintThumbnails(const Font& font, int heroine);
// "<code>_01": the heroine's scene bars.
Canvas paintScenePage(const Font& font, int heroine);
Canvas paintMusicParts(const Font& font);
Canvas paintMusicTitles(const Font& font);

}  // namespace marlit::sample
