// The clock of the ending sequence and the staff roll: the position of the
// music they play, so that pictures and music stay in step. With music
// switched off the music player counts the time since the piece was asked
// for, so the timings are the same. A piece that is missing, or shorter
// than the screen's timings, has no position (the mixer says -1 once it
// stops): from then on the time since the piece started goes on counting,
// so the screen runs to its end instead of waiting for a position that
// never comes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "player/graphics/graphics_ops.h"
#include "player/sound/game_sound.h"

namespace marlit {

class MusicClock {
  public:
    MusicClock(GameSound& sound, GraphicsOps& graphics) : sound_(sound), graphics_(graphics) {}

    // Plays the piece once, from its start.
    void start(std::string_view piece) {
        sound_.playMusic(piece, 0, false);
        started_ = graphics_.now();
        last_ = 0;
    }
    // Milliseconds into the piece; never going back.
    uint32_t position() {
        const int32_t music = sound_.musicPosition();
        const uint32_t since = graphics_.now() - started_;
        last_ = std::max(last_, music >= 0 ? static_cast<uint32_t>(music) : since);
        return last_;
    }

  private:
    GameSound& sound_;
    GraphicsOps& graphics_;
    uint32_t started_ = 0;
    uint32_t last_ = 0;
};

}  // namespace marlit
