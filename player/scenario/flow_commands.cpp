// Commands that steer the script: the conditional block, the message
// number, the day-end selector, jumps, and the variable arithmetic.
#include "base/printable.h"
#include "base/sjis.h"
#include "formats/mes_jump_targets.h"
#include "player/core/mode_screen.h"
#include "player/scenario/command_handlers.h"
#include "player/scenario/scenario_engine.h"

namespace marlit {

namespace {

uint32_t flatOf(uint16_t bank, uint16_t index) {
    return uint32_t{bank} * 256 + index;
}

bool checkVariable(ScenarioEngine& e, const Command& c, uint32_t flat) {
    if (ScenarioVars::valid(flat))
        return true;
    e.ignore(c, "names variable " + std::to_string(flat) + ", beyond the 65 536 variables");
    return false;
}

}  // namespace

StepResult conditionalBlock(ScenarioEngine& e, const Command& c) {
    if (e.state.condition != 0) {
        e.state.position = c.next;
        return StepResult::Continue;
    }
    ScriptFault why;
    auto after = e.script()->skipToBlockEnd(c.b1, c.position, &why);
    if (!after) {
        e.fault(c.position,
                "the end of block " + std::to_string(c.b1) + " is missing (" + why.what + ")");
        return StepResult::Yield;
    }
    e.state.position = *after;
    return StepResult::Continue;
}

StepResult messageNumber(ScenarioEngine& e, const Command& c) {
    e.readLog.markRead(e.state.scriptName, e.state.message);
    e.state.message = c.w;
    e.state.position = c.next;
    return StepResult::Continue;
}

StepResult dayEndSelector(ScenarioEngine& e, const Command& c) {
    e.state.dayEndSelector = c.w;
    e.state.position = c.next;
    return StepResult::Continue;
}

StepResult jumpToLabel(ScenarioEngine& e, const Command& c) {
    ScriptFault why;
    auto label = e.script()->findLabel(c.text, &why);
    if (!label) {
        e.fault(c.position, "the label \"" + printable(c.text, 63) + "\" is not in the script");
        return StepResult::Yield;
    }
    e.state.position = *label;
    return StepResult::Continue;
}

StepResult jumpToScript(ScenarioEngine& e, const Command& c) {
    e.caption.remove();
    e.petals.stop();
    e.readLog.markRead(e.state.scriptName, e.state.message);
    ScenarioState& s = e.state;
    if (sameText(c.text, kJumpToStaffRoll)) {
        s.mode = kModeStaffRoll;
        s.subState = 0;
        return StepResult::Yield;
    }
    if (sameText(c.text, kJumpToTitle)) {
        e.ReturnToTitle();
        return StepResult::Yield;
    }
    // A replayed scene ends at its jump, wherever the story would go on.
    if (sameText(c.text, kJumpToSceneEnd) || s.sceneReplay) {
        s.mode = kModeSceneGallery;
        s.subState = kSceneReplayReturn;
        return StepResult::Yield;
    }
    if (const int route = endingRouteOfJump(c.text); route >= 0) {
        s.ending = route;
        s.mode = kModeEnding;
        s.subState = 0;
        return StepResult::Yield;
    }
    // The operand lives in the script that LoadScript frees.
    const std::string target(c.text);
    const std::string from = s.scriptName;
    if (!e.LoadScript(target))
        e.fault(from, c.position,
                "cannot load the script \"" + printable(target, 63) + "\": " + e.loadError());
    return StepResult::Yield;
}

StepResult variableArithmetic(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    const uint32_t flat = flatOf(c.quad[0], c.quad[1]);
    if (!checkVariable(e, c, flat))
        return StepResult::Continue;
    const int32_t v = e.vars.get(flat);
    const int32_t operand = c.quad[2];
    int32_t result = v;
    switch (c.quad[3]) {
        case 0:
            result = operand;
            break;
        case 1:
            result = v + operand;
            break;
        case 2:
            result = v - operand;
            break;
        case 3:
            result = static_cast<int32_t>(static_cast<int64_t>(v) * operand);
            break;
        case 4:
            if (operand == 0) {
                e.ignore(c, "divides variable " + std::to_string(flat) + " by zero");
                return StepResult::Continue;
            }
            result = v / operand;
            break;
        default:
            return StepResult::Continue;
    }
    e.vars.set(flat, result);
    return StepResult::Continue;
}

StepResult variableCopy(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    const uint32_t to = flatOf(c.quad[0], c.quad[1]);
    const uint32_t from = flatOf(c.quad[2], c.quad[3]);
    if (checkVariable(e, c, to) && checkVariable(e, c, from))
        e.vars.set(to, e.vars.get(from));
    return StepResult::Continue;
}

StepResult variableCompare(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    const uint32_t flat = flatOf(c.quad[0], c.quad[1]);
    if (!checkVariable(e, c, flat))
        return StepResult::Continue;
    const int32_t v = e.vars.get(flat);
    const int32_t w3 = c.quad[2];  // 0..65535, never negative
    int32_t& flag = e.state.condition;
    switch (c.quad[3]) {
        case 0:
            flag = v == w3;
            break;
        case 1:
            flag = v != w3;
            break;
        case 2:
            flag = v > w3;
            break;
        case 3:
            flag = v < w3;
            break;
        case 4:
            flag = v >= w3;
            break;
        case 5:
            flag = v <= w3;
            break;
        default:
            break;
    }
    return StepResult::Continue;
}

}  // namespace marlit
