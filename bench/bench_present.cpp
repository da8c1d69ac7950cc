// Presenting a whole frame (what every frame of a screen shake costs): the
// 24-bit back buffer packed to RGB565 and written with the quarter turn,
// against memcpy of the same number of device bytes, and against a plain
// packing loop that writes in order (no turn), to see what the turn costs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/device_frame_buffer.h"
#include "player/core/screen_copy.h"

namespace marlit {
namespace {

struct Frame {
    Frame(int w, int h) : display(w, h), device(h, w) {
        display.properties = device.properties();
        for (int i = 0; i < w * h * 3; ++i)
            display.backBuffer()[i] = static_cast<uint8_t>(i * 7);
    }
    Display display;
    DeviceFrameBuffer device;
};

void BM_PresentTurned(benchmark::State& state) {
    Frame f(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 3 / 4);
    for (auto _ : state) {
        copyRectToScreen(f.display, f.device.base(), nullptr, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * f.display.width() * f.display.height());
}

void BM_PackInOrder(benchmark::State& state) {
    Frame f(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 3 / 4);
    const size_t pixels = static_cast<size_t>(f.display.width()) * f.display.height();
    for (auto _ : state) {
        const uint8_t* in = f.display.backBuffer();
        uint8_t* out = f.device.base();
        for (size_t i = 0; i < pixels; ++i, in += 3, out += 2) {
            uint16_t v = toRgb565(in[0], in[1], in[2]);
            std::memcpy(out, &v, 2);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pixels));
}

void BM_MemcpyDeviceBytes(benchmark::State& state) {
    Frame f(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 3 / 4);
    const size_t bytes = static_cast<size_t>(f.display.width()) * f.display.height() * 2;
    for (auto _ : state) {
        std::memcpy(f.device.base(), f.display.backBuffer(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * f.display.width() * f.display.height());
}

BENCHMARK(BM_PresentTurned)->Arg(320)->Arg(640);
BENCHMARK(BM_PackInOrder)->Arg(320)->Arg(640);
BENCHMARK(BM_MemcpyDeviceBytes)->Arg(320)->Arg(640);

}  // namespace
}  // namespace marlit
