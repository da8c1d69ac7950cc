// Movies made in memory and the services a movie plays against: a device
// frame buffer, a clock that moves only when the movie sleeps, and a sound
// whose position follows that clock.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "formats/jbp_stream.h"
#include "formats/jmv_file.h"
#include "platform/device_frame_buffer.h"
#include "player/movie/jmv_source.h"
#include "player/movie/movie_services.h"
#include "tests/formats/synthetic_picture.h"

namespace marlit::test {

// One frame stream of a synthetic picture; seeds make frames differ.
inline std::vector<uint8_t> movieFrame(int width, int height, uint32_t seed, int quality = 90) {
    std::vector<uint8_t> pixels = syntheticPicture(width, height, 3, seed);
    auto stream = EncodeJbp(PictureView{width, height, 3, pixels, width, height}, quality);
    EXPECT_TRUE(stream);
    return stream ? *stream : std::vector<uint8_t>{};
}

// A frame of coarse noise at quality 100: far larger than a read buffer.
inline std::vector<uint8_t> noiseFrame(int width, int height, uint32_t seed) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    for (uint8_t& p : pixels) {
        seed = seed * 1664525u + 1013904223u;
        p = static_cast<uint8_t>(seed >> 24);
    }
    auto stream = EncodeJbp(PictureView{width, height, 3, pixels, width, height}, 100);
    EXPECT_TRUE(stream);
    return stream ? *stream : std::vector<uint8_t>{};
}

inline std::vector<std::vector<uint8_t>> movieFrames(int count, int width, int height) {
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(movieFrame(width, height, static_cast<uint32_t>(i + 1)));
    return frames;
}

inline std::vector<uint8_t> movieFile(uint32_t fps, int width, int height,
                                      const std::vector<std::vector<uint8_t>>& frames) {
    auto file = writeJmv(fps, static_cast<uint32_t>(width), static_cast<uint32_t>(height), frames);
    EXPECT_TRUE(file);
    return file ? *file : std::vector<uint8_t>{};
}

// A file in memory. It can fail every read that reaches past an offset, and
// hold every read from the n-th on (counting from 1) until released.
class MemorySource : public JmvSource {
  public:
    explicit MemorySource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    uint64_t size() const override { return bytes_.size(); }
    bool read(uint64_t offset, std::span<uint8_t> out) override {
        {
            std::unique_lock lock(mutex_);
            int number = ++reads_;
            changed_.notify_all();
            changed_.wait(lock, [&] { return number < holdFrom_; });
            if (offset + out.size() > failFrom_)
                return false;
        }
        if (offset + out.size() > bytes_.size())
            return false;
        std::copy_n(bytes_.begin() + static_cast<ptrdiff_t>(offset), out.size(), out.begin());
        return true;
    }

    void failFrom(uint64_t offset) {
        std::lock_guard lock(mutex_);
        failFrom_ = offset;
    }
    void holdFromRead(int number) {
        std::lock_guard lock(mutex_);
        holdFrom_ = number;
    }
    void release() {
        std::lock_guard lock(mutex_);
        holdFrom_ = INT_MAX;
        changed_.notify_all();
    }
    // Returns once `count` reads have begun.
    void waitForReads(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return reads_ >= count; });
    }

  private:
    std::vector<uint8_t> bytes_;
    std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t failFrom_ = UINT64_MAX;
    int holdFrom_ = INT_MAX;
    int reads_ = 0;
};

// Time moves only when the movie sleeps, by `step` ms per sleep.
class StepClock : public Clock {
  public:
    explicit StepClock(uint32_t start = 5000, uint32_t step = 1) : now_(start), step_(step) {}
    uint32_t ticks() override { return now_; }
    void sleep(uint32_t ms) override { now_ += ms * step_; }
    void setStep(uint32_t step) { step_ = step; }

  private:
    uint32_t now_;
    uint32_t step_;
};

// A sound of `length` ms started by play; its position follows the clock
// and becomes -1 at its end.
class ClockSound : public MovieSound {
  public:
    ClockSound(Clock& clock, uint32_t length) : clock_(clock), length_(length) {}

    bool play(std::string_view folder, std::string_view name, uint32_t volume,
              bool readWhole) override {
        folder_ = folder;
        name_ = name;
        volume_ = volume;
        readWhole_ = readWhole;
        start_ = clock_.ticks();
        playing_ = opens_;
        return opens_;
    }
    int32_t position() override {
        uint32_t t = clock_.ticks() - start_;
        return playing_ && t < length_ ? static_cast<int32_t>(t) : -1;
    }
    void stop() override {
        playing_ = false;
        ++stops_;
    }

    bool opens_ = true;
    bool playing_ = false;
    int stops_ = 0;
    std::string folder_, name_;
    uint32_t volume_ = 0;
    bool readWhole_ = false;

  private:
    Clock& clock_;
    uint32_t length_;
    uint32_t start_ = 0;
};

// The portrait RGB565 frame buffer of a screen W x H (the device is H wide
// and W tall), with pitches that are not the plain ones.
class FrameBufferScreen : public MovieScreen {
  public:
    FrameBufferScreen(int screenWidth, int screenHeight)
        : buffer_(screenHeight, screenWidth, -2, -screenHeight * 2 - 8) {
        buffer_.fill(0x1234);
    }

    DisplayProperties readProperties() override { return buffer_.properties(); }
    uint8_t* beginDraw() override {
        ++draws_;
        return buffer_.base();
    }
    void endDraw() override {}
    void clear() override { buffer_.fill(0); }

    // Picture pixel (x, y) of the landscape screen.
    uint16_t at(int x, int y) const { return buffer_.pixel(y, buffer_.height() - 1 - x); }
    DeviceFrameBuffer& buffer() { return buffer_; }
    int draws_ = 0;

  private:
    DeviceFrameBuffer buffer_;
};

}  // namespace marlit::test
