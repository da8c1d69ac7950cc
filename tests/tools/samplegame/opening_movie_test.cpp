// The sample game's opening movie as the title plays it: a movie file the
// player reads, frames that fade in from black and out again, and a run of
// it on both screens whose pictures keep pace with its sound.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/files.h"
#include "base/png.h"
#include "formats/jbp_stream.h"
#include "formats/jmv_file.h"
#include "tests/support/played_sound.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/samplegame/sample_folder.h"

namespace marlit {
namespace {

// The movie's frames as 8-bit grey, 320 x 240.
struct Frames {
    int width = 0, height = 0, fps = 0;
    std::vector<std::vector<uint8_t>> grey;
};

Frames decodeMovie(const std::string& path) {
    Frames out;
    auto file = readHostFile(path);
    EXPECT_TRUE(file) << path;
    if (!file)
        return out;
    std::string error;
    auto table = parseJmvTable(*file, file->size(), &error);
    EXPECT_TRUE(table) << error;
    if (!table)
        return out;
    EXPECT_TRUE(table->problem.empty()) << table->problem;
    const JmvHeader& h = table->header;
    out.width = static_cast<int>(h.width);
    out.height = static_cast<int>(h.height);
    out.fps = static_cast<int>(h.framesPerSecond);
    JbpDecoder decoder;
    std::vector<uint16_t> picture(size_t{h.paddedWidth()} * h.paddedHeight());
    for (size_t i = 0; i < table->frames.size(); ++i) {
        std::span<const uint8_t> stream(file->data() + table->fileOffset(i), table->frames[i].size);
        EXPECT_TRUE(decodeJmvFrame(decoder, h, stream, picture)) << "frame " << i;
        std::vector<uint8_t> grey(static_cast<size_t>(out.width) * out.height);
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                const uint16_t p = picture[static_cast<size_t>(y) * h.paddedWidth() + x];
                grey[static_cast<size_t>(y) * out.width + x] = static_cast<uint8_t>(
                    (((p >> 11) << 3) + (((p >> 5) & 63) << 2) + ((p & 31) << 3)) / 3);
            }
        }
        out.grey.push_back(std::move(grey));
    }
    return out;
}

double meanOf(const std::vector<uint8_t>& grey) {
    double sum = 0;
    for (uint8_t v : grey)
        sum += v;
    return grey.empty() ? 0 : sum / static_cast<double>(grey.size());
}

// How far a device shot is from a movie frame: the mean grey difference
// over a grid of points of the frame, the frame turned a quarter either
// way onto the device (the better of the two) and scaled to fill it.
double distance(const PngImage& shot, const Frames& movie, size_t frame) {
    double best = std::numeric_limits<double>::max();
    const int scale = shot.width > 300 && shot.height > 500 ? 2 : 1;
    for (int turn = 0; turn < 2; ++turn) {
        double sum = 0;
        int n = 0;
        for (int y = 4; y < movie.height; y += 8) {
            for (int x = 4; x < movie.width; x += 8) {
                // The landscape frame on the portrait device.
                const int dx = (turn == 0 ? movie.height - 1 - y : y) * scale;
                const int dy = (turn == 0 ? x : movie.width - 1 - x) * scale;
                if (dx >= shot.width || dy >= shot.height)
                    continue;
                const uint8_t* p =
                    &shot.pixels[(static_cast<size_t>(dy) * shot.width + dx) * shot.channels];
                const double grey = (p[0] + p[1] + p[2]) / 3.0;
                sum += std::abs(grey - movie.grey[frame][static_cast<size_t>(y) * movie.width + x]);
                ++n;
            }
        }
        if (n > 0)
            best = std::min(best, sum / n);
    }
    return best;
}

// The movie frame a device shot shows: the nearest of them all.
int frameShown(const std::string& shotPath, const Frames& movie) {
    std::string error;
    auto shot = readPng(shotPath, &error);
    EXPECT_TRUE(shot) << error;
    if (!shot)
        return -1;
    int best = -1;
    double bestDistance = std::numeric_limits<double>::max();
    for (size_t i = 0; i < movie.grey.size(); ++i) {
        const double d = distance(*shot, movie, i);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

TEST(OpeningMovie, FadesInFromBlackOverTheCapeAndOutAgain) {
    const Frames movie = decodeMovie(test::gameFile(test::smallSampleFolder(), "Movie\\OP.jmv"));
    ASSERT_EQ(movie.grey.size(), 90u);
    EXPECT_EQ(movie.fps, 15);
    EXPECT_EQ(movie.width, 320);
    EXPECT_EQ(movie.height, 240);
    EXPECT_LT(meanOf(movie.grey.front()), 8);
    EXPECT_GT(meanOf(movie.grey[30]), 80);  // the sky, two seconds in
    EXPECT_GT(meanOf(movie.grey[70]), 60);  // the cape under the name
    EXPECT_LT(meanOf(movie.grey.back()), 20);
    // The camera moves: two seconds apart the pictures differ.
    double change = 0;
    for (size_t i = 0; i < movie.grey[15].size(); ++i)
        change += std::abs(movie.grey[15][i] - movie.grey[45][i]);
    EXPECT_GT(change / static_cast<double>(movie.grey[15].size()), 10);
}

TEST(OpeningMovie, PlaysOnBothScreensInStepWithItsSound) {
    const std::string folder = test::gameFile(test::smallSampleFolder(), "Movie");
    const Frames movie = decodeMovie(folder + "/OP.jmv");
    ASSERT_EQ(movie.grey.size(), 90u);
    for (const char* program : {"marlit", "marlit_vga"}) {
        SCOPED_TRACE(program);
        test::TempDir run;
        // Ticks of 16 ms: 1 s, 2 s, 3 s and 4 s in, and after its six seconds.
        const auto r = test::runProgram(
            test::programPath(program),
            {"--headless", "--dir", run.path().string(), "--movie", folder + "/OP.jmv", "--shots",
             run.file("shots"), "--shot-at", "62,125,187,250,500", "--device-shots", "--audio-out",
             run.file("movie.wav")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        // The pictures advance fifteen frames a second, as the sound plays.
        int previous = -1;
        for (int tick : {62, 125, 187, 250}) {
            char name[64];
            std::snprintf(name, sizeof name, "/device_%06d.png", tick);
            const int shown = frameShown(run.file("shots") + name, movie);
            SCOPED_TRACE(tick);
            if (previous >= 0) {
                EXPECT_NEAR(shown - previous, 15, 2);
            }
            // The sound comes out a little after it is queued; the picture
            // follows the sound, never runs ahead of the clock.
            EXPECT_LE(shown, tick * 16 * 15 / 1000 + 1);
            EXPECT_GE(shown, tick * 16 * 15 / 1000 - 8);
            previous = shown;
        }
        // It ends with its sound, within a second after its six seconds.
        EXPECT_FALSE(fileExists(run.file("shots") + "/device_000500.png"));
        auto wav = test::readWav(run.file("movie.wav"));
        ASSERT_TRUE(wav);
        const auto left = test::leftChannel(*wav);
        const size_t rate = static_cast<size_t>(wav->rate);
        double energy = 0;
        for (size_t i = rate; i < 4 * rate && i < left.size(); ++i)
            energy += static_cast<double>(left[i]) * left[i];
        EXPECT_GT(std::sqrt(energy / (3.0 * rate)), 300) << "the music box is heard";
    }
}

}  // namespace
}  // namespace marlit
