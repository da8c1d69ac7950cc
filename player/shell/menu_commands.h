// The command ids that the popup menu posts to the window (and that a
// scripted input may post as "command N").
#pragma once

namespace marlit {

constexpr int kCommandExit = 40007;
constexpr int kCommandReturnToTitle = 40008;
// Load slot 0..14, save into slot 0..14.
constexpr int kCommandLoadFirst = 40017;
constexpr int kCommandSaveFirst = 40032;
constexpr int kCommandEffects = 40049;
constexpr int kCommandSpeedFirst = 40055;  // MESSAGE_SPEED 0..2
constexpr int kCommandReadSkip = 40059;
constexpr int kCommandAutoFirst = 40060;  // MESSAGE_AUTO 0..6
constexpr int kCommandVoicePlay = 40067;
constexpr int kCommandMusicPlay = 40068;
constexpr int kCommandMusicVolFirst = 40069;  // 100 % .. 10 %
constexpr int kCommandVoiceVolFirst = 40079;
constexpr int kCommandVoiceReplay = 40097;
constexpr int kCommandEffectPlay = 40108;
constexpr int kCommandEffectVolFirst = 40109;
constexpr int kCommandCursorFirst = 40120;  // KET_CUR_MODE 0..4
constexpr int kCommandShadow = 40125;
constexpr int kCommandMasterVolFirst = 40126;
constexpr int kCommandAntialiasFirst = 40136;  // TRANS_MODE 0..3
constexpr int kCommandSynopsis = 40140;
constexpr int kCommandWindowTransFirst = 40141;  // MESSAGE_WIN_TRANS 0..4
constexpr int kCommandSkipLock = 40146;
constexpr int kCommandMovieVolFirst = 40147;
constexpr int kCommandPetals = 40157;
constexpr int kCommandDoublePress = 40158;
constexpr int kCommandPlaceName = 40159;
constexpr int kCommandMannerFirst = 40160;  // DISP_FREE_MODE 0..2
constexpr int kCommandCentreFirst = 40163;  // KEY_CEN_CTRL 0..5
constexpr int kCommandMannerVoice = 40169;

// The key settings level: one item per player key (learned from the next
// key pressed while the menu stays open), and back to the device's keys.
constexpr int kCommandKeyFirst = 40170;
constexpr int kCommandKeyDefaults = 40179;

constexpr int kSaveSlotItems = 15;
constexpr int kVolumeSteps = 10;

}  // namespace marlit
