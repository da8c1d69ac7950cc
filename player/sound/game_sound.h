// The sound services as the game calls them, on the GameContext: each takes
// the mixer, the music player, the settings and the data places from it.
#pragma once

#include <cstdint>
#include <string_view>

#include "player/sound/sound_requests.h"

namespace marlit {

class GameContext;

// Hands the sound settings to the sound system: the music mode and how
// music files are read, and the device volume when it is set below full.
void applySoundSettings(GameContext& game);

void playMusic(GameContext& game, std::string_view name, uint32_t fadeInMs, bool loop);
void stopMusic(GameContext& game);
void fadeOutMusic(GameContext& game, uint32_t ms);
int32_t musicPosition(GameContext& game);
void playScriptMusic(GameContext& game, int number, uint32_t fadeInMs);

bool playScriptEffect(GameContext& game, int number, bool loop);
bool restoreLoopingEffect(GameContext& game, std::string_view name);

bool playScriptVoice(GameContext& game, std::string_view scriptName);
bool replayVoice(GameContext& game, std::string_view loggedName);
bool playCrowdVoice(GameContext& game, std::string_view name);
bool playTitleVoice(GameContext& game, std::string_view name);
void stopVoices(GameContext& game);

// The sound of a movie at the movie volume.
bool playMovieSound(GameContext& game, std::string_view soundPath, bool readWhole);

// After the menu stored a new volume in the settings.
void applyVolume(GameContext& game, VolumeKind kind, int value);

}  // namespace marlit
