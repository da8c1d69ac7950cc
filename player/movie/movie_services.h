// What a movie needs from the rest of the player, as small interfaces so
// that the movie knows nothing of the game that holds it: the device screen
// it writes straight into, the sound slot that times it, the clock, and a
// place for its diagnostics.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/display_device.h"

namespace marlit {

// The device frame buffer as the movie reaches it (RGB565, portrait, with
// the pitches of DisplayProperties).
class MovieScreen {
  public:
    virtual ~MovieScreen() = default;
    // The frame buffer's layout, asked for again at each start (the 640
    // build repeats its raw frame buffer query).
    virtual DisplayProperties readProperties() = 0;
    // Pixel (0, 0), or nullptr; a non-null result is followed by endDraw.
    virtual uint8_t* beginDraw() = 0;
    virtual void endDraw() = 0;
    // Every pixel of the device frame buffer black.
    virtual void clear() = 0;
};

// The sound slot that carries a movie's sound while it plays.
class MovieSound {
  public:
    virtual ~MovieSound() = default;
    // Opens `name` from the folder `folder` (ending in "\") and starts it at
    // once, without fade or loop, at `volume` (0..100), read whole into
    // memory when asked; false when it cannot be opened.
    virtual bool play(std::string_view folder, std::string_view name, uint32_t volume,
                      bool readWhole) = 0;
    // Milliseconds of the sound that the device has played; -1 once it has
    // ended.
    virtual int32_t position() = 0;
    virtual void stop() = 0;
};

struct MovieServices {
    MovieScreen& screen;
    Clock& clock;
    // None: every movie plays silently, timed by the clock.
    MovieSound* sound = nullptr;
    // The player's screen size; from a width of 640 frames are doubled.
    int screenWidth = 320;
    int screenHeight = 240;
    // Receives what went wrong with a movie file, once per problem; none
    // drops it.
    std::function<void(const std::string&)> report;
};

}  // namespace marlit
