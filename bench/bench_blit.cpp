// The pixel loops against memcpy. Sources cycle through a pool larger than
// the last-level cache (64 MiB here against 32 MiB), so every frame reads
// from memory as a freshly loaded picture would; the destination is one
// back buffer, as in the player.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "player/graphics/blit.h"

namespace marlit {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr size_t kPixels = size_t{kWidth} * kHeight;
constexpr size_t kPoolBytes = size_t{64} << 20;

// kCharacter: a figure in the middle third of each row with 32-pixel soft
// edges, transparent around it; kRandom: transparent, opaque and partial
// pixels in no order a branch predictor could learn (the worst case).
enum class Alpha { kOpaque, kCharacter, kRandom };

uint8_t characterAlpha(size_t pixel) {
    int x = static_cast<int>(pixel % kWidth);
    int edge = kWidth / 3;
    if (x < edge || x >= kWidth - edge)
        return 0;
    int in = std::min(x - edge, kWidth - edge - 1 - x);
    return in >= 32 ? 255 : static_cast<uint8_t>(1 + in * 8);
}

// Enough full-screen pictures to fill the pool.
struct PicturePool {
    std::vector<uint8_t> bytes;
    size_t count;

    explicit PicturePool(Alpha alpha) : count(kPoolBytes / (kPixels * 4)) {
        bytes.resize(count * kPixels * 4);
        std::mt19937 random(7);
        for (size_t i = 0; i < bytes.size(); i += 4) {
            uint32_t r = random();
            bytes[i] = static_cast<uint8_t>(r);
            bytes[i + 1] = static_cast<uint8_t>(r >> 8);
            bytes[i + 2] = static_cast<uint8_t>(r >> 16);
            uint8_t a = 255;
            if (alpha == Alpha::kCharacter) {
                a = characterAlpha((i / 4) % kPixels);
            } else if (alpha == Alpha::kRandom) {
                uint32_t pick = (r >> 24) % 3;
                a = pick == 0 ? 0 : pick == 1 ? 255 : static_cast<uint8_t>(1 + (r >> 24) % 254);
            }
            bytes[i + 3] = a;
        }
    }
    PictureRef picture(size_t i) const {
        return {bytes.data() + (i % count) * kPixels * 4, kWidth, kHeight};
    }
};

void setPixelCounter(benchmark::State& state) {
    state.counters["per_pixel"] = benchmark::Counter(
        static_cast<double>(kPixels),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Baseline: copying the destination's bytes (640 x 480 x 3) from memory.
void BM_MemcpyScreen(benchmark::State& state) {
    const size_t bytes = kPixels * 3;
    std::vector<uint8_t> pool(kPoolBytes, 1);
    std::vector<uint8_t> screen(bytes);
    const size_t chunks = kPoolBytes / bytes;
    size_t i = 0;
    for (auto _ : state) {
        std::memcpy(screen.data(), pool.data() + (i++ % chunks) * bytes, bytes);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
    setPixelCounter(state);
}

void runAlpha(benchmark::State& state, Alpha alpha, int opacity, int brightness) {
    PicturePool pool(alpha);
    std::vector<uint8_t> screen(kPixels * 3, 40);
    Surface dst{screen.data(), kWidth, kHeight, kWidth * 3};
    size_t i = 0;
    for (auto _ : state) {
        blitAlpha(dst, 0, 0, pool.picture(i++), {0, 0, kWidth, kHeight}, opacity, brightness);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
    setPixelCounter(state);
}

void BM_AlphaOpaque(benchmark::State& state) {
    runAlpha(state, Alpha::kOpaque, 256, 256);
}
void BM_AlphaCharacter(benchmark::State& state) {
    runAlpha(state, Alpha::kCharacter, 256, 256);
}
void BM_AlphaRandom(benchmark::State& state) {
    runAlpha(state, Alpha::kRandom, 256, 256);
}
void BM_AlphaCharacterOpacityBrightness(benchmark::State& state) {
    runAlpha(state, Alpha::kCharacter, 200, 180);
}
void BM_AlphaRandomOpacityBrightness(benchmark::State& state) {
    runAlpha(state, Alpha::kRandom, 200, 180);
}

BENCHMARK(BM_MemcpyScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaOpaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaRandom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaCharacterOpacityBrightness)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaRandomOpacityBrightness)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marlit
