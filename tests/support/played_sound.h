// Sounds as the player plays them, for tests: MP3 files encoded by the lame
// command, decoded by the mpg123 command the way the player decodes them,
// and measurements of what a sound device played. Builds on the sound
// files of sound_files.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/sound_files.h"

namespace marlit::test {

// Interleaved 16-bit PCM with its rate and channel count.
using Pcm = DecodedSound;

// The left (or only) channel from frame `begin`, `count` frames.
std::vector<int16_t> leftChannel(const Pcm& pcm, size_t begin, size_t count);
std::vector<int16_t> leftChannel(const Pcm& pcm);

// A sine tone of `hz` at peak `amplitude`, the same in every channel.
Pcm sineWave(int rate, int channels, double seconds, double hz, int amplitude);
// A mono tone, for measuring one channel.
Pcm monoSound(const std::vector<int16_t>& samples, int rate);

bool writeWav(const std::string& path, const Pcm& pcm);
// A 16-bit PCM WAV file; none when it is not one.
std::optional<Pcm> readWav(const std::string& path);

// Encodes with the lame command at the PCM's own rate; `options` such as
// {"-b", "64", "--add-id3v2"}. The path of the MP3, "" when lame failed.
std::string encodeMp3(const std::string& dir, const std::string& name, const Pcm& pcm,
                      const std::vector<std::string>& options);
// Decodes with the mpg123 command keeping every frame, as the player does
// (no gapless trimming; the encoder's info frame decoded as audio).
// A decoder failure or an empty result fails the calling test.
Pcm decodeMp3(const std::string& path, int rate, int channels);

// Level in dB full scale of `count` samples of one channel from `begin`.
double levelDb(const std::vector<int16_t>& mono, size_t begin, size_t count);
// Level in dB full scale of the component at `hz` (Goertzel), the same
// scale as levelDb for a pure tone.
double toneDb(const std::vector<int16_t>& mono, size_t begin, size_t count, int rate, double hz);
// The first and one-past-last frame whose sample passes `threshold`, or none.
std::optional<std::pair<size_t, size_t>> soundingSpan(const std::vector<int16_t>& mono,
                                                      int threshold = 0);

}  // namespace marlit::test
