// A GameContext on the headless back end, for the shell's tests.
#pragma once

#include <memory>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "player/shell/game_context.h"

namespace marlit::test {

// The state the player is in when its message loop starts.
struct ShellRig {
    explicit ShellRig(bool vga = false, std::vector<ScriptedEvent> script = {})
        : size(ScreenGeometry::forBuild(vga)), backend(size.width, size.height, std::move(script)) {
        PlayerOptions options;
        options.vga = vga;
        options.programFolder = "\\game\\";
        ctx = std::make_unique<GameContext>(backend.platform(), options);
        backend.display().createWindow("test");
        backend.display().openDisplay();
        ctx->display->properties = ctx->screen.readProperties();
        ctx->dirtyRects->setBounds(ctx->display->width(), ctx->display->height());
        ctx->frameTimer.start(16);
    }

    ScreenGeometry size;
    HeadlessPlatform backend;
    std::unique_ptr<GameContext> ctx;
};

}  // namespace marlit::test
