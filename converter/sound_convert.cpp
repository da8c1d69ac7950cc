#include "converter/sound_convert.h"

#include <array>

#include "converter/delta_sound.h"
#include "converter/pcm_sound.h"
#include "converter/platform/mp3_encoder.h"
#include "converter/platform/resample.h"
#include "converter/transform_sound.h"
#include "converter/wave_file.h"

namespace marlit {

namespace {

constexpr std::array<int, kBitRateCount> kStereoBitRates = {16,  32,  48,  64,  80,  96, 112,
                                                            128, 160, 192, 224, 256, 320};
constexpr std::array<uint32_t, kRateCount> kSampleRates = {22050, 44100};

}  // namespace

int mp3BitRate(int bitRateIndex, bool stereo) {
    if (bitRateIndex < 0 || bitRateIndex >= kBitRateCount)
        return 0;
    const int kbps = kStereoBitRates[static_cast<size_t>(bitRateIndex)];
    return stereo ? kbps : kbps / 2;
}

uint32_t mp3SampleRate(int rateIndex) {
    if (rateIndex < 0 || rateIndex >= kRateCount)
        return 0;
    return kSampleRates[static_cast<size_t>(rateIndex)];
}

std::optional<PcmAudio> decodeSound(std::span<const uint8_t> bytes, std::string* why) {
    if (isRiff(bytes))
        return decodeWave(bytes, why);
    auto header = readPcmSoundHeader(bytes, why);
    if (!header)
        return std::nullopt;
    if (header->codec == PcmSound::kDeltaCodec) {
        auto wave = DecodeDeltaSound(bytes, why);
        if (!wave)
            return std::nullopt;
        return decodeWave(*wave, why);
    }
    if (header->codec == PcmSound::kRawCodec)
        return decodeRawSound(*header, bytes, why);
    auto payload = transformPayload(*header, bytes, why);
    if (!payload)
        return std::nullopt;
    return decodeTransformAudio(*header, *payload, why);
}

std::optional<std::vector<uint8_t>> encodeSound(const PcmAudio& audio, const Mp3Settings& settings,
                                                std::string* why) {
    const int kbps = mp3BitRate(settings.bitRateIndex, settings.stereo);
    const uint32_t rate = mp3SampleRate(settings.rateIndex);
    if (kbps == 0 || rate == 0) {
        if (why)
            *why = "no such bit rate or sample rate index";
        return std::nullopt;
    }
    const PcmFormat target{rate, static_cast<uint16_t>(settings.stereo ? 2 : 1)};
    if (audio.format == target)
        return EncodeMp3(audio, kbps, why);
    auto resampled = Resample(audio, target, why);
    if (!resampled)
        return std::nullopt;
    return EncodeMp3(*resampled, kbps, why);
}

std::optional<std::vector<uint8_t>> ConvertSound(std::span<const uint8_t> bytes,
                                                 const Mp3Settings& settings, std::string* why) {
    auto audio = decodeSound(bytes, why);
    if (!audio)
        return std::nullopt;
    return encodeSound(*audio, settings, why);
}

}  // namespace marlit
