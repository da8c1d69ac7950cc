// The page wait (command 7): the reader clicks, holds or locks the skip, or
// lets the page pass by itself after its voice; meanwhile the window can be
// hidden and earlier pages recalled.
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/text_commands.h"

namespace marlit {

namespace {

bool pressed(const InputState& in, int key) {
    return in.press[static_cast<size_t>(key)] == 1;
}
void take(InputState& in, int key) {
    if (in.press[static_cast<size_t>(key)] == 1)
        in.press[static_cast<size_t>(key)] = 2;
}

void playRecalled(ScenarioEngine& e, MessageWindow& w, size_t back) {
    const Settings& settings = e.services.settings;
    const BacklogPage* page = w.backlog().fromNewest(back);
    if (page && !page->voice.empty() && settings.voicePlay > 1 && settings.messageVoiceReplay != 0)
        e.services.sound.playVoice(page->voice);
}

void openRecall(ScenarioEngine& e, MessageWindow& w) {
    e.services.sound.stopVoice();
    playRecalled(e, w, 0);
    w.openRecall(0);
}

void advance(ScenarioEngine& e, MessageWindow& w, const Command& c) {
    w.recordPage(e.voiceName);
    e.voiceName.clear();
    e.services.sound.stopVoice();
    w.resetPage();
    e.services.graphics.redrawScreen();
    w.showPageMark(false);
    e.state.pageMarkShown = 0;
    e.state.position = c.next;
}

// The reader's hiding and the recall view; true while one of them holds the
// page.
bool hiddenOrRecalling(ScenarioEngine& e, MessageWindow& w) {
    InputState& in = e.services.input;
    if (!w.hiddenByUser() && !w.recallOpen())
        return false;
    if (w.recallOpen()) {
        const int step = (pressed(in, kPressUp) ? -1 : 0) + (pressed(in, kPressDown) ? 1 : 0);
        if (pressed(in, kPressUp) || pressed(in, kPressDown)) {
            const long index = static_cast<long>(w.recallIndex()) - step;
            if (index < 0) {
                e.services.sound.stopVoice();
                w.closeRecall();
            } else if (step != 0 && w.backlog().fromNewest(static_cast<size_t>(index))) {
                e.services.sound.stopVoice();
                playRecalled(e, w, static_cast<size_t>(index));
                w.openRecall(static_cast<size_t>(index));
            }
            take(in, kPressUp);
            take(in, kPressDown);
        }
    }
    if (w.recallOpen()) {
        if (e.clicked()) {
            e.clearClick();
            e.services.sound.stopVoice();
            w.closeRecall();
        } else if (pressed(in, kPressA)) {
            take(in, kPressA);
            e.services.sound.stopVoice();
            w.closeRecall();
            w.hideByUser();
        }
    } else if (w.hiddenByUser() && (e.clicked() || pressed(in, kPressA))) {
        e.clearClick();
        take(in, kPressA);
        w.showAgain();
    }
    return true;
}

}  // namespace

StepResult pageWait(ScenarioEngine& e, const Command& c) {
    if (!e.window) {
        e.state.position = c.next;
        return StepResult::Continue;
    }
    MessageWindow& w = *e.window;
    InputState& in = e.services.input;
    const Settings& settings = e.services.settings;

    // Quick save and load, never on the frame the wait begins (the press
    // that ended the typing must not save).
    if (!c.first && pressed(in, kPressStart) &&
        (settings.keyCenCtrl == kCentreKeyQuickSave ||
         settings.keyCenCtrl == kCentreKeyQuickLoad)) {
        take(in, kPressStart);
        const auto& action = settings.keyCenCtrl == kCentreKeyQuickSave ? e.quickSave : e.quickLoad;
        if (action)
            action();
        return StepResult::Yield;
    }

    bool read = true;
    if (settings.readSkip != 0) {
        read = e.readLog.isRead(e.state.scriptName, e.state.message);
        if (!read && settings.lockedSkip != 0 && e.stopLockedSkip)
            e.stopLockedSkip();
    }
    if (c.first) {
        if (e.readLog.unwritten() && e.writeLogs) {
            e.writeLogs();
            e.readLog.written();
        }
        w.showPageMark(true);
        e.state.pageMarkShown = 1;
        e.waitStart = e.now();
    }
    if (hiddenOrRecalling(e, w))
        return StepResult::Yield;

    if (read && e.skipping())
        in.press[kPressC] = 1;
    if (e.clicked()) {
        e.clearClick();
        advance(e, w, c);
        return StepResult::Yield;
    }
    if (settings.messageAuto > 0) {
        if (e.services.sound.voicePlaying()) {
            e.waitStart = e.now();
        } else if (static_cast<int64_t>(e.now() - e.waitStart) >=
                   static_cast<int64_t>(settings.messageAuto) * 500 - 500) {
            advance(e, w, c);
            return StepResult::Yield;
        }
    }
    const bool centre = pressed(in, kPressStart);
    if (centre &&
        (settings.keyCenCtrl == kCentreKeyHideWindow || settings.keyCenCtrl == kCentreKeyRecall)) {
        take(in, kPressStart);
        take(in, kPressA);
        if (settings.keyCenCtrl == kCentreKeyHideWindow)
            w.hideByUser();
        else if (w.backlog().size() > 0)
            openRecall(e, w);
        return StepResult::Yield;
    }
    if (pressed(in, kPressA)) {
        take(in, kPressA);
        if (w.backlog().size() > 0)
            openRecall(e, w);
        else
            w.hideByUser();
        return StepResult::Yield;
    }
    // The up key opens the recall as well.
    if (pressed(in, kPressUp) && w.backlog().size() > 0) {
        take(in, kPressUp);
        openRecall(e, w);
    }
    return StepResult::Yield;
}

}  // namespace marlit
