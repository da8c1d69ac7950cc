// --movie FILE: plays one movie (with the .mp3 of the same name as its
// sound, when there is one) and ends the run when it has ended.
#pragma once

#include <string>

namespace marlit {
class GameContext;
}

namespace marlit::app {

class MovieRun {
  public:
    explicit MovieRun(std::string hostPath) : path_(std::move(hostPath)) {}

    bool active() const { return !path_.empty(); }
    // Called after every frame tick.
    void afterTick(GameContext& context);
    // Empty unless the movie could not be played (the run was then ended).
    const std::string& error() const { return error_; }

  private:
    void end(GameContext& context);

    std::string path_;
    bool started_ = false;
    bool ending_ = false;
    std::string error_;
};

}  // namespace marlit::app
