// A mixer on the headless device, driven by a virtual clock that the test
// moves; what the device plays is read back from its WAV recording.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/clock.h"
#include "platform/headless/headless_wave_out.h"
#include "player/sound/sound_mixer.h"
#include "tests/support/played_sound.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {

inline uint32_t gVirtualMs = 0;
inline uint32_t virtualTicks() {
    return gVirtualMs;
}

// Frames of one device period at 22050 Hz.
constexpr uint32_t kPeriodFrames = SoundMixer::kBufferSize / 4;
// The first period's sound starts when the two buffers queued ahead of it
// have played.
constexpr uint32_t kFirstSoundFrame = 3 * kPeriodFrames;

class MixerFixture : public ::testing::Test {
  protected:
    void SetUp() override { start(); }
    // A fresh mixer and recording (a test may start over).
    void start() {
        mixer.reset();
        gVirtualMs = 5000;
        totalMs = 0;
        ++runs;
        device = std::make_unique<HeadlessWaveOut>(wavPath());
        mixer = std::make_unique<SoundMixer>(device.get(), SoundMixer::kBufferSize, virtualTicks);
    }
    void TearDown() override { mixer.reset(); }

    std::string wavPath() const { return dir.file("played" + std::to_string(runs) + ".wav"); }

    // Time passes in steps of a frame, as in the player.
    void advance(uint32_t ms) {
        while (ms > 0) {
            uint32_t step = std::min<uint32_t>(ms, 16);
            gVirtualMs += step;
            totalMs += step;
            device->advance(step);
            ms -= step;
        }
    }
    // Runs the device to just past the end of period n (counted from 1).
    void toPeriod(uint32_t n) {
        uint64_t ms = (uint64_t{n} * kPeriodFrames * 1000 + 22049) / 22050;
        if (ms > totalMs)
            advance(static_cast<uint32_t>(ms - totalMs));
    }
    // Stops the mixer and returns all that the device played.
    Pcm played() {
        mixer.reset();
        EXPECT_TRUE(device->keepRecording());
        auto pcm = readWav(wavPath());
        EXPECT_TRUE(pcm.has_value());
        return pcm ? *pcm : Pcm{};
    }
    // An MP3 tone in the test folder.
    std::string tone(const std::string& name, int rate, int channels, double seconds, double hz,
                     int amplitude, std::vector<std::string> options = {"-b", "64"}) {
        options.insert(options.end(), {"-m", channels == 1 ? "m" : "s"});
        std::string path = encodeMp3(dir.path().string(), name,
                                     sineWave(rate, channels, seconds, hz, amplitude), options);
        EXPECT_FALSE(path.empty()) << "lame could not encode " << name;
        return path;
    }
    std::string folder() const { return dir.path().string() + "/"; }

    TempDir dir;
    std::unique_ptr<HeadlessWaveOut> device;
    std::unique_ptr<SoundMixer> mixer;
    uint64_t totalMs = 0;
    int runs = 0;
};

}  // namespace marlit::test
