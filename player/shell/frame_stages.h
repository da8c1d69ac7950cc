// The picture side of a frame: the draw lists, the sprites and composing
// the dirty rectangles into the back buffer. The compositor plugs in here;
// the frame tick calls the stages in this order.
#pragma once

namespace marlit {

class GameContext;

class FrameStages {
  public:
    virtual ~FrameStages() = default;
    // Before the mode step: empty the 128 draw lists.
    virtual void resetDrawLists(GameContext& context) = 0;
    // After the mode step: update every sprite and sort the living ones into
    // the draw lists.
    virtual void updateSprites(GameContext& context) = 0;
    // Remove finished sprites, marking their last rectangles dirty.
    virtual void removeFinishedSprites(GameContext& context) = 0;
    // Mark the previous rectangles of moved sprites dirty.
    virtual void markMovedSprites(GameContext& context) = 0;
    // Compose the dirty rectangles into the back buffer (layers, then the
    // message window); false when the frame must not be presented.
    virtual bool compose(GameContext& context) = 0;
};

}  // namespace marlit
