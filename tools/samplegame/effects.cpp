#include "tools/samplegame/effects.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/samplegame/noise.h"

namespace marlit::sample {

namespace {

constexpr double kTau = 6.283185307179586;

// Mono float samples and what turns them into the file's PCM.
using Wave = std::vector<float>;

PcmAudio toAudio(const Wave& wave, uint32_t rate) {
    float peak = 1e-6f;
    for (float v : wave)
        peak = std::max(peak, std::fabs(v));
    PcmAudio out;
    out.format = {rate, 2};
    for (size_t i = 0; i < wave.size(); ++i) {
        const auto s = static_cast<int16_t>(std::lround(wave[i] / peak * 0.7f * 32767));
        // A slight spread between the channels.
        out.samples.push_back(s);
        out.samples.push_back(static_cast<int16_t>(s * 0.9f));
    }
    return out;
}

// White noise through a one-pole low-pass whose cut moves with `cutoff`.
Wave filteredNoise(size_t n, uint32_t seed, uint32_t rate, double (*cutoff)(double)) {
    Rng rng(seed);
    Wave w(n);
    float state = 0;
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const float a = static_cast<float>(1 - std::exp(-kTau * cutoff(t) / rate));
        state += a * (rng.range(-1, 1) - state);
        w[i] = state;
    }
    return w;
}

Wave horn(uint32_t rate) {
    const size_t n = static_cast<size_t>(1.8 * rate);
    Wave w(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double env = std::min(1.0, t * 20) * std::min(1.0, (1.8 - t) * 4);
        double s = 0;
        for (double f : {311.0, 370.0}) {
            for (int k = 1; k <= 5; ++k)
                s += std::sin(kTau * f * k * t) / k;
        }
        w[i] = static_cast<float>(env * s);
    }
    return w;
}

Wave footsteps(uint32_t rate, double seconds) {
    const size_t n = static_cast<size_t>(seconds * rate);
    Wave noise = filteredNoise(n, 701, rate, [](double) { return 900.0; });
    Wave w(n, 0);
    const int steps = static_cast<int>(seconds * 2);
    for (int s = 0; s < steps; ++s) {
        const size_t start = static_cast<size_t>(s * n / steps);
        for (size_t i = 0; i < static_cast<size_t>(0.12 * rate) && start + i < n; ++i) {
            const double t = static_cast<double>(i) / rate;
            w[start + i] =
                static_cast<float>(noise[start + i] * std::exp(-t * 40) * (s % 2 ? 0.8 : 1.0));
        }
    }
    return w;
}

Wave alarm(uint32_t rate) {
    const size_t n = static_cast<size_t>(2.0 * rate);
    Wave w(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const bool on = std::fmod(t, 0.25) < 0.06 && std::fmod(t, 1.0) < 0.5;
        w[i] = on ? static_cast<float>(std::sin(kTau * 2093 * t) > 0 ? 0.6 : -0.6) : 0.0f;
    }
    return w;
}

Wave waves(uint32_t rate, double seconds) {
    const size_t n = static_cast<size_t>(seconds * rate);
    const double period = seconds / 2;
    Wave noise = filteredNoise(n, 702, rate, [](double) { return 700.0; });
    Wave hiss = filteredNoise(n, 703, rate, [](double) { return 3500.0; });
    Wave w(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        // Two swells per loop; the envelope is periodic so the loop joins.
        const double swell = 0.25 + 0.75 * std::pow(0.5 - 0.5 * std::cos(kTau * t / period), 2);
        w[i] = static_cast<float>(swell * (noise[i] + 0.3 * hiss[i]));
    }
    // Cross-fade the first tenth of a second with the noise past the end,
    // so that the noise itself runs on across the loop point.
    const size_t fade = rate / 10;
    Wave tail = filteredNoise(n + fade, 702, rate, [](double) { return 700.0; });
    for (size_t i = 0; i < fade; ++i) {
        const float k = static_cast<float>(i) / fade;
        const double t = static_cast<double>(i) / rate;
        const double swell = 0.25 + 0.75 * std::pow(0.5 - 0.5 * std::cos(kTau * t / period), 2);
        w[i] = w[i] * k + static_cast<float>(swell * tail[n + i]) * (1 - k);
    }
    return w;
}

Wave bell(uint32_t rate) {
    const size_t n = static_cast<size_t>(1.6 * rate);
    Wave w(n, 0);
    for (int strike = 0; strike < 2; ++strike) {
        const size_t start = static_cast<size_t>(strike * 0.18 * rate);
        const double f = strike ? 1568 : 1319;
        for (size_t i = 0; start + i < n; ++i) {
            const double t = static_cast<double>(i) / rate;
            w[start + i] += static_cast<float>(
                std::exp(-t * 3) *
                (std::sin(kTau * f * t) + 0.5 * std::sin(kTau * f * 2.76 * t) * std::exp(-t * 6)));
        }
    }
    return w;
}

Wave gust(uint32_t rate) {
    const size_t n = static_cast<size_t>(1.6 * rate);
    Wave w = filteredNoise(n, 704, rate,
                           [](double t) { return 300 + 2500 * std::sin(3.1416 * t / 1.6); });
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        w[i] *= static_cast<float>(std::sin(3.1416 * t / 1.6));
    }
    return w;
}

Wave gulls(uint32_t rate) {
    const size_t n = static_cast<size_t>(1.6 * rate);
    Wave w(n, 0);
    for (int call = 0; call < 3; ++call) {
        const size_t start = static_cast<size_t>((0.1 + call * 0.45) * rate);
        double phase = 0;
        for (size_t i = 0; i < static_cast<size_t>(0.3 * rate) && start + i < n; ++i) {
            const double t = static_cast<double>(i) / rate;
            const double f = 1800 - 900 * t / 0.3 + 150 * std::sin(kTau * 30 * t);
            phase += kTau * f / rate;
            w[start + i] = static_cast<float>(std::sin(3.1416 * t / 0.3) *
                                              (std::sin(phase) + 0.3 * std::sin(2 * phase)));
        }
    }
    return w;
}

}  // namespace

PcmAudio synthesizeEffect(int number, bool shorter, uint32_t rate) {
    switch (number) {
        case 1:
            return toAudio(horn(rate), rate);
        case 2:
            return toAudio(footsteps(rate, shorter ? 1.0 : 2.0), rate);
        case 3:
            return toAudio(alarm(rate), rate);
        case 4:
            return toAudio(waves(rate, shorter ? 3.0 : 6.0), rate);
        case 5:
            return toAudio(bell(rate), rate);
        case 6:
            return toAudio(gust(rate), rate);
        case 7:
            return toAudio(gulls(rate), rate);
        default:
            return toAudio(Wave(rate / 10, 0), rate);
    }
}

}  // namespace marlit::sample
