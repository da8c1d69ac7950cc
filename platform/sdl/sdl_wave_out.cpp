#include "platform/sdl/sdl_wave_out.h"

#include <cstring>

namespace marlit {

SdlWaveOut::~SdlWaveOut() {
    close();
}

bool SdlWaveOut::open(const WaveFormat& format, DoneCallback done) {
    close();
    if (format.bitsPerSample != 16 || format.channels < 1 || format.channels > 2)
        return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    done_ = std::move(done);
    queue_.reset(format);
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(format.sampleRate);
    wanted.format = AUDIO_S16LSB;
    wanted.channels = static_cast<Uint8>(format.channels);
    // About 46 ms at 22050 Hz: short against the owner's buffers, so each of
    // them is handed over in a few pieces and reported soon after its end.
    wanted.samples = 1024;
    wanted.callback = &SdlWaveOut::feed;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlWaveOut::feed(void* self, Uint8* stream, int length) {
    auto* device = static_cast<SdlWaveOut*>(self);
    auto wanted = static_cast<uint32_t>(length);
    uint32_t filled = 0;
    while (filled < wanted) {
        WaveQueue::Pulled pulled = device->queue_.pull(stream + filled, wanted - filled);
        filled += pulled.bytes;
        if (pulled.finished) {
            device->done_(pulled.finished);
        } else if (pulled.bytes == 0) {
            // Nothing queued: the rest of this piece is silence.
            std::memset(stream + filled, 0, wanted - filled);
            break;
        }
    }
}

bool SdlWaveOut::write(WaveBuffer* buffer) {
    if (device_ == 0 || !buffer)
        return false;
    queue_.push(buffer);
    return true;
}

uint32_t SdlWaveOut::position() {
    return queue_.position();
}

void SdlWaveOut::setVolume(uint32_t volume) {
    queue_.setVolume(volume);
}

void SdlWaveOut::drain(uint32_t maxMs) {
    if (device_ == 0)
        return;
    uint32_t start = SDL_GetTicks();
    while (!queue_.empty() && SDL_GetTicks() - start < maxMs)
        SDL_Delay(2);
}

void SdlWaveOut::close() {
    if (device_ == 0)
        return;
    // Returns once the audio thread has left the callback for good.
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    queue_.clear();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace marlit
