#include "player/persist/config_keys.h"

#include <array>

#include "base/sjis.h"

namespace marlit {

namespace {

constexpr std::string_view kMusic = "MUSIC_CONFIG";
constexpr std::string_view kVoice = "VOICE_CONFIG";
constexpr std::string_view kSe = "SE_CONFIG";
constexpr std::string_view kMovie = "MOV_CONFIG";
constexpr std::string_view kMessage = "MESSAGE_CONFIG";
constexpr std::string_view kSystem = "SYSTEM_CONFIG";

using S = Settings;
using R = KeyRule;

// Rows in the order they are read; the last column is the writing order.
constexpr std::array<ConfigKey, 27> kKeys{{
    {kMusic, "PCM", &S::pcm, R::IgnoreNegative, 0},
    {kMusic, "MEM_STREAM", &S::memStream, R::AsRead, -1},
    {kMusic, "DEVICE_VOL", &S::deviceVol, R::AsRead, -1},
    {kSystem, "ZUVUD_UVOV", &S::petalsAllowed, R::AsRead, 9},
    {kSystem, "BG_NAME_DISP", &S::bgNameDisp, R::AsRead, 10},
    {kVoice, "VOICE_PLAY", &S::voicePlay, R::IgnoreNegative, 1},
    {kSe, "SE_PLAY", &S::sePlay, R::IgnoreNegative, 2},
    {kMusic, "MASTER_VOL", &S::masterVol, R::Volume, 3},
    {kMusic, "MUSIC_VOL", &S::musicVol, R::Volume, 4},
    {kVoice, "VOICE_VOL", &S::voiceVol, R::Volume, 5},
    {kSe, "SE_VOL", &S::seVol, R::Volume, 6},
    {kMovie, "MOV_VOL", &S::movVol, R::Volume, 7},
    {kMessage, "EFFECT_USE", &S::effectUse, R::AsRead, 8},
    {kMessage, "TRANS_MODE", &S::transMode, R::AsRead, 14},
    {kMessage, "MESSAGE_SPEED", &S::messageSpeed, R::AsRead, 15},
    {kMessage, "MESSAGE_AUTO", &S::messageAuto, R::AsRead, 16},
    {kMessage, "READ_SKIP", &S::readSkip, R::AsRead, 12},
    {kMessage, "LOCK_SKIP", &S::lockSkip, R::AsRead, 13},
    {kMessage, "MESSAGE_SADOW", &S::messageShadow, R::ZeroOrOne, 17},
    {kMessage, "MESSAGE_VOICE_REPLAY", &S::messageVoiceReplay, R::ZeroOrOne, 11},
    {kMessage, "TEXT_CUT_MODE", &S::textCutMode, R::ZeroOrOne, 18},
    {kMessage, "MESSAGE_WIN_TRANS", &S::messageWinTrans, R::AsRead, 19},
    {kSystem, "KEY_CEN_CTRL", &S::keyCenCtrl, R::AsRead, 20},
    {kSystem, "KET_CUR_MODE", &S::ketCurMode, R::AsRead, 21},
    {kSystem, "KET_DOUBLE_CLICK", &S::ketDoubleClick, R::AsRead, 22},
    {kSystem, "DISP_FREE_MODE", &S::dispFreeMode, R::AsRead, 23},
    {kSystem, "MANA_VOICE_CUT", &S::manaVoiceCut, R::AsRead, 24},
}};

}  // namespace

std::optional<int32_t> ConfigKey::accept(int32_t value) const {
    switch (rule) {
        case KeyRule::AsRead:
            return value;
        case KeyRule::Volume:
            return value >= 10 && value <= 100 ? value : 100;
        case KeyRule::IgnoreNegative:
            if (value < 0)
                return std::nullopt;
            return value;
        case KeyRule::ZeroOrOne:
            return value != 0 ? 1 : 0;
    }
    return value;
}

std::span<const ConfigKey> configKeys() {
    return kKeys;
}

const ConfigKey* findConfigKey(std::string_view section, std::string_view key) {
    for (const ConfigKey& k : kKeys) {
        if (sameText(k.section, section) && sameText(k.key, key))
            return &k;
    }
    return nullptr;
}

bool setSetting(Settings& settings, const ConfigKey& key, int32_t value) {
    auto stored = key.accept(value);
    if (!stored)
        return false;
    settings.*key.field = *stored;
    return true;
}

}  // namespace marlit
