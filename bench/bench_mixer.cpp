// Decoding and mixing eight playing channels against real time. Each
// iteration plays one second of device time on the headless device; the
// counter core_share is the processor time that second cost (all threads),
// as a share of one core: 0.05 means 5 % of one core.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "platform/headless/headless_wave_out.h"
#include "player/sound/sound_mixer.h"

namespace {

namespace fs = std::filesystem;

struct Tone {
    std::string name;
    int rate;
    int channels;
    int kbps;
};

// Ten seconds of a chord, encoded by the lame command into the work folder.
bool makeTone(const fs::path& dir, const Tone& tone) {
    fs::path wav = dir / (tone.name + ".wav");
    std::ofstream out(wav, std::ios::binary);
    const int frames = tone.rate * 10;
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    uint32_t bytes = static_cast<uint32_t>(frames * tone.channels * 2);
    out.write("RIFF", 4);
    u32(bytes + 36);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(static_cast<uint16_t>(tone.channels));
    u32(static_cast<uint32_t>(tone.rate));
    u32(static_cast<uint32_t>(tone.rate * tone.channels * 2));
    u16(static_cast<uint16_t>(tone.channels * 2));
    u16(16);
    out.write("data", 4);
    u32(bytes);
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / tone.rate;
        double v = 0;
        for (double hz : {220.0, 277.0, 330.0, 440.0, 1250.0})
            v += std::sin(2 * std::numbers::pi * hz * t);
        auto s = static_cast<int16_t>(v * 5000);
        for (int c = 0; c < tone.channels; ++c)
            u16(static_cast<uint16_t>(s));
    }
    out.close();
    std::string command = "lame --quiet --resample " + std::to_string(tone.rate / 1000.0) + " -b " +
                          std::to_string(tone.kbps) + " -m " + (tone.channels == 1 ? "m " : "j ") +
                          wav.string() + " " + (dir / (tone.name + ".mp3")).string();
    return std::system(command.c_str()) == 0;
}

// Processor time of every thread of the process.
double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void playChannels(benchmark::State& state, const std::vector<Tone>& tones) {
    fs::path dir = fs::temp_directory_path() / "marlit-bench-mixer";
    fs::create_directories(dir);
    for (const Tone& tone : tones) {
        if (!fs::exists(dir / (tone.name + ".mp3")) && !makeTone(dir, tone)) {
            state.SkipWithError("the lame command could not make the test sounds");
            return;
        }
    }
    auto device = std::make_unique<marlit::HeadlessWaveOut>();
    marlit::SoundMixer mixer(device.get());
    int slot = 0;
    for (const Tone& tone : tones) {
        if (!mixer.openChannel(slot++, tone.name + ".mp3", dir.string() + "/", 80,
                               marlit::ChannelOptions{.loop = true})) {
            state.SkipWithError("a channel did not open");
            return;
        }
    }
    double cpu = 0;
    for (auto _ : state) {
        double before = processSeconds();
        device->advance(1000);
        cpu += processSeconds() - before;
    }
    state.counters["core_share"] = cpu / double(state.iterations());
}

// Baseline: the device running with nothing open, the mixer filling silence.
void BM_Silence(benchmark::State& state) {
    playChannels(state, {});
}

// The data set's defaults: music and effects in stereo at 22050 Hz, voices
// in mono.
void BM_EightChannels22050(benchmark::State& state) {
    std::vector<Tone> tones;
    for (int i = 0; i < 8; ++i) {
        tones.push_back(i < 4 ? Tone{"s22_" + std::to_string(i), 22050, 2, 64}
                              : Tone{"m22_" + std::to_string(i), 22050, 1, 32});
    }
    playChannels(state, tones);
}

// The heaviest the converter writes: eight stereo 44100 Hz channels at
// 320 kbit/s, each halved to the device rate.
void BM_EightChannels44100(benchmark::State& state) {
    std::vector<Tone> tones;
    for (int i = 0; i < 8; ++i)
        tones.push_back({"s44_" + std::to_string(i), 44100, 2, 320});
    playChannels(state, tones);
}

BENCHMARK(BM_Silence)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_EightChannels22050)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_EightChannels44100)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
