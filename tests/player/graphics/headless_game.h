// A GameContext on the headless back end, started as the player starts it,
// for tests that drive whole frames through the frame tick.
#pragma once

#include <memory>

#include "platform/headless/headless_platform.h"
#include "player/graphics/compositor.h"
#include "player/graphics/graphics_ops.h"
#include "player/shell/frame_tick.h"
#include "player/shell/game_context.h"

namespace marlit::test {

class HeadlessGame {
  public:
    // Without `framingScreens` the logo and the title are taken out of the
    // mode table, so that mode 0 draws nothing of its own.
    explicit HeadlessGame(int width = 320, int height = 240, bool framingScreens = false)
        : backend_(width, height) {
        PlayerOptions options;
        options.vga = width > 639;
        ctx_ = std::make_unique<GameContext>(backend_.platform(), options);
        backend_.display().createWindow(ctx_->title);
        backend_.display().openDisplay();
        ctx_->display->properties = ctx_->screen.readProperties();
        ctx_->frameTimer.start(16);
        ctx_->dirtyRects->setBounds(width, height);
        if (!framingScreens) {
            ctx_->modes.set(kModeOpening, std::unique_ptr<ModeScreen>());
            ctx_->modes.set(kModeTitle, std::unique_ptr<ModeScreen>());
            ctx_->titleScreen = nullptr;
        }
    }
    ~HeadlessGame() { ctx_.reset(); }

    GameContext& ctx() { return *ctx_; }
    HeadlessPlatform& backend() { return backend_; }
    uint32_t now() { return backend_.clock().ticks(); }

    // Runs frame ticks until a game frame has run at or after `time`.
    void runUntil(uint32_t time) {
        for (;;) {
            const uint64_t before = ctx_->framesRun;
            frameTick(*ctx_);
            if (ctx_->framesRun != before && static_cast<int32_t>(ctx_->tickTime - time) >= 0)
                return;
        }
    }
    // One game frame.
    void frame() { runUntil(now()); }

    Surface backBuffer() { return ctx_->graphics->backBuffer(); }

  private:
    HeadlessPlatform backend_;
    std::unique_ptr<GameContext> ctx_;
};

}  // namespace marlit::test
