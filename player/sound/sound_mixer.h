// All of the player's sound goes through one SoundMixer: one wave output
// device fed from three fixed buffers that circulate from start-up to
// shutdown. Each time the device hands a buffer back, the device's thread
// decodes the next piece of every playing channel and mixes them into it.
// Up to 64 channels sit in numbered slots.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "formats/mlz_reader.h"
#include "platform/wave_out.h"
#include "player/sound/sound_channel.h"

namespace marlit {

// How a sound opens in its slot.
struct ChannelOptions {
    uint32_t fadeInMs = 0;
    bool loop = false;
    // Start at once; else it waits for play().
    bool playNow = true;
    // From a folder, read the file into memory instead of mapping it.
    bool readWhole = false;
};

class SoundMixer {
  public:
    static constexpr int kSlots = 64;
    static constexpr uint32_t kDeviceRate = 22050;
    // About 93 ms a buffer; the 640 x 480 build uses longer ones.
    static constexpr uint32_t kBufferSize = 8192;
    static constexpr uint32_t kVgaBufferSize = 12288;
    static constexpr int kBuffers = 3;

    // Opens the device and sets the silent buffers circulating; the device
    // is borrowed and closed again when the mixer goes. Without a device, or
    // when it does not open, the mixer stays silent: no channel opens and
    // every slot stays empty.
    // `ticks` times the fades; it is read on the device's thread too.
    explicit SoundMixer(WaveOut* device, uint32_t bufferSize = kBufferSize,
                        TickSource ticks = systemTicks);
    ~SoundMixer();
    SoundMixer(const SoundMixer&) = delete;
    SoundMixer& operator=(const SoundMixer&) = delete;

    bool hasDevice() const { return device_ != nullptr; }
    uint32_t bufferSize() const { return bufferSize_; }
    uint32_t deviceRate() const { return kDeviceRate; }
    const TickSource& ticks() const { return ticks_; }
    uint32_t buffersQueued();

    // Opens the MP3 sound `name` into `slot`, stopping what is there first.
    // `place` ending in "\" (or empty) is a folder, anything else a pack.
    // The volume is 0..100. False, with the slot left empty, when the sound
    // cannot be found or decoded.
    bool openChannel(int slot, std::string_view name, std::string_view place, int volume,
                     const ChannelOptions& options);

    // Starts a channel that is not playing; a playing one is left alone.
    void play(int slot, bool loop);
    // Frees the slot's channel at once; an empty slot is left as it is.
    void stop(int slot);
    void stopAll();
    void fadeIn(int slot, uint32_t ms);
    // The channel stops by itself when the fade ends.
    void fadeOut(int slot, uint32_t ms);
    // 0..100; any other value (-1) keeps the channel's volume and only
    // recomputes the effective volume.
    void setVolume(int slot, int volume);
    // Milliseconds of the slot's sound the device has played; -1 when the
    // slot is empty or its channel is not playing (its sound has ended).
    int32_t position(int slot);
    // The slot's sound name when it loops, else "".
    std::string loopingName(int slot);
    // Both halves of the device volume, 0..0xFFFF.
    void setDeviceVolume(uint32_t volume);

    // Whether the slot holds a channel, whether it plays, and its volume
    // (-1 for an empty slot).
    bool occupied(int slot);
    bool playing(int slot);
    int volume(int slot);

  private:
    void refill(WaveBuffer* buffer);
    SoundChannel* channelAt(int slot);
    // Puts a fully opened channel in the slot and applies volume, fade and play.
    void install(int slot, std::unique_ptr<SoundChannel> channel, int volume,
                 const ChannelOptions& options);

    TickSource ticks_;
    MlzReader packReader_;
    WaveOut* device_ = nullptr;
    std::array<WaveBuffer, kBuffers> headers_{};
    std::array<std::vector<int16_t>, kBuffers> buffers_;
    uint32_t bufferSize_;
    uint32_t buffersQueued_ = 0;
    bool stopping_ = false;
    std::array<std::unique_ptr<SoundChannel>, kSlots> slots_;
    std::mutex lock_;
};

}  // namespace marlit
