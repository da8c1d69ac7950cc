// One open sound of the mixer: its stream, the buffer it is decoded into
// once per period, its volume and fade, and its play clock. The mixer calls
// the steps below under its lock, once per period, in this order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/wave_out.h"
#include "player/sound/mp3_stream.h"

namespace marlit {

enum class ChannelState : uint32_t {
    Idle = 0,  // opened and not playing, or finished
    Playing = 1,
    StopRequested = 3,  // freed by the mixer at its next period
};

// Converts PCM of the source format into device frames (stereo, 16-bit, the
// device rate of 22050 Hz) and returns the frames written, at most
// maxFrames. 44100 Hz is halved by averaging pairs, each half truncated
// before they are added; other rates pass one frame for one.
uint32_t convertToDevice(const uint8_t* source, uint32_t sourceBytes, const WaveFormat& format,
                         int16_t* out, uint32_t maxFrames);

// Only the mixer touches a channel, always under its lock.
class SoundChannel {
  public:
    // `bufferSize` is the mixer's device buffer size in bytes.
    SoundChannel(std::string name, uint32_t bufferSize, uint32_t deviceRate);

  private:
    friend class SoundMixer;

    // Volume 0..100 for the channel; any other value keeps it. The
    // effective volume is recomputed with the fade level either way.
    void setVolume(int volume);
    void startFade(bool in, uint32_t ms, uint32_t clock);
    void fadeStep(uint32_t clock);
    void decodeStep();
    // Adds this period's sound to a device buffer of `samples` samples.
    // `devicePosition` is asked for only on the period that starts the play
    // clock. True when the channel is to be freed.
    template <typename Position>
    bool mixStep(int16_t* out, uint32_t samples, Position devicePosition);
    // Milliseconds of this sound played, given the device position now.
    int32_t position(uint32_t devicePosition);

    Mp3Stream stream;
    std::string name;
    WaveFormat source;
    std::vector<int16_t> mix;          // one device buffer, plus room the device never sees
    uint32_t mixSamples = 0;           // samples of `mix` that are mixed
    std::vector<uint8_t> sourceBlock;  // the whole compressed sound when read into memory
    std::vector<uint8_t> decoded;
    uint32_t readPos = 0;  // samples of `mix` mixed in this period
    int32_t mixCounter = 0;
    uint32_t effectiveVolume = 100;
    uint32_t volume = 100;
    ChannelState state = ChannelState::Idle;
    bool repeat = false;
    bool loop = false;
    int64_t playedBytes = 0;
    uint32_t lastDevicePosition = 0;
    bool clockStarted = false;
    double secondsPerByte = 0;
    bool fadingIn = false;
    bool fadingOut = false;
    uint32_t fadeDuration = 0;
    uint32_t fadeStart = 0;
    uint32_t fadeLevel = 100;
    uint32_t deviceRate = 0;
};

template <typename Position>
bool SoundChannel::mixStep(int16_t* out, uint32_t samples, Position devicePosition) {
    if (state != ChannelState::Playing)
        return state == ChannelState::StopRequested;
    uint32_t end = std::min(mixSamples, samples);
    if (readPos >= end && !repeat) {
        state = ChannelState::Idle;
        return false;
    }
    // The third period after play is the one in which the first buffer
    // holding this sound starts to sound: the play clock counts from here.
    if (mixCounter <= 0 && mixCounter++ == 0) {
        lastDevicePosition = devicePosition();
        clockStarted = true;
    }
    const int32_t gain = static_cast<int32_t>(effectiveVolume);
    for (; readPos < end; ++readPos) {
        int32_t sample = mix[readPos];
        if (gain < 100)
            sample = sample * gain / 100;
        int32_t sum = out[readPos] + sample;
        out[readPos] = static_cast<int16_t>(sum > 32767 ? 32767 : sum < -32768 ? -32768 : sum);
    }
    if (repeat)
        readPos = 0;
    return false;
}

}  // namespace marlit
