#include "player/shell/compositor_stages.h"

#include <vector>

#include "player/graphics/compositor.h"
#include "player/graphics/graphics_ops.h"
#include "player/shell/game_context.h"

namespace marlit {

namespace {

class CompositorStages : public FrameStages {
  public:
    void resetDrawLists(GameContext& ctx) override { ctx.compositor->resetDrawLists(); }

    void updateSprites(GameContext& ctx) override {
        ctx.compositor->updateSprites(ctx.clock, ctx.brightness);
    }

    void removeFinishedSprites(GameContext& ctx) override {
        ctx.compositor->removeFinished(ctx.graphics->dirtyMarker());
    }

    void markMovedSprites(GameContext& ctx) override {
        ctx.compositor->markMoved(ctx.graphics->dirtyMarker());
    }

    bool compose(GameContext& ctx) override {
        // Rectangles added with merge 0 are presented as they are, never
        // recomposed.
        const DirtyRectList& list = *ctx.dirtyRects;
        rects_.clear();
        for (size_t i = 0; i < list.count(); ++i) {
            if (list.merge(i) == 1)
                rects_.push_back(list.get(i));
        }
        ScreenLook look{ctx.brightness, ctx.backgroundFill, ctx.clearBackground};
        ctx.compositor->compose(ctx.graphics->backBuffer(), rects_, look);
        ctx.brightness = look.brightness;
        return true;
    }

  private:
    std::vector<Rect> rects_;
};

}  // namespace

std::unique_ptr<FrameStages> makeCompositorStages() {
    return std::make_unique<CompositorStages>();
}

}  // namespace marlit
