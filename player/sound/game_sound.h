// The sound services as the game calls them. A GameSound borrows the mixer,
// the music player, the settings and the data places of its player (the
// settings and places may change while it lives: it reads them at each
// call), so the scenario and the screens can be given this one object.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "player/core/data_paths.h"
#include "player/core/settings.h"
#include "player/sound/sound_requests.h"

namespace marlit {

class MusicPlayer;
class SoundMixer;

class GameSound {
  public:
    GameSound(SoundMixer& mixer, MusicPlayer& music, const Settings& settings,
              const DataPaths& paths, std::function<bool()> moviePlaying = {})
        : mixer_(mixer),
          music_(music),
          settings_(settings),
          paths_(paths),
          moviePlaying_(std::move(moviePlaying)) {}

    // Hands the sound settings to the sound system: the music mode and how
    // music files are read, and the device volume when it is set below full.
    void applySettings();

    void playMusic(std::string_view name, uint32_t fadeInMs, bool loop);
    void stopMusic();
    void fadeOutMusic(uint32_t ms);
    int32_t musicPosition();
    void playScriptMusic(int number, uint32_t fadeInMs);

    bool playScriptEffect(int number, bool loop);
    bool restoreLoopingEffect(std::string_view name);

    bool playScriptVoice(std::string_view scriptName);
    bool replayVoice(std::string_view loggedName);
    bool playCrowdVoice(std::string_view name);
    bool playTitleVoice(std::string_view name);
    void stopVoices();
    // The title's reactions in slot 6.
    void stopTitleVoice();
    // The map's crowd voice (the voice slot).
    void stopCrowdVoice();

    // The sound of a movie at the movie volume.
    bool playMovieSound(std::string_view soundPath, bool readWhole);

    // After the menu stored a new volume in the settings.
    void applyVolume(VolumeKind kind, int value);

    SoundMixer& mixer() { return mixer_; }
    MusicPlayer& music() { return music_; }

  private:
    SoundMixer& mixer_;
    MusicPlayer& music_;
    const Settings& settings_;
    const DataPaths& paths_;
    std::function<bool()> moviePlaying_;
};

}  // namespace marlit
