#include "converter/wave_file.h"

#include <cstring>

#include "base/bytes.h"
#include "converter/platform/resample.h"

namespace marlit {

namespace {

constexpr size_t kMinFmtSize = 14;
constexpr uint16_t kPcmFormatTag = 1;

bool tagIs(std::span<const uint8_t> bytes, size_t pos, const char* tag) {
    return std::memcmp(bytes.data() + pos, tag, 4) == 0;
}

}  // namespace

std::optional<WaveChunks> ParseWave(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || !tagIs(bytes, 0, "RIFF") || !tagIs(bytes, 8, "WAVE")) {
        return std::nullopt;
    }
    WaveChunks chunks;
    bool haveFmt = false;
    bool haveData = false;
    uint64_t pos = 12;
    while (pos + 8 <= bytes.size() && !(haveFmt && haveData)) {
        const uint32_t length = loadU32(bytes.data() + pos + 4);
        const uint64_t start = pos + 8;
        const size_t available =
            static_cast<size_t>(std::min<uint64_t>(length, bytes.size() - start));
        if (!haveFmt && tagIs(bytes, pos, "fmt ")) {
            if (available < kMinFmtSize)
                return std::nullopt;
            chunks.fmt.assign(bytes.begin() + start, bytes.begin() + start + available);
            haveFmt = true;
        } else if (!haveData && available > 0 && tagIs(bytes, pos, "data")) {
            chunks.dataOffset = start;
            chunks.dataLength = available;
            haveData = true;
        }
        pos = start + length + (length & 1u);
    }
    if (!haveFmt || !haveData)
        return std::nullopt;
    return chunks;
}

std::optional<PcmAudio> decodeWave(std::span<const uint8_t> bytes, std::string* why) {
    auto chunks = ParseWave(bytes);
    if (!chunks) {
        if (why)
            *why = "not a WAVE file with \"fmt \" and \"data\"";
        return std::nullopt;
    }
    ByteReader fmt(chunks->fmt);
    const uint16_t tag = fmt.u16();
    const uint16_t channels = fmt.u16();
    const uint32_t rate = fmt.u32();
    fmt.skip(6);
    const uint16_t bits = fmt.u16();
    if (!fmt.ok() || tag != kPcmFormatTag || (bits != 8 && bits != 16)) {
        if (why)
            *why = "the WAVE file is not 8- or 16-bit PCM";
        return std::nullopt;
    }
    if (channels < 1 || channels > 8 || rate < kMinSampleRate || rate > kMaxSampleRate) {
        if (why)
            *why = "the WAVE file has " + std::to_string(channels) + " channels at " +
                   std::to_string(rate) + " Hz; 1 to 8 channels at " +
                   std::to_string(kMinSampleRate) + " to " + std::to_string(kMaxSampleRate) +
                   " Hz can be read";
        return std::nullopt;
    }
    PcmAudio audio;
    audio.format = {rate, channels};
    const size_t bytesPerSample = bits / 8u;
    const size_t frames = chunks->dataLength / (bytesPerSample * channels);
    audio.samples.resize(frames * channels);
    const uint8_t* p = bytes.data() + chunks->dataOffset;
    for (size_t i = 0; i < audio.samples.size(); ++i) {
        // 8-bit WAVE samples are unsigned around 128.
        audio.samples[i] = bits == 8 ? static_cast<int16_t>((p[i] - 128) * 256)
                                     : static_cast<int16_t>(loadU16(p + 2 * i));
    }
    return audio;
}

std::vector<uint8_t> waveHeader(PcmFormat format, uint16_t bitsPerSample, uint32_t dataSize) {
    const uint16_t blockAlign = static_cast<uint16_t>(format.channels * bitsPerSample / 8);
    ByteWriter w;
    w.bytes("RIFF", 4);
    w.u32(36 + dataSize);
    w.bytes("WAVEfmt ", 8);
    w.u32(16);
    w.u16(kPcmFormatTag);
    w.u16(format.channels);
    w.u32(format.rate);
    w.u32(format.rate * blockAlign);
    w.u16(blockAlign);
    w.u16(bitsPerSample);
    w.bytes("data", 4);
    w.u32(dataSize);
    return w.take();
}

std::vector<uint8_t> writeWave(const PcmAudio& audio) {
    const uint32_t dataSize = static_cast<uint32_t>(audio.samples.size() * 2);
    std::vector<uint8_t> out = waveHeader(audio.format, 16, dataSize);
    out.resize(out.size() + dataSize);
    uint8_t* p = out.data() + 44;
    for (size_t i = 0; i < audio.samples.size(); ++i) {
        storeU16(p + 2 * i, static_cast<uint16_t>(audio.samples[i]));
    }
    return out;
}

}  // namespace marlit
