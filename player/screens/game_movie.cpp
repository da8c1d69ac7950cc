#include "player/screens/game_movie.h"

#include "player/core/screen_copy.h"
#include "player/movie/movie_player.h"
#include "player/sound/sound_requests.h"

namespace marlit {

namespace {

// The device frame buffer as the movie writes it.
class DeviceMovieScreen : public MovieScreen {
  public:
    explicit DeviceMovieScreen(DeviceScreen& screen) : screen_(screen) {}
    DisplayProperties readProperties() override {
        properties_ = screen_.readProperties();
        return properties_;
    }
    uint8_t* beginDraw() override { return screen_.beginDraw(); }
    void endDraw() override { screen_.endDraw(); }
    void clear() override {
        if (uint8_t* base = screen_.beginDraw()) {
            clearScreen(properties_, base);
            screen_.endDraw();
        }
    }

  private:
    DeviceScreen& screen_;
    DisplayProperties properties_;
};

// The music slot carries the movie's sound.
class MixerMovieSound : public MovieSound {
  public:
    explicit MixerMovieSound(SoundMixer& mixer) : mixer_(mixer) {}
    bool play(std::string_view folder, std::string_view name, uint32_t volume,
              bool readWhole) override {
        return mixer_.openChannel(kMusicSlot, name, folder, static_cast<int>(volume),
                                  ChannelOptions{.readWhole = readWhole});
    }
    int32_t position() override { return mixer_.position(kMusicSlot); }
    void stop() override { mixer_.stop(kMusicSlot); }

  private:
    SoundMixer& mixer_;
};

// What the Display holds while a movie plays; destroying it ends the movie.
class HeldMovie : public MovieInPlay {
  public:
    HeldMovie(DeviceScreen& screen, SoundMixer& mixer, Clock& clock, ScreenGeometry geometry,
              std::function<void(const std::string&)> report)
        : screen_(screen),
          sound_(mixer),
          player_(MovieServices{screen_, clock, &sound_, geometry.width, geometry.height,
                                std::move(report)}) {}
    MoviePlayer& player() { return player_; }
    bool step() override { return player_.playing() && player_.stepMovie(); }

  private:
    DeviceMovieScreen screen_;
    MixerMovieSound sound_;
    MoviePlayer player_;
};

}  // namespace

bool GameMovies::start(std::string_view folder, std::string_view name) {
    display_.movie.reset();
    auto movie = std::make_unique<HeldMovie>(screen_, mixer_, clock_, geometry_, report_);
    const int volume = mixVolume(settings_.movVol, settings_.masterVol);
    const bool started =
        movie->player().startMovie(folder, name, static_cast<uint32_t>(volume), true);
    display_.movie = std::move(movie);
    return started;
}

}  // namespace marlit
