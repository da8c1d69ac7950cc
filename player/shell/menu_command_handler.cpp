#include "player/shell/menu_command_handler.h"

#include "player/core/mode_screen.h"
#include "player/graphics/graphics_ops.h"
#include "player/persist/save_slots.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"
#include "player/shell/menu_commands.h"
#include "player/shell/menu_marks.h"
#include "player/sound/game_sound.h"
#include "player/sound/music_player.h"

namespace marlit {

namespace {

using S = Settings;

constexpr int32_t kPlayOff = 1;
constexpr int32_t kPlayOn = 2;
constexpr int kBackgroundSlot = 28;

bool inRange(int id, int first, int count) {
    return id >= first && id < first + count;
}

VolumeKind volumeKindOf(int32_t Settings::*field) {
    if (field == &S::musicVol)
        return VolumeKind::Music;
    if (field == &S::voiceVol)
        return VolumeKind::Voice;
    if (field == &S::seVol)
        return VolumeKind::Effect;
    if (field == &S::movVol)
        return VolumeKind::Movie;
    return VolumeKind::Master;
}

}  // namespace

bool MenuCommandHandler::run(int id) {
    if (id == kCommandExit) {
        if (s_.close)
            s_.close();
        return true;
    }
    if (id == kCommandReturnToTitle) {
        if (s_.stopMovie)
            s_.stopMovie();
        s_.engine.ReturnToTitle();
        return true;
    }
    if (inRange(id, kCommandLoadFirst, kSaveSlotItems)) {
        SaveSlots* slots = s_.slots ? s_.slots() : nullptr;
        const int slot = id - kCommandLoadFirst;
        if (!slots)
            return true;
        if (slots->items()[static_cast<size_t>(slot)].present && s_.stopMovie)
            s_.stopMovie();
        if (slots->Load(slot) && s_.enableSaveItems)
            s_.enableSaveItems();
        return true;
    }
    if (inRange(id, kCommandSaveFirst, kSaveSlotItems)) {
        if (SaveSlots* slots = s_.slots ? s_.slots() : nullptr)
            slots->Save(id - kCommandSaveFirst, 0);
        return true;
    }
    return runSetting(id);
}

bool MenuCommandHandler::runSetting(int id) {
    Settings& st = s_.settings;
    const SettingMarks* row = marksOfCommand(id);
    if (!row)
        return false;
    const auto field = row->field;
    switch (row->kind) {
        case MarkKind::Volume:
            applyVolume(row->field, valueOfItem(*row, id));
            return true;
        case MarkKind::Play:
            togglePlay(row->field);
            if (field == &S::pcm)
                s_.sound.music().setMode(st.pcm);
            return true;
        case MarkKind::Toggle:
            toggle(row->field);
            if (field == &S::petalsAllowed)
                setPetals();
            else if (field == &S::bgNameDisp)
                refreshPlaceCaption();
            return true;
        case MarkKind::Radio:
            break;
    }
    const int32_t value = valueOfItem(*row, id);
    const bool changed = st.*field != value;
    if (field == &S::messageWinTrans) {
        if (changed)
            setWindowTransparency(value);
        return true;
    }
    if (changed)
        applySetting(tree_, st, row->field, value);
    if (field == &S::ketCurMode) {
        s_.input.armed.fill(0);
    } else if (field == &S::transMode) {
        s_.graphics.redrawScreen();
    } else if (field == &S::dispFreeMode && changed) {
        s_.engine.applyManner();
    }
    return true;
}

void MenuCommandHandler::applyVolume(int32_t Settings::*field, int value) {
    applySetting(tree_, s_.settings, field, value);
    s_.sound.applyVolume(volumeKindOf(field), s_.settings.*field);
}

void MenuCommandHandler::toggle(int32_t Settings::*field) {
    applySetting(tree_, s_.settings, field, s_.settings.*field != 0 ? 0 : 1);
}

void MenuCommandHandler::togglePlay(int32_t Settings::*field) {
    applySetting(tree_, s_.settings, field, s_.settings.*field == kPlayOff ? kPlayOn : kPlayOff);
}

// The petals the scenario asked for come and go with the setting; the
// request stays.
void MenuCommandHandler::setPetals() {
    Petals& petals = s_.engine.petals;
    if (petals.kind() == 0)
        return;
    if (s_.settings.petalsAllowed != 0)
        petals.start(s_.engine.now());
    else
        petals.pause();
}

// Off takes the caption away; on shows the place of the background now on
// screen.
void MenuCommandHandler::refreshPlaceCaption() {
    ScenarioEngine& e = s_.engine;
    e.caption.remove();
    if (s_.settings.bgNameDisp != 0 && e.state.mode == kModeScenario &&
        e.pictures.holds(kBackgroundSlot)) {
        e.caption.show(e.pictures.path(kBackgroundSlot), e.now());
    }
}

void MenuCommandHandler::setWindowTransparency(int value) {
    applySetting(tree_, s_.settings, &S::messageWinTrans, value);
    s_.graphics.redrawScreen();
    if (MessageWindow* w = s_.window ? s_.window() : nullptr)
        w->applyOpacity();
}

}  // namespace marlit
