#include "tests/support/sound_files.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/bytes.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {

std::vector<uint8_t> pcmSoundFile(uint32_t rate, uint16_t channels, uint8_t codec, uint32_t pcmSize,
                                  std::span<const uint8_t> body, uint16_t bits) {
    ByteWriter w;
    w.bytes("SND0", 4);
    w.u32(pcmSize);
    w.u8(codec);
    w.u8(0);
    w.zeros(4);
    w.u16(channels);
    w.u32(rate);
    w.zeros(6);
    w.u16(bits);
    w.bytes(body);
    return w.take();
}

std::vector<uint8_t> rawSoundFile(uint32_t rate, uint16_t channels,
                                  std::span<const int16_t> samples) {
    auto pcm = toBytes(samples);
    return pcmSoundFile(rate, channels, 0, static_cast<uint32_t>(pcm.size()), pcm);
}

std::vector<uint8_t> waveFormatChunk(uint32_t rate, uint16_t channels, uint16_t bits) {
    ByteWriter w;
    w.u16(1);
    w.u16(channels);
    w.u32(rate);
    w.u32(rate * channels * bits / 8);
    w.u16(static_cast<uint16_t>(channels * bits / 8));
    w.u16(bits);
    return w.take();
}

std::vector<uint8_t> waveFile(uint32_t rate, uint16_t channels, uint16_t bits,
                              std::span<const uint8_t> data) {
    ByteWriter w;
    w.bytes("RIFF", 4);
    w.u32(static_cast<uint32_t>(36 + data.size()));
    w.bytes("WAVEfmt ", 8);
    w.u32(16);
    w.bytes(waveFormatChunk(rate, channels, bits));
    w.bytes("data", 4);
    w.u32(static_cast<uint32_t>(data.size()));
    w.bytes(data);
    return w.take();
}

std::vector<uint8_t> toBytes(std::span<const int16_t> samples) {
    ByteWriter w;
    for (int16_t s : samples)
        w.i16(s);
    return w.take();
}

std::vector<int16_t> sine(uint32_t rate, uint16_t channels, double seconds, double frequency,
                          double amplitude) {
    const size_t frames = static_cast<size_t>(seconds * rate);
    std::vector<int16_t> out;
    out.reserve(frames * channels);
    for (size_t i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * frequency * static_cast<double>(i) / rate);
        for (uint16_t c = 0; c < channels; ++c)
            out.push_back(static_cast<int16_t>(std::lround(v)));
    }
    return out;
}

std::vector<uint8_t> voiceArchiveFile(
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& clips) {
    ByteWriter w;
    w.u32(static_cast<uint32_t>(clips.size()));
    uint32_t offset = static_cast<uint32_t>(4 + 64 * clips.size());
    for (const auto& [name, bytes] : clips) {
        w.fixedText(name, 60);
        w.u32(offset);
        offset += static_cast<uint32_t>(bytes.size());
    }
    for (const auto& clip : clips)
        w.bytes(clip.second);
    return w.take();
}

std::vector<uint8_t> zlibCompress(std::span<const uint8_t> bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::vector<uint8_t> out(size);
    compress(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()));
    out.resize(size);
    return out;
}

std::vector<uint8_t> transformBlock(const TransformBins& bins) {
    auto zigzag = [](int v) { return static_cast<uint16_t>(v > 0 ? 2 * v - 1 : -2 * v); };
    std::vector<uint16_t> codes(4096);
    for (size_t k = 0; k < bins.size() && k < 2048; ++k) {
        codes[2 * k] = zigzag(bins[k].first);
        codes[2 * k + 1] = zigzag(bins[k].second);
    }
    // High bytes first, then the low bytes as nibbles in two tables.
    std::vector<uint8_t> out(8192);
    for (size_t j = 0; j < 4096; ++j)
        out[j] = static_cast<uint8_t>(codes[j] >> 8);
    for (size_t j = 0; j < 2048; ++j) {
        const uint8_t lo0 = codes[2 * j] & 0xFF;
        const uint8_t lo1 = codes[2 * j + 1] & 0xFF;
        out[4096 + j] = static_cast<uint8_t>((lo0 & 0xF0) | (lo1 >> 4));
        out[6144 + j] = static_cast<uint8_t>(((lo0 & 0x0F) << 4) | (lo1 & 0x0F));
    }
    return out;
}

