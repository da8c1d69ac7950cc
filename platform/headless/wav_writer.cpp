#include "platform/headless/wav_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/atomic_file.h"
#include "base/bytes.h"
#include "base/files.h"

namespace marlit {

namespace {

constexpr size_t kHeaderSize = 44;

std::array<uint8_t, kHeaderSize> header(const WaveFormat& format, uint64_t dataBytes) {
    // A RIFF size is 32 bits; a longer recording keeps the largest value.
    auto data = static_cast<uint32_t>(std::min<uint64_t>(dataBytes, 0xFFFFFFFFu - 36));
    std::array<uint8_t, kHeaderSize> h{};
    std::copy_n("RIFF", 4, h.begin());
    storeU32(&h[4], data + 36);
    std::copy_n("WAVEfmt ", 8, h.begin() + 8);
    storeU32(&h[16], 16);
    storeU16(&h[20], 1);
    storeU16(&h[22], format.channels);
    storeU32(&h[24], format.sampleRate);
    storeU32(&h[28], format.sampleRate * format.channels * 2u);
    storeU16(&h[32], static_cast<uint16_t>(format.channels * 2));
    storeU16(&h[34], 16);
    std::copy_n("data", 4, h.begin() + 36);
    storeU32(&h[40], data);
    return h;
}

}  // namespace

WavWriter::WavWriter() = default;

WavWriter::~WavWriter() = default;

bool WavWriter::open(const std::string& path, const WaveFormat& format) {
    discard();
    error_.clear();
    file_ = AtomicFile::createHost(path, &error_);
    if (!file_)
        return false;
    dataBytes_ = 0;
    format_ = format;
    // Sizes of 0 until the commit writes the real ones.
    auto h = header(format, 0);
    if (std::fwrite(h.data(), 1, h.size(), file_->stream()) != h.size())
        fail();
    return error_.empty();
}

void WavWriter::fail() {
    if (error_.empty())
        error_ = lastSystemError();
}

void WavWriter::write(const uint8_t* pcm, size_t bytes) {
    if (!file_ || bytes == 0 || !error_.empty())
        return;
    if (std::fwrite(pcm, 1, bytes, file_->stream()) != bytes)
        fail();
    dataBytes_ += bytes;
}

void WavWriter::writeSilence(uint64_t bytes) {
    static const std::array<uint8_t, 4096> kZeros{};
    while (bytes > 0) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(bytes, kZeros.size()));
        write(kZeros.data(), n);
        bytes -= n;
    }
}

bool WavWriter::commit() {
    if (!file_)
        return false;
    if (error_.empty()) {
        auto h = header(format_, dataBytes_);
        if (std::fseek(file_->stream(), 0, SEEK_SET) != 0 ||
            std::fwrite(h.data(), 1, h.size(), file_->stream()) != h.size()) {
            fail();
        }
    }
    if (error_.empty() && !file_->commit())
        error_ = file_->error();
    file_.reset();
    return error_.empty();
}

void WavWriter::discard() {
    file_.reset();
}

}  // namespace marlit
