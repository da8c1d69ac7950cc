#include "player/shell/frame_tick.h"

#include "player/core/input.h"
#include "player/core/present.h"
#include "player/scenario/scenario_engine.h"
#include "player/shell/game_context.h"
#include "player/shell/menu_commands.h"
#include "player/shell/test_pattern.h"

namespace marlit {

namespace {

void latch(GameContext& ctx) {
    latchInput(ctx.input, ctx.settings, ctx.menuOpen());
}

void sleepOne(GameContext& ctx) {
    ctx.platform.clock.sleep(1);
}

void movieTick(GameContext& ctx) {
    latch(ctx);
    const InputState& in = ctx.input;
    Display& display = *ctx.display;
    if (in.tap == 1 || in.press[kPressC] == 1 || in.press[kPressRight] == 1) {
        display.movie.reset();
    } else if (!display.movie->step()) {
        display.movie.reset();
    }
}

void gameFrame(GameContext& ctx) {
    latch(ctx);
    if (ctx.running != 1)
        return;
    FrameStages* stages = ctx.stages.get();
    if (stages)
        stages->resetDrawLists(ctx);
    ctx.modes.run(ctx.scenario.mode);
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
    ctx.tickTime = ctx.clock.now();
    if (ctx.menuOpen()) {
        latch(ctx);
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

void onKey(GameContext& ctx, int32_t code, bool down) {
    if (ctx.overlayMenu && ctx.overlayMenu->takeKey(ctx, code, down))
        return;
    if (!applyKey(ctx.input, ctx.keyMap, ctx.settings, code, down))
        return;
    if (ctx.overlayMenu && !ctx.overlayMenu->isOpen() && takeMenuPress(ctx.input, ctx.settings))
        ctx.overlayMenu->open(ctx);
}

void dispatchEvent(GameContext& ctx, const Event& event) {
    switch (event.type) {
        case EventType::KeyDown:
        case EventType::KeyUp:
            onKey(ctx, event.value, event.type == EventType::KeyDown);
            break;
        case EventType::StylusDown:
            stylusDown(ctx.input, ctx.geometry, event.x, event.y);
            break;
        case EventType::StylusMove:
            stylusMove(ctx.input, ctx.geometry, event.x, event.y);
            break;
        case EventType::StylusUp:
            stylusUp(ctx.input);
            break;
        case EventType::Wheel:
            applyWheel(ctx.input, event.value);
            break;
        case EventType::Command:
            if (ctx.overlayMenu) {
                ctx.overlayMenu->runCommand(ctx, event.value);
            } else if (event.value == kCommandExit) {
                // Leaving the program must work with or without the menu.
                ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
            } else if (event.value == kCommandReturnToTitle && ctx.scenarioEngine) {
                ctx.scenarioEngine->ReturnToTitle();
            }
            break;
        case EventType::Close:
            ctx.destroyWindow();
            break;
        case EventType::Paint:
            if (ctx.menuOpen())
                ctx.overlayMenu->repaint(ctx);
            else if (ctx.display && !ctx.windowDestroyed())
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
