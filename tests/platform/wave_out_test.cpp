#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/headless/headless_wave_out.h"
#include "platform/sdl/sdl_wave_out.h"
#include "tests/support/child_run.h"
#include "tests/support/played_sound.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

// Three buffers of 1000 frames circulate as the mixer's do: each one that
// comes back is filled with the next ramp of samples and queued again, until
// `rounds` buffers have been written. What the device plays must be the
// ramps in order.
class Feeder {
  public:
    explicit Feeder(int rounds) : rounds_(rounds) {
        for (uint32_t i = 0; i < 3; ++i) {
            data_[i].resize(4000);
            buffers_[i] = WaveBuffer{data_[i].data(), 4000, i};
        }
    }
    void start(WaveOut& device) {
        // The first buffer may come back on the device's thread before the
        // last is filled: the count is shared.
        std::lock_guard guard(lock_);
        device_ = &device;
        for (auto& b : buffers_)
            fill(&b);
    }
    void done(WaveBuffer* buffer) {
        std::lock_guard guard(lock_);
        if (std::this_thread::get_id() == caller_)
            onCallerThread_ = true;
        ++returned_;
        if (written_ < rounds_)
            fill(buffer);
        wake_.notify_all();
    }
    bool waitReturned(int count, std::chrono::milliseconds limit) {
        std::unique_lock lock(lock_);
        return wake_.wait_for(lock, limit, [&] { return returned_ >= count; });
    }
    // Sample k of the whole stream played.
    static int16_t expected(size_t k) { return static_cast<int16_t>(k % 20000 + 1); }

    std::thread::id caller_ = std::this_thread::get_id();
    bool onCallerThread_ = false;
    int returned_ = 0;

  private:
    void fill(WaveBuffer* b) {
        auto* samples = reinterpret_cast<int16_t*>(b->data);
        for (size_t i = 0; i < 2000; ++i)
            samples[i] = expected(size_t(written_) * 2000 + i);
        ++written_;
        device_->write(b);
    }

    int rounds_;
    int written_ = 0;
    WaveOut* device_ = nullptr;
    std::vector<uint8_t> data_[3];
    WaveBuffer buffers_[3];
    std::mutex lock_;
    std::condition_variable wake_;
};

WaveFormat stereo22050() {
    return WaveFormat{};
}

::testing::AssertionResult playsTheRamps(const std::vector<int16_t>& played, size_t skip,
                                         size_t count) {
    for (size_t k = 0; k < count; ++k) {
        if (skip + k >= played.size())
            return ::testing::AssertionFailure() << "only " << k;
        if (played[skip + k] != Feeder::expected(k)) {
            return ::testing::AssertionFailure() << "sample " << k << " is " << played[skip + k];
        }
    }
    return ::testing::AssertionSuccess();
}

// The headless device plays only as time is let pass, reports each buffer
// from its own thread before `advance` returns, counts the bytes played,
// and records time with nothing queued as silence.
TEST(HeadlessWaveOut, PlaysInStepWithTheTimeGiven) {
    test::TempDir dir;
    HeadlessWaveOut device(dir.file("out.wav"));
    Feeder feeder(6);
    ASSERT_TRUE(device.open(stereo22050(), [&](WaveBuffer* b) { feeder.done(b); }));
    feeder.start(device);
    device.advance(40);  // 882 frames: no buffer has ended
    EXPECT_EQ(feeder.returned_, 0);
    EXPECT_EQ(device.position(), 882u * 4);
    device.advance(10);  // 1102 frames: the first has
    EXPECT_EQ(feeder.returned_, 1);
    device.advance(950);  // 22050 frames: all six buffers and then silence
    EXPECT_EQ(feeder.returned_, 6);
    EXPECT_FALSE(feeder.onCallerThread_);
    EXPECT_EQ(device.position(), 6000u * 4);
    device.setVolume(0);
    ASSERT_TRUE(device.keepRecording());
    auto played = test::readWav(dir.file("out.wav"));
    ASSERT_TRUE(played.has_value());
    EXPECT_EQ(played->frames(), 22050u);
    EXPECT_TRUE(playsTheRamps(played->samples, 0, 12000));
    EXPECT_FALSE(test::soundingSpan(test::leftChannel(*played, 6000, 16050)).has_value());
}

