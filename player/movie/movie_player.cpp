#include "player/movie/movie_player.h"

#include "base/files.h"
#include "player/movie/movie_draw.h"

namespace marlit {

namespace {

constexpr int kDeviceBitsPerPixel = 16;

size_t lastSeparator(std::string_view path) {
    return path.find_last_of("\\/");
}

}  // namespace

std::string moviePath(std::string_view folder, std::string_view name) {
    size_t slash = name.rfind('/');
    std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    size_t dot = base.rfind('.');
    if (dot != std::string_view::npos)
        base = base.substr(0, dot);
    return std::string(folder) + std::string(base) + ".jmv";
}

std::string movieSoundPath(std::string_view moviePath) {
    size_t dot = moviePath.rfind('.');
    size_t sep = lastSeparator(moviePath);
    if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep))
        dot = moviePath.size();
    return std::string(moviePath.substr(0, dot)) + ".mp3";
}

MoviePlayer::MoviePlayer(MovieServices services) : services_(std::move(services)) {}

MoviePlayer::~MoviePlayer() {
    finish();
}

bool MoviePlayer::startMovie(std::string_view folder, std::string_view name, uint32_t volume,
                             bool readWhole) {
    finish();
    current_ = -1;
    skipped_ = bad_ = drawn_ = 0;
    path_ = moviePath(folder, name);
    if (!fileExists(path_)) {
        report(path_ + ": no such movie file");
        return false;
    }
    if (!reader_.open(openJmvFile(hostPath(path_)))) {
        report(path_ + ": " + reader_.error());
        return false;
    }
    if (!reader_.table().problem.empty())
        report(path_ + ": " + reader_.table().problem);
    properties_ = services_.screen.readProperties();
    if (properties_.cBPP != kDeviceBitsPerPixel) {
        report(path_ + ": the device frame buffer has " + std::to_string(properties_.cBPP) +
               " bits per pixel; movies are drawn only into 16-bit RGB565 screens");
        reader_.close();
        return false;
    }
    const JmvHeader& h = reader_.table().header;
    picture_.assign(size_t{h.paddedWidth()} * h.paddedHeight(), 0);
    services_.screen.clear();
    playing_ = true;
    if (!showFrame(0)) {
        finish();
        return false;
    }
    startSound(volume, readWhole);
    current_ = 0;
    startTime_ = services_.clock.ticks();
    return true;
}

void MoviePlayer::startSound(uint32_t volume, bool readWhole) {
    hasSound_ = false;
    std::string sound = movieSoundPath(path_);
    if (!services_.sound || !fileExists(sound))
        return;
    size_t sep = lastSeparator(sound);
    std::string_view all(sound);
    std::string_view folder =
        sep == std::string::npos ? std::string_view() : all.substr(0, sep + 1);
    std::string_view name = sep == std::string::npos ? all : all.substr(sep + 1);
    hasSound_ = services_.sound->play(folder, name, volume, readWhole);
    // Timing by a sound that never plays would end the movie at once.
    if (!hasSound_)
        report(sound + ": the sound cannot be played; the movie plays silently");
}

bool MoviePlayer::stepMovie() {
    if (!playing_)
        return false;
    const int32_t previous = current_;
    const uint64_t rate = reader_.table().header.framesPerSecond;
    int64_t frame;  // -1 once the sound has ended
    if (hasSound_) {
        int32_t p = services_.sound->position();
        frame = p < 0 ? -1 : static_cast<int64_t>(uint64_t(p) * rate / 1000);
    } else {
        uint32_t elapsed = services_.clock.ticks() - startTime_;
        frame = static_cast<int64_t>(uint64_t{elapsed} * rate / 1000);
    }
    if (frame != previous) {
        if (frame < 0 || frame >= reader_.frameCount()) {
            if (frame < 0)
                current_ = -1;
            finish();
            return false;
        }
        current_ = static_cast<int32_t>(frame);
        if (!showFrame(static_cast<uint32_t>(current_))) {
            finish();
            return false;
        }
        if (current_ > previous)
            skipped_ += static_cast<uint32_t>(current_ - previous - 1);
    }
    services_.clock.sleep(1);
    return true;
}

void MoviePlayer::abortMovie() {
    finish();
}

bool MoviePlayer::showFrame(uint32_t i) {
    if (!reader_.frameData(i, frameBytes_)) {
        report(path_ + ": " + reader_.error());
        return false;
    }
    const JmvHeader& h = reader_.table().header;
    if (!decodeJmvFrame(decoder_, h, frameBytes_, picture_)) {
        if (bad_++ == 0) {
            report(path_ + ": frame " + std::to_string(i) +
                   " is no picture stream of the movie's size; it and any other such frame "
                   "are left out. Encode the movie again.");
        }
        return true;
    }
    uint8_t* base = services_.screen.beginDraw();
    if (!base)
        return true;
    MovieFrameView view{picture_.data(), static_cast<int>(h.width), static_cast<int>(h.height),
                        static_cast<int>(h.paddedWidth())};
    drawMovieFrame(base, properties_, services_.screenWidth, services_.screenHeight, view);
    services_.screen.endDraw();
    ++drawn_;
    return true;
}

void MoviePlayer::finish() {
    if (hasSound_ && services_.sound)
        services_.sound->stop();
    hasSound_ = false;
    playing_ = false;
    if (!reader_.close())
        report(path_ + ": the frame reader did not stop in time and was left to end on its own");
}

void MoviePlayer::report(const std::string& text) {
    if (services_.report)
        services_.report(text);
}

}  // namespace marlit
