#include "player/shell/startup.h"

#include <memory>

#include "player/shell/frame_tick.h"

namespace marlit {

namespace {

constexpr uint32_t kFrameInterval = 16;

// Game initialisation, the last step before the loop.
void initialiseGame(GameContext& ctx) {
    ctx.frameTimer.start(kFrameInterval);
    ctx.dirtyRects->setBounds(ctx.display->width(), ctx.display->height());
    ctx.sound->applySettings();
}

}  // namespace

int runPlayer(Platform& platform, const PlayerOptions& options) {
    DisplayDevice& device = platform.display;
    if (device.raiseRunningCopy(kProductCaption))
        return 0;

    auto ctx = std::make_unique<GameContext>(platform, options);
    if (!device.createWindow(ctx->title))
        return 0;
    ctx->title = kProductCaption;
    device.setTitle(ctx->title);
    if (!device.setFullScreen()) {
        platform.messageBox.show(kFullScreenFailedText, kErrorCaption);
        return 0;
    }
    if (!device.openDisplay()) {
        platform.messageBox.show(kDisplayFailedText, kErrorCaption);
        return 0;
    }
    device.openInput();
    ctx->display->properties = ctx->screen.readProperties();
    // The MP3 decoder needs no loading: it is linked in and set up at its
    // first use. The configuration file is read here once its reader exists.
    device.showWindow();
    initialiseGame(*ctx);
    if (options.atStart)
        options.atStart(*ctx);

    int code = runMessageLoop(*ctx);
    if (options.atEnd)
        options.atEnd(*ctx);

    device.closeInput();
    device.closeDisplay();
    ctx.reset();
    return code;
}

}  // namespace marlit
