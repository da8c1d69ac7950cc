#include "player/sound/game_sound.h"

#include "player/sound/music_player.h"
#include "player/sound/sound_mixer.h"

namespace marlit {

namespace {

constexpr int kFullDeviceVolume = 0xFFFF;

}  // namespace

void GameSound::applySettings() {
    music_.setMode(settings_.pcm);
    music_.setReadWhole(settings_.memStream != 0);
    if (settings_.deviceVol > 0 && settings_.deviceVol < kFullDeviceVolume) {
        mixer_.setDeviceVolume(static_cast<uint32_t>(settings_.deviceVol));
    }
}

void GameSound::playMusic(std::string_view name, uint32_t fadeInMs, bool loop) {
    marlit::playMusic(music_, settings_, paths_.musicFolder, name, fadeInMs, loop);
}

void GameSound::stopMusic() {
    music_.stop();
}

void GameSound::fadeOutMusic(uint32_t ms) {
    music_.fadeOut(ms);
}

int32_t GameSound::musicPosition() {
    return music_.position();
}

void GameSound::playScriptMusic(int number, uint32_t fadeInMs) {
    marlit::playScriptMusic(music_, settings_, paths_.musicFolder, number, fadeInMs);
}

bool GameSound::playScriptEffect(int number, bool loop) {
    return marlit::playScriptEffect(mixer_, settings_, paths_.soundEffectFolder, number, loop);
}

bool GameSound::restoreLoopingEffect(std::string_view name) {
    return marlit::restoreLoopingEffect(mixer_, settings_, paths_.soundEffectFolder, name);
}

bool GameSound::playScriptVoice(std::string_view scriptName) {
    return marlit::playScriptVoice(mixer_, settings_, paths_.voicePack, scriptName);
}

bool GameSound::replayVoice(std::string_view loggedName) {
    return marlit::replayVoice(mixer_, settings_, paths_.voicePack, loggedName);
}

bool GameSound::playCrowdVoice(std::string_view name) {
    return marlit::playCrowdVoice(mixer_, settings_, paths_.voicePack, name);
}

bool GameSound::playTitleVoice(std::string_view name) {
    return marlit::playTitleVoice(mixer_, settings_, paths_.voicePack, name);
}

void GameSound::stopTitleVoice() {
    mixer_.stop(kTitleVoiceSlot);
}

void GameSound::stopCrowdVoice() {
    mixer_.stop(kVoiceSlot);
}

void GameSound::stopVoices() {
    marlit::stopVoices(mixer_);
}

bool GameSound::playMovieSound(std::string_view soundPath, bool readWhole) {
    int volume = mixVolume(settings_.movVol, settings_.masterVol);
    return marlit::playMovieSound(mixer_, soundPath, volume, readWhole);
}

void GameSound::applyVolume(VolumeKind kind, int value) {
    const bool moviePlaying = moviePlaying_ && moviePlaying_();
    marlit::applyVolume(mixer_, music_, settings_, kind, value, moviePlaying);
}

}  // namespace marlit
