// What the scenario, the screens and the saves ask of the compositor, in one
// place. Positions and sizes are in the 800 x 600 design space and become
// screen pixels here (c x screen width / 800, truncating). A slot, layer or
// rectangle out of range is ignored (or gives null), never a fault.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "player/graphics/compositor.h"
#include "player/graphics/sprite.h"
#include "player/graphics/transition.h"

namespace marlit {

class GameContext;

// The pieces of the GameContext the compositor draws into and marks.
Surface backBufferOf(GameContext& ctx);
MarkDirty dirtyMarker(GameContext& ctx);

// Marks a design-space rectangle (x, y, width, height) for redraw; the
// whole screen with redrawScreen.
void redraw(GameContext& ctx, int x, int y, int width, int height);
void redrawScreen(GameContext& ctx);

// --- picture slots ---
// Loads a picture by its game path ("AdvData\grp\bg\...") from the picture
// pack, or from a loose folder when the pack path ends with "\"; with
// colourKey, RGB565 0xF81F is transparent. False (the slot left as it was)
// when the slot is out of range or the picture cannot be loaded.
bool loadPicture(GameContext& ctx, int slot, std::string_view name, bool colourKey);
void freePicture(GameContext& ctx, int slot);
// A transparent picture of a design-space size, for text to be drawn into.
bool blankPicture(GameContext& ctx, int slot, int width, int height);
// A copy of the back buffer as it stands, opaque.
bool captureScreen(GameContext& ctx, int slot);

// --- sprites ---
// A sprite showing the rectangle (sx, sy, sw, sh) of a picture slot with its
// top-left at (x, y) on a layer (0 on top .. 127 at the bottom).
Sprite* showPicture(GameContext& ctx, int sprite, int picture, int sx, int sy, int sw, int sh,
                    int x, int y, int layer);
// The whole picture of a slot (its own size, not scaled) at (x, y).
Sprite* showWholePicture(GameContext& ctx, int sprite, int picture, int x, int y, int layer);
// A rectangle of one colour (0x00RRGGBB); additive adds it to what lies below.
Sprite* showColour(GameContext& ctx, int sprite, uint32_t colour, int x, int y, int width,
                   int height, int layer, bool additive = false);
// A whole-screen brightness command running a fade (effects 63 and 191),
// dimming or lightening everything drawn after it (the layers above it).
Sprite* showFade(GameContext& ctx, int sprite, int layer, const TransitionParams& fade);

void moveSprite(GameContext& ctx, int sprite, int x, int y);
void setSpriteAlpha(GameContext& ctx, int sprite, int alpha);
void setSpriteBrightness(GameContext& ctx, int sprite, int brightness);
// Flag 2: drawn at its own brightness whatever the global brightness is.
void keepSpriteBrightness(GameContext& ctx, int sprite, bool keep);
void setSpriteVisible(GameContext& ctx, int sprite, bool visible);
// Scale (per mille) and angle (degrees) about a pivot given relative to the
// picture's top-left; the picture's top-left stays where it was.
void transformSprite(GameContext& ctx, int sprite, int scaleX, int scaleY, int angle, int pivotX,
                     int pivotY);
// Crossfade: the sprite's picture with its opacity, this one with the rest.
void crossfadeSprite(GameContext& ctx, int sprite, int secondPicture);

// Frames in the design space (source rectangles and offsets are scaled).
bool animateSprite(GameContext& ctx, int sprite, std::vector<AnimationFrame> frames);
// Tile sizes (and the wave's amplitude) are in the design space.
bool transitionSprite(GameContext& ctx, int sprite, TransitionParams params);

void removeSprite(GameContext& ctx, int sprite);
// Slots first to last, inclusive.
void removeSprites(GameContext& ctx, int first, int last);

}  // namespace marlit
