// The staff roll's tall credit pictures and the ending sequence's credit
// panels.
#pragma once

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

// Roll picture 1-12: 800 × 1200, the twelfth 800 × 600.
Canvas paintStaffRoll(const Font& font, int number);
// The ending's right-hand credit panel 1 or 2 (400 × 600).
Canvas paintCreditPanel(const Font& font, int number);

}  // namespace marlit::sample
