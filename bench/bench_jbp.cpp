// JbpStream decoding against libjpeg-turbo decoding the same baseline JPEG
// (the stream keeps that JPEG's coefficients), 640x480 and 320x240 at JPEG
// quality 90 and 100, single thread. Run it a second time with
// JSIMD_FORCENONE=1 in the environment for libjpeg-turbo without SIMD.
//
// The Fidelity entry reports, for quality 100, 90 and 80 at 640x480, the
// PSNR of the decoded picture against the source and the share of pixels
// whose RGB565 fields stay within one step of libjpeg-turbo's decoding
// (integer transform, no chrominance smoothing).
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <vector>

#include "formats/jbp_idct.h"
#include "formats/jbp_stream.h"
#include "formats/rbp_image.h"
#include "tests/formats/libjpeg_reference.h"
#include "tests/formats/synthetic_picture.h"

namespace {

using namespace marlit;

struct Sample {
    int width, height;
    std::vector<uint8_t> source;  // blue, green, red
    std::vector<uint8_t> jpeg;
    std::vector<uint8_t> stream;
};

const Sample& sample(int width, int quality) {
    static std::map<std::pair<int, int>, Sample> cache;
    auto& s = cache[{width, quality}];
    if (s.jpeg.empty()) {
        s.width = width;
        s.height = width * 3 / 4;
        s.source = test::syntheticPicture(s.width, s.height, 3, 7);
        PictureView view{s.width, s.height, 3, s.source, s.width, s.height};
        s.jpeg = *baselineJpeg(view, quality);
        auto c = *jpegCoefficients(s.jpeg);
        c.quality = static_cast<uint32_t>(quality);
        s.stream = *writeJbpStream(c);
    }
    return s;
}

void BM_JbpDecode(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    JbpDecoder decoder;
    std::vector<uint16_t> frame(static_cast<size_t>((s.width + 15) & ~15) *
                                ((s.height + 15) & ~15));
    for (auto _ : state) {
        if (!decoder.decode(s.stream, frame))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(frame.data());
    }
    state.counters["stream_bytes"] = static_cast<double>(s.stream.size());
}

// The same without AVX2 (the 32-bit transform in plain C++; the colour
// conversion keeps SSE2, which every x86-64 processor has).
void BM_JbpDecodeNoAvx2(benchmark::State& state) {
    jbp::allowAvx2(false);
    BM_JbpDecode(state);
    jbp::allowAvx2(true);
}

void BM_LibjpegDecode(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::vector<uint8_t> rgb;
    for (auto _ : state) {
        rgb = test::libjpegRgb(s.jpeg, false);
        benchmark::DoNotOptimize(rgb.data());
    }
    state.counters["jpeg_bytes"] = static_cast<double>(s.jpeg.size());
}

void BM_LibjpegDecodeMerged(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::vector<uint8_t> rgb;
    for (auto _ : state) {
        rgb = test::libjpegRgb(s.jpeg, true);
        benchmark::DoNotOptimize(rgb.data());
    }
}

void BM_Fidelity(benchmark::State& state) {
    for (auto _ : state) {
        for (int quality : {100, 90, 80}) {
            const Sample& s = sample(640, quality);
            auto p = *DecodeJbp(s.stream);
            std::vector<uint8_t> rgb = test::libjpegRgb(s.jpeg, true);
            double error = 0;
            size_t near = 0, count = static_cast<size_t>(s.width) * s.height;
            for (int y = 0; y < s.height; ++y) {
                for (int x = 0; x < s.width; ++x) {
                    uint16_t a = p.pixels[static_cast<size_t>(y) * p.paddedWidth + x];
                    const uint8_t* src = &s.source[(static_cast<size_t>(y) * s.width + x) * 3];
                    error += std::pow(red565(a) - src[2], 2) + std::pow(green565(a) - src[1], 2) +
                             std::pow(blue565(a) - src[0], 2);
                    const uint8_t* r = &rgb[(static_cast<size_t>(y) * s.width + x) * 3];
                    uint16_t b = packRgb565(r[0], r[1], r[2]);
                    int dr = std::abs((a >> 11) - (b >> 11));
                    int dg = std::abs(((a >> 5) & 63) - ((b >> 5) & 63));
                    int db = std::abs((a & 31) - (b & 31));
                    near += std::max({dr, dg, db}) <= 1;
                }
            }
            std::string q = std::to_string(quality);
            state.counters["psnr_q" + q] = 10 * std::log10(255.0 * 255 * count * 3 / error);
            state.counters["within1_pct_q" + q] = 100.0 * near / count;
        }
    }
}

}  // namespace

BENCHMARK(BM_JbpDecode)->ArgsProduct({{640, 320}, {90, 100}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JbpDecodeNoAvx2)->ArgsProduct({{640, 320}, {90, 100}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibjpegDecode)->ArgsProduct({{640, 320}, {90, 100}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibjpegDecodeMerged)
    ->ArgsProduct({{640, 320}, {90, 100}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fidelity)->Iterations(1);
