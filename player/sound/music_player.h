// The music of the game on slot 0 of the mixer. It remembers the piece asked
// for last, and keeps a clock for it even while music is switched off, so
// that screens timed by the music keep their timing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace marlit {

class SoundMixer;

class MusicPlayer {
  public:
    static constexpr int kSlot = 0;

    explicit MusicPlayer(SoundMixer& mixer) : mixer_(mixer) {}

    // Music mode: 0 unavailable, 1 off, 2 on; sound is made only above 0.
    // Changing the mode stops the piece that plays; the next request plays
    // again.
    void setMode(int mode);
    int mode() const { return mode_; }
    // Music files are read whole into memory instead of mapped.
    void setReadWhole(bool on) { readWhole_ = on; }

    // Plays `name` from `folder` (which ends with "\") from its start.
    void play(std::string_view folder, std::string_view name, int volume, uint32_t fadeInMs,
              bool loop);
    void stop();
    void fadeOut(uint32_t ms);
    // Milliseconds into the piece: -1 when it has ended or nothing plays;
    // with mode 0 the time since it was asked for, which never ends.
    int32_t position();
    void setVolume(int volume);

    const std::string& currentName() const { return name_; }
    bool playing() const { return playing_; }

  private:
    SoundMixer& mixer_;
    std::string name_;
    bool readWhole_ = false;
    int mode_ = 0;
    bool playing_ = false;
    uint32_t startTime_ = 0;
};

}  // namespace marlit
