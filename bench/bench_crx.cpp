// CRX decoding and picture scaling at the PC game's 800x600, each beside a
// baseline in the same run: decoding against zlib inflating the same rows
// (and a plain copy of the output), scaling against a copy of the source.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <random>

#include "converter/crx_decoder.h"
#include "converter/picture_scaler.h"
#include "tools/crx/crx_writer.h"

namespace {

using namespace marlit;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Something like a background: smooth gradients, noise and flat areas.
Bitmap samplePicture(int bytesPerPixel) {
    Bitmap b = makeBitmap(kWidth, kHeight, bytesPerPixel);
    std::mt19937 rng(3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = b.row(y) + x * bytesPerPixel;
            const bool flat = (x / 100 + y / 100) % 3 == 0;
            p[0] = static_cast<uint8_t>(flat ? 40 : x / 4 + rng() % 8);
            p[1] = static_cast<uint8_t>(flat ? 90 : y / 3 + rng() % 8);
            p[2] = static_cast<uint8_t>(flat ? 200 : (x + y) / 8);
            if (bytesPerPixel == 4)
                p[3] = static_cast<uint8_t>(flat ? 255 : x % 256);
        }
    }
    return b;
}

std::vector<uint8_t> crxFile(crx::CrxCompression compression) {
    return *crx::writeCrx(crx::directPicture(samplePicture(3)), {compression, -1});
}

void decode(benchmark::State& state, crx::CrxCompression compression) {
    const std::vector<uint8_t> file = crxFile(compression);
    for (auto _ : state) {
        auto b = DecodeCrx(file);
        benchmark::DoNotOptimize(b->pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 3);
}

void BM_DecodeLz(benchmark::State& state) {
    decode(state, crx::CrxCompression::Lz);
}
void BM_DecodeZlibRows(benchmark::State& state) {
    decode(state, crx::CrxCompression::Zlib);
}

// Baseline: zlib alone inflating the type-2 file's rows.
void BM_BaselineInflateRows(benchmark::State& state) {
    const std::vector<uint8_t> file = crxFile(crx::CrxCompression::Zlib);
    std::vector<uint8_t> out(size_t{kWidth * 3 + 1} * kHeight + 4096);
    for (auto _ : state) {
        uLongf size = out.size();
        uncompress(out.data(), &size, file.data() + 20, file.size() - 20);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 3);
}

// Baseline: allocating and copying the output once.
void BM_BaselineCopyOutput(benchmark::State& state) {
    const Bitmap source = samplePicture(3);
    for (auto _ : state) {
        std::vector<uint8_t> copy(source.pixels);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 3);
}

void scale(benchmark::State& state, ScaleVariant variant) {
    const Bitmap source = samplePicture(variant == ScaleVariant::Alpha ? 4 : 3);
    const int percent = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto out = ScalePicture(source, percent, variant);
        benchmark::DoNotOptimize(out->pixels.data());
    }
}

void BM_ScaleOpaque(benchmark::State& state) {
    scale(state, ScaleVariant::Opaque);
}
void BM_ScaleKey(benchmark::State& state) {
    scale(state, ScaleVariant::Key);
}
void BM_ScaleAlpha(benchmark::State& state) {
    scale(state, ScaleVariant::Alpha);
}

}  // namespace

BENCHMARK(BM_DecodeLz)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeZlibRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineInflateRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineCopyOutput)->Unit(benchmark::kMillisecond);
// 40 % gives 320x240, 80 % gives 640x480.
BENCHMARK(BM_ScaleOpaque)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleKey)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleAlpha)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);
