#include "platform/headless/headless_wave_out.h"

#include <algorithm>

namespace marlit {

HeadlessWaveOut::HeadlessWaveOut(std::string wavPath) : wavPath_(std::move(wavPath)) {}

HeadlessWaveOut::~HeadlessWaveOut() {
    close();
}

bool HeadlessWaveOut::open(const WaveFormat& format, DoneCallback done) {
    close();
    if (format.bitsPerSample != 16 || format.channels < 1 || format.channels > 2 ||
        format.sampleRate == 0) {
        return false;
    }
    format_ = format;
    format_.blockAlign = static_cast<uint16_t>(format.channels * 2);
    done_ = std::move(done);
    queue_.reset(format_);
    elapsedMs_ = 0;
    elapsedFrames_ = 0;
    if (!wavPath_.empty()) {
        recordingError_.clear();
        if (!wav_.open(wavPath_, format_))
            recordingError_ = wav_.error();
    }
    quit_ = false;
    thread_ = std::thread([this] { callbackLoop(); });
    open_ = true;
    return true;
}

bool HeadlessWaveOut::write(WaveBuffer* buffer) {
    if (!open_ || !buffer)
        return false;
    queue_.push(buffer);
    return true;
}

uint32_t HeadlessWaveOut::position() {
    return queue_.position();
}

void HeadlessWaveOut::setVolume(uint32_t volume) {
    queue_.setVolume(volume);
}

void HeadlessWaveOut::advance(uint32_t ms) {
    if (!open_)
        return;
    elapsedMs_ += ms;
    uint64_t target = elapsedMs_ * format_.sampleRate / 1000;
    play(target - elapsedFrames_);
}

void HeadlessWaveOut::drain(uint32_t maxMs) {
    if (!open_)
        return;
    uint64_t budget = uint64_t{maxMs} * format_.sampleRate / 1000;
    while (budget > 0 && !queue_.empty()) {
        uint64_t frames = std::max<uint64_t>(1, queue_.headRemaining() / format_.blockAlign);
        frames = std::min(frames, budget);
        play(frames);
        budget -= frames;
    }
    // The device clock moved on with what it played.
    elapsedMs_ = elapsedFrames_ * 1000 / format_.sampleRate;
}

void HeadlessWaveOut::play(uint64_t frames) {
    const uint32_t align = format_.blockAlign;
    while (frames > 0) {
        uint32_t headFrames = queue_.headRemaining() / align;
        if (queue_.empty()) {
            if (wav_.isOpen())
                wav_.writeSilence(frames * align);
            elapsedFrames_ += frames;
            return;
        }
        // A buffer shorter than a frame, or empty, just finishes.
        auto n = static_cast<uint32_t>(std::min<uint64_t>(frames, headFrames));
        uint32_t bytes = n == headFrames ? queue_.headRemaining() : n * align;
        scratch_.resize(std::max<size_t>(scratch_.size(), bytes));
        WaveQueue::Pulled pulled = queue_.pull(scratch_.data(), bytes);
        if (wav_.isOpen())
            wav_.write(scratch_.data(), pulled.bytes);
        elapsedFrames_ += n;
        frames -= n;
        if (pulled.finished)
            report(pulled.finished);
    }
}

void HeadlessWaveOut::report(WaveBuffer* buffer) {
    std::unique_lock lock(handOff_);
    pending_ = buffer;
    busy_ = true;
    wake_.notify_all();
    wake_.wait(lock, [this] { return !busy_; });
}

void HeadlessWaveOut::callbackLoop() {
    std::unique_lock lock(handOff_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || pending_ != nullptr; });
        if (quit_)
            return;
        WaveBuffer* buffer = pending_;
        pending_ = nullptr;
        lock.unlock();
        if (done_)
            done_(buffer);
        lock.lock();
        busy_ = false;
        wake_.notify_all();
    }
}

void HeadlessWaveOut::close() {
    if (!open_)
        return;
    {
        std::lock_guard lock(handOff_);
        quit_ = true;
        wake_.notify_all();
    }
    thread_.join();
    queue_.clear();
    open_ = false;
}

bool HeadlessWaveOut::keepRecording(std::string* why) {
    close();
    if (wav_.isOpen() && !wav_.commit())
        recordingError_ = wav_.error();
    if (why)
        *why = recordingError_;
    return recordingError_.empty();
}

}  // namespace marlit
