#include "converter/delta_sound.h"

#include "base/bytes.h"
#include "converter/pcm_sound.h"
#include "converter/wave_file.h"

namespace marlit {

namespace {

struct DeltaState {
    // Unsigned: the accumulator may run on for millions of steps and only
    // its low 16 bits are the sample.
    uint32_t acc = 0;
    int shift = 0;

    int16_t step(int8_t d) {
        acc += static_cast<uint32_t>(static_cast<int32_t>(d)) << shift;
        if (d == 0) {
            if (shift > 0)
                --shift;
        } else if (d == 127 || d == -128) {
            if (shift < 8)
                ++shift;
        }
        return static_cast<int16_t>(acc & 0xFFFF);
    }
};

}  // namespace

std::optional<std::vector<uint8_t>> DecodeDeltaSound(std::span<const uint8_t> sound,
                                                     std::string* why) {
    auto header = readPcmSoundHeader(sound, why);
    if (!header)
        return std::nullopt;
    if (!plausibleFormat(*header, why))
        return std::nullopt;
    const auto deltas = sound.subspan(PcmSound::kHeaderSize);
    const size_t samples = header->pcmSize / 2;
    if (samples > deltas.size()) {
        if (why)
            *why = "the header claims more PCM than the file holds";
        return std::nullopt;
    }
    // The samples are 16-bit whatever the header's bit count says.
    std::vector<uint8_t> out = waveHeader(header->format(), 16, static_cast<uint32_t>(samples * 2));
    const size_t headerSize = out.size();
    out.resize(headerSize + samples * 2);
    DeltaState states[2];
    const bool stereo = header->channels == 2;
    for (size_t i = 0; i < samples; ++i) {
        DeltaState& state = states[stereo ? (i & 1) : 0];
        int16_t sample = state.step(static_cast<int8_t>(deltas[i]));
        storeU16(out.data() + headerSize + 2 * i, static_cast<uint16_t>(sample));
    }
    return out;
}

}  // namespace marlit