TEST(HeadlessWaveOut, DrainPlaysOutWhatIsQueued) {
    test::TempDir dir;
    HeadlessWaveOut device(dir.file("out.wav"));
    Feeder feeder(3);
    ASSERT_TRUE(device.open(stereo22050(), [&](WaveBuffer* b) { feeder.done(b); }));
    feeder.start(device);
    device.advance(20);
    device.drain(1000);
    EXPECT_EQ(feeder.returned_, 3);
    ASSERT_TRUE(device.keepRecording());
    auto played = test::readWav(dir.file("out.wav"));
    ASSERT_TRUE(played.has_value());
    EXPECT_EQ(played->frames(), 3000u);
    EXPECT_TRUE(playsTheRamps(played->samples, 0, 6000));
}

// The recording is written beside its place and appears whole, with its
// sizes final, only when it is kept; a run that does not keep it (it
// failed) leaves nothing, and neither does one whose disk filled up.
TEST(HeadlessWaveOut, RecordingAppearsOnlyWhenKept) {
    test::TempDir dir;
    const std::string wav = dir.file("out.wav");
    auto record = [&](HeadlessWaveOut& device) {
        Feeder feeder(2);
        ASSERT_TRUE(device.open(stereo22050(), [&](WaveBuffer* b) { feeder.done(b); }));
        feeder.start(device);
        device.advance(200);
    };
    {
        HeadlessWaveOut device(wav);
        record(device);
        device.close();
        EXPECT_FALSE(std::filesystem::exists(wav)) << "written in place";
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "not kept, yet left behind";

    // With at most 5000 bytes per file the recording of 4410 frames fails.
    const int code = test::inChildWithFileLimit(5000, [&] {
        HeadlessWaveOut device(wav);
        record(device);
        std::string why;
        if (device.keepRecording(&why) || why.find("too large") == std::string::npos)
            return 1;
        return 0;
    });
    EXPECT_EQ(code, 0) << "a full disk must fail the recording and say why";
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "a torn recording was left";

    HeadlessWaveOut device(wav);
    record(device);
    ASSERT_TRUE(device.keepRecording());
    auto played = test::readWav(wav);
    ASSERT_TRUE(played.has_value());
    EXPECT_EQ(played->frames(), 4410u);
    EXPECT_EQ(std::filesystem::file_size(wav), 44u + 4410 * 4);
}

// Through SDL's disk driver, which writes what the device plays to a file
// in real time: the same ramps in the same order.
TEST(SdlWaveOut, PlaysTheQueuedBuffersInOrder) {
    test::TempDir dir;
    std::string raw = dir.file("sdl.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    SdlWaveOut device;
    Feeder feeder(8);
    if (!device.open(stereo22050(), [&](WaveBuffer* b) { feeder.done(b); })) {
        GTEST_SKIP() << "SDL has no disk audio driver here";
    }
    feeder.start(device);
    ASSERT_TRUE(feeder.waitReturned(8, std::chrono::seconds(20)));
    EXPECT_GE(device.position(), 8000u * 4);
    EXPECT_FALSE(feeder.onCallerThread_);
    device.drain(1000);
    device.close();
    std::string bytes = test::readFileText(raw);
    std::vector<int16_t> played(bytes.size() / 2);
    std::memcpy(played.data(), bytes.data(), played.size() * 2);
    // The driver may start with silence before the first buffer.
    size_t first = 0;
    while (first < played.size() && played[first] == 0)
        ++first;
    EXPECT_TRUE(playsTheRamps(played, first, 16000));
}

}  // namespace
}  // namespace marlit
