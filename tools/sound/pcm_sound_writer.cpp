#include "tools/sound/pcm_sound_writer.h"

#include <kissfft/kissfft.hh>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>

#include "base/bytes.h"
#include "converter/pcm_sound.h"
#include "converter/transform_sound.h"

namespace marlit::sound {

namespace {

// Any four bytes but "RIFF" mark a sound file; these are ours.
constexpr char kSignature[4] = {'S', 'N', 'D', ' '};

constexpr size_t kBins = 2048;
constexpr std::array<double, 8> kBandScale = {2048, 2048, 2048, 4096, 4096, 4096, 8192, 16384};

uint16_t zigzag(int32_t v) {
    v = std::clamp<int32_t>(v, -32767, 32767);
    return static_cast<uint16_t>(v > 0 ? 2 * v - 1 : -2 * v);
}

// The decoder's packing: high bytes first, then the low bytes as nibbles
// over two tables.
void packCodes(const std::array<uint16_t, kTransformBlockSamples>& codes, uint8_t* block) {
    for (size_t j = 0; j < kTransformBlockSamples; ++j)
        block[j] = static_cast<uint8_t>(codes[j] >> 8);
    for (size_t j = 0; j < kBins; ++j) {
        const uint8_t lo0 = codes[2 * j] & 0xFF;
        const uint8_t lo1 = codes[2 * j + 1] & 0xFF;
        block[4096 + j] = static_cast<uint8_t>((lo0 & 0xF0) | (lo1 >> 4));
        block[6144 + j] = static_cast<uint8_t>(((lo0 & 0x0F) << 4) | (lo1 & 0x0F));
    }
}

}  // namespace

std::vector<uint8_t> soundHeader(PcmFormat format, uint8_t codec, uint32_t pcmSize) {
    const uint16_t blockAlign = static_cast<uint16_t>(format.channels * 2);
    ByteWriter w;
    w.bytes(kSignature, 4);
    w.u32(pcmSize);
    w.u8(codec);
    w.u8(0);
    w.zeros(2);
    // From offset 12 the header is a PCM wave format: tag, channels, rate,
    // byte rate, block alignment and bits.
    w.u16(1);
    w.u16(format.channels);
    w.u32(format.rate);
    w.u32(format.rate * blockAlign);
    w.u16(blockAlign);
    w.u16(16);
    return w.take();
}

std::vector<uint8_t> writeRawSound(const PcmAudio& audio) {
    ByteWriter w;
    w.bytes(soundHeader(audio.format, PcmSound::kRawCodec,
                        static_cast<uint32_t>(audio.samples.size() * 2)));
    for (int16_t s : audio.samples)
        w.i16(s);
    return w.take();
}

std::vector<int8_t> deltaEncode(std::span<const int16_t> samples, uint16_t channels) {
    // The decoder's state per channel; each step is the one nearest to the
    // sample from where the decoder stands, so errors never accumulate.
    struct State {
        uint32_t acc = 0;
        int shift = 0;
    };
    State states[2];
    const bool stereo = channels == 2;
    std::vector<int8_t> out(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        State& s = states[stereo ? (i & 1) : 0];
        const int16_t now = static_cast<int16_t>(s.acc & 0xFFFF);
        const int32_t want = static_cast<int32_t>(samples[i]) - now;
        const int32_t unit = 1 << s.shift;
        int32_t d = want >= 0 ? (want + unit / 2) >> s.shift : -((-want + unit / 2) >> s.shift);
        d = std::clamp(d, -128, 127);
        out[i] = static_cast<int8_t>(d);
        s.acc += static_cast<uint32_t>(d) << s.shift;
        if (d == 0) {
            if (s.shift > 0)
                --s.shift;
        } else if (d == 127 || d == -128) {
            if (s.shift < 8)
                ++s.shift;
        }
    }
    return out;
}

std::vector<uint8_t> writeDeltaSound(const PcmAudio& audio) {
    ByteWriter w;
    w.bytes(soundHeader(audio.format, PcmSound::kDeltaCodec,
                        static_cast<uint32_t>(audio.samples.size() * 2)));
    for (int8_t d : deltaEncode(audio.samples, audio.format.channels))
        w.u8(static_cast<uint8_t>(d));
    return w.take();
}

std::vector<uint8_t> transformEncode(std::span<const int16_t> samples) {
    const size_t blocks = transformBlocksFor(samples.size());
    std::vector<uint8_t> out(blocks * kTransformBlockBytes);
    static const kissfft<double> fft(kTransformBlockSamples, false);
    std::vector<std::complex<double>> time(kTransformBlockSamples);
    std::vector<std::complex<double>> bins(kTransformBlockSamples);
    std::array<uint16_t, kTransformBlockSamples> codes;
    constexpr double kN = kTransformBlockSamples;
    for (size_t b = 0; b < blocks; ++b) {
        const size_t base = b * kTransformBlockStep;
        for (size_t n = 0; n < kTransformBlockSamples; ++n)
            time[n] = base + n < samples.size() ? samples[base + n] : 0;
        fft.transform(time.data(), bins.data());
        // The decoder sums re·cos + im·sin over bins 0-2047 and divides by
        // 1024; a real signal's inverse transform is the same sum with
        // 2·F[k]/N (F[0]/N for the mean), so each bin is that times 1024.
        for (size_t k = 0; k < kBins; ++k) {
            const double weight = (k == 0 ? 1.0 : 2.0) * 1024.0 / kN / kBandScale[k >> 8];
            const double re = bins[k].real() * weight;
            const double im = k == 0 ? 0.0 : -bins[k].imag() * weight;
            codes[2 * k] = zigzag(static_cast<int32_t>(std::lround(re)));
            codes[2 * k + 1] = zigzag(static_cast<int32_t>(std::lround(im)));
        }
        packCodes(codes, out.data() + b * kTransformBlockBytes);
    }
    return out;
}

std::vector<uint8_t> writeTransformSound(const PcmAudio& audio) {
    const std::vector<uint8_t> payload = transformEncode(audio.samples);
    ByteWriter w;
    w.bytes(soundHeader(audio.format, kTransformCodec,
                        static_cast<uint32_t>(audio.samples.size() * 2)));
    w.u32(static_cast<uint32_t>(payload.size()));
    w.bytes(payload);
    return w.take();
}

}  // namespace marlit::sound
