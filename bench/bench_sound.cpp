// Converting music to MP3 at the default settings (44100 Hz stereo sources
// to 22050 Hz stereo at 64 kbit/s), as times real time: the sound group on
// one job against the same group on two jobs, and the steps of one sound
// (resampling, encoding) beside them.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "base/files.h"
#include "converter/platform/mp3_encoder.h"
#include "converter/platform/resample.h"
#include "converter/sound_group.h"

namespace marlit {
namespace {

constexpr uint32_t kRate = 44100;
constexpr double kSeconds = 8;
constexpr int kFiles = 4;

// Something like music: chords that change, a beat, a little noise.
PcmAudio music(int seed) {
    PcmAudio audio{{kRate, 2}, {}};
    const size_t frames = static_cast<size_t>(kSeconds * kRate);
    audio.samples.reserve(frames * 2);
    uint32_t noise = 12345u + static_cast<uint32_t>(seed);
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double root = 110.0 * std::pow(2.0, ((static_cast<int>(t) + seed) % 5) / 12.0);
        double v = 0;
        for (double ratio : {1.0, 1.25, 1.5, 2.0, 3.0})
            v += std::sin(2 * M_PI * root * ratio * t) / ratio;
        v *= 0.5 + 0.5 * std::exp(-8 * std::fmod(t, 0.5));
        noise = noise * 1664525u + 1013904223u;
        const double n = (static_cast<int>(noise >> 16) - 32768) / 32768.0;
        const double left = 6000 * v + 800 * n;
        const double right = 6000 * v * 0.8 - 800 * n;
        audio.samples.push_back(static_cast<int16_t>(left));
        audio.samples.push_back(static_cast<int16_t>(right));
    }
    return audio;
}

std::vector<uint8_t> soundFile(const PcmAudio& audio) {
    std::vector<uint8_t> out(28 + audio.samples.size() * 2, 0);
    storeU32(out.data() + 4, static_cast<uint32_t>(audio.samples.size() * 2));
    storeU16(out.data() + 14, audio.format.channels);
    storeU32(out.data() + 16, audio.format.rate);
    storeU16(out.data() + 26, 16);
    for (size_t i = 0; i < audio.samples.size(); ++i) {
        storeU16(out.data() + 28 + 2 * i, static_cast<uint16_t>(audio.samples[i]));
    }
    return out;
}

struct Folder {
    std::filesystem::path root;
    std::vector<std::string> sources;
    Folder() {
        root = std::filesystem::temp_directory_path() / "marlit_bench_sound";
        std::filesystem::create_directories(root / "out");
        for (int i = 0; i < kFiles; ++i) {
            sources.push_back((root / ("bgm" + std::to_string(i) + ".pcm")).string());
            writeHostFileAtomic(sources.back(), soundFile(music(i)));
        }
    }
    ~Folder() { std::filesystem::remove_all(root); }
};

void BM_SoundGroup(benchmark::State& state) {
    static Folder folder;
    const int jobs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::atomic<int> done{0};
        std::atomic<int> total{0};
        auto failures = convertSoundGroup(folder.sources, (folder.root / "out").string(),
                                          Mp3Settings{}, jobs, {done, total, {}});
        if (!failures.empty())
            state.SkipWithError(failures[0].reason.c_str());
    }
    state.counters["x_realtime"] =
        benchmark::Counter(kSeconds * kFiles, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SoundGroup)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_Resample(benchmark::State& state) {
    const PcmAudio source = music(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(Resample(source, {22050, 2}));
    state.counters["x_realtime"] =
        benchmark::Counter(kSeconds, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Resample)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodeMp3(benchmark::State& state) {
    const auto resampled = Resample(music(0), {22050, 2});
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeMp3(*resampled, 64));
    state.counters["x_realtime"] =
        benchmark::Counter(kSeconds, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EncodeMp3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace marlit
