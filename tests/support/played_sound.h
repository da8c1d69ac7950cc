// Sounds for tests, made in code: PCM tones, WAV files, MP3 files encoded by
// the lame command and decoded by the mpg123 command, and measurements of
// what a device played.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marlit::test {

struct Pcm {
    int rate = 22050;
    int channels = 2;
    std::vector<int16_t> samples;  // interleaved

    size_t frames() const { return samples.size() / static_cast<size_t>(channels); }
    // The left (or only) channel from frame `begin`, `count` frames.
    std::vector<int16_t> left(size_t begin, size_t count) const;
};

// A sine tone of `hz` at peak `amplitude`, the same in every channel.
Pcm sineWave(int rate, int channels, double seconds, double hz, int amplitude);

bool writeWav(const std::string& path, const Pcm& pcm);
// A 16-bit PCM WAV file; none when it is not one.
std::optional<Pcm> readWav(const std::string& path);

// Encodes with the lame command at the PCM's own rate; `options` such as
// {"-b", "64", "--add-id3v2"}. The path of the MP3, "" when lame failed.
std::string encodeMp3(const std::string& dir, const std::string& name, const Pcm& pcm,
                      const std::vector<std::string>& options);
// Decodes with the mpg123 command keeping every frame, as the player does
// (no gapless trimming; the encoder's info frame decoded as audio).
Pcm decodeMp3(const std::string& path, int rate, int channels);

// Level in dB full scale of `count` samples of one channel from `begin`.
double levelDb(const std::vector<int16_t>& mono, size_t begin, size_t count);
// Level in dB full scale of the component at `hz` (Goertzel), the same
// scale as levelDb for a pure tone.
double toneDb(const std::vector<int16_t>& mono, size_t begin, size_t count, int rate, double hz);
// Frequency from the zero crossings of a tone.
double crossingHz(const std::vector<int16_t>& mono, int rate);
// The first and one-past-last frame whose sample is not silent, or none.
std::optional<std::pair<size_t, size_t>> soundingSpan(const std::vector<int16_t>& mono,
                                                      int threshold = 0);

}  // namespace marlit::test
