// The text commands: the speaker "K", the message "L", and the choice block
// (8 opens it, "E" names a target, "M" adds a text, 9 asks the reader).
#include <algorithm>
#include <cstring>

#include "base/encoding.h"
#include "base/printable.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/text_commands.h"

namespace marlit {

namespace {

void showIfHidden(ScenarioEngine& e) {
    if (e.state.windowShown == 0)
        e.setWindowShown(true);
}

// Cuts a Shift-JIS text at a byte limit without splitting a character.
std::string cutText(std::string_view text, size_t limit) {
    size_t end = 0;
    while (end < text.size()) {
        const TextCharacter ch = characterAt(text, end);
        if (ch.bytes == 0 || end + static_cast<size_t>(ch.bytes) > limit)
            break;
        end += static_cast<size_t>(ch.bytes);
    }
    return std::string(text.substr(0, end));
}

// A field of the text log: UTF-8, line breaks as spaces, no tabs or
// other control characters.
std::string logField(std::string_view sjis) {
    std::string out = sjisToUtf8(sjis);
    for (char& ch : out) {
        if (ch == '/' || (static_cast<unsigned char>(ch) < 0x20))
            ch = ' ';
    }
    return out;
}

std::string textLogLine(ScenarioEngine& e, std::string_view text) {
    return logField(e.state.scriptName) + "\t" + std::to_string(e.state.message) + "\t" +
           logField(e.window->speaker()) + "\t" + logField(e.voiceName) + "\t" + logField(text);
}

}  // namespace

StepResult speakerName(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    if (!e.window)
        return StepResult::Continue;
    if (c.first)
        showIfHidden(e);
    const Settings& settings = e.services.settings;
    const std::string name =
        c.speakerShort ? std::string(settings.name, strnlen(settings.name, sizeof settings.name))
                       : decodeShownText(c.text, true, false);
    if (e.state.choice.pending == 0)
        e.window->setSpeaker(name);
    return StepResult::Continue;
}

StepResult messageText(ScenarioEngine& e, const Command& c) {
    if (!e.window) {
        e.state.position = c.next;
        return StepResult::Continue;
    }
    if (c.first) {
        showIfHidden(e);
        e.Snapshot();
        e.window->startText(decodeShownText(c.text, true, true));
        if (e.textLog)
            e.textLog(textLogLine(e, e.window->text()));
    }
    bool atOnce = e.skipping();
    if (e.clicked()) {
        e.clearClick();
        atOnce = true;
    }
    if (e.window->typeText(atOnce)) {
        e.window->nextLine();
        e.state.position = c.next;
    }
    return StepResult::Yield;
}

StepResult choiceBegin(ScenarioEngine& e, const Command& c) {
    ChoiceSet& choice = e.state.choice;
    choice.count = 0;
    choice.pending = 1;
    for (std::string& label : choice.labels)
        label.clear();
    e.state.position = c.next;
    return StepResult::Continue;
}

StepResult choiceLabel(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    ChoiceSet& choice = e.state.choice;
    if (choice.count >= ChoiceSet::kMax) {
        e.ignore(c, "names a target for a fifth choice; a choice block holds four");
        return StepResult::Continue;
    }
    if (c.text.size() > ChoiceSet::kLabelBytes)
        e.ignore(c, "names a target label longer than " + std::to_string(ChoiceSet::kLabelBytes) +
                        " bytes; it is cut there");
    choice.labels[static_cast<size_t>(choice.count)] =
        std::string(c.text.substr(0, ChoiceSet::kLabelBytes));
    return StepResult::Continue;
}

StepResult choiceText(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    ChoiceSet& choice = e.state.choice;
    if (choice.count >= ChoiceSet::kMax) {
        e.ignore(c, "adds a fifth choice; a choice block holds four");
        return StepResult::Continue;
    }
    const std::string text = decodeShownText(c.text, false, false);
    if (text.size() > ChoiceSet::kTextBytes)
        e.ignore(c, "has a choice text longer than " + std::to_string(ChoiceSet::kTextBytes) +
                        " bytes; it is cut there");
    choice.texts[static_cast<size_t>(choice.count)] = cutText(text, ChoiceSet::kTextBytes);
    ++choice.count;
    return StepResult::Continue;
}

StepResult choiceAsk(ScenarioEngine& e, const Command& c) {
    if (c.first)
        e.Snapshot();
    const int chosen = choiceStep(e, c.first);
    if (chosen < 0)
        return StepResult::Yield;
    ChoiceSet& choice = e.state.choice;
    choice.last = chosen;
    const std::string label = choice.labels[static_cast<size_t>(chosen)];
    choice.pending = 0;
    choice.count = 0;
    if (e.window)
        e.window->resetPage();
    ScriptFault why;
    auto target = e.script()->findLabel(label, &why);
    if (!target) {
        e.fault(c.position, "choice " + std::to_string(chosen + 1) + " jumps to the label \"" +
                                printable(label, 63) + "\", which is not in the script");
        return StepResult::Yield;
    }
    e.state.position = *target;
    return StepResult::Yield;
}

void installTextCommands(ScenarioEngine& e, MessageWindow& window) {
    e.window = &window;
    e.showWindow = [&window](bool on) { window.show(on); };
    e.setHandler('K', speakerName);
    e.setHandler('L', messageText);
    e.setHandler(7, pageWait);
    e.setHandler(8, choiceBegin);
    e.setHandler('E', choiceLabel);
    e.setHandler('M', choiceText);
    e.setHandler(9, choiceAsk);
}

}  // namespace marlit
