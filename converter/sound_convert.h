// From the game's sound files to MP3: decoding any of their forms, then
// resampling and encoding with the chosen settings.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "converter/platform/pcm_audio.h"

namespace marlit {

inline constexpr int kBitRateCount = 13;
inline constexpr int kRateCount = 2;
inline constexpr int kDefaultBitRateIndex = 3;

// The settings of one group: music and effects may be stereo, voices are
// always mono.
struct Mp3Settings {
    int bitRateIndex = kDefaultBitRateIndex;
    int rateIndex = 0;
    bool stereo = true;
};

// The bit rate in kbit/s of a table index: 16 ... 320 for stereo, half of
// that for mono (which is also the voice table). 0 for a bad index.
int mp3BitRate(int bitRateIndex, bool stereo);
// 22050 or 44100 Hz; 0 for a bad index.
uint32_t mp3SampleRate(int rateIndex);

// Any of the game's sound forms (a WAVE file, or a sound file of codec 0,
// 2 or a transform codec) as PCM at its own rate and channels.
std::optional<PcmAudio> decodeSound(std::span<const uint8_t> bytes, std::string* why = nullptr);

// Resamples to the settings' rate and channels when they differ from the
// sound's, and encodes.
std::optional<std::vector<uint8_t>> encodeSound(const PcmAudio& audio, const Mp3Settings& settings,
                                                std::string* why = nullptr);

// decodeSound, then encodeSound. None (and why) when either fails.
std::optional<std::vector<uint8_t>> ConvertSound(std::span<const uint8_t> bytes,
                                                 const Mp3Settings& settings,
                                                 std::string* why = nullptr);

}  // namespace marlit
