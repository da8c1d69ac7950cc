#include "tests/support/played_sound.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <numbers>

#include "base/bytes.h"
#include "tests/support/run_program.h"

namespace marlit::test {

std::vector<int16_t> Pcm::left(size_t begin, size_t count) const {
    std::vector<int16_t> out;
    size_t end = std::min(frames(), begin + count);
    for (size_t i = begin; i < end; ++i)
        out.push_back(samples[i * static_cast<size_t>(channels)]);
    return out;
}

Pcm sineWave(int rate, int channels, double seconds, double hz, int amplitude) {
    Pcm pcm{rate, channels, {}};
    auto frames = static_cast<size_t>(seconds * rate);
    pcm.samples.reserve(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i) {
        double v = amplitude * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / rate);
        for (int c = 0; c < channels; ++c)
            pcm.samples.push_back(static_cast<int16_t>(std::lround(v)));
    }
    return pcm;
}

bool writeWav(const std::string& path, const Pcm& pcm) {
    ByteWriter w;
    auto data = static_cast<uint32_t>(pcm.samples.size() * 2);
    w.bytes("RIFF", 4);
    w.u32(data + 36);
    w.bytes("WAVEfmt ", 8);
    w.u32(16);
    w.u16(1);
    w.u16(static_cast<uint16_t>(pcm.channels));
    w.u32(static_cast<uint32_t>(pcm.rate));
    w.u32(static_cast<uint32_t>(pcm.rate * pcm.channels * 2));
    w.u16(static_cast<uint16_t>(pcm.channels * 2));
    w.u16(16);
    w.bytes("data", 4);
    w.u32(data);
    for (int16_t s : pcm.samples)
        w.i16(s);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(w.buffer().data()),
              static_cast<std::streamsize>(w.size()));
    return static_cast<bool>(out);
}

std::optional<Pcm> readWav(const std::string& path) {
    std::string bytes = readFileText(path);
    ByteReader r(bytes.data(), bytes.size());
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return std::nullopt;
    }
    r.skip(12);
    Pcm pcm;
    bool haveFormat = false;
    while (r.ok() && r.remaining() >= 8) {
        auto id = r.bytes(4);
        uint32_t size = r.u32();
        if (!r.ok())
            break;
        if (std::memcmp(id.data(), "fmt ", 4) == 0 && size >= 16) {
            size_t at = r.position();
            uint16_t tag = r.u16();
            pcm.channels = r.u16();
            pcm.rate = static_cast<int>(r.u32());
            r.skip(6);
            uint16_t bits = r.u16();
            if (tag != 1 || bits != 16)
                return std::nullopt;
            haveFormat = r.seek(at + size);
        } else if (std::memcmp(id.data(), "data", 4) == 0 && haveFormat) {
            size = std::min<uint32_t>(size, static_cast<uint32_t>(r.remaining()));
            pcm.samples.resize(size / 2);
            for (auto& s : pcm.samples)
                s = r.i16();
            return pcm;
        } else {
            r.skip(size);
        }
    }
    return std::nullopt;
}

std::string encodeMp3(const std::string& dir, const std::string& name, const Pcm& pcm,
                      const std::vector<std::string>& options) {
    std::string wav = dir + "/" + name + ".wav";
    std::string mp3 = dir + "/" + name;
    if (!writeWav(wav, pcm))
        return {};
    std::vector<std::string> args{"--quiet", "--resample", std::to_string(pcm.rate / 1000.0)};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(wav);
    args.push_back(mp3);
    ProgramResult result = runProgram("/usr/bin/lame", args);
    return result.exitCode == 0 ? mp3 : std::string();
}

Pcm decodeMp3(const std::string& path, int rate, int channels) {
    ProgramResult result =
        runProgram("/usr/bin/mpg123", {"-q", "--no-gapless", "--no-infoframe", "-s", path});
    Pcm pcm{rate, channels, {}};
    pcm.samples.resize(result.out.size() / 2);
    std::memcpy(pcm.samples.data(), result.out.data(), pcm.samples.size() * 2);
    return pcm;
}

double levelDb(const std::vector<int16_t>& mono, size_t begin, size_t count) {
    double sum = 0;
    size_t end = std::min(mono.size(), begin + count);
    for (size_t i = begin; i < end; ++i)
        sum += double(mono[i]) * mono[i];
    double rms = end > begin ? std::sqrt(sum / double(end - begin)) : 0;
    return rms > 0 ? 20 * std::log10(rms / 32768.0) : -200;
}

double toneDb(const std::vector<int16_t>& mono, size_t begin, size_t count, int rate, double hz) {
    size_t end = std::min(mono.size(), begin + count);
    if (end <= begin)
        return -200;
    double w = 2 * std::numbers::pi * hz / rate;
    double coeff = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = begin; i < end; ++i) {
        double s = mono[i] + coeff * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
    // A sine of peak A gives power (A n / 2)^2; its RMS is A / sqrt(2).
    double n = double(end - begin);
    double rms = std::sqrt(std::max(power, 0.0)) * 2 / n / std::sqrt(2.0);
    return rms > 0 ? 20 * std::log10(rms / 32768.0) : -200;
}

double crossingHz(const std::vector<int16_t>& mono, int rate) {
    size_t first = 0, last = 0, count = 0;
    for (size_t i = 1; i < mono.size(); ++i) {
        if (mono[i - 1] < 0 && mono[i] >= 0) {
            if (count == 0)
                first = i;
            last = i;
            ++count;
        }
    }
    if (count < 2)
        return 0;
    return double(count - 1) * rate / double(last - first);
}

std::optional<std::pair<size_t, size_t>> soundingSpan(const std::vector<int16_t>& mono,
                                                      int threshold) {
    size_t begin = mono.size(), end = 0;
    for (size_t i = 0; i < mono.size(); ++i) {
        if (std::abs(mono[i]) > threshold) {
            begin = std::min(begin, i);
            end = i + 1;
        }
    }
    if (end == 0)
        return std::nullopt;
    return std::make_pair(begin, end);
}

}  // namespace marlit::test
