// The text commands and the message window they feed. The engine runs them
// once the window is plugged in with installTextCommands.
#pragma once

#include "player/scenario/scenario_command.h"

namespace marlit {

class MessageWindow;

StepResult speakerName(ScenarioEngine&, const Command&);  // "K"
StepResult messageText(ScenarioEngine&, const Command&);  // "L"
StepResult pageWait(ScenarioEngine&, const Command&);     // 7
StepResult choiceBegin(ScenarioEngine&, const Command&);  // 8
StepResult choiceLabel(ScenarioEngine&, const Command&);  // "E"
StepResult choiceText(ScenarioEngine&, const Command&);   // "M"
StepResult choiceAsk(ScenarioEngine&, const Command&);    // 9

// The choice screen, once per frame: the index chosen, or -1 while the
// reader has not chosen.
int choiceStep(ScenarioEngine& e, bool first);

// Plugs the window into the engine: its text commands, and the window
// switch of command 13.
void installTextCommands(ScenarioEngine& e, MessageWindow& window);

}  // namespace marlit
