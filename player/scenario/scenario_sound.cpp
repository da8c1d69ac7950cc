#include "player/scenario/scenario_sound.h"

#include "player/sound/game_sound.h"
#include "player/sound/music_player.h"
#include "player/sound/sound_mixer.h"
#include "player/sound/sound_requests.h"

namespace marlit {

void GameSoundChannels::playEffect(int number, bool loop) {
    sound_.playScriptEffect(number, loop);
}

void GameSoundChannels::stopEffect() {
    sound_.mixer().stop(kEffectSlot);
}

void GameSoundChannels::playMusic(int number) {
    sound_.playScriptMusic(number, 0);
}

void GameSoundChannels::stopMusic() {
    sound_.stopMusic();
}

void GameSoundChannels::playVoice(std::string_view name) {
    sound_.playScriptVoice(name);
}

void GameSoundChannels::stopVoice() {
    sound_.stopVoices();
}

bool GameSoundChannels::voicePlaying() {
    return sound_.mixer().playing(kVoiceSlot);
}

void GameSoundChannels::stopAll() {
    sound_.stopMusic();
    sound_.mixer().stopAll();
}

std::string GameSoundChannels::musicName() const {
    return sound_.music().currentName();
}

std::string GameSoundChannels::loopingEffect() const {
    return sound_.mixer().loopingName(kEffectSlot);
}

void GameSoundChannels::restoreMusic(std::string_view name) {
    if (!name.empty())
        sound_.playMusic(name, 0, true);
}

void GameSoundChannels::restoreLoopingEffect(std::string_view name) {
    sound_.restoreLoopingEffect(name);
}

}  // namespace marlit
