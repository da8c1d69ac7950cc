#include "converter/transform_sound.h"

#include <kissfft/kissfft.hh>

#include <algorithm>
#include <array>
#include <complex>

namespace marlit {

namespace {

constexpr size_t kBins = 2048;
constexpr size_t kFade = kTransformBlockSamples - kTransformBlockStep;  // 32
// The scale of each band of 256 bins.
constexpr std::array<int32_t, 8> kBandScale = {2048, 2048, 2048, 4096, 4096, 4096, 8192, 16384};

// Codes are zigzag coded: 0, 1, 2, 3, 4 ... stand for 0, 1, -1, 2, -2 ...
int32_t unzigzag(uint16_t code) {
    return (code & 1) ? static_cast<int32_t>((code + 1u) / 2) : -static_cast<int32_t>(code / 2);
}

// The 4096 codes of a block: high bytes first, then the low bytes split
// into nibbles over two 2048-byte tables.
std::array<uint16_t, kTransformBlockSamples> unpackCodes(const uint8_t* block) {
    std::array<uint16_t, kTransformBlockSamples> codes;
    const uint8_t* high = block;
    const uint8_t* b = block + 4096;
    const uint8_t* a = block + 6144;
    for (size_t j = 0; j < kBins; ++j) {
        codes[2 * j] = static_cast<uint16_t>((high[2 * j] << 8) | (b[j] & 0xF0) | (a[j] >> 4));
        codes[2 * j + 1] =
            static_cast<uint16_t>((high[2 * j + 1] << 8) | ((b[j] & 0x0F) << 4) | (a[j] & 0x0F));
    }
    return codes;
}

int16_t clamp16(int64_t v) {
    return static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767));
}

}  // namespace

size_t transformBlocksFor(size_t samples) {
    if (samples == 0)
        return 0;
    if (samples <= kTransformBlockSamples)
        return 1;
    return 1 + (samples - kTransformBlockSamples + kTransformBlockStep - 1) / kTransformBlockStep;
}

std::optional<std::vector<int16_t>> DecodeTransformSound(std::span<const uint8_t> payload,
                                                         uint32_t pcmSize, std::string* why) {
    const size_t samples = pcmSize / 2;
    const size_t blocks = transformBlocksFor(samples);
    const size_t available = (payload.size() + kTransformBlockBytes - 1) / kTransformBlockBytes;
    if (blocks > available) {
        if (why)
            *why = "the payload holds fewer blocks than the PCM size needs";
        return std::nullopt;
    }
    // The length-4096 forward transform, with no normalisation.
    static const kissfft<double> fft(kTransformBlockSamples, false);
    std::vector<int16_t> out(samples);
    std::vector<std::complex<double>> bins(kTransformBlockSamples);
    std::vector<std::complex<double>> time(kTransformBlockSamples);
    std::vector<uint8_t> block(kTransformBlockBytes);
    for (size_t n = 0; n < blocks; ++n) {
        const size_t offset = n * kTransformBlockBytes;
        const size_t have = std::min(kTransformBlockBytes, payload.size() - offset);
        std::fill(std::copy_n(payload.begin() + offset, have, block.begin()), block.end(), 0);
        const auto codes = unpackCodes(block.data());
        for (size_t k = 0; k < kBins; ++k) {
            const double scale = kBandScale[k >> 8];
            bins[k] = {unzigzag(codes[2 * k]) * scale, unzigzag(codes[2 * k + 1]) * scale};
        }
        std::fill(bins.begin() + kBins, bins.end(), std::complex<double>());
        fft.transform(bins.data(), time.data());

        const size_t base = n * kTransformBlockStep;
        const size_t count = std::min(kTransformBlockSamples, samples - base);
        for (size_t i = 0; i < count; ++i) {
            // Divided by 1024, truncating toward zero.
            int64_t v = static_cast<int64_t>(time[i].real() / 1024.0);
            if (n > 0 && i < kFade) {
                const int64_t previous = out[base + i];
                v = ((static_cast<int64_t>(kFade - i)) * previous + static_cast<int64_t>(i) * v) /
                    static_cast<int64_t>(kFade);
            }
            out[base + i] = clamp16(v);
        }
    }
    return out;
}

std::optional<PcmAudio> decodeTransformAudio(const PcmSound& sound,
                                             std::span<const uint8_t> payload, std::string* why) {
    auto samples = DecodeTransformSound(payload, sound.pcmSize, why);
    if (!samples)
        return std::nullopt;
    PcmAudio audio;
    audio.format = sound.format();
    audio.samples = std::move(*samples);
    audio.samples.resize(audio.frames() * audio.format.channels);
    return audio;
}

}  // namespace marlit
