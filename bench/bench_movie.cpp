// Movie playback against the movie's own pace of 15 to 30 frames per second:
// decoding a 320 x 240 frame and drawing it into the device frame buffer
// with the quarter turn, 1:1 on a 320 x 240 screen and doubled on a
// 640 x 480 one (one core, the window thread's work per shown frame); and
// the reader thread handing out every frame of a 640-wide movie from a file
// in the page cache. The frames_per_second counter is the figure to hold
// against 30.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "base/files.h"
#include "formats/jbp_stream.h"
#include "formats/jmv_file.h"
#include "platform/device_frame_buffer.h"
#include "player/movie/jmv_reader.h"
#include "player/movie/movie_draw.h"
#include "tests/formats/synthetic_picture.h"

namespace {

using namespace marlit;

std::vector<uint8_t> frameStream(int width, int height, uint32_t seed) {
    auto pixels = test::syntheticPicture(width, height, 3, seed);
    return *EncodeJbp(PictureView{width, height, 3, pixels, width, height}, 90);
}

void setRate(benchmark::State& state, int64_t framesPerIteration) {
    state.counters["frames_per_second"] = benchmark::Counter(
        static_cast<double>(state.iterations() * framesPerIteration), benchmark::Counter::kIsRate);
}

// range(0): the screen width, 320 (1:1) or 640 (doubled); range(1): 1 to
// decode as well as draw, 0 to draw only.
void BM_MovieFrame(benchmark::State& state) {
    const int screenWidth = static_cast<int>(state.range(0));
    const int screenHeight = screenWidth * 3 / 4;
    const bool decode = state.range(1) != 0;
    const std::vector<uint8_t> stream = frameStream(320, 240, 7);
    DeviceFrameBuffer device(screenHeight, screenWidth);
    const DisplayProperties props = device.properties();
    JbpDecoder decoder;
    std::vector<uint16_t> picture(320 * 240);
    if (!decoder.decode(stream, picture))
        state.SkipWithError("the frame does not decode");
    for (auto _ : state) {
        if (decode && !decoder.decode(stream, picture))
            state.SkipWithError("the frame does not decode");
        drawMovieFrame(device.base(), props, screenWidth, screenHeight,
                       {picture.data(), 320, 240, 320});
        benchmark::DoNotOptimize(device.base());
    }
    setRate(state, 1);
    state.counters["stream_bytes"] = static_cast<double>(stream.size());
}

// Every frame of a 640 x 480 movie through the reader thread, file to the
// player's copy, with a fresh reader per pass.
void BM_MovieReader(benchmark::State& state) {
    constexpr int kFrames = 30;
    static const std::string path = [] {
        std::vector<std::vector<uint8_t>> frames;
        for (int i = 0; i < kFrames; ++i)
            frames.push_back(frameStream(640, 480, static_cast<uint32_t>(i + 1)));
        std::string p = (std::filesystem::temp_directory_path() / "bench_movie_640.jmv").string();
        writeHostFileAtomic(p, *writeJmv(30, 640, 480, frames));
        return p;
    }();
    std::vector<uint8_t> frame;
    uint64_t bytes = 0;
    for (auto _ : state) {
        JmvReader reader;
        if (!reader.open(openJmvFile(path))) {
            state.SkipWithError("the movie does not open");
            break;
        }
        for (uint32_t i = 0; i < kFrames; ++i) {
            if (!reader.frameData(i, frame))
                state.SkipWithError("a frame was not read");
            bytes += frame.size();
        }
    }
    setRate(state, kFrames);
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

}  // namespace

BENCHMARK(BM_MovieFrame)
    ->ArgNames({"screen", "decode"})
    ->Args({320, 1})
    ->Args({640, 1})
    ->Args({320, 0})
    ->Args({640, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MovieReader)->Unit(benchmark::kMillisecond)->UseRealTime();
