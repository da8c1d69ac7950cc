// The places of the town as 800 × 600 backgrounds (the tall sky is
// 800 × 1200), drawn from scenery pieces.
#pragma once

#include <string>

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

// A place by its background name (catalogue.h), or "sora_01" for the tall
// sky over the town. An unknown name gives an empty canvas.
Canvas paintBackground(const std::string& name, const Font& font);
// The same picture, painted once per run and shared: previews, event
// pictures and thumbnails are made from the places. Safe from several
// threads.
const Canvas& backgroundOf(const std::string& name, const Font& font);

}  // namespace marlit::sample
