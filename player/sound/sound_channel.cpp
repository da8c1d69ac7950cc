#include "player/sound/sound_channel.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace marlit {

static_assert(std::endian::native == std::endian::little, "PCM is handled as host int16_t");

namespace {

constexpr size_t kDecodedBytes = 131072;
constexpr uint32_t kDeviceRate = 22050;

int16_t sampleAt(const uint8_t* pcm, uint32_t index) {
    int16_t s;
    std::memcpy(&s, pcm + index * 2, 2);
    return s;
}

}  // namespace

uint32_t convertToDevice(const uint8_t* source, uint32_t sourceBytes, const WaveFormat& format,
                         int16_t* out, uint32_t maxFrames) {
    const bool mono = format.channels == 1;
    const uint32_t sourceFrames = sourceBytes / (mono ? 2u : 4u);
    if (format.sampleRate == 44100) {
        uint32_t frames = std::min(sourceFrames / 2, maxFrames);
        for (uint32_t i = 0; i < frames; ++i) {
            if (mono) {
                int16_t s = static_cast<int16_t>(sampleAt(source, 2 * i) / 2 +
                                                 sampleAt(source, 2 * i + 1) / 2);
                out[2 * i] = out[2 * i + 1] = s;
            } else {
                out[2 * i] = static_cast<int16_t>(sampleAt(source, 4 * i) / 2 +
                                                  sampleAt(source, 4 * i + 2) / 2);
                out[2 * i + 1] = static_cast<int16_t>(sampleAt(source, 4 * i + 1) / 2 +
                                                      sampleAt(source, 4 * i + 3) / 2);
            }
        }
        return frames;
    }
    uint32_t frames = std::min(sourceFrames, maxFrames);
    if (!mono) {
        std::memcpy(out, source, size_t{frames} * 4);
        return frames;
    }
    for (uint32_t i = 0; i < frames; ++i)
        out[2 * i] = out[2 * i + 1] = sampleAt(source, i);
    return frames;
}

SoundChannel::SoundChannel(std::string channelName, uint32_t bufferSize, uint32_t rate)
    : name(std::move(channelName)),
      mix(bufferSize / 2 + 4, 0),
      mixSamples(bufferSize / 2),
      decoded(kDecodedBytes),
      secondsPerByte(1.0 / (rate * 4.0)),
      deviceRate(rate) {}

void SoundChannel::setVolume(int v) {
    if (v >= 0 && v <= 100)
        volume = static_cast<uint32_t>(v);
    effectiveVolume = std::min<uint32_t>(volume * fadeLevel / 100, 100);
}

void SoundChannel::startFade(bool in, uint32_t ms, uint32_t clock) {
    fadeLevel = in ? 0 : 100;
    fadingIn = in;
    fadingOut = !in;
    fadeStart = clock;
    fadeDuration = ms;
}

void SoundChannel::fadeStep(uint32_t clock) {
    const uint32_t elapsed = clock - fadeStart;
    if (fadingOut) {
        if (elapsed >= fadeDuration) {
            fadeLevel = 0;
            setVolume(-1);
            fadingOut = false;
            state = ChannelState::StopRequested;
            return;
        }
        fadeLevel = static_cast<uint32_t>(100 - uint64_t{elapsed} * 100 / fadeDuration);
        setVolume(-1);
    }
    if (fadingIn) {
        if (elapsed >= fadeDuration) {
            fadeLevel = 100;
            fadingIn = false;
        } else {
            fadeLevel = static_cast<uint32_t>(uint64_t{elapsed} * 100 / fadeDuration);
        }
        setVolume(-1);
    }
}

void SoundChannel::decodeStep() {
    if (state != ChannelState::Playing)
        return;
    std::fill(mix.begin(), mix.end(), int16_t{0});
    if (stream.finished()) {
        state = ChannelState::Idle;
        return;
    }
    const bool mono = source.channels == 1;
    const bool halve = deviceRate == kDeviceRate && source.sampleRate == 44100;
    uint32_t wanted = mixSamples * 2;
    if (mono)
        wanted /= 2;
    if (halve)
        wanted *= 2;
    wanted = std::min<uint32_t>(wanted, static_cast<uint32_t>(decoded.size() - kMp3PcmBytes));
    uint32_t delivered = stream.read(decoded.data(), wanted, loop);
    // What the stream did not deliver stays silent.
    convertToDevice(decoded.data(), delivered, source, mix.data(), mixSamples / 2);
}

int32_t SoundChannel::position(uint32_t devicePosition) {
    if (state != ChannelState::Playing)
        return -1;
    if (!clockStarted)
        return 0;
    // The device counter wraps at 2^32; the difference does not care.
    playedBytes += static_cast<uint32_t>(devicePosition - lastDevicePosition);
    lastDevicePosition = devicePosition;
    if (playedBytes <= 0)
        return 0;
    return static_cast<int32_t>(static_cast<double>(playedBytes) * secondsPerByte * 1000.0);
}

}  // namespace marlit
