#include "tests/support/played_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <numbers>

#include "tests/support/run_program.h"

namespace marlit::test {

std::vector<int16_t> leftChannel(const Pcm& pcm, size_t begin, size_t count) {
    std::vector<int16_t> out;
    size_t end = std::min(pcm.frames(), begin + count);
    for (size_t i = begin; i < end; ++i)
        out.push_back(pcm.samples[i * pcm.channels]);
    return out;
}

std::vector<int16_t> leftChannel(const Pcm& pcm) {
    return leftChannel(pcm, 0, pcm.frames());
}

Pcm sineWave(int rate, int channels, double seconds, double hz, int amplitude) {
    auto r = static_cast<uint32_t>(rate);
    auto c = static_cast<uint16_t>(channels);
    return Pcm{r, c, sine(r, c, seconds, hz, amplitude)};
}

Pcm monoSound(const std::vector<int16_t>& samples, int rate) {
    return Pcm{static_cast<uint32_t>(rate), 1, samples};
}

bool writeWav(const std::string& path, const Pcm& pcm) {
    std::vector<uint8_t> file = waveFile(pcm.rate, pcm.channels, 16, toBytes(pcm.samples));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

std::optional<Pcm> readWav(const std::string& path) {
    std::string bytes = readFileText(path);
    return readWave({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
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
    Pcm pcm{static_cast<uint32_t>(rate), static_cast<uint16_t>(channels), {}};
    // An empty reference would make every comparison with it pass.
    if (result.exitCode != 0 || result.out.size() < 2) {
        ADD_FAILURE() << "mpg123 could not decode " << path << " (exit " << result.exitCode
                      << "): " << result.err;
        return pcm;
    }
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
