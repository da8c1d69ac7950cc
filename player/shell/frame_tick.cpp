#include "player/shell/frame_tick.h"

#include "base/clock.h"
#include "player/shell/game_context.h"
#include "player/shell/input.h"
#include "player/shell/present.h"
#include "player/shell/test_pattern.h"

namespace marlit {

namespace {

constexpr int kCommandExit = 40007;

void sleepOne(GameContext& ctx) {
    ctx.platform.clock.sleep(1);
}

void movieTick(GameContext& ctx) {
    latchInput(ctx);
    const InputState& in = ctx.input;
    Display& display = *ctx.display;
    if (in.tap == 1 || in.press[kPressC] == 1 || in.press[kPressRight] == 1) {
        display.movie.reset();
    } else if (!display.movie->step(ctx)) {
        display.movie.reset();
    }
}

void gameFrame(GameContext& ctx) {
    latchInput(ctx);
    if (ctx.running != 1)
        return;
    FrameStages* stages = ctx.stages.get();
    if (stages)
        stages->resetDrawLists(ctx);
    ctx.modes.run(ctx, ctx.scenario.mode);
    if (ctx.scenario.quitRequest) {
        ctx.destroyWindow();
        ctx.dirtyRects->clear();
        return;
    }
    bool composed = true;
    if (stages) {
        stages->updateSprites(ctx);
        stages->removeFinishedSprites(ctx);
        stages->markMovedSprites(ctx);
        composed = stages->compose(ctx);
    }
    if (ctx.testPattern)
        ctx.testPattern->drawFrame(ctx);
    if (composed && !ctx.menuOpen()) {
        bool shaking = ctx.shakeX != 0 || ctx.shakeY != 0;
        present(*ctx.display, ctx.screen, *ctx.dirtyRects, shaking, ctx.shakeX, ctx.shakeY);
    }
    ctx.dirtyRects->clear();
    ++ctx.framesRun;
}

}  // namespace

void frameTick(GameContext& ctx) {
    ctx.tickTime = now();
    if (ctx.menuOpen()) {
        latchInput(ctx);
        ctx.overlayMenu->handleInput(ctx);
        sleepOne(ctx);
    } else if (ctx.display->movie) {
        movieTick(ctx);
    } else if (ctx.frameTimer.frameDue()) {
        gameFrame(ctx);
    } else {
        sleepOne(ctx);
    }
    if (ctx.afterTick)
        ctx.afterTick(ctx);
}

void dispatchEvent(GameContext& ctx, const Event& event) {
    switch (event.type) {
        case EventType::KeyDown:
            onKey(ctx, event.value, true);
            break;
        case EventType::KeyUp:
            onKey(ctx, event.value, false);
            break;
        case EventType::StylusDown:
            onStylusDown(ctx, event.x, event.y);
            break;
        case EventType::StylusMove:
            onStylusMove(ctx, event.x, event.y);
            break;
        case EventType::StylusUp:
            onStylusUp(ctx);
            break;
        case EventType::Command:
            // Leaving the program must work with or without the menu.
            if (event.value == kCommandExit) {
                ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
            } else if (ctx.overlayMenu) {
                ctx.overlayMenu->runCommand(ctx, event.value);
            }
            break;
        case EventType::Close:
            ctx.destroyWindow();
            break;
        case EventType::Paint:
            if (ctx.display && !ctx.windowDestroyed())
                repaint(*ctx.display, ctx.screen);
            break;
        case EventType::Quit:
            break;
    }
}

int runMessageLoop(GameContext& ctx) {
    for (;;) {
        if (std::optional<Event> event = ctx.platform.events.poll()) {
            if (event->type == EventType::Quit)
                return event->value;
            dispatchEvent(ctx, *event);
        } else {
            frameTick(ctx);
        }
    }
}

}  // namespace marlit
