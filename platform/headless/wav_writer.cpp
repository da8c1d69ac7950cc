#include "platform/headless/wav_writer.h"

#include <algorithm>
#include <array>

#include "base/bytes.h"

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

bool WavWriter::open(const std::string& path, const WaveFormat& format) {
    close();
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
        return false;
    dataBytes_ = 0;
    failed_ = false;
    format_ = format;
    auto h = header(format, 0);
    failed_ = std::fwrite(h.data(), 1, h.size(), file_) != h.size();
    return !failed_;
}

void WavWriter::write(const uint8_t* pcm, size_t bytes) {
    if (!file_ || bytes == 0)
        return;
    if (std::fwrite(pcm, 1, bytes, file_) != bytes)
        failed_ = true;
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

bool WavWriter::close() {
    if (!file_)
        return true;
    auto h = header(format_, dataBytes_);
    bool ok = !failed_ && std::fseek(file_, 0, SEEK_SET) == 0 &&
              std::fwrite(h.data(), 1, h.size(), file_) == h.size();
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    return ok;
}

}  // namespace marlit
