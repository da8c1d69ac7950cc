// The pixel loops against memcpy. Sources cycle through a pool larger than
// the last-level cache (64 MiB here against 32 MiB), so every frame reads
// from memory as a freshly loaded picture would; the destination is one
// back buffer, as in the player.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "player/graphics/blit.h"
#include "player/graphics/compositor.h"

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

// A typical frame composed in full: a background, two characters with soft
// alpha edges and the message window's panel at opacity 96, all scaled from
// the 800 x 600 design space.
std::unique_ptr<WorkingPicture> solid(int w, int h, uint8_t level, bool softEdges) {
    auto p = std::make_unique<WorkingPicture>();
    p->width = w;
    p->height = h;
    p->pixels.resize(static_cast<size_t>(w) * h * 4);
    const int ramp = w / 10;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* px = &p->pixels[(static_cast<size_t>(y) * w + x) * 4];
            px[0] = static_cast<uint8_t>(level + x);
            px[1] = static_cast<uint8_t>(level + y);
            px[2] = level;
            int alpha = 255;
            if (softEdges) {
                // A figure in the middle half with soft sides.
                const int in = std::min(x - w / 4, 3 * w / 4 - 1 - x);
                alpha = in < 0 ? 0 : in >= ramp ? 255 : 1 + in * 254 / ramp;
            }
            px[3] = static_cast<uint8_t>(alpha);
        }
    }
    return p;
}

void BM_ComposeFrame(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = w * 3 / 4;
    auto scale = [w](int c) { return c * w / 800; };
    Compositor compositor;
    MarkDirty ignore = [](const Rect&) {};
    compositor.pictures.put(0, solid(w, h, 40, false));
    compositor.pictures.put(1, solid(scale(400), h, 120, true));
    compositor.pictures.put(2, solid(scale(760), scale(214), 200, false));
    auto show = [&](int slot, int picture, int x, int y, int layer, int opacity) {
        Sprite* s = compositor.create(slot, ignore);
        const WorkingPicture* p = compositor.pictures.get(picture);
        s->command.picture = picture;
        s->command.source = {0, 0, p->width, p->height};
        s->command.opacity = opacity;
        s->width = p->width;
        s->height = p->height;
        s->x = x * 1000;
        s->y = y * 1000;
        s->layer = layer;
    };
    show(28, 0, 0, 0, 32, 256);
    show(24, 1, scale(0), 0, 28, 256);
    show(25, 1, scale(400), 0, 28, 256);
    show(1, 2, scale(20), scale(384), 3, 96);
    std::vector<uint8_t> screen(static_cast<size_t>(w) * h * 3);
    const Surface dst{screen.data(), w, h, w * 3};
    const Rect whole{0, 0, w, h};
    ScreenLook look;
    TickClock clock;
    for (auto _ : state) {
        compositor.resetDrawLists();
        compositor.updateSprites(clock, look.brightness);
        compositor.compose(dst, {&whole, 1}, look);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_MemcpyScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaOpaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaRandom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaCharacterOpacityBrightness)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaRandomOpacityBrightness)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeFrame)->Arg(640)->Arg(320)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marlit