std::vector<uint8_t> transformTone(size_t blocks, int amplitude) {
    TransformBins bins(129);
    bins[128] = {amplitude, 0};
    auto one = transformBlock(bins);
    std::vector<uint8_t> out;
    for (size_t b = 0; b < blocks; ++b)
        out.insert(out.end(), one.begin(), one.end());
    return out;
}

std::optional<DecodedSound> readWave(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0)
        return std::nullopt;
    DecodedSound sound;
    size_t pos = 12;
    bool haveFormat = false;
    while (pos + 8 <= bytes.size()) {
        const uint32_t length = loadU32(bytes.data() + pos + 4);
        const size_t start = pos + 8;
        const size_t have = std::min<size_t>(length, bytes.size() - start);
        if (std::memcmp(bytes.data() + pos, "fmt ", 4) == 0 && have >= 16) {
            sound.channels = loadU16(bytes.data() + start + 2);
            sound.rate = loadU32(bytes.data() + start + 4);
            if (loadU16(bytes.data() + start + 14) != 16)
                return std::nullopt;
            haveFormat = true;
        } else if (std::memcmp(bytes.data() + pos, "data", 4) == 0 && haveFormat) {
            for (size_t i = 0; i + 1 < have; i += 2) {
                sound.samples.push_back(static_cast<int16_t>(loadU16(bytes.data() + start + i)));
            }
            return sound;
        }
        pos = start + length + (length & 1);
    }
    return std::nullopt;
}

std::optional<DecodedSound> decodeMp3File(const std::string& path) {
    TempDir dir;
    const std::string wav = dir.file("decoded.wav");
    auto r = runProgram("/usr/bin/mpg123", {"-q", "-w", wav, path});
    if (r.exitCode != 0)
        return std::nullopt;
    std::string bytes = readFileText(wav);
    return readWave({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

double toneFrequency(const DecodedSound& sound) {
    const size_t frames = sound.frames();
    int peak = 0;
    for (size_t i = 0; i < frames; ++i)
        peak = std::max(peak, std::abs(sound.samples[i * sound.channels]));
    // Rising crossings with hysteresis, so that coding noise around zero
    // and the silence of the encoder's delay do not count.
    const int threshold = peak / 4;
    bool armed = false;
    size_t first = 0;
    size_t last = 0;
    int crossings = 0;
    for (size_t i = 0; i < frames; ++i) {
        const int v = sound.samples[i * sound.channels];
        if (v < -threshold) {
            armed = true;
        } else if (armed && v > threshold) {
            armed = false;
            if (crossings == 0)
                first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0;
    return (crossings - 1) * static_cast<double>(sound.rate) / static_cast<double>(last - first);
}

double levelDb(const DecodedSound& sound, size_t skip) {
    const size_t frames = sound.frames();
    if (frames <= 2 * skip)
        return -200;
    double sum = 0;
    for (size_t i = skip; i < frames - skip; ++i) {
        const double v = sound.samples[i * sound.channels] / 32768.0;
        sum += v * v;
    }
    const double rms = std::sqrt(sum / static_cast<double>(frames - 2 * skip));
    return 20 * std::log10(std::max(rms, 1e-10));
}

std::optional<Mp3FrameInfo> firstMp3Frame(std::span<const uint8_t> mp3) {
    if (mp3.size() < 4 || mp3[0] != 0xFF || (mp3[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int version = (mp3[1] >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    const int layer = (mp3[1] >> 1) & 3;    // 1: layer III
    if (layer != 1 || version == 1)
        return std::nullopt;
    static const int kMpeg1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int kMpeg2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const int kRates[] = {44100, 48000, 32000};
    const int bitIndex = mp3[2] >> 4;
    const int rateIndex = (mp3[2] >> 2) & 3;
    if (bitIndex == 0 || bitIndex == 15 || rateIndex == 3)
        return std::nullopt;
    Mp3FrameInfo info;
    info.kbps = version == 3 ? kMpeg1[bitIndex] : kMpeg2[bitIndex];
    info.rate = kRates[rateIndex] / (version == 3 ? 1 : version == 2 ? 2 : 4);
    info.mono = (mp3[3] >> 6) == 3;
    info.samplesPerFrame = version == 3 ? 1152 : 576;
    return info;
}

}  // namespace marlit::test
