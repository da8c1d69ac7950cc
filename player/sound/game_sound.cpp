#include "player/sound/game_sound.h"

#include "player/shell/game_context.h"

namespace marlit {

namespace {

constexpr int kFullDeviceVolume = 0xFFFF;

}  // namespace

void applySoundSettings(GameContext& game) {
    const Settings& s = game.settings;
    game.musicPlayer->setMode(s.pcm);
    game.musicPlayer->setReadWhole(s.memStream != 0);
    if (s.deviceVol > 0 && s.deviceVol < kFullDeviceVolume) {
        game.soundMixer->setDeviceVolume(static_cast<uint32_t>(s.deviceVol));
    }
}

void playMusic(GameContext& game, std::string_view name, uint32_t fadeInMs, bool loop) {
    playMusic(*game.musicPlayer, game.settings, game.paths.musicFolder, name, fadeInMs, loop);
}

void stopMusic(GameContext& game) {
    game.musicPlayer->stop();
}

void fadeOutMusic(GameContext& game, uint32_t ms) {
    game.musicPlayer->fadeOut(ms);
}

int32_t musicPosition(GameContext& game) {
    return game.musicPlayer->position();
}

void playScriptMusic(GameContext& game, int number, uint32_t fadeInMs) {
    playScriptMusic(*game.musicPlayer, game.settings, game.paths.musicFolder, number, fadeInMs);
}

bool playScriptEffect(GameContext& game, int number, bool loop) {
    return playScriptEffect(*game.soundMixer, game.settings, game.paths.soundEffectFolder, number,
                            loop);
}

bool restoreLoopingEffect(GameContext& game, std::string_view name) {
    return restoreLoopingEffect(*game.soundMixer, game.settings, game.paths.soundEffectFolder,
                                name);
}

bool playScriptVoice(GameContext& game, std::string_view scriptName) {
    return playScriptVoice(*game.soundMixer, game.settings, game.paths.voicePack, scriptName);
}

bool replayVoice(GameContext& game, std::string_view loggedName) {
    return replayVoice(*game.soundMixer, game.settings, game.paths.voicePack, loggedName);
}

bool playCrowdVoice(GameContext& game, std::string_view name) {
    return playCrowdVoice(*game.soundMixer, game.settings, game.paths.voicePack, name);
}

bool playTitleVoice(GameContext& game, std::string_view name) {
    return playTitleVoice(*game.soundMixer, game.settings, game.paths.voicePack, name);
}

void stopVoices(GameContext& game) {
    stopVoices(*game.soundMixer);
}

bool playMovieSound(GameContext& game, std::string_view soundPath, bool readWhole) {
    int volume = mixVolume(game.settings.movVol, game.settings.masterVol);
    return playMovieSound(*game.soundMixer, soundPath, volume, readWhole);
}

void applyVolume(GameContext& game, VolumeKind kind, int value) {
    bool moviePlaying = game.display && game.display->movie != nullptr;
    applyVolume(*game.soundMixer, *game.musicPlayer, game.settings, kind, value, moviePlaying);
}

}  // namespace marlit
