#include "player/sound/mp3_stream.h"

#include <algorithm>
#include <cstring>

namespace marlit {

namespace {

constexpr uint32_t kTrailerBytes = 128;
constexpr uint32_t kTagHeaderBytes = 10;

}  // namespace

void Mp3Stream::findAudio(uint32_t begin, uint32_t size) {
    end_ = begin + size;
    if (size >= kTrailerBytes && std::memcmp(data_ + end_ - kTrailerBytes, "TAG", 3) == 0) {
        end_ -= kTrailerBytes;
    }
    start_ = begin;
    // The ID3v2 size is stored in four bytes of seven bits each.
    if (end_ - begin >= kTagHeaderBytes && std::memcmp(data_ + begin, "ID3", 3) == 0) {
        const uint8_t* h = data_ + begin;
        uint32_t tag = (uint32_t{h[6] & 0x7Fu} << 21) | (uint32_t{h[7] & 0x7Fu} << 14) |
                       (uint32_t{h[8] & 0x7Fu} << 7) | (h[9] & 0x7Fu);
        uint64_t after = uint64_t{begin} + kTagHeaderBytes + tag;
        start_ = static_cast<uint32_t>(std::min<uint64_t>(after, end_));
    }
    current_ = start_;
}

bool Mp3Stream::startDecoder() {
    format_ = WaveFormat{};
    if (end_ - start_ < 4)
        return false;
    std::memcpy(frame_.data(), data_ + start_, 4);
    decoder_ = Mp3Decoder::create(frame_.data());
    if (!decoder_)
        return false;
    carryPos_ = carryEnd_ = 0;
    format_.channels = static_cast<uint16_t>(decoder_->channels());
    format_.sampleRate = static_cast<uint32_t>(decoder_->sampleRate());
    format_.blockAlign = static_cast<uint16_t>(format_.channels * 2);
    format_.bytesPerSecond = format_.sampleRate * format_.blockAlign;
    format_.bitsPerSample = 16;
    return true;
}

bool Mp3Stream::openMemory(const uint8_t* data, size_t size) {
    close();
    // Offsets are 32-bit, as in the files the player reads.
    if (!data || size > 0xFFFFFFFFu)
        return false;
    data_ = data;
    findAudio(0, static_cast<uint32_t>(size));
    if (!startDecoder()) {
        close();
        return false;
    }
    return true;
}

bool Mp3Stream::openMapped(std::string_view path, uint32_t offset, uint32_t size) {
    close();
    // A file that cannot be mapped fails like a first frame that cannot be
    // decoded.
    if (!mapped_.open(path) || mapped_.size() > 0xFFFFFFFFu || offset >= mapped_.size()) {
        close();
        return false;
    }
    auto available = static_cast<uint32_t>(mapped_.size() - offset);
    size = size == 0 ? available : std::min(size, available);
    data_ = mapped_.data();
    findAudio(offset, size);
    if (!startDecoder()) {
        close();
        return false;
    }
    return true;
}

uint32_t Mp3Stream::read(uint8_t* out, uint32_t wanted, bool loop) {
    if (!decoder_)
        return 0;
    uint32_t sum = 0;
    if (carryEnd_ > carryPos_) {
        uint32_t held = carryEnd_ - carryPos_;
        if (held >= wanted) {
            std::memcpy(out, carry_.data() + carryPos_, wanted);
            carryPos_ += wanted;
            return wanted;
        }
        std::memcpy(out, carry_.data() + carryPos_, held);
        carryPos_ = carryEnd_ = 0;
        sum = held;
    }
    // A looping sound whose first frame fails right after a restart would
    // restart for ever; that sound ends instead.
    bool rewound = false;
    bool producedSinceRewind = false;
    for (;;) {
        int frames = 0;
        if (current_ < end_ && end_ - current_ >= 4) {
            std::memcpy(frame_.data(), data_ + current_, 4);
            if (decoder_->predecode(frame_.data()) == 0) {
                uint32_t length = static_cast<uint32_t>(decoder_->frameLength());
                if (length >= end_ - current_)
                    length = end_ - current_;
                length = std::min<uint32_t>(length, kMp3MaxFrameBytes);
                std::memcpy(frame_.data(), data_ + current_, length);
                frames = decoder_->decode(pcm_.data(), frame_.data(), length);
                current_ += length;
            }
        }
        if (frames > 0) {
            uint32_t bytes = static_cast<uint32_t>(frames) * format_.blockAlign;
            std::memcpy(out + sum, pcm_.data(), bytes);
            sum += bytes;
            producedSinceRewind = true;
            if (sum > wanted) {
                carryEnd_ = sum - wanted;
                carryPos_ = 0;
                std::memcpy(carry_.data(), out + wanted, carryEnd_);
                return wanted;
            }
        } else if (!loop || (rewound && !producedSinceRewind)) {
            finished_ = true;
            return sum;
        } else {
            rewind();
            rewound = true;
            producedSinceRewind = false;
        }
        if (sum >= wanted || finished_)
            return sum;
    }
}

void Mp3Stream::rewind() {
    current_ = start_;
    finished_ = false;
}

void Mp3Stream::close() {
    decoder_.reset();
    mapped_.close();
    data_ = nullptr;
    finished_ = false;
    start_ = current_ = end_ = 0;
    carryPos_ = carryEnd_ = 0;
}

}  // namespace marlit
