// A movie that has taken over the screen (the movie player plugs in here).
// While the Display holds one, each loop turn serves only the movie.
#pragma once

namespace marlit {

class MovieInPlay {
  public:
    // Destroying the movie stops it at once.
    virtual ~MovieInPlay() = default;
    // One step of playback (it sleeps 1 ms itself); false once the movie has
    // reached its end, after which the Display frees it. The movie was given
    // what it draws into and listens to when it was made.
    virtual bool step() = 0;
};

}  // namespace marlit
