// The scenario's pictures and sprites over GraphicsOps, remembering what
// the commands asked for: the game path each picture slot holds and the
// design-space position of each sprite the scenario placed. The commands
// read them back ("the picture in slot 28 is already this one", "the x of
// the left-hand character"), and so do a save and the state dump.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "player/graphics/compositor.h"
#include "player/graphics/graphics_ops.h"
#include "player/graphics/picture_slots.h"

namespace marlit {

class ScenePictures {
  public:
    explicit ScenePictures(GraphicsOps& graphics) : graphics_(graphics) {}

    GraphicsOps& graphics() { return graphics_; }
    // Told the path of every picture loaded (the seen list of pictures).
    std::function<void(std::string_view)> loaded;

    // Frees the slot, then loads the picture; false (the slot left empty)
    // when it cannot be loaded.
    bool load(int slot, std::string_view path, bool colourKey = false);
    void free(int slot);
    // The path the slot holds, or "" (empty slot).
    std::string_view path(int slot) const;
    bool holds(int slot) const;

    Sprite* show(int sprite, int picture, const DesignRect& source, DesignPoint at, int layer);
    Sprite* showWhole(int sprite, int picture, DesignPoint at, int layer);
    void move(int sprite, int x, int y);
    void remove(int sprite);
    void removeRange(int first, int last);
    bool exists(int sprite) const;
    // The design-space position of a live sprite (as placed, or converted
    // from screen pixels for one the scenario did not place).
    std::optional<DesignPoint> position(int sprite) const;
    // Records where a sprite put back from a save was placed.
    void remember(int sprite, DesignPoint at) {
        if (Compositor::validSprite(sprite))
            placed_[static_cast<size_t>(sprite)] = {true, at};
    }
    // The picture slot a live sprite shows (-1 none).
    int pictureOf(int sprite) const;

    // Everything off: every sprite removed, picture slots 0-63 freed.
    void clearAll();

  private:
    GraphicsOps& graphics_;
    std::array<std::string, PictureSlots::kCount> paths_;
    struct Placed {
        bool known = false;
        DesignPoint at;
    };
    std::array<Placed, Compositor::kSpriteSlots> placed_{};
};

}  // namespace marlit
