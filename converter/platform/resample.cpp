#include "converter/platform/resample.h"

#include <soxr.h>

#include <cstdint>

namespace marlit {

namespace {

bool acceptable(PcmFormat f) {
    return f.channels >= 1 && f.channels <= 8 && f.rate >= kMinSampleRate &&
           f.rate <= kMaxSampleRate;
}

std::vector<int16_t> mixChannels(const PcmAudio& source, uint16_t channels) {
    const uint16_t from = source.format.channels;
    const size_t frames = source.frames();
    std::vector<int16_t> out(frames * channels);
    for (size_t f = 0; f < frames; ++f) {
        const int16_t* in = &source.samples[f * from];
        int16_t* o = &out[f * channels];
        if (channels == 1) {
            int32_t sum = 0;
            for (uint16_t c = 0; c < from; ++c)
                sum += in[c];
            o[0] = static_cast<int16_t>(sum / from);
        } else {
            for (uint16_t c = 0; c < channels; ++c)
                o[c] = in[c % from];
        }
    }
    return out;
}

}  // namespace

std::optional<PcmAudio> Resample(const PcmAudio& source, PcmFormat target, std::string* why) {
    if (!acceptable(source.format) || !acceptable(target) || target.channels > 2) {
        if (why)
            *why = "unsupported sample format";
        return std::nullopt;
    }
    PcmAudio mixed;
    mixed.format = {source.format.rate, target.channels};
    mixed.samples = source.format.channels == target.channels
                        ? std::vector<int16_t>(
                              source.samples.begin(),
                              source.samples.begin() +
                                  static_cast<std::ptrdiff_t>(source.frames() * target.channels))
                        : mixChannels(source, target.channels);
    if (source.format.rate == target.rate)
        return mixed;

    const size_t inFrames = mixed.frames();
    const size_t outFrames = static_cast<size_t>(
        (static_cast<double>(inFrames) * target.rate) / source.format.rate + 0.5);
    PcmAudio out;
    out.format = target;
    out.samples.resize(outFrames * target.channels);
    if (inFrames == 0)
        return out;

    soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
    io.flags |= SOXR_NO_DITHER;  // dither draws on a time seed: outputs would differ per run
    soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    size_t done = 0;
    soxr_error_t error = soxr_oneshot(source.format.rate, target.rate, target.channels,
                                      mixed.samples.data(), inFrames, nullptr, out.samples.data(),
                                      outFrames, &done, &io, &quality, &runtime);
    if (error) {
        if (why)
            *why = std::string("resampling failed: ") + error;
        return std::nullopt;
    }
    out.samples.resize(done * target.channels);
    return out;
}

}  // namespace marlit
