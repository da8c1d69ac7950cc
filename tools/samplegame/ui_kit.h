// The look of the sample game's interface: plates, buttons and labels in
// the colours of the sea and the blossom, drawn into the rectangles the
// player cuts.
#pragma once

#include <string_view>

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/layout.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

namespace ui {
inline const Colour kNavy = {0.10f, 0.16f, 0.32f, 1};
inline const Colour kSea = {0.18f, 0.42f, 0.66f, 1};
inline const Colour kBlossom = {0.96f, 0.66f, 0.74f, 1};
inline const Colour kCream = {0.99f, 0.96f, 0.89f, 1};
inline const Colour kInk = {0.16f, 0.14f, 0.22f, 1};
}  // namespace ui

// A rounded plate filling the rectangle, in its normal or lit look.
void drawPlate(Canvas& c, Rect r, bool lit, float radius = 8);
// A plate with a label centred on it.
void drawButton(Canvas& c, const Font& font, Rect r, std::string_view label, bool lit,
                int size = 0);
// Text with an outline that reads on any background.
TextStyle outlinedText(Colour fill = ui::kCream, Colour line = ui::kInk, float width = 2);
// Fills the rectangle with the text drawn in it as large as fits.
void fitText(Canvas& c, const Font& font, Rect r, std::string_view text, const TextStyle& style,
             int maxSize, Align align = Align::Centre);

}  // namespace marlit::sample
