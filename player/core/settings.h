// The user settings block: one field per key of marlitpc.cfg, holding the
// defaults until the configuration file is read. The shell reads the cursor
// mode, the double press, the centre-key action and the skip lock from it;
// the popup menu writes it.
#pragma once

#include <cstdint>

namespace marlit {

// KEY_CEN_CTRL values.
constexpr int kCentreKeyNone = 0;
constexpr int kCentreKeyShowMenu = 1;
constexpr int kCentreKeyHideWindow = 2;
constexpr int kCentreKeyRecall = 3;
constexpr int kCentreKeyQuickSave = 4;
constexpr int kCentreKeyQuickLoad = 5;

// KET_CUR_MODE values.
constexpr int kCursorNormal = 0;
constexpr int kCursorBasicSuppression = 1;
constexpr int kCursorHorizontalPriority = 2;
constexpr int kCursorVerticalPriority = 3;
constexpr int kCursorFullSuppression = 4;

struct Settings {
    // MUSIC_CONFIG
    int32_t pcm = 0;  // PCM: 0 not available, 1 off, 2 on
    int32_t memStream = 0;
    int32_t deviceVol = 0xFFFF;
    int32_t masterVol = 100;
    int32_t musicVol = 100;
    // VOICE_CONFIG
    int32_t voicePlay = 1;
    int32_t voiceVol = 100;
    // SE_CONFIG
    int32_t sePlay = 1;
    int32_t seVol = 100;
    // MOV_CONFIG
    int32_t movVol = 100;
    // MESSAGE_CONFIG
    int32_t effectUse = 1;
    int32_t transMode = 0;
    int32_t messageSpeed = 1;
    int32_t messageAuto = 0;
    int32_t readSkip = 0;
    int32_t lockSkip = 0;
    int32_t messageShadow = 0;  // MESSAGE_SADOW
    int32_t messageVoiceReplay = 1;
    int32_t textCutMode = 0;
    int32_t messageWinTrans = 2;
    // SYSTEM_CONFIG
    int32_t petalsAllowed = 1;  // ZUVUD_UVOV
    int32_t bgNameDisp = 1;
    int32_t keyCenCtrl = kCentreKeyShowMenu;
    int32_t ketCurMode = kCursorNormal;
    int32_t ketDoubleClick = 0;
    int32_t dispFreeMode = 0;
    int32_t manaVoiceCut = 0;
    // NAME_CONFIG NAME (Shift-JIS, at most 7 bytes); filled with the data
    // set's default name when the configuration is read.
    char name[8] = {};

    // The lasting skip turned on by the skip key when LOCK_SKIP is set; it
    // is not written to the configuration file.
    int32_t lockedSkip = 0;
};

}  // namespace marlit
