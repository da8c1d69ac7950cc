// The indoor places: the narrator's room by day and by night, and the
// bakery.
#pragma once

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

Canvas paintRoom(bool night);
Canvas paintBakery(const Font& font);

}  // namespace marlit::sample
