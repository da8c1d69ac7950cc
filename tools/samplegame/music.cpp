#include "tools/samplegame/music.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "tools/samplegame/noise.h"

namespace marlit::sample {

namespace {

constexpr double kTau = 6.283185307179586;

struct Style {
    int beatsPerBar;
    float bpm;
    bool minor;
    int melodyVoice;    // 0 soft piano, 1 music box, 2 flute
    int accompaniment;  // 0 arpeggio, 1 block chords, 2 pad
};

constexpr std::array<Style, 6> kStyles = {{
    {3, 108, false, 0, 0},  // waltz
    {4, 124, false, 2, 1},  // march
    {4, 78, false, 0, 2},   // calm
    {4, 96, true, 2, 0},    // minor
    {3, 96, false, 1, 0},   // music box
    {4, 70, false, 0, 2},   // ballad
}};

// Scale degrees (semitones above the key) of major and natural minor.
constexpr int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

// Progressions of chord roots as scale degrees (0 = I).
constexpr int kProgressions[4][4] = {{0, 4, 5, 3}, {0, 5, 3, 4}, {5, 3, 0, 4}, {0, 3, 4, 0}};

double frequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// One note's sound into the stereo mix, wrapping past the end.
class Mixer {
  public:
    Mixer(size_t frames, uint32_t rate) : left_(frames), right_(frames), rate_(rate) {}

    void note(double start, double length, int midi, int voice, float gain, float pan) {
        const double f = frequency(midi);
        const double release = voice == 1 ? 1.2 : voice == 3 ? 0.6 : 0.25;
        const size_t first = static_cast<size_t>(start * rate_);
        const size_t count = static_cast<size_t>((length + release) * rate_);
        // Equal-power panning: 0 left, 1 right.
        const float l = gain * std::sqrt(1 - pan);
        const float r = gain * std::sqrt(pan);
        for (size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / rate_;
            const float s = static_cast<float>(sample(voice, f, t, length));
            const size_t at = (first + i) % left_.size();
            left_[at] += s * l;
            right_[at] += s * r;
        }
    }

    std::vector<float>& left() { return left_; }
    std::vector<float>& right() { return right_; }

  private:
    // Voices: 0 soft piano, 1 music box, 2 flute, 3 bass, 4 pad.
    static double sample(int voice, double f, double t, double length) {
        const double held = t < length ? 1.0 : std::exp(-(t - length) * 12.0);
        const double p = kTau * f * t;
        switch (voice) {
            case 1: {
                const double env = std::exp(-t * 3.0) * std::min(1.0, t * 400);
                return env * (std::sin(p) + 0.35 * std::sin(2 * p) * std::exp(-t * 6) +
                              0.2 * std::sin(4.2 * p) * std::exp(-t * 10));
            }
            case 2: {
                const double env = std::min(1.0, t * 14) * held;
                const double vibrato = 0.004 * std::sin(kTau * 5.2 * t) * std::min(1.0, t * 2);
                const double q = p * (1 + vibrato);
                return env * 0.8 * (std::sin(q) + 0.18 * std::sin(2 * q) + 0.06 * std::sin(3 * q));
            }
            case 3: {
                const double env = std::min(1.0, t * 60) * std::exp(-t * 1.5) * held;
                return env * (std::sin(p) + 0.3 * std::sin(2 * p));
            }
            case 4: {
                const double env = std::min(1.0, t * 3) * held;
                return env * 0.5 *
                       (std::sin(p) + std::sin(p * 1.003) + 0.3 * std::sin(2 * p * 0.998));
            }
            default: {
                const double env = std::min(1.0, t * 200) * std::exp(-t * 2.2) * held;
                return env * (std::sin(p) + 0.4 * std::sin(2 * p) * std::exp(-t * 3) +
                              0.15 * std::sin(3 * p) * std::exp(-t * 5));
            }
        }
    }

