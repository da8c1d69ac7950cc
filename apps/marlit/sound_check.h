// --play-music and --play-voice: plays one piece of music or one voice clip
// through the game's sound services, with music and voices on at full
// volume whatever the settings say, and ends the run when it has ended.
// A quick check of a converted data set. Called after every frame tick.
#pragma once

#include <string>

namespace marlit {
class GameContext;
}

namespace marlit::app {

class SoundCheck {
  public:
    // Music from the music folder, or a clip from the voice pack (its name
    // in the pack, with or without the "VOICE\" folder and the ".mp3").
    SoundCheck(std::string music, std::string voice)
        : music_(std::move(music)), voice_(std::move(voice)) {}

    bool active() const { return !music_.empty() || !voice_.empty(); }
    void afterTick(GameContext& context);
    // Empty unless the sound could not be played (the run was then ended).
    const std::string& error() const { return error_; }

  private:
    bool start(GameContext& context);
    void end(GameContext& context);

    std::string music_;
    std::string voice_;
    bool started_ = false;
    bool ending_ = false;
    std::string error_;
};

}  // namespace marlit::app
