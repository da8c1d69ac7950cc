// The queue of buffers behind a wave output back end: the order in which
// they play, how far into the head buffer play has come, the byte position
// and the device volume. Both back ends pull their PCM through it.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>

#include "platform/wave_out.h"

namespace marlit {

class WaveQueue {
  public:
    struct Pulled {
        uint32_t bytes = 0;              // PCM bytes copied out
        WaveBuffer* finished = nullptr;  // the head buffer, when this pull ended it
    };

    void reset(const WaveFormat& format);
    void push(WaveBuffer* buffer);
    // Copies up to count bytes from the head buffer only (scaled by the
    // device volume), so the caller can report a finished buffer before it
    // pulls on. Nothing is copied when the queue is empty.
    Pulled pull(uint8_t* out, uint32_t count);
    // Drops every queued buffer without reporting it.
    void clear();

    bool empty();
    // Bytes still to play in the head buffer (0 when none).
    uint32_t headRemaining();
    uint32_t position();
    void setVolume(uint32_t volume);

  private:
    void scale(uint8_t* pcm, uint32_t bytes, uint32_t phase) const;

    std::mutex lock_;
    std::deque<WaveBuffer*> buffers_;
    uint32_t headOffset_ = 0;
    uint32_t position_ = 0;
    uint32_t volume_ = 0xFFFFFFFF;
    uint32_t channels_ = 2;
};

}  // namespace marlit