    std::vector<float> left_, right_;
    uint32_t rate_;
};

}  // namespace

PcmAudio composeMusic(const Composition& plan) {
    const Style& style = kStyles[static_cast<size_t>(plan.style) % kStyles.size()];
    Rng rng(plan.seed * 7919u + 17u);
    const double beat = 60.0 / style.bpm;
    const double bar = beat * style.beatsPerBar;
    const int bars = std::max(4, static_cast<int>(std::lround(plan.seconds / bar / 4)) * 4);
    const size_t frames = static_cast<size_t>(std::llround(bars * bar * plan.rate));
    Mixer mix(frames, plan.rate);

    const int key = 57 + rng.below(8);  // A3 to E4
    const int* scale = style.minor ? kMinor : kMajor;
    const int(&progression)[4] = kProgressions[rng.below(4)];
    auto pitch = [&](int degree, int octave) {
        const int d = ((degree % 7) + 7) % 7;
        return key + scale[d] + 12 * (octave + (degree - d) / 7);
    };

    // A four-bar phrase, sung twice with a changed ending, again and again.
    std::vector<std::pair<double, int>> phrase;  // (beats, scale degree from key)
    int degree = 2 + rng.below(3);
    for (int b = 0; b < 4; ++b) {
        const int root = progression[b];
        double filled = 0;
        while (filled < style.beatsPerBar - 1e-6) {
            double length = rng.unit() < 0.35 ? 0.5 : rng.unit() < 0.8 ? 1.0 : 2.0;
            length = std::min(length, style.beatsPerBar - filled);
            // On the beat, prefer a tone of the chord; between, step.
            if (std::fmod(filled, 1.0) < 1e-6 && rng.unit() < 0.6) {
                const int tones[3] = {root, root + 2, root + 4};
                int best = tones[0];
                for (int t : tones) {
                    for (int o = -7; o <= 7; o += 7) {
                        if (std::abs(t + o - degree) < std::abs(best - degree))
                            best = t + o;
                    }
                }
                degree = best;
            } else {
                degree += rng.below(5) - 2;
            }
            degree = std::clamp(degree, -2, 9);
            phrase.push_back({length, degree});
            filled += length;
        }
    }
    // The phrase comes home to the key at its very end.
    phrase.back().second = 7;

    const int melodyVoice = style.melodyVoice;
    for (int b = 0; b < bars; ++b) {
        const double barStart = b * bar;
        const int root = progression[b % 4];
        // Bass on the first beat (and the third in four).
        mix.note(barStart, beat * 1.6, pitch(root, -2), 3, 0.28f, 0.45f);
        if (style.beatsPerBar == 4)
            mix.note(barStart + 2 * beat, beat * 1.6, pitch(root + 4, -2), 3, 0.22f, 0.45f);
        // Accompaniment.
        const int chord[3] = {root, root + 2, root + 4};
        if (style.accompaniment == 0) {
            for (int k = 0; k < style.beatsPerBar * 2; ++k) {
                const int tone = chord[k % 3] + (k >= 3 ? 7 : 0);
                mix.note(barStart + k * beat / 2, beat * 0.6, pitch(tone, -1), 0, 0.08f, 0.3f);
            }
        } else if (style.accompaniment == 1) {
            for (int k = 1; k < style.beatsPerBar; k += 1) {
                for (int tone : chord)
                    mix.note(barStart + k * beat, beat * 0.4, pitch(tone, -1), 0, 0.06f, 0.35f);
            }
        } else {
            for (int tone : chord)
                mix.note(barStart, bar * 0.95, pitch(tone, -1), 4, 0.07f, 0.3f);
        }
    }
    // The melody: the phrase per four bars, an octave up every other time
    // in the music box style.
    double at = 0;
    for (int b = 0; b < bars; b += 4) {
        const bool answer = (b / 4) % 2 == 1;
        for (size_t i = 0; i < phrase.size(); ++i) {
            int d = phrase[i].second;
            if (answer && i + 3 >= phrase.size() && i + 1 < phrase.size())
                d += 1;  // the answer leans towards the end differently
            const double length = phrase[i].first * beat;
            mix.note(at, length * 0.92, pitch(d, melodyVoice == 1 && answer ? 1 : 0), melodyVoice,
                     melodyVoice == 1 ? 0.3f : 0.24f, 0.62f);
            at += length;
        }
    }

    // Level to a peak of about -3 dBFS, with the fade when asked.
    float peak = 1e-6f;
    for (size_t i = 0; i < frames; ++i)
        peak = std::max({peak, std::fabs(mix.left()[i]), std::fabs(mix.right()[i])});
    const float gain = 0.7f / peak;
    PcmAudio out;
    out.format = {plan.rate, plan.channels};
    out.samples.reserve(frames * plan.channels);
    const size_t fadeFrames = static_cast<size_t>(plan.fadeOut * plan.rate);
    for (size_t i = 0; i < frames; ++i) {
        float g = gain;
        if (fadeFrames > 0 && i + fadeFrames > frames)
            g *= static_cast<float>(frames - i) / fadeFrames;
        auto to16 = [](float v) {
            return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767));
        };
        if (plan.channels == 2) {
            out.samples.push_back(to16(mix.left()[i] * g));
            out.samples.push_back(to16(mix.right()[i] * g));
        } else {
            out.samples.push_back(to16((mix.left()[i] + mix.right()[i]) * 0.5f * g));
        }
    }
    return out;
}

}  // namespace marlit::sample
