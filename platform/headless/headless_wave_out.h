// A virtual sound device for runs without sound hardware. It plays only when
// told that time has passed: `advance` consumes as many frames of the queued
// buffers as that time holds at the device rate and reports each buffer
// that ends in it, on the device's own thread, before returning. Time with
// nothing queued is silence. Everything played can be recorded to a WAV
// file, silences included, so that the file's time line is the device's.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/headless/wav_writer.h"
#include "platform/wave_out.h"
#include "platform/wave_queue.h"

namespace marlit {

class HeadlessWaveOut : public WaveOut {
  public:
    // With a path, what the device plays is recorded there (a host path).
    explicit HeadlessWaveOut(std::string wavPath = {});
    ~HeadlessWaveOut() override;

    bool open(const WaveFormat& format, DoneCallback done) override;
    bool write(WaveBuffer* buffer) override;
    uint32_t position() override;
    void setVolume(uint32_t volume) override;
    // Plays out what is queued at once, at most maxMs of device time.
    void drain(uint32_t maxMs) override;
    void close() override;

    // Lets ms of device time pass. Call it from the thread that drives the
    // virtual clock, never from inside the completion callback.
    void advance(uint32_t ms);
    // Frames of device time since the open, silences included.
    uint64_t elapsedFrames() const { return elapsedFrames_; }
    // Puts the recording in place with its header final, after the device
    // has been closed. False, with the reason in `why`, when it could not be
    // made or written; then nothing is left. A recording not kept goes with
    // the device, so that a run that failed leaves no file.
    bool keepRecording(std::string* why = nullptr);

  private:
    void play(uint64_t frames);
    void report(WaveBuffer* buffer);
    void callbackLoop();

    std::string wavPath_;
    WavWriter wav_;
    std::string recordingError_;
    WaveQueue queue_;
    WaveFormat format_;
    DoneCallback done_;
    bool open_ = false;
    uint64_t elapsedMs_ = 0;
    uint64_t elapsedFrames_ = 0;
    std::vector<uint8_t> scratch_;

    // The callback thread takes one finished buffer at a time.
    std::thread thread_;
    std::mutex handOff_;
    std::condition_variable wake_;
    WaveBuffer* pending_ = nullptr;
    bool busy_ = false;
    bool quit_ = false;
};

}  // namespace marlit
