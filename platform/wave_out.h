// Wave output: the one PCM stream the player's mixer feeds. Buffers are
// queued and played in order; when one has played, the device hands it back
// through the completion callback, which runs on the device's own thread.
#pragma once

#include <cstdint>
#include <functional>

namespace marlit {

// A PCM format record; the device plays 16-bit little-endian samples.
struct WaveFormat {
    uint16_t formatTag = 1;
    uint16_t channels = 2;
    uint32_t sampleRate = 22050;
    uint32_t bytesPerSecond = 88200;
    uint16_t blockAlign = 4;
    uint16_t bitsPerSample = 16;
};

// A buffer lent to the device from `write` until its completion callback.
struct WaveBuffer {
    uint8_t* data = nullptr;
    uint32_t length = 0;
    uint32_t user = 0;  // the owner's own word, untouched by the device
};

class WaveOut {
  public:
    // Runs on the device's thread, never on the caller's, and may call
    // `write` again from inside.
    using DoneCallback = std::function<void(WaveBuffer*)>;

    virtual ~WaveOut() = default;

    // Opens the device for 16-bit PCM of the format's rate and channels.
    virtual bool open(const WaveFormat& format, DoneCallback done) = 0;
    // Queues a buffer behind those already queued.
    virtual bool write(WaveBuffer* buffer) = 0;
    // Bytes of queued buffers played (or handed to the sound system) since
    // the open, wrapping at 2^32 like the device's counter.
    virtual uint32_t position() = 0;
    // Low word the left volume, high word the right, 0 silent to 0xFFFF full.
    virtual void setVolume(uint32_t volume) = 0;
    // Lets what is queued play out, giving up after maxMs of waiting.
    virtual void drain(uint32_t maxMs) = 0;
    // Stops playing and forgets what is still queued; no callback runs after
    // it returns. Safe to call when not open.
    virtual void close() = 0;
};

}  // namespace marlit
