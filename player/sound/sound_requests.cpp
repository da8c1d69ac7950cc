#include "player/sound/sound_requests.h"

#include "base/format.h"
#include "player/sound/music_player.h"
#include "player/sound/sound_mixer.h"

namespace marlit {

namespace {

bool voicesOn(const Settings& settings) {
    return settings.voicePlay == kSoundOn;
}

bool playVoiceIn(SoundMixer& mixer, int slot, const Settings& settings, std::string_view voicePack,
                 std::string_view name) {
    return mixer.openChannel(slot, name, voicePack,
                             mixVolume(settings.voiceVol, settings.masterVol), ChannelOptions{});
}

}  // namespace

int mixVolume(int category, int master) {
    return category * master / 100;
}

void playMusic(MusicPlayer& music, const Settings& settings, std::string_view musicFolder,
               std::string_view name, uint32_t fadeInMs, bool loop) {
    if (name == music.currentName())
        return;
    music.play(musicFolder, name, mixVolume(settings.musicVol, settings.masterVol), fadeInMs, loop);
}

void playScriptMusic(MusicPlayer& music, const Settings& settings, std::string_view musicFolder,
                     int number, uint32_t fadeInMs) {
    if (number == kStopNumber) {
        music.stop();
        return;
    }
    playMusic(music, settings, musicFolder, musicFileName(number), fadeInMs, true);
}

bool playScriptEffect(SoundMixer& mixer, const Settings& settings, std::string_view effectFolder,
                      int number, bool loop) {
    if (number == kStopNumber) {
        mixer.stop(kEffectSlot);
        return false;
    }
    if (settings.sePlay != kSoundOn)
        return false;
    return mixer.openChannel(kEffectSlot, effectFileName(number), effectFolder,
                             mixVolume(settings.seVol, settings.masterVol),
                             ChannelOptions{.loop = loop, .readWhole = true});
}

std::string musicFileName(int number) {
    return formatText("%z2.mp3", {number});
}

std::string effectFileName(int number) {
    return formatText("%z3.mp3", {number});
}

std::string voiceFileName(std::string_view scriptName) {
    size_t dot = scriptName.rfind('.');
    size_t slash = scriptName.find_last_of("\\/");
    // A dot inside a folder name is no extension.
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) {
        scriptName = scriptName.substr(0, dot);
    }
    return std::string(scriptName) + ".mp3";
}

bool playScriptVoice(SoundMixer& mixer, const Settings& settings, std::string_view voicePack,
                     std::string_view scriptName) {
    if (!voicesOn(settings))
        return false;
    return playVoiceIn(mixer, kVoiceSlot, settings, voicePack, voiceFileName(scriptName));
}

bool replayVoice(SoundMixer& mixer, const Settings& settings, std::string_view voicePack,
                 std::string_view loggedName) {
    if (!voicesOn(settings) || settings.messageVoiceReplay == 0 || loggedName.empty())
        return false;
    return playVoiceIn(mixer, kVoiceSlot, settings, voicePack, loggedName);
}

bool playCrowdVoice(SoundMixer& mixer, const Settings& settings, std::string_view voicePack,
                    std::string_view name) {
    if (!voicesOn(settings))
        return false;
    return playVoiceIn(mixer, kVoiceSlot, settings, voicePack, name);
}

bool playTitleVoice(SoundMixer& mixer, const Settings& settings, std::string_view voicePack,
                    std::string_view name) {
    if (!voicesOn(settings))
        return false;
    return playVoiceIn(mixer, kTitleVoiceSlot, settings, voicePack, name);
}

bool playMovieSound(SoundMixer& mixer, std::string_view soundPath, int volume, bool readWhole) {
    size_t cut = soundPath.find_last_of('\\');
    size_t nameAt = cut == std::string_view::npos ? 0 : cut + 1;
    return mixer.openChannel(kMusicSlot, soundPath.substr(nameAt), soundPath.substr(0, nameAt),
                             volume, ChannelOptions{.readWhole = readWhole});
}

void stopVoices(SoundMixer& mixer) {
    mixer.stop(kVoiceSlot);
    mixer.stop(kVoiceSlot2);
}

bool restoreLoopingEffect(SoundMixer& mixer, const Settings& settings,
                          std::string_view effectFolder, std::string_view name) {
    if (name.empty() || settings.sePlay != kSoundOn)
        return false;
    return mixer.openChannel(kEffectSlot, name, effectFolder,
                             mixVolume(settings.seVol, settings.masterVol),
                             ChannelOptions{.loop = true, .readWhole = true});
}

void applyVolume(SoundMixer& mixer, MusicPlayer& music, const Settings& settings, VolumeKind kind,
                 int value, bool moviePlaying) {
    auto voices = [&](int volume) {
        mixer.setVolume(kVoiceSlot, volume);
        mixer.setVolume(kVoiceSlot2, volume);
    };
    switch (kind) {
        case VolumeKind::Master:
            if (moviePlaying) {
                mixer.setVolume(kMusicSlot, mixVolume(settings.movVol, value));
            } else {
                music.setVolume(mixVolume(settings.musicVol, value));
            }
            voices(mixVolume(settings.voiceVol, value));
            mixer.setVolume(kEffectSlot, mixVolume(settings.seVol, value));
            break;
        case VolumeKind::Music:
            if (!moviePlaying)
                music.setVolume(mixVolume(settings.masterVol, value));
            break;
        case VolumeKind::Voice:
            voices(mixVolume(settings.masterVol, value));
            break;
        case VolumeKind::Effect:
            mixer.setVolume(kEffectSlot, mixVolume(settings.masterVol, value));
            break;
        case VolumeKind::Movie:
            if (moviePlaying)
                mixer.setVolume(kMusicSlot, mixVolume(settings.masterVol, value));
            break;
    }
}

}  // namespace marlit
