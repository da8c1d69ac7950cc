// The screen effects: the window switch and the shakes of command 13, the
// falling petals of "+", and the background scroll of "^".
#include <algorithm>

#include "player/scenario/command_handlers.h"
#include "player/scenario/scenario_engine.h"

namespace marlit {

namespace {

constexpr int kBackground = 28;
constexpr uint32_t kScrollMs = 3000;

void placeBackground(ScenarioEngine& e, int x, int y) {
    if (e.pictures.exists(kBackground))
        e.pictures.move(kBackground, x, y);
}

}  // namespace

StepResult windowAndShake(ScenarioEngine& e, const Command& c) {
    switch (c.w) {
        case 0:
        case 1:
            e.setWindowShown(c.w == 1);
            e.state.position = c.next;
            return StepResult::Continue;
        case 4:
        case 6:
            if (c.first) {
                e.shake.start(c.w == 4, e.services.graphics.screen().width, e.now());
                return StepResult::Yield;
            }
            if (e.shake.update(e.now())) {
                e.services.graphics.redrawScreen();
                e.state.position = c.next;
            }
            return StepResult::Yield;
        default:
            e.state.position = c.next;
            return StepResult::Continue;
    }
}

StepResult fallingPetals(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    const int period = 20 - 4 * std::min<int>(c.b2, 4);
    int kind = 0;
    if (c.b1 == 1)
        kind = 1;
    else if (c.b1 == 4)
        kind = 2;
    else if (c.b1 == 2)
        return StepResult::Continue;
    if (kind == 0) {
        e.petals.stop();
        return StepResult::Continue;
    }
    if (!e.petals.active())
        e.petals.record(kind, period);
    if (e.services.settings.petalsAllowed != 0)
        e.petals.start(e.now());
    return StepResult::Continue;
}

StepResult backgroundScroll(ScenarioEngine& e, const Command& c) {
    ScenarioState& s = e.state;
    const int16_t x = static_cast<int16_t>(c.quad[0]);
    const int16_t y = static_cast<int16_t>(c.quad[1]);
    if (c.quad[2] != 0) {
        placeBackground(e, x, y);
        s.backgroundX = x;
        s.backgroundY = y;
        s.position = c.next;
        return StepResult::Continue;
    }
    auto finish = [&] {
        if (e.scrollHidWindow)
            e.setWindowShown(true);
        e.scrollHidWindow = false;
        placeBackground(e, s.scrollTargetX, s.scrollTargetY);
        s.position = c.next;
        return StepResult::Continue;
    };
    if (c.first) {
        s.scrollTargetX = x;
        s.scrollTargetY = y;
        e.waitStart = e.now();
        e.scrollHidWindow = false;
        if (!e.skipping() && e.services.settings.effectUse != 0) {
            if (s.windowShown) {
                e.scrollHidWindow = true;
                e.setWindowShown(false);
            }
            return StepResult::Yield;
        }
        placeBackground(e, x, y);
        s.position = c.next;
        return StepResult::Continue;
    }
    const uint32_t elapsed = e.now() - e.waitStart;
    if (e.skipping() || e.clicked() || elapsed >= kScrollMs) {
        e.clearClick();
        return finish();
    }
    const int64_t t = elapsed;
    const int px =
        s.backgroundX + static_cast<int>((s.scrollTargetX - s.backgroundX) * t / kScrollMs);
    const int py =
        s.backgroundY + static_cast<int>((s.scrollTargetY - s.backgroundY) * t / kScrollMs);
    placeBackground(e, px, py);
    return StepResult::Yield;
}

}  // namespace marlit
