#include "platform/wave_queue.h"

#include <algorithm>
#include <cstring>

namespace marlit {

void WaveQueue::reset(const WaveFormat& format) {
    std::lock_guard guard(lock_);
    buffers_.clear();
    headOffset_ = 0;
    position_ = 0;
    channels_ = format.channels == 1 ? 1 : 2;
}

void WaveQueue::push(WaveBuffer* buffer) {
    std::lock_guard guard(lock_);
    buffers_.push_back(buffer);
}

WaveQueue::Pulled WaveQueue::pull(uint8_t* out, uint32_t count) {
    std::lock_guard guard(lock_);
    Pulled result;
    if (buffers_.empty())
        return result;
    WaveBuffer* head = buffers_.front();
    uint32_t take = std::min(count, head->length - headOffset_);
    if (take > 0)
        std::memcpy(out, head->data + headOffset_, take);
    // Samples are 2 bytes; the phase tells left from right across pulls.
    scale(out, take, (position_ / 2) % channels_);
    headOffset_ += take;
    position_ += take;
    result.bytes = take;
    if (headOffset_ >= head->length) {
        result.finished = head;
        buffers_.pop_front();
        headOffset_ = 0;
    }
    return result;
}

void WaveQueue::clear() {
    std::lock_guard guard(lock_);
    buffers_.clear();
    headOffset_ = 0;
}

bool WaveQueue::empty() {
    std::lock_guard guard(lock_);
    return buffers_.empty();
}

uint32_t WaveQueue::headRemaining() {
    std::lock_guard guard(lock_);
    return buffers_.empty() ? 0 : buffers_.front()->length - headOffset_;
}

uint32_t WaveQueue::position() {
    std::lock_guard guard(lock_);
    return position_;
}

void WaveQueue::setVolume(uint32_t volume) {
    std::lock_guard guard(lock_);
    volume_ = volume;
}

void WaveQueue::scale(uint8_t* pcm, uint32_t bytes, uint32_t phase) const {
    uint32_t left = volume_ & 0xFFFF;
    uint32_t right = volume_ >> 16;
    if (left == 0xFFFF && right == 0xFFFF)
        return;
    for (uint32_t i = 0; i + 1 < bytes; i += 2, ++phase) {
        uint32_t gain = (channels_ == 2 && phase % 2 == 1) ? right : left;
        auto sample = static_cast<int16_t>(pcm[i] | (pcm[i + 1] << 8));
        auto scaled = static_cast<int16_t>(sample * static_cast<int32_t>(gain) / 0xFFFF);
        pcm[i] = static_cast<uint8_t>(scaled);
        pcm[i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(scaled) >> 8);
    }
}

}  // namespace marlit
