#include "player/shell/menu_marks.h"

#include <array>

#include "player/persist/config_keys.h"
#include "player/shell/menu_commands.h"

namespace marlit {

namespace {

using S = Settings;
using K = MarkKind;

constexpr std::array<SettingMarks, 25> kMarks{{
    {&S::effectUse, K::Toggle, kCommandEffects, 1},
    {&S::messageSpeed, K::Radio, kCommandSpeedFirst, 3},
    {&S::readSkip, K::Toggle, kCommandReadSkip, 1},
    {&S::messageAuto, K::Radio, kCommandAutoFirst, 7},
    {&S::voicePlay, K::Play, kCommandVoicePlay, 1},
    {&S::pcm, K::Play, kCommandMusicPlay, 1},
    {&S::musicVol, K::Volume, kCommandMusicVolFirst, kVolumeSteps},
    {&S::voiceVol, K::Volume, kCommandVoiceVolFirst, kVolumeSteps},
    {&S::messageVoiceReplay, K::Toggle, kCommandVoiceReplay, 1},
    {&S::sePlay, K::Play, kCommandEffectPlay, 1},
    {&S::seVol, K::Volume, kCommandEffectVolFirst, kVolumeSteps},
    {&S::ketCurMode, K::Radio, kCommandCursorFirst, 5},
    {&S::messageShadow, K::Toggle, kCommandShadow, 1},
    {&S::masterVol, K::Volume, kCommandMasterVolFirst, kVolumeSteps},
    {&S::transMode, K::Radio, kCommandAntialiasFirst, 4},
    {&S::textCutMode, K::Toggle, kCommandSynopsis, 1},
    {&S::messageWinTrans, K::Radio, kCommandWindowTransFirst, 5},
    {&S::lockSkip, K::Toggle, kCommandSkipLock, 1},
    {&S::movVol, K::Volume, kCommandMovieVolFirst, kVolumeSteps},
    {&S::petalsAllowed, K::Toggle, kCommandPetals, 1},
    {&S::ketDoubleClick, K::Toggle, kCommandDoublePress, 1},
    {&S::bgNameDisp, K::Toggle, kCommandPlaceName, 1},
    {&S::dispFreeMode, K::Radio, kCommandMannerFirst, 3},
    {&S::keyCenCtrl, K::Radio, kCommandCentreFirst, 6},
    {&S::manaVoiceCut, K::Toggle, kCommandMannerVoice, 1},
}};

constexpr int kVolumeStep = 10;
constexpr int kFullVolume = 100;
constexpr int32_t kPlayOn = 2;

}  // namespace

std::span<const SettingMarks> settingMarks() {
    return kMarks;
}

const SettingMarks* marksOf(int32_t Settings::*field) {
    for (const SettingMarks& row : kMarks) {
        if (row.field == field)
            return &row;
    }
    return nullptr;
}

const SettingMarks* marksOfCommand(int id) {
    for (const SettingMarks& row : kMarks) {
        if (id >= row.firstId && id < row.firstId + row.count)
            return &row;
    }
    return nullptr;
}

int32_t valueOfItem(const SettingMarks& row, int id) {
    const int k = id - row.firstId;
    return row.kind == MarkKind::Volume ? kFullVolume - kVolumeStep * k : k;
}

void showSetting(MenuTree& tree, const Settings& settings, int32_t Settings::*field) {
    const SettingMarks* row = marksOf(field);
    if (!row)
        return;
    const int32_t value = settings.*field;
    switch (row->kind) {
        case MarkKind::Radio:
        case MarkKind::Volume:
            for (int id = row->firstId; id < row->firstId + row->count; ++id)
                tree.setChecked(id, valueOfItem(*row, id) == value);
            break;
        case MarkKind::Toggle:
            tree.setEnabled(row->firstId, true);
            tree.setChecked(row->firstId, value != 0);
            break;
        case MarkKind::Play:
            tree.setEnabled(row->firstId, value > 0);
            tree.setChecked(row->firstId, value == kPlayOn);
            break;
    }
}

void showAllSettings(MenuTree& tree, const Settings& settings) {
    for (const SettingMarks& row : kMarks)
        showSetting(tree, settings, row.field);
}

bool applySetting(MenuTree& tree, Settings& settings, const ConfigKey& key, int32_t value) {
    const bool stored = setSetting(settings, key, value);
    showSetting(tree, settings, key.field);
    return stored;
}

bool applySetting(MenuTree& tree, Settings& settings, int32_t Settings::*field, int32_t value) {
    for (const ConfigKey& key : configKeys()) {
        if (key.field == field)
            return applySetting(tree, settings, key, value);
    }
    return false;
}

}  // namespace marlit
