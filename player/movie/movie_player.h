// One movie in play: a .jmv file whose frames are read ahead by a JmvReader,
// decoded and written straight into the device frame buffer, with an
// optional .mp3 of the same name as its sound. The sound's position picks
// the frame to show (the clock does when there is no sound), so picture and
// sound stay together and frames are skipped when decoding falls behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/jbp_stream.h"
#include "player/movie/jmv_reader.h"
#include "player/movie/movie_services.h"

namespace marlit {

// The movie file of a name: the folder followed by the part of `name` after
// its last "/", with its extension replaced by ".jmv".
std::string moviePath(std::string_view folder, std::string_view name);
// The sound of a movie file: the same path with ".mp3" for its extension.
std::string movieSoundPath(std::string_view moviePath);

class MoviePlayer {
  public:
    // The services are borrowed and must outlive the player.
    explicit MoviePlayer(MovieServices services);
    // Ends a movie still in play: stops its sound and closes the reader.
    ~MoviePlayer();
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // Starts the movie `name` from `folder` (paths as the game spells them):
    // clears the screen to black, shows frame 0 and starts the sound at
    // `volume` when the .mp3 file exists. False when the file is missing or
    // no playable movie (reported); the player then stays ended.
    bool startMovie(std::string_view folder, std::string_view name, uint32_t volume,
                    bool readWhole);
    // Once per frame tick: shows the frame that the sound (or the clock) has
    // reached, then sleeps 1 ms. True while the movie runs; false once it
    // has ended, its sound stopped and its reader closed.
    bool stepMovie();
    // Ends the movie at once (a tap or a skip key).
    void abortMovie();

    bool playing() const { return playing_; }
    bool hasSound() const { return hasSound_; }
    // The movie file as it was looked for.
    const std::string& path() const { return path_; }
    // The frame shown last; -1 once the sound has ended.
    int32_t currentFrame() const { return current_; }
    // Frames that played out while decoding was behind and were never shown.
    uint32_t skippedFrames() const { return skipped_; }
    // Frames that did not decode and were left out (the screen keeps the
    // frame before).
    uint32_t badFrames() const { return bad_; }
    uint32_t framesDrawn() const { return drawn_; }

  private:
    bool showFrame(uint32_t i);
    void startSound(uint32_t volume, bool readWhole);
    void finish();
    void report(const std::string& text);

    MovieServices services_;
    DisplayProperties properties_;
    JbpDecoder decoder_;
    std::vector<uint16_t> picture_;
    std::vector<uint8_t> frameBytes_;
    JmvReader reader_;
    std::string path_;
    int32_t current_ = -1;
    uint32_t startTime_ = 0;
    bool hasSound_ = false;
    bool playing_ = false;
    uint32_t skipped_ = 0;
    uint32_t bad_ = 0;
    uint32_t drawn_ = 0;
};

}  // namespace marlit
