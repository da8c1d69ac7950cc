// Sound files made in code for the tests, and checks of MP3 output through
// Debian's mpg123 program (an outside decoder, not ours).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace marlit::test {

// A sound file of the game: the 28-byte header and the body as given.
std::vector<uint8_t> pcmSoundFile(uint32_t rate, uint16_t channels, uint8_t codec, uint32_t pcmSize,
                                  std::span<const uint8_t> body, uint16_t bits = 16);
// A raw (codec 0) sound file holding the samples.
std::vector<uint8_t> rawSoundFile(uint32_t rate, uint16_t channels,
                                  std::span<const int16_t> samples);
// The 16 bytes of a PCM "fmt " chunk.
std::vector<uint8_t> waveFormatChunk(uint32_t rate, uint16_t channels, uint16_t bits);
// A WAVE file: "fmt " (16 bytes) then "data".
std::vector<uint8_t> waveFile(uint32_t rate, uint16_t channels, uint16_t bits,
                              std::span<const uint8_t> data);

std::vector<uint8_t> toBytes(std::span<const int16_t> samples);
// A sine tone in every channel.
std::vector<int16_t> sine(uint32_t rate, uint16_t channels, double seconds, double frequency,
                          double amplitude);

// A voice archive of the clips (name, bytes) in order.
std::vector<uint8_t> voiceArchiveFile(
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& clips);

std::vector<uint8_t> zlibCompress(std::span<const uint8_t> bytes);

// Frequency bins of a transform block as (real, imaginary) values before
// their band's scale; up to 2048.
using TransformBins = std::vector<std::pair<int, int>>;
// One 8192-byte transform block holding the bins.
std::vector<uint8_t> transformBlock(const TransformBins& bins);
// `blocks` blocks of a steady tone in bin 128 (689 Hz at 22050 Hz), whose
// samples reach +-2·amplitude: it meets itself where the blocks overlap.
std::vector<uint8_t> transformTone(size_t blocks, int amplitude);

struct DecodedSound {
    uint32_t rate = 0;
    uint16_t channels = 0;
    std::vector<int16_t> samples;  // interleaved

    size_t frames() const { return channels ? samples.size() / channels : 0; }
};

// A 16-bit PCM WAVE file's contents; none when it is not one.
std::optional<DecodedSound> readWave(std::span<const uint8_t> bytes);
// Decodes an MP3 file with mpg123; none when that fails.
std::optional<DecodedSound> decodeMp3File(const std::string& path);

// Frequency of a tone in channel 0, from its zero crossings.
double toneFrequency(const DecodedSound& sound);
// RMS level of channel 0 in dB relative to full scale, skipping `skip`
// frames at either end.
double levelDb(const DecodedSound& sound, size_t skip = 0);

// Bit rate (kbit/s), sample rate and mode of the first MPEG audio frame;
// none when the bytes do not start with a frame header.
struct Mp3FrameInfo {
    int kbps = 0;
    int rate = 0;
    bool mono = false;
    int samplesPerFrame = 0;
};
std::optional<Mp3FrameInfo> firstMp3Frame(std::span<const uint8_t> mp3);

}  // namespace marlit::test
