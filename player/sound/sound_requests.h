// The game's sound requests: for each kind of sound, the slot it takes, where
// it comes from, whether it loops and when it plays at all. A sound plays at
// its category volume times the master volume / 100, fixed when it opens and
// changed afterwards only by applyVolume.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "player/core/settings.h"

namespace marlit {

class MusicPlayer;
class SoundMixer;

// The slot plan.
constexpr int kMusicSlot = 0;  // music, or a movie's sound while one plays
constexpr int kVoiceSlot = 2;
constexpr int kVoiceSlot2 = 3;  // nothing opens here; stopped and re-volumed with slot 2
constexpr int kEffectSlot = 4;
constexpr int kTitleVoiceSlot = 6;
// Music, voice and effect modes: 0 unavailable, 1 off, 2 on.
constexpr int kSoundOn = 2;
// The script's number that stops music or effects instead of playing.
constexpr int kStopNumber = 255;

// category x master / 100, truncating.
int mixVolume(int category, int master);

// Plays a piece from the music folder; asking again for the piece asked for
// last does nothing, even when it has ended. The music player decides
// whether it sounds.
void playMusic(MusicPlayer& music, const Settings& settings, std::string_view musicFolder,
               std::string_view name, uint32_t fadeInMs, bool loop);
// The file names of script music ("NN.mp3") and script effects ("NNN.mp3").
std::string musicFileName(int number);
std::string effectFileName(int number);
// Script music: "NN.mp3" from the number, looping; 255 stops the music.
void playScriptMusic(MusicPlayer& music, const Settings& settings, std::string_view musicFolder,
                     int number, uint32_t fadeInMs);
// Script sound effect "NNN.mp3" from the effect folder, read whole, when
// effects are on; 255 stops the effect slot instead.
bool playScriptEffect(SoundMixer& mixer, const Settings& settings, std::string_view effectFolder,
                      int number, bool loop);
// The voice pack's name of a script's voice: its extension replaced by (or,
// without one, followed by) ".mp3".
std::string voiceFileName(std::string_view scriptName);
// Script voice from the voice pack when voices are on; a new line stops
// the one before.
bool playScriptVoice(SoundMixer& mixer, const Settings& settings, std::string_view voicePack,
                     std::string_view scriptName);
// Voice replay from the text recall: also needs voice replay on.
bool replayVoice(SoundMixer& mixer, const Settings& settings, std::string_view voicePack,
                 std::string_view loggedName);
// A crowd voice of the map screen.
bool playCrowdVoice(SoundMixer& mixer, const Settings& settings, std::string_view voicePack,
                    std::string_view name);
// A character voice of the title screen, in its own slot.
bool playTitleVoice(SoundMixer& mixer, const Settings& settings, std::string_view voicePack,
                    std::string_view name);
// A movie's sound: the file at `soundPath` (folder, "\", name) in the music
// slot at the given volume, once; false when there is no such file.
bool playMovieSound(SoundMixer& mixer, std::string_view soundPath, int volume, bool readWhole);
// Stops both voice slots (the message window and the recall do this).
void stopVoices(SoundMixer& mixer);
// After a load: the looping effect that was saved, when effects are on.
bool restoreLoopingEffect(SoundMixer& mixer, const Settings& settings,
                          std::string_view effectFolder, std::string_view name);

// Which volume setting the menu has just changed.
enum class VolumeKind { Master = 0, Music = 1, Voice = 2, Effect = 3, Movie = 4 };
// Re-volumes what plays after `kind` changed to `value` (already stored in
// the settings). The title voice slot keeps the volume it opened with.
void applyVolume(SoundMixer& mixer, MusicPlayer& music, const Settings& settings, VolumeKind kind,
                 int value, bool moviePlaying);

}  // namespace marlit
