#include "player/scenario/scenario_engine.h"

#include "base/printable.h"
#include "player/core/mode_screen.h"
#include "player/scenario/command_handlers.h"

namespace marlit {

ScenarioEngine::ScenarioEngine(ScenarioState& state, ScenarioServices services)
    : state(state),
      services(std::move(services)),
      pictures(this->services.graphics),
      shake(this->services.shakeX, this->services.shakeY),
      caption(pictures, this->services.tables),
      petals(pictures, this->services.random),
      handlers_(defaultCommandHandlers()) {
    pictures.loaded = [this](std::string_view path) {
        seen.add(SeenLists::kPictures, lastPathComponent(path));
    };
}

void ScenarioEngine::setHandler(uint8_t opcode, CommandHandler handler) {
    handlers_[opcode] = handler;
}

void ScenarioEngine::fault(uint32_t position, const std::string& what) {
    fault(state.scriptName, position, what);
}

void ScenarioEngine::fault(std::string_view script, uint32_t position, const std::string& what) {
    if (services.report) {
        services.report("script " + printable(script, 63) + " at position " +
                        std::to_string(position) + ": " + what +
                        "; the scenario stops and the title comes back");
    }
    ReturnToTitle();
}

void ScenarioEngine::ignore(const Command& command, const std::string& what) {
    if (services.report) {
        const std::string name = command.info ? std::string(command.info->name) : "?";
        services.report("script " + printable(state.scriptName, 63) + " at position " +
                        std::to_string(command.position) + ": command " + name + " " + what +
                        "; the command is skipped");
    }
}

bool ScenarioEngine::clicked() const {
    const InputState& in = services.input;
    return in.tap == 1 || in.press[kPressC] == 1 || in.press[kPressRight] == 1;
}

void ScenarioEngine::clearClick() {
    InputState& in = services.input;
    in.tap = 0;
    if (in.press[kPressC] == 1)
        in.press[kPressC] = 2;
    if (in.press[kPressRight] == 1)
        in.press[kPressRight] = 2;
}

bool ScenarioEngine::skipping() const {
    return services.settings.lockedSkip != 0 || services.input.press[kPressLeft] > 0;
}

void ScenarioEngine::setWindowShown(bool shown) {
    state.windowShown = shown ? 1 : 0;
    if (showWindow)
        showWindow(shown);
}

std::optional<uint8_t> ScenarioEngine::opcodeAt(uint32_t position) const {
    if (!script_ || position >= script_->stream().size())
        return std::nullopt;
    return script_->stream()[position];
}

bool ScenarioEngine::decode(uint32_t position, Command& c) {
    ScriptFault why;
    const std::optional<uint32_t> length = script_->commandLength(position, &why);
    if (!length) {
        fault(why.position, why.what);
        return false;
    }
    c = Command{};
    c.position = position;
    c.next = position + *length;
    c.opcode = script_->byteAt(position);
    c.info = commandInfo(c.opcode);
    c.first = state.repeat == 0;
    if (!c.info) {
        fault(position, "byte " + std::to_string(c.opcode) + " is not a command");
        return false;
    }
    switch (c.info->shape) {
        case CommandShape::kWord:
            c.b1 = script_->byteAt(position + 1);
            c.b2 = script_->byteAt(position + 2);
            c.w = static_cast<uint16_t>(c.b1 + 256 * c.b2);
            break;
        case CommandShape::kByte:
            c.b1 = script_->byteAt(position + 1);
            break;
        case CommandShape::kQuad:
            for (int i = 0; i < 4; ++i)
                c.quad[static_cast<size_t>(i)] = script_->quadWord(position, i);
            break;
        case CommandShape::kSpeaker:
            if (*length == 4 && script_->byteAt(position + 1) == 0x04) {
                c.speakerShort = true;
                break;
            }
            c.text = script_->stringOperand(position);
            break;
        case CommandShape::kString:
            c.text = script_->stringOperand(position);
            break;
    }
    return true;
}

void ScenarioEngine::Step() {
    if (!script_) {
        fault(state.position, "no script is loaded");
        return;
    }
    for (int n = 0;; ++n) {
        if (n == commandsPerStepLimit) {
            if (!reportedRunaway_ && services.report) {
                services.report("script " + printable(state.scriptName, 63) + " ran " +
                                std::to_string(commandsPerStepLimit) +
                                " commands in one frame without waiting (a loop of jumps?); "
                                "the frame ends there and the script goes on in the next");
            }
            reportedRunaway_ = true;
            break;
        }
        const uint32_t position = state.position;
        const uint64_t loadsBefore = loads_;
        Command c;
        if (!decode(position, c))
            break;
        if (trace)
            trace(
                TraceEntry{services.frame ? services.frame() : 0, state.scriptName, &*script_, &c});
        StepResult result = StepResult::Continue;
        if (CommandHandler h = handlers_[c.opcode]) {
            result = h(*this, c);
        } else {
            state.position = c.next;
        }
        if (!script_ || state.mode != kModeScenario)
            break;
        if (loads_ == loadsBefore) {
            if (state.position == position)
                ++state.repeat;
            else
                state.repeat = 0;
        }
        if (result == StepResult::Yield)
            break;
    }
    if (petals.active() && services.settings.petalsAllowed != 0)
        petals.update(now());
    caption.update(now());
}

}  // namespace marlit
