// Movies in the game: the movie player wired to the device screen, the
// music slot of the mixer and the platform clock, held by the Display while
// it plays (the frame tick then serves only the movie).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "player/core/device_screen.h"
#include "player/core/display.h"
#include "player/core/screen_geometry.h"
#include "player/core/settings.h"
#include "player/sound/sound_mixer.h"

namespace marlit {

class GameMovies {
  public:
    // `report` receives what is wrong with a movie file.
    GameMovies(Display& display, DeviceScreen& screen, SoundMixer& mixer, Clock& clock,
               const Settings& settings, ScreenGeometry geometry,
               std::function<void(const std::string&)> report)
        : display_(display),
          screen_(screen),
          mixer_(mixer),
          clock_(clock),
          settings_(settings),
          geometry_(geometry),
          report_(std::move(report)) {}

    // Starts the movie `name` from `folder` (system paths, the folder ending
    // in "\") at the movie volume, replacing a movie in play. The movie is
    // held by the Display even when it cannot start, and its first step then
    // ends it; false in that case.
    bool start(std::string_view folder, std::string_view name);
    bool playing() const { return display_.movie != nullptr; }

  private:
    Display& display_;
    DeviceScreen& screen_;
    SoundMixer& mixer_;
    Clock& clock_;
    const Settings& settings_;
    ScreenGeometry geometry_;
    std::function<void(const std::string&)> report_;
};

}  // namespace marlit
