// What the scenario, the screens and the saves ask of the compositor, in one
// place. Positions and sizes are in the 800 x 600 design space and become
// screen pixels here (c x screen width / 800, truncating). A slot, layer or
// rectangle out of range is ignored (or gives null), never a fault.
//
// GraphicsOps borrows the pieces of its player that drawing needs (the
// compositor, the back buffer, the dirty rectangles, the frame clock, the
// picture pack); it knows nothing else of the game.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "player/core/data_paths.h"
#include "player/core/dirty_rect_list.h"
#include "player/core/display.h"
#include "player/core/screen_geometry.h"
#include "player/graphics/compositor.h"
#include "player/graphics/sprite.h"
#include "player/graphics/transition.h"

namespace marlit {

class MlzReader;

// A rectangle and a point of the design space.
struct DesignRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
struct DesignPoint {
    int x = 0;
    int y = 0;
};

class GraphicsOps {
  public:
    GraphicsOps(Compositor& compositor, Display& display, DirtyRectList& dirty,
                ScreenGeometry screen, TickClock& clock, MlzReader& pictureReader,
                const DataPaths& paths)
        : compositor_(compositor),
          display_(display),
          dirty_(dirty),
          screen_(screen),
          clock_(clock),
          pictureReader_(pictureReader),
          paths_(paths) {}

    Compositor& compositor() { return compositor_; }
    const ScreenGeometry& screen() const { return screen_; }
    int toScreen(int c) const { return screen_.toScreen(c); }
    uint32_t now() { return clock_.now(); }

    // The back buffer the compositor draws into, and a marker that adds
    // rectangles of it for redraw.
    Surface backBuffer();
    MarkDirty dirtyMarker();

    // Marks a design-space rectangle for redraw; the whole screen with
    // redrawScreen.
    void redraw(const DesignRect& area);
    void redrawScreen();

    // --- picture slots ---
    // Loads a picture by its game path ("AdvData\grp\bg\...") from the
    // picture pack, or from a loose folder when the pack path ends with "\";
    // with colourKey, RGB565 0xF81F is transparent. False (the slot left as
    // it was) when the slot is out of range or the picture cannot be loaded.
    bool loadPicture(int slot, std::string_view name, bool colourKey);
    void freePicture(int slot);
    // A transparent picture of a design-space size, for text to be drawn into.
    bool blankPicture(int slot, int width, int height);
    // A copy of the back buffer as it stands, opaque.
    bool captureScreen(int slot);

    // --- sprites ---
    // A sprite showing the `source` rectangle of a picture slot with its
    // top-left at `at` on a layer (0 on top .. 127 at the bottom).
    Sprite* showPicture(int sprite, int picture, const DesignRect& source, DesignPoint at,
                        int layer);
    // The whole picture of a slot (its own size, not scaled) at `at`.
    Sprite* showWholePicture(int sprite, int picture, DesignPoint at, int layer);
    // A rectangle of one colour (0x00RRGGBB); additive adds it to what lies
    // below.
    Sprite* showColour(int sprite, uint32_t colour, const DesignRect& area, int layer,
                       bool additive = false);
    // A whole-screen brightness command running a fade (kEffectFadeIn or
    // kEffectFadeOut), dimming or lightening everything drawn after it (the
    // layers above it).
    Sprite* showFade(int sprite, int layer, const TransitionParams& fade);

    void moveSprite(int sprite, int x, int y);
    void setSpriteAlpha(int sprite, int alpha);
    void setSpriteBrightness(int sprite, int brightness);
    // Flag 2: drawn at its own brightness whatever the global brightness is.
    void keepSpriteBrightness(int sprite, bool keep);
    void setSpriteVisible(int sprite, bool visible);
    // Scale (per mille) and angle (degrees) about a pivot given relative to
    // the picture's top-left; the picture's top-left stays where it was.
    void transformSprite(int sprite, int scaleX, int scaleY, int angle, int pivotX, int pivotY);
    // Crossfade: the sprite's picture with its opacity, this one with the rest.
    void crossfadeSprite(int sprite, int secondPicture);

    // Frames in the design space (source rectangles and offsets are scaled).
    bool animateSprite(int sprite, std::vector<AnimationFrame> frames);
    // Tile sizes (and the wave's amplitude) are in the design space.
    bool transitionSprite(int sprite, TransitionParams params);

    void removeSprite(int sprite);
    // Slots first to last, inclusive.
    void removeSprites(int first, int last);

  private:
    template <class SetUp>
    Sprite* newSprite(int slot, int layer, const Rect& source, DesignPoint at, SetUp setUp);
    template <class Change>
    void changeSprite(int slot, Change change);

    Compositor& compositor_;
    Display& display_;
    DirtyRectList& dirty_;
    ScreenGeometry screen_;
    TickClock& clock_;
    MlzReader& pictureReader_;
    const DataPaths& paths_;
};

}  // namespace marlit
