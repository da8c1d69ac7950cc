#include "player/sound/music_player.h"

#include "player/sound/sound_mixer.h"

namespace marlit {

void MusicPlayer::setMode(int mode) {
    // The name and the playing flag stay: the same piece asked for again
    // is still "already playing".
    if (mode_ > 0 && playing_)
        mixer_.stop(kSlot);
    mode_ = mode;
}

void MusicPlayer::play(std::string_view folder, std::string_view name, int volume,
                       uint32_t fadeInMs, bool loop) {
    stop();
    playing_ = true;
    name_ = name;
    if (mode_ <= 0) {
        startTime_ = mixer_.ticks()();
        return;
    }
    mixer_.openChannel(kSlot, name, folder, volume,
                       ChannelOptions{.fadeInMs = fadeInMs, .loop = loop, .readWhole = readWhole_});
    mixer_.setVolume(kSlot, volume);
}

void MusicPlayer::stop() {
    name_.clear();
    playing_ = false;
    if (mode_ > 0)
        mixer_.stop(kSlot);
}

void MusicPlayer::fadeOut(uint32_t ms) {
    name_.clear();
    playing_ = false;
    if (mode_ > 0)
        mixer_.fadeOut(kSlot, ms);
}

int32_t MusicPlayer::position() {
    if (mode_ > 0)
        return mixer_.position(kSlot);
    return static_cast<int32_t>(mixer_.ticks()() - startTime_);
}

void MusicPlayer::setVolume(int volume) {
    if (mode_ > 0)
        mixer_.setVolume(kSlot, volume);
}

}  // namespace marlit
