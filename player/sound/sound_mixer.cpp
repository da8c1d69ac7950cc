#include "player/sound/sound_mixer.h"

#include <algorithm>

namespace marlit {

namespace {

// How long shutdown lets the queued buffers play out.
constexpr uint32_t kDrainMs = 1000;
// A sound put on play is first mixed into the buffer queued behind the
// three already circulating; the periods before that are counted down from
// here, and its play clock starts when the count reaches 0.
constexpr int32_t kPeriodsBeforeSound = -2;

}  // namespace

SoundMixer::SoundMixer(WaveOut* device, uint32_t bufferSize, TickSource ticks)
    : ticks_(std::move(ticks)), device_(device), bufferSize_(bufferSize) {
    for (int i = 0; i < kBuffers; ++i) {
        buffers_[i].assign(bufferSize_ / 2, 0);
        headers_[i].data = reinterpret_cast<uint8_t*>(buffers_[i].data());
        headers_[i].length = bufferSize_;
        headers_[i].user = static_cast<uint32_t>(i);
    }
    if (!device_)
        return;
    WaveFormat format;
    format.sampleRate = kDeviceRate;
    format.bytesPerSecond = kDeviceRate * 4;
    if (!device_->open(format, [this](WaveBuffer* buffer) { refill(buffer); })) {
        device_ = nullptr;
        return;
    }
    // Silence is queued at once: the refill cycle runs from here to
    // shutdown whether or not anything plays.
    std::lock_guard guard(lock_);
    for (auto& header : headers_)
        device_->write(&header);
}

SoundMixer::~SoundMixer() {
    if (!device_)
        return;
    {
        std::lock_guard guard(lock_);
        stopping_ = true;
    }
    device_->drain(kDrainMs);
    device_->close();
}

uint32_t SoundMixer::buffersQueued() {
    std::lock_guard guard(lock_);
    return buffersQueued_;
}

void SoundMixer::refill(WaveBuffer* buffer) {
    std::lock_guard guard(lock_);
    auto* out = reinterpret_cast<int16_t*>(buffer->data);
    const uint32_t samples = buffer->length / 2;
    std::fill(out, out + samples, int16_t{0});
    const uint32_t clock = ticks_();
    for (auto& slot : slots_) {
        if (!slot)
            continue;
        slot->fadeStep(clock);
        slot->decodeStep();
        if (slot->mixStep(out, samples, [this] { return device_->position(); }))
            slot.reset();
    }
    if (stopping_)
        return;
    device_->write(buffer);
    ++buffersQueued_;
}

SoundChannel* SoundMixer::channelAt(int slot) {
    if (slot < 0 || slot >= kSlots)
        return nullptr;
    return slots_[static_cast<size_t>(slot)].get();
}

void SoundMixer::play(int slot, bool loop) {
    std::lock_guard guard(lock_);
    SoundChannel* channel = channelAt(slot);
    if (!channel || channel->state == ChannelState::Playing)
        return;
    channel->state = ChannelState::Playing;
    channel->repeat = true;
    channel->loop = loop;
    channel->mixCounter = kPeriodsBeforeSound;
    channel->playedBytes = 0;
    channel->lastDevicePosition = 0;
    channel->clockStarted = false;
}

void SoundMixer::stop(int slot) {
    // The refill holds the lock for its whole period, so a channel freed
    // under it is never in the middle of being mixed; nothing to wait for.
    std::unique_ptr<SoundChannel> freed;
    {
        std::lock_guard guard(lock_);
        if (!channelAt(slot))
            return;
        freed = std::move(slots_[static_cast<size_t>(slot)]);
    }
}

void SoundMixer::stopAll() {
    for (int slot = 0; slot < kSlots; ++slot)
        stop(slot);
}

void SoundMixer::fadeIn(int slot, uint32_t ms) {
    std::lock_guard guard(lock_);
    if (SoundChannel* channel = channelAt(slot))
        channel->startFade(true, ms, ticks_());
}

void SoundMixer::fadeOut(int slot, uint32_t ms) {
    std::lock_guard guard(lock_);
    if (SoundChannel* channel = channelAt(slot))
        channel->startFade(false, ms, ticks_());
}

void SoundMixer::setVolume(int slot, int volume) {
    std::lock_guard guard(lock_);
    if (SoundChannel* channel = channelAt(slot))
        channel->setVolume(volume);
}

int32_t SoundMixer::position(int slot) {
    std::lock_guard guard(lock_);
    SoundChannel* channel = channelAt(slot);
    if (!channel)
        return -1;
    if (channel->state != ChannelState::Playing || !channel->clockStarted) {
        return channel->position(0);
    }
    return channel->position(device_->position());
}

std::string SoundMixer::loopingName(int slot) {
    std::lock_guard guard(lock_);
    SoundChannel* channel = channelAt(slot);
    return channel && channel->loop ? channel->name : std::string();
}

void SoundMixer::setDeviceVolume(uint32_t volume) {
    if (!device_)
        return;
    uint32_t v = std::min<uint32_t>(volume, 0xFFFF);
    device_->setVolume(v * 0x10001);
}

bool SoundMixer::occupied(int slot) {
    std::lock_guard guard(lock_);
    return channelAt(slot) != nullptr;
}

bool SoundMixer::playing(int slot) {
    std::lock_guard guard(lock_);
    SoundChannel* channel = channelAt(slot);
    return channel && channel->state == ChannelState::Playing;
}

int SoundMixer::volume(int slot) {
    std::lock_guard guard(lock_);
    SoundChannel* channel = channelAt(slot);
    return channel ? static_cast<int>(channel->volume) : -1;
}

void SoundMixer::install(int slot, std::unique_ptr<SoundChannel> channel, int volume,
                         const ChannelOptions& options) {
    {
        std::lock_guard guard(lock_);
        channel->loop = options.loop;
        channel->setVolume(volume);
        slots_[static_cast<size_t>(slot)] = std::move(channel);
    }
    if (options.fadeInMs > 0)
        fadeIn(slot, options.fadeInMs);
    if (options.playNow)
        play(slot, options.loop);
}

}  // namespace marlit
