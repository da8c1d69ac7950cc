// Wave output through an SDL audio device. SDL's audio thread pulls the
// queued buffers in order; a buffer handed over whole is reported done from
// that thread, which is where the owner refills it. The position counts the
// bytes handed to SDL.
#pragma once

#include <SDL.h>

#include "platform/wave_out.h"
#include "platform/wave_queue.h"

namespace marlit {

class SdlWaveOut : public WaveOut {
  public:
    SdlWaveOut() = default;
    ~SdlWaveOut() override;

    bool open(const WaveFormat& format, DoneCallback done) override;
    bool write(WaveBuffer* buffer) override;
    uint32_t position() override;
    void setVolume(uint32_t volume) override;
    void drain(uint32_t maxMs) override;
    void close() override;

  private:
    static void feed(void* self, Uint8* stream, int length);

    SDL_AudioDeviceID device_ = 0;
    WaveQueue queue_;
    DoneCallback done_;
};

}  // namespace marlit
