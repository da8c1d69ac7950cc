// The maker's logo and the title screen's pictures: the tall opening
// picture, the title's build-up and the menu items.
#pragma once

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

Canvas paintLogo(const Font& font);
// The 800 × 1200 picture the title scrolls up; its lower half is titlebk.
Canvas paintTitleScroll();
// Stage 0 "titlebk", 1 "title" (with the name), 2 "titleb1" (with the
// heroines), 3 "titleb2" (with the menu's backing).
Canvas paintTitle(const Font& font, int stage);
Canvas paintTitleMenu(const Font& font);

}  // namespace marlit::sample
