// The sound commands: effects, music and voices. The interpreter decides
// whether a sound is wanted (effects and voices are not started while
// skipping, voices follow their settings); the channels play them.
#include "base/sjis.h"
#include "player/scenario/command_handlers.h"
#include "player/scenario/scenario_engine.h"
#include "player/sound/sound_requests.h"

namespace marlit {

StepResult soundEffect(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    if (c.b1 == kStopNumber) {
        e.services.sound.stopEffect();
        return StepResult::Continue;
    }
    if (e.services.settings.sePlay > 1 && !e.skipping())
        e.services.sound.playEffect(c.b1, c.b2 != 0);
    return StepResult::Continue;
}

StepResult music(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    if (c.b1 == kStopNumber)
        e.services.sound.stopMusic();
    else
        e.services.sound.playMusic(c.b1);
    return StepResult::Continue;
}

StepResult stopMusic(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    e.services.sound.stopMusic();
    return StepResult::Continue;
}

StepResult voice(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    const Settings& settings = e.services.settings;
    const bool read =
        settings.readSkip != 0 ? e.readLog.isRead(e.state.scriptName, e.state.message) : true;
    e.voiceName = voiceFileName(c.text);
    const bool wanted = settings.voicePlay > 1 && (!read || !e.skipping()) &&
                        (settings.manaVoiceCut == 0 || e.state.mannerHidden == 0);
    if (wanted)
        e.services.sound.playVoice(e.voiceName);
    return StepResult::Continue;
}

}  // namespace marlit
